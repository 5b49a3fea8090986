// The real seam: the Windows dialogs, the shell and ExitProcess.
#include "win/UserInterface.h"
#include "win/Dialog.h"
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <vector>

namespace win {
namespace {

class RealUserInterface final : public UserInterface {
public:
    int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags) override {
        return MessageBoxA(owner, text.c_str(), caption.empty() ? nullptr : caption.c_str(), flags);
    }

    bool PickFile(const OpenFileRequest& request, std::string& path) override {
        // "desc|pattern||" becomes the double-NUL-terminated list that Windows wants.
        std::vector<char> filter(request.filter.begin(), request.filter.end());
        for (char& c : filter)
            if (c == '|') c = '\0';
        filter.push_back('\0');
        filter.push_back('\0');
        char file[MAX_PATH] = "";
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = request.owner;
        ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
        ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
        ofn.Flags = request.flags | OFN_EXPLORER | OFN_HIDEREADONLY;
        if (!GetOpenFileNameA(&ofn)) return false;
        path = file;
        return true;
    }

    bool PickFolder(HWND owner, const std::string& title, std::string& path) override {
        char display[MAX_PATH] = "";
        BROWSEINFOA bi{};
        bi.hwndOwner = owner;
        bi.pszDisplayName = display;
        bi.lpszTitle = title.c_str();
        LPITEMIDLIST pidl = SHBrowseForFolderA(&bi);
        if (!pidl) return false;
        char folder[MAX_PATH] = "";
        if (!SHGetPathFromIDListA(pidl, folder)) folder[0] = '\0';
        CoTaskMemFree(pidl);
        path = folder;
        return true;
    }

    INT_PTR Execute(HWND owner, const std::string& verb, const std::string& file, const std::string& params,
                    const std::string& dir, int show) override {
        HINSTANCE h =
            ShellExecuteA(owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                          params.empty() ? nullptr : params.c_str(), dir.empty() ? nullptr : dir.c_str(), show);
        return reinterpret_cast<INT_PTR>(h);
    }

    bool StartProcess(const std::string& program, const std::string& commandLine, const std::string& dir) override {
        return StartDetached(program, commandLine, dir);
    }

    INT_PTR RunModal(Dialog& dialog, HWND owner) override { return dialog.DoModal(owner); }

    void ExitProcess(UINT code) override { ::ExitProcess(code); }
};

RealUserInterface g_real;
UserInterface* g_current = &g_real;

}  // namespace

bool StartDetached(const std::string& program, const std::string& commandLine, const std::string& dir) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : dir.c_str(), &startup, &process))
        return false;
    CloseProcessHandles(process);
    return true;
}

void CloseProcessHandles(const PROCESS_INFORMATION& process) {
    if (!process.hProcess) return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

UserInterface& Ui() { return *g_current; }

void SetUi(UserInterface* ui) { g_current = ui ? ui : &g_real; }

}  // namespace win
