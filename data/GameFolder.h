// The game files of the Games folder: their names, which are listed, and in
// which order.
#pragma once
#include <string>
#include <vector>

struct GameFolderListing {
    std::vector<std::string> files;  // file names with extension, sorted without regard to case
    int counted = 0;                 // every entry that matched "*.qgf", folders included
};

// How many games the list shows at most ("MaxGames"): 512 unless the player
// chose another number from 512 to 20,000.
constexpr int kDefaultMaxGames = 512;
constexpr int kMostMaxGames = 20000;
// A stored value brought into that range: below 512 counts as 512, above
// 20,000 as 20,000.
int ClampMaxGames(unsigned long stored);
// A maximum as the player types it: digits only (blanks around them allowed),
// from 512 to 20,000. False for anything else.
bool ParseMaxGames(const std::string& text, int& value);

// The files of |gamesFolder| matching "*.qgf": every match is counted, the first
// |maxGames| files in enumeration order are kept. A name that Windows keeps for
// a device (AUX.qgf) is neither counted nor kept: opening it would open the device.
GameFolderListing ListGameFiles(const std::string& gamesFolder, int maxGames);

// The row text of a game file: its name without the ".qgf" extension (any case).
std::string GameNameFromFile(const std::string& fileName);

// A game file path longer than this is refused: saving a game later puts a
// ".new" and an ".old" file beside it, and those must fit in MAX_PATH too.
constexpr size_t kMaxGamePath = 260 - 1 - 4;

// The Games folder of the program folder (no trailing separator): "%s\Games".
std::string GamesFolderOf(const std::string& programFolder);
// The game file of a game's name, which is also its list row's text:
// "%s\Games\%s.qgf". The one place that turns a row into its file.
std::string GameFilePath(const std::string& programFolder, const std::string& name);

// Why |name| (without ".qgf") cannot name a game file inside the Games folder:
// all blank (Empty); a \ or / or a name of dots and blanks (PathStep); a
// control character, one of : * ? " < > |, or a dot or blank at the end, which
// Windows drops at the end of a file name (NotAFileName); a device
// (DeviceName); a path past kMaxGamePath (TooLong). Every title and every
// imported name passes this one rule.
enum class GameNameProblem { None, Empty, NotAFileName, PathStep, DeviceName, TooLong };
GameNameProblem CheckGameFileName(const std::string& name, const std::string& programFolder);
