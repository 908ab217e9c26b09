#include "forms/printers_form.h"
#include "forms/layout_parts.h"

#include "res/resource_ids.h"

#include <string_view>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;

constexpr DetailRow kRows[] = {
    {"Desc1", "Printers", "combobox1"},
    {"Desc3", "Printer Driver Directory", "Info3"},
    {"Desc4", "Current Status", "Info4"},
    {"Desc21", "Technology", "Info6"},
    {"Edit3", "Current Orientation", "Info7"},
    {"Edit5", "Page Height", "Info8"},
    {"Edit6", "Page Width", "Info9"},
    {"Edit1", "Physical Width", "Info10"},
    {"Edit7", "Physical Height", "Info11"},
    {"Edit4", "Postscript", "info13"},
    {"Edit2", "Horizontal DPI", "Edit15"},
    {"Edit17", "Vertical DPI", "Edit16"},
    {"Edit19", "Bits Per Inch", "Edit18"},
    {"Edit10", "Driver Version", "Edit8"},
    {"Edit12", "Number of Brushes", "Edit11"},
    {"Edit14", "Number of Pens", "Edit13"},
    {"Desc6", "Number of Fonts", "Info5"},
    {"Edit21", "Number of Colors", "Edit20"},
    {"Edit22", "Paper Bins", "ListBox1"},
};

constexpr ui::Font kVerdana{"Verdana", 12, false, false};
constexpr int kClientWidth = 560;
constexpr int kHeadingTop = 24;
constexpr int kRowTop = 44;
constexpr int kRowPitch = 24;
constexpr int kRowHeight = 21;
constexpr int kCaptionLeft = 8;
constexpr int kCaptionWidth = 204;
constexpr int kValueLeft = 216;
constexpr int kValueWidth = 336;
constexpr int kBinsHeight = 80;
constexpr int kBinsTop = kRowTop + 18 * kRowPitch;
constexpr int kLinkTop = kBinsTop + kBinsHeight + 8;
constexpr int kClientHeight = kLinkTop + 20 + kBannerHeight + 4;

std::vector<ControlLayout> PrintersControls() {
    std::vector<ControlLayout> controls;
    ControlLayout banner = BannerStrip("Image1", 0, kClientWidth);
    controls.push_back(banner);
    controls.push_back(DetailHeading("Label1", "Item", {kCaptionLeft, kHeadingTop, kCaptionWidth, 17}));
    controls.push_back(DetailHeading("Label2", "Details", {kValueLeft, kHeadingTop, kValueWidth, 17}));
    int top = kRowTop;
    for (const DetailRow& row : kRows) {
        controls.push_back(DetailCaption(row.caption, row.text, {kCaptionLeft, top, kCaptionWidth, kRowHeight}));
        const std::string_view value = row.value;
        if (value == "combobox1") {
            controls.push_back(MakeControl(row.value, ControlKind::ComboList, "", {kValueLeft, top, kValueWidth, 200}, kVerdana));
            controls.back().label = row.caption;
        } else if (value == "ListBox1") {
            controls.push_back(MakeControl(row.value, ControlKind::ListBox, "", {kValueLeft, top, kValueWidth, kBinsHeight},
                                           kVerdana));
            controls.back().label = row.caption;
        } else {
            controls.push_back(DetailValue(row.value, {kValueLeft, top, kValueWidth, kRowHeight}, row.caption));
        }
        top += kRowPitch;
    }
    // The port row is filled but never shown.
    ControlLayout port = DetailCaption("Edit9", "Port", {kCaptionLeft, kLinkTop, kCaptionWidth, kRowHeight});
    port.visible = false;
    controls.push_back(port);
    ControlLayout portValue = DetailValue("Info12", {kValueLeft, kLinkTop, kValueWidth, kRowHeight}, "Edit9");
    portValue.visible = false;
    controls.push_back(portValue);
    // The home page as plain text: this window's label takes no clicks.
    ControlLayout home = HomePageLink("Label3", {kValueLeft, kLinkTop, kValueWidth, 17});
    home.kind = ControlKind::Label;
    home.font.underline = false;
    controls.push_back(home);
    ControlLayout foot = banner;
    foot.name = "Image2";
    foot.rect.top = kClientHeight - kBannerHeight;
    controls.push_back(foot);
    return controls;
}

ui::FormLayout BuildPrintersForm() {
    ui::FormLayout form = DetailForm("TfrmPrinters", "Printers", kClientWidth, kClientHeight,
                                     ui::FormPosition::MainFormCentre);
    form.menu = {Menu("File1", "File", {}), Menu("View1", "View", {Item("Refresh1", "Refresh")})};
    form.controls = PrintersControls();
    return form;
}

}  // namespace

std::span<const DetailRow> PrintersRows() { return kRows; }

const ui::FormLayout& PrintersFormLayout() {
    static const ui::FormLayout form = BuildPrintersForm();
    return form;
}

}  // namespace brimlow::forms
