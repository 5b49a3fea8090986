// The game file: blank records, checks on reading, saving and embedding pictures.
#include "TestEnv.h"
#include "data/GameFile.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

class GameFileTest : public ::testing::Test {
protected:
    void SetUp() override { folder = MakeTempFolder("gamefile"); }
    void TearDown() override { RemoveTree(folder); }
    std::string File(const std::string& name) const { return folder + "\\" + name; }

    std::string folder;
};

int32_t Int32At(const std::vector<char>& bytes, size_t offset) {
    int32_t v;
    std::memcpy(&v, &bytes[offset], 4);
    return v;
}

TEST_F(GameFileTest, BlankFileHasTheDocumentedBytes) {
    ASSERT_TRUE(CreateBlankGameFile(File("blank.qgf")));
    std::vector<char> bytes = ReadFileBytes(File("blank.qgf"));
    ASSERT_EQ(bytes.size(), 11164u);
    EXPECT_EQ(std::string(bytes.data(), 8), "QUILGAME");
    EXPECT_EQ(Int32At(bytes, 8), 7 << 16);  // reserved word 0, version 7
    EXPECT_STREQ(&bytes[12], "Unknown");
    EXPECT_STREQ(&bytes[272], "Unknown");
    EXPECT_STREQ(&bytes[532], "Unknown");
    EXPECT_STREQ(&bytes[792], "C:\\");
    EXPECT_STREQ(&bytes[2352], "no comment");
    EXPECT_EQ(Int32At(bytes, 10592), -1);
    EXPECT_EQ(Int32At(bytes, 10596), -1);
    EXPECT_EQ(Int32At(bytes, 10600), -1);
    EXPECT_EQ(Int32At(bytes, 10620), 3);
    EXPECT_EQ(Int32At(bytes, 11156), 0);
    EXPECT_EQ(std::string(&bytes[11160], 4), "BMP_");
    // Everything else is zero: the command, the devices, the reserved areas.
    for (size_t i = 1052; i < 2352; ++i) ASSERT_EQ(bytes[i], 0) << "offset " << i;
    for (size_t i = 3376; i < 10592; ++i) ASSERT_EQ(bytes[i], 0) << "offset " << i;

    GameRecord g;
    ASSERT_EQ(ReadGameRecord(File("blank.qgf"), g), GameFileStatus::Ok);
    EXPECT_EQ(FieldText(g.title), "Unknown");
    EXPECT_EQ(g.options, 3);
    EXPECT_EQ(g.selectedDisplay, -1);
}

TEST_F(GameFileTest, ReadingRejectsShortAndDamagedFiles) {
    GameRecord out;
    EXPECT_EQ(ReadGameRecord(File("missing.qgf"), out), GameFileStatus::CannotOpen);

    GameRecord blank = BlankGameRecord();
    std::vector<char> record(reinterpret_cast<char*>(&blank), reinterpret_cast<char*>(&blank) + sizeof blank);

    WriteFileBytes(File("short.qgf"), std::vector<char>(record.begin(), record.end() - 1));
    EXPECT_EQ(ReadGameRecord(File("short.qgf"), out), GameFileStatus::TooShort);

    WriteFileBytes(File("exact.qgf"), record);
    EXPECT_EQ(ReadGameRecord(File("exact.qgf"), out), GameFileStatus::Ok);

    struct Damage {
        const char* name;
        size_t offset;
        char value;
    };
    const Damage damages[] = {{"version 6", 10, 6},         {"version 8", 10, 8},         {"reserved word", 8, 1},
                              {"reserved high byte", 9, 1}, {"lower-case magic", 0, 'q'}, {"magic end", 7, 'e'}};
    for (const auto& d : damages) {
        std::vector<char> bad = record;
        bad[d.offset] = d.value;
        WriteFileBytes(File("bad.qgf"), bad);
        EXPECT_EQ(ReadGameRecord(File("bad.qgf"), out), GameFileStatus::Corrupt) << d.name;
    }
    // Neither the tag nor the picture size is checked.
    std::vector<char> odd = record;
    std::memcpy(&odd[11160], "XXXX", 4);
    odd[11156] = 100;
    WriteFileBytes(File("odd.qgf"), odd);
    EXPECT_EQ(ReadGameRecord(File("odd.qgf"), out), GameFileStatus::Ok);
}

TEST_F(GameFileTest, SaveKeepsThePictureAndOnlyForALoadedGame) {
    std::vector<char> picture = MakeBmp(7, 5, 10, 20, 30);
    WriteGame(File("pic.qgf"), MakeGame("Pic"), picture);

    CurrentGame game;
    ASSERT_EQ(ReadGameRecord(File("pic.qgf"), game.record), GameFileStatus::Ok);
    game.path = File("pic.qgf");
    SetField(game.record.comment, "changed");
    EXPECT_FALSE(SaveGameFile(game)) << "a game that did not load is never saved";
    EXPECT_STREQ(&ReadFileBytes(File("pic.qgf"))[2352], "no comment");

    game.loaded = true;
    ASSERT_TRUE(SaveGameFile(game));
    std::vector<char> bytes = ReadFileBytes(File("pic.qgf"));
    ASSERT_EQ(bytes.size(), 11164 + picture.size());
    EXPECT_STREQ(&bytes[2352], "changed");
    EXPECT_TRUE(std::equal(picture.begin(), picture.end(), bytes.begin() + 11164));
    EXPECT_EQ(GetFileAttributesA((File("pic.qgf") + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((File("pic.qgf") + ".old").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(GameFileTest, AFailedSaveOrEmbedLeavesTheFileAsItWas) {
    std::vector<char> picture = MakeBmp(4, 4, 1, 2, 3);
    WriteGame(File("safe.qgf"), MakeGame("Safe"), picture);
    const std::vector<char> before = ReadFileBytes(File("safe.qgf"));
    // The new content cannot be written beside the file: a folder is in the way.
    ASSERT_TRUE(CreateDirectoryA((File("safe.qgf") + ".new").c_str(), nullptr));

    CurrentGame game;
    ASSERT_EQ(ReadGameRecord(File("safe.qgf"), game.record), GameFileStatus::Ok);
    game.path = File("safe.qgf");
    game.loaded = true;
    SetField(game.record.title, "Changed");
    EXPECT_FALSE(SaveGameFile(game));
    EXPECT_EQ(ReadFileBytes(File("safe.qgf")), before);

    WriteFileBytes(File("other.bmp"), MakeBmp(9, 9, 9, 9, 9));
    EXPECT_FALSE(EmbedPicture(File("safe.qgf"), File("other.bmp")));
    EXPECT_EQ(ReadFileBytes(File("safe.qgf")), before);
}

TEST_F(GameFileTest, AFailedSwapPutsTheOldFileBack) {
    WriteGame(File("swap.qgf"), MakeGame("Swap"), MakeBmp(4, 4, 1, 2, 3));
    const std::vector<char> before = ReadFileBytes(File("swap.qgf"));
    // The new content can be written, but an open handle without delete sharing
    // keeps it from being renamed into place after the old file moved aside.
    const std::string fresh = File("swap.qgf") + ".new";
    HANDLE held = CreateFileA(fresh.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string text = "changed";
    EXPECT_FALSE(ReplaceFileContent(File("swap.qgf"), {{text.data(), text.size()}}));
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(File("swap.qgf")), before);
    EXPECT_EQ(GetFileAttributesA((File("swap.qgf") + ".old").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(GameFileTest, EmbedReplacesThePicture) {
    WriteGame(File("e.qgf"), MakeGame("E"), MakeBmp(30, 30, 200, 0, 0));
    std::vector<char> newer = MakeBmp(3, 2, 0, 0, 255);
    WriteFileBytes(File("new.bmp"), newer);
    ASSERT_TRUE(EmbedPicture(File("e.qgf"), File("new.bmp")));
    std::vector<char> bytes = ReadFileBytes(File("e.qgf"));
    ASSERT_EQ(bytes.size(), 11164 + newer.size());
    EXPECT_EQ(static_cast<size_t>(Int32At(bytes, 11156)), newer.size());
    EXPECT_TRUE(std::equal(newer.begin(), newer.end(), bytes.begin() + 11164));
    EXPECT_STREQ(&bytes[12], "E");

    // A file without a picture gets one.
    ASSERT_TRUE(CreateBlankGameFile(File("b.qgf")));
    ASSERT_TRUE(EmbedPicture(File("b.qgf"), File("new.bmp")));
    EXPECT_EQ(ReadFileBytes(File("b.qgf")).size(), 11164 + newer.size());
}

TEST_F(GameFileTest, EmbedRefusesMissingFilesAndWrongVersions) {
    WriteFileBytes(File("p.bmp"), MakeBmp(2, 2, 0, 0, 0));
    EXPECT_FALSE(EmbedPicture(File("none.qgf"), File("p.bmp")));
    ASSERT_TRUE(CreateBlankGameFile(File("g.qgf")));
    EXPECT_FALSE(EmbedPicture(File("g.qgf"), File("none.bmp")));

    std::vector<char> bytes = ReadFileBytes(File("g.qgf"));
    bytes[10] = 6;
    WriteFileBytes(File("v6.qgf"), bytes);
    EXPECT_FALSE(EmbedPicture(File("v6.qgf"), File("p.bmp")));
    EXPECT_EQ(ReadFileBytes(File("v6.qgf")), bytes);

    // The magic is not checked by the embed.
    bytes = ReadFileBytes(File("g.qgf"));
    bytes[0] = 'q';
    WriteFileBytes(File("magic.qgf"), bytes);
    EXPECT_TRUE(EmbedPicture(File("magic.qgf"), File("p.bmp")));

    WriteFileBytes(File("tiny.qgf"), std::vector<char>(100, 0));
    EXPECT_FALSE(EmbedPicture(File("tiny.qgf"), File("p.bmp")));
}

TEST(GameRecordTest, DisplayNumbersMapToTheStoredFields) {
    GameRecord g = BlankGameRecord();
    char* base = reinterpret_cast<char*>(&g);
    const struct {
        int selected;
        size_t offset;
    } fields[] = {{1, 10400}, {2, 10432}, {3, 10496}, {4, 10464}, {5, 10528}, {6, 10560}};
    for (const auto& f : fields) std::snprintf(base + f.offset, 32, "at%zu", f.offset);
    for (const auto& f : fields) {
        g.selectedDisplay = f.selected;
        ASSERT_NE(SelectedDisplayParameter(g), nullptr);
        EXPECT_EQ(std::string(SelectedDisplayParameter(g)), "at" + std::to_string(f.offset)) << f.selected;
    }
    for (int none : {-1, 0, 7, 100}) {
        g.selectedDisplay = none;
        EXPECT_EQ(SelectedDisplayParameter(g), nullptr) << none;
    }
}

TEST(GameRecordTest, FieldsAreCutToFitAndReadWithinTheirSize) {
    GameRecord g = BlankGameRecord();
    std::string longText(400, 'x');
    SetField(g.title, longText.c_str());
    EXPECT_EQ(FieldText(g.title).size(), 259u);
    std::memset(g.keyboardParam, 'k', sizeof g.keyboardParam);  // no terminator at all
    EXPECT_EQ(FieldText(g.keyboardParam).size(), 32u);
}

}  // namespace
