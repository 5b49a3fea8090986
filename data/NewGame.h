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

// The game file name (without ".qgf") for a title that comes from elsewhere
// (another launcher, a file name): every character that a file name cannot
// hold (a control character, \ / : * ? " < > |) becomes a blank or '-', blanks
// at the start and dots and blanks at the end go, a name shorter than two
// characters gets " game" added ("Untitled game" when nothing is left), a
// device name gets "Game " in front, and a name too long for the Games folder
// is cut. Empty when even that gives no name that CheckGameFileName takes.
std::string GameFileNameFor(const std::string& title, const std::string& programFolder);

// Where a game file is about to be written: nothing there (Free); a game file
// of that very name, which is replaced only when the player asked (Replace,
// otherwise Exists); the short (8.3) name of another file (OtherFile: kept,
// whatever was asked); a folder (Folder: never replaced).
enum class GamePlace { Free, Replace, Exists, OtherFile, Folder };
struct GamePlaceCheck {
    GamePlace place = GamePlace::Free;
    std::string otherFile;  // OtherFile: the long name of that file
};
GamePlaceCheck CheckGamePlace(const std::string& gamePath, bool overwrite);

// Writes the record, its Picture size set, and |picture| (checked bytes, may
// be empty) at a place that CheckGamePlace found Free (written straight; a
// partial file is removed again) or Replace (the new content takes the old
// file's place only when complete). False for any other place.
bool WriteGameAt(const std::string& gamePath, GamePlace place, const GameRecord& record,
                 const std::vector<char>& picture);

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
