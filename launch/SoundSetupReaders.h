// The readers of the setup files' formats: each turns a file's text into the
// devices and numbers it names. Keys and values are matched without regard to
// case; lines may end in CR LF or LF; anything unreadable is left unset.
#pragma once
#include "launch/SoundSetup.h"
#include <string>

enum class SetupFormat {
    MilesSound,  // DIG.INI: "KEY value" lines, ';' comments
    MilesMusic,  // MDI.INI
    Hmi,         // HMISET.CFG: [DIGITAL] and [MIDI] sections
    Sierra,      // RESOURCE.CFG: "key = value" lines
    Dmx,         // DEFAULT.CFG, HERETIC.CFG, HEXEN.CFG: "name value" lines
    Apogee,      // any .CFG with a [Sound Setup] section
};

// The parts of a setup that the text names, with |file| as their source; a
// part the text does not name stays NotSet.
SoundSetup ReadSetupText(SetupFormat format, const std::string& text, const std::string& file);

// The name that the details bar shows for a device.
const char* SoundCardName(SoundCard card);
