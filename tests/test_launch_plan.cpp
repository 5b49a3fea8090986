// The launch without a window: the parameter line, the plan, Loader.bat and the compatibility layer.
#include "TestEnv.h"
#include "launch/LaunchPlan.h"
#include "launch/ParameterLine.h"
#include "launch/RegistryValue.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

std::string LayerValue(const std::string& program) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kLayersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<absent>";
    char data[300] = "";
    DWORD size = sizeof data - 1, type = 0;
    LONG r = RegQueryValueExA(key, program.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? std::string(data) : "<absent>";
}

TEST(ParameterLine, OrderEmptyCandidatesRangesAndFieldEnds) {
    GameRecord g = BlankGameRecord();
    EXPECT_EQ(ComposeParameterLine(g), "");
    SetField(g.egaParam, "/ega");
    SetField(g.keyboardParam, "/kb");
    SetField(g.mouseParam, "/mouse");
    SetField(g.joystickParam, "/joy");
    SetField(g.soundParams[9], "/sb");
    SetField(g.musicParams[0], "/mt32");
    SetField(g.customParam, "/x");
    g.selectedDisplay = 4;
    g.keyboardOn = g.mouseOn = g.joystickOn = g.customOn = 1;
    g.selectedSound = 9;
    g.selectedMusic = 0;
    EXPECT_EQ(ComposeParameterLine(g), "/ega /kb /mouse /joy /sb /mt32 /x ");

    g.mouseOn = 0;
    g.selectedDisplay = 3;  // MCGA, which is empty
    g.selectedSound = 10;
    g.selectedMusic = -1;
    EXPECT_EQ(ComposeParameterLine(g), "/kb /joy /x ");
    g.selectedSound = -2;
    g.selectedDisplay = 7;
    SetField(g.keyboardParam, "");
    EXPECT_EQ(ComposeParameterLine(g), "/joy /x ");

    // A parameter that fills its 32 bytes is read no further, though the field
    // after it holds text.
    g.joystickOn = 0;
    std::memset(g.customParam, 'c', sizeof g.customParam);
    SetField(g.vesaParam, "/vesa");
    EXPECT_EQ(ComposeParameterLine(g), std::string(32, 'c') + " ");
    std::memset(g.soundParams[9], 's', sizeof g.soundParams[9]);  // followed by musicNames[0]
    SetField(g.musicNames[0], "MT-32");
    g.selectedSound = 9;
    g.customOn = 0;
    EXPECT_EQ(ComposeParameterLine(g), std::string(32, 's') + " ");
}

TEST(LaunchPlanTest, KindFilesAndArgumentsByOptionsAndVdmSound) {
    const VdmSoundInstall vdm{true, "C:\\VDMS\\", "C:\\VDMS\\VDMSRun.pif"};
    GameRecord g = MakeGame("G", "p", "c", "C:\\GAMES\\G", "MY PLAY.EXE");
    SetField(g.soundParams[0], "/sb16");
    g.selectedSound = 0;
    const struct {
        int options;
        bool vdmFound;
        const char* setup;
        LaunchKind kind;
        const char *file, *params;
    } cases[] = {
        {0, true, "(Parameters)", LaunchKind::Direct, "MY PLAY.EXE", " /sb16 "},
        {2, true, "(pArAmEtErS)", LaunchKind::Direct, "MY PLAY.EXE", " /sb16 "},
        {1, true, "(Parameters)", LaunchKind::VdmSoundBatch, "C:\\VDMS\\VDMSRun.pif", "Loader.bat"},
        {3, true, "SETUP.EXE", LaunchKind::VdmSound, "C:\\VDMS\\VDMSRun.pif", "\"MY PLAY.EXE\""},
        {3, true, "", LaunchKind::VdmSound, "C:\\VDMS\\VDMSRun.pif", "\"MY PLAY.EXE\""},
        {1, false, "(Parameters)", LaunchKind::Direct, "MY PLAY.EXE", " /sb16 "},
        {4, true, "", LaunchKind::Direct, "MY PLAY.EXE", ""},
    };
    for (const auto& c : cases) {
        g.options = c.options;
        SetField(g.setup, c.setup);
        const LaunchPlan p = PlanLaunch(g, {false, c.vdmFound ? vdm : VdmSoundInstall{}});
        // The layer is never touched on Windows 9x.
        EXPECT_EQ((std::vector<std::string>{p.file, p.params, p.folder, p.fullProgram}),
                  (std::vector<std::string>{c.file, c.params, "C:\\GAMES\\G", "C:\\GAMES\\G\\MY PLAY.EXE"}))
            << c.options << " " << c.setup;
        EXPECT_TRUE(p.kind == c.kind && p.layer == Layer::Untouched) << c.options << " " << c.setup;
    }
    g.options = 1;
    SetField(g.setup, "(Parameters)");
    EXPECT_EQ(PlanLaunch(g, {false, vdm}).batchLine, "@\"MY PLAY.EXE\"  /sb16 ");
    g.selectedSound = -1;
    EXPECT_EQ(PlanLaunch(g, {false, vdm}).batchLine, "@\"MY PLAY.EXE\"  ") << "nothing selected still has arguments";

    const Layer layers[5] = {Layer::Removed, Layer::Removed, Layer::Win95, Layer::Win95, Layer::Removed};
    for (int options = 0; options < 5; ++options) {
        g.options = options;
        EXPECT_EQ(PlanLaunch(g, {true, {}}).layer, layers[options]) << options;
    }
}

TEST(LaunchPlanTest, LoaderBatchAndLayerAreWritten) {
    const std::string folder = MakeTempFolder("plan");
    WriteFileText(folder + "\\Loader.bat", "old");
    SetFileAttributesA((folder + "\\Loader.bat").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(WriteLoaderBatch(folder, LoaderBatchLine("PLAY.EXE", " /sb16 ")));
    const std::vector<char> written = ReadFileBytes(folder + "\\Loader.bat");
    EXPECT_EQ(std::string(written.begin(), written.end()), "@PLAY.EXE  /sb16 ");
    CreateDirectoryA((folder + "\\Blocked").c_str(), nullptr);
    CreateDirectoryA((folder + "\\Blocked\\Loader.bat").c_str(), nullptr);
    EXPECT_FALSE(WriteLoaderBatch(folder + "\\Blocked", "@X "));

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

}  // namespace
