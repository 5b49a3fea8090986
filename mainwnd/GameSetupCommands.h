// The main window's Game Settings and Modify buttons (and the list's right
// double click, and the follow-up of an added game): running a game's setup
// program, moving its config file aside, or opening the settings dialogs.
#pragma once
#include "data/GameFile.h"
#include "data/IniFile.h"
#include "launch/LaunchPlan.h"
#include <windows.h>
#include <functional>
#include <string>

struct GameSetupContext {
    HWND owner = nullptr;         // the main window
    std::string title;            // the selected row's first-column text; empty: nothing is selected
    CurrentGame* game = nullptr;  // the current game: changed in place and saved
    const IniFile* dataIni = nullptr;
    LaunchFacts facts;  // the system's, for planning a setup program's launch
    // Opens the details bar's first folder with its Path item selected, before
    // the "Please locate the game path..." message. May be empty.
    std::function<void()> showPathItem;
};

struct GameSetupOutcome {
    bool refreshRow = false;  // the selected row's columns must be refreshed
    // The current game holds changes that are not in its file (a Path chosen in
    // a cancelled settings dialog, selections of a command line dialog closed
    // without "Close", or a failed save); a later save stores them.
    bool unsaved = false;
};

// The Game Settings button and the list's right double click.
GameSetupOutcome RunGameSetup(const GameSetupContext& context);

// The Modify button, and after a game was added without a setup program: the
// game settings dialog; on OK the game is saved.
GameSetupOutcome ModifyGameSettings(const GameSetupContext& context);
