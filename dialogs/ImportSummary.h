// What the player reads after an import of other launchers' games: the counts
// and, game by game, what was not taken and why, with the lines that were not
// understood.
#pragma once
#include "import/ImportBatch.h"
#include <string>

// One note as a sentence without its game ("sblaster.sbtype=gb is not among
// the device choices").
std::string ImportNoteText(const ImportNote& note);

// "Converted: %d.  Failed: %d.  Already exists: %d", then a paragraph for each
// game with notes or lines not understood (at most |maxGames| of them, and no
// more than the text's |maxChars| allow, then how many more).
std::string ImportSummaryText(const ImportBatchResult& result, size_t maxGames = 20,
                              size_t maxChars = static_cast<size_t>(-1));
