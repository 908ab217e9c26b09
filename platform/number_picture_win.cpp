#include "platform/number_picture_win.h"

#include <windows.h>

namespace brimlow::win {

std::string UserThousandSeparator() {
    char separator[8] = {};
    const int length = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    return length > 1 ? std::string(separator) : std::string(",");
}

}  // namespace brimlow::win
