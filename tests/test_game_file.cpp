// The game file: the picture check, blank records, reading, saving, embedding and the reserved area's entries.
#include "BmpBuilder.h"
#include "DialogProbe.h"
#include "Groups.h"
#include "data/Bitmap.h"
#include "data/Files.h"
#include "data/GameExtras.h"
#include "data/GameFile.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

int32_t Int32At(const std::vector<char>& bytes, size_t offset) {
    int32_t v;
    std::memcpy(&v, &bytes[offset], 4);
    return v;
}

bool Usable(const std::vector<char>& b) { return IsUsableBitmap(b.data(), b.size()); }

BmpSpec Rle(int32_t w, int32_t h, uint16_t bits, std::vector<unsigned char> stream) {
    BmpSpec s(w, h, bits, bits == 8 ? 1 : 2);
    s.bits = std::move(stream);
    return s;
}

// Run-length: line 0 a run of 4, line 1 three padded literals and a run of 1; a 4-bit run of 6.
TEST(PictureCheck, WholeBitmapsOfEveryKindPassAndDamagedOnesAreRefused) {
    const BmpSpec good[] = {{13, 7, 1},         {5, 3, 4},        {9, 10, 8, 0, 40, 16}, {3, 3, 16},
                            {7, -5, 24},        {2, 2, 32},       {4, 4, 16, 3},         {4, 4, 32, 3, 108},
                            {6, 6, 24, 0, 124}, {5, 5, 8, 0, 12}, {5, 5, 24, 0, 12}};
    for (const BmpSpec& s : good) EXPECT_TRUE(Usable(BuildBmp(s))) << s.width << "x" << s.height << "x" << s.bitCount;
    // The largest run-length picture a preview may unpack to: 8192 x 8192 at 8 bits, 64 MiB.
    for (const BmpSpec& s : {Rle(4, 2, 8, {4, 7, 0, 0, 0, 3, 1, 2, 3, 0, 1, 9, 0, 1}), Rle(6, 1, 4, {6, 0x12, 0, 1}),
                             Rle(8192, 8192, 8, {0, 1})})
        EXPECT_TRUE(Usable(BuildBmp(s))) << s.bitCount;
    std::vector<char> cutShort = MakeBmp(64, 64, 1, 2, 3);
    cutShort.resize(cutShort.size() - 4096);
    for (const auto& bad : {HeaderWithoutPixels(), cutShort, PixelsAtOffsetOne()}) EXPECT_FALSE(Usable(bad));
    const std::vector<char> whole = BuildBmp(BmpSpec{});
    // Header fields a bitmap cannot have: names, offsets, header sizes, dimensions, planes, depths, encodings.
    const std::tuple<size_t, uint32_t, int> damages[] = {
        {0, 0x4142, 2},       {10, 60, 4}, {14, 64, 4},         {14, 56, 4},          {14, 4000, 4}, {18, 0, 4},
        {18, 0xFFFFFFF8u, 4}, {22, 0, 4},  {22, 0x7FFFFFFF, 4}, {22, 0x80000000u, 4}, {26, 2, 2},    {28, 7, 2},
        {30, 4, 4},           {30, 5, 4},  {30, 1, 4},          {30, 3, 4},           {46, 300, 4},  {46, 200, 4}};
    for (const auto& [offset, value, bytes] : damages) {
        std::vector<char> bad = whole;
        std::memcpy(&bad[offset], &value, bytes);
        EXPECT_FALSE(Usable(bad)) << offset << " = " << value;
    }
    for (size_t cut : {size_t{0}, size_t{2}, size_t{14}, size_t{20}, size_t{53}, whole.size() - 1})
        EXPECT_FALSE(IsUsableBitmap(whole.data(), cut)) << "cut to " << cut;
    BmpSpec noTable(8, 8, 8);  // a colour table promised, the pixels right after the header
    noTable.bitsOffset = 54;
    const std::pair<const char*, BmpSpec> specs[] = {
        {"no colour table", noTable},
        {"run past the line", Rle(4, 2, 8, {5, 7, 0, 1})},
        {"literal past the line", Rle(4, 2, 8, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1})},
        {"literal past the bytes", Rle(4, 2, 8, {0, 4, 1, 2})},
        {"line below the picture", Rle(4, 2, 8, {0, 0, 0, 0, 0, 0, 1, 1, 0, 1})},
        {"move past the picture", Rle(4, 2, 8, {0, 2, 9, 0, 1, 1, 0, 1})},
        {"move cut short", Rle(4, 2, 8, {0, 2, 1})},
        {"no end marker", Rle(4, 2, 8, {4, 7, 0, 0})},
        {"top-down run lengths", Rle(4, -2, 8, {4, 7, 0, 1})},
        {"one line more than 64 MiB", Rle(8192, 8193, 8, {0, 1})}};
    for (const auto& [name, spec] : specs) EXPECT_FALSE(Usable(BuildBmp(spec))) << name;
}

class GameFileTest : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return folder + "\\" + name; }
    bool Load(const std::string& name) {
        current.path = File(name);
        current.loaded = ReadGameRecord(current.path, current.record) == GameFileStatus::Ok;
        return current.loaded;
    }
    TempFolder temp{"gamefile"};
    const std::string& folder = temp.path;
    CurrentGame current;
};

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
    for (auto [from, to] : {std::pair<size_t, size_t>{1052, 2352}, {3376, 10592}})
        for (size_t i = from; i < to; ++i) ASSERT_EQ(bytes[i], 0) << "offset " << i;
}

// "Run with" at 3636 (tag "RUN_", 1 or 2); Default keeps files byte for byte through every save.
TEST_F(GameFileTest, RunWithRoundTripsAndDefaultKeepsOlderFilesIdentical) {
    WriteGame(File("old.qgf"), MakeGame("Old", "p", "c", "C:\\GAMES", "GAME.EXE"), MakeBmp(4, 4, 1, 2, 3));
    const std::vector<char> before = ReadFileBytes(File("old.qgf"));
    std::vector<std::string> stored;
    for (RunWith choice : {RunWith::Default, RunWith::DosBox, RunWith::Windows, RunWith::Default}) {
        ASSERT_TRUE(Load("old.qgf"));
        SetGameRunWith(current.record, choice);
        ASSERT_TRUE(SaveGameFile(current));
        ASSERT_TRUE(Load("old.qgf"));
        const std::vector<char> bytes = ReadFileBytes(File("old.qgf"));
        stored.push_back(std::to_string(static_cast<int>(GameRunWith(current.record))) + std::string(&bytes[3636], 4) +
                         std::to_string(Int32At(bytes, 3640)));
    }
    const std::string none = "0" + std::string(4, '\0') + "0";
    EXPECT_EQ(stored, (std::vector<std::string>{none, "2RUN_2", "1RUN_1", none}));
    EXPECT_EQ(ReadFileBytes(File("old.qgf")), before) << "saved with Default: what the program wrote before";
    std::memcpy(current.record.runTag, "RUN_", 4);
    current.record.runWith = 7;
    EXPECT_EQ(GameRunWith(current.record), RunWith::Default);
    std::vector<char> odd = before;
    std::memcpy(&odd[3636], "run_\x02\0\0\0", 8);
    odd[3700] = 'x';
    WriteFileBytes(File("odd.qgf"), odd);
    ASSERT_TRUE(Load("odd.qgf"));
    EXPECT_EQ(GameRunWith(current.record), RunWith::Default) << "the tag is compared exactly";
    SetGameRunWith(current.record, RunWith::Default);
    ASSERT_TRUE(SaveGameFile(current));
    EXPECT_EQ(ReadFileBytes(File("odd.qgf")), odd);
}

TEST_F(GameFileTest, ReadingRejectsShortDamagedAndDeviceFiles) {
    GameRecord out;
    EXPECT_EQ(ReadGameRecord(File("missing.qgf"), out), GameFileStatus::CannotOpen);
    GameRecord blank = BlankGameRecord();
    const std::vector<char> record(reinterpret_cast<char*>(&blank), reinterpret_cast<char*>(&blank) + sizeof blank);
    WriteFileBytes(File("short.qgf"), std::vector<char>(record.begin(), record.end() - 1));
    EXPECT_EQ(ReadGameRecord(File("short.qgf"), out), GameFileStatus::TooShort);
    // The version (7), the reserved word and the magic are checked; the picture's tag and size are not.
    using S = GameFileStatus;
    const std::tuple<size_t, char, S> cases[] = {{10, 7, S::Ok},       {10, 6, S::Corrupt}, {10, 8, S::Corrupt},
                                                 {8, 1, S::Corrupt},   {9, 1, S::Corrupt},  {0, 'q', S::Corrupt},
                                                 {7, 'e', S::Corrupt}, {11160, 'X', S::Ok}, {11156, 100, S::Ok}};
    for (const auto& [offset, value, status] : cases) {
        std::vector<char> bad = record;
        bad[offset] = value;
        WriteFileBytes(File("bad.qgf"), bad);
        EXPECT_EQ(ReadGameRecord(File("bad.qgf"), out), status) << offset << " = " << int(value);
    }
    std::vector<char> picture;
    for (const char* device : {"COM1.qgf", "aux.qgf", "CON"}) {
        EXPECT_EQ(ReadGameRecord(File(device), out), GameFileStatus::CannotOpen) << device;
        EXPECT_FALSE(ReadGamePicture(File(device), 10, picture)) << device;
        EXPECT_FALSE(CreateBlankGameFile(File(device))) << device;
    }
}

TEST_F(GameFileTest, PictureSizeIsBoundedByTheFile) {
    const std::vector<char> picture = MakeBmp(8, 8, 1, 1, 1);
    WriteGame(File("p.qgf"), MakeGame("P"), picture);
    std::vector<char> bytes = ReadFileBytes(File("p.qgf"));
    std::vector<char> out;
    ASSERT_TRUE(ReadGamePicture(File("p.qgf"), static_cast<uint32_t>(picture.size()), out));
    EXPECT_EQ(out, picture);
    for (uint32_t size :
         {static_cast<uint32_t>(picture.size() + 1), 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
        std::memcpy(&bytes[11156], &size, 4);
        WriteFileBytes(File("p.qgf"), bytes);
        out.assign(3, 'x');
        EXPECT_FALSE(ReadGamePicture(File("p.qgf"), size, out)) << size;
        EXPECT_TRUE(out.empty()) << size;
        EXPECT_LT(out.capacity(), 1000000u) << size;
    }
    EXPECT_FALSE(ReadGamePicture(File("missing.qgf"), 1, out));
}

// A game that did not load is never saved; one whose file has gone (no picture) is written anew.
TEST_F(GameFileTest, SaveOnlyForALoadedGame) {
    WriteGame(File("pic.qgf"), MakeGame("Pic"), MakeBmp(7, 5, 10, 20, 30));
    ASSERT_TRUE(Load("pic.qgf"));
    current.loaded = false;
    SetField(current.record.comment, "changed");
    EXPECT_FALSE(SaveGameFile(current));
    EXPECT_STREQ(&ReadFileBytes(File("pic.qgf"))[2352], "no comment");
    current.loaded = true;
    current.path = File("gone.qgf");
    current.record.pictureSize = 0;
    EXPECT_TRUE(SaveGameFile(current));
    EXPECT_EQ(ReadFileBytes(File("gone.qgf")).size(), 11164u);
}

// A save or embed that cannot finish (locked, read-only, "X.new" a folder or held) leaves the file as it was.
TEST_F(GameFileTest, FailedWritesLeaveTheFileAsItWas) {
    WriteGame(File("safe.qgf"), MakeGame("Safe"), MakeBmp(4, 4, 1, 2, 3));
    WriteFileBytes(File("p.bmp"), MakeBmp(2, 2, 9, 9, 9));
    const std::vector<char> before = ReadFileBytes(File("safe.qgf"));
    const std::string path = File("safe.qgf");
    enum Hold { LockedAll, LockedWrite, ReadOnly, NewIsFolder, NewHeld };
    for (Hold hold : {LockedAll, LockedWrite, ReadOnly, NewIsFolder, NewHeld}) {
        for (bool embed : {false, true}) {
            ASSERT_TRUE(Load("safe.qgf"));
            SetField(current.record.comment, "changed");
            HANDLE h = INVALID_HANDLE_VALUE;
            if (hold == LockedAll || hold == LockedWrite)
                h = CreateFileA(path.c_str(), GENERIC_READ, hold == LockedAll ? 0 : FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
            if (hold == NewHeld)
                h = CreateFileA((path + ".new").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
            if (hold == ReadOnly) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
            if (hold == NewIsFolder) CreateDirectoryA((path + ".new").c_str(), nullptr);
            EXPECT_FALSE(embed ? EmbedPicture(path, File("p.bmp")) : SaveGameFile(current)) << hold << embed;
            if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
            EXPECT_TRUE(hold == NewHeld || !FileExists(path + ".new")) << hold << embed;
            EXPECT_FALSE(FileExists(path + ".old")) << hold << embed;
            EXPECT_EQ(IsReadOnlyFile(path), hold == ReadOnly) << hold << embed;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            RemoveDirectoryA((path + ".new").c_str());
            DeleteFileA((path + ".new").c_str());
            EXPECT_EQ(ReadFileBytes(path), before) << hold << embed;
        }
    }
}

// Only a whole bitmap of at most 4 MiB (size read in 64 bits) is embedded; the game file stays otherwise.
TEST_F(GameFileTest, OnlyWholeBitmapsUpToTheCapAreEmbedded) {
    const std::vector<char> good = MakeBmp(8, 8, 1, 2, 3);
    std::vector<char> cap = good;  // bytes after the pixels are allowed
    cap.resize(4 << 20);
    std::vector<char> over = cap;
    over.push_back(0);
    const std::pair<const char*, std::vector<char>> files[] = {
        {"good.bmp", good}, {"cap.bmp", cap}, {"over.bmp", over}, {"notes.txt", {'B', 'M', 'x'}},
        {"header.bmp", HeaderWithoutPixels()}, {"offset1.bmp", PixelsAtOffsetOne()}, {"empty.bmp", {}}};
    for (const auto& [name, bytes] : files) WriteFileBytes(File(name), bytes);
    WriteSparseFile(File("sparse.bmp"), std::string(good.data(), 16), (1ull << 32) + 16);
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
                        EXPECT_EQ(bytes, status == S::Ok ? ReadFileBytes(File(name)) : std::vector<char>()) << name;
                        if (status == S::Ok) after.erase(after.begin(), after.begin() + kGameRecordSize);
                        EXPECT_EQ(after, status == S::Ok ? bytes : before) << name;
                        return status;
                    });
    EXPECT_FALSE(EmbedPictureBytes(File("g.qgf"), HeaderWithoutPixels())) << "the bytes are checked again";
    WriteFileBytes(File("tiny.qgf"), std::vector<char>(100, 0));
    for (const char* game : {"none.qgf", "tiny.qgf"}) EXPECT_FALSE(EmbedPicture(File(game), File("good.bmp"))) << game;
    // A wrong version is refused and left alone; the magic is not checked.
    for (auto [at, value, embeds] : {std::tuple<size_t, char, bool>{10, 6, false}, {0, 'q', true}}) {
        std::vector<char> bytes = ReadFileBytes(File("g.qgf"));
        bytes[at] = value;
        WriteFileBytes(File("x.qgf"), bytes);
        EXPECT_EQ(EmbedPicture(File("x.qgf"), File("good.bmp")), embeds) << at;
        EXPECT_TRUE(embeds || ReadFileBytes(File("x.qgf")) == bytes) << at;
    }
}

TEST(GameRecordTest, DisplayNumbersAndFieldsWithinTheirSize) {
    GameRecord g = BlankGameRecord();
    char* base = reinterpret_cast<char*>(&g);
    const std::pair<int, size_t> fields[] = {{1, 10400}, {2, 10432}, {3, 10496}, {4, 10464}, {5, 10528}, {6, 10560}};
    for (auto [selected, offset] : fields) std::snprintf(base + offset, 32, "at%zu", offset);
    for (int selected : {-1, 0, 1, 2, 3, 4, 5, 6, 7, 100}) {
        g.selectedDisplay = selected;
        const char* text = SelectedDisplayParameter(g);
        const bool shown = selected >= 1 && selected <= 6;
        EXPECT_EQ(text ? text : "none", shown ? "at" + std::to_string(fields[selected - 1].second) : "none")
            << selected;
    }
    SetField(g.title, std::string(400, 'x').c_str());
    EXPECT_EQ(FieldText(g.title).size(), 259u);
    std::memset(g.keyboardParam, 'k', sizeof g.keyboardParam);  // no terminator at all
    EXPECT_EQ(FieldText(g.keyboardParam).size(), 32u);
}

// One entry of the reserved area: tag, 16-bit little-endian length, bytes.
std::string Entry(const char* tag, const std::string& data) {
    return std::string(tag, 4) + static_cast<char>(data.size() & 0xFF) + static_cast<char>(data.size() >> 8) + data;
}
std::string Area(const GameRecord& g) { return std::string(g.reservedArea, sizeof g.reservedArea); }
GameRecord WithArea(const std::string& bytes) {
    GameRecord g = BlankGameRecord();
    std::memcpy(g.reservedArea, bytes.data(), std::min(bytes.size(), sizeof g.reservedArea));
    return g;
}
GameExtras Extras(const std::string& program, std::vector<std::string> lines = {}, CdRom cd = {}) {
    return {program, std::move(cd), std::move(lines)};
}
CdRom Images(std::vector<std::string> images) { return {CdRomKind::Images, 0, std::move(images)}; }

TEST_F(GameFileTest, DosBoxEntriesRoundTripAndGamesWithoutThemStayByteForByte) {
    WriteGame(File("g.qgf"), MakeGame("Old", "p", "c", "C:\\GAMES", "GAME.EXE"), MakeBmp(4, 4, 1, 2, 3));
    const std::vector<char> before = ReadFileBytes(File("g.qgf"));
    for (const GameExtras& extras :
         {Extras("D:\\Emu\\DOSBox Staging\\dosbox.exe", {"cpu.cycles=12000", " DOSBox.memsize = 32"},
                 Images({"C:\\CD\\Disc 1.CUE", "C:\\CD\\disc2.iso"})),
          Extras("", {}, {CdRomKind::Drive, 'z', {}}), GameExtras{}}) {
        ASSERT_TRUE(Load("g.qgf"));
        ASSERT_EQ(WriteGameExtras(current.record, extras).problem, ExtrasProblem::None);
        ASSERT_TRUE(SaveGameFile(current));
        ASSERT_TRUE(Load("g.qgf"));
        const ExtrasRead read = ReadGameExtras(current.record);
        GameExtras want = extras;
        want.cdRom.drive = extras.cdRom.drive ? 'Z' : 0;
        EXPECT_TRUE(read.extras == want && read.status == ExtrasStatus::Ok) << extras.dosBoxProgram;
    }
    EXPECT_EQ(ReadFileBytes(File("g.qgf")), before) << "no entries left: the bytes of an older file";
}

TEST(GameExtrasTest, DamagedListsAreReadUpToTheDamageAndNeverWrittenOver) {
    const std::string program = "C:\\DB\\DOSBox.exe", first = Entry("DBOX", program);
    using St = ExtrasStatus;
    const std::tuple<const char*, std::string, St, size_t, GameExtras> rows[] = {
        {"a length past the end", std::string("DBOX\x20\x03", 6), St::Damaged, 0, {}},
        {"a length one past the end", Entry("ZZZZ", std::string(750, 'x')).replace(4, 1, 1, '\xEF'), St::Damaged, 0,
         {}},
        {"an entry to the last byte", first + Entry("ZZZZ", std::string(756 - 28, 'x')), St::Ok, 0, Extras(program)},
        {"a tag that is no name", first + std::string("DB\x01X\0\0", 6) + Entry("CDRM", "DE"), St::Damaged, 22,
         Extras(program)},
        {"a header cut by the end", Entry("ZZZZ", std::string(746, 'x')) + "ABCD", St::Damaged, 752, {}},
        {"three bytes left", Entry("ZZZZ", std::string(747, 'x')) + "ABC", St::Ok, 0, {}},
        {"a drive that is no letter", Entry("CDRM", "D1") + first, St::Refused, 0, Extras(program)},
        {"an image that is no CD image", first + Entry("CDRM", "Ia.iso\nb.exe"), St::Refused, 22, Extras(program)},
        {"a line break in the program", Entry("DBOX", "C:\\A\r\nB.EXE"), St::Refused, 0, {}},
        {"one bad line of three", Entry("DBXL", "cpu.cycles=1\nautoexec.echo=x\nsdl.fullscreen=true"), St::Refused, 0,
         Extras("", {"cpu.cycles=1", "sdl.fullscreen=true"})},
        {"the first of two programs", first + Entry("DBOX", "C:\\other.exe"), St::Ok, 0, Extras(program)},
    };
    for (const auto& [name, bytes, status, at, extras] : rows) {
        GameRecord g = WithArea(bytes);
        const ExtrasRead read = ReadGameExtras(g);
        EXPECT_TRUE(read.extras == extras && read.status == status && read.at == at)
            << name << ": status " << static_cast<int>(read.status) << " at " << read.at;
        const std::string area = Area(g);
        const bool damaged = status == St::Damaged;
        EXPECT_EQ(WriteGameExtras(g, read.extras).problem, damaged ? ExtrasProblem::Damaged : ExtrasProblem::None)
            << name;
        EXPECT_EQ(CutDamagedExtras(g), damaged) << name;
        if (!damaged) continue;
        EXPECT_EQ(Area(g), area.substr(0, at) + std::string(756 - at, '\0')) << name;
        EXPECT_EQ(WriteGameExtras(g, read.extras).problem, ExtrasProblem::None) << name;
        EXPECT_TRUE(ReadGameExtras(g).extras == extras) << name << ": the good entries before the damage stay";
    }
}

TEST(GameExtrasTest, UnknownEntriesKeepTheirPlaceAndCountAgainstTheRoom) {
    const std::string unknown = Entry("ZZ_1", "abc"), empty = Entry("QQQQ", "");
    GameRecord g = WithArea(unknown + Entry("DBOX", "C:\\OLD.EXE") + empty + Entry("DBOX", "C:\\TWO.EXE"));
    ASSERT_EQ(WriteGameExtras(g, Extras("C:\\NEW.EXE", {"cpu.cycles=500"}, {CdRomKind::Drive, 'd', {}})).problem,
              ExtrasProblem::None);
    const std::string written =
        unknown + Entry("DBOX", "C:\\NEW.EXE") + empty + Entry("CDRM", "DD") + Entry("DBXL", "cpu.cycles=500");
    EXPECT_EQ(Area(g), written + std::string(756 - written.size(), '\0'));
    ASSERT_EQ(WriteGameExtras(g, {}).problem, ExtrasProblem::None);
    const std::string area = Area(g);
    EXPECT_EQ(area, unknown + empty + std::string(756 - 15, '\0')) << "only the unknown ones are left";
    // 756 bytes fit exactly: the unknown 15, a program of 259 characters and a line.
    const std::string line = "dos.ems=" + std::string(756 - 15 - (6 + 259) - 6 - 8, 'e');
    EXPECT_EQ(WriteGameExtras(g, Extras(std::string(259, 'p'), {line})).problem, ExtrasProblem::None);
    EXPECT_EQ(ReadGameExtras(g).extras.extraLines, std::vector<std::string>{line});
    ASSERT_EQ(WriteGameExtras(g, {}).problem, ExtrasProblem::None);
    using P = ExtrasProblem;
    using L = ExtraLinePart;
    const std::tuple<GameExtras, P, size_t, size_t, L> refused[] = {
        {Extras("", {"dos.ems=" + std::string(756 - 15 - 6 - 8 + 1, 'e')}), P::TooLarge, 0, 757, L::None},
        {Extras("C:\\A\nB.EXE"), P::Program, 0, 0, L::None},
        {Extras(std::string(260, 'p')), P::Program, 0, 0, L::None},
        {Extras("", {}, {CdRomKind::Drive, '1', {}}), P::CdDrive, 0, 0, L::None},
        {Extras("", {}, Images({})), P::CdImage, 0, 0, L::None},
        {Extras("", {}, Images({"a.iso", "b.bin"})), P::CdImage, 1, 0, L::None},
        {Extras("", {}, Images({"a.iso", ".iso"})), P::CdImage, 1, 0, L::None},
        {Extras("", {"cpu.cycles=1", "autoexec.x=1"}), P::ExtraLine, 1, 0, L::Section},
        {Extras("", {"sdl.fullscreen=true\r\n[autoexec]"}), P::ExtraLine, 0, 0, L::Value},
    };
    for (const auto& [extras, problem, index, needed, part] : refused) {
        const ExtrasWrite w = WriteGameExtras(g, extras);
        EXPECT_TRUE(w.problem == problem && w.index == index && w.part == part && w.needed == needed)
            << static_cast<int>(problem) << " " << index << ": got " << static_cast<int>(w.problem) << " " << w.index;
        EXPECT_EQ(Area(g), area) << "a refused write changes nothing";
    }
    EXPECT_EQ(WriteGameExtras(g, Extras(std::string(259, 'p'))).problem, P::None) << "259 characters fit MAX_PATH";
}
}  // namespace
