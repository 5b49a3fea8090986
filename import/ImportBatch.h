// Imported games written as game files, by the rules of the Loader.ini import:
// each into the Games folder under its title's game file name, nothing there
// replaced unless the player asked, and never a file reached through another
// game's short name.
#pragma once
#include "data/LoaderIni.h"
#include "import/ImportedGame.h"
#include <string>
#include <vector>

enum class ImportOutcome { Converted, Failed, Exists };

struct ImportGameResult {
    std::string title;
    std::string fileName;  // "<name>.qgf", written or found; empty when the game had no name
    ImportOutcome outcome = ImportOutcome::Failed;
    std::string otherFile;  // Exists because the name is another game file's short name: its long name
    std::vector<ImportNote> notes;
    std::vector<std::string> unmapped;  // the lines that were not understood
};

struct ImportBatchResult {
    int converted = 0, failed = 0, existing = 0;
    std::vector<ImportGameResult> games;  // one per game, in order
};

// Writes every game, or with |chosen| (one flag per game) the chosen ones
// only: the results are theirs, in order. Two games of one batch with the
// same name get "<name> (2)", "<name> (3)"... so that the second does not meet
// the first. The listener hears the progress (0 to the number of games
// written) and each game file written.
ImportBatchResult ConvertImportedGames(const std::vector<ImportedGame>& games, const std::string& programFolder,
                                       bool overwrite, BatchListener& listener,
                                       const std::vector<bool>* chosen = nullptr);
