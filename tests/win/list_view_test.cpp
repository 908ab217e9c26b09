// The form runtime's list pieces on a small form of their own: a striped report list with a
// popup menu, a status bar, and a tool bar with captions and a separator.
#include "platform/list_report_win.h"
#include "platform/win_clipboard.h"
#include "tests/win/win_test_support.h"
#include "ui/form.h"
#include "ui/list_view.h"

#include <gtest/gtest.h>

namespace brimlow {
namespace {

constexpr ui::Colour kStripe = 0xF7DDCE;

ui::FormLayout ListForm() {
    ui::FormLayout form;
    form.className = "TfrmListRuntimeTest";
    form.caption = "List runtime test";
    form.clientWidth = 400;
    form.clientHeight = 300;
    form.menu = {{"File1", "&File", {}, {{"Go1", "Go", {}, {}}}}};
    form.toolBar = ui::ToolBarLayout{0, 24, 0, 0,
                                     {{"ToolButton1", "", 0, "First", false},
                                      {"ToolButton2", "", 0, "", true},
                                      {"ToolButton3", "", 1, "Second", false}}};
    form.popupMenus = {{"PopupMenu1", "", {}, {{"Open1", "Open", {}, {}}, {{}, "-", {}, {}}, {"Unbound1", "Unbound", {}, {}}}}};
    ui::ControlLayout list;
    list.name = "ListView1";
    list.kind = ui::ControlKind::ListView;
    list.fillClient = true;
    list.list.columns = {{"Name", 120}, {"Value", 100}, {"", 50}};
    list.list.stripeColour = kStripe;
    list.list.popupMenu = "PopupMenu1";
    ui::ControlLayout status;
    status.name = "StatusBar1";
    status.kind = ui::ControlKind::StatusBar;
    form.controls = {list, status};
    return form;
}

class ListForm_ : public ui::Form {
public:
    ListForm_() : ui::Form(Layout()) {}
    static const ui::FormLayout& Layout() {
        static const ui::FormLayout layout = ListForm();
        return layout;
    }
    int opened = 0;

protected:
    void FormCreate() override {
        OnClick("Go1", [] {});
        OnClick("Open1", [this] { ++opened; });
        OnClick("ToolButton1", [] {});
    }
};

class ListRuntime : public ::testing::Test {
protected:
    void SetUp() override {
        form.Create();
        ASSERT_NE(form.hwnd(), nullptr);
    }
    ui::ListView List() const { return ui::ListView(form.Control("ListView1")); }
    ListForm_ form;
};

TEST_F(ListRuntime, ColumnsRowsAndCells) {
    const HWND list = form.Control("ListView1");
    EXPECT_EQ(::GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    const DWORD extended = static_cast<DWORD>(::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);

    ui::ListView rows = List();
    EXPECT_EQ(rows.ColumnCount(), 3);
    rows.Add("first", {"1", "x"});
    rows.Add("second");  // no sub-items
    const std::string longText(1000, 'w');
    rows.Add(longText, {"", longText});
    EXPECT_EQ(rows.Count(), 3);
    EXPECT_EQ(rows.Row(0), (std::vector<std::string>{"first", "1", "x"}));
    EXPECT_EQ(rows.Row(1), (std::vector<std::string>{"second", "", ""}));
    EXPECT_EQ(rows.Cell(2, 0), longText);
    EXPECT_EQ(rows.Cell(2, 2), longText);

    const report::ReportList report = win::ReadListView(list);
    ASSERT_EQ(report.columns.size(), 3u);
    EXPECT_EQ(report.columns[0].caption, "Name");
    EXPECT_EQ(report.columns[0].width, form.Scale(120));
    EXPECT_EQ(report.columns[2].caption, "");
    EXPECT_EQ(report.rows.size(), 3u);
    EXPECT_EQ(report.rows[1], (std::vector<std::string>{"second", "", ""}));

    EXPECT_FALSE(rows.Selected());
    rows.Select(1);
    EXPECT_EQ(rows.Selected(), 1);
    rows.Clear();
    EXPECT_EQ(rows.Count(), 0);
    EXPECT_FALSE(rows.Selected());
}

TEST_F(ListRuntime, EverySecondRowIsStriped) {
    ui::ListView rows = List();
    for (const char* name : {"a", "b", "c", "d"}) rows.Add(name);
    const HWND list = form.Control("ListView1");
    const auto picture = testing::PaintedClient(list);
    for (int row = 0; row < 4; ++row) {
        RECT cell{};
        cell.top = 1;  // the second column: no text there
        cell.left = LVIR_BOUNDS;
        ASSERT_TRUE(::SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell)));
        const ui::Colour want = row % 2 ? kStripe : static_cast<ui::Colour>(::GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(picture->Pixel((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2), want) << "row " << row;
    }
}

TEST_F(ListRuntime, SortByCaptionFollowsTheLocaleNotTheCharacterCodes) {
    ui::ListView rows = List();
    for (const char* name : {"beta", "Delta", "gamma", "Alpha"}) rows.Add(name, {std::string(name) + "!"});
    rows.SortByCaption();
    std::vector<std::string> order;
    for (int r = 0; r < rows.Count(); ++r) {
        order.push_back(rows.Cell(r, 0));
        EXPECT_EQ(rows.Cell(r, 1), rows.Cell(r, 0) + "!") << "sub-items move with their row";
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}));
}

TEST_F(ListRuntime, PopupMenuItemsAreCommandsAfterTheToolButtons) {
    // Menu: File1, Go1; tool buttons: three; then the popup's title and items.
    const auto& layout = ListForm_::Layout();
    EXPECT_EQ(ui::CommandIdOf(layout, "ToolButton3"), ui::kFirstCommandId + 4);
    EXPECT_EQ(ui::CommandIdOf(layout, "PopupMenu1"), ui::kFirstCommandId + 5);
    EXPECT_EQ(ui::CommandIdOf(layout, "Open1"), ui::kFirstCommandId + 6);
    EXPECT_EQ(ui::CommandIdOf(layout, "Unbound1"), ui::kFirstCommandId + 8);
    ::SendMessageA(form.hwnd(), WM_COMMAND, *ui::CommandIdOf(layout, "Open1"), 0);
    EXPECT_EQ(form.opened, 1);
    EXPECT_TRUE(form.Enabled("Open1"));
    EXPECT_FALSE(form.Enabled("Unbound1"));
}

TEST_F(ListRuntime, StatusBarTextIsItsPanel) {
    form.SetText("StatusBar1", "Count: 7");
    EXPECT_EQ(form.Text("StatusBar1"), "Count: 7");
    char panel[64] = {};
    ::SendMessageA(form.Control("StatusBar1"), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_STREQ(panel, "Count: 7");
    EXPECT_EQ(::SendMessageA(form.Control("StatusBar1"), SB_GETPARTS, 0, 0), 1);
}

TEST_F(ListRuntime, CaptionedToolBarAndTheListBetweenTheBars) {
    const HWND bar = form.toolBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(::SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 3);
    char caption[32] = {};
    ::SendMessageA(bar, TB_GETBUTTONTEXTA, *ui::CommandIdOf(ListForm_::Layout(), "ToolButton3"),
                   reinterpret_cast<LPARAM>(caption));
    EXPECT_STREQ(caption, "Second");
    TBBUTTON separator{};
    ::SendMessageA(bar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&separator));
    EXPECT_TRUE(separator.fsStyle & BTNS_SEP);

    auto rectOf = [&](HWND control) {
        RECT rc;
        ::GetWindowRect(control, &rc);
        ::MapWindowPoints(nullptr, form.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    RECT client;
    ::GetClientRect(form.hwnd(), &client);
    const RECT barRect = rectOf(bar), list = rectOf(form.Control("ListView1")), status = rectOf(form.Control("StatusBar1"));
    EXPECT_GT(barRect.bottom - barRect.top, form.Scale(24)) << "room for the captions under the pictures";
    EXPECT_EQ(list.top, barRect.bottom);
    EXPECT_EQ(list.bottom, status.top);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(list.right - list.left, client.right);

    // Resizing keeps the list between the bars.
    ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    ::GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(rectOf(form.Control("ListView1")).right, client.right);
    EXPECT_EQ(rectOf(form.Control("ListView1")).bottom, rectOf(form.Control("StatusBar1")).top);
    EXPECT_EQ(rectOf(form.Control("StatusBar1")).bottom, client.bottom);
}

// Ctrl+C in a list puts its selected row on the clipboard, the cells separated by tabs.
TEST_F(ListRuntime, CtrlCCopiesTheSelectedRow) {
    ui::ListView rows = List();
    rows.Add("first", {"1", "one"});
    rows.Add("second", {"2", ""});
    const HWND list = form.Control("ListView1");
    const auto press = [&] {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        const BYTE saved = state[VK_CONTROL];
        state[VK_CONTROL] = 0x80;
        ::SetKeyboardState(state);
        MSG msg{list, WM_KEYDOWN, 'C', 0, 0, {}};
        const bool handled = form.TranslateShortcut(msg);
        state[VK_CONTROL] = saved;
        ::SetKeyboardState(state);
        return handled;
    };
    form.Show();
    ::SetFocus(list);
    win::SetClipboardText(form.hwnd(), "before");
    EXPECT_TRUE(press()) << "no selection: the key is taken and nothing copied";
    EXPECT_EQ(win::ReadClipboardText(form.hwnd()), "before");
    rows.Select(1);
    EXPECT_TRUE(press());
    EXPECT_EQ(win::ReadClipboardText(form.hwnd()), "second\t2\t");
    rows.Select(0);
    EXPECT_TRUE(press());
    EXPECT_EQ(win::ReadClipboardText(form.hwnd()), "first\t1\tone");
    form.Hide();
}

}  // namespace
}  // namespace brimlow
