#include "sysconfig/TfrmBiosInfo.h"

#include "forms/info_forms.h"
#include "platform/win_registry.h"
#include "sysconfig/personal_text.h"
#include "ui/print_form.h"

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace brimlow {
namespace {

constexpr const char* kSystemKey = "HARDWARE\\DESCRIPTION\\System";

}  // namespace

std::optional<std::string> ReadMultiString(const char* keyPath, const char* valueName) {
    win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, keyPath);
    if (!key) throw std::runtime_error("Can't open key");
    DWORD type = 0;
    DWORD size = 0;
    const LONG status = RegQueryValueExA(key.get(), valueName, nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status != ERROR_SUCCESS || type != REG_MULTI_SZ) throw std::runtime_error("Wrong data type");
    std::vector<std::uint8_t> data(size);
    if (size > 0) {
        if (RegQueryValueExA(key.get(), valueName, nullptr, &type, data.data(), &size) != ERROR_SUCCESS ||
            type != REG_MULTI_SZ)
            throw std::runtime_error("Wrong data type");
        data.resize(size);
    }
    return JoinMultiString(data);
}

TfrmBiosInfo::TfrmBiosInfo() : ui::Form(forms::BiosFormLayout()) {}

void TfrmBiosInfo::FormCreate() {
    OnClick("QuickPrint1", [this] { QuickPrint1Click(); });
    OnClick("Close1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
}

void TfrmBiosInfo::FormShow() { Refresh1Click(); }

void TfrmBiosInfo::Refresh1Click() {
    {
        win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kSystemKey);
        const auto text = [&](const char* name) {
            return key ? win::ReadStringValue(key.get(), name).value_or(std::string()) : std::string();
        };
        SetText("Info2", text("SystemBiosDate"));
        SetText("Info1", text("Identifier"));
        SetText("Info4", text("VideoBiosDate"));
    }
    // A missing version is an empty field; a value of another type stops here with its error box.
    SetText("Info3", ReadMultiString(kSystemKey, "SystemBiosVersion").value_or(std::string()));
    SetText("Info6", ReadMultiString(kSystemKey, "VideoBiosVersion").value_or(std::string()));
}

void TfrmBiosInfo::QuickPrint1Click() { ui::PrintFormImage(*this, ui::PrinterChoice::DefaultPrinter); }

}  // namespace brimlow
