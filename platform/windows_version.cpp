#include "platform/windows_version.h"

#include <cstring>

namespace brimlow {
namespace {

constexpr std::uint16_t kSuiteEnterprise = 0x0002;
constexpr std::uint16_t kSuiteDatacenter = 0x0080;
constexpr std::uint16_t kSuitePersonal = 0x0200;
constexpr std::uint16_t kSuiteBlade = 0x0400;

constexpr std::uint8_t kWorkstation = 1;
constexpr std::uint8_t kServer = 3;

// szCSDVersion is not always terminated: stop at the first zero or at its 128 characters.
std::string CsdText(const VersionRecord& r) {
    const auto* end = static_cast<const char*>(std::memchr(r.csdVersion.data(), 0, r.csdVersion.size()));
    return std::string(r.csdVersion.data(), end ? end : r.csdVersion.data() + r.csdVersion.size());
}

// The 9x family keeps the release letter ("A" for 98 SE, "B"/"C" for 95 OSR2) at index 1.
char ReleaseLetter(const VersionRecord& r) { return r.csdVersion[1]; }

bool Has(const VersionRecord& r, std::uint16_t bit) { return (r.suiteMask & bit) != 0; }

void NameWindows9x(const VersionRecord& r, WindowsVersionNames& n) {
    if (r.major != 4) return;
    const char letter = ReleaseLetter(r);
    switch (r.minor) {
    case 0:
        if (letter == 'B' || letter == 'C') {
            n.edition = "Windows 95 OSR2";
            n.version += letter;
        } else {
            n.edition = "Windows 95";
        }
        break;
    case 10:
        if (letter == 'A') {
            n.edition = "Windows 98 SE";
            n.version += letter;
        } else {
            n.edition = "Windows  98";
        }
        break;
    case 90:
        n.edition = "Windows Millennium Edition";
        break;
    default:
        break;
    }
}

void NameNT4(const VersionRecord& r, const ProductTypeReader& readProductType, WindowsVersionNames& n) {
    if (r.extended) {
        if (r.productType == kWorkstation)
            n.edition = "Windows NT Workstation 4.0";
        else if (r.productType == kServer)
            n.edition = Has(r, kSuiteEnterprise) ? "Windows NT Advanced Server 4.0" : "Windows NT Server 4.0";
        return;
    }
    // NT 4 before SP6 rejects the extended record, so the edition comes from the registry.
    const std::optional<std::string> type = readProductType ? readProductType() : std::nullopt;
    if (!type) return;
    if (*type == "WINNT")
        n.edition = "Windows NT Workstation " + n.version;
    else if (*type == "LANMANNT")
        n.edition = "Windows NT Server " + n.version;
}

void NameNT(const VersionRecord& r, const ProductTypeReader& readProductType, WindowsVersionNames& n) {
    if (r.major < 5) {
        NameNT4(r, readProductType, n);
        return;
    }
    if (r.major == 5 && r.minor == 0) {
        if (r.productType == kWorkstation)
            n.edition = "Windows 2000 Professional";
        else if (r.productType == kServer)
            n.edition = Has(r, kSuiteDatacenter)   ? "Windows 2000 Datacenter Server"
                        : Has(r, kSuiteEnterprise) ? "Windows 2000 Advanced Server"
                                                   : "Windows 2000 Server";
    } else if (r.major == 5 && r.minor == 1) {
        n.edition = Has(r, kSuitePersonal) ? "Windows XP Home Edition" : "Windows XP Professional";
    } else if (r.major == 5 && r.minor == 2) {
        n.edition = Has(r, kSuiteDatacenter)   ? "Windows Server 2003 Datacenter Edition"
                    : Has(r, kSuiteEnterprise) ? "Windows Server 2003 Enterprise Edition"
                    : Has(r, kSuiteBlade)      ? "Windows Server 2003 Web Edition"
                                               : "Windows Server 2003 Standard Edition";
    } else if (r.major == 6 && r.minor == 0) {
        if (r.productType == kWorkstation)
            n.edition = "Windows VISTA";
        else if (r.productType == kServer)
            n.edition = "Windows 2008 Server";
    } else if (r.major == 6 && r.minor == 1) {
        if (r.productType == kWorkstation)
            n.edition = Has(r, kSuitePersonal) ? "Windows 7 Home Edition" : "Windows 7 Professional";
        else if (r.productType == kServer)
            n.edition = "Windows Server 2008 R2";
    }
}

}  // namespace

WindowsVersionNames NameWindowsVersion(const VersionRecord& r, const ProductTypeReader& readProductType) {
    WindowsVersionNames n;
    n.version = std::to_string(r.major) + "." + std::to_string(r.minor) + "." + std::to_string(r.build & 0xFFFFu);
    n.edition = "Windows unknown";
    switch (r.platformId) {
    case kPlatformWin32s:
        n.edition = "Win32s";
        break;
    case kPlatformWindows9x:
        NameWindows9x(r, n);
        break;
    case kPlatformNT:
        n.servicePack = CsdText(r);
        NameNT(r, readProductType, n);
        break;
    case kPlatformCE:
        n.edition += " CE";
        break;
    default:
        break;
    }
    return n;
}

std::string JoinWindowsVersionText(const WindowsVersionNames& n) {
    return n.edition + ", Version " + n.version + ", " + n.servicePack + ", ";
}

std::string ShortWindowsNameFor(const VersionRecord& r) {
    if (r.platformId == kPlatformWindows9x) {
        if (r.major == 4 && r.minor == 0) return "Windows 95";
        if (r.major == 4 && r.minor == 10) return ReleaseLetter(r) == 'A' ? "Windows 98SE" : "Windows 98";
        if (r.major == 4 && r.minor == 90) return "Windows ME";
        return "Unknown";
    }
    if (r.platformId == kPlatformNT) {
        if (r.major != 5) return "Windows NT";
        switch (r.minor) {
        case 0: return "Windows 2000 ";
        case 1: return "Windows XP";
        case 2: return "Windows Server 2003";
        default: return "Unknown";
        }
    }
    return {};
}

}  // namespace brimlow
