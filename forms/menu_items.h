// The building blocks of every window's menus, so a layout reads like the menu it makes.
#pragma once

#include "ui/form_layout.h"

#include <string>
#include <utility>
#include <vector>

namespace brimlow::forms {

inline ui::MenuItemLayout Item(std::string name, std::string caption, std::string shortcut = {}) {
    return ui::MenuItemLayout{std::move(name), std::move(caption), std::move(shortcut), {}};
}
inline ui::MenuItemLayout Separator() { return ui::MenuItemLayout{{}, "-", {}, {}}; }
inline ui::MenuItemLayout Menu(std::string name, std::string caption, std::vector<ui::MenuItemLayout> items) {
    return ui::MenuItemLayout{std::move(name), std::move(caption), {}, std::move(items)};
}

}  // namespace brimlow::forms
