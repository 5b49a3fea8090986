// The game file: blank records, checks on reading, saving and embedding pictures.
#include "BmpBuilder.h"
#include "DialogProbe.h"
#include "Groups.h"
#include "data/Files.h"
#include "data/GameFile.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

class GameFileTest : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return folder + "\\" + name; }
    TempFolder temp{"gamefile"};
    const std::string& folder = temp.path;
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
    EXPECT_EQ(std::string(&bytes[11160], 4), "BMP_");
    const std::pair<size_t, const char*> texts[] = {
        {12, "Unknown"}, {272, "Unknown"}, {532, "Unknown"}, {792, "C:\\"}, {2352, "no comment"}};
    for (auto [at, text] : texts) EXPECT_STREQ(&bytes[at], text) << at;
    // Reserved word 0 and version 7; no display, sound or music; options 3; no picture.
    for (auto [at, value] :
         {std::pair<size_t, int32_t>{8, 7 << 16}, {10592, -1}, {10596, -1}, {10600, -1}, {10620, 3}, {11156, 0}})
        EXPECT_EQ(Int32At(bytes, at), value) << at;
    // Everything else is zero: the command, the devices, the reserved areas.
    for (auto [from, to] : {std::pair<size_t, size_t>{1052, 2352}, {3376, 10592}})
        for (size_t i = from; i < to; ++i) ASSERT_EQ(bytes[i], 0) << "offset " << i;
}

// "Run with" lives in the reserved area at 3636 (tag "RUN_", value 1 or 2):
// Default leaves files as they were, byte for byte, through every save.
TEST_F(GameFileTest, RunWithRoundTripsAndDefaultKeepsOlderFilesIdentical) {
    WriteGame(File("old.qgf"), MakeGame("Old", "p", "c", "C:\\GAMES", "GAME.EXE"), MakeBmp(4, 4, 1, 2, 3));
    const std::vector<char> before = ReadFileBytes(File("old.qgf"));
    CurrentGame current;
    auto load = [&current](const std::string& path) {
        current.path = path;
        current.loaded = ReadGameRecord(path, current.record) == GameFileStatus::Ok;
        return current.loaded;
    };
    ASSERT_TRUE(load(File("old.qgf")));
    EXPECT_EQ(GameRunWith(current.record), RunWith::Default);
    SetGameRunWith(current.record, RunWith::Default);
    ASSERT_TRUE(SaveGameFile(current));
    EXPECT_EQ(ReadFileBytes(File("old.qgf")), before) << "a file written before reads as Default and stays";

    std::vector<std::string> stored;
    for (RunWith choice : {RunWith::DosBox, RunWith::Windows, RunWith::Default}) {
        SetGameRunWith(current.record, choice);
        ASSERT_TRUE(SaveGameFile(current));
        ASSERT_TRUE(load(File("old.qgf")));
        const std::vector<char> bytes = ReadFileBytes(File("old.qgf"));
        stored.push_back(std::to_string(static_cast<int>(GameRunWith(current.record))) + std::string(&bytes[3636], 4) +
                         std::to_string(Int32At(bytes, 3640)));
    }
    EXPECT_EQ(stored, (std::vector<std::string>{"2RUN_2", "1RUN_1", std::string("0\0\0\0\0", 5) + "0"}));
    EXPECT_EQ(ReadFileBytes(File("old.qgf")), before) << "saved with Default: what the program wrote before";

    // Anything but the tag with 1 or 2 reads as Default; choosing Default keeps
    // bytes that hold no choice.
    std::memcpy(current.record.runTag, "RUN_", 4);
    current.record.runWith = 7;
    EXPECT_EQ(GameRunWith(current.record), RunWith::Default);
    std::vector<char> odd = before;
    std::memcpy(&odd[3636], "run_\x02\0\0\0", 8);
    odd[3700] = 'x';
    WriteFileBytes(File("odd.qgf"), odd);
    ASSERT_TRUE(load(File("odd.qgf")));
    EXPECT_EQ(GameRunWith(current.record), RunWith::Default) << "the tag is compared exactly";
    SetGameRunWith(current.record, RunWith::Default);
    ASSERT_TRUE(SaveGameFile(current));
    EXPECT_EQ(ReadFileBytes(File("odd.qgf")), odd);
}

TEST_F(GameFileTest, ReadingRejectsShortAndDamagedFiles) {
    GameRecord out;
    EXPECT_EQ(ReadGameRecord(File("missing.qgf"), out), GameFileStatus::CannotOpen);
    GameRecord blank = BlankGameRecord();
    const std::vector<char> record(reinterpret_cast<char*>(&blank), reinterpret_cast<char*>(&blank) + sizeof blank);
    WriteFileBytes(File("short.qgf"), std::vector<char>(record.begin(), record.end() - 1));
    EXPECT_EQ(ReadGameRecord(File("short.qgf"), out), GameFileStatus::TooShort);

    const struct {
        size_t offset;
        char value;
        GameFileStatus status;
    } cases[] = {{10, 7, GameFileStatus::Ok},       {10, 6, GameFileStatus::Corrupt}, {10, 8, GameFileStatus::Corrupt},
                 {8, 1, GameFileStatus::Corrupt},   {9, 1, GameFileStatus::Corrupt},  {0, 'q', GameFileStatus::Corrupt},
                 {7, 'e', GameFileStatus::Corrupt}, {11160, 'X', GameFileStatus::Ok}, {11156, 100, GameFileStatus::Ok}};
    for (const auto& c : cases) {
        std::vector<char> bad = record;
        bad[c.offset] = c.value;
        WriteFileBytes(File("bad.qgf"), bad);
        EXPECT_EQ(ReadGameRecord(File("bad.qgf"), out), c.status) << c.offset << " = " << int(c.value);
    }
}

TEST_F(GameFileTest, SaveKeepsThePictureAndOnlyForALoadedGame) {
    const std::vector<char> picture = MakeBmp(7, 5, 10, 20, 30);
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
    for (const char* left : {".new", ".old"}) EXPECT_FALSE(FileExists(File("pic.qgf") + left)) << left;

    // A game whose file has gone (and had no picture) is written anew.
    game.path = File("gone.qgf");
    game.record.pictureSize = 0;
    EXPECT_TRUE(SaveGameFile(game));
    EXPECT_EQ(ReadFileBytes(File("gone.qgf")).size(), 11164u);
}

TEST_F(GameFileTest, AFailedSwapPutsTheOldFileBack) {
    WriteGame(File("safe.qgf"), MakeGame("Safe"), MakeBmp(4, 4, 1, 2, 3));
    const std::vector<char> before = ReadFileBytes(File("safe.qgf"));
    // The new content is written, but an open handle without delete sharing keeps
    // it from being renamed into place after the old file moved aside.
    HANDLE held = CreateFileA(File("safe.qgf.new").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string text = "changed";
    EXPECT_FALSE(ReplaceFileContent(File("safe.qgf"), {{text.data(), text.size()}}));
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(File("safe.qgf")), before);
    EXPECT_FALSE(FileExists(File("safe.qgf.old")));
}

// Only a whole bitmap of at most 4 MiB, its size read in 64 bits, becomes a
// game's picture: the damaged pictures that crashed LoadImageA, a text file,
// a 4 GiB + 16 byte file whose low 32 bits say 16, and devices are refused,
// and the game file stays as it was.
TEST_F(GameFileTest, OnlyWholeBitmapsUpToTheCapAreEmbedded) {
    const std::vector<char> good = MakeBmp(8, 8, 1, 2, 3);
    std::vector<char> cap = good;  // bytes after the pixels are allowed
    cap.resize(4 << 20);
    std::vector<char> over = cap;
    over.push_back(0);
    const std::pair<const char*, std::vector<char>> files[] = {{"good.bmp", good},
                                                               {"cap.bmp", cap},
                                                               {"over.bmp", over},
                                                               {"notes.txt", {'B', 'M', 'x'}},
                                                               {"header.bmp", HeaderWithoutPixels()},
                                                               {"offset1.bmp", PixelsAtOffsetOne()},
                                                               {"empty.bmp", {}}};
    for (const auto& [name, bytes] : files) WriteFileBytes(File(name), bytes);
    HANDLE sparse = CreateFileA(File("sparse.bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(sparse, good.data(), 16, &written, nullptr);
    LONG high = 1;
    SetFilePointer(sparse, 16, &high, FILE_BEGIN);
    SetEndOfFile(sparse);
    CloseHandle(sparse);
    ASSERT_TRUE(CreateBlankGameFile(File("g.qgf")));

    using S = PictureFileStatus;
    ExpectGroups<S>({{S::Ok, {"good.bmp", "cap.bmp"}},
                     {S::TooLarge, {"over.bmp", "sparse.bmp"}},
                     {S::NotABitmap, {"notes.txt", "header.bmp", "offset1.bmp", "empty.bmp"}},
                     {S::CannotRead, {"missing.bmp", "COM1", "aux.bmp", "CON\\x.bmp"}}},
                    [&](const std::string& name) {
                        std::vector<char> bytes(3, 'x');
                        const S status = ReadPictureFile(File(name), bytes);
                        const std::vector<char> before = ReadFileBytes(File("g.qgf"));
                        EXPECT_EQ(EmbedPicture(File("g.qgf"), File(name)), status == S::Ok) << name;
                        std::vector<char> after = ReadFileBytes(File("g.qgf"));
                        if (status == S::Ok) {
                            EXPECT_EQ(bytes, ReadFileBytes(File(name))) << name;
                            EXPECT_EQ(std::vector<char>(after.begin() + kGameRecordSize, after.end()), bytes) << name;
                        } else {
                            EXPECT_TRUE(bytes.empty()) << name;
                            EXPECT_EQ(after, before) << name;
                        }
                        return status;
                    });
    EXPECT_FALSE(EmbedPictureBytes(File("g.qgf"), HeaderWithoutPixels())) << "the bytes are checked again";

    WriteFileBytes(File("p.bmp"), good);
    WriteFileBytes(File("tiny.qgf"), std::vector<char>(100, 0));
    for (const char* game : {"none.qgf", "tiny.qgf"}) EXPECT_FALSE(EmbedPicture(File(game), File("p.bmp"))) << game;

    // A wrong version is refused and left alone; the magic is not checked.
    for (auto [at, value, embeds] : {std::tuple<size_t, char, bool>{10, 6, false}, {0, 'q', true}}) {
        std::vector<char> bytes = ReadFileBytes(File("g.qgf"));
        bytes[at] = value;
        WriteFileBytes(File("x.qgf"), bytes);
        EXPECT_EQ(EmbedPicture(File("x.qgf"), File("p.bmp")), embeds) << at;
        if (!embeds) {
            EXPECT_EQ(ReadFileBytes(File("x.qgf")), bytes);
        }
    }
}

TEST(GameRecordTest, DisplayNumbersMapToTheStoredFields) {
    GameRecord g = BlankGameRecord();
    char* base = reinterpret_cast<char*>(&g);
    const std::pair<int, size_t> fields[] = {{1, 10400}, {2, 10432}, {3, 10496}, {4, 10464}, {5, 10528}, {6, 10560}};
    for (auto [selected, offset] : fields) std::snprintf(base + offset, 32, "at%zu", offset);
    for (auto [selected, offset] : fields) {
        g.selectedDisplay = selected;
        ASSERT_NE(SelectedDisplayParameter(g), nullptr);
        EXPECT_EQ(std::string(SelectedDisplayParameter(g)), "at" + std::to_string(offset)) << selected;
    }
    for (int none : {-1, 0, 7, 100}) {
        g.selectedDisplay = none;
        EXPECT_EQ(SelectedDisplayParameter(g), nullptr) << none;
    }
}

TEST(GameRecordTest, FieldsAreCutToFitAndReadWithinTheirSize) {
    GameRecord g = BlankGameRecord();
    SetField(g.title, std::string(400, 'x').c_str());
    EXPECT_EQ(FieldText(g.title).size(), 259u);
    std::memset(g.keyboardParam, 'k', sizeof g.keyboardParam);  // no terminator at all
    EXPECT_EQ(FieldText(g.keyboardParam).size(), 32u);
}

}  // namespace
