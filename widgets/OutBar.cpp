// The folder bar's window: creation, operations, hover, timers and messages.
#include "widgets/OutBar.h"
#include "res/resource.h"

namespace {

constexpr char kClassName[] = "GfxOutBarCtrl";

bool RegisterOnce(WNDPROC proc) {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    registered = RegisterClassA(&wc) != 0;
    return registered;
}

POINT PointOf(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

}  // namespace

OutBar::OutBar() : _markPen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0))) {
    // Our own hand: Windows 95 and NT 4 have no hand cursor of their own.
    _handCursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HANDCURSOR));
    if (!_handCursor) _handCursor = LoadCursorA(nullptr, IDC_ARROW);
    _dragCursor = LoadCursorA(nullptr, IDC_ARROW);
    _noDropCursor = LoadCursorA(nullptr, IDC_NO);
}

OutBar::~OutBar() {
    if (_hwnd) {
        SetWindowLongPtrA(_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(_hwnd);
    }
}

bool OutBar::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD flags) {
    if (_hwnd || !RegisterOnce(&OutBar::Proc)) return false;
    _state.flags = flags;
    HWND h = CreateWindowExA(WS_EX_STATICEDGE, kClassName, "", style | WS_CHILD, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), this);
    return h != nullptr;
}

LRESULT CALLBACK OutBar::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<OutBar*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<OutBar*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->_hwnd = nullptr;
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    // No exception may unwind through the window manager.
    try {
        return self->HandleMessage(msg, wp, lp);
    } catch (...) {
        OutputDebugStringA("Quillon Loader: exception in the folder bar\n");
        return 0;
    }
}

LRESULT OutBar::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: OnPaint(); return 0;
        case WM_ERASEBKGND: return 1;  // painting covers everything
        case WM_MOUSEMOVE: OnMouseMove(PointOf(lp)); return 0;
        case WM_LBUTTONDOWN: OnLButtonDown(PointOf(lp)); return 0;
        case WM_TIMER: OnTimer(wp); return 0;
        case WM_SIZE: OnSize(); return 0;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wp) == _hwnd && LOWORD(lp) == HTCLIENT && OnSetCursor()) return TRUE;
            break;
        case WM_NOTIFY: {
            ChildNotifyInfo info;
            info.header = reinterpret_cast<NMHDR*>(lp);
            info.controlId = static_cast<LONG_PTR>(info.header->idFrom);
            Notify(kChildNotify, reinterpret_cast<LPARAM>(&info));
            break;
        }
        case WM_DESTROY:
            KillTimer(_hwnd, kHoverTimer);
            KillTimer(_hwnd, kBlinkTimer);
            break;
        default: break;
    }
    return DefWindowProcA(_hwnd, msg, wp, lp);
}

RECT OutBar::Client() const {
    RECT c{};
    GetClientRect(_hwnd, &c);
    return c;
}

LRESULT OutBar::Notify(WPARAM code, LPARAM lp) {
    HWND to = _owner ? _owner : GetParent(_hwnd);
    return to ? SendMessageA(to, kNotifyMessage, code, lp) : 0;
}

void OutBar::Repaint(const RECT* r) {
    if (!_hwnd) return;
    InvalidateRect(_hwnd, r, FALSE);
    UpdateWindow(_hwnd);
}

HIMAGELIST OutBar::SetImageList(HIMAGELIST list, int which) {
    HIMAGELIST& slot = which == 1 ? _state.smallImages : _state.largeImages;
    HIMAGELIST old = slot;
    if (which == 1 || which == 2) slot = list;
    return which == 1 || which == 2 ? old : nullptr;
}

int OutBar::AddFolder(const std::string& name, DWORD value) { return AddFolderWithChild(name, nullptr, value); }

int OutBar::AddFolderWithChild(const std::string& name, HWND child, DWORD value) {
    outbar::Folder f;
    f.name = name;
    f.value = value;
    f.child = child;
    _state.folders.push_back(f);
    if (child && _hwnd) {
        RECT area = outbar::ItemArea(_state, Client(), static_cast<int>(_state.folders.size()) - 1);
        MoveWindow(child, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
    }
    return static_cast<int>(_state.folders.size()) - 1;
}

int OutBar::InsertItem(int folder, int position, const std::string& label, int image, DWORD value) {
    if (!_state.ValidFolder(folder)) return 0;
    auto& items = _state.folders[folder].items;
    if (position < 0 || position > static_cast<int>(items.size())) position = static_cast<int>(items.size());
    items.insert(items.begin() + position, outbar::Item{label, image, value});
    return position;
}

int OutBar::ItemCount(int folder) const {
    return _state.ValidFolder(folder) ? static_cast<int>(_state.folders[folder].items.size()) : 0;
}

void OutBar::SetSmallIconView(bool on) {
    const bool was = _state.SmallView();
    if (was == on) return;
    _state.flags = on ? (_state.flags | outbar::kSmallIcons) : (_state.flags & ~outbar::kSmallIcons);
    _state.firstVisible = 0;
    if (!_hwnd) return;
    RECT area = outbar::ItemArea(_state, Client());
    Repaint(&area);
}

void OutBar::SetSelFolder(int folder) {
    if (!_state.ValidFolder(folder)) return;
    const int from = _state.openFolder;
    if (_state.Open() && _state.Open()->child) ShowWindow(_state.Open()->child, SW_HIDE);
    _slideFrames = 0;
    if (folder != from && (_state.flags & outbar::kAnimate) && animationDelay >= 0 && _hwnd && IsWindowVisible(_hwnd))
        Slide(from, folder);
    _state.openFolder = folder;
    _state.firstVisible = 0;
    _state.selectedItem = -1;
    _state.hotItem = -1;
    if (HWND child = _state.folders[folder].child) {
        RECT area = outbar::ItemArea(_state, Client());
        MoveWindow(child, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
        ShowWindow(child, SW_SHOW);
    }
    Notify(kFolderOpened, folder);
    if (_hwnd) RedrawWindow(_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void OutBar::SetBlinkDelay(int ms) {
    _blinkDelay = ms;
    if (!_hwnd) return;
    if (ms > 0)
        SetTimer(_hwnd, kBlinkTimer, static_cast<UINT>(ms), nullptr);
    else
        KillTimer(_hwnd, kBlinkTimer);
}

void OutBar::SetItemText(int folder, int item, const std::string& text) {
    if (!_state.ValidFolder(folder)) return;
    auto& items = _state.folders[folder].items;
    if (item < 0 || item >= static_cast<int>(items.size())) return;
    items[item].label = text;
    if (_hwnd) InvalidateRect(_hwnd, nullptr, FALSE);
}

void OutBar::SetOpenFolderItemText(int item, const std::string& text) { SetItemText(_state.openFolder, item, text); }

std::string OutBar::GetItemText(int item) const {
    if (item < 0 || item >= _state.OpenItemCount()) return {};
    return _state.Open()->items[item].label;
}

void OutBar::Refresh() {
    if (!_hwnd) return;
    Repaint();
    ShowWindow(_hwnd, SW_HIDE);
    ShowWindow(_hwnd, SW_SHOW);
}

void OutBar::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(_hwnd, &ps);
    outbar::Paint(dc, Client(), _state);
    EndPaint(_hwnd, &ps);
}

void OutBar::OnMouseMove(POINT p) {
    HWND focus = GetFocus();
    if (focus && IsChild(_hwnd, focus)) return;
    const win::WindowDc dc(_hwnd);
    outbar::HitResult hit = outbar::HitTest(dc.Get(), _state, Client(), p);
    if (hit.kind != outbar::Hit::Folder && _state.hotFolder >= 0) SetHotFolder(-1);
    if (hit.kind != outbar::Hit::Item && _state.hotItem >= 0) SetHotItem(-1, false);
    if (hit.kind == outbar::Hit::Folder) SetHotFolder(hit.index);
    if (hit.kind == outbar::Hit::Item) SetHotItem(hit.index, false);
    if (hit.kind == outbar::Hit::Folder || hit.kind == outbar::Hit::Item) SetTimer(_hwnd, kHoverTimer, 100, nullptr);
}

void OutBar::SetHotFolder(int folder) {
    if (folder == _state.hotFolder) return;
    const win::WindowDc dc(_hwnd);
    const RECT c = Client();
    if (_state.ValidFolder(_state.hotFolder))
        outbar::DrawHeaderHot(dc.Get(), outbar::HeaderRect(_state, c, _state.hotFolder), _state, false);
    _state.hotFolder = folder;
    if (_state.ValidFolder(folder))
        outbar::DrawHeaderHot(dc.Get(), outbar::HeaderRect(_state, c, folder), _state, true);
}

void OutBar::SetHotItem(int item, bool pressed) {
    if (item == _state.hotItem && pressed == _state.hotPressed) return;
    const win::WindowDc dc(_hwnd);
    const RECT c = Client();
    if (_state.hotItem >= 0 && _state.hotItem != item) {
        // The selected item keeps its sunken frame.
        const bool framed = (_state.flags & outbar::kSelectedFrame) && _state.hotItem == _state.selectedItem;
        outbar::DrawIconFrame(dc.Get(), _state, c, _state.hotItem,
                              framed ? outbar::IconFrame::Sunken : outbar::IconFrame::Erase);
    }
    _state.hotItem = item;
    _state.hotPressed = pressed && item >= 0;
    if (item >= 0)
        outbar::DrawIconFrame(dc.Get(), _state, c, item,
                              pressed ? outbar::IconFrame::Sunken : outbar::IconFrame::Raised);
}

void OutBar::OnTimer(UINT_PTR id) {
    if (id == kHoverTimer) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(_hwnd, &p);
        RECT c = Client();
        if (!PtInRect(&c, p)) {
            SetHotFolder(-1);
            SetHotItem(-1, false);
            KillTimer(_hwnd, kHoverTimer);
        }
    } else if (id == kBlinkTimer) {
        Blink();
    }
}

void OutBar::Blink() {
    if (_state.selectedItem < 0 || _state.selectedItem >= _state.OpenItemCount() || _state.OpenHasChild()) return;
    _state.blinkPhase = _state.blinkPhase > 10 ? -1 : _state.blinkPhase + 1;
    static const int kShift[4][2] = {{-1, 1}, {0, 0}, {1, 1}, {0, 0}};
    if (_state.blinkPhase < 0 || _state.blinkPhase > 3) return;
    const win::WindowDc dc(_hwnd);
    const RECT c = Client();
    RECT icon = outbar::IconRect(dc.Get(), _state, c, _state.selectedItem);
    RECT area = outbar::ItemArea(_state, c);
    if (icon.top < area.top || icon.bottom > area.bottom) return;  // scrolled out
    outbar::DrawShiftedIcon(dc.Get(), _state, c, _state.selectedItem, kShift[_state.blinkPhase][0],
                            kShift[_state.blinkPhase][1]);
}

void OutBar::OnSize() {
    _state.upShown = _state.downShown = false;
    const RECT c = Client();
    for (int i = 0; i < static_cast<int>(_state.folders.size()); ++i) {
        if (HWND child = _state.folders[i].child) {
            RECT area = outbar::ItemArea(_state, c, i);
            MoveWindow(child, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
        }
    }
}

bool OutBar::OnSetCursor() {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(_hwnd, &p);
    const win::WindowDc dc(_hwnd);
    if (outbar::HitTest(dc.Get(), _state, Client(), p).kind != outbar::Hit::Folder) return false;
    SetCursor(_handCursor);
    return true;
}
