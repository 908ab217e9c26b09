// What the host's kernel says about the processor, read through Wine's Z: drive from
// /proc/cpuinfo, and what the program's decode must then show. Under Wine CPUID goes straight to
// the host processor, so the Windows tests and the UI driver both check the decode against it.
// Header-only: the Windows tests and the UI driver include it.
#pragma once

#include "cpu/cpuid.h"

#include <windows.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>

namespace brimlow::testing {

// "key : value" lines of the first processor; empty where the file cannot be read (not Wine).
inline std::map<std::string, std::string> HostCpuInfo() {
    std::map<std::string, std::string> info;
    const HANDLE file = ::CreateFileA("Z:\\proc\\cpuinfo", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return info;
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    ::CloseHandle(file);

    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty()) break;  // end of the first processor
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string key = line.substr(0, colon);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
        std::string value = colon + 1 < line.size() ? line.substr(colon + 1) : "";
        if (!value.empty() && value.front() == ' ') value.erase(0, 1);
        info[key] = value;
    }
    return info;
}

// Runs of blanks as one, none at the ends: the kernel and the brand leaves pad differently.
inline std::string Normalised(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ' || c == '\t') {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// What the decode must show for the host's processor.
struct HostProcessor {
    std::string vendor;  // vendor_id
    int family = 0;      // the four family bits: 15 for every family from 15 up
    int model = 0;       // the four low bits of the model
    int stepping = -1;   // -1 when the kernel does not say
    std::string brand;   // model name, blanks normalised
    std::set<std::string> flags;
};

// nullopt-like: an empty vendor when there is no /proc/cpuinfo to read.
inline HostProcessor ReadHostProcessor() {
    HostProcessor host;
    const std::map<std::string, std::string> info = HostCpuInfo();
    if (!info.count("vendor_id")) return host;
    host.vendor = info.at("vendor_id");
    const int family = std::stoi(info.at("cpu family"));
    host.family = family >= 15 ? 15 : family;
    host.model = std::stoi(info.at("model")) & 0xF;
    if (info.count("stepping")) host.stepping = std::stoi(info.at("stepping"));
    if (info.count("model name")) host.brand = Normalised(info.at("model name"));
    std::istringstream words(info.count("flags") ? info.at("flags") : "");
    for (std::string w; words >> w;) host.flags.insert(w);
    return host;
}

// Feature flags every kernel lists as the processor reports them, with the kernel's name for each.
inline constexpr std::pair<bool TCPUFeatures::*, const char*> kKernelListedFlags[] = {
    {&TCPUFeatures::FPU, "fpu"}, {&TCPUFeatures::TSC, "tsc"}, {&TCPUFeatures::CX8, "cx8"},
    {&TCPUFeatures::CMOV, "cmov"}, {&TCPUFeatures::MMX, "mmx"}, {&TCPUFeatures::XSR, "fxsr"},
    {&TCPUFeatures::SIMD, "sse"},
};

// Flags that only show when the processor has them; their absence from the listing proves nothing.
inline constexpr std::pair<bool TCPUFeatures::*, const char*> kKernelListedWhenPresent[] = {
    {&TCPUFeatures::EX_MMX, "mmxext"},
    {&TCPUFeatures::_3DNOW, "3dnow"},
};

// The feature list's label for a flag, without its ": ".
inline std::string FeatureLabel(bool TCPUFeatures::*flag) {
    for (const FeatureRow& row : FeatureTable()) {
        if (row.flag != flag) continue;
        std::string label = row.label;
        return label.substr(0, label.find(':'));
    }
    return {};
}

}  // namespace brimlow::testing
