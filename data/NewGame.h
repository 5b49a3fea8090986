// A new game file from the fields the player typed: the title check, the setup
// program found in the game's folder, and the file written safely.
#pragma once
#include "data/GameRecord.h"
#include <string>
#include <vector>

struct NewGameFields {
    std::string title, publisher, category, path, command, document, dataFile;
    bool vdmSound = true, win95 = true;
};

enum class TitleProblem { None, TooShort, NotAFileName, DeviceName, TooLong, OtherFileName };

// A game file path longer than this is refused: saving a game later puts a
// ".new" and an ".old" file beside it, and those must fit in MAX_PATH too.
constexpr size_t kMaxGamePath = 260 - 1 - 4;

// "%s\Games\%s.qgf" for the program folder and a title.
std::string GameFilePath(const std::string& programFolder, const std::string& title);

// The title names the game file, so it must be a plain file name of at least
// two characters that Windows stores as it is, inside the Games folder, and not
// the short (8.3) name of another game file (OtherFileName).
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
