// D-Fend Reloaded's profiles as games. Its data folder holds one INI file per
// game in "Confs\<name>.prof": [ExtraInfo] the game's facts, [Extra] the
// program ("Exe", host path), its parameters, the setup program and the mount
// list "0=" to "9=" ("path;type;letter;..." with the types Drive, CDROM,
// FLOPPY, CDROMIMAGE (images split by '$'), FLOPPYIMAGE, IMAGE, ZIP, PHYSFS),
// and DOSBox's own sections. Paths starting ".\" are inside the data folder.
// Values escape a line break as "[13][10]" and an equals sign as "[61]".
// Screenshots go to the folder named by [dosbox] captures, by default
// "Capture\<name>" in the data folder; the first BMP there becomes the picture.
#pragma once
#include "import/ImportedGame.h"
#include <string>

// A value with its escapes undone: "[13][10]" (or either alone) a line break
// "\r\n", "[61]" '='.
std::string DFendUnescape(const std::string& value);

// One profile of the data folder |dataFolder|.
ImportedGame ReadDFendProfile(const std::string& dataFolder, const std::string& profilePath);

// Every profile of a data folder (given as the data folder itself, its Confs
// folder or one of its profiles), sorted by name.
ImportSource ReadDFendProfiles(const std::string& path);
