#include "forms/disk_form.h"
#include "forms/layout_parts.h"

#include "app/product.h"

#include <string>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;

constexpr ui::Font kVerdana{"Verdana", 11, false, false};
constexpr ui::Font kVerdanaBold{"Verdana", 11, true, false};

constexpr int kRowHeight = 21;
constexpr int kRowStep = 23;
// Two columns of label and value boxes: the volume's on the left, the drive's on the right below.
constexpr int kLabelLeft = 8, kLabelWidth = 122;
constexpr int kValueLeft = 132, kValueWidth = 290;
constexpr int kRightLabelLeft = 436, kRightLabelWidth = 122;
constexpr int kRightValueLeft = 560, kRightValueWidth = 212;
constexpr int kClientWidth = 780;

ControlLayout Control(std::string name, ControlKind kind, std::string text, ui::Rect rect) {
    return MakeControl(std::move(name), kind, std::move(text), rect, kVerdana);
}

void Row(std::vector<ControlLayout>& controls, const char* label, const char* text, const char* value, int left,
         int labelWidth, int valueLeft, int valueWidth, int top) {
    controls.push_back(Control(label, ControlKind::ReadOnlyEdit, text, {left, top, labelWidth, kRowHeight}));
    ControlLayout shown = Control(value, ControlKind::ReadOnlyEdit, "", {valueLeft, top, valueWidth, kRowHeight});
    shown.label = label;
    controls.push_back(shown);
}

std::vector<ControlLayout> DiskControls() {
    std::vector<ControlLayout> c;
    ControlLayout item = Control("StaticText2", ControlKind::Label, "Item", {kLabelLeft, 8, kLabelWidth, 16});
    item.font = kVerdanaBold;
    c.push_back(item);
    ControlLayout details = Control("StaticText1", ControlKind::Label, "Details", {kValueLeft, 8, kValueWidth, 16});
    details.font = kVerdanaBold;
    c.push_back(details);

    c.push_back(Control("Desc1", ControlKind::ReadOnlyEdit, "Drive", {kLabelLeft, 28, kLabelWidth, kRowHeight}));
    ControlLayout drive = Control("cbDrive", ControlKind::ComboList, "", {kValueLeft, 28, 220, 200});
    drive.label = "Desc1";
    c.push_back(drive);
    ControlLayout icon = Control("imgDrive", ControlKind::Image, "", {kValueLeft + 240, 24, 32, 32});
    c.push_back(icon);

    struct VolumeRow {
        const char *label, *text, *value;
    };
    const VolumeRow rows[] = {
        {"Edit1", "Drive Type", "info1"},          {"Edit2", "UNC", "info2"},
        {"Edit3", "Volume Serial No.", "info3"},   {"Edit4", "Capacity", "info4"},
        {"Edit5", "Free", "info5"},                {"Edit8", "Bytes Per Sector", "info6"},
        {"Edit9", "Sectors Per Cluster", "Info7"}, {"Edit10", "Total Clusters", "Info8"},
        {"Edit11", "Free Clusters", "Info9"},
    };
    int top = 28 + kRowStep + 5;  // below the drive icon
    for (const VolumeRow& r : rows) {
        Row(c, r.label, r.text, r.value, kLabelLeft, kLabelWidth, kValueLeft, kValueWidth, top);
        top += kRowStep;
    }

    // The used-space gauge: a black panel holding a vertical cyan bar, its caption and percentage.
    c.push_back(Control("Label7", ControlKind::Label, "% Used", {458, 60, 70, 16}));
    ControlLayout panel = Control("Panel1", ControlKind::Panel, "", {458, 80, 60, 124});
    panel.backColour = ui::kBlack;
    c.push_back(panel);
    ControlLayout bar = Control("ProgressBar1", ControlKind::ProgressBar, "", {18, 6, 24, 110});
    bar.parent = "Panel1";
    bar.vertical = true;
    bar.smooth = true;
    c.push_back(bar);
    ControlLayout percent = Control("Label6", ControlKind::Label, "0 %", {448, 208, 80, 16});
    percent.align = ui::TextAlign::Centre;
    percent.font = kVerdanaBold;
    c.push_back(percent);

    ControlLayout flagsHeading = Control("Label4", ControlKind::Label, "File System Flags", {562, 36, 210, 16});
    flagsHeading.font = kVerdanaBold;
    c.push_back(flagsHeading);
    ControlLayout flags = Control("clbFlags", ControlKind::ListView, "", {562, 56, 210, 204});
    flags.list.columns = {{"", 204}};
    flags.list.headings = false;
    flags.list.gridLines = false;
    flags.list.checkBoxes = true;
    c.push_back(flags);

    const int smartTop = top + 8;
    ControlLayout smart = Control("Label5", ControlKind::Label, "SMART Information ", {kLabelLeft, smartTop, 150, 16});
    smart.font = kVerdanaBold;
    smart.textColour = ui::kNavy;
    c.push_back(smart);
    c.push_back(Control("Label8", ControlKind::Label, "(for SMART enabled hard disks) ", {160, smartTop, 260, 16}));

    int row = smartTop + 20;
    Row(c, "Edit17", "SMART Enabled", "Edit18", kLabelLeft, kLabelWidth, kValueLeft, kValueWidth, row);
    Row(c, "Edit16", "Temperature", "Edit15", kRightLabelLeft, kRightLabelWidth, kRightValueLeft, kRightValueWidth, row);
    row += kRowStep;
    Row(c, "Edit13", "Modal Number", "Edit12", kLabelLeft, kLabelWidth, kValueLeft, kValueWidth, row);
    Row(c, "Edit19", "Firmware Revision", "Edit14", kRightLabelLeft, kRightLabelWidth, kRightValueLeft,
        kRightValueWidth, row);
    row += kRowStep;
    Row(c, "Edit7", "Serial Number", "Edit6", kLabelLeft, kLabelWidth, kValueLeft, kValueWidth, row);
    Row(c, "Edit21", "Size", "Edit20", kRightLabelLeft, kRightLabelWidth, kRightValueLeft, kRightValueWidth, row);
    row += kRowStep + 6;

    ControlLayout list = Control("ListView", ControlKind::ListView, "", {kLabelLeft, row, kClientWidth - 16, 210});
    list.list.gridLines = false;
    // Wide enough for every heading, with room for the scroll bar of a full table.
    list.list.columns = {{"Attribute", 66}, {"Name", 166}, {"State", 80},    {"Current", 56}, {"Worst", 48},
                         {"Threshold", 70}, {"Raw Value", 78}, {"Pre-Fail", 56}, {"Events", 50}, {"Error Rate", 74}};
    c.push_back(list);
    row += 210 + 8;

    c.push_back(Control("BitBtn1", ControlKind::Button, "Show CD/DVD Info", {kLabelLeft, row, 130, 25}));
    ControlLayout home = Control("Label3", ControlKind::LinkLabel, kHomePageCaption, {kClientWidth - 8 - 192, row + 5, 192, 16});
    home.textColour = ui::kNavy;
    home.font.underline = true;
    home.align = ui::TextAlign::Right;
    c.push_back(home);
    return c;
}

ui::FormLayout BuildDiskForm() {
    ui::FormLayout form;
    form.className = "TfrmDisk";
    form.caption = "Drive Information";
    form.clientWidth = kClientWidth;
    form.controls = DiskControls();
    form.clientHeight = form.controls.back().rect.top + 16 + 12;
    form.border = ui::BorderStyle::Single;
    form.position = ui::FormPosition::MainFormCentre;
    form.menu = {
        {"File1", "&File", {}, {{"Print1", "&Print", {}, {}}, {"Exit1", "E&xit", "F10", {}}}},
        {"View1", "&View", {}, {{"Refresh1", "&Refresh", {}, {}}}},
    };
    return form;
}

}  // namespace

const ui::FormLayout& DiskFormLayout() {
    static const ui::FormLayout form = BuildDiskForm();
    return form;
}

}  // namespace brimlow::forms
