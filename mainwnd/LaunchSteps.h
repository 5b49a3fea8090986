// Running a game, the steps that talk to the player: the missing folder and
// program, the messages of a failed launch, and "LastRun".
#pragma once
#include "app/AppState.h"
#include "data/GameFile.h"
#include <windows.h>
#include <string>

// Runs the game of the list row |title|. True when the shell was called
// (whatever it answered); false when the launch stopped before. Path and
// Command chosen by the player stay in |game| for the caller to save. A launch
// from the command line clears |state.commandLineLaunch|.
bool RunGame(HWND owner, const std::string& title, GameRecord& game, AppState& state);
