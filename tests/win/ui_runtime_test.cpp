// The form runtime on a small form of its own: controls by name, handlers by name, anchors, the
// link cursor and modal showing.
#include "tests/win/win_test_support.h"
#include "ui/application.h"
#include "ui/form.h"

#include <gtest/gtest.h>

namespace brimlow {
namespace {

ui::FormLayout SmallForm() {
    ui::FormLayout form;
    form.className = "TfrmRuntimeTest";
    form.caption = "Runtime test";
    form.width = 400;
    form.height = 300;
    form.clientWidth = 300;
    form.clientHeight = 200;
    form.menu = {{"File1", "&File", {}, {{"Go1", "Go", "F4", {}}, {{}, "-", {}, {}}, {"Unbound1", "Unbound", {}, {}}}}};
    ui::ControlLayout name;
    name.name = "Edit1";
    name.kind = ui::ControlKind::ReadOnlyEdit;
    name.text = "first";
    name.rect = {10, 10, 100, 20};
    ui::ControlLayout link;
    link.name = "Label3";
    link.kind = ui::ControlKind::LinkLabel;
    link.text = "home";
    link.rect = {10, 40, 100, 20};
    ui::ControlLayout foot;
    foot.name = "Foot1";
    foot.kind = ui::ControlKind::Label;
    foot.rect = {10, 170, 280, 20};  // 10 from the right and bottom edges
    foot.anchors = ui::kAnchorBottom | ui::kAnchorRight;
    form.controls = {name, link, foot};
    return form;
}

class TestForm : public ui::Form {
public:
    TestForm() : ui::Form(Layout()) {}
    static const ui::FormLayout& Layout() {
        static const ui::FormLayout layout = SmallForm();
        return layout;
    }
    int goClicks = 0;
    int shows = 0;

protected:
    void FormCreate() override {
        OnClick("Go1", [this] { ++goClicks; });
    }
    void FormShow() override { ++shows; }
};

RECT ClientRectOf(HWND control) {
    RECT rc;
    ::GetWindowRect(control, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

TEST(FormRuntime, ControlsAndHandlersByName) {
    TestForm form;
    form.Create();
    EXPECT_EQ(form.Text("Edit1"), "first");
    form.SetText("Edit1", "second");
    EXPECT_EQ(form.Text("Edit1"), "second");
    EXPECT_EQ(form.Control("NoSuch"), nullptr);
    EXPECT_THROW(form.Text("NoSuch"), std::logic_error);

    EXPECT_TRUE(form.Enabled("Go1"));
    EXPECT_FALSE(form.Enabled("Unbound1"));
    form.Click("Go1");
    ::SendMessageA(form.hwnd(), WM_COMMAND, *ui::CommandIdOf(TestForm::Layout(), "Go1"), 0);
    EXPECT_EQ(form.goClicks, 2);
    EXPECT_THROW(form.Click("Unbound1"), std::logic_error);
    // An unbound item sent anyway does nothing.
    ::SendMessageA(form.hwnd(), WM_COMMAND, *ui::CommandIdOf(TestForm::Layout(), "Unbound1"), 0);
}

TEST(FormRuntime, AnchoredControlsKeepTheirDistanceToTheEdges) {
    TestForm form;
    form.Create();
    RECT window;
    ::GetWindowRect(form.hwnd(), &window);
    RECT client;
    ::GetClientRect(form.hwnd(), &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    ::SetWindowPos(form.hwnd(), nullptr, 0, 0, form.Scale(500) + frameWidth, form.Scale(400) + frameHeight,
                   SWP_NOMOVE | SWP_NOZORDER);
    const RECT foot = ClientRectOf(form.Control("Foot1"));
    EXPECT_EQ(foot.left, form.Scale(10));
    EXPECT_EQ(foot.right, form.Scale(500) - form.Scale(10));
    EXPECT_EQ(foot.bottom, form.Scale(400) - form.Scale(10));
    // Controls without anchors stay put.
    EXPECT_EQ(ClientRectOf(form.Control("Edit1")).top, form.Scale(10));
}

TEST(FormRuntime, LinkLabelsShowTheHandAndTheHourglassWins) {
    TestForm form;
    form.Create();
    const HWND link = form.Control("Label3");
    EXPECT_TRUE(::SendMessageA(form.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_HAND));
    {
        ui::BusyCursor busy;
        EXPECT_TRUE(::SendMessageA(form.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT));
    }
    EXPECT_EQ(ui::Application::Instance().cursor(), ui::Application::Cursor::Default);
}

TEST(FormRuntime, ShowRunsFormShowOnceUntilHidden) {
    TestForm form;
    form.Show();
    form.Show();  // already open: only brought forward
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.shows, 1);
    form.Hide();
    form.Show();
    EXPECT_EQ(form.shows, 2);
    form.Hide();
}

// The check runs inside the modal loop, then closes the dialog.
bool g_ownerDisabledMeanwhile = false;
HWND g_ownerWindow = nullptr;
HWND g_dialogWindow = nullptr;
void CALLBACK CheckOwnerAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    g_ownerDisabledMeanwhile = !::IsWindowEnabled(g_ownerWindow);
    ::PostMessageA(g_dialogWindow, WM_CLOSE, 0, 0);
}

TEST(FormRuntime, ShowModalDisablesTheOwnerUntilClosed) {
    TestForm owner;
    owner.Create();
    TestForm dialog;
    dialog.Create(owner.hwnd());
    g_ownerDisabledMeanwhile = false;
    g_ownerWindow = owner.hwnd();
    g_dialogWindow = dialog.hwnd();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, CheckOwnerAndClose);
    ASSERT_NE(timer, 0u);
    dialog.ShowModal();
    EXPECT_TRUE(g_ownerDisabledMeanwhile);
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
    EXPECT_FALSE(dialog.Visible());
    EXPECT_NE(dialog.hwnd(), nullptr);  // closing a form that is not the main one only hides it
}

}  // namespace
}  // namespace brimlow
