// Finding a game whose folder has moved: what a launch does when the folder is
// missing, and the Game List menu's "Search for selected game".
#pragma once
#include "data/GameFile.h"
#include <windows.h>
#include <optional>
#include <string>

// A launch found the current game's folder missing. A command-line launch
// clears |commandLineLaunch| and only reports it. Otherwise the error-locating
// dialog asks; Browse shows the folder browser and Search the game search
// dialog. Returns the folder the launch goes on with (also stored in the
// game's Path; the search dialog has saved the game file too), or nullopt when
// the launch stops. A browsed item without a file-system path keeps the old
// folder, and the launch goes on with it.
std::optional<std::string> LocateMovedGame(HWND owner, const std::string& title, CurrentGame& game,
                                           bool& commandLineLaunch);

// The menu command "Search for selected game". |row| is the game list's
// selected row (-1: none) and |title| the text of its first column. Returns
// true when the search dialog ran: the caller then refreshes that row from the
// current game, whatever the dialog's outcome.
bool SearchForSelectedGame(HWND owner, int row, const std::string& title, CurrentGame& game);
