#include "forms/sound_form.h"
#include "forms/layout_parts.h"

#include "res/resource_ids.h"

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;

constexpr DetailRow kRows[] = {
    {"Desc6", "Sound card", "Info6"},
    {"Edit6", "Mixer Devices", "Info5"},
    {"Edit8", "Version", "info4"},
    {"Edit7", "Speakers", "Info7"},
};

constexpr ui::Font kVerdana{"Verdana", 12, false, false};
constexpr int kClientWidth = 520;
constexpr int kHeadingTop = 24;
constexpr int kRowTop = 44;
constexpr int kRowPitch = 24;
constexpr int kRowHeight = 21;
constexpr int kCaptionLeft = 8;
constexpr int kCaptionWidth = 170;
constexpr int kValueLeft = 182;
constexpr int kValueWidth = kClientWidth - kValueLeft - 8;
constexpr int kButtonTop = kRowTop + 4 * kRowPitch + 8;
constexpr int kButtonHeight = 25;
constexpr int kEventsTop = kButtonTop + kButtonHeight + 12;
constexpr int kEventsHeight = 150;
constexpr int kListWidth = 340;
constexpr int kSideLeft = kCaptionLeft + kListWidth + 8;
constexpr int kSideWidth = kClientWidth - kSideLeft - 8;
constexpr int kToneTop = kEventsTop + kEventsHeight + 10;
constexpr int kToneHeight = 56;
constexpr int kLinkTop = kToneTop + kToneHeight + 8;
constexpr int kClientHeight = kLinkTop + 20 + kBannerHeight + 4;

ControlLayout Button(const char* name, const char* text, ui::Rect rect) {
    return MakeControl(name, ControlKind::Button, text, rect, kVerdana);
}

std::vector<ControlLayout> SoundControls() {
    std::vector<ControlLayout> controls;
    ControlLayout banner = BannerStrip("Image1", 0, kClientWidth);
    controls.push_back(banner);
    controls.push_back(DetailHeading("Label1", "Item", {kCaptionLeft, kHeadingTop, kCaptionWidth, 17}));
    controls.push_back(DetailHeading("Label2", "Details", {kValueLeft, kHeadingTop, kValueWidth, 17}));
    int top = kRowTop;
    for (const DetailRow& row : kRows) {
        controls.push_back(DetailCaption(row.caption, row.text, {kCaptionLeft, top, kCaptionWidth, kRowHeight}));
        controls.push_back(DetailValue(row.value, {kValueLeft, top, kValueWidth, kRowHeight}, row.caption));
        top += kRowPitch;
    }
    controls.push_back(Button("BitBtn1", "Sound Test", {kCaptionLeft, kButtonTop, 120, kButtonHeight}));
    controls.push_back(Button("BitBtn2", "Play WAV File", {kCaptionLeft + 128, kButtonTop, 120, kButtonHeight}));
    controls.push_back(Button("Button1", "Test PC Speaker", {kCaptionLeft + 256, kButtonTop, 140, kButtonHeight}));

    controls.push_back(MakeControl("ListBox1", ControlKind::ListBox, "", {kCaptionLeft, kEventsTop, kListWidth, kEventsHeight},
                                   kVerdana));
    controls.push_back(Button("Button2", "Play", {kSideLeft, kEventsTop, kSideWidth, kButtonHeight}));
    controls.push_back(Button("BitBtn3", "Settings", {kSideLeft, kEventsTop + 40, kSideWidth, kButtonHeight}));
    controls.push_back(Button("BitBtn4", "Mixer settings", {kSideLeft, kEventsTop + 72, kSideWidth, kButtonHeight}));

    controls.push_back(MakeControl("GroupBox1", ControlKind::GroupBox, "Tone",
                                   {kCaptionLeft, kToneTop, kClientWidth - 2 * kCaptionLeft, kToneHeight}, kVerdana));
    const int line = kToneTop + 24;
    controls.push_back(MakeControl("Label4", ControlKind::Label, "Frequency", {20, line + 3, 76, 17}, kVerdana));
    controls.push_back(MakeControl("Edit1", ControlKind::Edit, "1000", {98, line, 70, kRowHeight}, kVerdana));
    controls.back().label = "Label4";
    controls.push_back(MakeControl("Label5", ControlKind::Label, "Duration", {186, line + 3, 66, 17}, kVerdana));
    controls.push_back(MakeControl("Edit2", ControlKind::Edit, "1000", {254, line, 70, kRowHeight}, kVerdana));
    controls.back().label = "Label5";
    // Inside the frame's right edge.
    controls.push_back(Button("SpeedButton1", "Test", {kSideLeft, line - 2, kSideWidth - 8, kButtonHeight}));

    controls.push_back(HomePageLink("Label3", {kValueLeft, kLinkTop, kValueWidth, 17}));
    ControlLayout foot = banner;
    foot.name = "Image2";
    foot.rect.top = kClientHeight - kBannerHeight;
    controls.push_back(foot);
    return controls;
}

ui::FormLayout BuildSoundForm() {
    ui::FormLayout form = DetailForm("TfrmSound", "Sound", kClientWidth, kClientHeight,
                                     ui::FormPosition::MainFormCentre);
    form.menu = {Menu("File1", "File", {Item("Exit1", "Exit", "F12")})};
    form.controls = SoundControls();
    return form;
}

}  // namespace

std::span<const DetailRow> SoundRows() { return kRows; }

const ui::FormLayout& SoundFormLayout() {
    static const ui::FormLayout form = BuildSoundForm();
    return form;
}

}  // namespace brimlow::forms
