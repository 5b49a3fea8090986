// The Game Settings and Modify commands on a saved game: the questions, the
// config file moved aside, the setup program run directly or through
// VDMSound, and the checks on the names a game file brings.
#include "FakeUi.h"
#include "TestEnv.h"
#include "data/Files.h"
#include "launch/GameSetup.h"
#include "mainwnd/GameSetupCommands.h"
#include "res/CommandLineDialogRes.h"
#include "res/GameSettingsDialogRes.h"
#include "win/Dialog.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

TEST(GameSetupNames, OnlyPlainNamesAndSafeCommandsPass) {
    const std::pair<const char*, bool> plain[] = {
        {"SOUND.CFG", true}, {"setup config.ini", true},  {"..", false},        {"...", false},
        {"", false},         {"..\\AUTOEXEC.BAT", false}, {"SUB/X.CFG", false}, {"C:X.CFG", false},
        {"A*.CFG", false},   {"LINE\nBREAK", false},
    };
    for (const auto& [name, ok] : plain) EXPECT_EQ(IsPlainFileName(name), ok) << name;
    EXPECT_FALSE(IsSafeSetupName("SETUP.BAT&DEL"));
    EXPECT_FALSE(IsSafeSetupName("100%.EXE"));
    EXPECT_TRUE(IsSafeSetupName("SETUP.EXE"));

    struct Case {
        const char *path, *command, *help;
        HelpCommandProblem problem;
    };
    const Case cases[] = {
        {"C:\\GAMES\\KEEN", "KEEN.EXE", "-help", HelpCommandProblem::None},
        {"C:\\GAMES\\KEEN", "BIN\\KEEN.EXE", "/?", HelpCommandProblem::None},
        {"C:\\GAMES\\A&B", "KEEN.EXE", "-help", HelpCommandProblem::UnsafePath},
        {"C:\\GAMES\\KEEN", "KEEN.EXE|FORMAT", "-help", HelpCommandProblem::UnsafeCommand},
        {"C:\\GAMES\\KEEN", "..\\..\\WINDOWS\\REGEDIT.EXE", "", HelpCommandProblem::UnsafeCommand},
        {"C:\\GAMES\\KEEN", "D:EVIL.EXE", "", HelpCommandProblem::UnsafeCommand},
        {"C:\\GAMES\\KEEN", "KEEN.EXE", "-h\r\ndel *.*", HelpCommandProblem::UnsafeHelp},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckHelpCommand(c.path, c.command, c.help), c.problem) << c.command;
}

class GameSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = MakeTempFolder("gamesetup");
        gameDir = folder + "\\GAME";
        CreateDirectoryA(gameDir.c_str(), nullptr);
        current.path = folder + "\\Keen.qgf";
        current.record = MakeGame("Keen", "Apogee", "Platform", gameDir, "KEEN.EXE");
        current.record.options = 0;
        current.loaded = true;
        vdm.launchFile = "C:\\VDMS\\VDMSRun.bat";
    }
    void TearDown() override { RemoveTree(folder); }
    void Save() { WriteGame(current.path, current.record); }
    GameRecord Saved() const {
        GameRecord g{};
        EXPECT_EQ(ReadGameRecord(current.path, g), GameFileStatus::Ok);
        return g;
    }
    GameSetupContext Context() {
        GameSetupContext c;
        c.title = "Keen";
        c.game = &current;
        c.dataIni = &ini;
        c.vdm = &vdm;
        c.showPathItem = [this] { pathItemShownAfter = ui.calls.size() + 1; };
        return c;
    }
    std::string LastMessage() const { return ui.Messages().empty() ? "" : ui.Messages().back().text; }
    // A modal dialog run: expects that template, creates it, lets |act| work on
    // it and returns its result.
    void Script(int templateId, std::function<void(HWND)> act) {
        ui.modalScripts.push_back([templateId, act](win::Dialog& d, HWND owner) -> INT_PTR {
            EXPECT_EQ(d.TemplateId(), templateId);
            HWND h = d.Create(owner);
            if (!h) return IDCANCEL;
            act(h);
            return d.Result();
        });
    }
    static void Press(HWND h, int id) { SendMessageA(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    FakeUi ui;
    std::string folder, gameDir;
    CurrentGame current;
    IniFile ini;
    VdmSoundInstall vdm;
    size_t pathItemShownAfter = 0;
};

TEST_F(GameSetupTest, ANewGameConfiguredForParametersGoesOnToTheCommandLine) {
    Save();
    ui.messageAnswers.push_back(IDNO);
    GameSetupOutcome out = RunGameSetup(Context());
    EXPECT_EQ(ui.Messages()[0].text,
              "The game has not been configured to setup externally.\n\nWould you like to modify the setup "
              "configuration?");
    EXPECT_EQ(ui.Messages()[0].flags, static_cast<unsigned>(MB_YESNO | MB_ICONSTOP));
    EXPECT_EQ(ui.Messages()[0].caption, "Keen");
    EXPECT_TRUE(ui.Calls(UiCall::Modal).empty());
    EXPECT_FALSE(out.refreshRow);

    ui.messageAnswers.push_back(IDYES);
    Script(IDD_GAMESETTINGS, [](HWND h) {
        Press(h, IDC_GS_MODE_PARAMETERS);
        SetDlgItemTextA(h, IDC_GS_VGA, "-vga");
        Press(h, IDOK);
    });
    Script(IDD_COMMANDLINE, [](HWND h) {
        SendMessageA(GetDlgItem(h, IDC_CL_VGA), BM_CLICK, 0, 0);
        Press(h, IDOK);
    });
    out = RunGameSetup(Context());
    EXPECT_EQ(ui.Calls(UiCall::Modal).size(), 2u);
    EXPECT_TRUE(out.refreshRow);
    EXPECT_FALSE(out.unsaved);
    GameRecord g = Saved();
    EXPECT_EQ(FieldText(g.setup), "(Parameters)");
    EXPECT_EQ(FieldText(g.vgaParam), "-vga");
    EXPECT_EQ(g.selectedDisplay, 2) << "the command line dialog's Close saved the selection";
}

TEST_F(GameSetupTest, TheConfigFileIsMovedAsideOnceAndNothingIsLost) {
    SetField(current.record.configFile, "SOUND.CFG");
    WriteFileText(gameDir + "\\SOUND.CFG", "new settings");
    RunGameSetup(Context());
    EXPECT_EQ(LastMessage(),
              "A config file has been specified for removal to activate the games' internal setup screen.\n\nThe "
              "config file 'SOUND.CFG' has just been deleted.\nRun the game to configure it.");
    EXPECT_EQ(ui.Messages().back().flags, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
    EXPECT_FALSE(FileExists(gameDir + "\\SOUND.CFG"));
    EXPECT_EQ(ReadFileBytes(gameDir + "\\SOUND.CFG.bak").size(), 12u);

    // Pressed again before the game ran.
    RunGameSetup(Context());
    EXPECT_NE(LastMessage().find("The config file 'SOUND.CFG' did not exist.\nRun the game"), std::string::npos);

    // The game wrote a new one: the old backup stays and so does this one.
    WriteFileText(gameDir + "\\SOUND.CFG", "newer");
    RunGameSetup(Context());
    EXPECT_EQ(ReadFileBytes(gameDir + "\\SOUND.CFG.bak").size(), 12u);
    EXPECT_EQ(ReadFileBytes(gameDir + "\\SOUND.CFG.2.bak").size(), 5u);
    EXPECT_NE(LastMessage().find("moved aside as 'SOUND.CFG.2.bak'"), std::string::npos) << LastMessage();

    // A file that cannot be renamed (held open without sharing) is reported as such.
    WriteFileText(gameDir + "\\SOUND.CFG", "held");
    HANDLE held = CreateFileA((gameDir + "\\SOUND.CFG").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RunGameSetup(Context());
    CloseHandle(held);
    EXPECT_TRUE(FileExists(gameDir + "\\SOUND.CFG"));
    EXPECT_NE(LastMessage().find("could not be moved aside"), std::string::npos) << LastMessage();
    EXPECT_EQ(LastMessage().find("deleted"), std::string::npos);
    EXPECT_EQ(ui.Messages().back().flags, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty()) << "the game itself is not started";
}

TEST_F(GameSetupTest, AConfigFileOutsideTheFolderIsNeverRenamed) {
    WriteFileText(folder + "\\VICTIM.CFG", "keep");
    for (const char* hostile : {"..\\VICTIM.CFG", "..", "C:..\\VICTIM.CFG", "../VICTIM.CFG"}) {
        SetField(current.record.configFile, hostile);
        RunGameSetup(Context());
        EXPECT_NE(LastMessage().find("is not a file name in the game folder"), std::string::npos) << hostile;
    }
    EXPECT_TRUE(FileExists(folder + "\\VICTIM.CFG"));
    EXPECT_FALSE(FileExists(folder + "\\VICTIM.CFG.bak"));
    EXPECT_TRUE(FolderExists(gameDir));

    // A missing folder: the details bar shows the Path item, then the message.
    SetField(current.record.configFile, "SOUND.CFG");
    SetField(current.record.path, (folder + "\\GONE").c_str());
    ui.Clear();
    RunGameSetup(Context());
    EXPECT_EQ(pathItemShownAfter, 1u);
    EXPECT_EQ(LastMessage(), "Please locate the game path...");
}

TEST_F(GameSetupTest, TheSetupProgramRunsDirectlyOrThroughVdmSound) {
    SetField(current.record.setup, "SETUP.EXE");
    WriteFileText(gameDir + "\\SETUP.EXE", "x");
    GameSetupOutcome out = RunGameSetup(Context());
    ASSERT_EQ(ui.Calls(UiCall::Execute).size(), 1u);
    UiCall run = ui.Calls(UiCall::Execute)[0];
    EXPECT_EQ((std::vector<std::string>{run.caption, run.text, run.params, run.dir}),
              (std::vector<std::string>{"open", "SETUP.EXE", "", gameDir}));
    EXPECT_TRUE(out.refreshRow);

    // VDMSound found and Options 1: through its launch file.
    vdm.available = true;
    current.record.options = 1;
    ui.shellResults.push_back(31);
    RunGameSetup(Context());
    run = ui.Calls(UiCall::Execute).back();
    EXPECT_EQ((std::vector<std::string>{run.text, run.params, run.dir}),
              (std::vector<std::string>{vdm.launchFile, "SETUP.EXE", gameDir}));
    EXPECT_EQ(LastMessage(), "Could not open " + gameDir + "\\SETUP.EXE\nPlease verify the settings.");

    // Options 2 runs directly even with VDMSound; a Spanish failure names no file.
    current.record.options = 2;
    GameSetupContext spanish = Context();
    spanish.spanish = true;
    ui.shellResults.push_back(2);
    RunGameSetup(spanish);
    EXPECT_EQ(ui.Calls(UiCall::Execute).back().text, "SETUP.EXE");
    EXPECT_EQ(LastMessage(), "No se puede abrir. Por favor verifique las opciones.");

    // A setup name that leaves the folder or carries batch syntax is never run.
    ui.Clear();
    for (const char* hostile : {"..\\SETUP.EXE", "SETUP.EXE&DEL"}) {
        SetField(current.record.setup, hostile);
        RunGameSetup(Context());
    }
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty());
    EXPECT_EQ(ui.Messages().size(), 2u);
}

TEST_F(GameSetupTest, MissingFolderAndSetupProgramAreAskedForAndSaved) {
    SetField(current.record.setup, "INSTALL.EXE");
    SetField(current.record.path, (folder + "\\MOVED").c_str());
    current.record.options = 1;
    vdm.available = true;
    Save();
    const std::string other = folder + "\\OTHER";
    CreateDirectoryA(other.c_str(), nullptr);
    WriteFileText(other + "\\SETUP.COM", "x");
    ui.messageAnswers.push_back(IDYES);
    ui.folderAnswers.push_back(gameDir);
    ui.fileAnswers.push_back(other + "\\SETUP.COM");
    RunGameSetup(Context());
    EXPECT_EQ(ui.Messages()[0].text,
              "Cannot find the folder " + folder + "\\MOVED\n\nWould you like to find its proper location?");
    EXPECT_EQ(ui.Calls(UiCall::Folder)[0].text, "Select the game path...");
    ASSERT_EQ(ui.Calls(UiCall::File).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::File)[0].params, gameDir) << "the folder just chosen";
    GameRecord g = Saved();
    EXPECT_EQ(FieldText(g.path), other) << "the setup program's folder becomes the Path";
    EXPECT_EQ(FieldText(g.setup), "SETUP.COM");
    ASSERT_EQ(ui.Calls(UiCall::Execute).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Execute)[0].params, "SETUP.COM");
    EXPECT_EQ(ui.Calls(UiCall::Execute)[0].dir, other);
}

TEST_F(GameSetupTest, ParametersInAnyCaseOpenTheCommandLineDialog) {
    SetField(current.record.setup, "(parameters)");
    SetField(current.record.mouseParam, "-m");
    Save();
    // Closed with the close box: the selection stays in memory only.
    Script(IDD_COMMANDLINE, [](HWND h) {
        SendMessageA(GetDlgItem(h, IDC_CL_MOUSE), BM_CLICK, 0, 0);
        Press(h, IDCANCEL);
    });
    GameSetupOutcome out = RunGameSetup(Context());
    EXPECT_TRUE(out.unsaved);
    EXPECT_EQ(current.record.mouseOn, 1);
    EXPECT_EQ(Saved().mouseOn, 0);
}

TEST_F(GameSetupTest, ModifySavesOnOkAndKeepsABrowsedFolderOnCancel) {
    Save();
    Script(IDD_GAMESETTINGS, [](HWND h) {
        SetDlgItemTextA(h, IDC_GS_CONFIG, "GAME.CFG");
        Press(h, IDOK);
    });
    GameSetupOutcome out = ModifyGameSettings(Context());
    EXPECT_TRUE(out.refreshRow);
    EXPECT_EQ(FieldText(Saved().configFile), "GAME.CFG");

    ui.fileAnswers.push_back(std::string("D:\\ELSEWHERE\\GAME.CFG"));
    Script(IDD_GAMESETTINGS, [](HWND h) {
        Press(h, IDC_GS_BROWSE_CONFIG);
        Press(h, IDCANCEL);
    });
    out = ModifyGameSettings(Context());
    EXPECT_FALSE(out.refreshRow);
    EXPECT_TRUE(out.unsaved);
    EXPECT_EQ(FieldText(current.record.path), "D:\\ELSEWHERE");
    EXPECT_EQ(FieldText(Saved().path), gameDir);

    // A game that cannot be saved says so.
    current.loaded = false;
    Script(IDD_GAMESETTINGS, [](HWND h) { Press(h, IDOK); });
    out = ModifyGameSettings(Context());
    ASSERT_EQ(LastMessage(), "There was an error saving the game file!");
    EXPECT_EQ(ui.Messages().back().caption, current.path);
    EXPECT_TRUE(out.unsaved);

    GameSetupContext none = Context();
    none.title.clear();
    ui.Clear();
    ModifyGameSettings(none);
    RunGameSetup(none);
    EXPECT_TRUE(ui.calls.empty()) << "no game selected: nothing happens";
}

}  // namespace
