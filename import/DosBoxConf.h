// DOSBox configuration files (*.conf) as games: the title from the file name,
// the folder, program and CD-ROM from [autoexec], the DOSBox settings from the
// other sections.
#pragma once
#include "import/Autoexec.h"
#include "import/ImportedGame.h"
#include <string>

// A configuration is a few kilobytes; a larger file is no configuration.
constexpr size_t kMaxConfBytes = 1u << 20;

// Reads configuration text into |game|; relative paths are taken from
// |baseFolder|. Returns the autoexec as it stands at the end, for paths that
// other values give as DOS paths.
Autoexec ApplyDosBoxConf(const std::string& text, const std::string& baseFolder, ImportedGame& game);

// One configuration file; relative paths are taken from its own folder.
ImportedGame ReadDosBoxConf(const std::string& path);

// A configuration file, or every one in a folder (not its subfolders), sorted
// by name.
ImportSource ReadDosBoxConfs(const std::string& fileOrFolder);
