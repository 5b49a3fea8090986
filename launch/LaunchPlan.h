// Running a game or its setup program, the part that needs no window: which
// way it goes (to Windows: the shell, VDMSound, Loader.bat and the
// compatibility layer; or to DOSBox, with a configuration of its own) and what
// to hand on there, planned from the game, the program to run and plain facts
// of the system; and the files and registry values written before the start.
#pragma once
#include "data/GameRecord.h"
#include "launch/DosBoxConfig.h"
#include "launch/LaunchRoute.h"
#include "launch/ProgramKind.h"
#include "launch/SoundSetup.h"
#include "launch/VdmSound.h"
#include <string>
#include <variant>

// The program a launch runs: the game's Command, with its parameter line when
// the game uses parameter sets, or its setup program (Setup) alone, which never
// gets the parameter line, the compatibility layer or Loader.bat.
enum class LaunchTarget { Game, Setup };

// Everything the DOSBox side takes besides the game.
struct DosBoxFacts {
    DosBoxMode mode = DosBoxMode::WhereNeeded;  // "DOSBoxMode"
    bool windowsRunsDos = true;                 // the system runs DOS programs itself
    std::string program;                        // DOSBox itself ("DOSBoxPath"; empty: none known)
    std::string configFolder;                   // where a launch writes its configuration
    // Full screen, kept open, speed, Sound Blaster; and of the DOSBox that the
    // game uses (its own, or |program|): its flavour and, for a program of the
    // host under Wine, the host's paths.
    DosBoxOptions options;
    bool programFound = false;  // the DOSBox that the game uses is there
    SoundSetup soundSetup;      // what the game's own setup files chose (FindSoundSetup)
    // The game names a DOSBox of its own that is no DOSBox by its version
    // resource or its file name: a game file is a stranger's, and must not
    // start just any program.
    bool ownProgramRefused = false;
};

// What a launch needs to know of the system, and of the program it runs.
struct LaunchFacts {
    bool isNt = false;  // only the NT family has the compatibility layer
    VdmSoundInstall vdm;
    DosBoxFacts dosBox;
    ProgramKind programKind = ProgramKind::Other;  // of the program to run, from its first bytes
};

// The Windows route.
enum class LaunchKind {
    Direct,         // the program, with its arguments, by the shell
    VdmSound,       // VDMSound's launch file with the program's name
    VdmSoundBatch,  // VDMSound's launch file with "Loader.bat", which runs the program with its arguments
};

enum class Layer { Untouched, Win95, Removed };

struct WindowsLaunch {
    LaunchKind kind = LaunchKind::Direct;
    std::string arguments;           // " " + the parameter line, or empty
    std::string file;                // what the shell opens, in the game's folder
    std::string params;              // and its parameters
    std::string batchLine;           // the one line of Loader.bat (VdmSoundBatch only)
    Layer layer = Layer::Untouched;  // the compatibility layer of the program (NT only)
    // The field whose text a batch file or the command interpreter would read
    // as syntax (see HasBatchSyntax), or a parameter with a line break in a
    // direct launch; empty when the game is safe to launch. Nothing may be
    // written or run when it is set. A setup program's name is checked before
    // it is located (CheckSetupName), so it is always empty for one.
    std::string unsafeField;
};

// The DOSBox route: write the configuration into |configFolder|, then start
// |program| in |programFolder| with CommandLine(the file written).
struct DosBoxLaunch {
    bool programFound = false;  // false: DOSBox is missing, nothing is written or started
    bool ownProgramRefused = false;  // the game's own DOSBox is no DOSBox: nothing is written or started
    std::string program;        // DOSBox itself: the game's own, or the one of the preferences
    std::string programFolder;  // its folder, with a trailing separator: where it starts
    std::string configFolder;
    DosBoxConfig config;  // the configuration text, or the problem and the field it refuses
    DosBoxFlavour flavour = DosBoxFlavour::Dosbox074;
    std::function<std::string(const std::string&)> hostPath;  // as DosBoxOptions::hostPath

    // The program in double quotes and its flavour's arguments (DosBoxArguments)
    // with |configFile|, in the host's name for a program of the host.
    std::string CommandLine(const std::string& configFile) const;
};

struct LaunchPlan {
    LaunchTarget target = LaunchTarget::Game;
    std::string folder;       // the game's Path: the working folder
    std::string program;      // the game's Command or Setup
    std::string fullProgram;  // folder + "\" + program
    std::variant<WindowsLaunch, DosBoxLaunch> route;

    const WindowsLaunch* InWindows() const { return std::get_if<WindowsLaunch>(&route); }
    const DosBoxLaunch* InDosBox() const { return std::get_if<DosBoxLaunch>(&route); }
};

// True when VDMSound was found and Options is 1 or 3.
bool RunsThroughVdmSound(const GameRecord& game, const VdmSoundInstall& vdm);

// The plan for a game whose Path and Command (or Setup) have been checked. A
// pure function of the game, the target and the facts: a DOS program goes to
// DOSBox as ChooseLaunchRoute says, everything else to Windows.
LaunchPlan PlanLaunch(const GameRecord& game, LaunchTarget target, const LaunchFacts& facts);

// The DOSBox program of |game|: its own (data/GameExtras.h), or else |facts|'.
std::string DosBoxProgramOf(const GameRecord& game, const DosBoxFacts& facts);

// PlanLaunch with the facts that the disk gives at this moment filled in: the
// kind of the program to run; of the game's DOSBox, whether it is there, its
// flavour (IdentifyDosBox) and, for a host program under Wine, the host's
// paths (HostPathOf); and the game's own sound setup files.
LaunchPlan PlanLaunchNow(const GameRecord& game, LaunchTarget target, LaunchFacts facts);

// The one line of "Loader.bat": "@" + command (quoted when it holds a blank)
// + " " + argument text.
std::string LoaderBatchLine(const std::string& command, const std::string& argumentText);

// Writes "Loader.bat" into the folder (a read-only one is replaced); false when
// it cannot be written.
bool WriteLoaderBatch(const std::string& folder, const std::string& line);

enum class LayerResult { Done, NothingToDo, KeyFailed };

// Writes ("WIN95") or removes the compatibility layer value of the program.
LayerResult ApplyLayer(const std::string& fullProgram, Layer layer);
