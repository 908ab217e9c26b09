#include "storage/TfrmCDDVD.h"

#include "app/device_probes.h"
#include "app/product.h"
#include "forms/optical_forms.h"
#include "storage/ISOSCSIStructs.h"
#include "storage/ISODiscLib_win.h"
#include "storage/cd_dvd_text.h"
#include "storage/disk_facts.h"
#include "ui/application.h"
#include "ui/list_view.h"

#include <windows.h>

#include <cstring>
#include <stdexcept>

namespace brimlow {

namespace {
constexpr const char* kNotOpticalDrive = "The selected drive is not a CD/DVD drive.";
constexpr const char* kErrorReadingDisc = "Error reading disc!";
constexpr const char* kEjectDefaultCommand = "Set cdaudio door open wait";
}  // namespace

TfrmCDDVD::TfrmCDDVD() : ui::Form(forms::CdDvdFormLayout()) {
    platform_ = storage::SystemDiscLibPlatform();
    door_ = &SystemMciDoor();
    launcher_ = &SystemLauncher();
}

void TfrmCDDVD::SetDiscPlatform(storage::DiscLibPlatform platform) { platform_ = std::move(platform); }

void TfrmCDDVD::FormCreate() {
    OnClick("Refresh1", [this] { Refresh1Click(); });
    OnClick("Exit1", [this] { Close(); });
    OnClick("BitBtn1", [this] { BitBtn1Click(); });
    OnClick("Button1", [this] { Button1Click(); });
    OnClick("Button2", [this] { Button2Click(); });
    OnClick("Button3", [this] { Button3Click(); });
    OnClick("Label3", [this] { launcher_->ShellOpen("open", kHomePage, "", "", ShowCommand::Normal); });
    OnChange("cbDrive", [this] { cbDriveChange(); });
    OnMouseWheel([this] { return ScrollBox1MouseWheel(); });
}

void TfrmCDDVD::FormShow() { Refresh1Click(); }

void TfrmCDDVD::Refresh1Click() {
    ClearItems("cbDrive");
    try {
        char drives[256] = {};
        const DWORD length = ::GetLogicalDriveStringsA(255, drives);
        for (const char* entry = drives; length && length < sizeof drives && *entry; entry += std::strlen(entry) + 1) {
            const char letter = entry[0];
            if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) continue;
            const std::string designation = std::string(1, letter) + ":";
            if (::GetDriveTypeA(designation.c_str()) != DRIVE_CDROM) continue;
            // An empty drive has no volume: its label is the empty text.
            char label[81] = {};
            DWORD serial = 0, component = 0, flags = 0;
            if (!::GetVolumeInformationA((designation + "\\").c_str(), label, sizeof label, &serial, &component, &flags,
                                         nullptr, 0))
                label[0] = '\0';
            AddItem("cbDrive", storage::DriveListItem(letter, label));
        }
    } catch (...) {
    }
    SetItemIndex("cbDrive", 0);
    cbDriveChange();
}

char TfrmCDDVD::SelectedLetter() const {
    const std::string text = Text("cbDrive");
    return text.empty() ? '\0' : text[0];
}

void TfrmCDDVD::cbDriveChange() {
    const char letter = SelectedLetter();
    // Nothing to ask without an optical drive: every field stays empty.
    if (letter == '\0') {
        for (const auto& control : layout().controls)
            if (control.kind == ui::ControlKind::ReadOnlyEdit && control.text.empty()) SetText(control.name, "");
        info_ = {};
        ui::ListView(Control("ListBox1")).Clear();
        return;
    }
    ShowInquiry(letter);
    ShowWmiFacts(std::string(1, letter) + ":");
    ShowCapabilities(letter);
}

void TfrmCDDVD::ShowInquiry(char letter) {
    storage::InquiryFields fields;
    try {
        if (platform_.devices) fields = storage::SplitInquiryText(OpticalDriveModel(*platform_.devices, letter));
    } catch (...) {
        fields = {};
    }
    SetText("Edit13", fields.vendor);
    SetText("Edit15", fields.product);
    SetText("Edit17", fields.revision);
    SetText("Edit19", fields.vendorSpecific);
}

void TfrmCDDVD::ShowWmiFacts(const std::string& designation) {
    try {
        const WmiCredentials credentials = credentials_ ? credentials_() : WmiCredentials{};
        TStringTable table;
        int instances = 0;
        WmiQueryTable("", "root\\CIMV2", credentials.user, credentials.password,
                      "SELECT * FROM Win32_CDROMDrive where drive = \"" + designation + "\" ", table, instances);
        auto value = [&](const char* property) { return WmiTableValue(table, property); };
        info_ = {value("Capabilities"), value("Caption"),      value("Description"), value("DeviceID"),
                 value("Drive"),        value("Id"),           value("Manufacturer"), value("MediaType"),
                 value("Name"),         value("Status"),       value("PNPDeviceID")};
        SetText("info1", info_.Caption);
        SetText("info2", info_.Description);
        SetText("info4", info_.Id);
        SetText("info5", info_.Manufacturer);
        SetText("info6", info_.MediaType);
        SetText("Info7", info_.Name);
        SetText("Info8", info_.Status);
        SetText("Info9", info_.PNPDeviceID);
        SetText("Edit7", info_.Drive);
    } catch (...) {
        ui::Application::Instance().ShowMessage("Not Administrator");
    }
}

void TfrmCDDVD::ShowCapabilities(char letter) {
    std::string text;
    {
        const ui::BusyCursor busy;
        storage::TISODiscLib library(platform_);
        const OpenedDevice drive = library.OpenCdDrive(letter);
        library.ReadCapabilityText(drive.file.get(), text);
    }
    ui::ListView list(Control("ListBox1"));
    list.Clear();
    for (const std::string& line : storage::TextLines(text)) list.Add(line);
}

bool TfrmCDDVD::ScrollBox1MouseWheel() { return ::GetFocus() == Control("cbDrive"); }

void TfrmCDDVD::RequireOpticalDrive(char letter) const {
    const unsigned type = platform_.driveType ? platform_.driveType(letter) : 0;
    if (type != storage::kDriveTypeCdrom && type != storage::kDriveTypeRemovable) throw std::runtime_error(kNotOpticalDrive);
}

void TfrmCDDVD::BitBtn1Click() {
    const char letter = SelectedLetter();
    RequireOpticalDrive(letter);
    const OpenedDevice drive =
        platform_.devices ? platform_.devices->Open(std::string("\\\\.\\") + letter + ":", kGenericRead, kShareRead)
                          : OpenedDevice{};
    if (!drive) {
        ui::Application::Instance().ShowMessage("Error");
        return;
    }
    drive.file->Control(storage::kIoctlStorageEjectMedia, nullptr, 0, nullptr, 0);
}

void TfrmCDDVD::Button1Click() {
    const char letter = SelectedLetter();
    RequireOpticalDrive(letter);
    CloseCdDoor(*door_, letter);
}

void TfrmCDDVD::Button2Click() {
    launcher_->SendMciString(kEjectDefaultCommand, reinterpret_cast<std::uintptr_t>(hwnd()));
}

void TfrmCDDVD::Button3Click() {
    const char letter = SelectedLetter();
    const OpenedDevice drive = platform_.devices ? platform_.devices->Open(std::string("\\\\.\\") + letter + ":",
                                                                           kGenericRead | kGenericWrite,
                                                                           kShareRead | kShareWrite)
                                                 : OpenedDevice{};
    if (!drive) throw std::runtime_error(kErrorReadingDisc);
    const int index = storage::TISODiscLib::GetCurrentProfile(*drive.file);
    if (index == -1) throw std::runtime_error(kErrorReadingDisc);
    ui::Application::Instance().ShowMessage("The Inserted media is " + storage::MediaProfileName(index));
}

}  // namespace brimlow
