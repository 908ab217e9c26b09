#include "ui/tree_view.h"

namespace brimlow::ui {

void TreeView::Clear() { TreeView_DeleteAllItems(tree_); }

TreeView::Node TreeView::Add(Node parent, const std::string& text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text.c_str());
    return reinterpret_cast<Node>(::SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

int TreeView::Count() const { return static_cast<int>(TreeView_GetCount(tree_)); }

TreeView::Node TreeView::FirstRoot() const { return TreeView_GetRoot(tree_); }
TreeView::Node TreeView::FirstChild(Node node) const { return TreeView_GetChild(tree_, node); }
TreeView::Node TreeView::NextSibling(Node node) const { return TreeView_GetNextSibling(tree_, node); }

std::string TreeView::NodeText(Node node) const {
    std::vector<char> text(260);
    for (;;) {
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = node;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        if (!::SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return {};
        text.back() = '\0';
        const std::string got(text.data());
        // A text that fills the buffer may have been cut: ask again with more room.
        if (got.size() + 1 < text.size() || text.size() >= 1 << 16) return got;
        text.assign(text.size() * 4, '\0');
    }
}

void TreeView::ExpandAll() {
    std::vector<Node> pending;
    for (Node root = FirstRoot(); root; root = NextSibling(root)) pending.push_back(root);
    while (!pending.empty()) {
        const Node node = pending.back();
        pending.pop_back();
        const Node child = FirstChild(node);
        if (!child) continue;
        TreeView_Expand(tree_, node, TVE_EXPAND);
        for (Node c = child; c; c = NextSibling(c)) pending.push_back(c);
    }
}

bool TreeView::Expanded(Node node) const {
    return (TreeView_GetItemState(tree_, node, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TreeView::Select(Node node) { TreeView_SelectItem(tree_, node); }

TreeView::Node TreeView::Selected() const { return TreeView_GetSelection(tree_); }

std::vector<std::string> TreeView::Lines() const {
    return TreeLines([this](Node n) { return n ? FirstChild(n) : FirstRoot(); },
                     [this](Node n) { return NextSibling(n); }, [this](Node n) { return NodeText(n); });
}

}  // namespace brimlow::ui
