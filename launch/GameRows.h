// What each row of the game list shows: a game file read once, its status image
// (can it be launched?) and its Settings text, and the rows' order.
#pragma once
#include "data/GameFile.h"
#include <string>
#include <vector>

// A row's status image: its index in the list's row images.
enum StatusImage : int {
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
    std::string sortKeys[3];  // Publisher, Category, Setup; empty when the record could not be read
    std::string publisher, category, settings;
    uint32_t pictureSize = 0;
    StatusImage image = kImageNotVerified;
};

// The status image of a game: kImageNoFolder when Path is shorter than 2
// characters or not a folder, kImageNoProgram when Command is shorter than 2
// characters or Path\Command is not a file, else kImageReady.
StatusImage GameStatusImage(const GameRecord& game);

// The Settings column: "None" without a Setup, the Command and its parameter
// line for "(Parameters)" (any case), otherwise the Setup program.
std::string SettingsColumnText(const GameRecord& game);

// Reads one game file of the folder into its row.
GameRowData ReadGameRow(const std::string& gamesFolder, const std::string& file, bool verify);

// Orders the rows for the sort column: 0 keeps them (by name); 1, 2 and 3 group
// them by Publisher, Category or Setup (case ignored, unreadable files first),
// by name within a group.
void OrderGameRows(std::vector<GameRowData>& rows, int sortColumn);
