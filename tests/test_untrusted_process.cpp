// The real program against hostile game files and command lines: a device name
// in Games, damaged pictures, and game files outside Games named on the command
// line. Each case starts Quillon.exe and watches its windows.
#include "BmpBuilder.h"
#include "ProcessTools.h"
#include "TestEnv.h"
#include "app/Settings.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

constexpr char kTitle[] = "Quillon Loader 0.8c";
constexpr DWORD kWait = 20000;
constexpr char kNotListed[] = "Cannot find the QGF in the game list!";

class RealProgram : public ::testing::Test {
protected:
    void SetUp() override {
        folder = MakeProgramFolder("real");
        ASSERT_FALSE(folder.empty()) << ProductExe();
        exe = folder + "\\Quillon.exe";
        games = folder + "\\Games";
    }
    void TearDown() override { RemoveTree(folder); }

    // A game whose folder is missing: a command-line launch of it stops at the
    // "Cannot find the location" message, after its file and picture were read.
    void AddGame(const std::string& file, const std::string& title, const std::vector<char>& picture = {},
                 uint32_t pictureSize = UINT32_MAX) {
        GameRecord g = MakeGame(title, "p", "c", folder + "\\nowhere", "GAME.EXE");
        WriteGame(file, g, picture);
        if (pictureSize == UINT32_MAX) return;
        std::vector<char> bytes = ReadFileBytes(file);
        std::memcpy(&bytes[11156], &pictureSize, 4);
        WriteFileBytes(file, bytes);
    }

    // The main window whose title starts with |title| closes on request: exit code 0.
    void CloseMainWindow(ProgramRun& run, const std::string& title = kTitle) {
        HWND main = FindProcessWindow(run.Pid(), nullptr, title, kWait);
        ASSERT_TRUE(main) << "no main window titled " << title;
        EXPECT_EQ(run.CloseAndWait(main, kWait), 0u);
    }

    // Expects a message box captioned |caption| whose text starts with |text|,
    // answers it, then closes the main window.
    void ExpectMessageThenClose(const std::string& arguments, const std::string& caption, const std::string& text,
                                const std::string& workingDir = {}) {
        ProgramRun run(exe, arguments, workingDir);
        HWND box = FindProcessWindow(run.Pid(), "#32770", caption, kWait);
        ASSERT_TRUE(box) << arguments << ": no message captioned " << caption;
        EXPECT_EQ(MessageBoxText(box).rfind(text, 0), 0u) << arguments << " said: " << MessageBoxText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        CloseMainWindow(run);
    }

    std::string folder, exe, games;
};

TEST_F(RealProgram, DeviceNamedGameFilesNeitherHangTheStartNorRun) {
    AddGame(games + "\\Tank Duel.qgf", "Tank Duel");
    // The \\?\ form makes a file of that name instead of opening the device.
    for (const char* device : {"AUX.qgf", "COM1.qgf"}) {
        HANDLE h = CreateFileA(("\\\\?\\" + games + "\\" + device).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << device;
        CloseHandle(h);
    }
    {
        ProgramRun run(exe, "");
        CloseMainWindow(run, std::string(kTitle) + " - 1 game");
    }
    ExpectMessageThenClose("\"" + games + "\\COM1.qgf\"", "COM1", kNotListed);
    for (const char* device : {"AUX.qgf", "COM1.qgf"}) DeleteFileA(("\\\\?\\" + games + "\\" + device).c_str());
}

TEST_F(RealProgram, DamagedPicturesNeitherCrashACommandLineStartNorTheSelection) {
    const std::vector<char> whole = MakeBmp(64, 64, 1, 2, 3);
    AddGame(games + "\\Header Only.qgf", "Header Only", HeaderWithoutPixels());
    AddGame(games + "\\Cut Short.qgf", "Cut Short", whole, static_cast<uint32_t>(whole.size() - 4096));
    AddGame(games + "\\Offset One.qgf", "Offset One", PixelsAtOffsetOne());
    AddGame(games + "\\Huge Size.qgf", "Huge Size", whole, 0xFFFFFFF0u);

    for (const std::string name : {"Header Only", "Cut Short", "Offset One", "Huge Size"}) {
        SCOPED_TRACE(name);
        ExpectMessageThenClose("\"" + games + "\\" + name + ".qgf\"", "Game run error",
                               "Cannot find the location of " + name);
        // Selected at start as the game run last: shown with its picture.
        WriteSettingString("LastRun", name);
        ProgramRun run(exe, "");
        ASSERT_TRUE(FindProcessWindow(run.Pid(), nullptr, std::string(kTitle) + " - " + name, kWait));
        Sleep(300);
        EXPECT_EQ(run.WaitExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "still running after the display";
        CloseMainWindow(run);
    }
}

TEST_F(RealProgram, OnlyTheListedGameFileRunsFromTheCommandLine) {
    AddGame(games + "\\Tank Duel.qgf", "Tank Duel");
    const std::string outside = folder + "\\outside", target = outside + "\\Tank Duel.qgf";
    CreateDirectoryA(outside.c_str(), nullptr);
    // Outside records that would announce themselves by another title.
    for (const char* file : {"\\Tank Duel.qgf", "\\Tank Duel.txt"}) AddGame(outside + file, "Outsider");
    // An old time stamp: a rewrite of the outside file would show.
    const FILETIME old = {0x10000000, 0x01C00000};
    HANDLE h = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, nullptr, nullptr, &old);
    CloseHandle(h);
    const std::vector<char> before = ReadFileBytes(target);

    const std::string leaf = folder.substr(folder.rfind('\\') + 1);
    const struct {
        std::string arguments, workingDir;
    } lines[] = {{"\"" + outside + "\\Tank Duel.txt\"", ""},
                 {"\"" + target + "\"", ""},
                 {"\"..\\outside\\Tank Duel.qgf\"", games},
                 {"\"" + games + "\\..\\..\\" + leaf + "\\outside\\Tank Duel.qgf\"", ""}};
    for (const auto& l : lines) ExpectMessageThenClose(l.arguments, "Tank Duel", kNotListed, l.workingDir);

    EXPECT_EQ(ReadFileBytes(target), before);
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA(target.c_str(), &fd);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    EXPECT_EQ(CompareFileTime(&fd.ftLastWriteTime, &old), 0) << "the outside file was not rewritten";

    // The listed file itself, named by a relative path with an unbalanced quote, is run.
    ExpectMessageThenClose("\"..\\Games\\Tank Duel.qgf", "Game run error", "Cannot find the location of Tank Duel",
                           outside);
}

}  // namespace
