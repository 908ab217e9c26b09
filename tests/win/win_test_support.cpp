#include "tests/win/win_test_support.h"

#include "cpu/cpu_load_win.h"

#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace brimlow::testing {
namespace {
constexpr const char* kScratchParent = "Software\\BrimlowTests";
}

std::optional<cpu::RawLoadSample> ScriptedLoadSource::Read() {
    if (script.empty()) return std::nullopt;
    auto next = script.front();
    script.pop_front();
    return next;
}

void ScriptedLoadSource::Add(double seconds, double idle, std::uint8_t processors) {
    script.push_back(cpu::RawLoadSample{processors,
                                        cpu::Time64{static_cast<std::uint32_t>(std::llround(seconds * kSecond)), 0},
                                        cpu::Time64{static_cast<std::uint32_t>(std::llround(idle * kSecond)), 0}});
}

std::string LoadText(const char* whole, const char* tenth) {
    return std::string(whole) + cpu::UserDecimalSeparator() + tenth + " %";
}

ScratchRootKey::ScratchRootKey(HKEY redirected, const char* scratchName) : redirected_(redirected), name_(scratchName) {
    HKEY parent = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kScratchParent, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &parent, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create the scratch parent key");
    parent_.reset(parent);
    ::RegDeleteTreeA(parent_.get(), name_.c_str());
    HKEY key = nullptr;
    if (::RegCreateKeyExA(parent_.get(), name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create the scratch key");
    scratch_.reset(key);
    if (::RegOverridePredefKey(redirected_, scratch_.get()) != ERROR_SUCCESS)
        throw std::runtime_error("cannot redirect a predefined key");
}

ScratchRootKey::~ScratchRootKey() {
    ::RegOverridePredefKey(redirected_, nullptr);
    scratch_.reset();
    ::RegDeleteTreeA(parent_.get(), name_.c_str());
}

std::unique_ptr<ui::Bitmap> PaintedClient(HWND control) {
    RECT rc{};
    ::GetClientRect(control, &rc);
    auto picture = std::make_unique<ui::Bitmap>(std::max<LONG>(rc.right, 1), std::max<LONG>(rc.bottom, 1));
    ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture->dc()), PRF_CLIENT | PRF_ERASEBKGND);
    return picture;
}

std::string WindowText(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    const int copied = ::GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

void ScratchRootKey::CreateKey(const char* path) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(scratch_.get(), path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot create ") + path);
    ::RegCloseKey(key);
}

void ScratchRootKey::Set(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(scratch_.get(), path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot create ") + path);
    const win::RegKey owned(key);
    if (::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot set ") + name);
}

void ScratchRootKey::SetString(const char* path, const char* name, const std::string& value) {
    Set(path, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void ScratchRootKey::SetDword(const char* path, const char* name, DWORD value) {
    Set(path, name, REG_DWORD, &value, sizeof value);
}

namespace {

constexpr const char* kTestDriver = "Brimlow Test PostScript";

// A colour PostScript printer at 300 dpi with one paper size, A4.
constexpr const char* kTestPpd =
    "*PPD-Adobe: \"4.3\"\r\n*FormatVersion: \"4.3\"\r\n*FileVersion: \"1.0\"\r\n*LanguageVersion: English\r\n"
    "*LanguageEncoding: ISOLatin1\r\n*PCFileName: \"BRIMLOW.PPD\"\r\n*Manufacturer: \"Brimlow\"\r\n"
    "*Product: \"(Brimlow Test)\"\r\n*ModelName: \"Brimlow Test\"\r\n*ShortNickName: \"Brimlow Test\"\r\n"
    "*NickName: \"Brimlow Test\"\r\n*PSVersion: \"(3010.000) 0\"\r\n*LanguageLevel: \"3\"\r\n*ColorDevice: True\r\n"
    "*DefaultColorSpace: RGB\r\n*FileSystem: False\r\n*Throughput: \"1\"\r\n*LandscapeOrientation: Plus90\r\n"
    "*TTRasterizer: Type42\r\n*DefaultResolution: 300dpi\r\n"
    "*OpenUI *PageSize: PickOne\r\n*DefaultPageSize: A4\r\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\r\n*CloseUI: *PageSize\r\n"
    "*OpenUI *PageRegion: PickOne\r\n*DefaultPageRegion: A4\r\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\r\n*CloseUI: *PageRegion\r\n"
    "*DefaultImageableArea: A4\r\n*ImageableArea A4/A4: \"18 18 577 824\"\r\n"
    "*DefaultPaperDimension: A4\r\n*PaperDimension A4/A4: \"595 842\"\r\n";

std::string TempDirectory() {
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    return dir;
}

void RemovePrinter() {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (::OpenPrinterA(const_cast<char*>(TestPrinter::kName), &printer, &access)) {
        ::DeletePrinter(printer);
        ::ClosePrinter(printer);
    }
    ::DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(kTestDriver));
}

DialogAnswerer* g_answerer = nullptr;

}  // namespace

TestPrinter::TestPrinter() {
    RemovePrinter();  // what an earlier run may have left
    char driverDir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(driverDir), sizeof driverDir,
                                      &needed))
        return;
    driverFile_ = std::string(driverDir) + "\\brimlow-test.ppd";
    std::ofstream(driverFile_, std::ios::binary) << kTestPpd;
    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, MAX_PATH);
    std::string driver = std::string(system) + "\\wineps.drv";
    DRIVER_INFO_3A info{};
    info.cVersion = 3;
    info.pName = const_cast<char*>(kTestDriver);
    info.pDriverPath = driver.data();
    info.pConfigFile = driver.data();
    info.pDataFile = driverFile_.data();
    info.pDefaultDataType = const_cast<char*>("RAW");
    if (!::AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES)) return;

    portFile_ = TempDirectory() + "brimlow-test-printer.ps";
    ForgetPrinted();
    PRINTER_INFO_2A printer{};
    printer.pPrinterName = const_cast<char*>(kName);
    printer.pPortName = portFile_.data();
    printer.pDriverName = const_cast<char*>(kTestDriver);
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    const HANDLE added = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (!added) return;
    ::ClosePrinter(added);
    installed_ = ::SetDefaultPrinterA(kName) != FALSE;
}

TestPrinter::~TestPrinter() {
    RemovePrinter();
    if (!driverFile_.empty()) ::DeleteFileA(driverFile_.c_str());
    ForgetPrinted();
}

std::string TestPrinter::Printed() const {
    std::ifstream in(portFile_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void TestPrinter::ForgetPrinted() const {
    if (!portFile_.empty()) ::DeleteFileA(portFile_.c_str());
}

int TestPrinter::PrintedPages() const {
    const std::string text = Printed();
    // "%%Pages: (atend)" in the header, the count in the trailer.
    const std::string tag = "%%Pages: ";
    int pages = -1;
    for (std::size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at + 1)) {
        const char* digits = text.c_str() + at + tag.size();
        if (*digits >= '0' && *digits <= '9') pages = std::atoi(digits);
    }
    return pages;
}

DialogAnswerer::DialogAnswerer(int button) : button_(button) {
    g_answerer = this;
    hook_ = ::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer() {
    if (hook_) ::UnhookWindowsHookEx(hook_);
    g_answerer = nullptr;
}

LRESULT CALLBACK DialogAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_answerer) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        char cls[64] = {};
        ::GetClassNameA(window, cls, sizeof cls);
        if (std::string(cls) == "#32770") {
            char title[256] = {};
            ::GetWindowTextA(window, title, sizeof title);
            g_answerer->titles_.push_back(title);
            ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(g_answerer->button_, BN_CLICKED), 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

HardwareKeyFixture::HardwareKeyFixture(const char* path) : path_(path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    // Keys below a volatile key must be volatile themselves.
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                          &disposition) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot open HKLM\\") + path + " for writing");
    key_.reset(key);
    created_ = disposition == REG_CREATED_NEW_KEY;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        DWORD type = 0, size = 0;
        if (::RegEnumValueA(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        Value value{std::string(name, nameLength), type, std::vector<BYTE>(size)};
        DWORD got = size;
        ::RegQueryValueExA(key, value.name.c_str(), nullptr, nullptr, value.data.data(), &got);
        value.data.resize(got);
        saved_.push_back(std::move(value));
    }
    RemoveAll();
}

HardwareKeyFixture::~HardwareKeyFixture() {
    RemoveAll();
    for (const Value& value : saved_)
        ::RegSetValueExA(key_.get(), value.name.c_str(), 0, value.type, value.data.data(),
                         static_cast<DWORD>(value.data.size()));
    key_.reset();
    if (created_) ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, path_.c_str());
}

void HardwareKeyFixture::RemoveAll() {
    for (;;) {
        char name[16384];
        DWORD nameLength = sizeof name;
        if (::RegEnumValueA(key_.get(), 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (::RegDeleteValueA(key_.get(), name) != ERROR_SUCCESS) break;
    }
}

void HardwareKeyFixture::Set(const char* name, DWORD type, const void* data, DWORD size) {
    if (::RegSetValueExA(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot set ") + name);
}

void HardwareKeyFixture::SetString(const char* name, const std::string& value) {
    Set(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

}  // namespace brimlow::testing
