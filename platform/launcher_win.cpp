#include "platform/launcher.h"

#include "platform/abi.h"
#include "platform/win_com.h"

#include <windows.h>
#include <shellapi.h>
#include <mmsystem.h>
#include <objbase.h>

namespace brimlow {
namespace {

static_assert(static_cast<int>(ShowCommand::Hide) == SW_HIDE);
static_assert(static_cast<int>(ShowCommand::Normal) == SW_SHOWNORMAL);
static_assert(static_cast<int>(ShowCommand::Minimized) == SW_SHOWMINIMIZED);
static_assert(static_cast<int>(ShowCommand::Maximized) == SW_SHOWMAXIMIZED);
static_assert(static_cast<int>(ShowCommand::NoActivate) == SW_SHOWNOACTIVATE);
static_assert(static_cast<int>(ShowCommand::Show) == SW_SHOW);
static_assert(kMicrophoneComponent == MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
static_assert(kMuteControl == MIXERCONTROL_CONTROLTYPE_MUTE);

// The mixer records the mute steps hand over, packed to bytes as the multimedia headers declare
// them; the pointer-sized fields make the x86_64 ones longer.
BRIMLOW_PIN_SIZE(MIXERLINEA, 168, 172);
BRIMLOW_PIN_SIZE(MIXERLINECONTROLSA, 24, 28);
BRIMLOW_PIN_SIZE(MIXERCONTROLA, 148, 148);
BRIMLOW_PIN_SIZE(MIXERCONTROLDETAILS, 24, 32);

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

class WinMixer : public MixerDevice {
public:
    ~WinMixer() override { Close(); }
    unsigned DeviceCount() override { return ::mixerGetNumDevs(); }
    bool Open(unsigned device) override {
        Close();
        return ::mixerOpen(&mixer_, device, 0, 0, 0) == MMSYSERR_NOERROR;
    }
    std::optional<std::uint32_t> LineOfComponent(std::uint32_t componentType) override {
        MIXERLINEA line{};
        line.cbStruct = sizeof line;
        line.dwComponentType = componentType;
        if (::mixerGetLineInfoA(Handle(), &line, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) return std::nullopt;
        return line.dwLineID;
    }
    std::optional<std::uint32_t> ControlOfType(std::uint32_t line, std::uint32_t controlType) override {
        MIXERCONTROLA control{};
        control.cbStruct = sizeof control;
        MIXERLINECONTROLSA controls{};
        controls.cbStruct = sizeof controls;
        controls.dwLineID = line;
        controls.dwControlType = controlType;
        controls.cControls = 1;
        controls.cbmxctrl = sizeof control;
        controls.pamxctrl = &control;
        if (::mixerGetLineControlsA(Handle(), &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR)
            return std::nullopt;
        return control.dwControlID;
    }
    bool SetControlValue(std::uint32_t control, std::uint32_t value) override {
        MIXERCONTROLDETAILS_BOOLEAN state{static_cast<LONG>(value)};
        static_assert(sizeof state == 4);
        MIXERCONTROLDETAILS details{};
        details.cbStruct = sizeof details;
        details.dwControlID = control;
        details.cChannels = 1;
        details.cbDetails = sizeof state;
        details.paDetails = &state;
        return ::mixerSetControlDetails(Handle(), &details, MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
    }
    void Close() override {
        if (mixer_) ::mixerClose(mixer_);
        mixer_ = nullptr;
    }

private:
    HMIXEROBJ Handle() const { return reinterpret_cast<HMIXEROBJ>(mixer_); }
    HMIXER mixer_ = nullptr;
};

class ShellLauncher : public Launcher {
public:
    std::intptr_t ShellOpenWithOwner(std::uintptr_t owner, const std::string& verb, const std::string& file,
                                     const std::string& parameters, const std::string& directory,
                                     ShowCommand show) override {
        return reinterpret_cast<std::intptr_t>(::ShellExecuteA(reinterpret_cast<HWND>(owner), OrNull(verb),
                                                                file.c_str(), OrNull(parameters), OrNull(directory),
                                                                static_cast<int>(show)));
    }
    unsigned RunCommandLine(const std::string& commandLine, ShowCommand show) override {
        return ::WinExec(commandLine.c_str(), static_cast<UINT>(show));
    }
    unsigned SendMciString(const std::string& command, std::uintptr_t callbackWindow) override {
        return ::mciSendStringA(command.c_str(), nullptr, 0, reinterpret_cast<HWND>(callbackWindow));
    }
    void CallShellObject(const std::string& method) override {
        CLSID shell{};
        win::Check(::CLSIDFromProgID(L"Shell.Application", &shell));
        win::ComPtr<IDispatch> object;
        win::Check(::CoCreateInstance(shell, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                      object.put_void()));
        const std::wstring name(method.begin(), method.end());
        win::CallMember(object.get(), name, DISPATCH_METHOD);
    }
    bool SetSystemParameter(unsigned action, unsigned value, unsigned flags) override {
        return ::SystemParametersInfoA(action, value, nullptr, flags) != FALSE;
    }
    std::intptr_t SendWindowMessage(std::uintptr_t window, unsigned message, std::uintptr_t wParam,
                                    std::intptr_t lParam) override {
        return ::SendMessageA(reinterpret_cast<HWND>(window), message, wParam, lParam);
    }
    bool ShowTopLevelWindow(const std::string& className, ShowCommand show) override {
        const HWND window = ::FindWindowA(className.c_str(), nullptr);
        if (!window) return false;
        ::ShowWindow(window, static_cast<int>(show));
        return true;
    }
    MuteOutcome SetMicrophoneMute(std::uint32_t mute) override {
        WinMixer mixer;
        return brimlow::SetMicrophoneMute(mixer, mute);
    }
};

}  // namespace

Launcher& SystemLauncher() {
    static ShellLauncher launcher;
    return launcher;
}

}  // namespace brimlow
