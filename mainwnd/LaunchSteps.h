// Running a game, the steps that talk to the player: the missing folder and
// program, "LastRun", and carrying out a launch plan (the game's or its setup
// program's) with the messages of a refused or failed start.
#pragma once
#include "state/AppState.h"
#include "data/GameFile.h"
#include "launch/LaunchPlan.h"
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

enum class LaunchStart {
    Refused,  // told and stopped before anything was started
    Started,  // the shell took the program, or DOSBox runs
    Failed,   // the shell or DOSBox failed: told
};

// Carries out |plan|: on Windows the compatibility layer, Loader.bat and the
// shell; in DOSBox the configuration file and DOSBox. Messages are captioned
// |caption|.
LaunchStart CarryOutLaunch(HWND owner, const LaunchPlan& plan, const std::string& caption);

// Runs the game of the list row |title|. True when the shell was called
// (whatever it answered); false when the launch stopped before. A missing
// folder is looked for with the error-locating dialog (browse or search). Path
// and Command chosen by the player stay in |game| for the caller to save. A
// launch from the command line clears |state.commandLineLaunch|.
bool RunGame(HWND owner, const std::string& title, CurrentGame& game, AppState& state);
