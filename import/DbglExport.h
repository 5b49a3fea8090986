// DBGL's exports as games. An export is a zip archive whose "profiles.xml"
// (format 1.3) lists the games: /document/profile with title, setup,
// setup-parameters, game-dir/raw, config-file/raw (the game's own DOSBox
// configuration, inside the archive), captures/raw (its screenshots' folder in
// the archive) and meta-info/developer, publisher, year, genre and notes.
// DBGL keeps relative paths from its "dosroot" folder.
#pragma once
#include "import/ImportedGame.h"
#include <string>

// The largest list of profiles read (about 16,000 games).
constexpr size_t kMaxProfilesXmlBytes = 32u << 20;

// The games of the export |zipPath|; relative paths are taken from |dosRoot|
// (empty: the export's own folder).
ImportSource ReadDbglExport(const std::string& zipPath, const std::string& dosRoot = {});
