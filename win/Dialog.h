// Base class of every dialog: one dialog procedure that routes messages to
// per-dialog hooks. Runs modally (the program) or modeless (tests).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

namespace win {

class Dialog {
public:
    explicit Dialog(int templateId) : _templateId(templateId) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog in its own modal loop; returns the value given to End.
    INT_PTR DoModal(HWND owner);
    // Creates the dialog modeless (OnInit has run when this returns); End then
    // destroys the window and keeps the result. Returns null on failure.
    HWND Create(HWND owner);
    // Closes the dialog with that result.
    void End(INT_PTR result);

    HWND Handle() const { return _hwnd; }
    int TemplateId() const { return _templateId; }
    bool Ended() const { return _ended; }
    INT_PTR Result() const { return _result; }

protected:
    // true: let the dialog manager put the focus on the first control.
    virtual bool OnInit() { return true; }
    virtual void OnCommand(int /*id*/, int /*code*/, HWND /*ctl*/) {}
    // The answer goes to DWLP_MSGRESULT.
    virtual LRESULT OnNotify(int /*id*/, NMHDR& /*hdr*/) { return 0; }
    // false keeps the dialog open.
    virtual bool OnOK() { return true; }
    virtual bool OnCancel() { return true; }
    // Any other message; return true when handled, with the dialog procedure's
    // result in |result|.
    virtual bool OnMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/, INT_PTR& /*result*/) { return false; }
    virtual void OnDestroy() {}

    HWND Item(int id) const { return GetDlgItem(_hwnd, id); }
    std::string ItemText(int id, size_t maxChars = 259) const;
    void SetItemText(int id, const std::string& text) { SetDlgItemTextA(_hwnd, id, text.c_str()); }
    bool IsChecked(int id) const { return IsDlgButtonChecked(_hwnd, id) == BST_CHECKED; }
    void SetChecked(int id, bool on) { CheckDlgButton(_hwnd, id, on ? BST_CHECKED : BST_UNCHECKED); }
    void EnableItem(int id, bool on) { EnableWindow(Item(id), on ? TRUE : FALSE); }
    // An edit's room, in characters.
    void LimitText(int id, size_t chars) { SendMessageA(Item(id), EM_LIMITTEXT, static_cast<WPARAM>(chars), 0); }
    // An edit that shows its text but takes no typing.
    void SetReadOnly(int id, bool on) { SendMessageA(Item(id), EM_SETREADONLY, on ? TRUE : FALSE, 0); }
    // Selects the characters from |first| to before |last| of an edit; -1: to the end.
    void SelectText(int id, int first = 0, int last = -1) {
        SendMessageA(Item(id), EM_SETSEL, static_cast<WPARAM>(first), last);
    }
    // The picture of a static control, the icon of a button; null takes it away.
    void SetItemBitmap(int id, HBITMAP bitmap) {
        SendMessageA(Item(id), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    void SetItemIcon(int id, HICON icon) {
        SendMessageA(Item(id), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
    void SetMsgResult(LRESULT result) { SetWindowLongPtrA(_hwnd, DWLP_MSGRESULT, result); }

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    int _templateId;
    HWND _hwnd = nullptr;
    bool _modal = false;
    bool _ended = false;
    INT_PTR _result = 0;
};

// Text of any window, at most maxChars characters.
std::string WindowText(HWND hwnd, size_t maxChars = 259);

}  // namespace win
