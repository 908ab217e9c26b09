#include "forms/unistall_form.h"
#include "forms/layout_parts.h"

#include "res/resource_ids.h"

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;
using ui::MenuItemLayout;


constexpr int kClientWidth = 780;
constexpr int kClientHeight = 460;

ui::ToolBarLayout AppToolBar() {
    ui::ToolBarLayout bar;
    bar.imageSize = 24;
    bar.bitmapResource = IDB_APPTOOLS;
    // Pictures in the strip: uninstall, delete, folder, disc, help, globe, door.
    bar.buttons = {
        {"ToolButton1", "", 0, "Uninstall", false},
        {"ToolButton8", "", 0, "", true},
        {"ToolButton2", "", 1, "Delete Entry", false},
        {"ToolButton3", "", 2, "Open Location", false},
        {"ToolButton4", "", 3, "Open Source", false},
        {"ToolButton5", "", 4, "View Help", false},
        {"ToolButton7", "", 5, "Website", false},
        {"ToolButton6", "", 0, "", true},
        {"ToolButton9", "", 6, "Exit", false},
    };
    return bar;
}

ui::FormLayout BuildUnistallForm() {
    ui::FormLayout form;
    form.className = "TfrmUnistall";
    form.caption = "Application Install / Uninstall Information";
    form.clientWidth = kClientWidth;
    form.clientHeight = kClientHeight;
    form.position = ui::FormPosition::MainFormCentre;
    form.maximised = true;
    form.menu = {
        {"File1", "File", {}, {Item("Print1", "Print", "Ctrl+P"), Separator(), Item("Exit1", "Exit", "F10")}},
        {"View1", "View", {}, {Item("Refresh1", "Refresh"), Item("Sort1", "Sort"), Separator(), Item("oolbar1", "Toolbar")}},
        {"Application1", "Application", {}, {}},
    };
    form.toolBar = AppToolBar();
    form.popupMenus = {
        {"PopupMenu1",
         "",
         {},
         {Item("BrowseHelpLink1", "Browse Help Link"), Item("OpenInstallLocation1", "Open Install Location"),
          Item("OpenInstallSource1", "Open Install Source"), Item("ViewReadme1", "View Readme"), Separator(),
          Item("Uninstall1", "Uninstall"), Separator(), Item("DeleteEntry1", "Delete Entry")}},
    };

    ControlLayout list;
    list.name = "ListView1";
    list.kind = ControlKind::ListView;
    list.rect = {0, 0, kClientWidth, kClientHeight};
    list.fillClient = true;
    list.list.columns = {{"Name", 200},          {"Version", 60},         {"Help Link", 160}, {"Help Telephone", 120},
                         {"Install Location", 150}, {"Install Source", 150}, {"Publisher", 150}, {"Readme", 150},
                         {"Uninstall", 400},     {"", 150}};
    list.list.stripeColour = kListStripe;
    list.list.popupMenu = "PopupMenu1";
    ControlLayout status;
    status.name = "StatusBar1";
    status.kind = ControlKind::StatusBar;
    status.rect = {0, kClientHeight - 20, kClientWidth, 20};
    form.controls = {list, status};
    return form;
}

}  // namespace

const ui::FormLayout& UnistallFormLayout() {
    static const ui::FormLayout form = BuildUnistallForm();
    return form;
}

}  // namespace brimlow::forms
