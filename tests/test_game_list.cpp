// The game list's files and rows, then the main window's list: fill, caption, limit, order, selection.
#include "MainWindowFixture.h"
#include "MessageTexts.h"
#include "data/GameFolder.h"
#include "launch/GameRows.h"
#include "res/GameSettingsDialogRes.h"
#include "res/resource.h"
#include "state/Settings.h"
#include <commctrl.h>

namespace {

using Strings = std::vector<std::string>;

TEST(GameRows, ListingCountsEveryMatchKeepsFilesUpToTheLimitSortedWithoutCase) {
    TempFolder temp("rows");
    const std::string& folder = temp.path;
    for (const char* name : {"zeta.qgf", "Alpha.qgf", "UPPER.QGF", "mid.Qgf", "other.txt"})
        WriteGame(folder + "\\" + name, MakeGame("x"));
    CreateDirectoryA((folder + "\\folder.qgf").c_str(), nullptr);
    GameFolderListing all = ListGameFiles(folder, 512);
    EXPECT_EQ(all.counted, 5) << "the folder counts, the .txt does not";
    EXPECT_EQ(all.files, (Strings{"Alpha.qgf", "mid.Qgf", "UPPER.QGF", "zeta.qgf"}));
    GameFolderListing few = ListGameFiles(folder, 3);
    EXPECT_TRUE(few.counted == 5 && few.files.size() == 3u);
    EXPECT_EQ(ListGameFiles(folder + "\\missing", 512).counted, 0);
    const std::pair<const char*, const char*> names[] = {
        {"Doom.qgf", "Doom"}, {"DOOM.QGF", "DOOM"}, {"a.b.qgf", "a.b"}, {"x.qgfx", "x"}, {".qgf", ".qgf"}};
    for (const auto& [file, name] : names) EXPECT_EQ(GameNameFromFile(file), name) << file;
}

TEST(GameRows, StatusImageAndSettingsText) {
    TempFolder temp("rows");
    const std::string dir = temp.path + "\\Game";
    CreateDirectoryA(dir.c_str(), nullptr);
    WriteFileText(dir + "\\play.exe", "MZ");
    const std::tuple<std::string, const char*, int> images[] = {
        {dir, "play.exe", 0}, {temp.path + "\\Nowhere", "play.exe", 1}, {dir, "gone.exe", 2},
        {dir, "x", 2},        {"C", "play.exe", 1},                     {dir, "", 2}};
    for (const auto& [path, command, image] : images)
        EXPECT_EQ(GameStatusImage(MakeGame("t", "p", "c", path, command)), image) << path << " " << command;
    GameRecord g = MakeGame("t", "p", "c", "C:\\", "GAME.EXE");
    g.selectedDisplay = 2;
    SetField(g.vgaParam, "-vga");
    g.selectedSound = 1;
    SetField(g.soundParams[1], "-sb220");
    for (const auto& [setup, text] :
         {std::pair{"", "None"}, {"SETUP.EXE", "SETUP.EXE"}, {"(parameters)", "GAME.EXE -vga -sb220 "}}) {
        SetField(g.setup, setup);
        EXPECT_EQ(SettingsColumnText(g), text) << setup;
    }
}

class GameListTest : public MainWindowFixture {};

const char kFailure[] = "Failed to load the game file.\nPlease re-create it.";

// The limit is "MaxGames", 512 unless set: the games past it are counted, not listed.
TEST_F(GameListTest, OnlyTheLimitOfGamesIsListed) {
    for (int i = 0; i < 513; ++i) AddGame(MakeGame("g" + std::to_string(i)));
    const std::tuple<DWORD, int, Strings> cases[] = {
        {0, 512, {"There are 513 games, maximum is 512.\nPlease remove some games."}}, {513, 513, {}}};
    for (const auto& [stored, rows, said] : cases) {
        if (stored) WriteSettingValue(setting::kMaxGames, stored);
        Start();
        EXPECT_EQ(List().Count(), rows);
        EXPECT_EQ(MessageTexts(ui), said) << stored;
        Discard();
        ui.Clear();
    }
}

TEST_F(GameListTest, CaptionCountsTheRows) {
    Start();
    const char* counted[] = {"0 games", "1 game", "2 games"};
    for (int count = 0; count < 3; ++count) {
        if (count > 0) AddGame(MakeGame("Game " + std::to_string(count)));
        ClickColumn(0);
        Repaint();
        EXPECT_EQ(Caption(), std::string("Quillon Loader 0.8c - ") + counted[count]) << "until a game is chosen";
    }
    ClickRow(0);
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Game 1");
}

// Rows sort by a column without case, by name inside a group; a damaged file first, a wrong magic by its keys.
TEST_F(GameListTest, RowsSortByAColumnWithoutCase) {
    const char* games[][3] = {{"Doom", "id", "Action"},
                              {"Monkey", "LucasArts", "adventure"},
                              {"Keen", "id", "action"},
                              {"Loom", "LucasArts", "Adventure"},
                              {"Civ", "MicroProse", "Strategy"}};
    for (const auto& [title, publisher, category] : games) AddGame(MakeGame(title, publisher, category));
    GameRecord wrong = MakeGame("Aaa", "Zz", "Zz");
    wrong.magic[0] = 'X';
    AddGame(wrong);
    WriteFileBytes(folder + "\\Games\\Broken.qgf", std::vector<char>(50, 'x'));
    Start();
    EXPECT_EQ(CountMessages("Failed to load:\nBroken.qgf"), 1u);
    EXPECT_EQ(Column(0), (Strings{"Aaa", "Broken", "Civ", "Doom", "Keen", "Loom", "Monkey"}));
    EXPECT_EQ(std::make_pair(List().Image(1), List().Text(1, 3)), std::make_pair(1, std::string("None")));
    EXPECT_EQ(List().Text(0, 1), "") << "a damaged record's publisher sorts, but does not show";
    for (int column : {2, 1}) {
        ClickColumn(column);
        EXPECT_EQ(Column(0), (Strings{"Broken", "Doom", "Keen", "Loom", "Monkey", "Civ", "Aaa"})) << column;
    }
    EXPECT_EQ(CountMessages("Failed to load:\nBroken.qgf"), 3u) << "each fill reports it";
}

// Typed first letters select a title in the sorted order; after a pause a new title
// starts from the next row; a letter typed again steps to the next game with it.
TEST_F(GameListTest, TypingATitleSelectsItsRow) {
    for (const auto& [title, category] : {std::pair{"Commander Keen", "Action"}, {"Command & Conquer", "Strategy"},
                                          {"Doom", "Action"}, {"Duke Nukem", "Action"}, {"Dune II", "Strategy"}})
        AddGame(MakeGame(title, "p", category));
    Start();
    ClickColumn(2);
    DWORD time = 1000;
    const std::tuple<const char*, DWORD, bool, std::string> steps[] = {  // keys, pause, used, selected
        {"comman", 0, true, "Commander Keen"}, {"d ", 0, true, "Command & Conquer"}, {"d", 2000, true, "Dune II"},
        {"d", 0, true, "Doom"},                {"d", 0, true, "Duke Nukem"},         {"x", 2000, true, "Duke Nukem"},
        {" ", 2000, false, "Duke Nukem"},      {"\b", 0, false, "Duke Nukem"}};
    for (const auto& [keys, pause, used, selected] : steps) {
        time += pause;
        bool taken = true;
        for (const char* c = keys; *c; ++c) {
            MSG msg{List().Handle(), WM_CHAR, static_cast<unsigned char>(*c), 0, time += 50, {0, 0}};
            taken = window->PreTranslate(msg) && taken;
        }
        PumpMessages();
        EXPECT_EQ(std::make_pair(taken, List().Text(List().Selected(), 0)), std::make_pair(used, selected)) << keys;
    }
}

TEST_F(GameListTest, RowImagesFollowTheFilesOnRefreshAndVerify) {
    const std::string dir = folder + "\\Game Dir";
    CreateDirectoryA(dir.c_str(), nullptr);
    WriteFileText(dir + "\\play.exe", "MZ");
    AddGame(MakeGame("A ok", "p", "c", dir, "play.exe"));
    AddGame(MakeGame("B no folder", "p", "c", folder + "\\Nowhere", "play.exe"));
    Start();
    EXPECT_EQ(std::make_pair(List().Image(0), List().Image(1)), std::make_pair(0, 1));
    DeleteFileA((dir + "\\play.exe").c_str());
    Command(IDM_REFRESH);
    EXPECT_EQ(List().Image(0), 2);
    WriteFileText(dir + "\\play.exe", "MZ");
    Command(IDM_VERIFYALL);
    EXPECT_EQ(List().Image(0), 0);
    Discard();
    WriteSettingValue("ReloadVerify", 0);
    Start();
    EXPECT_EQ(std::make_pair(List().Image(0), List().Image(1)), std::make_pair(7, 7));
}

TEST_F(GameListTest, SelectingARowShowsItsGameAndTheSetupCommandsReachIt) {
    GameRecord g = MakeGame("Pictured", "Pub", "Cat");
    SetField(g.title, "The Pictured Game");
    WriteGame(GamePath("Pictured"), g, MakeBmp(40, 25, 255, 0, 0));
    WriteGame(GamePath("Cut"), MakeGame("Cut"), MakeBmp(40, 25, 0, 0, 255));
    std::vector<char> bytes = ReadFileBytes(GamePath("Cut"));
    bytes.resize(bytes.size() - 100);  // the picture is cut short
    WriteFileBytes(GamePath("Cut"), bytes);
    AddGame(MakeGame("Plain"));
    Start();
    EXPECT_FALSE(Enabled(IDC_RUNGAME));
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - 3 games") << "nothing selected after the start";
    ClickRow(1);
    EXPECT_EQ(std::make_tuple(Caption(), Enabled(IDC_RUNGAME), LastRun(), PreviewSize()),
              std::make_tuple("Quillon Loader 0.8c - The Pictured Game", true, "Pictured", std::make_pair(40, 25)));
    ClickRow(2);
    EXPECT_EQ(PreviewSize(), std::make_pair(160, 100)) << "the default picture";
    ClickRow(0);
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Cut");
    EXPECT_EQ(PreviewSize(), std::make_pair(160, 100)) << "a cut picture is not shown";
    List().Select(2);
    PumpMessages();
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Plain");
    ui.Clear();
    NMHDR nm{List().Handle(), IDC_GAMELIST, static_cast<UINT>(NM_RDBLCLK)};
    SendMessageA(Hwnd(), WM_NOTIFY, IDC_GAMELIST, reinterpret_cast<LPARAM>(&nm));
    Command(IDC_MODIFY);
    ASSERT_EQ(ui.calls.size(), 2u) << "the right double click is Game Settings";
    EXPECT_EQ(ui.calls[0].caption, "Plain");
    EXPECT_EQ(ui.calls[1].dialogId, IDD_GAMESETTINGS);
}

TEST_F(GameListTest, RefreshKeepsTheSelectedGameByName) {
    AddGame(MakeGame("Aaa", "p", "Zed"));
    AddGame(MakeGame("Bbb", "p", "Middle"));
    AddGame(MakeGame("Ccc", "p", "Alpha"));
    Start();
    ClickColumn(2);
    ClickRow(2);
    ASSERT_EQ(List().Text(2, 0), "Aaa");
    AddGame(MakeGame("Abc", "p", "Aaaa"));
    WriteSettingString("LastRun", "elsewhere");
    Command(IDM_REFRESH);
    EXPECT_EQ(std::make_tuple(List().Selected(), Caption(), LastRun()),
              std::make_tuple(3, "Quillon Loader 0.8c - Aaa", "Aaa"))
        << "LastRun written for the reselected game, not for the last row filled";
    ClickColumn(1);
    EXPECT_EQ(List().Selected(), -1) << "a fill drops the selection";
    ClickRow(0);
    ClickRow(-1);  // a click below the rows
    EXPECT_EQ(std::make_tuple(Caption(), Enabled(IDC_RUNGAME)), std::make_tuple("Quillon Loader 0.8c", false));
    EXPECT_EQ(LastRun(), "Aaa");
}

TEST_F(GameListTest, ADamagedSelectedGameIsReportedOncePerFileState) {
    AddGame(MakeGame("Good"));
    AddGame(MakeGame("Hurt"));
    Start();
    ClickRow(1);
    ASSERT_TRUE(Enabled(IDC_RUNGAME));
    std::vector<char> bytes = ReadFileBytes(GamePath("Hurt"));
    bytes[10] = 9;  // a wrong version
    WriteFileBytes(GamePath("Hurt"), bytes);
    ui.Clear();
    for (int i = 0; i < 3; ++i) Repaint();
    ASSERT_EQ(CountMessages(kFailure), 1u);
    EXPECT_EQ(ui.Messages()[0].caption, "Hurt.qgf");
    EXPECT_EQ(std::make_tuple(Caption(), Enabled(IDC_RUNGAME), PreviewSize()),
              std::make_tuple("Quillon Loader 0.8c", false, std::make_pair(160, 100)));
    ClickRow(1);
    EXPECT_EQ(CountMessages(kFailure), 2u) << "a click on the row reports again";
    Repaint();
    EXPECT_EQ(CountMessages(kFailure), 2u);
    bytes[10] = 7;  // repaired on disk: the next repaint shows the game
    WriteFileBytes(GamePath("Hurt"), bytes);
    Repaint();
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Hurt");
    EXPECT_TRUE(Enabled(IDC_RUNGAME));
}

}  // namespace
