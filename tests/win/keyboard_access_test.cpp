// What a keyboard and a screen reader get from the form runtime: access keys chosen for buttons
// and field labels, Alt and the letter pressing or moving there, and each value control's
// accessible name read from the caption of its row.
#include "forms/about_forms.h"
#include "forms/main_form.h"
#include "forms/sound_form.h"
#include "platform/win_com.h"
#include "tests/win/win_test_support.h"
#include "ui/form.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>

namespace brimlow {
namespace {

// The text with its marks, as the control holds it.
std::string RawText(HWND window) { return testing::WindowText(window); }

MSG AltKey(HWND window, char key) { return MSG{window, WM_SYSKEYDOWN, static_cast<WPARAM>(key), 1 << 29, 0, {}}; }

TEST(AccessKeys, ButtonsAndFieldLabelsShowTheirKeysAndTheTextsStayAsWritten) {
    ui::Form admin(forms::AdminFormLayout());
    admin.Create();
    EXPECT_EQ(RawText(admin.Control("OKButton")), "&OK");
    EXPECT_EQ(RawText(admin.Control("CancelButton")), "&Cancel");
    EXPECT_EQ(RawText(admin.Control("Label2")), "&Username");
    EXPECT_EQ(RawText(admin.Control("Label1")), "&Password");
    EXPECT_EQ(admin.Text("OKButton"), "OK");
    EXPECT_EQ(admin.Text("Label2"), "Username");
    // A label that names no field, and a field's own text, keep no mark.
    EXPECT_EQ(RawText(admin.Control("Edit1")), "Administrator");
    EXPECT_EQ(admin.Text("Memo1"), RawText(admin.Control("Memo1")));

    // The sound window's File menu keeps F to itself; no two of its controls share a letter.
    ui::Form sound(forms::SoundFormLayout());
    sound.Create();
    std::string keys;
    for (const ui::ControlLayout& control : forms::SoundFormLayout().controls) {
        const std::string shown = RawText(sound.Control(control.name));
        if (shown == control.text) continue;
        EXPECT_EQ(sound.Text(control.name), control.text);
        const std::size_t mark = shown.find('&');
        ASSERT_NE(mark, std::string::npos) << shown;
        const char key = static_cast<char>(::toupper(static_cast<unsigned char>(shown[mark + 1])));
        EXPECT_EQ(keys.find(key), std::string::npos) << shown << " repeats a key of " << keys;
        EXPECT_NE(key, 'F') << shown;
        keys += key;
    }
    // Seven buttons and two field labels; every letter of "Test" is taken by the buttons before it.
    EXPECT_EQ(keys, "SPTLEMRD");
    EXPECT_EQ(RawText(sound.Control("SpeedButton1")), "Test");

    // A text set later keeps the control's letter where the new text has it.
    sound.SetText("Button2", "Replay");
    EXPECT_EQ(RawText(sound.Control("Button2")), "Rep&lay");
    EXPECT_EQ(sound.Text("Button2"), "Replay");
}

TEST(AccessKeys, AButtonLeftWithoutAKeyShowsItsOwnAmpersandAsText) {
    ui::FormLayout layout;
    layout.className = "TfrmKeysTest";
    layout.clientWidth = 200;
    layout.clientHeight = 110;
    for (const char* caption : {"Ab", "Ba", "B & A"}) {
        ui::ControlLayout button;
        button.name = std::string("Button") + std::to_string(layout.controls.size() + 1);
        button.kind = ui::ControlKind::Button;
        button.text = caption;
        button.rect = {8, 8 + 30 * static_cast<int>(layout.controls.size()), 80, 25};
        layout.controls.push_back(button);
    }
    ui::Form form(layout);
    form.Create();
    EXPECT_EQ(RawText(form.Control("Button1")), "&Ab");
    EXPECT_EQ(RawText(form.Control("Button2")), "&Ba");
    // Its letters are taken: no key, and "&&" so the system shows the "&" it has.
    EXPECT_EQ(RawText(form.Control("Button3")), "B && A");
    EXPECT_EQ(form.Text("Button3"), "B & A");
    form.SetText("Button3", "C & D");
    EXPECT_EQ(RawText(form.Control("Button3")), "C && D");
    EXPECT_EQ(form.Text("Button3"), "C & D");
}

class PressForm : public ui::Form {
public:
    PressForm() : ui::Form(forms::AdminFormLayout()) {}
    int presses = 0;

protected:
    void FormCreate() override {
        OnClick("CancelButton", [this] { ++presses; });
    }
};

TEST(AccessKeys, AltAndTheLetterPressesTheButtonOrMovesToTheNamedField) {
    PressForm admin;
    admin.Create();
    admin.Show();
    ::SetForegroundWindow(admin.hwnd());
    MSG password = AltKey(admin.hwnd(), 'P');
    EXPECT_TRUE(admin.TranslateShortcut(password));
    EXPECT_EQ(::GetFocus(), admin.Control("Edit2"));
    MSG user = AltKey(admin.Control("Edit2"), 'U');
    EXPECT_TRUE(admin.TranslateShortcut(user));
    EXPECT_EQ(::GetFocus(), admin.Control("Edit1"));
    DWORD from = 1, to = 0;
    ::SendMessageA(admin.Control("Edit1"), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, std::string("Administrator").size()) << "the field's text is selected for typing over";

    MSG cancel = AltKey(admin.hwnd(), 'C');
    EXPECT_TRUE(admin.TranslateShortcut(cancel));
    EXPECT_EQ(admin.presses, 1);
    // A letter nobody has, and Ctrl with Alt, go on to the system.
    MSG none = AltKey(admin.hwnd(), 'Z');
    EXPECT_FALSE(admin.TranslateShortcut(none));
    admin.SetEnabled("CancelButton", false);
    MSG disabled = AltKey(admin.hwnd(), 'C');
    EXPECT_FALSE(admin.TranslateShortcut(disabled));
    EXPECT_EQ(admin.presses, 1);
    admin.Hide();
}

win::ComPtr<IAccessible> AccessibleOf(HWND control) {
    win::ComPtr<IAccessible> object;
    EXPECT_EQ(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                           object.put_void()),
              S_OK);
    return object;
}

std::wstring Read(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR*)) {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    win::Bstr text;
    if (FAILED((object->*property)(self, text.put())) || !text.get()) return L"(none)";
    return text.get();
}

TEST(AccessibleNames, EveryRowValueIsNamedByItsCaptionAndReadsItsText) {
    ui::Form main(forms::MainFormLayout());
    main.Create();
    main.SetText("Info8", "16384 MB");
    for (int n = 1; n <= 28; ++n) {
        const std::string value = "Info" + std::to_string(n);
        win::ComPtr<IAccessible> object = AccessibleOf(main.Control(value));
        ASSERT_TRUE(object);
        const std::string caption = main.Text("Desc" + std::to_string(n));
        EXPECT_EQ(Read(object.get(), &IAccessible::get_accName), std::wstring(caption.begin(), caption.end())) << value;
    }
    win::ComPtr<IAccessible> memory = AccessibleOf(main.Control("Info8"));
    EXPECT_EQ(Read(memory.get(), &IAccessible::get_accValue), L"16384 MB");
    // The caption is read afresh each time: a renamed row is read with its new name.
    main.SetText("Desc8", "Memory");
    EXPECT_EQ(Read(memory.get(), &IAccessible::get_accName), L"Memory");

    // A field is named by its label without the access key's mark.
    ui::Form admin(forms::AdminFormLayout());
    admin.Create();
    win::ComPtr<IAccessible> user = AccessibleOf(admin.Control("Edit1"));
    EXPECT_EQ(Read(user.get(), &IAccessible::get_accName), L"Username");
    EXPECT_EQ(Read(user.get(), &IAccessible::get_accValue), L"Administrator");
    HWND window = nullptr;
    EXPECT_EQ(::WindowFromAccessibleObject(user.get(), &window), S_OK);
    EXPECT_EQ(window, admin.Control("Edit1"));
}


}  // namespace
}  // namespace brimlow
