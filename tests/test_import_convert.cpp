// Imported games made game files: names, device choices, the record, and the batch with its summary.
#include "CatalogueTools.h"
#include "DialogProbe.h"
#include "Groups.h"
#include "data/GameExtras.h"
#include "data/NewGame.h"
#include "dialogs/ImportSummary.h"
#include "import/ImportDevices.h"
#include "import/ImportToRecord.h"
#include "launch/DosBoxConfig.h"
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;
using Kinds = std::vector<ImportNoteKind>;
using K = ImportNoteKind;

Kinds KindsOf(const std::vector<ImportNote>& notes) {
    Kinds kinds;
    for (const ImportNote& note : notes) kinds.push_back(note.kind);
    return kinds;
}

TEST(ImportNames, TitlesBecomeGameFileNames) {
    const std::string program = "C:\\Quillon";
    ExpectGroups<std::string>({{"Keen- Goodbye-", {"Keen: Goodbye*"}},
                               {"A-B-C-D-E-F", {"A/B\\C?D|E\"F"}},
                               {"a b", {"a\tb", "  a b.. "}},
                               {"ab", {"ab"}},
                               {"X game", {"X", " X."}},
                               {"Untitled game", {"", "...", " \x01 "}},
                               {"Game con", {"con"}},
                               {"Game aux.txt", {"aux.txt"}}},
                              [&](const std::string& title) { return GameFileNameFor(title, program); });
    const size_t room = kMaxGamePath - GameFilePath(program, "").size();
    EXPECT_EQ(GameFileNameFor(std::string(300, 'x'), program), std::string(room, 'x'));
    EXPECT_EQ(GameFileNameFor(std::string(room - 1, 'x') + " y", program), std::string(room - 1, 'x'));
}

TEST(ImportDevices, ChoicesGiveDosBoxTheSameHardware) {
    const struct {
        DosBoxValues values;
        const char* chosen;  // sound | music | display -> what a launch writes
        Strings notChosen;
    } cases[] = {
        {{"sb16", "", "", "", "", "", "intelligent", "", "svga_s3", ""},
         "Sound Blaster 16 | General MIDI (MPU-401) | 2 -> sb16 intelligent gus=0 svga_s3", {}},
        {{"SBPRO2", "", "", "", "", "true", "", "", "", ""},
         "Sound Blaster Pro 2 | Gravis UltraSound | -1 -> sbpro2  gus=1 ", {}},
        {{"", "", "", "", "", "1", "", "", "", ""}, "Gravis UltraSound |  | -1 ->   gus=1 ", {}},
        {{"sb16", "", "", "", "", "on", "intelligent", "", "", ""},
         "Sound Blaster 16 | General MIDI (MPU-401) | -1 -> sb16 intelligent gus=0 ", {"gus.gus=on"}},
        {{"sb1", "", "", "", "", "false", "uart", "", "hercules", ""}, " |  | -1 ->   gus=0 ",
         {"sblaster.sbtype=sb1", "midi.mpu401=uart", "dosbox.machine=hercules"}},
        {{"gb", "", "", "", "", "", "none", "", "vgaonly", ""}, "Game Blaster | No music | 3 -> gb none gus=0 vgaonly", {}},
        {{"none", "", "", "", "", "", "", "", "ega", ""}, "No sound |  | 4 -> none  gus=0 ega", {}},
        {{"sbpro1", "", "", "", "", "", "", "", "cga", ""}, " |  | 5 ->   gus=0 cga", {"sblaster.sbtype=sbpro1"}},
        {{"sb2", "", "", "", "", "", "", "", "tandy", ""}, "Sound Blaster 2.0 |  | 6 -> sb2  gus=0 tandy", {}},
    };
    for (const auto& c : cases) {
        GameRecord g = BlankGameRecord();
        std::vector<ImportNote> notes;
        const bool nothing = std::string(c.chosen).rfind(" |  | -1", 0) == 0;
        EXPECT_EQ(ChooseDevices(c.values, g, notes), !nothing) << c.chosen;
        SetField(g.setup, kParametersMarker);
        const DosBoxHardware hw = HardwareOf(g);
        const std::string sound = g.selectedSound == 0 ? g.soundNames[0] : "";
        const std::string music = g.selectedMusic == 0 ? g.musicNames[0] : "";
        EXPECT_EQ(sound + " | " + music + " | " + std::to_string(g.selectedDisplay) + " -> " + hw.sbtype + " " +
                      hw.mpu401 + " gus=" + std::to_string(hw.gus) + " " + hw.machine,
                  c.chosen);
        Strings details;
        for (const ImportNote& n : notes) details.push_back(n.detail);
        EXPECT_EQ(details, c.notChosen) << c.chosen;
    }
}

class ImportRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string& sub : {program, program + "\\Games", game}) CreateDirectoryA(sub.c_str(), nullptr);
        WriteFileText(game + "\\KEEN4E.EXE", std::string(1234, 'k'));
        WriteFileText(game + "\\SETUP.EXE", "setup");
        WriteFileText(game + "\\Long Program.exe", "long");
        base.title = "Keen 4", base.developer = "id Software", base.genre = "Platform", base.year = "1991";
        base.notes = "Fun", base.folder = {game, PathStyle::Windows}, base.command = "KEEN4E";
    }
    TempFolder temp{"importrecord"};
    const std::string program = temp.path + "\\Program", game = temp.path + "\\GAME";
    ImportedGame base;
    ListRecorder list;
};

TEST_F(ImportRecordTest, FollowsAddGameRulesAndNotesWhatItLeavesOut) {
    using G = ImportedGame&;
    using T = const std::string&;  // the temporary folder
    const std::string keen = "Keen 4 | SETUP.EXE | KEEN4E.EXE | ";
    const struct {
        void (*change)(G, T);
        std::string expected;  // file name | Setup | Command | custom parameter
        Kinds notes;
    } cases[] = {
        {[](G, T) {}, keen, {}},
        {[](G g, T) { g.parameters = " /nowait "; }, "Keen 4 | (Parameters) | KEEN4E.EXE | /nowait", {}},
        {[](G g, T t) { g.parameters = "/p", g.setup.text = t + "\\GAME\\SETUP.EXE"; },
         "Keen 4 | (Parameters) | KEEN4E.EXE | /p", {K::SetupOverParameters}},
        {[](G g, T) { g.dosBox.sbtype = "sb16"; }, keen, {K::DevicesNotInEffect}},
        {[](G g, T t) { g.dosBox.sbtype = "sb16", g.folder.text = t + "\\NONE"; }, "Keen 4 | (Parameters) | KEEN4E | ",
         {K::FolderMissing}},
        {[](G g, T) { g.parameters = "a|b"; }, keen, {K::ParametersNotKept}},
        {[](G g, T) { g.parameters = std::string(32, 'p'); }, keen, {K::ParametersNotKept}},
        {[](G g, T t) { g.setup.text = t + "\\OTHER\\SETUP.EXE", g.setupParameters = "/s"; }, keen,
         {K::SetupNotKept, K::SetupParametersNotKept}},
        {[](G g, T t) { g.setup.text = t + "\\GAME\\KEEN4E.EXE"; }, "Keen 4 | KEEN4E.EXE | KEEN4E.EXE | ", {}},
        {[](G g, T) { g.command = "missing long name.exe", g.title = "CON"; }, "Game CON | SETUP.EXE |  | ",
         {K::ProgramNotDosName}},
        {[](G g, T) { g.Note(K::CannotRead, "x"); }, " |  |  | ", {K::CannotRead}},
        {[](G g, T) { g.folder.text.clear(); }, "Keen 4 |  |  | ", {K::NoFolder}},
        {[](G g, T) { g.folder.text = "C:\\a\x01z"; }, "Keen 4 |  |  | ", {K::UnusableFolder}},
    };
    for (const auto& c : cases) {
        ImportedGame imported = base;
        c.change(imported, temp.path);
        const ImportedRecord made = MakeImportedRecord(imported, program);
        const GameRecord& r = made.record;
        const std::string described = made.fileName + " | " + (made.ok ? FieldText(r.setup) : "") + " | " +
                                      (made.ok ? FieldText(r.command) : "") + " | " + FieldText(r.customParam);
        EXPECT_EQ(described, c.expected);
        EXPECT_EQ(KindsOf(made.notes), c.notes) << c.expected;
        EXPECT_EQ(made.ok, made.notes.empty() || !StopsImport(made.notes.back().kind)) << c.expected;
    }
    ImportedGame imported = base;
    imported.parameters = "/nowait";
    GameRecord r = MakeImportedRecord(imported, program).record;
    EXPECT_EQ((Strings{r.title, r.publisher, r.category, r.path, r.comment, r.programName, r.customName}),
              (Strings{"Keen 4", "id Software", "Platform", game, "Year: 1991\r\nFun", "KEEN4E.EXE", "Parameters"}));
    EXPECT_EQ((std::vector<int>{static_cast<int>(r.programSize), r.customOn, static_cast<int>(GameRunWith(r))}),
              (std::vector<int>{1234, 1, static_cast<int>(RunWith::DosBox)}));
    imported.publisher = "Apogee";
    imported.year = imported.notes = "";
    EXPECT_STREQ(MakeImportedRecord(imported, program).record.comment, "Developer: id Software");
    imported.developer = "";
    EXPECT_STREQ(MakeImportedRecord(imported, program).record.comment, "no comment");
    imported.command = "Long Program.exe";  // the file system's short name
    const std::string command = FieldText(MakeImportedRecord(imported, program).record.command);
    EXPECT_TRUE(IsDosName(command) && FileExists(game + "\\" + command)) << command;
    imported.folder = {"/tmp/no such folder", PathStyle::Host};  // Wine gives the host's paths a drive
    const ImportedRecord host = MakeImportedRecord(imported, program);
    EXPECT_TRUE(host.ok);
    EXPECT_EQ(FieldText(host.record.path).substr(1), ":\\tmp\\no such folder");
    for (const ImportNote& note : host.notes) EXPECT_NE(note.kind, ImportNoteKind::HostPath) << "mapped, no note";
}

// CD-ROM and DOSBox values go to the reserved area: the Blaster's ports always, the rest unless default.
TEST_F(ImportRecordTest, KeepsTheCdRomAndTheDosBoxLinesThatFit) {
    std::vector<ImportNote> notes;
    auto extrasOf = [&](const ImportedGame& imported, Kinds& kinds) {
        const ImportedRecord made = MakeImportedRecord(imported, program);
        kinds = KindsOf(made.notes);
        notes = made.notes;
        return ReadGameExtras(made.record).extras;
    };
    const std::string iso = temp.path + "\\disc1.iso", cue = temp.path + "\\disc2.cue";
    auto mounted = [](CdRomKind kind, const Strings& paths) {
        ImportedCdRom cd;
        cd.kind = kind;
        cd.letter = 'D';
        for (const std::string& path : paths) (kind == CdRomKind::Drive ? cd.drive : cd.images.emplace_back()) = {path};
        return cd;
    };
    const struct {
        ImportedCdRom cd;
        CdRom kept;
        std::string notKept;  // the note's detail
    } cds[] = {{mounted(CdRomKind::Drive, {"E:\\"}), {CdRomKind::Drive, 'E', {}}, ""},
               {mounted(CdRomKind::Drive, {"f:"}), {CdRomKind::Drive, 'F', {}}, ""},
               {mounted(CdRomKind::Drive, {game}), {}, game},
               {mounted(CdRomKind::Images, {iso, cue}), {CdRomKind::Images, 0, {iso, cue}}, ""},
               {mounted(CdRomKind::Images, {iso, game + "\\cd.bin"}), {}, iso + ", " + game + "\\cd.bin"}};
    for (const auto& c : cds) {
        ImportedGame imported = base;
        imported.cdRom = c.cd;
        Kinds kinds;
        EXPECT_EQ(extrasOf(imported, kinds).cdRom, c.kept) << c.cd.drive.text;
        EXPECT_EQ(kinds, c.notKept.empty() ? Kinds{} : Kinds{K::CdRomNotKept}) << c.cd.drive.text;
        EXPECT_EQ(notes.empty() ? std::string() : notes[0].detail, c.notKept);
    }
    ImportedGame imported = base;
    imported.dosBox = {"sbpro1", "220", "7", "1", "5", "", "", "mt32", "", "fixed 3000"};
    imported.extraLines = {"sdl.fullscreen=false", "dosbox.memsize=32", "ne2000.nicirq=10", "DOS.EMS = False",
                           "midi.mpu401=intelligent"};
    Kinds kinds;
    EXPECT_EQ(extrasOf(imported, kinds).extraLines,
              (Strings{"sblaster.sbbase=220", "sblaster.irq=7", "sblaster.dma=1", "sblaster.hdma=5", "midi.mididevice=mt32",
                       "cpu.cycles=fixed 3000", "sblaster.sbtype=sbpro1", "dosbox.memsize=32", "DOS.EMS = False"}));
    EXPECT_EQ(kinds, Kinds{K::ExtraLineRefused}) << "sbpro1, no device choice, is kept as a line, not noted";
    // The area holds 756 bytes: the lines past it are named in one note, the later short one still fits.
    imported.dosBox = {};
    imported.extraLines.assign(60, "mixer.rate=22050");
    for (size_t i = 0; i < imported.extraLines.size(); ++i) imported.extraLines[i] += std::to_string(i % 10);
    imported.extraLines.back() = "dos.umb=no";
    const ImportedRecord made = MakeImportedRecord(imported, program);
    const Strings kept = ReadGameExtras(made.record).extras.extraLines;
    ASSERT_EQ(KindsOf(made.notes), Kinds{K::NoRoomForLines});
    EXPECT_EQ(kept.back(), "dos.umb=no");
    std::string notKept;
    for (size_t i = kept.size() - 1; i + 1 < imported.extraLines.size(); ++i)
        notKept += (notKept.empty() ? "" : ", ") + imported.extraLines[i];
    EXPECT_EQ(made.notes[0].detail, notKept);
}

// A title that is the short name of another game's file never replaces that file.
TEST_F(ImportRecordTest, BatchWritesNewGamesKeepsExistingOnesAndSummarises) {
    const std::vector<char> bmp = MakeBmp(4, 2, 1, 2, 3);
    const std::string deluxe = GameFilePath(program, "Keen Dreams Deluxe");
    WriteGame(deluxe, MakeGame("Keen Dreams Deluxe", "Kept"));
    WriteGame(GameFilePath(program, "Old"), MakeGame("Old", "Kept"));
    const std::vector<char> kept = ReadFileBytes(deluxe);
    const std::string shortName = ShortBaseName(deluxe);
    ASSERT_NE(shortName, "");
    std::vector<ImportedGame> games(5, base);
    games[0].picture = bmp;
    games[1].unmapped = {"keyb gr"};
    games[1].extraLines = {"ne2000.nicirq=10"};
    games[2].title = "Old";
    games[2].publisher = "New";
    games[3].title = "Bad";
    games[3].Note(K::CannotRead, "C:\\x\\bad.conf");
    games[4].title = shortName;
    ImportBatchResult r = ConvertImportedGames(games, program, false, list);
    EXPECT_EQ((std::vector<int>{r.converted, r.failed, r.existing}), (std::vector<int>{2, 1, 2}));
    EXPECT_EQ(list.added, (Strings{"Keen 4.qgf", "Keen 4 (2).qgf"}));
    EXPECT_EQ(GameAt(GameFilePath(program, "Keen 4")).pictureSize, bmp.size());
    EXPECT_EQ(ReadFileBytes(GameFilePath(program, "Keen 4")).size(), sizeof(GameRecord) + bmp.size());
    EXPECT_EQ(ImportSummaryText(r),
              "Converted: 2.  Failed: 1.  Already exists: 2\n\nKeen 4 (converted):\n- its DOSBox line "
              "ne2000.nicirq=10 is not kept: only settings of DOSBox's own sections, without [ ] # or %, are.\n"
              "- not understood: keyb gr\n\n"
              "Bad (not converted):\n- C:\\x\\bad.conf cannot be read.\n\n" +
                  shortName +
                  " (already exists):\n- its name is the short name of the game file Keen Dreams Deluxe.qgf, which "
                  "is kept");
    EXPECT_EQ(ImportSummaryText(r, 1).substr(ImportSummaryText(r, 1).size() - 17), "\n\n... and 2 more.");
    const std::string one = ImportSummaryText(r, 1);
    EXPECT_EQ(ImportSummaryText(r, 9, one.size() - 17), one) << "as many games as fit in so many characters";
    EXPECT_STREQ(GameAt(GameFilePath(program, "Old")).publisher, "Kept");
    CreateDirectoryA(GameFilePath(program, "Folder").c_str(), nullptr);
    games[3] = base;
    games[3].title = "Folder";
    r = ConvertImportedGames(games, program, true, list);
    EXPECT_EQ((std::vector<int>{r.converted, r.failed, r.existing}), (std::vector<int>{3, 1, 1}));
    EXPECT_EQ(r.games[4].otherFile, "Keen Dreams Deluxe.qgf");
    EXPECT_EQ(ReadFileBytes(deluxe), kept);
    EXPECT_STREQ(GameAt(GameFilePath(program, "Old")).publisher, "New");
    EXPECT_EQ(FilesBelow(program + "\\Games"),
              (Strings{"\\Keen 4 (2).qgf", "\\Keen 4.qgf", "\\Keen Dreams Deluxe.qgf", "\\Old.qgf"}));
    for (int kind = 0; kind <= static_cast<int>(K::NoRoomForLines); ++kind)
        EXPECT_NE(ImportNoteText({static_cast<K>(kind), "x"}), "") << kind;
}

}  // namespace
