// The old catalogue's conversion: the split and matching rules, every key of a
// game section, game file names, the batch conversion, and damaged catalogues.
#include "TestEnv.h"
#include "app/Texts.h"
#include "data/GameFile.h"
#include "data/LoaderIni.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

class LoaderIniTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = MakeTempFolder("loaderini");
        program = folder + "\\Program";
        for (const char* sub : {"\\Program", "\\Program\\Games", "\\Program\\Images"})
            CreateDirectoryA((folder + sub).c_str(), nullptr);
        iniPath = program + "\\Loader.ini";
    }
    void TearDown() override { RemoveTree(folder); }

    void WriteIni(const std::string& text) {
        WriteFileText(iniPath, text);
        ASSERT_TRUE(ini.Open(iniPath));
    }
    GameRecord Apply(const std::string& section) {
        GameRecord g = BlankGameRecord();
        ApplyLoaderSection(ini, section, g);
        return g;
    }
    GameRecord Load(const std::string& name) {
        GameRecord g{};
        EXPECT_EQ(ReadGameRecord(GameFilePathFor(program, name), g), GameFileStatus::Ok) << name;
        return g;
    }
    // Every file below the test folder, as paths relative to it.
    std::vector<std::string> AllFiles(const std::string& sub = "") const {
        std::vector<std::string> out;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + sub + "\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return out;
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                for (auto& inner : AllFiles(sub + "\\" + name)) out.push_back(inner);
            } else {
                out.push_back(sub + "\\" + name);
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
        return out;
    }

    std::string folder, program, iniPath;
    IniFile ini;
};

struct Recorder final : BatchListener {
    int cleared = 0;
    std::vector<std::string> added;
    void ListCleared() override { ++cleared; }
    void GameAdded(const std::string& fileName) override { added.push_back(fileName); }
};

TEST(LoaderIniRules, SplitsDeviceValues) {
    struct Case {
        const char* value;
        const char* name;
        const char* parameter;
    } cases[] = {{"Sound Blaster,  /sb", "Sound Blaster", "/sb"},  // blanks after the comma go
                 {"GUS ,/gus", "GUS ", "/gus"},                    // the name stays as it is
                 {"Roland MT-32", "Roland MT-32", ""},             // no comma: all name
                 {"AdLib,/a,b", "AdLib", "/a,b"},                  // the first comma splits
                 {"X", "", ""},                                    // one character: nothing
                 {"", "", ""},
                 {"PC,", "PC", ""}};
    for (const auto& c : cases) {
        DeviceValue v = SplitDeviceValue(c.value);
        EXPECT_EQ(v.name, c.name) << c.value;
        EXPECT_EQ(v.parameter, c.parameter) << c.value;
    }
}

TEST(LoaderIniRules, NamesDisplaysInAnyCase) {
    const std::pair<const char*, int> cases[] = {{"VESA", 1},  {"vga", 2},   {"Mcga", 3}, {"EGA", 4},  {"cga", 5},
                                                 {"tandy", 6}, {"SVGA", -1}, {"", -1},    {"VGA ", -1}};
    for (const auto& c : cases) EXPECT_EQ(DisplayNumber(c.first), c.second) << c.first;
}

TEST(LoaderIniRules, RefusesNamesThatCannotNameAGameFile) {
    const std::string program = "C:\\Quillon";
    const std::pair<std::string, GameNameProblem> cases[] = {{"Commander Keen", GameNameProblem::None},
                                                             {"Console Wars", GameNameProblem::None},
                                                             {"Doom.", GameNameProblem::None},
                                                             {"..\\..\\Windows\\evil", GameNameProblem::PathStep},
                                                             {"sub/evil", GameNameProblem::PathStep},
                                                             {"..", GameNameProblem::PathStep},
                                                             {". .", GameNameProblem::PathStep},
                                                             {"", GameNameProblem::Empty},
                                                             {"   ", GameNameProblem::Empty},
                                                             {"CON", GameNameProblem::DeviceName},
                                                             {"nul.txt", GameNameProblem::DeviceName},
                                                             {"Com1 ", GameNameProblem::DeviceName},
                                                             {"lpt9", GameNameProblem::DeviceName},
                                                             {"CONOUT$", GameNameProblem::DeviceName},
                                                             {"C:evil", GameNameProblem::NotAFileName},
                                                             {"What?", GameNameProblem::NotAFileName},
                                                             {"Tab\there", GameNameProblem::NotAFileName},
                                                             {std::string(234, 'a'), GameNameProblem::None},
                                                             {std::string(235, 'a'), GameNameProblem::TooLong}};
    for (const auto& c : cases) EXPECT_EQ(CheckGameFileName(c.first, program), c.second) << c.first;
    EXPECT_EQ(ImportFileName("Quest: The *Best*"), "Quest- The -Best-");
}

TEST(LoaderIniRules, PicturesStayInTheImagesFolder) {
    const std::pair<const char*, const char*> cases[] = {{"keen.bmp", "C:\\Old\\Images\\keen.bmp"},
                                                         {"sub\\keen.bmp", "C:\\Old\\Images\\sub\\keen.bmp"},
                                                         {"..\\secret.bmp", ""},
                                                         {"sub\\..\\..\\secret.bmp", ""},
                                                         {"sub/.. /x.bmp", ""},
                                                         {"C:\\secret.bmp", ""},
                                                         {"\\secret.bmp", ""},
                                                         {"keen.bmp:stream", ""},
                                                         {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(PicturePathFor("C:\\Old\\Images", c.first), c.second) << c.first;
    EXPECT_EQ(PicturePathFor("C:\\Old\\Images\\", "a.bmp"), "C:\\Old\\Images\\a.bmp");
    EXPECT_EQ(ImagesFolderOf("C:\\Old\\Loader.ini"), "C:\\Old\\Images\\");
}

TEST_F(LoaderIniTest, EveryKeyReachesItsField) {
    WriteIni(
        "[Keen: Goodbye]\r\nPublisher=Apogee\r\nCategory=Platform\r\nPath=C:\\GAMES\\KEEN4\r\nCommand=KEEN4E.EXE\r\n"
        "Setup=(Parameters)\r\nKeyboard=/key\r\nMouse=/mouse\r\nJoystick=/joy\r\nSelectedKeyboard=yes\r\n"
        "SelectedMouse=YES\r\nSelectedJoystick=no\r\nselecteddisplay=vga\r\nDisplayVESA=/vesa\r\n"
        "DisplayVGA=/vga\r\nDisplayMCGA=/mcga\r\nDisplayEGA=/ega\r\nDisplayCGA=/cga\r\nDisplayTANDY=/tandy\r\n"
        "VDMSound=0\r\nCustomDevice=Network, /ipx\r\nSoundDevice01=Sound Blaster,/sb\r\n"
        "SoundDevice02=PC Speaker\r\nSoundDevice03=Gravis Ultrasound,  /gus\r\nSoundDevice04=X\r\n"
        "SOUNDSELECTED=ignored\r\nSelectedSound=GRAVIS ULTRASOUND\r\nMusicDevice01=AdLib,/adlib\r\n"
        "MusicDevice10=Roland MT-32,/mt32\r\nSelectedMusic=roland mt-32\r\n");
    GameRecord g = BlankGameRecord();
    SetField(g.comment, "kept");
    SetField(g.webSite, "http://old");
    ApplyLoaderSection(ini, "keen: goodbye", g);
    const std::pair<const char*, const char*> texts[] = {{g.title, "keen: goodbye"},
                                                         {g.publisher, "Apogee"},
                                                         {g.category, "Platform"},
                                                         {g.path, "C:\\GAMES\\KEEN4"},
                                                         {g.command, "KEEN4E.EXE"},
                                                         {g.setup, "(Parameters)"},
                                                         {g.webSite, ""},
                                                         {g.comment, "kept"},
                                                         {g.keyboardParam, "/key"},
                                                         {g.mouseParam, "/mouse"},
                                                         {g.joystickParam, "/joy"},
                                                         {g.vesaParam, "/vesa"},
                                                         {g.vgaParam, "/vga"},
                                                         {g.mcgaParam, "/mcga"},
                                                         {g.egaParam, "/ega"},
                                                         {g.cgaParam, "/cga"},
                                                         {g.tandyParam, "/tandy"},
                                                         {g.customName, "Network"},
                                                         {g.customParam, "/ipx"},
                                                         {g.soundNames[0], "Sound Blaster"},
                                                         {g.soundParams[0], "/sb"},
                                                         {g.soundNames[1], "PC Speaker"},
                                                         {g.soundParams[1], ""},
                                                         {g.soundNames[2], "Gravis Ultrasound"},
                                                         {g.soundParams[2], "/gus"},
                                                         {g.soundNames[3], ""},
                                                         {g.musicNames[9], "Roland MT-32"},
                                                         {g.musicParams[9], "/mt32"}};
    for (const auto& t : texts) EXPECT_STREQ(t.first, t.second);
    // keyboard, mouse, joystick and custom on; display, sound and music; options
    EXPECT_EQ((std::vector<int>{g.keyboardOn, g.mouseOn, g.joystickOn, g.customOn, g.selectedDisplay, g.selectedSound,
                                g.selectedMusic, g.options}),
              (std::vector<int>{1, 1, 0, 0, 2, 2, 9, kOptionWin95}));
}

TEST_F(LoaderIniTest, ReadsValuesAsThePlatformDoes) {
    const std::string lines[] = {"Publisher=  Apogee  ",
                                 "  publisher = Apogee",
                                 "Publisher=\"Quoted\"",
                                 "Publisher='single'",
                                 "Publisher=\"half",
                                 "Publisher=a=b",
                                 "Publisher=\tTabbed\t",
                                 "Publisher=",
                                 "Publisher=x ;comment",
                                 "Publisher=1\r\nPublisher=2",
                                 ";Publisher=Commented",
                                 "Publisher",
                                 "Publisher=\"\"",
                                 "PUBLISHER=Upper",
                                 "Publisher=" + std::string(300, 'v')};
    std::string filler;  // a section longer than the first buffer that reads it
    for (int i = 0; i < 3000; ++i) filler += Format("Filler%04d=some value\r\n", i);
    WriteIni("[Big]\r\n" + filler + "Publisher=Deep\r\n");
    EXPECT_STREQ(Apply("Big").publisher, "Deep");
    for (const auto& line : lines) {
        WriteIni("[P]\r\nOther=1\r\n" + line + "\r\nMore=2\r\n[Q]\r\nPublisher=Wrong\r\n");
        EXPECT_EQ(FieldText(Apply("P").publisher), ini.GetString("P", "Publisher")) << line;
    }
}

TEST_F(LoaderIniTest, AbsentKeysGiveEmptyFieldsAndNoSelections) {
    WriteIni(
        "[Bare]\r\nCommand=GO.EXE\r\n"
        "[Odd]\r\nVDMSound=yes\r\nSelectedDisplay=SVGA\r\nSelectedSound=\r\nSelectedMusic=Nothing\r\n"
        "SoundDevice01=A,/a\r\nSoundDevice02=,/b\r\n"
        "[On]\r\nVDMSound=1\r\n");
    GameRecord bare = Apply("Bare");
    EXPECT_STREQ(bare.publisher, "") << "no Publisher: empty, not Unknown";
    EXPECT_STREQ(bare.category, "");
    EXPECT_STREQ(bare.path, "");
    EXPECT_EQ(bare.options, kOptionVdmSound | kOptionWin95);
    EXPECT_EQ(bare.selectedSound, -1) << "no SelectedSound selects no unnamed entry";
    EXPECT_EQ(bare.selectedMusic, -1);
    EXPECT_EQ(bare.selectedDisplay, -1);

    GameRecord odd = Apply("Odd");
    EXPECT_EQ(odd.options, kOptionVdmSound | kOptionWin95) << "only \"1\" and \"0\" count";
    EXPECT_EQ(odd.selectedDisplay, -1);
    EXPECT_EQ(odd.selectedSound, -1) << "an empty SelectedSound does not match the entry with an empty name";
    EXPECT_EQ(odd.selectedMusic, -1);
    EXPECT_EQ(Apply("On").options, kOptionVdmSound | kOptionWin95);
}

TEST_F(LoaderIniTest, LongValuesAreCutToTheirFields) {
    const std::string longText(300, 'x');
    WriteIni("[Long]\r\nPublisher=" + longText + "\r\nKeyboard=" + longText + "\r\nSoundDevice01=" + longText +
             "\r\nMusicDevice01=Name," + longText + "\r\nCustomDevice=" + longText + "," + longText + "\r\n");
    GameRecord g = Apply("Long");
    EXPECT_EQ(FieldText(g.publisher), std::string(259, 'x'));
    EXPECT_EQ(FieldText(g.keyboardParam), std::string(31, 'x'));
    EXPECT_EQ(FieldText(g.soundNames[0]), std::string(259, 'x'));
    EXPECT_EQ(FieldText(g.musicParams[0]), std::string(31, 'x'));
    EXPECT_EQ(FieldText(g.customName), std::string(31, 'x'));
    EXPECT_STREQ(g.customParam, "") << "a value is read as 259 characters: the comma lies beyond";
    EXPECT_EQ(g.musicNames[1][0], '\0') << "nothing written past the field";
    EXPECT_EQ(g.selectedSound, -1);
}

TEST_F(LoaderIniTest, ConvertsOneSectionWithItsPicture) {
    const std::vector<char> bmp = MakeBmp(4, 2, 255, 0, 0);
    WriteFileBytes(program + "\\Images\\keen.bmp", bmp);
    WriteFileBytes(folder + "\\secret.bmp", bmp);
    WriteIni("[Keen]\r\nPicture=keen.bmp\r\nPublisher=Apogee\r\n[Sneaky]\r\nPicture=..\\..\\secret.bmp\r\n");
    const std::string images = program + "\\Images";
    EXPECT_EQ(ConvertSectionToGame(ini, "Keen", "Keen", program, images, false), SectionOutcome::Converted);
    EXPECT_EQ(Load("Keen").pictureSize, bmp.size());
    std::vector<char> file = ReadFileBytes(GameFilePathFor(program, "Keen"));
    EXPECT_EQ(std::vector<char>(file.begin() + kGameRecordSize, file.end()), bmp);
    EXPECT_EQ(ConvertSectionToGame(ini, "Sneaky", "Sneaky", program, images, false), SectionOutcome::Converted);
    EXPECT_EQ(Load("Sneaky").pictureSize, 0u) << "a picture outside the images folder is not taken";

    // An existing game file is kept, or replaced only with overwrite.
    WriteIni("[Keen]\r\nPublisher=Id Software\r\n");
    EXPECT_EQ(ConvertSectionToGame(ini, "Keen", "Keen", program, images, false), SectionOutcome::Exists);
    EXPECT_STREQ(Load("Keen").publisher, "Apogee");
    EXPECT_EQ(ConvertSectionToGame(ini, "Keen", "Keen", program, images, true), SectionOutcome::Converted);
    EXPECT_STREQ(Load("Keen").publisher, "Id Software");
    CreateDirectoryA(GameFilePathFor(program, "Folder").c_str(), nullptr);
    EXPECT_EQ(ConvertSectionToGame(ini, "Keen", "Folder", program, images, true), SectionOutcome::Failed);
    EXPECT_TRUE(FolderExists(GameFilePathFor(program, "Folder")));
}

TEST_F(LoaderIniTest, HostileSectionsWriteNothingOutsideTheGamesFolder) {
    WriteIni(
        "[..\\..\\Escaped]\r\nPath=C:\\\r\n[sub/Escaped]\r\nPath=C:\\\r\n[..]\r\nPath=C:\\\r\n"
        "[CON]\r\nPath=C:\\\r\n[nul.x]\r\nPath=C:\\\r\n[COM1]\r\nPath=C:\\\r\n[Fine]\r\nPath=C:\\\r\n");
    Recorder list;
    const std::vector<std::string> before = AllFiles();
    BatchResult r = ConvertCatalogue(iniPath, program + "\\Images", program, list);
    EXPECT_EQ(r.status, BatchStatus::Done);
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.refused, 6);
    std::vector<std::string> expected = before;
    expected.push_back("\\Program\\Games\\Fine.qgf");
    std::vector<std::string> after = AllFiles();
    std::sort(after.begin(), after.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(after, expected);
    EXPECT_EQ(list.added, std::vector<std::string>{"Fine.qgf"});
}

TEST_F(LoaderIniTest, BatchAddsNewGamesAndSkipsExistingOnesSilently) {
    WriteGame(GameFilePathFor(program, "Old"), MakeGame("Old", "Kept Publisher"));
    CreateDirectoryA((folder + "\\pics").c_str(), nullptr);
    const std::vector<char> bmp = MakeBmp(2, 2, 0, 0, 255);
    WriteFileBytes(folder + "\\pics\\one.bmp", bmp);
    WriteFileText(iniPath,
                  "[One]\r\nPicture=one.bmp\r\nVDMSound=1\r\n[Old]\r\nPublisher=New\r\n[Two]\r\nCategory=Puzzle\r\n"
                  "[Three: Colon]\r\n");
    Recorder list;
    BatchResult r = ConvertCatalogue(iniPath, folder + "\\pics", program, list);
    EXPECT_EQ(r.status, BatchStatus::Done);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(r.existing, 1);
    EXPECT_EQ(r.refused, 1) << "the batch keeps the name as it is: a colon cannot name a file";
    EXPECT_EQ(list.cleared, 1);
    EXPECT_EQ(list.added, (std::vector<std::string>{"One.qgf", "Two.qgf"}));
    EXPECT_STREQ(Load("Old").publisher, "Kept Publisher");
    EXPECT_EQ(Load("One").pictureSize, bmp.size()) << "pictures come from the given folder";
    EXPECT_STREQ(Load("Two").category, "Puzzle");

    WriteFileText(iniPath, "Publisher=Nobody\r\n; no sections at all\r\n");
    EXPECT_EQ(ConvertCatalogue(iniPath, folder, program, list).status, BatchStatus::NoSections);
    EXPECT_EQ(ConvertCatalogue(folder + "\\missing.ini", folder, program, list).status, BatchStatus::CannotOpen);
    EXPECT_EQ(list.cleared, 2) << "the list is emptied only once the file opened";
}

TEST_F(LoaderIniTest, RoundTripOf200Sections) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += Format(
            "[Game %03d]\r\nPublisher=Pub %d\r\nCategory=Cat %d\r\nPath=C:\\G%d\r\nCommand=G%d.EXE\r\n"
            "SoundDevice%02d=Dev %d, /d%d\r\nSelectedSound=dev %d\r\nSelectedDisplay=%s\r\n"
            "VDMSound=%d\r\n",
            i, i, i, i, i, i % 10 + 1, i, i, i, i % 2 ? "EGA" : "cga", i % 2);
    WriteFileText(iniPath, text);
    Recorder list;
    BatchResult r = ConvertCatalogue(iniPath, program + "\\Images", program, list);
    ASSERT_EQ(r.added, 200);
    EXPECT_EQ(r.unread, 0);
    for (int i = 0; i < 200; ++i) {
        const std::string title = Format("Game %03d", i);
        GameRecord g = Load(title);
        EXPECT_EQ(FieldText(g.title), title);
        EXPECT_EQ(FieldText(g.publisher), Format("Pub %d", i));
        EXPECT_EQ(FieldText(g.category), Format("Cat %d", i));
        EXPECT_EQ(FieldText(g.path), Format("C:\\G%d", i));
        EXPECT_EQ(FieldText(g.command), Format("G%d.EXE", i));
        EXPECT_EQ(FieldText(g.soundParams[i % 10]), Format("/d%d", i));
        EXPECT_EQ(g.selectedSound, i % 10);
        EXPECT_EQ(g.selectedDisplay, i % 2 ? 4 : 5);
        EXPECT_EQ(g.options, i % 2 ? 3 : 2);
    }
}

TEST_F(LoaderIniTest, DamagedCataloguesShowWhatCanBeRead) {
    // 2,000 sections: the first 260 are read, the rest counted.
    std::string many;
    for (int i = 0; i < 2000; ++i) many += Format("[Section number %04d of a long catalogue]\r\nPath=C:\\\r\n", i);
    WriteIni(many);
    CatalogueSections sections = ReadCatalogueSections(ini);
    EXPECT_EQ(sections.names.size(), kMaxCatalogueSections);
    EXPECT_EQ(sections.unread, 2000 - static_cast<int>(kMaxCatalogueSections));

    // Binary junk of 5 MB with a few sections and empty names in it.
    std::vector<char> junk(5 * 1024 * 1024);
    unsigned seed = 12345;
    for (char& c : junk) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    const std::string tail = "\r\n[]\r\n[Real Game]\r\nPath=C:\\\r\n";
    junk.insert(junk.end(), tail.begin(), tail.end());
    WriteFileBytes(iniPath, junk);
    ASSERT_TRUE(ini.Open(iniPath));
    sections = ReadCatalogueSections(ini);
    EXPECT_LE(sections.names.size(), kMaxCatalogueSections);
    Recorder list;
    BatchResult r = ConvertCatalogue(iniPath, program + "\\Images", program, list);
    EXPECT_EQ(r.added + r.existing + r.refused + r.failed, static_cast<int>(sections.names.size()));
    for (const auto& file : AllFiles()) EXPECT_EQ(file.rfind("\\Program\\", 0), 0u) << file;
}

}  // namespace
