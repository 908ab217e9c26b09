// The installed applications and device classes windows as data, and the command numbering of
// popup menus that the UI driver computes from the same layouts.
#include "forms/devices_form.h"
#include "forms/unistall_form.h"

#include <gtest/gtest.h>

namespace brimlow {
namespace {

using ui::MenuItemLayout;

std::vector<std::string> Captions(const std::vector<MenuItemLayout>& items) {
    std::vector<std::string> out;
    for (const MenuItemLayout& item : items)
        out.push_back(item.shortcut.empty() ? item.caption : item.caption + " [" + item.shortcut + "]");
    return out;
}

const ui::ControlLayout& ControlNamed(const ui::FormLayout& form, const std::string& name) {
    for (const ui::ControlLayout& control : form.controls)
        if (control.name == name) return control;
    throw std::runtime_error("no control " + name);
}

TEST(UnistallForm, ListColumnsMenusAndPopup) {
    const ui::FormLayout& form = forms::UnistallFormLayout();
    EXPECT_EQ(form.caption, "Application Install / Uninstall Information");
    EXPECT_TRUE(form.maximised);
    const ui::ControlLayout& list = ControlNamed(form, "ListView1");
    EXPECT_EQ(list.kind, ui::ControlKind::ListView);
    std::vector<std::pair<std::string, int>> columns;
    for (const auto& c : list.list.columns) columns.push_back({c.caption, c.width});
    EXPECT_EQ(columns, (std::vector<std::pair<std::string, int>>{
                           {"Name", 200}, {"Version", 60}, {"Help Link", 160}, {"Help Telephone", 120},
                           {"Install Location", 150}, {"Install Source", 150}, {"Publisher", 150}, {"Readme", 150},
                           {"Uninstall", 400}, {"", 150}}));
    EXPECT_EQ(list.list.stripeColour, 0xF7DDCEu);
    EXPECT_EQ(list.list.popupMenu, "PopupMenu1");
    EXPECT_EQ(ControlNamed(form, "StatusBar1").kind, ui::ControlKind::StatusBar);

    ASSERT_EQ(form.menu.size(), 3u);
    EXPECT_EQ(Captions(form.menu[0].items), (std::vector<std::string>{"Print [Ctrl+P]", "-", "Exit [F10]"}));
    EXPECT_EQ(Captions(form.menu[1].items), (std::vector<std::string>{"Refresh", "Sort", "-", "Toolbar"}));
    EXPECT_EQ(form.menu[2].caption, "Application");
    EXPECT_TRUE(form.menu[2].items.empty());
    ASSERT_EQ(form.popupMenus.size(), 1u);
    EXPECT_EQ(Captions(form.popupMenus[0].items),
              (std::vector<std::string>{"Browse Help Link", "Open Install Location", "Open Install Source",
                                        "View Readme", "-", "Uninstall", "-", "Delete Entry"}));

    std::vector<std::string> buttons;
    for (const ui::ToolButtonLayout& b : form.toolBar->buttons) buttons.push_back(b.separator ? "|" : b.caption);
    EXPECT_EQ(buttons, (std::vector<std::string>{"Uninstall", "|", "Delete Entry", "Open Location", "Open Source",
                                                 "View Help", "Website", "|", "Exit"}));
}

TEST(DevicesForm, ListColumnsAndMenus) {
    const ui::FormLayout& form = forms::DevicesFormLayout();
    EXPECT_EQ(form.caption, "Device Info");
    std::vector<std::string> columns;
    for (const auto& c : ControlNamed(form, "ListView1").list.columns) columns.push_back(c.caption);
    EXPECT_EQ(columns, (std::vector<std::string>{"Driver", "Provider", "Version"}));
    EXPECT_EQ(ControlNamed(form, "ListView1").list.stripeColour, 0xF7DDCEu);
    ASSERT_EQ(form.menu.size(), 2u);
    EXPECT_EQ(Captions(form.menu[0].items), (std::vector<std::string>{"Print [Ctrl+P]", "Exit [F12]"}));
    EXPECT_EQ(Captions(form.menu[1].items), (std::vector<std::string>{"Refresh [F5]"}));
}

TEST(CommandIds, PopupMenusFollowTheToolButtons) {
    const ui::FormLayout& form = forms::UnistallFormLayout();
    // Menu: 3 titles, 3 + 4 + 0 items; tool bar: 9 buttons; then the popup title and its 8 items.
    EXPECT_EQ(ui::CommandIdOf(form, "Exit1"), ui::kFirstCommandId + 3);
    EXPECT_EQ(ui::CommandIdOf(form, "ToolButton1"), ui::kFirstCommandId + 10);
    EXPECT_EQ(ui::CommandIdOf(form, "ToolButton9"), ui::kFirstCommandId + 18);
    EXPECT_EQ(ui::CommandIdOf(form, "PopupMenu1"), ui::kFirstCommandId + 19);
    EXPECT_EQ(ui::CommandIdOf(form, "BrowseHelpLink1"), ui::kFirstCommandId + 20);
    EXPECT_EQ(ui::CommandIdOf(form, "DeleteEntry1"), ui::kFirstCommandId + 27);
    EXPECT_FALSE(ui::CommandIdOf(form, "NoSuchItem"));
}

}  // namespace
}  // namespace brimlow
