#include "app/Unit1.h"

#include "app/TAboutBox.h"
#include "app/hardware_collectors.h"
#include "app/hardware_text.h"
#include "app/product.h"
#include "app/software_collectors.h"
#include "cpu/TfrmCPU.h"
#include "cpu/clock_win.h"
#include "devices/TfrmSound.h"
#include "forms/main_form.h"
#include "platform/device_io_win.h"
#include "platform/win_clipboard.h"
#include "platform/win_datetime.h"
#include "platform/win_file.h"
#include "platform/windows_version_win.h"
#include "platform/wmiquery.h"
#include "ui/application.h"
#include "ui/print_form.h"
#include "ui/report_preview.h"

#include <windows.h>

#include <optional>

namespace brimlow {

namespace {
std::string InfoName(int n) { return "Info" + std::to_string(n); }
std::string DescName(int n) { return "Desc" + std::to_string(n); }

constexpr const char* kCopiedMessage = "System Information copied to clipboard.";

ui::SaveDialogRequest TextOrCsvDialog(HWND owner) {
    return {owner, "Text File (*.TXT)|*.txt|Comma Seperated Variable (*.CSV)|*.csv", "TXT"};
}
constexpr int kTextFileType = 1;
constexpr int kCsvFileType = 2;

// The dialog appends its default extension as it stands, so it is the bare "htm": a pattern such
// as "*.htm" would make names the file system refuses.
ui::SaveDialogRequest HtmlDialog(HWND owner) { return {owner, "HTML|*.htm", "htm"}; }
}  // namespace

TForm1::TForm1(std::vector<std::string> params) : ui::Form(forms::MainFormLayout()), params_(std::move(params)) {
    SetExportDialogs(nullptr, nullptr);
}

void TForm1::FormCreate() {
    versionText_ = kVersionText;
    SetCaption(std::string(kProductName) + " " + versionText_);
    adminUser_.clear();
    adminPassword_.clear();

    OnClick("Refresh1", [this] { Refresh1Click(); });
    OnClick("Save1", [this] { Save1Click(); });
    OnClick("ExporttoHTML1", [this] { ExporttoHTML1Click(); });
    OnClick("CopytoClipboard1", [this] { CopytoClipboard1Click(); });
    OnClick("Exit1", [this] { Close(); });
    OnClick("ToolButton5", [this] { Close(); });
    OnClick("ransparentBackground1", [this] { ransparentBackground1Click(); });
    // The scroll items exist for their shortcuts only and do nothing.
    OnClick("ScrollDown1", [] {});
    OnClick("ScrollUp1", [] {});
    OnClick("StaticText3", [this] { StaticText3Click(); });
    for (const LaunchRow& row : LaunchTable()) OnClick(row.item, [this, &row] { Launch(row); });
    OnClick("About1", [this] { About1Click(); });

    // The detail windows. Owned by this window: they stay above it and a modal showing disables
    // them. The network window opens two others, so it is given them as it is made.
    frmAdmin_ = std::make_unique<TfrmAdmin>();
    fullSpecReport_ = std::make_unique<TFullSpecReport>();
    frmPersonal_ = std::make_unique<TfrmPersonal>();
    frmMemory_ = std::make_unique<TfrmMemory>();
    frmDisplay_ = std::make_unique<TfrmDisplay>();
    frmDisk_ = std::make_unique<TfrmDisk>();
    frmDevices_ = std::make_unique<TfrmDevices>();
    frmUnistall_ = std::make_unique<TfrmUnistall>();
    frmStartup_ = std::make_unique<TfrmStartup>();
    frmHelp_ = std::make_unique<TfrmHelp>();
    frmMeters_ = std::make_unique<TfrmMeters>();
    frmCDDVD_ = std::make_unique<TfrmCDDVD>();
    hardwareReport_ = std::make_unique<THardwareReport>();
    frmUserList_ = std::make_unique<TfrmUserList>();
    frmNetworkAdapters_ = std::make_unique<TfrmNetworkAdapters>();
    frmComputers_ = std::make_unique<TfrmComputers>();
    frmNetwork_ = std::make_unique<TfrmNetwork>(
        TfrmNetwork::Windows{frmNetworkAdapters_.get(), frmUserList_.get(), frmComputers_.get()});
    frmInternet_ = std::make_unique<TfrmInternet>();
    frmPrinters_ = std::make_unique<TfrmPrinters>();
    frmServices_ = std::make_unique<TfrmServices>();
    frmBiosInfo_ = std::make_unique<TfrmBiosInfo>();
    frmUSBDrives_ = std::make_unique<TfrmUSBDrives>();
    frmUSB_ = std::make_unique<TfrmUSB>();
    frmDateTime_ = std::make_unique<TfrmDateTime>();
    // Their windows, in the program's order of creation (the two reports have none).
    for (ui::Form* window : std::initializer_list<ui::Form*>{
             frmAdmin_.get(), frmPersonal_.get(), frmMemory_.get(), frmDisplay_.get(), frmDisk_.get(),
             frmDevices_.get(), frmUnistall_.get(), frmStartup_.get(), frmHelp_.get(), frmMeters_.get(),
             frmCDDVD_.get(), frmNetwork_.get(), frmUserList_.get(), frmNetworkAdapters_.get(), frmComputers_.get(),
             frmInternet_.get(),
             frmPrinters_.get(), frmServices_.get(), frmBiosInfo_.get(), frmUSBDrives_.get(), frmUSB_.get(),
             frmDateTime_.get()})
        window->Create(hwnd());

    OnClick("Administrator1", [this] { Administrator1Click(); });
    OnClick("Print1", [this] { Print1Click(); });
    OnClick("QuickPrint1", [this] { QuickPrint1Click(); });
    OnClick("PrintHardwareSpec1", [this] { PrintHardwareSpec1Click(); });
    // The HTML page's title names the owner as the personal window last showed it.
    SetOwnerTextSource([this] { return frmPersonal_->RegisteredOwner(); });
    OnClick("ToolButton6", [this] {
        frmPersonal_->Click("Refresh1");
        frmPersonal_->Show();
    });
    OnClick("PersonalInfo1", [this] { Click("ToolButton6"); });
    OnClick("ToolButton7", [this] { frmMemory_->Show(); });
    OnClick("MemoryInfo1", [this] { Click("ToolButton7"); });
    OnClick("DisplayInfo1", [this] { frmDisplay_->Show(); });
    OnClick("ToolButton8", [this] { Click("DisplayInfo1"); });
    OnClick("DiskInfo1", [this] { frmDisk_->Show(); });
    OnClick("ToolButton9", [this] { frmDisk_->Show(); });
    frmDisk_->SetShowCdDvd([this] { frmCDDVD_->Show(); });
    OnClick("DeviceInfo1", [this] { frmDevices_->Show(); });
    OnClick("Uninstallers1", [this] { frmUnistall_->Show(); });
    OnClick("ToolButton13", [this] { frmUnistall_->Show(); });
    OnClick("Startup1", [this] { Startup1Click(); });
    OnClick("UsingBrimlow1", [this] { frmHelp_->Show(); });
    OnClick("SystemResourceMeters1", [this] { SystemResourceMeters1Click(); });
    OnClick("CPUInfo1", [this] { CPUInfo1Click(); });
    OnClick("ToolButton2", [this] { Click("CPUInfo1"); });
    frmCDDVD_->SetCredentialsSource([this] { return WmiCredentials{adminUser_, adminPassword_}; });
    OnClick("CDDVDInfo1", [this] { frmCDDVD_->Show(); });
    OnClick("ToolButton11", [this] { Click("CDDVDInfo1"); });
    OnClick("Toolbutton14", [this] { frmNetwork_->Show(); });
    OnClick("NetworkAdapters1", [this] { frmNetworkAdapters_->Show(); });
    OnClick("ToolButton12", [this] { frmInternet_->Show(); });
    OnClick("PrinterInfo1", [this] { frmPrinters_->Show(); });
    OnClick("ToolButton1", [this] { frmPrinters_->Show(); });
    OnClick("Services1", [this] { frmServices_->Show(); });
    OnClick("BIOSInfo1", [this] { frmBiosInfo_->Show(); });
    OnClick("USBDrives1", [this] { ShowUsbDrives(); });
    OnClick("ToolButton3", [this] { frmUSB_->Show(); });
    frmUSB_->SetShowUsbDrives([this] { ShowUsbDrives(); });
    OnClick("ToolButton10", [this] { frmDateTime_->Show(); });
    OnClick("Sound1", [this] { Sound1Click(); });
    OnClick("ToolButton4", [this] { Click("Sound1"); });
}

void TForm1::ShowUsbDrives() { frmUSBDrives_->Show(); }

void TForm1::FormShow() {
    try {
        const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
        RECT rc;
        ::GetWindowRect(hwnd(), &rc);
        ::SetWindowPos(hwnd(), nullptr, 0, 0, rc.right - rc.left, MainWindowHeight(screenHeight, dpi()),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } catch (...) {
    }
    RECT rc;
    ::GetWindowRect(hwnd(), &rc);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, Scale(forms::kShownWidth), rc.bottom - rc.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const StartupPlan plan = PlanStartup(params_);
    switch (plan.action) {
    case StartupAction::Refresh:
        Click("Refresh1");
        break;
    case StartupAction::Nothing:
        break;
    case StartupAction::AutoReport:
        Click("Refresh1");
        // Unattended: a file that cannot be written ends the run with exit code 1, not with a
        // message box that nobody is there to close.
        ui::Application::Instance().Terminate(WriteAutoReport(plan.reportFile) ? 0 : 1);
        break;
    }
}

void TForm1::FormResize() {
    RECT rc;
    ::GetWindowRect(hwnd(), &rc);
    const int width = (rc.right - rc.left) - Scale(forms::kValueWidthMargin);
    for (int n = 1; n <= kSummaryRowCount; ++n) {
        const HWND info = Control(InfoName(n));
        if (!info) return;
        RECT field;
        ::GetWindowRect(info, &field);
        ::SetWindowPos(info, nullptr, 0, 0, std::max(width, 0), field.bottom - field.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TForm1::Refresh1Click() {
    // Asked before the hourglass appears: if the system cannot answer, the refresh ends here.
    const std::string bitness = IsWindows64Bit() ? "64 Bit." : "32 Bit.";
    ui::BusyCursor busy;

    SetText("Info1", WindowsVersionText() + " " + bitness);
    SetText("Info2", InternetExplorerVersion());
    SetText("Info3", MemoryText());
    std::string processor = ProcessorNameText();
    if (processor.empty()) processor = CpuIdentifierText();
    SetText("Info4", processor);
    SetText("Info5", CpuSpeedText(clock()));
    SetText("Info6", SoundDevicePresent() ? SoundCardName() : kSoundNotDetected);
    const DisplayDeviceLists display = DisplayDevices();
    SetText("Info7", CleanListText(display.adapters));
    // The monitor list keeps its trailing separator, as it always has on this row.
    SetText("Info8", MonitorCount() + "x; " + display.monitors);
    SetText("Info9", ScreenSizeText() + " - " + ColorDepthText());
    SetText("Info10", NetworkPresence());
    SetText("Info11", CleanListText(NetworkAdapterList()));
    try {
        SetText("Info12", CleanListText(OpticalDriveList(devices())));
    } catch (...) {
    }
    if (PortsSuppressed(params_)) {
        SetText("Info13", "");
    } else {
        const std::string serial = CleanListText(SerialPortList()) + " ";
        SetText("Info13", serial);
        try {
            std::string parallel = CleanListText(ParallelPortProbe(devices(), PlatformId()));
            if (parallel.empty()) parallel = ParallelPortRegistryList();
            SetText("Info13", serial + parallel);
        } catch (...) {
        }
    }
    SetText("Info14", MouseText());
    const FixedDiskLists disks = FixedDisks();
    SetText("Info15", CleanListText(disks.sizes));
    SetText("Info16", CleanListText(disks.freeSpace));
    SetText("Info17", UsbControllerCount(devices()));
    SetText("Info18", FirewireBusCount(devices()));
    try {
        const WmiCredentials administrator{adminUser_, adminPassword_};
        SetText("Info19", WmiLastValue(".", "Win32_BIOS", "Manufacturer", administrator));
        SetText("Info20", WmiLastValue("", "Win32_ComputerSystemProduct", "Name", administrator));
    } catch (...) {
    }
    const PowerTexts power = PowerStatus();
    SetText("Info21", power.acPower);
    SetText("Info22", CleanListText(CleanListText(BiosText())));
    SetText("Info23", TimeZoneName());
    SetText("Info24", power.battery);
    SetText("Info25", TrimControls(MotherboardText()));
    // The address list keeps its trailing separator, as it always has on this row.
    SetText("Info26", IpAddressList());
    SetText("Info27", MacAddress());
    SetText("Info28", HostName());
}

void TForm1::Save1Click() {
    const auto choice = saveDialog_(TextOrCsvDialog(hwnd()));
    if (!choice) return;
    Click("Refresh1");
    const std::vector<SummaryRow> rows = SummaryRows();
    if (choice->typeIndex == kTextFileType) win::ReplaceFileContents(choice->fileName, TextFileText(rows));
    if (choice->typeIndex == kCsvFileType) win::ReplaceFileContents(choice->fileName, CsvText(rows));
}

void TForm1::ExporttoHTML1Click() {
    // The sheet is refreshed first, also when the user then cancels.
    Click("Refresh1");
    const auto choice = saveDialog_(HtmlDialog(hwnd()));
    if (!choice) return;
    const HtmlPageFacts facts{ownerText_ ? ownerText_() : std::string(), win::LocalDateTimeText(), kProductPage,
                              kHomePageCaption};
    win::ReplaceFileContents(choice->fileName, HtmlPageText(SummaryRows(), facts));
}

void TForm1::CopytoClipboard1Click() {
    Click("Refresh1");
    win::SetClipboardText(hwnd(), ClipboardText(SummaryRows()));
    information_(kCopiedMessage);
}

void TForm1::Print1Click() {
    Click("Refresh1");
    fullSpecReport_->Fill(SummaryRows());
    ShowPreview(fullSpecReport_->report());
}

void TForm1::PrintHardwareSpec1Click() {
    Click("Refresh1");
    HardwareCardFacts facts;
    facts.windowsName = ShortWindowsName();
    facts.processor = Text("Info4");
    facts.memory = Text("Info3");
    facts.audio = Text("Info6");
    facts.graphics = PrimaryDisplayName();
    facts.hardDisks = FixedDiskSizesShort();
    facts.opticalDrives = Text("Info12");
    facts.usb = Text("Info17");
    facts.firewire = Text("Info18");
    facts.manufacturer = Text("Info19");
    facts.motherboard = Text("Info25");
    hardwareReport_->Fill(facts);
    ShowPreview(hardwareReport_->report());
}

void TForm1::ShowPreview(const ui::BandedReport& report) {
    ui::TfrmPrintPreview preview(report, reportPrintDialog_ ? *reportPrintDialog_ : systemPrintDialog_);
    preview.Create(hwnd());
    preview.ShowModal();
}

void TForm1::QuickPrint1Click() {
    // The page shows the sheet alone, as large as the screen allows. The window comes back as it
    // was meant to be, normal and with its tool bar, also when printing fails.
    struct Restore {
        TForm1& form;
        ~Restore() {
            ::ShowWindow(form.hwnd(), SW_RESTORE);
            form.SetToolBarVisible(true);
        }
    } restore{*this};
    SetToolBarVisible(false);
    ::ShowWindow(hwnd(), SW_MAXIMIZE);
    ::UpdateWindow(hwnd());
    ui::PrintFormImage(*this, ui::PrinterChoice::DefaultPrinter);
}

void TForm1::SetReportPrintDialog(win::PrintDialog* dialog) { reportPrintDialog_ = dialog; }

void TForm1::SetHardwareSeams(DeviceIo* devices, ClockPlatform* clock) {
    devices_ = devices;
    clock_ = clock;
}

void TForm1::SetExportDialogs(ui::SaveDialog saveDialog, ui::InformationBox information) {
    saveDialog_ = saveDialog ? std::move(saveDialog) : ui::SaveDialog(ui::RunSaveDialog);
    information_ = information ? std::move(information) : ui::InformationBox([this](const std::string& text) {
        ui::ShowInformation(hwnd(), text, kProductName);
    });
}

void TForm1::SetOwnerTextSource(std::function<std::string()> ownerText) { ownerText_ = std::move(ownerText); }

DeviceIo& TForm1::devices() const { return devices_ ? *devices_ : win::SystemDevices(); }

ClockPlatform& TForm1::clock() const {
    static WinClockPlatform system;
    return clock_ ? *clock_ : system;
}

void TForm1::SetAdministratorCredentials(std::string user, std::string password) {
    adminUser_ = std::move(user);
    adminPassword_ = std::move(password);
}

std::vector<SummaryRow> TForm1::SummaryRows() const {
    std::vector<SummaryRow> rows;
    rows.reserve(kSummaryRowCount);
    for (int n = 1; n <= kSummaryRowCount; ++n) rows.push_back({Text(DescName(n)), Text(InfoName(n))});
    return rows;
}

bool TForm1::WriteAutoReport(const std::string& fileName) const {
    try {
        win::ReplaceFileContents(fileName, AutoReportText(SummaryRows()));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TForm1::ransparentBackground1Click() {
    const bool on = !Checked("ransparentBackground1");
    SetChecked("ransparentBackground1", on);
    SetColourKeyTransparency(on, ui::kWhite);
}

void TForm1::SystemResourceMeters1Click() {
    frmMeters_->SetTimerEnabled("Timer1", true);
    frmMeters_->ShowModal();
}

void TForm1::CPUInfo1Click() {
    // Made for this opening only. The hourglass covers its making (the refresh as it shows brings
    // its own), not the time it stays open.
    std::unique_ptr<TfrmCPU> cpu;
    {
        ui::BusyCursor busy;
        cpu = std::make_unique<TfrmCPU>(*frmMeters_);
        cpu->Create(hwnd());
        cpu->SetTimerEnabled("Timer1", true);
    }
    cpu->ShowModal();
}

// The startup window has no show handler of its own: it is filled once it is on the screen.
void TForm1::Startup1Click() {
    frmStartup_->Show();
    frmStartup_->Click("Refresh1");
}

// Made for this opening only, and gone when it closes.
void TForm1::Sound1Click() {
    // Made for this opening only, and gone when it closes.
    TfrmSound sound(SystemSoundSystem(), *launcher_);
    sound.Create(hwnd());
    sound.ShowModal();
}

void TForm1::StaticText3Click() {
    launcher_->ShellOpenWithOwner(reinterpret_cast<std::uintptr_t>(hwnd()), "open", kHomePage, "", "",
                                  ShowCommand::Normal);
}

void TForm1::Administrator1Click() {
    if (const auto credentials = frmAdmin_->Ask()) SetAdministratorCredentials(credentials->user, credentials->password);
}

void TForm1::About1Click() {
    TAboutBox about(versionText_, *launcher_);
    about.Create(hwnd());
    about.ShowModal();
}

bool TForm1::Toggle(const std::string& item) {
    const bool checked = !Checked(item);
    SetChecked(item, checked);
    return checked;
}

namespace {
static_assert(kSysCommandMessage == WM_SYSCOMMAND && kMonitorPowerCommand == SC_MONITORPOWER);
static_assert(kSetBeepAction == SPI_SETBEEP && kUpdateProfileFlag == SPIF_UPDATEINIFILE);

std::string WindowsDirectory() {
    char path[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
    return length && length < MAX_PATH ? std::string(path, length) : std::string();
}
}  // namespace

void TForm1::Launch(const LaunchRow& row) {
    const auto self = reinterpret_cast<std::uintptr_t>(hwnd());
    std::optional<ui::BusyCursor> busy;
    if (row.busy) busy.emplace();
    Launcher& launcher = *launcher_;
    switch (row.kind) {
    case LaunchKind::Nothing:
        break;
    case LaunchKind::CommandLine:
        launcher.RunCommandLine(row.command, row.show);
        break;
    case LaunchKind::ShellExecute:
        launcher.ShellOpenWithOwner(row.ownedByMainWindow ? self : 0, row.verb, row.command, row.parameters,
                                    row.directory == LaunchDirectory::WindowsDirectory ? WindowsDirectory() : "",
                                    row.show);
        break;
    case LaunchKind::ShellObject:
        launcher.CallShellObject(row.command);
        break;
    case LaunchKind::MciCommand:
        launcher.SendMciString(row.command, self);
        break;
    case LaunchKind::MonitorPower:
        launcher.SendWindowMessage(self, kSysCommandMessage, kMonitorPowerCommand, row.value);
        break;
    case LaunchKind::TaskbarToggle:
        launcher.ShowTopLevelWindow(row.command, Toggle(row.item) ? ShowCommand::Hide : ShowCommand::Show);
        break;
    case LaunchKind::WarningBeepToggle:
        launcher.SetSystemParameter(kSetBeepAction, Toggle(row.item) ? 0 : 1, kUpdateProfileFlag);
        break;
    case LaunchKind::MicrophoneMuteToggle:
        switch (launcher.SetMicrophoneMute(Toggle(row.item) ? 1 : 0)) {
        case MuteOutcome::NoMuteControl: ui::Application::Instance().ShowMessage(kGetLineInfoError); break;
        case MuteOutcome::SetFailed: ui::Application::Instance().ShowMessage(kSetControlDetailsError); break;
        case MuteOutcome::NoMixer:
        case MuteOutcome::NoMicrophoneLine:
        case MuteOutcome::Done: break;
        }
        break;
    }
}

}  // namespace brimlow
