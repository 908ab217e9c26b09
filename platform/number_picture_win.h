// The user's own number settings.
#pragma once

#include <string>

namespace brimlow::win {

// LOCALE_STHOUSAND of the user's locale; "," when the system does not say.
std::string UserThousandSeparator();

}  // namespace brimlow::win
