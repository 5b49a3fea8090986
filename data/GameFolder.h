// The game files of the Games folder: which are listed, and in which order.
#pragma once
#include <string>
#include <vector>

struct GameFolderListing {
    std::vector<std::string> files;  // file names with extension, sorted without regard to case
    int counted = 0;                 // every entry that matched "*.qgf", folders included
};

// The files of |gamesFolder| matching "*.qgf": every match is counted, the first
// |maxGames| files in enumeration order are kept. A name that Windows keeps for
// a device (AUX.qgf) is neither counted nor kept: opening it would open the device.
GameFolderListing ListGameFiles(const std::string& gamesFolder, int maxGames);

// The row text of a game file: its name without the ".qgf" extension (any case).
std::string GameNameFromFile(const std::string& fileName);
