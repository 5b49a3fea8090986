// The text of a DOSBox configuration or of a D-Fend Reloaded profile: INI
// sections of "key=value" lines ('#' and ';' start comments), and the lines of
// [autoexec] as written. Also the DOSBox settings a game takes from it.
#pragma once
#include "import/ImportedGame.h"
#include <string>
#include <vector>

struct ConfSetting {
    std::string section, key, value;  // blanks around key and value removed
};

struct ConfText {
    std::vector<ConfSetting> settings;  // every section but [autoexec], in file order
    std::vector<std::string> autoexec;  // the lines of [autoexec]

    // The value of the last line of that key in that section (DOSBox's rule),
    // names without regard to case; empty when there is none.
    std::string Get(const std::string& section, const std::string& key) const;
};

// Line ends of any kind (CR LF, LF, CR) split the text.
ConfText ParseConfText(const std::string& text);

// The DOSBox settings of |conf| into the game: the keys that DosBoxValues
// holds ([midi] device is D-Fend Reloaded's and DOSBox 0.72's mididevice), and
// every other non-empty one as an extra line "section.key=value". A D-Fend
// Reloaded profile keeps its own sections (those whose names start with "Extra",
// and ScummVM) and its capture folder to itself.
void TakeDosBoxSettings(const ConfText& conf, bool dFendProfile, ImportedGame& game);
