// Two copies of the real program: the second is refused while the first runs,
// and a new start succeeds once the first has ended.
#include "TestEnv.h"
#include "app/Settings.h"
#include <gtest/gtest.h>

namespace {

std::string ProductExe() { return FolderFromEnvironment("QL_PRODUCT_DIR") + "\\Quillon.exe"; }

struct Found {
    DWORD pid;
    const char* className;  // null: any
    std::string titlePrefix;
    HWND hwnd = nullptr;
};

HWND FindTopWindow(DWORD pid, const char* className, const std::string& titlePrefix, DWORD timeoutMs) {
    Found f{pid, className, titlePrefix};
    for (DWORD waited = 0; waited <= timeoutMs; waited += 50) {
        EnumWindows(
            [](HWND h, LPARAM p) -> BOOL {
                auto* f = reinterpret_cast<Found*>(p);
                DWORD owner = 0;
                GetWindowThreadProcessId(h, &owner);
                if (owner != f->pid || !IsWindowVisible(h)) return TRUE;
                char cls[64] = "", title[256] = "";
                GetClassNameA(h, cls, sizeof cls);
                GetWindowTextA(h, title, sizeof title);
                if (f->className && lstrcmpA(cls, f->className) != 0) return TRUE;
                if (std::string(title).rfind(f->titlePrefix, 0) != 0) return TRUE;
                f->hwnd = h;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&f));
        if (f.hwnd) return f.hwnd;
        Sleep(50);
    }
    return nullptr;
}

std::string StaticTexts(HWND box) {
    std::string all;
    EnumChildWindows(
        box,
        [](HWND h, LPARAM p) -> BOOL {
            char cls[32] = "", text[512] = "";
            GetClassNameA(h, cls, sizeof cls);
            if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(h, text, sizeof text) > 0)
                *reinterpret_cast<std::string*>(p) += text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

class RunningCopy {
public:
    explicit RunningCopy(const std::string& exe) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = "\"" + exe + "\"";
        _started = CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &_pi);
    }
    ~RunningCopy() {
        if (!_started) return;
        if (WaitForSingleObject(_pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(_pi.hProcess, 99);
        CloseHandle(_pi.hProcess);
        CloseHandle(_pi.hThread);
    }
    bool Started() const { return _started; }
    DWORD Pid() const { return _pi.dwProcessId; }
    // Exit code, or STILL_ACTIVE when it did not end in time.
    DWORD WaitExit(DWORD ms) {
        WaitForSingleObject(_pi.hProcess, ms);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(_pi.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION _pi{};
    bool _started = false;
};

TEST(SingleInstanceAcrossProcesses, SecondCopyIsRefusedUntilTheFirstEnds) {
    const std::string folder = MakeTempFolder("copies");
    const std::string exe = folder + "\\Quillon.exe";
    ASSERT_TRUE(CopyFileA(ProductExe().c_str(), exe.c_str(), FALSE)) << ProductExe();
    CreateDirectoryA((folder + "\\Games").c_str(), nullptr);
    WriteFileText(folder + "\\Data.ini", "[Categories]\n00=Action\n");
    ResetSettings();
    WriteSettingValue("FirstRun", 0);
    WriteSettingValue("UseDefaultPif", 0);

    RunningCopy first(exe);
    ASSERT_TRUE(first.Started());
    HWND main = FindTopWindow(first.Pid(), nullptr, "Quillon Loader 0.8c", 20000);
    ASSERT_TRUE(main) << "the first copy shows its window";

    {
        RunningCopy second(exe);
        ASSERT_TRUE(second.Started());
        HWND box = FindTopWindow(second.Pid(), "#32770", "Quillon Loader 0.8c", 20000);
        ASSERT_TRUE(box) << "the second copy explains itself";
        EXPECT_NE(StaticTexts(box).find("Cannot run Quillon Loader, an instance is already running."),
                  std::string::npos);
        EXPECT_FALSE(FindTopWindow(second.Pid(), nullptr, "Quillon Loader 0.8c -", 0));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(second.WaitExit(20000), 0u);
    }

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitExit(20000), 0u);

    {
        RunningCopy third(exe);
        ASSERT_TRUE(third.Started());
        HWND again = FindTopWindow(third.Pid(), nullptr, "Quillon Loader 0.8c", 20000);
        ASSERT_TRUE(again) << "a new start succeeds after the first copy ended";
        char title[256] = "";
        GetWindowTextA(again, title, sizeof title);
        EXPECT_STRNE(title, "");
        PostMessageA(again, WM_CLOSE, 0, 0);
        EXPECT_EQ(third.WaitExit(20000), 0u);
    }
    RemoveTree(folder);
}

}  // namespace
