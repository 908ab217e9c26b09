#include "network/network_text.h"

#include "app/summary_text.h"

#include <cstdio>

namespace brimlow {

std::string AddressListText(std::span<const std::string> addresses) {
    std::string list;
    for (const std::string& address : addresses) AppendListItem(list, address);
    return CleanListText(list);
}

std::string AdapterAddressText(const AdapterAddress& address) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", address[0], address[1], address[2], address[3],
                  address[4], address[5]);
    return text;
}

std::string FirstAdapterAddressText(std::span<const std::uint8_t> lanAdapters,
                                    const std::function<std::optional<AdapterAddress>(std::uint8_t)>& status) {
    static const std::string kZero = AdapterAddressText({});
    std::string text;
    for (std::uint8_t lana : lanAdapters) {
        if (const auto address = status(lana)) text = AdapterAddressText(*address);
        if (text != kZero) break;
    }
    return text;
}

std::optional<std::string> AdapterQueryMessage(unsigned long error) {
    switch (error) {
    case 50: return "Not Supported";
    case 87: return "Invalid Parameter";
    case 111: return "Buffer Overflow";
    case 232: return "No adapter is installed";
    default: return std::nullopt;
    }
}

std::string AdapterFieldText(const WmiValue& value, std::string_view decimalSeparator) {
    if (value.IsNull()) return {};
    if (!value.IsArray()) return WmiValueText(value, decimalSeparator);
    std::string text;
    for (const WmiScalar& element : value.elements()) {
        if (!text.empty()) text += " | ";
        text += WmiValueText(WmiValue(element), decimalSeparator);
    }
    return text;
}

std::string LevelFiftyShareName(std::span<const std::uint8_t> entry) {
    std::string name;
    for (std::size_t i = 0; i < entry.size() && i < 13 && entry[i] != 0; ++i) name += static_cast<char>(entry[i]);
    return name;
}

std::string NetworkDriveLine(char letter, std::string_view remoteName) {
    return std::string(1, letter) + ": " + std::string(remoteName);
}

std::vector<std::string> CollectAccountNames(const std::function<AccountPage()>& nextPage) {
    std::vector<std::string> names;
    for (;;) {
        AccountPage page = nextPage();
        names.insert(names.end(), page.names.begin(), page.names.end());
        if (page.status != kMoreData) return names;
    }
}

}  // namespace brimlow
