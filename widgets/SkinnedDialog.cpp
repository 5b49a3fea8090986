// Background painting, transparent controls and palette realisation of the
// skinned dialogs.
#include "widgets/SkinnedDialog.h"
#include "data/Strings.h"
#include "win/GdiGuards.h"

namespace {

// Controls that must keep their own background even on a skinned dialog: the
// trackbar (its channel would vanish), and edits and combo boxes, whose
// read-only or disabled state sends WM_CTLCOLORSTATIC as well.
bool KeepsOwnBackground(HWND control) {
    char name[64] = "";
    GetClassNameA(control, name, sizeof name);
    return EqualNoCase(name, "msctls_trackbar32") || EqualNoCase(name, "Edit") || EqualNoCase(name, "ComboBox");
}

}  // namespace

void TileBitmap(HDC dc, const DibBitmap& bitmap, const RECT& area) {
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    if (w <= 0 || h <= 0) return;
    for (int y = area.top; y < area.bottom; y += h)
        for (int x = area.left; x < area.right; x += w) bitmap.DrawAt(dc, x, y);
}

SkinnedDialog::SkinnedDialog(int templateId)
    : win::Dialog(templateId), _hollowBrush(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))) {}

SkinnedDialog::~SkinnedDialog() {
    for (HICON icon : _icons) DestroyIcon(icon);
}

void SkinnedDialog::SetButtonIcon(int iconId, const int* buttons, size_t count) {
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    if (!icon) return;
    _icons.push_back(icon);
    for (size_t i = 0; i < count; ++i) SetItemIcon(buttons[i], icon);
}

void SkinnedDialog::SetBackground(int bitmapId, int mode) {
    _mode = mode;
    _background.LoadFromResource(GetModuleHandleA(nullptr), bitmapId);
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

bool SkinnedDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
    return HandleSkinMessage(msg, wp, lp, result);
}

bool SkinnedDialog::HandleSkinMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
    switch (msg) {
        case WM_ERASEBKGND:
            if (!EraseBackground(reinterpret_cast<HDC>(wp))) return false;
            // DefDlgProc returns DWLP_MSGRESULT for this message: nonzero = erased.
            SetMsgResult(TRUE);
            result = TRUE;
            return true;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            // For WM_CTLCOLOR* the dialog procedure's own result is the brush.
            return ControlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), result);
        case WM_QUERYNEWPALETTE: return QueryNewPalette(result);
        case WM_PALETTECHANGED:
            if (!PaletteChanged(reinterpret_cast<HWND>(wp))) return false;
            SetMsgResult(0);
            result = TRUE;
            return true;
        default: return false;
    }
}

void SkinnedDialog::RepaintControl(HWND control) {
    RECT area;
    if (!Handle() || !GetWindowRect(control, &area)) return;
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(Handle(), &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool SkinnedDialog::EraseBackground(HDC dc) {
    if (!_background.IsLoaded()) return false;
    RECT client;
    GetClientRect(Handle(), &client);
    if (_mode == kStretch)
        _background.DrawStretched(dc, client);
    else
        TileBitmap(dc, _background, client);
    return true;
}

bool SkinnedDialog::ControlColour(HDC dc, HWND control, INT_PTR& result) {
    if (!_background.IsLoaded() || KeepsOwnBackground(control)) return false;
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<INT_PTR>(_hollowBrush);
    return true;
}

bool SkinnedDialog::QueryNewPalette(INT_PTR& result) {
    HPALETTE palette = _background.Palette();
    if (!palette) return false;
    UINT changed = 0;
    {
        win::WindowDc dc(Handle());
        win::RealizedPalette realized(dc.Get(), palette, false);
        changed = realized.Changed();
    }
    const bool realised = changed != 0 && changed != GDI_ERROR;
    if (realised) InvalidateRect(Handle(), nullptr, TRUE);
    SetMsgResult(realised ? TRUE : FALSE);
    result = TRUE;
    return true;
}

bool SkinnedDialog::PaletteChanged(HWND changedBy) {
    HPALETTE palette = _background.Palette();
    if (!palette || changedBy == Handle() || IsChild(Handle(), changedBy)) return false;
    UINT changed = 0;
    {
        win::WindowDc dc(Handle());
        win::RealizedPalette realized(dc.Get(), palette, true);
        changed = realized.Changed();
    }
    if (changed != 0 && changed != GDI_ERROR) InvalidateRect(Handle(), nullptr, TRUE);
    return true;
}
