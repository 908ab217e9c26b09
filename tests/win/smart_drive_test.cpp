// The SMART conversation against scripted drives on both platform families with the system's own
// messages, the first disk's serial by its three methods, and the drive window built hidden for
// C: with a scripted SMART drive behind it.
#include "platform/number_picture.h"
#include "platform/number_picture_win.h"
#include "platform/win_text.h"
#include "storage/HDD_Serial.h"
#include "storage/TfrmDisk.h"
#include "storage/disk_facts.h"
#include "storage/smartapi.h"
#include "tests/fakes/scripted_device_io.h"
#include "tests/fakes/scripted_smart_drive.h"
#include "tests/win/win_test_support.h"
#include "ui/list_view.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

namespace brimlow {
namespace {

using storage::SmartPlatform;
using testing::IdentifyPage;
using testing::PutAttributes;
using testing::ScriptedDeviceIo;
using testing::ScriptedSmartDrive;

constexpr const char* kDrive0 = "\\\\.\\PhysicalDrive0";

SmartPlatform Platform(int id, ScriptedDeviceIo& io) {
    return {id, &io, [](std::uint32_t error) { return win::ErrorMessage(error); }};
}

ScriptedSmartDrive::Position HealthyPosition(const std::string& model) {
    ScriptedSmartDrive::Position p;
    p.identify = IdentifyPage(model, "  SER-" + model, "FW1", 1000000);
    PutAttributes({{1, 0x0F, 100, 100, 6, 0}, {5, 0x33, 100, 100, 36, 3}, {194, 0x22, 40, 50, 0, 41}}, p.attributes,
                  p.thresholds);
    return p;
}

TEST(SmartConversation, FailingPositionsThenAnAtapiDeviceOnNt) {
    ScriptedSmartDrive drive;
    drive.deviceMap = 0x01 | 0x02 | 0x20;  // master ATA at 0, ATAPI slave at 1
    ScriptedSmartDrive::Position broken;
    broken.enableFails = true;
    broken.identifyFails = true;
    broken.driverError = 1;
    broken.ideStatus = 0x51;
    broken.error = ERROR_CRC;
    drive.positions[0] = broken;
    drive.positions[1] = HealthyPosition("OPTICAL");
    ScriptedDeviceIo io;
    io.AddDevice("\\\\.\\PhysicalDrive2", drive.Handler());

    std::string error = "stale", model = "stale", serial = "stale";
    std::uint64_t size = 7;
    ASSERT_TRUE(storage::ReadDriveIdentity(Platform(2, io), 2, error, model, serial, size));
    EXPECT_EQ(model, "OPTICAL");
    EXPECT_EQ(serial, "SER-OPTICAL");
    EXPECT_EQ(size, 512000000u);
    // The failure of position 0 stays the error text although position 1 answered.
    EXPECT_EQ(error, "Identify Command Failed on Drive: Error from IDE controller bIDEStatus=0051 : " +
                         win::ErrorMessage(ERROR_CRC));
    ASSERT_EQ(io.opens.size(), 1u);
    EXPECT_EQ(io.opens[0].access, kGenericRead | kGenericWrite);
    EXPECT_EQ(io.opens[0].share, kShareRead | kShareWrite);
    EXPECT_EQ(io.openHandles(), 0);

    // ENABLE and IDENTIFY for the master; IDENTIFY PACKET DEVICE alone for the ATAPI slave.
    ASSERT_EQ(drive.sent.size(), 3u);
    const auto& enable = drive.sent[0];
    EXPECT_EQ(enable.code, storage::kSmartSendDriveCommand);
    EXPECT_EQ(enable.inSize, 32u);
    EXPECT_EQ(enable.outSize, 528u);
    EXPECT_EQ(enable.in.cBufferSize, 0u);
    EXPECT_EQ(enable.in.irDriveRegs.bFeaturesReg, 0xD8);
    EXPECT_EQ(enable.in.irDriveRegs.bCylLowReg, 0x4F);
    EXPECT_EQ(enable.in.irDriveRegs.bCylHighReg, 0xC2);
    EXPECT_EQ(enable.in.irDriveRegs.bCommandReg, 0xB0);
    EXPECT_EQ(enable.in.irDriveRegs.bDriveHeadReg, 0xA0);
    const auto& identify = drive.sent[1];
    EXPECT_EQ(identify.code, storage::kSmartRcvDriveData);
    EXPECT_EQ(identify.outSize, 529u);
    EXPECT_EQ(identify.outBufferSize, 512u);
    EXPECT_EQ(identify.in.cBufferSize, 512u);
    EXPECT_EQ(identify.in.irDriveRegs.bCommandReg, 0xEC);
    EXPECT_EQ(identify.in.irDriveRegs.bCylLowReg, 0);
    EXPECT_EQ(identify.in.irDriveRegs.bSectorCountReg, 1);
    EXPECT_EQ(identify.in.irDriveRegs.bSectorNumberReg, 1);
    const auto& packet = drive.sent[2];
    EXPECT_EQ(packet.in.irDriveRegs.bCommandReg, 0xA1);
    EXPECT_EQ(packet.in.irDriveRegs.bDriveHeadReg, 0xB0);
    EXPECT_EQ(packet.in.bDriveNumber, 1);
}

TEST(SmartConversation, ReadSmartDataMovesOnAfterAFailedAttributeRead) {
    ScriptedSmartDrive drive;
    drive.deviceMap = 0x01 | 0x08;  // positions 0 and 3
    ScriptedSmartDrive::Position noAttributes = HealthyPosition("FIRST");
    noAttributes.attributesFail = true;
    noAttributes.driverError = 7;
    noAttributes.ideStatus = 0x1F;
    noAttributes.error = ERROR_IO_DEVICE;
    drive.positions[0] = noAttributes;
    ScriptedSmartDrive::Position good = HealthyPosition("SECOND");
    good.enableFails = true;
    good.error = ERROR_NOT_READY;
    drive.positions[3] = good;
    ScriptedDeviceIo io;
    io.AddDevice(kDrive0, drive.Handler());

    storage::TSmartResult result;
    result.failingCount = 9;
    std::string error;
    ASSERT_TRUE(storage::ReadSmartData(Platform(2, io), 0, result, error));
    EXPECT_EQ(error, "SMART Enable Command Failed, Drive: 3 : " + win::ErrorMessage(ERROR_NOT_READY));
    EXPECT_EQ(result.firmware, "FW1");
    EXPECT_EQ(result.attributeCount, 3);
    EXPECT_EQ(result.temperature, 41);
    EXPECT_EQ(result.failingCount, 0);
    EXPECT_EQ(result.attributes[1].name, "Reallocated Sector Count");
    EXPECT_EQ(drive.sent.back().in.irDriveRegs.bFeaturesReg, 0xD1);
    EXPECT_EQ(drive.sent.back().in.irDriveRegs.bDriveHeadReg, 0xB0);  // position 3 is a slave
    EXPECT_EQ(drive.sent.back().outSize, 528u);

    // Only position 0, whose attribute read fails: the text carries the driver's status too.
    drive.deviceMap = 0x01;
    ASSERT_FALSE(storage::ReadSmartData(Platform(2, io), 0, result, error));
    EXPECT_EQ(error, "SMART Read Attr Command Failed, Drive: 0 : " + win::ErrorMessage(ERROR_IO_DEVICE) +
                         "; DriverStatus: Could not lock user\"s buffer; bIDEStatus=001F");
    EXPECT_EQ(result.attributeCount, 0);

    drive.positions[0].attributesFail = false;
    drive.positions[0].thresholdsFail = true;
    ASSERT_FALSE(storage::ReadSmartData(Platform(2, io), 0, result, error));
    EXPECT_EQ(error, "SMART Read Threshold Command Failed, Drive: 0 : " + win::ErrorMessage(ERROR_IO_DEVICE) +
                         "; DriverStatus: Could not lock user\"s buffer; bIDEStatus=001F");
    EXPECT_EQ(io.openHandles(), 0);
}

TEST(SmartConversation, OpeningVersionAndPlatformFailures) {
    ScriptedDeviceIo io;
    std::string error, model, serial;
    std::uint64_t size = 0;
    storage::TSmartResult result;

    EXPECT_FALSE(storage::ReadDriveIdentity(Platform(2, io), 65535, error, model, serial, size));
    EXPECT_EQ(io.opens.back().path, "\\\\.\\PhysicalDrive65535");
    EXPECT_EQ(error, "Unable to open physical drive: " + win::ErrorMessage(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(storage::ReadSmartData(Platform(1, io), 0, result, error));
    EXPECT_EQ(io.opens.back().path, "\\\\.\\SMARTVSD");
    EXPECT_EQ(error, "Unable to open SMARTVSD: " + win::ErrorMessage(ERROR_FILE_NOT_FOUND));

    ScriptedSmartDrive drive;
    drive.versionFails = true;
    io.AddDevice(kDrive0, drive.Handler());
    EXPECT_FALSE(storage::ReadSmartData(Platform(2, io), 0, result, error));
    EXPECT_EQ(error, "DFP_GET_VERSION failed: " + win::ErrorMessage(ERROR_INVALID_FUNCTION));

    // No device in the map: the version request was the last call, and it succeeded.
    drive.versionFails = false;
    drive.deviceMap = 0;
    EXPECT_TRUE(storage::ReadDriveIdentity(Platform(2, io), 0, error, model, serial, size));
    EXPECT_EQ(error, "");
    EXPECT_EQ(model, "");
    EXPECT_TRUE(storage::ReadSmartData(Platform(2, io), 0, result, error));
    EXPECT_EQ(result.attributeCount, 0);

    // Another platform family: nothing is opened, failure with an empty text.
    const std::size_t opened = io.opens.size();
    EXPECT_FALSE(storage::ReadSmartData(Platform(0, io), 0, result, error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(io.opens.size(), opened);

    // A seam that raises: reported, never passed on.
    ScriptedDeviceIo throwing;
    throwing.ThrowOnOpen(kDrive0);
    EXPECT_FALSE(storage::ReadSmartData(Platform(2, throwing), 0, result, error));
    EXPECT_EQ(error, "SMART Failed - scripted failure opening \\\\.\\PhysicalDrive0");
}

TEST(SmartConversation, TheWin9xFamilyUsesTheSmartDriverWhateverTheDriveNumber) {
    ScriptedSmartDrive drive;
    drive.deviceMap = 0x04;
    drive.positions[2] = HealthyPosition("NINEX");
    ScriptedDeviceIo io;
    io.AddDevice("\\\\.\\SMARTVSD", drive.Handler());
    storage::TSmartResult result;
    std::string error;
    ASSERT_TRUE(storage::ReadSmartData(Platform(1, io), 5, result, error));
    EXPECT_EQ(io.opens[0].access, 0u);
    EXPECT_EQ(io.opens[0].share, 0u);
    EXPECT_EQ(result.attributeCount, 3);
    EXPECT_EQ(drive.sent.front().in.bDriveNumber, 2);
    EXPECT_EQ(drive.sent.front().in.irDriveRegs.bDriveHeadReg, 0xA0);
}

// ---- FirstDiskSerial ----------------------------------------------------------------------------

DeviceIoResult MiniportIdentify(std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                                const std::string& serial) {
    if (code != storage::kIoctlScsiMiniport || inSize != 572 || outSize != 572) return {false, 0, 87};
    storage::SrbIoControl header;
    std::memcpy(&header, in, sizeof header);
    if (std::memcmp(header.Signature, "SCSIDISK", 8) != 0 || header.ControlCode != 0x1B0501 || header.Length != 544 ||
        header.HeaderLength != 28)
        return {false, 0, 87};
    const auto* request = static_cast<const std::uint8_t*>(in) + 28;
    if (request[10] != 0xEC || request[9] != 0xA0 || request[12] != 0) return {false, 0, 87};
    const testing::Page page = IdentifyPage("M", serial, "F", 1);
    std::memcpy(static_cast<std::uint8_t*>(out) + 28 + 16, page.data(), page.size());
    return {true, 572, 0};
}

DeviceIoResult SerialPage(std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                          std::uint8_t pageCode, const std::string& serial) {
    const auto& request = *static_cast<const storage::ScsiPassThroughWithBuffers*>(in);
    if (code != storage::kIoctlScsiPassThrough || inSize != sizeof(storage::ScsiPassThrough) ||
        outSize != sizeof(storage::ScsiPassThroughWithBuffers) || request.spt.Cdb[0] != 0x12 || request.spt.Cdb[2] != 0x80 ||
        request.spt.DataTransferLength != 192 || request.spt.SenseInfoLength != 24)
        return {false, 0, 87};
    auto& reply = *static_cast<storage::ScsiPassThroughWithBuffers*>(out);
    reply.data[1] = pageCode;
    reply.data[3] = static_cast<std::uint8_t>(serial.size());
    std::memcpy(reply.data + 4, serial.data(), serial.size());
    return {true, outSize, 0};
}

TEST(FirstDiskSerial, TriesTheMiniportThenTheInquiryThenGivesUp) {
    {
        ScriptedDeviceIo io;
        io.AddDevice("\\\\.\\Scsi0:", [](std::uint32_t c, const void* i, std::uint32_t is, void* o, std::uint32_t os) {
            return MiniportIdentify(c, i, is, o, os, "  WD-123");
        });
        io.AddDevice("\\\\.\\C:");
        EXPECT_EQ(storage::FirstDiskSerial(Platform(2, io)), "WD-123");
        ASSERT_EQ(io.opens.size(), 1u);
    }
    {
        ScriptedDeviceIo io;
        io.AddDevice("\\\\.\\Scsi0:", [](std::uint32_t c, const void* i, std::uint32_t is, void* o, std::uint32_t os) {
            return MiniportIdentify(c, i, is, o, os, "     ");  // blanks only: the next method
        });
        io.AddDevice("\\\\.\\C:", [](std::uint32_t c, const void* i, std::uint32_t is, void* o, std::uint32_t os) {
            return SerialPage(c, i, is, o, os, 0x80, " VPD42 ");
        });
        EXPECT_EQ(storage::FirstDiskSerial(Platform(2, io)), "VPD42");
        ASSERT_EQ(io.opens.size(), 2u);
        EXPECT_EQ(io.opens[1].path, "\\\\.\\C:");
        EXPECT_EQ(io.opens[1].access, kGenericRead | kGenericWrite);
    }
    {
        ScriptedDeviceIo io;
        io.AddDevice("\\\\.\\C:", [](std::uint32_t c, const void* i, std::uint32_t is, void* o, std::uint32_t os) {
            return SerialPage(c, i, is, o, os, 0x83, "WRONGPAGE");
        });
        EXPECT_EQ(storage::FirstDiskSerial(Platform(2, io)), "Error!");
        ASSERT_EQ(io.opens.size(), 2u);
        EXPECT_EQ(io.opens[0].path, "\\\\.\\Scsi0:");
    }
    {
        // The 9x family asks the SMART driver for drive 0's IDENTIFY.
        ScriptedSmartDrive drive;
        drive.positions[0] = HealthyPosition("NINEX");
        ScriptedDeviceIo io;
        io.AddDevice("\\\\.\\SMARTVSD", drive.Handler());
        EXPECT_EQ(storage::FirstDiskSerial(Platform(1, io)), "SER-NINEX");
        EXPECT_EQ(drive.sent.at(0).outSize, 528u);
    }
    {
        ScriptedDeviceIo io;
        io.ThrowOnOpen("\\\\.\\Scsi0:");
        EXPECT_EQ(storage::FirstDiskSerial(Platform(2, io)), "");
    }
}

// ---- The drive window ---------------------------------------------------------------------------

struct VolumeOfC {
    std::string label;
    DWORD serial = 0;
};

VolumeOfC RealVolumeOfC() {
    char label[81] = {};
    DWORD serial = 0, component = 0, flags = 0;
    ::GetVolumeInformationA("C:\\", label, sizeof label, &serial, &component, &flags, nullptr, 0);
    return {label, serial};
}

// C: is physical drive 3, a SMART disk with one failing attribute.
struct ScriptedDiskC {
    ScriptedSmartDrive drive;
    ScriptedDeviceIo io;
    ScriptedDiskC() {
        drive.deviceMap = 0x01;
        ScriptedSmartDrive::Position p;
        p.identify = IdentifyPage("BRIMLOW TEST DISK 250", "  5QE1ABCD", "3.ACD", 488397168);
        PutAttributes({{1, 0x0F, 104, 90, 6, 0},
                       {3, 0x03, 97, 94, 0, 0},
                       {5, 0x33, 99, 99, 36, 75},
                       {7, 0x0F, 62, 60, 30, 0xFFFFFFFEull},
                       {10, 0x13, 90, 90, 97, 0},
                       {194, 0x22, 31, 53, 0, 0x0F001F},
                       {199, 0x3E, 200, 1, 0, 2100}},
                      p.attributes, p.thresholds);
        drive.positions[0] = p;
        io.AddDevice("\\\\.\\C:", [](std::uint32_t code, const void*, std::uint32_t, void* out, std::uint32_t outSize) {
            if (code != storage::kIoctlStorageGetDeviceNumber || outSize != 12) return DeviceIoResult{false, 0, 87};
            const storage::StorageDeviceNumber number{7, 3, 1};
            std::memcpy(out, &number, sizeof number);
            return DeviceIoResult{true, 12, 0};
        });
        io.AddDevice("\\\\.\\PhysicalDrive3", drive.Handler());
    }
};

TEST(DriveWindow, BuiltHiddenForCWithAScriptedSmartDisk) {
    ScriptedDiskC disk;
    TfrmDisk window;
    window.Create();
    window.SetSmartPlatform(Platform(2, disk.io));
    window.Refresh1Click();
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(window.Caption(), "Drive Information");

    const VolumeOfC c = RealVolumeOfC();
    ASSERT_GE(window.ItemCount("cbDrive"), 1);
    EXPECT_EQ(window.ItemText("cbDrive", 0), "C: [" + c.label + "]");
    EXPECT_EQ(window.Text("cbDrive"), window.ItemText("cbDrive", 0));
    for (int i = 0; i < window.ItemCount("cbDrive"); ++i) {
        const std::string root = window.ItemText("cbDrive", i).substr(0, 2) + "\\";
        EXPECT_EQ(::GetDriveTypeA(root.c_str()), UINT(DRIVE_FIXED)) << root;  // the CD-ROM drive is left out
    }
    EXPECT_EQ(window.Text("info1"), "Fixed - NTFS");
    EXPECT_EQ(window.Text("info2"), "C:\\");
    EXPECT_EQ(window.Text("info3"), storage::VolumeSerialText(c.serial));

    ULARGE_INTEGER available{}, total{}, totalFree{};
    ASSERT_TRUE(::GetDiskFreeSpaceExA("C:\\", &available, &total, &totalFree));
    const std::string separator = win::UserThousandSeparator();
    EXPECT_EQ(window.Text("info4"), GroupThousands(std::uint64_t(total.QuadPart), separator) + " bytes");
    // The host's free space moves; the text's form and magnitude are what can be checked.
    EXPECT_TRUE(window.Text("info5").ends_with(" bytes"));
    const storage::UsedSpace used = storage::UsedSpaceOf(window.facts().totalBytes, window.facts().freeBytes);
    EXPECT_EQ(window.Position("ProgressBar1"), used.position);
    EXPECT_EQ(window.Text("Label6"), used.text);
    EXPECT_TRUE(window.Text("Label6").ends_with(" %"));
    DWORD spc = 0, bps = 0, freeClusters = 0, totalClusters = 0;
    ASSERT_TRUE(::GetDiskFreeSpaceA("C:\\", &spc, &bps, &freeClusters, &totalClusters));
    EXPECT_EQ(window.Text("info6"), std::to_string(bps));
    EXPECT_EQ(window.Text("Info7"), std::to_string(spc));
    EXPECT_EQ(window.Text("Info8"), GroupThousands(std::uint64_t(totalClusters), separator));

    // Wine's NTFS: case preserved and Unicode on disk (flags 0x0A is case-preserved and ACLs),
    // long names.
    ui::ListView flags(window.Control("clbFlags"));
    ASSERT_EQ(flags.Count(), 12);
    EXPECT_EQ(flags.Cell(0, 0), "Case Is Preserved");
    EXPECT_EQ(flags.Cell(11, 0), "Disk Quotas Support");
    const std::vector<std::string> lines = storage::VolumeFeatureLines(window.facts().features);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(flags.Checked(i), lines[i].ends_with("Yes")) << lines[i];
    EXPECT_TRUE(flags.Checked(6));  // Long Filenames: 255 characters

    EXPECT_EQ(window.Text("Edit12"), "BRIMLOW TEST DISK 250");
    EXPECT_EQ(window.Text("Edit6"), "5QE1ABCD");
    EXPECT_EQ(window.Text("Edit14"), "3.ACD");
    EXPECT_EQ(window.Text("Edit15"), "31\xB0" "C");
    EXPECT_EQ(window.Text("Edit18"), "SMART Test Failed, Bad Attributes 1");
    EXPECT_EQ(window.Text("Edit20"), GroupThousands(std::uint64_t(488397168) * 512, separator));

    ui::ListView table(window.Control("ListView"));
    ASSERT_EQ(table.Count(), 7);
    ASSERT_EQ(table.ColumnCount(), 10);
    EXPECT_EQ(table.Row(3), (std::vector<std::string>{"7", "Seek Error Rate", "Warning", "62", "60", "30", "-2", "Yes",
                                                      "No", "Yes"}));
    EXPECT_EQ(table.Row(4), (std::vector<std::string>{"10", "Spin Retry Count", "Failing Now", "90", "90", "97", "0",
                                                      "Yes", "Yes", "No"}));
    EXPECT_EQ(table.Cell(6, 6), GroupThousands(std::int64_t(2100), separator));
    EXPECT_EQ(table.Cell(1, 2), "-");  // spin-up without a threshold

    // The CD/DVD switch waits for its window.
    EXPECT_TRUE(window.Enabled("Print1"));
    EXPECT_FALSE(::IsWindowEnabled(window.Control("BitBtn1")));
    EXPECT_TRUE(window.Enabled("Exit1"));
    EXPECT_EQ(disk.io.openHandles(), 0);
}

TEST(DriveWindow, ADiskThatAnswersIdentifyButNotTheSmartReads) {
    ScriptedDiskC disk;
    disk.drive.positions[0].attributesFail = true;
    TfrmDisk window;
    window.Create();
    window.SetSmartPlatform(Platform(2, disk.io));
    window.ShowDrive("C:");
    EXPECT_EQ(window.Text("Edit12"), "BRIMLOW TEST DISK 250");
    EXPECT_EQ(window.Text("Edit6"), "5QE1ABCD");
    for (const char* name : {"Edit18", "Edit15", "Edit14", "Edit20"}) EXPECT_EQ(window.Text(name), "") << name;
    EXPECT_EQ(ui::ListView(window.Control("ListView")).Count(), 0);
}

TEST(DriveWindow, PrintPutsThePictureOfTheWindowOnThePrinterTheDialogChose) {
    const testing::TestPrinter printer;
    ASSERT_TRUE(printer.installed());
    ScriptedDiskC disk;
    TfrmDisk window;
    window.Create();
    window.SetSmartPlatform(Platform(2, disk.io));
    window.ShowDrive("C:");
    {
        testing::DialogAnswerer ok(IDOK);
        window.Click("Print1");
        EXPECT_EQ(ok.titles().size(), 1u) << "the print dialog was asked";
    }
    const std::string postscript = printer.Printed();
    EXPECT_NE(postscript.find("%%Title: " + window.Caption()), std::string::npos) << postscript.substr(0, 400);
    RECT client;
    ::GetClientRect(window.hwnd(), &client);
    EXPECT_NE(postscript.find("/Width " + std::to_string(client.right) + "\n"), std::string::npos);
}

TEST(DriveWindow, ALetterWithoutADiskShowsNothing) {
    ScriptedDiskC disk;
    TfrmDisk window;
    window.Create();
    window.SetSmartPlatform(Platform(2, disk.io));
    window.ShowDrive("C:");
    window.ShowDrive("Q:");
    EXPECT_FALSE(window.facts().diskPresent);
    EXPECT_EQ(window.Text("info1"), "Not Exists - ");
    EXPECT_EQ(window.Text("info2"), "");
    EXPECT_EQ(window.Text("info3"), "");
    EXPECT_EQ(window.Text("info4"), "0 bytes");
    EXPECT_EQ(window.Text("info5"), "0 bytes");
    EXPECT_EQ(window.Text("info6"), "0");
    EXPECT_EQ(window.Text("Info9"), "0");
    EXPECT_EQ(window.Position("ProgressBar1"), 0);
    EXPECT_EQ(window.Text("Label6"), "0%");
    ui::ListView flags(window.Control("clbFlags"));
    ASSERT_EQ(flags.Count(), 12);
    for (int i = 0; i < 12; ++i) EXPECT_FALSE(flags.Checked(i));
    // Q: has no device, so no physical drive: the SMART section stays empty.
    EXPECT_EQ(window.Text("Edit12"), "");
    EXPECT_EQ(window.Text("Edit18"), "");
    EXPECT_EQ(ui::ListView(window.Control("ListView")).Count(), 0);
    EXPECT_EQ(disk.io.opens.back().path, "\\\\.\\PhysicalDrive65535");
}

TEST(DriveWindow, TheWheelLeavesTheDriveListAloneWhileItHasTheFocus) {
    ScriptedDiskC disk;
    TfrmDisk window;
    window.Create();
    window.SetSmartPlatform(Platform(2, disk.io));
    window.Refresh1Click();
    ::SetFocus(window.Control("cbDrive"));
    const bool focused = ::GetFocus() == window.Control("cbDrive");
    EXPECT_EQ(window.FormMouseWheel(), focused);
    const int before = window.ItemIndex("cbDrive");
    ::SendMessageA(window.Control("cbDrive"), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(window.ItemIndex("cbDrive"), before);
    window.cbDriveCloseUp();
    EXPECT_FALSE(window.FormMouseWheel());
}

}  // namespace
}  // namespace brimlow

namespace brimlow {
namespace {

// Not a check: with BRIMLOW_SHOW_DRIVE_WINDOW=<seconds> in the environment the drive window is
// shown with the scripted SMART disk for that long, so a screenshot can be taken of it.
TEST(DriveWindowShown, ForAScreenshot) {
    char seconds[16] = {};
    if (!::GetEnvironmentVariableA("BRIMLOW_SHOW_DRIVE_WINDOW", seconds, sizeof seconds))
        GTEST_SKIP() << "set BRIMLOW_SHOW_DRIVE_WINDOW=<seconds> to look at the window";
    ScriptedDiskC disk;
    TfrmDisk window;
    window.Create();
    window.SetSmartPlatform(Platform(2, disk.io));
    window.Show();
    ::SetWindowPos(window.hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const DWORD end = ::GetTickCount() + 1000u * std::stoul(seconds);
    MSG msg;
    while (::GetTickCount() < end) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(20);
    }
    EXPECT_TRUE(window.Visible());
}

}  // namespace
}  // namespace brimlow
