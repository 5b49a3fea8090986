// Choosing the devices that give a game's DOSBox hardware.
#include "import/ImportDevices.h"
#include "data/Strings.h"
#include "launch/DosBoxConfig.h"

namespace {

struct Named {
    const char* value;
    const char* name;
};

const Named kSoundBlasters[] = {{"sb1", "Sound Blaster 1.0"},
                                {"sb2", "Sound Blaster 2.0"},
                                {"sbpro1", "Sound Blaster Pro"},
                                {"sbpro2", "Sound Blaster Pro 2"},
                                {"sb16", "Sound Blaster 16"},
                                {"gb", "Game Blaster"},
                                {"none", "No sound"}};
const Named kMidi[] = {
    {"intelligent", "General MIDI (MPU-401)"}, {"uart", "General MIDI (MPU-401 UART)"}, {"none", "No music"}};
// The Selected display whose machine a launch writes.
const Named kMachines[] = {{"svga_s3", "2"}, {"vgaonly", "3"}, {"ega", "4"}, {"cga", "5"}, {"tandy", "6"}};
constexpr char kGravis[] = "Gravis UltraSound";

template <size_t N>
const char* Lookup(const Named (&table)[N], const std::string& value) {
    for (const Named& entry : table)
        if (EqualNoCase(value, entry.value)) return entry.name;
    return nullptr;
}

// The hardware that a launch chooses for this one selection.
DosBoxHardware Alone(const char* sound, const char* music, int display) {
    GameRecord g = BlankGameRecord();
    SetField(g.setup, kParametersMarker);
    if (sound) {
        SetField(g.soundNames[0], sound);
        g.selectedSound = 0;
    }
    if (music) {
        SetField(g.musicNames[0], music);
        g.selectedMusic = 0;
    }
    g.selectedDisplay = display;
    return HardwareOf(g);
}

bool IsOn(const std::string& value) {
    return EqualNoCase(value, "true") || value == "1" || EqualNoCase(value, "on") || EqualNoCase(value, "yes");
}

}  // namespace

bool ChooseDevices(const DosBoxValues& values, GameRecord& record, std::vector<ImportNote>& notes) {
    auto notChosen = [&](const char* key, const std::string& value) {
        notes.push_back({ImportNoteKind::ValueNotChosen, std::string(key) + "=" + value});
    };
    std::string sound, music;
    int display = -1;
    if (!values.sbtype.empty()) {
        const char* name = Lookup(kSoundBlasters, values.sbtype);
        if (name && EqualNoCase(Alone(name, nullptr, -1).sbtype, values.sbtype))
            sound = name;
        else
            notChosen("sblaster.sbtype", values.sbtype);
    }
    if (!values.mpu401.empty()) {
        const char* name = Lookup(kMidi, values.mpu401);
        if (name && EqualNoCase(Alone(nullptr, name, -1).mpu401, values.mpu401))
            music = name;
        else
            notChosen("midi.mpu401", values.mpu401);
    }
    // The Gravis takes the sound device's place when it is free, or else the music device's.
    if (IsOn(values.gus)) {
        if (sound.empty() && Alone(kGravis, nullptr, -1).gus)
            sound = kGravis;
        else if (music.empty() && Alone(nullptr, kGravis, -1).gus)
            music = kGravis;
        else
            notChosen("gus.gus", values.gus);
    }
    if (!values.machine.empty()) {
        const char* number = Lookup(kMachines, values.machine);
        if (number && EqualNoCase(Alone(nullptr, nullptr, *number - '0').machine, values.machine))
            display = *number - '0';
        else
            notChosen("dosbox.machine", values.machine);
    }
    if (!sound.empty()) {
        SetField(record.soundNames[0], sound.c_str());
        record.selectedSound = 0;
    }
    if (!music.empty()) {
        SetField(record.musicNames[0], music.c_str());
        record.selectedMusic = 0;
    }
    record.selectedDisplay = display;
    return !sound.empty() || !music.empty() || display != -1;
}
