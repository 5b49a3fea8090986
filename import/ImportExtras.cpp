// An imported game's CD-ROM and DOSBox lines in its record.
#include "import/ImportExtras.h"
#include "data/GameExtras.h"
#include "data/Strings.h"
#include "import/ImportPaths.h"

namespace {

struct Default {
    const char* section;
    const char* key;
    const char* value;
};

// DOSBox 0.74-3's defaults, as its own configuration file lists them (the
// Sound Blaster's port, IRQ and DMAs are always kept and are not here).
const Default kDefaults[] = {
    {"sdl", "fullscreen", "false"},       {"sdl", "fulldouble", "false"},
    {"sdl", "fullresolution", "original"}, {"sdl", "windowresolution", "original"},
    {"sdl", "output", "surface"},         {"sdl", "autolock", "true"},
    {"sdl", "sensitivity", "100"},        {"sdl", "waitonerror", "true"},
    {"sdl", "priority", "higher,normal"}, {"sdl", "usescancodes", "true"},
    {"dosbox", "machine", "svga_s3"},     {"dosbox", "captures", "capture"},
    {"dosbox", "memsize", "16"},          {"render", "frameskip", "0"},
    {"render", "aspect", "false"},        {"render", "scaler", "normal2x"},
    {"cpu", "core", "auto"},              {"cpu", "cputype", "auto"},
    {"cpu", "cycles", "auto"},            {"cpu", "cycleup", "10"},
    {"cpu", "cycledown", "20"},           {"mixer", "nosound", "false"},
    {"mixer", "rate", "44100"},           {"mixer", "blocksize", "1024"},
    {"mixer", "prebuffer", "25"},         {"midi", "mpu401", "intelligent"},
    {"midi", "mididevice", "default"},    {"sblaster", "sbtype", "sb16"},
    {"sblaster", "sbmixer", "true"},      {"sblaster", "oplmode", "auto"},
    {"sblaster", "oplemu", "default"},    {"sblaster", "oplrate", "44100"},
    {"gus", "gus", "false"},              {"gus", "gusrate", "44100"},
    {"gus", "gusbase", "240"},            {"gus", "gusirq", "5"},
    {"gus", "gusdma", "3"},               {"gus", "ultradir", "C:\\ULTRASND"},
    {"speaker", "pcspeaker", "true"},     {"speaker", "pcrate", "44100"},
    {"speaker", "tandy", "auto"},         {"speaker", "tandyrate", "44100"},
    {"speaker", "disney", "true"},        {"joystick", "joysticktype", "auto"},
    {"joystick", "timed", "true"},        {"joystick", "autofire", "false"},
    {"joystick", "swap34", "false"},      {"joystick", "buttonwrap", "false"},
    {"serial", "serial1", "dummy"},       {"serial", "serial2", "dummy"},
    {"serial", "serial3", "disabled"},    {"serial", "serial4", "disabled"},
    {"dos", "xms", "true"},               {"dos", "ems", "true"},
    {"dos", "umb", "true"},               {"dos", "keyboardlayout", "auto"},
    {"ipx", "ipx", "false"},
};

// "section.key=value" that says what DOSBox does anyway.
bool IsDefault(const std::string& line) {
    const size_t dot = line.find('.'), equals = line.find('=');
    if (dot == std::string::npos || equals == std::string::npos || dot > equals) return false;
    const std::string section = TrimBlanks(line.substr(0, dot));
    const std::string key = TrimBlanks(line.substr(dot + 1, equals - dot - 1));
    const std::string value = TrimBlanks(line.substr(equals + 1));
    for (const Default& d : kDefaults)
        if (EqualNoCase(section, d.section) && EqualNoCase(key, d.key)) return EqualNoCase(value, d.value);
    return false;
}

// The CD-ROM as a game keeps it: a whole CD drive of this computer, or images.
bool CdRomOf(const ImportedCdRom& imported, CdRom& cd) {
    cd = CdRom();
    std::string path;
    if (imported.kind == CdRomKind::Drive) {
        if (!WindowsPathOf(imported.drive, path) || path.size() < 2 || path[1] != ':' || path.size() > 3 ||
            (path.size() == 3 && path[2] != '\\'))
            return false;
        const char letter = static_cast<char>(path[0] & ~0x20);
        if (letter < 'A' || letter > 'Z') return false;
        cd.kind = CdRomKind::Drive;
        cd.drive = letter;
    } else if (imported.kind == CdRomKind::Images) {
        cd.kind = CdRomKind::Images;
        for (const ImportedPath& image : imported.images) {
            if (!WindowsPathOf(image, path)) return false;
            cd.images.push_back(path);
        }
    }
    return true;
}

std::string CdRomDetail(const ImportedCdRom& cd) {
    if (cd.kind == CdRomKind::Drive) return cd.drive.text;
    std::string images;
    for (const ImportedPath& image : cd.images) images += (images.empty() ? "" : ", ") + image.text;
    return images;
}

}  // namespace

std::vector<std::string> ImportedDosBoxLines(const ImportedGame& game, const std::vector<ImportNote>& notChosen) {
    std::vector<std::string> lines;
    const DosBoxValues& v = game.dosBox;
    const std::pair<const char*, const std::string*> ports[] = {
        {"sblaster.sbbase", &v.sbbase}, {"sblaster.irq", &v.irq}, {"sblaster.dma", &v.dma}, {"sblaster.hdma", &v.hdma}};
    for (const auto& [name, value] : ports)
        if (!value->empty()) lines.push_back(std::string(name) + "=" + *value);
    std::vector<std::string> rest;
    if (!v.mididevice.empty()) rest.push_back("midi.mididevice=" + v.mididevice);
    if (!v.cycles.empty()) rest.push_back("cpu.cycles=" + v.cycles);
    for (const ImportNote& note : notChosen)
        if (note.kind == ImportNoteKind::ValueNotChosen) rest.push_back(note.detail);
    rest.insert(rest.end(), game.extraLines.begin(), game.extraLines.end());
    for (const std::string& line : rest)
        if (!IsDefault(line)) lines.push_back(line);
    return lines;
}

void StoreImportedExtras(const ImportedCdRom& cdRom, const std::vector<std::string>& lines, GameRecord& record,
                         std::vector<ImportNote>& notes) {
    GameExtras extras;
    if (cdRom.kind != CdRomKind::None) {
        const bool kept =
            CdRomOf(cdRom, extras.cdRom) && WriteGameExtras(record, extras).problem == ExtrasProblem::None;
        if (!kept) {
            extras.cdRom = CdRom();
            notes.push_back({ImportNoteKind::CdRomNotKept, CdRomDetail(cdRom)});
        }
    }
    std::string noRoom;
    for (const std::string& line : lines) {
        if (CheckExtraLine(line) != ExtraLinePart::None) {
            notes.push_back({ImportNoteKind::ExtraLineRefused, line});
            continue;
        }
        // Each line that fits is written; one that does not leaves the record as it was.
        extras.extraLines.push_back(line);
        if (WriteGameExtras(record, extras).problem != ExtrasProblem::None) {
            extras.extraLines.pop_back();
            noRoom += (noRoom.empty() ? "" : ", ") + line;
        }
    }
    if (!noRoom.empty()) notes.push_back({ImportNoteKind::NoRoomForLines, noRoom});
}
