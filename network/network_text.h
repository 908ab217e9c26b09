// The texts of the network windows, as pure rules: address lists, adapter addresses, the adapter
// query's error messages, the WMI fields of the adapters window and the paged account list.
#pragma once

#include "platform/wmi_value.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow {

inline constexpr const char* kAdministratorText = "You have Administrator Privileges";
inline constexpr const char* kNotAdministratorText = "You Do NOT have Administrator Privileges";
inline constexpr const char* kAttachedText = "Machine is attached to network";
inline constexpr const char* kNotAttachedText = "Machine is not attached to network";
inline constexpr const char* kDomainErrorText = "Error happened";

// The host's addresses in dotted form, "a | b"; one address stands alone, none is the empty text.
std::string AddressListText(std::span<const std::string> addresses);

// An adapter address as six two-digit upper-case hexadecimal numbers joined by "-".
using AdapterAddress = std::array<std::uint8_t, 6>;
std::string AdapterAddressText(const AdapterAddress& address);

// The NetBIOS walk over the LAN adapter numbers: `status` asks one adapter for its address
// (nullopt when it gave none). The next adapter is tried only while the text is all zeros; the
// result is the last text built, empty when no adapter answered.
std::string FirstAdapterAddressText(std::span<const std::uint8_t> lanAdapters,
                                    const std::function<std::optional<AdapterAddress>(std::uint8_t)>& status);

// The message box text for an error of the adapter list query; nullopt for the errors that pass
// silently.
std::optional<std::string> AdapterQueryMessage(unsigned long error);

// A value of the adapters window: null (or missing) is the empty text, a list shows its elements
// joined by " | " in order, anything else its ordinary text. Throws WmiConversionError only for an
// embedded object.
std::string AdapterFieldText(const WmiValue& value, std::string_view decimalSeparator);

// The name of a share in a Windows 9x level-50 entry: its first 13 bytes, up to the first NUL.
std::string LevelFiftyShareName(std::span<const std::uint8_t> entry);

// A mapped drive's line: the letter, ": " and the remote name.
std::string NetworkDriveLine(char letter, std::string_view remoteName);

// One answer of a paged account enumeration.
struct AccountPage {
    unsigned long status = 0;  // 0, 234 (more data) or an error
    std::vector<std::string> names;
};
inline constexpr unsigned long kMoreData = 234;
// Asks for pages while the answer is "more data" and collects every name; an error page ends the
// list with what its entries and the earlier pages gave.
std::vector<std::string> CollectAccountNames(const std::function<AccountPage()>& nextPage);

}  // namespace brimlow
