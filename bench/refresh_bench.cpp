// Times the summary refresh on a hidden main window, with everything real except the clock
// measurement's half-second sleep, and then each collector on its own. Run by hand under Wine
// (bench/summary_bench.sh does): refresh_bench.exe [runs]
#include "app/Unit1.h"
#include "app/hardware_collectors.h"
#include "app/software_collectors.h"
#include "cpu/clock_win.h"
#include "platform/device_io_win.h"
#include "platform/windows_version_win.h"
#include "platform/wmiquery.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using namespace brimlow;

// The system's clock, but the half second passes at once.
class NoSleepClock final : public ClockPlatform {
public:
    std::optional<std::uint32_t> ProcessPriorityClass() override { return system_.ProcessPriorityClass(); }
    std::optional<int> ThreadPriority() override { return system_.ThreadPriority(); }
    void SetProcessPriorityClass(std::uint32_t c) override { system_.SetProcessPriorityClass(c); }
    void SetThreadPriority(int p) override { system_.SetThreadPriority(p); }
    std::uint64_t TimeStampCounter() override { return system_.TimeStampCounter(); }
    void Sleep(std::uint32_t) override {}

private:
    WinClockPlatform system_;
};

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t.QuadPart * 1000.0 / frequency;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double TimeMedian(int runs, const std::function<void()>& step) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        step();
        times.push_back(Now() - start);
    }
    return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    {
        TForm1 form({"/norefresh"});
        const double created = Now();
        form.Create();
        std::printf("main window created: %.1f ms\n", Now() - created);
        NoSleepClock clock;
        form.SetHardwareSeams(nullptr, &clock);
        const double first = Now();
        form.Refresh1Click();
        std::printf("first refresh (without the 500 ms sleep): %.1f ms\n", Now() - first);

        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            const double start = Now();
            form.Refresh1Click();
            times.push_back(Now() - start);
        }
        std::sort(times.begin(), times.end());
        std::printf("refresh without the 500 ms sleep: median %.1f ms of %d runs (min %.1f, max %.1f)\n",
                    Median(times), runs, times.front(), times.back());

        const WmiCredentials none;
        DeviceIo& devices = win::SystemDevices();
        const struct {
            const char* name;
            std::function<void()> step;
        } steps[] = {
            {"Windows version + bitness", [] { WindowsVersionText(); IsWindows64Bit(); }},
            {"Internet Explorer", [] { InternetExplorerVersion(); }},
            {"memory", [] { MemoryText(); }},
            {"processor name", [] { ProcessorNameText(); }},
            {"clock (no sleep)", [&] { CpuSpeedText(clock); }},
            {"sound", [] { if (SoundDevicePresent()) SoundCardName(); }},
            {"display devices", [] { DisplayDevices(); MonitorCount(); }},
            {"screen", [] { ScreenSizeText(); ColorDepthText(); }},
            {"network", [] { NetworkPresence(); NetworkAdapterList(); }},
            {"optical drives", [&] { OpticalDriveList(devices); }},
            {"serial ports", [] { SerialPortList(); }},
            {"parallel probe (256 names)", [&] { ParallelPortProbe(devices, PlatformId()); }},
            {"parallel registry", [] { ParallelPortRegistryList(); }},
            {"mouse", [] { MouseText(); }},
            {"fixed disks", [] { FixedDisks(); }},
            {"USB + 1394", [&] { UsbControllerCount(devices); FirewireBusCount(devices); }},
            {"WMI rows 19 + 20", [&] {
                 WmiLastValue(".", "Win32_BIOS", "Manufacturer", none);
                 WmiLastValue("", "Win32_ComputerSystemProduct", "Name", none);
             }},
            {"power", [] { PowerStatus(); }},
            {"BIOS", [] { BiosText(); }},
            {"time zone", [] { TimeZoneName(); }},
            {"motherboard (WMI)", [] { MotherboardText(); }},
            {"IP addresses", [] { IpAddressList(); }},
            {"MAC address", [] { MacAddress(); }},
            {"host name", [] { HostName(); }},
        };
        double sum = 0;
        for (const auto& s : steps) {
            const double t = TimeMedian(runs, s.step);
            sum += t;
            std::printf("  %-28s %7.2f ms\n", s.name, t);
        }
        std::printf("  %-28s %7.2f ms\n", "sum of the collectors", sum);
    }
    ::CoUninitialize();
    return 0;
}
