// The main window's menu, keys and shell commands, the background hues, and deleting a game.
#include "MainWindowFixture.h"
#include "MessageTexts.h"
#include "data/Files.h"
#include "res/AboutDialogRes.h"
#include "res/ManageEntriesDialogRes.h"
#include "res/VdmSoundDialogRes.h"
#include "res/resource.h"
#include "state/Settings.h"
#include "win/Texts.h"
#include "win/TreeView.h"
#include <tuple>

namespace {

using Strings = std::vector<std::string>;

class MenuTest : public MainWindowFixture {
protected:
    void Key(WPARAM key) {
        MSG msg{List().Handle(), WM_KEYDOWN, key, 0, 0, {0, 0}};
        window->PreTranslate(msg);
        PumpMessages();
    }
};

// Run Game and Delete follow the selection; the rest of the menu is the .rc's.
TEST_F(MenuTest, GameCommandsAreGreyedWithoutASelection) {
    AddGame(MakeGame("One"));
    Start();
    for (bool selected : {true, false}) {
        selected ? ClickRow(0) : ClickColumn(0);
        Repaint();
        for (UINT id : {IDM_RUNGAME, IDM_DELETEGAME})
            EXPECT_EQ(!(GetMenuState(GetMenu(Hwnd()), id, MF_BYCOMMAND) & MF_GRAYED), selected) << id;
    }
}

TEST_F(MenuTest, ShellCommandsAndTheirFailures) {
    Start();
    const std::string farstep = "http://www.farstep.net/quillon/", vdms = "http://sourceforge.net/projects/vdmsound/";
    const std::tuple<int, std::string, std::string, std::string, unsigned> cases[] = {  // file, folder, failure, show
        {IDM_GAMESFOLDER, folder + "\\Games", "", "Error! Could not locate " + folder + "\\Games!", SW_SHOWNORMAL},
        {IDM_WEBSITE, farstep, "", "Could not open the Farstep web site\n" + farstep, SW_SHOWNORMAL},
        {IDM_EDITDATAINI, folder + "\\Data.ini", "", "Could not locate Data.ini!", SW_SHOWNORMAL},
        {IDM_VDMSWEB, vdms, "", "Could not open the VDMSound web site\n" + vdms, SW_SHOWNORMAL},
        {IDM_HELPTOPICS, "Quillon.chm", folder, "Could not run the help file!", SW_SHOWMAXIMIZED}};
    for (const auto& [command, file, dir, failure, show] : cases) {
        ui.Clear();
        ui.shellResults = {42, 32};  // the second run fails
        Command(command);
        Command(command);
        const auto runs = ui.Calls(UiCall::Execute);
        ASSERT_EQ(runs.size(), 2u) << file;
        EXPECT_EQ(std::tie(runs[0].text, runs[0].caption, runs[0].dir, runs[0].flags),
                  std::make_tuple(file, "open", dir, show));
        EXPECT_EQ(MessageTexts(ui), Strings{failure});
    }
    // Without VDMSound its three commands only say where to get it.
    ui.Clear();
    for (int command : {IDM_EDITVDMSINI, IDM_VDMSHELP, IDM_VDMSSETTINGS}) Command(command);
    EXPECT_EQ(ui.calls.size(), 3u) << "nothing run, no dialog";
    EXPECT_EQ(MessageTexts(ui), Strings(3, "VDMSound cannot be found. \nPlease download VDMSound from\n" + vdms));
    // The VDMSound page comes from Data.ini: only a web address reaches the shell.
    WriteFileText(folder + "\\Data.ini", "[Misc]\r\nVDMSoundWeb=C:\\WINDOWS\\evil.bat\r\n");
    Command(IDM_RELOADDATA);
    ui.Clear();
    Command(IDM_VDMSWEB);
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0].text, Format(Tr(TextId::VdmSoundWebFailed), "C:\\WINDOWS\\evil.bat"));
}

TEST_F(MenuTest, DialogCommandsOpenTheirDialogs) {
    GameRecord lost = MakeGame("Lost", "p", "c", "C:\\Nowhere", "LOST.EXE");
    SetField(lost.configFile, "SOUND.CFG");
    AddGame(lost);
    Start();
    Command(IDM_SEARCHGAME);
    EXPECT_EQ(MessageTexts(ui), Strings{Tr(TextId::SelectGameFirst)});
    ClickRow(0);
    SendMessageA(Hwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);  // the menu's dialogs are the end-to-end test's
    PumpMessages();
    Command(IDM_MANAGEENTRIES);
    ASSERT_EQ(ui.Calls(UiCall::Modal).size(), 2u);
    EXPECT_EQ(ui.Calls(UiCall::Modal)[0].dialogId, IDD_ABOUTBOX);
    EXPECT_EQ(ui.Calls(UiCall::Modal)[1].dialogId, IDD_MANAGEENTRIES);
    // Game Settings on its missing folder shows the details bar's Path item first.
    ui.Clear();
    Command(IDC_GAMESETTINGS);
    EXPECT_EQ(MessageTexts(ui), Strings{"Please locate the game path..."});
    win::TreeView tree(GetDlgItem(GetDlgItem(Hwnd(), IDC_DETAILSBAR), IDC_DETAILS_TREE));
    LPARAM shown = -1;
    EXPECT_TRUE(tree.Param(tree.Selected(), shown) && shown == DetailsBar::kPath);
    // With VDMSound, its settings dialog opens and its files open from its folder; a failure names it.
    Discard();
    const std::string vdm = folder + "\\NoVDMSound\\";
    CreateDirectoryA(vdm.c_str(), nullptr);
    WriteFileText(vdm + "LaunchPad.dll", "");
    WriteFileText(vdm + "VDMS.INI", "[sb]\r\n");
    ui.Clear();
    Start();
    ui.shellResults = {2, 2};
    for (int command : {IDM_VDMSSETTINGS, IDM_EDITVDMSINI, IDM_VDMSHELP}) Command(command);
    ASSERT_EQ(ui.calls.size(), 5u);
    EXPECT_EQ(ui.calls[0].dialogId, IDD_VDMSOUND);
    EXPECT_EQ(ui.calls[1].text, vdm + "Vdms.ini");
    EXPECT_EQ(ui.calls[3].text, vdm + "VDMConfig.hlp");
    EXPECT_EQ(MessageTexts(ui), (Strings{"Could not locate the VDMS.INI file at location:\n" + vdm,
                                         "Could not locate the VDMConfig.hlp file at location:\n" + vdm}));
}

TEST_F(MenuTest, BackgroundHuesAndF9AreStored) {
    Start();
    auto stored = [] {
        DWORD value = 99;
        ReadSettingValue("Background", value);
        return value;
    };
    for (const auto& [command, value] :
         {std::pair{IDM_BACK_RED, 0u}, {IDM_BACK_GREEN, 1u}, {IDM_BACK_BLUE, 2u}, {IDM_BACK_GREY, 3u}}) {
        Command(command);
        EXPECT_EQ(stored(), value);
    }
    std::vector<int> seen(4, 0);
    for (int i = 0; i < 40; ++i) {
        WriteSettingValue("Background", 99);
        Key(VK_F9);
        ASSERT_LT(stored(), 4u) << "each choice is stored";
        ++seen[stored()];
    }
    for (int hue = 0; hue < 4; ++hue) EXPECT_GT(seen[hue], 0) << hue;
}

TEST_F(MenuTest, DeletingAGame) {
    for (const char* name : {"Keep", "Locked", "Gone"}) AddGame(MakeGame(name));
    Start();
    Command(IDM_DELETEGAME);
    EXPECT_EQ(MessageTexts(ui), Strings{Tr(TextId::SelectGameFirst)});
    ClickRow(0);  // "Gone"
    ui.Clear();
    Key(VK_DELETE);  // answered No
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(std::make_tuple(ui.Messages()[0].text, ui.Messages()[0].caption, ui.Messages()[0].flags),
              std::make_tuple("Are you sure you want to delete Gone?", "Confirm Deletion", unsigned{MB_YESNO | MB_ICONQUESTION}));
    EXPECT_TRUE(FileExists(GamePath("Gone")) && List().Count() == 3);
    ui.messageAnswers = {IDYES};
    Command(IDM_DELETEGAME);
    EXPECT_FALSE(FileExists(GamePath("Gone")));
    EXPECT_EQ(Column(0), (Strings{"Keep", "Locked"}));
    SetFileAttributesA(GamePath("Locked").c_str(), FILE_ATTRIBUTE_READONLY);
    ClickRow(1);
    ui.Clear();
    ui.messageAnswers = {IDYES};
    Command(IDM_DELETEGAME);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[1].text.rfind("The game file could not be deleted:\n" + GamePath("Locked"), 0), 0u);
    EXPECT_TRUE(FileExists(GamePath("Locked")) && List().Count() == 2);
    SetFileAttributesA(GamePath("Locked").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
