// The folder bar control in a window, driven with mouse messages: headers,
// folder changes, child windows, scrolling, presses, dragging, notifications.
#include "BarHost.h"
#include "TestEnv.h"
#include "widgets/OutBarCtrl.h"
#include <gtest/gtest.h>

namespace {

using outbar::State;

// A 32 x 32 image list of one red picture.
HIMAGELIST RedImages() {
    HIMAGELIST list = ImageList_Create(32, 32, ILC_COLOR24 | ILC_MASK, 1, 1);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT r{0, 0, 32, 32};
    HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
    FillRect(dc, &r, red);
    DeleteObject(red);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ImageList_AddMasked(list, bitmap, RGB(255, 255, 255));
    DeleteObject(bitmap);
    return list;
}

class OutBar : public ::testing::Test {
protected:
    // The bar at (10, 10)-(170, 270) of the host: a 158 x 258 client inside its edge.
    void Build(DWORD flags, int itemsInFolder1 = 3, HWND childOfFolder0 = nullptr) {
        ASSERT_TRUE(bar.Create(WS_VISIBLE, {10, 10, 170, 270}, host.Handle(), 77, flags));
        bar.SetImageList(images, 2);
        if (childOfFolder0)
            bar.AddFolderWithChild("Zero", childOfFolder0, 0);
        else
            bar.AddFolder("Zero", 0);
        bar.AddFolder("One", 1);
        bar.AddFolder("Two", 2);
        for (int i = 0; i < itemsInFolder1; ++i)
            bar.InsertItem(1, -1, std::string(1, static_cast<char>('A' + i)), 0, 0);
        bar.animationDelay = 0;
        Pump();
    }
    void Pump() {
        UpdateWindow(bar.Handle());
        PumpMessages();
    }
    RECT Client() const {
        RECT c;
        GetClientRect(bar.Handle(), &c);
        return c;
    }
    // The middle of an item's icon in the open folder.
    POINT IconPoint(int item) const {
        HDC dc = GetDC(bar.Handle());
        RECT r = outbar::IconRect(dc, bar.State(), Client(), item);
        ReleaseDC(bar.Handle(), dc);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    std::vector<std::string> Labels() const {
        std::vector<std::string> out;
        for (int i = 0; i < bar.ItemCount(bar.GetSelFolder()); ++i) out.push_back(bar.GetItemText(i));
        return out;
    }

    BarHost host;
    HIMAGELIST images = RedImages();
    CGfxOutBarCtrl bar;

    void TearDown() override { ImageList_Destroy(images); }
};

TEST_F(OutBar, HeadersSitAboveAndBelowTheOpenFolder) {
    Build(0x300);
    ASSERT_EQ(Client().bottom, 258);
    const COLORREF face = GetSysColor(COLOR_3DFACE), background = RGB(32, 32, 64);
    struct Case {
        int open;
        std::vector<int> faceRows, backgroundRows;
    } cases[] = {
        {0, {10, 225, 247}, {30, 120, 205}},  // headers 1 and 2 at the bottom
        {2, {10, 32, 54}, {70, 200, 250}},    // all three at the top
    };
    for (const Case& c : cases) {
        bar.SetSelFolder(c.open);
        State s = bar.State();
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 158, 258);
        HGDIOBJ old = SelectObject(mem, bitmap);
        outbar::Paint(mem, Client(), s);
        for (int y : c.faceRows) EXPECT_EQ(GetPixel(mem, 3, y), face) << "folder " << c.open << " open, row " << y;
        for (int y : c.backgroundRows)
            EXPECT_EQ(GetPixel(mem, 3, y), background) << "folder " << c.open << " open, row " << y;
        DeleteObject(SelectObject(mem, old));
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
    }
    // The mouse finds the headers where they are drawn.
    bar.SetSelFolder(0);
    host.notes.clear();
    Click(bar.Handle(), {80, 247});
    Click(bar.Handle(), {80, 32});
    ASSERT_EQ(host.NotesWith(CGfxOutBarCtrl::kFolderOpened).size(), 2u);
    EXPECT_EQ(host.notes[0].value, 2);
    EXPECT_EQ(host.notes[1].value, 1) << "folder 1's header moved to the top";
    EXPECT_EQ(bar.GetSelFolder(), 1);
}

TEST_F(OutBar, FolderChangesSlideUnlessTheDelayIsNegative) {
    Build(0x300);
    bar.SetSelFolder(2);
    EXPECT_GT(bar.SlideFrames(), 0) << "a change of folder slides";
    host.notes.clear();
    bar.SetSelFolder(2);
    EXPECT_EQ(bar.SlideFrames(), 0) << "the open folder again: no slide";
    ASSERT_EQ(host.notes.size(), 1u) << "but notification 5 again";
    EXPECT_EQ(host.notes[0].code, CGfxOutBarCtrl::kFolderOpened);
    EXPECT_EQ(host.notes[0].value, 2);

    bar.animationDelay = -1;
    bar.SetSelFolder(0);
    EXPECT_EQ(bar.SlideFrames(), 0);
    EXPECT_TRUE(bar.State().flags & outbar::kAnimate) << "the flag stays set";
    EXPECT_EQ(bar.GetSelFolder(), 0);
}

TEST_F(OutBar, FolderWithAChildShowsNoItemsAndNoArrows) {
    HWND child = CreateWindowExA(0, "STATIC", "child", WS_CHILD, 0, 0, 0, 0, host.Handle(), nullptr, nullptr, nullptr);
    Build(0x380, 3, child);
    SetParent(child, bar.Handle());
    for (int i = 0; i < 12; ++i) bar.InsertItem(0, -1, "hidden", 0, 0);
    bar.SetSelFolder(1);
    bar.SetSelFolder(0);
    Pump();
    EXPECT_TRUE(IsWindowVisible(child));
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, bar.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 21);
    EXPECT_EQ(r.bottom, 258 - 44);
    EXPECT_FALSE(bar.State().upShown);
    EXPECT_FALSE(bar.State().downShown) << "twelve items would need the down arrow";
    host.notes.clear();
    Click(bar.Handle(), {79, 40});  // on item 0's icon, were it shown
    EXPECT_TRUE(host.notes.empty());
    bar.SetSelFolder(1);
    EXPECT_FALSE(IsWindowVisible(child)) << "hidden when its folder closes";
}

TEST_F(OutBar, ScrollingDownStopsWhenTheLastItemFits) {
    Build(0x300, 8);
    bar.SetSelFolder(1);
    Pump();
    ASSERT_TRUE(bar.State().downShown);
    ASSERT_FALSE(bar.State().upShown);
    // Held on the down arrow, the repeat timer scrolls one item per tick.
    const RECT arrow = bar.State().downRect;
    const POINT on{(arrow.left + arrow.right) / 2, (arrow.top + arrow.bottom) / 2};
    PostMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on.x, on.y));
    for (int i = 0; i < 10; ++i) PostMessageA(bar.Handle(), WM_TIMER, CGfxOutBarCtrl::kArrowTimer, 0);
    PostMessageA(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(on.x, on.y));
    PumpMessages();
    Pump();
    const int first = bar.State().firstVisible;
    ASSERT_GT(first, 0);
    EXPECT_LT(first, 7);
    EXPECT_TRUE(bar.State().upShown);
    EXPECT_FALSE(bar.State().downShown);
    HDC dc = GetDC(bar.Handle());
    const RECT c = Client();
    const RECT area = outbar::ItemArea(bar.State(), c);
    EXPECT_LE(outbar::ItemRect(dc, bar.State(), c, 1, 7, first).bottom, area.bottom) << "the last item fits";
    EXPECT_GT(outbar::ItemRect(dc, bar.State(), c, 1, 7, first - 1).bottom, area.bottom)
        << "and did not fit one step earlier";
    ReleaseDC(bar.Handle(), dc);

    const RECT up = bar.State().upRect;
    Click(bar.Handle(), {(up.left + up.right) / 2, (up.top + up.bottom) / 2});
    EXPECT_EQ(bar.State().firstVisible, first - 1) << "the up arrow scrolls back";
}

TEST_F(OutBar, EscapeAndReleasesElsewhereSendNoClick) {
    Build(0x300);  // no dragging
    bar.SetSelFolder(1);
    Pump();
    const POINT a = IconPoint(0), c = IconPoint(2);
    HWND h = bar.Handle();
    host.notes.clear();

    PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
    PostMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(a.x, a.y));
    PumpMessages();
    EXPECT_TRUE(host.notes.empty()) << "Escape ends the press";
    EXPECT_EQ(GetCapture(), nullptr);

    Drag(h, a, {c}, c);
    EXPECT_TRUE(host.notes.empty()) << "released over another item without flag 0x80";
    EXPECT_EQ(Labels(), (std::vector<std::string>{"A", "B", "C"}));

    Drag(h, a, {c, a}, a);
    ASSERT_EQ(host.notes.size(), 1u) << "back over the item: a click";
    EXPECT_EQ(host.notes[0].code, CGfxOutBarCtrl::kItemClicked);
    EXPECT_EQ(host.notes[0].value, 0);
    EXPECT_EQ(bar.State().selectedItem, 0);
}

TEST_F(OutBar, InsertItemPositions) {
    Build(0x300, 0);
    EXPECT_EQ(bar.InsertItem(1, 0, "B", 0, 0), 0);
    EXPECT_EQ(bar.InsertItem(1, 0, "A", 0, 0), 0);
    EXPECT_EQ(bar.InsertItem(1, 9, "Z", 0, 0), 2) << "past the end appends";
    EXPECT_EQ(bar.InsertItem(1, -3, "Y", 0, 0), 3) << "below 0 appends";
    EXPECT_EQ(bar.InsertItem(1, 1, "M", 0, 0), 1);
    EXPECT_EQ(bar.InsertItem(5, 0, "X", 0, 0), 0) << "no such folder";
    bar.SetSelFolder(1);
    Pump();
    EXPECT_EQ(Labels(), (std::vector<std::string>{"A", "M", "B", "Z", "Y"}));
    EXPECT_EQ(bar.GetItemText(5), "");
    host.notes.clear();
    Click(bar.Handle(), IconPoint(0));
    ASSERT_EQ(host.NotesWith(CGfxOutBarCtrl::kItemClicked).size(), 1u);
    EXPECT_EQ(bar.GetItemText(static_cast<int>(host.notes[0].value)), "A");
}

TEST_F(OutBar, DraggedItemMovesOnlyWhenTheOwnerAgrees) {
    Build(0x3FC);
    bar.SetSelFolder(1);
    Pump();
    const RECT area = outbar::ItemArea(bar.State(), Client());
    const POINT a = IconPoint(0), pastLast{a.x, area.bottom - 4};
    host.notes.clear();
    host.dragAnswer = 0;
    Drag(bar.Handle(), a, {IconPoint(1), pastLast}, pastLast);
    auto drags = host.NotesWith(CGfxOutBarCtrl::kItemDragged);
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_EQ(drags[0].folder, 1);
    EXPECT_EQ(drags[0].target, 3) << "past the last item";
    EXPECT_TRUE(host.NotesWith(CGfxOutBarCtrl::kItemClicked).empty());
    EXPECT_EQ(Labels(), (std::vector<std::string>{"A", "B", "C"}));

    host.dragAnswer = 1;
    Drag(bar.Handle(), a, {IconPoint(1), pastLast}, pastLast);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"B", "C", "A"}));

    // Released outside the item area after leaving the item: nothing.
    host.notes.clear();
    Drag(bar.Handle(), IconPoint(2), {{a.x, 5}}, {a.x, 5});
    EXPECT_TRUE(host.notes.empty());
    EXPECT_EQ(Labels(), (std::vector<std::string>{"B", "C", "A"}));
}

TEST_F(OutBar, ChildNotificationsReachTheOwnerWithTheirHeader) {
    Build(0x300);
    NMHDR hdr{bar.Handle(), 1010, static_cast<UINT>(NM_DBLCLK)};
    LONG_PTR id = 0;
    NMHDR* seen = nullptr;
    host.handler = [&](WPARAM code, LPARAM lp) -> LRESULT {
        if (code == CGfxOutBarCtrl::kChildNotify) {
            const auto* info = reinterpret_cast<const CGfxOutBarCtrl::ChildNotifyInfo*>(lp);
            id = info->controlId;
            seen = info->header;
        }
        return 0;
    };
    SendMessageA(bar.Handle(), WM_NOTIFY, 1010, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(id, 1010);
    EXPECT_EQ(seen, &hdr) << "the whole address, also on 64 bits";
}

}  // namespace
