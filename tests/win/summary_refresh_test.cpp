// The summary refresh on a hidden main window: the hardware rows, through scripted device files
// and a clock that does not sleep, with fixtures in Wine's own (volatile) HARDWARE keys; the
// guards of the optical drive and parallel port steps, and the /nocom rule.
#include "app/Unit1.h"
#include "app/hardware_collectors.h"
#include "tests/fakes/instant_clock.h"
#include "tests/fakes/scripted_scsi.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <regex>

namespace brimlow {
namespace {

using testing::HardwareKeyFixture;
using testing::InstantClock;
using testing::InquiryData;
using testing::ScriptedDeviceIo;
using testing::ScsiDrive;
using testing::ScsiRequests;

class SummaryRefresh : public ::testing::Test {
protected:
    explicit SummaryRefresh(std::vector<std::string> params = {}) : form(std::move(params)) {}
    void SetUp() override {
        testing::ReportedErrors().clear();
        form.Create();
        ASSERT_NE(form.hwnd(), nullptr);
        form.SetHardwareSeams(&devices, &clock);
    }
    std::string Row(int n) const { return form.Text("Info" + std::to_string(n)); }
    std::vector<std::string> Opened(const std::string& prefix) const {
        std::vector<std::string> paths;
        for (const auto& open : devices.opens)
            if (open.path.rfind(prefix, 0) == 0) paths.push_back(open.path);
        return paths;
    }

    ScriptedDeviceIo devices;
    InstantClock clock;
    TForm1 form;
};

TEST_F(SummaryRefresh, EveryHardwareRowIsFilled) {
    ScsiRequests requests;
    devices.AddDevice("\\\\.\\D:", ScsiDrive(InquiryData("TSSTcorp", "CDDVDW SH-S223C", "SB01"), requests));
    devices.AddDevice("\\\\.\\HCD0");
    devices.AddDevice("\\\\.\\HCD1");
    devices.AddDevice("\\\\.\\HCD3");  // after a gap: not counted
    form.Refresh1Click();

    EXPECT_TRUE(std::regex_match(Row(3), std::regex(R"(\d+ MB)"))) << Row(3);
    EXPECT_FALSE(Row(4).empty());
    EXPECT_EQ(Row(5), "2600.0 MHz");
    EXPECT_EQ(clock.slept, 500u);
    EXPECT_EQ(Row(6), "Not detected");
    EXPECT_EQ(Row(7), "Wine Adapter");
    EXPECT_EQ(Row(8), "1x; Generic Non-PnP Monitor | ");
    EXPECT_EQ(Row(9), ScreenSizeText() + " - " + ColorDepthText());
    EXPECT_EQ(Row(12), "D: TSSTcorpCDDVDW SH-S223C");
    EXPECT_EQ(Row(14), "3 Button Wheel Mouse Present");
    EXPECT_EQ(Row(15), CleanListText(FixedDiskSizes()));
    EXPECT_TRUE(Row(15).starts_with("C:  ")) << Row(15);
    EXPECT_TRUE(Row(16).starts_with("C:  ")) << Row(16);
    EXPECT_EQ(Row(17), "2 host controllers.");
    EXPECT_EQ(Row(18), "Not Detected");
    EXPECT_EQ(Row(21), "OnLine");
    EXPECT_EQ(Row(24), "No Battery");
    EXPECT_EQ(devices.openHandles(), 0);
    EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);
}

TEST_F(SummaryRefresh, PortsFromTheRegistryWhenNoParallelPortOpens) {
    HardwareKeyFixture serial("HARDWARE\\DEVICEMAP\\SERIALCOMM");
    serial.SetString("\\Device\\Serial0", "COM1");
    serial.SetString("\\Device\\Serial1", "COM2");
    HardwareKeyFixture parallel("HARDWARE\\DEVICEMAP\\PARALLEL PORTS");
    parallel.SetString("\\Device\\Parallel0", "\\DosDevices\\LPT1");
    form.Refresh1Click();
    EXPECT_EQ(Row(13), "COM1 | COM2 LPT1");
    // The probe tried every name of the NT family and left nothing open.
    EXPECT_EQ(Opened("LPT").size() + Opened("\\\\.\\LPT").size(), 256u);
    EXPECT_EQ(devices.openHandles(), 0);
}

TEST_F(SummaryRefresh, PortsThatOpenComeBeforeTheRegistry) {
    HardwareKeyFixture serial("HARDWARE\\DEVICEMAP\\SERIALCOMM");
    HardwareKeyFixture parallel("HARDWARE\\DEVICEMAP\\PARALLEL PORTS");
    parallel.SetString("\\Device\\Parallel0", "\\DosDevices\\LPT1");
    devices.AddDevice("LPT2");
    devices.AddDevice("\\\\.\\LPT17");
    form.Refresh1Click();
    EXPECT_EQ(Row(13), "NOT Present LPT2 | \\\\.\\LPT17");
}

TEST_F(SummaryRefresh, NoPortsAtAll) {
    HardwareKeyFixture serial("HARDWARE\\DEVICEMAP\\SERIALCOMM");
    HardwareKeyFixture parallel("HARDWARE\\DEVICEMAP\\PARALLEL PORTS");
    form.Refresh1Click();
    EXPECT_EQ(Row(13), "NOT Present NOT Present");
}

TEST_F(SummaryRefresh, AFailingParallelStepKeepsTheSerialPart) {
    HardwareKeyFixture serial("HARDWARE\\DEVICEMAP\\SERIALCOMM");
    serial.SetString("\\Device\\Serial0", "COM1");
    devices.ThrowOnOpen("LPT4");
    form.Refresh1Click();
    EXPECT_EQ(Row(13), "COM1 ");
    EXPECT_FALSE(Row(28).empty()) << "the refresh went on";
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(SummaryRefresh, AFailingOpticalStepKeepsTheRowsPreviousText) {
    form.SetText("Info12", "E: an earlier drive");
    devices.ThrowOnOpen("\\\\.\\D:");
    form.Refresh1Click();
    EXPECT_EQ(Row(12), "E: an earlier drive");
    EXPECT_FALSE(Row(13).empty());
    EXPECT_FALSE(Row(28).empty()) << "the refresh went on";
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(SummaryRefresh, BiosRowFromWinesKey) {
    HardwareKeyFixture system("HARDWARE\\DESCRIPTION\\System");
    system.SetString("Identifier", "AT/AT COMPATIBLE");
    system.SetString("SystemBiosDate", "06/23/99");
    const char version[] = "PhoenixBIOS 4.0 Release 6.0\0Second\0";
    system.Set("SystemBiosVersion", REG_MULTI_SZ, version, sizeof version);
    form.Refresh1Click();
    EXPECT_EQ(Row(22), "AT/AT COMPATIBLE | 06/23/99 | PhoenixBIOS 4.0 Release 6.0");
}

class NocomRefresh : public SummaryRefresh {
protected:
    NocomRefresh() : SummaryRefresh({"/nOcOm"}) {}
};

TEST_F(NocomRefresh, PortsRowEmptyAndNoPortProbed) {
    HardwareKeyFixture serial("HARDWARE\\DEVICEMAP\\SERIALCOMM");
    serial.SetString("\\Device\\Serial0", "COM1");
    devices.AddDevice("LPT1");
    form.SetText("Info13", "COM1 LPT1");
    form.Refresh1Click();
    EXPECT_EQ(Row(13), "");
    EXPECT_TRUE(Opened("LPT").empty());
    EXPECT_TRUE(Opened("\\\\.\\LPT").empty());
    // Everything else is still asked.
    EXPECT_FALSE(Opened("\\\\.\\HCD").empty());
    form.Refresh1Click();
    EXPECT_EQ(Row(13), "");
}

}  // namespace
}  // namespace brimlow
