// Running a program from a test and reading a message box's text.
#pragma once
#include <windows.h>
#include <string>

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

private:
    PROCESS_INFORMATION _pi{};
    bool _started = false;
};
