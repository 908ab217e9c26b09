#include "forms/cpu_form.h"
#include "forms/layout_parts.h"

#include "app/product.h"
#include "res/resource_ids.h"

#include <string>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;
using ui::MenuItemLayout;

constexpr CpuRow kRows[] = {
    {"Edit3", "CPU Brand", "CPUBrand1"},
    {"Edit7", "CPU Chip", "CPUInfo"},
    {"Desc1", "CPU Family", "Info1"},
    {"Edit8", "Description", "Edit1"},
    {"Edit12", "Device ID", "Edit10"},
    {"Desc2", "Code Name", "Info2"},
    {"Desc3", "Vendor", "Info3"},
    {"Desc4", "Manufacturer", "Info4"},
    {"Desc21", "Serial Number", "Info6"},
    {"Edit2", "Processor ID", "Info7"},
    {"Edit4", "Ext Clock Speed", "Info8"},
    {"Edit6", "Current Voltage", "info9"},
    {"Edit9", "Max Clock Speed", "info10"},
    {"Edit5", "Socket Designation", "info11"},
    {"Edit11", "Data Width", "info12"},
    {"Edit13", "Revision", "info13"},
    {"Edit15", "L2 Cache Size", "info14"},
    {"Edit17", "L2 Cache Speed", "info15"},
    {"Desc6", "Status", "Info5"},
};

constexpr ui::Font kVerdana{"Verdana", 12, false, false};
constexpr ui::Font kVerdanaBold{"Verdana", 12, true, false};
constexpr ui::Font kVerdanaHeading{"Verdana", 13, true, false};
constexpr ui::Colour kCaptionBack = ui::Rgb(0xCE, 0xDD, 0xF7);
constexpr ui::Colour kValueBack = ui::Rgb(0xFF, 0xFF, 0xE6);

// Geometry at 96 DPI: the banner, the headings, 19 rows beside the usage gauge and the feature
// list, the digit displays under them, the notes and the banner again at the foot.
constexpr int kClientWidth = 860;
constexpr int kClientHeight = 622;
constexpr int kHeadingTop = 24;
constexpr int kRowTop = 44;
constexpr int kRowPitch = 24;
constexpr int kRowHeight = 21;
constexpr int kCaptionLeft = 8;
constexpr int kCaptionWidth = 152;
constexpr int kValueLeft = 164;
constexpr int kValueWidth = 310;
constexpr int kUsageLeft = 484;
constexpr int kUsageWidth = 60;
constexpr int kUsageHeight = 230;
constexpr int kFeaturesLeft = 554;
constexpr int kFeaturesWidth = 298;
constexpr int kRowsBottom = kRowTop + 18 * kRowPitch + kRowHeight;  // 497
constexpr int kDisplayCaptionTop = kRowsBottom + 14;
constexpr int kDisplayTop = kDisplayCaptionTop + 18;
constexpr int kDisplayInset = 4;
constexpr int kDigitHeight = 25;
constexpr int kClockWidth = 80;
constexpr int kCounterWidth = 322;
constexpr int kCounterLeft = kValueLeft;
constexpr int kNotesTop = kDisplayTop + kDigitHeight + 2 * kDisplayInset + 14;


ControlLayout Control(std::string name, ControlKind kind, std::string text, ui::Rect rect, ui::Font font = kVerdana) {
    return MakeControl(std::move(name), kind, std::move(text), rect, font);
}

ControlLayout Heading(std::string name, std::string text, ui::Rect rect) {
    ControlLayout c = Control(std::move(name), ControlKind::Label, std::move(text), rect, kVerdanaHeading);
    c.textColour = ui::kNavy;
    return c;
}

// A black panel holding one digit display, its paint box inset by a few pixels.
void AddDigitPanel(std::vector<ControlLayout>& controls, const char* panel, const char* box, int left, int width) {
    ControlLayout frame = Control(panel, ControlKind::Panel, "",
                                  {left, kDisplayTop, width + 2 * kDisplayInset, kDigitHeight + 2 * kDisplayInset});
    frame.backColour = ui::kBlack;
    controls.push_back(frame);
    ControlLayout digits = Control(box, ControlKind::PaintBox, "", {kDisplayInset, kDisplayInset, width, kDigitHeight});
    digits.parent = panel;
    digits.backColour = ui::kBlack;
    controls.push_back(digits);
}

std::vector<ControlLayout> CpuControls() {
    std::vector<ControlLayout> controls;
    ControlLayout banner = BannerStrip("Image1", 0, kClientWidth);
    controls.push_back(banner);

    controls.push_back(Heading("Label1", "Item", {kCaptionLeft, kHeadingTop, kCaptionWidth, 17}));
    controls.push_back(Heading("Label2", "Details", {kValueLeft, kHeadingTop, kValueWidth, 17}));
    controls.push_back(Heading("Label3", "Usage", {kUsageLeft, kHeadingTop, 48, 17}));
    controls.push_back(Heading("Label4", "*", {kUsageLeft + 48, kHeadingTop, 10, 17}));
    controls.push_back(Heading("Label6", "Features", {kFeaturesLeft, kHeadingTop, kFeaturesWidth, 17}));

    int top = kRowTop;
    for (const CpuRow& row : kRows) {
        ControlLayout caption =
            Control(row.caption, ControlKind::ReadOnlyEdit, row.text, {kCaptionLeft, top, kCaptionWidth, kRowHeight},
                    kVerdanaBold);
        caption.textColour = ui::kNavy;
        caption.backColour = kCaptionBack;
        controls.push_back(caption);
        ControlLayout value =
            Control(row.value, ControlKind::ReadOnlyEdit, "", {kValueLeft, top, kValueWidth, kRowHeight});
        value.textColour = ui::kBlack;
        value.backColour = kValueBack;
        value.label = row.caption;
        controls.push_back(value);
        top += kRowPitch;
    }

    ControlLayout usage = Control("Panel1", ControlKind::Panel, "", {kUsageLeft, kRowTop, kUsageWidth, kUsageHeight});
    usage.backColour = ui::kBlack;
    controls.push_back(usage);
    ControlLayout bar = Control("ProgressBar1", ControlKind::ProgressBar, "", {18, 6, 24, kUsageHeight - 34});
    bar.parent = "Panel1";
    bar.vertical = true;
    bar.smooth = true;
    bar.minimum = 0;
    bar.maximum = 100;
    controls.push_back(bar);
    ControlLayout load = Control("Label5", ControlKind::Label, "0 %", {2, kUsageHeight - 23, kUsageWidth - 4, 16},
                                 kVerdanaBold);
    load.parent = "Panel1";
    load.align = ui::TextAlign::Centre;
    load.textColour = ui::kAqua;
    controls.push_back(load);

    ControlLayout features = Control("clbCPU", ControlKind::CheckList, "",
                                     {kFeaturesLeft, kRowTop, kFeaturesWidth, kRowsBottom - kRowTop}, kVerdana);
    controls.push_back(features);

    controls.push_back(Heading("Label7", "CPU Speed", {kCaptionLeft, kDisplayCaptionTop, 120, 17}));
    AddDigitPanel(controls, "Panel2", "ptBoxTotTracks", kCaptionLeft, kClockWidth);
    controls.push_back(Heading("Label8", "MHz",
                               {kCaptionLeft + kClockWidth + 2 * kDisplayInset + 6, kDisplayTop + 8, 40, 17}));
    controls.push_back(Heading("Label9", "CPU clock cycles", {kCounterLeft, kDisplayCaptionTop, 200, 17}));
    AddDigitPanel(controls, "Panel3", "PaintBox1", kCounterLeft, kCounterWidth);
    controls.push_back(Heading("Label10", " Clock cycles",
                               {kCounterLeft + kCounterWidth + 2 * kDisplayInset + 4, kDisplayTop + 8, 110, 17}));
    controls.push_back(Control("BitBtn1", ControlKind::Button, "Show CPU Meter",
                               {kFeaturesLeft + 92, kDisplayTop, kFeaturesWidth - 92, kDigitHeight + 2 * kDisplayInset},
                               kVerdanaBold));

    controls.push_back(Heading("Label12", "*", {kCaptionLeft, kNotesTop, 10, 17}));
    ControlLayout note = Control("Label13", ControlKind::Label, "Not available on 64Bit Windows",
                                 {kCaptionLeft + 12, kNotesTop, 300, 17});
    note.textColour = ui::kNavy;
    controls.push_back(note);
    ControlLayout home = Control("Label11", ControlKind::Label, kHomePageCaption,
                                 {kFeaturesLeft, kNotesTop, kFeaturesWidth, 17}, kVerdanaBold);
    home.textColour = ui::kNavy;
    home.align = ui::TextAlign::Right;
    controls.push_back(home);

    ControlLayout foot = banner;
    foot.name = "Image2";
    foot.rect.top = kClientHeight - kBannerHeight;
    controls.push_back(foot);
    return controls;
}

ui::FormLayout BuildCpuForm() {
    ui::FormLayout form = DetailForm("TfrmCPU", "CPU Info", kClientWidth, kClientHeight,
                                     ui::FormPosition::ScreenCentre);
    form.menu = {
        {"File1", "File", {}, {Item("Print1", "Print"), {{}, "-", {}, {}}, Item("Exit1", "Exit", "F12")}},
        {"View1", "View", {}, {Item("Refresh1", "Refresh"), Item("CPUSpeed1", "CPU Speed")}},
    };
    form.timers = {{"Timer1", 1000, true}};
    form.controls = CpuControls();
    return form;
}

}  // namespace

const ui::FormLayout& CpuFormLayout() {
    static const ui::FormLayout form = BuildCpuForm();
    return form;
}

std::span<const CpuRow> CpuRows() { return kRows; }

}  // namespace brimlow::forms
