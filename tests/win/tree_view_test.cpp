// The form runtime's tree view on a small form of its own: nodes under parents, read back as
// indented lines, opened at every depth, selected and cleared.
#include "ui/form.h"
#include "ui/tree_view.h"

#include <gtest/gtest.h>

namespace brimlow {
namespace {

const ui::FormLayout& TreeFormLayout() {
    static const ui::FormLayout layout = [] {
        ui::FormLayout form;
        form.className = "TfrmTreeRuntimeTest";
        form.caption = "Tree runtime test";
        form.clientWidth = 300;
        form.clientHeight = 200;
        ui::ControlLayout tree;
        tree.name = "Tree1";
        tree.kind = ui::ControlKind::TreeView;
        tree.rect = {8, 8, 280, 180};
        tree.backColour = ui::kWhite;
        form.controls = {tree};
        return form;
    }();
    return layout;
}

class TreeRuntime : public ::testing::Test {
protected:
    void SetUp() override {
        form.Create();
        ASSERT_NE(form.Control("Tree1"), nullptr);
    }
    ui::TreeView Tree() const { return ui::TreeView(form.Control("Tree1")); }
    ui::Form form{TreeFormLayout()};
};

TEST_F(TreeRuntime, NodesReadBackInDisplayOrderWithTheirDepth) {
    const HWND hwnd = form.Control("Tree1");
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(hwnd, GWL_STYLE));
    EXPECT_EQ(style & (TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT), DWORD(TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT));
    EXPECT_EQ(TreeView_GetBkColor(hwnd), COLORREF(ui::kWhite));

    ui::TreeView tree = Tree();
    const auto root = tree.Add(nullptr, "root");
    const auto first = tree.Add(root, "first");
    tree.Add(first, "first.a");
    const auto deep = tree.Add(tree.Add(first, "first.b"), "first.b.x");
    tree.Add(root, "second");
    tree.Add(nullptr, "another root");
    const std::string longText(700, 'w');  // beyond the first read buffer
    tree.Add(deep, longText);

    EXPECT_EQ(tree.Count(), 8);
    EXPECT_EQ(tree.Lines(), (std::vector<std::string>{"root", "  first", "    first.a", "    first.b",
                                                      "      first.b.x", "        " + longText, "  second",
                                                      "another root"}));
    EXPECT_EQ(tree.NodeText(tree.NextSibling(tree.FirstRoot())), "another root");
}

TEST_F(TreeRuntime, ExpandAllOpensEveryNodeWithChildren) {
    ui::TreeView tree = Tree();
    const auto root = tree.Add(nullptr, "root");
    const auto branch = tree.Add(root, "branch");
    const auto twig = tree.Add(branch, "twig");
    const auto leafParent = tree.Add(twig, "twig child");
    const auto other = tree.Add(nullptr, "other root");
    tree.Add(other, "other child");
    EXPECT_FALSE(tree.Expanded(root));

    tree.ExpandAll();
    for (const auto node : {root, branch, twig, other}) {
        SCOPED_TRACE(tree.NodeText(node));
        EXPECT_TRUE(tree.Expanded(node));
    }
    EXPECT_EQ(tree.FirstChild(leafParent), nullptr);

    tree.Select(twig);
    EXPECT_EQ(tree.Selected(), twig);
}

TEST_F(TreeRuntime, ClearEmptiesTheTreeAndItFillsAgain) {
    ui::TreeView tree = Tree();
    tree.Add(tree.Add(nullptr, "old"), "old child");
    tree.Clear();
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_EQ(tree.FirstRoot(), nullptr);
    EXPECT_TRUE(tree.Lines().empty());
    tree.Add(nullptr, "new");
    EXPECT_EQ(tree.Lines(), std::vector<std::string>{"new"});
}

}  // namespace
}  // namespace brimlow
