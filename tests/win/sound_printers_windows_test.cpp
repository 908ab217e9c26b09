// The sound window over a scripted sound system (nothing sounds, nothing starts) and over Wine's
// own, and the printers window over no printer, the test printers and scripted paper-bin answers.
#include "devices/TfrmPrinters.h"
#include "devices/TfrmSound.h"
#include "devices/printer_text.h"
#include "devices/sound_text.h"
#include "tests/win/recording_launcher.h"
#include "tests/win/win_test_support.h"
#include "ui/application.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <map>
#include <stdexcept>

namespace brimlow {
namespace {

class ScriptedSound : public SoundSystem {
public:
    unsigned waveOuts = 0;
    unsigned mixers = 0;
    std::optional<WaveOutDevice> device;
    bool deviceRaises = false;
    // What would have sounded, in order: "beep <type>", "play <sound> <flags>", "tone <f> <d>".
    std::vector<std::string> sounded;

    unsigned WaveOutCount() override { return waveOuts; }
    unsigned MixerCount() override { return mixers; }
    std::optional<WaveOutDevice> WaveOut(unsigned) override {
        if (deviceRaises) throw std::runtime_error("the driver failed");
        return device;
    }
    bool MessageBeep(unsigned type) override {
        sounded.push_back("beep " + std::to_string(type));
        return true;
    }
    bool Play(const std::string& sound, unsigned flags) override {
        sounded.push_back("play " + sound + " " + std::to_string(flags));
        return true;
    }
    bool Beep(std::uint32_t frequency, std::uint32_t duration) override {
        sounded.push_back("tone " + std::to_string(frequency) + " " + std::to_string(duration));
        return true;
    }
};

class SoundWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ReportedErrors().clear();
        testing::ShownMessages().clear();
    }
    std::unique_ptr<TfrmSound> Make(ui::OpenDialog dialog = [](const ui::SaveDialogRequest&) {
        return std::optional<std::string>();
    }) {
        auto window = std::make_unique<TfrmSound>(sound, launcher, std::move(dialog));
        window->Create();
        return window;
    }
    void Press(ui::Form& window, const char* button) {
        ui::Application::Instance().Guard([&] { window.Click(button); });
    }
    ScriptedSound sound;
    testing::RecordingLauncher launcher;
};

TEST_F(SoundWindow, HardwareLinesWithoutAndWithAWaveOutDevice) {
    {
        const auto window = Make();
        EXPECT_EQ(window->Caption(), "Sound");
        EXPECT_EQ(window->Text("Info6"), "Not detected");
        EXPECT_EQ(window->Text("info4"), "");
        EXPECT_EQ(window->Text("Info5"), "0");
    }
    sound.waveOuts = 2;
    sound.mixers = 0x101;
    sound.device = WaveOutDevice{"Speakers (Onboard Audio)", 0x0603};
    {
        const auto window = Make();
        EXPECT_EQ(window->Text("Info6"), "Speakers (Onboard Audio)");
        EXPECT_EQ(window->Text("info4"), "6.3");
        EXPECT_EQ(window->Text("Info5"), "1");
    }
    // A device that fails to describe itself leaves both its lines empty.
    sound.deviceRaises = true;
    const auto window = Make();
    EXPECT_EQ(window->Text("Info6"), "");
    EXPECT_EQ(window->Text("info4"), "");
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_TRUE(sound.sounded.empty()) << "making the window sounds nothing";
}

TEST_F(SoundWindow, EventListIsTheUserKeysSubkeysInRegistryOrder) {
    testing::ScratchUserKey user;
    {
        const auto window = Make();
        EXPECT_EQ(window->ItemCount("ListBox1"), 0) << "no EventLabels key: an empty list";
    }
    for (const char* name : {".Default", "SystemAsterisk", "MailBeep", "AppGPFault"})
        user.CreateKey((std::string(kEventLabelsKey) + "\\" + name).c_str());
    user.SetString(kEventLabelsKey, "NotAnEvent", "values are not listed");
    std::vector<std::string> expected;
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kEventLabelsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof name;
            if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            expected.push_back(name);
        }
        ::RegCloseKey(key);
    }
    ASSERT_EQ(expected.size(), 4u);
    const auto window = Make();
    EXPECT_EQ(window->Items("ListBox1"), expected);

    // "Play" needs a selection; then the event's name is played as a system sound alias.
    Press(*window, "Button2");
    EXPECT_EQ(testing::ShownMessages(), std::vector<std::string>{"Select an item from the list"});
    EXPECT_TRUE(sound.sounded.empty());
    window->SetItemIndex("ListBox1", 1);
    Press(*window, "Button2");
    EXPECT_EQ(sound.sounded, std::vector<std::string>{"play " + expected[1] + " 65537"});
}

TEST_F(SoundWindow, ToneTakesWholeNumbersAndABadEntryPlaysNothing) {
    const auto window = Make();
    EXPECT_EQ(window->Text("Edit1"), "1000");
    EXPECT_EQ(window->Text("Edit2"), "1000");
    Press(*window, "SpeedButton1");
    window->SetText("Edit1", "440");
    window->SetText("Edit2", "$64");
    Press(*window, "SpeedButton1");
    EXPECT_EQ(sound.sounded, (std::vector<std::string>{"tone 1000 1000", "tone 440 100"}));
    sound.sounded.clear();
    // The duration is read before anything sounds, so a bad duration stops a good frequency too.
    for (const auto& [frequency, duration, bad] : {std::tuple{"abc", "1000", "abc"}, std::tuple{"500", "1.5", "1.5"}}) {
        testing::ReportedErrors().clear();
        window->SetText("Edit1", frequency);
        window->SetText("Edit2", duration);
        Press(*window, "SpeedButton1");
        EXPECT_EQ(testing::ReportedErrors(), std::vector<std::string>{std::string("'") + bad + "' is not a valid integer value"});
    }
    EXPECT_TRUE(sound.sounded.empty());
}

TEST_F(SoundWindow, TestsAndLaunchersGoThroughTheirSeams) {
    std::vector<std::string> filters;
    bool chooses = false;
    const auto window = Make([&](const ui::SaveDialogRequest& request) {
        filters.push_back(request.filter);
        return chooses ? std::optional<std::string>("C:\\windows\\media\\ding.wav") : std::nullopt;
    });
    Press(*window, "BitBtn1");
    Press(*window, "BitBtn2");  // cancelled: nothing played
    chooses = true;
    Press(*window, "BitBtn2");
    Press(*window, "Button1");
    EXPECT_EQ(sound.sounded, (std::vector<std::string>{"beep 0", "play C:\\windows\\media\\ding.wav 1", "tone 500 1000",
                                                       "tone 700 1000", "tone 900 1000"}));
    EXPECT_EQ(filters, (std::vector<std::string>{"WAV Sound File|*.WAV", "WAV Sound File|*.WAV"}));
    Press(*window, "BitBtn3");
    Press(*window, "BitBtn4");
    ASSERT_EQ(launcher.calls.size(), 2u);
    EXPECT_EQ(launcher.calls[0].what, "run");
    EXPECT_EQ(launcher.calls[0].file, "rundll32.exe shell32.dll, Control_RunDLL Mmsys.cpl");
    EXPECT_EQ(launcher.calls[0].show, ShowCommand::Normal);
    EXPECT_EQ(launcher.calls[1].file, "sndvol32.exe");
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

// Wine has no wave-out device and no mixer, and beeps.
TEST(SoundWindowWine, WinesSoundSystem) {
    testing::RecordingLauncher launcher;
    TfrmSound window(SystemSoundSystem(), launcher);
    window.Create();
    EXPECT_EQ(window.Text("Info6"), "Not detected");
    EXPECT_EQ(window.Text("info4"), "");
    EXPECT_EQ(window.Text("Info5"), "0");
    EXPECT_EQ(window.Text("Info7"), "Present");
    EXPECT_TRUE(SystemSoundSystem().Beep(750, 10));
}

// DC_BINNAMES and DC_BINS answers per printer name: counts first, then the entries.
class ScriptedBins : public win::PrinterCapabilities {
public:
    struct Answer {
        int names = 0, bins = 0;
        std::vector<std::string> binNames;
        std::vector<std::uint16_t> numbers;
    };
    std::map<std::string, Answer> answers;
    int Query(const std::string& device, const std::string&, std::uint16_t capability, void* output) override {
        const auto found = answers.find(device);
        if (found == answers.end()) return 0;
        const Answer& a = found->second;
        if (capability == DC_BINNAMES) {
            if (output)
                for (std::size_t i = 0; i < a.binNames.size(); ++i)
                    std::strncpy(static_cast<char*>(output) + i * kBinNameLength, a.binNames[i].c_str(), kBinNameLength);
            return a.names;
        }
        if (capability == DC_BINS) {
            if (output) std::copy(a.numbers.begin(), a.numbers.end(), static_cast<std::uint16_t*>(output));
            return a.bins;
        }
        return -1;
    }
};

std::vector<std::string> SpoolerPrinterNames() {
    std::vector<std::string> names;
    for (const win::InstalledPrinter& p : win::Printer::Instance().Printers()) names.push_back(p.name);
    return names;
}

class PrintersWindow : public ::testing::Test {
protected:
    void SetUp() override { testing::ReportedErrors().clear(); }
    void TearDown() override { win::Printer::Instance().Refresh(); }
    std::unique_ptr<TfrmPrinters> Make() {
        auto window = std::make_unique<TfrmPrinters>(win::Printer::Instance(), bins);
        window->Create();
        return window;
    }
    int Select(TfrmPrinters& window, const std::string& name) {
        const auto items = window.Items("combobox1");
        const auto at = std::find(items.begin(), items.end(), name);
        if (at == items.end()) return -1;
        const int index = static_cast<int>(at - items.begin());
        window.SetItemIndex("combobox1", index);
        ui::Application::Instance().Guard([&] { window.combobox1Change(); });
        return index;
    }
    ScriptedBins bins;
};

TEST_F(PrintersWindow, TheComboListsTheSpoolersPrintersAndTheDriverDirectory) {
    win::Printer::Instance().Refresh();
    const auto installed = SpoolerPrinterNames();
    const auto window = Make();
    window->Click("Refresh1");
    EXPECT_EQ(window->Caption(), "Printers");
    EXPECT_EQ(window->Items("combobox1"), installed) << "with no printer installed the list stays empty";
    EXPECT_EQ(window->ItemIndex("combobox1"), installed.empty() ? -1 : 0);
    char directory[MAX_PATH] = {};
    DWORD needed = 0;
    ASSERT_TRUE(::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory), sizeof directory,
                                             &needed));
    EXPECT_EQ(window->Text("Info3"), directory);
    EXPECT_TRUE(testing::ReportedErrors().empty());
}

TEST_F(PrintersWindow, APrinterWithADeviceContextShowsItsCapabilities) {
    testing::TestPrinter printer;
    if (!printer.installed()) GTEST_SKIP() << "no test printer on this system";
    const auto window = Make();
    window->Click("Refresh1");
    ASSERT_GE(Select(*window, testing::TestPrinter::kName), 0);
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(win::Printer::Instance().Current().name, testing::TestPrinter::kName) << "the window chooses the printer";
    EXPECT_EQ(window->Text("Info4"), "IDLE");
    EXPECT_EQ(window->Text("Info12"), win::Printer::Instance().Current().port);
    EXPECT_EQ(window->Text("info13"), std::string("Printer ") + testing::TestPrinter::kName + " does support Postscript");
    EXPECT_EQ(window->Text("Info6"), "RASTER PRINTER");
    EXPECT_EQ(window->Text("Info7"), "PORTRAIT");
    for (const char* field : {"Info8", "Info9"}) EXPECT_NE(window->Text(field).find(" mm  /  "), std::string::npos) << field;
    EXPECT_TRUE(window->Text("Edit15").ends_with(" DPI"));
    EXPECT_TRUE(window->Text("Info10").ends_with(" "));
    const std::string fonts = window->Text("Info5");
    EXPECT_FALSE(fonts.empty());
    EXPECT_TRUE(std::all_of(fonts.begin(), fonts.end(), [](char c) { return c >= '0' && c <= '9'; }))
        << "the number of fonts in decimal: " << fonts;
    for (const char* field : {"Info8", "Info9", "Info10", "Info11", "Edit15", "Edit16", "Info5"})
        std::cout << "[printer] " << field << " = " << window->Text(field) << "\n";
    for (const char* field : {"Edit8", "Edit18", "Edit11", "Edit13", "Edit20"}) {
        std::cout << "[printer] " << field << " = " << window->Text(field) << "\n";
        EXPECT_FALSE(window->Text(field).empty()) << field;
    }
}

TEST_F(PrintersWindow, PaperBinsAndTheirCountsThatDisagree) {
    testing::TestPrinter printer;
    if (!printer.installed()) GTEST_SKIP() << "no test printer on this system";
    const auto window = Make();
    window->Click("Refresh1");
    bins.answers[testing::TestPrinter::kName] = {2, 2, {"Upper tray", "Manual feed"}, {1, 4}};
    ASSERT_GE(Select(*window, testing::TestPrinter::kName), 0);
    EXPECT_EQ(window->Items("ListBox1"), (std::vector<std::string>{"Upper tray", "Manual feed"}));
    EXPECT_EQ(window->ItemNumber("ListBox1", 1), 4);

    bins.answers[testing::TestPrinter::kName] = {2, 3, {"Upper tray", "Manual feed"}, {1, 4, 7}};
    Select(*window, testing::TestPrinter::kName);
    EXPECT_EQ(testing::ReportedErrors(), std::vector<std::string>{kBinCountsDiffer});

    // A printer without bins shows none rather than the last printer's.
    testing::ReportedErrors().clear();
    bins.answers[testing::TestPrinter::kName] = {0, 0, {}, {}};
    Select(*window, testing::TestPrinter::kName);
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(window->ItemCount("ListBox1"), 0);
}

// A printer the spooler lists from its registry key alone: without a driver it has no device
// context. The key goes again with the object.
class RegistryOnlyPrinter {
public:
    static constexpr const char* kName = "Brimlow Registry Printer";
    RegistryOnlyPrinter() {
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, Path().c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        const auto text = [&](const char* name, const char* value) {
            ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(std::strlen(value) + 1));
        };
        text("Name", kName);
        text("Port", "LPT3:");
        text("Printer Driver", "No Such Driver");
        text("Datatype", "RAW");
        text("Print Processor", "WinPrint");
        const DWORD attributes = PRINTER_ATTRIBUTE_LOCAL;
        ::RegSetValueExA(key, "Attributes", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&attributes), sizeof attributes);
        ::RegCloseKey(key);
        made_ = true;
    }
    ~RegistryOnlyPrinter() {
        if (made_) ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, Path().c_str());
    }
    RegistryOnlyPrinter(const RegistryOnlyPrinter&) = delete;
    RegistryOnlyPrinter& operator=(const RegistryOnlyPrinter&) = delete;

private:
    static std::string Path() { return std::string("System\\CurrentControlSet\\Control\\Print\\Printers\\") + kName; }
    bool made_ = false;
};

TEST_F(PrintersWindow, TwoPrintersAndOneWithoutADeviceContext) {
    testing::TestPrinter withDriver;
    if (!withDriver.installed()) GTEST_SKIP() << "no test printer on this system";
    RegistryOnlyPrinter withoutDriver;
    const auto window = Make();
    window->Click("Refresh1");
    const auto items = window->Items("combobox1");
    EXPECT_EQ(items, SpoolerPrinterNames());
    const int a = Select(*window, testing::TestPrinter::kName);
    ASSERT_GE(a, 0);
    EXPECT_EQ(window->Text("Info6"), "RASTER PRINTER");
    const int b = Select(*window, RegistryOnlyPrinter::kName);
    if (b < 0) GTEST_SKIP() << "the spooler did not list the registry printer: " << ::testing::PrintToString(items);
    EXPECT_NE(a, b);
    EXPECT_TRUE(testing::ReportedErrors().empty());
    EXPECT_EQ(window->Text("Info12"), "LPT3:");
    EXPECT_EQ(window->Text("info13"), std::string("Printer ") + RegistryOnlyPrinter::kName + " does not support Postscript");
    // Its capabilities cannot be read: the default printer becomes the current one, and the rows
    // are empty rather than the other printer's.
    EXPECT_EQ(win::Printer::Instance().PrinterIndex(), a) << "the test printer is the default one";
    for (const char* field : {"Info6", "Info7", "Edit15", "Info5"}) EXPECT_EQ(window->Text(field), "") << field;
}

}  // namespace
}  // namespace brimlow
