// A new game's title, setup program and record, without the dialog.
#include "TestEnv.h"
#include "data/GameFile.h"
#include "data/NewGame.h"
#include <gtest/gtest.h>

namespace {

TEST(NewGameTest, TitlesMustNameAPlainFileInsideGames) {
    const std::string folder = "C:\\Quillon";
    const std::pair<std::string, TitleProblem> cases[] = {
        {"X", TitleProblem::TooShort},          {"XY", TitleProblem::None},
        {"Doom\\II", TitleProblem::NotAFileName}, {"AC/DC", TitleProblem::NotAFileName},
        {"Wing: Commander", TitleProblem::NotAFileName}, {"Why?", TitleProblem::NotAFileName},
        {"Star*", TitleProblem::NotAFileName},  {"\"Q\"", TitleProblem::NotAFileName},
        {"<T>", TitleProblem::NotAFileName},    {"a|b", TitleProblem::NotAFileName},
        {"Dot at end.", TitleProblem::NotAFileName}, {"..", TitleProblem::NotAFileName},
        {"Space at end ", TitleProblem::NotAFileName}, {"Tab\there", TitleProblem::NotAFileName},
        {"nul.txt", TitleProblem::DeviceName},  {"Com1", TitleProblem::DeviceName},
        {"CLOCK$", TitleProblem::DeviceName},   {"lpt9 .x", TitleProblem::DeviceName},
        {"Console Wars", TitleProblem::None},   {"COM10", TitleProblem::None},
        {"Episode 1.5", TitleProblem::None},
    };
    for (const auto& [title, problem] : cases) EXPECT_EQ(CheckGameTitle(title, folder), problem) << title;
    const size_t fixed = GameFilePath(folder, "").size();
    EXPECT_EQ(CheckGameTitle(std::string(kMaxGamePath - fixed, 'a'), folder), TitleProblem::None);
    EXPECT_EQ(CheckGameTitle(std::string(kMaxGamePath - fixed + 1, 'a'), folder), TitleProblem::TooLong);
}

TEST(NewGameTest, RecordAndSafeWrite) {
    const std::string dir = MakeTempFolder("newgame");
    WriteFileBytes(dir + "\\KEEN4E.EXE", std::vector<char>(1234, 'x'));
    NewGameFields f;
    f.title = "Keen";
    f.path = dir;
    f.command = "KEEN4E.EXE";
    f.dataFile = "GONE.DAT";
    f.vdmSound = false;
    GameRecord r = NewGameRecord(f, "SETUP.EXE");
    EXPECT_EQ(r.options, kOptionWin95);
    EXPECT_EQ(r.programSize, 1234u);
    EXPECT_EQ(FieldText(r.programName), "KEEN4E.EXE");
    EXPECT_EQ(FieldText(r.dataName), "GONE.DAT");
    EXPECT_EQ(r.dataSize, 0u) << "a data file that does not open has no size";
    EXPECT_EQ(FieldText(r.setup), "SETUP.EXE");

    const std::string path = dir + "\\Keen.qgf";
    WriteGame(path, MakeGame("Old"), MakeBmp(8, 8, 1, 2, 3));
    ASSERT_TRUE(WriteNewGameFile(path, r));
    EXPECT_EQ(ReadFileBytes(path).size(), kGameRecordSize) << "the old picture is gone";
    GameRecord back;
    ASSERT_EQ(ReadGameRecord(path, back), GameFileStatus::Ok);
    EXPECT_EQ(FieldText(back.title), "Keen");
    EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(WriteNewGameFile(dir + "\\Missing\\X.qgf", r));
    RemoveTree(dir);
}

}  // namespace
