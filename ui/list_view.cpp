#include "ui/list_view.h"

#include "platform/list_report_win.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>

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

// The rows carry their rank in the sorted order: a comparison during the sort then needs no text,
// and no row index, which some list views hand over stale while they move rows around.
int CALLBACK CompareRanks(LPARAM first, LPARAM second, LPARAM) {
    return first < second ? -1 : first > second ? 1 : 0;
}

}  // namespace

void ListView::SortByCaption() {
    const int count = Count();
    std::vector<std::string> captions;
    for (int r = 0; r < count; ++r) captions.push_back(Cell(r, 0));
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return ::CompareStringA(LOCALE_USER_DEFAULT, 0, captions[static_cast<std::size_t>(a)].c_str(), -1,
                                captions[static_cast<std::size_t>(b)].c_str(), -1) == CSTR_LESS_THAN;
    });
    for (int rank = 0; rank < count; ++rank) {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = order[static_cast<std::size_t>(rank)];
        item.lParam = rank;
        ::SendMessageA(list_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageA(list_, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(CompareRanks));
}

void ListView::SetChecked(int row, bool checked) {
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    ::SendMessageA(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

bool ListView::Checked(int row) const {
    const auto state = static_cast<UINT>(::SendMessageA(list_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

}  // namespace brimlow::ui
