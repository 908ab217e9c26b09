// The CD/DVD window TfrmCDDVD: one optical drive at a time - its INQUIRY identity, its
// Win32_CDROMDrive facts, its capability list - and the tray actions. Created hidden at start;
// every showing refills it.
#pragma once

#include "platform/launcher.h"
#include "platform/mci_door.h"
#include "platform/wmiquery.h"
#include "storage/ISODiscLib.h"
#include "ui/form.h"

#include <functional>
#include <string>

namespace brimlow {

// The WMI facts of one optical drive, all text.
struct TCDinfo {
    std::string Capabilities, Caption, Description, DeviceID, Drive, Id, Manufacturer, MediaType, Name, Status,
        PNPDeviceID;
};

class TfrmCDDVD : public ui::Form {
public:
    TfrmCDDVD();

    // What the window reaches the drives through: the library's platform (device files, drive
    // types, release, administrator test), the tray's multimedia device and the launcher. The
    // system's unless tests hand in their own; the references must outlive the window.
    void SetDiscPlatform(storage::DiscLibPlatform platform);
    void SetMciDoor(MciDoor& door) { door_ = &door; }
    void SetLauncher(Launcher& launcher) { launcher_ = &launcher; }
    // The main window's administrator user name and password, asked at every selection.
    void SetCredentialsSource(std::function<WmiCredentials()> credentials) { credentials_ = std::move(credentials); }

    void Refresh1Click();
    void cbDriveChange();
    void BitBtn1Click();  // Eject CD/DVD
    void Button1Click();  // Load CD/DVD
    void Button2Click();  // Eject Default
    void Button3Click();  // Analyse Inserted Media
    // True when the drive list has the focus: the wheel must not change the selected drive.
    bool ScrollBox1MouseWheel();

    const TCDinfo& info() const { return info_; }

protected:
    void FormCreate() override;
    void FormShow() override;

private:
    char SelectedLetter() const;
    void ShowInquiry(char letter);
    void ShowWmiFacts(const std::string& designation);
    void ShowCapabilities(char letter);
    // Eject and load act on CD-ROM and removable drives only.
    void RequireOpticalDrive(char letter) const;

    storage::DiscLibPlatform platform_;
    MciDoor* door_ = nullptr;
    Launcher* launcher_ = nullptr;
    std::function<WmiCredentials()> credentials_;
    TCDinfo info_;
};

}  // namespace brimlow
