// What Windows starts by itself: the values of the six Run keys and the entries of the two Startup
// folders, read afresh on every call.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brimlow {

struct StartupEntry {
    std::string location;  // the place's label
    std::string name;      // value name or file name
    std::string path;      // the value's text (a command line) or the entry's full path
    bool operator==(const StartupEntry&) const = default;
};

// Visits every entry in reading order: the Run keys (values in registry order; a value whose text
// form is empty is left out, and a value of another type than text counts with its text form),
// then the all-users and the current user's Startup folders (every kind of entry, hidden files
// and subfolders too, in the order the file system lists them). Places that do not exist add
// nothing.
void ForEachStartupEntry(const std::function<void(const StartupEntry&)>& visit);

// The entries of one folder whose path ends in a backslash, labelled `location`.
void ForEachFolderEntry(const std::string& folder, const std::string& location,
                        const std::function<void(const StartupEntry&)>& visit);

// The user name the current user's folder is built from, trimmed; empty when it cannot be had.
std::string StartupUserName();

}  // namespace brimlow
