// Carrying out the DOSBox route of a launch plan (a game or its setup
// program): the messages for a missing DOSBox and a refused game, the
// configuration file and the start.
#pragma once
#include "launch/LaunchPlan.h"
#include "mainwnd/LaunchSteps.h"
#include <windows.h>
#include <string>

// Writes this launch's configuration and starts DOSBox with it, without
// waiting. |plan| goes to DOSBox (plan.InDosBox()). Refused: DOSBox missing, a
// refused game, no configuration file. Messages are captioned |caption|.
LaunchStart StartInDosBox(HWND owner, const LaunchPlan& plan, const std::string& caption);
