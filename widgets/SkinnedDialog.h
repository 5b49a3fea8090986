// Base of the dialogs that paint a bitmap as their background, tiled or
// stretched, with buttons, check boxes and static texts drawn transparently on it.
#pragma once
#include "widgets/DibBitmap.h"
#include "win/Dialog.h"
#include <cstddef>
#include <vector>

class SkinnedDialog : public win::Dialog {
public:
    enum DrawMode { kTile = 0, kStretch = 1 };

    explicit SkinnedDialog(int templateId);
    ~SkinnedDialog() override;

    // Remembers the mode and loads the bitmap resource of the executable; when
    // that fails the dialog paints normally. Call it from OnInit (and again to
    // change the background).
    void SetBackground(int bitmapId, int mode);
    const DibBitmap& Background() const { return _background; }
    int DrawMode() const { return _mode; }

protected:
    // A derived class that overrides OnMessage must pass every message it does
    // not handle itself on to SkinnedDialog::OnMessage.
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
    // The background, control colour and palette messages; true when handled,
    // with the dialog procedure's result in |result|.
    bool HandleSkinMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result);
    // Repaints a transparent control together with the background under it, at
    // once. Needed after its text or image changes: a hollow brush erases nothing.
    void RepaintControl(HWND control);
    // Puts the 16x16 icon resource |iconId| on the buttons |buttons|. The icon
    // lives as long as the dialog object.
    template <size_t N>
    void SetButtonIcon(int iconId, const int (&buttons)[N]) {
        SetButtonIcon(iconId, buttons, N);
    }
    void SetButtonIcon(int iconId, const int* buttons, size_t count);

private:
    bool EraseBackground(HDC dc);
    bool ControlColour(HDC dc, HWND control, INT_PTR& result);
    bool QueryNewPalette(INT_PTR& result);
    bool PaletteChanged(HWND changedBy);

    DibBitmap _background;
    int _mode = kTile;
    HBRUSH _hollowBrush;  // stock object, never deleted
    std::vector<HICON> _icons;
};

// Covers |area| with copies of |bitmap| at its own size, starting at the
// area's top-left corner, row after row.
void TileBitmap(HDC dc, const DibBitmap& bitmap, const RECT& area);
