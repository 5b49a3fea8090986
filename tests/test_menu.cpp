// The main window's menu, keys and shell commands: the menu as the player sees
// it, the messages of failures, the background hues, and deleting a game.
#include "MainWindowFixture.h"
#include "app/Settings.h"
#include "data/Files.h"
#include "res/AboutDialogRes.h"
#include "res/GameSearchDialogRes.h"
#include "res/LocateGameDialogRes.h"
#include "res/ManageEntriesDialogRes.h"
#include "res/PreferencesDialogRes.h"
#include "res/VdmSoundDialogRes.h"
#include "res/resource.h"

namespace {

class MenuTest : public MainWindowFixture {
protected:
    void Key(WPARAM key) {
        MSG msg{List().Handle(), WM_KEYDOWN, key, 0, 0, {0, 0}};
        window->PreTranslate(msg);
        PumpMessages();
    }
};

struct Item {
    std::string text;
    UINT id;
    bool grayed, menuBreak;
    bool operator==(const Item& o) const {
        return text == o.text && id == o.id && grayed == o.grayed && menuBreak == o.menuBreak;
    }
};

std::vector<Item> Items(HMENU menu, const std::string& path = "") {
    std::vector<Item> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            out.push_back({"-", 0, false, false});
            continue;
        }
        const std::string name = path + text;
        out.push_back({name, info.hSubMenu ? 0u : info.wID, (info.fState & MFS_GRAYED) != 0,
                       (info.fType & MFT_MENUBREAK) != 0});
        if (info.hSubMenu) {
            auto sub = Items(info.hSubMenu, name + "/");
            out.insert(out.end(), sub.begin(), sub.end());
        }
    }
    return out;
}

TEST_F(MenuTest, TheMenuItemByItem) {
    AddGame(MakeGame("One"));
    Start();
    ClickRow(0);
    const std::vector<Item> expected = {
        {"&File", 0, false, false},
        {"&File/&Run Game", IDM_RUNGAME, false, false},
        {"&File/&Games Folder", IDM_GAMESFOLDER, false, false},
        {"&File/&Visit WebSite", IDM_WEBSITE, false, false},
        {"-", 0, false, false},
        {"&File/E&xit", IDM_EXIT, false, false},
        {"&Options", 0, false, false},
        {"&Options/&Criteria Selections", 0, false, false},
        {"&Options/&Criteria Selections/&Manage Entries", IDM_MANAGEENTRIES, false, false},
        {"&Options/&Criteria Selections/&Edit with Text Editor", IDM_EDITDATAINI, false, false},
        {"&Options/&Criteria Selections/&Reload", IDM_RELOADDATA, false, false},
        {"&Options/&Background", 0, false, false},
        {"&Options/&Background/&Red", IDM_BACK_RED, false, true},
        {"&Options/&Background/&Green", IDM_BACK_GREEN, false, true},
        {"&Options/&Background/&Blue", IDM_BACK_BLUE, false, true},
        {"&Options/&Background/Gre&y", IDM_BACK_GREY, false, true},
        {"&Options/&VDMSound", 0, false, false},
        {"&Options/&VDMSound/&Settings", IDM_VDMSSETTINGS, false, false},
        {"&Options/&VDMSound/&Edit VDMS.INI", IDM_EDITVDMSINI, false, false},
        {"&Options/&VDMSound/&Visit VDMSound WebSite", IDM_VDMSWEB, false, false},
        {"&Options/&VDMSound/VDMSound &Help", IDM_VDMSHELP, false, false},
        {"-", 0, false, false},
        {"&Options/&Preferences", IDM_PREFERENCES, false, false},
        {"&Game List", 0, false, false},
        {"&Game List/&Add new game", IDM_ADDGAME, false, false},
        {"&Game List/Add new ga&mes (INI style)", IDM_ADDGAMESINI, false, false},
        {"&Game List/&Delete selected game\tDel", IDM_DELETEGAME, false, false},
        {"&Game List/&Search for selected game", IDM_SEARCHGAME, false, false},
        {"&Game List/&Send QGF to author", IDM_SENDQGF, true, false},
        {"-", 0, false, false},
        {"&Game List/S&earch for all games", IDM_SEARCHALL, true, false},
        {"&Game List/&Verify all games", IDM_VERIFYALL, false, false},
        {"&Game List/&Import Loader.ini", IDM_IMPORT, false, false},
        {"&Game List/&Refresh\tF5", IDM_REFRESH, false, false},
        {"&Help...", 0, false, false},
        {"&Help.../&Help Topics", IDM_HELPTOPICS, false, false},
        {"&Help.../&About", IDM_ABOUT, false, false},
    };
    const std::vector<Item> items = Items(GetMenu(Hwnd()));
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < items.size(); ++i) EXPECT_TRUE(items[i] == expected[i]) << i << " " << items[i].text;

    // Without a selection Run Game and Delete are greyed.
    ClickColumn(0);
    Repaint();
    EXPECT_TRUE(GetMenuState(GetMenu(Hwnd()), IDM_RUNGAME, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(GetMenu(Hwnd()), IDM_DELETEGAME, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MenuTest, ShellCommandsAndTheirFailures) {
    Start();
    const struct {
        int command;
        std::string file, dir, failure;
        int show;
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
        ui.shellResults = {42, 32};
        Command(c.command);
        EXPECT_TRUE(ui.Messages().empty()) << c.file;
        Command(c.command);
        auto runs = ui.Calls(UiCall::Execute);
        ASSERT_EQ(runs.size(), 2u) << c.file;
        EXPECT_EQ(runs[0].text, c.file);
        EXPECT_EQ(runs[0].caption, "open");
        EXPECT_EQ(runs[0].dir, c.dir);
        EXPECT_EQ(runs[0].flags, static_cast<unsigned>(c.show));
        ASSERT_EQ(ui.Messages().size(), 1u) << c.file;
        EXPECT_EQ(ui.Messages()[0].text, c.failure);
        EXPECT_EQ(ui.Messages()[0].caption, "Quillon Loader");
    }

    // Without VDMSound its three commands only say where to get it.
    ui.Clear();
    for (int command : {IDM_EDITVDMSINI, IDM_VDMSHELP, IDM_VDMSSETTINGS}) Command(command);
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty());
    EXPECT_TRUE(ui.Calls(UiCall::Modal).empty());
    ASSERT_EQ(ui.Messages().size(), 3u);
    for (const auto& m : ui.Messages())
        EXPECT_EQ(m.text,
                  "VDMSound cannot be found. \nPlease download VDMSound from\nhttp://sourceforge.net/projects/vdmsound/");
}

TEST_F(MenuTest, DialogCommandsOpenTheirDialogs) {
    AddGame(MakeGame("Lost", "p", "c", "C:\\Nowhere", "LOST.EXE"));
    Start();
    Command(IDM_SEARCHGAME);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Please select a game in the list first");
    ClickRow(0);
    for (int command : {IDM_SEARCHGAME, IDM_MANAGEENTRIES, IDM_PREFERENCES, IDM_ABOUT}) Command(command);
    SendMessageA(Hwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    PumpMessages();
    Command(IDC_RUNGAME);  // its folder is missing: the error-locating dialog asks
    std::vector<int> opened;
    for (const auto& call : ui.Calls(UiCall::Modal)) opened.push_back(call.dialogId);
    EXPECT_EQ(opened, (std::vector<int>{IDD_GAMESEARCH, IDD_MANAGEENTRIES, IDD_PREFERENCES, IDD_ABOUTBOX,
                                        IDD_ABOUTBOX, IDD_LOCATEGAME}));

    // With VDMSound and its VDMS.INI, its settings dialog opens.
    Discard();
    const std::string vdm = folder + "\\NoVDMSound\\";
    CreateDirectoryA(vdm.c_str(), nullptr);
    WriteFileText(vdm + "LaunchPad.dll", "");
    WriteFileText(vdm + "VDMS.INI", "[sb]\r\n");
    ui.Clear();
    Start();
    Command(IDM_VDMSSETTINGS);
    ASSERT_EQ(ui.Calls(UiCall::Modal).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Modal)[0].dialogId, IDD_VDMSOUND);
    // Its files open from its folder; a failure names the folder.
    ui.shellResults = {2, 2};
    Command(IDM_EDITVDMSINI);
    Command(IDM_VDMSHELP);
    auto runs = ui.Calls(UiCall::Execute);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, vdm + "Vdms.ini");
    EXPECT_EQ(runs[1].text, vdm + "VDMConfig.hlp");
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].text, "Could not locate the VDMS.INI file at location:\n" + vdm);
    EXPECT_EQ(ui.Messages()[1].text, "Could not locate the VDMConfig.hlp file at location:\n" + vdm);
}

TEST_F(MenuTest, BackgroundHuesAndF9AreStored) {
    Start();
    const std::pair<int, DWORD> hues[] = {
        {IDM_BACK_RED, 0}, {IDM_BACK_GREEN, 1}, {IDM_BACK_BLUE, 2}, {IDM_BACK_GREY, 3}};
    for (const auto& [command, stored] : hues) {
        Command(command);
        DWORD value = 99;
        ReadSettingValue("Background", value);
        EXPECT_EQ(value, stored);
    }
    std::vector<int> seen(4, 0);
    for (int i = 0; i < 40; ++i) {
        WriteSettingValue("Background", 99);
        Key(VK_F9);
        DWORD value = 99;
        ReadSettingValue("Background", value);
        ASSERT_LT(value, 4u) << "each choice is stored";
        ++seen[value];
    }
    for (int hue = 0; hue < 4; ++hue) EXPECT_GT(seen[hue], 0) << hue;
}

TEST_F(MenuTest, DeletingAGame) {
    AddGame(MakeGame("Keep"));
    AddGame(MakeGame("Locked"));
    AddGame(MakeGame("Gone"));
    Start();
    Command(IDM_DELETEGAME);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Please select a game in the list first");

    ClickRow(0);  // "Gone"
    ui.Clear();
    Key(VK_DELETE);  // answered No
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Are you sure you want to delete Gone?");
    EXPECT_EQ(ui.Messages()[0].caption, "Confirm Deletion");
    EXPECT_EQ(ui.Messages()[0].flags, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(FileExists(GamePath("Gone")));
    EXPECT_EQ(List().Count(), 3);

    ui.messageAnswers = {IDYES};
    Command(IDM_DELETEGAME);
    EXPECT_FALSE(FileExists(GamePath("Gone")));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Keep", "Locked"}));

    SetFileAttributesA(GamePath("Locked").c_str(), FILE_ATTRIBUTE_READONLY);
    ClickRow(1);
    ui.Clear();
    ui.messageAnswers = {IDYES};
    Command(IDM_DELETEGAME);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[1].text.rfind("The game file could not be deleted:\n" + GamePath("Locked"), 0), 0u);
    EXPECT_TRUE(FileExists(GamePath("Locked")));
    EXPECT_EQ(List().Count(), 2) << "its row stays";
    SetFileAttributesA(GamePath("Locked").c_str(), FILE_ATTRIBUTE_NORMAL);

    // In use by another program.
    HANDLE held = CreateFileA(GamePath("Keep").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ClickRow(0);
    ui.Clear();
    ui.messageAnswers = {IDYES};
    Command(IDM_DELETEGAME);
    CloseHandle(held);
    EXPECT_TRUE(FileExists(GamePath("Keep")));
    EXPECT_EQ(List().Count(), 2);
    ASSERT_EQ(ui.Messages().size(), 2u);
}

}  // namespace
