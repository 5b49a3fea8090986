// A new game's title, setup program and record, without the dialog.
#include "CatalogueTools.h"
#include "DialogProbe.h"
#include "Groups.h"
#include "data/GameFile.h"
#include "data/NewGame.h"
#include <gtest/gtest.h>

namespace {

TEST(NewGameTest, TitlesMustNameAPlainFileInsideGames) {
    using T = TitleProblem;
    const std::string folder = "C:\\Quillon";
    const size_t room = kMaxGamePath - GameFilePath(folder, "").size();
    // The file name rule itself is CheckGameFileName's (test_name_rules).
    ExpectGroups<T>({{T::None, {"XY", std::string(room, 'a')}},
                     {T::TooShort, {"X", ""}},
                     {T::TooLong, {std::string(room + 1, 'a')}},
                     {T::NotAFileName, {"  ", "AC/DC", "..", "Dot at end.", "Why?"}},
                     {T::DeviceName, {"Com1"}}},
                    [&](const std::string& title) { return CheckGameTitle(title, folder); });
}

TEST(NewGameTest, RecordAndSafeWrite) {
    TempFolder dir("newgame");
    WriteFileBytes(dir.path + "\\KEEN4E.EXE", std::vector<char>(1234, 'x'));
    NewGameFields f;
    f.title = "Keen";
    f.path = dir.path;
    f.command = "KEEN4E.EXE";
    f.dataFile = "GONE.DAT";  // a data file that does not open has no size
    f.vdmSound = false;
    GameRecord r = NewGameRecord(f, "SETUP.EXE");
    EXPECT_EQ((std::vector<uint32_t>{static_cast<uint32_t>(r.options), r.programSize, r.dataSize}),
              (std::vector<uint32_t>{kOptionWin95, 1234, 0}));
    EXPECT_EQ((std::vector<std::string>{r.programName, r.dataName, r.setup}),
              (std::vector<std::string>{"KEEN4E.EXE", "GONE.DAT", "SETUP.EXE"}));

    const std::string path = dir.path + "\\Keen.qgf";
    WriteGame(path, MakeGame("Old"), MakeBmp(8, 8, 1, 2, 3));
    ASSERT_TRUE(WriteNewGameFile(path, r));
    EXPECT_EQ(ReadFileBytes(path).size(), kGameRecordSize) << "the old picture is gone";
    GameRecord back;
    ASSERT_EQ(ReadGameRecord(path, back), GameFileStatus::Ok);
    EXPECT_EQ(FieldText(back.title), "Keen");
    EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(WriteNewGameFile(dir.path + "\\Missing\\X.qgf", r));

    // The short name of another game's file is that file: refused, and it stays.
    CreateDirectoryA((dir.path + "\\Games").c_str(), nullptr);
    const std::string deluxe = GameFilePath(dir.path, "Keen Dreams Deluxe");
    WriteGame(deluxe, MakeGame("Deluxe"), MakeBmp(2, 2, 1, 1, 1));
    const std::vector<char> kept = ReadFileBytes(deluxe);
    const std::string alias = ShortBaseName(deluxe);
    ASSERT_FALSE(alias.empty());
    EXPECT_EQ(CheckGameTitle(alias, dir.path), TitleProblem::OtherFileName);
    EXPECT_FALSE(WriteNewGameFile(GameFilePath(dir.path, alias), r));
    EXPECT_EQ(ReadFileBytes(deluxe), kept);
}

}  // namespace
