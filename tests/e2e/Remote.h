// Driving another process's windows as a player would: find, read, click, and take screenshots.
#pragma once
#include "launch/HostPath.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// Sleeps in small steps until `done` holds or `ms` passed.
template <typename F>
bool WaitUntil(F done, DWORD ms = 30000) {
    for (const DWORD start = GetTickCount();; Sleep(100)) {
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
    }
}

inline std::string Text(HWND window) {
    char text[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

inline std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item ? Text(item) : std::string();
}

// A click that does not wait for what it starts (a modal dialog would block a sent message).
inline void Click(HWND dialog, int id) {
    if (HWND button = GetDlgItem(dialog, id)) PostMessageA(button, BM_CLICK, 0, 0);
}

inline void SetItemText(HWND dialog, int id, const std::string& text) {
    SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The command of a menu item, posted as the menu does.
inline void Command(HWND window, int id) { PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// A block of memory inside another process, freed on scope exit.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, SIZE_T size)
        : _process(process), _address(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBuffer() {
        if (_address) VirtualFreeEx(_process, _address, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* Address() const { return static_cast<char*>(_address); }
    LPARAM Param() const { return reinterpret_cast<LPARAM>(_address); }
    bool Write(const void* data, SIZE_T size) const {
        SIZE_T done = 0;
        return _address && WriteProcessMemory(_process, _address, data, size, &done) && done == size;
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const {
        SIZE_T done = 0;
        return _address && ReadProcessMemory(_process, Address() + offset, data, size, &done) && done == size;
    }

private:
    HANDLE _process;
    void* _address;
};

// The program under test: its windows, and its list and tree controls read through buffers inside it.
class Remote {
public:
    explicit Remote(DWORD pid)
        : _pid(pid), _process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)) {}
    ~Remote() { CloseHandle(_process); }
    Remote(const Remote&) = delete;
    Remote& operator=(const Remote&) = delete;

    // Visible top-level windows of the process.
    std::vector<HWND> Windows() const {
        std::pair<DWORD, std::vector<HWND>> found{_pid, {}};
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* found = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(param);
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                if (pid == found->first && IsWindowVisible(window)) found->second.push_back(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found.second;
    }

    // A visible dialog with this caption (and control |id|, when given), waited for up to `ms`. An empty
    // caption and a menu: the main window, the dialog that holds the game list.
    HWND WaitForDialog(const std::string& caption, int controlId, DWORD ms, bool withMenu = false) const {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                char kind[16] = "";
                for (HWND w : Windows())
                    if (GetClassNameA(w, kind, sizeof kind) && std::strcmp(kind, "#32770") == 0 &&
                        (withMenu ? GetMenu(w) != nullptr : Text(w) == caption) &&
                        (controlId == 0 || GetDlgItem(w, controlId)))
                        return (found = w) != nullptr;
                return false;
            },
            ms);
        return found;
    }
    HWND WaitForMainWindow(DWORD ms) const { return WaitForDialog("", IDC_GAMELIST, ms, true); }

    int RowCount(HWND list) const { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

    std::string CellText(HWND list, int row, int column) const {
        LVITEMA item = {};
        item.iSubItem = column;
        return TextOf(list, LVM_GETITEMTEXTA, row, item);
    }

    std::vector<std::string> Column(HWND list, int column) const {
        std::vector<std::string> texts;
        for (int row = 0, rows = RowCount(list); row < rows; ++row) texts.push_back(CellText(list, row, column));
        return texts;
    }

    int FindRow(HWND list, const std::string& text) const {
        const auto texts = Column(list, 0);
        const auto at = std::find(texts.begin(), texts.end(), text);
        return at == texts.end() ? -1 : static_cast<int>(at - texts.begin());
    }

    int SelectedRow(HWND list) const {
        return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }

    bool SelectRow(HWND list, int row) const {
        RemoteBuffer buffer(_process, sizeof(LVITEMA));
        LVITEMA item = {};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        return row >= 0 && buffer.Write(&item, sizeof item) &&
               SendMessageA(list, LVM_SETITEMSTATE, row, buffer.Param()) != 0;
    }

    // A tree item's text, also one the tree asks its owner for (LPSTR_TEXTCALLBACK).
    std::string TreeItemText(HWND tree, HTREEITEM handle) const {
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = handle;
        return TextOf(tree, TVM_GETITEMA, 0, item);
    }

private:
    // The text a control writes into the buffer of |item| (an LVITEMA or a TVITEMA) in the program's process.
    template <typename Item>
    std::string TextOf(HWND control, UINT message, WPARAM wp, Item item) const {
        const SIZE_T textSize = 512;
        RemoteBuffer buffer(_process, sizeof item + textSize);
        item.pszText = buffer.Address() + sizeof item;
        item.cchTextMax = static_cast<int>(textSize);
        std::string text(textSize, '\0');
        if (!buffer.Write(&item, sizeof item) || SendMessageA(control, message, wp, buffer.Param()) <= 0 ||
            !buffer.Read(sizeof item, &text[0], textSize))
            return std::string();
        text.resize(strnlen(text.c_str(), textSize));
        return text;
    }

    DWORD _pid;
    HANDLE _process;
};

// Runs |command| in the host's shell, its last word the host's name of |file| plus ".part" (renamed once
// whole: Wine does not wait for a host program). True once |file| is there.
inline bool WriteOnHost(const std::string& command, const std::string& file, DWORD ms = 30000) {
    std::string host;
    if (!HostPathOf(file, host)) return false;
    std::string line = "/bin/sh -c \"" + command + "'" + host + ".part'; mv '" + host + ".part' '" + host + "'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    win::CloseProcessHandles(process);
    return WaitUntil([&] { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }, ms);
}

// The whole X display, windows that are not Wine's (DOSBox) included, as a PNG file.
inline bool Screenshot(const std::string& path) { return WriteOnHost("import -window root png:", path); }

}  // namespace e2e
