// The game settings dialog driven in-process: the setup modes, the device rows,
// the "->" browses, the length limits and the help batch file.
#include "DialogItems.h"
#include "DialogProbe.h"
#include "UiRows.h"
#include "dialogs/GameSettingsDialog.h"
#include "data/Files.h"
#include "launch/GameSetup.h"
#include "res/GameSettingsDialogRes.h"
#include <memory>

namespace {

// Closes the console window of the batch file, which waits at its "pause", as a
// player would: its close box. (Ending processes by their parent's id is no
// good under Wine: the ids of Wine's own services can match this process's.)
void CloseConsoleOf(const std::string& folder) {
    struct Search {
        std::string folder;
        HWND found = nullptr;
    } search{folder, nullptr};
    const DWORD deadline = GetTickCount() + 10000;
    while (!search.found && GetTickCount() < deadline) {
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                char cls[64] = "", caption[MAX_PATH] = "";
                GetClassNameA(window, cls, sizeof cls);
                GetWindowTextA(window, caption, sizeof caption);
                const bool console = !lstrcmpA(cls, "WineConsoleClass") || !lstrcmpA(cls, "ConsoleWindowClass");
                if (console && std::string(caption).find(s->folder) != std::string::npos) s->found = window;
                return !s->found;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(50);
    }
    ASSERT_TRUE(search.found) << "no console window of the batch file";
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    for (int i = 0; i < 200 && IsWindow(search.found); ++i) Sleep(50);
    EXPECT_FALSE(IsWindow(search.found)) << "the console window did not close";
}

class GameSettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA(gameDir.c_str(), nullptr);
        WriteFileText(folder + "\\Data.ini",
                      "[Sound Devices]\n00=Sound Blaster\n01=Gravis Ultrasound\n31=Adlib\n32=Too Far\n"
                      "[Music Devices]\n00=General MIDI\n05=Roland MT-32\n");
        ASSERT_TRUE(ini.Open(folder + "\\Data.ini"));
        game = MakeGame("Keen", "Apogee", "Platform", gameDir, "KEEN.EXE");
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
    Strings ComboItems(int row) const { return BoxItems(Item(Combo(row))); }

    FakeUi ui;
    TempFolder temp{"gamesettings"};
    const std::string folder = temp.path, gameDir = folder + "\\KEEN";
    IniFile ini;
    GameRecord game;
    std::unique_ptr<GameSettingsDialog> dialog;
};

TEST_F(GameSettingsDialogTest, TheSetupFieldChoosesTheModeAndOkStoresIt) {
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"(PARAMETERS)", GameSettingsDialog::kParameters, "", "(Parameters)"},
        {"(parameters)", GameSettingsDialog::kParameters, "", "(Parameters)"},
        {"KSETUP.EXE", GameSettingsDialog::kSetupProgram, "KSETUP.EXE", "KSETUP.EXE"},
        {"SUB\\SETUP.EXE", GameSettingsDialog::kSetupProgram, "SUB\\SETUP.EXE", "SUB\\SETUP.EXE"},
        {"", GameSettingsDialog::kNoSetup, "", ""}};
    int runWith = 0;  // the "Run with" choice goes round: shown, changed, stored
    for (const auto& [setup, mode, setupEdit, stored] : cases) {
        SetField(game.setup, setup);
        SetField(game.configFile, "SOUND.CFG");
        SetGameRunWith(game, static_cast<RunWith>(runWith));
        ASSERT_TRUE(Open()) << setup;
        EXPECT_EQ(SendMessageA(Item(IDC_GS_RUN_WITH), CB_GETCURSEL, 0, 0), runWith);
        runWith = (runWith + 1) % 3;
        SendMessageA(Item(IDC_GS_RUN_WITH), CB_SETCURSEL, runWith, 0);
        EXPECT_EQ(dialog->CurrentMode(), mode) << setup;
        EXPECT_EQ((Strings{Get(IDC_GS_SETUP), Get(IDC_GS_CONFIG)}), (Strings{setupEdit, mode == 0 ? "SOUND.CFG" : ""}))
            << setup;
        EXPECT_EQ(
            (std::vector<bool>{IsWindowEnabled(Item(IDC_GS_CONFIG)) != 0,
                               IsWindowEnabled(Item(IDC_GS_BROWSE_SETUP)) != 0, IsWindowEnabled(Item(Combo(9))) != 0,
                               (GetWindowLongA(Item(IDC_GS_MOUSE), GWL_STYLE) & ES_READONLY) == 0}),
            (std::vector<bool>{mode == 0, mode == 1, mode == 2, mode == 2}))
            << setup;
        Click(IDOK);
        EXPECT_EQ(dialog->Result(), IDOK);
        EXPECT_EQ((Strings{dialog->game.setup, dialog->game.configFile}), (Strings{stored, "SOUND.CFG"}))
            << "every mode keeps the Config file";
        EXPECT_EQ(GameRunWith(dialog->game), static_cast<RunWith>(runWith));
    }
}

TEST_F(GameSettingsDialogTest, ModeZeroSuggestsTheLastSetupProgramFound) {
    const std::pair<Strings, std::string> cases[] = {{{"SETUP.BAT", "INSTALL.EXE"}, "INSTALL.EXE"},
                                                     {{"INSTALL.COM", "SETUP.COM", "INSTALL.BAT"}, "SETUP.COM"},
                                                     {{"SETUP.EXE", "INSTALL.EXE", "SETUP.BAT"}, "SETUP.EXE"},
                                                     {{"README.TXT"}, ""}};
    for (const auto& [files, suggested] : cases) {
        const std::string dir = MakeTempFolder("suggest");
        for (const auto& f : files) WriteFileText(dir + "\\" + f, "x");
        SetField(game.path, dir.c_str());
        ASSERT_TRUE(Open());
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
    EXPECT_EQ(ui.Messages().at(0).text,
              "You have selected to use the games setup file,\nbut no filename has been specified.\n\nPlease enter "
              "the games setup executable.");
    EXPECT_EQ(GetFocus(), Item(IDC_GS_SETUP));
    for (const char* hostile : {"..\\..\\WIN\\EVIL.EXE", "SET&UP.BAT", "C;x.BAT", "A=B.EXE", "CON", "SUB\\COM1.EXE"}) {
        Set(IDC_GS_SETUP, hostile);
        Click(IDOK);
    }
    Click(IDC_GS_MODE_NONE);
    for (const char* hostile : {"..\\AUTOEXEC.BAT", "NUL", "AUX.cfg", "CONIN$", "C:\\X.CFG"}) {
        Set(IDC_GS_CONFIG, hostile);
        Click(IDOK);
    }
    EXPECT_FALSE(dialog->Ended());
    EXPECT_EQ(ui.Messages().size(), 12u);

    // Parameters: the edits take 31 characters; longer text put there is refused, not cut.
    Click(IDC_GS_MODE_PARAMETERS);
    Set(IDC_GS_CONFIG, "");
    Set(IDC_GS_VGA, "");
    for (int i = 0; i < 40; ++i) SendMessageA(Item(IDC_GS_VGA), WM_CHAR, 'a' + i % 26, 0);
    EXPECT_EQ(Get(IDC_GS_VGA), "abcdefghijklmnopqrstuvwxyzabcde");
    Set(IDC_GS_CUSTOM_NAME, std::string(32, 'n'));
    Click(IDOK);
    EXPECT_FALSE(dialog->Ended());
    EXPECT_EQ(GetFocus(), Item(IDC_GS_CUSTOM_NAME));
    Set(IDC_GS_CUSTOM_NAME, std::string(31, 'n'));
    Click(IDOK);
    ASSERT_EQ(dialog->Result(), IDOK);
    EXPECT_EQ((Strings{dialog->game.customName, dialog->game.vgaParam}),
              (Strings{std::string(31, 'n'), "abcdefghijklmnopqrstuvwxyzabcde"}));
}

TEST_F(GameSettingsDialogTest, DeviceRowsKeepBothKindsAndAnEmptiedRowClearsItsEntry) {
    const std::pair<char*, const char*> fields[] = {{game.setup, "(Parameters)"}, {game.soundNames[0], "Sound Blaster"},
                                                    {game.soundParams[0], "-sb"}, {game.soundNames[3], "PC Speaker"},
                                                    {game.soundParams[3], "-pc"}, {game.musicNames[9], "Roland MT-32"},
                                                    {game.musicParams[9], "-mt"}};
    for (const auto& [field, text] : fields) lstrcpyA(field, text);
    ASSERT_TRUE(Open());
    EXPECT_EQ(ComboItems(0), (Strings{"Adlib", "Gravis Ultrasound", "Sound Blaster"})) << "keys 00 to 31 only";
    EXPECT_EQ((Strings{Get(Combo(0)), Get(IDC_GS_PARAM_4)}), (Strings{"Sound Blaster", "-pc"}));

    for (const auto& [id, text] :
         {std::pair{Combo(1), "Gravis Ultrasound"}, {IDC_GS_PARAM_2, "-gus"}, {Combo(3), ""}, {IDC_GS_PARAM_4, ""}})
        Set(id, text);
    Click(IDC_GS_KIND_MUSIC);
    EXPECT_EQ(ComboItems(9), (Strings{"General MIDI", "Roland MT-32"}));
    EXPECT_EQ((Strings{Get(Combo(9)), Get(Combo(1))}), (Strings{"Roland MT-32", ""}));
    Set(Combo(2), "General MIDI");
    Set(IDC_GS_PARAM_3, "-gm");
    Click(IDC_GS_KIND_MUSIC);  // already shown: nothing happens
    EXPECT_EQ(Get(Combo(2)), "General MIDI");
    Click(IDC_GS_KIND_SOUND);
    EXPECT_EQ((Strings{Get(Combo(1)), Get(IDC_GS_PARAM_2)}), (Strings{"Gravis Ultrasound", "-gus"}));
    Click(IDOK);
    ASSERT_EQ(dialog->Result(), IDOK);
    const GameRecord& g = dialog->game;
    EXPECT_EQ((Strings{g.soundNames[0], g.soundParams[0], g.soundNames[1], g.soundParams[1], g.musicNames[2],
                       g.musicParams[2], g.musicNames[9], g.musicParams[9], g.soundNames[3], g.soundParams[3]}),
              (Strings{"Sound Blaster", "-sb", "Gravis Ultrasound", "-gus", "General MIDI", "-gm", "Roland MT-32",
                       "-mt", "", ""}))
        << "the emptied row removes the device";

    WriteFileText(folder + "\\Data.ini", "[Categories]\n00=Action\n");  // stored devices, no device list
    SetField(game.soundNames[5], "Disney Sound Source");
    ASSERT_TRUE(Open());
    EXPECT_TRUE(ComboItems(5).empty());
    EXPECT_EQ(Get(Combo(5)), "Disney Sound Source");
}

TEST_F(GameSettingsDialogTest, BrowsingMovesThePath) {
    ui.fileAnswers = {"D:\\OTHER\\SETUP.EXE", "E:\\THIRD\\SOUND.CFG"};
    ASSERT_TRUE(Open());
    Click(IDC_GS_MODE_PROGRAM);
    Click(IDC_GS_BROWSE_SETUP);
    EXPECT_EQ((Strings{Get(IDC_GS_SETUP), dialog->game.path}), (Strings{"SETUP.EXE", "D:\\OTHER"}));
    EXPECT_EQ(ui.Calls(UiCall::File).at(0).params, gameDir) << "starts in the game folder";
    Click(IDC_GS_MODE_NONE);
    Click(IDC_GS_BROWSE_CONFIG);
    EXPECT_EQ(ui.Calls(UiCall::File).at(1).params, "C:\\") << "D:\\OTHER does not exist";
    EXPECT_EQ(Get(IDC_GS_CONFIG), "SOUND.CFG");
    Click(IDOK);
    EXPECT_EQ((Strings{dialog->game.path, dialog->game.configFile}), (Strings{"E:\\THIRD", "SOUND.CFG"}));

    EXPECT_FALSE(Open(""));
    EXPECT_EQ(dialog->Result(), IDCANCEL) << "no title: closed as cancelled";
}

TEST_F(GameSettingsDialogTest, ExecuteWritesCommandsBatAndRunsIt) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(Get(IDC_GS_HELP_COMMAND), "-help");
    Set(IDC_GS_HELP_COMMAND, "/?");
    Click(IDC_GS_EXECUTE);
    EXPECT_EQ(FileText(gameDir + "\\Commands.bat"), gameDir + "\\KEEN.EXE /?\r\npause");
    const UiCall run = ui.Calls(UiCall::Execute).at(0);
    EXPECT_EQ((Strings{run.text, run.params, run.dir}), (Strings{"Commands.bat", "", gameDir}));

    ui.shellResults.push_back(2);
    Click(IDC_GS_EXECUTE);
    ExpectOneMessage(ui, "Could not open " + gameDir + "\\Commands.bat\nPlease verify the settings.",
                     "Error executing game");

    // Batch syntax in the path or command, or a folder that takes no file: the program itself runs.
    const std::string odd = folder + "\\A&B 100%";
    CreateDirectoryA(odd.c_str(), nullptr);
    DeleteFileA((gameDir + "\\Commands.bat").c_str());
    const std::pair<std::string, const char*> direct[] = {
        {odd, "KEEN.EXE"}, {gameDir, "A&B.EXE"}, {gameDir + "\\MISSING", "KEEN.EXE"}};
    for (const auto& [path, command] : direct) {
        ui.Clear();
        SetField(game.path, path.c_str());
        SetField(game.command, command);
        ASSERT_TRUE(Open());
        Click(IDC_GS_EXECUTE);
        EXPECT_EQ(Row(ui.calls.at(0)), (Strings{command, "open", std::to_string(SW_SHOWNORMAL), "-help", path}));
        EXPECT_FALSE(FileExists(path + "\\Commands.bat") || FileExists(gameDir + "\\Commands.bat"));
    }
    SetField(game.command, "..\\KEEN.EXE");
    ASSERT_TRUE(Open());
    Click(IDC_GS_EXECUTE);
    EXPECT_EQ(ui.Calls(UiCall::Execute).size(), 1u) << "a command outside the folder runs nothing";

    SetField(game.command, "");
    ASSERT_TRUE(Open());
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_GS_EXECUTE))) << "no Command: nothing to ask for help";
}

TEST_F(GameSettingsDialogTest, CommandsBatRunsTheProgramWithTheHelpCommandUnderTheShell) {
    const std::string programs = FolderFromEnvironment("QL_TEST_PROGRAMS"), dir = folder + "\\KEEN GAME";
    CreateDirectoryA(dir.c_str(), nullptr);  // a blank in the folder
    ASSERT_TRUE(CopyFileA((programs + "\\echo_args.exe").c_str(), (dir + "\\KEEN.EXE").c_str(), FALSE));
    SetField(game.path, dir.c_str());
    ASSERT_TRUE(Open());
    ui.realShell = true;
    Click(IDC_GS_EXECUTE);
    std::string text;
    for (int i = 0; i < 200 && text.empty(); ++i, Sleep(50)) text = FileText(dir + "\\launch_result.txt");
    CloseConsoleOf(dir);
    const size_t newline = text.find('\n');
    ASSERT_NE(newline, std::string::npos) << "the batch file did not run the program";
    EXPECT_EQ(lstrcmpiA(text.substr(0, newline).c_str(), dir.c_str()), 0) << text;
    const std::string commandLine = text.substr(newline + 1);  // the program and "-help", maybe with spaces after
    EXPECT_NE(commandLine.find("KEEN.EXE"), std::string::npos) << commandLine;
    EXPECT_EQ(commandLine.substr(commandLine.find_last_not_of(' ') - 4, 5), "-help") << commandLine;
    EXPECT_TRUE(ui.Messages().empty());
}

}  // namespace
