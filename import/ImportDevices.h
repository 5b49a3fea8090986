// A game's DOSBox values as device choices of its parameter sets: a sound
// device, a music device and a display whose names make the DOSBox
// configuration of a launch (HardwareOf) choose that same hardware.
#pragma once
#include "data/GameRecord.h"
#include "import/ImportedGame.h"
#include <vector>

// Fills the first sound and music entries and the display selection of
// |record| for sbtype, gus, mpu401 and machine; a value that no choice gives
// (sbtype=gb, machine=hercules, gus=true beside a Sound Blaster and MIDI)
// gets a ValueNotChosen note. True when anything was chosen.
bool ChooseDevices(const DosBoxValues& values, GameRecord& record, std::vector<ImportNote>& notes);
