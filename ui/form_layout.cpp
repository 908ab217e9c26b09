#include "ui/form_layout.h"

#include <cctype>
#include <cstdlib>

namespace brimlow::ui {

std::optional<int> CommandIdOf(const FormLayout& form, std::string_view name) {
    int id = kFirstCommandId;
    std::optional<int> found;
    ForEachMenuItem(form.menu, [&](const MenuItemLayout& item) {
        if (!found && !item.name.empty() && item.name == name) found = id;
        ++id;
    });
    if (found) return found;
    if (form.toolBar) {
        for (const ToolButtonLayout& button : form.toolBar->buttons) {
            if (button.name == name) return id;
            ++id;
        }
    }
    ForEachMenuItem(form.popupMenus, [&](const MenuItemLayout& item) {
        if (!found && !item.name.empty() && item.name == name) found = id;
        ++id;
    });
    return found;
}

std::optional<int> ControlIdOf(const FormLayout& form, std::string_view name) {
    for (std::size_t i = 0; i < form.controls.size(); ++i)
        if (form.controls[i].name == name) return kFirstControlId + static_cast<int>(i);
    return std::nullopt;
}

std::optional<int> TimerIdOf(const FormLayout& form, std::string_view name) {
    for (std::size_t i = 0; i < form.timers.size(); ++i)
        if (form.timers[i].name == name) return kFirstTimerId + static_cast<int>(i);
    return std::nullopt;
}

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::optional<std::uint16_t> KeyCode(std::string_view key) {
    if (key.size() == 1) {
        const unsigned char c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(key[0])));
        if (std::isalnum(c)) return c;  // letters and digits are their own virtual-key codes
        return std::nullopt;
    }
    if (key.size() >= 2 && (key[0] == 'F' || key[0] == 'f')) {
        const std::string digits(key.substr(1));
        char* end = nullptr;
        const long n = std::strtol(digits.c_str(), &end, 10);
        if (end && *end == 0 && n >= 1 && n <= 24) return static_cast<std::uint16_t>(0x70 + n - 1);
        return std::nullopt;
    }
    struct Named { const char* name; std::uint16_t code; };
    static constexpr Named kNamed[] = {
        {"Del", 0x2E}, {"Ins", 0x2D}, {"Esc", 0x1B}, {"Enter", 0x0D}, {"Tab", 0x09},
        {"Home", 0x24}, {"End", 0x23}, {"PgUp", 0x21}, {"PgDn", 0x22},
    };
    for (const Named& n : kNamed)
        if (EqualsNoCase(key, n.name)) return n.code;
    return std::nullopt;
}

}  // namespace

std::optional<Shortcut> ParseShortcut(std::string_view text) {
    Shortcut result;
    for (;;) {
        const std::size_t plus = text.find('+');
        if (plus == std::string_view::npos || plus + 1 == text.size()) break;
        const std::string_view modifier = text.substr(0, plus);
        if (EqualsNoCase(modifier, "Ctrl"))
            result.ctrl = true;
        else if (EqualsNoCase(modifier, "Shift"))
            result.shift = true;
        else if (EqualsNoCase(modifier, "Alt"))
            result.alt = true;
        else
            return std::nullopt;
        text.remove_prefix(plus + 1);
    }
    const auto key = KeyCode(text);
    if (!key) return std::nullopt;
    result.key = *key;
    return result;
}

int ScaleForDpi(int length, int dpi) {
    // MulDiv rounds half away from zero.
    const long long product = static_cast<long long>(length) * dpi;
    const long long half = 48;
    return static_cast<int>(product >= 0 ? (product + half) / 96 : -((-product + half) / 96));
}

}  // namespace brimlow::ui
