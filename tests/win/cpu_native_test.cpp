// The real instruction and the real clock measurement on the machine the tests run on. Under Wine
// CPUID and RDTSC go straight to the host processor, so the decode is checked against what the
// host's kernel says about it in /proc/cpuinfo (skipped where that file cannot be read).
#include "cpu/clock_win.h"
#include "cpu/cpuid.h"
#include "cpu/cpuid_native.h"
#include "platform/win_handles.h"
#include "tests/common/host_cpuinfo.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace brimlow {
namespace {

TEST(NativeCpuid, DecodesLikeTheHostKernel) {
    const testing::HostProcessor host = testing::ReadHostProcessor();
    if (host.vendor.empty()) GTEST_SKIP() << "no /proc/cpuinfo to compare with";

    ASSERT_TRUE(CpuidSupported());
    NativeCpuidSource cpu;
    EXPECT_EQ(VendorText(cpu.CpuidLeaf(kLeafVendor)), host.vendor);
    EXPECT_EQ(testing::Normalised(BrandString()), host.brand);

    const ProcessorSignature sig = DecodeSignature(cpu.CpuidLeaf(kLeafSignature));
    EXPECT_EQ(sig.family, host.family);
    EXPECT_EQ(sig.model, host.model);
    if (host.stepping >= 0) {
        EXPECT_EQ(sig.stepping, host.stepping);
    }

    const TCPUFeatures f = ReadFeatures(cpu);
    for (const auto& [flag, name] : testing::kKernelListedFlags) EXPECT_EQ(f.*flag, host.flags.count(name) == 1) << name;
    for (const auto& [flag, name] : testing::kKernelListedWhenPresent)
        if (host.flags.count(name)) {
            EXPECT_TRUE(f.*flag) << name;
        }
}

// Restores the priorities a test changed, whatever it found.
class PriorityGuard {
public:
    PriorityGuard() : class_(::GetPriorityClass(::GetCurrentProcess())), thread_(::GetThreadPriority(::GetCurrentThread())) {}
    ~PriorityGuard() {
        ::SetPriorityClass(::GetCurrentProcess(), class_);
        ::SetThreadPriority(::GetCurrentThread(), thread_);
    }
    PriorityGuard(const PriorityGuard&) = delete;
    PriorityGuard& operator=(const PriorityGuard&) = delete;

private:
    DWORD class_;
    int thread_;
};

TEST(ClockMeasure, LeavesThePrioritiesAsItFoundThem) {
    const PriorityGuard guard;
    ASSERT_TRUE(::SetPriorityClass(::GetCurrentProcess(), BELOW_NORMAL_PRIORITY_CLASS));
    ASSERT_TRUE(::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL));

    const double mhz = ClockMeasure();
    EXPECT_GT(mhz, 0.0);  // the counter moved during the sleep
    EXPECT_EQ(::GetPriorityClass(::GetCurrentProcess()), static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(::GetThreadPriority(::GetCurrentThread()), THREAD_PRIORITY_BELOW_NORMAL);
}

TEST(ClockMeasure, PlatformRaisesAndReportsThePriorities) {
    const PriorityGuard guard;
    WinClockPlatform platform;
    platform.SetProcessPriorityClass(kRealtimePriorityClass);
    platform.SetThreadPriority(kThreadPriorityTimeCritical);
    // Windows gives the high class to a process without the right to real time; Wine never refuses.
    const std::optional<std::uint32_t> raised = platform.ProcessPriorityClass();
    ASSERT_TRUE(raised);
    EXPECT_TRUE(*raised == REALTIME_PRIORITY_CLASS || *raised == HIGH_PRIORITY_CLASS) << *raised;
    EXPECT_EQ(platform.ThreadPriority(), std::optional<int>(THREAD_PRIORITY_TIME_CRITICAL));
    const std::uint64_t first = platform.TimeStampCounter();
    EXPECT_NE(platform.TimeStampCounter(), first);
}

}  // namespace
}  // namespace brimlow
