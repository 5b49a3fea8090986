// Running a game, the part that needs no window: what to hand the shell,
// planned from the game and the platform, and the files and registry values
// written before the shell is called.
#pragma once
#include "data/GameRecord.h"
#include "launch/VdmSound.h"
#include <string>

// What a launch needs to know of the system it runs on.
struct LaunchFacts {
    bool isNt = false;
    VdmSoundInstall vdm;
};

enum class LaunchKind {
    Direct,          // the game's program, with its arguments, by the shell
    VdmSound,        // VDMSound's launch file with the program's name
    VdmSoundBatch,   // VDMSound's launch file with "Loader.bat", which runs the program with its arguments
};

enum class Layer { Untouched, Win95, Removed };

struct LaunchPlan {
    LaunchKind kind = LaunchKind::Direct;
    std::string folder;       // the game's folder: the working folder
    std::string program;      // the game's Command
    std::string fullProgram;  // folder + "\" + program
    std::string arguments;    // " " + the parameter line, or empty
    std::string file;         // what the shell opens
    std::string params;       // and its parameters
    std::string batchLine;    // the one line of Loader.bat (VdmSoundBatch only)
    Layer layer = Layer::Untouched;  // the compatibility layer of fullProgram (NT only)
    // The field whose text a batch file or the command interpreter would read
    // as syntax (see HasBatchSyntax), or a parameter with a line break in a
    // direct launch; empty when the game is safe to launch. Nothing may be
    // written or run when it is set.
    std::string unsafeField;
};

// The plan for a game whose Path and Command have been checked. A pure function
// of the game and the facts.
LaunchPlan PlanLaunch(const GameRecord& game, const LaunchFacts& facts);

// The one line of "Loader.bat": "@" + command (quoted when it holds a blank)
// + " " + argument text.
std::string LoaderBatchLine(const std::string& command, const std::string& argumentText);

// Writes "Loader.bat" into the folder (a read-only one is replaced); false when
// it cannot be written.
bool WriteLoaderBatch(const std::string& folder, const std::string& line);

enum class LayerResult { Done, NothingToDo, KeyFailed };

// Writes ("WIN95") or removes the compatibility layer value of the program.
LayerResult ApplyLayer(const std::string& fullProgram, Layer layer);
