// The building blocks of every window's layout, so a layout reads like the window it makes.
#pragma once

#include "res/resource_ids.h"
#include "ui/form_layout.h"

#include <string>
#include <utility>
#include <vector>

namespace brimlow::forms {

// The picture strip across a window's top and foot.
inline constexpr int kBannerHeight = 17;
inline ui::ControlLayout BannerStrip(std::string name, int top, int width) {
    ui::ControlLayout c;
    c.name = std::move(name);
    c.kind = ui::ControlKind::Picture;
    c.rect = {0, top, width, kBannerHeight};
    c.resourceId = IDB_BANNER;
    return c;
}

// A control of a layout; each window passes the font most of its controls share.
inline ui::ControlLayout MakeControl(std::string name, ui::ControlKind kind, std::string text, ui::Rect rect,
                                     ui::Font font) {
    ui::ControlLayout c;
    c.name = std::move(name);
    c.kind = kind;
    c.text = std::move(text);
    c.rect = rect;
    c.font = font;
    return c;
}

// A detail window: white, with a single fixed border and the program's icon.
inline ui::FormLayout DetailForm(std::string className, std::string caption, int clientWidth, int clientHeight,
                                 ui::FormPosition position) {
    ui::FormLayout form;
    form.className = std::move(className);
    form.caption = std::move(caption);
    form.clientWidth = clientWidth;
    form.clientHeight = clientHeight;
    form.backColour = ui::kWhite;
    form.border = ui::BorderStyle::Single;
    form.position = position;
    form.iconResource = IDI_BRIMLOW;
    return form;
}

inline ui::MenuItemLayout Item(std::string name, std::string caption, std::string shortcut = {}) {
    return ui::MenuItemLayout{std::move(name), std::move(caption), std::move(shortcut), {}};
}
inline ui::MenuItemLayout Separator() { return ui::MenuItemLayout{{}, "-", {}, {}}; }
inline ui::MenuItemLayout Menu(std::string name, std::string caption, std::vector<ui::MenuItemLayout> items) {
    return ui::MenuItemLayout{std::move(name), std::move(caption), {}, std::move(items)};
}

}  // namespace brimlow::forms
