// The sound window TfrmSound: the sound hardware in a few lines, the sound tests and the
// launchers of the system's sound settings and volume mixer. Made for one opening, shown modally
// and destroyed when it closes; everything is filled once, as it is made.
#pragma once

#include "platform/launcher.h"
#include "platform/sound_system.h"
#include "ui/dialogs.h"
#include "ui/form.h"

namespace brimlow {

class TfrmSound : public ui::Form {
public:
    TfrmSound();
    // The sound hardware, the launcher and the open dialog tests hand in; not owned. An empty
    // dialog takes the system's.
    TfrmSound(SoundSystem& sound, Launcher& launcher, ui::OpenDialog openDialog = nullptr);

    void BitBtn1Click();
    void BitBtn2Click();
    void Button1Click();
    void Button2Click();
    void SpeedButton1Click();
    void BitBtn3Click();
    void BitBtn4Click();

protected:
    void FormCreate() override;

private:
    SoundSystem& sound_;
    Launcher& launcher_;
    ui::OpenDialog openDialog_;
};

}  // namespace brimlow
