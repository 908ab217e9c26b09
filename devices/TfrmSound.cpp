#include "devices/TfrmSound.h"

#include "app/product.h"
#include "devices/sound_text.h"
#include "forms/sound_form.h"
#include "platform/win_registry.h"
#include "ui/application.h"

#include <windows.h>

namespace brimlow {

TfrmSound::TfrmSound() : TfrmSound(SystemSoundSystem(), SystemLauncher()) {}

TfrmSound::TfrmSound(SoundSystem& sound, Launcher& launcher, ui::OpenDialog openDialog)
    : ui::Form(forms::SoundFormLayout()),
      sound_(sound),
      launcher_(launcher),
      openDialog_(openDialog ? std::move(openDialog) : ui::OpenDialog(ui::RunOpenDialog)) {}

void TfrmSound::FormCreate() {
    OnClick("BitBtn1", [this] { BitBtn1Click(); });
    OnClick("BitBtn2", [this] { BitBtn2Click(); });
    OnClick("Button1", [this] { Button1Click(); });
    OnClick("Button2", [this] { Button2Click(); });
    OnClick("SpeedButton1", [this] { SpeedButton1Click(); });
    OnClick("BitBtn3", [this] { BitBtn3Click(); });
    OnClick("BitBtn4", [this] { BitBtn4Click(); });
    OnClick("Exit1", [this] { Close(); });
    OnClick("Label3", [this] { launcher_.ShellOpen("open", kHomePage, {}, {}, ShowCommand::Normal); });

    std::optional<WaveOutDevice> device;
    if (sound_.WaveOutCount() != 0) {
        try {
            device = sound_.WaveOut(0);
        } catch (...) {
        }
        SetText("Info6", device ? device->name : std::string());
    } else {
        SetText("Info6", kSoundNotDetected);
    }
    SetText("info4", device ? DriverVersionText(device->driverVersion) : std::string());
    SetText("Info5", MixerCountText(sound_.MixerCount()));

    ClearItems("ListBox1");
    if (const win::RegKey events = win::OpenKeyForRead(HKEY_CURRENT_USER, kEventLabelsKey))
        for (const std::string& name : win::SubKeyNames(events.get())) AddItem("ListBox1", name);

    int beep = 0;
    if (!::SystemParametersInfoA(SPI_GETBEEP, 0, &beep, 0)) beep = 0;
    SetText("Info7", SpeakerText(beep));
}

void TfrmSound::BitBtn1Click() { sound_.MessageBeep(0); }

void TfrmSound::BitBtn2Click() {
    const auto file = openDialog_({hwnd(), kWaveFileFilter, {}});
    if (file) sound_.Play(*file, kPlayAsync);
}

void TfrmSound::Button1Click() {
    // Every system this build runs on plays speaker tones through Beep.
    for (const std::uint32_t frequency : kSpeakerTestTones) sound_.Beep(frequency, kSpeakerTestDuration);
}

void TfrmSound::Button2Click() {
    const int selected = ItemIndex("ListBox1");
    if (selected < 0) {
        ui::Application::Instance().ShowMessage(kSelectEventMessage);
        return;
    }
    sound_.Play(ItemText("ListBox1", selected), kPlayAlias | kPlayAsync);
}

void TfrmSound::SpeedButton1Click() {
    // Both are read before anything sounds: a bad entry plays nothing.
    const std::int32_t frequency = IntegerFromText(Text("Edit1"));
    const std::int32_t duration = IntegerFromText(Text("Edit2"));
    sound_.Beep(static_cast<std::uint32_t>(frequency), static_cast<std::uint32_t>(duration));
}

void TfrmSound::BitBtn3Click() { launcher_.RunCommandLine(kSoundSettingsCommand, ShowCommand::Normal); }

void TfrmSound::BitBtn4Click() { launcher_.RunCommandLine(kVolumeMixerCommand, ShowCommand::Normal); }

}  // namespace brimlow
