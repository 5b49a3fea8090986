// An imported game made a game record by the rules that Add Game and the
// Loader.ini import use: the title made a game file name (GameFileNameFor),
// the record of a new game (NewGameRecord, with its setup program search),
// a Command of 8.3 names inside the folder, the game set to run with DOSBox,
// its DOSBox values as device choices of its parameter sets, and the rest of
// them, with its CD-ROM, as its DOSBox entries.
#pragma once
#include "data/GameRecord.h"
#include "import/ImportedGame.h"
#include <string>
#include <vector>

struct ImportedRecord {
    bool ok = false;       // false: the notes say why there is no record
    std::string fileName;  // the game file's name, without ".qgf"
    GameRecord record = BlankGameRecord();
    std::vector<ImportNote> notes;  // the game's own, then the conversion's
};

// The record of |game|. Its Setup is "(Parameters)" when the program line's
// parameters are kept as the custom parameter, or when devices were chosen and
// no setup program was found; a setup program or chosen devices that give way
// are noted. Publisher is the publisher, else the developer; Category the
// genre; Comment the developer (when not the publisher), the year and the notes.
// The CD-ROM and the DOSBox lines (the values no device choice holds among
// them) go into the record's reserved area (import/ImportExtras).
ImportedRecord MakeImportedRecord(const ImportedGame& game, const std::string& programFolder);

// |name| inside |folder| as 8.3 names: each step as written when it is one,
// otherwise the short name the file system gives it; with |findExtension| a
// last step without an extension gets the first of .COM, .EXE and .BAT that
// is there (DOS's order). Empty when a step has no 8.3 name or the name leaves
// the folder.
std::string DosNameInFolder(const std::string& folder, const std::string& name, bool findExtension);
