// The main window TForm1: menu bar, tool bar and the summary sheet.
#pragma once

#include "app/TfrmAdmin.h"
#include "app/TfrmHelp.h"
#include "app/launch_table.h"
#include "app/summary_export.h"
#include "app/summary_print.h"
#include "app/summary_text.h"
#include "cpu/TfrmMeters.h"
#include "cpu/clock.h"
#include "devices/TfrmDevices.h"
#include "devices/TfrmDisplay.h"
#include "devices/TfrmUSB.h"
#include "network/TfrmComputers.h"
#include "network/TfrmInternet.h"
#include "network/TfrmNetwork.h"
#include "network/TfrmNetworkAdapters.h"
#include "network/TfrmUserList.h"
#include "devices/TfrmPrinters.h"
#include "platform/device_io.h"
#include "platform/launcher.h"
#include "platform/list_report_win.h"
#include "storage/TfrmCDDVD.h"
#include "storage/TfrmDisk.h"
#include "storage/TfrmUSBDrives.h"
#include "sysconfig/TfrmMemory.h"
#include "sysconfig/TfrmServices.h"
#include "sysconfig/TfrmBiosInfo.h"
#include "sysconfig/TfrmDateTime.h"
#include "sysconfig/TfrmPersonal.h"
#include "sysconfig/TfrmStartup.h"
#include "sysconfig/TfrmUnistall.h"
#include "ui/dialogs.h"
#include "ui/form.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace brimlow {

class TForm1 : public ui::Form {
public:
    // `params`: the command-line parameters after the program name.
    explicit TForm1(std::vector<std::string> params);

    // The summary refresh behind "Main System Info" (F5).
    void Refresh1Click();

    // The 28 rows as they stand: labels from Desc<n>, values from Info<n>.
    std::vector<SummaryRow> SummaryRows() const;

    // Writes the unattended report; false when the file cannot be created or fully written.
    bool WriteAutoReport(const std::string& fileName) const;

    const std::string& versionText() const { return versionText_; }

    // The Administrator window's user name and password, passed on by the credentialed WMI rows.
    void SetAdministratorCredentials(std::string user, std::string password);
    const std::string& administratorUser() const { return adminUser_; }
    const std::string& administratorPassword() const { return adminPassword_; }

    // What the launcher menus, the link label and the About box start or switch goes through;
    // the system's unless tests hand in their own. Not owned.
    void SetLauncher(Launcher& launcher) { launcher_ = &launcher; }

    // What the hardware rows reach through seams: the device files (the optical drives, the
    // controllers, the parallel ports) and the clock. The system's unless tests or the benchmark
    // hand in their own; not owned, and null puts the system's back.
    void SetHardwareSeams(DeviceIo* devices, ClockPlatform* clock);

    // The save dialog and the information box of the export commands; tests answer them.
    void SetExportDialogs(ui::SaveDialog saveDialog, ui::InformationBox information);

    // The owner named in the HTML page's title: the personal window's "Registered Owner" as it
    // stands. Until a window provides it the title names nobody.
    void SetOwnerTextSource(std::function<std::string()> ownerText);

    // The print dialog behind the report previews' "Print"; the system's unless tests hand in
    // their own. Not owned; null puts the system's back.
    void SetReportPrintDialog(win::PrintDialog* dialog);

    // The two printed summaries, made at start; each print fills them afresh.
    TFullSpecReport& FullSpecReport() { return *fullSpecReport_; }
    THardwareReport& HardwareReport() { return *hardwareReport_; }

    // The detail windows made at start, hidden until opened.
    TfrmAdmin& frmAdmin() { return *frmAdmin_; }
    TfrmHelp& frmHelp() { return *frmHelp_; }
    TfrmDisk& frmDisk() { return *frmDisk_; }
    TfrmDevices& frmDevices() { return *frmDevices_; }
    TfrmUnistall& frmUnistall() { return *frmUnistall_; }
    TfrmStartup& frmStartup() { return *frmStartup_; }
    TfrmMeters& frmMeters() { return *frmMeters_; }
    TfrmServices& frmServices() { return *frmServices_; }
    TfrmPersonal& frmPersonal() { return *frmPersonal_; }
    TfrmBiosInfo& frmBiosInfo() { return *frmBiosInfo_; }
    TfrmDateTime& frmDateTime() { return *frmDateTime_; }
    TfrmMemory& frmMemory() { return *frmMemory_; }
    TfrmDisplay& frmDisplay() { return *frmDisplay_; }
    TfrmUSB& frmUSB() { return *frmUSB_; }
    TfrmInternet& frmInternet() { return *frmInternet_; }
    TfrmNetwork& frmNetwork() { return *frmNetwork_; }
    TfrmUserList& frmUserList() { return *frmUserList_; }
    TfrmNetworkAdapters& frmNetworkAdapters() { return *frmNetworkAdapters_; }
    TfrmComputers& frmComputers() { return *frmComputers_; }
    TfrmCDDVD& frmCDDVD() { return *frmCDDVD_; }
    TfrmUSBDrives& frmUSBDrives() { return *frmUSBDrives_; }

    // Opens the USB drives window, for the other windows that link to it.
    void ShowUsbDrives();
    TfrmPrinters& frmPrinters() { return *frmPrinters_; }

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormResize() override;

private:
    void Save1Click();
    void ExporttoHTML1Click();
    void CopytoClipboard1Click();
    void ransparentBackground1Click();
    void StaticText3Click();
    void SystemResourceMeters1Click();
    void CPUInfo1Click();
    void Startup1Click();
    void Administrator1Click();
    void About1Click();
    // Runs one row of the launcher menus.
    void Launch(const LaunchRow& row);
    // Flips a check mark item; its new state.
    bool Toggle(const std::string& item);
    void Print1Click();
    void QuickPrint1Click();
    void PrintHardwareSpec1Click();
    void ShowPreview(const ui::BandedReport& report);
    void Sound1Click();

    DeviceIo& devices() const;
    ClockPlatform& clock() const;

    std::vector<std::string> params_;
    std::string versionText_;
    // Administrator credentials for the WMI rows; set by the Administrator window, never stored.
    std::string adminUser_;
    std::string adminPassword_;
    DeviceIo* devices_ = nullptr;
    ClockPlatform* clock_ = nullptr;
    Launcher* launcher_ = &SystemLauncher();
    ui::SaveDialog saveDialog_;
    ui::InformationBox information_;
    std::function<std::string()> ownerText_;
    std::unique_ptr<TfrmAdmin> frmAdmin_;
    std::unique_ptr<TfrmHelp> frmHelp_;
    win::SystemPrintDialog systemPrintDialog_{win::PaperOrientation::Portrait};
    win::PrintDialog* reportPrintDialog_ = nullptr;
    std::unique_ptr<TFullSpecReport> fullSpecReport_;
    std::unique_ptr<THardwareReport> hardwareReport_;
    std::unique_ptr<TfrmDisk> frmDisk_;
    std::unique_ptr<TfrmDevices> frmDevices_;
    std::unique_ptr<TfrmUnistall> frmUnistall_;
    std::unique_ptr<TfrmStartup> frmStartup_;
    std::unique_ptr<TfrmMeters> frmMeters_;
    std::unique_ptr<TfrmServices> frmServices_;
    std::unique_ptr<TfrmPersonal> frmPersonal_;
    std::unique_ptr<TfrmBiosInfo> frmBiosInfo_;
    std::unique_ptr<TfrmDateTime> frmDateTime_;
    std::unique_ptr<TfrmMemory> frmMemory_;
    std::unique_ptr<TfrmDisplay> frmDisplay_;
    std::unique_ptr<TfrmUSB> frmUSB_;
    std::unique_ptr<TfrmInternet> frmInternet_;
    std::unique_ptr<TfrmUserList> frmUserList_;
    std::unique_ptr<TfrmNetworkAdapters> frmNetworkAdapters_;
    std::unique_ptr<TfrmNetwork> frmNetwork_;
    std::unique_ptr<TfrmComputers> frmComputers_;
    std::unique_ptr<TfrmCDDVD> frmCDDVD_;
    std::unique_ptr<TfrmUSBDrives> frmUSBDrives_;
    std::unique_ptr<TfrmPrinters> frmPrinters_;
};

}  // namespace brimlow
