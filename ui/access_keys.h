// Access keys (Alt + a letter) for a window's push buttons, check boxes and the labels that name
// its edit fields. The layouts keep their captions as the user reads them; the letters are chosen
// when the window is made, so two controls of one window never share a letter and none takes a
// letter its menu bar already answers to.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow::ui {

inline constexpr std::size_t kNoAccessKey = std::string::npos;

// For each caption, the position of its access key, or kNoAccessKey when every letter and digit
// of it is already taken. Initials of words are preferred, in the order the captions come, before
// any other letter of any caption. `taken` holds letters not to use, in either case.
std::vector<std::size_t> ChooseAccessKeys(const std::vector<std::string>& captions, std::string_view taken);

// The letters a menu bar answers to after Alt: each title's marked letter, or its first letter
// when it has no mark (the system matches that too).
std::string MenuBarKeys(const std::vector<std::string>& titles);

// The caption as a button or label shows it: "&" before the key, every other "&" doubled.
std::string WithAccessKey(std::string_view caption, std::size_t key);
// The caption as the user reads it: marks removed, "&&" back to "&".
std::string WithoutAccessKey(std::string_view shown);
// The marked letter in upper case, or '\0' when the text has none.
char AccessKeyOf(std::string_view shown);

}  // namespace brimlow::ui
