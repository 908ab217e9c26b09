// Reading the registry without surprises: keys are closed on every path, and values of an
// unexpected type read as absent rather than as garbage.
#pragma once

#include "platform/win_handles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brimlow::win {

// Opens an existing key for reading; never creates it. Empty when it does not open.
RegKey OpenKeyForRead(HKEY root, const char* path);

// A REG_SZ or REG_EXPAND_SZ value (not expanded). nullopt when missing or of another type.
// Data that lacks its terminating zero is taken up to its stored length.
std::optional<std::string> ReadStringValue(HKEY key, const char* name);

// A REG_DWORD value. Throws std::runtime_error "Failed to get data for '<name>'" when it is missing
// or of another type or size, as callers that insist on a number report it.
std::int32_t ReadIntegerValue(HKEY key, const char* name);

// The names of the key's values in the order the registry lists them; empty on a failure.
std::vector<std::string> ValueNames(HKEY key);

// A value's bytes whatever its type, at most `limit` of them; nullopt when it is missing, cannot
// be read or is larger than `limit`.
std::optional<std::string> ReadRawValue(HKEY key, const char* name, DWORD limit);

// A value of any type in its text form (platform/registry_text.h). nullopt when missing.
std::optional<std::string> ReadValueText(HKEY key, const char* name);

// The names of a key's subkeys, in the order the registry returns them.
std::vector<std::string> SubKeyNames(HKEY key);

// Deletes the subkey `name` of `parent` with everything beneath it. ERROR_SUCCESS, or the
// system's error code of the first step that failed (what was deleted before it stays deleted).
LONG DeleteKeyTree(HKEY parent, const std::string& name);

}  // namespace brimlow::win
