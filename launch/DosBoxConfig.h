// The DOSBox configuration of one launch, made from the game record: the
// emulated machine, sound and music hardware that the game's selections and
// its own setup files name, the CPU speed, the player's own DOSBox lines for
// the game, and the commands that mount the game's drives and start its
// program in its own folder; each setting in the names of the flavour of
// DOSBox that runs it. A pure function: the files are written elsewhere.
#pragma once
#include "data/GameRecord.h"
#include "data/IniFile.h"
#include "launch/DosBoxAutoexec.h"
#include "launch/DosBoxSettings.h"
#include <functional>
#include <string>

struct SoundSetup;

// VDMSound's Sound Blaster, as DOSBox writes it ("220", "7", "1", "5"); a value
// that DOSBox does not offer is left empty, and DOSBox keeps its own.
struct SoundBlasterPorts {
    std::string base, irq, dma, hdma;
};
// From the "SB Controller.config" section of VDMS.INI (an accessor that is not
// open gives nothing).
SoundBlasterPorts ReadVdmsSoundBlaster(const IniFile& vdmsIni);

// Full screen or not: as the player's own DOSBox configuration (or DOSBox's
// default) says, or one of the two. The values are those of "DOSBoxScreen".
enum class DosBoxScreen { Own = 0, Windowed = 1, FullScreen = 2 };

struct DosBoxOptions {
    DosBoxScreen screen = DosBoxScreen::Own;
    bool keepOpen = false;           // no "exit" after the program: DOSBox stays at its prompt
    bool slowDown = false;           // the CPU slow-down box is ticked
    unsigned slowDownPeriod = 110;   // and its period: 110 (0%) to 10 ms (100%)
    SoundBlasterPorts blaster;       // VDMSound's
    // The DOSBox that reads the configuration: its flavour's names, and for a
    // program of the host under Wine, the host's name of a Windows path (empty
    // where it has none); unset, DOSBox takes Windows paths.
    DosBoxFlavour flavour = DosBoxFlavour::Dosbox074;
    std::function<std::string(const std::string&)> hostPath;
};

// The CPU slow-down in DOSBox. DOSBox's "cycles=auto" runs a real-mode game at
// 3000 cycles a millisecond and a protected-mode game as fast as the host can;
// the slow-down starts there and each step of the slider takes the same share
// off both. The slider's 0% is a period of 100 ms (110 before the box was
// ticked) and runs as fast as no slow-down; the period stops at 10 ms, from 90%.
// The real-mode cycles: 3000 at 0%, falling to 300 at 10 ms.
int DosBoxCycles(unsigned slowDownPeriod);
// The most cycles a protected-mode game gets: no limit (0) at 0%, then from
// 100000 down to 3000 at 10 ms.
int DosBoxCycleLimit(unsigned slowDownPeriod);
// The value of the slow-down's DosBoxSetting::CpuCycles, "<real-mode cycles>
// <limit>"; empty without the slow-down and at its 0%, where DOSBox keeps the
// speed that the player's own configuration (or its default, "auto") gives.
std::string DosBoxCyclesSetting(bool slowDown, unsigned slowDownPeriod);

// The hardware that a game's selections ask for, in DOSBox 0.74's words (the
// configuration turns them into each flavour's); empty texts and false flags
// leave DOSBox's defaults.
struct DosBoxHardware {
    std::string machine;  // [dosbox] machine=
    std::string sbtype;   // [sblaster] sbtype=, "gb" the Game Blaster
    std::string oplmode;  // [sblaster] oplmode=, "opl3gold" the AdLib Gold
    std::string mpu401;   // [midi] mpu401=
    bool gus = false, disney = false, tandy = false, pcspeaker = false;
    // From the game's own setup files (launch/SoundSetupDosBox.h):
    SoundBlasterPorts blaster;            // [sblaster] sbbase= irq= dma= hdma=, over VDMSound's
    std::string gusbase, gusirq, gusdma;  // [gus]
    std::string midi;                     // "gm" or "mt32": the synthesiser the music was made for
};
// Only a game that uses parameter sets selects devices; names are matched on
// the words that tell devices apart, without regard to case ("Game Blaster" is
// no Sound Blaster, "Roland MT-32" and "LAPC-I" are an MT-32, "AdLib Gold" is
// no plain AdLib).
DosBoxHardware HardwareOf(const GameRecord& game);

struct DosBoxConfig {
    std::string text;  // the configuration file, empty when there is a problem
    DosBoxProblem problem = DosBoxProblem::None;
    std::string field;  // "Path", "Command", "Setup" or "parameters"
};

// |program| is the game's Command (|programField| "Command") with its parameter
// line when |withParameters| and the game uses parameter sets, or the setup
// program alone ("Setup"). Texts of the game file reach the configuration only
// when they pass the command rules (data/NameRules.h); device names are only
// compared and never written, and the title is written as a comment with its
// control characters blanked. The [autoexec] section is MakeDosBoxAutoexec's,
// with the game's CD-ROM (data/GameExtras.h).
// Only what the game needs is written. Where two sources set one thing, the
// first of these wins: the player's DOSBox lines for the game (each one that
// passes CheckExtraLine, written in place of ours), |found| (the game's own
// sound setup files, FindSoundSetup), the parameter sets' device words and
// VDMSound's ports, the player's own DOSBox configuration, DOSBox's defaults.
DosBoxConfig MakeDosBoxConfig(const GameRecord& game, const std::string& program, const char* programField,
                              bool withParameters, const DosBoxOptions& options, const SoundSetup* found = nullptr);
