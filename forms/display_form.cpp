#include "forms/display_form.h"
#include "forms/layout_parts.h"

#include "res/resource_ids.h"

#include <string>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;
using ui::MenuItemLayout;

constexpr DetailRow kRows[] = {
    {"Desc1", "Adapters", "cbDisplay"},
    {"Edit12", "Device", "info16"},
    {"Desc3", "Chipset", "Info3"},
    {"Desc4", "DAC", "Info4"},
    {"Desc6", "Memory", "Info5"},
    {"Desc21", "BIOS", "Info6"},
    {"Edit3", "Technology", "Info7"},
    {"Edit5", "Metrics", "Info8"},
    {"Edit6", "Font Resolution", "Info9"},
    {"Edit1", "Pixel Width", "Info10"},
    {"Edit7", "Pixel Height", "Info11"},
    {"Edit9", "Pixel Diagonal", "Info12"},
    {"Edit4", "Monitor frequency", "info13"},
    {"Edit8", "Number of Monitors", "Edit2"},
    {"Edit13", "Monitor(s)", "Info17"},
    {"Edit11", "Driver Version", "Info15"},
};

constexpr const char* kFlagNames[] = {
    "Display Device Attached To Desktop", "Display Device Multi Driver", "Display Device Primary Device",
    "Display Device Mirroring Driver",   "Display Device VGA",
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
constexpr int kFlagsLabelTop = kRowTop + 16 * kRowPitch + 6;
constexpr int kFlagsTop = kFlagsLabelTop + 20;
constexpr int kFlagsHeight = 96;
constexpr int kLinkTop = kFlagsTop + kFlagsHeight + 8;
constexpr int kClientHeight = kLinkTop + 20 + kBannerHeight + 4;


std::vector<ControlLayout> DisplayControls() {
    std::vector<ControlLayout> controls;
    ControlLayout banner = BannerStrip("Image1", 0, kClientWidth);
    controls.push_back(banner);
    controls.push_back(DetailHeading("Label1", "Item", {kCaptionLeft, kHeadingTop, kCaptionWidth, 17}));
    controls.push_back(DetailHeading("Label2", "Details", {kValueLeft, kHeadingTop, kValueWidth, 17}));
    int top = kRowTop;
    for (const DetailRow& row : kRows) {
        controls.push_back(DetailCaption(row.caption, row.text, {kCaptionLeft, top, kCaptionWidth, kRowHeight}));
        if (std::string(row.value) == "cbDisplay") {
            ControlLayout selector;
            selector.name = row.value;
            selector.kind = ControlKind::ComboList;
            selector.rect = {kValueLeft, top, kValueWidth, 200};
            selector.font = kVerdana;
            selector.label = row.caption;
            controls.push_back(selector);
        } else {
            controls.push_back(DetailValue(row.value, {kValueLeft, top, kValueWidth, kRowHeight}, row.caption));
        }
        top += kRowPitch;
    }
    controls.push_back(DetailHeading("Label4", "State Flags", {kCaptionLeft, kFlagsLabelTop, kCaptionWidth, 17}));
    ControlLayout flags;
    flags.name = "CheckListBox1";
    flags.kind = ControlKind::CheckList;
    flags.rect = {kCaptionLeft, kFlagsTop, kClientWidth - 2 * kCaptionLeft, kFlagsHeight};
    flags.font = kVerdana;
    flags.label = "Label4";
    controls.push_back(flags);
    controls.push_back(HomePageLink("Label3", {kValueLeft, kLinkTop, kValueWidth, 17}));
    ControlLayout foot = banner;
    foot.name = "Image2";
    foot.rect.top = kClientHeight - kBannerHeight;
    controls.push_back(foot);
    return controls;
}

ui::FormLayout BuildDisplayForm() {
    ui::FormLayout form = DetailForm("TfrmDisplay", "Display", kClientWidth, kClientHeight,
                                     ui::FormPosition::MainFormCentre);
    form.menu = {
        {"File1", "File", {}, {Item("Print1", "Print"), {{}, "-", {}, {}}, Item("Close1", "Close")}},
        {"View1", "View", {}, {Item("Refresh1", "Refresh")}},
    };
    form.controls = DisplayControls();
    return form;
}

}  // namespace

std::span<const DetailRow> DisplayRows() { return kRows; }
std::span<const char* const> DisplayStateFlagNames() { return kFlagNames; }

const ui::FormLayout& DisplayFormLayout() {
    static const ui::FormLayout form = BuildDisplayForm();
    return form;
}

}  // namespace brimlow::forms
