#include "forms/info_forms.h"
#include "forms/layout_parts.h"

#include "app/product.h"
#include "res/resource_ids.h"

#include <string>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;
using ui::MenuItemLayout;

constexpr InfoRow kPersonalRows[] = {
    {"Desc1", "Registered Owner", "Info1"},
    {"Desc2", "Registered Organization", "Info2"},
    {"Desc3", "Installation Type", "Info3"},
    {"Desc4", "Current Build Number", "Info4"},
    {"Desc6", "Product ID", "Info6"},
    {"Desc21", "HD Serial Number", "Info21"},
    {"Edit2", "System Root", "Edit1"},
    {"Edit6", "System Serial Number", "Edit5"},
    {"Desc12", "Default Printer", "Info12"},
    {"Edit8", "DOT NET Runtime library", "Edit7"},
    {"Edit11", "Install Date", "Edit12"},
    {"Edit14", "Build", "Edit13"},
    {"Edit15", "System Language", "Edit16"},
};

constexpr InfoRow kBiosRows[] = {
    {"Desc1", "Identifier", "Info1"},
    {"Desc2", "BIOS Date", "Info2"},
    {"Desc3", "BIOS Version", "Info3"},
    {"Desc4", "Video BIOS Date", "Info4"},
    {"Desc6", "Video BIOS Version", "Info6"},
};

constexpr InfoRow kDateTimeRows[] = {
    {"Desc1", "Time", "Info1"},
    {"Desc2", "Date", "Info2"},
    {"Edit1", "Time Zone", "Edit2"},
    {"Edit3", "Daylight saving starts", "Edit4"},
    {"Edit5", "Daylight saving ends", "Edit6"},
    {"Edit7", "Daylight savings name", "Edit8"},
    {"Edit9", "Daylight savings bias", "Edit10"},
    {"Edit11", "Daylight savings status", "Edit12"},
    {"Edit13", "Current bias from local to UTC", "Edit14"},
    {"Edit15", "System Up Time", "Edit16"},
    {"Edit17", "System Boot Up Time", "Edit18"},
};

constexpr ui::Font kVerdana{"Verdana", 12, false, false};
constexpr ui::Font kVerdanaBold{"Verdana", 12, true, false};
constexpr ui::Font kVerdanaHeading{"Verdana", 13, true, false};
constexpr ui::Colour kCaptionBack = ui::Rgb(0xCE, 0xDD, 0xF7);
constexpr ui::Colour kValueBack = ui::Rgb(0xFF, 0xFF, 0xE6);

constexpr int kHeadingTop = 24;
constexpr int kRowTop = 44;
constexpr int kRowPitch = 24;
constexpr int kRowHeight = 21;
constexpr int kCaptionLeft = 8;
constexpr int kCaptionWidth = 200;
constexpr int kValueLeft = 212;
constexpr int kValueWidth = 330;
constexpr int kClientWidth = kValueLeft + kValueWidth + 8;


ControlLayout Control(std::string name, ControlKind kind, std::string text, ui::Rect rect, ui::Font font = kVerdana) {
    return MakeControl(std::move(name), kind, std::move(text), rect, font);
}

ControlLayout Heading(std::string name, std::string text, ui::Rect rect) {
    ControlLayout c = Control(std::move(name), ControlKind::Label, std::move(text), rect, kVerdanaHeading);
    c.textColour = ui::kNavy;
    return c;
}

int ClientHeight(std::span<const InfoRow> rows) {
    return kRowTop + static_cast<int>(rows.size()) * kRowPitch + 24 + kBannerHeight;
}

// Banner, headings, the rows, the home page line and the banner again at the foot.
ui::FormLayout BuildInfoForm(const char* className, const char* caption, std::span<const InfoRow> rows,
                             bool homePageIsLink) {
    ui::FormLayout form;
    form.className = className;
    form.caption = caption;
    form.clientWidth = kClientWidth;
    form.clientHeight = ClientHeight(rows);
    form.backColour = ui::kWhite;
    form.border = ui::BorderStyle::Single;
    form.position = ui::FormPosition::MainFormCentre;
    form.iconResource = IDI_BRIMLOW;

    std::vector<ControlLayout>& controls = form.controls;
    ControlLayout banner = BannerStrip("Image1", 0, kClientWidth);
    controls.push_back(banner);
    controls.push_back(Heading("Label1", "Item", {kCaptionLeft, kHeadingTop, kCaptionWidth, 17}));
    controls.push_back(Heading("Label2", "Details", {kValueLeft, kHeadingTop, kValueWidth, 17}));
    int top = kRowTop;
    for (const InfoRow& row : rows) {
        ControlLayout c = Control(row.caption, ControlKind::ReadOnlyEdit, row.text,
                                  {kCaptionLeft, top, kCaptionWidth, kRowHeight}, kVerdanaBold);
        c.textColour = ui::kNavy;
        c.backColour = kCaptionBack;
        controls.push_back(c);
        ControlLayout v = Control(row.value, ControlKind::ReadOnlyEdit, "", {kValueLeft, top, kValueWidth, kRowHeight});
        v.textColour = ui::kBlack;
        v.backColour = kValueBack;
        v.label = row.caption;
        controls.push_back(v);
        top += kRowPitch;
    }
    ControlLayout home = Control("Label3", homePageIsLink ? ControlKind::LinkLabel : ControlKind::Label,
                                 kHomePageCaption, {kValueLeft, top + 4, kValueWidth, 17}, kVerdanaBold);
    home.textColour = ui::kNavy;
    home.align = ui::TextAlign::Right;
    controls.push_back(home);
    ControlLayout foot = banner;
    foot.name = "Image2";
    foot.rect.top = form.clientHeight - kBannerHeight;
    controls.push_back(foot);
    return form;
}

std::vector<MenuItemLayout> PrintCloseRefreshMenu() {
    return {
        {"File1", "File", {}, {Item("QuickPrint1", "Quick Print"), {{}, "-", {}, {}}, Item("Close1", "Close")}},
        {"View1", "View", {}, {Item("Refresh1", "Refresh", "F5")}},
    };
}

}  // namespace

std::span<const InfoRow> PersonalRows() { return kPersonalRows; }
std::span<const InfoRow> BiosRows() { return kBiosRows; }
std::span<const InfoRow> DateTimeRows() { return kDateTimeRows; }

const ui::FormLayout& PersonalFormLayout() {
    static const ui::FormLayout form = [] {
        ui::FormLayout f = BuildInfoForm("TfrmPersonal", "Personal windows and system information", kPersonalRows, true);
        f.menu = PrintCloseRefreshMenu();
        return f;
    }();
    return form;
}

const ui::FormLayout& BiosFormLayout() {
    static const ui::FormLayout form = [] {
        ui::FormLayout f = BuildInfoForm("TfrmBiosInfo", "BIOS Info", kBiosRows, false);
        f.menu = PrintCloseRefreshMenu();
        return f;
    }();
    return form;
}

const ui::FormLayout& DateTimeFormLayout() {
    static const ui::FormLayout form = [] {
        ui::FormLayout f = BuildInfoForm("TfrmDateTime", "Time and Date", kDateTimeRows, false);
        f.timers = {{"Timer1", 1000, true}};
        return f;
    }();
    return form;
}

}  // namespace brimlow::forms
