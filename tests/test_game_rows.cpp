// The game list's rules without a window: which files are listed, what each row shows, their order.
#include "TestEnv.h"
#include "data/GameFolder.h"
#include "launch/GameRows.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

class GameRowsTest : public ::testing::Test {
protected:
    void SetUp() override { folder = MakeTempFolder("rows"); }
    void TearDown() override { RemoveTree(folder); }
    std::string folder;
};

TEST_F(GameRowsTest, ListingCountsEveryMatchKeepsFilesUpToTheLimitSortedWithoutCase) {
    for (const char* name : {"zeta.qgf", "Alpha.qgf", "UPPER.QGF", "mid.Qgf", "other.txt"})
        WriteGame(folder + "\\" + name, MakeGame("x"));
    CreateDirectoryA((folder + "\\folder.qgf").c_str(), nullptr);
    GameFolderListing all = ListGameFiles(folder, 512);
    EXPECT_EQ(all.counted, 5) << "the folder counts, the .txt does not";
    EXPECT_EQ(all.files, (std::vector<std::string>{"Alpha.qgf", "mid.Qgf", "UPPER.QGF", "zeta.qgf"}));
    GameFolderListing few = ListGameFiles(folder, 3);
    EXPECT_TRUE(few.counted == 5 && few.files.size() == 3u);
    EXPECT_EQ(ListGameFiles(folder + "\\missing", 512).counted, 0);

    const std::pair<const char*, const char*> names[] = {
        {"Doom.qgf", "Doom"}, {"DOOM.QGF", "DOOM"}, {"a.b.qgf", "a.b"}, {"x.qgfx", "x"}, {".qgf", ".qgf"}};
    for (const auto& [file, name] : names) EXPECT_EQ(GameNameFromFile(file), name) << file;
}

TEST_F(GameRowsTest, StatusImageAndSettingsText) {
    const std::string dir = folder + "\\Game";
    CreateDirectoryA(dir.c_str(), nullptr);
    WriteFileText(dir + "\\play.exe", "MZ");
    const struct {
        std::string path, command;
        int image;
    } images[] = {{dir, "play.exe", 0}, {folder + "\\Nowhere", "play.exe", 1},
                  {dir, "gone.exe", 2}, {dir, "x", 2},
                  {"C", "play.exe", 1}, {dir, "", 2}};
    for (const auto& c : images)
        EXPECT_EQ(GameStatusImage(MakeGame("t", "p", "c", c.path, c.command)), c.image) << c.path << " " << c.command;

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

TEST_F(GameRowsTest, RowsAreReadOnceAndGroupedByTheSortColumn) {
    const struct {
        const char *title, *publisher, *category;
    } games[] = {{"Doom", "id", "Action"},
                 {"Monkey", "LucasArts", "adventure"},
                 {"Keen", "id", "action"},
                 {"Loom", "LucasArts", "Adventure"},
                 {"Civ", "MicroProse", "Strategy"}};
    std::vector<GameRowData> rows;
    for (const auto& g : games) {
        WriteGame(folder + "\\" + g.title + ".qgf", MakeGame(g.title, g.publisher, g.category));
        rows.push_back(ReadGameRow(folder, std::string(g.title) + ".qgf", true));
    }
    WriteFileBytes(folder + "\\Broken.qgf", std::vector<char>(50, 'x'));
    rows.push_back(ReadGameRow(folder, "Broken.qgf", true));
    EXPECT_TRUE(!rows.back().loaded && rows.back().image == 1 && rows.back().settings == "None");
    EXPECT_EQ(ReadGameRow(folder, "Broken.qgf", false).image, 7);

    auto names = [&] {
        std::vector<std::string> out;
        for (const auto& r : rows) out.push_back(r.name);
        return out;
    };
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (int column : {2, 1, 0}) {  // column 0 keeps the order it is given
        OrderGameRows(rows, column);
        EXPECT_EQ(names(), (std::vector<std::string>{"Broken", "Doom", "Keen", "Loom", "Monkey", "Civ"})) << column;
    }

    // A record with the wrong magic still gives its sort key.
    GameRecord wrong = MakeGame("W", "Zz", "Zz");
    wrong.magic[0] = 'X';
    WriteGame(folder + "\\W.qgf", wrong);
    GameRowData w = ReadGameRow(folder, "W.qgf", true);
    EXPECT_TRUE(!w.loaded && w.sortKeys[1] == "Zz" && w.category.empty());
}

}  // namespace
