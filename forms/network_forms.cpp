#include "forms/network_forms.h"
#include "forms/layout_parts.h"

#include "res/resource_ids.h"

#include <string>
#include <string_view>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;

constexpr DetailRow kNetworkRows[] = {
    {"Edit1", "Computer Name", "Edit2"},
    {"Edit3", "Username", "Edit4"},
    {"Edit6", "IP Address", "Edit12"},
    {"Edit5", "MAC Address", "Edit11"},
    {"Edit8", "Administrator", "Edit14"},
    {"Edit7", "Connection", "Edit13"},
    {"Edit10", "Ethernet Adapters", "Memo1"},
    {"Edit9", "Network Shares", "ListBox1"},
    {"Edit21", "Network Drives", "Memo3"},
    {"Edit18", "Workgroup", "Edit17"},
    {"Edit19", "Domain", "Edit16"},
    {"Edit20", "Computer Description", "Edit15"},
};

constexpr DetailRow kAdapterRows[] = {
    {"Edit1", "Adapter", "ComboBox1"},
    {"Edit2", "IP Address", "Edit9"},
    {"Edit4", "MAC Address", "Edit11"},
    {"Edit3", "IP Subnet", "Edit13"},
    {"Edit6", "IP Gateway", "Edit12"},
    {"Edit5", "DHCP Enabled", "Edit15"},
    {"Edit8", "Service Name", "Edit14"},
    {"Edit7", "Setting ID", "Edit17"},
    {"Edit10", "DNS Host Name", "Edit16"},
};

constexpr ui::Font kVerdana{"Verdana", 12, false, false};
constexpr ui::Colour kValueBack = ui::Rgb(0xFF, 0xFF, 0xE6);

constexpr int kHeadingTop = 24;
constexpr int kRowTop = 44;
constexpr int kRowPitch = 24;
constexpr int kRowHeight = 21;
constexpr int kCaptionLeft = 8;
constexpr int kCaptionWidth = 200;
constexpr int kValueLeft = 212;
constexpr int kValueWidth = 350;
constexpr int kClientWidth = kValueLeft + kValueWidth + 8;

// The multi-line values of the network window take more than one row's height.
int ValueHeight(std::string_view value) {
    if (value == "Memo1") return 66;
    if (value == "ListBox1" || value == "Memo3") return 54;
    return kRowHeight;
}

ControlLayout Banner(const char* name, int top) { return BannerStrip(name, top, kClientWidth); }

ControlLayout Value(const DetailRow& row, int top, int height) {
    ControlLayout v = DetailValue(row.value, {kValueLeft, top, kValueWidth, height}, row.caption);
    const std::string_view name = row.value;
    if (name.starts_with("Memo")) v.kind = ControlKind::Memo;
    if (name.starts_with("ListBox")) v.kind = ControlKind::ListBox;
    if (name.starts_with("ComboBox")) {
        v.kind = ControlKind::ComboList;
        v.rect.height = 160;  // the open list
        v.backColour = ui::kDefaultColour;
        v.textColour = ui::kDefaultColour;
    }
    return v;
}

// The address of the home page in the link's look, for windows where it is only text.
ControlLayout HomePageText(const char* name, ui::Rect rect) {
    ControlLayout c = HomePageLink(name, rect);
    c.kind = ControlKind::Label;
    return c;
}

// The height follows from the rows each window adds.
ui::FormLayout BaseForm(const char* className, const char* caption, ui::FormPosition position) {
    return DetailForm(className, caption, kClientWidth, 0, position);
}

// Banner, headings and the rows; returns the top below the last row.
int AddRows(ui::FormLayout& form, std::span<const DetailRow> rows) {
    form.controls.push_back(Banner("Image1", 0));
    form.controls.push_back(DetailHeading("Label1", "Item", {kCaptionLeft, kHeadingTop, kCaptionWidth, 17}));
    form.controls.push_back(DetailHeading("Label2", "Details", {kValueLeft, kHeadingTop, kValueWidth, 17}));
    int top = kRowTop;
    for (const DetailRow& row : rows) {
        const int height = ValueHeight(row.value);
        form.controls.push_back(DetailCaption(row.caption, row.text, {kCaptionLeft, top, kCaptionWidth, kRowHeight}));
        form.controls.push_back(Value(row, top, height));
        top += height + (kRowPitch - kRowHeight);
    }
    return top;
}

void AddFoot(ui::FormLayout& form, ControlLayout home, int top) {
    home.rect.top = top + 4;
    form.controls.push_back(home);
    form.clientHeight = top + 4 + 17 + 6 + kBannerHeight;
    form.controls.push_back(Banner("Image2", form.clientHeight - kBannerHeight));
}

ui::FormLayout BuildNetworkForm() {
    ui::FormLayout form = BaseForm("TfrmNetwork", "Network", ui::FormPosition::MainFormCentre);
    int top = AddRows(form, kNetworkRows) + 4;
    constexpr const char* kButtons[][2] = {{"Button1", "Network Adapters"}, {"Button2", "Configure Adapters"},
                                           {"Button3", "User List"},        {"Button4", "Computers"},
                                           {"Button5", "Map Network Drive"}};
    constexpr int kGap = 4;
    // The two short captions give room to the three long ones.
    constexpr int kRowWidth = kClientWidth - 2 * kCaptionLeft - 4 * kGap;
    constexpr int kShortWidth = 80;
    constexpr int kLongWidth = (kRowWidth - 2 * kShortWidth) / 3;
    int left = kCaptionLeft;
    for (const auto& [name, text] : kButtons) {
        const std::string_view caption = text;
        const int width = caption == "User List" || caption == "Computers" ? kShortWidth : kLongWidth;
        ControlLayout button;
        button.name = name;
        button.kind = ControlKind::Button;
        button.text = text;
        button.rect = {left, top, width, 25};
        form.controls.push_back(button);
        left += width + kGap;
    }
    top += 25 + 4;
    AddFoot(form, HomePageLink("Label3", {kValueLeft, 0, kValueWidth, 17}), top);
    form.menu = {
        Menu("File1", "File", {Item("Print1", "Print"), Separator(), Item("Exit1", "Exit")}),
        Menu("View1", "View", {Item("Refresh1", "Refresh", "F5")}),
    };
    return form;
}

ui::FormLayout BuildAdaptersForm() {
    ui::FormLayout form = BaseForm("TfrmNetworkAdapters", "Network Adapters", ui::FormPosition::ScreenCentre);
    const int top = AddRows(form, kAdapterRows);
    AddFoot(form, HomePageText("Label3", {kValueLeft, 0, kValueWidth, 17}), top);
    form.menu = {Menu("File1", "File", {})};
    return form;
}

ui::FormLayout BuildUserListForm() {
    ui::FormLayout form = BaseForm("TfrmUserList", "User List", ui::FormPosition::MainFormCentre);
    constexpr DetailRow kGroup[] = {{"Edit1", "Domain / Workgroup Name", "Edit2"}};
    int top = AddRows(form, kGroup);
    ControlLayout list = DetailValue("ListBox1", {kCaptionLeft, top, kClientWidth - 2 * kCaptionLeft, 180}, "Edit1");
    list.kind = ControlKind::ListBox;
    list.font = kVerdana;
    list.backColour = kValueBack;
    form.controls.push_back(list);
    top += 180 + 4;
    AddFoot(form, HomePageText("Label3", {kValueLeft, 0, kValueWidth, 17}), top);
    form.menu = {
        Menu("File1", "File", {Item("Print1", "Print"), Separator(), Item("Exit1", "Exit")}),
        Menu("View1", "View", {Item("Refresh1", "Refresh")}),
    };
    return form;
}

ui::FormLayout BuildComputersForm() {
    ui::FormLayout form = BaseForm("TfrmComputers", "Computers", ui::FormPosition::ScreenCentre);
    form.controls.push_back(Banner("Image1", 0));
    const int width = kClientWidth - 2 * kCaptionLeft;
    form.controls.push_back(DetailHeading("Label2", "Network Computer List", {kCaptionLeft, kHeadingTop, width, 17}));
    constexpr int kTreeHeight = 300;
    form.controls.push_back(MakeControl("tv", ControlKind::TreeView, "", {kCaptionLeft, kRowTop, width, kTreeHeight}, kVerdana));
    AddFoot(form, HomePageText("Label1", {kValueLeft, 0, kValueWidth, 17}), kRowTop + kTreeHeight);
    form.menu = {
        Menu("File1", "File", {}),
        Menu("View1", "View", {Item("Refresh1", "Refresh")}),
    };
    return form;
}

}  // namespace

std::span<const DetailRow> NetworkRows() { return kNetworkRows; }
std::span<const DetailRow> NetworkAdapterRows() { return kAdapterRows; }

const ui::FormLayout& NetworkFormLayout() {
    static const ui::FormLayout form = BuildNetworkForm();
    return form;
}

const ui::FormLayout& NetworkAdaptersFormLayout() {
    static const ui::FormLayout form = BuildAdaptersForm();
    return form;
}

const ui::FormLayout& UserListFormLayout() {
    static const ui::FormLayout form = BuildUserListForm();
    return form;
}

const ui::FormLayout& ComputersFormLayout() {
    static const ui::FormLayout form = BuildComputersForm();
    return form;
}

}  // namespace brimlow::forms
