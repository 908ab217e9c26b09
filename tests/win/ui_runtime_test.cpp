// The form runtime on small forms of its own: controls by name, handlers by name, anchors, the
// link cursor, modal showing, fixed on-top windows, panels, gauges, pictures, paint boxes, timers,
// check lists, buttons, the close handler and the message pump for long handlers.
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

bool g_closedByFallback = false;
void CALLBACK PressEscape(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    ::PostMessageA(g_dialogWindow, WM_KEYDOWN, VK_ESCAPE, 0);
}
void CALLBACK CloseAfterAll(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    if (!::IsWindowVisible(g_dialogWindow)) return;
    g_closedByFallback = true;
    ::PostMessageA(g_dialogWindow, WM_CLOSE, 0, 0);
}

// A modal window closes on Escape though it has no Cancel button; shown modelessly it does not.
TEST(FormRuntime, EscapeClosesAModalWindow) {
    TestForm owner;
    owner.Create();
    TestForm dialog;
    dialog.Create(owner.hwnd());
    g_dialogWindow = dialog.hwnd();
    g_closedByFallback = false;
    const UINT_PTR press = ::SetTimer(nullptr, 0, 10, PressEscape);
    const UINT_PTR fallback = ::SetTimer(nullptr, 0, 3000, CloseAfterAll);
    ASSERT_NE(press, 0u);
    ASSERT_NE(fallback, 0u);
    EXPECT_EQ(dialog.ShowModal(), ui::ModalResult::Cancel);
    EXPECT_FALSE(g_closedByFallback) << "Escape did not close the modal window";
    ::KillTimer(nullptr, fallback);

    dialog.Show();
    MSG escape{dialog.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_FALSE(dialog.TranslateShortcut(escape));
    EXPECT_TRUE(dialog.Visible());
    dialog.Hide();
}

ui::FormLayout HugeFormLayout() {
    ui::FormLayout form;
    form.className = "TfrmHugeTest";
    form.caption = "Huge test";
    form.clientWidth = 4000;
    form.clientHeight = 3000;
    form.border = ui::BorderStyle::Single;
    ui::ControlLayout topLeft;
    topLeft.name = "Near";
    topLeft.kind = ui::ControlKind::Label;
    topLeft.text = "near";
    topLeft.rect = {10, 10, 60, 16};
    ui::ControlLayout bottomRight = topLeft;
    bottomRight.name = "Far";
    bottomRight.text = "far";
    bottomRight.rect = {3900, 2950, 60, 16};
    form.controls = {topLeft, bottomRight};
    return form;
}

class HugeForm : public ui::Form {
public:
    HugeForm() : ui::Form(Layout()) {}
    static const ui::FormLayout& Layout() {
        static const ui::FormLayout layout = HugeFormLayout();
        return layout;
    }
};

// A window larger than the screen keeps every control: it scrolls them down and sideways.
TEST(FormRuntime, AWindowLargerThanTheScreenScrollsBothWays) {
    HugeForm form;
    form.Create();
    form.Show();
    const LONG style = ::GetWindowLongA(form.hwnd(), GWL_STYLE);
    ASSERT_TRUE(style & WS_HSCROLL);
    ASSERT_TRUE(style & WS_VSCROLL);
    const HWND topLeft = form.Control("Near");
    const RECT start = ClientRectOf(topLeft);
    ::SendMessageA(form.hwnd(), WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(ClientRectOf(topLeft).left, start.left - form.Scale(23));
    EXPECT_EQ(ClientRectOf(topLeft).top, start.top);
    ::SendMessageA(form.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(ClientRectOf(topLeft).top, start.top - form.Scale(23));
    // To the far corner: the last control comes into the client area.
    ::SendMessageA(form.hwnd(), WM_HSCROLL, SB_RIGHT, 0);
    ::SendMessageA(form.hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
    RECT client;
    ::GetClientRect(form.hwnd(), &client);
    const RECT last = ClientRectOf(form.Control("Far"));
    EXPECT_LE(last.right, client.right);
    EXPECT_LE(last.bottom, client.bottom);
    EXPECT_GE(last.left, 0);
    ::SendMessageA(form.hwnd(), WM_HSCROLL, SB_LEFT, 0);
    ::SendMessageA(form.hwnd(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(ClientRectOf(topLeft).left, start.left);
    EXPECT_EQ(ClientRectOf(topLeft).top, start.top);
    form.Hide();
}

ui::FormLayout GaugeFormLayout() {
    ui::FormLayout form;
    form.className = "TfrmGaugeTest";
    form.caption = "Gauge test";
    form.clientWidth = 300;
    form.clientHeight = 200;
    form.border = ui::BorderStyle::Single;
    form.stayOnTop = true;
    form.position = ui::FormPosition::MainFormCentre;
    form.menu = {{"File1", "File", {}, {}}, {"View1", "View", {}, {{"Refresh1", "Refresh", {}, {}}}}};
    form.timers = {{"Timer1", 1000, false}, {"Timer2", 500, true}};
    ui::ControlLayout panel;
    panel.name = "Panel1";
    panel.kind = ui::ControlKind::Panel;
    panel.rect = {10, 10, 100, 120};
    panel.backColour = ui::kBlack;
    ui::ControlLayout link;
    link.name = "Label3";
    link.kind = ui::ControlKind::LinkLabel;
    link.text = "home";
    link.rect = {5, 5, 60, 16};
    link.parent = "Panel1";
    ui::ControlLayout bar;
    bar.name = "ProgressBar1";
    bar.kind = ui::ControlKind::ProgressBar;
    bar.rect = {70, 10, 20, 100};
    bar.parent = "Panel1";
    bar.vertical = true;
    bar.smooth = true;
    bar.position = 50;
    ui::ControlLayout image;
    image.name = "Image1";
    image.kind = ui::ControlKind::Image;
    image.rect = {120, 10, 40, 30};
    ui::ControlLayout box;
    box.name = "PaintBox1";
    box.kind = ui::ControlKind::PaintBox;
    box.rect = {120, 50, 40, 30};
    box.backColour = ui::Rgb(10, 20, 30);
    ui::ControlLayout check;
    check.name = "CheckBox1";
    check.kind = ui::ControlKind::CheckBox;
    check.text = "Stay on top";
    check.rect = {120, 90, 100, 17};
    check.visible = false;
    form.controls = {panel, link, bar, image, box, check};
    return form;
}

class GaugeForm : public ui::Form {
public:
    GaugeForm() : ui::Form(Layout()) {}
    static const ui::FormLayout& Layout() {
        static const ui::FormLayout layout = GaugeFormLayout();
        return layout;
    }
    int linkClicks = 0;
    int ticks = 0;

protected:
    void FormCreate() override {
        OnClick("Label3", [this] { ++linkClicks; });
        OnClick("Refresh1", [] {});
        OnTimer("Timer1", [this] { ++ticks; });
    }
};

TEST(FormRuntime, AFixedOnTopFormGetsExactlyItsClientArea) {
    GaugeForm form;
    form.Create();
    const LONG_PTR style = ::GetWindowLongPtrA(form.hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "single fixed border";
    EXPECT_TRUE(::GetWindowLongPtrA(form.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT client;
    ::GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.right, form.Scale(300));
    EXPECT_EQ(client.bottom, form.Scale(200)) << "with its menu bar taken off";
    // A title of the menu bar without items is still a menu, not a command that would be greyed.
    const HMENU file = ::GetSubMenu(::GetMenu(form.hwnd()), 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(::GetMenuItemCount(file), 0);
    EXPECT_FALSE(::IsWindowVisible(form.Control("CheckBox1")));
    EXPECT_TRUE(form.Enabled("Refresh1"));
}

TEST(FormRuntime, CentredOverItsOwnerWhenTheOwnerIsShown) {
    TestForm owner;
    owner.Create();
    GaugeForm form;
    form.Create(owner.hwnd());
    auto centre = [](HWND window) {
        RECT rc;
        ::GetWindowRect(window, &rc);
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    };
    ::SetWindowPos(owner.hwnd(), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(owner.hwnd(), SW_SHOWNA);
    form.Show();
    EXPECT_NEAR(centre(form.hwnd()).x, centre(owner.hwnd()).x, 1);
    EXPECT_NEAR(centre(form.hwnd()).y, centre(owner.hwnd()).y, 1);
    form.Hide();
    owner.Hide();
    form.Show();  // a hidden owner: over the screen
    EXPECT_NEAR(centre(form.hwnd()).x, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    form.Hide();
}

TEST(FormRuntime, ControlsInAPanelLiveInItAndReportToTheForm) {
    GaugeForm form;
    form.Create();
    const HWND panel = form.Control("Panel1");
    const HWND link = form.Control("Label3");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(::GetParent(link), panel);
    RECT rc;
    ::GetWindowRect(link, &rc);
    ::MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, form.Scale(5)) << "placed relative to the panel";
    // The click goes to the panel, its parent, which hands it on to the form.
    ::SendMessageA(panel, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(link), STN_CLICKED), reinterpret_cast<LPARAM>(link));
    EXPECT_EQ(form.linkClicks, 1);
    // The panel paints its colour.
    const auto painted = testing::PaintedClient(panel);
    EXPECT_EQ(painted->Pixel(50, 60), ui::kBlack);
}

TEST(FormRuntime, AGaugeTakesItsPositionAndBarColour) {
    GaugeForm form;
    form.Create();
    EXPECT_EQ(form.Position("ProgressBar1"), 50);
    form.SetBarColour("ProgressBar1", ui::kAqua);
    const auto half = testing::PaintedClient(form.Control("ProgressBar1"));
    const int w = half->width(), h = half->height();
    // Vertical: the filled part grows from the bottom.
    EXPECT_EQ(half->Pixel(w / 2, h * 3 / 4), ui::kAqua);
    EXPECT_NE(half->Pixel(w / 2, h / 4), ui::kAqua);
    form.SetPosition("ProgressBar1", 90);
    EXPECT_EQ(form.Position("ProgressBar1"), 90);
    EXPECT_EQ(testing::PaintedClient(form.Control("ProgressBar1"))->Pixel(w / 2, h / 4), ui::kAqua);
    EXPECT_THROW(form.SetPosition("Label3", 1), std::logic_error);
}

TEST(FormRuntime, TimersRunTheirHandlerOnlyWhileEnabled) {
    testing::ReportedErrors().clear();
    GaugeForm form;
    form.Create();
    const UINT_PTR timer1 = *ui::TimerIdOf(GaugeForm::Layout(), "Timer1");
    const UINT_PTR timer2 = *ui::TimerIdOf(GaugeForm::Layout(), "Timer2");
    EXPECT_FALSE(form.TimerEnabled("Timer1"));
    EXPECT_TRUE(form.TimerEnabled("Timer2"));
    // The system's timer exists exactly when the form's is enabled; killing it tells.
    EXPECT_FALSE(::KillTimer(form.hwnd(), timer1));
    EXPECT_TRUE(::KillTimer(form.hwnd(), timer2)) << "enabled in the layout: started at creation";
    ::SendMessageA(form.hwnd(), WM_TIMER, timer1, 0);
    EXPECT_EQ(form.ticks, 0);
    form.SetTimerEnabled("Timer1", true);
    ::SendMessageA(form.hwnd(), WM_TIMER, timer1, 0);
    EXPECT_EQ(form.ticks, 1);
    form.Hide();  // hidden windows' timers go on
    ::SendMessageA(form.hwnd(), WM_TIMER, timer1, 0);
    EXPECT_EQ(form.ticks, 2);
    form.SetTimerEnabled("Timer1", false);
    EXPECT_FALSE(::KillTimer(form.hwnd(), timer1));
    ::SendMessageA(form.hwnd(), WM_TIMER, timer1, 0);
    EXPECT_EQ(form.ticks, 2);
    // A failing handler goes to the default error handler.
    form.OnTimer("Timer2", [] { throw std::runtime_error("tick failed"); });
    form.SetTimerEnabled("Timer2", true);
    ::SendMessageA(form.hwnd(), WM_TIMER, timer2, 0);
    EXPECT_EQ(testing::ReportedErrors(), std::vector<std::string>{"tick failed"});
    EXPECT_THROW(form.SetTimerEnabled("Timer9", true), std::logic_error);
}

TEST(FormRuntime, PicturesKeepWhatIsDrawnAndPaintBoxesAskTheirHandler) {
    GaugeForm form;
    form.Create();
    ui::Bitmap& image = form.ImageOf("Image1");
    EXPECT_EQ(image.width(), 40);
    EXPECT_EQ(image.height(), 30);
    image.Fill({0, 0, 40, 30}, ui::kWhite);
    image.Fill({10, 10, 20, 20}, ui::kNavy);
    form.Invalidate("Image1");
    const auto shownImage = testing::PaintedClient(form.Control("Image1"));
    EXPECT_EQ(shownImage->Pixel(15, 15), ui::kNavy);
    EXPECT_EQ(shownImage->Pixel(5, 5), ui::kWhite);

    int paints = 0;
    form.OnPaint("PaintBox1", [&](HDC dc) {
        ++paints;
        RECT square{2, 2, 6, 6};
        ::FillRect(dc, &square, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    });
    const auto shownBox = testing::PaintedClient(form.Control("PaintBox1"));
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(shownBox->Pixel(3, 3), ui::kWhite);
    EXPECT_EQ(shownBox->Pixel(20, 20), ui::Rgb(10, 20, 30)) << "the box's own colour under the drawing";
    EXPECT_THROW(form.ImageOf("PaintBox1"), std::logic_error);
}

TEST(Bitmap, LinesLeaveOutTheirEndAndCopiesMayOverlap) {
    ui::Bitmap picture(30, 10);
    picture.Line(0, 5, 10, 5, ui::kAqua);
    EXPECT_EQ(picture.Pixel(0, 5), ui::kAqua);
    EXPECT_EQ(picture.Pixel(9, 5), ui::kAqua);
    EXPECT_EQ(picture.Pixel(10, 5), ui::kBlack) << "the end point is not drawn";
    picture.Line(20, 0, 20, 10, ui::kGreen);
    picture.Line(27, 0, 27, 10, ui::kGreen);
    EXPECT_EQ(picture.Pixel(20, 9), ui::kGreen);
    // Shift everything five pixels left over itself, as a scrolling chart does.
    picture.Copy({5, 0, 30, 10}, 0, 0);
    EXPECT_EQ(picture.Pixel(4, 5), ui::kAqua);
    EXPECT_EQ(picture.Pixel(5, 5), ui::kBlack);
    EXPECT_EQ(picture.Pixel(15, 3), ui::kGreen);
    EXPECT_EQ(picture.Pixel(22, 3), ui::kGreen);
    EXPECT_EQ(picture.Pixel(20, 3), ui::kBlack);
    EXPECT_EQ(picture.Pixel(27, 3), ui::kGreen) << "what lay beyond the copied area stays";
    EXPECT_EQ(picture.Pixel(-1, 0), ui::kBlack);
    EXPECT_EQ(picture.Pixel(30, 0), ui::kBlack);
}

ui::FormLayout ListFormLayout() {
    ui::FormLayout form;
    form.className = "TfrmListTest";
    form.caption = "List test";
    form.clientWidth = 300;
    form.clientHeight = 200;
    form.backColour = ui::kWhite;
    ui::ControlLayout list;
    list.name = "CheckList1";
    list.kind = ui::ControlKind::CheckList;
    list.rect = {10, 10, 150, 120};
    ui::ControlLayout panel;
    panel.name = "Panel1";
    panel.kind = ui::ControlKind::Panel;
    panel.rect = {170, 10, 120, 60};
    ui::ControlLayout button;
    button.name = "Button1";
    button.kind = ui::ControlKind::Button;
    button.text = "Press";
    button.rect = {10, 5, 100, 25};
    button.parent = "Panel1";
    form.controls = {list, panel, button};
    return form;
}

class ListForm : public ui::Form {
public:
    ListForm() : ui::Form(Layout()) {}
    static const ui::FormLayout& Layout() {
        static const ui::FormLayout layout = ListFormLayout();
        return layout;
    }
    int presses = 0;
    int closes = 0;
    bool visibleWhenClosing = false;

protected:
    void FormCreate() override { OnClick("Button1", [this] { ++presses; }); }
    void FormClose() override {
        ++closes;
        visibleWhenClosing = Visible();
    }
};

TEST(FormRuntime, ACheckListKeepsItsItemsAndMarks) {
    ListForm form;
    form.Create();
    EXPECT_EQ(form.CheckListCount("CheckList1"), 0);
    EXPECT_EQ(form.CheckListAdd("CheckList1", "MMX extensions", true), 0);
    EXPECT_EQ(form.CheckListAdd("CheckList1", "Serial number", false), 1);
    EXPECT_EQ(form.CheckListAdd("CheckList1", "", true), 2) << "an empty text is an item too";
    EXPECT_EQ(form.CheckListCount("CheckList1"), 3);
    EXPECT_EQ(form.CheckListText("CheckList1", 0), "MMX extensions");
    EXPECT_EQ(form.CheckListText("CheckList1", 2), "");
    EXPECT_TRUE(form.CheckListChecked("CheckList1", 0));
    EXPECT_FALSE(form.CheckListChecked("CheckList1", 1));
    form.SetCheckListChecked("CheckList1", 1, true);
    EXPECT_TRUE(form.CheckListChecked("CheckList1", 1));
    // Items keep the order they were added in, not an alphabetical one.
    form.CheckListAdd("CheckList1", "A first letter", false);
    EXPECT_EQ(form.CheckListText("CheckList1", 3), "A first letter");
    EXPECT_THROW(form.CheckListText("CheckList1", 4), std::out_of_range);
    EXPECT_THROW(form.CheckListChecked("CheckList1", -1), std::out_of_range);
    EXPECT_THROW(form.SetCheckListChecked("CheckList1", 9, true), std::out_of_range);
    EXPECT_THROW(form.CheckListCount("Button1"), std::logic_error);
    // The mark is the item data, which another process can read.
    EXPECT_EQ(::SendMessageA(form.Control("CheckList1"), LB_GETITEMDATA, 1, 0), 1);
    EXPECT_EQ(::SendMessageA(form.Control("CheckList1"), LB_GETITEMDATA, 3, 0), 0);

    // A click selects an item and leaves its mark as it is.
    const HWND list = form.Control("CheckList1");
    RECT item{};
    ::SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 8, (item.top + item.bottom) / 2);
    ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(list, WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(form.CheckListChecked("CheckList1", 0));
    EXPECT_EQ(::SendMessageA(list, LB_GETCURSEL, 0, 0), 0);

    form.CheckListClear("CheckList1");
    EXPECT_EQ(form.CheckListCount("CheckList1"), 0);
}

TEST(FormRuntime, ACheckListDrawsATickForACheckedItemOnly) {
    ListForm form;
    form.Create();
    form.CheckListAdd("CheckList1", "on", true);
    form.CheckListAdd("CheckList1", "off", false);
    const HWND list = form.Control("CheckList1");
    const auto painted = testing::PaintedClient(list);
    const auto inkIn = [&](int index) {
        RECT item{};
        ::SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        EXPECT_GE(item.bottom - item.top, form.Scale(13)) << "an item is as high as its box";
        int black = 0;
        for (int y = item.top; y < item.bottom; ++y)
            for (int x = item.left + form.Scale(4); x < item.left + form.Scale(13); ++x)
                black += painted->Pixel(x, y) == ui::kBlack;
        return black;
    };
    EXPECT_GT(inkIn(0), 5);
    EXPECT_EQ(inkIn(1), 0);
}

TEST(FormRuntime, AButtonRunsItsHandlerAlsoFromInsideAPanel) {
    ListForm form;
    form.Create();
    const HWND button = form.Control("Button1");
    EXPECT_EQ(::GetParent(button), form.Control("Panel1"));
    EXPECT_EQ(form.Text("Button1"), "Press");
    ::SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(form.presses, 1);
    form.Click("Button1");
    EXPECT_EQ(form.presses, 2);
}

TEST(FormRuntime, TheCloseHandlerRunsBeforeTheFormHides) {
    ListForm form;
    form.Show();
    ::SendMessageA(form.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form.closes, 1);
    EXPECT_TRUE(form.visibleWhenClosing);
    EXPECT_FALSE(form.Visible());
}

TEST(FormRuntime, ProcessMessagesHandlesWhatWaitsAndLeavesAQuitForTheLoop) {
    ListForm form;
    form.Create();
    const HWND button = form.Control("Button1");
    ::PostMessageA(form.Control("Panel1"), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    ::PostQuitMessage(3);
    ui::Application::Instance().ProcessMessages();
    EXPECT_EQ(form.presses, 1);
    MSG quit{};
    ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request is still there";
    EXPECT_EQ(quit.wParam, 3u);
}

}  // namespace
}  // namespace brimlow
