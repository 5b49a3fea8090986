// The game list's rows.
#include "launch/GameRows.h"
#include "data/Files.h"
#include "data/GameFolder.h"
#include "data/Strings.h"
#include "launch/ParameterLine.h"
#include <algorithm>

StatusImage GameStatusImage(const std::string& path, const std::string& command) {
    if (path.size() < 2) return kImageNoFolder;
    // An installed game takes one question: a program found in it proves the
    // folder (a plain name cannot step out of it).
    if (command.size() >= 2 && command.find_first_of("\\/") == std::string::npos &&
        FileExists(path + "\\" + command))
        return kImageReady;
    if (!FolderExists(path)) return kImageNoFolder;
    if (command.size() < 2) return kImageNoProgram;
    return FileExists(path + "\\" + command) ? kImageReady : kImageNoProgram;
}

StatusImage GameStatusImage(const GameRecord& game) {
    return GameStatusImage(FieldText(game.path), FieldText(game.command));
}

std::string SettingsColumnText(const GameRecord& game) {
    if (game.setup[0] == '\0') return "None";
    if (UsesParameterSets(game)) return FieldText(game.command) + " " + ComposeParameterLine(game);
    return FieldText(game.setup);
}

void SetGameRow(GameRowData& row, GameFileStatus status, const GameRecord& record, bool verify) {
    // The sort keys come from any whole record, good or not.
    const bool whole = status == GameFileStatus::Ok || status == GameFileStatus::Corrupt;
    row.publisher = whole ? FieldText(record.publisher) : std::string();
    row.category = whole ? FieldText(record.category) : std::string();
    row.setup = whole ? FieldText(record.setup) : std::string();
    row.loaded = status == GameFileStatus::Ok;
    if (row.loaded) {
        row.path = FieldText(record.path);
        row.command = FieldText(record.command);
        row.pictureSize = record.pictureSize;
        row.settings = SettingsColumnText(record);
    } else {
        row.path.clear();
        row.command.clear();
        row.pictureSize = 0;
        row.settings = "None";
    }
    row.image = !verify ? kImageNotVerified : row.name.empty() ? kImageNoFolder : kImageUnchecked;
}

GameRowData ReadGameRow(const std::string& gamesFolder, const std::string& file, bool verify) {
    GameRowData row;
    row.file = file;
    row.name = GameNameFromFile(file);
    GameRecord record;
    const GameFileStatus status = ReadGameRecord(gamesFolder + "\\" + file, record);
    SetGameRow(row, status, record, verify);
    return row;
}

std::vector<GameRowData> ReadGameRows(const std::string& gamesFolder, const std::vector<std::string>& files,
                                      bool verify, const std::function<void(int)>& progress) {
    std::vector<GameRowData> rows;
    rows.reserve(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        if (progress) progress(static_cast<int>(i));
        rows.push_back(ReadGameRow(gamesFolder, files[i], verify));
    }
    return rows;
}

StatusImage RowStatusImage(GameRowData& row) {
    if (row.image == kImageUnchecked) row.image = GameStatusImage(row.path, row.command);
    return row.image;
}

void OrderGameRows(std::vector<GameRowData>& rows, int sortColumn) {
    if (sortColumn < 1 || sortColumn > 3) return;
    std::string GameRowData::*const keys[] = {&GameRowData::publisher, &GameRowData::category, &GameRowData::setup};
    const auto key = keys[sortColumn - 1];
    std::stable_sort(rows.begin(), rows.end(),
                     [key](const GameRowData& a, const GameRowData& b) { return LessNoCase(a.*key, b.*key); });
}

int FindTypedRow(const std::vector<GameRowData>& rows, const std::string& typed, int current) {
    const int count = static_cast<int>(rows.size());
    if (count == 0 || typed.empty()) return -1;
    const int start = typed.size() > 1 ? std::max(current, 0) : current + 1;
    for (int k = 0; k < count; ++k) {
        const int row = (start + k) % count;
        const std::string& name = rows[row].name;
        if (name.size() >= typed.size() && EqualNoCase(name.substr(0, typed.size()), typed)) return row;
    }
    if (typed.size() > 1 && typed.find_first_not_of(typed[0]) == std::string::npos)
        return FindTypedRow(rows, typed.substr(0, 1), current);
    return -1;
}
