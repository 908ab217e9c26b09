#include "forms/optical_forms.h"

#include "app/product.h"
#include "forms/memory_form.h"
#include "forms/layout_parts.h"
#include "res/resource_ids.h"

#include <array>
#include <string>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;

constexpr ui::Font kVerdana{"Verdana", 12, false, false};

constexpr int kRowPitch = 24;
constexpr int kRowHeight = 21;
constexpr int kCaptionLeft = 8;
constexpr int kCaptionWidth = 160;
constexpr int kValueLeft = 172;

ControlLayout Control(std::string name, ControlKind kind, std::string text, ui::Rect rect) {
    return MakeControl(std::move(name), kind, std::move(text), rect, kVerdana);
}

// ---- CD / DVD Information ----------------------------------------------------------------------

constexpr int kCdClientWidth = 560;
constexpr int kCdValueWidth = kCdClientWidth - kValueLeft - kCaptionLeft;

constexpr DetailRow kCdRows[] = {
    {"Edit12", "Vendor", "Edit13"},
    {"Edit14", "Product Id", "Edit15"},
    {"Edit16", "Revision", "Edit17"},
    {"Edit18", "Vendor Spec", "Edit19"},
    {"Edit1", "Caption", "info1"},
    {"Edit2", "Description", "info2"},
    {"Edit4", "Id", "info4"},
    {"Edit5", "Manufacturer driver", "info5"},
    {"Edit8", "Media type", "info6"},
    {"Edit9", "Name", "Info7"},
    {"Edit10", "Status", "Info8"},
    {"Edit11", "PNP Device ID", "Info9"},
    {"Edit6", "Drive Letter", "Edit7"},
};

ui::FormLayout BuildCdDvdForm() {
    std::vector<ControlLayout> c;
    c.push_back(DetailHeading("Label1", "Item", {kCaptionLeft, 8, kCaptionWidth, 17}));
    c.push_back(DetailHeading("Label2", "Details", {kValueLeft, 8, kCdValueWidth, 17}));
    int top = 30;
    c.push_back(DetailCaption("Desc1", "Drive", {kCaptionLeft, top, kCaptionWidth, kRowHeight}));
    ControlLayout drive = Control("cbDrive", ControlKind::ComboList, "", {kValueLeft, top, 240, 200});
    drive.label = "Desc1";
    c.push_back(drive);
    top += kRowPitch + 4;
    for (const DetailRow& row : kCdRows) {
        c.push_back(DetailCaption(row.caption, row.text, {kCaptionLeft, top, kCaptionWidth, kRowHeight}));
        c.push_back(DetailValue(row.value, {kValueLeft, top, kCdValueWidth, kRowHeight}, row.caption));
        top += kRowPitch;
    }
    constexpr int kCapabilitiesHeight = 150;
    c.push_back(DetailCaption("Edit20", "Drive Capabilities", {kCaptionLeft, top, kCaptionWidth, kRowHeight}));
    ControlLayout list = Control("ListBox1", ControlKind::ListView, "", {kValueLeft, top, kCdValueWidth, kCapabilitiesHeight});
    list.list.columns = {{"", kCdValueWidth - 24}};
    list.list.headings = false;
    list.list.gridLines = false;
    list.label = "Edit20";
    c.push_back(list);
    top += kCapabilitiesHeight + 8;

    struct Action {
        const char *name, *text;
        int width;  // room for the caption
    };
    constexpr Action kActions[] = {{"BitBtn1", "Eject CD/DVD", 116},
                                   {"Button1", "Load CD/DVD", 116},
                                   {"Button2", "Eject Default", 116},
                                   {"Button3", "Analyse Inserted Media", 172}};
    constexpr int kGap = 8;
    int left = kCaptionLeft;
    for (const Action& a : kActions) {
        c.push_back(Control(a.name, ControlKind::Button, a.text, {left, top, a.width, 25}));
        left += a.width + kGap;
    }
    top += 25 + 8;
    c.push_back(HomePageLink("Label3", {kValueLeft, top, kCdValueWidth, 17}));

    ui::FormLayout form = DetailForm("TfrmCDDVD", "CD / DVD Information", kCdClientWidth, top + 17 + 8,
                                     ui::FormPosition::MainFormCentre);
    form.menu = {
        Menu("File1", "&File", {Item("Exit1", "E&xit", "F12")}),
        Menu("View1", "&View", {Item("Refresh1", "&Refresh", "F5")}),
    };
    form.controls = std::move(c);
    return form;
}

// ---- USB Drives --------------------------------------------------------------------------------

constexpr std::array<const char*, 11> kUsbDriveHeaders = {
    "Drive",         "Interface",      "Device",       "Media Type", "Model", "Capabilities",
    "Bytes Per Sector", "Total Sectors", "Drive Capacity", "Status",   "PNP ID",
};

constexpr int kUsbClientWidth = 760;

ui::FormLayout BuildUsbDrivesForm() {
    std::vector<ControlLayout> c;
    constexpr int kUsbValueWidth = 200;
    c.push_back(DetailHeading("StaticText2", "Item", {kCaptionLeft, 8, kCaptionWidth, 17}));
    c.push_back(DetailHeading("StaticText1", "Details", {kValueLeft, 8, kUsbValueWidth, 17}));
    int top = 30;
    c.push_back(DetailCaption("Desc1", "USB Drives", {kCaptionLeft, top, kCaptionWidth, kRowHeight}));
    c.push_back(DetailValue("Info1", {kValueLeft, top, kUsbValueWidth, kRowHeight}, "Desc1"));
    top += kRowPitch;
    c.push_back(DetailCaption("Edit2", "Total No. of Drives", {kCaptionLeft, top, kCaptionWidth, kRowHeight}));
    c.push_back(DetailValue("Info2", {kValueLeft, top, kUsbValueWidth, kRowHeight}, "Edit2"));
    top += kRowPitch + 8;
    c.push_back(DetailHeading("StaticText3", "USB Drives", {kCaptionLeft, top, kCaptionWidth, 17}));
    top += 20;
    constexpr int kGridHeight = 260;
    ControlLayout grid = Control("StringGrid1", ControlKind::ListView, "",
                                 {kCaptionLeft, top, kUsbClientWidth - 2 * kCaptionLeft, kGridHeight});
    constexpr int kWidths[] = {50, 70, 110, 90, 130, 150, 110, 100, 110, 60, 200};
    for (std::size_t i = 0; i < kUsbDriveHeaders.size(); ++i) grid.list.columns.push_back({kUsbDriveHeaders[i], kWidths[i]});
    grid.list.rowHeight = kUsbDriveRowHeight;
    grid.list.multiLineCells = true;
    c.push_back(grid);
    top += kGridHeight + 8;
    ControlLayout address = Control("StaticText4", ControlKind::Label, kHomePageCaption,
                                    {kValueLeft, top, kUsbClientWidth - kValueLeft - kCaptionLeft, 17});
    address.textColour = ui::kNavy;
    c.push_back(address);

    ui::FormLayout form = DetailForm("TfrmUSBDrives", "USB Drives", kUsbClientWidth, top + 17 + 8,
                                     ui::FormPosition::MainFormCentre);
    form.menu = {
        Menu("File1", "&File", {Item("QuickPrint1", "&Quick Print"), Separator(), Item("Close1", "&Close")}),
        Menu("View1", "&View", {Item("Refresh1", "&Refresh", "F5")}),
    };
    form.controls = std::move(c);
    return form;
}

}  // namespace

const ui::FormLayout& CdDvdFormLayout() {
    static const ui::FormLayout form = BuildCdDvdForm();
    return form;
}

const ui::FormLayout& UsbDrivesFormLayout() {
    static const ui::FormLayout form = BuildUsbDrivesForm();
    return form;
}

std::span<const char* const> UsbDriveHeaders() { return kUsbDriveHeaders; }

}  // namespace brimlow::forms
