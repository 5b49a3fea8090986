// The one seam through which the program waits for the user or leaves the
// process: message boxes, file and folder pickers, the shell, modal dialogs and
// the process exit. Tests replace it with a scripted fake.
#pragma once
#include <windows.h>
#include <string>

namespace win {

class Dialog;

struct OpenFileRequest {
    HWND owner = nullptr;
    std::string title;
    std::string filter;      // "Description|pattern|...||" pairs; empty: no filter
    std::string initialDir;  // empty: the system's choice
    DWORD flags = 0;         // OFN_... flags; OFN_EXPLORER and OFN_HIDEREADONLY are added
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // MessageBoxA; returns the button pressed (IDOK, IDYES, ...).
    virtual int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags) = 0;
    // GetOpenFileNameA; false when cancelled, else the full path of the file.
    virtual bool PickFile(const OpenFileRequest& request, std::string& path) = 0;
    // SHBrowseForFolderA; false when cancelled. A chosen item without a
    // file-system path gives true and an empty path.
    virtual bool PickFolder(HWND owner, const std::string& title, std::string& path) = 0;
    // ShellExecuteA; the result as the shell gives it (32 or less is a failure).
    virtual INT_PTR Execute(HWND owner, const std::string& verb, const std::string& file, const std::string& params,
                            const std::string& dir, int show) = 0;
    // CreateProcessA of |program| with the whole |commandLine| (the program's
    // own name first) in the folder |dir|, without waiting for it; false when
    // the process could not be created.
    virtual bool StartProcess(const std::string& program, const std::string& commandLine, const std::string& dir) = 0;
    // Runs a dialog modally and returns its result.
    virtual INT_PTR RunModal(Dialog& dialog, HWND owner) = 0;
    // Ends the process with that exit code. The fake records it and returns.
    virtual void ExitProcess(UINT code) = 0;
};

// CreateProcessA without waiting, as the real seam's StartProcess does it.
bool StartDetached(const std::string& program, const std::string& commandLine, const std::string& dir);

// Closes the handles that CreateProcessA gave. Under Wine a host program (the
// host's own DOSBox, a shell) is started without any: hProcess is null, and
// hThread holds whatever lay on Wine's stack, which may be the number of one of
// our own open handles (a registry key, a file). Then nothing is closed.
void CloseProcessHandles(const PROCESS_INFORMATION& process);

// The seam in use: the real one unless a test installed another.
UserInterface& Ui();
// Installs a replacement (nullptr puts the real one back).
void SetUi(UserInterface* ui);

}  // namespace win
