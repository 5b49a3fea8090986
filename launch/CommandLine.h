// The game file named on the program's command line, and whether it is one of
// the listed game files in the Games folder.
#pragma once
#include <string>

// The first argument of the command line: a quoted argument ends at its closing
// quote (or at the end of the line when it has none); an unquoted line is taken
// whole, since a path with blanks may come without quotes.
std::string CommandLineGameFile(const std::string& commandLine);

// The name that the game list shows for a game file path: the file name without
// its folder and extension (a dot in the first place starts no extension).
std::string GameNameOfPath(const std::string& path);

// True when |path| is the game file of the list row |name| (GameFilePath)
// itself: the same full path, without regard to case, and no device name. A
// file elsewhere with the same name is not.
bool IsListedGameFile(const std::string& path, const std::string& programFolder, const std::string& name);
