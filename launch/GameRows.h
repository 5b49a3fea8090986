// What each row of the game list shows: a game file read once, its status image
// (can it be launched?), its Settings text, the rows' order, and the row that
// a title's first letters typed into the list select.
#pragma once
#include "data/GameFile.h"
#include <functional>
#include <string>
#include <vector>

// A row's status image: its index in the list's row images.
enum StatusImage : int {
    kImageUnchecked = -1,   // to be checked when the row is first shown (RowStatusImage)
    kImageReady = 0,        // the game can be launched
    kImageNoFolder = 1,     // its folder is missing (or its file could not be read)
    kImageNoProgram = 2,    // its program is missing
    kImageNotVerified = 7,  // not checked: "ReloadVerify" is off
};

// What one row of the list shows, read from its game file once.
struct GameRowData {
    std::string file;      // with extension
    std::string name;      // the row's text
    bool loaded = false;   // the record is a good one
    // Publisher, Category and Setup of any whole record, good or not (the sort
    // keys; the first two are shown only when it loaded); empty when it could
    // not be read.
    std::string publisher, category, setup;
    std::string settings;       // the Settings column
    std::string path, command;  // what the status image checks; empty unless loaded
    uint32_t pictureSize = 0;
    StatusImage image = kImageNotVerified;
};

// The status image of a game: kImageNoFolder when Path is shorter than 2
// characters or not a folder, kImageNoProgram when Command is shorter than 2
// characters or Path\Command is not a file, else kImageReady.
StatusImage GameStatusImage(const GameRecord& game);
StatusImage GameStatusImage(const std::string& path, const std::string& command);

// The Settings column: "None" without a Setup, the Command and its parameter
// line for "(Parameters)" (any case), otherwise the Setup program.
std::string SettingsColumnText(const GameRecord& game);

// A row from a game file's record as read (|status|: ReadGameRecord's). With
// |verify| its status image is left to be checked when the row is first shown
// (checking ten thousand folders at once would hold the list up); without, it
// is kImageNotVerified.
void SetGameRow(GameRowData& row, GameFileStatus status, const GameRecord& record, bool verify);

// Reads one game file of the folder into its row.
GameRowData ReadGameRow(const std::string& gamesFolder, const std::string& file, bool verify);

// Reads the game files |files| of the folder into their rows, in their order;
// |progress| (may be empty) hears how many are read. (A second thread reading
// every other file was tried: under Wine it was slower as often as faster.)
std::vector<GameRowData> ReadGameRows(const std::string& gamesFolder, const std::vector<std::string>& files,
                                      bool verify, const std::function<void(int)>& progress);

// The row's status image, checked on the disk the first time it is asked for.
StatusImage RowStatusImage(GameRowData& row);

// Orders the rows for the sort column: 0 keeps them (by name); 1, 2 and 3 group
// them by Publisher, Category or Setup (case ignored, unreadable files first),
// by name within a group.
void OrderGameRows(std::vector<GameRowData>& rows, int sortColumn);

// The row that typing |typed| into the list selects, -1 for none: the first
// row whose name starts with it (case ignored), searched from the |current|
// row on (after it for a single character, so that typing a letter again steps
// to the next game with that letter) and around from the top. When the typed
// text is one letter repeated ("kkk") and no name starts with it, that letter
// alone steps on from the current row.
int FindTypedRow(const std::vector<GameRowData>& rows, const std::string& typed, int current);
