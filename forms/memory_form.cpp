#include "forms/memory_form.h"
#include "forms/layout_parts.h"

#include "app/product.h"
#include "res/resource_ids.h"

#include <string>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;
using ui::MenuItemLayout;

constexpr DetailRow kRows[] = {
    {"Desc1", "Physical Total", "Info1"},
    {"Desc2", "Physical Free", "Info2"},
    {"Desc3", "Page File Total", "Info3"},
    {"Desc4", "Page File Free", "Info4"},
    {"Desc6", "Virtual Total", "Info5"},
    {"Desc21", "Virtual Free", "Info6"},
    {"Edit1", "Memory Utilization", "Gauge1"},
    {"Edit3", "Allocation Granularity", "Info7"},
    {"Edit5", "Application Address Range", "Info8"},
    {"Edit6", "Page Size", "Info9"},
};

constexpr ui::Font kVerdana{"Verdana", 12, false, false};
constexpr ui::Font kVerdanaBold{"Verdana", 12, true, false};
constexpr ui::Font kVerdanaHeading{"Verdana", 13, true, false};
constexpr ui::Colour kCaptionBack = ui::Rgb(0xCE, 0xDD, 0xF7);
constexpr ui::Colour kValueBack = ui::Rgb(0xFF, 0xFF, 0xE6);

constexpr int kClientWidth = 560;
constexpr int kHeadingTop = 24;
constexpr int kRowTop = 44;
constexpr int kRowPitch = 24;
constexpr int kRowHeight = 21;
constexpr int kCaptionLeft = 8;
constexpr int kCaptionWidth = 204;
constexpr int kValueLeft = 216;
constexpr int kValueWidth = 336;
constexpr int kListLabelTop = kRowTop + 10 * kRowPitch + 6;
constexpr int kListTop = kListLabelTop + 20;
constexpr int kListHeight = 130;
constexpr int kTotalTop = kListTop + kListHeight + 6;
constexpr int kLinkTop = kTotalTop + kRowPitch + 6;
constexpr int kClientHeight = kLinkTop + 20 + kBannerHeight + 4;


std::vector<ControlLayout> MemoryControls() {
    std::vector<ControlLayout> controls;
    ControlLayout banner = BannerStrip("Image1", 0, kClientWidth);
    controls.push_back(banner);
    controls.push_back(DetailHeading("Label1", "Item", {kCaptionLeft, kHeadingTop, kCaptionWidth, 17}));
    controls.push_back(DetailHeading("Label2", "Details", {kValueLeft, kHeadingTop, kValueWidth, 17}));
    int top = kRowTop;
    for (const DetailRow& row : kRows) {
        controls.push_back(DetailCaption(row.caption, row.text, {kCaptionLeft, top, kCaptionWidth, kRowHeight}));
        if (std::string(row.value) == "Gauge1") {
            // Drawn by the window: the bar with its percentage in the middle.
            ControlLayout gauge = MakeControl(row.value, ControlKind::PaintBox, "", {kValueLeft, top, kValueWidth, kRowHeight},
                                          kVerdanaBold);
            gauge.backColour = ui::kWhite;
            gauge.label = row.caption;
            controls.push_back(gauge);
        } else {
            controls.push_back(DetailValue(row.value, {kValueLeft, top, kValueWidth, kRowHeight}, row.caption));
        }
        top += kRowPitch;
    }
    controls.push_back(DetailHeading("Label4", "Installed Memory Modules",
                                     {kCaptionLeft, kListLabelTop, kClientWidth - 2 * kCaptionLeft, 17}));
    ControlLayout list = MakeControl("ListView1", ControlKind::ListView, "",
                                 {kCaptionLeft, kListTop, kClientWidth - 2 * kCaptionLeft, kListHeight}, kVerdana);
    list.list.columns = {{"Bank", 70},     {"Device", 70},     {"Data Width", 80, true},
                         {"Capacity", 110, true}, {"Speed", 60}, {"Manufacturer", 134}};
    controls.push_back(list);
    controls.push_back(DetailCaption("Edit4", "Total Installed Memory", {kCaptionLeft, kTotalTop, kCaptionWidth, kRowHeight}));
    controls.push_back(DetailValue("Edit2", {kValueLeft, kTotalTop, kValueWidth, kRowHeight}, "Edit4"));
    controls.push_back(HomePageLink("Label3", {kValueLeft, kLinkTop, kValueWidth, 17}));
    ControlLayout foot = banner;
    foot.name = "Image2";
    foot.rect.top = kClientHeight - kBannerHeight;
    controls.push_back(foot);
    return controls;
}

ui::FormLayout BuildMemoryForm() {
    ui::FormLayout form = DetailForm("TfrmMemory", "Memory", kClientWidth, kClientHeight,
                                     ui::FormPosition::MainFormCentre);
    form.menu = {
        {"File1", "File", {}, {Item("Print1", "Quick Print"), {{}, "-", {}, {}}, Item("Close1", "Close")}},
        {"View1", "View", {}, {Item("Refresh1", "Refresh")}},
    };
    form.controls = MemoryControls();
    return form;
}

}  // namespace

ControlLayout DetailCaption(const char* name, const char* text, ui::Rect rect) {
    ControlLayout c = MakeControl(name, ControlKind::ReadOnlyEdit, text, rect, kVerdanaBold);
    c.textColour = ui::kNavy;
    c.backColour = kCaptionBack;
    return c;
}

ControlLayout DetailValue(const char* name, ui::Rect rect, const char* caption) {
    ControlLayout c = MakeControl(name, ControlKind::ReadOnlyEdit, "", rect, kVerdana);
    c.label = caption;
    c.textColour = ui::kBlack;
    c.backColour = kValueBack;
    return c;
}

ControlLayout DetailHeading(const char* name, const char* text, ui::Rect rect) {
    ControlLayout c = MakeControl(name, ControlKind::Label, text, rect, kVerdanaHeading);
    c.textColour = ui::kNavy;
    return c;
}

ControlLayout HomePageLink(const char* name, ui::Rect rect) {
    ControlLayout c = MakeControl(name, ControlKind::LinkLabel, kHomePageCaption, rect, {"Verdana", 12, true, true});
    c.textColour = ui::kNavy;
    c.align = ui::TextAlign::Right;
    return c;
}

std::span<const DetailRow> MemoryRows() { return kRows; }

const ui::FormLayout& MemoryFormLayout() {
    static const ui::FormLayout form = BuildMemoryForm();
    return form;
}

}  // namespace brimlow::forms
