// Writing a whole file so that it is either all there or not changed at all.
#pragma once

#include <string>
#include <string_view>

namespace brimlow::win {

// Writes `bytes` to a temporary file in the target's folder and only then puts it in the target's
// place, replacing a file of that name. A failure at any step leaves the target as it was and
// removes the temporary file; it throws PlatformError with the system's text.
void ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace brimlow::win
