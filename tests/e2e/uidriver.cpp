// Works the running program from outside, as a user would: starts brimlow.exe, finds its main
// window, chooses menu items and tool buttons by sending the commands they send, and reads the
// controls back. Prints one line per check and ends with "N passed, N failed".
//
//   uidriver <brimlow.exe> <expected Windows row> [<file for the 28 rows>]
//   uidriver --screenshots <brimlow.exe> <folder>
//
// The second form opens the processor window and, from it, the meters window, then the memory
// and display windows, then help, About and Administrator and the two print previews, and saves a
// picture of the screen with each (cpu.bmp, meters.bmp, memory.bmp, display.bmp, help.bmp, about.bmp,
// admin.bmp, full-spec-preview.bmp, ...): run it on a display that shows real pixels (Xvfb with a Wine virtual desktop).

#include "app/product.h"
#include "app/summary_export.h"
#include "forms/about_forms.h"
#include "app/summary_text.h"
#include "devices/display_text.h"
#include "forms/cpu_form.h"
#include "forms/devices_form.h"
#include "forms/disk_form.h"
#include "forms/display_form.h"
#include "forms/info_forms.h"
#include "forms/internet_form.h"
#include "forms/main_form.h"
#include "forms/memory_form.h"
#include "forms/meters_form.h"
#include "forms/network_forms.h"
#include "forms/optical_forms.h"
#include "forms/printers_form.h"
#include "forms/services_form.h"
#include "forms/sound_form.h"
#include "forms/startup_form.h"
#include "forms/unistall_form.h"
#include "forms/usb_form.h"
#include "network/internet_text.h"
#include "platform/number_picture.h"
#include "sysconfig/memory_text.h"
#include "sysconfig/service_text.h"
#include "tests/common/host_cpuinfo.h"
#include "ui/access_keys.h"
#include "ui/tree_view.h"
#include "ui/report_preview_form.h"

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <oleacc.h>
#include <winsvc.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <span>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using brimlow::forms::MainFormLayout;

int g_passed = 0;
int g_failed = 0;

void Check(bool ok, const std::string& what) {
    (ok ? g_passed : g_failed)++;
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
}

template <typename T>
void CheckEq(const T& actual, const T& expected, const std::string& what) {
    if (actual == expected) {
        Check(true, what);
    } else {
        Check(false, what);
        if constexpr (std::is_same_v<T, std::string>)
            std::printf("    expected \"%s\"\n    actual   \"%s\"\n", expected.c_str(), actual.c_str());
        else
            std::printf("    expected %ld\n    actual   %ld\n", static_cast<long>(expected), static_cast<long>(actual));
    }
}

HWND ControlOf(HWND form, const std::string& name) {
    const auto id = brimlow::ui::ControlIdOf(MainFormLayout(), name);
    return id ? ::GetDlgItem(form, *id) : nullptr;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                          &result);
    return text;
}

int CommandOf(const char* name) { return *brimlow::ui::CommandIdOf(MainFormLayout(), name); }

void CheckKeyboardAndNames(HWND window, const char* className);

// Sends a menu or tool-button command and waits until the program has handled it.
void Choose(HWND form, const char* name) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(form, WM_COMMAND, MAKEWPARAM(CommandOf(name), 0), 0, SMTO_NORMAL, 30000, &result);
}

int WidthOf(HWND window) {
    RECT rc{};
    ::GetWindowRect(window, &rc);
    return rc.right - rc.left;
}

template <typename Predicate>
bool WaitFor(Predicate ready, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 50) {
        if (ready()) return true;
        ::Sleep(50);
    }
    return ready();
}

struct DialogSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<DialogSearch*>(data);
    char name[32] = {};
    ::GetClassNameA(window, name, sizeof name);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search.process || std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    search.found = window;
    return FALSE;
}

// The program's dialog or message box that is up now, or null.
HWND DialogOf(DWORD process) {
    DialogSearch search{process, nullptr};
    ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForDialog(DWORD process) {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = DialogOf(process)) != nullptr; }, 30000);
    return dialog;
}

bool WaitUntilGone(HWND dialog) {
    return WaitFor([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, 30000);
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM data) {
    char name[32] = {};
    ::GetClassNameA(child, name, sizeof name);
    if (_stricmp(name, "Static") == 0) reinterpret_cast<std::vector<std::string>*>(data)->push_back(TextOf(child));
    return TRUE;
}

// The texts of a window's static controls.
std::vector<std::string> StaticTexts(HWND window) {
    std::vector<std::string> texts;
    ::EnumChildWindows(window, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::vector<brimlow::SummaryRow> RowsOf(HWND form) {
    std::vector<brimlow::SummaryRow> rows;
    for (int n = 1; n <= brimlow::kSummaryRowCount; ++n)
        rows.push_back({TextOf(ControlOf(form, "Desc" + std::to_string(n))), TextOf(ControlOf(form, "Info" + std::to_string(n)))});
    return rows;
}

std::string ClipboardNow() {
    std::string text;
    if (!::OpenClipboard(nullptr)) return text;
    if (const HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(::GlobalLock(data))) {
            text = bytes;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Answers the save dialog as a user would: a file name typed in, a file type picked, Save.
void AnswerSaveDialog(HWND dialog, const std::string& fileName, int typeIndex) {
    HWND name = ::GetDlgItem(dialog, cmb13);
    if (!name) name = ::GetDlgItem(dialog, edt1);
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()));
    if (const HWND types = ::GetDlgItem(dialog, cmb1)) {
        ::SendMessageA(types, CB_SETCURSEL, typeIndex - 1, 0);
        // What a choice from the list sends: the selection changes, then the list closes on it.
        for (const WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, notification), reinterpret_cast<LPARAM>(types));
    }
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

void Post(HWND form, const char* name) { ::PostMessageA(form, WM_COMMAND, MAKEWPARAM(CommandOf(name), 0), 0); }

// The export commands, through the program's real dialogs.
void Exports(HWND form, DWORD process) {
    const HWND info1 = ControlOf(form, "Info1");
    const auto empty = [&] { ::SendMessageA(info1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")); };

    // "Copy to Clipboard": refresh, copy, then the message box.
    empty();
    Post(form, "CopytoClipboard1");
    HWND box = WaitForDialog(process);
    Check(box != nullptr, "Copy to Clipboard: a message box");
    if (box) {
        CheckEq(TextOf(box), std::string(brimlow::kProductName), "Copy to Clipboard: the box's caption");
        const auto texts = StaticTexts(box);
        Check(std::find(texts.begin(), texts.end(), "System Information copied to clipboard.") != texts.end(),
              "Copy to Clipboard: \"System Information copied to clipboard.\"");
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        Check(WaitUntilGone(box), "Copy to Clipboard: OK closes the box");
    }
    Check(!TextOf(info1).empty(), "Copy to Clipboard refreshed the sheet");
    CheckEq(ClipboardNow(), brimlow::ClipboardText(RowsOf(form)), "the clipboard holds the 28 clipboard lines");

    // "Save to CSV" cancelled: no refresh.
    empty();
    Post(form, "Save1");
    HWND dialog = WaitForDialog(process);
    Check(dialog != nullptr, "Save to CSV: the save dialog");
    if (dialog) {
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        WaitUntilGone(dialog);
    }
    ::Sleep(500);
    CheckEq(TextOf(info1), std::string(), "Save to CSV cancelled: nothing refreshed");

    // A text file: the name without extension gets the default one.
    ::DeleteFileA("C:\\brimlow summary.TXT");
    Post(form, "Save1");
    if ((dialog = WaitForDialog(process))) AnswerSaveDialog(dialog, "C:\\brimlow summary", 1);
    Check(WaitFor([] { return ::GetFileAttributesA("C:\\brimlow summary.TXT") != INVALID_FILE_ATTRIBUTES; }, 30000),
          "Save to CSV as text: C:\\brimlow summary.TXT written");
    ::Sleep(300);
    CheckEq(FileText("C:\\brimlow summary.TXT"), brimlow::TextFileText(RowsOf(form)), "the text file holds the rows");

    // A CSV file.
    ::DeleteFileA("C:\\brimlow summary.csv");
    Post(form, "Save1");
    if ((dialog = WaitForDialog(process))) AnswerSaveDialog(dialog, "C:\\brimlow summary.csv", 2);
    Check(WaitFor([] { return ::GetFileAttributesA("C:\\brimlow summary.csv") != INVALID_FILE_ATTRIBUTES; }, 30000),
          "Save to CSV as CSV: C:\\brimlow summary.csv written");
    ::Sleep(300);
    CheckEq(FileText("C:\\brimlow summary.csv"), brimlow::CsvText(RowsOf(form)), "the CSV file holds the rows");

    // "Export to HTML" cancelled: refreshed all the same.
    empty();
    Post(form, "ExporttoHTML1");
    if ((dialog = WaitForDialog(process))) {
        Check(!TextOf(info1).empty(), "Export to HTML refreshes before its dialog");
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        WaitUntilGone(dialog);
    } else {
        Check(false, "Export to HTML: the save dialog");
    }

    ::DeleteFileA("C:\\brimlow page.htm");
    Post(form, "ExporttoHTML1");
    if ((dialog = WaitForDialog(process))) AnswerSaveDialog(dialog, "C:\\brimlow page", 1);
    Check(WaitFor([] { return ::GetFileAttributesA("C:\\brimlow page.htm") != INVALID_FILE_ATTRIBUTES; }, 30000),
          "Export to HTML: C:\\brimlow page.htm written");
    ::Sleep(300);
    const std::string page = FileText("C:\\brimlow page.htm");
    std::smatch date;
    std::regex_search(page, date, std::regex("<small>---([^<]*)</small>"));
    CheckEq(page, brimlow::HtmlPageText(RowsOf(form), {"", date.size() > 1 ? date[1].str() : "", brimlow::kProductPage,
                                                        brimlow::kHomePageCaption}),
            "the HTML page holds the rows");
}

// The cells of another process's list view. A list view answers LVM_GETITEMTEXTA into its own
// process's memory only: the request and the text buffer are placed there and read back.
std::vector<std::vector<std::string>> ReadRemoteList(HWND list, int columns) {
    std::vector<std::vector<std::string>> rows;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(list, &pid);
    const HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return rows;
    constexpr SIZE_T kText = 1024;
    void* remote = ::VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kText, MEM_COMMIT, PAGE_READWRITE);
    if (remote) {
        char* remoteText = static_cast<char*>(remote) + sizeof(LVITEMA);
        const int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int r = 0; r < count; ++r) {
            std::vector<std::string> cells;
            for (int c = 0; c < columns; ++c) {
                LVITEMA item{};
                item.iSubItem = c;
                item.pszText = remoteText;
                item.cchTextMax = kText;
                SIZE_T done = 0;
                ::WriteProcessMemory(process, remote, &item, sizeof item, &done);
                DWORD_PTR copied = 0;
                ::SendMessageTimeoutA(list, LVM_GETITEMTEXTA, r, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                                      5000, &copied);
                char text[kText] = {};
                ::ReadProcessMemory(process, remoteText, text, kText - 1, &done);
                cells.emplace_back(text);
            }
            rows.push_back(std::move(cells));
        }
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return rows;
}

std::string Joined(const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    for (const auto& row : rows) {
        text += "[";
        for (std::size_t c = 0; c < row.size(); ++c) text += (c ? "|" : "") + row[c];
        text += "]";
    }
    return text;
}

// A detail window opened from the main window's menu: its caption, its rows and its count. The
// rows are those of the registry fixture that the end-to-end script writes.
void CheckListWindow(HWND form, const char* item, const char* className, const brimlow::ui::FormLayout& layout,
                     const std::string& caption, int columns, const std::vector<std::vector<std::string>>& expected) {
    Choose(form, item);
    HWND window = nullptr;
    Check(WaitFor([&] { return (window = ::FindWindowA(className, nullptr)) != nullptr && ::IsWindowVisible(window); },
                  15000),
          std::string(item) + " opens " + className);
    if (!window) return;
    CheckEq(TextOf(window), caption, std::string(className) + " caption");
    Check(::GetWindow(window, GW_OWNER) == form, std::string(className) + " owned by the main window");
    CheckKeyboardAndNames(window, className);
    const HWND list = ::GetDlgItem(window, *brimlow::ui::ControlIdOf(layout, "ListView1"));
    const auto rows = ReadRemoteList(list, columns);
    CheckEq(Joined(rows), Joined(expected), std::string(className) + " rows");
    // Not every list window has a status bar with the count.
    if (const auto statusId = brimlow::ui::ControlIdOf(layout, "StatusBar1"))
        CheckEq(TextOf(::GetDlgItem(window, *statusId)), "Count: " + std::to_string(expected.size()),
                std::string(className) + " count");
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !::IsWindowVisible(window); }, 15000), std::string(className) + " closes (hidden)");
}

// A window of fixed captions beside values, opened from the main window: its caption, every
// caption text, and the values it shows (printed, and returned by value name).
std::map<std::string, std::string> CheckInfoWindow(HWND form, const char* item, const char* className,
                                                   const brimlow::ui::FormLayout& layout, const std::string& caption,
                                                   std::span<const brimlow::forms::InfoRow> rows, bool close = true) {
    std::map<std::string, std::string> values;
    Choose(form, item);
    HWND window = nullptr;
    Check(WaitFor([&] { return (window = ::FindWindowA(className, nullptr)) != nullptr && ::IsWindowVisible(window); },
                  15000),
          std::string(item) + " opens " + className);
    if (!window) return values;
    CheckEq(TextOf(window), caption, std::string(className) + " caption");
    Check(::GetWindow(window, GW_OWNER) == form, std::string(className) + " owned by the main window");
    CheckKeyboardAndNames(window, className);
    bool captions = true;
    for (const auto& row : rows) {
        captions = captions && TextOf(::GetDlgItem(window, *brimlow::ui::ControlIdOf(layout, row.caption))) == row.text;
        values[row.value] = TextOf(::GetDlgItem(window, *brimlow::ui::ControlIdOf(layout, row.value)));
        std::printf("    %s: %s = \"%s\"\n", className, row.text, values[row.value].c_str());
    }
    Check(captions, std::string(className) + " captions");
    if (close) {
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        Check(WaitFor([&] { return !::IsWindowVisible(window); }, 15000), std::string(className) + " closes (hidden)");
    }
    return values;
}

// Built up step by step: GCC 12 warns wrongly about a literal added to a string here.
std::string Quoted(const std::string& text) { return std::string(1, '"').append(text).append(1, '"'); }

struct ChildSearch {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK FindChildById(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (::GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

// A control anywhere in the window, inside its panels too.
HWND CpuControl(HWND cpu, const char* name) {
    const auto id = brimlow::ui::ControlIdOf(brimlow::forms::CpuFormLayout(), name);
    if (!id) return nullptr;
    ChildSearch search{*id};
    ::EnumChildWindows(cpu, FindChildById, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int CpuCommandOf(const char* name) { return *brimlow::ui::CommandIdOf(brimlow::forms::CpuFormLayout(), name); }

struct CheckItem {
    std::string text;
    bool checked = false;
};

// The check list read from outside: list-box texts and the marks kept as item data. The texts
// are asked for in wide characters: asked for in ANSI from another process, Wine 8 hands over
// the wide text all the same (one letter shows).
std::vector<CheckItem> CheckListOf(HWND list) {
    std::vector<CheckItem> items;
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t wide[256] = {};
        const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, i, 0);
        if (length > 0 && length < static_cast<LRESULT>(std::size(wide)))
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
        char text[512] = {};
        ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        items.push_back({text, ::SendMessageW(list, LB_GETITEMDATA, i, 0) == 1});
    }
    return items;
}

// Opens "CPU Info" with `opener` (a menu item or the tool button) and returns the window once it
// shows, or nullptr.
HWND OpenCpuWindow(HWND form, const char* opener) {
    ::PostMessageA(form, WM_COMMAND, MAKEWPARAM(CommandOf(opener), 0), 0);
    HWND cpu = nullptr;
    WaitFor([&] { return (cpu = ::FindWindowA("TfrmCPU", nullptr)) != nullptr && ::IsWindowVisible(cpu); }, 30000);
    if (!cpu || !::IsWindowVisible(cpu)) return nullptr;
    CheckKeyboardAndNames(cpu, "TfrmCPU");
    return cpu;
}

bool WaitUntilDestroyed(HWND form) {
    return WaitFor([&] { return ::FindWindowA("TfrmCPU", nullptr) == nullptr && ::IsWindowEnabled(form); }, 15000);
}

// "CPU Info": the window, its rows, and the decode against what the host's kernel says.
void CheckCpuWindow(HWND form) {
    HWND cpu = OpenCpuWindow(form, "CPUInfo1");
    Check(cpu != nullptr, "CPU Info opens the processor window");
    if (!cpu) return;
    CheckEq(TextOf(cpu), std::string("CPU Info"), "processor window caption");
    Check(::GetWindow(cpu, GW_OWNER) == form, "processor window owned by the main window");
    Check(!::IsWindowEnabled(form), "main window waits while the processor window is open");

    bool captionsOk = true;
    for (const brimlow::forms::CpuRow& row : brimlow::forms::CpuRows()) {
        captionsOk = captionsOk && TextOf(CpuControl(cpu, row.caption)) == row.text;
        std::printf("    %s: %s\n", row.text, TextOf(CpuControl(cpu, row.value)).c_str());
    }
    Check(captionsOk, "all 19 row captions read back");

    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    const std::string chip = TextOf(CpuControl(cpu, "CPUInfo"));
    Check(chip.rfind(std::to_string(system.dwNumberOfProcessors) + " x ", 0) == 0,
          "CPU Chip starts with the processor count: " + Quoted(chip));

    const std::vector<CheckItem> features = CheckListOf(CpuControl(cpu, "clbCPU"));
    CheckEq(static_cast<int>(features.size()), 25, "25 feature items");
    if (features.size() == 25) {
        CheckEq(features[24].text, std::string("FDIV Bug"), "the last item is the division flaw");
        Check(!features[24].checked, "no division flaw");
    }
    for (const CheckItem& item : features) std::printf("    [%c] %s\n", item.checked ? 'x' : ' ', item.text.c_str());

    const brimlow::testing::HostProcessor host = brimlow::testing::ReadHostProcessor();
    if (host.vendor.empty()) {
        std::printf("    no /proc/cpuinfo here: the decode is not compared with the kernel's\n");
    } else {
        CheckEq(TextOf(CpuControl(cpu, "Info3")), std::string(brimlow::LookupVendor(host.vendor).company),
                "Vendor is the company of " + host.vendor);
        CheckEq(TextOf(CpuControl(cpu, "Info1")),
                "Model ID: Family " + std::to_string(host.family) + "  Model " + std::to_string(host.model) +
                    "  Stepping " + std::to_string(host.stepping),
                "CPU Family line agrees with the kernel's family, model (low four bits) and stepping");
        CheckEq(brimlow::testing::Normalised(TextOf(CpuControl(cpu, "CPUBrand1"))), host.brand,
                "CPU Brand is the kernel's model name");
        const auto checkedItem = [&](bool brimlow::TCPUFeatures::*flag) {
            const std::string label = brimlow::testing::FeatureLabel(flag);
            for (const CheckItem& item : features)
                if (item.text == label) return item.checked;
            return false;
        };
        for (const auto& [flag, name] : brimlow::testing::kKernelListedFlags)
            Check(checkedItem(flag) == (host.flags.count(name) == 1),
                  Quoted(brimlow::testing::FeatureLabel(flag)).append(" agrees with the kernel's ").append(name));
        for (const auto& [flag, name] : brimlow::testing::kKernelListedWhenPresent)
            if (host.flags.count(name))
                Check(checkedItem(flag),
                      Quoted(brimlow::testing::FeatureLabel(flag)).append(" checked: the kernel lists ").append(name));
    }

    // The timer: the first tick takes the baseline, the next one shows the load.
    const HWND load = CpuControl(cpu, "Label5");
    std::string usage;
    Check(WaitFor([&] { usage = TextOf(load); return usage != "0 %" && usage.ends_with(" %"); }, 15000),
          "the usage label fills from the timer");
    std::printf("    usage shown: \"%s\"\n", usage.c_str());

    ::PostMessageA(cpu, WM_CLOSE, 0, 0);
    Check(WaitUntilDestroyed(form), "closing the processor window destroys it and frees the main window");

    // The tool button opens a fresh window; its Exit item closes it.
    cpu = OpenCpuWindow(form, "ToolButton2");
    Check(cpu != nullptr, "the CPU Info tool button opens the processor window");
    if (!cpu) return;
    CheckEq(TextOf(CpuControl(cpu, "Label5")), std::string("0 %"), "a new window starts from \"0 %\"");
    Check(!TextOf(CpuControl(cpu, "CPUBrand1")).empty(), "and is refreshed when shown");
    ::PostMessageA(cpu, WM_COMMAND, MAKEWPARAM(CpuCommandOf("Exit1"), 0), 0);
    Check(WaitUntilDestroyed(form), "Exit closes the processor window");
}

struct IdSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindById(HWND child, LPARAM data) {
    auto& search = *reinterpret_cast<IdSearch*>(data);
    if (::GetDlgCtrlID(child) != search.id) return TRUE;
    search.found = child;
    return FALSE;
}

// A control of a window by its layout name, also one inside a panel.
HWND Descendant(HWND window, const brimlow::ui::FormLayout& layout, const char* name) {
    IdSearch search{*brimlow::ui::ControlIdOf(layout, name), nullptr};
    ::EnumChildWindows(window, FindById, reinterpret_cast<LPARAM>(&search));
    return search.found;
}


// The program's windows by class name, for the checks every window gets.
const brimlow::ui::FormLayout* LayoutOfClass(const std::string& className) {
    using namespace brimlow::forms;
    for (const brimlow::ui::FormLayout& (*layoutOf)() :
         {AboutFormLayout, HelpFormLayout, AdminFormLayout, CpuFormLayout, DevicesFormLayout, DiskFormLayout,
          DisplayFormLayout, PersonalFormLayout, BiosFormLayout, DateTimeFormLayout, InternetFormLayout,
          MainFormLayout, MemoryFormLayout, MetersFormLayout, NetworkFormLayout, NetworkAdaptersFormLayout,
          UserListFormLayout, ComputersFormLayout, CdDvdFormLayout, UsbDrivesFormLayout, PrintersFormLayout,
          ServicesFormLayout, SoundFormLayout, StartupFormLayout, UnistallFormLayout, UsbFormLayout}) {
        if (layoutOf().className == className) return &layoutOf();
    }
    return nullptr;
}

// What a screen reader hears for a control: the name of the system's accessible object for it,
// asked of the program's process.
std::string AccessibleNameOf(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                            reinterpret_cast<void**>(&object))) ||
        !object)
        return "(no object)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text = "(no name)";
    if (SUCCEEDED(object->get_accName(self, &name)) && name) {
        char ansi[1024] = {};
        ::WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof ansi, nullptr, nullptr);
        text = ansi;
    }
    ::SysFreeString(name);
    object->Release();
    return text;
}

// Every shown control the layout names by a caption is read with that caption's text.
void CheckAccessibleNames(HWND window, const brimlow::ui::FormLayout& layout) {
    int named = 0;
    std::string wrong;
    for (const brimlow::ui::ControlLayout& control : layout.controls) {
        if (control.label.empty()) continue;
        const HWND shown = Descendant(window, layout, control.name.c_str());
        if (!shown || !::IsWindowVisible(shown)) continue;
        ++named;
        const std::string caption = brimlow::ui::WithoutAccessKey(TextOf(Descendant(window, layout, control.label.c_str())));
        const std::string name = AccessibleNameOf(shown);
        if (name != caption) wrong += " " + control.name + "=\"" + name + "\" (not \"" + caption + "\")";
    }
    if (named == 0) return;
    std::printf("    %s: %d controls named by their captions%s\n", layout.className.c_str(), named, wrong.c_str());
    Check(wrong.empty(), layout.className + ": each value is read with its row's caption");
}

// Tab from the window's first tab stop: every control it reaches once, then the first again, in
// reading order (down the window; along a row from left to right).
void CheckTabOrder(HWND window, const char* className) {
    if (const brimlow::ui::FormLayout* layout = LayoutOfClass(className)) {
        // A window of read-only rows has nothing to tab to; its menu is its keyboard.
        bool stops = false;
        for (const brimlow::ui::ControlLayout& control : layout->controls) {
            const HWND shown = Descendant(window, *layout, control.name.c_str());
            stops = stops || (shown && ::IsWindowVisible(shown) && (::GetWindowLongA(shown, GWL_STYLE) & WS_TABSTOP));
        }
        if (!stops) {
            std::printf("    %s: no tab stops\n", className);
            return;
        }
    }
    std::vector<HWND> stops;
    const HWND first = ::GetNextDlgTabItem(window, nullptr, FALSE);
    for (HWND at = first; at && stops.size() < 200; at = ::GetNextDlgTabItem(window, at, FALSE)) {
        if (!stops.empty() && at == first) break;
        stops.push_back(at);
    }
    bool inOrder = !stops.empty() && stops.size() < 200;
    std::string out;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        RECT a, b;
        ::GetWindowRect(stops[i - 1], &a);
        ::GetWindowRect(stops[i], &b);
        // The next stop is lower, or beside it on the same row.
        const bool next = b.top >= a.bottom - 4 || (b.left >= a.right - 4 && b.top < a.bottom);
        if (!next) {
            inOrder = false;
            out += " #" + std::to_string(::GetDlgCtrlID(stops[i - 1])) + "->#" + std::to_string(::GetDlgCtrlID(stops[i]));
        }
    }
    std::printf("    %s: %d tab stops%s\n", className, static_cast<int>(stops.size()),
                out.empty() ? "" : (", out of reading order:" + out).c_str());
    Check(inOrder, std::string(className) + ": the tab order reads down the window");
}

// What every window is checked for once: its tab order, and the names a screen reader reads.
void CheckKeyboardAndNames(HWND window, const char* className) {
    CheckTabOrder(window, className);
    if (const brimlow::ui::FormLayout* layout = LayoutOfClass(className)) CheckAccessibleNames(window, *layout);
}

// Opens a details window with `opener` and returns it once it shows, or nullptr.
HWND OpenDetailWindow(HWND form, const char* opener, const char* className) {
    Choose(form, opener);
    HWND window = nullptr;
    WaitFor([&] { return (window = ::FindWindowA(className, nullptr)) != nullptr && ::IsWindowVisible(window); }, 30000);
    if (!window || !::IsWindowVisible(window)) return nullptr;
    CheckKeyboardAndNames(window, className);
    return window;
}

std::string DetailText(HWND window, const brimlow::ui::FormLayout& layout, const char* name) {
    const auto id = brimlow::ui::ControlIdOf(layout, name);
    return id ? TextOf(::GetDlgItem(window, *id)) : std::string();
}

// "Memory Info" (F7): the figures of the same machine as this process sees them, and WMI's
// modules with their total.
void CheckMemoryWindow(HWND form) {
    const HWND memory = OpenDetailWindow(form, "MemoryInfo1", "TfrmMemory");
    Check(memory != nullptr, "Memory Info opens the memory window");
    if (!memory) return;
    const auto& layout = brimlow::forms::MemoryFormLayout();
    CheckEq(TextOf(memory), std::string("Memory"), "memory caption");
    Check(::GetWindow(memory, GW_OWNER) == form, "memory window owned by the main window");
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ::GlobalMemoryStatusEx(&status);
    char separator[8] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    CheckEq(DetailText(memory, layout, "Info1"), brimlow::MemorySizeText(status.ullTotalPhys, separator),
            "physical total");
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    CheckEq(DetailText(memory, layout, "Info9"), brimlow::GroupedBytesText(system.dwPageSize, separator), "page size");
    const auto modules = ReadRemoteList(::GetDlgItem(memory, *brimlow::ui::ControlIdOf(layout, "ListView1")), 6);
    Check(!modules.empty() && !modules[0][0].empty() && !modules[0][3].empty(), "memory modules listed with a capacity");
    std::printf("    modules: %s\n", Joined(modules).c_str());
    const std::string total = DetailText(memory, layout, "Edit2");
    Check(total.ends_with(" GB)"), "total installed memory: " + total);
    ::PostMessageA(memory, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !::IsWindowVisible(memory); }, 15000), "memory window closes (hidden)");
}

// "Display Info" from its tool button: the screen this process sees.
void CheckDisplayWindow(HWND form) {
    const HWND display = OpenDetailWindow(form, "ToolButton8", "TfrmDisplay");
    Check(display != nullptr, "the Display Info button opens the display window");
    if (!display) return;
    const auto& layout = brimlow::forms::DisplayFormLayout();
    CheckEq(TextOf(display), std::string("Display"), "display caption");
    HDC screen = ::GetDC(nullptr);
    const std::string metrics = brimlow::MetricsText(::GetDeviceCaps(screen, HORZRES), ::GetDeviceCaps(screen, VERTRES),
                                                     ::GetDeviceCaps(screen, BITSPIXEL));
    ::ReleaseDC(nullptr, screen);
    CheckEq(DetailText(display, layout, "Info8"), metrics, "display metrics");
    CheckEq(DetailText(display, layout, "Info7"), std::string("Raster Display"), "display technology");
    CheckEq(DetailText(display, layout, "Edit2"), std::to_string(::GetSystemMetrics(SM_CMONITORS)), "monitor count");
    const auto flags = CheckListOf(::GetDlgItem(display, *brimlow::ui::ControlIdOf(layout, "CheckListBox1")));
    CheckEq(static_cast<int>(flags.size()), 5, "five state flags");
    ::PostMessageA(display, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !::IsWindowVisible(display); }, 15000), "display window closes (hidden)");
}

// Every node of another process's tree view, indented by depth. Node handles are plain values to
// us; only the text needs the request and its buffer placed in the other process.
std::vector<std::string> ReadRemoteTree(HWND tree) {
    std::vector<std::string> lines;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(tree, &pid);
    const HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return lines;
    constexpr SIZE_T kText = 1024;
    void* remote = ::VirtualAllocEx(process, nullptr, sizeof(TVITEMA) + kText, MEM_COMMIT, PAGE_READWRITE);
    if (remote) {
        char* remoteText = static_cast<char*>(remote) + sizeof(TVITEMA);
        const auto next = [&](HTREEITEM node, UINT relation) {
            DWORD_PTR found = 0;
            ::SendMessageTimeoutA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(node), SMTO_ABORTIFHUNG, 5000,
                                  &found);
            return reinterpret_cast<HTREEITEM>(found);
        };
        const auto text = [&](HTREEITEM node) {
            TVITEMA item{};
            item.mask = TVIF_TEXT;
            item.hItem = node;
            item.pszText = remoteText;
            item.cchTextMax = kText;
            SIZE_T done = 0;
            ::WriteProcessMemory(process, remote, &item, sizeof item, &done);
            DWORD_PTR ok = 0;
            ::SendMessageTimeoutA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &ok);
            char buffer[kText] = {};
            ::ReadProcessMemory(process, remoteText, buffer, kText - 1, &done);
            return std::string(buffer);
        };
        lines = brimlow::ui::TreeLines([&](HTREEITEM n) { return n ? next(n, TVGN_CHILD) : next(nullptr, TVGN_ROOT); },
                                       [&](HTREEITEM n) { return next(n, TVGN_NEXT); }, text);
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return lines;
}

// The "USB" tool button: no host controller under Wine, and the tree of Wine's two HID devices,
// built from the message loop at start.
void CheckUsbWindow(HWND form) {
    const HWND usb = OpenDetailWindow(form, "ToolButton3", "TfrmUSB");
    Check(usb != nullptr, "the USB button opens the USB window");
    if (!usb) return;
    const auto& layout = brimlow::forms::UsbFormLayout();
    CheckEq(TextOf(usb), std::string("USB"), "USB caption");
    CheckEq(DetailText(usb, layout, "Info1"), std::string("Not Detected"), "no USB host controller under Wine");
    CheckEq(DetailText(usb, layout, "Desc2"), std::string("USB Storage Devices"), "storage line caption");
    const HWND tree = ::GetDlgItem(usb, *brimlow::ui::ControlIdOf(layout, "DeviceTree"));
    const auto lines = ReadRemoteTree(tree);
    for (const std::string& line : lines) std::printf("    tree: %s\n", line.c_str());
    Check(!lines.empty() && lines[0] == "HID-Devices", "the tree's root is HID-Devices");
    std::vector<std::string> devices;
    for (const std::string& line : lines)
        if (line.starts_with("  ") && !line.starts_with("   ")) devices.push_back(line);
    CheckEq(static_cast<int>(devices.size()), 2, "two HID devices under Wine");
    Check(!devices.empty() && devices[0] == "  \"Wine HID mouse\"  VID=$845e PID=$0001", "Wine's mouse line");
    Check(devices.size() > 1 && devices[1].ends_with("VID=$845e PID=$0002"), "Wine's keyboard line");
    Check(lines.size() > 4, "the devices have collections under them");
    // "USB Drives" opens the USB drives window beside this one.
    const HWND drivesButton = ::GetDlgItem(usb, *brimlow::ui::ControlIdOf(layout, "Button1"));
    Check(::IsWindowEnabled(drivesButton) != FALSE, "USB Drives button enabled");
    ::PostMessageA(usb, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(drivesButton), BN_CLICKED),
                   reinterpret_cast<LPARAM>(drivesButton));
    HWND drives = nullptr;
    Check(WaitFor([&] { return (drives = ::FindWindowA("TfrmUSBDrives", nullptr)) != nullptr && ::IsWindowVisible(drives); },
                  15000),
          "USB Drives opens the USB drives window");
    if (drives) {
        ::PostMessageA(drives, WM_CLOSE, 0, 0);
        WaitFor([&] { return !::IsWindowVisible(drives); }, 15000);
    }
    ::PostMessageA(usb, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !::IsWindowVisible(usb); }, 15000), "USB window closes (hidden)");
}

// "Print Hardware Spec" refreshes the sheet and shows the hardware card in the print preview,
// modally over the main window; the driver closes it with the preview's "Close".
HWND OpenPreview(HWND form, const char* item) {
    Post(form, item);
    HWND preview = nullptr;
    WaitFor([&] { return (preview = ::FindWindowA("TfrmPrintPreview", nullptr)) != nullptr && ::IsWindowVisible(preview); },
            30000);
    return preview && ::IsWindowVisible(preview) ? preview : nullptr;
}

void ClosePreview(HWND form, HWND preview) {
    ::PostMessageA(preview, WM_COMMAND,
                   MAKEWPARAM(*brimlow::ui::CommandIdOf(brimlow::ui::PreviewFormLayout(), "Close1"), 0), 0);
    Check(WaitFor([&] { return !::IsWindow(preview) && ::IsWindowEnabled(form); }, 15000),
          "closing the preview ends it and frees the main window");
}

void CheckPrintPreview(HWND form) {
    const HWND preview = OpenPreview(form, "PrintHardwareSpec1");
    Check(preview != nullptr, "Print Hardware Spec opens the print preview");
    if (!preview) return;
    CheckEq(TextOf(preview), std::string("Print Preview - Brimlow Machine Specification"), "preview caption");
    Check(::GetWindow(preview, GW_OWNER) == form, "the preview is owned by the main window");
    Check(!::IsWindowEnabled(form), "the main window waits while the preview is open");
    const auto status = brimlow::ui::ControlIdOf(brimlow::ui::PreviewFormLayout(), "StatusBar1");
    CheckEq(TextOf(::GetDlgItem(preview, *status)), brimlow::ui::PreviewPageText(1, 1), "the card is one page");
    ClosePreview(form, preview);
}

// A picture of the whole screen as a 24-bit BMP file.
bool SaveScreen(const std::string& file) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom row first, as BMP files keep them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    const bool copied = ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
    ::GdiFlush();
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + stride * static_cast<DWORD>(height);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride) * height);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return copied && out.good();
}

int Screenshots(const char* exe, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = std::string("\"") + exe + "\"";
    if (!::CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("FAILED: cannot start %s\n", exe);
        return 1;
    }
    HWND form = nullptr;
    WaitFor([&] { return (form = ::FindWindowA("TForm1", nullptr)) != nullptr && ::IsWindowVisible(form); }, 30000);
    Check(form != nullptr, "the main window appears");
    if (form) {
        HWND cpu = OpenCpuWindow(form, "CPUInfo1");
        Check(cpu != nullptr, "the processor window opens");
        if (cpu) {
            ::Sleep(3500);  // a few ticks: load, clock and counter digits
            Check(SaveScreen(folder + "\\cpu.bmp"), "screen saved with the processor window");
            const HWND button = CpuControl(cpu, "BitBtn1");
            ::PostMessageA(cpu, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                           reinterpret_cast<LPARAM>(button));
            HWND meters = nullptr;
            WaitFor([&] { return (meters = ::FindWindowA("TfrmMeters", nullptr)) != nullptr && ::IsWindowVisible(meters); },
                    15000);
            Check(meters && ::IsWindowVisible(meters), "Show CPU Meter opens the meters window");
            ::Sleep(12500);  // a stretch of history on the chart
            Check(SaveScreen(folder + "\\meters.bmp"), "screen saved with the meters window");
            if (meters) ::PostMessageA(meters, WM_CLOSE, 0, 0);
            ::PostMessageA(cpu, WM_CLOSE, 0, 0);
            WaitUntilDestroyed(form);
        }
        const struct {
            const char* item;
            const char* className;
            const char* file;
        } shots[] = {{"PersonalInfo1", "TfrmPersonal", "personal.bmp"},
                     {"BIOSInfo1", "TfrmBiosInfo", "bios.bmp"},
                     {"ToolButton10", "TfrmDateTime", "datetime.bmp"},
                     {"ToolButton12", "TfrmInternet", "internet.bmp"}};
        for (const auto& shot : shots) {
            Choose(form, shot.item);
            HWND window = nullptr;
            WaitFor([&] { return (window = ::FindWindowA(shot.className, nullptr)) != nullptr && ::IsWindowVisible(window); },
                    15000);
            Check(window != nullptr, std::string(shot.className) + " opens");
            ::Sleep(1500);  // the date and time window's timer ticks once
            Check(SaveScreen(folder + "\\" + shot.file), std::string("screen saved with ") + shot.className);
            if (window) ::PostMessageA(window, WM_CLOSE, 0, 0);
            WaitFor([&] { return window && !::IsWindowVisible(window); }, 15000);
        }
        for (const auto& [opener, className, file] :
             {std::tuple{"MemoryInfo1", "TfrmMemory", "memory.bmp"}, std::tuple{"DisplayInfo1", "TfrmDisplay", "display.bmp"},
              std::tuple{"ToolButton3", "TfrmUSB", "usb.bmp"},
              std::tuple{"CDDVDInfo1", "TfrmCDDVD", "cddvd.bmp"}, std::tuple{"USBDrives1", "TfrmUSBDrives", "usbdrives.bmp"},
              std::tuple{"PrinterInfo1", "TfrmPrinters", "printers.bmp"},
              std::tuple{"Toolbutton14", "TfrmNetwork", "network.bmp"}}) {
            const HWND window = OpenDetailWindow(form, opener, className);
            Check(window != nullptr, std::string(opener) + " opens " + className);
            ::Sleep(1500);
            Check(SaveScreen(folder + "\\" + file), std::string("screen saved with ") + className);
            if (window) ::PostMessageA(window, WM_CLOSE, 0, 0);
            WaitFor([&] { return !::IsWindowVisible(window); }, 15000);
        }
        // The Help page, then the modal windows, each closed before the next opens.
        for (const auto& [item, className, file] :
             {std::tuple{"UsingBrimlow1", "TfrmHelp", "help.bmp"}, std::tuple{"About1", "TAboutBox", "about.bmp"},
              std::tuple{"Administrator1", "TfrmAdmin", "admin.bmp"}, std::tuple{"Sound1", "TfrmSound", "sound.bmp"}}) {
            Post(form, item);
            HWND window = nullptr;
            WaitFor([&] { return (window = ::FindWindowA(className, nullptr)) != nullptr && ::IsWindowVisible(window); },
                    15000);
            Check(window != nullptr, std::string(className) + " opens");
            ::Sleep(1000);
            Check(SaveScreen(folder + "\\" + file), std::string("screen saved with ") + className);
            if (window) ::PostMessageA(window, WM_CLOSE, 0, 0);
            WaitFor([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, 15000);
            WaitFor([&] { return ::IsWindowEnabled(form) != FALSE; }, 15000);
        }
        for (const auto& [item, file] : {std::pair{"Print1", "full-spec-preview.bmp"},
                                         std::pair{"PrintHardwareSpec1", "hardware-spec-preview.bmp"}}) {
            const HWND preview = OpenPreview(form, item);
            Check(preview != nullptr, std::string(item) + " opens the print preview");
            if (!preview) continue;
            ::Sleep(1500);
            Check(SaveScreen(folder + "\\" + file), std::string("screen saved with the preview of ") + item);
            ClosePreview(form, preview);
        }
        ::PostMessageA(form, WM_COMMAND, MAKEWPARAM(CommandOf("ToolButton5"), 0), 0);
    }
    if (::WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}

// The Win32 services as this process sees them in the program's prefix, in the services window's
// texts: the window must show the same list.
std::vector<std::vector<std::string>> ManagerServiceRows() {
    std::vector<std::vector<std::string>> rows;
    const SC_HANDLE manager = ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE);
    if (!manager) return rows;
    std::vector<ENUM_SERVICE_STATUSA> buffer(4096);
    DWORD needed = 0, returned = 0, resume = 0;
    if (::EnumServicesStatusA(manager, SERVICE_WIN32, SERVICE_STATE_ALL, buffer.data(),
                              static_cast<DWORD>(buffer.size() * sizeof buffer[0]), &needed, &returned, &resume))
        for (DWORD i = 0; i < returned; ++i)
            rows.push_back({buffer[i].lpDisplayName, brimlow::ServiceStateText(buffer[i].ServiceStatus.dwCurrentState),
                            brimlow::ServiceTypeText(buffer[i].ServiceStatus.dwServiceType), buffer[i].lpServiceName});
    ::CloseServiceHandle(manager);
    return rows;
}

}  // namespace

// The digits of a "#,#0 bytes" text, whatever the separator.
std::uint64_t DigitsOf(const std::string& text) {
    std::uint64_t value = 0;
    for (char c : text)
        if (c >= '0' && c <= '9') value = value * 10 + std::uint64_t(c - '0');
    return value;
}

// "Disk Info" shows the drive window for the first fixed drive; capacity and free space are the
// volume's own figures. Wine gives no SMART data, so that section stays empty.
void CheckDiskWindow(HWND form) {
    Post(form, "DiskInfo1");
    HWND disk = nullptr;
    Check(WaitFor([&] { return (disk = ::FindWindowA("TfrmDisk", nullptr)) != nullptr && ::IsWindowVisible(disk); },
                  15000),
          "Disk Info opens the drive window");
    if (!disk) return;
    const brimlow::ui::FormLayout& layout = brimlow::forms::DiskFormLayout();
    const auto item = [&](const char* name) { return ::GetDlgItem(disk, *brimlow::ui::ControlIdOf(layout, name)); };
    CheckEq(TextOf(disk), std::string("Drive Information"), "drive window caption");
    std::string drive;
    Check(WaitFor([&] { drive = TextOf(item("cbDrive")); return !drive.empty(); }, 15000), "a fixed drive is selected");
    const std::string root = drive.substr(0, 2) + "\\";
    CheckEq(drive.substr(0, 4), std::string("C: ["), "the first fixed drive is C:");
    char separator[8] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    ULARGE_INTEGER available{}, total{}, totalFree{};
    Check(::GetDiskFreeSpaceExA(root.c_str(), &available, &total, &totalFree) != FALSE, "the volume's own figures");
    CheckEq(TextOf(item("info4")), brimlow::GroupThousands(std::uint64_t(total.QuadPart), separator) + " bytes",
            "capacity as the volume reports it");
    const std::string freeText = TextOf(item("info5"));
    const std::uint64_t shown = DigitsOf(freeText);
    const std::uint64_t now = available.QuadPart;
    // The host's disk is in use meanwhile: free space within 256 MiB of the window's figure.
    Check(freeText.ends_with(" bytes") && (shown > now ? shown - now : now - shown) < (256ull << 20),
          "free space as the volume reports it: " + freeText);
    Check(TextOf(item("Label6")).ends_with(" %"), "the gauge's percentage: " + TextOf(item("Label6")));
    CheckEq(TextOf(item("Edit18")), std::string(), "no SMART verdict under Wine");
    CheckEq(::SendMessageA(item("ListView"), LVM_GETITEMCOUNT, 0, 0), LRESULT(0), "no SMART attributes under Wine");
    ::PostMessageA(disk, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !::IsWindowVisible(disk); }, 15000), "the drive window closes (hidden)");
}

HWND WaitForVisible(const char* className) {
    HWND window = nullptr;
    WaitFor([&] { return (window = ::FindWindowA(className, nullptr)) != nullptr && ::IsWindowVisible(window); }, 15000);
    return window;
}

// Help > "Using Brimlow", Help > "About" and Options > "Administrator": opened, read and closed
// as a user would.
void CheckSmallWindows(HWND form) {
    Choose(form, "UsingBrimlow1");
    const HWND help = WaitForVisible("TfrmHelp");
    Check(help != nullptr, "Using Brimlow opens the help window");
    if (help) {
        CheckEq(TextOf(help), std::string("Help"), "help caption");
        CheckKeyboardAndNames(help, "TfrmHelp");
        Check(::IsWindowEnabled(form), "the help window does not wait");
        bool same = true;
        for (const brimlow::forms::HelpLine& line : brimlow::forms::HelpLines())
            same = same && TextOf(Descendant(help, brimlow::forms::HelpFormLayout(), line.name)) == line.text;
        Check(same, "every help label word for word");
        ::PostMessageA(help, WM_CLOSE, 0, 0);
        Check(WaitFor([&] { return !::IsWindowVisible(help); }, 15000), "the help window closes (hidden)");
    }

    Post(form, "About1");
    const HWND about = WaitForVisible("TAboutBox");
    Check(about != nullptr, "About opens the About box");
    if (about) {
        const brimlow::ui::FormLayout& layout = brimlow::forms::AboutFormLayout();
        CheckEq(TextOf(about), std::string("About"), "About caption");
        CheckKeyboardAndNames(about, "TAboutBox");
        CheckEq(TextOf(Descendant(about, layout, "Version")), std::string("Version 2.86"), "About shows the version");
        CheckEq(TextOf(Descendant(about, layout, "ProductName")), std::string("Brimlow"), "About names the product");
        CheckEq(TextOf(Descendant(about, layout, "Label4")), std::string("Contact Details"), "About's contact link");
        Check(!::IsWindowEnabled(form), "the main window waits while About is open");
        ::PostMessageA(Descendant(about, layout, "OKButton"), BM_CLICK, 0, 0);
        Check(WaitFor([&] { return !::IsWindow(about) && ::IsWindowEnabled(form); }, 15000),
              "OK closes and destroys the About box");
    }

    Post(form, "Administrator1");
    const HWND admin = WaitForVisible("TfrmAdmin");
    Check(admin != nullptr, "Administrator opens its window");
    if (admin) {
        const brimlow::ui::FormLayout& layout = brimlow::forms::AdminFormLayout();
        CheckEq(TextOf(admin), std::string("Administrator"), "Administrator caption");
        CheckKeyboardAndNames(admin, "TfrmAdmin");
        CheckEq(TextOf(Descendant(admin, layout, "Memo1")), std::string(brimlow::forms::kAdminNote), "the note");
        CheckEq(TextOf(Descendant(admin, layout, "Edit1")), std::string("Administrator"), "the user name preset");
        const HWND password = Descendant(admin, layout, "Edit2");
        Check((::GetWindowLongA(password, GWL_STYLE) & ES_PASSWORD) != 0, "the password is masked");
        CheckEq(TextOf(password), std::string(), "the password starts empty");
        Check(!::IsWindowEnabled(form), "the main window waits while Administrator is open");
        ::PostMessageA(Descendant(admin, layout, "CancelButton"), BM_CLICK, 0, 0);
        Check(WaitFor([&] { return !::IsWindowVisible(admin) && ::IsWindowEnabled(form); }, 15000),
              "Cancel closes the Administrator window (hidden)");
    }
}

// The Internet tool button: the window's rows, the 18 settings and the browser rows as Wine's
// prefix has them (online, no Flash, Internet Explorer's own key, no Chrome). A prefix without
// the settings' key answers with one "Path not found" box, which is pressed away.
void CheckInternetWindow(HWND form, DWORD process) {
    Post(form, "ToolButton12");
    HWND internet = nullptr;
    Check(WaitFor([&] { return (internet = ::FindWindowA("TfrmInternet", nullptr)) != nullptr && ::IsWindowVisible(internet); },
                  30000),
          "the Internet button opens the internet window");
    if (!internet) return;
    if (HWND box = nullptr; WaitFor([&] { return (box = DialogOf(process)) != nullptr; }, 1500)) {
        std::printf("    internet: message \"%s\" pressed away\n", TextOf(box).c_str());
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        WaitUntilGone(box);
    }
    const auto& layout = brimlow::forms::InternetFormLayout();
    CheckEq(TextOf(internet), std::string("Internet"), "internet caption");
    Check(::GetWindow(internet, GW_OWNER) == form, "internet window owned by the main window");
    CheckKeyboardAndNames(internet, "TfrmInternet");
    bool captions = true;
    for (const auto& row : brimlow::forms::InternetRows()) {
        captions = captions && DetailText(internet, layout, row.caption) == row.text;
        std::printf("    internet: %s = \"%s\"\n", row.text, DetailText(internet, layout, row.value).c_str());
    }
    Check(captions, "internet captions");
    CheckEq(DetailText(internet, layout, "Edit5"), std::string("Connected"), "Wine is online");
    CheckEq(DetailText(internet, layout, "Edit15"), std::string("NOT Installed"), "no Flash under Wine");
    const auto flags = CheckListOf(::GetDlgItem(internet, *brimlow::ui::ControlIdOf(layout, "CheckListBox1")));
    bool names = flags.size() == 18;
    for (std::size_t i = 0; names && i < flags.size(); ++i) names = flags[i].text == brimlow::IeFlagNames()[i];
    Check(names, "the 18 settings in order");
    const auto browsers = ReadRemoteList(::GetDlgItem(internet, *brimlow::ui::ControlIdOf(layout, "ListView1")), 2);
    std::printf("    browsers: %s\n", Joined(browsers).c_str());
    Check(browsers.size() == 3 && browsers[0][0] == "Internet Explorer" && !browsers[0][1].empty() &&
              browsers[1] == std::vector<std::string>{"Mozilla Firefox", "NOT Installed"} &&
              browsers[2] == std::vector<std::string>{"Google Chrome", ""},
          "browser rows: Internet Explorer with its version, no Firefox, Chrome's empty row");
    const auto favourites = CheckListOf(::GetDlgItem(internet, *brimlow::ui::ControlIdOf(layout, "ListBox2")));
    std::printf("    favourites listed: %d\n", static_cast<int>(favourites.size()));
    ::PostMessageA(internet, WM_COMMAND, MAKEWPARAM(*brimlow::ui::CommandIdOf(layout, "Exit1"), 0), 0);
    Check(WaitFor([&] { return !::IsWindowVisible(internet); }, 15000), "Exit closes the internet window (hidden)");
}

// A window a button of `owner` opens, found visible by its class.
HWND PressFor(HWND owner, const brimlow::ui::FormLayout& layout, const char* button, const char* className) {
    const HWND control = ::GetDlgItem(owner, *brimlow::ui::ControlIdOf(layout, button));
    ::PostMessageA(owner, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), BN_CLICKED), reinterpret_cast<LPARAM>(control));
    HWND window = nullptr;
    WaitFor([&] { return (window = ::FindWindowA(className, nullptr)) != nullptr && ::IsWindowVisible(window); }, 30000);
    if (!window || !::IsWindowVisible(window)) return nullptr;
    CheckKeyboardAndNames(window, className);
    return window;
}

void CloseHidden(HWND window, const std::string& what) {
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !::IsWindowVisible(window); }, 15000), what + " closes (hidden)");
}

// The "Network" tool button, and from its window the adapters, user list and computers windows,
// as Wine answers them: this computer's name, Wine's adapters through WMI, the workgroup with no
// accounts to list, and no network neighbourhood.
void CheckNetworkWindows(HWND form) {
    const HWND network = OpenDetailWindow(form, "Toolbutton14", "TfrmNetwork");
    Check(network != nullptr, "the Network button opens the network window");
    if (!network) return;
    const auto& layout = brimlow::forms::NetworkFormLayout();
    CheckEq(TextOf(network), std::string("Network"), "network caption");
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    ::GetComputerNameA(name, &size);
    CheckEq(DetailText(network, layout, "Edit2"), std::string(name), "the computer's name");
    for (const auto& row : brimlow::forms::NetworkRows())
        std::printf("    network: %s = \"%s\"\n", row.text, DetailText(network, layout, row.value).c_str());

    if (const HWND adapters = PressFor(network, layout, "Button1", "TfrmNetworkAdapters")) {
        const auto& adapterLayout = brimlow::forms::NetworkAdaptersFormLayout();
        CheckEq(TextOf(adapters), std::string("Network Adapters"), "adapters caption");
        const HWND combo = ::GetDlgItem(adapters, *brimlow::ui::ControlIdOf(adapterLayout, "ComboBox1"));
        std::string first;
        WaitFor([&] { return ::SendMessageA(combo, CB_GETCOUNT, 0, 0) > 0; }, 15000);
        std::printf("    adapters listed: %d, first \"%s\"\n", static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0)),
                    TextOf(combo).c_str());
        Check(::SendMessageA(combo, CB_GETCOUNT, 0, 0) > 0, "Wine's WMI lists an adapter");
        CloseHidden(adapters, "the adapters window");
    } else {
        Check(false, "Network Adapters opens the adapters window");
    }

    if (const HWND users = PressFor(network, layout, "Button3", "TfrmUserList")) {
        const auto& userLayout = brimlow::forms::UserListFormLayout();
        CheckEq(TextOf(users), std::string("User List"), "user list caption");
        CheckEq(DetailText(users, userLayout, "Edit2"), DetailText(network, layout, "Edit17"),
                "the user list's workgroup is the network window's");
        std::printf("    accounts listed: %d\n",
                    static_cast<int>(::SendMessageA(::GetDlgItem(users, *brimlow::ui::ControlIdOf(userLayout, "ListBox1")),
                                                    LB_GETCOUNT, 0, 0)));
        CloseHidden(users, "the user list");
    } else {
        Check(false, "User List opens the user list");
    }

    if (const HWND computers = PressFor(network, layout, "Button4", "TfrmComputers")) {
        const auto& computersLayout = brimlow::forms::ComputersFormLayout();
        CheckEq(TextOf(computers), std::string("Computers"), "computers caption");
        const HWND tree = ::GetDlgItem(computers, *brimlow::ui::ControlIdOf(computersLayout, "tv"));
        CheckEq(::SendMessageA(tree, TVM_GETCOUNT, 0, 0), LRESULT(0), "no network neighbourhood under Wine");
        CloseHidden(computers, "the computers window");
    } else {
        Check(false, "Computers opens the computers window");
    }
    CloseHidden(network, "the network window");
}

// View > "Sound": made for one opening, modal over the main window, gone again when closed. Wine
// has no wave-out device and no mixer, and its beep setting is on.
void CheckSoundWindow(HWND form) {
    Post(form, "Sound1");
    const HWND sound = WaitForVisible("TfrmSound");
    Check(sound != nullptr, "Sound opens the sound window");
    if (!sound) return;
    const auto& layout = brimlow::forms::SoundFormLayout();
    CheckEq(TextOf(sound), std::string("Sound"), "sound caption");
    CheckKeyboardAndNames(sound, "TfrmSound");
    Check(!::IsWindowEnabled(form), "the main window waits while the sound window is open");
    CheckEq(TextOf(Descendant(sound, layout, "Info6")), std::string("Not detected"), "no sound card under Wine");
    CheckEq(TextOf(Descendant(sound, layout, "Info5")), std::string("0"), "no mixer under Wine");
    CheckEq(TextOf(Descendant(sound, layout, "Info7")), std::string("Present"), "Wine beeps");
    CheckEq(TextOf(Descendant(sound, layout, "Edit1")), std::string("1000"), "the tone's frequency");
    const LRESULT events = ::SendMessageA(Descendant(sound, layout, "ListBox1"), LB_GETCOUNT, 0, 0);
    std::printf("    sound events listed: %d\n", static_cast<int>(events));
    ::PostMessageA(sound, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !::IsWindow(sound) && ::IsWindowEnabled(form); }, 15000),
          "closing the sound window destroys it and frees the main window");
}

// View > "Printer Info": the prefix has no printer, so the list is empty; the driver directory
// is there all the same.
void CheckPrintersWindow(HWND form) {
    const HWND printers = OpenDetailWindow(form, "PrinterInfo1", "TfrmPrinters");
    Check(printers != nullptr, "Printer Info opens the printers window");
    if (!printers) return;
    const auto& layout = brimlow::forms::PrintersFormLayout();
    CheckEq(TextOf(printers), std::string("Printers"), "printers caption");
    CheckEq(::SendMessageA(Descendant(printers, layout, "combobox1"), CB_GETCOUNT, 0, 0), LRESULT(0),
            "no printer in the list");
    const std::string directory = TextOf(Descendant(printers, layout, "Info3"));
    std::printf("    printer driver directory: \"%s\"\n", directory.c_str());
    Check(!directory.empty(), "the printer driver directory");
    ::PostMessageA(printers, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !::IsWindowVisible(printers); }, 15000), "the printers window closes (hidden)");
}

// The display window on whatever screen this process has: the metrics row must be `expected`
// (the X screen the script started), besides what CheckDisplayWindow compares.
int DisplayOnScreen(const char* exe, const std::string& expected) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = std::string("\"") + exe + "\" /norefresh";
    if (!::CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("FAILED: cannot start %s\n0 passed, 1 failed\n", exe);
        return 1;
    }
    HWND form = nullptr;
    WaitFor([&] { return (form = ::FindWindowA("TForm1", nullptr)) != nullptr && ::IsWindowVisible(form); }, 30000);
    Check(form != nullptr, "the main window appears");
    if (form) {
        const HWND display = OpenDetailWindow(form, "DisplayInfo1", "TfrmDisplay");
        if (display) {
            CheckEq(DetailText(display, brimlow::forms::DisplayFormLayout(), "Info8"), expected,
                    "display metrics on this screen");
            ::PostMessageA(display, WM_CLOSE, 0, 0);
            WaitFor([&] { return !::IsWindowVisible(display); }, 15000);
        }
        CheckDisplayWindow(form);
        ::PostMessageA(form, WM_COMMAND, MAKEWPARAM(CommandOf("ToolButton5"), 0), 0);
    }
    if (::WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}

// "CD / DVD Info" over the prefix's CD-ROM drive D:. Wine's CD-ROM drives refuse SCSI
// pass-through, so the INQUIRY fields and the capability list stay empty; WMI knows the drive.
void CheckCdDvdWindow(HWND form, HWND toolBar) {
    Check(::SendMessageA(toolBar, TB_ISBUTTONENABLED, CommandOf("ToolButton11"), 0) != 0, "CD/DVD Info button enabled");
    const HWND cd = OpenDetailWindow(form, "CDDVDInfo1", "TfrmCDDVD");
    Check(cd != nullptr, "CD / DVD Info opens the CD/DVD window");
    if (!cd) return;
    const auto& layout = brimlow::forms::CdDvdFormLayout();
    CheckEq(TextOf(cd), std::string("CD / DVD Information"), "CD/DVD caption");
    Check(::GetWindow(cd, GW_OWNER) == form, "CD/DVD window owned by the main window");
    std::string drive;
    Check(WaitFor([&] { drive = DetailText(cd, layout, "cbDrive"); return !drive.empty(); }, 15000),
          "an optical drive is selected");
    CheckEq(drive.substr(0, 4), std::string("D: ["), "the CD-ROM drive D: is listed");
    std::string letter;
    Check(WaitFor([&] { letter = DetailText(cd, layout, "Edit7"); return !letter.empty(); }, 15000),
          "WMI names the drive");
    CheckEq(letter, std::string("D:"), "Win32_CDROMDrive's drive letter");
    std::printf("    CD-ROM: \"%s\", \"%s\", \"%s\"\n", DetailText(cd, layout, "Info7").c_str(),
                DetailText(cd, layout, "info6").c_str(), DetailText(cd, layout, "Info9").c_str());
    Check(!DetailText(cd, layout, "Info7").empty(), "Win32_CDROMDrive's name");
    CheckEq(DetailText(cd, layout, "Edit13"), std::string(), "no INQUIRY vendor without pass-through");
    const HWND capabilities = ::GetDlgItem(cd, *brimlow::ui::ControlIdOf(layout, "ListBox1"));
    CheckEq(::SendMessageA(capabilities, LVM_GETITEMCOUNT, 0, 0), LRESULT(0), "no capability list without pass-through");
    ::PostMessageA(cd, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !::IsWindowVisible(cd); }, 15000), "the CD/DVD window closes (hidden)");

    // The drive window's "Show CD/DVD Info" switches to this window.
    const HWND disk = OpenDetailWindow(form, "DiskInfo1", "TfrmDisk");
    Check(disk != nullptr, "Disk Info opens the drive window again");
    if (!disk) return;
    const HWND button = ::GetDlgItem(disk, *brimlow::ui::ControlIdOf(brimlow::forms::DiskFormLayout(), "BitBtn1"));
    Check(::IsWindowEnabled(button) != FALSE, "Show CD/DVD Info is enabled");
    ::PostMessageA(disk, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    Check(WaitFor([&] { return ::IsWindowVisible(cd) && !::IsWindowVisible(disk); }, 15000),
          "Show CD/DVD Info shows the CD/DVD window and closes the drive window");
    ::PostMessageA(cd, WM_CLOSE, 0, 0);
    WaitFor([&] { return !::IsWindowVisible(cd); }, 15000);
}

// "USB Drives": Wine's WMI has a disk drive per fixed drive letter (C: and Z:) and none on USB.
void CheckUsbDrivesWindow(HWND form) {
    const HWND usb = OpenDetailWindow(form, "USBDrives1", "TfrmUSBDrives");
    Check(usb != nullptr, "USB Drives opens the USB drives window");
    if (!usb) return;
    const auto& layout = brimlow::forms::UsbDrivesFormLayout();
    CheckEq(TextOf(usb), std::string("USB Drives"), "USB drives caption");
    std::string drives;
    Check(WaitFor([&] { drives = DetailText(usb, layout, "Info2"); return !drives.empty(); }, 15000), "drives counted");
    CheckEq(drives, std::string("2"), "two disk drives in all");
    CheckEq(DetailText(usb, layout, "Info1"), std::string("0"), "no USB drive");
    const HWND grid = ::GetDlgItem(usb, *brimlow::ui::ControlIdOf(layout, "StringGrid1"));
    CheckEq(::SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0), LRESULT(0), "an empty grid");
    const HWND header = reinterpret_cast<HWND>(::SendMessageA(grid, LVM_GETHEADER, 0, 0));
    CheckEq(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), LRESULT(11), "eleven columns");
    ::PostMessageA(usb, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !::IsWindowVisible(usb); }, 15000), "the USB drives window closes (hidden)");
}

int main(int argc, char** argv) {
    // The program's accessible objects come over to this process through COM.
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (argc == 4 && std::string(argv[1]) == "--screenshots") return Screenshots(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "--display") return DisplayOnScreen(argv[2], argv[3]);
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: uidriver <brimlow.exe> <expected Windows row> [<rows file>]\n"
                     "       uidriver --screenshots <brimlow.exe> <folder>\n"
                     "       uidriver --display <brimlow.exe> <expected metrics row>\n");
        return 2;
    }
    const std::string expectedWindows = argv[2];

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = std::string("\"") + argv[1] + "\"";
    if (!::CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        std::printf("FAILED: cannot start %s (error %lu)\n0 passed, 1 failed\n", argv[1], ::GetLastError());
        return 1;
    }

    HWND form = nullptr;
    WaitFor([&] { return (form = ::FindWindowA("TForm1", nullptr)) != nullptr && ::IsWindowVisible(form); }, 30000);
    Check(form != nullptr, "the main window appears");
    if (!form) {
        ::TerminateProcess(process.hProcess, 99);
        std::printf("%d passed, %d failed\n", g_passed, g_failed);
        return 1;
    }
    CheckEq(TextOf(form), std::string("Brimlow 2.86"), "caption");

    // Without parameters the sheet is filled when the window first shows.
    Check(WaitFor([&] { return !TextOf(ControlOf(form, "Info28")).empty(); }, 30000), "sheet filled at start");

    // Empty a row, then ask for "Main System Info" through its menu command.
    ::SendMessageA(ControlOf(form, "Info1"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    Choose(form, "Refresh1");
    CheckEq(TextOf(ControlOf(form, "Info1")), expectedWindows, "Windows row after Main System Info");

    std::string rows;
    bool labelsOk = true;
    for (int n = 1; n <= brimlow::kSummaryRowCount; ++n) {
        const std::string label = TextOf(ControlOf(form, "Desc" + std::to_string(n)));
        const std::string value = TextOf(ControlOf(form, "Info" + std::to_string(n)));
        labelsOk = labelsOk && label == brimlow::kSummaryLabels[n - 1];
        rows += label + ": " + value + "\r\n";
    }
    Check(labelsOk, "all 28 labels read back");
    CheckKeyboardAndNames(form, "TForm1");
    if (argc > 3) std::ofstream(argv[3], std::ios::binary) << rows;

    // The window takes 690 pixels and the height the screen allows; the value column follows.
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    RECT rc{};
    ::GetWindowRect(form, &rc);
    CheckEq(static_cast<int>(rc.right - rc.left), 690, "window width");
    CheckEq(static_cast<int>(rc.bottom - rc.top), brimlow::MainWindowHeight(screenHeight), "window height");
    CheckEq(WidthOf(ControlOf(form, "Info1")), 440, "value width at 690");
    ::SetWindowPos(form, nullptr, 0, 0, 900, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER);
    bool allWide = true;
    for (int n = 1; n <= brimlow::kSummaryRowCount; ++n)
        allWide = allWide && WidthOf(ControlOf(form, "Info" + std::to_string(n))) == 650;
    Check(allWide, "every value field 650 wide at 900");

    // Menus cannot be read from another process under every system; the tool bar can. Only the
    // buttons whose windows are built have their action.
    const HWND toolBar = ::FindWindowExA(form, nullptr, TOOLBARCLASSNAMEA, nullptr);
    Check(toolBar != nullptr, "tool bar present");
    CheckEq(static_cast<int>(::SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0)), 14, "fourteen tool buttons");
    Check(::SendMessageA(toolBar, TB_ISBUTTONENABLED, CommandOf("ToolButton5"), 0) != 0, "Exit button enabled");
    Check(::SendMessageA(toolBar, TB_ISBUTTONENABLED, CommandOf("ToolButton2"), 0) != 0, "CPU Info button enabled");
    Check(::SendMessageA(toolBar, TB_ISBUTTONENABLED, CommandOf("ToolButton6"), 0) != 0, "Personal Info button enabled");
    Check(::SendMessageA(toolBar, TB_ISBUTTONENABLED, CommandOf("ToolButton3"), 0) != 0, "USB button enabled");

    Choose(form, "ransparentBackground1");
    Check((::GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_LAYERED) != 0, "Transparent Background on");
    Choose(form, "ransparentBackground1");
    Check((::GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_LAYERED) == 0, "Transparent Background off");

    Exports(form, process.dwProcessId);

    // "CPU Meters" starts the meters' timer and shows them modally over the main window; closing
    // them only hides them, and their timer goes on sampling.
    ::PostMessageA(form, WM_COMMAND, MAKEWPARAM(CommandOf("SystemResourceMeters1"), 0), 0);
    HWND meters = nullptr;
    Check(WaitFor([&] { return (meters = ::FindWindowA("TfrmMeters", nullptr)) != nullptr && ::IsWindowVisible(meters); },
                  15000),
          "CPU Meters opens the meters window");
    if (meters) {
        CheckEq(TextOf(meters), std::string("CPU Meters"), "meters caption");
        CheckKeyboardAndNames(meters, "TfrmMeters");
        Check((::GetWindowLongA(meters, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, "meters stay on top");
        Check(::GetWindow(meters, GW_OWNER) == form, "meters owned by the main window");
        Check(!::IsWindowEnabled(form), "main window waits while the meters are open");
        const auto labelId = brimlow::ui::ControlIdOf(brimlow::forms::MetersFormLayout(), "Label5");
        const HWND label = ::GetDlgItem(meters, *labelId);
        CheckEq(TextOf(::GetDlgItem(meters, *brimlow::ui::ControlIdOf(brimlow::forms::MetersFormLayout(), "StaticText1"))),
                std::string("CPU usage and history"), "meters title text");
        ::PostMessageA(meters, WM_CLOSE, 0, 0);
        Check(WaitFor([&] { return !::IsWindowVisible(meters) && ::IsWindowEnabled(form); }, 15000),
              "closing the meters hides them and frees the main window");
        // The first tick only takes the baseline; the second writes the load, window hidden or not.
        std::string load;
        Check(WaitFor([&] { load = TextOf(label); return load.size() > 2 && load.ends_with(" %"); }, 15000),
              "the load label fills while the meters are hidden");
        std::printf("    load shown: \"%s\"\n", load.c_str());
    }

    CheckCpuWindow(form);

    // The list windows over the fixture of run_e2e.sh; an entry without a display name is left out.
    const std::vector<std::vector<std::string>> apps{
        {"E2E Alpha App", "1.0", "http://alpha.invalid/", "", "", "", "E2E Makers", "", "", "E2E-A"},
        {"E2E Beta Tool", "7", "", "", "", "", "", "", "", "E2E-B"},
    };
    CheckListWindow(form, "Uninstallers1", "TfrmUnistall", brimlow::forms::UnistallFormLayout(),
                    "Application Install / Uninstall Information", 10, apps);
    Check(::SendMessageA(toolBar, TB_ISBUTTONENABLED, CommandOf("ToolButton13"), 0) != 0,
          "Installed Programs button enabled");
    CheckListWindow(form, "DeviceInfo1", "TfrmDevices", brimlow::forms::DevicesFormLayout(), "Device Info", 3,
                    {{"E2E Display Adapter", "E2E Maker", "1.2.3"}});

    // "Startup" shows its window and then fills it; the rows are run_e2e.sh's Run values and the
    // file it put into the all-users Startup folder.
    const std::string folder = "C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Startup\\";
    CheckListWindow(form, "Startup1", "TfrmStartup", brimlow::forms::StartupFormLayout(), "Startup", 3,
                    {{"Registry (HKLM) - Run", "E2EAgent", "agent.exe -q"},
                     {"Registry (HKCU) - Run", "E2ETray", "C:\\e2e\\tray.exe"},
                     {"All Users - Startup folder", "E2E Notes.lnk", folder + "E2E Notes.lnk"}});
    const auto services = ManagerServiceRows();
    Check(!services.empty(), "the service manager lists services");
    CheckListWindow(form, "Services1", "TfrmServices", brimlow::forms::ServicesFormLayout(), "Services", 4, services);
    std::printf("    services listed: %d\n", static_cast<int>(services.size()));
    CheckDiskWindow(form);

    // The personal window is refreshed, then shown; the BIOS and date and time windows fill
    // themselves as they show.
    auto personal = CheckInfoWindow(form, "PersonalInfo1", "TfrmPersonal", brimlow::forms::PersonalFormLayout(),
                                    "Personal windows and system information", brimlow::forms::PersonalRows());
    Check(!personal["Edit16"].empty(), "personal window names the system language");
    Check(!personal["Edit1"].empty(), "personal window names the system root");
    CheckEq(personal["Info21"], std::string("Error!"), "no disk serial under Wine");
    auto bios = CheckInfoWindow(form, "BIOSInfo1", "TfrmBiosInfo", brimlow::forms::BiosFormLayout(), "BIOS Info",
                                brimlow::forms::BiosRows());
    auto clock = CheckInfoWindow(form, "ToolButton10", "TfrmDateTime", brimlow::forms::DateTimeFormLayout(),
                                 "Time and Date", brimlow::forms::DateTimeRows());
    Check(!clock["Info2"].empty() && clock["Edit14"].find(" minutes") != std::string::npos,
          "date and time window shows the date and the bias");
    Check(::SendMessageA(toolBar, TB_ISBUTTONENABLED, CommandOf("ToolButton7"), 0) != 0, "Memory Info button enabled");
    CheckMemoryWindow(form);
    CheckDisplayWindow(form);
    CheckSmallWindows(form);
    CheckUsbWindow(form);
    CheckInternetWindow(form, process.dwProcessId);
    CheckPrintPreview(form);
    CheckCdDvdWindow(form, toolBar);
    CheckUsbDrivesWindow(form);
    CheckSoundWindow(form);
    CheckPrintersWindow(form);
    CheckNetworkWindows(form);

    // The Exit tool button ends the program.
    ::PostMessageA(form, WM_COMMAND, MAKEWPARAM(CommandOf("ToolButton5"), 0), 0);
    const bool ended = ::WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0;
    Check(ended, "Exit button ends the program");
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    if (ended) CheckEq(static_cast<int>(exitCode), 0, "exit code");
    if (!ended) ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
