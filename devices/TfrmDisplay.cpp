#include "devices/TfrmDisplay.h"

#include "app/product.h"
#include "devices/display_registry.h"
#include "devices/display_text.h"
#include "forms/display_form.h"
#include "platform/abi.h"
#include "platform/windows_version_win.h"
#include "ui/application.h"
#include "ui/print_form.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <stdexcept>

BRIMLOW_PIN_SIZE(DISPLAY_DEVICEA, 424, 424);

namespace brimlow {
namespace {

// The record without DeviceID and DeviceKey, as the window has always asked for it.
constexpr DWORD kShortDisplayDevice = offsetof(DISPLAY_DEVICEA, DeviceID);
static_assert(kShortDisplayDevice == 168);

std::string FixedText(const char* text, std::size_t size) {
    std::size_t length = 0;
    while (length < size && text[length]) ++length;
    return std::string(text, length);
}

// Calls `each` for every display device of `device` (nullptr: the adapters) until the system
// has no more.
void ForEachDisplayDevice(const char* device, const std::function<bool(const DISPLAY_DEVICEA&)>& each) {
    for (DWORD n = 0;; ++n) {
        DISPLAY_DEVICEA record{};
        record.cb = kShortDisplayDevice;
        if (!::EnumDisplayDevicesA(device, n, &record, 0)) return;
        if (!each(record)) return;
    }
}

}  // namespace

TfrmDisplay::TfrmDisplay() : TfrmDisplay(SystemLauncher()) {}

TfrmDisplay::TfrmDisplay(Launcher& launcher, HKEY machine)
    : ui::Form(forms::DisplayFormLayout()), launcher_(launcher), machine_(machine) {}

void TfrmDisplay::FormCreate() {
    for (const char* name : forms::DisplayStateFlagNames()) CheckListAdd("CheckListBox1", name, false);
    // The marks show facts; the list takes no input.
    ::EnableWindow(Control("CheckListBox1"), FALSE);
    OnClick("Print1", [this] { Print1Click(); });
    OnClick("Close1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
    OnChange("cbDisplay", [this] { cbDisplayChange(); });
    OnClick("Label3", [this] { launcher_.ShellOpen("open", kHomePage, {}, {}, ShowCommand::Normal); });
}

void TfrmDisplay::FormShow() {
    registryAdapters_.clear();
    deviceNames_.clear();
    chips_.clear();
    dacs_.clear();
    memorySizes_.clear();
    Click("Refresh1");
}

void TfrmDisplay::Refresh1Click() {
    ui::BusyCursor busy;
    const HDC screen = ::GetDC(nullptr);
    const int fontResolution = ::GetDeviceCaps(screen, LOGPIXELSY);
    const int width = ::GetDeviceCaps(screen, HORZRES);
    const int height = ::GetDeviceCaps(screen, VERTRES);
    const int bits = ::GetDeviceCaps(screen, BITSPIXEL);
    const int technology = ::GetDeviceCaps(screen, TECHNOLOGY);
    const int aspectX = ::GetDeviceCaps(screen, ASPECTX);
    const int aspectY = ::GetDeviceCaps(screen, ASPECTY);
    const int aspectXY = ::GetDeviceCaps(screen, ASPECTXY);
    ::ReleaseDC(nullptr, screen);

    const auto version = ReadVersionRecord();
    const bool nt = version && version->platformId == VER_PLATFORM_WIN32_NT;
    const bool classicNt = version && IsClassicNt(version->platformId, version->major);
    ClassDriverDescriptions(machine_, DisplayClassRoot(classicNt), "Display", "DriverDesc", classicNt,
                            registryAdapters_);
    VideoAdapterDetails details = ReadVideoAdapterDetails(machine_);
    chips_ = std::move(details.chips);
    dacs_ = std::move(details.dacs);
    memorySizes_ = std::move(details.memorySizes);
    const VideoBios bios = ReadVideoBios(machine_);

    const HWND selector = Control("cbDisplay");
    ::SendMessageA(selector, CB_RESETCONTENT, 0, 0);
    const auto add = [&](const std::string& text) {
        ::SendMessageA(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    };
    try {
        ForEachDisplayDevice(nullptr, [&](const DISPLAY_DEVICEA& device) {
            deviceNames_.push_back(FixedText(device.DeviceName, sizeof device.DeviceName));
            add(FixedText(device.DeviceString, sizeof device.DeviceString));
            return true;
        });
    } catch (const std::exception& error) {
        ui::Application::Instance().ShowMessage(error.what());
    }
    for (const std::string& name : registryAdapters_) add(name);
    ::SendMessageA(selector, CB_SETCURSEL, 0, 0);
    cbDisplayChange();

    SetText("Info6", bios.version + " (" + bios.date + ")");
    SetText("Info7", TechnologyName(technology));
    SetText("Info8", MetricsText(width, height, bits));
    SetText("Info9", std::to_string(fontResolution) + " dpi");
    SetText("Info10", std::to_string(aspectX));
    SetText("Info11", std::to_string(aspectY));
    SetText("Info12", std::to_string(aspectXY));

    // The main window's canvas, which owns this window.
    HWND canvasWindow = ::GetWindow(hwnd(), GW_OWNER);
    if (!canvasWindow) canvasWindow = hwnd();
    const HDC canvas = ::GetDC(canvasWindow);
    SetText("info13", nt ? std::to_string(::GetDeviceCaps(canvas, VREFRESH)) + " Hz" : std::string());
    SetText("Info15", nt ? std::to_string(::GetDeviceCaps(canvas, DRIVERVERSION)) : std::string());
    ::ReleaseDC(canvasWindow, canvas);
    SetText("Edit2", std::to_string(::GetSystemMetrics(SM_CMONITORS) & 0xFF));

    std::vector<std::string> monitors;
    ForEachDisplayDevice(nullptr, [&](const DISPLAY_DEVICEA& adapter) {
        DISPLAY_DEVICEA monitor{};
        monitor.cb = kShortDisplayDevice;
        // A device without a monitor names none, rather than repeating the adapter's name.
        if (::EnumDisplayDevicesA(adapter.DeviceName, 0, &monitor, 0))
            monitors.push_back(FixedText(monitor.DeviceString, sizeof monitor.DeviceString));
        return true;
    });
    SetText("Info17", MonitorNamesText(monitors));
}

void TfrmDisplay::cbDisplayChange() {
    const int index = static_cast<int>(::SendMessageA(Control("cbDisplay"), CB_GETCURSEL, 0, 0));
    // An entry a detail list does not have shows as empty.
    if (!chips_.empty()) SetText("Info3", EntryOrEmpty(chips_, index));
    if (!dacs_.empty()) SetText("Info4", EntryOrEmpty(dacs_, index));
    if (!memorySizes_.empty()) {
        const std::string memory = EntryOrEmpty(memorySizes_, index);
        SetText("Info5", memory.empty() ? memory : memory + " bytes");
    }
    if (!deviceNames_.empty()) SetText("info16", EntryOrEmpty(deviceNames_, index));

    const std::string wanted = EntryOrEmpty(deviceNames_, index);
    DWORD flags = 0;
    if (!wanted.empty()) {
        ForEachDisplayDevice(nullptr, [&](const DISPLAY_DEVICEA& device) {
            if (FixedText(device.DeviceName, sizeof device.DeviceName) != wanted) return true;
            flags = device.StateFlags;
            return false;
        });
    }
    for (int bit = 0; bit < 5; ++bit) SetCheckListChecked("CheckListBox1", bit, (flags >> bit) & 1);
}

void TfrmDisplay::Print1Click() { ui::PrintFormImage(*this, ui::PrinterChoice::AskUser); }

std::vector<std::string> TfrmDisplay::AdapterTexts() const {
    const HWND selector = Control("cbDisplay");
    std::vector<std::string> texts;
    const int count = static_cast<int>(::SendMessageA(selector, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(::SendMessageA(selector, CB_GETLBTEXTLEN, i, 0));
        std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
        ::SendMessageA(selector, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max(length, 0)));
        texts.push_back(text);
    }
    return texts;
}

void TfrmDisplay::SelectAdapter(int index) {
    ::SendMessageA(Control("cbDisplay"), CB_SETCURSEL, index, 0);
    cbDisplayChange();
}

}  // namespace brimlow
