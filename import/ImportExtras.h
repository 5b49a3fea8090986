// What an imported game keeps for DOSBox beyond its device choices: its CD-ROM
// and its own DOSBox lines, in the record's reserved area (data/GameExtras),
// as far as the rules and the area's 756 bytes allow.
#pragma once
#include "data/GameRecord.h"
#include "import/ImportedGame.h"
#include <string>
#include <vector>

// The game's DOSBox lines, the most needed first: the Sound Blaster's port,
// IRQ and DMAs (kept as they are: a launch would otherwise give DOSBox
// VDMSound's), the MIDI device and the cycles, then each device value that no
// device choice gives (the details of |notChosen|: "sblaster.sbtype=gb"), then
// its other settings. A line that only repeats DOSBox's own default is left
// out: it changes nothing and takes room.
std::vector<std::string> ImportedDosBoxLines(const ImportedGame& game, const std::vector<ImportNote>& notChosen);

// Stores the game's CD-ROM and as many of |lines| as the area holds, in their
// order, into |record|'s reserved area (which must hold no entries yet). What
// is not kept is noted: the CD-ROM (CdRomNotKept), a line that a player's
// DOSBox line could not be (ExtraLineRefused, one note each), and the lines
// there is no room for (NoRoomForLines, one note naming them all).
void StoreImportedExtras(const ImportedCdRom& cdRom, const std::vector<std::string>& lines, GameRecord& record,
                         std::vector<ImportNote>& notes);
