// The texts of the processor window TfrmCPU, from the decoded processor and from the first
// Win32_Processor instance. Pure computation; the window only puts these texts into its fields.
#pragma once

#include "cpu/cpuid.h"
#include "platform/wmi_value.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow::cpu {

// The window's record of the first Win32_Processor instance, each field named after the property
// that fills it. Family, ProcessorID and ProcessorType are read and not shown.
struct Tcpuinfo {
    std::string ExtClock;
    std::string MaxClockSpeed;
    std::string CurrentVoltage;
    std::string DataWidth;
    std::string Family;
    std::string L2CacheSize;
    std::string L2CacheSpeed;
    std::string SocketDesignation;
    std::string ProcessorID;
    std::string ProcessorType;
    std::string Revision;
    std::string Manufacturer;
    std::string Name;

    friend bool operator==(const Tcpuinfo&, const Tcpuinfo&) = default;
};

struct CpuInfoField {
    const char* property;
    std::string Tcpuinfo::*field;
};
// The 13 properties in the order the record is filled.
std::span<const CpuInfoField> CpuInfoFields();

// The record from a query table of Win32_Processor: filled only when the query found exactly one
// instance and `result` (the query's property count) is above 1, else every field stays empty.
// Properties the table lacks stay empty too; names are matched exactly, as WmiTableValue does.
Tcpuinfo CpuInfoRecord(const TStringTable& table, int instanceCount, int result);

// Without the characters up to the blank at either end (control characters go too).
std::string TrimBlanks(std::string_view text);

// "CPU Chip": "%d x %s" with the processor count and the trimmed model name, e.g. "2 x Pentium 4";
// "4 x " when the model has no name.
std::string CpuChipText(int processors, std::string_view modelName);

// "CPU Family": "Model ID: Family 15  Model 2  Stepping 9" (two blanks before Model and Stepping).
std::string SignatureText(const ProcessorSignature& signature);

// "Processor ID" until WMI replaces it: "0", then family, model and stepping in upper-case
// hexadecimal without padding, e.g. "06F2" for family 6, model 15, stepping 2.
std::string ProcessorIdText(const ProcessorSignature& signature);

// The feature list's last line: "FDIV Bug: Yes" when the division flaw showed, else "FDIV Bug: No".
std::string FdivLine(bool flawed);

struct FeatureItem {
    std::string text;
    bool checked = false;
    friend bool operator==(const FeatureItem&, const FeatureItem&) = default;
};

// One check-list item per line: the text before the line's first colon, checked when what follows
// the colon and its blank is exactly "Yes". A line without a colon is taken whole and unchecked.
std::vector<FeatureItem> FeatureItems(const std::vector<std::string>& lines);

// The second WMI pass: which property goes into which field, in the order they are read. Values
// are shown bare, without " MHz".
struct WmiFieldTarget {
    const char* property;
    const char* control;
};
std::span<const WmiFieldTarget> SecondPassFields();

}  // namespace brimlow::cpu
