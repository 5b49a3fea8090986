// The win/ wrappers of the tree view and the no-redraw guard on a real tree.
#include "win/Controls.h"
#include "win/TreeView.h"
#include <gtest/gtest.h>
#include <tuple>

namespace {

TEST(TreeView, AddsInOrderExpandsSelectsAndReads) {
    // A plain window around the tree: its default procedure shows the redraw switch as WS_VISIBLE.
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 300, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    HWND hwnd = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0, 0, 200, 300, frame,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(hwnd);
    win::TreeView tree(hwnd);
    EXPECT_EQ(tree.Root(), nullptr);
    HTREEITEM a = tree.Add(TVI_ROOT, "A", 0, 10);
    HTREEITEM a2 = (tree.Add(a, "A1", 1, 11), tree.Add(a, "A2", 1, 12));
    tree.Add(tree.Add(TVI_ROOT, "B", 0, 20), "B1", 1, 21);
    tree.Expand(a);
    std::string shown;  // the items a reader sees, from the top
    for (HTREEITEM item = tree.Root(); item; item = TreeView_GetNextVisible(hwnd, item)) shown += tree.Text(item) + " ";
    EXPECT_EQ(shown, "A A1 A2 B ");

    LPARAM param = -1;
    EXPECT_FALSE(tree.Param(tree.Selected(), param));
    tree.Select(a2);
    EXPECT_TRUE(tree.Param(tree.Selected(), param));
    EXPECT_EQ(std::make_tuple(param, tree.Text(a2, 1), tree.Text(nullptr)), std::make_tuple(LPARAM{12}, "A", ""));

    {
        win::NoRedraw quiet(frame);
        EXPECT_FALSE(GetWindowLongA(frame, GWL_STYLE) & WS_VISIBLE);
    }
    EXPECT_TRUE(GetWindowLongA(frame, GWL_STYLE) & WS_VISIBLE);
    DestroyWindow(frame);
}

}  // namespace
