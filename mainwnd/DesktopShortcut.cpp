// Desktop shortcuts: the file name from a title, and the shell link object.
#include "mainwnd/DesktopShortcut.h"
#include "data/NameRules.h"
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <cstring>
#include <vector>

namespace {

// Releases a COM interface at the end of a scope.
template <class T>
struct Ref {
    T* p = nullptr;
    ~Ref() {
        if (p) p->Release();
    }
};

}  // namespace

std::string ShortcutFileName(const std::string& title) {
    std::string name = title;
    for (char& c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || std::strchr("\\/:*?\"<>|", c)) c = '_';
    }
    if (name.empty()) name = "_";
    // "CON.qgf.lnk" would still open the console.
    if (IsDosDeviceName(name)) name.insert(name.begin(), '_');
    return name + ".qgf.lnk";
}

bool SaveShellLink(const std::string& linkPath, const std::string& target, const std::string& description) {
    char full[MAX_PATH] = "";
    DWORD n = GetFullPathNameA(target.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full || linkPath.size() >= MAX_PATH) return false;
    const HRESULT init = CoInitialize(nullptr);
    bool ok = false;
    {
        Ref<IShellLinkA> link;
        Ref<IPersistFile> file;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       reinterpret_cast<void**>(&link.p))) &&
            SUCCEEDED(link.p->SetPath(full)) && SUCCEEDED(link.p->SetDescription(description.c_str())) &&
            SUCCEEDED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) {
            std::vector<WCHAR> wide(MAX_PATH, 0);
            if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide.data(), MAX_PATH) > 0)
                ok = SUCCEEDED(file.p->Save(wide.data(), TRUE));
        }
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return ok;
}

bool DesktopFolderFromItemList(HWND owner, std::string& path) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DESKTOPDIRECTORY, &list)) || !list) return false;
    char folder[MAX_PATH] = "";
    const bool found = SHGetPathFromIDListA(list, folder) && folder[0];
    IMalloc* shellMalloc = nullptr;  // the shell's allocator made the list
    if (SUCCEEDED(SHGetMalloc(&shellMalloc)) && shellMalloc) {
        shellMalloc->Free(list);
        shellMalloc->Release();
    }
    if (found) path = folder;
    return found;
}

bool DesktopFolderPath(HWND owner, std::string& path) {
    using GetPath = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
    HMODULE shell = GetModuleHandleA("shell32.dll");
    FARPROC found = shell ? GetProcAddress(shell, "SHGetSpecialFolderPathA") : nullptr;
    if (!found) return DesktopFolderFromItemList(owner, path);
    char folder[MAX_PATH] = "";
    if (!reinterpret_cast<GetPath>(reinterpret_cast<void*>(found))(owner, folder, CSIDL_DESKTOPDIRECTORY, FALSE) ||
        !folder[0])
        return false;
    path = folder;
    return true;
}
