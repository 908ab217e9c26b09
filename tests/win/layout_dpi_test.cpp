// Every window as the prefix's DPI lays it out. The Windows layer runs this at the prefix's 96 DPI;
// the test command runs it again in prefixes set to 120 and 144 DPI (LogPixels), where fonts grow
// by their own rounding and a control sized for 96 DPI text may clip it or run into its neighbour.
#include "app/Unit1.h"
#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace brimlow {
namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

using testing::WindowText;

bool Shown(HWND control) { return (::GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

// The control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND control) {
    RECT rc{};
    ::GetWindowRect(control, &rc);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// Pictures and panels are backgrounds other controls are drawn on; bars along an edge are laid out
// by the system and the client area is what is left beside them.
bool IsBackground(HWND control) {
    const std::string cls = ClassOf(control);
    if (cls == "Static") {
        const LONG type = ::GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK;
        return type == SS_BITMAP || type == SS_BLACKRECT || type == SS_GRAYRECT || type == SS_WHITERECT ||
               type == SS_ETCHEDFRAME || type == SS_OWNERDRAW;
    }
    return cls == "BrimlowPanel" || cls == "BrimlowPicture" ||
           (cls == "Button" && (::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX);
}

bool IsEdgeBar(HWND control) {
    const std::string cls = ClassOf(control);
    return cls == TOOLBARCLASSNAMEA || cls == STATUSCLASSNAMEA || cls == REBARCLASSNAMEA;
}

// A plain label breaks its text between words onto as many lines as its height holds.
bool WrapsWords(HWND control) {
    if (ClassOf(control) != "Static") return false;
    const LONG type = ::GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
}

// How much room the control's own text needs in its font: on one line, or for a label that wraps,
// the lines it takes at its own width.
SIZE TextExtent(HWND control, const std::string& text) {
    HDC dc = ::GetDC(control);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT rc{0, 0, 0, 0};
    UINT format = DT_CALCRECT | DT_SINGLELINE;
    if (WrapsWords(control)) {
        ::GetClientRect(control, &rc);
        rc.bottom = 0;
        format = DT_CALCRECT | DT_WORDBREAK;
    }
    std::string shown = text;
    ::DrawTextA(dc, shown.data(), static_cast<int>(shown.size()), &rc, format);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

// Room taken by a check box's box, or a button's frame, beside or around its caption.
int TextRoom(HWND control) {
    RECT rc{};
    ::GetClientRect(control, &rc);
    int width = rc.right - rc.left;
    if (ClassOf(control) == "Button") {
        const LONG type = ::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
            width -= ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
        else
            width -= 4;
    }
    return width;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

struct Finding {
    std::string window, what;
};

void CheckWindow(HWND window, std::vector<Finding>& findings) {
    const std::string windowClass = ClassOf(window);
    std::vector<HWND> controls;
    ::EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&controls));
    auto describe = [](HWND control) {
        return ClassOf(control) + " #" + std::to_string(::GetDlgCtrlID(control)) + " \"" + WindowText(control).substr(0, 30) +
               "\"";
    };
    for (HWND control : controls) {
        if (!Shown(control)) continue;
        const HWND parent = ::GetParent(control);
        // Controls the system makes inside others (a list's heading, a drop-down's edit) are theirs.
        if (parent != window && ClassOf(parent) != "BrimlowPanel") continue;
        if (IsEdgeBar(control)) continue;
        RECT client{};
        ::GetClientRect(parent, &client);
        // Rows below a scrolled window's edge are reached through its scroll bar.
        if (::GetWindowLongA(parent, GWL_STYLE) & WS_VSCROLL) {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_RANGE | SIF_POS;
            if (::GetScrollInfo(parent, SB_VERT, &info)) client.bottom = std::max<LONG>(client.bottom, info.nMax + 1 - info.nPos);
        }
        // And columns beyond its right edge through the sideways bar.
        if (::GetWindowLongA(parent, GWL_STYLE) & WS_HSCROLL) {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_RANGE | SIF_POS;
            if (::GetScrollInfo(parent, SB_HORZ, &info)) client.right = std::max<LONG>(client.right, info.nMax + 1 - info.nPos);
        }
        const RECT rc = RectInParent(control);
        if (rc.left < client.left || rc.top < client.top || rc.right > client.right || rc.bottom > client.bottom)
            findings.push_back({windowClass, describe(control) + " leaves its parent"});
        const std::string cls = ClassOf(control);
        const std::string text = WindowText(control);
        const bool caption = (cls == "Static" && !IsBackground(control)) ||
                             (cls == "Button" && !IsBackground(control));
        // A caption cut at the control's edge; values (edits, lists) scroll instead.
        if (caption && !text.empty() && text.find('\n') == std::string::npos &&
            (::GetWindowLongA(control, GWL_STYLE) & (SS_ENDELLIPSIS | SS_PATHELLIPSIS)) == 0) {
            const SIZE need = TextExtent(control, text);
            RECT inner{};
            ::GetClientRect(control, &inner);
            if (need.cx > TextRoom(control) || need.cy > inner.bottom - inner.top)
                findings.push_back({windowClass, describe(control) + " cuts its text (needs " + std::to_string(need.cx) +
                                                     " x " + std::to_string(need.cy) + ", has " +
                                                     std::to_string(TextRoom(control)) + " x " +
                                                     std::to_string(inner.bottom - inner.top) + ")"});
        }
        if (IsBackground(control)) continue;
        for (HWND other : controls) {
            if (other <= control || !Shown(other) || ::GetParent(other) != parent || IsBackground(other) ||
                IsEdgeBar(other))
                continue;
            RECT a = rc, b = RectInParent(other), overlap{};
            if (::IntersectRect(&overlap, &a, &b))
                findings.push_back({windowClass, describe(control) + " overlaps " + describe(other)});
        }
    }
}

TEST(LayoutAtThisDpi, EveryWindowKeepsItsControlsInsideApartAndReadable) {
    testing::ReportedErrors().clear();
    TForm1 form{{"/norefresh"}};
    form.Create();
    ASSERT_NE(form.hwnd(), nullptr);
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<Finding> findings;
    int checked = 0;
    for (HWND window : windows) {
        const std::string cls = ClassOf(window);
        if (window != form.hwnd() && ::GetWindow(window, GW_OWNER) != form.hwnd()) continue;
        if (cls.empty() || cls[0] != 'T') continue;
        CheckWindow(window, findings);
        ++checked;
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    std::printf("    %d windows at %d DPI, %d findings\n", checked, dpi, static_cast<int>(findings.size()));
    EXPECT_GE(checked, 10);
    for (const Finding& finding : findings) ADD_FAILURE() << finding.window << ": " << finding.what;
}

}  // namespace
}  // namespace brimlow
