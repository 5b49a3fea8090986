#include "Remote.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>

namespace e2e {

namespace {

struct EnumState {
    DWORD pid;
    std::vector<TopWindow>* out;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<EnumState*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != state->pid || !IsWindowVisible(window)) return TRUE;
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    state->out->push_back({window, name, Text(window)});
    return TRUE;
}

// A block of memory inside the other process, freed on scope exit.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, SIZE_T size) : _process(process) {
        _address = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (_address) VirtualFreeEx(_process, _address, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* Address() const { return static_cast<char*>(_address); }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
        SIZE_T done = 0;
        return _address && WriteProcessMemory(_process, Address() + offset, data, size, &done) && done == size;
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const {
        SIZE_T done = 0;
        return _address && ReadProcessMemory(_process, Address() + offset, data, size, &done) && done == size;
    }

private:
    HANDLE _process;
    void* _address = nullptr;
};

}  // namespace

bool Remote::WaitForExit(DWORD ms, DWORD& exitCode) const {
    if (WaitForSingleObject(_process.hProcess, ms) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(_process.hProcess, &exitCode) != 0;
}

std::vector<TopWindow> Remote::Windows() const {
    std::vector<TopWindow> windows;
    EnumState state{_process.dwProcessId, &windows};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
    return windows;
}

HWND Remote::WaitForDialog(const std::string& caption, int controlId, DWORD ms) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (const auto& w : Windows())
                if (w.className == "#32770" && w.caption == caption &&
                    (controlId == 0 || GetDlgItem(w.handle, controlId))) {
                    found = w.handle;
                    return true;
                }
            return false;
        },
        ms);
    return found;
}

HWND Remote::WaitForMainWindow(DWORD ms) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (const auto& w : Windows()) {
                HWND list = GetDlgItem(w.handle, 1000);
                char name[64] = {};
                if (list) GetClassNameA(list, name, sizeof name);
                if (w.className == "#32770" && lstrcmpiA(name, WC_LISTVIEWA) == 0 && GetMenu(w.handle)) {
                    found = w.handle;
                    return true;
                }
            }
            return false;
        },
        ms);
    return found;
}

int Remote::RowCount(HWND list) const { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string Remote::CellText(HWND list, int row, int column) const {
    // The item structure and its text buffer both live in the program's process.
    const SIZE_T textSize = 512;
    RemoteBuffer buffer(_process.hProcess, sizeof(LVITEMA) + textSize);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = buffer.Address() + sizeof(LVITEMA);
    item.cchTextMax = static_cast<int>(textSize);
    if (!buffer.Write(0, &item, sizeof item)) return std::string();
    const LRESULT length =
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.Address()));
    if (length <= 0) return std::string();
    std::string text(textSize, '\0');
    if (!buffer.Read(sizeof(LVITEMA), &text[0], textSize)) return std::string();
    text.resize(strnlen(text.c_str(), textSize));
    return text;
}

bool Remote::TreeItemRect(HWND tree, HTREEITEM item, RECT& rect) const {
    // TVM_GETITEMRECT takes the item in the rectangle's place.
    RemoteBuffer buffer(_process.hProcess, sizeof(RECT));
    if (!buffer.Write(0, &item, sizeof item)) return false;
    if (!SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer.Address()))) return false;
    return buffer.Read(0, &rect, sizeof rect);
}

std::vector<std::string> Remote::Column(HWND list, int column) const {
    std::vector<std::string> texts;
    const int rows = RowCount(list);
    for (int row = 0; row < rows; ++row) texts.push_back(CellText(list, row, column));
    return texts;
}

int Remote::FindRow(HWND list, const std::string& text) const {
    const auto texts = Column(list, 0);
    for (size_t row = 0; row < texts.size(); ++row)
        if (texts[row] == text) return static_cast<int>(row);
    return -1;
}

int Remote::SelectedRow(HWND list) const {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool Remote::SelectRow(HWND list, int row) const {
    RemoteBuffer buffer(_process.hProcess, sizeof(LVITEMA));
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (!buffer.Write(0, &item, sizeof item)) return false;
    return SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.Address())) !=
           0;
}

std::string Text(HWND window) {
    char text[1024] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item ? Text(item) : std::string();
}

std::string StaticTexts(HWND dialog) {
    std::string texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Static") != 0) continue;
        const std::string text = Text(child);
        if (text.empty()) continue;
        if (!texts.empty()) texts += '\n';
        texts += text;
    }
    return texts;
}

void Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button) PostMessageA(button, BM_CLICK, 0, 0);
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Command(HWND window, int id) { PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

bool Screenshot(const std::string& path) {
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    const int width = GetDeviceCaps(screen, HORZRES);
    const int height = GetDeviceCaps(screen, VERTRES);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap =
        CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    bool ok = false;
    if (bitmap && memory) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        SelectObject(memory, old);
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD imageSize = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + imageSize;
        header.biSizeImage = imageSize;
        FILE* out = fopen(path.c_str(), "wb");
        if (out) {
            ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&header, sizeof header, 1, out) == 1 &&
                 fwrite(bits, imageSize, 1, out) == 1;
            ok = fclose(out) == 0 && ok;
        }
    }
    if (memory) DeleteDC(memory);
    if (bitmap) DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace e2e
