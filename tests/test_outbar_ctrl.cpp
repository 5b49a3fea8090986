// The folder bar control in a window, driven with mouse messages.
#include "BarHost.h"
#include "TestEnv.h"
#include "widgets/OutBar.h"
#include "win/GdiGuards.h"
#include <gtest/gtest.h>

namespace {

constexpr RECT kClient{0, 0, 158, 258};  // the bar's client area inside its edge
constexpr DWORD kPlain = outbar::kAnimate | outbar::kSelectedFrame, kDragging = kPlain | outbar::kDragItems;
POINT Mid(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class OutBarTest : public ::testing::Test {
protected:
    // Folders 0 to 2 (0 holding |child| when given), |items| items A, B, ... in folder 1, which is opened.
    void Build(DWORD flags, int items = 3, HWND child = nullptr) {
        ASSERT_TRUE(bar.Create(WS_VISIBLE, {10, 10, 170, 270}, host.Handle(), 77, flags));
        ImageList_AddIcon(images, LoadIconA(nullptr, IDI_APPLICATION));
        bar.SetImageList(images, 2);
        child ? bar.AddFolderWithChild("Zero", child, 0) : bar.AddFolder("Zero", 0);
        bar.AddFolder("One", 1);
        bar.AddFolder("Two", 2);
        for (int i = 0; i < items; ++i) bar.InsertItem(1, -1, std::string(1, char('A' + i)), 0, 0);
        bar.animationDelay = 0;
        Open(1);
    }
    void Open(int folder) {
        bar.SetSelFolder(folder);
        UpdateWindow(bar.Handle());
        PumpMessages();
        host.Said();
    }
    RECT Icon(int item) const {
        return outbar::IconRect(win::WindowDc(bar.Handle()).Get(), bar.State(), kClient, item);
    }
    std::string Items() const {
        std::string out;
        for (int i = 0; i < bar.ItemCount(bar.GetSelFolder()); ++i) out += bar.GetItemText(i);
        return out;
    }
    void TearDown() override { ImageList_Destroy(images); }

    BarHost host;
    HIMAGELIST images = ImageList_Create(32, 32, ILC_COLOR24 | ILC_MASK, 1, 1);
    OutBar bar;
};

// With folder 0 open, headers 1 and 2 sit at the bottom; opening 2 moves 1 to the top.
TEST_F(OutBarTest, ClicksFindTheHeadersWhereTheFolderPutsThem) {
    Build(kPlain);
    HWND h = bar.Handle();
    Open(0);
    Click(h, {80, 247});
    Click(h, {80, 32});
    EXPECT_EQ(host.Said(), "5:2 5:1") << "folder 1's header moved to the top";
}

TEST_F(OutBarTest, FolderChangesSlideUnlessTheDelayIsNegative) {
    Build(kPlain);
    Open(0);
    bar.SetSelFolder(1);
    EXPECT_GT(bar.SlideFrames(), 4);
    host.Said();
    bar.SetSelFolder(1);
    EXPECT_EQ(bar.SlideFrames(), 0) << "the open folder again: no slide";
    EXPECT_EQ(host.Said(), "5:1") << "but notification 5 again";
    bar.animationDelay = -1;
    bar.SetSelFolder(0);
    EXPECT_EQ(bar.SlideFrames(), 0);
    EXPECT_TRUE(bar.State().flags & outbar::kAnimate);
    EXPECT_EQ(bar.GetSelFolder(), 0);
}

TEST_F(OutBarTest, FolderWithAChildShowsNoItemsAndNoArrows) {
    HWND child = CreateWindowExA(0, "STATIC", "child", WS_CHILD, 0, 0, 0, 0, host.Handle(), nullptr, nullptr, nullptr);
    Build(kDragging, 3, child);
    SetParent(child, bar.Handle());
    for (int i = 0; i < 12; ++i) bar.InsertItem(0, -1, "hidden", 0, 0);
    Open(0);
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_FALSE(bar.State().upShown || bar.State().downShown) << "twelve items would need the down arrow";
    Click(bar.Handle(), {79, 40});  // on item 0's icon, were it shown
    EXPECT_EQ(host.Said(), "");
    bar.SetSelFolder(1);
    EXPECT_FALSE(IsWindowVisible(child)) << "hidden when its folder closes";
}

TEST_F(OutBarTest, ScrollingDownStopsWhenTheLastItemFits) {
    Build(kPlain, 8);
    ASSERT_TRUE(bar.State().downShown && !bar.State().upShown);
    // Held on the down arrow, the repeat timer scrolls one item per tick.
    const POINT on = Mid(bar.State().downRect);
    PostMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on.x, on.y));
    for (int i = 0; i < 10; ++i) PostMessageA(bar.Handle(), WM_TIMER, OutBar::kArrowTimer, 0);
    PostMessageA(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(on.x, on.y));
    PumpMessages();
    const int first = bar.State().firstVisible;
    ASSERT_GT(first, 0);
    EXPECT_TRUE(bar.State().upShown && !bar.State().downShown);
    const win::WindowDc dc(bar.Handle());
    const int bottom = outbar::ItemArea(bar.State(), kClient).bottom;
    EXPECT_LE(outbar::ItemRect(dc.Get(), bar.State(), kClient, 1, 7, first).bottom, bottom) << "the last item fits";
    EXPECT_GT(outbar::ItemRect(dc.Get(), bar.State(), kClient, 1, 7, first - 1).bottom, bottom)
        << "not one step earlier";
    Click(bar.Handle(), Mid(bar.State().upRect));
    EXPECT_EQ(bar.State().firstVisible, first - 1) << "the up arrow scrolls back";
}

TEST_F(OutBarTest, EscapeAndReleasesElsewhereSendNoClick) {
    Build(kPlain);
    const POINT a = Mid(Icon(0)), c = Mid(Icon(2));
    HWND h = bar.Handle();
    PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
    PostMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(a.x, a.y));
    PumpMessages();
    EXPECT_EQ(host.Said(), "") << "Escape ends the press without a click";
    EXPECT_EQ(GetCapture(), nullptr);
    Drag(h, a, {c}, c);
    EXPECT_EQ(host.Said(), "") << "released over another item without kDragItems";
    EXPECT_EQ(Items(), "ABC");
    Drag(h, a, {c, a}, a);
    EXPECT_EQ(host.Said(), "1:0") << "back over the item: a click";
    EXPECT_EQ(bar.State().selectedItem, 0);
}

TEST_F(OutBarTest, InsertItemPositions) {
    Build(kPlain, 0);
    // Folder, position, label, the index it gets.
    const std::tuple<int, int, const char*, int> cases[] = {{1, 0, "B", 0},  {1, 0, "A", 0}, {1, 9, "Z", 2},
                                                            {1, -3, "Y", 3}, {1, 1, "M", 1}, {5, 0, "X", 0}};
    for (const auto& [folder, position, label, index] : cases)
        EXPECT_EQ(bar.InsertItem(folder, position, label, 0, 0), index) << label;
    Open(1);
    EXPECT_EQ(Items(), "AMBZY");
}

TEST_F(OutBarTest, DraggedItemMovesOnlyWhenTheOwnerAgrees) {
    Build(kDragging);
    const POINT a = Mid(Icon(0)), b = Mid(Icon(1)), pastLast{a.x, outbar::ItemArea(bar.State(), kClient).bottom - 4};
    Drag(bar.Handle(), a, {b, pastLast}, pastLast);
    EXPECT_EQ(host.Said(), "4:1>3") << "folder 1, past the last item; no click";
    EXPECT_EQ(Items(), "ABC") << "answered 0";
    host.dragAnswer = 1;
    Drag(bar.Handle(), a, {b, pastLast}, pastLast);
    EXPECT_EQ(Items(), "BCA");
    host.Said();
    Drag(bar.Handle(), Mid(Icon(2)), {{a.x, 5}}, {a.x, 5});
    EXPECT_EQ(host.Said(), "") << "released outside the item area";
    EXPECT_EQ(Items(), "BCA");
}

}  // namespace
