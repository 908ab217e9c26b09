#include "sysconfig/TfrmMemory.h"

#include "app/product.h"
#include "forms/memory_form.h"
#include "platform/abi.h"
#include "platform/wmiquery.h"
#include "sysconfig/memory_text.h"
#include "ui/application.h"
#include "ui/print_form.h"

#include <windows.h>

#include <algorithm>
#include <string>

BRIMLOW_PIN_SIZE(MEMORYSTATUSEX, 64, 64);

namespace brimlow {
namespace {

std::string ThousandsSeparator() {
    char separator[8] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) <= 0) return ",";
    return separator;
}

}  // namespace

TfrmMemory::TfrmMemory() : TfrmMemory(SystemLauncher()) {}

TfrmMemory::TfrmMemory(Launcher& launcher) : ui::Form(forms::MemoryFormLayout()), launcher_(launcher) {}

void TfrmMemory::FormCreate() {
    OnClick("Print1", [this] { Print1Click(); });
    OnClick("Close1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
    OnClick("Label3", [this] { launcher_.ShellOpen("open", kHomePage, {}, {}, ShowCommand::Normal); });
    OnPaint("Gauge1", [this](HDC dc) { PaintGauge(dc); });
}

void TfrmMemory::FormShow() { Click("Refresh1"); }

void TfrmMemory::Refresh1Click() {
    ui::BusyCursor busy;
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ::GlobalMemoryStatusEx(&status);
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);

    const std::string thousands = ThousandsSeparator();
    SetText("Info1", MemorySizeText(status.ullTotalPhys, thousands));
    SetText("Info2", MemorySizeText(status.ullAvailPhys, thousands));
    SetText("Info3", MemorySizeText(status.ullTotalPageFile, thousands));
    SetText("Info4", MemorySizeText(status.ullAvailPageFile, thousands));
    SetText("Info5", MemorySizeText(status.ullTotalVirtual, thousands));
    SetText("Info6", MemorySizeText(status.ullAvailVirtual, thousands));
    load_ = std::clamp(static_cast<int>(status.dwMemoryLoad), 0, 100);
    Invalidate("Gauge1");
    SetText("Info7", GroupedBytesText(system.dwAllocationGranularity, thousands));
    SetText("Info8", AddressRangeText(reinterpret_cast<std::uintptr_t>(system.lpMinimumApplicationAddress),
                                      reinterpret_cast<std::uintptr_t>(system.lpMaximumApplicationAddress)));
    SetText("Info9", GroupedBytesText(system.dwPageSize, thousands));

    ui::ListView list = ListView1();
    list.Clear();
    std::vector<MemoryModuleRow> rows;
    TStringTable table;
    int instances = 0;
    if (WmiQueryTable(".", "root\\CIMV2", "", "", "Win32_PhysicalMemory", table, instances) > 0)
        rows = MemoryModuleRows(table, instances);
    for (const MemoryModuleRow& row : rows)
        list.Add(row.bank, {row.device, row.dataWidth, row.capacity, row.speed, row.manufacturer});
    SetText("Edit2", ModuleTotalText(rows));
}

void TfrmMemory::Print1Click() { ui::PrintFormImage(*this, ui::PrinterChoice::DefaultPrinter); }

void TfrmMemory::PaintGauge(HDC dc) const {
    RECT whole;
    ::GetClientRect(Control("Gauge1"), &whole);
    RECT filled = whole;
    filled.right = whole.left + (whole.right - whole.left) * load_ / 100;
    const win::GdiObject bar(::CreateSolidBrush(RGB(0, 0, 128)));
    ::FillRect(dc, &filled, static_cast<HBRUSH>(bar.get()));
    ::FrameRect(dc, &whole, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    const std::string text = std::to_string(load_) + "%";
    ::SetBkMode(dc, TRANSPARENT);
    // Readable over both the bar and the empty part.
    ::SetTextColor(dc, RGB(255, 0, 0));
    const HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextA(dc, text.c_str(), -1, &whole, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc, old);
}

}  // namespace brimlow
