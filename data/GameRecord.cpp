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
