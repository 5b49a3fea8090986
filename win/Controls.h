// Thin wrappers of the standard controls the dialogs fill and read: list box,
// combo box, progress bar, trackbar, up-down arrows, and a guard that holds a window's
// redrawing. Each holds the window and owns nothing; each method is one message.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

namespace win {

// What every wrapper holds: the control's window, and one way to message it.
class Control {
public:
    explicit Control(HWND hwnd) : _hwnd(hwnd) {}
    HWND Handle() const { return _hwnd; }

protected:
    int Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
        return static_cast<int>(SendMessageA(_hwnd, msg, wp, lp));
    }

private:
    HWND _hwnd;
};

class ListBox : public Control {
public:
    explicit ListBox(HWND hwnd = nullptr) : Control(hwnd) {}
    // The new row's index; below 0 (LB_ERR, LB_ERRSPACE) when it was not added.
    int Add(const std::string& text) { return Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())); }
    bool Delete(int row) { return Send(LB_DELETESTRING, static_cast<WPARAM>(row)) != LB_ERR; }
    void Clear() { Send(LB_RESETCONTENT); }
    int Count() const { return Send(LB_GETCOUNT); }
    // The selected row, -1 when none.
    int Selected() const { return Send(LB_GETCURSEL); }
    // -1 leaves no row selected.
    void Select(int row) { Send(LB_SETCURSEL, static_cast<WPARAM>(row)); }
    // The first row whose whole text equals |text| without regard to case, -1 when none.
    int FindExact(const std::string& text) const {
        return Send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Empty when there is no such row.
    std::string Text(int row) const {
        const int length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(row));
        if (length <= 0) return {};
        std::string text(static_cast<size_t>(length) + 1, '\0');
        const int copied = Send(LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        return text;
    }
};

class ComboBox : public Control {
public:
    explicit ComboBox(HWND hwnd = nullptr) : Control(hwnd) {}
    // The new row's index; below 0 (CB_ERR, CB_ERRSPACE) when it was not added.
    int Add(const std::string& text) { return Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())); }
    void Clear() { Send(CB_RESETCONTENT); }
    // The selected row, -1 when none.
    int Selected() const { return Send(CB_GETCURSEL); }
    // -1 leaves no row selected.
    void Select(int row) { Send(CB_SETCURSEL, static_cast<WPARAM>(row)); }
    // At most |chars| characters in the edit part.
    void LimitText(size_t chars) { Send(CB_LIMITTEXT, static_cast<WPARAM>(chars)); }
};

class ProgressBar : public Control {
public:
    explicit ProgressBar(HWND hwnd = nullptr) : Control(hwnd) {}
    // From 0 to |maximum| (at most 65535).
    void SetRange(int maximum) { Send(PBM_SETRANGE, 0, MAKELPARAM(0, maximum)); }
    void SetPos(int position) { Send(PBM_SETPOS, static_cast<WPARAM>(position)); }
};

class Trackbar : public Control {
public:
    explicit Trackbar(HWND hwnd = nullptr) : Control(hwnd) {}
    void SetRange(int minimum, int maximum) { Send(TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum)); }
    void SetPos(int position) { Send(TBM_SETPOS, TRUE, position); }
    int Pos() const { return Send(TBM_GETPOS); }
};

// The arrows beside a number's edit box (its buddy).
class UpDown : public Control {
public:
    explicit UpDown(HWND hwnd = nullptr) : Control(hwnd) {}
    // From |minimum| to |maximum|, each at most 32767.
    void SetRange(int minimum, int maximum) { Send(UDM_SETRANGE, 0, MAKELPARAM(maximum, minimum)); }
    // The steps an arrow held down takes as time goes on.
    void SetSteps(UDACCEL* steps, int count) { Send(UDM_SETACCEL, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(steps)); }
};

// Keeps a window from redrawing for the life of the object, then repaints it
// once, background included. A null window: nothing happens.
class NoRedraw {
public:
    explicit NoRedraw(HWND hwnd) : _hwnd(hwnd) {
        if (_hwnd) SendMessageA(_hwnd, WM_SETREDRAW, FALSE, 0);
    }
    ~NoRedraw() {
        if (!_hwnd) return;
        SendMessageA(_hwnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(_hwnd, nullptr, TRUE);
    }
    NoRedraw(const NoRedraw&) = delete;
    NoRedraw& operator=(const NoRedraw&) = delete;

private:
    HWND _hwnd;
};

}  // namespace win
