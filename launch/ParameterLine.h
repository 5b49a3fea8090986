// The argument text built from a game's parameter sets.
#pragma once
#include "data/GameRecord.h"
#include <string>

// Display, keyboard, mouse, joystick, sound device, music device and custom
// device parameter, in that order; each non-empty one followed by one space.
std::string ComposeParameterLine(const GameRecord& game);
