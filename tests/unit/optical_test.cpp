// The optical drive library against scripted drives, its reply decoders, the CD/DVD window's
// INQUIRY fields and the USB drives grid's cells.
#include "platform/mci_door.h"
#include "storage/ISODiscLib.h"
#include "storage/ISOSCSIStructs.h"
#include "storage/cd_dvd_text.h"
#include "storage/usb_drives.h"
#include "tests/fakes/mmc_pages.h"
#include "tests/fakes/scripted_mmc_drive.h"
#include "tests/fakes/scripted_scsi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace brimlow::storage {
namespace {

using testing::ConfigurationReply;
using testing::ScriptedDeviceIo;
using testing::ScriptedMmcDrive;

TEST(MediaProfiles, EveryListedProfileAndTheUnlistedOnes) {
    const struct {
        std::uint16_t profile;
        int index;
        const char* name;
    } rows[] = {
        {0x0000, 0, "No Current Profile"}, {0x0005, 5, "AS-MO"},   {0x0008, 6, "CD-ROM"},
        {0x000A, 8, "CD-RW"},              {0x0011, 10, "DVD-R SequentialRecording,"},
        {0x0014, 13, "DVD-RW Sequential Recording"},                {0x001B, 15, "DVD+R"},
        {0x0022, 18, "DDCD-RW"},           {0xFFFF, 19, "UNKNOWN"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(MediaProfileIndex(r.profile), r.index);
        EXPECT_EQ(MediaProfileName(r.index), r.name);
    }
    // The gaps of the table (0006, 0007, 000B-000F, 0015-0019) and newer media are not listed.
    for (std::uint16_t unlisted : {0x0006, 0x0007, 0x000B, 0x0015, 0x001C, 0x0040, 0xFFFE})
        EXPECT_EQ(MediaProfileIndex(unlisted), -1) << unlisted;
    EXPECT_EQ(MediaProfileName(-1), "");
    EXPECT_EQ(MediaProfileName(20), "");

    EXPECT_EQ(CurrentProfileOf(ConfigurationReply(0x001B)), 0x001B);
    EXPECT_EQ(CurrentProfileOf(ConfigurationReply(0x1234)), 0x1234);  // big-endian
    EXPECT_EQ(CurrentProfileOf(std::vector<std::uint8_t>(7, 0xFF)), 0);
}

TEST(WindowsVersionIndex, ReleasesOfBothFamilies) {
    const struct {
        std::uint32_t platform, major, minor;
        int index;
    } rows[] = {
        {1, 4, 0, 0},  {1, 4, 10, 1}, {1, 4, 90, 1}, {2, 3, 51, 2}, {2, 3, 50, 5}, {2, 4, 0, 3},
        {2, 5, 0, 4},  {2, 5, 1, 5},  {2, 6, 1, 5},  {0, 3, 10, -1}, {3, 4, 0, -1},
    };
    for (const auto& r : rows)
        EXPECT_EQ(WindowsVersionIndex(r.platform, r.major, r.minor), r.index) << r.platform << " " << r.major << "." << r.minor;
}

TEST(DriveSpeeds, SingleSpeedMultiplesRoundHalvesToEven) {
    EXPECT_EQ(SpeedFactor(7056), 40);
    EXPECT_EQ(SpeedFactor(1412), 8);
    EXPECT_EQ(SpeedFactor(8467), 48);
    EXPECT_EQ(SpeedFactor(0), 0);
    EXPECT_EQ(SpeedFactor(88), 0);   // 0.4987
    EXPECT_EQ(SpeedFactor(89), 1);   // 0.5044
    EXPECT_EQ(SpeedFactor(65535), 371);
    for (const auto& [value, rounded] : std::map<double, long>{{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {2.4999, 2},
                                                              {2.5001, 3}, {7.0, 7}})
        EXPECT_EQ(RoundHalfToEven(value), rounded) << value;
}

TEST(CapabilityText, RecordedKindsOfDrive) {
    const struct {
        const char* drive;
        const std::vector<std::uint8_t>& page;
        const char* text;
    } rows[] = {
        {"DVD-ROM reads everything, writes nothing", testing::kDvdRomPage,
         "Read CD-R\r\nRead CD-RW\r\nRead Method 2\r\nRead DVD-ROM\r\nRead DVD-R / DVD-RW\r\nRead DVD-RAM\r\n"
         "Device Buffer: 512k\r\nMax Read Speed: 48x\r\nMax Write Speed: 0x"},
        {"8x CD-ROM without read bits begins with an empty line", testing::kCdRom8xPage,
         "\r\nDevice Buffer: 128k\r\nMax Read Speed: 8x\r\nMax Write Speed: 0x"},
        {"CD-RW writer", testing::kCdRwWriterPage,
         "Read CD-R\r\nRead CD-RW\r\nRead Method 2\r\nWrite CD-R\r\nWrite CD-RW\r\nWrite Test\r\n"
         "Device Buffer: 2048k\r\nMax Read Speed: 52x\r\nMax Write Speed: 52x"},
        {"DVD writer", testing::kDvdWriterPage,
         "Read CD-R\r\nRead CD-RW\r\nRead Method 2\r\nRead DVD-ROM\r\nRead DVD-R / DVD-RW\r\nRead DVD-RAM\r\n"
         "Write CD-R\r\nWrite CD-RW\r\nWrite Test\r\nWrite DVD-R / DVD-RW\r\nWrite DVD-RAM\r\n"
         "Device Buffer: 2048k\r\nMax Read Speed: 40x\r\nMax Write Speed: 48x"},
    };
    for (const auto& r : rows) EXPECT_EQ(CapabilityText(r.page), r.text) << r.drive;

    // Bit 3 of the write byte means nothing here; a reply cut short reads as zeros.
    std::vector<std::uint8_t> odd(12, 0);
    odd[10] = 0x02;
    odd[11] = 0x08;
    EXPECT_EQ(CapabilityText(odd), "\r\nRead CD-RW\r\nDevice Buffer: 0k\r\nMax Read Speed: 0x\r\nMax Write Speed: 0x");
    EXPECT_EQ(CapabilityText({}), "\r\nDevice Buffer: 0k\r\nMax Read Speed: 0x\r\nMax Write Speed: 0x");
}

// ---- The library's command flow -----------------------------------------------------------------

struct Rig {
    ScriptedMmcDrive drive;
    ScriptedDeviceIo io;
    int waits = 0;
    int versionIndex = 5;
    bool administrator = true;
    unsigned driveType = kDriveTypeCdrom;
    std::vector<char> typeAsked;

    Rig() {
        drive.inquiry = testing::InquiryData("HL-DT-ST", "DVDRAM GH22NS50", "TN02");
        drive.configuration = ConfigurationReply(0x0010);
        drive.capabilities = testing::kDvdWriterPage;
        io.AddDevice("\\\\.\\D:", drive.Handler());
    }
    DiscLibPlatform Platform() {
        DiscLibPlatform p;
        p.windowsVersionIndex = [this] { return versionIndex; };
        p.isAdministrator = [this] { return administrator; };
        p.driveType = [this](char letter) {
            typeAsked.push_back(letter);
            return driveType;
        };
        p.devices = &io;
        p.waitBetweenTries = [this] { ++waits; };
        return p;
    }
};

TEST(DiscLib, PassThroughNeedsNt4OrLaterAndAnAdministrator) {
    const struct {
        int index;
        bool administrator;
        bool allowed;
    } rows[] = {{-1, true, false}, {0, true, false}, {1, true, false}, {2, true, false}, {3, true, true},
                {4, true, true},   {5, true, true},  {5, false, false}, {1, false, false}};
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.index) + (r.administrator ? " administrator" : " user"));
        Rig rig;
        rig.versionIndex = r.index;
        rig.administrator = r.administrator;
        TISODiscLib library(rig.Platform());
        EXPECT_EQ(library.passThroughAllowed(), r.allowed);
        const OpenedDevice drive = library.OpenCdDrive('D');
        EXPECT_EQ(bool(drive), r.allowed);
        // A refused library does not even look at the drive.
        EXPECT_EQ(rig.io.opens.size(), r.allowed ? 1u : 0u);
        std::string text = "untouched";
        library.ReadCapabilityText(drive.file.get(), text);
        EXPECT_EQ(text == "untouched", !r.allowed);
    }
}

TEST(DiscLib, OpensOnlyCdromLettersForReadingAndWriting) {
    Rig rig;
    rig.driveType = kDriveTypeRemovable;
    TISODiscLib library(rig.Platform());
    EXPECT_FALSE(library.OpenCdDrive('D'));
    EXPECT_TRUE(rig.io.opens.empty());
    rig.driveType = kDriveTypeCdrom;
    EXPECT_FALSE(library.OpenCdDrive('E'));  // no such device
    const OpenedDevice d = library.OpenCdDrive('D');
    ASSERT_TRUE(d);
    ASSERT_EQ(rig.io.opens.size(), 2u);
    EXPECT_EQ(rig.io.opens[1].path, "\\\\.\\D:");
    EXPECT_EQ(rig.io.opens[1].access, kGenericRead | kGenericWrite);
    EXPECT_EQ(rig.io.opens[1].share, kShareRead | kShareWrite);
    EXPECT_EQ(rig.typeAsked, (std::vector<char>{'D', 'E', 'D'}));
}

TEST(DiscLib, CapabilityConversationAndItsCommandBlocks) {
    Rig rig;
    TISODiscLib library(rig.Platform());
    const OpenedDevice d = library.OpenCdDrive('D');
    std::string text;
    library.ReadCapabilityText(d.file.get(), text);
    EXPECT_EQ(text, CapabilityText(testing::kDvdWriterPage));
    EXPECT_EQ(rig.waits, 1);
    ASSERT_EQ(rig.drive.Opcodes(), (std::vector<std::uint8_t>{0x00, 0x46, 0x5A}));

    const bool is32 = sizeof(void*) == 4;
    const struct {
        const char* command;
        std::vector<std::uint8_t> cdb;
        std::uint32_t length;
        std::uint8_t sense;
    } expected[] = {
        {"TEST UNIT READY", {0, 0, 0, 0, 0, 0}, 0, 32},
        {"GET CONFIGURATION", {0x46, 0x02, 0, 0, 0, 0, 0, 0, 0x72, 0}, 114, 32},
        {"MODE SENSE", {0x5A, 0x00, 0xAA, 0, 0, 0, 0, 0x01, 0xB8, 0}, 440, 14},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].command);
        const ScsiPassThroughDirect& spt = rig.drive.commands[i].spt;
        EXPECT_EQ(spt.Length, is32 ? 44u : 56u);
        EXPECT_EQ(spt.CdbLength, expected[i].cdb.size());
        EXPECT_EQ(std::vector<std::uint8_t>(spt.Cdb, spt.Cdb + spt.CdbLength), expected[i].cdb);
        EXPECT_EQ(spt.DataTransferLength, expected[i].length);
        EXPECT_EQ(spt.SenseInfoLength, expected[i].sense);
        EXPECT_EQ(spt.DataIn, 1u);
        EXPECT_EQ(spt.TimeOutValue, 120u);
        EXPECT_EQ(spt.SenseInfoOffset, is32 ? 48u : 60u);
        EXPECT_EQ(spt.DataBuffer == nullptr, expected[i].length == 0);
        EXPECT_EQ(rig.drive.inSizes[i], is32 ? 80u : 96u);
        EXPECT_EQ(rig.drive.outSizes[i], rig.drive.inSizes[i]);
    }
}

TEST(DiscLib, ReadinessTriesProfilesAndFailedModeSense) {
    struct Case {
        const char* name;
        int notReady;
        std::vector<std::uint8_t> configuration;
        bool modeSenseFails;
        int waits;
        const char* text;  // nullptr: left untouched
    };
    const std::string writer = CapabilityText(testing::kDvdWriterPage);
    const Case cases[] = {
        {"ready on the tenth try", 9, ConfigurationReply(0x0010), false, 10, writer.c_str()},
        {"never ready", 10, ConfigurationReply(0x0010), false, 10, nullptr},
        {"empty drive", 0, ConfigurationReply(0x0000), false, 1, writer.c_str()},
        {"unlisted profile", 0, ConfigurationReply(0x0040), false, 1, nullptr},
        {"GET CONFIGURATION fails", 0, {}, false, 1, nullptr},
        {"MODE SENSE fails", 0, ConfigurationReply(0x0008), true, 1,
         "\r\nDevice Buffer: 0k\r\nMax Read Speed: 0x\r\nMax Write Speed: 0x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.drive.notReadyTries = c.notReady;
        rig.drive.configuration = c.configuration;
        if (c.modeSenseFails) rig.drive.capabilities.clear();
        TISODiscLib library(rig.Platform());
        std::string text = "untouched";
        {
            const OpenedDevice d = library.OpenCdDrive('D');
            library.ReadCapabilityText(d.file.get(), text);
        }
        EXPECT_EQ(text, c.text ? c.text : "untouched");
        EXPECT_EQ(rig.waits, c.waits);
        const auto opcodes = rig.drive.Opcodes();
        EXPECT_EQ(std::count(opcodes.begin(), opcodes.end(), std::uint8_t{0}), std::min(c.notReady + 1, 10));
        EXPECT_EQ(rig.io.openHandles(), 0);
    }
}

TEST(DiscLib, CurrentProfileOfAnOpenDrive) {
    Rig rig;
    rig.drive.configuration = ConfigurationReply(0x001B);
    OpenedDevice d = rig.io.Open("\\\\.\\D:", kGenericRead | kGenericWrite, kShareRead | kShareWrite);
    ASSERT_TRUE(d);
    EXPECT_EQ(MediaProfileName(TISODiscLib::GetCurrentProfile(*d.file)), "DVD+R");
    rig.drive.configuration.clear();
    EXPECT_EQ(TISODiscLib::GetCurrentProfile(*d.file), -1);
    EXPECT_TRUE(TISODiscLib::TestUnitReady(*d.file));
    rig.drive.notReadyTries = 1;
    EXPECT_FALSE(TISODiscLib::TestUnitReady(*d.file));
}

// ---- The tray ------------------------------------------------------------------------------------

class RecordingDoor final : public MciDoor {
public:
    std::vector<std::string> calls;
    unsigned openAnswer = 0;
    unsigned Open(const std::string& type, const std::string& element, std::uint32_t& id) override {
        calls.push_back("open " + type + " " + element);
        if (openAnswer == 0) id = 7;
        return openAnswer;
    }
    unsigned SetDoorClosed(std::uint32_t id) override {
        calls.push_back("door closed " + std::to_string(id));
        return 0;
    }
    unsigned Close(std::uint32_t id) override {
        calls.push_back("close " + std::to_string(id));
        return 0;
    }
};

TEST(CdDoor, OpensClosesTheDoorAndTheDeviceOrNothingAtAll) {
    RecordingDoor door;
    CloseCdDoor(door, 'D');
    EXPECT_EQ(door.calls, (std::vector<std::string>{"open CDAudio D:", "door closed 7", "close 7"}));
    RecordingDoor refusing;
    refusing.openAnswer = 266;  // MCIERR_CANNOT_LOAD_DRIVER
    CloseCdDoor(refusing, 'E');
    EXPECT_EQ(refusing.calls, (std::vector<std::string>{"open CDAudio E:"}));
}

// ---- The CD/DVD window's texts ------------------------------------------------------------------

TEST(InquiryFields, SlicedFromTheIdentificationText) {
    // As the summary's INQUIRY hands it over: the reply from byte 8 on, header bytes gone.
    std::vector<std::uint8_t> reply = testing::InquiryData("TSSTcorp", "CDDVDW SH-S223C", "SB01");
    reply.resize(56, 0);
    std::memcpy(reply.data() + 36, "  06/02/2008 ", 13);
    const std::string text(reinterpret_cast<const char*>(reply.data()) + 8);
    const InquiryFields f = SplitInquiryText(text);
    EXPECT_EQ(f.vendor, "TSSTcorp");
    EXPECT_EQ(f.product, "CDDVDW SH-S223C ");
    EXPECT_EQ(f.revision, "SB01");
    EXPECT_EQ(f.vendorSpecific, "06/02/2008");

    const struct {
        const char* name;
        std::string revision;
        const char* cleaned;
    } rows[] = {
        {"control character inside", std::string("1\x07" "0A"), "1 0A"},
        {"blanks and controls at the ends", std::string("\t1.0"), "1.0"},
        {"8-bit codes", std::string("1\xB0" "0\xFF"), "1 0 "},
        {"short", "1.", "1."},
    };
    for (const auto& r : rows) {
        std::string id = std::string(24, 'x') + r.revision;
        EXPECT_EQ(SplitInquiryText(id).revision, r.cleaned) << r.name;
    }
    const InquiryFields shortText = SplitInquiryText("VENDOR");
    EXPECT_EQ(shortText.vendor, "VENDOR");
    EXPECT_EQ(shortText.product, "");
    EXPECT_EQ(shortText.revision, "");
    EXPECT_EQ(SplitInquiryText("").vendor, "");
}

TEST(TextLines, AsAListBoxTakesAText) {
    EXPECT_EQ(TextLines(""), std::vector<std::string>{});
    EXPECT_EQ(TextLines("\r\nA\r\nB"), (std::vector<std::string>{"", "A", "B"}));
    EXPECT_EQ(TextLines("A\r\n"), (std::vector<std::string>{"A"}));
    EXPECT_EQ(TextLines("A\rB\nC\r\n\r\nD"), (std::vector<std::string>{"A", "B", "C", "", "D"}));
}

// ---- The USB drives grid ------------------------------------------------------------------------

WmiValue Array(std::vector<WmiScalar> elements) { return WmiValue(std::move(elements)); }

TEST(UsbDriveCells, CapabilitiesOfTheFirstThreeCodes) {
    EXPECT_EQ(DiskCapabilityText(3), "Random Access.\r");
    EXPECT_EQ(DiskCapabilityText(12), "Ejection Not Required Prior to Drive Dismount.\r");
    for (std::int64_t silent : {0, 1, 8, 9, 11, 13, -1}) EXPECT_EQ(DiskCapabilityText(silent), "") << silent;

    const struct {
        const char* name;
        WmiValue value;
        const char* cell;
    } rows[] = {
        {"3, 4, 7", Array({std::int64_t{3}, std::int64_t{4}, std::int64_t{7}}),
         "Random Access.\rWriting.\rRemovable Media.\r"},
        {"only three of five", Array({std::int64_t{3}, std::int64_t{4}, std::int64_t{10}, std::int64_t{7}, std::int64_t{12}}),
         "Random Access.\rWriting.\rSMART Notification.\r"},
        {"code without a text", Array({std::int64_t{3}, std::int64_t{1}, std::int64_t{7}}), "Random Access.\rRemovable Media.\r"},
        {"shorter array", Array({std::int64_t{3}, std::int64_t{4}}), "Random Access.\rWriting.\r"},
        {"not a number", Array({std::string("x"), std::int64_t{7}}), "Removable Media.\r"},
        {"null", WmiValue::Null(), ""},
        {"empty", Array({}), ""},
    };
    for (const auto& r : rows) EXPECT_EQ(CapabilitiesCell(r.value), r.cell) << r.name;
}

TEST(UsbDriveCells, GroupedSizesFromWmiNumbersAndTexts) {
    EXPECT_EQ(GroupedNumberCell(WmiValue(WmiScalar(std::string("8004304896"))), ","), "8,004,304,896");
    EXPECT_EQ(GroupedNumberCell(WmiValue(WmiScalar(std::int64_t{15633345})), "."), "15.633.345");
    EXPECT_EQ(GroupedNumberCell(WmiValue(WmiScalar(std::int64_t{512})), ","), "512");
    EXPECT_EQ(GroupedNumberCell(WmiValue::Null(), ","), "");
}

TEST(UsbDriveCells, OneRowPerUsbInstance) {
    std::map<std::string, WmiValue> stick = {
        {"InterfaceType", WmiScalar(std::string("USB"))},
        {"Description", WmiScalar(std::string("Disk drive"))},
        {"Model", WmiScalar(std::string("Kingston DataTraveler 2.0 USB Device"))},
        {"Capabilities", Array({std::int64_t{3}, std::int64_t{4}, std::int64_t{7}})},
        {"BytesPerSector", WmiScalar(std::int64_t{512})},
        {"TotalSectors", WmiScalar(std::string("15633345"))},
        {"Size", WmiScalar(std::string("8004304896"))},
        {"Status", WmiScalar(std::string("OK"))},
        {"PNPDeviceID", WmiScalar(std::string("USBSTOR\\DISK&VEN_KINGSTON&PROD_DATATRAVELER_2.0&REV_PMAP\\5B7A1B"))},
    };
    auto reader = [](const std::map<std::string, WmiValue>& instance) {
        return [&instance](std::string_view property) {
            const auto found = instance.find(std::string(property));
            return found == instance.end() ? WmiValue::Null() : found->second;
        };
    };
    const auto row = UsbDriveRow(reader(stick), 3, ",", ".");
    ASSERT_TRUE(row);
    EXPECT_EQ(*row, (std::vector<std::string>{"3", "USB", "Disk drive", "", "Kingston DataTraveler 2.0 USB Device",
                                              "Random Access.\rWriting.\rRemovable Media.\r", "512", "15,633,345",
                                              "8,004,304,896", "OK",
                                              "USBSTOR\\DISK&VEN_KINGSTON&PROD_DATATRAVELER_2.0&REV_PMAP\\5B7A1B"}));
    std::map<std::string, WmiValue> disk = {{"InterfaceType", WmiScalar(std::string("IDE"))}};
    EXPECT_FALSE(UsbDriveRow(reader(disk), 1, ",", "."));
    std::map<std::string, WmiValue> lower = {{"InterfaceType", WmiScalar(std::string("usb"))}};
    EXPECT_FALSE(UsbDriveRow(reader(lower), 2, ",", "."));
    EXPECT_FALSE(UsbDriveRow(reader({}), 4, ",", "."));
}

}  // namespace
}  // namespace brimlow::storage
