// The folder bar's press loops: headers, items (with dragging) and the scroll
// arrows. Each holds the mouse capture until the button is released, the
// capture is lost or Escape is pressed.
#include "widgets/OutBar.h"

namespace {

POINT PointOf(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

}  // namespace

void OutBar::OnLButtonDown(POINT p) {
    SetFocus(_hwnd);
    const outbar::HitResult hit = outbar::HitTest(win::WindowDc(_hwnd).Get(), _state, Client(), p);
    switch (hit.kind) {
        case outbar::Hit::Folder: PressFolder(hit.index); break;
        case outbar::Hit::Item: PressItem(hit.index); break;
        case outbar::Hit::UpArrow: PressArrow(true); break;
        case outbar::Hit::DownArrow: PressArrow(false); break;
        case outbar::Hit::Nothing: break;
    }
}

bool OutBar::TrackPress(const std::function<void(POINT)>& onMove, const std::function<void()>& onArrowTick,
                        POINT& release) {
    SetCapture(_hwnd);
    MSG msg;
    while (_hwnd && GetCapture() == _hwnd) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit for the outer loop
            break;
        }
        POINT p = PointOf(msg.lParam);
        if (msg.hwnd != _hwnd && msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
            MapWindowPoints(msg.hwnd, _hwnd, &p, 1);
        switch (msg.message) {
            case WM_MOUSEMOVE: onMove(p); break;
            case WM_LBUTTONUP:
                release = p;
                ReleaseCapture();
                return true;
            case WM_KEYDOWN:
                if (msg.wParam == VK_ESCAPE) {
                    ReleaseCapture();
                    return false;
                }
                break;
            case WM_TIMER:
                if (msg.hwnd == _hwnd && msg.wParam == kArrowTimer) {
                    if (onArrowTick) onArrowTick();
                    break;
                }
                DispatchMessageA(&msg);
                break;
            default:
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
                break;
        }
    }
    if (_hwnd && GetCapture() == _hwnd) ReleaseCapture();
    return false;
}

void OutBar::PressFolder(int folder) {
    auto draw = [this, folder](bool pressed) {
        _state.pressedFolder = pressed ? folder : -1;
        const win::WindowDc dc(_hwnd);
        const RECT r = outbar::HeaderRect(_state, Client(), folder);
        outbar::DrawHeader(dc.Get(), r, _state, _state.folders[folder].name, pressed);
        if (!pressed && _state.hotFolder == folder) outbar::DrawHeaderHot(dc.Get(), r, _state, true);
    };
    auto over = [this, folder](POINT p) {
        RECT r = outbar::HeaderRect(_state, Client(), folder);
        return PtInRect(&r, p) != FALSE;
    };
    draw(true);
    bool isOver = true;
    POINT release{};
    bool released = TrackPress(
        [&](POINT p) {
            if (over(p) != isOver) draw(isOver = over(p));
        },
        nullptr, release);
    draw(false);
    if (released && over(release) && folder != _state.openFolder) SetSelFolder(folder);
}

void OutBar::ShowInsertMark(int position) {
    if (position == _mark) return;
    const RECT c = Client();
    if (_mark >= 0) {
        RECT old = outbar::InsertMarkRect(win::WindowDc(_hwnd).Get(), _state, c, _mark);
        _mark = -1;
        Repaint(&old);
    }
    _mark = position;
    if (position >= 0)
        outbar::DrawInsertMark(win::WindowDc(_hwnd).Get(), _state, c, position, static_cast<HPEN>(_markPen.Get()));
}

void OutBar::PressItem(int item) {
    SetHotItem(item, true);
    const RECT c = Client();
    const RECT area = outbar::ItemArea(_state, c);
    bool dragging = false;
    auto hitItem = [this, &c](POINT p) {
        const outbar::HitResult hit = outbar::HitTest(win::WindowDc(_hwnd).Get(), _state, c, p);
        return hit.kind == outbar::Hit::Item ? hit.index : -1;
    };
    auto dropAt = [this, &c](POINT p) { return outbar::DropPosition(win::WindowDc(_hwnd).Get(), _state, c, p.y); };
    POINT release{};
    bool released = TrackPress(
        [&](POINT p) {
            const bool over = hitItem(p) == item;
            if (!dragging) {
                SetHotItem(over ? item : -1, over);
                if (!over && (_state.flags & outbar::kDragItems)) dragging = true;
            }
            if (dragging) {
                const bool inside = PtInRect(&area, p) != FALSE;
                SetCursor(inside ? _dragCursor : _noDropCursor);
                ShowInsertMark(inside ? dropAt(p) : -1);
            }
        },
        nullptr, release);
    ShowInsertMark(-1);
    SetHotItem(-1, false);
    if (!released) return;
    if (!dragging) {
        if (hitItem(release) != item) return;
        if (_blinkDelay > 0 && _state.selectedItem >= 0 && _state.selectedItem != item)
            outbar::DrawShiftedIcon(win::WindowDc(_hwnd).Get(), _state, c, _state.selectedItem, 0, 0);
        const int old = _state.selectedItem;
        _state.selectedItem = item;
        _state.blinkPhase = 0;
        if (_state.flags & outbar::kSelectedFrame) {
            RECT oldRect = old >= 0 ? outbar::IconRect(win::WindowDc(_hwnd).Get(), _state, c, old) : RECT{};
            RECT newRect = outbar::IconRect(win::WindowDc(_hwnd).Get(), _state, c, item);
            InflateRect(&oldRect, 2, 2);
            InflateRect(&newRect, 2, 2);
            if (old >= 0) InvalidateRect(_hwnd, &oldRect, FALSE);
            Repaint(&newRect);
        }
        Notify(kItemClicked, item);
        return;
    }
    if (!PtInRect(&area, release)) return;
    const int target = dropAt(release);
    if (target == item || target == item + 1) return;  // the same place
    DragInfo info;
    info.folder = _state.openFolder;
    info.target = target;
    if (Notify(kItemDragged, reinterpret_cast<LPARAM>(&info)) != 0) MoveItem(item, target);
}

void OutBar::MoveItem(int from, int to) {
    auto& items = _state.folders[_state.openFolder].items;
    outbar::Item moved = items[from];
    items.erase(items.begin() + from);
    if (to > from) --to;
    items.insert(items.begin() + to, moved);
    _state.selectedItem = -1;
    Repaint();
}

void OutBar::ScrollBy(int delta) {
    const RECT c = Client();
    if (delta < 0 && _state.firstVisible > 0) --_state.firstVisible;
    if (delta > 0 && outbar::LastItemBelow(win::WindowDc(_hwnd).Get(), _state, c)) ++_state.firstVisible;
    RECT area = outbar::ItemArea(_state, c);
    Repaint(&area);
}

void OutBar::PressArrow(bool up) {
    bool& pressed = up ? _state.upPressed : _state.downPressed;
    const RECT arrow = up ? _state.upRect : _state.downRect;
    const int step = up ? -1 : 1;
    pressed = true;
    Repaint(&arrow);
    SetTimer(_hwnd, kArrowTimer, 300, nullptr);
    POINT release{};
    bool released = TrackPress(
        [&](POINT p) {
            const bool over = PtInRect(&arrow, p) != FALSE;
            if (over != pressed) {
                pressed = over;
                Repaint(&arrow);
            }
        },
        [&] {
            if (pressed) ScrollBy(step);
        },
        release);
    KillTimer(_hwnd, kArrowTimer);
    if (released && PtInRect(&arrow, release)) ScrollBy(step);
    _state.upPressed = _state.downPressed = false;
    Repaint(&arrow);
}
