#include "ui/list_view.h"

#include "platform/list_report_win.h"

#include <commctrl.h>

namespace brimlow::ui {

void ListView::Clear() { ::SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0); }

int ListView::Add(const std::string& caption, const std::vector<std::string>& subItems) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = Count();
    item.pszText = const_cast<char*>(caption.c_str());
    const int row = static_cast<int>(::SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return row;
    for (std::size_t i = 0; i < subItems.size(); ++i) {
        LVITEMA sub{};
        sub.iSubItem = static_cast<int>(i) + 1;
        sub.pszText = const_cast<char*>(subItems[i].c_str());
        ::SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
    return row;
}

int ListView::Count() const { return static_cast<int>(::SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }

int ListView::ColumnCount() const {
    const HWND header = reinterpret_cast<HWND>(::SendMessageA(list_, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string ListView::Cell(int row, int column) const { return win::ListViewCellText(list_, row, column); }

std::vector<std::string> ListView::Row(int row) const {
    std::vector<std::string> cells;
    for (int c = 0; c < ColumnCount(); ++c) cells.push_back(Cell(row, c));
    return cells;
}

std::optional<int> ListView::Selected() const {
    const auto row = static_cast<int>(::SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) return std::nullopt;
    return row;
}

void ListView::Select(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    ::SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

namespace {

// Rows are handed over by their current index; the list is given through the sort parameter.
int CALLBACK CompareCaptions(LPARAM first, LPARAM second, LPARAM list) {
    const HWND hwnd = reinterpret_cast<HWND>(list);
    const std::string a = win::ListViewCellText(hwnd, static_cast<int>(first), 0);
    const std::string b = win::ListViewCellText(hwnd, static_cast<int>(second), 0);
    return ::CompareStringA(LOCALE_USER_DEFAULT, 0, a.c_str(), -1, b.c_str(), -1) - CSTR_EQUAL;
}

}  // namespace

void ListView::SortByCaption() {
    ::SendMessageA(list_, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(list_), reinterpret_cast<LPARAM>(CompareCaptions));
}

}  // namespace brimlow::ui
