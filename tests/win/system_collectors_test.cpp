// The collectors against the real system calls. Network identity and names come from the machine
// the tests run on, so these check the form of each row; the time zone is fixed by the test run
// (TZ=Europe/Berlin, see scripts/test.sh).
#include "app/software_collectors.h"
#include "app/summary_text.h"
#include "platform/windows_version_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <regex>

namespace brimlow {
namespace {

TEST(WindowsVersion, DefaultPrefixIsWindows7Professional) {
    // The test prefix keeps Wine's default version.
    EXPECT_EQ(WindowsVersionText(), "Windows 7 Professional, Version 6.1.7601, Service Pack 1, ");
    EXPECT_EQ(ShortWindowsName(), "Windows NT");
}

TEST(WindowsVersion, RecordTailIsZeroedBeforeTheCall) {
    const auto record = ReadVersionRecord();
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->extended);
    const std::string csd(record->csdVersion.data());
    for (std::size_t i = csd.size(); i < record->csdVersion.size(); ++i) ASSERT_EQ(record->csdVersion[i], 0) << i;
}

TEST(WindowsVersion, GetWindowsVersionInfoFillsAllThreeTexts) {
    std::string edition = "e", version = "v", servicePack = "s";
    ASSERT_TRUE(GetWindowsVersionInfo(edition, version, servicePack));
    EXPECT_EQ(edition, "Windows 7 Professional");
    EXPECT_EQ(version, "6.1.7601");
    EXPECT_EQ(servicePack, "Service Pack 1");
}

TEST(SoftwareCollectors, HostName) {
    const std::string name = HostName();
    char expected[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof expected;
    ASSERT_TRUE(::GetComputerNameA(expected, &size));
    EXPECT_EQ(name, expected);
    EXPECT_LE(name.size(), 15u);
}

TEST(SoftwareCollectors, NetworkPresence) {
    EXPECT_EQ(NetworkPresence(), ::GetSystemMetrics(SM_NETWORK) ? "Network Present" : "");
}

TEST(SoftwareCollectors, TimeZoneFollowsTheTestZone) {
    const char* tz = std::getenv("TZ");
    if (!tz || std::string(tz) != "Europe/Berlin") GTEST_SKIP() << "run with TZ=Europe/Berlin";
    EXPECT_EQ(TimeZoneName(), "Central Europe Standard Time");
}

TEST(SoftwareCollectors, ListsHaveTheirRawForm) {
    const std::regex ipList(R"(^((\d{1,3}\.){3}\d{1,3} \| )*$)");
    const std::string ips = IpAddressList();
    EXPECT_TRUE(std::regex_match(ips, ipList)) << ips;

    const std::string adapters = NetworkAdapterList();
    EXPECT_TRUE(adapters.empty() || adapters.ends_with(" | ")) << adapters;
    EXPECT_FALSE(CleanListText(adapters).ends_with("|"));
    EXPECT_EQ(adapters.find('\0'), std::string::npos);

    const std::string mac = MacAddress();
    EXPECT_TRUE(mac.empty() || std::regex_match(mac, std::regex("^([0-9A-F]{2}-){5}[0-9A-F]{2}$"))) << mac;
}

}  // namespace
}  // namespace brimlow
