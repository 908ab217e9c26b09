// A top-level window built from a FormLayout. Controls, menu items and tool buttons are reached by
// their names; handlers are bound by name and run under the application's default error handler.
#pragma once

#include "platform/win_handles.h"
#include "ui/bitmap.h"
#include "ui/form_layout.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brimlow::ui {

class Form {
public:
    explicit Form(const FormLayout& layout);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window and its controls, hidden, then runs FormCreate.
    void Create(HWND owner = nullptr);
    HWND hwnd() const { return hwnd_; }
    const FormLayout& layout() const { return layout_; }

    // Controls by name; nullptr when the form has none of that name.
    HWND Control(std::string_view name) const;
    std::string Text(std::string_view name) const;
    void SetText(std::string_view name, const std::string& text);
    void SetCaption(const std::string& text);
    std::string Caption() const;

    // Binds the handler of a menu item, tool button or link label. Items left without a handler
    // after FormCreate are disabled: their windows or actions do not exist yet.
    void OnClick(std::string_view name, std::function<void()> handler);
    // Runs the named item's handler as if the user had chosen it.
    void Click(std::string_view name);
    void SetChecked(std::string_view name, bool checked);
    bool Checked(std::string_view name) const;
    void SetEnabled(std::string_view name, bool enabled);
    bool Enabled(std::string_view name) const;

    // Shows without waiting; an open form is brought forward. FormShow runs before it appears.
    void Show();
    // Shows and waits until the form closes; other windows of the program are disabled meanwhile.
    // The result of the button that closed it; Cancel when it was closed otherwise.
    ModalResult ShowModal();
    void Hide();
    void Close();
    bool Visible() const;

    // Gauges (ControlKind::ProgressBar).
    void SetPosition(std::string_view name, int position);
    int Position(std::string_view name) const;
    // The colour of the filled part; the control then draws without the visual style, which
    // would ignore the colour.
    void SetBarColour(std::string_view name, Colour colour);

    // The picture of an Image control; call Invalidate after drawing on it so the screen follows.
    Bitmap& ImageOf(std::string_view name);
    void Invalidate(std::string_view name);
    // The paint handler of a PaintBox: it draws the whole box whenever the box needs painting.
    void OnPaint(std::string_view name, std::function<void(HDC)> handler);

    // Timers of the layout, by name, also before the window exists (it starts those enabled by
    // then). A disabled timer keeps its handler; a hidden form's timers go on running.
    void OnTimer(std::string_view name, std::function<void()> handler);
    void SetTimerEnabled(std::string_view name, bool enabled);
    bool TimerEnabled(std::string_view name) const;

    // The tool bar of the layout; hiding it gives its room to a control that fills the client area.
    HWND toolBar() const { return toolBar_; }
    void SetToolBarVisible(bool visible);
    bool ToolBarVisible() const;
    // Check lists (ControlKind::CheckList): items in the order they were added, each with its mark.
    // The item's mark is its item data (1 checked, 0 not), so another process can read it back.
    void CheckListClear(std::string_view name);
    int CheckListAdd(std::string_view name, const std::string& text, bool checked);
    int CheckListCount(std::string_view name) const;
    std::string CheckListText(std::string_view name, int index) const;
    bool CheckListChecked(std::string_view name, int index) const;
    void SetCheckListChecked(std::string_view name, int index, bool checked);

    // Memos (ControlKind::Memo): the lines, each shown on its own line.
    void SetLines(std::string_view name, const std::vector<std::string>& lines);
    std::vector<std::string> Lines(std::string_view name) const;

    // Drop-down lists (ControlKind::ComboList) and plain lists (ControlKind::ListBox). An item's
    // number is its item data; -1 for the selection means none.
    void ClearItems(std::string_view name);
    void AddItem(std::string_view name, const std::string& text, std::intptr_t number = 0);
    int ItemCount(std::string_view name) const;
    std::string ItemText(std::string_view name, int index) const;
    std::vector<std::string> Items(std::string_view name) const;
    std::intptr_t ItemNumber(std::string_view name, int index) const;
    void SetItemIndex(std::string_view name, int index);
    int ItemIndex(std::string_view name) const;
    // A drop-down list's events: the user chose another item; the list closed.
    void OnChange(std::string_view name, std::function<void()> handler);
    void OnCloseUp(std::string_view name, std::function<void()> handler);
    // The mouse wheel over the form or a drop-down list, before the list turns it into another
    // selection; the handler returns true when it has dealt with the wheel.
    void OnMouseWheel(std::function<bool()> handler);

    // Colour-key transparency: every pixel of `key` colour becomes see-through.
    void SetColourKeyTransparency(bool on, Colour key);

    // Scales a design length to this form's DPI.
    int Scale(int length) const { return ScaleForDpi(length, dpi_); }
    int dpi() const { return dpi_; }

    // The program ends when this form closes.
    void MakeMainForm() { isMain_ = true; }

    bool TranslateShortcut(MSG& msg);

protected:
    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormResize() {}
    // Runs when the form is asked to close, before it hides (or, for the main form, ends).
    virtual void FormClose() {}
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Command {
        int id = 0;
        std::string name;
        std::string hint;
        bool isToolButton = false;
        bool isPopup = false;
        bool enabled = true;
        bool checked = false;
        std::function<void()> handler;
    };
    struct ControlState {
        const ControlLayout* layout = nullptr;
        HWND hwnd = nullptr;
        HFONT font = nullptr;
        win::GdiObject brush;
        std::unique_ptr<Bitmap> image;   // Image
        std::function<void(HDC)> paint;  // PaintBox
        std::function<void()> change, closeUp;  // ComboList
        char accessKey = '\0';  // upper case; the text carries its mark
        bool marked = false;     // the text is shown with access-key marks ("&" doubled where none)
        HWND labelled = nullptr;  // a Label: the control it names, where its access key moves to
    };
    struct TimerState {
        const TimerLayout* layout = nullptr;
        UINT_PTR id = 0;
        bool enabled = false;
        std::function<void()> handler;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK GroupBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR);
    static LRESULT CALLBACK WheelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR form);
    bool WheelHandled();
    static LRESULT CALLBACK CanvasProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void PaintCanvas(const ControlState& state, HDC dc);
    static void PaintPanel(const ControlState* state, HWND panel, HDC dc);
    void DrawCheckListItem(const ControlState& list, const DRAWITEMSTRUCT& item) const;
    static void RegisterClasses();
    void BuildMenu();
    void BuildToolBar();
    void BuildControls();
    // The captions of buttons, check boxes and field labels with their access keys marked.
    std::vector<std::string> ShownTexts() const;
    void NameControlsByLabels();
    bool AccessKey(const MSG& msg);
    void BuildShortcuts();
    void BuildPopupMenus();
    void AppendPopupItems(HMENU parent, const std::vector<MenuItemLayout>& items, int& id);
    bool ShowPopupMenu(HWND control, LPARAM where);
    LRESULT DrawListStripe(const ControlState& list, NMLVCUSTOMDRAW& draw) const;
    LRESULT DrawMultiLineCell(const ControlState& list, NMLVCUSTOMDRAW& draw) const;
    void LayoutBars();
    void StartTimers();
    void LayoutAnchored();
    // A client area too low for the controls gets a vertical scroll bar; the controls move with it.
    bool Scrolls(const ControlState& control) const;
    void UpdateScrollBar();
    void ScrollTo(int position);
    bool ScrollMessage(UINT message, WPARAM wParam);
    int ContentRight() const;
    // True when the sideways bar came or went.
    bool UpdateSidewaysBar();
    void ScrollSideways(int position);
    void ScrollAlong(int bar, int position);
    void PlaceOnShow();
    void RunCommand(int id);
    void ApplyCommandState(const Command& command);
    HFONT FontFor(const Font& font);
    HBRUSH BrushForControl(HWND control, HDC dc);
    Command* FindCommand(std::string_view name);
    const Command* FindCommand(std::string_view name) const;
    const ControlState* FindControl(std::string_view name) const;
    const ControlState* FindControl(HWND hwnd) const;
    ControlState& ControlOfKind(std::string_view name, ControlKind kind);
    const ControlState& ControlOfKind(std::string_view name, ControlKind kind) const;
    const ControlState& ItemList(std::string_view name) const;  // a ComboList or a ListBox
    TimerState& FindTimer(std::string_view name);
    const TimerState& FindTimer(std::string_view name) const;

    const FormLayout& layout_;
    HWND hwnd_ = nullptr;
    HWND toolBar_ = nullptr;
    int dpi_ = 96;
    bool isMain_ = false;
    bool created_ = false;
    bool modalDone_ = false;
    bool modal_ = false;  // shown by ShowModal and not ended yet
    ModalResult modalResult_ = ModalResult::None;
    bool DialogKey(const MSG& msg);
    void EndModal(ModalResult result);
    int clientWidth_ = 0, clientHeight_ = 0;  // client size the anchored controls were placed for
    int scrollY_ = 0;                 // how far the controls are scrolled up
    int scrollX_ = 0;                 // and how far to the left
    bool rescrolling_ = false;
    bool updatingScrollBar_ = false;  // showing the bar resizes the client area, which lays out again
    std::vector<Command> commands_;
    std::vector<ControlState> controls_;
    std::vector<TimerState> timers_;
    std::map<std::string, win::GdiObject> fonts_;
    win::GdiObject formBrush_;
    win::Menu menu_;
    win::Accelerators shortcuts_;
    HIMAGELIST images_ = nullptr;
    std::function<bool()> wheel_;
    struct PopupMenu {
        std::string name;
        win::Menu menu;
    };
    std::vector<PopupMenu> popupMenus_;
};

}  // namespace brimlow::ui
