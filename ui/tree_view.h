// A tree view of a form (ControlKind::TreeView), filled node by node and read back as indented text.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace brimlow::ui {

class TreeView {
public:
    using Node = HTREEITEM;

    explicit TreeView(HWND tree) : tree_(tree) {}
    HWND hwnd() const { return tree_; }

    void Clear();
    // Adds a node after the last child of `parent` (nullptr: at the top level); returns it, or
    // nullptr when the control refused it.
    Node Add(Node parent, const std::string& text);
    int Count() const;

    Node FirstRoot() const;
    Node FirstChild(Node node) const;
    Node NextSibling(Node node) const;
    std::string NodeText(Node node) const;

    // Opens every node that has children, at every depth.
    void ExpandAll();
    bool Expanded(Node node) const;

    void Select(Node node);
    Node Selected() const;

    // Every node in display order, one line each, indented by two blanks per level of depth.
    std::vector<std::string> Lines() const;

private:
    HWND tree_;
};

// The node walk behind TreeView::Lines, over any way of reading a tree: `first(nullptr)` is the
// first top-level node, `first(node)` a node's first child, `next(node)` its next sibling, and
// `text(node)` its text. The UI driver reads another process's tree through it.
template <typename First, typename Next, typename Text>
std::vector<std::string> TreeLines(First first, Next next, Text text) {
    std::vector<std::string> lines;
    // An explicit stack: a deep tree must not exhaust the thread's stack.
    std::vector<HTREEITEM> stack;
    for (HTREEITEM node = first(nullptr); node || !stack.empty();) {
        if (!node) {
            node = next(stack.back());
            stack.pop_back();
            continue;
        }
        lines.push_back(std::string(2 * stack.size(), ' ') + text(node));
        stack.push_back(node);
        node = first(node);
    }
    return lines;
}

}  // namespace brimlow::ui
