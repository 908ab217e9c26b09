#include "ui/form.h"

#include "platform/win_binding.h"
#include "platform/win_clipboard.h"
#include "ui/access_keys.h"
#include "ui/accessible_name.h"
#include "ui/application.h"
#include "ui/list_view.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace brimlow::ui {
namespace {

constexpr const char* kPictureClass = "BrimlowPicture";
constexpr const char* kPanelClass = "BrimlowPanel";
constexpr const char* kCanvasClass = "BrimlowCanvas";

void PaintPicture(HWND hwnd, HDC dc) {
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    const auto bitmap = reinterpret_cast<HBITMAP>(::GetWindowLongPtrA(hwnd, 0));
    BITMAP info{};
    if (bitmap && ::GetObjectA(bitmap, sizeof info, &info)) {
        HDC memory = ::CreateCompatibleDC(dc);
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::SetStretchBltMode(dc, HALFTONE);
        ::StretchBlt(dc, 0, 0, rc.right, rc.bottom, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        PaintPicture(hwnd, dc);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintPicture(hwnd, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY:
        if (const auto bitmap = reinterpret_cast<HBITMAP>(::GetWindowLongPtrA(hwnd, 0))) ::DeleteObject(bitmap);
        ::SetWindowLongPtrA(hwnd, 0, 0);
        break;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

// The check box of a check-list item, drawn with plain lines so that it looks the same under every
// theme and system: a framed white square, and a tick when checked.
void DrawCheckMark(HDC dc, const RECT& box, bool checked, bool enabled) {
    const win::GdiObject face(::CreateSolidBrush(enabled ? RGB(255, 255, 255) : ::GetSysColor(COLOR_BTNFACE)));
    ::FillRect(dc, &box, static_cast<HBRUSH>(face.get()));
    ::FrameRect(dc, &box, ::GetSysColorBrush(COLOR_BTNSHADOW));
    if (!checked) return;
    const int w = box.right - box.left;
    const COLORREF ink = enabled ? RGB(0, 0, 0) : ::GetSysColor(COLOR_GRAYTEXT);
    const win::GdiObject pen(::CreatePen(PS_SOLID, std::max(1, w / 6), ink));
    const HGDIOBJ old = ::SelectObject(dc, pen.get());
    const POINT tick[] = {{box.left + w * 3 / 13, box.top + w * 6 / 13},
                          {box.left + w * 5 / 13, box.top + w * 9 / 13},
                          {box.left + w * 10 / 13, box.top + w * 3 / 13}};
    ::Polyline(dc, tick, 3);
    ::SelectObject(dc, old);
}

constexpr int kCheckBoxSize = 13;  // pixels at 96 DPI

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// With visual styles a gauge draws in the theme's colours and ignores the one it is given; without
// its theme it takes the colour. A blank names no theme at all (an empty text is not enough for
// every implementation). uxtheme.dll is missing before Windows XP, where there are no styles.
void RemoveVisualStyle(HWND control) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const win::RuntimeLibrary uxtheme("uxtheme.dll", win::RuntimeLibrary::Source::LoadNow);
    static SetWindowThemeFn setWindowTheme = nullptr;
    static const bool bound = uxtheme.Bind(win::EntryPoint{"SetWindowTheme", &setWindowTheme});
    if (bound) setWindowTheme(control, L" ", L" ");
}

DWORD FormStyle(const FormLayout& layout) {
    switch (layout.border) {
    case BorderStyle::Single: return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    case BorderStyle::Dialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    case BorderStyle::Sizeable: break;
    }
    return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}

std::string MenuText(const MenuItemLayout& item) {
    return item.shortcut.empty() ? item.caption : item.caption + "\t" + item.shortcut;
}

}  // namespace

void Form::RegisterClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    WNDCLASSEXA picture{};
    picture.cbSize = sizeof picture;
    picture.lpfnWndProc = PictureProc;
    picture.cbWndExtra = sizeof(LONG_PTR);
    picture.hInstance = Application::Instance().instance();
    picture.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    picture.lpszClassName = kPictureClass;
    ::RegisterClassExA(&picture);

    // Panels and canvases find their control's state in their first window word.
    WNDCLASSEXA panel = picture;
    panel.lpfnWndProc = PanelProc;
    panel.lpszClassName = kPanelClass;
    ::RegisterClassExA(&panel);
    WNDCLASSEXA canvas = picture;
    canvas.lpfnWndProc = CanvasProc;
    canvas.lpszClassName = kCanvasClass;
    ::RegisterClassExA(&canvas);
}

namespace {
template <typename State>
UINT PanelEdge(const State* state) {
    return state && state->layout && state->layout->raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
}
}  // namespace

void Form::PaintPanel(const ControlState* state, HWND panel, HDC dc) {
    RECT rc;
    ::GetClientRect(panel, &rc);
    const HBRUSH brush =
        state && state->brush ? static_cast<HBRUSH>(state->brush.get()) : ::GetSysColorBrush(COLOR_BTNFACE);
    ::FillRect(dc, &rc, brush);
    ::DrawEdge(dc, &rc, PanelEdge(state), BF_RECT);
}

LRESULT CALLBACK Form::PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* state = reinterpret_cast<const ControlState*>(::GetWindowLongPtrA(hwnd, 0));
    switch (message) {
    case WM_ERASEBKGND: {
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        const HBRUSH brush =
            state && state->brush ? static_cast<HBRUSH>(state->brush.get()) : ::GetSysColorBrush(COLOR_BTNFACE);
        ::FillRect(reinterpret_cast<HDC>(wParam), &rc, brush);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        ::DrawEdge(dc, &rc, PanelEdge(state), BF_RECT);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintPanel(state, hwnd, reinterpret_cast<HDC>(wParam));
        return 0;
    // What the controls inside tell their parent is meant for the form.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return ::SendMessageA(::GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void Form::PaintCanvas(const ControlState& state, HDC dc) {
    RECT rc;
    ::GetClientRect(state.hwnd, &rc);
    if (state.image) {
        state.image->DrawTo(dc, rc);
        return;
    }
    const HBRUSH brush = state.brush ? static_cast<HBRUSH>(state.brush.get()) : ::GetSysColorBrush(COLOR_BTNFACE);
    ::FillRect(dc, &rc, brush);
    if (state.paint) Application::Instance().Guard([&] { state.paint(dc); });
}

LRESULT CALLBACK Form::CanvasProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* state = reinterpret_cast<const ControlState*>(::GetWindowLongPtrA(hwnd, 0));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        if (state) PaintCanvas(*state, dc);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (state) PaintCanvas(*state, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

Form::Form(const FormLayout& layout) : layout_(layout) {
    UINT_PTR timerId = kFirstTimerId;
    for (const TimerLayout& timer : layout_.timers) timers_.push_back({&timer, timerId++, timer.enabled, {}});
    Application::Instance().AddForm(this);
}

Form::~Form() {
    Application::Instance().RemoveForm(this);
    if (hwnd_) {
        ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
    if (images_) ImageList_Destroy(images_);
}

void Form::Create(HWND owner) {
    if (hwnd_) return;
    RegisterClasses();
    dpi_ = ScreenDpi();
    HINSTANCE instance = Application::Instance().instance();

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoExA(instance, layout_.className.c_str(), &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hIcon = layout_.iconResource ? ::LoadIconA(instance, MAKEINTRESOURCEA(layout_.iconResource))
                                       : ::LoadIconA(nullptr, IDI_APPLICATION);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = layout_.className.c_str();
        if (!::RegisterClassExA(&wc)) throw std::runtime_error("Cannot register the window class " + layout_.className);
    }
    if (layout_.backColour != kDefaultColour) formBrush_.reset(::CreateSolidBrush(layout_.backColour));

    BuildMenu();
    const DWORD style = FormStyle(layout_);
    const DWORD exStyle = (layout_.stayOnTop ? WS_EX_TOPMOST : 0) |
                          (layout_.border == BorderStyle::Dialog ? WS_EX_DLGMODALFRAME : 0);
    const bool sizedByClient = layout_.width == 0 && layout_.height == 0;
    int width = Scale(layout_.width);
    int height = Scale(layout_.height);
    if (sizedByClient) {
        RECT rc{0, 0, Scale(layout_.clientWidth), Scale(layout_.clientHeight)};
        ::AdjustWindowRectEx(&rc, style, menu_ ? TRUE : FALSE, exStyle);
        width = rc.right - rc.left;
        height = rc.bottom - rc.top;
    }
    const HWND created = ::CreateWindowExA(exStyle, layout_.className.c_str(), layout_.caption.c_str(), style,
                                           CW_USEDEFAULT, CW_USEDEFAULT, width, height, owner, menu_.get(), instance,
                                           this);
    if (!created) throw std::runtime_error("Cannot create the window " + layout_.className);
    // The window owns the menu from now on.
    menu_.release();
    hwnd_ = created;
    if (sizedByClient) {
        // The frame estimate leaves out a menu bar that wraps or differs in height; measure and
        // correct so the controls get exactly the client area they were laid out in.
        RECT client;
        ::GetClientRect(hwnd_, &client);
        const int dw = Scale(layout_.clientWidth) - client.right, dh = Scale(layout_.clientHeight) - client.bottom;
        if (dw || dh)
            ::SetWindowPos(hwnd_, nullptr, 0, 0, width + dw, height + dh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    clientWidth_ = Scale(layout_.clientWidth);
    clientHeight_ = Scale(layout_.clientHeight);
    BuildToolBar();
    BuildPopupMenus();
    BuildControls();
    NameControlsByLabels();
    RECT rc;
    ::GetClientRect(hwnd_, &rc);
    if (!layout_.clientWidth) clientWidth_ = rc.right;
    if (!layout_.clientHeight) clientHeight_ = rc.bottom;
    created_ = true;
    LayoutAnchored();
    Application::Instance().Guard([&] { FormCreate(); });
    StartTimers();
    for (Command& command : commands_) {
        if (!command.isPopup && !command.handler) command.enabled = false;
        ApplyCommandState(command);
    }
    BuildShortcuts();
}

void Form::BuildMenu() {
    commands_.clear();
    if (layout_.menu.empty()) return;
    int id = kFirstCommandId;
    // Menus are built depth-first so that command ids follow ForEachMenuItem's order.
    std::function<void(HMENU, const std::vector<MenuItemLayout>&)> add = [&](HMENU parent,
                                                                            const std::vector<MenuItemLayout>& items) {
        const bool menuBar = parent == menu_.get();
        for (const MenuItemLayout& item : items) {
            const int itemId = id++;
            Command command;
            command.id = itemId;
            command.name = item.name;
            if (item.IsSeparator()) {
                ::AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
                commands_.push_back(std::move(command));
                continue;
            }
            if (!item.items.empty() || menuBar) {
                HMENU popup = ::CreatePopupMenu();
                command.isPopup = true;
                commands_.push_back(std::move(command));
                add(popup, item.items);
                ::AppendMenuA(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), item.caption.c_str());
                continue;
            }
            ::AppendMenuA(parent, MF_STRING, static_cast<UINT_PTR>(itemId), MenuText(item).c_str());
            commands_.push_back(std::move(command));
        }
    };
    menu_.reset(::CreateMenu());
    add(menu_.get(), layout_.menu);
}

void Form::BuildToolBar() {
    if (!layout_.toolBar) return;
    const ToolBarLayout& bar = *layout_.toolBar;
    HINSTANCE instance = Application::Instance().instance();
    // A bar of fixed height keeps it; one without grows to its buttons and their captions.
    const DWORD sizing = bar.height ? CCS_NORESIZE : 0;
    toolBar_ = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                 WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | sizing | CCS_NODIVIDER,
                                 0, 0, Scale(layout_.clientWidth ? layout_.clientWidth : layout_.width), Scale(bar.height),
                                 hwnd_, nullptr, instance, nullptr);
    if (!toolBar_) return;
    ::SendMessageA(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int image = Scale(bar.imageSize);
    int count = 0;  // pictures in the strip
    for (const ToolButtonLayout& button : bar.buttons)
        if (!button.separator) count = std::max(count, button.imageIndex + 1);
    // A bar of captions alone has no pictures: its buttons then take no room for one.
    if (image > 0) images_ = ImageList_Create(image, image, ILC_COLOR24 | ILC_MASK, count, 0);
    if (images_) {
        if (HANDLE strip = ::LoadImageA(instance, MAKEINTRESOURCEA(bar.bitmapResource), IMAGE_BITMAP, image * count,
                                        image, LR_CREATEDIBSECTION)) {
            ImageList_AddMasked(images_, static_cast<HBITMAP>(strip), RGB(255, 0, 255));
            ::DeleteObject(strip);
        }
    }
    ::SendMessageA(toolBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    ::SendMessageA(toolBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(image, image));
    int id = kFirstCommandId + static_cast<int>(commands_.size());
    std::vector<TBBUTTON> buttons;
    for (const ToolButtonLayout& layout : bar.buttons) {
        Command command;
        command.id = id++;
        command.name = layout.name;
        command.hint = layout.hint;
        command.isToolButton = true;
        TBBUTTON button{};
        button.iBitmap = layout.separator ? 0 : images_ ? layout.imageIndex : I_IMAGENONE;
        button.idCommand = command.id;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = layout.separator ? BTNS_SEP : BTNS_BUTTON;
        // The tool bar keeps its own copy of the caption.
        button.iString = layout.caption.empty() ? -1 : reinterpret_cast<INT_PTR>(layout.caption.c_str());
        buttons.push_back(button);
        commands_.push_back(std::move(command));
    }
    ::SendMessageA(toolBar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    if (bar.buttonSize)
        ::SendMessageA(toolBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(Scale(bar.buttonSize), Scale(bar.buttonSize)));
    ::SendMessageA(toolBar_, TB_AUTOSIZE, 0, 0);
}

void Form::BuildPopupMenus() {
    popupMenus_.clear();
    int id = kFirstCommandId + static_cast<int>(commands_.size());
    for (const MenuItemLayout& title : layout_.popupMenus) {
        Command command;
        command.id = id++;
        command.name = title.name;
        command.isPopup = true;
        commands_.push_back(std::move(command));
        win::Menu menu(::CreatePopupMenu());
        AppendPopupItems(menu.get(), title.items, id);
        popupMenus_.push_back({title.name, std::move(menu)});
    }
}

void Form::AppendPopupItems(HMENU parent, const std::vector<MenuItemLayout>& items, int& id) {
    for (const MenuItemLayout& item : items) {
        Command command;
        command.id = id++;
        command.name = item.name;
        if (item.IsSeparator()) {
            ::AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
        } else if (!item.items.empty()) {
            HMENU sub = ::CreatePopupMenu();
            command.isPopup = true;
            commands_.push_back(std::move(command));
            AppendPopupItems(sub, item.items, id);
            ::AppendMenuA(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), item.caption.c_str());
            continue;
        } else {
            ::AppendMenuA(parent, MF_STRING, static_cast<UINT_PTR>(command.id), MenuText(item).c_str());
        }
        commands_.push_back(std::move(command));
    }
}

bool Form::ShowPopupMenu(HWND control, LPARAM where) {
    const ControlState* state = FindControl(control);
    if (!state || state->layout->kind != ControlKind::ListView || state->layout->list.popupMenu.empty()) return false;
    const auto popup = std::find_if(popupMenus_.begin(), popupMenus_.end(),
                                    [&](const PopupMenu& p) { return p.name == state->layout->list.popupMenu; });
    if (popup == popupMenus_.end()) return false;
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: at the selected row, else at the list's corner.
        at = {0, 0};
        const int selected = static_cast<int>(::SendMessageA(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        RECT row{};
        row.left = LVIR_BOUNDS;
        if (selected >= 0 && ::SendMessageA(control, LVM_GETITEMRECT, selected, reinterpret_cast<LPARAM>(&row)))
            at = {row.left, row.bottom};
        ::ClientToScreen(control, &at);
    }
    // The chosen item arrives as a WM_COMMAND like any menu item.
    ::TrackPopupMenu(popup->menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    return true;
}

LRESULT Form::DrawListStripe(const ControlState& list, NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        draw.clrTextBk = draw.nmcd.dwItemSpec % 2 ? list.layout->list.stripeColour : ::GetSysColor(COLOR_WINDOW);
        return CDRF_NEWFONT;
    default: return CDRF_DODEFAULT;
    }
}

LRESULT Form::DrawMultiLineCell(const ControlState& list, NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const int row = static_cast<int>(draw.nmcd.dwItemSpec);
        RECT cell{};
        cell.top = draw.iSubItem;
        cell.left = draw.iSubItem == 0 ? LVIR_LABEL : LVIR_BOUNDS;
        if (!::SendMessageA(list.hwnd, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) return CDRF_DODEFAULT;
        char text[1024] = {};
        LVITEMA item{};
        item.iSubItem = draw.iSubItem;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(list.hwnd, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        const bool selected = ::SendMessageA(list.hwnd, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
        COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        if (!selected && list.layout->list.stripeColour != kDefaultColour && row % 2) back = list.layout->list.stripeColour;
        const win::GdiObject brush(::CreateSolidBrush(back));
        ::FillRect(draw.nmcd.hdc, &cell, static_cast<HBRUSH>(brush.get()));
        ::SetBkMode(draw.nmcd.hdc, TRANSPARENT);
        ::SetTextColor(draw.nmcd.hdc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const HGDIOBJ old = ::SelectObject(draw.nmcd.hdc, list.font);
        RECT inner = cell;
        ::InflateRect(&inner, -Scale(3), -Scale(1));
        ::DrawTextA(draw.nmcd.hdc, text, -1, &inner, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS);
        ::SelectObject(draw.nmcd.hdc, old);
        return CDRF_SKIPDEFAULT;
    }
    default: return CDRF_DODEFAULT;
    }
}

HFONT Form::FontFor(const Font& font) {
    if (!font.face) return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    const std::string key = std::string(font.face) + "/" + std::to_string(font.pixelHeight) + (font.bold ? "b" : "") +
                            (font.underline ? "u" : "");
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        // A negative height asks for the character height, as a "13-pixel font" means.
        HFONT created = ::CreateFontA(-Scale(font.pixelHeight), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                      font.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, font.face);
        found = fonts_.emplace(key, win::GdiObject(created)).first;
    }
    return static_cast<HFONT>(found->second.get());
}

void Form::BuildControls() {
    HINSTANCE instance = Application::Instance().instance();
    controls_.clear();
    // Panels and canvases keep a pointer to their entry: the vector must never reallocate.
    controls_.reserve(layout_.controls.size());
    int id = kFirstControlId;
    const std::vector<std::string> shown = ShownTexts();
    for (const ControlLayout& layout : layout_.controls) {
        const std::string& text = shown[controls_.size()];
        const char* cls = "STATIC";
        DWORD style = WS_CHILD | (layout.visible ? WS_VISIBLE : 0);
        DWORD exStyle = 0;
        switch (layout.kind) {
        case ControlKind::Label:
        case ControlKind::LinkLabel:
            // Only a label with an access key shows its mark; an "&" of any other is text.
            style |= (text == layout.text ? SS_NOPREFIX : 0) | (layout.kind == ControlKind::LinkLabel ? SS_NOTIFY : 0);
            style |= layout.align == TextAlign::Centre ? SS_CENTER : layout.align == TextAlign::Right ? SS_RIGHT : SS_LEFT;
            break;
        case ControlKind::ReadOnlyEdit:
            cls = "EDIT";
            style |= ES_READONLY | ES_AUTOHSCROLL | ES_LEFT | WS_BORDER;
            break;
        case ControlKind::Picture: cls = kPictureClass; break;
        case ControlKind::Panel: cls = kPanelClass; style |= WS_CLIPCHILDREN; break;
        case ControlKind::ProgressBar:
            cls = PROGRESS_CLASSA;
            style |= (layout.vertical ? PBS_VERTICAL : 0) | (layout.smooth ? PBS_SMOOTH : 0);
            break;
        case ControlKind::Image:
        case ControlKind::PaintBox: cls = kCanvasClass; break;
        case ControlKind::CheckBox:
            cls = "BUTTON";
            style |= BS_AUTOCHECKBOX | WS_TABSTOP;
            break;
        case ControlKind::ListView:
            cls = WC_LISTVIEWA;
            style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP;
            if (!layout.list.headings) style |= LVS_NOCOLUMNHEADER;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::StatusBar:
            cls = STATUSCLASSNAMEA;
            style |= SBARS_SIZEGRIP;
            break;
        case ControlKind::Button:
            cls = "BUTTON";
            style |= (layout.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
            break;
        case ControlKind::Edit:
            cls = "EDIT";
            style |= ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP | (layout.password ? ES_PASSWORD : 0);
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::CheckList:
            // Drawn by the form (DrawCheckListItem); the marks live in the item data.
            cls = "LISTBOX";
            style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::ComboList:
            cls = "COMBOBOX";
            style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
            break;
        case ControlKind::TreeView:
            cls = WC_TREEVIEWA;
            style |= TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP;
            break;
        case ControlKind::ListBox:
            cls = "LISTBOX";
            style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Memo:
            cls = "EDIT";
            style |= ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::GroupBox:
            cls = "BUTTON";
            // Filling its inside must leave the controls it groups alone.
            style |= BS_GROUPBOX | WS_CLIPSIBLINGS;
            break;
        }
        // Columns side by side scroll sideways, not down.
        if (layout.columns > 1 && (layout.kind == ControlKind::CheckList || layout.kind == ControlKind::ListBox))
            style = (style & ~static_cast<DWORD>(WS_VSCROLL)) | LBS_MULTICOLUMN | WS_HSCROLL;
        HWND parent = hwnd_;
        if (!layout.parent.empty()) {
            const ControlState* panel = FindControl(layout.parent);
            if (!panel || panel->layout->kind != ControlKind::Panel)
                throw std::logic_error(layout.name + " sits in " + layout.parent + ", which is no panel before it");
            parent = panel->hwnd;
        }
        ControlState state;
        state.layout = &layout;
        state.marked = text != layout.text;
        state.accessKey = state.marked ? AccessKeyOf(text) : '\0';
        state.hwnd = ::CreateWindowExA(exStyle, cls, text.c_str(), style, Scale(layout.rect.left),
                                       Scale(layout.rect.top), Scale(layout.rect.width), Scale(layout.rect.height),
                                       parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        if (layout.kind == ControlKind::Picture && state.hwnd && layout.resourceId) {
            HANDLE bitmap = ::LoadImageA(instance, MAKEINTRESOURCEA(layout.resourceId), IMAGE_BITMAP, 0, 0,
                                         LR_CREATEDIBSECTION);
            ::SetWindowLongPtrA(state.hwnd, 0, reinterpret_cast<LONG_PTR>(bitmap));
        }
        // The system's own mask character differs between versions of the controls.
        if (layout.kind == ControlKind::Edit && layout.password && state.hwnd)
            ::SendMessageA(state.hwnd, EM_SETPASSWORDCHAR, '*', 0);
        if (layout.kind == ControlKind::ProgressBar && state.hwnd) {
            ::SendMessageA(state.hwnd, PBM_SETRANGE32, layout.minimum, layout.maximum);
            ::SendMessageA(state.hwnd, PBM_SETPOS, layout.position, 0);
        }
        if (layout.kind == ControlKind::ListView && state.hwnd) {
            DWORD extended = LVS_EX_LABELTIP;
            if (layout.list.gridLines) extended |= LVS_EX_GRIDLINES;
            if (layout.list.rowSelect) extended |= LVS_EX_FULLROWSELECT;
            if (layout.list.flatScrollBars) extended |= LVS_EX_FLATSB;
            if (layout.list.checkBoxes) extended |= LVS_EX_CHECKBOXES;
            ::SendMessageA(state.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
            if (layout.list.rowHeight > 0) {
                // A list's rows are as high as its small pictures: a blank strip one pixel wide sets
                // the height. The list owns the image list and destroys it with itself.
                HIMAGELIST rows = ::ImageList_Create(1, Scale(layout.list.rowHeight), ILC_COLOR, 1, 0);
                if (rows) ::SendMessageA(state.hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rows));
            }
            int index = 0;
            for (const ListColumnLayout& column : layout.list.columns) {
                LVCOLUMNA lvc{};
                lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
                lvc.fmt = column.alignRight ? LVCFMT_RIGHT : LVCFMT_LEFT;
                lvc.cx = Scale(column.width);
                lvc.pszText = const_cast<char*>(column.caption.c_str());
                ::SendMessageA(state.hwnd, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&lvc));
            }
        }
        // A tree view paints its own background and text; it asks its parent for no colours.
        if (layout.kind == ControlKind::TreeView && state.hwnd) {
            if (layout.backColour != kDefaultColour) TreeView_SetBkColor(state.hwnd, layout.backColour);
            if (layout.textColour != kDefaultColour) TreeView_SetTextColor(state.hwnd, layout.textColour);
        }
        if (layout.columns > 1 && state.hwnd &&
            (layout.kind == ControlKind::CheckList || layout.kind == ControlKind::ListBox)) {
            RECT client{};
            ::GetClientRect(state.hwnd, &client);
            ::SendMessageA(state.hwnd, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(client.right / layout.columns), 0);
        }
        if (layout.kind == ControlKind::ComboList && state.hwnd)
            ::SetWindowSubclass(state.hwnd, WheelProc, 1, reinterpret_cast<DWORD_PTR>(this));
        if (layout.kind == ControlKind::GroupBox && state.hwnd) ::SetWindowSubclass(state.hwnd, GroupBoxProc, 1, 0);
        if (layout.kind == ControlKind::StatusBar && state.hwnd) {
            // One panel, across the whole bar unless the layout gives its width; the bar's text is
            // the panel's.
            int right = layout.panelWidth > 0 ? Scale(layout.panelWidth) : -1;
            ::SendMessageA(state.hwnd, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
            ::SendMessageA(state.hwnd, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(layout.text.c_str()));
        }
        // The picture keeps the design size in pixels: what is drawn on it is pixel geometry.
        if (layout.kind == ControlKind::Image) state.image = std::make_unique<Bitmap>(layout.rect.width, layout.rect.height);
        state.font = FontFor(layout.font);
        if (state.hwnd) ::SendMessageA(state.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
        if (layout.kind == ControlKind::CheckList && state.hwnd) {
            // The list asked for its item height before it had a font: tell it now.
            HDC dc = ::GetDC(state.hwnd);
            const HGDIOBJ old = ::SelectObject(dc, state.font);
            TEXTMETRICA metrics{};
            ::GetTextMetricsA(dc, &metrics);
            ::SelectObject(dc, old);
            ::ReleaseDC(state.hwnd, dc);
            const int height = std::max<int>(metrics.tmHeight + Scale(3), Scale(kCheckBoxSize + 3));
            ::SendMessageA(state.hwnd, LB_SETITEMHEIGHT, 0, height);
        }
        if (layout.backColour != kDefaultColour) state.brush.reset(::CreateSolidBrush(layout.backColour));
        controls_.push_back(std::move(state));
        const ControlState& placed = controls_.back();
        if (placed.hwnd && (layout.kind == ControlKind::Panel || layout.kind == ControlKind::Image ||
                            layout.kind == ControlKind::PaintBox)) {
            ::SetWindowLongPtrA(placed.hwnd, 0, reinterpret_cast<LONG_PTR>(&placed));
            ::InvalidateRect(placed.hwnd, nullptr, TRUE);
        }
    }
}

namespace {

// Controls the user moves to or works with from the keyboard; a label naming one of them can
// take the user there.
bool TakesFocus(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit:
    case ControlKind::ComboList:
    case ControlKind::ListBox:
    case ControlKind::ListView:
    case ControlKind::TreeView:
    case ControlKind::CheckList:
        return true;
    default:
        return false;
    }
}

}  // namespace

std::vector<std::string> Form::ShownTexts() const {
    const std::vector<ControlLayout>& controls = layout_.controls;
    std::vector<bool> keyed(controls.size(), false);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlKind kind = controls[i].kind;
        if (kind == ControlKind::Button || kind == ControlKind::CheckBox) keyed[i] = true;
        if (!TakesFocus(kind) || controls[i].label.empty()) continue;
        for (std::size_t j = 0; j < controls.size(); ++j)
            if (controls[j].name == controls[i].label && controls[j].kind == ControlKind::Label) keyed[j] = true;
    }
    std::vector<std::string> captions, shown;
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (keyed[i]) captions.push_back(controls[i].text);
    std::vector<std::string> titles;
    for (const MenuItemLayout& title : layout_.menu) titles.push_back(title.caption);
    const std::vector<std::size_t> keys = ChooseAccessKeys(captions, MenuBarKeys(titles));
    std::size_t next = 0;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        shown.push_back(keyed[i] ? WithAccessKey(controls[i].text, keys[next]) : controls[i].text);
        if (keyed[i]) ++next;
    }
    return shown;
}

void Form::NameControlsByLabels() {
    for (ControlState& control : controls_) {
        const std::string& label = control.layout->label;
        if (label.empty() || !control.hwnd) continue;
        const auto named = std::find_if(controls_.begin(), controls_.end(),
                                        [&](const ControlState& c) { return c.layout->name == label; });
        if (named == controls_.end()) throw std::logic_error(control.layout->name + " is named by " + label + ", which " +
                                                             "the window does not have");
        NameControlByLabel(control.hwnd, named->hwnd);
        if (named->accessKey) named->labelled = control.hwnd;
    }
}

// Alt and a control's access key: a button or check box is pressed, a label moves to the field it
// names. Keys nobody here has go on to the menu bar.
bool Form::AccessKey(const MSG& msg) {
    if (msg.message != WM_SYSKEYDOWN || (::GetKeyState(VK_CONTROL) & 0x8000)) return false;
    const auto key = static_cast<char>(msg.wParam);
    if (!((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) return false;
    for (const ControlState& control : controls_) {
        if (control.accessKey != key || !control.hwnd || !::IsWindowVisible(control.hwnd)) continue;
        const HWND target = control.layout->kind == ControlKind::Label ? control.labelled : control.hwnd;
        if (!target || !::IsWindowEnabled(target) || !::IsWindowVisible(target)) continue;
        ::SetFocus(target);
        if (control.layout->kind == ControlKind::Label) {
            if (FindControl(target)->layout->kind == ControlKind::Edit) ::SendMessageA(target, EM_SETSEL, 0, -1);
        } else {
            ::SendMessageA(target, BM_CLICK, 0, 0);
        }
        return true;
    }
    return false;
}

void Form::BuildShortcuts() {
    std::vector<ACCEL> table;
    std::size_t index = 0;
    ForEachMenuItem(layout_.menu, [&](const MenuItemLayout& item) {
        const Command& command = commands_[index++];
        if (item.shortcut.empty()) return;
        const auto shortcut = ParseShortcut(item.shortcut);
        if (!shortcut) return;
        ACCEL accel{};
        accel.fVirt = FVIRTKEY | (shortcut->ctrl ? FCONTROL : 0) | (shortcut->shift ? FSHIFT : 0) |
                      (shortcut->alt ? FALT : 0);
        accel.key = shortcut->key;
        accel.cmd = static_cast<WORD>(command.id);
        table.push_back(accel);
    });
    if (!table.empty()) shortcuts_.reset(::CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
}

void Form::StartTimers() {
    for (const TimerState& timer : timers_)
        if (timer.enabled) ::SetTimer(hwnd_, timer.id, static_cast<UINT>(timer.layout->interval), nullptr);
}

bool Form::TranslateShortcut(MSG& msg) {
    if (DialogKey(msg)) return true;
    return shortcuts_ && hwnd_ && ::TranslateAcceleratorA(hwnd_, shortcuts_.get(), &msg) != 0;
}

// Enter, Escape and Tab in a form with push buttons or edits work as they do in a dialog box.
bool Form::DialogKey(const MSG& msg) {
    if (hwnd_ && AccessKey(msg)) return true;
    if (!hwnd_ || msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_TAB) {
        const bool typed = std::any_of(controls_.begin(), controls_.end(), [](const ControlState& c) {
            return c.layout->kind == ControlKind::Edit || c.layout->kind == ControlKind::Button;
        });
        if (!typed) return false;
        const bool back = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
        if (const HWND next = ::GetNextDlgTabItem(hwnd_, ::GetFocus(), back)) ::SetFocus(next);
        return true;
    }
    // Ctrl+C in a list copies its selected row, the cells separated by tabs.
    if (msg.wParam == 'C' && (::GetKeyState(VK_CONTROL) & 0x8000) && !(::GetKeyState(VK_MENU) & 0x8000)) {
        const ControlState* list = FindControl(::GetFocus());
        if (!list || list->layout->kind != ControlKind::ListView) return false;
        const ListView view(list->hwnd);
        const std::optional<int> row = view.Selected();
        if (!row) return true;
        std::string text;
        const std::vector<std::string> cells = view.Row(*row);
        for (std::size_t i = 0; i < cells.size(); ++i) text += (i ? "\t" : "") + cells[i];
        win::SetClipboardText(hwnd_, text);
        return true;
    }
    if (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) return false;
    for (const ControlState& control : controls_) {
        const ControlLayout& layout = *control.layout;
        if (layout.kind != ControlKind::Button || !control.hwnd) continue;
        if ((msg.wParam == VK_RETURN && layout.defaultButton) || (msg.wParam == VK_ESCAPE && layout.cancelButton)) {
            ::SendMessageA(control.hwnd, BM_CLICK, 0, 0);
            return true;
        }
    }
    // A modal window without a Cancel button closes on Escape all the same.
    if (msg.wParam == VK_ESCAPE && modal_) {
        Close();
        return true;
    }
    return false;
}

void Form::EndModal(ModalResult result) {
    modalResult_ = result;
    modalDone_ = true;
    Hide();
}

void Form::LayoutAnchored() {
    RECT rc;
    ::GetClientRect(hwnd_, &rc);
    for (const ControlState& control : controls_) {
        const ControlLayout& layout = *control.layout;
        if (layout.anchors == kAnchorTopLeft || !control.hwnd || !layout.parent.empty()) continue;
        const int left = Scale(layout.rect.left) - scrollX_;
        int top = Scale(layout.rect.top) - scrollY_;
        int width = Scale(layout.rect.width);
        if (layout.anchors & kAnchorBottom) top = rc.bottom - (clientHeight_ - Scale(layout.rect.top));
        if (layout.anchors & kAnchorRight) width = rc.right - (clientWidth_ - (left + width)) - left;
        ::SetWindowPos(control.hwnd, nullptr, left, top, std::max(width, 0), Scale(layout.rect.height),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutBars();
    UpdateScrollBar();
}

bool Form::Scrolls(const ControlState& control) const {
    const ControlLayout& layout = *control.layout;
    return control.hwnd && layout.parent.empty() && !layout.fillClient && layout.kind != ControlKind::StatusBar &&
           !(layout.anchors & kAnchorBottom);
}

void Form::UpdateScrollBar() {
    if (updatingScrollBar_ || !hwnd_) return;
    // A form with a control that fills the client area sizes that control instead.
    for (const ControlState& control : controls_)
        if (control.layout->fillClient) return;
    updatingScrollBar_ = true;
    RECT rc;
    ::GetClientRect(hwnd_, &rc);
    int available = rc.bottom;
    for (const ControlState& control : controls_) {
        if (!control.hwnd || control.layout->kind != ControlKind::StatusBar ||
            !(::GetWindowLongPtrA(control.hwnd, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT bar;
        ::GetWindowRect(control.hwnd, &bar);
        available -= bar.bottom - bar.top;
    }
    int contentBottom = 0;
    for (const ControlState& control : controls_) {
        if (!Scrolls(control) || !control.layout->visible) continue;
        RECT placed;
        ::GetWindowRect(control.hwnd, &placed);
        ::MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&placed), 2);
        // A drop-down list's window is its closed height; its layout height is the open list's.
        contentBottom = std::max(contentBottom, static_cast<int>(placed.bottom) + scrollY_);
    }
    if (contentBottom > available && available > 0) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
        info.nMin = 0;
        info.nMax = contentBottom - 1;
        info.nPage = static_cast<UINT>(available);
        ::SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
        ::ShowScrollBar(hwnd_, SB_VERT, TRUE);
        // The bar takes its width from the client area: widen the window rather than cut the
        // controls at its right edge. Only by the bar's width: a window the user made narrower
        // than its controls stays as narrow as they made it.
        const int contentRight = ContentRight() - scrollX_;
        RECT client;
        ::GetClientRect(hwnd_, &client);
        if (contentRight > client.right && contentRight <= client.right + ::GetSystemMetrics(SM_CXVSCROLL)) {
            RECT frame;
            ::GetWindowRect(hwnd_, &frame);
            ::SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + contentRight - client.right,
                           frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            LayoutBars();
        }
        ScrollTo(std::min(scrollY_, contentBottom - available));
    } else {
        ScrollTo(0);
        ::ShowScrollBar(hwnd_, SB_VERT, FALSE);
    }
    const bool sidewaysChanged = UpdateSidewaysBar();
    updatingScrollBar_ = false;
    // A sideways bar that came or went changed the height the rows have: once more for them.
    if (sidewaysChanged && !rescrolling_) {
        rescrolling_ = true;
        UpdateScrollBar();
        rescrolling_ = false;
    }
}

// The right edge of the controls that scroll, as it is when not scrolled sideways; controls that
// follow the right edge do not count.
int Form::ContentRight() const {
    int right = 0;
    for (const ControlState& control : controls_) {
        if (!Scrolls(control) || !control.layout->visible || (control.layout->anchors & kAnchorRight)) continue;
        RECT placed;
        ::GetWindowRect(control.hwnd, &placed);
        ::MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&placed), 2);
        right = std::max(right, static_cast<int>(placed.right) + scrollX_);
    }
    return right;
}

// A window wider than the screen lets it be, and scrolls its controls sideways instead of
// cutting them at its right edge.
bool Form::UpdateSidewaysBar() {
    RECT client;
    ::GetClientRect(hwnd_, &client);
    const int contentRight = ContentRight();
    const bool shown = (::GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_HSCROLL) != 0;
    const int available = client.right;
    if (contentRight > available && available > 0) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMin = 0;
        info.nMax = contentRight - 1;
        info.nPage = static_cast<UINT>(available);
        ::SetScrollInfo(hwnd_, SB_HORZ, &info, TRUE);
        if (!shown) ::ShowScrollBar(hwnd_, SB_HORZ, TRUE);
        ScrollSideways(std::min(scrollX_, contentRight - available));
        return !shown;
    }
    if (shown || scrollX_ != 0) {
        ScrollSideways(0);
        ::ShowScrollBar(hwnd_, SB_HORZ, FALSE);
    }
    return shown;
}


void Form::ScrollTo(int position) { ScrollAlong(SB_VERT, position); }

void Form::ScrollSideways(int position) { ScrollAlong(SB_HORZ, position); }

// Moves the scrolling controls so that `position` of the content is at the client area's edge.
void Form::ScrollAlong(int bar, int position) {
    position = std::max(position, 0);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    if (::GetScrollInfo(hwnd_, bar, &info))
        position = std::min(position, std::max(0, info.nMax + 1 - static_cast<int>(info.nPage)));
    int& offset = bar == SB_HORZ ? scrollX_ : scrollY_;
    const int delta = offset - position;
    if (delta == 0) return;
    const int dx = bar == SB_HORZ ? delta : 0, dy = bar == SB_HORZ ? 0 : delta;
    for (const ControlState& control : controls_) {
        if (!Scrolls(control)) continue;
        RECT placed;
        ::GetWindowRect(control.hwnd, &placed);
        ::MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&placed), 2);
        ::SetWindowPos(control.hwnd, nullptr, placed.left + dx, placed.top + dy, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    offset = position;
    ::SetScrollPos(hwnd_, bar, position, TRUE);
    // The bars stay in front of the rows that pass under them.
    if (toolBar_) ::SetWindowPos(toolBar_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

// The wheel and the vertical bar scroll down; the horizontal bar's codes have the same numbers
// (SB_LINELEFT is SB_LINEUP, SB_LEFT is SB_TOP, ...).
bool Form::ScrollMessage(UINT message, WPARAM wParam) {
    const bool sideways = message == WM_HSCROLL;
    const int bar = sideways ? SB_HORZ : SB_VERT;
    if (!(::GetWindowLongPtrA(hwnd_, GWL_STYLE) & (sideways ? WS_HSCROLL : WS_VSCROLL))) return false;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ::GetScrollInfo(hwnd_, bar, &info);
    const int line = Scale(23);
    int position = sideways ? scrollX_ : scrollY_;
    if (message == WM_MOUSEWHEEL) {
        position -= GET_WHEEL_DELTA_WPARAM(wParam) * 3 * line / WHEEL_DELTA;
    } else {
        switch (LOWORD(wParam)) {
        case SB_LINEUP: position -= line; break;
        case SB_LINEDOWN: position += line; break;
        case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
        case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = info.nTrackPos; break;
        case SB_TOP: position = 0; break;
        case SB_BOTTOM: position = info.nMax; break;
        default: return true;
        }
    }
    ScrollAlong(bar, position);
    return true;
}

void Form::LayoutBars() {
    RECT rc;
    ::GetClientRect(hwnd_, &rc);
    int top = 0, bottom = rc.bottom;
    if (toolBar_) {
        if (layout_.toolBar->height) {
            ::SetWindowPos(toolBar_, nullptr, 0, 0, rc.right, Scale(layout_.toolBar->height), SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            ::SendMessageA(toolBar_, TB_AUTOSIZE, 0, 0);
        }
        // Asked of the style, not of the screen: a hidden form lays out its bars too.
        if (::GetWindowLongPtrA(toolBar_, GWL_STYLE) & WS_VISIBLE) {
            RECT bar;
            ::GetWindowRect(toolBar_, &bar);
            top = bar.bottom - bar.top;
        }
    }
    for (const ControlState& control : controls_) {
        if (!control.hwnd || control.layout->kind != ControlKind::StatusBar) continue;
        // A status bar places itself along the bottom edge when told of a new size.
        ::SendMessageA(control.hwnd, WM_SIZE, 0, 0);
        if (::GetWindowLongPtrA(control.hwnd, GWL_STYLE) & WS_VISIBLE) {
            RECT bar;
            ::GetWindowRect(control.hwnd, &bar);
            bottom -= bar.bottom - bar.top;
        }
    }
    for (const ControlState& control : controls_)
        if (control.hwnd && control.layout->fillClient && control.layout->parent.empty())
            ::SetWindowPos(control.hwnd, nullptr, 0, top, rc.right, std::max(bottom - top, 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetToolBarVisible(bool visible) {
    if (!toolBar_) return;
    ::ShowWindow(toolBar_, visible ? SW_SHOW : SW_HIDE);
    LayoutBars();
}

bool Form::ToolBarVisible() const {
    return toolBar_ && (::GetWindowLongPtrA(toolBar_, GWL_STYLE) & WS_VISIBLE);
}

const Form::ControlState* Form::FindControl(std::string_view name) const {
    for (const ControlState& control : controls_)
        if (control.layout->name == name) return &control;
    return nullptr;
}

const Form::ControlState* Form::FindControl(HWND hwnd) const {
    for (const ControlState& control : controls_)
        if (control.hwnd == hwnd) return &control;
    return nullptr;
}

HWND Form::Control(std::string_view name) const {
    const ControlState* control = FindControl(name);
    return control ? control->hwnd : nullptr;
}

std::string Form::Text(std::string_view name) const {
    const HWND control = Control(name);
    if (!control) throw std::logic_error("No control named " + std::string(name));
    const int length = ::GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return FindControl(name)->marked ? WithoutAccessKey(text) : text;
}

void Form::SetText(std::string_view name, const std::string& text) {
    const HWND control = Control(name);
    if (!control) throw std::logic_error("No control named " + std::string(name));
    const ControlState& state = *FindControl(name);
    if (!state.marked) {
        ::SetWindowTextA(control, text.c_str());
        return;
    }
    // The control keeps its letter where the new text has it.
    const char key = state.accessKey;
    std::size_t at = kNoAccessKey;
    for (std::size_t i = 0; key && i < text.size() && at == kNoAccessKey; ++i)
        if (text[i] == key || (key >= 'A' && key <= 'Z' && text[i] == key - 'A' + 'a')) at = i;
    ::SetWindowTextA(control, WithAccessKey(text, at).c_str());
}

void Form::SetCaption(const std::string& text) { ::SetWindowTextA(hwnd_, text.c_str()); }

std::string Form::Caption() const {
    char text[256] = {};
    ::GetWindowTextA(hwnd_, text, sizeof text);
    return text;
}

Form::Command* Form::FindCommand(std::string_view name) {
    for (Command& command : commands_)
        if (!command.name.empty() && command.name == name) return &command;
    return nullptr;
}

const Form::Command* Form::FindCommand(std::string_view name) const {
    return const_cast<Form*>(this)->FindCommand(name);
}

void Form::OnClick(std::string_view name, std::function<void()> handler) {
    if (Command* command = FindCommand(name)) {
        command->handler = std::move(handler);
        command->enabled = true;
        ApplyCommandState(*command);
        return;
    }
    if (FindControl(name)) {
        // Controls take clicks through a command of their own, keyed by their name.
        Command command;
        command.id = static_cast<int>(::GetDlgCtrlID(Control(name)));
        command.name = std::string(name);
        command.handler = std::move(handler);
        commands_.push_back(std::move(command));
        return;
    }
    throw std::logic_error("No menu item, button or control named " + std::string(name));
}

void Form::Click(std::string_view name) {
    const Command* command = FindCommand(name);
    if (!command || !command->handler) throw std::logic_error("Nothing to click named " + std::string(name));
    const auto handler = command->handler;  // the handler may rebind or destroy the entry
    handler();
}

void Form::ApplyCommandState(const Command& command) {
    if (!hwnd_ || command.isPopup || command.name.empty()) return;
    if (command.isToolButton) {
        if (!toolBar_) return;
        ::SendMessageA(toolBar_, TB_ENABLEBUTTON, command.id, MAKELPARAM(command.enabled, 0));
        ::SendMessageA(toolBar_, TB_CHECKBUTTON, command.id, MAKELPARAM(command.checked, 0));
        return;
    }
    if (command.id >= kFirstControlId) return;
    std::vector<HMENU> menus;
    if (HMENU bar = ::GetMenu(hwnd_)) menus.push_back(bar);
    for (const PopupMenu& popup : popupMenus_) menus.push_back(popup.menu.get());
    for (HMENU menu : menus) {
        ::EnableMenuItem(menu, command.id, MF_BYCOMMAND | (command.enabled ? MF_ENABLED : MF_GRAYED));
        ::CheckMenuItem(menu, command.id, MF_BYCOMMAND | (command.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void Form::SetChecked(std::string_view name, bool checked) {
    Command* command = FindCommand(name);
    if (!command) throw std::logic_error("No menu item named " + std::string(name));
    command->checked = checked;
    ApplyCommandState(*command);
}

bool Form::Checked(std::string_view name) const {
    const Command* command = FindCommand(name);
    return command && command->checked;
}

void Form::SetEnabled(std::string_view name, bool enabled) {
    Command* command = FindCommand(name);
    if (!command) throw std::logic_error("No menu item named " + std::string(name));
    command->enabled = enabled;
    ApplyCommandState(*command);
}

bool Form::Enabled(std::string_view name) const {
    const Command* command = FindCommand(name);
    return command && command->enabled;
}

void Form::RunCommand(int id) {
    for (const Command& command : commands_) {
        if (command.id != id || command.isPopup) continue;
        // A disabled item can still arrive through its keyboard shortcut.
        if (!command.enabled || !command.handler) return;
        const auto handler = command.handler;
        Application::Instance().Guard(handler);
        return;
    }
}

void Form::Show() {
    if (!hwnd_) Create();
    if (Visible()) {
        ::SetForegroundWindow(hwnd_);
        ::BringWindowToTop(hwnd_);
        return;
    }
    Application::Instance().Guard([&] { FormShow(); });
    // An unattended run may have ended the program from FormShow: then nothing is shown.
    if (!hwnd_ || Application::Instance().terminating()) return;
    PlaceOnShow();
    ::ShowWindow(hwnd_, layout_.maximised ? SW_SHOWMAXIMIZED : SW_SHOW);
    ::UpdateWindow(hwnd_);
}

void Form::PlaceOnShow() {
    // Centred at the size FormShow chose, over the screen or over the window that owns this one,
    // and kept on the screen.
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN), screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    RECT area{0, 0, screenWidth, screenHeight};
    const HWND owner = ::GetWindow(hwnd_, GW_OWNER);
    if (layout_.position == FormPosition::MainFormCentre && owner && ::IsWindowVisible(owner))
        ::GetWindowRect(owner, &area);
    RECT rc;
    ::GetWindowRect(hwnd_, &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const int x = std::clamp<int>(area.left + (area.right - area.left - width) / 2, 0, std::max(0, screenWidth - width));
    const int y = std::clamp<int>(area.top + (area.bottom - area.top - height) / 2, 0, std::max(0, screenHeight - height));
    ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ModalResult Form::ShowModal() {
    if (!hwnd_) Create();
    const HWND owner = ::GetWindow(hwnd_, GW_OWNER);
    if (owner) ::EnableWindow(owner, FALSE);
    modalDone_ = false;
    modalResult_ = ModalResult::None;
    modal_ = true;
    Show();
    MSG msg{};
    Application& app = Application::Instance();
    while (!modalDone_ && ::IsWindowVisible(hwnd_)) {
        if (!app.PumpOne(msg)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
    }
    modal_ = false;
    if (owner) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    Hide();
    return modalResult_ == ModalResult::None ? ModalResult::Cancel : modalResult_;
}

void Form::Hide() {
    if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
}

void Form::Close() {
    if (hwnd_) ::PostMessageA(hwnd_, WM_CLOSE, 0, 0);
}

bool Form::Visible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }

Form::ControlState& Form::ControlOfKind(std::string_view name, ControlKind kind) {
    return const_cast<ControlState&>(std::as_const(*this).ControlOfKind(name, kind));
}

const Form::ControlState& Form::ControlOfKind(std::string_view name, ControlKind kind) const {
    const ControlState* control = FindControl(name);
    if (!control || control->layout->kind != kind)
        throw std::logic_error("No control of that kind named " + std::string(name));
    return *control;
}

void Form::SetPosition(std::string_view name, int position) {
    ::SendMessageA(ControlOfKind(name, ControlKind::ProgressBar).hwnd, PBM_SETPOS, position, 0);
}

int Form::Position(std::string_view name) const {
    return static_cast<int>(::SendMessageA(ControlOfKind(name, ControlKind::ProgressBar).hwnd, PBM_GETPOS, 0, 0));
}

void Form::SetBarColour(std::string_view name, Colour colour) {
    const HWND bar = ControlOfKind(name, ControlKind::ProgressBar).hwnd;
    RemoveVisualStyle(bar);
    ::SendMessageA(bar, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(colour));
}

Bitmap& Form::ImageOf(std::string_view name) { return *ControlOfKind(name, ControlKind::Image).image; }

void Form::Invalidate(std::string_view name) {
    if (const HWND control = Control(name)) ::InvalidateRect(control, nullptr, FALSE);
}

void Form::OnPaint(std::string_view name, std::function<void(HDC)> handler) {
    ControlState& box = ControlOfKind(name, ControlKind::PaintBox);
    box.paint = std::move(handler);
    if (box.hwnd) ::InvalidateRect(box.hwnd, nullptr, FALSE);
}

Form::TimerState& Form::FindTimer(std::string_view name) {
    return const_cast<TimerState&>(std::as_const(*this).FindTimer(name));
}

const Form::TimerState& Form::FindTimer(std::string_view name) const {
    for (const TimerState& timer : timers_)
        if (timer.layout->name == name) return timer;
    throw std::logic_error("No timer named " + std::string(name));
}

void Form::OnTimer(std::string_view name, std::function<void()> handler) { FindTimer(name).handler = std::move(handler); }

void Form::SetTimerEnabled(std::string_view name, bool enabled) {
    TimerState& timer = FindTimer(name);
    // Enabling a running timer leaves its count as it is.
    if (timer.enabled == enabled) return;
    timer.enabled = enabled;
    // Until the window exists, Create starts the timers that are enabled by then.
    if (!hwnd_ || !created_) return;
    if (enabled)
        ::SetTimer(hwnd_, timer.id, static_cast<UINT>(timer.layout->interval), nullptr);
    else
        ::KillTimer(hwnd_, timer.id);
}

bool Form::TimerEnabled(std::string_view name) const { return FindTimer(name).enabled; }

void Form::CheckListClear(std::string_view name) {
    ::SendMessageA(ControlOfKind(name, ControlKind::CheckList).hwnd, LB_RESETCONTENT, 0, 0);
}

int Form::CheckListAdd(std::string_view name, const std::string& text, bool checked) {
    const HWND list = ControlOfKind(name, ControlKind::CheckList).hwnd;
    const LRESULT index = ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE)
        throw std::runtime_error("The list " + std::string(name) + " has no room for another item.");
    ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), checked ? 1 : 0);
    return static_cast<int>(index);
}

int Form::CheckListCount(std::string_view name) const {
    return static_cast<int>(::SendMessageA(ControlOfKind(name, ControlKind::CheckList).hwnd, LB_GETCOUNT, 0, 0));
}

std::string Form::CheckListText(std::string_view name, int index) const {
    const HWND list = ControlOfKind(name, ControlKind::CheckList).hwnd;
    const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) throw std::out_of_range("The list " + std::string(name) + " has no item " + std::to_string(index));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

bool Form::CheckListChecked(std::string_view name, int index) const {
    const HWND list = ControlOfKind(name, ControlKind::CheckList).hwnd;
    if (index < 0 || index >= CheckListCount(name))
        throw std::out_of_range("The list " + std::string(name) + " has no item " + std::to_string(index));
    return ::SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0) == 1;
}

void Form::SetCheckListChecked(std::string_view name, int index, bool checked) {
    const HWND list = ControlOfKind(name, ControlKind::CheckList).hwnd;
    if (::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), checked ? 1 : 0) == LB_ERR)
        throw std::out_of_range("The list " + std::string(name) + " has no item " + std::to_string(index));
    RECT item;
    if (::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != LB_ERR)
        ::InvalidateRect(list, &item, FALSE);
}

void Form::DrawCheckListItem(const ControlState& list, const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const bool enabled = ::IsWindowEnabled(list.hwnd) != FALSE;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const ControlLayout& layout = *list.layout;
    // The empty list still draws its focus, with itemID -1.
    RECT row = item.rcItem;
    const HBRUSH back = list.brush ? static_cast<HBRUSH>(list.brush.get()) : ::GetSysColorBrush(COLOR_WINDOW);
    ::FillRect(dc, &row, back);
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &row);
        return;
    }
    const int box = Scale(kCheckBoxSize);
    const int gap = Scale(2);
    const int top = row.top + (row.bottom - row.top - box) / 2;
    const RECT mark{row.left + gap, top, row.left + gap + box, top + box};
    const bool checked = ::SendMessageA(list.hwnd, LB_GETITEMDATA, item.itemID, 0) == 1;
    DrawCheckMark(dc, mark, checked, enabled);

    RECT text = row;
    text.left = mark.right + Scale(4);
    const LRESULT length = ::SendMessageA(list.hwnd, LB_GETTEXTLEN, item.itemID, 0);
    std::string caption(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
    if (length > 0) {
        const LRESULT copied = ::SendMessageA(list.hwnd, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(caption.data()));
        caption.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    } else {
        caption.clear();
    }
    if (selected) {
        RECT highlight = text;
        highlight.left -= Scale(2);
        ::FillRect(dc, &highlight, ::GetSysColorBrush(enabled ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    }
    const COLORREF ink = !enabled ? ::GetSysColor(COLOR_GRAYTEXT)
                         : selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                         : layout.textColour != kDefaultColour ? layout.textColour
                                                               : ::GetSysColor(COLOR_WINDOWTEXT);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldInk = ::SetTextColor(dc, ink);
    const HGDIOBJ oldFont = ::SelectObject(dc, list.font);
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SelectObject(dc, oldFont);
    ::SetTextColor(dc, oldInk);
    ::SetBkMode(dc, oldMode);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = text;
        focus.left -= Scale(2);
        ::DrawFocusRect(dc, &focus);
    }
}

void Form::SetColourKeyTransparency(bool on, Colour key) {
    LONG_PTR style = ::GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
    if (on) {
        ::SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, style | WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(hwnd_, key, 0, LWA_COLORKEY);
    } else {
        ::SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

HBRUSH Form::BrushForControl(HWND control, HDC dc) {
    const ControlState* state = FindControl(control);
    if (!state) return nullptr;
    const ControlLayout& layout = *state->layout;
    if (layout.textColour != kDefaultColour) ::SetTextColor(dc, layout.textColour);
    if (state->brush) {
        ::SetBkColor(dc, layout.backColour);
        return static_cast<HBRUSH>(state->brush.get());
    }
    // Inside a coloured panel a control takes the panel's colour.
    if (const ControlState* panel = layout.parent.empty() ? nullptr : FindControl(layout.parent); panel && panel->brush) {
        ::SetBkColor(dc, panel->layout->backColour);
        return static_cast<HBRUSH>(panel->brush.get());
    }
    if (formBrush_) {
        ::SetBkColor(dc, layout_.backColour);
        return static_cast<HBRUSH>(formBrush_.get());
    }
    // Left to the default handling, the text colour would be reset to the system's.
    if (layout.textColour != kDefaultColour) {
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
    return nullptr;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        // Menus and shortcuts send no control; tool buttons and link labels send their clicks.
        const HWND from = reinterpret_cast<HWND>(lParam);
        const ControlState* control = from ? FindControl(from) : nullptr;
        const bool linkClick = control && control->layout->kind == ControlKind::LinkLabel && HIWORD(wParam) == STN_CLICKED;
        const bool buttonClick = control && control->layout->kind == ControlKind::Button && HIWORD(wParam) == BN_CLICKED;
        if (control && control->layout->kind == ControlKind::ComboList) {
            const auto handler = HIWORD(wParam) == CBN_SELCHANGE ? control->change
                                 : HIWORD(wParam) == CBN_CLOSEUP ? control->closeUp
                                                                 : std::function<void()>();
            if (handler) Application::Instance().Guard(handler);
            return 0;
        }
        if (!from || from == toolBar_ || linkClick || buttonClick) {
            RunCommand(LOWORD(wParam));
            if (buttonClick && control->layout->modalResult != ModalResult::None && hwnd_)
                EndModal(control->layout->modalResult);
            return 0;
        }
        break;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == NM_CUSTOMDRAW) {
            const ControlState* list = FindControl(header->hwndFrom);
            if (list && list->layout->kind == ControlKind::ListView && list->layout->list.multiLineCells)
                return DrawMultiLineCell(*list, *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
            if (list && list->layout->kind == ControlKind::ListView && list->layout->list.stripeColour != kDefaultColour)
                return DrawListStripe(*list, *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
            break;
        }
        // Tool bars ask for their hints in the window's character set; answer both kinds.
        if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW) {
            for (const Command& command : commands_) {
                if (!command.isToolButton || command.id != static_cast<int>(header->idFrom)) continue;
                if (header->code == TTN_GETDISPINFOA) {
                    reinterpret_cast<NMTTDISPINFOA*>(lParam)->lpszText = const_cast<char*>(command.hint.c_str());
                } else {
                    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
                    ::MultiByteToWideChar(CP_ACP, 0, command.hint.c_str(), -1, info->szText,
                                          static_cast<int>(std::size(info->szText)));
                    info->lpszText = info->szText;
                }
            }
            return 0;
        }
        break;
    }
    case WM_TIMER:
        for (const TimerState& timer : timers_) {
            if (timer.id != wParam) continue;
            if (timer.enabled && timer.handler) {
                const auto handler = timer.handler;
                Application::Instance().Guard(handler);
            }
            return 0;
        }
        break;
    case WM_MOUSEWHEEL:
        if (WheelHandled()) return 0;
        if (ScrollMessage(message, wParam)) return 0;
        break;
    case WM_VSCROLL:
        if (lParam == 0 && ScrollMessage(message, wParam)) return 0;
        break;
    case WM_HSCROLL:
        if (lParam == 0 && ScrollMessage(message, wParam)) return 0;
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (HBRUSH brush = BrushForControl(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_CTLCOLORLISTBOX:
        // A list keeps the window colour unless it has one of its own: it never takes the form's.
        if (const ControlState* list = FindControl(reinterpret_cast<HWND>(lParam)); list && list->brush) {
            ::SetBkColor(reinterpret_cast<HDC>(wParam), list->layout->backColour);
            return reinterpret_cast<LRESULT>(list->brush.get());
        }
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const ControlState* list = item->CtlType == ODT_LISTBOX ? FindControl(item->hwndItem) : nullptr;
        if (list && list->layout->kind == ControlKind::CheckList) {
            DrawCheckListItem(*list, *item);
            return TRUE;
        }
        break;
    }
    case WM_ERASEBKGND: {
        // The class has no background brush of its own: a form without a colour takes the
        // system's face colour, as its controls do.
        RECT rc;
        ::GetClientRect(hwnd_, &rc);
        ::FillRect(reinterpret_cast<HDC>(wParam), &rc,
                   formBrush_ ? static_cast<HBRUSH>(formBrush_.get()) : ::GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_CONTEXTMENU:
        if (ShowPopupMenu(reinterpret_cast<HWND>(wParam), lParam)) return 0;
        break;
    case WM_SETCURSOR:
        if (Application::Instance().ApplyCursorOverride()) return TRUE;
        if (const ControlState* state = FindControl(reinterpret_cast<HWND>(wParam));
            state && state->layout->kind == ControlKind::LinkLabel) {
            ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_SIZE:
        // Also sent while the window is being created, before the controls exist.
        if (!created_) return 0;
        LayoutAnchored();
        Application::Instance().Guard([&] { FormResize(); });
        return 0;
    case WM_GETMINMAXINFO:
        if (layout_.minHeight) reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.y = Scale(layout_.minHeight);
        return 0;
    case WM_CLOSE:
        Application::Instance().Guard([&] { FormClose(); });
        modalDone_ = true;
        if (isMain_) {
            ::DestroyWindow(hwnd_);
        } else {
            Hide();
        }
        return 0;
    case WM_DESTROY:
        if (isMain_) Application::Instance().Terminate(0);
        break;
    case WM_NCDESTROY:
        created_ = false;
        hwnd_ = nullptr;
        toolBar_ = nullptr;
        popupMenus_.clear();
        break;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* form = static_cast<Form*>(create->lpCreateParams);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        form->hwnd_ = hwnd;
    }
    auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!form) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return form->HandleMessage(message, wParam, lParam);
}

}  // namespace brimlow::ui

namespace brimlow::ui {

bool Form::WheelHandled() {
    if (!wheel_) return false;
    bool handled = false;
    const auto handler = wheel_;
    Application::Instance().Guard([&] { handled = handler(); });
    return handled;
}

// A frame draws only its line and caption, and the form does not paint under its children: the
// frame fills its inside with the background its parent gives it.
LRESULT CALLBACK Form::GroupBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_ERASEBKGND) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        HBRUSH brush = reinterpret_cast<HBRUSH>(
            ::SendMessageA(::GetParent(hwnd), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(hwnd)));
        if (!brush) brush = ::GetSysColorBrush(COLOR_BTNFACE);
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        ::FillRect(dc, &rc, brush);
        return 1;
    }
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, GroupBoxProc, id);
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Form::WheelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR form) {
    if (message == WM_MOUSEWHEEL && reinterpret_cast<Form*>(form)->WheelHandled()) return 0;
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, WheelProc, id);
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

void Form::OnMouseWheel(std::function<bool()> handler) { wheel_ = std::move(handler); }

const Form::ControlState& Form::ItemList(std::string_view name) const {
    const ControlState* control = FindControl(name);
    if (!control || (control->layout->kind != ControlKind::ComboList && control->layout->kind != ControlKind::ListBox))
        throw std::logic_error("No list named " + std::string(name));
    return *control;
}

// A drop-down list and a plain list answer the same requests under different message numbers.
void Form::ClearItems(std::string_view name) {
    const ControlState& list = ItemList(name);
    const bool box = list.layout->kind == ControlKind::ListBox;
    ::SendMessageA(list.hwnd, box ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
}

void Form::AddItem(std::string_view name, const std::string& text, std::intptr_t number) {
    const ControlState& list = ItemList(name);
    const bool box = list.layout->kind == ControlKind::ListBox;
    const LRESULT index =
        ::SendMessageA(list.hwnd, box ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE)
        throw std::runtime_error("The list " + std::string(name) + " has no room for another item.");
    ::SendMessageA(list.hwnd, box ? LB_SETITEMDATA : CB_SETITEMDATA, static_cast<WPARAM>(index), number);
}

int Form::ItemCount(std::string_view name) const {
    const ControlState& list = ItemList(name);
    const bool box = list.layout->kind == ControlKind::ListBox;
    return static_cast<int>(::SendMessageA(list.hwnd, box ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
}

std::string Form::ItemText(std::string_view name, int index) const {
    const ControlState& list = ItemList(name);
    const bool box = list.layout->kind == ControlKind::ListBox;
    const LRESULT length = ::SendMessageA(list.hwnd, box ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    ::SendMessageA(list.hwnd, box ? LB_GETTEXT : CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::string> Form::Items(std::string_view name) const {
    std::vector<std::string> items;
    const int count = ItemCount(name);
    for (int i = 0; i < count; ++i) items.push_back(ItemText(name, i));
    return items;
}

std::intptr_t Form::ItemNumber(std::string_view name, int index) const {
    if (index < 0 || index >= ItemCount(name))
        throw std::out_of_range("The list " + std::string(name) + " has no item " + std::to_string(index));
    const ControlState& list = ItemList(name);
    const bool box = list.layout->kind == ControlKind::ListBox;
    return ::SendMessageA(list.hwnd, box ? LB_GETITEMDATA : CB_GETITEMDATA, index, 0);
}

void Form::SetItemIndex(std::string_view name, int index) {
    const ControlState& list = ItemList(name);
    const bool box = list.layout->kind == ControlKind::ListBox;
    ::SendMessageA(list.hwnd, box ? LB_SETCURSEL : CB_SETCURSEL, index, 0);
}

int Form::ItemIndex(std::string_view name) const {
    const ControlState& list = ItemList(name);
    const bool box = list.layout->kind == ControlKind::ListBox;
    return static_cast<int>(::SendMessageA(list.hwnd, box ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
}

void Form::OnChange(std::string_view name, std::function<void()> handler) {
    ControlOfKind(name, ControlKind::ComboList).change = std::move(handler);
}

void Form::OnCloseUp(std::string_view name, std::function<void()> handler) {
    ControlOfKind(name, ControlKind::ComboList).closeUp = std::move(handler);
}

void Form::SetLines(std::string_view name, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    // An empty last line would otherwise vanish from the read-back.
    if (!lines.empty() && lines.back().empty()) text += "\r\n";
    ::SetWindowTextA(ControlOfKind(name, ControlKind::Memo).hwnd, text.c_str());
}

std::vector<std::string> Form::Lines(std::string_view name) const {
    const HWND memo = ControlOfKind(name, ControlKind::Memo).hwnd;
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(memo)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(memo, text.data(), static_cast<int>(text.size()))));
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            if (start < text.size()) lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

}  // namespace brimlow::ui
