// The folder bar's geometry and painting, on any device context.
#include "widgets/OutBarModel.h"
#include "win/GdiGuards.h"
#include <algorithm>

namespace outbar {
namespace {

using win::Selected;

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    win::GdiObject brush(CreateSolidBrush(colour));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

void HLine(HDC dc, int x0, int x1, int y, COLORREF colour) {
    RECT r{x0, y, x1, y + 1};
    Fill(dc, r, colour);
}

void VLine(HDC dc, int x, int y0, int y1, COLORREF colour) {
    RECT r{x, y0, x + 1, y1};
    Fill(dc, r, colour);
}

// A one-pixel frame: |topLeft| along the top and left, |bottomRight| along the others.
void Frame3d(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    HLine(dc, r.left, r.right - 1, r.top, topLeft);
    VLine(dc, r.left, r.top, r.bottom - 1, topLeft);
    HLine(dc, r.left, r.right, r.bottom - 1, bottomRight);
    VLine(dc, r.right - 1, r.top, r.bottom, bottomRight);
}

RECT Deflated(RECT r, int by) {
    InflateRect(&r, -by, -by);
    return r;
}

struct Metrics {
    int iconW = 0, iconH = 0, labelW = 0, labelH = 0;
};

Metrics Measure(HDC dc, const State& s, const RECT& area, int folder, int item) {
    Metrics m;
    const Item& it = s.folders[folder].items[item];
    HIMAGELIST images = ImagesOf(s, folder);
    if (images && it.image >= 0) ImageList_GetIconSize(images, &m.iconW, &m.iconH);
    if (!it.label.empty()) {
        Selected font(dc, GetStockObject(DEFAULT_GUI_FONT));
        RECT t{0, 0, std::max<LONG>(area.right - area.left, 1), 0};
        UINT how = s.SmallView() ? DT_CALCRECT | DT_SINGLELINE : DT_CALCRECT | DT_WORDBREAK | DT_CENTER;
        DrawTextA(dc, it.label.c_str(), -1, &t, how | DT_NOPREFIX);
        m.labelW = t.right - t.left;
        m.labelH = t.bottom - t.top;
    }
    return m;
}

SIZE SizeOf(const State& s, const Metrics& m) {
    if (s.SmallView()) return {m.iconW + s.smallLabelGap + m.labelW, std::max(m.iconH, m.labelH)};
    return {std::max(m.iconW, m.labelW), m.iconH + s.largeLabelGap + m.labelH + 8};
}

RECT ItemRectIn(HDC dc, const State& s, const RECT& area, int folder, int item, int firstVisible) {
    const int spacing = s.SmallView() ? s.smallSpacing : s.largeSpacing;
    int top = area.top + s.marginY;
    for (int k = firstVisible; k < item; ++k) top += ItemSize(dc, s, area, folder, k).cy + spacing;
    for (int k = item; k < firstVisible; ++k) top -= ItemSize(dc, s, area, folder, k).cy + spacing;
    SIZE size = ItemSize(dc, s, area, folder, item);
    if (s.SmallView()) return {area.left + s.marginX, top, area.left + size.cx, top + size.cy};
    return {area.left, top, area.right, top + size.cy};
}

RECT IconRectIn(HDC dc, const State& s, const RECT& area, int folder, int item, int firstVisible) {
    RECT r = ItemRectIn(dc, s, area, folder, item, firstVisible);
    Metrics m = Measure(dc, s, area, folder, item);
    int x = s.SmallView() ? r.left + 2 : r.left + (r.right - r.left - m.iconW) / 2;
    int y = s.SmallView() ? r.top + (r.bottom - r.top - m.iconH) / 2 : r.top;
    return {x, y, x + m.iconW, y + m.iconH};
}

void DrawOneItem(HDC dc, const State& s, const RECT& area, int folder, int item, int firstVisible) {
    const Item& it = s.folders[folder].items[item];
    RECT r = ItemRectIn(dc, s, area, folder, item, firstVisible);
    Metrics m = Measure(dc, s, area, folder, item);
    RECT icon = IconRectIn(dc, s, area, folder, item, firstVisible);
    HIMAGELIST images = ImagesOf(s, folder);
    if (images && it.image >= 0) ImageList_Draw(images, it.image, dc, icon.left, icon.top, ILD_TRANSPARENT);
    if (it.label.empty()) return;
    Selected font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, s.text);
    SetBkMode(dc, TRANSPARENT);
    if (s.SmallView()) {
        RECT t{r.left + m.iconW + s.smallLabelGap, r.top, area.right, r.top + m.labelH};
        DrawTextA(dc, it.label.c_str(), -1, &t, DT_SINGLELINE | DT_NOPREFIX);
    } else {
        int top = r.top + m.iconH + s.largeLabelGap;
        RECT t{area.left, top, area.right, top + m.labelH};
        DrawTextA(dc, it.label.c_str(), -1, &t, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    }
}

}  // namespace

RECT HeaderRect(const State& s, const RECT& c, int folder) {
    const int n = static_cast<int>(s.folders.size());
    const int h = s.headerHeight;
    RECT r = c;
    if (folder <= s.openFolder) {
        r.top = c.top + h * folder - 1;
        r.bottom = c.top + h * (folder + 1) - 1;
    } else {
        r.top = c.bottom - h * (n - folder);
        r.bottom = c.bottom - h * (n - folder - 1);
    }
    return r;
}

RECT ItemArea(const State& s, const RECT& c, int folder) {
    const int n = static_cast<int>(s.folders.size());
    const int f = folder < 0 ? s.openFolder : folder;
    RECT r = c;
    if (n == 0) return r;
    r.top += s.headerHeight * (f + 1) - 1;
    r.bottom -= s.headerHeight * (n - f - 1);
    return r;
}

HIMAGELIST ImagesOf(const State& s, int folder) {
    const Folder& f = s.folders[folder];
    if (s.SmallView()) return f.smallImages ? f.smallImages : s.smallImages;
    return f.largeImages ? f.largeImages : s.largeImages;
}

SIZE ItemSize(HDC dc, const State& s, const RECT& area, int folder, int item) {
    return SizeOf(s, Measure(dc, s, area, folder, item));
}

RECT ItemRect(HDC dc, const State& s, const RECT& c, int folder, int item, int firstVisible) {
    return ItemRectIn(dc, s, ItemArea(s, c, folder), folder, item, firstVisible);
}

RECT IconRect(HDC dc, const State& s, const RECT& c, int item) {
    return IconRectIn(dc, s, ItemArea(s, c), s.openFolder, item, s.firstVisible);
}

RECT LabelRect(HDC dc, const State& s, const RECT& c, int item) {
    RECT area = ItemArea(s, c);
    RECT r = ItemRectIn(dc, s, area, s.openFolder, item, s.firstVisible);
    Metrics m = Measure(dc, s, area, s.openFolder, item);
    if (s.SmallView()) {
        int left = r.left + m.iconW + s.smallLabelGap;
        return {left, r.top, left + m.labelW, r.top + m.labelH};
    }
    int left = r.left + (r.right - r.left - m.labelW) / 2;
    int top = r.top + m.iconH + s.largeLabelGap;
    return {left, top, left + m.labelW, top + m.labelH};
}

HitResult HitTest(HDC dc, const State& s, const RECT& c, POINT p) {
    if (s.upShown && PtInRect(&s.upRect, p)) return {Hit::UpArrow, -1};
    if (s.downShown && PtInRect(&s.downRect, p)) return {Hit::DownArrow, -1};
    for (int i = 0; i < static_cast<int>(s.folders.size()); ++i) {
        RECT h = HeaderRect(s, c, i);
        if (PtInRect(&h, p)) return {Hit::Folder, i};
    }
    if (!s.Open() || s.OpenHasChild()) return {};
    RECT area = ItemArea(s, c);
    if (!PtInRect(&area, p)) return {};
    for (int i = s.firstVisible; i < s.OpenItemCount(); ++i) {
        RECT r = ItemRect(dc, s, c, s.openFolder, i, s.firstVisible);
        if (r.top > area.bottom) break;
        bool in = PtInRect(&r, p) != FALSE;
        if (!s.SmallView()) {
            RECT icon = IconRect(dc, s, c, i), label = LabelRect(dc, s, c, i);
            in = PtInRect(&icon, p) || PtInRect(&label, p);
        }
        if (in) return {Hit::Item, i};
    }
    return {};
}

bool LastItemBelow(HDC dc, const State& s, const RECT& c) {
    const int n = s.OpenItemCount();
    if (n == 0 || s.OpenHasChild()) return false;
    return ItemRect(dc, s, c, s.openFolder, n - 1, s.firstVisible).bottom > ItemArea(s, c).bottom;
}

int DropPosition(HDC dc, const State& s, const RECT& c, int y) {
    const int n = s.OpenItemCount();
    for (int i = s.firstVisible; i < n; ++i) {
        RECT r = ItemRect(dc, s, c, s.openFolder, i, s.firstVisible);
        if (y < (r.top + r.bottom) / 2) return i;
    }
    return n;
}

void DrawHeader(HDC dc, const RECT& r, const State& s, const std::string& name, bool pressed) {
    HLine(dc, r.left, r.right, r.top, s.frame);
    RECT inner{r.left, r.top + 1, r.right, r.bottom};
    RECT fill;
    if (pressed) {
        Frame3d(dc, inner, s.darkShadow, s.highlight);
        Frame3d(dc, Deflated(inner, 1), s.frame, s.face);
        fill = Deflated(inner, 2);
    } else {
        Frame3d(dc, inner, s.highlight, s.frame);
        fill = Deflated(inner, 1);
    }
    Fill(dc, fill, s.face);
    Selected font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT text = inner;
    if (pressed) OffsetRect(&text, 1, 1);
    DrawTextA(dc, name.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DrawHeaderHot(HDC dc, const RECT& r, const State& s, bool hot) {
    const COLORREF outer = hot ? s.darkShadow : s.frame;
    const COLORREF inner = hot ? s.frame : s.face;
    HLine(dc, r.left + 1, r.right, r.bottom - 1, outer);
    VLine(dc, r.right - 1, r.top + 1, r.bottom, outer);
    HLine(dc, r.left + 2, r.right - 1, r.bottom - 2, inner);
    VLine(dc, r.right - 2, r.top + 2, r.bottom - 1, inner);
}

void DrawIconFrame(HDC dc, const State& s, const RECT& c, int item, IconFrame kind) {
    if (item < 0 || item >= s.OpenItemCount() || s.OpenHasChild()) return;
    RECT area = ItemArea(s, c);
    RECT r = IconRect(dc, s, c, item);
    InflateRect(&r, 1, 1);
    win::SavedDc saved(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    if (s.upShown) ExcludeClipRect(dc, s.upRect.left, s.upRect.top, s.upRect.right, s.upRect.bottom);
    if (s.downShown) ExcludeClipRect(dc, s.downRect.left, s.downRect.top, s.downRect.right, s.downRect.bottom);
    switch (kind) {
        case IconFrame::Erase: Frame3d(dc, r, s.background, s.background); break;
        case IconFrame::Raised: Frame3d(dc, r, s.face, s.darkShadow); break;
        case IconFrame::Sunken: Frame3d(dc, r, s.darkShadow, s.face); break;
    }
}

void DrawItems(HDC dc, const State& s, const RECT& area, int folder, int firstVisible) {
    const int n = static_cast<int>(s.folders[folder].items.size());
    for (int i = firstVisible; i < n; ++i) {
        if (ItemRectIn(dc, s, area, folder, i, firstVisible).top > area.bottom) break;
        DrawOneItem(dc, s, area, folder, i, firstVisible);
    }
}

void DrawShiftedIcon(HDC dc, const State& s, const RECT& c, int item, int dx, int dy) {
    if (item < 0 || item >= s.OpenItemCount() || s.OpenHasChild()) return;
    const Item& it = s.Open()->items[item];
    HIMAGELIST images = ImagesOf(s, s.openFolder);
    RECT icon = IconRect(dc, s, c, item);
    RECT around = icon;
    InflateRect(&around, 1, 1);
    RECT area = ItemArea(s, c);
    {
        win::SavedDc saved(dc);
        IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
        Fill(dc, around, s.background);
        if (images && it.image >= 0)
            ImageList_Draw(images, it.image, dc, icon.left + dx, icon.top + dy, ILD_TRANSPARENT);
    }
    if ((s.flags & kSelectedFrame) && dx == 0 && dy == 0) DrawIconFrame(dc, s, c, item, IconFrame::Sunken);
}

static int InsertMarkY(HDC dc, const State& s, const RECT& c, int pos) {
    const int n = s.OpenItemCount();
    if (n == 0) return ItemArea(s, c).top + s.marginY - 2;
    if (pos <= 0) return ItemRect(dc, s, c, s.openFolder, 0, s.firstVisible).top - 2;
    if (pos >= n) return ItemRect(dc, s, c, s.openFolder, n - 1, s.firstVisible).bottom + 6;
    return ItemRect(dc, s, c, s.openFolder, pos, s.firstVisible).top - (s.SmallView() ? 5 : 13);
}

RECT InsertMarkRect(HDC dc, const State& s, const RECT& c, int pos) {
    RECT area = ItemArea(s, c);
    int y = InsertMarkY(dc, s, c, pos);
    return {area.left, y - 5, area.right, y + 6};
}

void DrawInsertMark(HDC dc, const State& s, const RECT& c, int pos, HPEN pen) {
    RECT area = ItemArea(s, c);
    const int y = InsertMarkY(dc, s, c, pos);
    const int x0 = area.left + 2, x1 = area.right - 2;
    const bool below = pos < s.OpenItemCount();  // a triangle under the line
    const bool above = pos > 0;                  // one over it
    win::SavedDc saved(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    Selected p(dc, pen);
    auto line = [dc](int a, int b, int yy) {
        MoveToEx(dc, a, yy, nullptr);
        LineTo(dc, b, yy);
    };
    line(x0, x1, y);
    for (int k = 1; k <= 4; ++k) {
        const int len = 9 - 2 * k;  // 7, 5, 3, 1
        for (int side : {-1, 1}) {
            if ((side > 0 && !below) || (side < 0 && !above)) continue;
            line(x0, x0 + len, y + side * k);
            line(x1 - len, x1, y + side * k);
        }
    }
}

void Paint(HDC dc, const RECT& c, State& s) {
    const int w = c.right - c.left, h = c.bottom - c.top;
    {
        win::MemoryDc memory(dc);
        win::GdiObject bitmap(CreateCompatibleBitmap(dc, std::max(w, 1), std::max(h, 1)));
        HDC mem = memory.Get();
        Selected keep(mem, bitmap.Get());
        SetWindowOrgEx(mem, c.left, c.top, nullptr);
        const bool items = s.Open() && !s.OpenHasChild();
        RECT area = ItemArea(s, c);
        if (items || s.folders.empty()) Fill(mem, area, s.background);
        for (int i = 0; i < static_cast<int>(s.folders.size()); ++i)
            DrawHeader(mem, HeaderRect(s, c, i), s, s.folders[i].name, i == s.pressedFolder);
        s.upShown = s.downShown = false;
        if (items) {
            const int size = GetSystemMetrics(SM_CXVSCROLL);
            s.upRect = {area.right - 5 - size, area.top + 5, area.right - 5, area.top + 5 + size};
            s.downRect = {area.right - 5 - size, area.bottom - 5 - size, area.right - 5, area.bottom - 5};
            s.upShown = s.firstVisible > 0;
            s.downShown = LastItemBelow(mem, s, c);
            if (s.upShown)
                DrawFrameControl(mem, &s.upRect, DFC_SCROLL, DFCS_SCROLLUP | (s.upPressed ? DFCS_PUSHED : 0));
            if (s.downShown)
                DrawFrameControl(mem, &s.downRect, DFC_SCROLL, DFCS_SCROLLDOWN | (s.downPressed ? DFCS_PUSHED : 0));
            {
                win::SavedDc saved(mem);
                IntersectClipRect(mem, area.left, area.top, area.right, area.bottom);
                if (s.upShown) ExcludeClipRect(mem, s.upRect.left, s.upRect.top, s.upRect.right, s.upRect.bottom);
                if (s.downShown)
                    ExcludeClipRect(mem, s.downRect.left, s.downRect.top, s.downRect.right, s.downRect.bottom);
                DrawItems(mem, s, area, s.openFolder, s.firstVisible);
            }
            if ((s.flags & kSelectedFrame) && s.selectedItem >= 0)
                DrawIconFrame(mem, s, c, s.selectedItem, IconFrame::Sunken);
        }
        BitBlt(dc, c.left, c.top, w, h, mem, c.left, c.top, SRCCOPY);
    }
    if (s.ValidFolder(s.hotFolder)) DrawHeaderHot(dc, HeaderRect(s, c, s.hotFolder), s, true);
    if (s.hotItem >= 0) DrawIconFrame(dc, s, c, s.hotItem, s.hotPressed ? IconFrame::Sunken : IconFrame::Raised);
}

}  // namespace outbar
