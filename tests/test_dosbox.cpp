// DOSBox, window-free: the configuration made from a game (devices, displays, speed, ports, drives, hostile
// values), the kind of a program, the route a game takes, the start-up search and the launch files.
#include "DialogProbe.h"
#include "Groups.h"
#include "data/RegistryKey.h"
#include "launch/DosBoxConfig.h"
#include "launch/DosBoxFiles.h"
#include "launch/DosBoxFind.h"
#include "launch/LaunchRoute.h"
#include <gtest/gtest.h>

namespace {

// The hardware as one line: the settings it sets, in a fixed order.
std::string Summary(const DosBoxHardware& hw) {
    std::string s;
    auto add = [&s](const std::string& part) { s += (s.empty() ? "" : " ") + part; };
    for (auto [name, value] : {std::pair{"machine=", hw.machine}, {"sbtype=", hw.sbtype}, {"oplmode=", hw.oplmode},
                               {"mpu401=", hw.mpu401}})
        if (!value.empty()) add(name + value);
    for (auto [on, name] : {std::pair{hw.gus, "gus"}, {hw.disney, "disney"}, {hw.tandy, "tandy"}, {hw.pcspeaker, "pcspeaker"}})
        if (on) add(name);
    return s;
}

GameRecord ParameterGame() {
    GameRecord g = MakeGame("Game", "p", "c", "C:\\GAMES\\X", "GAME.EXE");
    SetField(g.setup, "(parameters)");
    return g;
}

// The hardware of a game whose selected sound (slot 3) or music (slot 9) device has this name.
std::string Device(bool music, const std::string& name) {
    GameRecord g = ParameterGame();
    SetField(music ? g.musicNames[9] : g.soundNames[3], name.c_str());
    (music ? g.selectedMusic : g.selectedSound) = music ? 9 : 3;
    return Summary(HardwareOf(g));
}
std::string Sound(const std::string& name) { return Device(false, name); }
std::string Music(const std::string& name) { return Device(true, name); }

TEST(DosBoxConfig, DeviceNamesMatchOnTheWordsThatTellDevicesApart) {
    ExpectGroups<std::string>(
        {{"sbtype=sb16", {"Sound Blaster 16", "SB16", "soundblaster 16 ASP", "AWE32", "Sound Blaster AWE64 Gold"}},
         {"sbtype=sbpro2", {"Sound Blaster Pro", "SBPro", "SB PRO 2"}},
         {"sbtype=sb2", {"Sound Blaster", "SOUND BLASTER 2.0", "sb"}},
         {"sbtype=none", {"No Sound", "none", "NO AUDIO"}},
         {"gus", {"Gravis Ultrasound", "GUS", "gravis UltraSound MAX"}},
         {"disney", {"Disney Sound Source", "Sound Source"}},
         {"tandy", {"Tandy", "Tandy 3-voice"}},
         {"pcspeaker", {"PC Speaker", "pc-speaker"}},
         {"oplmode=opl2", {"AdLib", "Ad Lib"}},
         {"", {"Pro Audio Spectrum", "Covox", "", "Roland MT-32", "Sound\r\n[autoexec]\r\nformat c:"}}},
        Sound);
    ExpectGroups<std::string>(
        {{"mpu401=intelligent", {"General MIDI (MPU-401)", "Roland MT-32", "MT32", "Sound Canvas", "Roland LAPC-1", "GM"}},
         {"oplmode=opl2", {"AdLib", "Sound Blaster FM", "SB FM"}},
         {"oplmode=opl3", {"Sound Blaster Pro FM", "SB16 FM", "Sound Blaster 16"}},
         {"mpu401=none", {"No Music", "None"}},
         {"gus", {"Gravis Ultrasound"}},
         {"tandy", {"Tandy"}},
         {"pcspeaker", {"PC Speaker"}}},
        Music);

    GameRecord g = ParameterGame();
    SetField(g.soundNames[0], "Sound Blaster 16");
    SetField(g.musicNames[0], "Sound Blaster FM");
    g.selectedSound = g.selectedMusic = 0;
    EXPECT_EQ(Summary(HardwareOf(g)), "sbtype=sb16 oplmode=opl3") << "the FM of an SB16 is an OPL3";
    std::vector<std::string> displays;
    for (int32_t d : {1, 2, 3, 4, 5, 6, 0, 7, -1}) {
        g.selectedDisplay = d;
        g.selectedSound = g.selectedMusic = -1;
        displays.push_back(Summary(HardwareOf(g)));
    }
    EXPECT_EQ(displays, (std::vector<std::string>{"machine=svga_s3", "machine=svga_s3", "machine=vgaonly", "machine=ega",
                                                  "machine=cga", "machine=tandy", "", "", ""}));
    g.selectedSound = g.selectedDisplay = 0;
    SetField(g.setup, "SETUP.EXE");
    EXPECT_EQ(Summary(HardwareOf(g)), "") << "only parameter sets select devices";
}

TEST(DosBoxConfig, TheWholeFileOfAGameInAnEightThreeFolder) {
    GameRecord g = ParameterGame();
    SetField(g.path, "c:\\GAMES\\X\\");
    SetField(g.title, "Tank\r\nDuel");
    SetField(g.soundNames[1], "Sound Blaster 16");
    SetField(g.soundParams[1], "/sb16");
    SetField(g.vgaParam, "-vga=1,2");
    g.selectedSound = 1;
    g.selectedDisplay = 2;
    DosBoxOptions options;
    options.fullScreen = true;
    options.slowDown = true;
    options.slowDownPeriod = 60;
    options.blaster = {"240", "5", "1", ""};
    options.keepOpen = true;
    EXPECT_EQ(MakeDosBoxConfig(g, "GAME.EXE", "Command", true, options).text,
              "# Quillon Loader's configuration for one start of Tank  Duel\r\n"
              "[sdl]\r\nfullscreen=true\r\n[dosbox]\r\nmachine=svga_s3\r\n[cpu]\r\ncycles=auto 1078 limit 21046\r\n"
              "[sblaster]\r\nsbtype=sb16\r\nsbbase=240\r\nirq=5\r\ndma=1\r\n"
              "[autoexec]\r\n@echo off\r\nmount -u C >NUL\r\nmount C \"C:\\\"\r\n"
              "if not exist C:\\*.* echo The game was not started: DOSBox could not mount C:\\ as drive C:.\r\n"
              "if not exist C:\\*.* goto qlstop\r\n"
              "if not exist C:\\GAMES\\X\\*.* echo The game was not started: its folder c:\\GAMES\\X is missing.\r\n"
              "if not exist C:\\GAMES\\X\\*.* goto qlstop\r\n"
              "if not exist C:\\GAMES\\X\\GAME.EXE echo The game was not started: its program GAME.EXE is missing in "
              "c:\\GAMES\\X.\r\n"
              "if not exist C:\\GAMES\\X\\GAME.EXE goto qlstop\r\n"
              "C:\r\ncd \\GAMES\\X\r\n.\\GAME.EXE -vga=1,2 /sb16\r\n:qlstop\r\n")
        << "kept open: no exit";
}

TEST(DosBoxConfig, HostileValuesAreRefusedByField) {
    const struct {
        const char *path, *program, *parameter;
        DosBoxProblem problem;
        const char* field;
    } cases[] = {
        {"C:\\GAMES\\X\r\nformat c:", "GAME.EXE", "", DosBoxProblem::UnsafeText, "Path"},
        {"GAMES\\X", "GAME.EXE", "", DosBoxProblem::NoDrive, "Path"},
        {"C:\\GAMES", "GAME.EXE>NUL", "", DosBoxProblem::UnsafeText, "Command"},
        {"C:\\GAMES", "..\\X.EXE", "", DosBoxProblem::NotDosName, "Command"},
        {"C:\\GAMES", "LONG NAME.EXE", "", DosBoxProblem::NotDosName, "Command"},
        {"C:\\GAMES", "GAME.EXE", "/x|del", DosBoxProblem::UnsafeText, "parameters"},
        {"C:\\My Games | More", "GAME.EXE", "/a;b", DosBoxProblem::UnsafeText, "Path"},
        {"C:\\Tom & Jerry^2, More", "GAME.EXE", "/a;b=c&d", DosBoxProblem::None, ""},
    };
    for (const auto& c : cases) {
        GameRecord g = ParameterGame();
        SetField(g.path, c.path);
        SetField(g.customParam, c.parameter);
        g.customOn = 1;
        const DosBoxConfig config = MakeDosBoxConfig(g, c.program, "Command", true, {});
        EXPECT_EQ(std::make_pair(config.problem, config.field), std::make_pair(c.problem, std::string(c.field)))
            << c.path << " | " << c.program << " | " << c.parameter;
        EXPECT_EQ(config.text.empty(), c.problem != DosBoxProblem::None);
    }
}

TEST(DosBoxConfig, SlowDownCyclesAndVdmSoundPorts) {
    // The slider's 0% is a period of 100 ms (110 before the box is first ticked): as fast as no slow-down.
    // Measured in DOSBox 0.74-3 with CPUCOUNT.COM (tools/dosbox_check.sh), loops per second: off and 0%
    // 599,825, 50% 166,833, 100% 59,833; a protected-mode game off 26 to 58 million, 50% 1,935,634.
    EXPECT_EQ((std::vector<std::string>{DosBoxCyclesSetting(false, 10), DosBoxCyclesSetting(true, 110),
                                        DosBoxCyclesSetting(true, 100), DosBoxCyclesSetting(true, 50),
                                        DosBoxCyclesSetting(true, 10), DosBoxCyclesSetting(true, 0)}),
              (std::vector<std::string>{"auto", "auto", "auto", "auto 835 limit 14255", "auto 300 limit 3000",
                                        "auto 300 limit 3000"}));
    EXPECT_EQ(std::make_pair(DosBoxCycles(100), DosBoxCycleLimit(100)), std::make_pair(3000, 0));
    for (unsigned period = 10; period < 100; ++period) {
        EXPECT_LT(DosBoxCycles(period), DosBoxCycles(period + 1)) << "slower at every step up: " << period;
        EXPECT_LT(DosBoxCycleLimit(period), period < 99 ? DosBoxCycleLimit(period + 1) : 100000) << period;
    }

    TempFolder temp("vdms");
    auto ports = [&temp](const std::string& section) {
        WriteFileText(temp.path + "\\VDMS.INI", "[SB Controller.config]\r\n" + section);
        IniFile ini;
        ini.Open(temp.path + "\\VDMS.INI");
        const SoundBlasterPorts p = ReadVdmsSoundBlaster(ini);
        return p.base + "/" + p.irq + "/" + p.dma + "/" + p.hdma;
    };
    EXPECT_EQ(ports("port = 0x2A0 ; the base\r\nIRQ = 10 ; comment\r\nDMA8 = 3\r\nDMA16 = 7\r\n"), "2a0/10/3/7");
    EXPECT_EQ(ports("port = 0x225\r\nIRQ = 4\r\nDMA8 = 2\r\nDMA16 = 4\r\n"), "///") << "DOSBox keeps its own";
    EXPECT_EQ(ports("port = 220\r\nIRQ=7\r\n"), "220/7//");
}

std::string ThisProgram() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

TEST(DosBoxRoute, ProgramKindsAndTheRouteOfAGame) {
    TempFolder temp("kind");
    const std::string pe = ThisProgram();
    std::vector<char> ne(0x80, 0);
    ne[0] = 'M', ne[1] = 'Z', ne[0x3C] = 0x40, ne[0x40] = 'N', ne[0x41] = 'E';
    WriteFileBytes(temp.path + "\\WIN16.EXE", ne);
    ASSERT_TRUE(CopyFileA(pe.c_str(), (temp.path + "\\PE.COM").c_str(), FALSE));
    for (const char* name : {"GAME.EXE", "GAME.com", "GO.BAT", "GAME.PIF", "README.TXT", "NOEXT"})
        WriteFileText(temp.path + "\\" + name, "MZ");
    auto kind = [&temp](const std::string& name) { return static_cast<int>(KindOfProgram(temp.path + "\\" + name)); };
    ExpectGroups<int>({{static_cast<int>(ProgramKind::Windows), {"PE.COM"}},
                       {static_cast<int>(ProgramKind::Dos), {"GAME.EXE", "GAME.com", "GO.BAT", "WIN16.EXE", "MISSING.EXE"}},
                       {static_cast<int>(ProgramKind::Other), {"GAME.PIF", "README.TXT", "NOEXT"}}},
                      kind);

    EXPECT_EQ((std::vector<DosBoxMode>{DosBoxModeOf(0), DosBoxModeOf(2), DosBoxModeOf(3)}),
              (std::vector<DosBoxMode>{DosBoxMode::Never, DosBoxMode::Always, DosBoxMode::WhereNeeded}));
    using M = DosBoxMode;
    using R = RunWith;
    const struct {
        M mode;
        R choice;
        bool runsDos;
        ProgramKind kind;
        LaunchRoute route;
    } rows[] = {
        {M::Always, R::DosBox, false, ProgramKind::Windows, LaunchRoute::Windows},
        {M::Always, R::DosBox, false, ProgramKind::Other, LaunchRoute::Windows},
        {M::Always, R::Windows, false, ProgramKind::Dos, LaunchRoute::Windows},
        {M::Never, R::DosBox, true, ProgramKind::Dos, LaunchRoute::DosBox},
        {M::Never, R::Default, false, ProgramKind::Dos, LaunchRoute::Windows},
        {M::Always, R::Default, true, ProgramKind::Dos, LaunchRoute::DosBox},
        {M::WhereNeeded, R::Default, true, ProgramKind::Dos, LaunchRoute::Windows},
        {M::WhereNeeded, R::Default, false, ProgramKind::Dos, LaunchRoute::DosBox},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ChooseLaunchRoute(r.mode, r.choice, r.runsDos, r.kind), r.route)
            << static_cast<int>(r.mode) << " " << static_cast<int>(r.choice) << " " << r.runsDos;
}

TEST(DosBoxFind, ProgramFilesFoldersThenUninstallEntries) {
    TempFolder temp("find");
    const std::string pe = ThisProgram(), root = temp.path;
    auto put = [&](const std::string& file, bool program) {
        const std::string path = root + "\\" + file;
        for (size_t at = path.find('\\', root.size() + 1); at != std::string::npos; at = path.find('\\', at + 1))
            CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
        program ? (void)CopyFileA(pe.c_str(), path.c_str(), FALSE) : WriteFileText(path, "MZ");  // "MZ": no program
        return path;
    };
    const std::string newest = put("PF1\\DOSBox-0.74-3\\DOSBox.exe", true);
    put("PF1\\DOSBox Staging\\DOSBox.exe", true);
    put("PF1\\Games\\DOSBox.exe", true);
    put("PF2\\DOSBox Staging\\DOSBox.exe", false);
    const std::string x = put("PF2\\DOSBox-X\\dosbox-x.exe", true);
    DosBoxSearch search;
    search.programFilesFolders = {root + "\\Missing", root + "\\PF1", root + "\\PF2"};
    EXPECT_EQ(FindDosBox(search), newest) << "the newest-looking DOSBox folder first";
    search.programFilesFolders.erase(search.programFilesFolders.begin() + 1);
    EXPECT_EQ(FindDosBox(search), x);

    const std::string key = "Software\\QuillonLoaderTest\\Uninstall";
    auto entry = [&](const char* name, const char* valueName, const std::string& value) {
        DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\QuillonLoaderTest");
        RegistryKey k;
        k.Open(HKEY_CURRENT_USER, key + "\\Entry", KEY_WRITE, true);
        k.WriteString("DisplayName", name);
        k.WriteString(valueName, value);
        DosBoxSearch byRegistry;
        byRegistry.uninstallKeys.push_back({HKEY_CURRENT_USER, key, 0});
        return FindDosBox(byRegistry);
    };
    const std::string staging = root + "\\PF1\\DOSBox Staging";
    EXPECT_EQ(entry("DOSBox Staging", "DisplayIcon", staging + "\\DOSBox.exe,0"), staging + "\\DOSBox.exe");
    EXPECT_EQ(entry("dosbox-x", "InstallLocation", root + "\\PF2\\DOSBox-X\\"), x);
    EXPECT_EQ(entry("Other Game", "DisplayIcon", staging + "\\DOSBox.exe"), "") << "not a DOSBox entry";
    EXPECT_EQ(entry("DOSBox", "DisplayIcon", root + "\\PF2\\DOSBox Staging\\DOSBox.exe"), "") << "not a program";
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\QuillonLoaderTest");
}

TEST(DosBoxFiles, OneFileALaunchTheNewestKept) {
    TempFolder temp("conf");
    const std::string folder = temp.path + "\\Quillon Loader\\DOSBox";
    WriteFileText(temp.path + "\\in the way", "");
    EXPECT_EQ(WriteDosBoxConfig(temp.path + "\\in the way\\DOSBox", "x"), "");
    std::string last;
    for (int i = 1; i <= 10; ++i) last = WriteDosBoxConfig(folder, "text " + std::to_string(i));
    EXPECT_EQ(last, folder + "\\launch10.conf");
    EXPECT_EQ(FileText(last), "text 10");
    std::vector<bool> kept;
    for (int i = 1; i <= 10; ++i) kept.push_back(FileText(folder + "\\launch" + std::to_string(i) + ".conf") != "");
    EXPECT_EQ(kept, (std::vector<bool>{false, false, true, true, true, true, true, true, true, true}));
    WriteFileText(folder + "\\launch77.conf", "someone's");
    WriteFileText(folder + "\\launchX.conf", "not ours");
    EXPECT_EQ(WriteDosBoxConfig(folder, "next"), folder + "\\launch78.conf");
    EXPECT_EQ(FileText(folder + "\\launchX.conf"), "not ours");
}

}  // namespace
