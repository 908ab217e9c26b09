// Reading the registry without surprises: keys are closed on every path, and values of an
// unexpected type read as absent rather than as garbage.
#pragma once

#include "platform/win_handles.h"

#include <optional>
#include <string>

namespace brimlow::win {

// Opens an existing key for reading; never creates it. Empty when it does not open.
RegKey OpenKeyForRead(HKEY root, const char* path);

// A REG_SZ or REG_EXPAND_SZ value (not expanded). nullopt when missing or of another type.
// Data that lacks its terminating zero is taken up to its stored length.
std::optional<std::string> ReadStringValue(HKEY key, const char* name);

}  // namespace brimlow::win
