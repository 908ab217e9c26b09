#include "storage/TfrmDisk.h"

#include "app/product.h"
#include "forms/disk_form.h"
#include "platform/launcher.h"
#include "platform/number_picture.h"
#include "platform/number_picture_win.h"
#include "platform/win_binding.h"
#include "platform/win_handles.h"
#include "storage/disk_facts.h"
#include "storage/smartapi_win.h"
#include "ui/application.h"
#include "ui/list_view.h"
#include "ui/print_form.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <winnetwk.h>

#include <cstring>
#include <exception>
#include <vector>

namespace brimlow {

namespace {

// Asks without the platform's "insert a disk" prompt; the previous mode comes back afterwards.
class QuietCriticalErrors {
public:
    QuietCriticalErrors() : previous_(::SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~QuietCriticalErrors() { ::SetErrorMode(previous_); }
    QuietCriticalErrors(const QuietCriticalErrors&) = delete;
    QuietCriticalErrors& operator=(const QuietCriticalErrors&) = delete;

private:
    UINT previous_;
};

bool DiskPresent(const std::string& root) {
    QuietCriticalErrors quiet;
    DWORD a, b, c, d;
    return ::GetDiskFreeSpaceA(root.c_str(), &a, &b, &c, &d) != FALSE;
}

// The designation as a full path, in its \\server\share form when the drive is mapped.
std::string UncForm(const std::string& designation) {
    char full[MAX_PATH] = {};
    char* filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(designation.c_str(), sizeof full, full, &filePart);
    if (length == 0 || length >= sizeof full) return designation;
    union {
        UNIVERSAL_NAME_INFOA info;
        char bytes[1024];
    } universal{};
    DWORD size = sizeof universal;
    if (::WNetGetUniversalNameA(full, UNIVERSAL_NAME_INFO_LEVEL, &universal, &size) == NO_ERROR &&
        universal.info.lpUniversalName)
        return universal.info.lpUniversalName;
    return full;
}

}  // namespace

VolumeFacts ReadVolumeFacts(const std::string& root) {
    VolumeFacts f;
    f.diskPresent = DiskPresent(root);
    f.driveType = ::GetDriveTypeA(root.c_str());
    if (!f.diskPresent) return f;
    DWORD sectors = 0, bytes = 0, freeClusters = 0, totalClusters = 0;
    ::GetDiskFreeSpaceA(root.c_str(), &sectors, &bytes, &freeClusters, &totalClusters);
    f.sectorsPerCluster = sectors;
    f.bytesPerSector = bytes;
    f.freeClusters = freeClusters;
    f.totalClusters = totalClusters;

    using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    FreeSpaceEx freeSpaceEx = nullptr;
    const win::RuntimeLibrary kernel("KERNEL32.DLL", win::RuntimeLibrary::Source::AlreadyLoaded);
    ULARGE_INTEGER available{}, total{}, totalFree{};
    if (kernel.Bind(win::EntryPoint{"GetDiskFreeSpaceExA", &freeSpaceEx}) &&
        freeSpaceEx(root.c_str(), &available, &total, &totalFree)) {
        f.freeBytes = available.QuadPart;
        f.totalBytes = total.QuadPart;
    } else {
        const std::uint64_t cluster = std::uint64_t(sectors) * bytes;
        f.totalBytes = totalClusters * cluster;
        f.freeBytes = freeClusters * cluster;
    }

    char label[256] = {}, fileSystem[256] = {};
    DWORD serial = 0, maxComponent = 0, flags = 0;
    if (::GetVolumeInformationA(root.c_str(), label, 255, &serial, &maxComponent, &flags, fileSystem, 255)) {
        f.label = label;
        f.fileSystem = fileSystem;
        f.serial = serial;
        f.maxComponentLength = maxComponent;
        f.fileSystemFlags = flags;
    }
    f.features = storage::VolumeFeatureFlags(f.fileSystemFlags, f.maxComponentLength);
    return f;
}

TfrmDisk::TfrmDisk() : ui::Form(forms::DiskFormLayout()) {}

void TfrmDisk::SetSmartPlatform(storage::SmartPlatform platform) { smart_ = std::move(platform); }

void TfrmDisk::SetShowCdDvd(std::function<void()> showCdDvd) {
    showCdDvd_ = std::move(showCdDvd);
    if (hwnd()) ::EnableWindow(Control("BitBtn1"), showCdDvd_ != nullptr);
}

void TfrmDisk::FormCreate() {
    smart_ = storage::SystemSmartPlatform();
    try {
        SetBarColour("ProgressBar1", 0xFFFF00);  // cyan on the black panel
    } catch (...) {
    }
    OnClick("Refresh1", [this] { Refresh1Click(); });
    OnClick("Exit1", [this] { Close(); });
    // The same picture printing as the processor window: the dialog lets the user pick the printer.
    OnClick("Print1", [this] { ui::PrintFormImage(*this, ui::PrinterChoice::AskUser); });
    OnClick("Label3", [] { SystemLauncher().ShellOpen("open", kHomePage, "", "", ShowCommand::Normal); });
    OnClick("BitBtn1", [this] {
        if (!showCdDvd_) return;
        showCdDvd_();
        Close();
    });
    ::EnableWindow(Control("BitBtn1"), showCdDvd_ != nullptr);
    OnChange("cbDrive", [this] { cbDriveChange(); });
    OnCloseUp("cbDrive", [this] { cbDriveCloseUp(); });
    OnMouseWheel([this] { return FormMouseWheel(); });
}

void TfrmDisk::FormShow() { Refresh1Click(); }

void TfrmDisk::Refresh1Click() {
    try {
        ClearItems("cbDrive");
        char drives[256] = {};
        const DWORD length = ::GetLogicalDriveStringsA(255, drives);
        for (const char* entry = drives; length && length < sizeof drives && *entry; entry += std::strlen(entry) + 1) {
            const char letter = entry[0];
            if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) continue;
            const std::string designation = std::string(1, letter) + ":";
            if (::GetDriveTypeA(designation.c_str()) != DRIVE_FIXED) continue;
            char label[81] = {};
            DWORD serial = 0, component = 0, flags = 0;
            if (!::GetVolumeInformationA((designation + "\\").c_str(), label, sizeof label, &serial, &component, &flags,
                                         nullptr, 0))
                label[0] = '\0';
            AddItem("cbDrive", storage::DriveListItem(letter, label));
        }
        SetItemIndex("cbDrive", 0);
    } catch (const std::exception& e) {
        ui::Application::Instance().ShowMessage(e.what());
    }
    cbDriveChange();
}

void TfrmDisk::cbDriveChange() { ShowDrive(Text("cbDrive").substr(0, 2)); }

void TfrmDisk::cbDriveCloseUp() {
    const HWND info1 = Control("info1");
    ::SetFocus(info1);
    ::SendMessageA(info1, EM_SETSEL, 0, 0);
}

bool TfrmDisk::FormMouseWheel() { return ::GetFocus() == Control("cbDrive"); }

void TfrmDisk::ShowDrive(const std::string& designation) {
    SetPosition("ProgressBar1", 0);
    SetText("Label6", "0%");
    for (const char* name : {"Edit18", "Edit15", "Edit12", "Edit6", "Edit14", "Edit20"}) SetText(name, "");

    const std::string root = designation + "\\";
    facts_ = ReadVolumeFacts(root);
    const std::string separator = win::UserThousandSeparator();

    SetText("info1", storage::DriveTypeName(facts_.driveType) + " - " + facts_.fileSystem);
    ShowIcon(root);
    SetText("info2", facts_.diskPresent ? UncForm(designation) : std::string());
    SetText("info3", facts_.diskPresent ? storage::VolumeSerialText(facts_.serial) : std::string());
    SetText("info4", storage::BytesText(facts_.totalBytes, separator));
    SetText("info5", storage::BytesText(facts_.freeBytes, separator));
    if (facts_.diskPresent) {
        const storage::UsedSpace used = storage::UsedSpaceOf(facts_.totalBytes, facts_.freeBytes);
        SetPosition("ProgressBar1", used.position);
        SetText("Label6", used.text);
    }
    SetText("info6", std::to_string(facts_.bytesPerSector));
    SetText("Info7", std::to_string(facts_.sectorsPerCluster));
    SetText("Info8", GroupThousands(std::uint64_t(facts_.totalClusters), separator));
    SetText("Info9", GroupThousands(std::uint64_t(facts_.freeClusters), separator));

    ui::ListView flags(Control("clbFlags"));
    flags.Clear();
    for (const std::string& line : storage::VolumeFeatureLines(facts_.features)) {
        const auto colon = line.find(':');
        flags.SetChecked(flags.Add(line.substr(0, colon)), line.substr(colon + 2) == "Yes");
    }
    ShowSmart(designation);
}

void TfrmDisk::ShowIcon(const std::string& root) {
    ui::Bitmap& picture = ImageOf("imgDrive");
    const RECT all{0, 0, picture.width(), picture.height()};
    picture.Fill(all, ::GetSysColor(COLOR_BTNFACE));
    if (facts_.diskPresent) {
        char path[MAX_PATH] = {};
        root.copy(path, sizeof path - 1);
        WORD index = 0;
        const win::Icon icon(::ExtractAssociatedIconA(ui::Application::Instance().instance(), path, &index));
        if (icon) ::DrawIconEx(picture.dc(), 0, 0, icon.get(), picture.width(), picture.height(), 0, nullptr, DI_NORMAL);
    }
    Invalidate("imgDrive");
}

void TfrmDisk::ShowSmart(const std::string& designation) {
    // A drive the storage stack cannot name gives -1, which travels on as 65535.
    const int number = smart_.devices ? storage::PhysicalDriveNumber(*smart_.devices, designation) : -1;
    const auto drive = static_cast<std::uint16_t>(number);
    ui::ListView attributes(Control("ListView"));
    attributes.Clear();
    std::string error, model, serial;
    std::uint64_t size = 0;
    if (!storage::ReadDriveIdentity(smart_, drive, error, model, serial, size)) {
        SetText("Edit18", "");
        return;
    }
    SetText("Edit12", model);
    SetText("Edit6", serial);
    storage::TSmartResult result;
    if (!storage::ReadSmartData(smart_, drive, result, error) || result.attributeCount == 0) {
        SetText("Edit18", "");
        return;
    }
    const std::string separator = win::UserThousandSeparator();
    SetText("Edit15", storage::TemperatureText(result.temperature));
    SetText("Edit18", storage::SmartVerdict(result.failingCount));
    SetText("Edit14", result.firmware);
    SetText("Edit20", GroupThousands(size, separator));
    for (int slot = 0; slot < result.attributeCount; ++slot) {
        std::vector<std::string> cells = storage::AttributeRowCells(result.attributes[slot], separator);
        attributes.Add(cells.front(), std::vector<std::string>(cells.begin() + 1, cells.end()));
    }
}

}  // namespace brimlow
