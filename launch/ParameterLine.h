// The argument text built from a game's parameter sets.
#pragma once
#include "data/GameRecord.h"
#include <string>

// Display, keyboard, mouse, joystick, sound device, music device and custom
// device parameter, in that order; each non-empty one followed by one space.
std::string ComposeParameterLine(const GameRecord& game);

// The name of the first field that ComposeParameterLine would use and whose
// text |refused| holds true for ("Mouse parameter", ...); empty when none.
std::string UnsafeParameterField(const GameRecord& game, bool (*refused)(const std::string&));
