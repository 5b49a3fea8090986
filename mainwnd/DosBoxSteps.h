// Carrying out the DOSBox route of a launch plan (a game or its setup
// program): the messages for a missing DOSBox and a refused game, the
// configuration file and the start.
#pragma once
#include "launch/LaunchPlan.h"
#include <windows.h>
#include <string>

enum class DosBoxStart {
    Refused,  // told and stopped: DOSBox missing, a refused game, no configuration file
    Started,  // DOSBox runs, with the configuration of this launch
    Failed,   // DOSBox did not start: the launch's failure message was shown
};

// Writes this launch's configuration and starts DOSBox with it, without
// waiting. |plan| goes to DOSBox (plan.InDosBox()). Messages are captioned
// |caption|.
DosBoxStart StartInDosBox(HWND owner, const LaunchPlan& plan, const std::string& caption);
