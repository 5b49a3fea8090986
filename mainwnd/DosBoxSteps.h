// Starting a game (or its setup program) in DOSBox: the route, the messages
// for a missing DOSBox and a refused game, the configuration file and the start.
#pragma once
#include "data/GameRecord.h"
#include "launch/DosBoxConfig.h"
#include <windows.h>
#include <string>

// True when |fullProgram| (a program in the game's folder) goes to DOSBox.
bool GoesToDosBox(const GameRecord& game, const std::string& fullProgram, const DosBoxSetup& setup);

enum class DosBoxStart {
    Refused,  // told and stopped: DOSBox missing, a refused game, no configuration file
    Started,  // DOSBox runs, with the configuration of this launch
    Failed,   // DOSBox did not start: the launch's failure message was shown
};

// Writes this launch's configuration and starts DOSBox with it, without
// waiting. |program| is the game's Command (|programField| "Command"; with its
// parameter line when |withParameters|) or its setup program ("Setup").
// Messages are captioned |caption|.
DosBoxStart StartInDosBox(HWND owner, const GameRecord& game, const std::string& program, const char* programField,
                          bool withParameters, const DosBoxSetup& setup, bool spanish, const std::string& caption);
