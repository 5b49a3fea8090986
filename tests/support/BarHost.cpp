// The notification host window and the mouse helpers.
#include "BarHost.h"
#include "TestEnv.h"
#include "widgets/OutBar.h"

BarHost::BarHost(int width, int height) {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &BarHost::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "QlBarHost";
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
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

std::string BarHost::Said() {
    std::string said;
    said.swap(_said);
    return said;
}

LRESULT CALLBACK BarHost::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<BarHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || msg != OutBar::kNotifyMessage) return DefWindowProcA(hwnd, msg, wp, lp);
    const auto* drag = reinterpret_cast<const OutBar::DragInfo*>(lp);
    self->_said +=
        (self->_said.empty() ? "" : " ") + std::to_string(wp) + ":" +
        (wp == OutBar::kItemDragged ? std::to_string(drag->folder) + ">" + std::to_string(drag->target)
                                            : std::to_string(lp));
    if (self->handler) return self->handler(wp, lp);
    return wp == OutBar::kItemDragged ? self->dragAnswer : 0;
}

void Drag(HWND control, POINT down, const std::vector<POINT>& moves, POINT up) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    for (POINT m : moves) PostMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(m.x, m.y));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    PumpMessages();
}
