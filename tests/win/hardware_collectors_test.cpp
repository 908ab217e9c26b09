// The hardware collectors against Wine: registry readers on fixture trees, the optical drive list
// on the test prefix's CD-ROM drive D: with scripted SCSI answers, the device seam's own
// implementation, and the system facts Wine reports for the rest.
#include "app/hardware_collectors.h"
#include "app/hardware_text.h"
#include "app/summary_text.h"
#include "platform/device_io_win.h"
#include "platform/scsi_pass_through.h"
#include "tests/fakes/scripted_scsi.h"
#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

namespace brimlow {
namespace {

using testing::HardwareKeyFixture;
using testing::InquiryData;
using testing::ScratchMachineKey;
using testing::ScriptedDeviceIo;
using testing::ScsiDrive;
using testing::ScsiRequests;

constexpr const char* kSerialComm = "hardware\\devicemap\\serialcomm";
constexpr const char* kParallelPorts = "hardware\\devicemap\\PARALLEL PORTS";
constexpr const char* kSystem = "HARDWARE\\DESCRIPTION\\System";

TEST(SerialPortList, ValuesInRegistryOrder) {
    ScratchMachineKey machine;
    machine.SetString(kSerialComm, "\\Device\\Serial0", "COM1");
    machine.SetString(kSerialComm, "\\Device\\Serial1", "COM3");
    machine.SetDword(kSerialComm, "odd", 4);  // not text: passed over
    EXPECT_EQ(SerialPortList(), "COM1 | COM3 | ");
}

TEST(SerialPortList, NoKeyOrNoValuesIsNotPresent) {
    {
        ScratchMachineKey machine;
        EXPECT_EQ(SerialPortList(), "NOT Present");
    }
    {
        ScratchMachineKey machine;
        machine.CreateKey(kSerialComm);
        EXPECT_EQ(SerialPortList(), "NOT Present");
    }
}

TEST(ParallelPortRegistryList, LastPathComponentsRunTogether) {
    {
        ScratchMachineKey machine;
        machine.SetString(kParallelPorts, "\\Device\\Parallel0", "\\DosDevices\\LPT1");
        machine.SetString(kParallelPorts, "\\Device\\Parallel1", "\\DosDevices\\LPT2");
        EXPECT_EQ(ParallelPortRegistryList(), "LPT1LPT2");
    }
    {
        ScratchMachineKey machine;
        machine.CreateKey(kParallelPorts);
        EXPECT_EQ(ParallelPortRegistryList(), "NOT Present");
    }
}

TEST(BiosText, IdentifierDateAndFirstVersionString) {
    ScratchMachineKey machine;
    machine.SetString(kSystem, "Identifier", "AT/AT COMPATIBLE");
    machine.SetString(kSystem, "SystemBiosDate", "06/23/99");
    const char version[] = "PhoenixBIOS 4.0 Release 6.0\0Dell Inc. A05\0";
    machine.Set(kSystem, "SystemBiosVersion", REG_MULTI_SZ, version, sizeof version);
    EXPECT_EQ(BiosText(), "AT/AT COMPATIBLE | 06/23/99 | PhoenixBIOS 4.0 Release 6.0 |  | ");
}

TEST(BiosText, VersionLargerThan255BytesStaysEmpty) {
    ScratchMachineKey machine;
    machine.SetString(kSystem, "Identifier", "AT compatible");
    const std::string big(300, 'V');
    machine.Set(kSystem, "SystemBiosVersion", REG_MULTI_SZ, big.c_str(), static_cast<DWORD>(big.size() + 1));
    machine.SetString(kSystem, "SystemBiosDate", "01/02/03");
    EXPECT_EQ(BiosText(), "AT compatible | 01/02/03 |  |  | ");
    // 255 bytes still fit.
    const std::string fits(254, 'W');
    machine.Set(kSystem, "SystemBiosVersion", REG_MULTI_SZ, fits.c_str(), 255);
    EXPECT_EQ(BiosText(), "AT compatible | 01/02/03 | " + fits + " |  | ");
}

TEST(BiosText, WithoutTheKeyOnlySeparatorsRemain) {
    ScratchMachineKey machine;
    EXPECT_EQ(BiosText(), " |  |  |  | ");
}

TEST(BiosText, WinesOwnKeyWithValuesWrittenHere) {
    // HARDWARE is rebuilt at every Wine start, so this process writes the values it reads.
    HardwareKeyFixture system(kSystem);
    system.SetString("Identifier", "AT compatible");
    system.SetString("SystemBiosDate", "12/10/26");
    const char version[] = "BRIMLOW - 1\0";
    system.Set("SystemBiosVersion", REG_MULTI_SZ, version, sizeof version);
    EXPECT_EQ(CleanListText(CleanListText(BiosText())), "AT compatible | 12/10/26 | BRIMLOW - 1");
}

TEST(CpuIdentifierText, FirstProcessorsIdentifier) {
    {
        ScratchMachineKey machine;
        machine.SetString("Hardware\\Description\\System\\CentralProcessor\\0", "Identifier",
                          "x86 Family 6 Model 8 Stepping 3");
        EXPECT_EQ(CpuIdentifierText(), "x86 Family 6 Model 8 Stepping 3");
    }
    {
        ScratchMachineKey machine;
        EXPECT_EQ(CpuIdentifierText(), "");
    }
}

// The test prefix has a CD-ROM drive D: (scripts/test.sh sets it up).
void ExpectCdromFixture() {
    ASSERT_EQ(::GetDriveTypeA("D:\\"), static_cast<UINT>(DRIVE_CDROM)) << "the test prefix needs a CD-ROM drive D:";
}

TEST(OpticalDriveList, ModelFromTheDrivesInquiryReply) {
    ExpectCdromFixture();
    ScriptedDeviceIo devices;
    ScsiRequests requests;
    devices.AddDevice("\\\\.\\D:", ScsiDrive(InquiryData("TSSTcorp", "CDDVDW SH-S223C", "SB01"), requests));
    const std::string list = OpticalDriveList(devices);
    EXPECT_EQ(list, "D: TSSTcorpCDDVDW SH-S223C  | ");
    EXPECT_EQ(CleanListText(list), "D: TSSTcorpCDDVDW SH-S223C");
    // Only the CD-ROM drive is asked, once, and let go again.
    ASSERT_EQ(devices.opens.size(), 1u);
    EXPECT_EQ(devices.opens[0].path, "\\\\.\\D:");
    EXPECT_EQ(devices.openHandles(), 0);
    ASSERT_EQ(requests.records.size(), 1u);
    EXPECT_EQ(requests.inSizes[0], sizeof(ScsiPassThroughDirectWithSense));
    EXPECT_EQ(requests.records[0].spt.Length, sizeof(ScsiPassThroughDirect));
    EXPECT_EQ(requests.records[0].spt.SenseInfoOffset, offsetof(ScsiPassThroughDirectWithSense, sense));
}

TEST(OpticalDriveList, DriveThatDoesNotAnswerIsListedWithoutModel) {
    ExpectCdromFixture();
    ScriptedDeviceIo refusing;
    EXPECT_EQ(CleanListText(OpticalDriveList(refusing)), "D:");
    // Wine's own drive opens but knows no SCSI pass-through.
    EXPECT_EQ(CleanListText(OpticalDriveList(win::SystemDevices())), "D:");
}

TEST(OpticalDriveList, LetsASeamFailureThrough) {
    ExpectCdromFixture();
    ScriptedDeviceIo devices;
    devices.ThrowOnOpen("\\\\.\\D:");
    EXPECT_THROW(OpticalDriveList(devices), std::runtime_error);
}

TEST(SystemDeviceIo, OpensDevicesAndSendsControls) {
    DeviceIo& devices = win::SystemDevices();
    const OpenedDevice missing = devices.Open("\\\\.\\HCD0", 0, kShareRead | kShareWrite);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.error, static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));

    OpenedDevice volume = devices.Open("\\\\.\\C:", kGenericRead | kGenericWrite, kShareRead | kShareWrite);
    ASSERT_TRUE(volume) << volume.error;
    STORAGE_DEVICE_NUMBER number{};
    const DeviceIoResult answer =
        volume.file->Control(IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number);
    ASSERT_TRUE(answer.ok) << answer.error;
    EXPECT_EQ(answer.bytesReturned, sizeof number);
    EXPECT_EQ(number.DeviceType, static_cast<DWORD>(FILE_DEVICE_DISK));

    // Wine answers the SCSI pass-through on no drive.
    ScsiPassThroughDirectWithSense record;
    std::array<std::uint8_t, 100> reply{};
    PrepareScsiCommand(record, InquiryCdb(100), ScsiDataDirection::In, reply, 2, 24);
    const DeviceIoResult inquiry = SendScsiCommand(*volume.file, record);
    EXPECT_FALSE(inquiry.ok);
    EXPECT_NE(inquiry.error, 0u);
}

TEST(FixedDisks, EveryFixedLetterFromCOnwardsAndNoOther) {
    const FixedDiskLists disks = FixedDisks();
    ULARGE_INTEGER freeToCaller{}, total{}, totalFree{};
    ASSERT_TRUE(::GetDiskFreeSpaceExA("C:\\", &freeToCaller, &total, &totalFree));
    EXPECT_EQ(disks.sizes.rfind("C:  " + DiskSizeText(total.QuadPart) + " | ", 0), 0u) << disks.sizes;
    EXPECT_EQ(disks.freeSpace.rfind("C:  ", 0), 0u) << disks.freeSpace;
    EXPECT_EQ(disks.sizesShort.rfind(DiskSizeText(total.QuadPart) + "  ", 0), 0u) << disks.sizesShort;
    // The CD-ROM drive D: is not a fixed disk.
    EXPECT_EQ(disks.sizes.find("D:"), std::string::npos);
    const DWORD mask = ::GetLogicalDrives();
    int fixed = 0;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if ((mask >> (letter - 'A') & 1) && ::GetDriveTypeA(root.c_str()) == DRIVE_FIXED) ++fixed;
    }
    std::size_t entries = 0;
    for (std::size_t at = disks.sizes.find(" | "); at != std::string::npos; at = disks.sizes.find(" | ", at + 1)) ++entries;
    EXPECT_EQ(entries, static_cast<std::size_t>(fixed));
    EXPECT_EQ(FixedDiskSizes(), disks.sizes);
    EXPECT_EQ(FixedDiskSizesShort(), disks.sizesShort);
}

TEST(DisplayDevices, WinesAdapterAndItsMonitor) {
    const DisplayDeviceLists display = DisplayDevices();
    EXPECT_EQ(display.adapters, "Wine Adapter | ");
    EXPECT_EQ(display.monitors, "Generic Non-PnP Monitor | ");
    EXPECT_EQ(MonitorCount(), "1");
    EXPECT_EQ(PrimaryDisplayName(), "Wine Adapter");
}

TEST(SystemFacts, WhatWineReports) {
    // Without an X server, Wine's null display driver gives 1024 x 768 at 32 bits.
    EXPECT_EQ(ScreenSizeText(), std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + " X " +
                                    std::to_string(::GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_EQ(ColorDepthText(), "32 bit");
    EXPECT_EQ(MouseText(), "3 Button Wheel Mouse Present");
    // A machine without a battery on the mains.
    const PowerTexts power = PowerStatus();
    EXPECT_EQ(power.acPower, "OnLine");
    EXPECT_EQ(power.battery, "No Battery");
    // No sound hardware in the test prefix.
    EXPECT_FALSE(SoundDevicePresent());
    EXPECT_EQ(SoundCardName(), "");
}

TEST(MemoryText, InstalledMegabytesPlusOne) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ASSERT_TRUE(::GlobalMemoryStatusEx(&status));
    EXPECT_EQ(MemoryText(), std::to_string((status.ullTotalPhys >> 20) + 1) + " MB");
}

}  // namespace
}  // namespace brimlow
