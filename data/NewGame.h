// A new game file from the fields the player typed: the title check, the setup
// program found in the game's folder, and the file written safely.
#pragma once
#include "data/GameRecord.h"
#include <string>

struct NewGameFields {
    std::string title, publisher, category, path, command, document, dataFile;
    bool vdmSound = true, win95 = true;
};

enum class TitleProblem { None, TooShort, NotAFileName, DeviceName, TooLong };

// A game file path longer than this is refused: saving a game later puts a
// ".new" and an ".old" file beside it, and those must fit in MAX_PATH too.
constexpr size_t kMaxGamePath = 260 - 1 - 4;

// "%s\Games\%s.qgf" for the program folder and a title.
std::string GameFilePath(const std::string& programFolder, const std::string& title);

// The title names the game file, so it must be a plain file name of at least
// two characters that Windows stores as it is, inside the Games folder.
TitleProblem CheckGameTitle(const std::string& title, const std::string& programFolder);

// The setup program in the game's folder, by precedence SETUP.COM, SETUP.EXE,
// INSTALL.COM, INSTALL.EXE, SETUP.BAT, INSTALL.BAT; empty when none.
std::string FindSetupProgram(const std::string& folder);

// The record of a new game: a blank one with the fields, the setup program, the
// options, and the program's and data file's names and sizes where those files
// can be opened.
GameRecord NewGameRecord(const NewGameFields& fields, const std::string& setup);

// Writes a blank game file, then replaces it with the new record in one safe
// step. False when either fails.
bool WriteNewGameFile(const std::string& gamePath, const GameRecord& record);
