#include "forms/usb_form.h"

#include "app/product.h"
#include "forms/layout_parts.h"
#include "res/resource_ids.h"

#include <string>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;

constexpr ui::Font kVerdana{"Verdana", 12, false, false};
constexpr ui::Font kVerdanaBold{"Verdana", 12, true, false};
constexpr ui::Font kVerdanaHeading{"Verdana", 13, true, false};
constexpr ui::Font kHomePage{"Verdana", 12, true, true};
constexpr ui::Colour kCaptionBack = ui::Rgb(0xCE, 0xDD, 0xF7);
constexpr ui::Colour kValueBack = ui::Rgb(0xFF, 0xFF, 0xE6);

constexpr int kLeft = 8;
constexpr int kCaptionWidth = 200;
constexpr int kValueLeft = 212;
constexpr int kValueWidth = 380;
constexpr int kClientWidth = kValueLeft + kValueWidth + kLeft;
constexpr int kTreeTop = 128;
constexpr int kTreeHeight = 340;
constexpr int kHomeTop = kTreeTop + kTreeHeight + 6;
constexpr int kClientHeight = kHomeTop + 17 + 6 + kBannerHeight;

ControlLayout Control(std::string name, ControlKind kind, std::string text, ui::Rect rect, ui::Font font = kVerdana) {
    return MakeControl(std::move(name), kind, std::move(text), rect, font);
}

ControlLayout Heading(std::string name, std::string text, ui::Rect rect) {
    ControlLayout c = Control(std::move(name), ControlKind::Label, std::move(text), rect, kVerdanaHeading);
    c.textColour = ui::kNavy;
    return c;
}

void AddRow(std::vector<ControlLayout>& controls, const char* caption, const char* text, const char* value, int top) {
    ControlLayout c = Control(caption, ControlKind::ReadOnlyEdit, text, {kLeft, top, kCaptionWidth, 21}, kVerdanaBold);
    c.textColour = ui::kNavy;
    c.backColour = kCaptionBack;
    controls.push_back(c);
    ControlLayout v = Control(value, ControlKind::ReadOnlyEdit, "", {kValueLeft, top, kValueWidth, 21});
    v.textColour = ui::kBlack;
    v.backColour = kValueBack;
    v.label = caption;
    controls.push_back(v);
}

}  // namespace

const ui::FormLayout& UsbFormLayout() {
    static const ui::FormLayout form = [] {
        ui::FormLayout f;
        f.className = "TfrmUSB";
        f.caption = "USB";
        f.clientWidth = kClientWidth;
        f.clientHeight = kClientHeight;
        f.backColour = ui::kWhite;
        f.border = ui::BorderStyle::Single;
        f.position = ui::FormPosition::MainFormCentre;
        f.iconResource = IDI_BRIMLOW;
        f.menu = {
            Menu("File1", "File", {Item("QuickPrint1", "Quick Print"), Separator(), Item("Close1", "Close")}),
            Menu("View1", "View", {Item("Refresh1", "Refresh", "F5")}),
        };
        std::vector<ControlLayout>& controls = f.controls;
        ControlLayout banner = BannerStrip("Image1", 0, kClientWidth);
        controls.push_back(banner);
        controls.push_back(Heading("Label1", "Item", {kLeft, 24, kCaptionWidth, 17}));
        controls.push_back(Heading("Label2", "Details", {kValueLeft, 24, kValueWidth, 17}));
        AddRow(controls, "Desc1", "USB Host Controllers", "Info1", 44);
        AddRow(controls, "Desc2", "USB Storage Devices", "Info2", 68);
        controls.push_back(Heading("Label5", "Devices", {kLeft, 104, kCaptionWidth, 17}));
        controls.push_back(Control("Button1", ControlKind::Button, "USB Drives",
                                   {kClientWidth - kLeft - 110, 98, 110, 25}));
        ControlLayout tree = Control("DeviceTree", ControlKind::TreeView, "", {kLeft, kTreeTop, kClientWidth - 2 * kLeft, kTreeHeight});
        tree.backColour = ui::kWhite;
        controls.push_back(tree);
        ControlLayout home = Control("Label3", ControlKind::Label, kHomePageCaption, {kValueLeft, kHomeTop, kValueWidth, 17}, kHomePage);
        home.textColour = ui::kNavy;
        home.align = ui::TextAlign::Right;
        controls.push_back(home);
        ControlLayout foot = banner;
        foot.name = "Image2";
        foot.rect.top = kClientHeight - kBannerHeight;
        controls.push_back(foot);
        return f;
    }();
    return form;
}

}  // namespace brimlow::forms
