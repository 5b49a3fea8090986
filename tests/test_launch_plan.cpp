// The launch without a window: the parameter line, the plan, Loader.bat, the layer and its registry value.
#include "TestEnv.h"
#include "data/GameExtras.h"
#include "launch/LaunchPlan.h"
#include "launch/ParameterLine.h"
#include "launch/RegistryValue.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

// The layer value's text; "<absent>" without the value, "<no key>" without the key.
std::string LayerValue(const std::string& name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kLayersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    char data[300] = "";
    DWORD size = sizeof data - 1, type = 0;
    LONG r = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return r != ERROR_SUCCESS ? "<absent>" : type == REG_SZ ? data : "<not REG_SZ>";
}

TEST(ParameterLine, OrderEmptyCandidatesRangesAndFieldEnds) {
    GameRecord g = BlankGameRecord();
    EXPECT_EQ(ComposeParameterLine(g), "");
    for (auto [field, text] : {std::pair{g.egaParam, "/ega"}, {g.keyboardParam, "/kb"}, {g.mouseParam, "/mouse"},
                               {g.joystickParam, "/joy"}, {g.soundParams[9], "/sb"}, {g.musicParams[0], "/mt32"},
                               {g.customParam, "/x"}})
        std::strcpy(field, text);
    g.keyboardOn = g.mouseOn = g.joystickOn = g.customOn = 1;
    g.selectedDisplay = 4, g.selectedSound = 9, g.selectedMusic = 0;
    EXPECT_EQ(ComposeParameterLine(g), "/ega /kb /mouse /joy /sb /mt32 /x ");
    g.mouseOn = 0;
    g.selectedDisplay = 3;  // MCGA, which is empty
    g.selectedSound = 10;
    g.selectedMusic = -1;
    EXPECT_EQ(ComposeParameterLine(g), "/kb /joy /x ");
    // A parameter filling its 32 bytes is read no further.
    g.joystickOn = g.keyboardOn = 0;
    std::memset(g.customParam, 'c', sizeof g.customParam);
    SetField(g.vesaParam, "/vesa");
    EXPECT_EQ(ComposeParameterLine(g), std::string(32, 'c') + " ");
}

TEST(LaunchPlanTest, KindFilesAndArgumentsByOptionsAndVdmSound) {
    const VdmSoundInstall vdm{true, "C:\\VDMS\\", "C:\\VDMS\\VDMSRun.pif"};
    GameRecord g = MakeGame("G", "p", "c", "C:\\GAMES\\G", "MY PLAY.EXE");
    SetField(g.soundParams[0], "/sb16");
    g.selectedSound = 0;
    const struct {
        int options;
        bool vdmFound;
        const char *setup;
        LaunchKind kind;
        const char *file, *params;
    } cases[] = {
        {0, true, "(Parameters)", LaunchKind::Direct, "MY PLAY.EXE", " /sb16 "},
        {2, true, "(pArAmEtErS)", LaunchKind::Direct, "MY PLAY.EXE", " /sb16 "},
        {1, true, "(Parameters)", LaunchKind::VdmSoundBatch, "C:\\VDMS\\VDMSRun.pif", "Loader.bat"},
        {3, true, "SETUP.EXE", LaunchKind::VdmSound, "C:\\VDMS\\VDMSRun.pif", "\"MY PLAY.EXE\""},
        {1, false, "(Parameters)", LaunchKind::Direct, "MY PLAY.EXE", " /sb16 "},
        {4, true, "", LaunchKind::Direct, "MY PLAY.EXE", ""},
    };
    for (const auto& c : cases) {
        g.options = c.options;
        SetField(g.setup, c.setup);
        const LaunchPlan p = PlanLaunch(g, LaunchTarget::Game, {false, c.vdmFound ? vdm : VdmSoundInstall{}, {}, {}});
        const WindowsLaunch& w = *p.InWindows();
        EXPECT_EQ((std::vector<std::string>{w.file, w.params, p.folder, p.fullProgram}),
                  (std::vector<std::string>{c.file, c.params, "C:\\GAMES\\G", "C:\\GAMES\\G\\MY PLAY.EXE"}))
            << c.options << " " << c.setup;
        EXPECT_TRUE(w.kind == c.kind && w.layer == Layer::Untouched) << c.options << " " << c.setup;
    }
    g.options = 1;
    SetField(g.setup, "(Parameters)");
    EXPECT_EQ(PlanLaunch(g, LaunchTarget::Game, {false, vdm, {}, {}}).InWindows()->batchLine,
              "@\"MY PLAY.EXE\"  /sb16 ");
    const Layer layers[5] = {Layer::Removed, Layer::Removed, Layer::Win95, Layer::Win95, Layer::Removed};
    for (int options = 0; options < 5; ++options) {
        g.options = options;
        EXPECT_EQ(PlanLaunch(g, LaunchTarget::Game, {true, {}, {}, {}}).InWindows()->layer, layers[options]) << options;
    }
}

// The setup program's Windows plan, and the DOSBox plans of the game and its setup program.
TEST(LaunchPlanTest, RoutesOfTheGameAndItsSetupProgram) {
    GameRecord g = MakeGame("G", "p", "c", "C:\\GAMES\\G", "PLAY.EXE");
    SetField(g.vgaParam, "-vga");
    g.selectedDisplay = 2;
    const struct {
        bool setup;
        int options;
        DosBoxMode mode;
        bool found;
        const char* own;  // the game's own DOSBox
        const char* plan;
    } rows[] = {{true, 3, DosBoxMode::Never, true, "", "Windows 1 C:\\V\\VDMSRun.bat|SETUP.EXE|0"},
                {true, 2, DosBoxMode::Never, true, "", "Windows 0 SETUP.EXE||0"},
                {false, 3, DosBoxMode::Always, true, "", "DOSBox found C:\\DB\\|C:\\T|.\\PLAY.EXE -vga"},
                {true, 3, DosBoxMode::Always, true, "D:\\X\\x.exe", "DOSBox found D:\\X\\|C:\\T|.\\SETUP.EXE"},
                {false, 0, DosBoxMode::Always, false, "", "DOSBox missing C:\\DB\\|C:\\T|.\\PLAY.EXE -vga"}};
    for (const auto& r : rows) {
        SetField(g.setup, r.setup ? "SETUP.EXE" : "(Parameters)");
        g.options = r.options;
        GameExtras own;
        own.dosBoxProgram = r.own;
        ASSERT_EQ(WriteGameExtras(g, own).problem, ExtrasProblem::None);
        const LaunchFacts facts{true,
                                {true, "C:\\V\\", "C:\\V\\VDMSRun.bat"},
                                {r.mode, true, "C:\\DB\\DOSBox.exe", "C:\\T", {}, r.found, {}},
                                ProgramKind::Dos};
        const LaunchPlan p = PlanLaunch(g, r.setup ? LaunchTarget::Setup : LaunchTarget::Game, facts);
        std::string plan;
        if (const WindowsLaunch* w = p.InWindows())
            plan = "Windows " + std::to_string(static_cast<int>(w->kind)) + " " + w->file + "|" + w->params + "|" +
                   std::to_string(static_cast<int>(w->layer));
        if (const DosBoxLaunch* d = p.InDosBox()) {
            const std::string& text = d->config.text;  // the program's line is the one before "exit"
            const size_t end = text.rfind("\r\nexit\r\n"), start = text.rfind("\r\n", end - 1) + 2;
            plan = std::string("DOSBox ") + (d->programFound ? "found " : "missing ") + d->programFolder + "|" +
                   d->configFolder + "|" + text.substr(start, end - start);
        }
        EXPECT_EQ(plan, r.plan) << r.setup << " " << r.options;
        EXPECT_EQ(p.fullProgram, r.setup ? "C:\\GAMES\\G\\SETUP.EXE" : "C:\\GAMES\\G\\PLAY.EXE");
    }
    SetField(g.setup, "MY SETUP.EXE");  // refused by DOSBox, and named as the Setup
    LaunchFacts inDosBox{false, {}, {DosBoxMode::Always, true, "Z:\\usr\\bin\\dosbox", "", {}, true, {}}, ProgramKind::Dos};
    const DosBoxConfig refused = PlanLaunch(g, LaunchTarget::Setup, inDosBox).InDosBox()->config;
    EXPECT_EQ(refused.field + refused.text, "Setup");
    // The flavour's arguments: the player's own configuration under ours (0.74's README: "-userconf will always
    // be loaded before them"; DOSBox-X's manual page; Staging always loads it, its manual page: --noprimaryconf),
    // and for the host's DOSBox the host's paths, in the configuration too.
    inDosBox.dosBox.options.flavour = DosBoxFlavour::DosBoxX;
    GameExtras cd;
    cd.cdRom = {CdRomKind::Drive, 'E', {}};
    ASSERT_EQ(WriteGameExtras(g, cd).problem, ExtrasProblem::None);
    const DosBoxLaunch x = *PlanLaunch(g, LaunchTarget::Game, inDosBox).InDosBox();
    EXPECT_EQ(x.CommandLine("C:\\T\\l.conf"), "\"Z:\\usr\\bin\\dosbox\" -userconf -nopromptfolder -conf \"C:\\T\\l.conf\"");
    EXPECT_NE(x.config.text.find("\r\nmount E \"E:\\\" -t cdrom\r\n"), std::string::npos) << x.config.text;
    inDosBox.dosBox.options.flavour = DosBoxFlavour::Staging;
    inDosBox.dosBox.options.hostPath = [](const std::string& path) { return "/w/" + path.substr(0, 1); };
    const DosBoxLaunch staging = *PlanLaunch(g, LaunchTarget::Game, inDosBox).InDosBox();
    EXPECT_EQ(staging.CommandLine("C:\\T\\l.conf"), "\"Z:\\usr\\bin\\dosbox\" -conf \"/w/C\"");
    EXPECT_NE(staging.config.text.find("\r\nmount C \"/w/C\"\r\n"), std::string::npos) << staging.config.text;
}

TEST(LaunchPlanTest, LoaderBatchAndLayerAreWritten) {
    const std::string folder = MakeTempFolder("plan");
    WriteFileText(folder + "\\Loader.bat", "old");
    SetFileAttributesA((folder + "\\Loader.bat").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(WriteLoaderBatch(folder, LoaderBatchLine("PLAY.EXE", " /sb16 ")));
    const std::vector<char> written = ReadFileBytes(folder + "\\Loader.bat");
    EXPECT_EQ(std::string(written.begin(), written.end()), "@PLAY.EXE  /sb16 ");
    const std::string program = folder + "\\PLAY.EXE";
    const std::tuple<Layer, LayerResult, const char*> steps[] = {{Layer::Win95, LayerResult::Done, "WIN95"},
                                                                 {Layer::Untouched, LayerResult::NothingToDo, "WIN95"},
                                                                 {Layer::Removed, LayerResult::Done, "<absent>"}};
    for (const auto& [layer, result, value] : steps) {
        EXPECT_EQ(ApplyLayer(program, layer), result) << value;
        EXPECT_EQ(LayerValue(program), value);
    }
    RemoveTree(folder);
}

// DELETE deletes; a missing name or data writes nothing, not even the key; a failure is a result.
TEST(RegistryValueTest, WritesDeletesInAnyCaseAndSkipsMissingNamesOrData) {
    DeleteRegistryTree(HKEY_CURRENT_USER, kLayersKey);
    const std::string program = "C:\\GAMES\\DOOM\\DOOM.EXE";
    using W = RegistryWrite;
    const struct {
        const char *name, *data;
        RegistryWrite result;
        const char* value;  // the program's value after the step
    } steps[] = {{nullptr, "WIN95", W::Skipped, "<no key>"},
                 {program.c_str(), nullptr, W::Skipped, "<no key>"},
                 {program.c_str(), "", W::Skipped, "<no key>"},
                 {program.c_str(), "NT4SP5 256COLOR", W::Done, "NT4SP5 256COLOR"},
                 {program.c_str(), "WIN95", W::Done, "WIN95"},  // overwritten by a shorter text
                 {"other", "WIN95", W::Done, "WIN95"},
                 {program.c_str(), nullptr, W::Skipped, "WIN95"},  // a skipped write deletes nothing
                 {program.c_str(), "DELETE", W::Done, "<absent>"},
                 {program.c_str(), "delete", W::Done, "<absent>"},  // deleting what is not there is no failure
                 {program.c_str(), "DELETED", W::Done, "DELETED"}};  // only the whole word deletes
    for (const auto& s : steps) {
        EXPECT_EQ(WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kLayersKey, s.name, s.data), s.result) << s.value;
        EXPECT_EQ(LayerValue(program), s.value);
    }
    EXPECT_EQ(LayerValue("other"), "WIN95");
    EXPECT_EQ(WriteOrDeleteRegistryString(reinterpret_cast<HKEY>(ULONG_PTR{0x12345}), kLayersKey, "x", "WIN95"),
              RegistryWrite::KeyFailed);
}

}  // namespace
