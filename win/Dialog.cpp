// The dialog procedure shared by every dialog of the program.
#include "win/Dialog.h"
#include <vector>

namespace win {

std::string WindowText(HWND hwnd, size_t maxChars) {
    std::vector<char> buf(maxChars + 1, '\0');
    GetWindowTextA(hwnd, buf.data(), static_cast<int>(buf.size()));
    return buf.data();
}

Dialog::~Dialog() {
    if (_hwnd) {
        // A modeless dialog that was never ended: no message may find us after this.
        SetWindowLongPtrA(_hwnd, DWLP_USER, 0);
        if (!_modal) DestroyWindow(_hwnd);
    }
}

INT_PTR Dialog::DoModal(HWND owner) {
    _modal = true;
    _ended = false;
    INT_PTR r = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(_templateId), owner, &Dialog::Proc,
                                reinterpret_cast<LPARAM>(this));
    _result = r;
    _ended = true;
    return r;
}

HWND Dialog::Create(HWND owner) {
    _modal = false;
    _ended = false;
    _result = 0;
    HWND h = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(_templateId), owner, &Dialog::Proc,
                                reinterpret_cast<LPARAM>(this));
    return _ended ? nullptr : h;
}

void Dialog::End(INT_PTR result) {
    _result = result;
    _ended = true;
    if (!_hwnd) return;
    if (_modal) {
        EndDialog(_hwnd, result);
    } else {
        HWND h = _hwnd;
        DestroyWindow(h);
    }
}

std::string Dialog::ItemText(int id, size_t maxChars) const { return WindowText(Item(id), maxChars); }

INT_PTR CALLBACK Dialog::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Dialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lp);
        self->_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    // No exception may unwind through the window manager.
    try {
        INT_PTR r = self->HandleMessage(msg, wp, lp);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrA(hwnd, DWLP_USER, 0);
            self->_hwnd = nullptr;
        }
        return r;
    } catch (...) {
        OutputDebugStringA("Quillon Loader: exception in a dialog procedure\n");
        return FALSE;
    }
}

INT_PTR Dialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    INT_PTR result = 0;
    switch (msg) {
        case WM_INITDIALOG: return OnInit() ? TRUE : FALSE;
        case WM_COMMAND: {
            int id = LOWORD(wp);
            int code = HIWORD(wp);
            if (id == IDOK && code == BN_CLICKED) {
                if (OnOK()) End(IDOK);
                return TRUE;
            }
            if (id == IDCANCEL && code == BN_CLICKED) {
                if (OnCancel()) End(IDCANCEL);
                return TRUE;
            }
            OnCommand(id, code, reinterpret_cast<HWND>(lp));
            return TRUE;
        }
        case WM_NOTIFY: {
            NMHDR* hdr = reinterpret_cast<NMHDR*>(lp);
            SetMsgResult(OnNotify(static_cast<int>(hdr->idFrom), *hdr));
            return TRUE;
        }
        case WM_DESTROY: OnDestroy(); return FALSE;
        default:
            if (OnMessage(msg, wp, lp, result)) return result;
            return FALSE;
    }
}

}  // namespace win
