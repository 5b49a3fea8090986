// The Game Settings and Modify commands on a saved game, and the checks on the names a game file brings.
#include "DialogProbe.h"
#include "Groups.h"
#include "UiRows.h"
#include "data/Files.h"
#include "data/GameExtras.h"
#include "launch/GameSetup.h"
#include "mainwnd/GameSetupCommands.h"
#include "res/CommandLineDialogRes.h"
#include "res/DosBoxSettingsDialogRes.h"
#include "res/GameSettingsDialogRes.h"
#include "win/Dialog.h"
#include "win/Texts.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

TEST(GameSetupNames, NamesStayInTheFolderAndBatchSyntaxStaysOutOfBatchFiles) {
    using P = SetupNameProblem;
    ExpectGroups<P>({{P::None, {"SETUP.EXE", "SUB\\SETUP.EXE", "MY SETUP.EXE"}},
                     {P::BatchSyntax, {"C;x.BAT", "A&B.EXE"}},
                     {P::LeavesFolder, {"..\\SETUP.EXE", "CON"}}},
                    [](const std::string& setup) { return CheckSetupName(setup, true); });
    ExpectGroups<P>({{P::None, {"C;x.EXE"}}, {P::BatchSyntax, {"C;x.BAT"}}},  // run directly
                    [](const std::string& setup) { return CheckSetupName(setup, false); });
    using H = HelpCommandProblem;
    ExpectGroups<H>({{H::None, {"BIN\\KEEN.EXE", "A&B.EXE"}}, {H::UnsafeCommand, {"..\\REGEDIT.EXE", ""}}},
                    [](const std::string& command) { return CheckHelpCommand(command, "/?"); });
    EXPECT_EQ(CheckHelpCommand("KEEN.EXE", "-h\r\ndel *.*"), H::UnsafeHelp);
    ExpectGroups<bool>({{true, {"C:\\MY GAMES\\KEEN", "C:\\KEEN"}},
                        {false, {"C:\\A&B", "C:\\100%", "C:\\A^B", "C:\\A,B", "C:\\A\nB"}}},
                       [](const std::string& path) { return FitsCommandsBatch(path, "KEEN.EXE"); });
    EXPECT_EQ(CommandsBatchContent("C:\\MY GAMES\\KEEN", "KEEN.EXE", "-help"),
              "\"C:\\MY GAMES\\KEEN\\KEEN.EXE\" -help\r\npause");
}

class GameSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        gameDir = folder + "\\GAME";
        CreateDirectoryA(gameDir.c_str(), nullptr);
        current = {MakeGame("Keen", "Apogee", "Platform", gameDir, "KEEN.EXE"), folder + "\\Keen.qgf", true};
        current.record.options = 0;
        vdm.launchFile = "C:\\VDMS\\VDMSRun.bat";
    }
    void Save() { WriteGame(current.path, current.record); }
    GameRecord Saved() const {
        GameRecord g{};
        EXPECT_EQ(ReadGameRecord(current.path, g), GameFileStatus::Ok);
        return g;
    }
    GameSetupContext Context() {
        GameSetupContext c;
        c.title = "Keen", c.game = &current, c.dataIni = &ini, c.facts.vdm = vdm;
        return c;
    }
    std::string LastMessage() const { return ui.Messages().empty() ? "" : ui.Messages().back().text; }
    bool LastMessageHas(const std::string& text) const { return LastMessage().find(text) != std::string::npos; }
    // The next modal dialog must be |templateId|; it is created and |act| works on it.
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
    TempFolder temp{"gamesetup"};
    const std::string& folder = temp.path;
    std::string gameDir;
    CurrentGame current;
    IniFile ini;
    VdmSoundInstall vdm;
};

// A game without a setup asks first; the command line dialog follows: Close saves, the close box does not.
TEST_F(GameSetupTest, ANewGameConfiguredForParametersGoesOnToTheCommandLine) {
    Save();
    ui.messageAnswers.push_back(IDNO);
    EXPECT_FALSE(RunGameSetup(Context()).refreshRow);
    ASSERT_EQ(ui.calls.size(), 1u) << "no dialog after No";
    EXPECT_EQ(ui.calls[0].flags, static_cast<unsigned>(MB_YESNO | MB_ICONSTOP));
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
    GameSetupOutcome out = RunGameSetup(Context());
    EXPECT_EQ(ui.Calls(UiCall::Modal).size(), 2u);
    EXPECT_TRUE(out.refreshRow && !out.unsaved);
    GameRecord g = Saved();
    EXPECT_EQ((Strings{g.setup, g.vgaParam, std::to_string(g.selectedDisplay)}), (Strings{"(Parameters)", "-vga", "2"}))
        << "the command line dialog's Close saved the selection";
    SetField(current.record.setup, "(parameters)");  // in any case
    SetField(current.record.mouseParam, "-m");
    Script(IDD_COMMANDLINE, [](HWND h) {
        SendMessageA(GetDlgItem(h, IDC_CL_MOUSE), BM_CLICK, 0, 0);
        Press(h, IDCANCEL);
    });
    EXPECT_TRUE(RunGameSetup(Context()).unsaved);
    EXPECT_EQ((std::vector<int>{current.record.mouseOn, Saved().mouseOn}), (std::vector<int>{1, 0}))
        << "the close box keeps the change in memory only";
}

TEST_F(GameSetupTest, TheConfigFileIsMovedAsideOnceAndNothingIsLost) {
    SetField(current.record.configFile, "SOUND.CFG");
    WriteFileText(gameDir + "\\SOUND.CFG", "new settings");
    RunGameSetup(Context());
    EXPECT_TRUE(LastMessageHas("The config file 'SOUND.CFG' has just been deleted.")) << LastMessage();
    EXPECT_FALSE(FileExists(gameDir + "\\SOUND.CFG"));
    EXPECT_EQ(FileText(gameDir + "\\SOUND.CFG.bak"), "new settings");
    RunGameSetup(Context());  // pressed again before the game ran
    EXPECT_TRUE(LastMessageHas("The config file 'SOUND.CFG' did not exist.\nRun the game")) << LastMessage();
    WriteFileText(gameDir + "\\SOUND.CFG", "newer");  // the game wrote a new one: both backups stay
    RunGameSetup(Context());
    EXPECT_EQ(FileText(gameDir + "\\SOUND.CFG.bak") + "|" + FileText(gameDir + "\\SOUND.CFG.2.bak"),
              "new settings|newer");
    EXPECT_TRUE(LastMessageHas("moved aside as 'SOUND.CFG.2.bak'")) << LastMessage();
    WriteFileText(gameDir + "\\SOUND.CFG", "held");
    HANDLE held = CreateFileA((gameDir + "\\SOUND.CFG").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RunGameSetup(Context());
    CloseHandle(held);
    EXPECT_TRUE(FileExists(gameDir + "\\SOUND.CFG"));
    EXPECT_TRUE(LastMessageHas("could not be moved aside") && !LastMessageHas("deleted")) << LastMessage();
    EXPECT_EQ(ui.calls.back().flags, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty()) << "the game itself is not started";
    WriteFileText(folder + "\\VICTIM.CFG", "keep");
    for (const char* config : {"..\\VICTIM.CFG", "CON", "AUX.cfg"}) {
        SetField(current.record.configFile, config);
        RunGameSetup(Context());
        EXPECT_TRUE(LastMessageHas("is not a file in the game folder")) << LastMessage();
    }
    EXPECT_TRUE(FileExists(folder + "\\VICTIM.CFG") && !FileExists(folder + "\\VICTIM.CFG.bak"));
}

TEST_F(GameSetupTest, TheSetupProgramRunsDirectlyOrThroughVdmSound) {
    SetField(current.record.setup, "SETUP.EXE");
    WriteFileText(gameDir + "\\SETUP.EXE", "x");
    EXPECT_TRUE(RunGameSetup(Context()).refreshRow);
    EXPECT_EQ(Row(ui.calls.at(0)), (Strings{"SETUP.EXE", "open", std::to_string(SW_SHOWNORMAL), "", gameDir}));
    vdm.available = true;  // VDMSound found and Options 1: through its launch file
    current.record.options = 1;
    RunGameSetup(Context());
    EXPECT_EQ(Row(ui.calls.at(1)),
              (Strings{vdm.launchFile, "open", std::to_string(SW_SHOWNORMAL), "SETUP.EXE", gameDir}));
    // A failed start by route and language; a program gone is not started; Options 2 runs directly.
    const std::string full = gameDir + "\\SETUP.EXE", gone = gameDir + "\\GONE.EXE";
    const struct {
        int options;
        Language language;
        TextId said;
        std::string named;
    } failures[] = {{1, Language::Spanish, TextId::CouldNotOpen, full},
                    {2, Language::Spanish, TextId::CouldNotOpenSetup, "SETUP.EXE"},
                    {1, Language::English, TextId::CouldNotExecuteSetup, gone}};
    for (const auto& f : failures) {
        current.record.options = f.options;
        const bool goes = f.said == TextId::CouldNotExecuteSetup;
        SetField(current.record.setup, goes ? "GONE.EXE" : "SETUP.EXE");
        if (goes)
            ui.fileAnswers.push_back(gone);  // picked, and gone before the start
        else
            ui.shellResults.push_back(31);
        SetLanguage(f.language);
        EXPECT_EQ(RunGameSetup(Context()).refreshRow, !goes);
        SetLanguage(Language::English);
        EXPECT_EQ(LastMessage(), Format(Tr(f.said, f.language), f.named.c_str())) << f.options;
    }
    CreateDirectoryA((gameDir + "\\SUB DIR").c_str(), nullptr);
    WriteFileText(gameDir + "\\SUB DIR\\SETUP.EXE", "x");
    SetField(current.record.setup, "SUB DIR\\SETUP.EXE");
    current.record.options = 1;
    RunGameSetup(Context());
    EXPECT_EQ(ui.Calls(UiCall::Execute).back().params, "\"SUB DIR\\SETUP.EXE\"");
    ui.Clear();  // a setup name that leaves the folder or carries batch syntax into a batch is never run
    WriteFileText(gameDir + "\\C;x.BAT", "x");
    ui.fileAnswers.push_back(gameDir + "\\C;x.BAT");  // picked for a missing one
    for (const char* hostile : {"..\\SETUP.EXE", "SETUP.EXE&DEL", "C;x.BAT", "COM1", "MISSING.EXE"}) {
        SetField(current.record.setup, hostile);
        RunGameSetup(Context());
    }
    EXPECT_EQ(ui.Messages().size(), 5u);
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty());
    EXPECT_EQ(FieldText(current.record.setup), "MISSING.EXE") << "a refused pick is not stored";
    SetField(current.record.setup, "SETUP.EXE");
    GameSetupContext inDosBox = Context();
    DosBoxFacts& dosBox = inDosBox.facts.dosBox;
    dosBox.mode = DosBoxMode::Always;
    dosBox.configFolder = folder + "\\Conf";
    dosBox.program = gameDir + "\\GONE.EXE";  // DOSBox missing: told, and the row refreshed all the same
    ui.Clear();
    EXPECT_TRUE(RunGameSetup(inDosBox).refreshRow);
    EXPECT_EQ(ui.Messages().size(), 1u);
    dosBox.program = gameDir + "\\SETUP.EXE";  // an existing file stands for DOSBox
    ui.Clear();
    EXPECT_TRUE(RunGameSetup(inDosBox).refreshRow);
    EXPECT_EQ(ui.calls.size() == 1 ? ui.calls[0].kind : UiCall::Exit, UiCall::Start);
    EXPECT_NE(FileText(folder + "\\Conf\\launch1.conf").find(":\r\n.\\SETUP.EXE\r\nexit\r\n"), std::string::npos);
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
    EXPECT_EQ(ui.Calls(UiCall::File).at(0).params, gameDir) << "the folder just chosen";
    GameRecord g = Saved();
    EXPECT_EQ((Strings{g.path, g.setup}), (Strings{other, "SETUP.COM"})) << "the program's folder becomes the Path";
    EXPECT_EQ(Row(ui.calls.back()),
              (Strings{vdm.launchFile, "open", std::to_string(SW_SHOWNORMAL), "SETUP.COM", other}));
}

TEST_F(GameSetupTest, ModifySavesOnOkAndKeepsABrowsedFolderOnCancel) {
    Save();
    Script(IDD_GAMESETTINGS, [](HWND h) {
        SetDlgItemTextA(h, IDC_GS_CONFIG, "DATA\\GAME.CFG");  // a subfolder is fine
        Press(h, IDOK);
    });
    EXPECT_TRUE(ModifyGameSettings(Context()).refreshRow);
    EXPECT_EQ(FieldText(Saved().configFile), "DATA\\GAME.CFG");
    ui.fileAnswers.push_back(std::string("D:\\ELSEWHERE\\GAME.CFG"));
    Script(IDD_GAMESETTINGS, [](HWND h) {
        Press(h, IDC_GS_BROWSE_CONFIG);
        Press(h, IDCANCEL);
    });
    GameSetupOutcome out = ModifyGameSettings(Context());
    EXPECT_TRUE(!out.refreshRow && out.unsaved);
    EXPECT_EQ((Strings{current.record.path, Saved().path}), (Strings{"D:\\ELSEWHERE", gameDir}));
    current.loaded = false;  // a game that cannot be saved says so
    Script(IDD_GAMESETTINGS, [](HWND h) { Press(h, IDOK); });
    EXPECT_TRUE(ModifyGameSettings(Context()).unsaved);
    EXPECT_EQ(Row(ui.calls.back()), MessageRow("There was an error saving the game file!", current.path, MB_OK));
}

// The DOSBox settings are saved only through both OKs; a game without any keeps its bytes.
TEST_F(GameSetupTest, DosBoxSettingsReachTheFileOnlyThroughBothOks) {
    Save();
    const std::vector<char> before = ReadFileBytes(current.path);
    auto modify = [this](const std::string& lines, int dosBoxAnswer, int answer) {
        Script(IDD_GAMESETTINGS, [answer](HWND h) {
            Press(h, IDC_GS_DOSBOX);
            Press(h, answer);
        });
        Script(IDD_DOSBOXSETTINGS, [lines, dosBoxAnswer](HWND h) {
            SetDlgItemTextA(h, IDC_DBX_LINES, lines.c_str());
            Press(h, dosBoxAnswer);
        });
        return ModifyGameSettings(Context());
    };
    const std::tuple<const char*, int, int> unchanged[] = {
        {"", IDOK, IDOK}, {"cpu.cycles=3000", IDOK, IDCANCEL}, {"cpu.cycles=3000", IDCANCEL, IDOK}};
    for (const auto& [lines, dosBox, settings] : unchanged) {
        modify(lines, dosBox, settings);
        EXPECT_EQ(ReadFileBytes(current.path), before) << lines << dosBox << settings;
    }
    modify("cpu.cycles=3000", IDOK, IDOK);
    EXPECT_EQ(ReadGameExtras(Saved()).extras.extraLines, Strings{"cpu.cycles=3000"});
}

}  // namespace
