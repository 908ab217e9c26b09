#include "devices/device_classes.h"

#include "platform/win_registry.h"

namespace brimlow {

std::vector<ClassDriver> ReadClassDrivers() {
    std::vector<ClassDriver> drivers;
    win::RegKey root = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kClassRoot002);
    if (!root) root = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kClassRoot003);
    if (!root) return drivers;
    for (const std::string& name : win::SubKeyNames(root.get())) {
        const win::RegKey instance = win::OpenKeyForRead(root.get(), (name + "\\0000").c_str());
        if (!instance) continue;
        ClassDriver driver;
        driver.description = win::ReadValueText(instance.get(), "DriverDesc").value_or(std::string());
        if (driver.description.empty()) continue;
        driver.provider = win::ReadValueText(instance.get(), "ProviderName").value_or(std::string());
        driver.version = win::ReadValueText(instance.get(), "DriverVersion").value_or(std::string());
        drivers.push_back(std::move(driver));
    }
    return drivers;
}

}  // namespace brimlow
