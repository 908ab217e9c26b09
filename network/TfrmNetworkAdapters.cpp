#include "network/TfrmNetworkAdapters.h"

#include "forms/network_forms.h"
#include "network/network_text.h"
#include "platform/wmiquery.h"

#include <windows.h>

#include <variant>

namespace brimlow {
namespace {

constexpr const char* kAdaptersQuery = "Select * from Win32_NetworkAdapterConfiguration ";

// The fields in the order they are filled, each with its property.
constexpr struct {
    const char* field;
    const char* property;
} kFields[] = {
    {"Edit9", "IPAddress"},   {"Edit11", "MACAddress"},  {"Edit13", "IPSubnet"},       {"Edit12", "DefaultIPGateway"},
    {"Edit14", "ServiceName"}, {"Edit15", "DHCPEnabled"}, {"Edit16", "DNSHostName"}, {"Edit17", "SettingID"},
};

std::string DecimalSeparator() {
    char separator[8] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) <= 0) return ".";
    return separator;
}

// The adapter's Index; -1 when the provider gives none a query can name.
std::int64_t IndexOf(const WmiInstance& adapter) {
    const WmiValue value = adapter.Read("Index");
    if (value.IsNull() || value.IsArray()) return -1;
    const auto* number = std::get_if<std::int64_t>(&value.scalar());
    return number ? *number : -1;
}

}  // namespace

TfrmNetworkAdapters::TfrmNetworkAdapters() : ui::Form(forms::NetworkAdaptersFormLayout()) {}

void TfrmNetworkAdapters::FormCreate() { OnChange("ComboBox1", [this] { ComboBox1Change(); }); }

void TfrmNetworkAdapters::FormShow() {
    ClearItems("ComboBox1");
    indexes_.clear();
    WmiEnumerate(WmiBinding::Moniker, kAdaptersQuery, [&](const WmiInstance& adapter) {
        // Providers differ: some carry no Caption, and their Description names the adapter.
        std::string caption = adapter.Text("Caption");
        if (adapter.Read("Caption").IsNull()) caption = adapter.Text("Description");
        AddItem("ComboBox1", caption);
        indexes_.push_back(IndexOf(adapter));
    });
    SetItemIndex("ComboBox1", 0);
    ComboBox1Change();
}

void TfrmNetworkAdapters::ComboBox1Change() {
    const int chosen = ItemIndex("ComboBox1");
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= indexes_.size()) return;
    FillFields(indexes_[static_cast<std::size_t>(chosen)]);
}

void TfrmNetworkAdapters::FillFields(std::int64_t index) {
    if (index < 0) return;
    const std::string separator = DecimalSeparator();
    WmiEnumerate(WmiBinding::Moniker, "Select * from Win32_NetworkAdapterConfiguration where Index=" + std::to_string(index),
                 [&](const WmiInstance& adapter) {
                     for (const auto& [field, property] : kFields) {
                         std::string text;
                         try {
                             text = AdapterFieldText(adapter.Read(property), separator);
                         } catch (const WmiConversionError&) {
                             // A value with no text (an embedded object) shows as nothing.
                         }
                         SetText(field, text);
                     }
                 });
}

}  // namespace brimlow
