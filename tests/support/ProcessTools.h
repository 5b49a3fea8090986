// Running the real program in tests: starting a copy with a command line,
// finding its windows and reading a message box's text.
#pragma once
#include <windows.h>
#include <string>

// The x86_64 Quillon.exe that ctest names.
std::string ProductExe();

// A new temporary folder holding a copy of the program, an empty Games folder and
// a Data.ini, with the settings reset and past the first start; empty on failure.
std::string MakeProgramFolder(const std::string& tag);

// A visible top-level window of that process whose title starts with
// |titlePrefix| (and whose class is |className| unless null); null after the timeout.
HWND FindProcessWindow(DWORD pid, const char* className, const std::string& titlePrefix, DWORD timeoutMs);

// The texts of a message box's static controls.
std::string MessageBoxText(HWND box);

// One started copy of a program; ended by force if it still runs at the end.
class ProgramRun {
public:
    ProgramRun(const std::string& exe, const std::string& arguments, const std::string& workingDir = {});
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    bool Started() const { return _started; }
    DWORD Pid() const { return _pi.dwProcessId; }
    // Exit code, or STILL_ACTIVE when it did not end in time.
    DWORD WaitExit(DWORD ms);
    // Asks |window| to close, then waits for the exit code.
    DWORD CloseAndWait(HWND window, DWORD ms) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return WaitExit(ms);
    }

private:
    PROCESS_INFORMATION _pi{};
    bool _started = false;
};
