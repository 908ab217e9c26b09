// Dates and times in the user's own formats.
#pragma once

#include <windows.h>

#include <string>

namespace brimlow::win {

// The user's short date, a blank and the user's long time format, e.g. "24/12/2009 17:05:09".
std::string ShortDateLongTimeText(const SYSTEMTIME& time);

// The same of the local time now.
std::string LocalDateTimeText();

}  // namespace brimlow::win
