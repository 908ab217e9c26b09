#include "platform/win_datetime.h"

namespace brimlow::win {

std::string ShortDateLongTimeText(const SYSTEMTIME& time) {
    // A format picture holds at most 80 characters; its result fits easily.
    char date[256] = {};
    char clock[256] = {};
    if (::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date) == 0) date[0] = '\0';
    if (::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock) == 0) clock[0] = '\0';
    return std::string(date) + " " + clock;
}

std::string LocalDateTimeText() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return ShortDateLongTimeText(now);
}

}  // namespace brimlow::win
