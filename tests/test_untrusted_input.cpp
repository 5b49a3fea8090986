// Game files, file names and command lines from strangers: damaged pictures,
// device names, huge picture sizes, files outside Games, parameters that chain
// commands, read-only game files and odd command lines.
#include "BmpBuilder.h"
#include "MainWindowFixture.h"
#include "app/SingleInstance.h"
#include "app/Texts.h"
#include "data/Bitmap.h"
#include "data/Files.h"
#include "launch/CommandLine.h"
#include "mainwnd/LaunchSteps.h"
#include "launch/ParameterLine.h"
#include "res/resource.h"
#include <cstring>

namespace {

void Put32(std::vector<char>& b, size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); }

bool Usable(const std::vector<char>& b) { return IsUsableBitmap(b.data(), b.size()); }

// The three damaged pictures that crashed LoadImageA, as the picture bytes that
// the game file hands over.
std::vector<char> HeaderWithoutPixels() {  // 100 x 100, 24 bits, 54 bytes in all
    BmpSpec s;
    s.width = s.height = 100;
    std::vector<char> b = BuildBmp(s);
    b.resize(54);
    return b;
}
std::vector<char> PictureCutShort() {  // a good picture, 4096 bytes short
    std::vector<char> b = MakeBmp(64, 64, 1, 2, 3);
    b.resize(b.size() - 4096);
    return b;
}
std::vector<char> PixelsAtOffsetOne() {  // 9 x 10, 8 bits, pixel data "at" offset 1
    BmpSpec s;
    s.width = 9;
    s.height = 10;
    s.bitCount = 8;
    s.bitsOffset = 1;
    return BuildBmp(s);
}

TEST(PictureCheck, GoodBitmapsOfEveryKindPass) {
    struct Case {
        const char* name;
        BmpSpec spec;
    };
    auto spec = [](int w, int h, uint16_t bits, uint32_t compression = 0, uint32_t info = 40, uint32_t used = 0) {
        BmpSpec s;
        s.width = w;
        s.height = h;
        s.bitCount = bits;
        s.compression = compression;
        s.infoSize = info;
        s.colorsUsed = used;
        return s;
    };
    const Case cases[] = {
        {"1 bit", spec(13, 7, 1)},
        {"4 bits", spec(5, 3, 4)},
        {"8 bits, 16 colours", spec(9, 10, 8, 0, 40, 16)},
        {"16 bits", spec(3, 3, 16)},
        {"24 bits top-down", spec(7, -5, 24)},
        {"32 bits", spec(2, 2, 32)},
        {"16-bit masks", spec(4, 4, 16, 3)},
        {"32-bit masks, V4 header", spec(4, 4, 32, 3, 108)},
        {"V5 header", spec(6, 6, 24, 0, 124)},
        {"core header, 8 bits", spec(5, 5, 8, 0, 12)},
        {"core header, 24 bits", spec(5, 5, 24, 0, 12)},
    };
    for (const auto& c : cases) EXPECT_TRUE(Usable(BuildBmp(c.spec))) << c.name;
    EXPECT_TRUE(Usable(MakeBmp(160, 100, 9, 9, 9)));

    BmpSpec rle = spec(4, 2, 8, 1);
    // Line 0: a run of 4; line 1: 3 literal pixels (padded) and a run of 1; end.
    rle.bits = {4, 7, 0, 0, 0, 3, 1, 2, 3, 0, 1, 9, 0, 1};
    EXPECT_TRUE(Usable(BuildBmp(rle)));
    BmpSpec rle4 = spec(6, 1, 4, 2);
    rle4.bits = {6, 0x12, 0, 1};
    EXPECT_TRUE(Usable(BuildBmp(rle4)));
}

TEST(PictureCheck, DamagedBitmapsAreRefused) {
    EXPECT_FALSE(Usable(HeaderWithoutPixels()));
    EXPECT_FALSE(Usable(PictureCutShort()));
    EXPECT_FALSE(Usable(PixelsAtOffsetOne()));

    const std::vector<char> good = BuildBmp(BmpSpec{});
    struct Damage {
        const char* name;
        size_t offset;
        uint32_t value;  // written as 32 bits unless |bytes| says 2
        int bytes;
    };
    const Damage damages[] = {
        {"not BM", 0, 'B' | ('A' << 8), 2},
        {"pixels past the end", 10, 60, 4},
        {"unknown header size", 14, 64, 4},
        {"V3 header, unknown to Windows", 14, 56, 4},
        {"header past the end", 14, 4000, 4},
        {"zero width", 18, 0, 4},
        {"negative width", 18, 0xFFFFFFF8u, 4},
        {"zero height", 22, 0, 4},
        {"huge height", 22, 0x7FFFFFFF, 4},
        {"lowest height", 22, 0x80000000u, 4},
        {"two planes", 26, 2, 2},
        {"7 bits", 28, 7, 2},
        {"JPEG", 30, 4, 4},
        {"PNG", 30, 5, 4},
        {"RLE8 on 24 bits", 30, 1, 4},
        {"masks on 24 bits", 30, 3, 4},
        {"300 colours", 46, 300, 4},
        {"colour table past the end", 46, 200, 4},
    };
    for (const auto& d : damages) {
        std::vector<char> bad = good;
        if (d.bytes == 2)
            std::memcpy(&bad[d.offset], &d.value, 2);
        else
            Put32(bad, d.offset, d.value);
        EXPECT_FALSE(Usable(bad)) << d.name;
    }
    for (size_t cut : {size_t{0}, size_t{2}, size_t{14}, size_t{20}, size_t{53}, good.size() - 1})
        EXPECT_FALSE(IsUsableBitmap(good.data(), cut)) << "cut to " << cut;

    // Colour table promised but not there: 8 bits with the pixels right after the header.
    BmpSpec noTable;
    noTable.bitCount = 8;
    noTable.bitsOffset = 54;
    EXPECT_FALSE(Usable(BuildBmp(noTable)));

    // Run-length streams that leave the picture or the bytes.
    struct Stream {
        const char* name;
        std::vector<unsigned char> bits;
    };
    const Stream streams[] = {
        {"run past the line", {5, 7, 0, 1}},
        {"literal past the line", {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}},
        {"literal past the bytes", {0, 4, 1, 2}},
        {"line below the picture", {0, 0, 0, 0, 0, 0, 1, 1, 0, 1}},
        {"move past the picture", {0, 2, 9, 0, 1, 1, 0, 1}},
        {"move cut short", {0, 2, 1}},
        {"no end marker", {4, 7, 0, 0}},
    };
    for (const auto& st : streams) {
        BmpSpec rle;
        rle.width = 4;
        rle.height = 2;
        rle.bitCount = 8;
        rle.compression = 1;
        rle.bits = st.bits;
        EXPECT_FALSE(Usable(BuildBmp(rle))) << st.name;
    }
    BmpSpec topDownRle;
    topDownRle.width = 4;
    topDownRle.height = -2;
    topDownRle.bitCount = 8;
    topDownRle.compression = 1;
    topDownRle.bits = {4, 7, 0, 1};
    EXPECT_FALSE(Usable(BuildBmp(topDownRle)));
}

TEST(DeviceNames, DevicesWithOrWithoutExtensionAndFolder) {
    for (const char* name : {"AUX.qgf", "com1.qgf", "C:\\Games\\LPT9.qgf", "con", "Nul.txt.qgf", "PRN .qgf",
                             "clock$.qgf", "CONIN$", "conout$.qgf", "COM\xB9.qgf", "Games/aux.qgf"})
        EXPECT_TRUE(IsDosDeviceName(name)) << name;
    for (const char* name : {"COM0.qgf", "COM10.qgf", "LPT.qgf", "AUXILIARY.qgf", "Tank Duel.qgf", "C:\\CON\\x.qgf",
                             "console.qgf", "", "NUL1.qgf", "comm1.qgf"})
        EXPECT_FALSE(IsDosDeviceName(name)) << name;
}

class UntrustedFiles : public ::testing::Test {
protected:
    void SetUp() override { folder = MakeTempFolder("untrusted"); }
    void TearDown() override {
        for (const auto& f : {File("ro.qgf"), File("ro.qgf.old"), File("ro.qgf.new")})
            SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveTree(folder);
    }
    std::string File(const std::string& name) const { return folder + "\\" + name; }
    bool Exists(const std::string& name) const {
        return GetFileAttributesA(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    std::string folder;
};

TEST_F(UntrustedFiles, PictureSizeIsBoundedByTheFile) {
    const std::vector<char> picture = MakeBmp(8, 8, 1, 1, 1);
    GameRecord g = MakeGame("P");
    WriteGame(File("p.qgf"), g, picture);
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
        EXPECT_EQ(out.capacity() < 1000000, true) << size;
    }
    EXPECT_FALSE(ReadGamePicture(File("missing.qgf"), 1, out));
}

TEST_F(UntrustedFiles, DeviceNamesAreNeverOpened) {
    GameRecord g;
    std::vector<char> out;
    for (const char* device : {"COM1.qgf", "aux.qgf", "CON"}) {
        EXPECT_EQ(ReadGameRecord(File(device), g), GameFileStatus::CannotOpen) << device;
        EXPECT_FALSE(ReadGamePicture(File(device), 10, out)) << device;
        EXPECT_FALSE(CreateBlankGameFile(File(device))) << device;
    }
}

TEST_F(UntrustedFiles, ReadOnlyGameFilesAreNeverChanged) {
    WriteGame(File("ro.qgf"), MakeGame("RO"), MakeBmp(4, 4, 5, 5, 5));
    const std::vector<char> before = ReadFileBytes(File("ro.qgf"));
    ASSERT_TRUE(SetFileAttributesA(File("ro.qgf").c_str(), FILE_ATTRIBUTE_READONLY));
    WriteFileBytes(File("pic.bmp"), MakeBmp(2, 2, 0, 0, 0));

    CurrentGame game;
    ASSERT_EQ(ReadGameRecord(File("ro.qgf"), game.record), GameFileStatus::Ok);
    game.path = File("ro.qgf");
    game.loaded = true;
    EXPECT_TRUE(SaveGameFile(game)) << "nothing changed: nothing to write";
    SetField(game.record.comment, "changed");
    EXPECT_FALSE(SaveGameFile(game));
    EXPECT_TRUE(IsReadOnlyFile(game.path));
    EXPECT_FALSE(EmbedPicture(File("ro.qgf"), File("pic.bmp")));

    EXPECT_EQ(ReadFileBytes(File("ro.qgf")), before);
    EXPECT_TRUE(IsReadOnlyFile(File("ro.qgf")));

    // A game whose file has gone (and had no picture) is written anew.
    game.path = File("gone.qgf");
    game.record.pictureSize = 0;
    EXPECT_TRUE(SaveGameFile(game));
    EXPECT_EQ(ReadFileBytes(File("gone.qgf")).size(), 11164u);
    EXPECT_FALSE(Exists("ro.qgf.old"));
    EXPECT_FALSE(Exists("ro.qgf.new"));
}

TEST_F(UntrustedFiles, FullPathsDecideWhatIsTheListedFile) {
    const std::string games = File("Games");
    CreateDirectoryA(games.c_str(), nullptr);
    CreateDirectoryA(File("outside").c_str(), nullptr);
    WriteGame(games + "\\Tank Duel.qgf", MakeGame("Tank Duel"));
    WriteGame(File("outside\\Tank Duel.qgf"), MakeGame("Evil"));

    const struct {
        std::string path;
        bool listed;
    } cases[] = {
        {games + "\\Tank Duel.qgf", true},
        {games + "\\TANK DUEL.QGF", true},
        {folder + "\\outside\\..\\Games\\.\\Tank Duel.qgf", true},
        {File("outside\\Tank Duel.qgf"), false},
        {File("outside\\Tank Duel.txt"), false},
        {games + "\\..\\..\\" + folder.substr(folder.rfind('\\') + 1) + "\\outside\\Tank Duel.qgf", false},
        {games + "\\Tank Duel.qgf.qgf", false},
        {games + "\\COM1.qgf", false},
        {games + "\\Tank*.qgf", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsListedGameFile(c.path, games, "Tank Duel"), c.listed) << c.path;

    // A relative path counts from the current folder.
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    SetCurrentDirectoryA(File("outside").c_str());
    EXPECT_FALSE(IsListedGameFile("..\\outside\\Tank Duel.qgf", games, "Tank Duel"));
    EXPECT_TRUE(IsListedGameFile("..\\Games\\Tank Duel.qgf", games, "Tank Duel"));
    SetCurrentDirectoryA(current);

    // A short (8.3) name is the same file, where the file system makes one.
    char shortName[MAX_PATH] = "";
    if (GetShortPathNameA((games + "\\Tank Duel.qgf").c_str(), shortName, sizeof shortName) &&
        std::string(shortName).find('~') != std::string::npos) {
        EXPECT_TRUE(IsListedGameFile(shortName, games, "Tank Duel")) << shortName;
    }
}

TEST(CommandLineTest, FirstArgumentAndName) {
    const struct {
        const char* line;
        const char* file;
        const char* name;
    } cases[] = {
        {"\"C:\\Games\\Tank Duel.qgf\"", "C:\\Games\\Tank Duel.qgf", "Tank Duel"},
        {"\"C:\\Games\\Tank Duel.qgf", "C:\\Games\\Tank Duel.qgf", "Tank Duel"},  // unbalanced quote
        {"\"C:\\a b\\One.qgf\" \"C:\\Two.qgf\"", "C:\\a b\\One.qgf", "One"},      // two arguments
        {"  \"C:\\x.y\\.qgf\"  ", "C:\\x.y\\.qgf", ".qgf"},
        {"C:\\Games\\Star Maze.qgf  ", "C:\\Games\\Star Maze.qgf", "Star Maze"},
        {"Games/Lost.Kingdom.qgf", "Games/Lost.Kingdom.qgf", "Lost.Kingdom"},
        {"\"\"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandLineGameFile(c.line), c.file) << c.line;
        EXPECT_EQ(GameNameOfPath(CommandLineGameFile(c.line)), c.name) << c.line;
    }
}

TEST(ParameterCheck, TheOffendingFieldIsNamed) {
    GameRecord g = BlankGameRecord();
    g.selectedDisplay = 3;
    SetField(g.mcgaParam, "/mcga");
    g.keyboardOn = g.mouseOn = g.joystickOn = g.customOn = 1;
    SetField(g.keyboardParam, "/kb:us");
    SetField(g.mouseParam, "/m=2");
    SetField(g.joystickParam, "-j \"x\"");
    g.selectedSound = 2;
    SetField(g.soundParams[2], "/sb:220,5,1");
    g.selectedMusic = 0;
    SetField(g.musicParams[0], "/mpu");
    SetField(g.customParam, "%dir% ^x");
    EXPECT_EQ(UnsafeParameterField(g), "");

    const struct {
        const char* name;
        char* field;
    } fields[] = {{"MCGA parameter", g.mcgaParam},
                  {"Keyboard parameter", g.keyboardParam},
                  {"Mouse parameter", g.mouseParam},
                  {"Joystick parameter", g.joystickParam},
                  {"Sound device parameter", g.soundParams[2]},
                  {"Music device parameter", g.musicParams[0]},
                  {"Custom device parameter", g.customParam}};
    for (const char* bad : {"/m\r\ndel *.*", "a & calc", "a|more", "<in", "> out", "\x7f", "\t"}) {
        for (const auto& f : fields) {
            char saved[kParamSize];
            std::memcpy(saved, f.field, kParamSize);
            std::memset(f.field, 0, kParamSize);
            std::strncpy(f.field, bad, kParamSize - 1);
            EXPECT_EQ(UnsafeParameterField(g), f.name) << bad;
            std::memcpy(f.field, saved, kParamSize);
        }
    }
    // Fields the line does not use do not count.
    SetField(g.egaParam, "x&y");
    SetField(g.soundParams[3], "x|y");
    g.customOn = 0;
    SetField(g.customParam, "\n");
    EXPECT_EQ(UnsafeParameterField(g), "");
    // A field without a terminator is read no further than its 32 bytes.
    std::memset(g.mouseParam, 'm', kParamSize);
    EXPECT_EQ(UnsafeParameterField(g), "");
}

// The main window with these game files.
class UntrustedWindow : public MainWindowFixture {
protected:
    // The bitmap the preview shows is the 160 x 100 default picture.
    bool ShowsDefaultPicture() { return PreviewSize() == std::make_pair(160, 100); }
    void SelectRow(int row) {
        List().Select(row);
        PumpMessages();
    }
};

TEST_F(UntrustedWindow, DamagedPicturesShowTheDefaultAndTheGameStaysRunnable) {
    // A blank record with picture size 54 and only the 54-byte header.
    GameRecord blank = BlankGameRecord();
    SetField(blank.title, "A Header Only");
    AddGame(blank, HeaderWithoutPixels());
    // A good picture whose recorded size is 4096 bytes short.
    const std::vector<char> whole = MakeBmp(64, 64, 1, 2, 3);
    GameRecord shortRecord = MakeGame("B Cut Short");
    shortRecord.pictureSize = static_cast<uint32_t>(whole.size() - 4096);
    std::vector<char> bytes(11164 + whole.size());
    std::memcpy(bytes.data(), &shortRecord, 11164);
    std::memcpy(bytes.data() + 11164, whole.data(), whole.size());
    WriteFileBytes(GamePath("B Cut Short"), bytes);
    AddGame(MakeGame("C Offset One"), PixelsAtOffsetOne());
    // A picture size of nearly 4 GiB.
    GameRecord huge = MakeGame("D Huge");
    WriteGame(GamePath("D Huge"), huge, MakeBmp(4, 4, 0, 0, 0));
    bytes = ReadFileBytes(GamePath("D Huge"));
    Put32(bytes, 11156, 0xFFFFFFF0u);
    WriteFileBytes(GamePath("D Huge"), bytes);
    AddGame(MakeGame("E Good"), MakeBmp(40, 30, 200, 10, 10));

    Start();
    ASSERT_EQ(List().Count(), 5);
    EXPECT_TRUE(ui.Messages().empty());
    for (int row = 0; row < 4; ++row) {
        SelectRow(row);
        EXPECT_TRUE(Enabled(IDC_RUNGAME)) << row << ": loaded and runnable";
        EXPECT_TRUE(ShowsDefaultPicture()) << row;
    }
    SelectRow(4);
    EXPECT_EQ(PreviewSize().first, 40) << "a good picture is still shown";
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(UntrustedWindow, CommandLineNamesAMissingFileOrTheListedOne) {
    const std::string gameDir = folder + "\\GAMEDIR";
    CreateDirectoryA(gameDir.c_str(), nullptr);
    WriteFileText(gameDir + "\\PLAY.EXE", "MZ");
    AddGame(MakeGame("Tank Duel", "p", "c", gameDir, "PLAY.EXE"));
    // A missing file is reported as missing, with an unbalanced quote too.
    ui.Clear();
    Start("\"" + folder + "\\Games\\Tank Duel.qgX");
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "The game file cannot be found:\n" + folder + "\\Games\\Tank Duel.qgX");
    Discard();

    // The listed file itself runs, in another spelling, also followed by a second argument.
    ui.Clear();
    Start("\"" + folder + "\\GAMES\\.\\tank duel.QGF\" \"C:\\other.qgf\"");
    EXPECT_TRUE(ui.Messages().empty());
    ASSERT_EQ(ui.Calls(UiCall::Execute).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Execute)[0].text, "PLAY.EXE");
}

TEST_F(UntrustedWindow, ParametersThatChainCommandsStopTheLaunch) {
    const std::string gameDir = folder + "\\GAMEDIR";
    CreateDirectoryA(gameDir.c_str(), nullptr);
    WriteFileText(gameDir + "\\PLAY.EXE", "MZ");
    GameRecord g = MakeGame("Smuggler", "p", "c", gameDir, "PLAY.EXE");
    SetField(g.setup, "(Parameters)");
    g.mouseOn = 1;
    SetField(g.mouseParam, "/m\r\ncalc.exe");
    AppState state;
    CurrentGame current;
    current.record = g;
    for (bool vdm : {false, true}) {
        state.vdm = {vdm, folder + "\\", folder + "\\VDMSRun.bat"};
        ui.Clear();
        EXPECT_FALSE(RunGame(nullptr, "Smuggler", current, state));
        ASSERT_EQ(ui.Messages().size(), 1u);
        EXPECT_EQ(ui.Messages()[0].text, Format(kUnsafeParameterMessage, "Mouse parameter", "Mouse parameter"));
        EXPECT_EQ(ui.Messages()[0].caption, "Smuggler.qgf");
        EXPECT_TRUE(ui.Calls(UiCall::Execute).empty());
        EXPECT_FALSE(FileExists(gameDir + "\\Loader.bat"));
    }
    // Into Loader.bat goes the program's name too; a shell call takes it as one file.
    WriteFileText(gameDir + "\\A&B.EXE", "MZ");
    g.mouseOn = 0;
    SetField(g.command, "A&B.EXE");
    current.record = g;
    for (bool vdm : {false, true}) {
        state.vdm = {vdm, folder + "\\", folder + "\\VDMSRun.bat"};
        ui.Clear();
        EXPECT_EQ(RunGame(nullptr, "Smuggler", current, state), !vdm);
        ASSERT_EQ(ui.Messages().size(), vdm ? 1u : 0u);
        if (vdm) {
            EXPECT_EQ(ui.Messages()[0].text, Format(kUnsafeParameterMessage, "Command", "Command"));
        }
        EXPECT_FALSE(FileExists(gameDir + "\\Loader.bat"));
    }
}

TEST_F(UntrustedWindow, RunningAReadOnlyGameTellsWhyAChangeWasNotSaved) {
    const std::string gameDir = folder + "\\GAMEDIR";
    CreateDirectoryA(gameDir.c_str(), nullptr);
    WriteFileText(gameDir + "\\PLAY.EXE", "MZ");
    AddGame(MakeGame("Locked", "p", "c", gameDir, "PLAY.EXE"), MakeBmp(3, 3, 1, 1, 1));
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
    WriteFileText(gameDir + "\\OTHER.EXE", "MZ");
    DeleteFileA((gameDir + "\\PLAY.EXE").c_str());
    ui.fileAnswers.push_back(gameDir + "\\OTHER.EXE");
    ui.Clear();
    Command(IDC_RUNGAME);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, Format(kReadOnlyGameMessage, path.c_str()));
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_FALSE(FileExists(path + ".old"));
    EXPECT_FALSE(FileExists(path + ".new"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
