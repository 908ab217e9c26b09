// The real instruction and the real clock measurement on the machine the tests run on. Under Wine
// CPUID and RDTSC go straight to the host processor, so the decode is checked against what the
// host's kernel says about it in /proc/cpuinfo (skipped where that file cannot be read).
#include "cpu/clock_win.h"
#include "cpu/cpuid.h"
#include "cpu/cpuid_native.h"
#include "platform/win_handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

namespace brimlow {
namespace {

// "key : value" lines of the first processor in /proc/cpuinfo, through Wine's Z: drive.
std::map<std::string, std::string> HostCpuInfo() {
    std::map<std::string, std::string> info;
    const HANDLE file = ::CreateFileA("Z:\\proc\\cpuinfo", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return info;
    const win::FileHandle owner(file);
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);

    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty()) break;  // end of the first processor
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string key = line.substr(0, colon);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
        std::string value = colon + 1 < line.size() ? line.substr(colon + 1) : "";
        if (!value.empty() && value.front() == ' ') value.erase(0, 1);
        info[key] = value;
    }
    return info;
}

std::string Normalised(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ' || c == '\t') {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

TEST(NativeCpuid, DecodesLikeTheHostKernel) {
    const std::map<std::string, std::string> host = HostCpuInfo();
    if (!host.count("vendor_id")) GTEST_SKIP() << "no /proc/cpuinfo to compare with";

    ASSERT_TRUE(CpuidSupported());
    NativeCpuidSource cpu;
    EXPECT_EQ(VendorText(cpu.CpuidLeaf(kLeafVendor)), host.at("vendor_id"));
    EXPECT_EQ(Normalised(BrandString()), Normalised(host.at("model name")));

    const ProcessorSignature sig = DecodeSignature(cpu.CpuidLeaf(kLeafSignature));
    const int family = std::stoi(host.at("cpu family"));
    EXPECT_EQ(sig.family, family >= 15 ? 15 : family);
    EXPECT_EQ(sig.model, std::stoi(host.at("model")) & 0xF);
    if (host.count("stepping")) {
        EXPECT_EQ(sig.stepping, std::stoi(host.at("stepping")));
    }

    // Flags no kernel hides from its listing.
    std::set<std::string> flags;
    std::istringstream words(host.at("flags"));
    for (std::string w; words >> w;) flags.insert(w);
    const TCPUFeatures f = ReadFeatures(cpu);
    const std::pair<bool, const char*> pairs[] = {{f.FPU, "fpu"}, {f.TSC, "tsc"},   {f.CX8, "cx8"}, {f.CMOV, "cmov"},
                                                  {f.MMX, "mmx"}, {f.XSR, "fxsr"}, {f.SIMD, "sse"}};
    for (const auto& [decoded, name] : pairs) EXPECT_EQ(decoded, flags.count(name) == 1) << name;
    if (flags.count("mmxext")) {
        EXPECT_TRUE(f.EX_MMX);
    }
    if (flags.count("3dnow")) {
        EXPECT_TRUE(f._3DNOW);
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
