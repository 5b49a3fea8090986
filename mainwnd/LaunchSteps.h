// Running a game, the steps that talk to the player: the missing folder and
// program, the messages of a failed launch, and "LastRun".
#pragma once
#include "state/AppState.h"
#include "data/GameFile.h"
#include <windows.h>
#include <string>

// Shown when a changed game could not be saved because its file is read-only;
// "%s" is the game file's path.
constexpr char kReadOnlyGameMessage[] =
    "The game file\n%s\nis read-only, so the changes to this game were not saved.\n\n"
    "Clear its read-only attribute to keep such changes.";

// Shown instead of running a game whose Command or parameters would smuggle
// commands into a batch file or the command line; "%s" names the field.
constexpr char kUnsafeParameterMessage[] =
    "This game was not started: its %s holds a line break or another control character, or, where a "
    "batch file reads it, one of & | < > ^ %% \" ; , =.\n\nSuch characters could run other commands. "
    "Please correct the %s in the game's settings.";

// Runs the game of the list row |title|. True when the shell was called
// (whatever it answered); false when the launch stopped before. A missing
// folder is looked for with the error-locating dialog (browse or search). Path
// and Command chosen by the player stay in |game| for the caller to save. A
// launch from the command line clears |state.commandLineLaunch|.
bool RunGame(HWND owner, const std::string& title, CurrentGame& game, AppState& state);
