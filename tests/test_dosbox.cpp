// DOSBox, window-free: the configuration of a game, program kinds, routes, the search, flavours, host paths.
#include "DialogProbe.h"
#include "Groups.h"
#include "data/RegistryKey.h"
#include "launch/DosBoxConfig.h"
#include "launch/DosBoxFiles.h"
#include "launch/DosBoxFind.h"
#include "launch/DosBoxFlavour.h"
#include "launch/HostPath.h"
#include "launch/LaunchRoute.h"
#include <gtest/gtest.h>

namespace {

// The hardware as one line: the settings it sets, in a fixed order.
std::string Summary(const DosBoxHardware& hw) {
    std::string s;
    auto add = [&s](const std::string& part) { s += (s.empty() ? "" : " ") + part; };
    for (auto [name, value] : {std::pair{"machine=", hw.machine}, {"sbtype=", hw.sbtype}, {"oplmode=", hw.oplmode},
                               {"mpu401=", hw.mpu401}, {"midi=", hw.midi}})
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
         {"sbtype=gb", {"Game Blaster", "Creative GameBlaster", "CMS", "Creative Music System"}},
         {"sbtype=none", {"No Sound", "none", "NO AUDIO"}},
         {"gus", {"Gravis Ultrasound", "GUS", "gravis UltraSound MAX"}},
         {"disney", {"Disney Sound Source", "Sound Source"}},
         {"tandy", {"Tandy", "Tandy 3-voice"}},
         {"pcspeaker", {"PC Speaker", "pc-speaker"}},
         {"oplmode=opl2", {"AdLib", "Ad Lib"}},
         {"oplmode=opl3gold", {"AdLib Gold", "Ad Lib Gold 1000"}},
         {"", {"Pro Audio Spectrum", "Covox", "", "Roland MT-32", "Sound\r\n[autoexec]\r\nformat c:"}}},
        Sound);
    ExpectGroups<std::string>(
        {{"mpu401=intelligent", {"General MIDI (MPU-401)", "Sound Canvas", "Roland Sound Canvas", "Roland SC-55", "GM"}},
         {"mpu401=intelligent midi=mt32", {"Roland MT-32", "MT32", "Roland LAPC-1", "LAPC-I", "Roland", "CM-32L"}},
         {"oplmode=opl2", {"AdLib", "Sound Blaster FM", "SB FM"}},
         {"oplmode=opl3gold", {"AdLib Gold"}},
         {"sbtype=gb", {"Game Blaster"}},
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

TEST(DosBoxConfig, SlowDownCyclesAndVdmSoundPorts) {
    // 0% is a period of 100 ms (110 before the box is first ticked); measured with tools/dosbox_check.sh.
    EXPECT_EQ((std::vector<std::string>{DosBoxCyclesSetting(false, 10), DosBoxCyclesSetting(true, 110),
                                        DosBoxCyclesSetting(true, 100), DosBoxCyclesSetting(true, 50),
                                        DosBoxCyclesSetting(true, 10), DosBoxCyclesSetting(true, 0)}),
              (std::vector<std::string>{"", "", "", "835 14255", "300 3000", "300 3000"}));
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

TEST(DosBoxRoute, ProgramKindsAndTheRouteOfAGame) {
    TempFolder temp("kind");
    const std::string pe = ThisProgram();
    std::vector<char> ne(0x80, 0);
    ne[0] = 'M', ne[1] = 'Z', ne[0x3C] = 0x40, ne[0x40] = 'N', ne[0x41] = 'E';
    WriteFileBytes(temp.path + "\\WIN16.EXE", ne);
    ASSERT_TRUE(CopyFileA(pe.c_str(), (temp.path + "\\PE.COM").c_str(), FALSE));
    for (const char* name : {"GAME.EXE", "GAME.com", "GO.BAT", "GAME.PIF", "README.TXT", "NOEXT"})
        WriteFileText(temp.path + "\\" + name, "MZ");
    WriteFileText(temp.path + "\\dosbox", "\x7F" "ELF\x02\x01\x01");
    WriteFileText(temp.path + "\\ELF.EXE", "\x7F" "ELF");
    WriteFileText(temp.path + "\\SHORT.EXE", "\x7F" "EL");
    auto kind = [&temp](const std::string& name) { return static_cast<int>(KindOfProgram(temp.path + "\\" + name)); };
    ExpectGroups<int>({{static_cast<int>(ProgramKind::Windows), {"PE.COM"}},
                       {static_cast<int>(ProgramKind::Dos),
                        {"GAME.EXE", "GAME.com", "GO.BAT", "WIN16.EXE", "MISSING.EXE", "SHORT.EXE"}},
                       {static_cast<int>(ProgramKind::Host), {"dosbox", "ELF.EXE"}},
                       {static_cast<int>(ProgramKind::Other), {"GAME.PIF", "README.TXT", "NOEXT"}}},
                      kind);
    auto dosBox = [&temp](const std::string& name) {  // on Windows, under Wine: a host program only there
        return std::string(IsDosBoxProgram(temp.path + "\\" + name, false) ? "W" : "-") +
               (IsDosBoxProgram(temp.path + "\\" + name, true) ? "W" : "-");
    };
    ExpectGroups<std::string>({{"WW", {"PE.COM"}}, {"-W", {"dosbox"}}, {"--", {"GAME.EXE", "MISSING.EXE"}}}, dosBox);
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

TEST(DosBoxFind, TheBestFlavourAndTheNewestVersionFromEveryPlace) {
    TempFolder temp("find");
    const std::string pe = ThisProgram(), root = temp.path;
    auto put = [&](const std::string& file, bool program) {
        const std::string path = root + "\\" + file;
        for (size_t at = path.find('\\', root.size() + 1); at != std::string::npos; at = path.find('\\', at + 1))
            CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
        program ? (void)CopyFileA(pe.c_str(), path.c_str(), FALSE) : WriteFileText(path, "MZ");  // "MZ": no program
        return path;
    };
    put("PF1\\DOSBox-0.74-3\\DOSBox.exe", true);
    const std::string staging = put("PF1\\DOSBox Staging\\DOSBox.exe", true);
    put("PF1\\Games\\DOSBox.exe", true);
    put("PF2\\DOSBox Staging\\DOSBox.exe", false);
    const std::string x = put("PF2\\DOSBox-X\\dosbox-x.exe", true);
    put("PF3\\DOSBox-0.74\\DOSBox.exe", true);
    const std::string newest = put("PF3\\DOSBox-0.74-3\\DOSBox.exe", true);
    put("PF3\\DOSBox-0.73\\DOSBox.exe", true);
    put("Portable\\dosbox-staging-windows-x86-v0.81.2\\dosbox.exe", true);
    const std::string portable = put("Portable\\dosbox-staging-windows-x64-v0.82.0\\DOSBox.exe", true);
    const std::string drive = put("D\\DOSBox\\DOSBox.exe", true);
    const struct {
        std::vector<std::string> programFiles, portable;
        std::string found;
    } rows[] = {
        {{"PF1"}, {}, staging},                     // Staging before 0.74, whatever the names' order
        {{"PF3"}, {}, newest},                      // 0.74-3 after 0.74 and 0.73
        {{"Missing", "PF3", "PF2"}, {}, x},         // DOSBox-X before 0.74, from any folder
        {{}, {"Portable"}, portable},               // v0.82.0 after v0.81.2; "x86" is no version
        {{"PF3"}, {"D\\"}, newest},                 // a root given with its separator
        {{}, {"D"}, drive},
        {{"Missing", "PF1\\Games"}, {"D\\DOSBox"}, ""},
    };
    for (const auto& row : rows) {
        DosBoxSearch search;
        for (const auto& f : row.programFiles) search.programFilesFolders.push_back(root + "\\" + f);
        for (const auto& f : row.portable) search.portableFolders.push_back(root + "\\" + f);
        EXPECT_EQ(FindDosBox(search), row.found) << (row.programFiles.empty() ? row.portable : row.programFiles)[0];
    }
    const std::string host = put("Host\\dosbox", false), hostStaging = put("Host\\dosbox-staging", false);
    for (const std::string& elf : {host, hostStaging}) WriteFileText(elf, "\x7F" "ELF");
    DosBoxSearch onHost;
    onHost.hostPrograms = {put("Host\\dosbox-x", false), root + "\\Host\\missing", host};
    EXPECT_EQ(FindDosBox(onHost), host) << "only a host program counts";
    onHost.programFilesFolders = {root + "\\PF3"};
    EXPECT_EQ(FindDosBox(onHost), newest) << "0.74-3 by its folder's name";
    onHost.hostPrograms.push_back(hostStaging);
    EXPECT_EQ(FindDosBox(onHost), hostStaging);
    // Uninstall entries, the user's or the machine's 32-bit view, ranked with the folders.
    const std::string key = "Software\\QuillonLoaderTest\\Uninstall";
    const std::string wow = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuillonLoaderTest";
    auto entry = [&](const char* name, const char* valueName, const std::string& value, std::vector<std::string> pf = {}) {
        DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\QuillonLoaderTest");
        RegistryKey k;
        k.Open(HKEY_CURRENT_USER, key + "\\Entry", KEY_WRITE, true);
        k.WriteString("DisplayName", name);
        k.WriteString(valueName, value);
        DosBoxSearch byRegistry;
        for (const auto& f : pf) byRegistry.programFilesFolders.push_back(root + "\\" + f);
        byRegistry.uninstallKeys.push_back({HKEY_CURRENT_USER, key, 0});
        return FindDosBox(byRegistry);
    };
    const std::string stagingFolder = root + "\\PF1\\DOSBox Staging";
    EXPECT_EQ(entry("DOSBox Staging", "DisplayIcon", stagingFolder + "\\DOSBox.exe,0", {"PF3"}), staging);
    EXPECT_EQ(entry("dosbox-x", "InstallLocation", root + "\\PF2\\DOSBox-X\\"), x);
    EXPECT_EQ(entry("DOSBox-0.74", "UninstallString", "\"" + root + "\\PF3\\DOSBox-0.74\\uninstall.exe\" /S", {"PF3"}),
              newest);
    EXPECT_EQ(entry("Other Game", "DisplayIcon", stagingFolder + "\\DOSBox.exe"), "") << "not a DOSBox entry";
    EXPECT_EQ(entry("DOSBox", "DisplayIcon", root + "\\PF2\\DOSBox Staging\\DOSBox.exe"), "") << "not a program";
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\QuillonLoaderTest");
    {
        RegistryKey k;
        ASSERT_TRUE(k.Open(HKEY_LOCAL_MACHINE, wow, KEY_WRITE, true) && k.WriteString("DisplayName", "DOSBox-X") &&
                    k.WriteString("InstallLocation", root + "\\PF2\\DOSBox-X"));
    }
    DosBoxSearch system = SystemDosBoxSearch("C:\\Tools\\Quillon Loader");
    const std::vector<std::string> places(system.portableFolders.begin(), system.portableFolders.begin() + 4);
    EXPECT_EQ(places, (std::vector<std::string>{"C:\\Tools\\Quillon Loader", "C:\\Tools", "C:\\", "C:\\GAMES"}));
    EXPECT_EQ(SystemDosBoxSearch().portableFolders.front() + "\\", ThisProgram().substr(0, ThisProgram().rfind('\\') + 1));
    EXPECT_EQ(system.hostPrograms.at(2), "Z:\\usr\\bin\\dosbox") << "under Wine";
    system.programFilesFolders.clear();
    system.portableFolders.clear();
    EXPECT_EQ(FindDosBox(system), x) << "the 32-bit uninstall entries";
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, wow);
}

TEST(DosBoxFind, FlavoursByVersionResourceThenByName) {
    TempFolder temp("flavour");
    EXPECT_NE(VersionTexts(ThisProgram()), (std::vector<std::string>{})) << "this program's own resource";
    const std::vector<char> bytes = ReadFileBytes(ThisProgram());
    auto utf16 = [](const std::string& text) {
        std::string wide;
        for (char c : text) wide += std::string(1, c) + '\0';
        return wide;
    };
    // Copies of this program whose version texts ("Quillon Loader") name a flavour instead.
    auto identify = [&](const std::string& folder, const std::string& name, const char* product) {
        std::string patched(bytes.begin(), bytes.end());
        for (size_t at; product && (at = patched.find(utf16("Quillon Loader"))) != std::string::npos;)
            patched.replace(at, 28, utf16(product));
        CreateDirectoryA((temp.path + "\\" + folder).c_str(), nullptr);
        WriteFileBytes(temp.path + "\\" + folder + "\\" + name, std::vector<char>(patched.begin(), patched.end()));
        return IdentifyDosBox(temp.path + "\\" + folder + "\\" + name);
    };
    using F = DosBoxFlavour;
    using Src = FlavourSource;
    const struct {
        const char *folder, *name, *product;
        F flavour;
        Src source;
    } rows[] = {
        {"DOSBox-X", "dosbox-x.exe", "DOSBox Staging", F::Staging, Src::VersionResource},
        {"Staging", "dosbox.exe", "DOSBox-X Emula", F::DosBoxX, Src::VersionResource},
        {"DOSBox-X", "dosbox.exe", "DOSBox DOS Emu", F::Dosbox074, Src::VersionResource},
        {"DOSBox Staging", "DOSBox.exe", nullptr, F::Staging, Src::FileName},
        {"Emu", "run.exe", nullptr, F::Dosbox074, Src::Unrecognised},
    };
    for (const auto& r : rows) {
        const DosBoxIdentity id = identify(r.folder, r.name, r.product);
        EXPECT_EQ(std::make_pair(id.flavour, id.source), std::make_pair(r.flavour, r.source)) << r.folder << "\\" << r.name;
    }
    WriteFileText(temp.path + "\\Emu\\dosbox-x.exe", "MZ");
    EXPECT_EQ(IdentifyDosBox(temp.path + "\\Emu\\dosbox-x.exe").source, Src::FileName) << "no program, no resource";
}

TEST(DosBoxHost, HostProgramsAndHostPathsUnderWine) {
    ASSERT_TRUE(RunsUnderWine()) << "the tests run under Wine";
    TempFolder temp("host");
    std::string host;
    ASSERT_TRUE(HostPathOf("Z:\\usr\\bin", host));
    EXPECT_EQ(host, "/usr/bin");
    ASSERT_TRUE(HostPathOf(temp.path + "\\a b.txt", host));
    const std::string tail = temp.path.substr(temp.path.rfind('\\') + 1) + "/a b.txt";
    EXPECT_TRUE(host.front() == '/' && host.size() > tail.size() && host.substr(host.size() - tail.size()) == tail) << host;
    EXPECT_FALSE(HostPathOf("", host));
    EXPECT_EQ(host, "");
    EXPECT_TRUE(IsHostProgram("Z:\\bin\\sh")) << "the host's own shell";
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
