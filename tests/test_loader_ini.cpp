// The INI accessor and the old catalogue's conversion over it, down to damaged catalogues.
#include "CatalogueTools.h"
#include "DialogProbe.h"
#include "Groups.h"
#include "TestEnv.h"
#include "win/Texts.h"
#include "data/GameFile.h"
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

class LoaderIniTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* sub : {"\\Program", "\\Program\\Games", "\\Program\\Images"})
            CreateDirectoryA((folder + sub).c_str(), nullptr);
    }
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
        EXPECT_EQ(ReadGameRecord(GameFilePath(program, name), g), GameFileStatus::Ok) << name;
        return g;
    }
    SectionResult Result(const std::string& section, const std::string& name, bool overwrite = false) {
        return ConvertSectionToGame(ini, section, name, program, program + "\\Images", overwrite);
    }
    SectionOutcome Convert(const std::string& section, const std::string& name, bool overwrite = false) {
        return Result(section, name, overwrite).outcome;
    }
    Strings Sections() {
        Strings names;
        std::string name;
        for (bool ok = ini.FirstSection(name, 260); ok; ok = ini.NextSection(name, 260)) names.push_back(name);
        return names;
    }
    TempFolder temp{"loaderini"};
    const std::string folder = temp.path, program = folder + "\\Program", iniPath = program + "\\Loader.ini";
    IniFile ini;
    ListRecorder list;
};

TEST_F(LoaderIniTest, WritesAtOnceOnlyWhenOpenAndNamedAndSectionsAreListed) {
    WriteFileText(iniPath, "[List]\n00=Zero\n01=One\n");
    EXPECT_FALSE(ini.Open(folder + "\\missing.ini"));
    ini.WriteString("List", "02", "x");
    ini.DeleteKey("List", "00");
    EXPECT_EQ(FileText(iniPath), "[List]\n00=Zero\n01=One\n") << "a closed accessor drops writes";
    EXPECT_TRUE(Sections().empty());
    ASSERT_TRUE(ini.Open(iniPath));
    ini.DeleteKey("List", "00");
    ini.WriteString("List", "05", "");
    ini.WriteString("", "01", "x");
    ini.WriteString("List", "", "x");
    ini.DeleteKey("", "01");
    ini.DeleteKey("List", "");
    EXPECT_EQ(FileText(iniPath), "[List]\r\n01=One\r\n05=\r\n")
        << "an empty value is written; no section or key, nothing";
    EXPECT_FALSE(ini.Open(folder)) << "a folder is no INI file";
    EXPECT_EQ(ini.GetString("List", "01"), "") << "a failed open closes the accessor";
    WriteIni("[abcde]\na=1\n[fghijklm]\n[no]\n");
    EXPECT_EQ(Sections(), (Strings{"abcde", "fghijklm", "no"}));
    std::string name;
    EXPECT_FALSE(ini.NextSection(name, 260)) << "the names were used up and dropped";
    EXPECT_FALSE(ini.FirstSection(name, 5)) << "a name must be shorter than the maximum";
    ASSERT_TRUE(ini.FirstSection(name, 6));
    EXPECT_FALSE(ini.NextSection(name, 8));
    ASSERT_TRUE(ini.NextSection(name, 9)) << "a refused name is not skipped";
    EXPECT_EQ(name, "fghijklm");
}

TEST_F(LoaderIniTest, ValuesAreCutTo259CharactersAndStrippedOnRequest) {
    std::string longValue(300, 'v');
    longValue[258] = 'L';
    // A first ';' is part of the value, the first character always stays, only spaces are blanks.
    const std::pair<const char*, const char*> stripped[] = {
        {"abc   ; the rest", "abc"}, {"a;b;c", "a"},   {";kept", ";kept"}, {";;", ";"},
        {"\"x   \"", "x"},           {"\"   \"", " "}, {"\"a\t\"", "a\t"}};
    std::string text = "[S]\nlong=" + longValue + "\n";
    for (size_t i = 0; i < std::size(stripped); ++i) text += "k" + std::to_string(i) + "=" + stripped[i].first + "\n";
    WriteIni(text);
    EXPECT_EQ(ini.GetString("S", "long"), longValue.substr(0, 259));
    EXPECT_EQ(ini.GetStringStripped("S", "long"), longValue.substr(0, 259));
    for (size_t i = 0; i < std::size(stripped); ++i)
        EXPECT_EQ(ini.GetStringStripped("S", "k" + std::to_string(i)), stripped[i].second) << stripped[i].first;
}

TEST(LoaderIniRules, NamesDisplays) {
    const std::pair<const char*, int> displays[] = {{"VESA", 1},  {"vga", 2},   {"Mcga", 3}, {"EGA", 4},  {"cga", 5},
                                                    {"tandy", 6}, {"SVGA", -1}, {"", -1},    {"VGA ", -1}};
    for (const auto& c : displays) EXPECT_EQ(DisplayNumber(c.first), c.second) << c.first;
}

TEST(LoaderIniRules, RefusesNamesThatCannotNameAGameFileAndPicturesOutsideTheFolder) {
    EXPECT_EQ(ImportFileName("Quest: The *Best*"), "Quest- The -Best-");
    ExpectGroups<std::string>({{"C:\\Old\\Images\\keen.bmp", {"keen.bmp"}},
                               {"C:\\Old\\Images\\sub\\keen.bmp", {"sub\\keen.bmp"}},
                               {"", {"..\\secret.bmp", "C:\\secret.bmp", "COM1", "a*.bmp", ""}}},
                              [](const std::string& name) { return PicturePathFor("C:\\Old\\Images", name); });
    using N = PictureNote;
    ExpectGroups<N>({{N::None, {"", "keen.bmp", "sub/keen.bmp"}},
                     {N::OutsideImages,
                      {"sub\\..\\..\\x.bmp", "sub/.. /x.bmp", "sub\\...\\x.bmp", "\\x.bmp", "C:x.bmp",
                       "keen.bmp:stream", "\\\\server\\x.bmp"}},
                     {N::DeviceName, {"AUX", "Nul.bmp", "sub\\CON\\x.bmp"}},
                     {N::CannotRead, {"x.bmp.", "sub\\\\x.bmp"}}},
                    CheckPictureValue);
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
        "SoundDevice02=PC Speaker,\r\nSoundDevice03=Gravis Ultrasound,  /gus\r\nSoundDevice04=X\r\n"
        "SOUNDSELECTED=ignored\r\nSelectedSound=GRAVIS ULTRASOUND\r\nMusicDevice01=AdLib ,/a,b\r\n"
        "MusicDevice10=Roland MT-32,/mt32\r\nSelectedMusic=roland mt-32\r\n");
    GameRecord g = BlankGameRecord();
    SetField(g.comment, "kept");
    SetField(g.webSite, "http://old");
    ApplyLoaderSection(ini, "keen: goodbye", g);
    EXPECT_EQ(
        (Strings{g.title, g.publisher, g.category, g.path, g.command, g.setup, g.webSite, g.comment}),
        (Strings{"keen: goodbye", "Apogee", "Platform", "C:\\GAMES\\KEEN4", "KEEN4E.EXE", "(Parameters)", "", "kept"}));
    EXPECT_EQ(
        (Strings{g.keyboardParam, g.mouseParam, g.joystickParam, g.vesaParam, g.vgaParam, g.mcgaParam, g.egaParam,
                 g.cgaParam, g.tandyParam, g.customName, g.customParam}),
        (Strings{"/key", "/mouse", "/joy", "/vesa", "/vga", "/mcga", "/ega", "/cga", "/tandy", "Network", "/ipx"}));
    EXPECT_EQ((Strings{g.soundNames[0], g.soundParams[0], g.soundNames[1], g.soundParams[1], g.soundNames[2],
                       g.soundParams[2], g.soundNames[3], g.musicNames[0], g.musicParams[0], g.musicNames[9],
                       g.musicParams[9]}),
              (Strings{"Sound Blaster", "/sb", "PC Speaker", "", "Gravis Ultrasound", "/gus", "", "AdLib ", "/a,b",
                       "Roland MT-32", "/mt32"}));
    EXPECT_EQ((std::vector<int>{g.keyboardOn, g.mouseOn, g.joystickOn, g.customOn, g.selectedDisplay, g.selectedSound,
                                g.selectedMusic, g.options}),
              (std::vector<int>{1, 1, 0, 0, 2, 2, 9, kOptionWin95}));
}

TEST_F(LoaderIniTest, ReadsValuesAsThePlatformDoes) {
    const std::string lines[] = {
        "  publisher = \"Quoted\"  ", "Publisher=\"half",     "Publisher=a=b", "Publisher=x ;comment",
        "Publisher=1\r\nPublisher=2", ";Publisher=Commented", "Publisher"};
    std::string filler;  // a section longer than the first buffer that reads it
    for (int i = 0; i < 3000; ++i) filler += Format("Filler%04d=some value\r\n", i);
    WriteIni("[Big]\r\n" + filler + "Publisher=Deep\r\n");
    EXPECT_STREQ(Apply("Big").publisher, "Deep");
    for (const auto& line : lines) {
        WriteIni("[P]\r\nOther=1\r\n" + line + "\r\nMore=2\r\n[Q]\r\nPublisher=Wrong\r\n");
        EXPECT_EQ(FieldText(Apply("P").publisher), ini.GetString("P", "Publisher")) << line;
    }
}

TEST_F(LoaderIniTest, AbsentOddAndLongValues) {
    const std::string longText(300, 'x');
    WriteIni(
        "[Bare]\r\nCommand=GO.EXE\r\n"
        "[Odd]\r\nVDMSound=yes\r\nSelectedDisplay=SVGA\r\nSelectedSound=\r\nSelectedMusic=Nothing\r\n"
        "SoundDevice01=A,/a\r\nSoundDevice02=,/b\r\n[On]\r\nVDMSound=1\r\n[Long]\r\nPublisher=" +
        longText + "\r\nKeyboard=" + longText + "\r\nSoundDevice01=" + longText + "\r\nMusicDevice01=Name," + longText +
        "\r\nCustomDevice=" + longText + "," + longText + "\r\n");
    // No or an empty selection selects nothing, not the entry with an empty name; only "0" clears VDMSound.
    for (const char* section : {"Bare", "Odd", "On"}) {
        GameRecord g = Apply(section);
        EXPECT_EQ((Strings{g.publisher, g.category, g.path}), (Strings{"", "", ""})) << section;
        EXPECT_EQ((std::vector<int>{g.options, g.selectedSound, g.selectedMusic, g.selectedDisplay}),
                  (std::vector<int>{kOptionVdmSound | kOptionWin95, -1, -1, -1}))
            << section;
    }
    GameRecord g = Apply("Long");  // cut to the field, never written past it
    EXPECT_EQ((Strings{g.publisher, g.keyboardParam, g.soundNames[0], g.musicParams[0], g.customName, g.customParam,
                       g.musicNames[1]}),
              (Strings{std::string(259, 'x'), std::string(31, 'x'), std::string(259, 'x'), std::string(31, 'x'),
                       std::string(31, 'x'), "", ""}));
}

// A section named after the short name of another game's file never replaces that file.
TEST_F(LoaderIniTest, ConvertsOneSectionWithItsPictureAndOverwritesOnlyItsOwnFileWhenAsked) {
    const std::vector<char> bmp = MakeBmp(4, 2, 255, 0, 0);
    WriteFileBytes(program + "\\Images\\keen.bmp", bmp);
    WriteIni("[Keen]\r\nPicture=keen.bmp\r\nPublisher=Apogee\r\n");
    EXPECT_EQ(Convert("Keen", "Keen"), SectionOutcome::Converted);
    EXPECT_EQ(Load("Keen").pictureSize, bmp.size());
    // An existing game and overwriting it are the import dialog's test.
    CreateDirectoryA(GameFilePath(program, "Folder").c_str(), nullptr);
    EXPECT_EQ(Convert("Keen", "Folder", true), SectionOutcome::Failed);
    const std::string deluxe = GameFilePath(program, "Keen Dreams Deluxe");
    WriteGame(deluxe, MakeGame("Keen Dreams Deluxe", "Kept"), bmp);
    const std::vector<char> kept = ReadFileBytes(deluxe);
    ASSERT_NE(ShortBaseName(deluxe), "");
    for (bool overwrite : {false, true}) {
        const SectionResult r = Result("Keen", ShortBaseName(deluxe), overwrite);
        EXPECT_EQ(std::make_pair(r.outcome, r.otherFile),
                  std::make_pair(SectionOutcome::OtherFile, std::string("Keen Dreams Deluxe.qgf")));
    }
    EXPECT_EQ(ReadFileBytes(deluxe), kept);
    EXPECT_EQ(Convert("Keen", "keen dreams DELUXE", true), SectionOutcome::Converted) << "its own name, in any case";
    EXPECT_STREQ(Load("Keen Dreams Deluxe").publisher, "Apogee");
}

// The batch adds new games, skips existing ones and notes every picture not taken with the reason.
TEST_F(LoaderIniTest, BatchAddsNewGamesSkipsExistingOnesAndNotesPicturesNotTaken) {
    WriteGame(GameFilePath(program, "Old"), MakeGame("Old", "Kept Publisher"));
    const std::string pics = folder + "\\pics";
    CreateDirectoryA(pics.c_str(), nullptr);
    const std::vector<char> bmp = MakeBmp(4, 2, 255, 0, 0);
    std::vector<char> big = bmp;
    big.resize(kMaxPictureBytes + 1);
    WriteFileBytes(pics + "\\good.bmp", bmp);
    WriteFileBytes(pics + "\\big.bmp", big);
    WriteFileText(pics + "\\notes.txt", "BM, but no picture");
    WriteFileText(
        iniPath,
        "[A]\r\nPicture=good.bmp\r\n[Old]\r\nPublisher=New\r\n[B]\r\nCategory=Puzzle\r\n[C]\r\nPicture=notes.txt\r\n"
        "[D]\r\nPicture=big.bmp\r\n[E]\r\nPicture=gone.bmp\r\n[F]\r\nPicture=..\\Loader.ini\r\n[G]\r\nPicture=COM1\r\n"
        "[H]\r\nPicture=AUX\r\n[A: B]\r\n");
    const BatchResult r = ConvertCatalogue(iniPath, pics, program, list);
    EXPECT_EQ(r.status, BatchStatus::Done);
    EXPECT_EQ((std::vector<int>{r.added, r.existing, r.refused, list.cleared}), (std::vector<int>{8, 1, 1, 1}));
    EXPECT_EQ(list.added, (Strings{"A.qgf", "B.qgf", "C.qgf", "D.qgf", "E.qgf", "F.qgf", "G.qgf", "H.qgf"}));
    using N = PictureNote;
    std::vector<std::pair<std::string, N>> noted,
        expected = {{"C", N::NotABitmap},    {"D", N::TooLarge},   {"E", N::CannotRead},
                    {"F", N::OutsideImages}, {"G", N::DeviceName}, {"H", N::DeviceName}};
    for (const GameNote& n : r.notes) noted.push_back({n.name, n.result.picture});
    EXPECT_EQ(noted, expected);
    EXPECT_STREQ(Load("Old").publisher, "Kept Publisher");
    EXPECT_STREQ(Load("B").category, "Puzzle");
    EXPECT_EQ(Load("A").pictureSize, bmp.size());
    for (const char* name : {"B", "C", "D", "E", "F", "G", "H"}) EXPECT_EQ(Load(name).pictureSize, 0u) << name;
    WriteFileText(iniPath, "Publisher=Nobody\r\n; no sections at all\r\n");
    EXPECT_EQ(ConvertCatalogue(iniPath, folder, program, list).status, BatchStatus::NoSections);
    EXPECT_EQ(ConvertCatalogue(folder + "\\missing.ini", folder, program, list).status, BatchStatus::CannotOpen);
    EXPECT_EQ(list.cleared, 2) << "the list is emptied only once the file opened";
}

TEST_F(LoaderIniTest, DamagedCataloguesShowWhatCanBeRead) {
    std::string many;  // 2,000 sections: the first 260 are read, the rest counted
    for (int i = 0; i < 2000; ++i) many += Format("[Section number %04d of a long catalogue]\r\nPath=C:\\\r\n", i);
    WriteIni(many);
    CatalogueSections sections = ReadCatalogueSections(ini);
    EXPECT_EQ(sections.names.size(), kMaxCatalogueSections);
    EXPECT_EQ(sections.unread, 2000 - static_cast<int>(kMaxCatalogueSections));
    std::vector<char> junk(5 * 1024 * 1024);  // 5 MB of binary junk with a few sections, one unnamed
    unsigned seed = 12345;
    for (char& c : junk) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    const std::string tail = "\r\n[]\r\n[Real Game]\r\nPath=C:\\\r\n";
    junk.insert(junk.end(), tail.begin(), tail.end());
    WriteFileBytes(iniPath, junk);
    ASSERT_TRUE(ini.Open(iniPath));
    sections = ReadCatalogueSections(ini);
    EXPECT_LE(sections.names.size(), kMaxCatalogueSections);
    BatchResult r = ConvertCatalogue(iniPath, program + "\\Images", program, list);
    EXPECT_EQ(r.added + r.existing + r.refused + r.failed, static_cast<int>(sections.names.size()));
    for (const auto& file : FilesBelow(folder)) EXPECT_EQ(file.rfind("\\Program\\", 0), 0u) << file;
}

}  // namespace
