// Driving another process's windows as a player would: finding its windows,
// reading its controls, clicking its buttons, answering its message boxes, and
// taking screenshots of the screen.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

namespace e2e {

// One top-level window of the program under test.
struct TopWindow {
    HWND handle = nullptr;
    std::string className;
    std::string caption;
};

class Remote {
public:
    explicit Remote(const PROCESS_INFORMATION& process) : _process(process) {}

    DWORD ProcessId() const { return _process.dwProcessId; }
    bool Running() const { return WaitForSingleObject(_process.hProcess, 0) == WAIT_TIMEOUT; }
    bool WaitForExit(DWORD ms, DWORD& exitCode) const;

    // Visible top-level windows of the process.
    std::vector<TopWindow> Windows() const;
    // A visible dialog of the process with this caption (and, when given, a
    // control with this id); waits up to `ms`.
    HWND WaitForDialog(const std::string& caption, int controlId, DWORD ms) const;
    // The process's main window: the dialog that holds the game list.
    HWND WaitForMainWindow(DWORD ms) const;

    // List view rows, read through a buffer inside the program's process.
    int RowCount(HWND list) const;
    std::string CellText(HWND list, int row, int column) const;
    std::vector<std::string> Column(HWND list, int column) const;
    int FindRow(HWND list, const std::string& text) const;
    int SelectedRow(HWND list) const;
    bool SelectRow(HWND list, int row) const;

    // Tree view items: the rectangle of an item's text, in client pixels, read
    // through a buffer inside the program's process.
    bool TreeItemRect(HWND tree, HTREEITEM item, RECT& rect) const;

private:
    PROCESS_INFORMATION _process;
};

std::string Text(HWND window);
std::string ItemText(HWND dialog, int id);
// Every static text of a dialog (a message box's message), joined by new lines.
std::string StaticTexts(HWND dialog);
// A click that does not wait for what it starts (a modal dialog would block a
// sent message until it closes).
void Click(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
// The command of a menu item, posted as the menu does.
void Command(HWND window, int id);

// The whole screen as a BMP file; the test script turns them into PNG files.
bool Screenshot(const std::string& path);

// Sleeps in small steps until `done` holds or `ms` passed.
template <typename F>
bool WaitUntil(F done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        Sleep(100);
    }
}

}  // namespace e2e
