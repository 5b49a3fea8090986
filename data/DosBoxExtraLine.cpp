// The rule for a player's own DOSBox setting line.
#include "data/DosBoxExtraLine.h"
#include "data/NameRules.h"
#include "data/Strings.h"

namespace {

// Every flavour's sections, then DOSBox-X's own and DOSBox Staging's own that
// change only the emulated machine or its sound.
const char* const kSections[] = {"sdl", "dosbox",  "render",   "cpu",    "mixer",     "midi", "sblaster",
                                 "gus", "speaker", "joystick", "serial", "dos",       "ipx",  "video",
                                 "pci", "voodoo",  "mouse",    "mt32",   "fluidsynth"};

bool IsPlainCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsPlainKey(const std::string& key) {
    if (key.empty() || key.front() == '.' || key.back() == '.') return false;
    for (char c : key)
        if (!IsPlainCharacter(c) && c != '.') return false;
    return true;
}

}  // namespace

ExtraLinePart CheckExtraLine(const std::string& line, ExtraLine* parsed) {
    const size_t equals = line.find('=');
    const size_t dot = line.find('.');
    if (equals == std::string::npos || dot == std::string::npos || dot > equals) return ExtraLinePart::Form;
    const std::string section = Trimmed(line.substr(0, dot));
    const std::string key = Trimmed(line.substr(dot + 1, equals - dot - 1));
    const std::string value = Trimmed(line.substr(equals + 1));
    bool known = false;
    for (const char* s : kSections) known = known || EqualNoCase(section, s);
    for (char c : section) known = known && IsPlainCharacter(c);
    if (!known) return ExtraLinePart::Section;
    if (!IsPlainKey(key)) return ExtraLinePart::Key;
    if (HasControlCharacter(value) || value.find_first_of("[]#%") != std::string::npos) return ExtraLinePart::Value;
    if (parsed) {
        parsed->section.clear();
        for (char c : section) parsed->section += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        parsed->key = key;
        parsed->value = value;
    }
    return ExtraLinePart::None;
}
