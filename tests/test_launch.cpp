// Running games: the entry points, the folder and program checks, "LastRun",
// the compatibility layer, Loader.bat, VDMSound, failures, and a real launch.
#include "MainWindowFixture.h"
#include "app/Settings.h"
#include "launch/LaunchGame.h"
#include "launch/ParameterLine.h"
#include "launch/RegistryValue.h"
#include "res/resource.h"
#include <commctrl.h>
#include <commdlg.h>
#include "app/SingleInstance.h"
#include <cstdlib>
#include <cstring>

namespace {

std::string TestProgram(const std::string& name) { return FolderFromEnvironment("QL_TEST_PROGRAMS") + "\\" + name; }

std::string LayerValue(const std::string& program) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kLayersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<absent>";
    char data[300] = "";
    DWORD size = sizeof data - 1, type = 0;
    LONG r = RegQueryValueExA(key, program.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? std::string(data) : "<absent>";
}

std::string LastRun() {
    char buf[260];
    return ReadSettingString("LastRun", buf) ? buf : "<absent>";
}

class LaunchTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        gameDir = folder + "\\GAMEDIR";
        CreateDirectoryA(gameDir.c_str(), nullptr);
        WriteFileText(gameDir + "\\PLAY.EXE", "MZ");
    }
    // One game in the list, selected.
    void StartWith(const GameRecord& g) {
        AddGame(g);
        Start();
        window->List().Select(0);
        PumpMessages();
        ui.Clear();
    }
    void ClickRun() {
        SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(IDC_RUNGAME, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window->Handle(), IDC_RUNGAME)));
        PumpMessages();
    }
    GameRecord Game(const std::string& title, const std::string& command = "PLAY.EXE") {
        return MakeGame(title, "p", "c", gameDir, command);
    }
    // Selects the row (which loads its game) and launches it.
    bool Launch(int row) {
        window->List().Select(row);
        PumpMessages();
        return window->LaunchGame(row);
    }
    GameRecord Saved(const std::string& title) {
        GameRecord g;
        EXPECT_EQ(ReadGameRecord(GamePath(title), g), GameFileStatus::Ok);
        return g;
    }
    std::string gameDir;
};

TEST(ParameterLineTest, OrderEmptyCandidatesAndRanges) {
    GameRecord g = BlankGameRecord();
    EXPECT_EQ(ComposeParameterLine(g), "");
    SetField(g.egaParam, "/ega");
    SetField(g.keyboardParam, "/kb");
    SetField(g.mouseParam, "/mouse");
    SetField(g.joystickParam, "/joy");
    SetField(g.soundParams[9], "/sb");
    SetField(g.musicParams[0], "/mt32");
    SetField(g.customParam, "/x");
    g.selectedDisplay = 4;
    g.keyboardOn = g.mouseOn = g.joystickOn = g.customOn = 1;
    g.selectedSound = 9;
    g.selectedMusic = 0;
    EXPECT_EQ(ComposeParameterLine(g), "/ega /kb /mouse /joy /sb /mt32 /x ");

    g.mouseOn = 0;
    g.selectedDisplay = 3;  // MCGA, which is empty
    g.selectedSound = 10;
    g.selectedMusic = -1;
    EXPECT_EQ(ComposeParameterLine(g), "/kb /joy /x ");
    g.selectedSound = -2;
    g.selectedDisplay = 7;
    SetField(g.keyboardParam, "");
    EXPECT_EQ(ComposeParameterLine(g), "/joy /x ");
    // A parameter that fills its 32 bytes is read no further.
    std::memset(g.customParam, 'c', sizeof g.customParam);
    g.joystickOn = 0;
    EXPECT_EQ(ComposeParameterLine(g), std::string(32, 'c') + " ");
}

TEST_F(LaunchTest, DirectLaunchPassesTheParameterLineWithItsSpaces) {
    GameRecord g = Game("Params");
    SetField(g.setup, "(pArAmEtErS)");
    g.selectedDisplay = 2;
    SetField(g.vgaParam, "-vga");
    g.options = 2;
    StartWith(g);
    window->State().vdm = {};
    ClickRun();
    auto runs = ui.Calls(UiCall::Execute);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "PLAY.EXE");
    EXPECT_EQ(runs[0].caption, "open");
    EXPECT_EQ(runs[0].params, " -vga ");
    EXPECT_EQ(runs[0].dir, gameDir);
    EXPECT_EQ(runs[0].flags, static_cast<unsigned>(SW_SHOWNORMAL));
    EXPECT_EQ(LastRun(), "Params");
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(LaunchTest, ASetupProgramNamePassesNoArgumentsAndNothingSelectedPassesOneSpace) {
    GameRecord setup = Game("A setup");
    SetField(setup.setup, "SETUP.EXE");
    setup.selectedDisplay = 1;
    SetField(setup.vesaParam, "-vesa");
    GameRecord empty = Game("B empty");
    SetField(empty.setup, "(Parameters)");
    AddGame(setup);
    AddGame(empty);
    Start();
    window->State().vdm = {};
    EXPECT_TRUE(Launch(0));
    EXPECT_TRUE(Launch(1));
    auto runs = ui.Calls(UiCall::Execute);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].params, "");
    EXPECT_EQ(runs[1].params, " ");
    EXPECT_FALSE(window->LaunchGame(-1));
}

TEST_F(LaunchTest, CompatibilityLayerFollowsTheOptionsOnNtOnly) {
    const std::string program = gameDir + "\\PLAY.EXE";
    for (int options : {0, 1, 2, 3}) {
        GameRecord g = Game("Layer " + std::to_string(options));
        g.options = options;
        AddGame(g);
    }
    Start();
    window->State().vdm = {};
    window->State().isNt = true;
    const char* expected[4] = {"<absent>", "<absent>", "WIN95", "WIN95"};
    for (int options = 0; options < 4; ++options) {
        WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kLayersKey, program.c_str(), "OLDVALUE");
        ASSERT_TRUE(Launch(options));
        EXPECT_EQ(LayerValue(program), expected[options]) << "Options " << options;
    }
    // Windows 9x: no registry write for any Options value.
    window->State().isNt = false;
    for (int options = 0; options < 4; ++options) {
        WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kLayersKey, program.c_str(), "OLDVALUE");
        ASSERT_TRUE(Launch(options));
        EXPECT_EQ(LayerValue(program), "OLDVALUE") << "Options " << options;
    }
    WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kLayersKey, program.c_str(), "DELETE");
}

TEST_F(LaunchTest, VdmSoundLaunchWritesLoaderBatOnlyWithArguments) {
    GameRecord withArgs = Game("A vdm args");
    SetField(withArgs.setup, "(Parameters)");
    withArgs.selectedSound = 0;
    SetField(withArgs.soundParams[0], "/sb16");
    withArgs.options = 1;
    GameRecord plain = Game("B vdm plain");
    plain.options = 3;
    GameRecord nothing = Game("C vdm none");
    SetField(nothing.setup, "(Parameters)");
    nothing.options = 3;
    GameRecord notMarked = Game("D not marked");
    notMarked.options = 2;
    for (const auto& g : {withArgs, plain, nothing, notMarked}) AddGame(g);
    Start();
    const std::string vdmDir = folder + "\\VDMS\\";
    window->State().vdm = {true, vdmDir, vdmDir + "VDMSRun.pif"};
    window->State().isNt = false;
    WriteFileText(gameDir + "\\Loader.bat", "old");
    SetFileAttributesA((gameDir + "\\Loader.bat").c_str(), FILE_ATTRIBUTE_READONLY);

    ASSERT_TRUE(Launch(0));
    EXPECT_EQ(ReadFileBytes(gameDir + "\\Loader.bat"),
              std::vector<char>({'@', 'P', 'L', 'A', 'Y', '.', 'E', 'X', 'E', ' ', ' ', '/', 's', 'b', '1', '6', ' '}));
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_EQ(std::string(cwd), gameDir) << "the folder becomes the current directory";
    ASSERT_TRUE(Launch(1));
    ASSERT_TRUE(Launch(2));
    EXPECT_EQ(ReadFileBytes(gameDir + "\\Loader.bat"),
              std::vector<char>({'@', 'P', 'L', 'A', 'Y', '.', 'E', 'X', 'E', ' ', ' '}));
    ASSERT_TRUE(Launch(3));

    auto runs = ui.Calls(UiCall::Execute);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].text, vdmDir + "VDMSRun.pif");
    EXPECT_EQ(runs[0].params, "Loader.bat");
    EXPECT_EQ(runs[0].dir, gameDir);
    EXPECT_EQ(runs[1].text, vdmDir + "VDMSRun.pif");
    EXPECT_EQ(runs[1].params, "PLAY.EXE");
    EXPECT_EQ(runs[2].params, "Loader.bat");
    EXPECT_EQ(runs[3].text, "PLAY.EXE") << "a game not marked for VDMSound runs directly";

    // Without VDMSound a marked game runs directly, with its arguments.
    window->State().vdm = {};
    ASSERT_TRUE(Launch(0));
    EXPECT_EQ(ui.Calls(UiCall::Execute).back().text, "PLAY.EXE");
    EXPECT_EQ(ui.Calls(UiCall::Execute).back().params, " /sb16 ");
    SetCurrentDirectoryA(folder.c_str());
}

TEST_F(LaunchTest, VdmSoundFailures) {
    GameRecord g = Game("Vdm");
    SetField(g.setup, "(Parameters)");
    g.options = 1;
    StartWith(g);
    window->State().vdm = {true, folder + "\\", folder + "\\VDMSRun.bat"};
    // The batch file cannot be written: a folder is in its way.
    CreateDirectoryA((gameDir + "\\Loader.bat").c_str(), nullptr);
    EXPECT_FALSE(Launch(0));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text,
              "Using VDMSound with setup parameters requires a temporary batch file\nwhich could not be created.\n\n"
              "Please install the game on your Hard Drive.");
    EXPECT_EQ(ui.Messages()[0].caption, "Quillon Loader");
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty());
}

TEST_F(LaunchTest, ShellFailureIsReportedAndStillCountsAsALaunch) {
    StartWith(Game("Broken"));
    window->State().vdm = {};
    WriteSettingString("LastRun", "something else");
    ui.shellResults.push_back(2);
    EXPECT_TRUE(Launch(0));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Could not open PLAY.EXE\nPlease verify the settings.");
    EXPECT_EQ(ui.Messages()[0].caption, "Broken.qgf");
    EXPECT_EQ(ui.Messages()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONSTOP));
    EXPECT_EQ(LastRun(), "Broken");
}

TEST_F(LaunchTest, MissingProgramIsAskedForAndTheAnswerSaved) {
    GameRecord g = Game("Ask", "");
    StartWith(g);
    window->State().vdm = {};
    WriteSettingString("LastRun", "before");
    ui.fileAnswers.push_back(std::nullopt);
    ClickRun();
    auto asks = ui.Calls(UiCall::File);
    ASSERT_EQ(asks.size(), 1u) << "an empty Command always asks";
    EXPECT_EQ(asks[0].text, "Select the game file to execute...");
    EXPECT_EQ(asks[0].caption, "Executables (*.exe;*.com;*.bat;*.pif)|*.exe; *.com; *.bat; *.pif||");
    EXPECT_EQ(asks[0].params, gameDir);
    EXPECT_EQ(asks[0].flags, static_cast<unsigned>(OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_SHOWHELP));
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty());
    EXPECT_EQ(LastRun(), "Ask") << "written before the program check";

    // Chosen in another folder: both Path and Command change, and the button saves them.
    const std::string other = folder + "\\OTHER";
    CreateDirectoryA(other.c_str(), nullptr);
    WriteFileText(other + "\\RUN.COM", "x");
    ui.fileAnswers.push_back(other + "\\RUN.COM");
    ClickRun();
    auto runs = ui.Calls(UiCall::Execute);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "RUN.COM");
    EXPECT_EQ(runs[0].dir, other);
    GameRecord saved = Saved("Ask");
    EXPECT_EQ(FieldText(saved.path), other);
    EXPECT_EQ(FieldText(saved.command), "RUN.COM");
}

TEST_F(LaunchTest, MissingFolder) {
    GameRecord g = MakeGame("Moved", "p", "c", folder + "\\GONE", "PLAY.EXE");
    StartWith(g);
    window->State().vdm = {};
    // Started from the command line: a message, and the flag is cleared.
    window->State().commandLineLaunch = true;
    EXPECT_FALSE(Launch(0));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Cannot find the location of Moved.\nPlease locate its path...");
    EXPECT_EQ(ui.Messages()[0].caption, "Game run error");
    EXPECT_FALSE(window->State().commandLineLaunch);

    // Then the folder browser is offered; cancelling stops the launch.
    ui.Clear();
    EXPECT_FALSE(Launch(0));
    auto asks = ui.Calls(UiCall::Folder);
    ASSERT_EQ(asks.size(), 1u);
    EXPECT_EQ(asks[0].text, "Select the game path...");

    // A chosen folder becomes the game's Path and is saved by the Run Game button.
    ui.folderAnswers.push_back(gameDir);
    ClickRun();
    ASSERT_EQ(ui.Calls(UiCall::Execute).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Execute)[0].dir, gameDir);
    EXPECT_EQ(FieldText(Saved("Moved").path), gameDir);
    EXPECT_EQ(window->List().Image(0), 0) << "the row's image is recomputed";
}

TEST_F(LaunchTest, RunGameMenuNeedsASelectionAndDoesNotSave) {
    GameRecord g = Game("Menu", "");
    AddGame(g);
    Start();
    window->State().vdm = {};
    SendMessageA(window->Handle(), WM_COMMAND, IDM_RUNGAME, 0);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "No game is selected.");
    EXPECT_EQ(ui.Messages()[0].caption, "Quillon Loader");
    EXPECT_EQ(ui.Messages()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONEXCLAMATION));

    window->List().Select(0);
    PumpMessages();
    ui.fileAnswers.push_back(gameDir + "\\PLAY.EXE");
    SendMessageA(window->Handle(), WM_COMMAND, IDM_RUNGAME, 0);
    EXPECT_EQ(ui.Calls(UiCall::Execute).size(), 1u);
    EXPECT_EQ(FieldText(Saved("Menu").command), "") << "the menu leaves the choice unsaved";
}

TEST_F(LaunchTest, DoubleClickRunsAndSaves) {
    StartWith(Game("Twice", ""));
    window->State().vdm = {};
    ui.fileAnswers.push_back(gameDir + "\\PLAY.EXE");
    NMITEMACTIVATE nm{};
    nm.hdr.hwndFrom = window->List().Handle();
    nm.hdr.idFrom = IDC_GAMELIST;
    nm.hdr.code = NM_DBLCLK;
    SendMessageA(window->Handle(), WM_NOTIFY, IDC_GAMELIST, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(ui.Calls(UiCall::Execute).size(), 1u);
    EXPECT_EQ(FieldText(Saved("Twice").command), "PLAY.EXE");
}

TEST_F(LaunchTest, CommandLineLaunch) {
    AddGame(Game("Other"));
    AddGame(Game("Chosen Game"));
    Start("\"" + GamePath("Chosen Game") + "\"");
    ASSERT_TRUE(window->Handle());
    auto runs = ui.Calls(UiCall::Execute);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "PLAY.EXE");
    EXPECT_EQ(window->List().Text(window->GetSelectedRow(), 0), "Chosen Game");
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(LaunchTest, CommandLineLaunchOfAnUnknownOrDamagedFile) {
    AddGame(Game("Known"));
    Start("\"C:\\Elsewhere\\Unknown.qgf\"");
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text,
              "Cannot find the QGF in the game list!\n\nPlease move the QGF file to the folder\n'C:\\Program "
              "Files\\Quillon Loader\\Games\\'\nand use a desktop shortcut to the QGF instead.");
    EXPECT_EQ(ui.Messages()[0].caption, "Unknown");
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty());
    window.reset();
    ReleaseSingleInstance();

    ui.Clear();
    const std::string damaged = GamePath("Known");
    WriteFileBytes(damaged, std::vector<char>(20, 1));
    Start(damaged);
    // The fill reports it first, and the selected game's display after the start.
    ASSERT_GE(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[1].text, "The QGF file appears to be corrupted.\nPlease re-create it.");
    EXPECT_EQ(ui.Messages()[1].caption, damaged);
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty());
    window.reset();
    ReleaseSingleInstance();

    // Three characters or fewer are no command line.
    AddGame(Game("Known"));
    ui.Clear();
    Start("abc");
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_FALSE(window->State().commandLineLaunch);
}

TEST_F(LaunchTest, ARealLaunchUnderTheShell) {
    const std::string dir = folder + "\\REAL";
    CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(TestProgram("echo_args.exe").c_str(), (dir + "\\ECHO.EXE").c_str(), FALSE))
        << TestProgram("echo_args.exe");
    GameRecord g = MakeGame("Real", "p", "c", dir, "ECHO.EXE");
    SetField(g.setup, "(Parameters)");
    g.selectedDisplay = 5;
    SetField(g.cgaParam, "/cga");
    g.joystickOn = 1;
    SetField(g.joystickParam, "/joy");
    StartWith(g);
    window->State().vdm = {};
    ui.realShell = true;
    ClickRun();
    std::vector<char> result;
    for (int i = 0; i < 200 && result.empty(); ++i) {
        Sleep(50);
        result = ReadFileBytes(dir + "\\launch_result.txt");
    }
    ASSERT_FALSE(result.empty()) << "the game did not start";
    std::string text(result.begin(), result.end());
    size_t newline = text.find('\n');
    ASSERT_NE(newline, std::string::npos);
    EXPECT_EQ(lstrcmpiA(text.substr(0, newline).c_str(), dir.c_str()), 0) << text;
    std::string commandLine = text.substr(newline + 1);
    EXPECT_NE(commandLine.find("ECHO.EXE"), std::string::npos) << commandLine;
    ASSERT_GE(commandLine.size(), 12u);
    EXPECT_EQ(commandLine.substr(commandLine.size() - 11), " /cga /joy ") << "[" << commandLine << "]";
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(LaunchTest, VdmSoundIsLookedForAtStartUp) {
    const std::string vdm = folder + "\\VDMSound\\";
    CreateDirectoryA(vdm.c_str(), nullptr);
    WriteFileText(vdm + "LaunchPad.dll", "");
    beforeStart = [&](AppState& state) { state.vdmSoundFixedFolder = vdm; };
    GameRecord g = Game("Through VDMSound");
    g.options = 1;
    StartWith(g);
    ASSERT_TRUE(window->State().vdm.available);
    EXPECT_EQ(window->State().vdm.folder, vdm);
    EXPECT_EQ(window->State().vdm.launchFile, vdm + "VDMSRun.bat");
    EXPECT_EQ(ReadFileBytes(vdm + "VDMSRun.bat").size(), std::string("dosdrv.exe /i:VDMS.INI\nCall %1").size());
    ClickRun();
    ASSERT_EQ(ui.Calls(UiCall::Execute).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Execute)[0].text, vdm + "VDMSRun.bat");
    EXPECT_EQ(ui.Calls(UiCall::Execute)[0].params, "PLAY.EXE");
}

TEST_F(LaunchTest, SlowDownControls) {
    Start();
    HWND h = window->Handle();
    HWND slider = GetDlgItem(h, IDC_SLOWDOWN_SLIDER);
    auto release = [&](int position) {
        SendMessageA(slider, TBM_SETPOS, TRUE, position);
        NMHDR nm{slider, IDC_SLOWDOWN_SLIDER, static_cast<UINT>(NM_RELEASEDCAPTURE)};
        SendMessageA(h, WM_NOTIFY, IDC_SLOWDOWN_SLIDER, reinterpret_cast<LPARAM>(&nm));
    };
    auto label = [&] { return win::WindowText(GetDlgItem(h, IDC_SLOWDOWN_LABEL)); };
    EXPECT_EQ(label(), "= 0%");

    // Cleared: the slider only changes the label.
    release(60);
    EXPECT_EQ(label(), " = 50%");
    EXPECT_FALSE(window->CpuSlowDown().Running());

    // Ticking reads the slider.
    CheckDlgButton(h, IDC_SLOWDOWN, BST_CHECKED);
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_SLOWDOWN, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_SLOWDOWN)));
    EXPECT_TRUE(window->CpuSlowDown().Running());
    EXPECT_EQ(window->CpuSlowDown().Period(), 50u);

    // Released while ticked: restarted with the new period (110 - 110 asks for 0, gets 10).
    release(110);
    EXPECT_EQ(label(), " = 100%");
    EXPECT_TRUE(window->CpuSlowDown().Running());
    EXPECT_EQ(window->CpuSlowDown().Period(), 10u);
    release(10);
    EXPECT_EQ(window->CpuSlowDown().Period(), 100u);

    CheckDlgButton(h, IDC_SLOWDOWN, BST_UNCHECKED);
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_SLOWDOWN, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_SLOWDOWN)));
    EXPECT_FALSE(window->CpuSlowDown().Running());
}

}  // namespace
