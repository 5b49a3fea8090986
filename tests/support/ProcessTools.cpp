// Running a program from a test.
#include "ProcessTools.h"
#include "win/UserInterface.h"

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
    win::CloseProcessHandles(_pi);
}

DWORD ProgramRun::WaitExit(DWORD ms) {
    WaitForSingleObject(_pi.hProcess, ms);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(_pi.hProcess, &code);
    return code;
}
