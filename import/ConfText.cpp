// Reading configuration text and its DOSBox settings.
#include "import/ConfText.h"
#include "data/Strings.h"
#include "import/ImportPaths.h"

namespace {

struct MappedKey {
    const char* section;
    const char* key;
    std::string DosBoxValues::*value;
};

const MappedKey kMappedKeys[] = {
    {"sblaster", "sbtype", &DosBoxValues::sbtype}, {"sblaster", "sbbase", &DosBoxValues::sbbase},
    {"sblaster", "irq", &DosBoxValues::irq},       {"sblaster", "dma", &DosBoxValues::dma},
    {"sblaster", "hdma", &DosBoxValues::hdma},     {"gus", "gus", &DosBoxValues::gus},
    {"midi", "mpu401", &DosBoxValues::mpu401},     {"midi", "mididevice", &DosBoxValues::mididevice},
    {"midi", "device", &DosBoxValues::mididevice}, {"dosbox", "machine", &DosBoxValues::machine},
    {"cpu", "cycles", &DosBoxValues::cycles},
};

bool IsDFendOwn(const ConfSetting& s) {
    return EqualNoCase(s.section.substr(0, 5), "Extra") || EqualNoCase(s.section, "ScummVM") ||
           (EqualNoCase(s.section, "dosbox") && EqualNoCase(s.key, "captures"));
}

}  // namespace

std::string ConfText::Get(const std::string& section, const std::string& key) const {
    for (size_t i = settings.size(); i-- > 0;)
        if (EqualNoCase(settings[i].section, section) && EqualNoCase(settings[i].key, key)) return settings[i].value;
    return {};
}

ConfText ParseConfText(const std::string& text) {
    ConfText conf;
    std::string section;
    bool autoexec = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string raw = text.substr(start, end - start);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        const std::string line = TrimBlanks(raw);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = TrimBlanks(line.substr(1, line.size() - 2));
            autoexec = EqualNoCase(section, "autoexec");
            continue;
        }
        if (autoexec) {
            conf.autoexec.push_back(raw);
            continue;
        }
        const size_t equals = line.find('=');
        if (section.empty() || line.empty() || line[0] == '#' || line[0] == ';' || equals == std::string::npos)
            continue;
        const std::string key = TrimBlanks(line.substr(0, equals));
        if (!key.empty()) conf.settings.push_back({section, key, TrimBlanks(line.substr(equals + 1))});
    }
    return conf;
}

void TakeDosBoxSettings(const ConfText& conf, bool dFendProfile, ImportedGame& game) {
    for (const ConfSetting& s : conf.settings) {
        if (dFendProfile && IsDFendOwn(s)) continue;
        bool mapped = false;
        for (const MappedKey& m : kMappedKeys) {
            if (EqualNoCase(s.section, m.section) && EqualNoCase(s.key, m.key)) {
                game.dosBox.*m.value = s.value;
                mapped = true;
            }
        }
        if (!mapped && !s.value.empty()) game.extraLines.push_back(LowerCase(s.section) + "." + s.key + "=" + s.value);
    }
}
