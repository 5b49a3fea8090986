// The notification host window and the mouse and screen helpers.
#include "BarHost.h"
#include "TestEnv.h"
#include "widgets/OutBarCtrl.h"
#include <cstdio>

BarHost::BarHost(int width, int height) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &BarHost::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "QlBarHost";
        registered = RegisterClassA(&wc) != 0;
    }
    _hwnd = CreateWindowExA(0, "QlBarHost", "Bar host", WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, 10, 10, width, height,
                            nullptr, nullptr, GetModuleHandleA(nullptr), this);
    ShowWindow(_hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(_hwnd);
    PumpMessages();
}

BarHost::~BarHost() {
    SetWindowLongPtrA(_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(_hwnd);
    PumpMessages();
}

std::vector<BarHost::Note> BarHost::NotesWith(WPARAM code) const {
    std::vector<Note> out;
    for (const Note& n : notes)
        if (n.code == code) out.push_back(n);
    return out;
}

LRESULT CALLBACK BarHost::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<BarHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && msg == CGfxOutBarCtrl::kNotifyMessage) {
        Note note{wp, lp};
        if (wp == CGfxOutBarCtrl::kItemDragged) {
            const auto* info = reinterpret_cast<const CGfxOutBarCtrl::DragInfo*>(lp);
            note.folder = info->folder;
            note.target = info->target;
        }
        self->notes.push_back(note);
        if (self->handler) return self->handler(wp, lp);
        return wp == CGfxOutBarCtrl::kItemDragged ? self->dragAnswer : 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

static LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

void Drag(HWND control, POINT down, const std::vector<POINT>& moves, POINT up) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, At(down));
    for (POINT m : moves) PostMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, At(m));
    PostMessageA(control, WM_LBUTTONUP, 0, At(up));
    PumpMessages();
}

void Click(HWND control, POINT p) { Drag(control, p, {}, p); }

COLORREF ScreenPixel(HWND hwnd, POINT client) {
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, client.x, client.y);
    ReleaseDC(hwnd, dc);
    return c;
}

bool SaveWindowPicture(HWND hwnd, const std::string& path) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + stride * static_cast<DWORD>(h);
    FILE* f = fopen(path.c_str(), "wb");
    bool ok = f && fwrite(&fh, sizeof fh, 1, f) == 1 && fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
              fwrite(bits, stride * static_cast<DWORD>(h), 1, f) == 1;
    if (f) ok = fclose(f) == 0 && ok;
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}
