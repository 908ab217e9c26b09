// The SetupAPI and HID class driver entry points the HID controller works through, bound at run
// time so the program starts on systems that lack either library, and the HID structures those
// entry points fill, pinned at their documented sizes.
#pragma once

#include "platform/abi.h"
#include "platform/windows_version.h"

#include <windows.h>
#include <setupapi.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace brimlow::hid {

using USAGE = USHORT;
using HIDP_STATUS = LONG;
struct PreparsedData;  // opaque; only HID.dll looks inside
using PHIDP_PREPARSED_DATA = PreparsedData*;

inline constexpr HIDP_STATUS HIDP_STATUS_SUCCESS = 0x00110000;
inline constexpr HIDP_STATUS HIDP_STATUS_NULL = static_cast<HIDP_STATUS>(0x80110001u);

enum HIDP_REPORT_TYPE : std::uint32_t { HidP_Input = 0, HidP_Output = 1, HidP_Feature = 2 };

struct HIDD_ATTRIBUTES {
    ULONG Size;
    USHORT VendorID;
    USHORT ProductID;
    USHORT VersionNumber;
};
BRIMLOW_PIN_SIZE(HIDD_ATTRIBUTES, 12, 12);

struct HIDP_CAPS {
    USAGE Usage;
    USAGE UsagePage;
    USHORT InputReportByteLength;
    USHORT OutputReportByteLength;
    USHORT FeatureReportByteLength;
    USHORT Reserved[17];
    USHORT NumberLinkCollectionNodes;
    USHORT NumberInputButtonCaps;
    USHORT NumberInputValueCaps;
    USHORT NumberInputDataIndices;
    USHORT NumberOutputButtonCaps;
    USHORT NumberOutputValueCaps;
    USHORT NumberOutputDataIndices;
    USHORT NumberFeatureButtonCaps;
    USHORT NumberFeatureValueCaps;
    USHORT NumberFeatureDataIndices;
};
BRIMLOW_PIN_SIZE(HIDP_CAPS, 64, 64);

struct HIDP_LINK_COLLECTION_NODE {
    USAGE LinkUsage;
    USAGE LinkUsagePage;
    USHORT Parent;
    USHORT NumberOfChildren;
    USHORT NextSibling;
    USHORT FirstChild;
    ULONG CollectionType : 8;
    ULONG IsAlias : 1;
    ULONG Reserved : 23;
    PVOID UserContext;
};
BRIMLOW_PIN_SIZE(HIDP_LINK_COLLECTION_NODE, 20, 24);

// The usage fields of a button or value capability: one range or one usage.
struct HidpUsageRange {
    USAGE UsageMin, UsageMax;
    USHORT StringMin, StringMax;
    USHORT DesignatorMin, DesignatorMax;
    USHORT DataIndexMin, DataIndexMax;
};
struct HidpUsageSingle {
    USAGE Usage, Reserved1;
    USHORT StringIndex, Reserved2;
    USHORT DesignatorIndex, Reserved3;
    USHORT DataIndex, Reserved4;
};

struct HIDP_BUTTON_CAPS {
    USAGE UsagePage;
    UCHAR ReportID;
    BOOLEAN IsAlias;
    USHORT BitField;
    USHORT LinkCollection;
    USAGE LinkUsage;
    USAGE LinkUsagePage;
    BOOLEAN IsRange;
    BOOLEAN IsStringRange;
    BOOLEAN IsDesignatorRange;
    BOOLEAN IsAbsolute;
    ULONG Reserved[10];
    union {
        HidpUsageRange Range;
        HidpUsageSingle NotRange;
    };
};
BRIMLOW_PIN_SIZE(HIDP_BUTTON_CAPS, 72, 72);

struct HIDP_VALUE_CAPS {
    USAGE UsagePage;
    UCHAR ReportID;
    BOOLEAN IsAlias;
    USHORT BitField;
    USHORT LinkCollection;
    USAGE LinkUsage;
    USAGE LinkUsagePage;
    BOOLEAN IsRange;
    BOOLEAN IsStringRange;
    BOOLEAN IsDesignatorRange;
    BOOLEAN IsAbsolute;
    BOOLEAN HasNull;
    UCHAR Reserved;
    USHORT BitSize;
    USHORT ReportCount;
    USHORT Reserved2[5];
    ULONG UnitsExp;
    ULONG Units;
    LONG LogicalMin, LogicalMax;
    LONG PhysicalMin, PhysicalMax;
    union {
        HidpUsageRange Range;
        HidpUsageSingle NotRange;
    };
};
BRIMLOW_PIN_SIZE(HIDP_VALUE_CAPS, 72, 72);
static_assert(offsetof(HIDP_VALUE_CAPS, Range) == 56 && offsetof(HIDP_BUTTON_CAPS, Range) == 56);

// The SetupAPI records the listing fills; their cbSize comes from sizeof. The detail record's is
// that of its fixed part and the first character of the path.
BRIMLOW_PIN_SIZE(SP_DEVICE_INTERFACE_DATA, 28, 32);
BRIMLOW_PIN_SIZE(SP_DEVINFO_DATA, 28, 32);
BRIMLOW_PIN_SIZE(SP_DEVICE_INTERFACE_DETAIL_DATA_A, 5, 8);

// SetupApi.dll, as far as the controller calls it.
struct SetupApiFunctions {
    HDEVINFO(WINAPI* SetupDiGetClassDevsA)(const GUID*, PCSTR, HWND, DWORD) = nullptr;
    BOOL(WINAPI* SetupDiEnumDeviceInterfaces)
    (HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD, PSP_DEVICE_INTERFACE_DATA) = nullptr;
    BOOL(WINAPI* SetupDiGetDeviceInterfaceDetailA)
    (HDEVINFO, PSP_DEVICE_INTERFACE_DATA, PSP_DEVICE_INTERFACE_DETAIL_DATA_A, DWORD, PDWORD, PSP_DEVINFO_DATA) = nullptr;
    BOOL(WINAPI* SetupDiGetDeviceRegistryPropertyA)
    (HDEVINFO, PSP_DEVINFO_DATA, DWORD, PDWORD, PBYTE, DWORD, PDWORD) = nullptr;
    BOOL(WINAPI* SetupDiDestroyDeviceInfoList)(HDEVINFO) = nullptr;
};

// HID.dll, as far as the controller calls it.
struct HidFunctions {
    void(WINAPI* HidD_GetHidGuid)(GUID*) = nullptr;
    BOOLEAN(WINAPI* HidD_GetAttributes)(HANDLE, HIDD_ATTRIBUTES*) = nullptr;
    BOOLEAN(WINAPI* HidD_GetProductString)(HANDLE, PVOID, ULONG) = nullptr;
    BOOLEAN(WINAPI* HidD_GetPreparsedData)(HANDLE, PHIDP_PREPARSED_DATA*) = nullptr;
    BOOLEAN(WINAPI* HidD_FreePreparsedData)(PHIDP_PREPARSED_DATA) = nullptr;
    BOOLEAN(WINAPI* HidD_GetNumInputBuffers)(HANDLE, PULONG) = nullptr;
    BOOLEAN(WINAPI* HidD_SetNumInputBuffers)(HANDLE, ULONG) = nullptr;
    HIDP_STATUS(WINAPI* HidP_GetCaps)(PHIDP_PREPARSED_DATA, HIDP_CAPS*) = nullptr;
    HIDP_STATUS(WINAPI* HidP_GetLinkCollectionNodes)(HIDP_LINK_COLLECTION_NODE*, PULONG, PHIDP_PREPARSED_DATA) = nullptr;
    HIDP_STATUS(WINAPI* HidP_GetSpecificButtonCaps)
    (HIDP_REPORT_TYPE, USAGE, USHORT, USAGE, HIDP_BUTTON_CAPS*, PUSHORT, PHIDP_PREPARSED_DATA) = nullptr;
    HIDP_STATUS(WINAPI* HidP_GetSpecificValueCaps)
    (HIDP_REPORT_TYPE, USAGE, USHORT, USAGE, HIDP_VALUE_CAPS*, PUSHORT, PHIDP_PREPARSED_DATA) = nullptr;
    ULONG(WINAPI* HidP_MaxDataListLength)(HIDP_REPORT_TYPE, PHIDP_PREPARSED_DATA) = nullptr;
    ULONG(WINAPI* HidP_MaxUsageListLength)(HIDP_REPORT_TYPE, USAGE, PHIDP_PREPARSED_DATA) = nullptr;
};

// The kernel32 calls on device files, in the table too so that tests can refuse an open.
struct KernelFunctions {
    HANDLE(WINAPI* CreateFileA)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) = ::CreateFileA;
    BOOL(WINAPI* CloseHandle)(HANDLE) = ::CloseHandle;
    DWORD(WINAPI* GetLastError)() = ::GetLastError;
};

// Everything the controller reaches the system through. A library that is absent has no table.
struct HidApi {
    const SetupApiFunctions* setupApi = nullptr;
    const HidFunctions* hid = nullptr;
    KernelFunctions kernel;
    std::shared_ptr<const void> keepAlive;  // the bound libraries behind the tables, if any
};

// SetupApi.dll, then HID.dll only when SetupApi.dll bound. The bindings are shared: the first
// caller loads a library, and it is freed when the last HidApi holding it goes.
HidApi SystemHidApi();

// The entry points of HID.dll that the program looks up but does not call, for this Windows: the
// report calls that came with later NT releases are looked up only there.
std::span<const char* const> HidPublishedNames(const VersionRecord& version);

// Binds `dll` as HID.dll: the called entry points and every name of `published`. Null, with the
// library freed again at once, when any lookup fails.
std::shared_ptr<const HidFunctions> BindHidLibrary(const char* dll, std::span<const char* const> published);

}  // namespace brimlow::hid
