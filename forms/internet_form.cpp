#include "forms/internet_form.h"
#include "forms/layout_parts.h"

#include "app/product.h"
#include "res/resource_ids.h"

#include <string>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;

constexpr DetailRow kRows[] = {
    {"Edit1", "Internet Status", "Edit5"},
    {"Edit2", "Start Page", "Edit6"},
    {"Edit3", "Search Page", "Edit7"},
    {"Edit9", "Download Directory", "Edit11"},
    {"Edit10", "Local Page", "Edit12"},
    {"Edit16", "Flash", "Edit15"},
    {"Edit8", "IE Product ID", "Edit4"},
};

constexpr ui::Font kVerdana{"Verdana", 12, false, false};
constexpr int kClientWidth = 640;
constexpr int kMargin = 8;
constexpr int kHeadingTop = 24;
constexpr int kRowTop = 44;
constexpr int kRowPitch = 24;
constexpr int kRowHeight = 21;
constexpr int kCaptionWidth = 200;
constexpr int kValueLeft = kMargin + kCaptionWidth + 4;
constexpr int kValueWidth = kClientWidth - kValueLeft - kMargin;
constexpr int kInnerWidth = kClientWidth - 2 * kMargin;
constexpr int kHalfWidth = (kInnerWidth - 8) / 2;
constexpr int kBrowsersLabelTop = kRowTop + 7 * kRowPitch + 6;
constexpr int kBrowsersTop = kBrowsersLabelTop + 20;
constexpr int kBrowsersHeight = 104;
constexpr int kAddressesLabelTop = kBrowsersTop + kBrowsersHeight + 8;
constexpr int kAddressesTop = kAddressesLabelTop + 20;
constexpr int kAddressesHeight = 112;
constexpr int kFlagsLabelTop = kAddressesTop + kAddressesHeight + 8;
constexpr int kFlagsTop = kFlagsLabelTop + 20;
constexpr int kFlagsHeight = 118;  // six rows of settings in each column
constexpr int kHomeTop = kFlagsTop + kFlagsHeight + 6;
constexpr int kClientHeight = kHomeTop + 20 + kBannerHeight + 4;

ControlLayout List(const char* name, ControlKind kind, ui::Rect rect) {
    return MakeControl(name, kind, {}, rect, kVerdana);
}

std::vector<ControlLayout> InternetControls() {
    std::vector<ControlLayout> controls;
    ControlLayout banner = BannerStrip("Image1", 0, kClientWidth);
    controls.push_back(banner);
    controls.push_back(DetailHeading("Label1", "Item", {kMargin, kHeadingTop, kCaptionWidth, 17}));
    controls.push_back(DetailHeading("Label2", "Details", {kValueLeft, kHeadingTop, kValueWidth, 17}));
    int top = kRowTop;
    for (const DetailRow& row : kRows) {
        controls.push_back(DetailCaption(row.caption, row.text, {kMargin, top, kCaptionWidth, kRowHeight}));
        controls.push_back(DetailValue(row.value, {kValueLeft, top, kValueWidth, kRowHeight}, row.caption));
        top += kRowPitch;
    }

    controls.push_back(DetailHeading("Label7", "Internet Browsers", {kMargin, kBrowsersLabelTop, kInnerWidth, 17}));
    ControlLayout browsers = List("ListView1", ControlKind::ListView, {kMargin, kBrowsersTop, kInnerWidth, kBrowsersHeight});
    browsers.list.columns = {{"Browser", 200}, {"Version", kInnerWidth - 200 - 24}};
    browsers.label = "Label7";
    controls.push_back(browsers);

    const int rightLeft = kMargin + kHalfWidth + 8;
    controls.push_back(DetailHeading("Label4", "Typed URLs", {kMargin, kAddressesLabelTop, kHalfWidth, 17}));
    controls.push_back(List("ListBox1", ControlKind::ListBox, {kMargin, kAddressesTop, kHalfWidth, kAddressesHeight}));
    controls.back().label = "Label4";
    controls.push_back(DetailHeading("Label3", "IE Favourites", {rightLeft, kAddressesLabelTop, kHalfWidth, 17}));
    controls.push_back(List("ListBox2", ControlKind::ListBox, {rightLeft, kAddressesTop, kHalfWidth, kAddressesHeight}));
    controls.back().label = "Label3";

    controls.push_back(DetailHeading("Label5", "IE Flags", {kMargin, kFlagsLabelTop, kInnerWidth, 17}));
    ControlLayout flags = List("CheckListBox1", ControlKind::CheckList, {kMargin, kFlagsTop, kInnerWidth, kFlagsHeight});
    flags.columns = 3;
    flags.label = "Label5";
    controls.push_back(flags);

    // The address as plain text: this label takes no clicks.
    ControlLayout home;
    home.name = "Label6";
    home.kind = ControlKind::Label;
    home.text = kHomePageCaption;
    home.rect = {kValueLeft, kHomeTop, kValueWidth, 17};
    home.font = {"Verdana", 12, true, false};
    home.textColour = ui::kNavy;
    home.align = ui::TextAlign::Right;
    controls.push_back(home);

    ControlLayout foot = banner;
    foot.name = "Image2";
    foot.rect.top = kClientHeight - kBannerHeight;
    controls.push_back(foot);
    return controls;
}

ui::FormLayout BuildInternetForm() {
    ui::FormLayout form = DetailForm("TfrmInternet", "Internet", kClientWidth, kClientHeight,
                                     ui::FormPosition::MainFormCentre);
    form.menu = {
        Menu("File1", "File", {Item("SaveIEFavourites1", "Save IE Favourites"), Separator(), Item("Exit1", "Exit")}),
        Menu("View1", "View", {Item("Refresh1", "Refresh")}),
    };
    form.controls = InternetControls();
    return form;
}

}  // namespace

std::span<const DetailRow> InternetRows() { return kRows; }

const ui::FormLayout& InternetFormLayout() {
    static const ui::FormLayout form = BuildInternetForm();
    return form;
}

}  // namespace brimlow::forms
