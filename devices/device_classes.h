// The driver of each device setup class's first device instance, from the class tree of the
// registry.
#pragma once

#include <string>
#include <vector>

namespace brimlow {

inline constexpr const char* kClassRoot002 = "SYSTEM\\ControlSet002\\Control\\Class";
inline constexpr const char* kClassRoot003 = "SYSTEM\\ControlSet003\\Control\\Class";

struct ClassDriver {
    std::string description;  // DriverDesc
    std::string provider;     // ProviderName
    std::string version;      // DriverVersion
};

// One entry per class whose instance "0000" has a driver description, in the order the registry
// returns the classes. The class tree of control set 002 is read, or that of 003 when 002 does
// not open. Everything is opened for reading only, so users without administrator rights get the
// list too.
std::vector<ClassDriver> ReadClassDrivers();

}  // namespace brimlow
