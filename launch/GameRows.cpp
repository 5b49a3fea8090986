// The game list's rows.
#include "launch/GameRows.h"
#include "data/Files.h"
#include "data/GameFolder.h"
#include "data/Strings.h"
#include "launch/ParameterLine.h"
#include <algorithm>
#include <cstring>

StatusImage GameStatusImage(const GameRecord& game) {
    const std::string path = FieldText(game.path);
    const std::string command = FieldText(game.command);
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

std::string SettingsColumnText(const GameRecord& game) {
    if (game.setup[0] == '\0') return "None";
    if (UsesParameterSets(game)) return FieldText(game.command) + " " + ComposeParameterLine(game);
    return FieldText(game.setup);
}

GameRowData ReadGameRow(const std::string& gamesFolder, const std::string& file, bool verify) {
    GameRowData row;
    row.file = file;
    row.name = GameNameFromFile(file);
    GameRecord record;
    const GameFileStatus status = ReadGameRecord(gamesFolder + "\\" + file, record);
    // The sort keys come from any whole record, good or not.
    if (status == GameFileStatus::Ok || status == GameFileStatus::Corrupt) {
        row.sortKeys[0] = FieldText(record.publisher);
        row.sortKeys[1] = FieldText(record.category);
        row.sortKeys[2] = FieldText(record.setup);
    }
    row.loaded = status == GameFileStatus::Ok;
    if (!row.loaded) std::memset(&record, 0, sizeof record);
    if (row.loaded) {
        row.publisher = FieldText(record.publisher);
        row.category = FieldText(record.category);
        row.pictureSize = record.pictureSize;
    }
    row.settings = SettingsColumnText(record);
    row.image = verify ? (row.name.empty() ? kImageNoFolder : GameStatusImage(record)) : kImageNotVerified;
    return row;
}

void OrderGameRows(std::vector<GameRowData>& rows, int sortColumn) {
    if (sortColumn < 1 || sortColumn > 3) return;
    const int k = sortColumn - 1;
    std::stable_sort(rows.begin(), rows.end(),
                     [k](const GameRowData& a, const GameRowData& b) { return LessNoCase(a.sortKeys[k], b.sortKeys[k]); });
}
