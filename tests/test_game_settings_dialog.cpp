// The game settings dialog with its DOSBox settings dialog, and the command line dialog, in-process.
#include "DialogProbe.h"
#include "UiRows.h"
#include "data/Files.h"
#include "dialogs/CommandLineDialog.h"
#include "dialogs/DosBoxSettingsDialog.h"
#include "dialogs/GameSettingsDialog.h"
#include "launch/GameSetup.h"
#include "res/CommandLineDialogRes.h"
#include "res/DosBoxSettingsDialogRes.h"
#include "res/GameSettingsDialogRes.h"
#include "win/Texts.h"

namespace {

class GameSettingsDialogTest : public DialogTest<GameSettingsDialog> {
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
        Make(ini).title = title;
        dialog->game = game;
        return dialog->Create(nullptr);
    }
    int Combo(int row) const { return IDC_GS_DEVICE_1 + row; }
    const std::string gameDir = folder + "\\KEEN";
    IniFile ini;
    GameRecord game;
};

TEST_F(GameSettingsDialogTest, TheSetupFieldChoosesTheModeAndOkStoresIt) {
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"(PARAMETERS)", GameSettingsDialog::kParameters, "", "(Parameters)"},
        {"KSETUP.EXE", GameSettingsDialog::kSetupProgram, "KSETUP.EXE", "KSETUP.EXE"},
        {"", GameSettingsDialog::kNoSetup, "SETUP.COM", ""}};  // the last setup program found is suggested
    for (const char* f : {"INSTALL.COM", "setup.com", "INSTALL.BAT"}) WriteFileText(gameDir + "\\" + f, "x");
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
        const bool editable = !(GetWindowLongA(Item(IDC_GS_MOUSE), GWL_STYLE) & ES_READONLY);
        EXPECT_EQ((std::vector<bool>{Enabled(IDC_GS_CONFIG), Enabled(IDC_GS_SETUP), Enabled(IDC_GS_BROWSE_SETUP),
                                     Enabled(Combo(9)), editable}),
                  (std::vector<bool>{mode == 0, mode == 1, mode == 1, mode == 2, mode == 2}))
            << setup;
        Click(IDOK);
        EXPECT_EQ((Strings{dialog->game.setup, dialog->game.configFile}), (Strings{stored, "SOUND.CFG"}))
            << "every mode keeps the Config file";
        EXPECT_EQ(GameRunWith(dialog->game), static_cast<RunWith>(runWith));
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
    Set(IDC_GS_SETUP, "SET&UP.BAT");  // the name rules have their own test: one refusal each here
    Click(IDOK);
    Click(IDC_GS_MODE_NONE);
    Set(IDC_GS_CONFIG, "..\\AUTOEXEC.BAT");
    Click(IDOK);
    EXPECT_FALSE(dialog->Ended());
    EXPECT_EQ(ui.Messages().size(), 3u);
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
    EXPECT_EQ(Rows(Combo(0)), (Strings{"Adlib", "Gravis Ultrasound", "Sound Blaster"})) << "keys 00 to 31 only";
    EXPECT_EQ((Strings{Get(Combo(0)), Get(IDC_GS_PARAM_4)}), (Strings{"Sound Blaster", "-pc"}));
    for (const auto& [id, text] :
         {std::pair{Combo(1), "Gravis Ultrasound"}, {IDC_GS_PARAM_2, "-gus"}, {Combo(3), ""}, {IDC_GS_PARAM_4, ""}})
        Set(id, text);
    Click(IDC_GS_KIND_MUSIC);
    EXPECT_EQ(Rows(Combo(9)), (Strings{"General MIDI", "Roland MT-32"}));
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
    EXPECT_TRUE(Rows(Combo(5)).empty());
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
    // The program is quoted when its folder has a blank.
    const std::string blank = folder + "\\KEEN GAME";
    CreateDirectoryA(blank.c_str(), nullptr);
    for (const auto& [dir, program] :
         {std::pair{blank, "\"" + blank + "\\KEEN.EXE\""}, std::pair{gameDir, gameDir + "\\KEEN.EXE"}}) {
        SetField(game.path, dir.c_str());
        ASSERT_TRUE(Open());
        EXPECT_EQ(Get(IDC_GS_HELP_COMMAND), "-help");
        Set(IDC_GS_HELP_COMMAND, "/?");
        Click(IDC_GS_EXECUTE);
        EXPECT_EQ(FileText(dir + "\\Commands.bat"), program + " /?\r\npause");
        EXPECT_EQ(Row(ui.calls.back()), (Strings{"Commands.bat", "open", std::to_string(SW_SHOWNORMAL), "", dir}));
    }
    ui.Clear();
    ui.shellResults.push_back(2);
    Click(IDC_GS_EXECUTE);
    ExpectOneMessage(ui, Format(Tr(TextId::CouldNotOpen), (gameDir + "\\Commands.bat").c_str()),
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
    EXPECT_FALSE(Enabled(IDC_GS_EXECUTE)) << "no Command: nothing to ask for help";
}

// A DOS game's own sound setup is named only where its DIG.INI disagrees with the selected set.
TEST_F(GameSettingsDialogTest, TheSoundSetupLine) {
    SetField(game.setup, "(Parameters)");
    SetField(game.soundNames[1], "Gravis UltraSound");
    game.selectedSound = 1;
    const std::tuple<bool, const char*, bool> rows[] = {
        {true, "SBPRO.DIG", true}, {true, "GUS.DIG", false}, {true, nullptr, false}, {false, "SBPRO.DIG", false}};
    for (const auto& [dos, driver, said] : rows) {
        dos ? WriteFileText(gameDir + "\\KEEN.EXE", "x")
            : (void)CopyFileA(ThisProgram().c_str(), (gameDir + "\\KEEN.EXE").c_str(), FALSE);
        DeleteFileA((gameDir + "\\DIG.INI").c_str());
        if (driver) WriteFileText(gameDir + "\\DIG.INI", std::string("DRIVER ") + driver + "\nIO_ADDR 220\n");
        ASSERT_TRUE(Open());
        EXPECT_EQ(Get(IDC_GS_SOUND_MISMATCH).find("DIG.INI chose Sound Blaster Pro, but") == 0, said)
            << Get(IDC_GS_SOUND_MISMATCH);
    }
}

class DosBoxSettingsTest : public DialogTest<DosBoxSettingsDialog> {
protected:
    HWND Open(const GameRecord& g) {
        Make().title = "Keen";
        dialog->game = g;
        return dialog->Create(nullptr);
    }
    GameExtras Stored() const { return ReadGameExtras(dialog->game).extras; }
    bool Same(const GameRecord& g) const { return std::memcmp(&dialog->game, &g, sizeof g) == 0; }
    GameRecord game = MakeGame("Keen", "Apogee", "Platform", "C:\\KEEN", "KEEN.EXE");
};

// Shown and saved again, each value (or none) leaves the record as it was byte for byte.
TEST_F(DosBoxSettingsTest, EachValueGoesRoundUnchanged) {
    const GameExtras rows[] = {{},
                               {ThisProgram(), {}, {}},
                               {"", {CdRomKind::Drive, 'E', {}}, {}},
                               {"", {CdRomKind::Images, 0, {"C:\\CD\\DISC1.ISO", "C:\\CD\\DISC2.cue"}}, {}},
                               {"", {}, {"cpu.cycles=12000", "dosbox.memsize = 32"}}};
    for (const GameExtras& extras : rows) {
        GameRecord g = game;
        WriteGameExtras(g, extras);
        ASSERT_TRUE(Open(g));
        Click(IDOK);
        EXPECT_TRUE(dialog->Result() == IDOK && Same(g)) << extras.cdRom.images.size() << extras.extraLines.size();
    }
}

TEST_F(DosBoxSettingsTest, TheControlsSetEachValue) {
    ASSERT_TRUE(Open(game));
    EXPECT_EQ(win::WindowText(dialog->Handle()), "DOSBox Settings for Keen");
    EXPECT_FALSE(Enabled(IDC_DBX_IMAGE_ADD) || Enabled(IDC_DBX_CD_LETTER));
    ui.fileAnswers = {ThisProgram(), "D:\\CD\\A.ISO", "D:\\CD\\B.CUE", "D:\\CD\\C.ISO", "E:\\D.ISO"};
    Click(IDC_DBX_BROWSE);
    Click(IDC_DBX_CD_IMAGES);
    for (int i = 0; i < 3; ++i) Click(IDC_DBX_IMAGE_ADD);
    SendMessageA(Item(IDC_DBX_IMAGE_LIST), LB_SETCURSEL, 1, 0);
    for (int i = 0; i < 3; ++i) Click(IDC_DBX_IMAGE_REMOVE);  // B, then the one below it (C), then the one above (A)
    Click(IDC_DBX_IMAGE_ADD);
    Strings started;  // the game's folder, then the last disc's
    for (const UiCall& call : ui.Calls(UiCall::File)) started.push_back(call.params);
    EXPECT_EQ(started, (Strings{"", "C:\\KEEN", "D:\\CD", "D:\\CD", "C:\\KEEN"}));
    Set(IDC_DBX_LINES, "cpu.cycles=12000\r\n\r\n  \r\nmixer.rate=22050");
    Click(IDOK);
    const GameExtras set{
        ThisProgram(), {CdRomKind::Images, 0, {"E:\\D.ISO"}}, {"cpu.cycles=12000", "mixer.rate=22050"}};
    EXPECT_TRUE(Stored() == set) << Stored().cdRom.images.size();
    const GameRecord g = dialog->game;
    for (const auto& [radio, cd] :
         {std::pair{IDC_DBX_CD_DRIVE, CdRom{CdRomKind::Drive, 'F', {}}}, std::pair{IDC_DBX_CD_NONE, CdRom{}}}) {
        ASSERT_TRUE(Open(g));
        Set(IDC_DBX_PROGRAM, "");
        Click(radio);
        SendMessageA(Item(IDC_DBX_CD_LETTER), CB_SETCURSEL, 'F' - 'A', 0);
        Click(IDOK);
        EXPECT_TRUE(Stored() == (GameExtras{"", cd, set.extraLines})) << radio;
    }
}

// What the game file cannot take is named, the dialog stays open, a refused line is selected.
TEST_F(DosBoxSettingsTest, RefusalsNameWhatIsWrong) {
    WriteFileText(folder + "\\notes.txt", "MZ");
    const std::tuple<int, std::string, const char*, int> rows[] = {
        // radio, lines or program, message, focus
        {IDC_DBX_CD_NONE, folder + "\\notes.txt", "This is not a program that can serve as DOSBox:\n", IDC_DBX_PROGRAM},
        {IDC_DBX_CD_NONE, "cpu.cy cles=1", "Its key", IDC_DBX_LINES},
        {IDC_DBX_CD_NONE, "cpu.cycles=[1]", "Its value", IDC_DBX_LINES},
        {IDC_DBX_CD_NONE, "cycles 1", "It must read", IDC_DBX_LINES},
        {IDC_DBX_CD_NONE, "cpu.cycles=" + std::string(800, '1'),
         "These DOSBox settings do not fit into the game file: they need 817 bytes, and it holds 756.\n\nPlease take "
         "out at least 61 characters: fewer or shorter extra lines or image paths.",
         IDC_DBX_LINES},
        {IDC_DBX_CD_IMAGES, "", "Please add the disc's image files, or choose another CD-ROM.", IDC_DBX_IMAGE_LIST},
        {IDC_DBX_CD_IMAGES, "C:\\CD\\DISC.BIN", "A disc image must be an .iso or .cue file:\nC:\\CD\\DISC.BIN",
         IDC_DBX_IMAGE_LIST},
        {IDC_DBX_CD_NONE, "cpu.cycles=1\r\nautoexec.mount=c x\r\n",
         "This DOSBox line cannot be used:\nautoexec.mount=c x\n\nIts section, before", IDC_DBX_LINES}};
    for (const auto& [radio, text, said, focus] : rows) {
        ui.Clear();
        ASSERT_TRUE(Open(game));
        Click(radio);
        ui.fileAnswers = {text};
        if (radio == IDC_DBX_CD_IMAGES && !text.empty())
            Click(IDC_DBX_IMAGE_ADD);
        else if (!text.empty())
            Set(text[1] == ':' ? IDC_DBX_PROGRAM : IDC_DBX_LINES, text);
        Click(IDOK);
        ASSERT_EQ(ui.Messages().size(), 1u) << said;
        EXPECT_NE(ui.Messages()[0].text.find(said), std::string::npos) << ui.Messages()[0].text;
        EXPECT_TRUE(!dialog->Ended() && GetFocus() == Item(focus) && Same(game)) << said;
    }
    DWORD first = 0, last = 0;
    SendMessageA(Item(IDC_DBX_LINES), EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(std::make_pair(first, last), std::make_pair(DWORD{14}, DWORD{32}));
}

// A damaged list is cut only when the player agrees; a refused entry is told, then left out.
TEST_F(DosBoxSettingsTest, DamageIsCutOnlyAfterYes) {
    GameRecord damaged = game;
    WriteGameExtras(damaged, GameExtras{"", {}, {"cpu.cycles=1"}});
    damaged.reservedArea[18] = '!';  // the tag after the one entry (6 + 12 bytes)
    for (const int answer : {IDNO, IDYES}) {
        ui.Clear();
        ui.messageAnswers.push_back(answer);
        Open(damaged);
        ASSERT_EQ(ui.Messages().size(), 1u);
        EXPECT_NE(ui.Messages()[0].text.find("damaged from byte 3662 of the file"), std::string::npos);
        EXPECT_EQ(dialog->Ended(), answer == IDNO);
        Click(IDOK);
        EXPECT_TRUE(Same(damaged) == (answer == IDNO));
    }
    EXPECT_EQ(Stored().extraLines, Strings{"cpu.cycles=1"}) << "the entry before the damage stays";
    GameRecord refused = game;
    std::memcpy(refused.reservedArea, "DBXL\x19\0autoexec.x=1\ncpu.cycles=2", 31);
    ui.Clear();
    Open(refused);
    EXPECT_EQ(ui.Messages().size(), 1u);
    Click(IDOK);
    EXPECT_EQ(Stored().extraLines, Strings{"cpu.cycles=2"});
}

class CommandLineDialogTest : public DialogTest<CommandLineDialog> {
protected:
    void SetUp() override {
        game = MakeGame("Keen", "Apogee", "Platform", "C:\\KEEN", "KEEN.EXE");
        const std::pair<char*, const char*> fields[] = {
            {game.setup, "(Parameters)"}, {game.soundNames[0], "Sound Blaster"}, {game.soundParams[0], "-sb"},
            {game.soundNames[2], "Adlib"}, {game.soundParams[2], "-adlib"},      {game.soundNames[4], "ADLIB"},
            {game.soundParams[4], "-second"}, {game.musicNames[7], "General MIDI"}, {game.musicParams[7], "-gm"},
            {game.keyboardParam, "-kbd"}, {game.joystickParam, "-joy"}, {game.egaParam, "-ega"},
            {game.vgaParam, "-vga"}, {game.customName, "Modem"}, {game.customParam, "-modem"}};
        for (const auto& [field, text] : fields) lstrcpyA(field, text);  // all shorter than a parameter field
    }
    HWND Open(const std::string& title = "Keen") {
        Make().title = title;
        dialog->game = game;
        return dialog->Create(nullptr);
    }
    std::string Line() const { return Get(IDC_CL_COMMANDLINE); }
    void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }  // the box's state changes first
    LRESULT Selected(int list) const { return SendMessageA(Item(list), LB_GETCURSEL, 0, 0); }
    void Pick(int list, int item) {  // as the user does: the list tells the dialog
        SendMessageA(Item(list), LB_SETCURSEL, item, 0);
        SendMessageA(dialog->Handle(), WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(list)));
    }
    GameRecord game;
};

TEST_F(CommandLineDialogTest, OpensWithWhatTheGameOffers) {
    game.selectedDisplay = 4;
    game.keyboardOn = 1;
    game.selectedSound = 10;  // damaged: one past the last entry, where the first parameter lies
    SetField(game.soundParams[0], "Sound Blaster");
    ASSERT_TRUE(Open());
    EXPECT_EQ(win::WindowText(dialog->Handle()), "Parameters for Keen");
    Strings sound = Rows(IDC_CL_SOUND);
    ASSERT_EQ(sound.size(), 3u) << "the empty entries are left out";
    EXPECT_EQ(lstrcmpiA(sound[0].c_str(), "adlib") + lstrcmpiA(sound[1].c_str(), "adlib"), 0);
    EXPECT_EQ(sound[2], "Sound Blaster");
    EXPECT_EQ(Selected(IDC_CL_SOUND), LB_ERR);
    EXPECT_EQ(Rows(IDC_CL_MUSIC), (Strings{"General MIDI"}));
    const int buttons[] = {IDC_CL_KEYBOARD, IDC_CL_MOUSE, IDC_CL_JOYSTICK, IDC_CL_VESA,  IDC_CL_VGA,
                           IDC_CL_MCGA,     IDC_CL_EGA,   IDC_CL_CGA,      IDC_CL_TANDY, IDC_CL_CUSTOM};
    std::vector<bool> enabled;
    for (int id : buttons) enabled.push_back(Enabled(id));
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, true, false, true, false, true, false, false, true}));
    EXPECT_TRUE(Ticked(IDC_CL_EGA) && Ticked(IDC_CL_KEYBOARD)) << "display 4 is EGA";
    EXPECT_EQ(Get(IDC_CL_CUSTOM), "Modem");
    EXPECT_EQ(Line(), "KEEN.EXE -ega -kbd ");
    // No Command, no custom device, and a display whose parameter was emptied.
    for (char* field : {game.command, game.customName, game.egaParam}) field[0] = '\0';
    ASSERT_TRUE(Open());
    EXPECT_TRUE(Ticked(IDC_CL_EGA));
    EXPECT_FALSE(Enabled(IDC_CL_EGA) || Enabled(IDC_CL_CUSTOM));
    EXPECT_EQ(Get(IDC_CL_CUSTOM), "Custom Device");
    EXPECT_EQ(Line(), "(Executable) -kbd ");
    EXPECT_FALSE(Open(""));
    EXPECT_EQ(dialog->Result(), IDCANCEL);
}

TEST_F(CommandLineDialogTest, EveryClickChangesTheGameAndTheLine) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(Line(), "KEEN.EXE ");
    for (int id : {IDC_CL_VGA, IDC_CL_JOYSTICK, IDC_CL_CUSTOM}) Click(id);
    Pick(IDC_CL_MUSIC, 0);
    Pick(IDC_CL_SOUND, 2);  // "Sound Blaster"
    const GameRecord& g = dialog->game;
    EXPECT_EQ((std::vector<int>{g.selectedDisplay, g.joystickOn, g.customOn, g.selectedMusic, g.selectedSound}),
              (std::vector<int>{2, 1, 1, 7, 0}));
    EXPECT_EQ(Line(), "KEEN.EXE -vga -joy -sb -gm -modem ");
    for (int item : {0, 1}) {  // equal names in any case select the lower entry
        Pick(IDC_CL_SOUND, item);
        EXPECT_EQ(std::make_pair(g.selectedSound, Selected(IDC_CL_SOUND)), std::make_pair(2, LRESULT{0})) << item;
    }
    Click(IDC_CL_EGA);
    EXPECT_FALSE(Ticked(IDC_CL_VGA));
    Click(IDC_CL_JOYSTICK);
    EXPECT_EQ(Line(), "KEEN.EXE -ega -adlib -gm -modem ");
    Click(IDC_CL_CUSTOM);
    EXPECT_EQ(std::make_pair(g.customOn, Line()), std::make_pair(0, std::string("KEEN.EXE -ega -adlib -gm ")));
    Click(IDC_CL_CLEAR);
    EXPECT_EQ(Line(), "KEEN.EXE ") << "the program text and one space";
    EXPECT_EQ((std::vector<int>{g.selectedDisplay, g.selectedSound, g.selectedMusic,
                                g.keyboardOn + g.mouseOn + g.joystickOn + g.customOn}),
              (std::vector<int>{-1, -1, -1, 0}));
    EXPECT_EQ(Selected(IDC_CL_SOUND) + Selected(IDC_CL_MUSIC), 2 * LB_ERR);
    EXPECT_FALSE(Ticked(IDC_CL_EGA));
}

}  // namespace
