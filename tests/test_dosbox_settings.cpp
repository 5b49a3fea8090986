// DOSBox's flavours, window-free: the player's lines, telling flavours apart, and each flavour's names.
#include "Groups.h"
#include "TestEnv.h"
#include "data/DosBoxExtraLine.h"
#include "data/Strings.h"
#include "launch/DosBoxConfig.h"
#include <gtest/gtest.h>
#include <map>

namespace {

TEST(DosBoxExtraLine, OnlyPlainSettingsOfKnownSectionsPass) {
    using P = ExtraLinePart;
    ExpectGroups<P>(
        {{P::None,
          {"cpu.cycles=12000", "DOSBox.memsize = 32", " sdl.fullscreen=", "midi.mt32.romdir=C:\\ROMS",
           "speaker.lpt_dac=disney", "video.vmemsize=8", "pci.voodoo=auto", "voodoo.voodoo_card=software",
           "mouse.mouse_capture=onclick", "mt32.model=cm32l", "fluidsynth.soundfont=C:\\a b.sf2", "ipx.ipx=true",
           "serial.serial1=disabled", "joystick.timed=false", "gus.ultradir=C:\\ULTRASND", "render.scaler=normal3x",
           "mixer.rate=48000", "dos.ems=false", "sblaster.oplmode=opl3"}},
         {P::Form, {"cycles=12000", "cpu.cycles", "cpu cycles=3000", "=1.", ""}},
         {P::Section,
          {"autoexec.mount=c", "AUTOEXEC.x=1", "config.device=x", "4dos.x=1", "printer.x=1", "cp u.x=1",
           "\r\nautoexec.x=1", ".cycles=1", "parallel.parallel1=file"}},
         {P::Key, {"cpu.=1", "cpu.cy cles=1", "cpu.cycles\r\n[autoexec]\r\nx=1", "cpu..x=1", "cpu.x.=1", "cpu.-x=1"}},
         {P::Value,
          {"cpu.cycles=1\r\n[autoexec]", "cpu.cycles=[autoexec]", "cpu.cycles=1]", "cpu.cycles=1 # fast",
           "dos.x=%PATH%", "cpu.cycles=1\tx", std::string("cpu.cycles=1\0x", 14), "sdl.x=\x7f"}}},
        [](const std::string& line) { return CheckExtraLine(line); });
    ExtraLine parsed;
    ASSERT_EQ(CheckExtraLine("  DOSBox.machine =  svga_s3 ", &parsed), P::None);
    EXPECT_EQ(parsed.section + "|" + parsed.key + "|" + parsed.value, "dosbox|machine|svga_s3");
}

TEST(DosBoxFlavours, TheirVersionTextsAndFileNames) {
    using F = DosBoxFlavour;
    auto byTexts = [](const std::string& joined) {  // the texts, separated by '|'
        std::vector<std::string> texts(1);
        for (char c : joined) c == '|' ? texts.emplace_back() : texts.back() += c;
        F flavour = F::Dosbox074;
        return FlavourOfVersionTexts(texts, flavour) ? DosBoxFlavourName(flavour) : "?";
    };
    // The version resources as each project's resource script writes them: DOSBox 0.74-3 (src/winres.rc),
    // DOSBox-X (src/winres.rc), DOSBox Staging (src/platform/windows/winres.rc.in).
    ExpectGroups<std::string>({{"DOSBox 0.74", {"DOSBox DOS Emulator|DOSBox DOS Emulator|DOSBox|DOSBox Team"}},
                               {"DOSBox-X", {"DOSBox-X DOS Emulator|DOSBox-X DOS Emulator|DOSBox-X|DOSBox-X"}},
                               {"DOSBox Staging", {"DOSBox Staging|DOSBox Staging DOS Emulator|dosbox-staging"}},
                               {"?", {"Quillon Loader|Freeware", ""}}},
                              byTexts);
    auto byName = [](const std::string& path) {
        F flavour = F::Dosbox074;
        return FlavourOfFileName(path, flavour) ? DosBoxFlavourName(flavour) : "?";
    };
    ExpectGroups<std::string>(
        {{"DOSBox-X", {"C:\\DOSBox-X\\dosbox-x.exe", "D:\\x\\DOSBOX-X_X64_SDL2.EXE", "C:\\dosbox-x-2024\\dosbox.exe"}},
         {"DOSBox Staging",
          {"C:\\Program Files\\DOSBox Staging\\dosbox.exe", "C:\\dosbox-staging-windows-x64-v0.82.0\\dosbox.exe",
           "Z:\\usr\\bin\\dosbox-staging"}},
         {"DOSBox 0.74", {"C:\\Program Files\\DOSBox-0.74-3\\DOSBox.exe", "Z:\\usr\\bin\\dosbox", "dosbox.exe"}},
         {"?", {"C:\\Emu\\db.exe", "C:\\DOSBox\\run.exe", ""}}},
        byName);
}

// Each flavour's documented settings, "section.key" and its values, from:
//   DOSBox 0.74     dosbox-0.74.conf as DOSBox 0.74-3 writes it (its "Possible values")
//   DOSBox-X        src/dosbox.cpp (machines[], sbtypes[], oplmodes[], [speaker], [midi])
//   DOSBox Staging  src/dosbox.cpp (machine, [speaker]), src/cpu/cpu.cpp (cpu_cycles,
//                   cpu_cycles_protected), src/hardware/audio/soundblaster.cpp (sbtype, ports),
//                   opl.cpp (oplmode), gus.cpp (gus and its ports), src/midi/midi.cpp (mididevice)
using Documented = std::map<std::string, std::string>;  // "section.key": its values, blank-separated

Documented Of(DosBoxFlavour flavour) {
    Documented d = {{"sdl.fullscreen", "true false"},
                    {"sblaster.sbbase", "220 240 260 280 2a0 2c0 2e0 300"},
                    {"sblaster.irq", "7 5 3 9 10 11 12"},
                    {"sblaster.dma", "1 5 0 3 6 7"},
                    {"sblaster.hdma", "1 5 0 3 6 7"},
                    {"midi.mpu401", "intelligent uart none"},
                    {"gus.gus", "true false"},
                    {"gus.gusbase", "240 220 260 280 2a0 2c0 2e0 300"},
                    {"gus.gusirq", "5 3 7 9 10 11 12"},
                    {"gus.gusdma", "3 0 1 5 6 7"}};
    if (flavour == DosBoxFlavour::Staging) {
        d["dosbox.machine"] =
            "hercules cga_mono cga pcjr tandy ega svga_s3 svga_et3000 svga_et4000 svga_paradise "
            "vesa_nolfb vesa_oldvbe";
        d["cpu.cpu_cycles"] = "# max";
        d["cpu.cpu_cycles_protected"] = "auto # max";
        d["sblaster.sbtype"] = "gb sb1 sb2 sbpro1 sbpro2 sb16 ess none";
        d["sblaster.oplmode"] = "auto cms opl2 dualopl2 opl3 opl3gold esfm none";
        d["midi.mididevice"] = "auto win32 alsa fluidsynth mt32 none";
        d["speaker.pcspeaker"] = "impulse discrete none off";
        d["speaker.tandy"] = "auto on psg off";
        d["speaker.lpt_dac"] = "none disney covox ston1 off";
        d["gus.gusbase"] = "210 220 230 240 250 260";
        d["gus.gusirq"] = "2 3 5 7 11 12 15";
        d["gus.gusdma"] = "1 3 5 6 7";
        return d;
    }
    const bool x = flavour == DosBoxFlavour::DosBoxX;
    d["dosbox.machine"] = std::string(
                              "hercules cga tandy pcjr ega vgaonly svga_s3 svga_et3000 svga_et4000 svga_paradise "
                              "vesa_nolfb vesa_oldvbe") +
                          (x ? " cga_mono mcga mda" : "");
    d["cpu.cycles"] = "auto max fixed# # auto#limit#";
    d["sblaster.sbtype"] =
        std::string("sb1 sb2 sbpro1 sbpro2 sb16 gb none") + (x ? " sb16vibra ess688 reveal_sc400" : "");
    d["sblaster.oplmode"] =
        std::string("auto cms opl2 dualopl2 opl3 none") + (x ? " opl3gold hardware hardwaregb" : "");
    d["midi.mididevice"] =
        std::string("default win32 alsa oss coreaudio coremidi none") + (x ? " mt32 synth fluidsynth timidity" : "");
    d["speaker.pcspeaker"] = "true false";
    d["speaker.tandy"] = "auto on off";
    d["speaker.disney"] = "true false";
    return d;
}

// |value| is one of |values|: "#" any number, "fixed#", "auto#limit#" with numbers where # stands.
bool Allowed(const std::string& values, const std::string& value) {
    auto has = [&values](const std::string& v) {
        return (" " + values + " ").find(" " + v + " ") != std::string::npos;
    };
    std::string form;  // the value with each number as "#", its blanks gone
    for (size_t i = 0; i < value.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(value[i])) != 0;
        if (digit && (i == 0 || !std::isdigit(static_cast<unsigned char>(value[i - 1])))) form += '#';
        if (!digit && value[i] != ' ') form += value[i];
    }
    return has(value) || (form == "#" && has("#")) || (form != "#" && has(form));
}

TEST(DosBoxFlavours, EveryLineIsADocumentedSettingOfItsFlavour) {
    using S = DosBoxSetting;
    const std::map<S, std::string> values = {{S::SbBase, "2a0"}, {S::SbIrq, "10"},   {S::SbDma, "3"},
                                             {S::SbHdma, "7"},   {S::GusBase, "260"}, {S::GusIrq, "11"},
                                             {S::GusDma, "6"},   {S::CpuCycles, "2450 61500"}};
    for (DosBoxFlavour flavour : {DosBoxFlavour::Dosbox074, DosBoxFlavour::DosBoxX, DosBoxFlavour::Staging}) {
        const Documented documented = Of(flavour);
        for (int s = 0; s <= static_cast<int>(S::CpuCycles); ++s) {
            const S setting = static_cast<S>(s);
            const auto value = values.find(setting);
            const auto lines = DosBoxSettingLines(flavour, setting, value == values.end() ? "" : value->second);
            EXPECT_EQ(lines.empty(), flavour == DosBoxFlavour::Dosbox074 && setting == S::Mt32)
                << DosBoxFlavourName(flavour) << " setting " << s;
            bool valueWritten = value == values.end();
            for (const DosBoxLine& line : lines) {
                const size_t equals = line.text.find('=');
                const auto known = documented.find(line.section + "." + line.text.substr(0, equals));
                EXPECT_TRUE(known != documented.end() && equals != std::string::npos &&
                            Allowed(known->second, line.text.substr(equals + 1)))
                    << DosBoxFlavourName(flavour) << ": [" << line.section << "] " << line.text;
                valueWritten = valueWritten || line.text.find(value->second.substr(0, 4)) != std::string::npos;
            }
            EXPECT_TRUE(valueWritten) << DosBoxFlavourName(flavour) << " setting " << s;
        }
    }
}

// Where the flavours part ways, as each one's documentation says.
TEST(DosBoxFlavours, WhatEachFlavourIsToldWhereTheirNamesDiffer) {
    using S = DosBoxSetting;
    auto text = [](DosBoxFlavour flavour, S setting, const std::string& value = {}) {
        std::string all;
        for (const auto& line : DosBoxSettingLines(flavour, setting, value))
            all += "[" + line.section + "]" + line.text + " ";
        return all;
    };
    const struct {
        S setting;
        const char* expected[3];
    } rows[] = {
        {S::Disney, {"[speaker]disney=true ", "[speaker]disney=true ", "[speaker]lpt_dac=disney "}},
        {S::PcSpeaker, {"[speaker]pcspeaker=true ", "[speaker]pcspeaker=true ", "[speaker]pcspeaker=impulse "}},
        {S::GameBlaster, {"[sblaster]sbtype=gb ", "[sblaster]sbtype=gb ", "[sblaster]sbtype=gb "}},
        {S::AdLibGold, {"[sblaster]oplmode=opl3 ", "[sblaster]oplmode=opl3gold ", "[sblaster]oplmode=opl3gold "}},
    };
    for (const auto& row : rows)
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(text(static_cast<DosBoxFlavour>(f), row.setting, "900"), row.expected[f]) << f;
    EXPECT_EQ(text(DosBoxFlavour::Staging, S::SbBase, "%x%"), "[sblaster]sbbase=%x% ") << "a value is put in once";
    EXPECT_EQ(text(DosBoxFlavour::DosBoxX, S::CpuCycles, "1%2 3"), "[cpu]cycles=auto 1%2 limit 3 ");
    for (auto [setting, value] : {std::pair{S::GusBase, "2c0"}, {S::GusIrq, "10"}, {S::GusDma, "0"}})
        EXPECT_EQ(text(DosBoxFlavour::Staging, setting, value) + "|" + text(DosBoxFlavour::DosBoxX, setting, value),
                  "|[gus]gus" + std::string(setting == S::GusBase ? "base=" : setting == S::GusIrq ? "irq=" : "dma=") +
                      value + " ")
            << "Staging's Gravis does without " << value;
}

// A whole configuration for each flavour (its lines are DosBoxSettingLines', checked above). Staging reads it as
// UTF-8 (its issue 3027: "The .conf file is now expected to be in UTF-8 encoding").
TEST(DosBoxFlavours, TheWholeConfigurationOfEachFlavour) {
    GameRecord g = MakeGame("A\xF1o\r\nCero", "p", "c", "c:\\GAMES\\X\\", "GAME.EXE");
    SetField(g.setup, "(parameters)");
    SetField(g.soundNames[1], "Sound Blaster Pro");
    SetField(g.soundParams[1], "/sbpro");
    SetField(g.musicNames[0], "Roland MT-32");
    SetField(g.mcgaParam, "-mcga=1,2");
    g.selectedSound = 1, g.selectedMusic = 0, g.selectedDisplay = 3;
    DosBoxOptions options;
    options.screen = DosBoxScreen::FullScreen, options.slowDown = true, options.slowDownPeriod = 60;
    options.blaster = {"240", "5", "1", ""}, options.keepOpen = true;
    const char* const settings[3] = {
        "[sdl]\r\nfullscreen=true\r\n[dosbox]\r\nmachine=vgaonly\r\n[cpu]\r\ncycles=auto 1078 limit 21046\r\n"
        "[midi]\r\nmpu401=intelligent\r\n[sblaster]\r\nsbtype=sbpro2\r\nsbbase=240\r\nirq=5\r\ndma=1\r\n",
        "[sdl]\r\nfullscreen=true\r\n[dosbox]\r\nmachine=vgaonly\r\n[cpu]\r\ncycles=auto 1078 limit 21046\r\n"
        "[midi]\r\nmpu401=intelligent\r\nmididevice=mt32\r\n[sblaster]\r\nsbtype=sbpro2\r\nsbbase=240\r\nirq=5\r\n"
        "dma=1\r\n",
        "[sdl]\r\nfullscreen=true\r\n[dosbox]\r\nmachine=svga_paradise\r\n[cpu]\r\ncpu_cycles=1078\r\n"
        "cpu_cycles_protected=21046\r\n[midi]\r\nmpu401=intelligent\r\nmididevice=mt32\r\n[sblaster]\r\n"
        "sbtype=sbpro2\r\nsbbase=240\r\nirq=5\r\ndma=1\r\n"};
    // The autoexec's lines are test_dosbox_autoexec's: here its start, and its end kept open (no exit).
    const std::string title = "# Quillon Loader's configuration for one start of A\xF1o  Cero\r\n",
                      end = "\r\nC:\r\ncd \\GAMES\\X\r\n.\\GAME.EXE -mcga=1,2 /sbpro\r\n:qlstop\r\n";
    for (int f = 0; f < 3; ++f) {
        options.flavour = static_cast<DosBoxFlavour>(f);
        const std::string text = MakeDosBoxConfig(g, "GAME.EXE", "Command", true, options).text,
                          start = (f == 2 ? Cp1252ToUtf8(title) : title) + settings[f] + "[autoexec]\r\n@echo off\r\n";
        EXPECT_EQ(text.substr(0, start.size()) + "|" + text.substr(text.size() - std::min(text.size(), end.size())),
                  start + "|" + end)
            << f;
    }
}

}  // namespace
