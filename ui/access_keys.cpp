#include "ui/access_keys.h"

#include <algorithm>

namespace brimlow::ui {
namespace {

// Letters and digits of the ASCII range only: the key is typed with Alt on any keyboard layout,
// and the virtual-key code of a letter key is its upper-case letter.
bool KeyCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::vector<std::size_t> ChooseAccessKeys(const std::vector<std::string>& captions, std::string_view taken) {
    std::string used;
    for (char c : taken) used += Upper(c);
    const auto free = [&](char c) { return KeyCharacter(c) && used.find(Upper(c)) == std::string::npos; };
    std::vector<std::size_t> keys(captions.size(), kNoAccessKey);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < captions.size(); ++i) {
            if (keys[i] != kNoAccessKey) continue;
            const std::string& caption = captions[i];
            for (std::size_t at = 0; at < caption.size(); ++at) {
                const bool initial = at == 0 || !KeyCharacter(caption[at - 1]);
                if ((pass == 0 && !initial) || !free(caption[at])) continue;
                keys[i] = at;
                used += Upper(caption[at]);
                break;
            }
        }
    }
    return keys;
}

std::string MenuBarKeys(const std::vector<std::string>& titles) {
    std::string keys;
    for (const std::string& title : titles) {
        const char marked = AccessKeyOf(title);
        if (marked) {
            keys += marked;
            continue;
        }
        const auto first = std::find_if(title.begin(), title.end(), KeyCharacter);
        if (first != title.end()) keys += Upper(*first);
    }
    return keys;
}

std::string WithAccessKey(std::string_view caption, std::size_t key) {
    std::string shown;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        if (at == key) shown += '&';
        else if (caption[at] == '&') shown += '&';
        shown += caption[at];
    }
    return shown;
}

std::string WithoutAccessKey(std::string_view shown) {
    std::string caption;
    for (std::size_t at = 0; at < shown.size(); ++at) {
        if (shown[at] == '&' && at + 1 < shown.size()) ++at;
        else if (shown[at] == '&') continue;
        caption += shown[at];
    }
    return caption;
}

char AccessKeyOf(std::string_view shown) {
    for (std::size_t at = 0; at + 1 < shown.size(); ++at) {
        if (shown[at] != '&') continue;
        if (shown[at + 1] != '&') return Upper(shown[at + 1]);
        ++at;  // "&&" is a plain "&"
    }
    return '\0';
}

}  // namespace brimlow::ui
