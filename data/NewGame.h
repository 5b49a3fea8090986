// A new game file from the fields the player typed: the title check, the setup
// program found in the game's folder, and the file written safely.
#pragma once
#include "data/GameFolder.h"
#include "data/GameRecord.h"
#include <string>
#include <vector>

struct NewGameFields {
    std::string title, publisher, category, path, command, document, dataFile;
    bool vdmSound = true, win95 = true;
};

enum class TitleProblem { None, TooShort, NotAFileName, DeviceName, TooLong, OtherFileName };

// The title names the game file, so it must be at least two characters long,
// pass CheckGameFileName (a blank, path step or character problem is
// NotAFileName) and not be the short (8.3) name of another game file
// (OtherFileName).
TitleProblem CheckGameTitle(const std::string& title, const std::string& programFolder);

// The setup program in the game's folder, by precedence SETUP.COM, SETUP.EXE,
// INSTALL.COM, INSTALL.EXE, SETUP.BAT, INSTALL.BAT; empty when none.
std::string FindSetupProgram(const std::string& folder);

// The record of a new game: a blank one with the fields, the setup program, the
// options, and the program's and data file's names and sizes where those files
// can be opened.
GameRecord NewGameRecord(const NewGameFields& fields, const std::string& setup);

// Writes the new game file: the record and |picture| (checked bytes, may be
// empty) in one safe step; a game file of the same name is replaced. False
// when it cannot be written, and when the name is the short (8.3) name of
// another file, which stays as it was.
bool WriteNewGameFile(const std::string& gamePath, const GameRecord& record, const std::vector<char>& picture = {});
