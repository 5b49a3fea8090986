// What the launch writes for each DOSBox flavour: the configuration lines of a
// neutral setting, the switches before "-conf", and the code page of
// [autoexec]. Pure functions: the configuration writer calls them.
//
// Where the names differ (each flavour's documented settings):
//   DOSBox 0.74     its configuration file's own notes (dosbox-0.74.conf)
//   DOSBox-X        its settings (src/dosbox.cpp)
//   DOSBox Staging  its settings (src/dosbox.cpp, src/cpu/cpu.cpp,
//                   src/hardware/audio/soundblaster.cpp, opl.cpp)
// Staging speaks cpu_cycles and cpu_cycles_protected instead of cycles,
// lpt_dac=disney instead of disney=true, pcspeaker=impulse instead of true, and
// has no vgaonly machine (svga_paradise is its plain VGA); DOSBox-X and Staging
// have an MT-32 (mididevice=mt32) and the AdLib Gold (oplmode=opl3gold), 0.74
// neither.
#pragma once
#include "launch/DosBoxFlavour.h"
#include <string>
#include <vector>

enum class DosBoxSetting {
    FullScreen,
    Windowed,
    MachineSvga,  // an S3 card with VESA
    MachineVga,   // a plain VGA
    MachineEga,
    MachineCga,
    MachineTandy,
    NoSoundBlaster,
    SoundBlaster1,
    SoundBlaster2,
    SoundBlasterPro1,
    SoundBlasterPro2,
    SoundBlaster16,
    GameBlaster,  // the CMS chips of Creative's Game Blaster
    Opl2,
    Opl3,
    DualOpl2,   // the first Sound Blaster Pro's two OPL2 chips
    AdLibGold,  // 0.74: its OPL3 alone
    Mpu401Intelligent,
    NoMpu401,
    Mt32,  // 0.74: nothing (its MIDI goes to the host's synthesiser)
    Gus,
    GusBase,  // |value|: "220" to "300"
    GusIrq,   // |value|: "3" to "12"
    GusDma,   // |value|: "0" to "7"
    Disney,
    TandySound,
    PcSpeaker,
    SbBase,     // |value|: "220" to "300", as DOSBox writes it
    SbIrq,      // |value|: "3" to "12"
    SbDma,      // |value|: "0" to "7"
    SbHdma,     // |value|: "0" to "7"
    // The slow-down. |value|: "<cycles of a real-mode game> <most cycles of a
    // protected-mode game>"; 0.74 and DOSBox-X start from "auto" there.
    CpuCycles,
};

// One configuration line and the section it belongs in.
struct DosBoxLine {
    std::string section;  // "cpu", without brackets
    std::string text;     // "key=value"
    bool operator==(const DosBoxLine& o) const { return section == o.section && text == o.text; }
};

// The lines that ask |flavour| for |setting|: none where the flavour has no
// such thing or does not take |value| (Staging's Gravis has fewer ports, IRQs
// and DMAs than 0.74's), two where it needs two. |value| is for the settings that take one
// and must be a plain number or port (or two, blank-separated, for CpuCycles).
std::vector<DosBoxLine> DosBoxSettingLines(DosBoxFlavour flavour, DosBoxSetting setting, const std::string& value = {});

// The arguments that start |flavour| with |configFile| over the player's own
// configuration: 0.74 and DOSBox-X load it only when asked ("-userconf", which
// they load before any -conf); DOSBox-X also gets "-nopromptfolder", so that it
// does not ask for a working folder; Staging always loads it. The file is in
// double quotes.
std::string DosBoxArguments(DosBoxFlavour flavour, const std::string& configFile);

// True where the flavour reads [autoexec] (and its whole configuration) as
// UTF-8 (Cp1252ToUtf8, data/Strings.h): DOSBox Staging. 0.74 and DOSBox-X read
// the bytes in the Windows code page.
bool ReadsConfigAsUtf8(DosBoxFlavour flavour);
