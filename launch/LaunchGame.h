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

// The one line of "Loader.bat": "@" + command + " " + argument text.
std::string LoaderBatchLine(const std::string& command, const std::string& argumentText);
