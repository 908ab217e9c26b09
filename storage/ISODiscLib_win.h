// The optical library's view of the running system: the Windows release from GetVersionExA, the
// administrator test on the caller's token, GetDriveTypeA, the system's device files and a
// 100 ms pause that keeps the windows painting.
#pragma once

#include "storage/ISODiscLib.h"

namespace brimlow::storage {

DiscLibPlatform SystemDiscLibPlatform();

// The system's Windows version index (WindowsVersionIndex), -1 when the version is not known.
int SystemWindowsVersionIndex();

}  // namespace brimlow::storage
