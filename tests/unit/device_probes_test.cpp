// The device questions of the summary against scripted devices.
#include "app/device_probes.h"
#include "app/summary_text.h"
#include "platform/scsi_pass_through.h"
#include "tests/fakes/scripted_scsi.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <stdexcept>

namespace brimlow {
namespace {

using testing::InquiryData;
using testing::ScriptedDeviceIo;
using testing::ScsiDrive;
using testing::ScsiRequests;

TEST(ScsiPassThrough, RecordOfOneCommand) {
    std::array<std::uint8_t, 100> data{};
    ScsiPassThroughDirectWithSense record;
    std::memset(&record, 0xCC, sizeof record);
    PrepareScsiCommand(record, InquiryCdb(100), ScsiDataDirection::In, data, 2, 24);
    const bool is32 = sizeof(void*) == 4;
    EXPECT_EQ(record.spt.Length, is32 ? 44u : 56u);
    EXPECT_EQ(record.spt.CdbLength, 6u);
    EXPECT_EQ(record.spt.SenseInfoLength, 24u);
    EXPECT_EQ(record.spt.DataIn, 1u);
    EXPECT_EQ(record.spt.DataTransferLength, 100u);
    EXPECT_EQ(record.spt.TimeOutValue, 2u);
    EXPECT_EQ(record.spt.DataBuffer, data.data());
    EXPECT_EQ(record.spt.SenseInfoOffset, is32 ? 48u : 60u);
    const std::uint8_t cdb[16] = {0x12, 0, 0, 0, 100};
    EXPECT_EQ(std::memcmp(record.spt.Cdb, cdb, sizeof cdb), 0);
    // Everything else is zero, the padding included.
    EXPECT_EQ(record.spt.ScsiStatus | record.spt.PathId | record.spt.TargetId | record.spt.Lun, 0);
    EXPECT_EQ(record.filler, 0u);
    for (std::uint8_t b : record.sense) EXPECT_EQ(b, 0);
    EXPECT_THROW(PrepareScsiCommand(record, std::vector<std::uint8_t>(17), ScsiDataDirection::In, data, 2, 24),
                 std::invalid_argument);
}

TEST(OpticalDriveModel, OneInquiryThroughTheDriveLetter) {
    ScriptedDeviceIo devices;
    ScsiRequests requests;
    devices.AddDevice("\\\\.\\D:", ScsiDrive(InquiryData("TSSTcorp", "CDDVDW SH-S223C", "SB01"), requests));

    EXPECT_EQ(OpticalDriveModel(devices, 'D'), "TSSTcorpCDDVDW SH-S223C SB01");
    ASSERT_EQ(devices.opens.size(), 1u);
    EXPECT_EQ(devices.opens[0].access, kGenericRead | kGenericWrite);
    EXPECT_EQ(devices.opens[0].share, kShareRead | kShareWrite);
    EXPECT_EQ(devices.openHandles(), 0);
    ASSERT_EQ(requests.records.size(), 1u);
    EXPECT_EQ(requests.inSizes[0], sizeof(ScsiPassThroughDirectWithSense));
    EXPECT_EQ(requests.outSizes[0], sizeof(ScsiPassThroughDirectWithSense));
    EXPECT_TRUE(requests.sameBuffer[0]);
    EXPECT_EQ(requests.records[0].spt.Cdb[0], kScsiInquiry);
    EXPECT_EQ(requests.records[0].spt.Cdb[4], 100u);
    EXPECT_EQ(requests.records[0].spt.DataTransferLength, 100u);
}

TEST(OpticalDriveModel, DriveThatDoesNotOpenOrAnswerGivesNoModel) {
    ScriptedDeviceIo devices;
    devices.AddDevice("\\\\.\\E:");  // opens, fails every control
    EXPECT_EQ(OpticalDriveModel(devices, 'D'), "");
    EXPECT_EQ(OpticalDriveModel(devices, 'E'), "");
    EXPECT_EQ(devices.controls, std::vector<std::uint32_t>{kIoctlScsiPassThroughDirect});
    EXPECT_EQ(devices.openHandles(), 0);
}

TEST(OpticalDriveModel, ReplyWithoutAZeroEndsWithTheReply) {
    ScriptedDeviceIo devices;
    ScsiRequests requests;
    devices.AddDevice("\\\\.\\D:", ScsiDrive(std::vector<std::uint8_t>(200, 'X'), requests));
    // Only the 100 bytes asked for arrive; the text stops at their end.
    EXPECT_EQ(OpticalDriveModel(devices, 'D'), std::string(92, 'X'));
}

TEST(ControllerCount, ContiguousFromZero) {
    const struct {
        const char* name;
        std::vector<int> present;
        const char* usb;
    } cases[] = {
        {"none", {}, "Not Detected"},
        {"two", {0, 1}, "2 host controllers."},
        {"a gap after the first", {0, 2}, "1 host controllers."},
        {"no controller 0", {1, 2}, "Not Detected"},
        {"three then a gap", {0, 1, 2, 4}, "3 host controllers."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDeviceIo devices;
        for (int n : c.present) {
            devices.AddDevice("\\\\.\\HCD" + std::to_string(n));
            devices.AddDevice("\\\\.\\1394BUS" + std::to_string(n));
        }
        EXPECT_EQ(UsbControllerCount(devices), c.usb);
        EXPECT_EQ(FirewireBusCount(devices), c.usb);
        EXPECT_EQ(devices.openHandles(), 0);
        for (const auto& open : devices.opens) {
            EXPECT_EQ(open.access, 0u) << open.path;
            EXPECT_EQ(open.share, kShareRead | kShareWrite) << open.path;
        }
    }
}

TEST(ControllerCount, ASeamThatFailsGivesTheEmptyText) {
    ScriptedDeviceIo devices;
    devices.AddDevice("\\\\.\\HCD0");
    devices.ThrowOnOpen("\\\\.\\HCD1");
    EXPECT_EQ(UsbControllerCount(devices), "");
    EXPECT_EQ(devices.openHandles(), 0);
}

TEST(ControllerCount, StopsWhereNoMachineGoes) {
    struct Everything final : DeviceIo {
        OpenedDevice Open(const std::string&, std::uint32_t, std::uint32_t) override {
            struct Device final : DeviceFile {
                DeviceIoResult Control(std::uint32_t, const void*, std::uint32_t, void*, std::uint32_t) override {
                    return {};
                }
            };
            return {std::make_unique<Device>(), 0};
        }
    } everything;
    EXPECT_EQ(CountNumberedDevices(everything, "\\\\.\\HCD"), 256);
}

TEST(ParallelPortProbe, NamesTriedAndThoseThatOpen) {
    ScriptedDeviceIo devices;
    devices.AddDevice("LPT2");
    devices.AddDevice("\\\\.\\LPT12");
    devices.AddDevice("\\\\.\\LPT300");  // beyond the names tried
    const std::string nt = ParallelPortProbe(devices, 2);
    EXPECT_EQ(nt, "LPT2 | \\\\.\\LPT12 | ");
    ASSERT_EQ(devices.opens.size(), 256u);
    EXPECT_EQ(devices.opens[0].path, "LPT1");
    EXPECT_EQ(devices.opens[8].path, "LPT9");
    EXPECT_EQ(devices.opens[9].path, "\\\\.\\LPT10");
    EXPECT_EQ(devices.opens[255].path, "\\\\.\\LPT256");
    for (const auto& open : devices.opens) {
        EXPECT_EQ(open.access, kGenericRead | kGenericWrite);
        EXPECT_EQ(open.share, 0u);  // a port in use by another program does not open
    }
    EXPECT_EQ(devices.openHandles(), 0);

    ScriptedDeviceIo nine;
    nine.AddDevice("LPT2");
    nine.AddDevice("\\\\.\\LPT12");
    EXPECT_EQ(ParallelPortProbe(nine, 1), "LPT2 | ");
    EXPECT_EQ(nine.opens.size(), 9u);
    ScriptedDeviceIo none;
    EXPECT_EQ(ParallelPortProbe(none, 2), "");
}

TEST(ParallelPortProbe, LetsASeamFailureThrough) {
    // The refresh guards this step: its "Ports" row then keeps the serial part.
    ScriptedDeviceIo devices;
    devices.AddDevice("LPT1");
    devices.ThrowOnOpen("LPT3");
    EXPECT_THROW(ParallelPortProbe(devices, 2), std::runtime_error);
    EXPECT_EQ(devices.openHandles(), 0);
}

}  // namespace
}  // namespace brimlow
