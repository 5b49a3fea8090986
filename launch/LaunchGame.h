// Running a game: folder and program checks, "LastRun", the compatibility
// layer, the parameter line, and the shell call (directly or through VDMSound).
#pragma once
#include "app/AppState.h"
#include "data/GameFile.h"
#include <windows.h>
#include <string>

struct LaunchRequest {
    HWND owner = nullptr;
    std::string title;  // the game list row's text
    CurrentGame* game = nullptr;
    AppState* state = nullptr;
};

// Runs the game. True when the shell was called (whatever it answered); false
// when the launch stopped before. Path and Command changes chosen by the user
// stay in the game record for the caller to save.
bool LaunchGame(const LaunchRequest& request);

// Shown when a changed game could not be saved because its file is read-only;
// "%s" is the game file's path.
constexpr char kReadOnlyGameMessage[] =
    "The game file\n%s\nis read-only, so the changes to this game were not saved.\n\n"
    "Clear its read-only attribute to keep such changes.";

// Shown instead of running a game whose parameters would smuggle commands into
// the command line or "Loader.bat"; "%s" names the field.
constexpr char kUnsafeParameterMessage[] =
    "This game was not started: its %s holds a line break, another control character "
    "or one of & | < >.\n\nSuch characters could run other commands. Please correct the %s "
    "in the game's settings.";

// The one line of "Loader.bat": "@" + command + " " + argument text.
std::string LoaderBatchLine(const std::string& command, const std::string& argumentText);
