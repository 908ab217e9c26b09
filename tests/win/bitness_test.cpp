// What a 32-bit process sees on 64-bit Windows, against what the x86_64 build sees: the WOW64
// test, the 32-bit registry view and the redirected system folder. The tests run in a 64-bit
// Wine prefix.
#include "platform/win_handles.h"
#include "platform/win_registry.h"
#include "platform/windows_version_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace brimlow {
namespace {

constexpr bool kThis32Bit = sizeof(void*) == 4;

bool SystemHasWow64Folder() {
    char folder[MAX_PATH];
    return ::GetSystemWow64DirectoryA(folder, sizeof folder) != 0;
}

std::string Wow64Folder() {
    char folder[MAX_PATH] = {};
    ::GetSystemWow64DirectoryA(folder, sizeof folder);
    return folder;
}

TEST(Bitness, ThePrefixIs64Bit) {
    ASSERT_TRUE(SystemHasWow64Folder()) << "the tests run in a 64-bit prefix";
    // A 32-bit build runs under WOW64 there; a 64-bit build never does.
    EXPECT_EQ(IsWow64(), kThis32Bit);
    EXPECT_TRUE(IsWindows64Bit());
}

// Writes one value into each view of a scratch key under HKLM\Software and removes both again.
class BothRegistryViews : public ::testing::Test {
protected:
    static constexpr const char* kPath = "Software\\Brimlow Test\\Registry View";

    void SetUp() override {
        // 64-bit view first: on 32-bit Windows both writes reach the same key and the second wins.
        Write(KEY_WOW64_64KEY, "64-bit view");
        Write(KEY_WOW64_32KEY, "32-bit view");
    }
    void TearDown() override {
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kPath, view, 0);
            ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\Brimlow Test", view, 0);
        }
    }

private:
    static void Write(REGSAM view, const std::string& text) {
        win::RegKey key;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr,
                                    key.put(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExA(key.get(), "Which", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1)),
                  ERROR_SUCCESS);
    }
};

TEST_F(BothRegistryViews, ReadersSeeTheViewOfTheProcess) {
    const win::RegKey key = win::OpenKeyForRead(HKEY_LOCAL_MACHINE, kPath);
    ASSERT_TRUE(key);
    EXPECT_EQ(win::ReadStringValue(key.get(), "Which"), kThis32Bit ? "32-bit view" : "64-bit view");
}

TEST(Bitness, System32IsTheWow64FolderForA32BitProcess) {
    if (!SystemHasWow64Folder()) GTEST_SKIP() << "32-bit Windows: no redirection";
    const std::string name = "brimlow-redirect-test.tmp";
    const std::string inWow64 = Wow64Folder() + "\\" + name;
    char system[MAX_PATH] = {};
    ASSERT_NE(::GetSystemDirectoryA(system, sizeof system), 0u);
    const std::string inSystem = std::string(system) + "\\" + name;

    win::FileHandle file(::CreateFileA(inWow64.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file) << inWow64;
    file.reset();
    const bool seenInSystem = ::GetFileAttributesA(inSystem.c_str()) != INVALID_FILE_ATTRIBUTES;
    ::DeleteFileA(inWow64.c_str());
    EXPECT_EQ(seenInSystem, kThis32Bit);
}

}  // namespace
}  // namespace brimlow
