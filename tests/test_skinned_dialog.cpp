// The skinned dialog base and its bitmap: loading, drawing, tiling, stretching, see-through controls.
#include "TestEnv.h"
#include "dialogs/TextInputDialog.h"
#include "res/TextInputDialogRes.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

// A memory DC on a black 24-bit canvas, or on a resource bitmap as the system loads it.
class Surface {
public:
    Surface(int width, int height) : _width(width), _height(height) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        _old = SelectObject(_dc, CreateDIBSection(_dc, &bi, DIB_RGB_COLORS, &_bits, nullptr, 0));
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
    std::string Bytes() const {
        GdiFlush();
        return std::string(static_cast<const char*>(_bits), (_width * 3 + 3) / 4 * 4 * static_cast<size_t>(_height));
    }

private:
    HDC _dc = CreateCompatibleDC(nullptr);
    HGDIOBJ _old = nullptr;
    void* _bits = nullptr;
    int _width = 0, _height = 0;
};

const POINT kSamples[] = {{0, 0}, {37, 11}, {80, 50}, {123, 77}, {159, 99}, {5, 90}, {150, 3}};

// Run-length encoded 8-bit pictures and the 24-bit strip give every pixel as the system's own
// loader does, at its place and nothing outside it; a failed load leaves nothing of the last.
TEST(DibBitmap, GivesEveryPictureAsTheSystemLoadsIt) {
    DibBitmap bitmap;
    for (int id : {IDB_DETAILS_LARGE, IDB_DEFAULTGAME, IDB_BACK_RED, IDB_BACK_GREEN, IDB_BACK_BLUE, IDB_BACK_ALT,
                   IDB_BACK_GREY, IDB_DIALOGTILE, IDB_SPLASH, IDB_ABOUT}) {  // the last with a palette
        ASSERT_TRUE(bitmap.LoadFromResource(GetModuleHandleA(nullptr), id)) << id;
        Surface original(id);
        BITMAP bm{};
        GetObjectA(GetCurrentObject(original.Dc(), OBJ_BITMAP), sizeof bm, &bm);
        const int w = bm.bmWidth, h = bm.bmHeight;
        EXPECT_EQ(std::make_pair(bitmap.Width(), bitmap.Height()), std::make_pair(w, h)) << id;
        EXPECT_EQ(bitmap.Palette() != nullptr, bitmap.BitCount() <= 8) << id << ": a palette for 8 bits only";
        Surface ours(w + 20, h + 10), system(w + 20, h + 10);
        bitmap.DrawAt(ours.Dc(), 20, 10);
        BitBlt(system.Dc(), 20, 10, w, h, original.Dc(), 0, 0, SRCCOPY);
        EXPECT_TRUE(ours.Bytes() == system.Bytes()) << id;
    }
    EXPECT_FALSE(bitmap.LoadFromResource(GetModuleHandleA(nullptr), 9999));
    EXPECT_TRUE(!bitmap.IsLoaded() && bitmap.Palette() == nullptr);
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

TEST_F(SkinnedDialogTest, StaticsAndButtonsShowTheBackground) {
    EXPECT_EQ(ColourFor(dialog.Handle(), Item(IDC_TEXTINPUT_PROMPT)), transparent);
    EXPECT_EQ(ColourFor(dialog.Handle(), Item(IDOK), WM_CTLCOLORBTN), transparent);
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
