// DOSBox's hardware for a game whose own setup files chose its sound, and the
// one line that says where those files disagree with the game's parameter
// sets or ask for something DOSBox does not offer.
#pragma once
#include "data/GameRecord.h"
#include "launch/DosBoxConfig.h"
#include "launch/SoundSetup.h"
#include <string>

// The hardware for |game| in this order of precedence: what its setup files
// chose (|setup|), then the words of its selected parameter sets (as
// HardwareOf(game) reads them), then DOSBox's defaults. A part (sound or
// music) whose device DOSBox does not emulate, or whose code is unknown, keeps
// the words'. The files' port, IRQ and DMAs of a Sound Blaster or a Gravis
// UltraSound are taken where DOSBox 0.74 offers them (and win over VDMSound's
// too); a game that chose no sound gets sbtype=none, no music mpu401=none.
DosBoxHardware HardwareOf(const GameRecord& game, const SoundSetup& setup);

// One line for the game settings dialog, or empty: the first of a device, a
// port, an IRQ, a DMA or a MIDI port that the files chose and DOSBox does not
// offer; else a sound or music device of another kind than the one the
// game's selected parameter set names. The line names the file.
std::string SoundSetupMismatch(const GameRecord& game, const SoundSetup& setup);
