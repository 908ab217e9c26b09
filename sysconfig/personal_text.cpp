#include "sysconfig/personal_text.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace brimlow {
namespace {

struct CivilDate {
    long long year;
    unsigned month;
    unsigned day;
};

// Days since 1 January 1970 to a Gregorian date (proleptic, no table of month lengths to drift).
CivilDate FromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<long long>(yoe) + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

constexpr std::array<const char*, 12> kMonths{"January", "February", "March",     "April",
                                              "May",     "June",     "July",      "August",
                                              "September", "October", "November", "December"};

}  // namespace

std::string InstallDateText(std::uint32_t seconds, char date_separator, char time_separator) {
    const CivilDate date = FromDays(seconds / 86400);
    const std::uint32_t rest = seconds % 86400;
    char text[64];
    std::snprintf(text, sizeof text, "%02u%c%02u%c%04lld %02u%c%02u%c%02u", date.month, date_separator,
                  date.day, date_separator, date.year, rest / 3600, time_separator, rest / 60 % 60,
                  time_separator, rest % 60);
    return text;
}

std::string UpTimeText(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
    const auto s = static_cast<unsigned long long>(std::nearbyint(seconds));  // default mode: half to even
    // Centuries, years, months, weeks and days are split off but not shown: only the time within the day.
    const unsigned long long in_day = s % 86400;
    char text[32];
    std::snprintf(text, sizeof text, "%2.2d:%2.2d:%2.2d", static_cast<int>(in_day / 3600),
                  static_cast<int>(in_day / 60 % 60), static_cast<int>(in_day % 60));
    return text;
}

std::string JoinMultiString(std::span<const std::uint8_t> data) {
    if (data.size() <= 1) return {};
    std::string text(data.begin(), data.end() - 1);
    for (char& c : text)
        if (c == '\0') c = '|';
    return text;
}

std::string ZoneTransitionText(unsigned month, unsigned day, unsigned hour, unsigned minute) {
    if (month < 1 || month > 12 || hour > 23 || minute > 59) return {};
    const unsigned hour12 = hour % 12 == 0 ? 12 : hour % 12;
    char text[64];
    std::snprintf(text, sizeof text, "%s %02u %02u:%02u %s", kMonths[month - 1], day, hour12, minute,
                  hour < 12 ? "am" : "pm");
    return text;
}

std::string DaylightStatusText(std::uint32_t code) {
    switch (code & 0xFFFFu) {
    case 0: return "Current daylight status is unknown";
    case 1: return "Not currently in the daylight savings time period";
    case 2: return "Are currently in the daylight savings time period";
    default: return {};
    }
}

std::string BiasText(long minutes) { return std::to_string(minutes) + " minutes"; }

}  // namespace brimlow
