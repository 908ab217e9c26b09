// The BIOS window TfrmBiosInfo: the identifier and the system and video BIOS dates and versions
// Windows records under HARDWARE\DESCRIPTION\System. Refilled each time it is shown.
#pragma once

#include "ui/form.h"

#include <optional>
#include <string>

namespace brimlow {

// A REG_MULTI_SZ value of an HKEY_LOCAL_MACHINE key as one line, each string followed by "|".
// nullopt when the value is missing; throws std::runtime_error "Can't open key" when the key does
// not open and "Wrong data type" when the value is of another type.
std::optional<std::string> ReadMultiString(const char* keyPath, const char* valueName);

class TfrmBiosInfo : public ui::Form {
public:
    TfrmBiosInfo();

    void Refresh1Click();
    void QuickPrint1Click();

protected:
    void FormCreate() override;
    void FormShow() override;
};

}  // namespace brimlow
