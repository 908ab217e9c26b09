#include "forms/startup_form.h"
#include "forms/layout_parts.h"

#include "forms/unistall_form.h"

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;
using ui::MenuItemLayout;


constexpr int kClientWidth = 670;
constexpr int kClientHeight = 360;

ui::FormLayout BuildStartupForm() {
    ui::FormLayout form;
    form.className = "TfrmStartup";
    form.caption = "Startup";
    form.clientWidth = kClientWidth;
    form.clientHeight = kClientHeight;
    form.position = ui::FormPosition::MainFormCentre;
    form.menu = {
        {"File1", "File", {}, {Item("Exit1", "Exit", "F12")}},
        {"View1", "View", {}, {Item("Refresh1", "Refresh")}},
    };
    ControlLayout list;
    list.name = "ListView1";
    list.kind = ControlKind::ListView;
    list.rect = {0, 0, kClientWidth, kClientHeight};
    list.fillClient = true;
    list.list.columns = {{"Location", 150}, {"Name", 150}, {"Path", 350}};
    list.list.gridLines = false;
    list.list.flatScrollBars = true;
    list.list.stripeColour = kListStripe;
    ControlLayout status;
    status.name = "StatusBar1";
    status.kind = ControlKind::StatusBar;
    status.rect = {0, kClientHeight - 20, kClientWidth, 20};
    status.panelWidth = 300;
    form.controls = {list, status};
    return form;
}

}  // namespace

const ui::FormLayout& StartupFormLayout() {
    static const ui::FormLayout form = BuildStartupForm();
    return form;
}

}  // namespace brimlow::forms
