// The skinned dialog base and its bitmap: loading, drawing, tiling and
// stretching the background, and which controls show it through.
#include "TestEnv.h"
#include "dialogs/AddGameDialog.h"
#include "dialogs/TextInputDialog.h"
#include "res/AddGameDialogRes.h"
#include "res/TextInputDialogRes.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <commctrl.h>

namespace {

// A memory DC on a black 24-bit canvas, or on a resource bitmap as the system loads it.
class Surface {
public:
    Surface(int width, int height) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        _old = SelectObject(_dc, CreateDIBSection(_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        PatBlt(_dc, 0, 0, width, height, BLACKNESS);
    }
    explicit Surface(int id)
        : _old(SelectObject(_dc, LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION))) {}
    ~Surface() {
        DeleteObject(SelectObject(_dc, _old));
        DeleteDC(_dc);
    }
    HDC Dc() const { return _dc; }
    COLORREF At(int x, int y) const { return GetPixel(_dc, x, y); }

private:
    HDC _dc = CreateCompatibleDC(nullptr);
    HGDIOBJ _old = nullptr;
};

const POINT kSamples[] = {{0, 0}, {37, 11}, {80, 50}, {123, 77}, {159, 99}, {5, 90}, {150, 3}};

TEST(DibBitmap, LoadsResourcesAndDrawsTheirOwnPixels) {
    DibBitmap tile, picture;
    ASSERT_TRUE(tile.LoadFromResource(GetModuleHandleA(nullptr), IDB_DIALOGTILE));
    EXPECT_EQ(std::make_pair(tile.Width(), tile.Height()), std::make_pair(600, 500));
    EXPECT_NE(tile.Palette(), nullptr) << "8 bits: a palette";
    ASSERT_TRUE(picture.LoadFromResource(GetModuleHandleA(nullptr), IDB_DEFAULTGAME));
    EXPECT_EQ(std::make_pair(picture.Width(), picture.Height()), std::make_pair(160, 100));
    EXPECT_EQ(picture.Palette(), nullptr) << "24 bits: none";

    for (auto [id, bitmap] : {std::make_pair(IDB_DIALOGTILE, &tile), std::make_pair(IDB_DEFAULTGAME, &picture)}) {
        Surface original(id), canvas(bitmap->Width() + 20, bitmap->Height() + 10);
        bitmap->DrawAt(canvas.Dc(), 20, 10);
        for (POINT p : kSamples) EXPECT_EQ(canvas.At(20 + p.x, 10 + p.y), original.At(p.x, p.y)) << id;
        EXPECT_EQ(canvas.At(19, 9), RGB(0, 0, 0)) << "nothing drawn outside";
    }

    EXPECT_FALSE(tile.LoadFromResource(GetModuleHandleA(nullptr), 9999));
    EXPECT_FALSE(tile.IsLoaded()) << "a failed load leaves nothing of the old bitmap";
    EXPECT_EQ(tile.Palette(), nullptr);
}

TEST(TileBitmap, CoversTheAreaWithCopies) {
    DibBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromResource(GetModuleHandleA(nullptr), IDB_DEFAULTGAME));
    Surface original(IDB_DEFAULTGAME), canvas(520, 370);
    TileBitmap(canvas.Dc(), bitmap, RECT{10, 5, 520, 370});
    // Copies at x 10, 170, 330, 490 and y 5, 105, 205, 305; the last ones cut.
    EXPECT_EQ(canvas.At(170 + 37, 105 + 11), original.At(37, 11));
    EXPECT_EQ(canvas.At(490 + 29, 305 + 64), original.At(29, 64));
    EXPECT_EQ(canvas.At(9, 4), RGB(0, 0, 0));
}

class SkinnedDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(nullptr)); }
    // The brush that a control colour message gives, and the DC's background mode after it.
    static std::pair<HBRUSH, int> ColourFor(HWND dlg, HWND control, UINT msg = WM_CTLCOLORSTATIC) {
        Surface dc(4, 4);
        LRESULT r = SendMessageA(dlg, msg, reinterpret_cast<WPARAM>(dc.Dc()), reinterpret_cast<LPARAM>(control));
        return {reinterpret_cast<HBRUSH>(r), GetBkMode(dc.Dc())};
    }
    HWND Item(int id) const { return GetDlgItem(dialog.Handle(), id); }

    TextInputDialog dialog;
    const std::pair<HBRUSH, int> transparent{static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), TRANSPARENT};
};

TEST_F(SkinnedDialogTest, StaticsAndButtonsShowTheBackgroundButTrackbarsAndEditsDoNot) {
    HWND trackbar = CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD, 0, 0, 100, 20, dialog.Handle(), nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(ColourFor(dialog.Handle(), Item(IDC_TEXTINPUT_PROMPT)), transparent);
    EXPECT_EQ(ColourFor(dialog.Handle(), Item(IDOK), WM_CTLCOLORBTN), transparent);
    for (HWND opaque : {trackbar, Item(IDC_TEXTINPUT_VALUE)}) {
        auto colour = ColourFor(dialog.Handle(), opaque);
        EXPECT_NE(colour.first, transparent.first);
        EXPECT_EQ(colour.second, OPAQUE);
    }
    IniFile ini;
    AddGameDialog add("C:\\", ini);
    ASSERT_TRUE(add.Create(nullptr));
    EXPECT_EQ(ColourFor(add.Handle(), GetDlgItem(add.Handle(), IDC_ADD_VDMSOUND)), transparent) << "a check box";
    EXPECT_NE(ColourFor(add.Handle(), GetDlgItem(add.Handle(), IDC_ADD_PUBLISHER)), transparent) << "a combo box";

    dialog.SetBackground(9999, SkinnedDialog::kTile);
    EXPECT_NE(ColourFor(dialog.Handle(), Item(IDC_TEXTINPUT_PROMPT)), transparent) << "no bitmap: default colours";
}

TEST_F(SkinnedDialogTest, TilesOrStretchesOverTheClientArea) {
    // A client area of 900 x 650 needs four copies of the 600 x 500 tile.
    RECT frame{0, 0, 900, 650};
    AdjustWindowRectEx(&frame, GetWindowLongA(dialog.Handle(), GWL_STYLE), FALSE, 0);
    SetWindowPos(dialog.Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    RECT client;
    GetClientRect(dialog.Handle(), &client);
    ASSERT_GT(client.right, 600);
    ASSERT_GT(client.bottom, 500);
    Surface tile(IDB_DIALOGTILE), tiled(client.right, client.bottom);
    EXPECT_TRUE(SendMessageA(dialog.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(tiled.Dc()), 0));
    for (POINT p : kSamples) EXPECT_EQ(tiled.At(600 + p.x, 500 + p.y), tile.At(p.x, p.y));

    dialog.SetBackground(IDB_DEFAULTGAME, SkinnedDialog::kStretch);
    Surface picture(IDB_DEFAULTGAME), stretched(client.right + 1, client.bottom + 1);
    EXPECT_TRUE(SendMessageA(dialog.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(stretched.Dc()), 0));
    EXPECT_EQ(stretched.At(client.right - 1, client.bottom - 1), picture.At(159, 99));
    EXPECT_EQ(stretched.At(client.right, client.bottom), RGB(0, 0, 0)) << "nothing beyond the client area";
}

}  // namespace
