// The main window's menu, keys and shell commands, the background hues, and deleting a game.
#include "MainWindowFixture.h"
#include "MessageTexts.h"
#include "app/Settings.h"
#include "data/Files.h"
#include "res/AboutDialogRes.h"
#include "res/GameSearchDialogRes.h"
#include "res/LocateGameDialogRes.h"
#include "res/ManageEntriesDialogRes.h"
#include "res/PreferencesDialogRes.h"
#include "res/VdmSoundDialogRes.h"
#include "res/resource.h"
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
    // Asks to delete the selected row, answered Yes.
    void DeleteRow(int row) {
        ClickRow(row);
        ui.Clear();
        ui.messageAnswers = {IDYES};
        Command(IDM_DELETEGAME);
    }
};

// The menu as text ("-" a separator, a submenu in braces, "!" after a greyed item
// and "^" after a column break) and the commands of its items in order.
void Render(HMENU menu, std::string& text, std::vector<UINT>& ids) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char name[128] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        info.dwTypeData = name;
        info.cch = sizeof name;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        text += i ? "|" : "";
        if (info.fType & MFT_SEPARATOR) {
            text += "-";
            continue;
        }
        text += std::string(name) + (info.fState & MFS_GRAYED ? "!" : "") + (info.fType & MFT_MENUBREAK ? "^" : "");
        if (!info.hSubMenu) {
            ids.push_back(info.wID);
            continue;
        }
        text += "{";
        Render(info.hSubMenu, text, ids);
        text += "}";
    }
}

TEST_F(MenuTest, TheMenuItemByItem) {
    AddGame(MakeGame("One"));
    Start();
    ClickRow(0);
    std::string text;
    std::vector<UINT> ids;
    Render(GetMenu(Hwnd()), text, ids);
    EXPECT_EQ(text,
              "&File{&Run Game|&Games Folder|&Visit WebSite|-|E&xit}|"
              "&Options{&Criteria Selections{&Manage Entries|&Edit with Text Editor|&Reload}|"
              "&Background{&Red^|&Green^|&Blue^|Gre&y^}|"
              "&VDMSound{&Settings|&Edit VDMS.INI|&Visit VDMSound WebSite|VDMSound &Help}|-|&Preferences}|"
              "&Game List{&Add new game|Add new ga&mes (INI style)|&Delete selected game\tDel|"
              "&Search for selected game|&Send QGF to author!|-|S&earch for all games!|&Verify all games|"
              "&Import Loader.ini|&Refresh\tF5}|&Help...{&Help Topics|&About}");
    EXPECT_EQ(ids,
              (std::vector<UINT>{IDM_RUNGAME,     IDM_GAMESFOLDER,  IDM_WEBSITE,     IDM_EXIT,       IDM_MANAGEENTRIES,
                                 IDM_EDITDATAINI, IDM_RELOADDATA,   IDM_BACK_RED,    IDM_BACK_GREEN, IDM_BACK_BLUE,
                                 IDM_BACK_GREY,   IDM_VDMSSETTINGS, IDM_EDITVDMSINI, IDM_VDMSWEB,    IDM_VDMSHELP,
                                 IDM_PREFERENCES, IDM_ADDGAME,      IDM_ADDGAMESINI, IDM_DELETEGAME, IDM_SEARCHGAME,
                                 IDM_SENDQGF,     IDM_SEARCHALL,    IDM_VERIFYALL,   IDM_IMPORT,     IDM_REFRESH,
                                 IDM_HELPTOPICS,  IDM_ABOUT}));

    ClickColumn(0);  // no selection: Run Game and Delete are greyed
    Repaint();
    for (UINT id : {IDM_RUNGAME, IDM_DELETEGAME})
        EXPECT_TRUE(GetMenuState(GetMenu(Hwnd()), id, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MenuTest, ShellCommandsAndTheirFailures) {
    Start();
    const struct {
        int command;
        std::string file, dir, failure;
        unsigned show;
    } cases[] = {
        {IDM_GAMESFOLDER, folder + "\\Games", "", "Error! Could not locate " + folder + "\\Games!", SW_SHOWNORMAL},
        {IDM_WEBSITE, "http://www.farstep.net/quillon/", "",
         "Could not open the Farstep web site\nhttp://www.farstep.net/quillon/", SW_SHOWNORMAL},
        {IDM_EDITDATAINI, folder + "\\Data.ini", "", "Could not locate Data.ini!", SW_SHOWNORMAL},
        {IDM_VDMSWEB, "http://sourceforge.net/projects/vdmsound/", "",
         "Could not open the VDMSound web site\nhttp://sourceforge.net/projects/vdmsound/", SW_SHOWNORMAL},
        {IDM_HELPTOPICS, "Quillon.chm", folder, "Could not run the help file!", SW_SHOWMAXIMIZED},
    };
    for (const auto& c : cases) {
        ui.Clear();
        ui.shellResults = {42, 32};  // the second run fails
        Command(c.command);
        Command(c.command);
        const auto runs = ui.Calls(UiCall::Execute);
        ASSERT_EQ(runs.size(), 2u) << c.file;
        EXPECT_EQ(std::tie(runs[0].text, runs[0].caption, runs[0].dir, runs[0].flags),
                  std::make_tuple(c.file, "open", c.dir, c.show));
        ASSERT_EQ(MessageTexts(ui), Strings{c.failure});
        EXPECT_EQ(ui.Messages()[0].caption, "Quillon Loader");
    }

    // Without VDMSound its three commands only say where to get it.
    ui.Clear();
    for (int command : {IDM_EDITVDMSINI, IDM_VDMSHELP, IDM_VDMSSETTINGS}) Command(command);
    EXPECT_EQ(ui.calls.size(), 3u) << "nothing run, no dialog";
    EXPECT_EQ(MessageTexts(ui), Strings(3,
                                        "VDMSound cannot be found. \nPlease download VDMSound from\n"
                                        "http://sourceforge.net/projects/vdmsound/"));

    // The VDMSound page comes from Data.ini: only a web address reaches the shell.
    WriteFileText(folder + "\\Data.ini", "[Misc]\r\nVDMSoundWeb=C:\\WINDOWS\\evil.bat\r\n");
    Command(IDM_RELOADDATA);
    ui.Clear();
    Command(IDM_VDMSWEB);
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0].text, "Could not open the VDMSound web site\nC:\\WINDOWS\\evil.bat");
}

TEST_F(MenuTest, DialogCommandsOpenTheirDialogs) {
    GameRecord lost = MakeGame("Lost", "p", "c", "C:\\Nowhere", "LOST.EXE");
    SetField(lost.configFile, "SOUND.CFG");
    AddGame(lost);
    Start();
    Command(IDM_SEARCHGAME);
    EXPECT_EQ(MessageTexts(ui), Strings{"Please select a game in the list first"});
    ClickRow(0);
    for (int command : {IDM_SEARCHGAME, IDM_MANAGEENTRIES, IDM_PREFERENCES, IDM_ABOUT}) Command(command);
    SendMessageA(Hwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    PumpMessages();
    Command(IDC_RUNGAME);  // its folder is missing: the error-locating dialog asks
    std::vector<int> opened;
    for (const auto& call : ui.Calls(UiCall::Modal)) opened.push_back(call.dialogId);
    EXPECT_EQ(opened, (std::vector<int>{IDD_GAMESEARCH, IDD_MANAGEENTRIES, IDD_PREFERENCES, IDD_ABOUTBOX, IDD_ABOUTBOX,
                                        IDD_LOCATEGAME}));
    // Game Settings on its missing folder shows the details bar's Path item first.
    ui.Clear();
    Command(IDC_GAMESETTINGS);
    EXPECT_EQ(MessageTexts(ui), Strings{"Please locate the game path..."});
    win::TreeView tree(GetDlgItem(GetDlgItem(Hwnd(), IDC_DETAILSBAR), IDC_DETAILS_TREE));
    LPARAM shown = -1;
    EXPECT_TRUE(tree.Param(tree.Selected(), shown) && shown == DetailsBar::kPath);

    // With VDMSound and its VDMS.INI, its settings dialog opens and its files
    // open from its folder; a failure names the folder.
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
    const std::pair<int, DWORD> hues[] = {
        {IDM_BACK_RED, 0}, {IDM_BACK_GREEN, 1}, {IDM_BACK_BLUE, 2}, {IDM_BACK_GREY, 3}};
    auto stored = [] {
        DWORD value = 99;
        ReadSettingValue("Background", value);
        return value;
    };
    for (const auto& [command, value] : hues) {
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
    EXPECT_EQ(MessageTexts(ui), Strings{"Please select a game in the list first"});

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

    // Read-only, then in use by another program: the file and its row stay.
    SetFileAttributesA(GamePath("Locked").c_str(), FILE_ATTRIBUTE_READONLY);
    DeleteRow(1);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[1].text.rfind("The game file could not be deleted:\n" + GamePath("Locked"), 0), 0u);
    EXPECT_TRUE(FileExists(GamePath("Locked")));
    SetFileAttributesA(GamePath("Locked").c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE held =
        CreateFileA(GamePath("Keep").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DeleteRow(0);
    CloseHandle(held);
    EXPECT_TRUE(FileExists(GamePath("Keep")) && List().Count() == 2);
    EXPECT_EQ(ui.Messages().size(), 2u);
}

}  // namespace
