// A report-style list view of a form (ControlKind::ListView), filled and read by row and column:
// column 0 is a row's caption, column c its sub-item c - 1.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace brimlow::ui {

class ListView {
public:
    explicit ListView(HWND list) : list_(list) {}
    HWND hwnd() const { return list_; }

    void Clear();
    // Adds a row at the end; returns its index.
    int Add(const std::string& caption, const std::vector<std::string>& subItems = {});
    int Count() const;
    int ColumnCount() const;
    std::string Cell(int row, int column) const;
    std::vector<std::string> Row(int row) const;

    // The check mark of a list with check boxes.
    void SetChecked(int row, bool checked);
    bool Checked(int row) const;

    std::optional<int> Selected() const;
    void Select(int row);

    // Orders the rows by their captions, ascending, as the user's locale compares texts.
    void SortByCaption();

private:
    HWND list_;
};

// The text of a list window's status panel.
inline std::string CountText(int count) { return "Count: " + std::to_string(count); }

}  // namespace brimlow::ui
