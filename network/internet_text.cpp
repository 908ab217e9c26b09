#include "network/internet_text.h"

#include <algorithm>
#include <cctype>

namespace brimlow {
namespace {

constexpr const char* kFlagNames[] = {
    "Anchor Underline",
    "Check_Associations",
    "Disable Script Debugger",
    "Display Inline Images",
    "Enable Browser Extensions",
    "FormSuggest PW Ask",
    "FullScreen",
    "NotifyDownloadComplete",
    "Save_Session_History_On_Exit",
    "Show_ChannelBand",
    "Show_FullURL",
    "Show_StatusBar",
    "Show_ToolBar",
    "Show_URLinStatusBar",
    "Show_URLToolBar",
    "ShowedCheckBrowser",
    "Use FormSuggest",
    "Use Search Asst",
};

}  // namespace

std::span<const char* const> IeFlagNames() { return kFlagNames; }

bool IeFlagIsOn(std::string_view value) {
    constexpr std::string_view kOn = "yes";
    return value.size() == kOn.size() && std::equal(value.begin(), value.end(), kOn.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

const char* InternetStatusText(bool offline) { return offline ? "Not Connected" : "Connected"; }

const char* FlashText(bool installed) { return installed ? "Installed" : "NOT Installed"; }

std::string FileVersionText(std::uint32_t versionMs, std::uint32_t versionLs) {
    return std::to_string(versionMs >> 16) + "." + std::to_string(versionMs & 0xFFFF) + "." +
           std::to_string(versionLs >> 16) + "." + std::to_string(versionLs & 0xFFFF);
}

std::string FavouritesFileText(const std::vector<std::string>& addresses) {
    std::string text;
    for (const std::string& address : addresses) text += address + "\r\n";
    return text;
}

}  // namespace brimlow
