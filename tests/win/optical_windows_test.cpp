// The CD/DVD window over the test prefix's CD-ROM drive D: (a Wine cdrom drive: type 5, its
// label, one Win32_CDROMDrive instance) with a scripted drive behind the device seam, because
// Wine's CD-ROM drives refuse pass-through; the administrator test on real and faked token
// groups; the USB drives window on scripted Win32_DiskDrive instances and on Wine's own WMI; and
// the main window's ways into both.
#include "app/Unit1.h"
#include "platform/mci_door.h"
#include "platform/number_picture_win.h"
#include "platform/win_security.h"
#include "storage/ISODiscLib_win.h"
#include "storage/TfrmCDDVD.h"
#include "storage/TfrmUSBDrives.h"
#include "tests/fakes/mmc_pages.h"
#include "tests/fakes/scripted_mmc_drive.h"
#include "tests/fakes/scripted_scsi.h"
#include "tests/win/recording_launcher.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"
#include "ui/list_view.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <map>
#include <stdexcept>

namespace brimlow {
namespace {

using testing::ConfigurationReply;
using testing::ScriptedDeviceIo;
using testing::ScriptedMmcDrive;

std::string VolumeLabel(const char* root) {
    char label[81] = {};
    DWORD serial = 0, component = 0, flags = 0;
    if (!::GetVolumeInformationA(root, label, sizeof label, &serial, &component, &flags, nullptr, 0)) return {};
    return label;
}

// Chooses an item as the user would: an error that escapes reaches the default error handler.
void Choose(ui::Form& window, const char* name) {
    ui::Application::Instance().Guard([&] { window.Click(name); });
}

class RecordingDoor final : public MciDoor {
public:
    std::vector<std::string> calls;
    unsigned Open(const std::string& type, const std::string& element, std::uint32_t& id) override {
        calls.push_back("open " + type + " " + element);
        id = 3;
        return 0;
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

// D: answers as a DVD writer holding a DVD+R.
class CdDvdWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
        drive.inquiry = testing::InquiryData("HL-DT-ST", "DVDRAM GH22NS50", "TN\x01" "2");
        drive.configuration = ConfigurationReply(0x001B);
        drive.capabilities = testing::kDvdWriterPage;
        io.AddDevice("\\\\.\\D:", drive.Handler());
        window.Create();
        window.SetDiscPlatform(Platform());
        window.SetMciDoor(door);
        window.SetLauncher(launcher);
    }
    storage::DiscLibPlatform Platform() {
        storage::DiscLibPlatform p = storage::SystemDiscLibPlatform();
        p.isAdministrator = [this] { return administrator; };
        p.devices = &io;
        p.waitBetweenTries = [this] { ++waits; };
        return p;
    }
    ScriptedMmcDrive drive;
    ScriptedDeviceIo io;
    RecordingDoor door;
    testing::RecordingLauncher launcher;
    bool administrator = true;
    int waits = 0;
    TfrmCDDVD window;
};

TEST_F(CdDvdWindow, TheWineCdromWithAScriptedDriveBehindIt) {
    window.Refresh1Click();
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(window.Caption(), "CD / DVD Information");
    ASSERT_GE(window.ItemCount("cbDrive"), 1);
    EXPECT_EQ(window.ItemText("cbDrive", 0), "D: [" + VolumeLabel("D:\\") + "]");
    for (int i = 0; i < window.ItemCount("cbDrive"); ++i)
        EXPECT_EQ(::GetDriveTypeA((window.ItemText("cbDrive", i).substr(0, 2) + "\\").c_str()), UINT(DRIVE_CDROM));

    // The INQUIRY fields: exactly the padded identification, the revision's control character
    // as a blank.
    EXPECT_EQ(window.Text("Edit13"), "HL-DT-ST");
    EXPECT_EQ(window.Text("Edit15"), "DVDRAM GH22NS50 ");
    EXPECT_EQ(window.Text("Edit17"), "TN 2");
    EXPECT_EQ(window.Text("Edit19"), "");
    ASSERT_FALSE(drive.commands.empty());
    const ScsiPassThroughDirect& inquiry = drive.commands[0].spt;
    EXPECT_EQ(inquiry.Cdb[0], kScsiInquiry);
    EXPECT_EQ(inquiry.Cdb[4], 100);
    EXPECT_EQ(inquiry.DataTransferLength, 100u);
    EXPECT_EQ(inquiry.SenseInfoLength, 24u);
    EXPECT_EQ(inquiry.TimeOutValue, 2u);

    // Wine's Win32_CDROMDrive instance of D:.
    EXPECT_EQ(window.Text("Edit7"), "D:");
    EXPECT_EQ(window.info().Drive, "D:");
    EXPECT_EQ(window.Text("Info7"), "Wine CD_ROM ATA Device");
    EXPECT_EQ(window.Text("info6"), window.info().MediaType);
    EXPECT_NE(window.Text("Info9"), "");

    ui::ListView capabilities(window.Control("ListBox1"));
    ASSERT_EQ(capabilities.Count(), 14);
    EXPECT_EQ(capabilities.Cell(0, 0), "Read CD-R");
    EXPECT_EQ(capabilities.Cell(10, 0), "Write DVD-RAM");
    EXPECT_EQ(capabilities.Cell(12, 0), "Max Read Speed: 40x");
    EXPECT_EQ(capabilities.Cell(13, 0), "Max Write Speed: 48x");
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(io.openHandles(), 0);
    EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);

    Choose(window, "Button3");
    ASSERT_EQ(testing::ShownMessages().size(), 1u);
    EXPECT_EQ(testing::ShownMessages()[0], "The Inserted media is DVD+R");
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(io.openHandles(), 0);

    // Showing again lists each drive once.
    const int drives = window.ItemCount("cbDrive");
    window.Refresh1Click();
    EXPECT_EQ(window.ItemCount("cbDrive"), drives);
}

TEST_F(CdDvdWindow, ADriveReadyOnTheTenthTryAndOneNeverReady) {
    drive.notReadyTries = 9;
    window.Refresh1Click();
    EXPECT_EQ(ui::ListView(window.Control("ListBox1")).Count(), 14);
    EXPECT_EQ(waits, 10);
    drive.notReadyTries = 10;
    waits = 0;
    window.cbDriveChange();
    EXPECT_EQ(ui::ListView(window.Control("ListBox1")).Count(), 0);
    EXPECT_EQ(waits, 10);
}

TEST_F(CdDvdWindow, ANonAdministratorGetsTheInquiryButNoCapabilities) {
    administrator = false;
    window.SetDiscPlatform(Platform());
    window.Refresh1Click();
    EXPECT_EQ(window.Text("Edit13"), "HL-DT-ST");
    EXPECT_EQ(ui::ListView(window.Control("ListBox1")).Count(), 0);
    // Only the INQUIRY reached the drive.
    ASSERT_EQ(drive.Opcodes(), (std::vector<std::uint8_t>{kScsiInquiry}));
}

TEST_F(CdDvdWindow, ADeviceThatDoesNotOpenLeavesTheInquiryEmpty) {
    ScriptedDeviceIo nothing;
    storage::DiscLibPlatform p = Platform();
    p.devices = &nothing;
    window.SetDiscPlatform(p);
    window.Refresh1Click();
    for (const char* name : {"Edit13", "Edit15", "Edit17", "Edit19"}) EXPECT_EQ(window.Text(name), "") << name;
    EXPECT_EQ(ui::ListView(window.Control("ListBox1")).Count(), 0);
    EXPECT_EQ(window.Text("Edit7"), "D:");  // WMI still answers
}

TEST_F(CdDvdWindow, TrayActionsOnTheCdrom) {
    window.Refresh1Click();
    io.opens.clear();
    Choose(window, "BitBtn1");
    EXPECT_EQ(drive.ejects, 1);
    ASSERT_EQ(io.opens.size(), 1u);
    EXPECT_EQ(io.opens[0].path, "\\\\.\\D:");
    EXPECT_EQ(io.opens[0].access, kGenericRead);
    EXPECT_EQ(io.opens[0].share, kShareRead);
    Choose(window, "Button1");
    EXPECT_EQ(door.calls, (std::vector<std::string>{"open CDAudio D:", "door closed 3", "close 3"}));
    Choose(window, "Button2");
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].what, "mci");
    EXPECT_EQ(launcher.calls[0].file, "Set cdaudio door open wait");
    EXPECT_EQ(launcher.calls[0].parameters, std::to_string(reinterpret_cast<std::uintptr_t>(window.hwnd())));
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(io.openHandles(), 0);
}

TEST_F(CdDvdWindow, EjectAndLoadRefuseADriveThatIsNeitherCdromNorRemovable) {
    window.Refresh1Click();
    storage::DiscLibPlatform fixed = Platform();
    fixed.driveType = [](char) { return unsigned(DRIVE_FIXED); };
    window.SetDiscPlatform(fixed);
    io.opens.clear();
    Choose(window, "BitBtn1");
    Choose(window, "Button1");
    EXPECT_EQ(testing::ReportedErrors(), (std::vector<std::string>{"The selected drive is not a CD/DVD drive.",
                                                                  "The selected drive is not a CD/DVD drive."}));
    EXPECT_TRUE(io.opens.empty());
    EXPECT_TRUE(door.calls.empty());
    EXPECT_EQ(drive.ejects, 0);
}

TEST_F(CdDvdWindow, EjectOnADeviceThatDoesNotOpenSaysError) {
    window.Refresh1Click();
    ScriptedDeviceIo nothing;
    storage::DiscLibPlatform p = Platform();
    p.devices = &nothing;
    window.SetDiscPlatform(p);
    Choose(window, "BitBtn1");
    EXPECT_EQ(testing::ShownMessages(), std::vector<std::string>{"Error"});
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(CdDvdWindow, AnalyseWithoutAUsableProfileIsAnError) {
    window.Refresh1Click();
    for (const std::vector<std::uint8_t>& reply : {std::vector<std::uint8_t>{}, ConfigurationReply(0x0040)}) {
        testing::ReportedErrors().clear();
        drive.configuration = reply;
        Choose(window, "Button3");
        EXPECT_EQ(testing::ReportedErrors(), std::vector<std::string>{"Error reading disc!"});
        EXPECT_TRUE(testing::ShownMessages().empty());
    }
    EXPECT_EQ(io.openHandles(), 0);
}

TEST_F(CdDvdWindow, TheWheelLeavesTheDriveListAloneWhileItHasTheFocus) {
    window.Refresh1Click();
    ::SetFocus(window.Control("cbDrive"));
    EXPECT_EQ(window.ScrollBox1MouseWheel(), ::GetFocus() == window.Control("cbDrive"));
    ::SetFocus(window.Control("Edit13"));
    EXPECT_FALSE(window.ScrollBox1MouseWheel());
    EXPECT_TRUE(window.Enabled("Exit1"));
    EXPECT_TRUE(window.Enabled("Refresh1"));
}

// ---- The administrator test ---------------------------------------------------------------------

// A TOKEN_GROUPS record holding the given well-known SIDs; the record's pointers point into itself.
std::vector<std::uint8_t> TokenGroupsWith(std::vector<WELL_KNOWN_SID_TYPE> types) {
    std::vector<std::uint8_t> record(1024);
    auto* groups = reinterpret_cast<TOKEN_GROUPS*>(record.data());
    groups->GroupCount = static_cast<DWORD>(types.size());
    std::size_t free = offsetof(TOKEN_GROUPS, Groups) + types.size() * sizeof(SID_AND_ATTRIBUTES);
    for (std::size_t i = 0; i < types.size(); ++i) {
        DWORD size = SECURITY_MAX_SID_SIZE;
        PSID sid = record.data() + free;
        if (!::CreateWellKnownSid(types[i], nullptr, sid, &size)) throw std::runtime_error("CreateWellKnownSid");
        groups->Groups[i].Sid = sid;
        groups->Groups[i].Attributes = SE_GROUP_ENABLED;
        free += (size + 3) & ~3u;
    }
    return record;
}

TEST(Administrator, TheTokenGroupsDecide) {
    // The Wine user is in the Administrators group.
    EXPECT_TRUE(win::IsAdministrator());
    const struct {
        const char* name;
        std::vector<WELL_KNOWN_SID_TYPE> groups;
        bool administrator;
    } rows[] = {
        {"users only", {WinWorldSid, WinBuiltinUsersSid, WinAuthenticatedUserSid}, false},
        {"administrators last", {WinWorldSid, WinBuiltinUsersSid, WinBuiltinAdministratorsSid}, true},
        {"no groups", {}, false},
    };
    for (const auto& r : rows) {
        const std::vector<WELL_KNOWN_SID_TYPE> groups = r.groups;
        EXPECT_EQ(win::IsAdministrator([&] { return std::optional(TokenGroupsWith(groups)); }), r.administrator) << r.name;
    }
    EXPECT_FALSE(win::IsAdministrator([] { return std::optional<std::vector<std::uint8_t>>(); }));
    EXPECT_EQ(storage::SystemWindowsVersionIndex(), 5);  // Windows 7
}

// ---- USB drives ---------------------------------------------------------------------------------

using Instance = std::map<std::string, WmiValue>;

WmiValue Text(const char* text) { return WmiValue(WmiScalar(std::string(text))); }
WmiValue Number(std::int64_t n) { return WmiValue(WmiScalar(n)); }

TfrmUSBDrives::DiskDriveEnumerator Scripted(const std::vector<Instance>& instances, std::vector<std::string>& queries,
                                            int failAfter = -1) {
    return [&instances, &queries, failAfter](const std::string& query,
                                             const std::function<void(const storage::WmiPropertyReader&)>& each) {
        queries.push_back(query);
        int n = 0;
        for (const Instance& instance : instances) {
            if (n++ == failAfter) throw std::runtime_error("Generic failure ");
            each([&instance](std::string_view property) {
                const auto found = instance.find(std::string(property));
                return found == instance.end() ? WmiValue::Null() : found->second;
            });
        }
    };
}

const Instance kSataDisk = {{"InterfaceType", Text("IDE")}, {"Model", Text("ST3250824AS")}};
const Instance kUsbStick = {
    {"InterfaceType", Text("USB")},
    {"Description", Text("Disk drive")},
    {"Model", Text("Kingston DataTraveler 2.0 USB Device")},
    {"Capabilities", WmiValue(std::vector<WmiScalar>{std::int64_t{3}, std::int64_t{4}, std::int64_t{7}})},
    {"BytesPerSector", Number(512)},
    {"TotalSectors", Text("15633345")},
    {"Size", Text("8004304896")},
    {"Status", Text("OK")},
    {"PNPDeviceID", Text("USBSTOR\\DISK&VEN_KINGSTON&PROD_DATATRAVELER_2.0\\5B7A1B")},
};

TEST(UsbDrivesWindow, AUsbStickEnumeratedThirdAmongThreeDisks) {
    testing::ReportedErrors().clear();
    const std::vector<Instance> disks = {kSataDisk, kSataDisk, kUsbStick};
    std::vector<std::string> queries;
    TfrmUSBDrives window;
    window.Create();
    window.SetEnumerator(Scripted(disks, queries));
    EXPECT_EQ(window.Caption(), "USB Drives");
    Choose(window, "Refresh1");
    Choose(window, "Refresh1");  // twice: still one row
    EXPECT_EQ(queries, (std::vector<std::string>{"SELECT * FROM Win32_DiskDrive", "SELECT * FROM Win32_DiskDrive"}));
    ui::ListView grid(window.Control("StringGrid1"));
    ASSERT_EQ(grid.ColumnCount(), 11);
    ASSERT_EQ(grid.Count(), 1);
    const std::string separator = win::UserThousandSeparator();
    EXPECT_EQ(grid.Row(0), (std::vector<std::string>{"3", "USB", "Disk drive", "", "Kingston DataTraveler 2.0 USB Device",
                                                     "Random Access.\rWriting.\rRemovable Media.\r", "512",
                                                     "15" + separator + "633" + separator + "345",
                                                     "8" + separator + "004" + separator + "304" + separator + "896", "OK",
                                                     "USBSTOR\\DISK&VEN_KINGSTON&PROD_DATATRAVELER_2.0\\5B7A1B"}));
    EXPECT_EQ(window.Text("Info1"), "1");
    EXPECT_EQ(window.Text("Info2"), "3");
    // The rows are tall enough for three capability lines.
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(::SendMessageA(grid.hwnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)));
    EXPECT_GE(row.bottom - row.top, 50);
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_TRUE(window.Enabled("QuickPrint1"));
    EXPECT_TRUE(window.Enabled("Close1"));
}

TEST(UsbDrivesWindow, AFailingEnumerationKeepsTheRowsWrittenSoFar) {
    testing::ReportedErrors().clear();
    const std::vector<Instance> disks = {kUsbStick, kSataDisk, kUsbStick};
    std::vector<std::string> queries;
    TfrmUSBDrives window;
    window.Create();
    window.SetEnumerator(Scripted(disks, queries, 2));
    Choose(window, "Refresh1");
    EXPECT_EQ(testing::ReportedErrors(), std::vector<std::string>{"Generic failure "});
    EXPECT_EQ(ui::ListView(window.Control("StringGrid1")).Count(), 1);
}

TEST(UsbDrivesWindow, WinesOwnWmiHasNoUsbDisk) {
    testing::ReportedErrors().clear();
    TfrmUSBDrives window;
    window.Create();
    Choose(window, "Refresh1");
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(ui::ListView(window.Control("StringGrid1")).Count(), 0);
    EXPECT_EQ(window.Text("Info1"), "0");
    // One disk drive per fixed drive letter: C: and Z: in the test prefix.
    EXPECT_EQ(window.Text("Info2"), "2");
}

TEST(UsbDrivesWindow, QuickPrintPutsThePictureOnTheDefaultPrinterWithoutAsking) {
    const testing::TestPrinter printer;
    ASSERT_TRUE(printer.installed());
    const std::vector<Instance> disks = {kUsbStick};
    std::vector<std::string> queries;
    TfrmUSBDrives window;
    window.Create();
    window.SetEnumerator(Scripted(disks, queries));
    Choose(window, "Refresh1");
    {
        testing::DialogAnswerer cancel(IDCANCEL);
        Choose(window, "QuickPrint1");
        EXPECT_TRUE(cancel.titles().empty());
    }
    EXPECT_NE(printer.Printed().find("%%Title: USB Drives"), std::string::npos);
}

// ---- The main window's ways in -----------------------------------------------------------------

TEST(OpticalWindowsFromTheMainWindow, MenuToolButtonAndTheDriveWindowsSwitch) {
    TForm1 form{{}};
    form.Create();
    for (const char* name : {"CDDVDInfo1", "ToolButton11", "USBDrives1"}) EXPECT_TRUE(form.Enabled(name)) << name;
    EXPECT_TRUE(::IsWindowEnabled(form.frmDisk().Control("BitBtn1")));
    EXPECT_FALSE(form.frmCDDVD().Visible());
    EXPECT_EQ(::GetWindow(form.frmCDDVD().hwnd(), GW_OWNER), form.hwnd());
    EXPECT_EQ(::GetWindow(form.frmUSBDrives().hwnd(), GW_OWNER), form.hwnd());
}

}  // namespace
}  // namespace brimlow

namespace brimlow {
namespace {

// Not a check: with BRIMLOW_SHOW_OPTICAL_WINDOWS=<seconds> in the environment the CD/DVD window
// (scripted DVD writer behind D:) and the USB drives window (a scripted stick) are shown side by
// side for that long, so a screenshot can be taken of them.
TEST(OpticalWindowsShown, ForAScreenshot) {
    char seconds[16] = {};
    if (!::GetEnvironmentVariableA("BRIMLOW_SHOW_OPTICAL_WINDOWS", seconds, sizeof seconds))
        GTEST_SKIP() << "set BRIMLOW_SHOW_OPTICAL_WINDOWS=<seconds> to look at the windows";
    ScriptedMmcDrive drive;
    drive.inquiry = testing::InquiryData("HL-DT-ST", "DVDRAM GH22NS50", "TN02");
    drive.configuration = ConfigurationReply(0x001B);
    drive.capabilities = testing::kDvdWriterPage;
    ScriptedDeviceIo io;
    io.AddDevice("\\\\.\\D:", drive.Handler());
    storage::DiscLibPlatform p = storage::SystemDiscLibPlatform();
    p.devices = &io;
    TfrmCDDVD cd;
    cd.Create();
    cd.SetDiscPlatform(p);
    cd.Show();
    ::SetWindowPos(cd.hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const std::vector<Instance> disks = {kSataDisk, kSataDisk, kUsbStick};
    std::vector<std::string> queries;
    TfrmUSBDrives usb;
    usb.Create();
    usb.SetEnumerator(Scripted(disks, queries));
    usb.Show();
    // Along the bottom of the screen, over the CD/DVD window's lower part: both fit no other way.
    RECT rc;
    ::GetWindowRect(usb.hwnd(), &rc);
    ::SetWindowPos(usb.hwnd(), HWND_TOP, 0, ::GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top), 0, 0, SWP_NOSIZE);
    const DWORD end = ::GetTickCount() + 1000u * std::stoul(seconds);
    MSG msg;
    while (::GetTickCount() < end) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(20);
    }
    EXPECT_TRUE(cd.Visible());
}

}  // namespace
}  // namespace brimlow
