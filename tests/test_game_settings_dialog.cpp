// The game settings dialog driven in-process: the setup modes, the device rows,
// the "->" browses, the length limits and the help batch file.
#include "FakeUi.h"
#include "TestEnv.h"
#include "dialogs/GameSettingsDialog.h"
#include "data/Files.h"
#include "launch/GameSetup.h"
#include "res/GameSettingsDialogRes.h"
#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <memory>

namespace {

using Strings = std::vector<std::string>;

constexpr char kDataIni[] =
    "[Sound Devices]\n00=Sound Blaster\n01=Gravis Ultrasound\n31=Adlib\n32=Too Far\n"
    "[Music Devices]\n00=General MIDI\n05=Roland MT-32\n";

// Ends the processes this test started (the batch file waits at its "pause").
void StopChildren() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID != GetCurrentProcessId()) continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!process) continue;
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}

class GameSettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = MakeTempFolder("gamesettings");
        gameDir = folder + "\\KEEN";
        CreateDirectoryA(gameDir.c_str(), nullptr);
        WriteFileText(folder + "\\Data.ini", kDataIni);
        ASSERT_TRUE(ini.Open(folder + "\\Data.ini"));
        game = MakeGame("Keen", "Apogee", "Platform", gameDir, "KEEN.EXE");
    }
    void TearDown() override {
        dialog.reset();
        RemoveTree(folder);
    }
    HWND Open(const std::string& title = "Keen") {
        dialog = std::make_unique<GameSettingsDialog>(ini);
        dialog->title = title;
        dialog->game = game;
        return dialog->Create(nullptr);
    }
    HWND Item(int id) const { return GetDlgItem(dialog->Handle(), id); }
    void Set(int id, const std::string& text) { SetWindowTextA(Item(id), text.c_str()); }
    std::string Get(int id) const { return win::WindowText(Item(id), 300); }
    void Click(int id) { SendMessageA(dialog->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    int Combo(int row) const { return IDC_GS_DEVICE_1 + row; }
    Strings ComboItems(int row) const {
        Strings items;
        for (int i = 0; i < SendMessageA(Item(Combo(row)), CB_GETCOUNT, 0, 0); ++i) {
            char text[260] = "";
            SendMessageA(Item(Combo(row)), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }

    FakeUi ui;
    std::string folder, gameDir;
    IniFile ini;
    GameRecord game;
    std::unique_ptr<GameSettingsDialog> dialog;
};

TEST_F(GameSettingsDialogTest, TheSetupFieldChoosesTheModeAndOkStoresIt) {
    struct Case {
        const char* setup;
        int mode;
        const char* setupEdit;
        const char* stored;
    };
    const Case cases[] = {
        {"(PARAMETERS)", GameSettingsDialog::kParameters, "", "(Parameters)"},
        {"(parameters)", GameSettingsDialog::kParameters, "", "(Parameters)"},
        {"KSETUP.EXE", GameSettingsDialog::kSetupProgram, "KSETUP.EXE", "KSETUP.EXE"},
        {"", GameSettingsDialog::kNoSetup, "", ""},
    };
    for (const auto& c : cases) {
        SetField(game.setup, c.setup);
        SetField(game.configFile, "SOUND.CFG");
        ASSERT_TRUE(Open()) << c.setup;
        EXPECT_EQ(dialog->CurrentMode(), c.mode) << c.setup;
        EXPECT_EQ(Get(IDC_GS_SETUP), c.setupEdit) << c.setup;
        EXPECT_EQ(Get(IDC_GS_CONFIG), c.mode == 0 ? "SOUND.CFG" : "") << c.setup;
        EXPECT_EQ(IsWindowEnabled(Item(IDC_GS_CONFIG)) != 0, c.mode == 0) << c.setup;
        EXPECT_EQ(IsWindowEnabled(Item(IDC_GS_BROWSE_SETUP)) != 0, c.mode == 1) << c.setup;
        EXPECT_EQ(IsWindowEnabled(Item(Combo(9))) != 0, c.mode == 2) << c.setup;
        EXPECT_EQ((GetWindowLongA(Item(IDC_GS_MOUSE), GWL_STYLE) & ES_READONLY) != 0, c.mode != 2) << c.setup;
        Click(IDOK);
        EXPECT_EQ(dialog->Result(), IDOK);
        EXPECT_EQ(FieldText(dialog->game.setup), c.stored);
        EXPECT_EQ(FieldText(dialog->game.configFile), "SOUND.CFG") << "every mode keeps the Config file";
    }
}

TEST_F(GameSettingsDialogTest, ModeZeroSuggestsTheLastSetupProgramFound) {
    const std::pair<Strings, std::string> cases[] = {
        {{"SETUP.BAT", "INSTALL.EXE"}, "INSTALL.EXE"},
        {{"INSTALL.COM", "SETUP.COM", "INSTALL.BAT"}, "SETUP.COM"},
        {{"SETUP.EXE", "INSTALL.EXE", "SETUP.BAT"}, "SETUP.EXE"},
        {{"INSTALL.BAT"}, "INSTALL.BAT"},
        {{"README.TXT"}, ""},
    };
    for (const auto& [files, suggested] : cases) {
        const std::string dir = MakeTempFolder("suggest");
        for (const auto& f : files) WriteFileText(dir + "\\" + f, "x");
        SetField(game.path, dir.c_str());
        ASSERT_TRUE(Open());
        EXPECT_EQ(dialog->CurrentMode(), GameSettingsDialog::kNoSetup);
        EXPECT_EQ(Get(IDC_GS_SETUP), suggested) << files[0];
        Click(IDOK);
        EXPECT_EQ(FieldText(dialog->game.setup), "") << "mode 0 stores no setup program";
        RemoveTree(dir);
    }
}

TEST_F(GameSettingsDialogTest, OkRefusesWhatCannotBeStored) {
    ASSERT_TRUE(Open());
    Click(IDC_GS_MODE_PROGRAM);
    Set(IDC_GS_SETUP, "");
    Click(IDOK);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text,
              "You have selected to use the games setup file,\nbut no filename has been specified.\n\nPlease enter "
              "the games setup executable.");
    EXPECT_EQ(GetFocus(), Item(IDC_GS_SETUP));

    for (const char* hostile : {"..\\..\\WINDOWS\\EVIL.EXE", "C:EVIL.EXE", "SET&UP.BAT"}) {
        Set(IDC_GS_SETUP, hostile);
        Click(IDOK);
        EXPECT_FALSE(dialog->Ended()) << hostile;
    }
    Click(IDC_GS_MODE_NONE);
    Set(IDC_GS_CONFIG, "..\\AUTOEXEC.BAT");
    Click(IDOK);
    EXPECT_FALSE(dialog->Ended());
    EXPECT_EQ(ui.Messages().size(), 5u);

    // Parameters: the edits take 31 characters; longer text put there is refused, not cut.
    Click(IDC_GS_MODE_PARAMETERS);
    Set(IDC_GS_CONFIG, "");
    HWND vga = Item(IDC_GS_VGA);
    Set(IDC_GS_VGA, "");
    for (int i = 0; i < 40; ++i) SendMessageA(vga, WM_CHAR, 'a' + i % 26, 0);
    const std::string typed = Get(IDC_GS_VGA);
    EXPECT_EQ(typed, "abcdefghijklmnopqrstuvwxyzabcde");
    Set(IDC_GS_CUSTOM_NAME, std::string(32, 'n'));
    Click(IDOK);
    EXPECT_FALSE(dialog->Ended());
    EXPECT_EQ(GetFocus(), Item(IDC_GS_CUSTOM_NAME));
    Set(IDC_GS_CUSTOM_NAME, std::string(31, 'n'));
    Click(IDOK);
    ASSERT_EQ(dialog->Result(), IDOK);
    EXPECT_EQ(FieldText(dialog->game.customName), std::string(31, 'n'));
    EXPECT_EQ(FieldText(dialog->game.vgaParam), typed);
}

TEST_F(GameSettingsDialogTest, DeviceRowsKeepBothKindsAndAnEmptiedRowClearsItsEntry) {
    SetField(game.setup, "(Parameters)");
    SetField(game.soundNames[0], "Sound Blaster");
    SetField(game.soundParams[0], "-sb");
    SetField(game.soundNames[3], "PC Speaker");
    SetField(game.soundParams[3], "-pc");
    SetField(game.musicNames[9], "Roland MT-32");
    SetField(game.musicParams[9], "-mt");
    ASSERT_TRUE(Open());
    EXPECT_EQ(ComboItems(0), (Strings{"Adlib", "Gravis Ultrasound", "Sound Blaster"})) << "keys 00 to 31 only";
    EXPECT_EQ(Get(Combo(0)), "Sound Blaster");
    EXPECT_EQ(Get(IDC_GS_PARAM_4), "-pc");

    Set(Combo(1), "Gravis Ultrasound");
    Set(IDC_GS_PARAM_2, "-gus");
    Set(Combo(3), "");
    Set(IDC_GS_PARAM_4, "");
    Click(IDC_GS_KIND_MUSIC);
    EXPECT_TRUE(dialog->ShowsMusic());
    EXPECT_EQ(ComboItems(9), (Strings{"General MIDI", "Roland MT-32"}));
    EXPECT_EQ(Get(Combo(9)), "Roland MT-32");
    EXPECT_EQ(Get(Combo(1)), "");
    Set(Combo(2), "General MIDI");
    Set(IDC_GS_PARAM_3, "-gm");
    Click(IDC_GS_KIND_MUSIC);  // already shown: nothing happens
    EXPECT_EQ(Get(Combo(2)), "General MIDI");
    Click(IDC_GS_KIND_SOUND);
    EXPECT_EQ(Get(Combo(1)), "Gravis Ultrasound");
    EXPECT_EQ(Get(IDC_GS_PARAM_2), "-gus");
    Click(IDOK);
    ASSERT_EQ(dialog->Result(), IDOK);

    const GameRecord& g = dialog->game;
    const Strings stored{FieldText(g.soundNames[0]),  FieldText(g.soundParams[0]), FieldText(g.soundNames[1]),
                         FieldText(g.soundParams[1]), FieldText(g.musicNames[2]),  FieldText(g.musicParams[2]),
                         FieldText(g.musicNames[9]),  FieldText(g.musicParams[9])};
    EXPECT_EQ(stored, (Strings{"Sound Blaster", "-sb", "Gravis Ultrasound", "-gus", "General MIDI", "-gm",
                               "Roland MT-32", "-mt"}));
    EXPECT_EQ(FieldText(g.soundNames[3]) + FieldText(g.soundParams[3]), "") << "the emptied row removes the device";
}

TEST_F(GameSettingsDialogTest, StoredDevicesShowWithAnEmptyDeviceList) {
    WriteFileText(folder + "\\Data.ini", "[Categories]\n00=Action\n");
    SetField(game.soundNames[5], "Disney Sound Source");
    SetField(game.soundParams[5], "-dss");
    ASSERT_TRUE(Open());
    EXPECT_TRUE(ComboItems(5).empty());
    EXPECT_EQ(Get(Combo(5)), "Disney Sound Source");
    EXPECT_EQ(Get(IDC_GS_PARAM_6), "-dss");
}

TEST_F(GameSettingsDialogTest, BrowsingMovesThePathEvenWhenCancelled) {
    ui.fileAnswers.push_back(std::string("D:\\OTHER\\SETUP.EXE"));
    ui.fileAnswers.push_back(std::string("E:\\THIRD\\SOUND.CFG"));
    ui.modalScripts.push_back([&](win::Dialog& d, HWND owner) -> INT_PTR {
        HWND h = d.Create(owner);
        if (!h) return IDCANCEL;
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_GS_MODE_PROGRAM, BN_CLICKED), 0);
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_GS_BROWSE_SETUP, BN_CLICKED), 0);
        EXPECT_EQ(win::WindowText(GetDlgItem(h, IDC_GS_SETUP)), "SETUP.EXE");
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return d.Result();
    });
    GameSettingsResult r = AskGameSettings(nullptr, "Keen", game, ini);
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(FieldText(r.game.path), "D:\\OTHER");
    EXPECT_EQ(FieldText(r.game.setup), "") << "nothing else of a cancelled dialog is kept";
    const auto picks = ui.Calls(UiCall::File);
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].params, gameDir) << "starts in the game folder";

    game = r.game;
    ASSERT_TRUE(Open());
    Click(IDC_GS_BROWSE_CONFIG);
    EXPECT_EQ(ui.Calls(UiCall::File)[1].params, "C:\\") << "D:\\OTHER does not exist";
    EXPECT_EQ(Get(IDC_GS_CONFIG), "SOUND.CFG");
    Click(IDOK);
    EXPECT_EQ(FieldText(dialog->game.path), "E:\\THIRD");
    EXPECT_EQ(FieldText(dialog->game.configFile), "SOUND.CFG");

    EXPECT_FALSE(Open(""));
    EXPECT_EQ(dialog->Result(), IDCANCEL) << "no title: closed as cancelled";
}

TEST_F(GameSettingsDialogTest, ExecuteWritesCommandsBatAndRunsIt) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(Get(IDC_GS_HELP_COMMAND), "-help");
    Set(IDC_GS_HELP_COMMAND, "/?");
    Click(IDC_GS_EXECUTE);
    const std::string expected = gameDir + "\\KEEN.EXE /?\r\npause";
    EXPECT_EQ(ReadFileBytes(gameDir + "\\Commands.bat"), std::vector<char>(expected.begin(), expected.end()));
    auto runs = ui.Calls(UiCall::Execute);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "Commands.bat");
    EXPECT_EQ(runs[0].params, "");
    EXPECT_EQ(runs[0].dir, gameDir);

    ui.shellResults.push_back(2);
    Click(IDC_GS_EXECUTE);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Could not open " + gameDir + "\\Commands.bat\nPlease verify the settings.");
    EXPECT_EQ(ui.Messages()[0].caption, "Error executing game");

    // A command carrying batch syntax is never written into the batch file.
    ui.Clear();
    DeleteFileA((gameDir + "\\Commands.bat").c_str());
    SetField(game.command, "KEEN.EXE & DEL *.*");
    ASSERT_TRUE(Open());
    Click(IDC_GS_EXECUTE);
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty());
    EXPECT_EQ(ui.Messages().size(), 1u);
    EXPECT_FALSE(FileExists(gameDir + "\\Commands.bat"));

    // No folder to write the batch file into: the program itself is run.
    SetField(game.command, "KEEN.EXE");
    SetField(game.path, (gameDir + "\\MISSING").c_str());
    ASSERT_TRUE(Open());
    Click(IDC_GS_EXECUTE);
    ASSERT_EQ(ui.Calls(UiCall::Execute).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Execute)[0].text + " " + ui.Calls(UiCall::Execute)[0].params, "KEEN.EXE -help");

    SetField(game.command, "");
    ASSERT_TRUE(Open());
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_GS_EXECUTE))) << "no Command: nothing to ask for help";
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_GS_HELP_COMMAND)));
}

// The batch file under the real shell: the game's program gets the help
// command, in the game folder.
TEST_F(GameSettingsDialogTest, CommandsBatRunsUnderTheShell) {
    const std::string programs = FolderFromEnvironment("QL_TEST_PROGRAMS");
    ASSERT_TRUE(CopyFileA((programs + "\\echo_args.exe").c_str(), (gameDir + "\\KEEN.EXE").c_str(), FALSE));
    ASSERT_TRUE(Open());
    ui.realShell = true;
    Click(IDC_GS_EXECUTE);
    std::vector<char> result;
    for (int i = 0; i < 200 && result.empty(); ++i) {
        Sleep(50);
        result = ReadFileBytes(gameDir + "\\launch_result.txt");
    }
    ASSERT_FALSE(result.empty()) << "the batch file did not run the program";
    const std::string text(result.begin(), result.end());
    const size_t newline = text.find('\n');
    ASSERT_NE(newline, std::string::npos);
    EXPECT_EQ(lstrcmpiA(text.substr(0, newline).c_str(), gameDir.c_str()), 0) << text;
    const std::string commandLine = text.substr(newline + 1);
    EXPECT_NE(commandLine.find("KEEN.EXE"), std::string::npos) << commandLine;
    EXPECT_EQ(commandLine.substr(commandLine.find_last_not_of(' ') - 4, 5), "-help") << commandLine;
    EXPECT_TRUE(ui.Messages().empty());
    StopChildren();
}

}  // namespace
