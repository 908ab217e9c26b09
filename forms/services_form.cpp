#include "forms/services_form.h"
#include "forms/layout_parts.h"

namespace brimlow::forms {
namespace {

using ui::ControlKind;
using ui::ControlLayout;
using ui::MenuItemLayout;


constexpr int kClientWidth = 470;
constexpr int kClientHeight = 400;

ui::FormLayout BuildServicesForm() {
    ui::FormLayout form;
    form.className = "TfrmServices";
    form.caption = "Services";
    form.clientWidth = kClientWidth;
    form.clientHeight = kClientHeight;
    form.position = ui::FormPosition::MainFormCentre;
    form.menu = {
        {"File1", "File", {}, {Item("Exit1", "Exit")}},
        {"View1", "View", {}, {Item("Refresh1", "Refresh")}},
    };
    ControlLayout list;
    list.name = "ListView1";
    list.kind = ControlKind::ListView;
    list.rect = {0, 0, kClientWidth, kClientHeight};
    list.fillClient = true;
    list.list.columns = {{"Service", 150}, {"Status", 100}, {"Type", 100}, {"Service Name", 100}};
    // A plain report list: no stripes, no grid, a click selects the first cell only.
    list.list.gridLines = false;
    list.list.rowSelect = false;
    form.controls = {list};
    return form;
}

}  // namespace

const ui::FormLayout& ServicesFormLayout() {
    static const ui::FormLayout form = BuildServicesForm();
    return form;
}

}  // namespace brimlow::forms
