#include "cpu/TfrmCPU.h"

#include "app/product.h"
#include "cpu/clock_win.h"
#include "cpu/cpu_load_win.h"
#include "cpu/cpu_models.h"
#include "cpu/cpu_window_text.h"
#include "cpu/cpuid_native.h"
#include "cpu/digit_text.h"
#include "forms/cpu_form.h"
#include "platform/windows_version_win.h"
#include "platform/wmiquery.h"
#include "res/resource_ids.h"
#include "ui/application.h"
#include "ui/print_form.h"

#include <windows.h>

namespace brimlow {

CpuWindowSources CpuWindowSources::System() {
    static NativeCpuidSource processor;
    CpuWindowSources sources;
    sources.cpuid = &processor;
    sources.sampler = &cpu::CpuWindowLoadSampler();
    sources.fdivFlaw = [] { return FdivFlawTest(); };
    sources.clock = [] { return ClockMeasure(); };
    sources.counter = [] { return TimeStampCounter(); };
    sources.isWow64 = [] { return IsWow64(); };
    return sources;
}

TfrmCPU::TfrmCPU(TfrmMeters& meters) : TfrmCPU(meters, CpuWindowSources::System()) {}

TfrmCPU::TfrmCPU(TfrmMeters& meters, CpuWindowSources sources)
    : ui::Form(forms::CpuFormLayout()), meters_(meters), sources_(std::move(sources)) {}

TfrmCPU::~TfrmCPU() = default;

void TfrmCPU::FormCreate() {
    SetBarColour("ProgressBar1", ui::kAqua);
    clockDisplay_ = std::make_unique<ui::DigitDisplay>(*this, "ptBoxTotTracks", IDB_DIGITS);
    counterDisplay_ = std::make_unique<ui::DigitDisplay>(*this, "PaintBox1", IDB_DIGITS);
    OnClick("Print1", [this] { Print1Click(); });
    OnClick("Exit1", [this] { Close(); });
    OnClick("Refresh1", [this] { Refresh1Click(); });
    OnClick("CPUSpeed1", [this] { CPUSpeed1Click(); });
    OnClick("BitBtn1", [this] { BitBtn1Click(); });
    OnTimer("Timer1", [this] { Timer1Timer(); });
}

void TfrmCPU::FormShow() { Click("Refresh1"); }

void TfrmCPU::FormClose() { SetTimerEnabled("Timer1", false); }

void TfrmCPU::Refresh1Click() {
    ui::BusyCursor busy;
    CpuidSource& processor = *sources_.cpuid;

    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    const int processors = static_cast<int>(system.dwNumberOfProcessors);
    const ProcessorSignature signature = DecodeSignature(processor.CpuidLeaf(kLeafSignature));
    const CpuVendor vendor = LookupVendor(VendorText(processor.CpuidLeaf(kLeafVendor)));
    const TCPUFeatures features = ReadFeatures(processor);
    SetText("Info6", ProcessorSerialText(processor));
    const bool fdivFlaw = sources_.fdivFlaw();
    const TCPUCache cache = ReadCache(processor);
    // No clock is measured for the lookup: the two Cyrix rows that go by clock see 0.
    const ModelLookupResult model = ProcessorModelLookup({vendor.index, signature.family, signature.model,
                                                          signature.type, signature.brandIndex, cache.Level2, 0});
    try {
        SetText("CPUBrand1", cpu::TrimBlanks(BrandString(processor)));
    } catch (...) {
        SetText("CPUBrand1", "");
    }
    SetText("CPUInfo", cpu::CpuChipText(processors, model.modelName));
    SetText("Info1", cpu::SignatureText(signature));
    SetText("Info2", model.coreName);
    SetText("Info3", vendor.company);
    SetText("Info5", std::to_string(model.transistors));
    SetText("Info7", cpu::ProcessorIdText(signature));

    // First pass: the record from the first instance, kept only when there is exactly one.
    TStringTable table;
    int instances = 0;
    const int result = WmiQueryTable(".", "root\\CIMV2", "", "", "SELECT * FROM Win32_Processor", table, instances);
    const cpu::Tcpuinfo record = cpu::CpuInfoRecord(table, instances, result);
    SetText("Info8", record.ExtClock + " MHz");
    SetText("info9", record.CurrentVoltage);
    SetText("info10", record.MaxClockSpeed + " MHz");
    SetText("info11", record.SocketDesignation);
    SetText("info12", record.DataWidth);
    SetText("info13", record.Revision);
    SetText("info14", record.L2CacheSize);
    SetText("info15", record.L2CacheSpeed + " MHz");
    SetText("Info4", record.Manufacturer);
    if (Text("CPUBrand1").empty()) SetText("CPUBrand1", record.Name);

    {
        std::vector<std::string> lines;
        FeatureListLines(features, true, lines);
        lines.push_back(cpu::FdivLine(fdivFlaw));
        CheckListClear("clbCPU");
        for (const cpu::FeatureItem& item : cpu::FeatureItems(lines)) CheckListAdd("clbCPU", item.text, item.checked);
    }

    // Second pass, late-bound: every instance writes its values, so the last one's remain. A
    // property this system's provider does not carry reads as null and empties its field; a
    // failure to bind, connect or query ends the refresh here, for the default error handler.
    WmiEnumerate(WmiBinding::Moniker, "Select * from Win32_Processor", [this](const WmiInstance& instance) {
        for (const cpu::WmiFieldTarget& target : cpu::SecondPassFields())
            SetText(target.control, instance.Text(target.property));
    });
}

void TfrmCPU::ShowClock(double megahertz) {
    clockDisplay_->Show(cpu::ClockDigitText(megahertz), forms::kClockCells);
}

void TfrmCPU::Timer1Timer() {
    // The tick lets waiting messages through; a tick due meanwhile must not start inside this one.
    if (ticking_) return;
    ticking_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{ticking_};

    cpu::CpuWindowLoadStep(*this, *sources_.sampler, kSupportAddress);
    try {
        const std::string digits = cpu::ClockDigitText(sources_.clock());
        ui::Application::Instance().ProcessMessages();
        clockDisplay_->Show(digits, forms::kClockCells);
    } catch (...) {
        // The clock display keeps what it showed.
    }
    try {
        counterDisplay_->Show(cpu::CounterDigitText(sources_.counter()), forms::kCounterCells);
    } catch (...) {
        counterDisplay_->Show(std::string(forms::kCounterCells, '0'), forms::kCounterCells);
    }
    ui::Application::Instance().ProcessMessages();
}

void TfrmCPU::CPUSpeed1Click() { ShowClock(sources_.clock()); }

void TfrmCPU::BitBtn1Click() { ShowCpuMeter(meters_, sources_.isWow64); }

void TfrmCPU::Print1Click() { ui::PrintFormImage(*this, ui::PrinterChoice::AskUser); }

}  // namespace brimlow
