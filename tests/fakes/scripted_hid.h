// A scripted SetupAPI and HID.dll for the HID controller: the interfaces that are present, in
// listing order, each with what opening, identifying and querying it gives. Tests change the
// script between change passes to make devices arrive and leave. One script is active at a time;
// its tables are plain functions that find it through a process-wide pointer.
#pragma once

#include "devices/Hid.h"

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace brimlow::testing {

struct ScriptedHidDevice {
    DWORD devInst = 0;
    std::string path;
    bool opensReadWrite = true;  // false: only a query-only open (access 0) works
    bool opens = true;           // false: no open works at all
    bool identifies = true;      // HidD_GetAttributes
    bool detailReadable = true;  // SetupDiGetDeviceInterfaceDetailA
    USHORT vendorId = 0, productId = 0;
    std::wstring product;        // empty: HidD_GetProductString fails
    bool hasPreparsedData = true;
    std::vector<hid::HIDP_LINK_COLLECTION_NODE> nodes;
    std::vector<hid::HIDP_BUTTON_CAPS> buttons[3];  // by report type
    std::vector<hid::HIDP_VALUE_CAPS> values[3];
    std::map<DWORD, std::string> properties;        // registry property bytes
};

// A collection node as the tests write them.
inline hid::HIDP_LINK_COLLECTION_NODE Node(USHORT page, USHORT usage, ULONG type, USHORT parent, USHORT children,
                                           USHORT nextSibling, USHORT firstChild, bool alias = false) {
    hid::HIDP_LINK_COLLECTION_NODE n{};
    n.LinkUsagePage = page;
    n.LinkUsage = usage;
    n.CollectionType = type;
    n.Parent = parent;
    n.NumberOfChildren = children;
    n.NextSibling = nextSibling;
    n.FirstChild = firstChild;
    n.IsAlias = alias ? 1 : 0;
    return n;
}

template <typename Caps>
Caps UsageCaps(USHORT page, USHORT collection, USHORT usage) {
    Caps c{};
    c.UsagePage = page;
    c.LinkCollection = collection;
    c.NotRange.Usage = usage;
    return c;
}

template <typename Caps>
Caps RangeCaps(USHORT page, USHORT collection, USHORT first, USHORT last) {
    Caps c{};
    c.UsagePage = page;
    c.LinkCollection = collection;
    c.IsRange = TRUE;
    c.Range.UsageMin = first;
    c.Range.UsageMax = last;
    return c;
}

class ScriptedHid {
public:
    ScriptedHid() {
        if (current_) throw std::logic_error("one scripted HID at a time");
        current_ = this;
    }
    ~ScriptedHid() { current_ = nullptr; }
    ScriptedHid(const ScriptedHid&) = delete;
    ScriptedHid& operator=(const ScriptedHid&) = delete;

    std::vector<ScriptedHidDevice> devices;  // present, in listing order
    bool classDevsFail = false;
    std::function<void()> duringListing;     // runs inside SetupDiGetClassDevsA

    int listings = 0;            // SetupDiGetClassDevsA calls
    int destroyedLists = 0;
    int getCapsCalls = 0;        // HidP_GetCaps
    int capsQueries = 0;         // HidP_GetSpecificButtonCaps + ValueCaps
    std::vector<DWORD> opensAccess;  // the access of every CreateFileA
    std::set<HANDLE> openHandles;
    int preparsedHeld = 0;       // got and not yet freed

    hid::HidApi Api() const {
        hid::HidApi api;
        api.setupApi = &kSetupApi;
        api.hid = &kHid;
        api.kernel.CreateFileA = CreateFileA;
        api.kernel.CloseHandle = CloseHandle;
        return api;
    }

    static HDEVINFO Set() { return reinterpret_cast<HDEVINFO>(std::uintptr_t{0x5E7}); }

private:
    static ScriptedHid& Now() { return *current_; }
    ScriptedHidDevice* ByInstance(DWORD devInst) {
        for (auto& d : devices)
            if (d.devInst == devInst) return &d;
        return nullptr;
    }
    // Handles and preparsed data carry the device instance, so they outlive script changes.
    ScriptedHidDevice* ByHandle(HANDLE h) {
        if (!openHandles.count(h)) return nullptr;
        return ByInstance(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(h) >> 12));
    }
    ScriptedHidDevice* ByPreparsed(hid::PHIDP_PREPARSED_DATA p) {
        return ByInstance(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(p) >> 12));
    }

    static HDEVINFO WINAPI GetClassDevs(const GUID*, PCSTR, HWND, DWORD flags) {
        ScriptedHid& s = Now();
        ++s.listings;
        if (s.duringListing) s.duringListing();
        if (s.classDevsFail || flags != (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE)) return INVALID_HANDLE_VALUE;
        return Set();
    }
    static BOOL WINAPI EnumInterfaces(HDEVINFO set, PSP_DEVINFO_DATA, const GUID*, DWORD index,
                                      PSP_DEVICE_INTERFACE_DATA data) {
        ScriptedHid& s = Now();
        if (set != Set() || data->cbSize != sizeof *data || index >= s.devices.size()) {
            ::SetLastError(ERROR_NO_MORE_ITEMS);
            return FALSE;
        }
        data->Reserved = index;
        return TRUE;
    }
    static BOOL WINAPI GetDetail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                 DWORD size, PDWORD required, PSP_DEVINFO_DATA info) {
        ScriptedHid& s = Now();
        const ScriptedHidDevice& d = s.devices.at(data->Reserved);
        if (!d.detailReadable) {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        const DWORD needed = static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + d.path.size() + 1);
        if (required) *required = needed;
        if (!detail || size < needed) {
            ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        if (detail->cbSize != sizeof *detail || !info || info->cbSize != sizeof *info) {
            ::SetLastError(ERROR_INVALID_USER_BUFFER);
            return FALSE;
        }
        std::memcpy(detail->DevicePath, d.path.c_str(), d.path.size() + 1);
        info->DevInst = d.devInst;
        return TRUE;
    }
    static BOOL WINAPI GetProperty(HDEVINFO, PSP_DEVINFO_DATA info, DWORD property, PDWORD type, PBYTE buffer, DWORD size,
                                   PDWORD required) {
        const ScriptedHidDevice* d = Now().ByInstance(info->DevInst);
        const auto found = d ? d->properties.find(property) : decltype(d->properties.end()){};
        if (!d || found == d->properties.end()) {
            ::SetLastError(ERROR_INVALID_DATA);
            return FALSE;
        }
        if (required) *required = static_cast<DWORD>(found->second.size());
        if (type) *type = REG_BINARY;
        if (size < found->second.size()) {
            ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        std::memcpy(buffer, found->second.data(), found->second.size());
        return TRUE;
    }
    static BOOL WINAPI DestroyList(HDEVINFO set) {
        if (set == Set()) ++Now().destroyedLists;
        return set == Set();
    }

    static HANDLE WINAPI CreateFileA(LPCSTR path, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) {
        ScriptedHid& s = Now();
        s.opensAccess.push_back(access);
        for (const auto& d : s.devices) {
            if (d.path != path) continue;
            if (!d.opens || (access != 0 && !d.opensReadWrite)) break;
            HANDLE h = reinterpret_cast<HANDLE>((std::uintptr_t{d.devInst} << 12) | (++s.handleSerial_ & 0xFFF));
            s.openHandles.insert(h);
            return h;
        }
        ::SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    static BOOL WINAPI CloseHandle(HANDLE h) { return Now().openHandles.erase(h) == 1; }

    static void WINAPI GetHidGuid(GUID* guid) { *guid = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0, 0x11, 0x11, 0, 0, 0x30}}; }
    static BOOLEAN WINAPI GetAttributes(HANDLE h, hid::HIDD_ATTRIBUTES* attributes) {
        const ScriptedHidDevice* d = Now().ByHandle(h);
        if (!d || !d->identifies || attributes->Size != sizeof *attributes) return FALSE;
        attributes->VendorID = d->vendorId;
        attributes->ProductID = d->productId;
        attributes->VersionNumber = 1;
        return TRUE;
    }
    static BOOLEAN WINAPI GetProductString(HANDLE h, PVOID buffer, ULONG size) {
        const ScriptedHidDevice* d = Now().ByHandle(h);
        if (!d || d->product.empty()) return FALSE;
        const std::size_t chars = std::min<std::size_t>(d->product.size(), size / sizeof(wchar_t));
        std::memcpy(buffer, d->product.data(), chars * sizeof(wchar_t));
        return TRUE;
    }
    static BOOLEAN WINAPI GetPreparsed(HANDLE h, hid::PHIDP_PREPARSED_DATA* data) {
        ScriptedHid& s = Now();
        const ScriptedHidDevice* d = s.ByHandle(h);
        if (!d || !d->hasPreparsedData) return FALSE;
        *data = reinterpret_cast<hid::PHIDP_PREPARSED_DATA>((std::uintptr_t{d->devInst} << 12) | 1);
        ++s.preparsedHeld;
        return TRUE;
    }
    static BOOLEAN WINAPI FreePreparsed(hid::PHIDP_PREPARSED_DATA) {
        --Now().preparsedHeld;
        return TRUE;
    }
    static BOOLEAN WINAPI GetBuffers(HANDLE, PULONG count) {
        *count = 32;
        return TRUE;
    }
    static BOOLEAN WINAPI SetBuffers(HANDLE, ULONG) { return TRUE; }
    static hid::HIDP_STATUS WINAPI GetCaps(hid::PHIDP_PREPARSED_DATA p, hid::HIDP_CAPS* caps) {
        ScriptedHid& s = Now();
        ++s.getCapsCalls;
        const ScriptedHidDevice* d = s.ByPreparsed(p);
        if (!d) return static_cast<hid::HIDP_STATUS>(0xC0110001u);
        caps->NumberLinkCollectionNodes = static_cast<USHORT>(d->nodes.size());
        return hid::HIDP_STATUS_SUCCESS;
    }
    static hid::HIDP_STATUS WINAPI GetNodes(hid::HIDP_LINK_COLLECTION_NODE* nodes, PULONG count, hid::PHIDP_PREPARSED_DATA p) {
        const ScriptedHidDevice* d = Now().ByPreparsed(p);
        if (!d) return static_cast<hid::HIDP_STATUS>(0xC0110001u);
        if (*count < d->nodes.size()) return static_cast<hid::HIDP_STATUS>(0xC0110007u);
        std::copy(d->nodes.begin(), d->nodes.end(), nodes);
        *count = static_cast<ULONG>(d->nodes.size());
        return hid::HIDP_STATUS_SUCCESS;
    }
    template <typename Caps>
    static hid::HIDP_STATUS Specific(const std::vector<Caps>& all, USHORT page, USHORT link, USHORT usage, Caps* out,
                                     PUSHORT count) {
        ++Now().capsQueries;
        USHORT filled = 0;
        for (const Caps& c : all) {
            if ((page && c.UsagePage != page) || (link && c.LinkCollection != link) ||
                (usage && (c.IsRange ? c.Range.UsageMin : c.NotRange.Usage) != usage))
                continue;
            if (filled == *count) break;
            out[filled++] = c;
        }
        *count = filled;
        return filled ? hid::HIDP_STATUS_SUCCESS : static_cast<hid::HIDP_STATUS>(0xC0110004u);
    }
    static hid::HIDP_STATUS WINAPI ButtonCaps(hid::HIDP_REPORT_TYPE type, USHORT page, USHORT link, USHORT usage,
                                              hid::HIDP_BUTTON_CAPS* out, PUSHORT count, hid::PHIDP_PREPARSED_DATA p) {
        const ScriptedHidDevice* d = Now().ByPreparsed(p);
        if (!d || type > 2) return static_cast<hid::HIDP_STATUS>(0xC0110001u);
        return Specific(d->buttons[type], page, link, usage, out, count);
    }
    static hid::HIDP_STATUS WINAPI ValueCaps(hid::HIDP_REPORT_TYPE type, USHORT page, USHORT link, USHORT usage,
                                             hid::HIDP_VALUE_CAPS* out, PUSHORT count, hid::PHIDP_PREPARSED_DATA p) {
        const ScriptedHidDevice* d = Now().ByPreparsed(p);
        if (!d || type > 2) return static_cast<hid::HIDP_STATUS>(0xC0110001u);
        return Specific(d->values[type], page, link, usage, out, count);
    }
    static ULONG WINAPI MaxData(hid::HIDP_REPORT_TYPE, hid::PHIDP_PREPARSED_DATA) { return 0; }
    static ULONG WINAPI MaxUsage(hid::HIDP_REPORT_TYPE, USHORT, hid::PHIDP_PREPARSED_DATA) { return 0; }

    static constexpr hid::SetupApiFunctions kSetupApi{GetClassDevs, EnumInterfaces, GetDetail, GetProperty, DestroyList};
    static constexpr hid::HidFunctions kHid{GetHidGuid, GetAttributes, GetProductString, GetPreparsed, FreePreparsed,
                                            GetBuffers, SetBuffers,    GetCaps,          GetNodes,     ButtonCaps,
                                            ValueCaps,  MaxData,       MaxUsage};
    static inline ScriptedHid* current_ = nullptr;
    std::uintptr_t handleSerial_ = 0;
};

}  // namespace brimlow::testing
