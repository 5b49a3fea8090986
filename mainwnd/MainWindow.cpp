// Main window messages: painting, the message loop, keys, commands.
#include "mainwnd/MainWindow.h"
#include "app/Texts.h"
#include "dialogs/AddGameDialog.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include <commctrl.h>

MainWindow::~MainWindow() {
    if (_preview) DeleteObject(_preview);
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
    return 0;
}

// Keys that reach the main window or any of its controls.
bool MainWindow::PreTranslate(MSG& msg) {
    HWND hwnd = Handle();
    if (!hwnd || (msg.hwnd != hwnd && !IsChild(hwnd, msg.hwnd))) return false;
    if (msg.message == WM_LBUTTONDOWN) _selectionShownByClick = false;
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    if (_tooltip) SendMessageA(_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_F5) RefreshGameList();
    return false;  // the key goes on to the normal handling
}

void MainWindow::OnCommand(int id, int /*code*/, HWND /*ctl*/) {
    switch (id) {
        case IDM_EXIT: PostMessageA(Handle(), WM_CLOSE, 0, 0); break;
        case IDM_REFRESH: RefreshGameList(); break;
        case IDM_VERIFYALL: VerifyAllGames(); break;
        case IDM_RUNGAME: OnRunGameMenu(); break;
        case IDM_ADDGAME: AddNewGame(); break;
        case IDC_RUNGAME: RunAndSave(GetSelectedRow()); break;
        case IDC_SLOWDOWN: OnSlowDownClicked(); break;
        case IDC_SAVEGAME:
            if (GetSelectedRow() != -1) SaveGameFile(_game);
            break;
        default: break;
    }
}

LRESULT MainWindow::OnNotify(int id, NMHDR& hdr) {
    if (id == IDC_GAMELIST) OnListNotify(hdr);
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
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == IDM_ABOUTBOX) {
                result = TRUE;
                return true;
            }
            return SkinnedDialog::OnMessage(msg, wp, lp, result);
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
        EndPaint(Handle(), &ps);
        return;
    }
    EndPaint(Handle(), &ps);
    if (_state.startupComplete) ShowSelectedGame(-1, true);
}

void MainWindow::OnDestroy() {
    if (_preview) {
        SendDlgItemMessageA(Handle(), IDC_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, 0);
        DeleteObject(_preview);
        _preview = nullptr;
    }
    _tooltip = nullptr;  // a child of ours: destroyed with us
}

void MainWindow::AddNewGame() {
    AddGameDialog dialog(_state.programFolder, _dataIni);
    if (win::Ui().RunModal(dialog, Handle()) != IDOK) return;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RefreshGameList();
    int row = _list.Find(dialog.title);
    if (row == -1) return;
    _list.Select(row);
    SetFocus(_list.Handle());
    ShowSelectedGame(row, true);
}
