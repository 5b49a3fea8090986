// The game list: filling, captions, the 512 limit, sorting, row images, the
// Settings column, refresh, selection, and a damaged selected game.
#include "MainWindowFixture.h"
#include "app/Settings.h"
#include "res/resource.h"
#include <commctrl.h>

namespace {

class GameListTest : public MainWindowFixture {
protected:
    std::vector<std::string> Column(int column) {
        std::vector<std::string> out;
        for (int i = 0; i < window->List().Count(); ++i) out.push_back(window->List().Text(i, column));
        return out;
    }
    void ClickRow(int row) {
        window->List().Select(row);
        NMITEMACTIVATE click{};
        click.hdr.hwndFrom = window->List().Handle();
        click.hdr.idFrom = IDC_GAMELIST;
        click.hdr.code = NM_CLICK;
        click.iItem = row;
        SendMessageA(window->Handle(), WM_NOTIFY, IDC_GAMELIST, reinterpret_cast<LPARAM>(&click));
        PumpMessages();
    }
    void ClickColumn(int column) {
        NMLISTVIEW nm{};
        nm.hdr.hwndFrom = window->List().Handle();
        nm.hdr.idFrom = IDC_GAMELIST;
        nm.hdr.code = LVN_COLUMNCLICK;
        nm.iItem = -1;
        nm.iSubItem = column;
        SendMessageA(window->Handle(), WM_NOTIFY, IDC_GAMELIST, reinterpret_cast<LPARAM>(&nm));
        PumpMessages();
    }
    size_t CountMessages(const std::string& text) {
        size_t n = 0;
        for (const auto& m : ui.Messages()) n += m.text == text;
        return n;
    }
};

TEST_F(GameListTest, CaptionCountsGames) {
    Start();
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c") << "nothing selected after the start";
    window->RefreshGameList();
    EXPECT_EQ(window->List().Count(), 0);

    AddGame(MakeGame("Only One"));
    window->FillGameList();
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - 1 game");
    AddGame(MakeGame("Second"));
    window->FillGameList();
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - 2 games");
    for (const auto& f : {"a.qgf", "b.qgf"}) DeleteFileA((folder + "\\Games\\" + f).c_str());
    DeleteFileA(GamePath("Only One").c_str());
    DeleteFileA(GamePath("Second").c_str());
    window->FillGameList();
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - 0 games");
}

TEST_F(GameListTest, AtMost512GamesAreListed) {
    GameRecord g = MakeGame("x");
    for (int i = 0; i < 513; ++i) WriteGame(folder + "\\Games\\g" + std::to_string(1000 + i) + ".qgf", g);
    Start();
    EXPECT_EQ(window->List().Count(), 512);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "There are 513 games, maximum is 512.\nPlease remove some games.");
    EXPECT_EQ(ui.Messages()[0].caption, "Quillon Loader");
    window->FillGameList();
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - 512 games");
}

TEST_F(GameListTest, NamesAreSortedWithoutCaseAndLoseTheirExtension) {
    AddGame(MakeGame("zeta"));
    AddGame(MakeGame("Alpha"));
    WriteGame(folder + "\\Games\\UPPER.QGF", MakeGame("Upper title"));
    WriteGame(folder + "\\Games\\mid.Qgf", MakeGame("mid"));
    CreateDirectoryA((folder + "\\Games\\folder.qgf").c_str(), nullptr);
    Start();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Alpha", "mid", "UPPER", "zeta"}));
}

TEST_F(GameListTest, SortingByAColumnGroupsRowsUnreadableFilesFirst) {
    AddGame(MakeGame("Doom", "id", "Action"));
    AddGame(MakeGame("Monkey", "LucasArts", "adventure"));
    AddGame(MakeGame("Keen", "id", "action"));
    AddGame(MakeGame("Loom", "LucasArts", "Adventure"));
    AddGame(MakeGame("Civ", "MicroProse", "Strategy"));
    WriteFileBytes(folder + "\\Games\\Broken.qgf", std::vector<char>(50, 'x'));
    Start();
    EXPECT_EQ(CountMessages("Failed to load:\nBroken.qgf"), 1u);
    EXPECT_EQ(ui.Messages().back().caption, "Error");

    ClickColumn(2);
    EXPECT_EQ(window->SortColumn(), 2);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Broken", "Doom", "Keen", "Loom", "Monkey", "Civ"}));
    EXPECT_EQ(Column(2), (std::vector<std::string>{"", "Action", "action", "Adventure", "adventure", "Strategy"}));

    ClickColumn(1);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Broken", "Doom", "Keen", "Loom", "Monkey", "Civ"}));
    ClickColumn(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Broken", "Civ", "Doom", "Keen", "Loom", "Monkey"}));
}

TEST_F(GameListTest, RowImagesTellWhatExists) {
    std::string gameDir = folder + "\\Game Dir";
    CreateDirectoryA(gameDir.c_str(), nullptr);
    WriteFileText(gameDir + "\\play.exe", "MZ");
    AddGame(MakeGame("A ok", "p", "c", gameDir, "play.exe"));
    AddGame(MakeGame("B no folder", "p", "c", folder + "\\Nowhere", "play.exe"));
    AddGame(MakeGame("C no program", "p", "c", gameDir, "gone.exe"));
    AddGame(MakeGame("D short command", "p", "c", gameDir, "x"));
    AddGame(MakeGame("E short path", "p", "c", "C", "play.exe"));
    WriteFileBytes(folder + "\\Games\\F broken.qgf", std::vector<char>(10, 0));
    Start();
    std::vector<int> images;
    for (int i = 0; i < window->List().Count(); ++i) images.push_back(window->List().Image(i));
    EXPECT_EQ(images, (std::vector<int>{0, 1, 2, 2, 1, 1}));

    // After start-up the same checks run for a refresh, and for "Verify all games".
    DeleteFileA((gameDir + "\\play.exe").c_str());
    window->RefreshGameList();
    EXPECT_EQ(window->List().Image(0), 2);
    WriteFileText(gameDir + "\\play.exe", "MZ");
    SendMessageA(window->Handle(), WM_COMMAND, IDM_VERIFYALL, 0);
    EXPECT_EQ(window->List().Image(0), 0);
}

TEST_F(GameListTest, WithoutVerificationEveryRowShowsTheUnverifiedImage) {
    WriteSettingValue("ReloadVerify", 0);
    AddGame(MakeGame("One", "p", "c", folder, "none.exe"));
    AddGame(MakeGame("Two"));
    Start();
    EXPECT_EQ(window->List().Image(0), 7);
    EXPECT_EQ(window->List().Image(1), 7);
}

TEST_F(GameListTest, SettingsColumn) {
    GameRecord none = MakeGame("A none");
    GameRecord setup = MakeGame("B setup");
    SetField(setup.setup, "SETUP.EXE");
    GameRecord params = MakeGame("C params", "p", "c", "C:\\", "GAME.EXE");
    SetField(params.setup, "(parameters)");
    params.selectedDisplay = 2;
    SetField(params.vgaParam, "-vga");
    params.selectedSound = 1;
    SetField(params.soundParams[1], "-sb220");
    params.mouseOn = 1;
    SetField(params.mouseParam, "-mouse");
    GameRecord nothing = MakeGame("D nothing", "p", "c", "C:\\", "RUN.BAT");
    SetField(nothing.setup, "(PARAMETERS)");
    AddGame(none);
    AddGame(setup);
    AddGame(params);
    AddGame(nothing);
    Start();
    EXPECT_EQ(Column(3), (std::vector<std::string>{"None", "SETUP.EXE", "GAME.EXE -vga -mouse -sb220 ", "RUN.BAT "}));
    EXPECT_EQ(Column(1)[2], "p");
    EXPECT_EQ(Column(2)[2], "c");
}

TEST_F(GameListTest, SelectingARowShowsTheGame) {
    GameRecord g = MakeGame("Pictured", "Pub", "Cat");
    SetField(g.title, "The Pictured Game");
    WriteGame(GamePath("Pictured"), g, MakeBmp(40, 25, 255, 0, 0));
    AddGame(MakeGame("Plain"));
    Start();
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window->Handle(), IDC_RUNGAME)));
    ClickRow(0);
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - The Pictured Game");
    EXPECT_TRUE(window->Game().loaded);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window->Handle(), IDC_RUNGAME)));
    char lastRun[260];
    ASSERT_TRUE(ReadSettingString("LastRun", lastRun));
    EXPECT_STREQ(lastRun, "Pictured");
    BITMAP bm{};
    HBITMAP shown =
        reinterpret_cast<HBITMAP>(SendDlgItemMessageA(window->Handle(), IDC_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_TRUE(GetObjectA(shown, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 40);
    EXPECT_EQ(bm.bmHeight, 25);

    ClickRow(1);
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Plain");
    shown =
        reinterpret_cast<HBITMAP>(SendDlgItemMessageA(window->Handle(), IDC_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_TRUE(GetObjectA(shown, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 160) << "the default picture";
    EXPECT_EQ(bm.bmHeight, 100);
}

TEST_F(GameListTest, LoadingAGameFileAndItsPicture) {
    WriteGame(GamePath("Pic"), MakeGame("Pic"), MakeBmp(20, 10, 0, 255, 0));
    Start();
    HWND h = window->Handle();
    auto shownSize = [&] {
        BITMAP bm{};
        GetObjectA(reinterpret_cast<HBITMAP>(SendDlgItemMessageA(h, IDC_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                   sizeof bm, &bm);
        return std::make_pair(static_cast<int>(bm.bmWidth), static_cast<int>(bm.bmHeight));
    };
    ASSERT_TRUE(window->LoadGameFile(GamePath("Pic"), true));
    EXPECT_EQ(shownSize(), std::make_pair(20, 10));
    ASSERT_TRUE(window->LoadGameFile(GamePath("Pic"), false));
    EXPECT_EQ(shownSize(), std::make_pair(160, 100)) << "without the picture the default shows";

    // A picture size beyond the end of the file loads the record but leaves the preview alone.
    ASSERT_TRUE(window->LoadGameFile(GamePath("Pic"), true));
    std::vector<char> bytes = ReadFileBytes(GamePath("Pic"));
    bytes.resize(bytes.size() - 100);
    WriteFileBytes(folder + "\\Games\\Cut.qgf", bytes);
    HBITMAP before = window->PreviewBitmap();
    EXPECT_TRUE(window->LoadGameFile(folder + "\\Games\\Cut.qgf", true));
    EXPECT_EQ(window->PreviewBitmap(), before);
    EXPECT_EQ(window->Game().path, folder + "\\Games\\Cut.qgf");

    EXPECT_FALSE(window->LoadGameFile(folder + "\\Games\\missing.qgf", true));
    EXPECT_TRUE(window->Game().path.empty());
    EXPECT_FALSE(window->Game().loaded);
}

TEST_F(GameListTest, RefreshKeepsTheSelectedGameByName) {
    AddGame(MakeGame("Aaa", "p", "Zed"));
    AddGame(MakeGame("Bbb", "p", "Middle"));
    AddGame(MakeGame("Ccc", "p", "Alpha"));
    Start();
    ClickRow(0);
    ASSERT_EQ(window->List().Text(window->GetSelectedRow(), 0), "Aaa");
    ClickColumn(2);  // a fill drops the selection
    EXPECT_EQ(window->GetSelectedRow(), -1);
    ClickRow(2);
    ASSERT_EQ(window->List().Text(2, 0), "Aaa");
    AddGame(MakeGame("Abc", "p", "Aaaa"));
    SendMessageA(window->Handle(), WM_COMMAND, IDM_REFRESH, 0);
    PumpMessages();
    int row = window->GetSelectedRow();
    ASSERT_NE(row, -1);
    EXPECT_EQ(window->List().Text(row, 0), "Aaa");
    EXPECT_EQ(row, 3);
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Aaa");
    char lastRun[260];
    ReadSettingString("LastRun", lastRun);
    EXPECT_STREQ(lastRun, "Aaa") << "the refresh's own pass over the rows does not change the last game";
}

TEST_F(GameListTest, SelectingWithTheKeyboardAfterAFillShowsTheGame) {
    AddGame(MakeGame("First"));
    AddGame(MakeGame("Last"));
    Start();
    window->RefreshGameList();  // passes over every row, the last one last
    ASSERT_EQ(window->GetSelectedRow(), -1);
    window->List().Select(1);  // a selection change without a click
    PumpMessages();
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Last");
    EXPECT_TRUE(window->Game().loaded);
}

TEST_F(GameListTest, ADamagedSelectedGameIsReportedOnceUntilSelectedAgain) {
    AddGame(MakeGame("Good"));
    AddGame(MakeGame("Hurt"));
    Start();
    ClickRow(1);
    ASSERT_TRUE(window->Game().loaded);
    // The file is damaged while it is selected.
    std::vector<char> bytes = ReadFileBytes(GamePath("Hurt"));
    bytes[10] = 9;
    WriteFileBytes(GamePath("Hurt"), bytes);
    ui.Clear();
    for (int i = 0; i < 4; ++i) Repaint();
    const std::string failure = "Failed to load the game file.\nPlease re-create it.";
    ASSERT_EQ(CountMessages(failure), 1u);
    EXPECT_EQ(ui.Messages()[0].caption, "Hurt.qgf");
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c");
    EXPECT_FALSE(window->Game().loaded);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window->Handle(), IDC_RUNGAME)));

    ClickRow(1);
    EXPECT_EQ(CountMessages(failure), 2u) << "a click on the row reports again";
    Repaint();
    EXPECT_EQ(CountMessages(failure), 2u);

    // Repaired on disk: the next repaint shows the game.
    bytes[10] = 7;
    WriteFileBytes(GamePath("Hurt"), bytes);
    Repaint();
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Hurt");
    EXPECT_TRUE(window->Game().loaded);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window->Handle(), IDC_RUNGAME)));

    // Damaged differently: a changed file is reported again.
    bytes.resize(100);
    WriteFileBytes(GamePath("Hurt"), bytes);
    Repaint();
    Repaint();
    EXPECT_EQ(CountMessages(failure), 3u);

    ClickRow(0);
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Good");
    ClickRow(1);
    EXPECT_EQ(CountMessages(failure), 4u) << "selecting it again reports again";
}

}  // namespace
