#include "sysconfig/startup_sources.h"

namespace brimlow {

std::string CurrentUserStartupFolder(const std::string& userName) {
    return "C:\\Documents and Settings\\" + userName + "\\Start Menu\\Programs\\Startup\\";
}

}  // namespace brimlow
