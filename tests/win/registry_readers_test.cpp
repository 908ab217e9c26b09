// Registry readers against fixture trees: HKEY_LOCAL_MACHINE is redirected to a scratch key.
#include "app/software_collectors.h"
#include "platform/win_registry.h"
#include "platform/windows_version_win.h"
#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

namespace brimlow {
namespace {

using testing::ScratchMachineKey;

constexpr const char* kIeKey = "Software\\Microsoft\\Internet Explorer";
constexpr const char* kProductOptions = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";

TEST(InternetExplorerVersion, ReadsTheVersionValue) {
    ScratchMachineKey machine;
    machine.SetString(kIeKey, "Version", "6.0.2900.5512");
    EXPECT_EQ(InternetExplorerVersion(), "6.0.2900.5512");
}

TEST(InternetExplorerVersion, MissingKeyOrValueIsNotInstalled) {
    {
        ScratchMachineKey machine;
        EXPECT_EQ(InternetExplorerVersion(), "Not Installed");
    }
    {
        ScratchMachineKey machine;
        machine.SetString(kIeKey, "svcVersion", "11.0");
        EXPECT_EQ(InternetExplorerVersion(), "Not Installed");
    }
}

TEST(InternetExplorerVersion, VersionThatIsNotTextGivesAnEmptyRow) {
    ScratchMachineKey machine;
    machine.SetDword(kIeKey, "Version", 7);
    EXPECT_EQ(InternetExplorerVersion(), "");
}

TEST(ReadStringValue, TypesAndTerminators) {
    ScratchMachineKey machine;
    constexpr const char* path = "Fixture";
    machine.SetString(path, "plain", "text");
    machine.Set(path, "unterminated", REG_SZ, "abc", 3);
    machine.Set(path, "expand", REG_EXPAND_SZ, "%SystemRoot%", 13);
    machine.Set(path, "binary", REG_BINARY, "abc", 4);
    machine.SetDword(path, "number", 5);
    machine.Set(path, "empty", REG_SZ, "", 0);
    machine.Set(path, "inner zero", REG_SZ, "ab\0cd", 6);

    const win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, path);
    ASSERT_TRUE(key);
    EXPECT_EQ(win::ReadStringValue(key.get(), "plain"), "text");
    EXPECT_EQ(win::ReadStringValue(key.get(), "unterminated"), "abc");
    EXPECT_EQ(win::ReadStringValue(key.get(), "expand"), "%SystemRoot%");
    EXPECT_EQ(win::ReadStringValue(key.get(), "empty"), "");
    EXPECT_EQ(win::ReadStringValue(key.get(), "inner zero"), "ab");
    EXPECT_FALSE(win::ReadStringValue(key.get(), "binary"));
    EXPECT_FALSE(win::ReadStringValue(key.get(), "number"));
    EXPECT_FALSE(win::ReadStringValue(key.get(), "missing"));
}

TEST(OpenKeyForRead, NeverCreatesTheKey) {
    ScratchMachineKey machine;
    EXPECT_FALSE(win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kProductOptions));
    EXPECT_FALSE(win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kProductOptions));
}

TEST(ReadNtProductType, FromTheProductOptionsKey) {
    {
        ScratchMachineKey machine;
        machine.SetString(kProductOptions, "ProductType", "LANMANNT");
        EXPECT_EQ(ReadNtProductType(), "LANMANNT");
        // The NT 4 fallback turns it into the edition name.
        VersionRecord nt4;
        nt4.platformId = kPlatformNT;
        nt4.major = 4;
        nt4.build = 1381;
        EXPECT_EQ(NameWindowsVersion(nt4, ReadNtProductType).edition, "Windows NT Server 4.0.1381");
    }
    {
        ScratchMachineKey machine;
        machine.CreateKey(kProductOptions);
        EXPECT_FALSE(ReadNtProductType());
    }
    {
        ScratchMachineKey machine;
        machine.SetDword(kProductOptions, "ProductType", 1);
        EXPECT_FALSE(ReadNtProductType());
    }
    {
        ScratchMachineKey machine;
        EXPECT_FALSE(ReadNtProductType());
    }
}

}  // namespace
}  // namespace brimlow
