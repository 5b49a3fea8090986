// Running a game's setup, window-free: which setup mode a game uses, moving its
// configuration file aside, the help batch file "Commands.bat", and the checks
// that keep a game file's texts from reaching outside the game's folder or into
// a batch file. The setup program's own launch is planned by PlanLaunch.
#pragma once
#include "data/GameRecord.h"
#include "data/NameRules.h"
#include <string>

// How a game is set up, from its Setup and Config file fields.
enum class SetupMode {
    NotConfigured,  // Setup and Config file empty
    WithinGame,     // Setup empty, a Config file named: removing it shows the game's own setup
    Parameters,     // Setup is "(Parameters)" in any case
    Program,        // Setup names a setup program in the game folder
};
SetupMode SetupModeOf(const GameRecord& game);

// Why a setup program name may not be run.
enum class SetupNameProblem { None, LeavesFolder, BatchSyntax };
// The setup program must stay inside the game folder (a subfolder is fine).
// When VDMSound's batch file takes it as its argument, or the command
// interpreter runs it (it is not an .exe or a .com), it must also be free of
// batch syntax.
SetupNameProblem CheckSetupName(const std::string& setup, bool viaVdmSound);

// "%s\%s": the folder and a name in it.
std::string JoinFolder(const std::string& folder, const std::string& name);
// The parts of a full path before and after its last backslash (no backslash:
// an empty folder and the whole text as the name).
std::string FolderPart(const std::string& path);
std::string NamePart(const std::string& path);

// Moving the configuration file aside so that the game shows its setup screen.
enum class ConfigMove {
    Moved,           // renamed to "<name>.bak"
    MovedBesideOld,  // "<name>.bak" was there already and stays; renamed to "<name>.<n>.bak"
    Missing,         // no such file in the folder: nothing to do
    LeavesFolder,    // the Config file field names no file inside the folder: nothing touched
    Failed,          // the rename failed: the file is still in place
};

struct ConfigMoveResult {
    ConfigMove status = ConfigMove::Missing;
    std::string backupName;  // the name the file got (or would have got), relative to the folder
};

// Renames "<folder>\<name>" to "<name>.bak" beside it (the name may hold
// subfolders). An existing backup is never replaced: the file then gets the
// first free "<name>.<n>.bak" (n from 2). Nothing outside the folder and no
// device is ever renamed.
ConfigMoveResult MoveConfigAside(const std::string& folder, const std::string& configName);

// The mode-0 suggestion of the game settings dialog: of INSTALL.BAT, SETUP.BAT,
// INSTALL.COM, SETUP.COM, INSTALL.EXE, SETUP.EXE in that order, the last one
// present in the folder; empty when none is.
std::string SuggestSetupProgram(const std::string& folder);

// The help batch file "Commands.bat" of the game settings dialog.
constexpr char kCommandsBatch[] = "Commands.bat";
constexpr size_t kHelpCommandChars = 31;

// Why the program may not be run with a help command.
enum class HelpCommandProblem { None, UnsafeCommand, UnsafeHelp };
// The Command comes from the game file and must stay inside the folder. The
// help command is typed by the player and only needs to stay on its line.
HelpCommandProblem CheckHelpCommand(const std::string& command, const std::string& help);

// True when "<path>\<command>" may stand in "Commands.bat": it holds no batch
// syntax. Otherwise the program is run directly with the help command.
bool FitsCommandsBatch(const std::string& path, const std::string& command);

// "<path>\<command> <help>" with the program's path quoted when it holds a
// blank, a carriage return and line feed, then "pause" with no line break
// after it.
std::string CommandsBatchContent(const std::string& path, const std::string& command, const std::string& help);

// Writes the content as "<folder>\Commands.bat"; false when it cannot be written.
bool WriteCommandsBatch(const std::string& folder, const std::string& content);

// Stores one row of the game settings dialog's device table into the sound
// (music false) or music entries. Text beyond the fields is cut; a row whose
// name and parameter are both empty clears the entry.
void StoreDeviceEntry(GameRecord& game, bool music, size_t row, const std::string& name, const std::string& param);
