#include "forms/devices_form.h"
#include "forms/layout_parts.h"

#include "forms/unistall_form.h"

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;
using ui::MenuItemLayout;


constexpr int kClientWidth = 620;
constexpr int kClientHeight = 400;

ui::FormLayout BuildDevicesForm() {
    ui::FormLayout form;
    form.className = "TfrmDevices";
    form.caption = "Device Info";
    form.clientWidth = kClientWidth;
    form.clientHeight = kClientHeight;
    form.position = ui::FormPosition::MainFormCentre;
    form.menu = {
        {"File1", "File", {}, {Item("Print1", "Print", "Ctrl+P"), Item("Exit1", "Exit", "F12")}},
        {"View1", "View", {}, {Item("Refresh1", "Refresh", "F5")}},
    };
    ControlLayout list;
    list.name = "ListView1";
    list.kind = ControlKind::ListView;
    list.rect = {0, 0, kClientWidth, kClientHeight};
    list.fillClient = true;
    list.list.columns = {{"Driver", 280}, {"Provider", 180}, {"Version", 140}};
    list.list.stripeColour = kListStripe;
    ControlLayout status;
    status.name = "StatusBar1";
    status.kind = ControlKind::StatusBar;
    status.rect = {0, kClientHeight - 20, kClientWidth, 20};
    form.controls = {list, status};
    return form;
}

}  // namespace

const ui::FormLayout& DevicesFormLayout() {
    static const ui::FormLayout form = BuildDevicesForm();
    return form;
}

}  // namespace brimlow::forms
