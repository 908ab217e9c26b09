// Naming of every Windows release from version records as the systems report them (numbers from
// each release's own GetVersionEx answer).
#include "platform/windows_version.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

namespace brimlow {
namespace {

VersionRecord Record(std::uint32_t platform, std::uint32_t major, std::uint32_t minor, std::uint32_t build,
                     const char* csd, std::uint8_t productType = 0, std::uint16_t suite = 0, bool extended = true) {
    VersionRecord r;
    r.platformId = platform;
    r.major = major;
    r.minor = minor;
    r.build = build;
    std::memcpy(r.csdVersion.data(), csd, std::strlen(csd));
    r.productType = productType;
    r.suiteMask = suite;
    r.extended = extended;
    return r;
}

ProductTypeReader NoRegistry() {
    return [] { return std::optional<std::string>(); };
}

struct Release {
    const char* name;
    VersionRecord record;
    const char* text;       // JoinWindowsVersionText
    const char* shortName;  // ShortWindowsNameFor
};

const Release kReleases[] = {
    {"Win32s", Record(0, 3, 10, 0, "Win32s 1.3", 0, 0, false), "Win32s, Version 3.10.0, , ", ""},
    {"Windows 95", Record(1, 4, 0, 0x040003B6, "", 0, 0, false), "Windows 95, Version 4.0.950, , ", "Windows 95"},
    {"Windows 95 OSR2 (B)", Record(1, 4, 0, 0x04000457, " B ", 0, 0, false),
     "Windows 95 OSR2, Version 4.0.1111B, , ", "Windows 95"},
    {"Windows 95 OSR2.5 (C)", Record(1, 4, 0, 0x04030464, " C ", 0, 0, false),
     "Windows 95 OSR2, Version 4.0.1124C, , ", "Windows 95"},
    {"Windows 98", Record(1, 4, 10, 0x040A07CE, " ", 0, 0, false), "Windows  98, Version 4.10.1998, , ", "Windows 98"},
    {"Windows 98 SE", Record(1, 4, 10, 0x040A08AE, " A ", 0, 0, false),
     "Windows 98 SE, Version 4.10.2222A, , ", "Windows 98SE"},
    {"Windows ME", Record(1, 4, 90, 0x045A0BB8, " ", 0, 0, false),
     "Windows Millennium Edition, Version 4.90.3000, , ", "Windows ME"},
    {"9x family, unknown minor", Record(1, 4, 50, 0, "", 0, 0, false), "Windows unknown, Version 4.50.0, , ",
     "Unknown"},
    {"9x family, major 5", Record(1, 5, 0, 0, "", 0, 0, false), "Windows unknown, Version 5.0.0, , ", "Unknown"},
    {"NT 4 Workstation SP6a", Record(2, 4, 0, 1381, "Service Pack 6a", 1),
     "Windows NT Workstation 4.0, Version 4.0.1381, Service Pack 6a, ", "Windows NT"},
    {"NT 4 Server", Record(2, 4, 0, 1381, "Service Pack 6a", 3),
     "Windows NT Server 4.0, Version 4.0.1381, Service Pack 6a, ", "Windows NT"},
    {"NT 4 Enterprise Server", Record(2, 4, 0, 1381, "Service Pack 6a", 3, 0x0002),
     "Windows NT Advanced Server 4.0, Version 4.0.1381, Service Pack 6a, ", "Windows NT"},
    {"NT 4 domain controller", Record(2, 4, 0, 1381, "Service Pack 6a", 2),
     "Windows unknown, Version 4.0.1381, Service Pack 6a, ", "Windows NT"},
    {"NT 3.51", Record(2, 3, 51, 1057, "Service Pack 5", 1),
     "Windows NT Workstation 4.0, Version 3.51.1057, Service Pack 5, ", "Windows NT"},
    {"2000 Professional", Record(2, 5, 0, 2195, "Service Pack 4", 1),
     "Windows 2000 Professional, Version 5.0.2195, Service Pack 4, ", "Windows 2000 "},
    {"2000 Server", Record(2, 5, 0, 2195, "Service Pack 4", 3),
     "Windows 2000 Server, Version 5.0.2195, Service Pack 4, ", "Windows 2000 "},
    {"2000 Advanced Server", Record(2, 5, 0, 2195, "", 3, 0x0002), "Windows 2000 Advanced Server, Version 5.0.2195, , ",
     "Windows 2000 "},
    {"2000 Datacenter (enterprise bit too)", Record(2, 5, 0, 2195, "", 3, 0x0082),
     "Windows 2000 Datacenter Server, Version 5.0.2195, , ", "Windows 2000 "},
    {"2000 domain controller", Record(2, 5, 0, 2195, "", 2), "Windows unknown, Version 5.0.2195, , ", "Windows 2000 "},
    {"XP Professional SP2", Record(2, 5, 1, 2600, "Service Pack 2", 1, 0x0100),
     "Windows XP Professional, Version 5.1.2600, Service Pack 2, ", "Windows XP"},
    {"XP Home", Record(2, 5, 1, 2600, "Service Pack 3", 1, 0x0300),
     "Windows XP Home Edition, Version 5.1.2600, Service Pack 3, ", "Windows XP"},
    {"Server 2003 Standard", Record(2, 5, 2, 3790, "Service Pack 2", 3),
     "Windows Server 2003 Standard Edition, Version 5.2.3790, Service Pack 2, ", "Windows Server 2003"},
    {"Server 2003 Enterprise", Record(2, 5, 2, 3790, "", 3, 0x0002),
     "Windows Server 2003 Enterprise Edition, Version 5.2.3790, , ", "Windows Server 2003"},
    {"Server 2003 Web", Record(2, 5, 2, 3790, "", 3, 0x0400), "Windows Server 2003 Web Edition, Version 5.2.3790, , ",
     "Windows Server 2003"},
    {"Server 2003 Datacenter", Record(2, 5, 2, 3790, "", 3, 0x0482),
     "Windows Server 2003 Datacenter Edition, Version 5.2.3790, , ", "Windows Server 2003"},
    {"Server 2003 domain controller", Record(2, 5, 2, 3790, "", 2),
     "Windows Server 2003 Standard Edition, Version 5.2.3790, , ", "Windows Server 2003"},
    {"XP x64 (5.2 workstation)", Record(2, 5, 2, 3790, "Service Pack 2", 1),
     "Windows Server 2003 Standard Edition, Version 5.2.3790, Service Pack 2, ", "Windows Server 2003"},
    {"5.3", Record(2, 5, 3, 1, "", 1), "Windows unknown, Version 5.3.1, , ", "Unknown"},
    {"Vista SP2", Record(2, 6, 0, 6002, "Service Pack 2", 1), "Windows VISTA, Version 6.0.6002, Service Pack 2, ",
     "Windows NT"},
    {"Server 2008", Record(2, 6, 0, 6002, "Service Pack 2", 3),
     "Windows 2008 Server, Version 6.0.6002, Service Pack 2, ", "Windows NT"},
    {"Vista domain controller", Record(2, 6, 0, 6002, "", 2), "Windows unknown, Version 6.0.6002, , ", "Windows NT"},
    {"7 Professional SP1", Record(2, 6, 1, 7601, "Service Pack 1", 1),
     "Windows 7 Professional, Version 6.1.7601, Service Pack 1, ", "Windows NT"},
    {"7 Home Premium", Record(2, 6, 1, 7600, "", 1, 0x0300), "Windows 7 Home Edition, Version 6.1.7600, , ",
     "Windows NT"},
    {"Server 2008 R2", Record(2, 6, 1, 7601, "Service Pack 1", 3),
     "Windows Server 2008 R2, Version 6.1.7601, Service Pack 1, ", "Windows NT"},
    {"Windows 8", Record(2, 6, 2, 9200, "", 1), "Windows unknown, Version 6.2.9200, , ", "Windows NT"},
    {"Windows 10 (manifested)", Record(2, 10, 0, 19045, "", 1), "Windows unknown, Version 10.0.19045, , ",
     "Windows NT"},
    {"CE", Record(3, 5, 0, 1400, "", 0, 0, false), "Windows unknown CE, Version 5.0.1400, , ", ""},
    {"unknown platform", Record(7, 1, 0, 0, "", 0, 0, false), "Windows unknown, Version 1.0.0, , ", ""},
};

TEST(WindowsVersion, NamesEveryRelease) {
    for (const Release& release : kReleases) {
        SCOPED_TRACE(release.name);
        EXPECT_EQ(JoinWindowsVersionText(NameWindowsVersion(release.record, NoRegistry())), release.text);
        EXPECT_EQ(ShortWindowsNameFor(release.record), release.shortName);
    }
}

TEST(WindowsVersion, BuildNumberKeepsOnlyItsLow16Bits) {
    const VersionRecord r = Record(2, 5, 1, 0x0001A028, "", 1);  // 106536: low word 0xA028
    EXPECT_EQ(NameWindowsVersion(r, NoRegistry()).version, "5.1.41000");
}

TEST(WindowsVersion, ServicePackStopsAtZeroOrAfter128Characters) {
    VersionRecord r = Record(2, 5, 1, 2600, "Service Pack 3", 1);
    r.csdVersion[20] = 'X';  // garbage after the terminator is not part of the text
    EXPECT_EQ(NameWindowsVersion(r, NoRegistry()).servicePack, "Service Pack 3");
    r.csdVersion.fill('Q');  // no terminator at all
    EXPECT_EQ(NameWindowsVersion(r, NoRegistry()).servicePack, std::string(128, 'Q'));
}

TEST(WindowsVersion, ReleaseLetterIsReadFromIndexOne) {
    // Only the character at index 1 counts: "A" elsewhere does not make a Second Edition.
    EXPECT_EQ(NameWindowsVersion(Record(1, 4, 10, 2222, "A  ", 0, 0, false), NoRegistry()).edition, "Windows  98");
    EXPECT_EQ(NameWindowsVersion(Record(1, 4, 0, 950, "  B", 0, 0, false), NoRegistry()).edition, "Windows 95");
}

TEST(WindowsVersion, NinetyFiveFamilyHasNoServicePack) {
    const auto n = NameWindowsVersion(Record(1, 4, 10, 2222, " A ", 0, 0, false), NoRegistry());
    EXPECT_EQ(n.servicePack, "");
}

TEST(WindowsVersion, NT4WithoutExtendedRecordAsksTheRegistry) {
    struct Case {
        std::optional<std::string> productType;
        const char* edition;
    };
    const Case cases[] = {
        {"WINNT", "Windows NT Workstation 4.0.1381"},
        {"LANMANNT", "Windows NT Server 4.0.1381"},
        {"SERVERNT", "Windows unknown"},
        {"winnt", "Windows unknown"},  // compared exactly
        {std::nullopt, "Windows unknown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.productType.value_or("<missing>"));
        int reads = 0;
        const auto n = NameWindowsVersion(Record(2, 4, 0, 1381, "Service Pack 5", 0, 0, false), [&] {
            ++reads;
            return c.productType;
        });
        EXPECT_EQ(n.edition, c.edition);
        EXPECT_EQ(reads, 1);
    }
}

TEST(WindowsVersion, RegistryIsNotReadWhenTheRecordSuffices) {
    int reads = 0;
    const ProductTypeReader counting = [&] {
        ++reads;
        return std::optional<std::string>("WINNT");
    };
    NameWindowsVersion(Record(2, 4, 0, 1381, "", 1), counting);               // extended NT 4
    NameWindowsVersion(Record(2, 5, 1, 2600, "", 0, 0, false), counting);     // basic XP record
    NameWindowsVersion(Record(1, 4, 10, 2222, " A ", 0, 0, false), counting);  // 98 SE
    EXPECT_EQ(reads, 0);
}

TEST(WindowsVersion, EmptyNamesStillCarryTheSeparators) {
    EXPECT_EQ(JoinWindowsVersionText({}), ", Version , , ");
}

}  // namespace
}  // namespace brimlow
