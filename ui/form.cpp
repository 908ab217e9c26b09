#include "ui/form.h"

#include "ui/application.h"

#include <stdexcept>

namespace brimlow::ui {
namespace {

constexpr const char* kPictureClass = "BrimlowPicture";

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
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
        ::EndPaint(hwnd, &ps);
        return 0;
    }
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

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
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
}

Form::Form(const FormLayout& layout) : layout_(layout) { Application::Instance().AddForm(this); }

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
    const int width = Scale(layout_.width);
    const int height = Scale(layout_.height);
    const HWND created = ::CreateWindowExA(0, layout_.className.c_str(), layout_.caption.c_str(),
                                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, width,
                                           height, owner, menu_.get(), instance, this);
    if (!created) throw std::runtime_error("Cannot create the window " + layout_.className);
    // The window owns the menu from now on.
    menu_.release();
    hwnd_ = created;

    clientWidth_ = Scale(layout_.clientWidth);
    clientHeight_ = Scale(layout_.clientHeight);
    BuildToolBar();
    BuildControls();
    RECT rc;
    ::GetClientRect(hwnd_, &rc);
    if (!layout_.clientWidth) clientWidth_ = rc.right;
    if (!layout_.clientHeight) clientHeight_ = rc.bottom;
    created_ = true;
    LayoutAnchored();

    Application::Instance().Guard([&] { FormCreate(); });
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
            if (!item.items.empty()) {
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
    toolBar_ = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                 WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER,
                                 0, 0, Scale(layout_.clientWidth ? layout_.clientWidth : layout_.width), Scale(bar.height),
                                 hwnd_, nullptr, instance, nullptr);
    if (!toolBar_) return;
    ::SendMessageA(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int image = Scale(bar.imageSize);
    const int count = static_cast<int>(bar.buttons.size());
    images_ = ImageList_Create(image, image, ILC_COLOR24 | ILC_MASK, count, 0);
    if (HANDLE strip = ::LoadImageA(instance, MAKEINTRESOURCEA(bar.bitmapResource), IMAGE_BITMAP, image * count,
                                    image, LR_CREATEDIBSECTION)) {
        ImageList_AddMasked(images_, static_cast<HBITMAP>(strip), RGB(255, 0, 255));
        ::DeleteObject(strip);
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
        button.iBitmap = layout.imageIndex;
        button.idCommand = command.id;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        buttons.push_back(button);
        commands_.push_back(std::move(command));
    }
    ::SendMessageA(toolBar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessageA(toolBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(Scale(bar.buttonSize), Scale(bar.buttonSize)));
    ::SendMessageA(toolBar_, TB_AUTOSIZE, 0, 0);
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
    controls_.reserve(layout_.controls.size());
    int id = kFirstControlId;
    for (const ControlLayout& layout : layout_.controls) {
        const char* cls = "STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        switch (layout.kind) {
        case ControlKind::Label: style |= SS_LEFT | SS_NOPREFIX; break;
        case ControlKind::LinkLabel: style |= SS_LEFT | SS_NOPREFIX | SS_NOTIFY; break;
        case ControlKind::ReadOnlyEdit:
            cls = "EDIT";
            style |= ES_READONLY | ES_AUTOHSCROLL | ES_LEFT | WS_BORDER;
            break;
        case ControlKind::Picture: cls = kPictureClass; break;
        }
        ControlState state;
        state.layout = &layout;
        state.hwnd = ::CreateWindowExA(0, cls, layout.text.c_str(), style, Scale(layout.rect.left), Scale(layout.rect.top),
                                       Scale(layout.rect.width), Scale(layout.rect.height), hwnd_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        if (layout.kind == ControlKind::Picture && state.hwnd && layout.resourceId) {
            HANDLE bitmap = ::LoadImageA(instance, MAKEINTRESOURCEA(layout.resourceId), IMAGE_BITMAP, 0, 0,
                                         LR_CREATEDIBSECTION);
            ::SetWindowLongPtrA(state.hwnd, 0, reinterpret_cast<LONG_PTR>(bitmap));
        }
        state.font = FontFor(layout.font);
        if (state.hwnd) ::SendMessageA(state.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
        if (layout.backColour != kDefaultColour) state.brush.reset(::CreateSolidBrush(layout.backColour));
        controls_.push_back(std::move(state));
    }
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

bool Form::TranslateShortcut(MSG& msg) {
    return shortcuts_ && hwnd_ && ::TranslateAcceleratorA(hwnd_, shortcuts_.get(), &msg) != 0;
}

void Form::LayoutAnchored() {
    RECT rc;
    ::GetClientRect(hwnd_, &rc);
    for (const ControlState& control : controls_) {
        const ControlLayout& layout = *control.layout;
        if (layout.anchors == kAnchorTopLeft || !control.hwnd) continue;
        const int left = Scale(layout.rect.left);
        int top = Scale(layout.rect.top);
        int width = Scale(layout.rect.width);
        if (layout.anchors & kAnchorBottom) top = rc.bottom - (clientHeight_ - top);
        if (layout.anchors & kAnchorRight) width = rc.right - (clientWidth_ - (left + width)) - left;
        ::SetWindowPos(control.hwnd, nullptr, left, top, std::max(width, 0), Scale(layout.rect.height),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (toolBar_) ::SetWindowPos(toolBar_, nullptr, 0, 0, rc.right, Scale(layout_.toolBar->height), SWP_NOZORDER | SWP_NOACTIVATE);
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
    return text;
}

void Form::SetText(std::string_view name, const std::string& text) {
    const HWND control = Control(name);
    if (!control) throw std::logic_error("No control named " + std::string(name));
    ::SetWindowTextA(control, text.c_str());
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
    HMENU menu = ::GetMenu(hwnd_);
    if (!menu) return;
    ::EnableMenuItem(menu, command.id, MF_BYCOMMAND | (command.enabled ? MF_ENABLED : MF_GRAYED));
    ::CheckMenuItem(menu, command.id, MF_BYCOMMAND | (command.checked ? MF_CHECKED : MF_UNCHECKED));
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
    // Centred on the screen at the size FormShow chose.
    RECT rc;
    ::GetWindowRect(hwnd_, &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const int x = std::max(0, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    const int y = std::max(0, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(hwnd_, SW_SHOW);
    ::UpdateWindow(hwnd_);
}

void Form::ShowModal() {
    if (!hwnd_) Create();
    const HWND owner = ::GetWindow(hwnd_, GW_OWNER);
    if (owner) ::EnableWindow(owner, FALSE);
    modalDone_ = false;
    Show();
    MSG msg{};
    Application& app = Application::Instance();
    while (!modalDone_ && ::IsWindowVisible(hwnd_)) {
        if (!app.PumpOne(msg)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
    }
    if (owner) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    Hide();
}

void Form::Hide() {
    if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
}

void Form::Close() {
    if (hwnd_) ::PostMessageA(hwnd_, WM_CLOSE, 0, 0);
}

bool Form::Visible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }

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
    if (formBrush_) {
        ::SetBkColor(dc, layout_.backColour);
        return static_cast<HBRUSH>(formBrush_.get());
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
        if (!from || from == toolBar_ || linkClick) {
            RunCommand(LOWORD(wParam));
            return 0;
        }
        break;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
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
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        if (HBRUSH brush = BrushForControl(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ERASEBKGND:
        if (formBrush_) {
            RECT rc;
            ::GetClientRect(hwnd_, &rc);
            ::FillRect(reinterpret_cast<HDC>(wParam), &rc, static_cast<HBRUSH>(formBrush_.get()));
            return 1;
        }
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
