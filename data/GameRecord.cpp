// Blank record and small readers of the game record.
#include "data/GameRecord.h"
#include "data/Strings.h"
#include <cstring>

GameRecord BlankGameRecord() {
    GameRecord g;
    std::memset(&g, 0, sizeof g);
    std::memcpy(g.magic, kGameMagic, sizeof g.magic);
    g.version = kGameFormatVersion;
    SetField(g.title, "Unknown");
    SetField(g.publisher, "Unknown");
    SetField(g.category, "Unknown");
    SetField(g.path, "C:\\");
    SetField(g.comment, "no comment");
    g.selectedSound = -1;
    g.selectedMusic = -1;
    g.selectedDisplay = -1;
    g.options = kOptionVdmSound | kOptionWin95;
    std::memcpy(g.pictureTag, "BMP_", 4);
    return g;
}

const char* SelectedDisplayParameter(const GameRecord& game) {
    switch (game.selectedDisplay) {
        case 1: return game.vesaParam;
        case 2: return game.vgaParam;
        case 3: return game.mcgaParam;
        case 4: return game.egaParam;
        case 5: return game.cgaParam;
        case 6: return game.tandyParam;
        default: return nullptr;
    }
}

bool UsesParameterSets(const GameRecord& game) { return EqualNoCase(FieldText(game.setup), kParametersMarker); }

namespace {
constexpr char kRunTag[4] = {'R', 'U', 'N', '_'};
}

RunWith GameRunWith(const GameRecord& game) {
    if (std::memcmp(game.runTag, kRunTag, sizeof kRunTag) != 0) return RunWith::Default;
    if (game.runWith == static_cast<int32_t>(RunWith::Windows)) return RunWith::Windows;
    if (game.runWith == static_cast<int32_t>(RunWith::DosBox)) return RunWith::DosBox;
    return RunWith::Default;
}

void SetGameRunWith(GameRecord& game, RunWith choice) {
    if (choice == RunWith::Default) {
        if (std::memcmp(game.runTag, kRunTag, sizeof kRunTag) != 0) return;
        std::memset(game.runTag, 0, sizeof game.runTag);
        game.runWith = 0;
        return;
    }
    std::memcpy(game.runTag, kRunTag, sizeof kRunTag);
    game.runWith = static_cast<int32_t>(choice);
}
