// The splash window.
#include "widgets/SplashWindow.h"
#include "res/resource.h"
#include "win/GdiGuards.h"
#include <new>

namespace {

constexpr char kClassName[] = "QuillonSplash";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kShowMilliseconds = 1000;

class SplashWindow {
public:
    explicit SplashWindow(HBITMAP bitmap) : _bitmap(bitmap) {}
    ~SplashWindow();
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;

    static bool RegisterClassOnce();
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd = nullptr;

private:
    void CentreOverOwner();
    void Paint();
    void Expire();

    win::GdiObject _bitmap;
};

bool g_enabled = true;
SplashWindow* g_current = nullptr;

SplashWindow::~SplashWindow() {
    if (g_current == this) g_current = nullptr;
}

bool SplashWindow::RegisterClassOnce() {
    WNDCLASSA existing;
    HINSTANCE module = GetModuleHandleA(nullptr);
    if (GetClassInfoA(module, kClassName, &existing)) return true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &SplashWindow::Proc;
    wc.hInstance = module;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // the picture covers everything
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}

void SplashWindow::CentreOverOwner() {
    RECT self, around;
    GetWindowRect(hwnd, &self);
    HWND owner = GetWindow(hwnd, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &around)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &around, 0);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    const int x = around.left + (around.right - around.left - width) / 2;
    const int y = around.top + (around.bottom - around.top - height) / 2;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SplashWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    BITMAP info{};
    GetObjectA(_bitmap.Get(), sizeof info, &info);
    {
        const win::MemoryDc memory(dc);
        const win::Selected picture(memory.Get(), _bitmap.Get());
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd, &ps);
}

void SplashWindow::Expire() {
    KillTimer(hwnd, kTimerId);
    HWND owner = GetWindow(hwnd, GW_OWNER);
    DestroyWindow(hwnd);  // deletes this object
    if (owner) UpdateWindow(owner);
}

LRESULT CALLBACK SplashWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    SplashWindow* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<SplashWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<SplashWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    // No exception may unwind through the window manager.
    try {
        switch (msg) {
            case WM_CREATE:
                self->CentreOverOwner();
                SetTimer(hwnd, kTimerId, kShowMilliseconds, nullptr);
                return 0;
            case WM_PAINT: self->Paint(); return 0;
            case WM_TIMER:
                if (wp == kTimerId) self->Expire();
                return 0;
            case WM_NCDESTROY:
                SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
                delete self;
                return DefWindowProcA(hwnd, msg, wp, lp);
            default: return DefWindowProcA(hwnd, msg, wp, lp);
        }
    } catch (...) {
        OutputDebugStringA("Quillon Loader: exception in the splash window\n");
        return 0;
    }
}

}  // namespace

void SetSplashEnabled(bool enabled) { g_enabled = enabled; }
bool SplashEnabled() { return g_enabled; }

HWND CurrentSplashWindow() { return g_current ? g_current->hwnd : nullptr; }

void ShowSplashWindow(HWND parent, HINSTANCE resources) {
    if (!g_enabled || g_current) return;
    if (!resources) resources = GetModuleHandleA(nullptr);
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(resources, MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap) return;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    SplashWindow* splash = new (std::nothrow) SplashWindow(bitmap);
    if (!splash) {
        DeleteObject(bitmap);
        return;
    }
    g_current = splash;
    HWND hwnd = nullptr;
    if (SplashWindow::RegisterClassOnce())
        hwnd = CreateWindowExA(0, kClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, info.bmWidth, info.bmHeight, parent,
                               nullptr, GetModuleHandleA(nullptr), splash);
    if (!hwnd) {
        // A window that failed after WM_NCCREATE has deleted the object already.
        if (g_current == splash) delete splash;
        return;
    }
    UpdateWindow(hwnd);
}
