// DOSBox's flavours, window-free: the player's own setting lines, telling the
// flavours apart by their texts and names, and each flavour's names for what the
// launch writes, checked against the settings each flavour documents.
#include "Groups.h"
#include "data/DosBoxExtraLine.h"
#include "launch/DosBoxSettings.h"
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
//                   opl.cpp (oplmode), gus.cpp (gus), src/midi/midi.cpp (mididevice)
using Documented = std::map<std::string, std::string>;  // "section.key": its values, blank-separated

Documented Of(DosBoxFlavour flavour) {
    Documented d = {{"sdl.fullscreen", "true false"},
                    {"sblaster.sbbase", "220 240 260 280 2a0 2c0 2e0 300"},
                    {"sblaster.irq", "7 5 3 9 10 11 12"},
                    {"sblaster.dma", "1 5 0 3 6 7"},
                    {"sblaster.hdma", "1 5 0 3 6 7"},
                    {"midi.mpu401", "intelligent uart none"},
                    {"gus.gus", "true false"}};
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
        return d;
    }
    const bool x = flavour == DosBoxFlavour::DosBoxX;
    d["dosbox.machine"] = std::string(
                              "hercules cga tandy pcjr ega vgaonly svga_s3 svga_et3000 svga_et4000 svga_paradise "
                              "vesa_nolfb vesa_oldvbe") +
                          (x ? " cga_mono mcga mda" : "");
    d["cpu.cycles"] = "auto max fixed# #";
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

// |value| is one of |values|: "#" takes any number, "fixed#" "fixed " and a number.
bool Allowed(const std::string& values, std::string value) {
    auto has = [&values](const std::string& v) {
        return (" " + values + " ").find(" " + v + " ") != std::string::npos;
    };
    const bool fixed = value.rfind("fixed ", 0) == 0;
    if (fixed) value.erase(0, 6);
    const bool number = !value.empty() && value.find_first_not_of("0123456789") == std::string::npos;
    return fixed ? number && has("fixed#") : has(value) || (number && has("#"));
}

TEST(DosBoxFlavours, EveryLineIsADocumentedSettingOfItsFlavour) {
    using S = DosBoxSetting;
    const std::map<S, std::string> values = {
        {S::SbBase, "2a0"}, {S::SbIrq, "10"}, {S::SbDma, "3"}, {S::SbHdma, "7"}, {S::CpuCycles, "2450"}};
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
                valueWritten = valueWritten || line.text.find(value->second) != std::string::npos;
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
        {S::CpuCycles,
         {"[cpu]cycles=fixed 900 ", "[cpu]cycles=fixed 900 ", "[cpu]cpu_cycles=900 [cpu]cpu_cycles_protected=auto "}},
        {S::Disney, {"[speaker]disney=true ", "[speaker]disney=true ", "[speaker]lpt_dac=disney "}},
        {S::PcSpeaker, {"[speaker]pcspeaker=true ", "[speaker]pcspeaker=true ", "[speaker]pcspeaker=impulse "}},
        {S::MachineVga, {"[dosbox]machine=vgaonly ", "[dosbox]machine=vgaonly ", "[dosbox]machine=svga_paradise "}},
        {S::MachineMcga, {"[dosbox]machine=vgaonly ", "[dosbox]machine=mcga ", "[dosbox]machine=svga_paradise "}},
        {S::GameBlaster, {"[sblaster]sbtype=gb ", "[sblaster]sbtype=gb ", "[sblaster]sbtype=gb "}},
        {S::Mt32, {"", "[midi]mididevice=mt32 ", "[midi]mididevice=mt32 "}},
        {S::AdLibGold, {"[sblaster]oplmode=opl3 ", "[sblaster]oplmode=opl3gold ", "[sblaster]oplmode=opl3gold "}},
    };
    for (const auto& row : rows)
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(text(static_cast<DosBoxFlavour>(f), row.setting, "900"), row.expected[f]) << f;
    EXPECT_EQ(text(DosBoxFlavour::Staging, S::SbBase, "%x%"), "[sblaster]sbbase=%x% ") << "a value is put in once";

    // The player's own configuration under ours: 0.74's README ("-userconf will always be loaded before them"),
    // DOSBox-X's manual page and -help; Staging always loads it (its manual page: --noprimaryconf).
    EXPECT_EQ(DosBoxArguments(DosBoxFlavour::Dosbox074, "C:\\T\\a b.conf"), "-userconf -conf \"C:\\T\\a b.conf\"");
    EXPECT_EQ(DosBoxArguments(DosBoxFlavour::DosBoxX, "x.conf"), "-userconf -nopromptfolder -conf \"x.conf\"");
    EXPECT_EQ(DosBoxArguments(DosBoxFlavour::Staging, "x.conf"), "-conf \"x.conf\"");

    // Staging reads UTF-8 (its issue 3027: "The .conf file is now expected to be in UTF-8 encoding").
    EXPECT_EQ((std::vector<bool>{ReadsConfigAsUtf8(DosBoxFlavour::Dosbox074), ReadsConfigAsUtf8(DosBoxFlavour::DosBoxX),
                                 ReadsConfigAsUtf8(DosBoxFlavour::Staging)}),
              (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Utf8FromCp1252("A\xF1o \x80\x9F\x7F\xA0\xFF\x81"),
              "A\xC3\xB1o \xE2\x82\xAC\xC5\xB8\x7F\xC2\xA0\xC3\xBF\xC2\x81");
}

}  // namespace
