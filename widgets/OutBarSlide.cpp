// The folder bar's slide animation: two prepared off-screen pictures copied to
// the screen on either side of a moving boundary, one header height per frame.
#include "widgets/OutBar.h"

namespace {

// An off-screen picture with its own memory DC.
class Picture {
public:
    Picture(HDC screen, int w, int h)
        : _dc(screen),
          _bitmap(CreateCompatibleBitmap(screen, w > 0 ? w : 1, h > 0 ? h : 1)),
          _selected(_dc.Get(), _bitmap.Get()) {}
    HDC Dc() const { return _dc.Get(); }

private:
    // In this order: the bitmap leaves the DC before it is deleted, the DC goes last.
    win::MemoryDc _dc;
    win::GdiObject _bitmap;
    win::Selected _selected;
};

}  // namespace

void OutBar::PaintContent(HDC dc, const RECT& r, int folder) {
    const outbar::Folder& f = _state.folders[folder];
    if (f.child) {
        // The child paints itself into the picture; a hidden one is shown for that moment.
        const bool hidden = !IsWindowVisible(f.child);
        if (hidden)
            SetWindowPos(f.child, nullptr, 0, 0, 0, 0,
                         SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        // Its frame and scroll bars first (where the system cannot print them
        // they show as a plain scroll bar colour), then the client area at its place.
        FillRect(dc, &r, GetSysColorBrush(COLOR_SCROLLBAR));
        POINT old;
        SetViewportOrgEx(dc, r.left, r.top, &old);
        SendMessageA(f.child, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);
        POINT client{0, 0};
        RECT window;
        GetWindowRect(f.child, &window);
        ClientToScreen(f.child, &client);
        SetViewportOrgEx(dc, r.left + client.x - window.left, r.top + client.y - window.top, nullptr);
        SendMessageA(f.child, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageA(f.child, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        SetViewportOrgEx(dc, old.x, old.y, nullptr);
        if (hidden)
            SetWindowPos(f.child, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    const win::GdiObject brush(CreateSolidBrush(_state.background));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
    outbar::State s = _state;
    s.openFolder = folder;
    outbar::DrawItems(dc, s, r, folder, 0);
}

void OutBar::Slide(int from, int to) {
    const RECT c = Client();
    const int h = _state.headerHeight;
    const int width = c.right - c.left;
    const RECT fromArea = outbar::ItemArea(_state, c, from);
    const RECT toArea = outbar::ItemArea(_state, c, to);
    const int between = h * (to > from ? to - from : from - to);  // the headers that move
    const int areaHeight = fromArea.bottom - fromArea.top;
    const win::WindowDc window(_hwnd);
    HDC screen = window.Get();
    // |still| stays in place and is covered or revealed; |moving| carries the
    // headers that move together with the content behind them.
    Picture still(screen, width, areaHeight + between);
    Picture moving(screen, width, areaHeight + between);
    const int top = to > from ? fromArea.top : toArea.top;
    const int bottom = to > from ? toArea.bottom : fromArea.bottom;
    const int first = to > from ? from + 1 : to + 1;
    const int contentOfMoving = to > from ? to : from;
    for (int i = 0; i < (to > from ? to - from : from - to); ++i) {
        RECT r{0, h * i, width, h * (i + 1)};
        outbar::DrawHeader(moving.Dc(), r, _state, _state.folders[first + i].name, false);
    }
    PaintContent(moving.Dc(), {0, between, width, between + areaHeight}, contentOfMoving);
    PaintContent(still.Dc(), {0, 0, width, areaHeight}, to > from ? from : to);
    // Rising: the boundary starts at the old bottom headers and ends at the
    // open folder's area top. Sinking: it starts at the new area's top.
    int boundary = to > from ? fromArea.bottom : toArea.top;
    const int end = to > from ? fromArea.top : toArea.bottom;
    const int step = to > from ? -h : h;
    int frame = 0;
    while (boundary != end) {
        boundary += step;
        if ((step < 0 && boundary < end) || (step > 0 && boundary > end)) boundary = end;
        BitBlt(screen, c.left, top, width, boundary - top, still.Dc(), 0, 0, SRCCOPY);
        BitBlt(screen, c.left, boundary, width, bottom - boundary, moving.Dc(), 0, 0, SRCCOPY);
        GdiFlush();
        ++frame;
        _slideFrames = frame;
        if (onSlideFrame) onSlideFrame(frame);
        Sleep(static_cast<DWORD>(animationDelay));
    }
}
