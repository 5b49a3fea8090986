// Running the real program in tests.
#include "ProcessTools.h"
#include "TestEnv.h"
#include "app/Settings.h"

std::string ProductExe() { return FolderFromEnvironment("QL_PRODUCT_DIR") + "\\Quillon.exe"; }

std::string MakeProgramFolder(const std::string& tag) {
    const std::string folder = MakeTempFolder(tag);
    if (!CopyFileA(ProductExe().c_str(), (folder + "\\Quillon.exe").c_str(), FALSE)) return {};
    CreateDirectoryA((folder + "\\Games").c_str(), nullptr);
    WriteFileText(folder + "\\Data.ini", "[Categories]\r\n00=Action\r\n");
    ResetSettings();
    WriteSettingValue("FirstRun", 0);
    WriteSettingValue("UseDefaultPif", 0);
    return folder;
}

HWND FindProcessWindow(DWORD pid, const char* className, const std::string& titlePrefix, DWORD timeoutMs) {
    struct Search {
        DWORD pid;
        const char* className;
        std::string titlePrefix;
        HWND found = nullptr;
    } s{pid, className, titlePrefix};
    auto visit = [](HWND h, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        char cls[64] = "", title[256] = "";
        GetClassNameA(h, cls, sizeof cls);
        GetWindowTextA(h, title, sizeof title);
        if (owner != s->pid || !IsWindowVisible(h) || (s->className && lstrcmpA(cls, s->className) != 0) ||
            std::string(title).rfind(s->titlePrefix, 0) != 0)
            return TRUE;
        s->found = h;
        return FALSE;
    };
    for (DWORD waited = 0;; waited += 50) {
        EnumWindows(visit, reinterpret_cast<LPARAM>(&s));
        if (s.found || waited >= timeoutMs) return s.found;
        Sleep(50);
    }
}

std::string MessageBoxText(HWND box) {
    std::string all;
    EnumChildWindows(
        box,
        [](HWND h, LPARAM p) -> BOOL {
            char cls[32] = "", text[1024] = "";
            GetClassNameA(h, cls, sizeof cls);
            if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(h, text, sizeof text) > 0)
                *reinterpret_cast<std::string*>(p) += text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

ProgramRun::ProgramRun(const std::string& exe, const std::string& arguments, const std::string& workingDir) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string cmd = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    _started = CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                              workingDir.empty() ? nullptr : workingDir.c_str(), &si, &_pi);
}

ProgramRun::~ProgramRun() {
    if (!_started) return;
    if (WaitForSingleObject(_pi.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(_pi.hProcess, 99);
        WaitForSingleObject(_pi.hProcess, 5000);
    }
    CloseHandle(_pi.hProcess);
    CloseHandle(_pi.hThread);
}

DWORD ProgramRun::WaitExit(DWORD ms) {
    WaitForSingleObject(_pi.hProcess, ms);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(_pi.hProcess, &code);
    return code;
}
