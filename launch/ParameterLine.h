// The argument text built from a game's parameter sets.
#pragma once
#include "data/GameRecord.h"
#include <string>

// Display, keyboard, mouse, joystick, sound device, music device and custom
// device parameter, in that order; each non-empty one followed by one space.
std::string ComposeParameterLine(const GameRecord& game);

// True when |text| may stand in a command line or a batch file: no control
// character (a line break would start a new command) and none of & | < >
// (which chain commands or redirect them).
bool IsSafeCommandText(const std::string& text);

// The name of the first field that ComposeParameterLine would use and that is
// not safe in a command line ("Mouse parameter", ...); empty when all are safe.
std::string UnsafeParameterField(const GameRecord& game);
