// The main window's layout as data: what the program builds and what the UI driver relies on.
#include "forms/main_form.h"

#include "app/summary_text.h"

#include <gtest/gtest.h>

#include <set>

namespace brimlow {
namespace {

using ui::MenuItemLayout;

std::vector<std::string> Captions(const std::vector<MenuItemLayout>& items) {
    std::vector<std::string> out;
    for (const MenuItemLayout& item : items) out.push_back(item.shortcut.empty() ? item.caption : item.caption + " [" + item.shortcut + "]");
    return out;
}

const MenuItemLayout& TopMenu(const char* caption) {
    for (const MenuItemLayout& menu : forms::MainFormLayout().menu)
        if (menu.caption == caption) return menu;
    throw std::runtime_error(std::string("no menu ") + caption);
}

TEST(MainForm, MenuBarInOrder) {
    std::vector<std::string> top;
    for (const MenuItemLayout& menu : forms::MainFormLayout().menu) top.push_back(menu.caption);
    EXPECT_EQ(top, (std::vector<std::string>{"&File", "&Edit", "&View", "&System", "&Control Panel", "Programs",
                                              "Hardware", "Options", "&Help"}));
}

TEST(MainForm, FileViewAndHelpItemsWithShortcutsAndSeparators) {
    EXPECT_EQ(Captions(TopMenu("&File").items),
              (std::vector<std::string>{"Save to CSV [F2]", "Export to HTML", "-", "Print Full Spec [Ctrl+P]",
                                        "Quick Print", "Print Hardware Spec", "-", "Exit [F12]"}));
    EXPECT_EQ(Captions(TopMenu("&Edit").items), (std::vector<std::string>{"Copy to Clipboard [Ctrl+C]"}));
    EXPECT_EQ(Captions(TopMenu("&View").items),
              (std::vector<std::string>{"Main System Info [F5]", "-", "Personal Info [F6]", "Memory Info [F7]",
                                        "Display Info [F8]", "Disk Info [F9]", "App Info [F10]", "CPU Info [F11]",
                                        "Network Adapters", "Sound", "Startup", "CD / DVD Info", "Device Info",
                                        "Printer Info", "Services", "BIOS Info", "USB Drives", "-", "CPU Meters", "-",
                                        "Transparent Background [Ctrl+T]", "-", "Scroll Down [Ctrl+D]",
                                        "Scroll Up [Ctrl+U]"}));
    EXPECT_EQ(Captions(TopMenu("&Help").items),
              (std::vector<std::string>{"Using Brimlow", "Brimlow - Webpage", "-", "About"}));
    EXPECT_EQ(TopMenu("&Control Panel").items.size(), 20u);
    EXPECT_EQ(TopMenu("&System").items.size(), 16u + 8u);  // 16 items, 8 separators
}

TEST(MainForm, EveryShortcutParsesAndNoneRepeats) {
    std::set<std::pair<int, bool>> seen;
    ui::ForEachMenuItem(forms::MainFormLayout().menu, [&](const MenuItemLayout& item) {
        if (item.shortcut.empty()) return;
        const auto shortcut = ui::ParseShortcut(item.shortcut);
        ASSERT_TRUE(shortcut) << item.shortcut;
        EXPECT_TRUE(seen.insert({shortcut->key, shortcut->ctrl}).second) << item.shortcut;
    });
    EXPECT_EQ(seen.size(), 14u);
}

TEST(MainForm, NamesAreUnique) {
    std::set<std::string> names;
    const ui::FormLayout& form = forms::MainFormLayout();
    ui::ForEachMenuItem(form.menu, [&](const MenuItemLayout& item) {
        if (!item.name.empty()) {
            EXPECT_TRUE(names.insert(item.name).second) << item.name;
        }
    });
    for (const auto& button : form.toolBar->buttons) EXPECT_TRUE(names.insert(button.name).second) << button.name;
    for (const auto& control : form.controls) EXPECT_TRUE(names.insert(control.name).second) << control.name;
}

TEST(MainForm, ToolBarHintsInOrder) {
    std::vector<std::string> hints;
    for (const auto& button : forms::MainFormLayout().toolBar->buttons) hints.push_back(button.hint);
    EXPECT_EQ(hints, (std::vector<std::string>{"Personal Info", "Memory Info", "Display Info", "Disk Info",
                                               "CD/DVD Info", "CPU Info", "Internet", "Installed Programs", "Network",
                                               "Printers", "Sound", "USB", "Date and Time", "Exit"}));
}

TEST(MainForm, SummaryRowsStand26PixelsApartWithTheirLabels) {
    const ui::FormLayout& form = forms::MainFormLayout();
    for (int n = 1; n <= kSummaryRowCount; ++n) {
        SCOPED_TRACE(n);
        const auto desc = ui::ControlIdOf(form, "Desc" + std::to_string(n));
        const auto info = ui::ControlIdOf(form, "Info" + std::to_string(n));
        ASSERT_TRUE(desc && info);
        const ui::ControlLayout& d = form.controls[*desc - ui::kFirstControlId];
        const ui::ControlLayout& i = form.controls[*info - ui::kFirstControlId];
        EXPECT_EQ(d.text, kSummaryLabels[n - 1]);
        EXPECT_EQ(i.text, "");
        EXPECT_EQ(d.rect.top, forms::kRowTop + (n - 1) * 26);
        EXPECT_EQ(i.rect.top, d.rect.top);
        EXPECT_EQ(d.rect.width, 170);
        EXPECT_EQ(i.rect.width, 440);
        EXPECT_EQ(d.backColour, ui::Rgb(0xCE, 0xDD, 0xF7));
        EXPECT_EQ(i.backColour, ui::Rgb(0xFF, 0xFF, 0xE6));
        EXPECT_TRUE(d.font.bold);
        EXPECT_FALSE(i.font.bold);
    }
    // The value column is the shown window width less the margin FormResize keeps.
    EXPECT_EQ(forms::kShownWidth - forms::kValueWidthMargin, forms::kValueWidth);
}

TEST(MainForm, CommandIdsFollowMenuThenToolBarOrder) {
    const ui::FormLayout& form = forms::MainFormLayout();
    EXPECT_EQ(ui::CommandIdOf(form, "File1"), ui::kFirstCommandId);
    EXPECT_EQ(ui::CommandIdOf(form, "Save1"), ui::kFirstCommandId + 1);
    int menuItems = 0;
    ui::ForEachMenuItem(form.menu, [&](const MenuItemLayout&) { ++menuItems; });
    EXPECT_EQ(ui::CommandIdOf(form, "ToolButton6"), ui::kFirstCommandId + menuItems);
    EXPECT_EQ(ui::CommandIdOf(form, "ToolButton5"), ui::kFirstCommandId + menuItems + 13);
    EXPECT_FALSE(ui::CommandIdOf(form, "NoSuchItem"));
    EXPECT_FALSE(ui::CommandIdOf(form, ""));  // separators have no name to find them by
}

TEST(ParseShortcut, Cases) {
    struct Case {
        const char* text;
        std::optional<ui::Shortcut> expected;
    };
    const Case cases[] = {
        {"F5", ui::Shortcut{0x74}},
        {"F12", ui::Shortcut{0x7B}},
        {"Ctrl+P", ui::Shortcut{'P', true}},
        {"ctrl+t", ui::Shortcut{'T', true}},
        {"Shift+Ctrl+F2", ui::Shortcut{0x71, true, true}},
        {"Alt+X", ui::Shortcut{'X', false, false, true}},
        {"Del", ui::Shortcut{0x2E}},
        {"F0", std::nullopt},
        {"F25", std::nullopt},
        {"Hyper+P", std::nullopt},
        {"Ctrl+", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = ui::ParseShortcut(c.text);
        ASSERT_EQ(parsed.has_value(), c.expected.has_value());
        if (!parsed) continue;
        EXPECT_EQ(parsed->key, c.expected->key);
        EXPECT_EQ(parsed->ctrl, c.expected->ctrl);
        EXPECT_EQ(parsed->shift, c.expected->shift);
        EXPECT_EQ(parsed->alt, c.expected->alt);
    }
}

TEST(ScaleForDpi, RoundsLikeMulDiv) {
    EXPECT_EQ(ui::ScaleForDpi(250, 96), 250);
    EXPECT_EQ(ui::ScaleForDpi(250, 120), 313);  // 312.5 rounds up
    EXPECT_EQ(ui::ScaleForDpi(13, 144), 20);    // 19.5
    EXPECT_EQ(ui::ScaleForDpi(-13, 144), -20);
}

}  // namespace
}  // namespace brimlow
