// Main window messages: the message loop, keys, notifications and painting.
#include "mainwnd/MainWindow.h"
#include "dialogs/AboutDialog.h"
#include "mainwnd/MainWindowMessages.h"
#include "res/resource.h"
#include <commctrl.h>

MainWindow::MainWindow(std::string commandLine, MainWindowOptions options)
    : SkinnedDialog(IDD_MAIN), _options(std::move(options)) {
    _state.commandLine = std::move(commandLine);
}

int MainWindow::Run() {
    HWND hwnd = Create(nullptr);
    if (!hwnd) return static_cast<int>(Result());
    ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    while (!Ended() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslate(msg)) continue;
        if (Handle() && IsDialogMessageA(Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    RunClosingSteps();  // a WM_QUIT ends the loop without the close box
    return static_cast<int>(Result() == IDOK ? 0 : Result());
}

// Keys that reach the main window or any of its controls.
bool MainWindow::PreTranslate(MSG& msg) {
    HWND hwnd = Handle();
    if (!hwnd || (msg.hwnd != hwnd && !IsChild(hwnd, msg.hwnd))) return false;
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    if (_tooltip) SendMessageA(_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    if (msg.message == WM_CHAR && msg.hwnd == _list.Handle())
        return TypeIntoList(static_cast<char>(msg.wParam), msg.time);
    if (msg.message == WM_KEYDOWN) {
        switch (msg.wParam) {
            case VK_DELETE: OnDeleteGame(); break;
            case VK_F5: RefreshGameList(); break;
            case VK_F9: OnRandomBackground(); break;
            default: break;  // F2 does nothing
        }
    }
    return false;  // the key goes on to the normal handling
}

LRESULT MainWindow::OnNotify(int id, NMHDR& hdr) {
    if (id == IDC_GAMELIST) return OnListNotify(hdr);
    if (id == IDC_SLOWDOWN_SLIDER && hdr.code == NM_RELEASEDCAPTURE) OnSlowDownReleased();
    return 0;
}

bool MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            result = TRUE;
            return true;
        case WM_QUERYDRAGICON: result = reinterpret_cast<INT_PTR>(_icon); return true;
        case WM_MOUSEMOVE:
            // Dragged by its client area with the left button alone, the window moves.
            if (wp == MK_LBUTTON) {
                ReleaseCapture();
                SendMessageA(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
                result = TRUE;
                return true;
            }
            return SkinnedDialog::OnMessage(msg, wp, lp, result);
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == IDM_ABOUTBOX) {
                ShowAboutBox(Handle());
                result = TRUE;
                return true;
            }
            return SkinnedDialog::OnMessage(msg, wp, lp, result);
        case OutBar::kNotifyMessage:
            // Also DM_SETDEFID: answered here, never left to the dialog manager.
            SetMsgResult(_details.OnBarNotify(wp, lp));
            result = TRUE;
            return true;
        case kShowSelectedMessage:
            OnShowSelectedRequest();
            result = TRUE;
            return true;
        case WM_ENDSESSION:
            // Windows ends the session (log off, shut down): no close message follows.
            if (wp) RunClosingSteps();
            result = 0;
            return true;
        case WM_CLOSE:
            Close();
            result = TRUE;
            return true;
        default: return SkinnedDialog::OnMessage(msg, wp, lp, result);
    }
}

void MainWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (IsIconic(Handle()) && _icon) {
        RECT rc;
        GetClientRect(Handle(), &rc);
        int x = (rc.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (rc.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, _icon);
    }
    EndPaint(Handle(), &ps);
    // A game file changed (or repaired) outside the program shows as it is now.
    if (_state.startupComplete) ReloadIfChanged();
}

void MainWindow::OnDestroy() {
    if (_preview.Get()) {
        SetItemBitmap(IDC_PICTURE, nullptr);
        _preview.Reset();
    }
    _tooltip = nullptr;  // a child of ours: destroyed with us
}
