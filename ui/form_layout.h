// A window described as data: its controls with their names, kinds, texts, fonts, colours and
// rectangles at 96 DPI, its menu bar and its tool bar. Portable, so layouts can be checked
// without Windows; ui/form.cpp turns a FormLayout into real windows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brimlow::ui {

// 0x00BBGGRR, as Windows stores colours.
using Colour = std::uint32_t;
constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour(r) | (Colour(g) << 8) | (Colour(b) << 16);
}
inline constexpr Colour kDefaultColour = 0xFF000000u;  // "use the system colour"
inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kBlack = Rgb(0, 0, 0);
inline constexpr Colour kNavy = Rgb(0, 0, 128);
inline constexpr Colour kGreen = Rgb(0, 128, 0);
inline constexpr Colour kAqua = Rgb(0, 255, 255);

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct Font {
    const char* face = nullptr;  // nullptr: the system's message font
    int pixelHeight = 0;
    bool bold = false;
    bool underline = false;
};

enum class ControlKind {
    Label,         // static text
    LinkLabel,     // static text that takes clicks and shows the hand pointer
    ReadOnlyEdit,  // single-line edit the user can select from but not change or tab into
    Picture,       // a bitmap resource stretched over the control
    Panel,         // a plain area of its back colour with a sunken edge; holds other controls
    ProgressBar,   // a gauge from `minimum` to `maximum`
    Image,         // a picture of its own the program draws on (Form::ImageOf); kept between paints
    PaintBox,      // drawn afresh by its paint handler (Form::OnPaint) whenever it needs painting
    CheckBox,      // a check box with its text beside it
    ListView,      // a report-style list with its columns (ui/list_view.h reads and fills it)
    StatusBar,     // a status bar along the bottom edge, one panel; its text is the panel's
    Button,        // a push button; its clicks go to the handler bound with Form::OnClick
    // A list of texts, each with a check mark the program sets (Form::CheckList...). The marks
    // show facts, so clicks select an item but never change its mark.
    CheckList,
    ComboList,     // a drop-down list to choose one text from; its rect's height is the open list's
    Edit,          // a single-line edit the user types into; `password` shows "*" for each character
    TreeView,      // nodes with lines and open/close buttons (ui/tree_view.h fills and reads it)
    ListBox,       // a plain list of texts in the order they were added (Form::AddItem and friends)
    Memo,          // read-only lines with both scroll bars and no word wrap; its text is the lines
    GroupBox,      // a frame with its caption; the controls it groups follow it in the layout
};

// What a modal showing ended with (Form::ShowModal): a button's result, or Cancel when the window
// was closed otherwise.
enum class ModalResult { None = 0, Ok = 1, Cancel = 2 };

enum class TextAlign { Left, Centre, Right };

struct ListColumnLayout {
    std::string caption;
    int width = 0;  // pixels at 96 DPI
    bool alignRight = false;
};

// How a report-style list looks and behaves.
struct ListViewLayout {
    std::vector<ListColumnLayout> columns;
    bool gridLines = true;
    bool rowSelect = true;  // a click selects the whole row
    // Every second row (the odd indexes) is drawn on this colour, the others on the window colour.
    Colour stripeColour = kDefaultColour;
    std::string popupMenu;  // a FormLayout::popupMenus entry shown on a right click
    bool flatScrollBars = false;
    // A check mark before each row's caption (ui::ListView's SetChecked and Checked).
    bool checkBoxes = false;
    bool headings = true;  // the column headings above the rows
    int rowHeight = 0;     // pixels at 96 DPI; 0: as high as the font needs
    // Cells are drawn as several lines, broken at their CR and LF characters and wrapped.
    bool multiLineCells = false;
};

// How a control follows the form when the form is resized: by default it stays where it is;
// kAnchorBottom keeps its distance to the bottom edge, kAnchorRight its distance to the right edge
// (so it grows and shrinks with the width).
enum Anchor : unsigned { kAnchorTopLeft = 0, kAnchorBottom = 1, kAnchorRight = 2 };

struct ControlLayout {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string text;
    Rect rect;
    Font font;
    Colour textColour = kDefaultColour;
    Colour backColour = kDefaultColour;
    int resourceId = 0;  // Picture: bitmap resource
    unsigned anchors = kAnchorTopLeft;
    // The Panel this control sits in, by name; its rect is then relative to the panel. A panel
    // comes before the controls it holds.
    std::string parent;
    bool visible = true;
    TextAlign align = TextAlign::Left;  // Label
    // ProgressBar
    int minimum = 0, maximum = 100, position = 0;
    bool vertical = false;
    bool smooth = false;  // one solid bar instead of blocks
    // Takes the whole client area between the tool bar and a status bar, whatever its rect says.
    bool fillClient = false;
    ListViewLayout list;  // ListView
    int panelWidth = 0;   // StatusBar: its one panel's width at 96 DPI; 0: the whole bar
    bool password = false;  // Edit
    bool raised = false;    // Panel: a raised edge instead of the sunken one
    // The control whose text names this one to a screen reader: the caption of the row whose
    // value it shows, or the label of an edit field. A Label naming a control the user can move
    // to gets an access key that moves there.
    std::string label;
    // Button: a click closes the form with this result after the button's own handler, if any.
    ModalResult modalResult = ModalResult::None;
    // Button: Enter anywhere in the form clicks the default button, Escape the cancel button.
    bool defaultButton = false;
    bool cancelButton = false;
    // CheckList, ListBox: the items flow top to bottom into this many columns of equal width,
    // side by side; 0 or 1: one column.
    int columns = 0;
};

// An item of the menu bar is always a menu title, even one without items ("File" with nothing in
// it yet); below the bar, an item without items is a command.
struct MenuItemLayout {
    std::string name;     // component name, e.g. "Refresh1"; empty for separators
    std::string caption;  // with "&" marking the access key; "-" for a separator
    std::string shortcut; // "F5", "Ctrl+P", ...
    std::vector<MenuItemLayout> items;  // sub-menu
    bool IsSeparator() const { return caption == "-"; }
};

struct ToolButtonLayout {
    std::string name;
    std::string hint;
    int imageIndex = 0;
    std::string caption;     // shown under the picture
    bool separator = false;  // a gap between groups of buttons; it takes no clicks
};

struct ToolBarLayout {
    int buttonSize = 0;    // square buttons, pixels at 96 DPI; 0: as wide as their captions need
    int imageSize = 0;     // square pictures
    int bitmapResource = 0;  // strip of pictures, magenta (255,0,255) as the see-through colour
    int height = 0;        // fixed band height; 0: as high as the buttons
    std::vector<ToolButtonLayout> buttons;
};

// A window timer; its handler is bound with Form::OnTimer.
struct TimerLayout {
    std::string name;
    int interval = 1000;  // milliseconds
    bool enabled = true;
};

enum class BorderStyle {
    Sizeable,  // resizable frame with system menu, minimise and maximise buttons
    Single,    // fixed frame with system menu and minimise button
    Dialog,    // fixed dialog frame with system menu only
};

enum class FormPosition {
    ScreenCentre,
    MainFormCentre,  // over the window that owns it (the main window), else the screen
};

struct FormLayout {
    std::string className;  // e.g. "TForm1"
    std::string caption;
    // Design size of the window, pixels at 96 DPI. When both are 0 the window is sized to hold a
    // client area of clientWidth x clientHeight.
    int width = 0, height = 0;
    // The client area the controls were laid out in; anchored controls keep their distances to
    // its right and bottom edges.
    int clientWidth = 0, clientHeight = 0;
    int minHeight = 0;
    Colour backColour = kDefaultColour;
    int iconResource = 0;  // 0: the system's application icon
    BorderStyle border = BorderStyle::Sizeable;
    bool stayOnTop = false;
    FormPosition position = FormPosition::ScreenCentre;
    bool maximised = false;  // shown maximised
    std::vector<TimerLayout> timers;
    std::vector<MenuItemLayout> menu;
    std::optional<ToolBarLayout> toolBar;
    std::vector<ControlLayout> controls;
    // Menus that pop up over a control, each a title (by its name) with its items.
    std::vector<MenuItemLayout> popupMenus;
};

// Command identifiers are handed out in a fixed order so that another process (the UI test
// driver) can compute them from the same FormLayout: menu items depth-first, then tool buttons,
// then the popup menus depth-first.
inline constexpr int kFirstCommandId = 100;
// Control identifiers follow the order of FormLayout::controls.
inline constexpr int kFirstControlId = 1000;

// The command id of the named menu item or tool button, if the form has one of that name.
std::optional<int> CommandIdOf(const FormLayout& form, std::string_view name);
std::optional<int> ControlIdOf(const FormLayout& form, std::string_view name);
// Timer identifiers follow the order of FormLayout::timers.
inline constexpr int kFirstTimerId = 1;
std::optional<int> TimerIdOf(const FormLayout& form, std::string_view name);

// Visits menu items depth-first in command-id order, separators included (they get ids too).
void ForEachMenuItem(const std::vector<MenuItemLayout>& menu, const auto& visit) {
    for (const MenuItemLayout& item : menu) {
        visit(item);
        ForEachMenuItem(item.items, visit);
    }
}

// A keyboard shortcut as Windows virtual-key code and modifier keys.
struct Shortcut {
    std::uint16_t key = 0;
    bool ctrl = false, shift = false, alt = false;
};

// "F5", "Ctrl+P", "Shift+Ctrl+F2", "Del"; nullopt for anything not understood.
std::optional<Shortcut> ParseShortcut(std::string_view text);

// Scales a design length at 96 DPI to the given DPI, rounding like the platform's MulDiv.
int ScaleForDpi(int length, int dpi);

}  // namespace brimlow::ui
