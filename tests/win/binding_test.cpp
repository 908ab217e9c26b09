// The run-time binding table against the real loader: all entry points or none, absent libraries
// and names without a fuss, and a loaded library freed with its owner.
#include "platform/win_binding.h"
#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace brimlow {
namespace {

using win::EntryPoint;
using win::RuntimeLibrary;

using TickCountFn = DWORD(WINAPI*)();
using ProcessIdFn = DWORD(WINAPI*)();
using InetIsOfflineFn = BOOL(WINAPI*)(DWORD);

// A non-null value no real slot holds, to see that a failed binding clears what was there.
template <typename Fn>
Fn Stale() {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x1234)));
}

TEST(RuntimeBinding, FillsEverySlotFromALoadedLibrary) {
    const RuntimeLibrary kernel("kernel32.dll", RuntimeLibrary::Source::AlreadyLoaded);
    ASSERT_TRUE(kernel);
    TickCountFn tickCount = nullptr;
    ProcessIdFn processId = nullptr;
    ASSERT_TRUE(kernel.Bind(EntryPoint{"GetTickCount", &tickCount}, EntryPoint{"GetCurrentProcessId", &processId}));
    ASSERT_NE(tickCount, nullptr);
    ASSERT_NE(processId, nullptr);
    EXPECT_EQ(processId(), ::GetCurrentProcessId()) << "the slot holds the entry point of that name";
}

TEST(RuntimeBinding, OneMissingNameBindsNothing) {
    const RuntimeLibrary kernel("kernel32.dll", RuntimeLibrary::Source::AlreadyLoaded);
    TickCountFn tickCount = Stale<TickCountFn>();
    ProcessIdFn missing = Stale<ProcessIdFn>();
    ProcessIdFn processId = Stale<ProcessIdFn>();
    EXPECT_FALSE(kernel.Bind(EntryPoint{"GetTickCount", &tickCount}, EntryPoint{"NoSuchEntryPoint", &missing},
                             EntryPoint{"GetCurrentProcessId", &processId}));
    EXPECT_EQ(tickCount, nullptr);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(processId, nullptr);
}

TEST(RuntimeBinding, AnAbsentLibraryIsQuietlyEmpty) {
    testing::ReportedErrors().clear();
    for (const auto source : {RuntimeLibrary::Source::AlreadyLoaded, RuntimeLibrary::Source::LoadNow}) {
        const RuntimeLibrary absent("no_such_library_here.dll", source);
        EXPECT_FALSE(absent);
        TickCountFn slot = Stale<TickCountFn>();
        EXPECT_FALSE(absent.Bind(EntryPoint{"GetTickCount", &slot}));
        EXPECT_EQ(slot, nullptr);
    }
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST(RuntimeBinding, ALibraryItLoadsGoesWithIt) {
    // URL.DLL is one of the optional libraries the program binds, and nothing here links it.
    ASSERT_EQ(::GetModuleHandleA("url.dll"), nullptr) << "already loaded: the test proves nothing";
    {
        RuntimeLibrary url("url.dll", RuntimeLibrary::Source::LoadNow);
        ASSERT_TRUE(url) << "Wine ships url.dll";
        InetIsOfflineFn inetIsOffline = nullptr;
        EXPECT_TRUE(url.Bind(EntryPoint{"InetIsOffline", &inetIsOffline}));
        EXPECT_NE(::GetModuleHandleA("url.dll"), nullptr);
        // Moving hands the library on; the moved-from object is empty, and nothing is freed twice.
        RuntimeLibrary moved(std::move(url));
        EXPECT_FALSE(url);
        EXPECT_TRUE(moved);
        EXPECT_NE(::GetModuleHandleA("url.dll"), nullptr);
    }
    EXPECT_EQ(::GetModuleHandleA("url.dll"), nullptr);
}

}  // namespace
}  // namespace brimlow
