// Helpers shared by the Windows tests.
#pragma once

#include "cpu/cpu_load.h"
#include "platform/list_report_win.h"
#include "platform/win_handles.h"
#include "ui/bitmap.h"

#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brimlow::testing {

// Texts the default error handler would have shown, in order.
std::vector<std::string>& ReportedErrors();
// Texts of the information boxes the program would have shown, in order.
std::vector<std::string>& ShownMessages();

// Load readings handed out in order, for the two load displays; nullopt stands for a refused query.
class ScriptedLoadSource : public cpu::LoadSampleSource {
public:
    static constexpr std::uint32_t kSecond = 10'000'000;  // 100-ns units
    std::deque<std::optional<cpu::RawLoadSample>> script;
    std::optional<cpu::RawLoadSample> Read() override;
    // A reading `seconds` after the start with `idle` seconds of idle time on `processors`.
    void Add(double seconds, double idle, std::uint8_t processors = 2);
    void Refuse() { script.push_back(std::nullopt); }
};

// The load label's text for a value, with the separator the system gives this user: "43.5 %".
std::string LoadText(const char* whole, const char* tenth);

// A window's text as the system holds it (access-key marks included), of any length.
std::string WindowText(HWND window);

// What a control paints of its client area, painted into a memory picture of the same size, as
// printing it would (WM_PRINTCLIENT): no screen needed, and nothing else drawn over it.
std::unique_ptr<ui::Bitmap> PaintedClient(HWND control);

// Redirects a predefined key of this process (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER) to an empty
// scratch key under the real HKCU for the lifetime of the object, so readers see exactly the
// fixture the test writes.
class ScratchRootKey {
public:
    ScratchRootKey(HKEY redirected, const char* scratchName);
    ~ScratchRootKey();
    ScratchRootKey(const ScratchRootKey&) = delete;
    ScratchRootKey& operator=(const ScratchRootKey&) = delete;

    // Creates the key path below the scratch root and sets a value of any type.
    void Set(const char* path, const char* name, DWORD type, const void* data, DWORD size);
    void SetString(const char* path, const char* name, const std::string& value);
    void SetDword(const char* path, const char* name, DWORD value);
    void CreateKey(const char* path);

private:
    HKEY redirected_;
    std::string name_;
    win::RegKey parent_;  // the real HKCU key the scratch keys live in, whatever is redirected
    win::RegKey scratch_;
};

// A printer of the test's own on Wine's PostScript driver, made the default printer while the object
// lives. Its port is a file, so whatever is printed on it can be read back as PostScript. The
// driver, the printer and the files go again with the object.
class TestPrinter {
public:
    TestPrinter();
    ~TestPrinter();
    TestPrinter(const TestPrinter&) = delete;
    TestPrinter& operator=(const TestPrinter&) = delete;

    static constexpr const char* kName = "Brimlow Test Printer";
    bool installed() const { return installed_; }
    const std::string& portFile() const { return portFile_; }
    // What reached the port so far; empty when nothing was printed.
    std::string Printed() const;
    void ForgetPrinted() const;
    // The page count the PostScript trailer gives; -1 when nothing was printed.
    int PrintedPages() const;

private:
    bool installed_ = false;
    std::string driverFile_;
    std::string portFile_;
};

// A print dialog that hands out the named printer (in landscape unless told otherwise), or is
// cancelled.
class FixturePrintDialog : public win::PrintDialog {
public:
    explicit FixturePrintDialog(std::string device) : device_(std::move(device)) {}
    bool cancel = false;
    int shown = 0;
    win::PaperOrientation orientation = win::PaperOrientation::Landscape;
    win::DeviceContext Execute(HWND) override {
        ++shown;
        if (cancel) return {};
        return win::CreatePrinterContext(device_, 1, orientation);
    }

private:
    std::string device_;
};

// Answers every dialog box this thread opens while the object lives by pressing `button` (IDOK,
// IDCANCEL), and remembers their titles: modal dialogs can then run inside a test.
class DialogAnswerer {
public:
    explicit DialogAnswerer(int button);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;
    const std::vector<std::string>& titles() const { return titles_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_ = nullptr;
    int button_;
    std::vector<std::string> titles_;
};

class ScratchMachineKey : public ScratchRootKey {
public:
    ScratchMachineKey() : ScratchRootKey(HKEY_LOCAL_MACHINE, "Machine") {}
};

class ScratchUserKey : public ScratchRootKey {
public:
    ScratchUserKey() : ScratchRootKey(HKEY_CURRENT_USER, "User") {}
};

// A real key under HKEY_LOCAL_MACHINE\HARDWARE (volatile: Wine rebuilds it at every start, so a
// fixture must be written by the process that reads it). Takes the key's values away for the
// lifetime of the object, lets the test write its own, and puts the old ones back.
class HardwareKeyFixture {
public:
    explicit HardwareKeyFixture(const char* path);
    ~HardwareKeyFixture();
    HardwareKeyFixture(const HardwareKeyFixture&) = delete;
    HardwareKeyFixture& operator=(const HardwareKeyFixture&) = delete;

    void Set(const char* name, DWORD type, const void* data, DWORD size);
    void SetString(const char* name, const std::string& value);

private:
    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    void RemoveAll();
    win::RegKey key_;
    std::vector<Value> saved_;
    bool created_ = false;
    std::string path_;
};

}  // namespace brimlow::testing
