#include "forms/main_form.h"
#include "forms/layout_parts.h"

#include "app/product.h"
#include "app/summary_text.h"
#include "res/resource_ids.h"

#include <string>

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;
using ui::MenuItemLayout;


std::vector<MenuItemLayout> MainMenu() {
    return {
        Menu("File1", "&File",
             {Item("Save1", "Save to CSV", "F2"), Item("ExporttoHTML1", "Export to HTML"), Separator(),
              Item("Print1", "Print Full Spec", "Ctrl+P"), Item("QuickPrint1", "Quick Print"),
              Item("PrintHardwareSpec1", "Print Hardware Spec"), Separator(), Item("Exit1", "Exit", "F12")}),
        Menu("Edit1", "&Edit", {Item("CopytoClipboard1", "Copy to Clipboard", "Ctrl+C")}),
        Menu("View1", "&View",
             {Item("Refresh1", "Main System Info", "F5"), Separator(),
              Item("PersonalInfo1", "Personal Info", "F6"), Item("MemoryInfo1", "Memory Info", "F7"),
              Item("DisplayInfo1", "Display Info", "F8"), Item("DiskInfo1", "Disk Info", "F9"),
              Item("Uninstallers1", "App Info", "F10"), Item("CPUInfo1", "CPU Info", "F11"),
              Item("NetworkAdapters1", "Network Adapters"), Item("Sound1", "Sound"), Item("Startup1", "Startup"),
              Item("CDDVDInfo1", "CD / DVD Info"), Item("DeviceInfo1", "Device Info"),
              Item("PrinterInfo1", "Printer Info"), Item("Services1", "Services"), Item("BIOSInfo1", "BIOS Info"),
              Item("USBDrives1", "USB Drives"), Separator(), Item("SystemResourceMeters1", "CPU Meters"),
              Separator(), Item("ransparentBackground1", "Transparent Background", "Ctrl+T"), Separator(),
              Item("ScrollDown1", "Scroll Down", "Ctrl+D"), Item("ScrollUp1", "Scroll Up", "Ctrl+U")}),
        Menu("System1", "&System",
             {Item("Run1", "Run"), Item("Explorer1", "Explorer"), Separator(), Item("FindFiles1", "Find Files"),
              Item("FindComputer1", "Find Computer"), Separator(), Item("MinimizeAll1", "Minimize All"),
              Item("TrayProperties1", "Tray Properties"), Item("HideTaskbar1", "Hide Taskbar"), Separator(),
              Item("ShutdownSystem1", "Shutdown System"), Separator(), Item("TaskManager1", "Task Manager"),
              Separator(), Item("VolumeControl1", "Volume Control"), Separator(),
              Item("GroupPolicy1", "Group Policy"), Separator(), Item("MyComputer1", "My Computer"),
              Item("MyDocuments1", "My Documents"), Item("MyNetworkPlaces1", "My Network Places"),
              Item("RecycleBin1", "Recycle Bin"), Separator(), Item("USBSafeRemoval1", "USB Safe Removal")}),
        Menu("ControlPanel1", "&Control Panel",
             {Item("Accessibility1", "Accessibility"), Item("AddRemovePrograms1", "Add/Remove Programs"),
              Item("Display1", "Display"), Item("Desktop1", "Desktop"), Item("Internet1", "Internet"),
              Item("Regional1", "Regional"), Item("Joystick1", "Joystick"), Item("Mouse1", "Mouse"),
              Item("Multimedia1", "Multimedia"), Item("Modems1", "Modems"), Item("Network1", "Network"),
              Item("ODBC1", "ODBC"), Item("Password1", "Password"), Item("Printers1", "Printers"),
              Item("System2", "System"), Item("Theme1", "Theme"), Item("TimeDate1", "Time/Date"),
              Item("Workgroup1", "Workgroup"), Item("ScannersCameras1", "Scanners/Cameras"),
              Item("PhoneandModemOptions1", "Phone and Modem Options")}),
        Menu("Programs1", "Programs",
             {Item("SystemFileChecker1", "System File Checker"), Item("Scandisk1", "Scandisk"),
              Item("Defrag1", "Defrag"), Item("SysEdit1", "Sys Edit"),
              Item("FileSignatureVerification1", "File Signature Verification"),
              Item("DeviceManager1", "Device Manager"), Item("Dxdiag1", "Dxdiag"),
              Item("OnScreenKeyboard1", "On Screen Keyboard")}),
        Menu("Hardware1", "Hardware",
             {Item("StandbyMonitor1", "Standby Monitor"), Item("SwitchOffMonitor1", "Switch Off Monitor"),
              Item("EjectCD1", "Eject CD"), Item("LoadCD1", "Load CD"), Item("MuteSpeakers1", "Mute Speakers"),
              Item("MuteMicrophone1", "Mute Microphone")}),
        Menu("Options1", "Options", {Item("Administrator1", "Administrator")}),
        Menu("Help1", "&Help",
             {Item("UsingBrimlow1", "Using Brimlow"), Item("Brimlowwebpage1", "Brimlow - Webpage"), Separator(),
              Item("About1", "About")}),
    };
}

ui::ToolBarLayout MainToolBar() {
    ui::ToolBarLayout bar;
    bar.buttonSize = 39;
    bar.imageSize = 32;
    bar.bitmapResource = IDB_TOOLBAR;
    bar.height = 45;
    const struct { const char* name; const char* hint; } buttons[] = {
        {"ToolButton6", "Personal Info"}, {"ToolButton7", "Memory Info"},   {"ToolButton8", "Display Info"},
        {"ToolButton9", "Disk Info"},     {"ToolButton11", "CD/DVD Info"},  {"ToolButton2", "CPU Info"},
        {"ToolButton12", "Internet"},     {"ToolButton13", "Installed Programs"}, {"Toolbutton14", "Network"},
        {"ToolButton1", "Printers"},      {"ToolButton4", "Sound"},         {"ToolButton3", "USB"},
        {"ToolButton10", "Date and Time"}, {"ToolButton5", "Exit"},
    };
    int image = 0;
    for (const auto& b : buttons) bar.buttons.push_back({b.name, b.hint, image++, {}, false});
    return bar;
}

constexpr ui::Font kVerdana{"Verdana", 13, false, false};
constexpr ui::Font kVerdanaBold{"Verdana", 13, true, false};
constexpr ui::Font kVerdanaLink{"Verdana", 13, true, true};
constexpr ui::Colour kLabelBack = ui::Rgb(0xCE, 0xDD, 0xF7);
constexpr ui::Colour kValueBack = ui::Rgb(0xFF, 0xFF, 0xE6);

constexpr int kBannerTop = 45;
constexpr int kHeadingTop = 68;
constexpr int kFootTop = kRowTop + kSummaryRowCount * kRowPitch + 6;
constexpr int kDesignClientWidth = 704;
constexpr int kDesignClientHeight = 860;

ControlLayout Text(std::string name, std::string text, ui::Rect rect, ui::Font font, ui::Colour colour) {
    ControlLayout c;
    c.name = std::move(name);
    c.kind = ControlKind::Label;
    c.text = std::move(text);
    c.rect = rect;
    c.font = font;
    c.textColour = colour;
    return c;
}

std::vector<ControlLayout> MainControls() {
    std::vector<ControlLayout> controls;
    ControlLayout banner;
    banner.name = "Image1";
    banner.kind = ControlKind::Picture;
    banner.rect = {0, kBannerTop, kDesignClientWidth, kBannerHeight};
    banner.resourceId = IDB_BANNER;
    banner.anchors = ui::kAnchorRight;
    controls.push_back(banner);

    controls.push_back(Text("Label1", "Item", {kLabelLeft, kHeadingTop, kLabelWidth, 18}, kVerdanaBold, ui::kNavy));
    controls.push_back(Text("Label2", "Details", {kValueLeft, kHeadingTop, 200, 18}, kVerdanaBold, ui::kNavy));

    for (int n = 1; n <= kSummaryRowCount; ++n) {
        const int top = kRowTop + (n - 1) * kRowPitch;
        ControlLayout desc;
        desc.name = "Desc" + std::to_string(n);
        desc.kind = ControlKind::ReadOnlyEdit;
        desc.text = kSummaryLabels[n - 1];
        desc.rect = {kLabelLeft, top, kLabelWidth, kRowHeight};
        desc.font = kVerdanaBold;
        desc.textColour = ui::kNavy;
        desc.backColour = kLabelBack;
        controls.push_back(desc);

        ControlLayout info;
        info.name = "Info" + std::to_string(n);
        info.kind = ControlKind::ReadOnlyEdit;
        info.rect = {kValueLeft, top, kValueWidth, kRowHeight};
        info.font = kVerdana;
        info.textColour = ui::kBlack;
        info.backColour = kValueBack;
        info.label = desc.name;
        controls.push_back(info);

        if (n == 19 || n == 20 || n == 25)
            // In the gap between the row's caption and value, clear of both at every DPI's rounding.
            controls.push_back(Text("Star" + std::to_string(n), "*", {kLabelLeft + kLabelWidth, top + 2, 7, 16},
                                    kVerdanaBold, ui::kNavy));
    }

    ControlLayout link = Text("StaticText3", kHomePageCaption, {kLabelLeft, kFootTop, 260, 18}, kVerdanaLink, ui::kNavy);
    link.kind = ControlKind::LinkLabel;
    controls.push_back(link);
    controls.push_back(Text("Label4", "*", {kValueLeft + 130, kFootTop, 8, 18}, kVerdanaBold, ui::kNavy));
    controls.push_back(Text("Label5", "Requires administrator privileges", {kValueLeft + 142, kFootTop, 280, 18},
                            kVerdana, ui::kNavy));

    ControlLayout foot = banner;
    foot.name = "Image2";
    foot.rect.top = kDesignClientHeight - kBannerHeight;
    foot.anchors = ui::kAnchorRight | ui::kAnchorBottom;
    controls.push_back(foot);
    return controls;
}

ui::FormLayout BuildMainForm() {
    ui::FormLayout form;
    form.className = "TForm1";
    form.caption = std::string(kProductName) + " " + kVersionText;
    form.width = 720;
    form.height = 918;
    form.clientWidth = kDesignClientWidth;
    form.clientHeight = kDesignClientHeight;
    form.minHeight = 450;
    form.backColour = ui::kWhite;
    form.iconResource = IDI_BRIMLOW;
    form.menu = MainMenu();
    form.toolBar = MainToolBar();
    form.controls = MainControls();
    return form;
}

}  // namespace

const ui::FormLayout& MainFormLayout() {
    static const ui::FormLayout form = BuildMainForm();
    return form;
}

}  // namespace brimlow::forms
