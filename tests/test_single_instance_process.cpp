// Two copies of the real program: the second is refused while the first runs.
#include "ProcessTools.h"
#include "TestEnv.h"
#include <gtest/gtest.h>

namespace {

constexpr char kTitle[] = "Quillon Loader 0.8c";
constexpr DWORD kWait = 20000;

TEST(SingleInstanceAcrossProcesses, SecondCopyIsRefusedUntilTheFirstEnds) {
    const std::string folder = MakeProgramFolder("copies");
    ASSERT_FALSE(folder.empty()) << ProductExe();
    const std::string exe = folder + "\\Quillon.exe";

    ProgramRun first(exe, "");
    HWND main = FindProcessWindow(first.Pid(), nullptr, kTitle, kWait);
    ASSERT_TRUE(main) << "the first copy shows its window";
    {
        ProgramRun second(exe, "");
        HWND box = FindProcessWindow(second.Pid(), "#32770", kTitle, kWait);
        ASSERT_TRUE(box) << "the second copy explains itself";
        EXPECT_NE(MessageBoxText(box).find("Cannot run Quillon Loader, an instance is already running."),
                  std::string::npos);
        EXPECT_FALSE(FindProcessWindow(second.Pid(), nullptr, std::string(kTitle) + " -", 0));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(second.WaitExit(kWait), 0u);
    }
    EXPECT_EQ(first.CloseAndWait(main, kWait), 0u);

    ProgramRun third(exe, "");
    HWND again = FindProcessWindow(third.Pid(), nullptr, std::string(kTitle) + " -", kWait);
    ASSERT_TRUE(again) << "a new start succeeds after the first copy ended";
    EXPECT_EQ(third.CloseAndWait(again, kWait), 0u);
    RemoveTree(folder);
}

}  // namespace
