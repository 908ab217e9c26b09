// The drive window's texts: type names, list items, serials, the used-space gauge, number
// pictures, the flag list and the SMART rows.
#include "platform/number_picture.h"
#include "storage/disk_facts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace brimlow::storage {
namespace {

TEST(DiskFacts, NamesItemsAndSerials) {
    EXPECT_EQ(DriveTypeName(0), "Unknown");
    EXPECT_EQ(DriveTypeName(3), "Fixed");
    EXPECT_EQ(DriveTypeName(6), "RAMDisk");
    EXPECT_EQ(DriveTypeName(7), "");
    EXPECT_EQ(DriveListItem('C', "SYSDISK"), "C: [SYSDISK]");
    EXPECT_EQ(DriveListItem('D', ""), "D: []");
    EXPECT_EQ(VolumeSerialText(0x1A2B3C4D), "1A2B-3C4D");
    EXPECT_EQ(VolumeSerialText(0x0000BEEF), "0000-BEEF");
}

TEST(DiskFacts, UsedSpaceGauge) {
    struct Case {
        std::uint64_t total, free;
        int position;
        const char* text;
    };
    const Case cases[] = {
        {100000000000ull, 25000000000ull, 75, "75.0 %"},
        {3, 1, 67, "66.7 %"},
        {1000, 1000, 0, "0.0 %"},
        {1000, 0, 100, "100.0 %"},
        {0, 0, 0, "0%"},        // no size: the division is not made
        {1000, 5000, 0, "0.0 %"},  // more free than total: nothing counts as used
    };
    for (const Case& c : cases) {
        const UsedSpace used = UsedSpaceOf(c.total, c.free);
        EXPECT_EQ(used.position, c.position) << c.total << "/" << c.free;
        EXPECT_EQ(used.text, c.text) << c.total << "/" << c.free;
    }
}

TEST(DiskFacts, NumberPictures) {
    EXPECT_EQ(GroupThousands(std::uint64_t(0), ","), "0");
    EXPECT_EQ(GroupThousands(std::uint64_t(999), ","), "999");
    EXPECT_EQ(GroupThousands(std::uint64_t(1000), ","), "1,000");
    EXPECT_EQ(GroupThousands(std::uint64_t(250059350016ull), "."), "250.059.350.016");
    EXPECT_EQ(GroupThousands(std::numeric_limits<std::uint64_t>::max(), ","), "18,446,744,073,709,551,615");
    EXPECT_EQ(GroupThousands(std::int64_t(-1234567), ","), "-1,234,567");
    EXPECT_EQ(GroupThousands(std::numeric_limits<std::int64_t>::min(), ","), "-9,223,372,036,854,775,808");
    EXPECT_EQ(GroupThousands(std::uint64_t(1234567), "\xA0"), "1\xA0" "234\xA0" "567");
    EXPECT_EQ(BytesText(100000000000ull, ","), "100,000,000,000 bytes");
    EXPECT_EQ(BytesText(0, ","), "0 bytes");
}

TEST(DiskFacts, FeatureFlagLines) {
    // Wine's NTFS: case preserved, persistent ACLs, 255-character names.
    const std::vector<std::string> lines = VolumeFeatureLines(VolumeFeatureFlags(0x0A, 255));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Case Is Preserved: Yes");
    EXPECT_EQ(lines[1], "Case Sensitive: No");
    EXPECT_EQ(lines[3], "Persistent Acls: Yes");
    EXPECT_EQ(lines[6], "Long Filenames: Yes");
    EXPECT_EQ(lines[11], "Disk Quotas Support: No");
    EXPECT_EQ(VolumeFeatureFlags(0, 254), 0u);
    EXPECT_EQ(VolumeFeatureFlags(0x1 | 0x2 | 0x4 | 0x8 | 0x10 | 0x8000 | 0x20000 | 0x10000 | 0x80 | 0x40 | 0x20, 255),
              0xFFFu);
    EXPECT_EQ(VolumeFeatureFlags(0x8000, 0), 1u << 5);
    EXPECT_EQ(VolumeFeatureFlags(0x20, 0), 1u << 11);
    for (const std::string& line : VolumeFeatureLines(0)) EXPECT_TRUE(line.ends_with(": No")) << line;
}

TEST(DiskFacts, SmartTexts) {
    EXPECT_EQ(SmartVerdict(0), "SMART Test Passed");
    EXPECT_EQ(SmartVerdict(1), "SMART Test Failed, Bad Attributes 1");
    EXPECT_EQ(TemperatureText(31), "31\xB0" "C");
    EXPECT_EQ(TemperatureText(31).size(), 4u);  // one byte for the degree sign
    SmartAttribute a;
    a.id = 7;
    a.name = "Seek Error Rate";
    a.state = "OK";
    a.current = 62;
    a.worst = 60;
    a.threshold = 30;
    a.raw = 0x4107A3B2C1ull;  // only the low 32 bits are shown, as a signed number
    a.preFailure = true;
    a.errorRate = true;
    EXPECT_EQ(AttributeRowCells(a, ","), (std::vector<std::string>{"7", "Seek Error Rate", "OK", "62", "60", "30",
                                                                  "128,168,641", "Yes", "No", "Yes"}));
    a.raw = 0xFFFFFFFFull;
    EXPECT_EQ(AttributeRowCells(a, ",")[6], "-1");
    a.raw = 0x80000000ull;
    EXPECT_EQ(AttributeRowCells(a, ",")[6], "-2,147,483,648");
}

}  // namespace
}  // namespace brimlow::storage
