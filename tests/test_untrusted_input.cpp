// Game files, file names and command lines from strangers: damaged pictures,
// device names, huge picture sizes, files outside Games, parameters that chain
// commands, read-only game files and odd command lines.
#include "BmpBuilder.h"
#include "DialogProbe.h"
#include "Groups.h"
#include "MainWindowFixture.h"
#include "MessageTexts.h"
#include "UiRows.h"
#include "win/Texts.h"
#include "data/Bitmap.h"
#include "data/Files.h"
#include "launch/CommandLine.h"
#include "launch/ParameterLine.h"
#include "mainwnd/LaunchSteps.h"
#include "res/resource.h"
#include <cstring>

namespace {

void Put32(std::vector<char>& b, size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); }

bool Usable(const std::vector<char>& b) { return IsUsableBitmap(b.data(), b.size()); }

BmpSpec Rle(int32_t w, int32_t h, uint16_t bits, std::vector<unsigned char> stream) {
    BmpSpec s(w, h, bits, bits == 8 ? 1 : 2);
    s.bits = std::move(stream);
    return s;
}

// The run-length pictures: line 0 a run of 4, line 1 three literal pixels (padded)
// and a run of 1; a 4-bit run of 6.
TEST(PictureCheck, GoodBitmapsOfEveryKindPass) {
    const BmpSpec good[] = {{13, 7, 1},         {5, 3, 4},        {9, 10, 8, 0, 40, 16}, {3, 3, 16},
                            {7, -5, 24},        {2, 2, 32},       {4, 4, 16, 3},         {4, 4, 32, 3, 108},
                            {6, 6, 24, 0, 124}, {5, 5, 8, 0, 12}, {5, 5, 24, 0, 12}};
    for (const BmpSpec& s : good) EXPECT_TRUE(Usable(BuildBmp(s))) << s.width << "x" << s.height << "x" << s.bitCount;
    for (const BmpSpec& s : {Rle(4, 2, 8, {4, 7, 0, 0, 0, 3, 1, 2, 3, 0, 1, 9, 0, 1}), Rle(6, 1, 4, {6, 0x12, 0, 1})})
        EXPECT_TRUE(Usable(BuildBmp(s))) << s.bitCount;
    EXPECT_TRUE(Usable(MakeBmp(160, 100, 9, 9, 9)));
}

TEST(PictureCheck, DamagedBitmapsAreRefused) {
    std::vector<char> cutShort = MakeBmp(64, 64, 1, 2, 3);
    cutShort.resize(cutShort.size() - 4096);
    for (const auto& bad : {HeaderWithoutPixels(), cutShort, PixelsAtOffsetOne()}) EXPECT_FALSE(Usable(bad));

    const std::vector<char> good = BuildBmp(BmpSpec{});
    // Header fields set to values a bitmap cannot have: not "BM" ("BA"), pixels or header
    // past the end, unknown header sizes (56 is a V3 header Windows does not know),
    // zero, negative or huge sizes, two planes, 7 bits, JPEG, PNG, RLE8 or masks on
    // 24 bits, 300 colours, a colour table past the end.
    const struct {
        size_t offset;
        uint32_t value;
        int bytes;
    } damages[] = {{0, 0x4142, 2}, {10, 60, 4},          {14, 64, 4}, {14, 56, 4},         {14, 4000, 4},
                   {18, 0, 4},     {18, 0xFFFFFFF8u, 4}, {22, 0, 4},  {22, 0x7FFFFFFF, 4}, {22, 0x80000000u, 4},
                   {26, 2, 2},     {28, 7, 2},           {30, 4, 4},  {30, 5, 4},          {30, 1, 4},
                   {30, 3, 4},     {46, 300, 4},         {46, 200, 4}};
    for (const auto& d : damages) {
        std::vector<char> bad = good;
        std::memcpy(&bad[d.offset], &d.value, d.bytes);
        EXPECT_FALSE(Usable(bad)) << d.offset << " = " << d.value;
    }
    for (size_t cut : {size_t{0}, size_t{2}, size_t{14}, size_t{20}, size_t{53}, good.size() - 1})
        EXPECT_FALSE(IsUsableBitmap(good.data(), cut)) << "cut to " << cut;

    BmpSpec noTable(8, 8, 8);  // a colour table promised, the pixels right after the header
    noTable.bitsOffset = 54;
    const struct {
        const char* name;
        BmpSpec spec;
    } specs[] = {{"no colour table", noTable},
                 {"run past the line", Rle(4, 2, 8, {5, 7, 0, 1})},
                 {"literal past the line", Rle(4, 2, 8, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1})},
                 {"literal past the bytes", Rle(4, 2, 8, {0, 4, 1, 2})},
                 {"line below the picture", Rle(4, 2, 8, {0, 0, 0, 0, 0, 0, 1, 1, 0, 1})},
                 {"move past the picture", Rle(4, 2, 8, {0, 2, 9, 0, 1, 1, 0, 1})},
                 {"move cut short", Rle(4, 2, 8, {0, 2, 1})},
                 {"no end marker", Rle(4, 2, 8, {4, 7, 0, 0})},
                 {"top-down run lengths", Rle(4, -2, 8, {4, 7, 0, 1})}};
    for (const auto& s : specs) EXPECT_FALSE(Usable(BuildBmp(s.spec))) << s.name;
}

// The program's own large pictures are stored this way and decoded by it.
TEST(PictureCheck, RunLengthPixelsDecodeIntoBottomUpRows) {
    std::vector<unsigned char> rows;
    // Bottom line a run of 4; top line three literal pixels (padded) and a run of 1.
    ASSERT_TRUE(DecodeRle8("\4\7\0\0\0\3\1\2\3\0\1\11\0\1", 14, 4, 2, rows));
    EXPECT_EQ(rows, (std::vector<unsigned char>{7, 7, 7, 7, 1, 2, 3, 9}));
    // A move of 2 right and 1 up leaves colour 0; rows of 5 are padded to 8.
    ASSERT_TRUE(DecodeRle8("\1\5\0\2\2\1\1\6\0\1", 10, 5, 2, rows));
    EXPECT_EQ(rows, (std::vector<unsigned char>{5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0, 0, 0, 0}));

    const struct {
        const char* name;
        std::string stream;
        int width, height;
    } bad[] = {{"run past the line", std::string("\5\7\0\1", 4), 4, 2},  // the stream rules are the picture check's
               {"no width", std::string("\0\1", 2), 0, 2},
               {"over 64 MiB", std::string("\0\1", 2), 1 << 14, 1 << 14}};
    for (const auto& b : bad) {
        rows.assign(3, 1);
        EXPECT_FALSE(DecodeRle8(b.stream.data(), b.stream.size(), b.width, b.height, rows)) << b.name;
        EXPECT_TRUE(rows.empty()) << b.name;
    }
}

class UntrustedFiles : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return folder + "\\" + name; }
    TempFolder temp{"untrusted"};
    const std::string& folder = temp.path;
};

TEST_F(UntrustedFiles, PictureSizeIsBoundedByTheFile) {
    const std::vector<char> picture = MakeBmp(8, 8, 1, 1, 1);
    WriteGame(File("p.qgf"), MakeGame("P"), picture);
    std::vector<char> bytes = ReadFileBytes(File("p.qgf"));
    std::vector<char> out;
    ASSERT_TRUE(ReadGamePicture(File("p.qgf"), static_cast<uint32_t>(picture.size()), out));
    EXPECT_EQ(out, picture);
    // Sizes the file does not hold: refused before anything is allocated (a
    // vector of 4 GiB would take seconds, and throws past 2 GiB on i686).
    for (uint32_t size :
         {static_cast<uint32_t>(picture.size() + 1), 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
        Put32(bytes, 11156, size);
        WriteFileBytes(File("p.qgf"), bytes);
        out.assign(3, 'x');
        EXPECT_FALSE(ReadGamePicture(File("p.qgf"), size, out)) << size;
        EXPECT_TRUE(out.empty()) << size;
        EXPECT_LT(out.capacity(), 1000000u) << size;
    }
    EXPECT_FALSE(ReadGamePicture(File("missing.qgf"), 1, out));
    // Device names are never opened.
    GameRecord g;
    for (const char* device : {"COM1.qgf", "aux.qgf", "CON"}) {
        EXPECT_EQ(ReadGameRecord(File(device), g), GameFileStatus::CannotOpen) << device;
        EXPECT_FALSE(ReadGamePicture(File(device), 10, out)) << device;
        EXPECT_FALSE(CreateBlankGameFile(File(device))) << device;
    }
}

TEST_F(UntrustedFiles, FullPathsDecideWhatIsTheListedFile) {
    const std::string games = File("Games");
    CreateDirectoryA(games.c_str(), nullptr);
    CreateDirectoryA(File("outside").c_str(), nullptr);
    WriteGame(games + "\\Tank Duel.qgf", MakeGame("Tank Duel"));
    WriteGame(File("outside\\Tank Duel.qgf"), MakeGame("Evil"));

    char shortName[MAX_PATH] = "";  // the 8.3 name is the same file, where the file system makes one
    GetShortPathNameA((games + "\\Tank Duel.qgf").c_str(), shortName, sizeof shortName);
    const struct {
        std::string path;
        bool listed;
    } cases[] = {{games + "\\Tank Duel.qgf", true},
                 {games + "\\TANK DUEL.QGF", true},
                 {folder + "\\outside\\..\\Games\\.\\Tank Duel.qgf", true},
                 {"..\\Games\\Tank Duel.qgf", true},  // relative to the current folder, "outside"
                 {std::strchr(shortName, '~') ? shortName : games + "\\Tank Duel.qgf", true},
                 {"..\\outside\\Tank Duel.qgf", false},
                 {File("outside\\Tank Duel.qgf"), false},
                 {File("outside\\Tank Duel.txt"), false},
                 {games + "\\..\\..\\" + folder.substr(folder.rfind('\\') + 1) + "\\outside\\Tank Duel.qgf", false},
                 {games + "\\Tank Duel.qgf.qgf", false},
                 {games + "\\COM1.qgf", false},
                 {games + "\\Tank*.qgf", false}};
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    SetCurrentDirectoryA(File("outside").c_str());
    for (const auto& c : cases) EXPECT_EQ(IsListedGameFile(c.path, games, "Tank Duel"), c.listed) << c.path;
    SetCurrentDirectoryA(current);
}

TEST(CommandLineTest, FirstArgumentAndName) {
    const struct {
        const char *line, *file, *name;
    } cases[] = {{"\"C:\\Games\\Tank Duel.qgf\"", "C:\\Games\\Tank Duel.qgf", "Tank Duel"},
                 {"\"C:\\Games\\Tank Duel.qgf", "C:\\Games\\Tank Duel.qgf", "Tank Duel"},  // unbalanced quote
                 {"\"C:\\a b\\One.qgf\" \"C:\\Two.qgf\"", "C:\\a b\\One.qgf", "One"},      // two arguments
                 {"  \"C:\\x.y\\.qgf\"  ", "C:\\x.y\\.qgf", ".qgf"},
                 {"C:\\Games\\Star Maze.qgf  ", "C:\\Games\\Star Maze.qgf", "Star Maze"},
                 {"Games/Lost.Kingdom.qgf", "Games/Lost.Kingdom.qgf", "Lost.Kingdom"},
                 {"\"\"", "", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(CommandLineGameFile(c.line), c.file) << c.line;
        EXPECT_EQ(GameNameOfPath(CommandLineGameFile(c.line)), c.name) << c.line;
    }
}

// Which characters count is the name rules' test; here each field is named.
TEST(ParameterCheck, TheOffendingFieldIsNamed) {
    GameRecord g = BlankGameRecord();
    g.selectedDisplay = 3;
    g.keyboardOn = g.mouseOn = g.joystickOn = g.customOn = 1;
    g.selectedSound = 2;
    g.selectedMusic = 0;
    const std::pair<const char*, char*> fields[] = {{"MCGA parameter", g.mcgaParam},
                                                    {"Keyboard parameter", g.keyboardParam},
                                                    {"Mouse parameter", g.mouseParam},
                                                    {"Joystick parameter", g.joystickParam},
                                                    {"Sound device parameter", g.soundParams[2]},
                                                    {"Music device parameter", g.musicParams[0]},
                                                    {"Custom device parameter", g.customParam}};
    for (const auto& [name, field] : fields) {
        std::strcpy(field, "%OS%");
        EXPECT_EQ(UnsafeParameterField(g, HasCommandSyntax), name);
        std::strcpy(field, "/sb:220,5,1");
    }
    // Fields the line does not use do not count, nor what follows a field's 32 bytes (the joystick's "&").
    SetField(g.egaParam, "x&y");
    SetField(g.soundParams[3], "x|y");
    g.customOn = g.joystickOn = 0;
    SetField(g.joystickParam, "&");
    std::memset(g.mouseParam, 'm', kParamSize);
    EXPECT_EQ(UnsafeParameterField(g, HasCommandSyntax), "");
}

// The main window with these game files.
class UntrustedWindow : public MainWindowFixture {
protected:
    void SelectRow(int row) {
        List().Select(row);
        PumpMessages();
    }
    // A runnable game: GAMEDIR\PLAY.EXE exists.
    GameRecord Runnable(const std::string& title) {
        CreateDirectoryA(GameDir().c_str(), nullptr);
        WriteFileText(GameDir() + "\\PLAY.EXE", "MZ");
        return MakeGame(title, "p", "c", GameDir(), "PLAY.EXE");
    }
    void SetPictureSize(const std::string& title, uint32_t size) {
        std::vector<char> bytes = ReadFileBytes(GamePath(title));
        Put32(bytes, 11156, size);
        WriteFileBytes(GamePath(title), bytes);
    }
    std::string GameDir() const { return folder + "\\GAMEDIR"; }
};

TEST_F(UntrustedWindow, DamagedPicturesShowTheDefaultAndTheGameStaysRunnable) {
    const std::vector<char> whole = MakeBmp(64, 64, 1, 2, 3);
    GameRecord blank = BlankGameRecord();
    SetField(blank.title, "A Header Only");
    AddGame(blank, HeaderWithoutPixels());
    AddGame(MakeGame("B Cut Short"), whole);
    SetPictureSize("B Cut Short", static_cast<uint32_t>(whole.size() - 4096));
    AddGame(MakeGame("C Offset One"), PixelsAtOffsetOne());
    AddGame(MakeGame("D Huge"), MakeBmp(4, 4, 0, 0, 0));
    SetPictureSize("D Huge", 0xFFFFFFF0u);
    AddGame(MakeGame("E Good"), MakeBmp(40, 30, 200, 10, 10));

    Start();
    ASSERT_EQ(List().Count(), 5);
    for (int row = 0; row < 4; ++row) {
        SelectRow(row);
        EXPECT_TRUE(Enabled(IDC_RUNGAME)) << row << ": loaded and runnable";
        EXPECT_EQ(PreviewSize(), std::make_pair(160, 100)) << row << ": the default picture";
    }
    SelectRow(4);
    EXPECT_EQ(PreviewSize().first, 40) << "a good picture is still shown";
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(UntrustedWindow, CommandLineNamingAMissingFileSaysSoWithAnUnbalancedQuoteToo) {
    AddGame(Runnable("Tank Duel"));
    Start("\"" + folder + "\\Games\\Tank Duel.qgX");
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "The game file cannot be found:\n" + folder + "\\Games\\Tank Duel.qgX");
}

TEST_F(UntrustedWindow, BatchSyntaxNeverReachesABatchFile) {
    CurrentGame current;
    current.record = Runnable("Smuggler");
    SetField(current.record.setup, "(Parameters)");
    // What VDMSound's batch, Loader.bat or the command interpreter would read
    // stops the launch; an .exe started directly gets its parameters as they are.
    const struct {
        bool vdm;
        const char *command, *mouse, *field;
    } cases[] = {{false, "PLAY.EXE", "/m\r\ncalc.exe", "Mouse parameter"},
                 {true, "PLAY.EXE", "/m & calc.exe", "Mouse parameter"},
                 {false, "PLAY.BAT", "%OS%", "Mouse parameter"},
                 {false, "A&B.EXE", "/m=2 %x% & y", nullptr},
                 {true, "A&B.BAT", nullptr, "Command"},
                 {true, "A,B.EXE", nullptr, "Command"},
                 {true, "G%OS%.BAT", "/sb:220,5,1", "Command"},
                 {true, "C;x.BAT", nullptr, "Command"}};
    AppState state;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        WriteFileText(GameDir() + "\\" + c.command, "x");
        state.vdm = {c.vdm, folder + "\\", folder + "\\VDMSRun.bat"};
        current.record.mouseOn = c.mouse != nullptr;
        SetField(current.record.setup, c.mouse ? "(Parameters)" : "");
        SetField(current.record.mouseParam, c.mouse ? c.mouse : "");
        SetField(current.record.command, c.command);
        ui.Clear();
        EXPECT_EQ(RunGame(nullptr, "Smuggler", current, state), c.field == nullptr);
        EXPECT_EQ(MessageTexts(ui), c.field ? Strings{Format(kUnsafeParameterMessage, c.field, c.field)} : Strings{});
        EXPECT_EQ(ui.Calls(UiCall::Execute).size(), c.field ? 0u : 1u);
        EXPECT_FALSE(FileExists(GameDir() + "\\Loader.bat"));
    }
}

TEST_F(UntrustedWindow, RunningAReadOnlyGameTellsWhyAChangeWasNotSaved) {
    AddGame(Runnable("Locked"), MakeBmp(3, 3, 1, 1, 1));
    const std::string path = GamePath("Locked");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<char> before = ReadFileBytes(path);
    Start();
    SelectRow(0);
    ui.Clear();
    Command(IDC_RUNGAME);  // nothing changed: no message
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(ui.Calls(UiCall::Execute).size(), 1u);

    // The program is missing: the user picks another, which cannot be stored.
    WriteFileText(GameDir() + "\\OTHER.EXE", "MZ");
    DeleteFileA((GameDir() + "\\PLAY.EXE").c_str());
    ui.fileAnswers.push_back(GameDir() + "\\OTHER.EXE");
    ui.Clear();
    Command(IDC_RUNGAME);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, Format(kReadOnlyGameMessage, path.c_str()));
    EXPECT_EQ(ReadFileBytes(path), before);
    for (const char* left : {".old", ".new"}) EXPECT_FALSE(FileExists(path + left)) << left;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
