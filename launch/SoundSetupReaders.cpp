// Reading the setup files of Miles, HMI, Sierra, DMX and Apogee. Only the
// documented key names and device codes are matched; anything else stays
// unset, or names an Unknown device.
#include "launch/SoundSetupReaders.h"
#include "data/Strings.h"
#include <cctype>
#include <iterator>
#include <utility>
#include <vector>

namespace {

struct TextLine {
    int number;  // 1 for the first
    std::string text;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Trim(const std::string& s) {
    size_t begin = 0, end = s.size();
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

// The lines of |text|, trimmed, a ';' and what follows it dropped when
// |comments|.
std::vector<TextLine> Lines(const std::string& text, bool comments) {
    std::vector<TextLine> lines;
    int number = 1;
    for (size_t start = 0; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (comments && line.find(';') != std::string::npos) line.erase(line.find(';'));
        lines.push_back({number, Trim(line)});
        start = end + 1;
    }
    return lines;
}

// "KEY value": the key up to the first blank, the value after it.
void SplitAtBlank(const std::string& line, std::string& key, std::string& value) {
    size_t at = 0;
    while (at < line.size() && !IsBlank(line[at])) ++at;
    key = line.substr(0, at);
    value = Trim(line.substr(at));
}

// "key = value", or "key value" when there is no '='.
void SplitAtEquals(const std::string& line, std::string& key, std::string& value) {
    const size_t at = line.find('=');
    if (at == std::string::npos) return SplitAtBlank(line, key, value);
    key = Trim(line.substr(0, at));
    value = Trim(line.substr(at + 1));
}

std::string FirstWord(const std::string& value) {
    std::string key, rest;
    SplitAtBlank(value, key, rest);
    return key;
}

// A number as these files write it: decimal, or hexadecimal after "0x" (always
// hexadecimal when |hex|). A negative number gives -1. False for anything else,
// or a number above 0xFFFF.
bool ParseNumber(const std::string& value, bool hex, int& number) {
    const std::string word = FirstWord(value);
    size_t i = word.size() > 1 && word[0] == '-' ? 1 : 0;
    const bool negative = i == 1;
    if (word.size() > i + 2 && word[i] == '0' && (word[i + 1] == 'x' || word[i + 1] == 'X')) hex = true, i += 2;
    if (i >= word.size() || word.size() - i > 8) return false;
    long long n = 0;
    for (; i < word.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(word[i]);
        const int digit = std::isdigit(c) ? c - '0' : hex && std::isxdigit(c) ? std::tolower(c) - 'a' + 10 : -1;
        if (digit < 0) return false;
        n = n * (hex ? 16 : 10) + digit;
    }
    if (negative) n = -1;
    if (n > 0xFFFF) return false;
    number = static_cast<int>(n);
    return true;
}

// A driver file as the details bar may show it: its name without a folder, of
// plain characters, at most 12.
std::string DriverShown(const std::string& value) {
    std::string name = FirstWord(value), shown;
    const size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    for (unsigned char c : name)
        if ((std::isalnum(c) || c == '.' || c == '_' || c == '-') && shown.size() < 12) shown += static_cast<char>(c);
    return shown;
}

struct Named {
    const char* key;  // a driver file, or nullptr to end a table
    SoundCard card;
    const char* name;  // nullptr: the card's own name
};
struct Coded {
    int first, last;  // a range of codes
    SoundCard card;
    const char* name;
};

void SetDevice(SetupDevice& device, SoundCard card, const std::string& name, const std::string& file, int line) {
    device.card = card;
    device.name = name.empty() ? SoundCardName(card) : name;
    device.file = file;
    device.line = line;
}

void SetNamed(SetupDevice& device, const Named* table, const std::string& value, const std::string& file, int line) {
    const std::string driver = DriverShown(value);
    for (; table->key; ++table)
        if (EqualNoCase(driver, table->key))
            return SetDevice(device, table->card, table->name ? table->name : "", file, line);
    SetDevice(device, SoundCard::Unknown, driver.empty() ? "an unknown driver" : driver, file, line);
}

void SetCoded(SetupDevice& device, const Coded* table, size_t count, int code, const std::string& file, int line,
              const char* unknownFormat) {
    for (size_t i = 0; i < count; ++i)
        if (code >= table[i].first && code <= table[i].last)
            return SetDevice(device, table[i].card, table[i].name ? table[i].name : "", file, line);
    SetDevice(device, SoundCard::Unknown, Format(unknownFormat, code), file, line);
}

void SetValue(SetupValue& value, const std::string& text, bool hex, int line) {
    int number = -1;
    if (ParseNumber(text, hex, number)) value = {number, line};
}

bool IsBlasterKind(SoundCard card) {
    return card == SoundCard::SoundBlaster || card == SoundCard::SoundBlasterPro1 ||
           card == SoundCard::SoundBlasterPro || card == SoundCard::SoundBlaster16 || card == SoundCard::Awe32;
}

// Miles Sound System, DIG.INI and MDI.INI.
const Named kMilesSound[] = {
    {"SB16.DIG", SoundCard::SoundBlaster16, nullptr}, {"SBPRO.DIG", SoundCard::SoundBlasterPro, nullptr},
    {"SBLASTER.DIG", SoundCard::SoundBlaster, nullptr}, {"ULTRA.DIG", SoundCard::GravisUltrasound, nullptr},
    {"PROAUDIO.DIG", SoundCard::Unsupported, "Pro Audio Spectrum"},
    {"SNDSCAPE.DIG", SoundCard::Unsupported, "Ensoniq SoundScape"},
    {"RAP10.DIG", SoundCard::Unsupported, "Roland RAP-10"},
    {"ADRV688.DIG", SoundCard::Unsupported, "Covox Sound Master"}, {"NONE", SoundCard::None, nullptr},
    {nullptr, SoundCard::NotSet, nullptr},
};
const Named kMilesMusic[] = {
    {"ADLIB.MDI", SoundCard::AdLib, nullptr}, {"ADLIBG.MDI", SoundCard::Unsupported, "AdLib Gold"},
    {"OPL3.MDI", SoundCard::Opl3, nullptr}, {"SBLASTER.MDI", SoundCard::SoundBlaster, nullptr},
    {"SBPRO1.MDI", SoundCard::SoundBlasterPro1, nullptr},
    {"SBPRO2.MDI", SoundCard::SoundBlasterPro, "Sound Blaster Pro 2"}, {"SBAWE32.MDI", SoundCard::Awe32, nullptr},
    {"MPU401.MDI", SoundCard::GeneralMidi, nullptr}, {"MT32MPU.MDI", SoundCard::RolandMt32, nullptr},
    {"ULTRA.MDI", SoundCard::GravisUltrasound, nullptr}, {"PCSPKR.MDI", SoundCard::PcSpeaker, nullptr},
    {"TANDY.MDI", SoundCard::Tandy, nullptr}, {"PAS.MDI", SoundCard::Unsupported, "Pro Audio Spectrum"},
    {"PASPLUS.MDI", SoundCard::Unsupported, "Pro Audio Spectrum Plus"},
    {"SNDSCAPE.MDI", SoundCard::Unsupported, "Ensoniq SoundScape"}, {"NULL.MDI", SoundCard::None, nullptr},
    {"NONE", SoundCard::None, nullptr},
    {nullptr, SoundCard::NotSet, nullptr},
};

SoundSetup ReadMiles(const std::string& text, const std::string& file, bool music) {
    SoundSetup s;
    for (const TextLine& line : Lines(text, true)) {
        std::string key, value;
        SplitAtBlank(line.text, key, value);
        if (EqualNoCase(key, "DRIVER"))
            SetNamed(music ? s.music : s.sound, music ? kMilesMusic : kMilesSound, value, file, line.number);
        else if (EqualNoCase(key, "IO_ADDR")) SetValue(music ? s.midiPort : s.port, value, true, line.number);
        else if (music) continue;
        else if (EqualNoCase(key, "IRQ")) SetValue(s.irq, value, false, line.number);
        else if (EqualNoCase(key, "DMA_8_BIT")) SetValue(s.dma, value, false, line.number);
        else if (EqualNoCase(key, "DMA_16_BIT")) SetValue(s.highDma, value, false, line.number);
    }
    return s;
}

// HMI Sound Operating System, HMISET.CFG.
const Coded kHmiSound[] = {
    {0xE000, 0xE000, SoundCard::SoundBlaster, nullptr}, {0xE001, 0xE001, SoundCard::SoundBlasterPro, nullptr},
    {0xE00F, 0xE00F, SoundCard::SoundBlasterPro, nullptr}, {0xE015, 0xE018, SoundCard::SoundBlaster16, nullptr},
    {0xE023, 0xE026, SoundCard::GravisUltrasound, nullptr}, {0xE010, 0xE010, SoundCard::DisneySoundSource, nullptr},
    {0xE107, 0xE107, SoundCard::PcSpeaker, nullptr}, {0xE050, 0xE050, SoundCard::SoundBlaster, nullptr},
    {0xE05A, 0xE05D, SoundCard::SoundBlaster16, nullptr},
    {0xE002, 0xE002, SoundCard::Unsupported, "Covox Sound Master II"},
    {0xE003, 0xE006, SoundCard::Unsupported, "Pro Audio Spectrum"},
    {0xE007, 0xE00A, SoundCard::Unsupported, "AdLib Gold"},
    {0xE00B, 0xE00E, SoundCard::Unsupported, "Microsoft Sound System"},
    {0xE019, 0xE01C, SoundCard::Unsupported, "ESS AudioDrive"},
    {0xE01D, 0xE020, SoundCard::Unsupported, "Ensoniq SoundScape"},
    {0xE027, 0xE02A, SoundCard::Unsupported, "Gravis UltraSound MAX"},
};
const Coded kHmiMusic[] = {
    {0xA001, 0xA001, SoundCard::GeneralMidi, nullptr}, {0xA002, 0xA002, SoundCard::AdLib, nullptr},
    {0xA004, 0xA004, SoundCard::RolandMt32, nullptr}, {0xA006, 0xA006, SoundCard::PcSpeaker, nullptr},
    {0xA008, 0xA008, SoundCard::Awe32, nullptr}, {0xA009, 0xA009, SoundCard::Opl3, nullptr},
    {0xA00A, 0xA00A, SoundCard::GravisUltrasound, nullptr},
    {0xA000, 0xA000, SoundCard::Unsupported, "Covox Sound Master II"},
};

SoundSetup ReadHmi(const std::string& text, const std::string& file) {
    SoundSetup s;
    std::string section;
    for (const TextLine& line : Lines(text, true)) {
        if (!line.text.empty() && line.text[0] == '[') {
            section = Trim(line.text.substr(1, line.text.find(']') - 1));
            continue;
        }
        std::string key, value;
        SplitAtEquals(line.text, key, value);
        const bool digital = EqualNoCase(section, "DIGITAL"), midi = EqualNoCase(section, "MIDI");
        int code = 0;
        if (EqualNoCase(key, "DeviceID") && (digital || midi) && ParseNumber(value, false, code)) {
            if (digital) SetCoded(s.sound, kHmiSound, std::size(kHmiSound), code, file, line.number, "device 0x%04X");
            else SetCoded(s.music, kHmiMusic, std::size(kHmiMusic), code, file, line.number, "device 0x%04X");
        } else if (EqualNoCase(key, "DevicePort") && (digital || midi)) {
            SetValue(digital ? s.port : s.midiPort, value, false, line.number);
        } else if (EqualNoCase(key, "DeviceIRQ") && digital) {
            SetValue(s.irq, value, false, line.number);
        } else if (EqualNoCase(key, "DeviceDMA") && digital) {
            SetValue(s.dma, value, false, line.number);
        }
    }
    // One channel: a Sound Blaster's 16-bit one (4 to 7) is its high DMA.
    if (IsBlasterKind(s.sound.card) && s.dma.value >= 4) std::swap(s.dma, s.highDma);
    return s;
}

// Sierra's SCI games, RESOURCE.CFG: soundDrv is the music driver, audioDrv
// the digital one.
const Named kSierraMusic[] = {
    {"ADL.DRV", SoundCard::AdLib, nullptr}, {"MT32.DRV", SoundCard::RolandMt32, nullptr},
    {"GENMIDI.DRV", SoundCard::GeneralMidi, nullptr}, {"SNDBLAST.DRV", SoundCard::SoundBlaster, nullptr},
    {"SBPRO.DRV", SoundCard::SoundBlasterPro, nullptr}, {"STD.DRV", SoundCard::PcSpeaker, nullptr},
    {"TANDY.DRV", SoundCard::Tandy, nullptr}, {"PROAUDIO.DRV", SoundCard::Unsupported, "Pro Audio Spectrum"},
    {"IBMPS1.DRV", SoundCard::Unsupported, "IBM PS/1 Audio"},
    {nullptr, SoundCard::NotSet, nullptr},
};
const Named kSierraSound[] = {
    {"AUDBLAST.DRV", SoundCard::SoundBlaster, nullptr}, {"AUDTANDY.DRV", SoundCard::Tandy, nullptr},
    {"AUDPRO.DRV", SoundCard::Unsupported, "Pro Audio Spectrum"},
    {"AUDPS1.DRV", SoundCard::Unsupported, "IBM PS/1 Audio"},
    {nullptr, SoundCard::NotSet, nullptr},
};

SoundSetup ReadSierra(const std::string& text, const std::string& file) {
    SoundSetup s;
    for (const TextLine& line : Lines(text, false)) {
        std::string key, value;
        SplitAtEquals(line.text, key, value);
        if (EqualNoCase(key, "soundDrv")) SetNamed(s.music, kSierraMusic, value, file, line.number);
        else if (EqualNoCase(key, "audioDrv")) SetNamed(s.sound, kSierraSound, value, file, line.number);
    }
    return s;
}

// id Software's DMX games: the card numbers of their setup program.
const Coded kDmxSound[] = {
    {0, 0, SoundCard::None, nullptr}, {1, 1, SoundCard::PcSpeaker, nullptr},
    {2, 2, SoundCard::AdLib, nullptr}, {3, 3, SoundCard::SoundBlaster, nullptr},
    {4, 4, SoundCard::Unsupported, "Pro Audio Spectrum"}, {5, 5, SoundCard::GravisUltrasound, nullptr},
    {9, 9, SoundCard::Awe32, nullptr}, {10, 10, SoundCard::Unsupported, "Ensoniq SoundScape"},
};
const Coded kDmxMusic[] = {
    {0, 0, SoundCard::None, nullptr}, {1, 1, SoundCard::PcSpeaker, nullptr},
    {2, 2, SoundCard::AdLib, nullptr}, {3, 3, SoundCard::SoundBlaster, nullptr},
    {4, 4, SoundCard::Unsupported, "Pro Audio Spectrum"}, {5, 5, SoundCard::GravisUltrasound, nullptr},
    {6, 6, SoundCard::GeneralMidi, "WaveBlaster"}, {7, 7, SoundCard::GeneralMidi, "Sound Canvas"},
    {8, 8, SoundCard::GeneralMidi, nullptr}, {9, 9, SoundCard::Awe32, nullptr},
    {10, 10, SoundCard::Unsupported, "Ensoniq SoundScape"},
};

SoundSetup ReadDmx(const std::string& text, const std::string& file) {
    SoundSetup s;
    SetupValue port, irq, dma;
    for (const TextLine& line : Lines(text, false)) {
        std::string key, value;
        SplitAtBlank(line.text, key, value);
        int code = 0;
        if (EqualNoCase(key, "snd_sfxdevice") && ParseNumber(value, false, code))
            SetCoded(s.sound, kDmxSound, std::size(kDmxSound), code, file, line.number, "device %d");
        else if (EqualNoCase(key, "snd_musicdevice") && ParseNumber(value, false, code))
            SetCoded(s.music, kDmxMusic, std::size(kDmxMusic), code, file, line.number, "device %d");
        else if (EqualNoCase(key, "snd_sbport")) SetValue(port, value, false, line.number);
        else if (EqualNoCase(key, "snd_sbirq")) SetValue(irq, value, false, line.number);
        else if (EqualNoCase(key, "snd_sbdma")) SetValue(dma, value, false, line.number);
        else if (EqualNoCase(key, "snd_mport")) SetValue(s.midiPort, value, false, line.number);
    }
    // The snd_sb values are the Sound Blaster's, and the MIDI port an MPU-401's.
    if (IsBlasterKind(s.sound.card)) s.port = port, s.irq = irq, s.dma = dma;
    if (s.music.card != SoundCard::GeneralMidi) s.midiPort = {};
    return s;
}

// Apogee Sound System (and the Build engine's games): the [Sound Setup] of a
// .CFG file, with the card numbers of its soundcardnames.
const Coded kApogeeCards[] = {
    {-1, -1, SoundCard::None, nullptr}, {1, 1, SoundCard::Unsupported, "Pro Audio Spectrum"},
    {2, 2, SoundCard::Unsupported, "Logitech SoundMan 16"}, {3, 3, SoundCard::AdLib, nullptr},
    {4, 4, SoundCard::GeneralMidi, nullptr}, {5, 5, SoundCard::GeneralMidi, "Sound Canvas"},
    {6, 6, SoundCard::Awe32, nullptr}, {7, 7, SoundCard::GeneralMidi, "WaveBlaster"},
    {8, 8, SoundCard::Unsupported, "Ensoniq SoundScape"}, {9, 9, SoundCard::GravisUltrasound, nullptr},
    {10, 10, SoundCard::DisneySoundSource, nullptr}, {11, 11, SoundCard::Unsupported, "Tandy Sound Source"},
    {12, 12, SoundCard::PcSpeaker, nullptr}, {13, 13, SoundCard::None, nullptr},
};

// Card 0, a Sound Blaster, as its BlasterType tells: 1 and 3 the first
// cards, 2 the old Pro, 4 the new Pro, 6 the 16.
SoundCard BlasterOfType(int type) {
    return type == 2 ? SoundCard::SoundBlasterPro1
           : type == 4 ? SoundCard::SoundBlasterPro
           : type == 6 ? SoundCard::SoundBlaster16
                       : SoundCard::SoundBlaster;
}

SoundSetup ReadApogee(const std::string& text, const std::string& file) {
    SoundSetup s;
    bool inSection = false;
    int fx = 0, fxLine = 0, music = 0, musicLine = 0;
    SetupValue type;
    for (const TextLine& line : Lines(text, true)) {
        if (!line.text.empty() && line.text[0] == '[') {
            inSection = EqualNoCase(Trim(line.text.substr(1, line.text.find(']') - 1)), "Sound Setup");
            continue;
        }
        std::string key, value;
        SplitAtEquals(line.text, key, value);
        if (!inSection) continue;
        if (EqualNoCase(key, "FXDevice") && ParseNumber(value, false, fx)) fxLine = line.number;
        else if (EqualNoCase(key, "MusicDevice") && ParseNumber(value, false, music)) musicLine = line.number;
        else if (EqualNoCase(key, "BlasterType")) SetValue(type, value, false, line.number);
        else if (EqualNoCase(key, "BlasterAddress")) SetValue(s.port, value, false, line.number);
        else if (EqualNoCase(key, "BlasterInterrupt")) SetValue(s.irq, value, false, line.number);
        else if (EqualNoCase(key, "BlasterDma8")) SetValue(s.dma, value, false, line.number);
        else if (EqualNoCase(key, "BlasterDma16")) SetValue(s.highDma, value, false, line.number);
        else if (EqualNoCase(key, "MidiPort")) SetValue(s.midiPort, value, false, line.number);
    }
    if (fxLine) {
        if (fx == 0) SetDevice(s.sound, BlasterOfType(type.value), "", file, fxLine);
        else if (fx >= 4 && fx <= 7 && fx != 6)  // a MIDI card plays no sound effects
            SetDevice(s.sound, SoundCard::Unknown, Format("device %d", fx), file, fxLine);
        else SetCoded(s.sound, kApogeeCards, std::size(kApogeeCards), fx, file, fxLine, "device %d");
    }
    if (musicLine) {
        if (music == 0) SetDevice(s.music, BlasterOfType(type.value), "", file, musicLine);
        else SetCoded(s.music, kApogeeCards, std::size(kApogeeCards), music, file, musicLine, "device %d");
    }
    if (!IsBlasterKind(s.sound.card)) s.port = s.irq = s.dma = s.highDma = {};
    if (s.music.card != SoundCard::GeneralMidi) s.midiPort = {};
    return s;
}

}  // namespace

const char* SoundCardName(SoundCard card) {
    switch (card) {
        case SoundCard::None: return "none";
        case SoundCard::PcSpeaker: return "PC speaker";
        case SoundCard::Tandy: return "Tandy";
        case SoundCard::DisneySoundSource: return "Disney Sound Source";
        case SoundCard::AdLib: return "AdLib";
        case SoundCard::Opl3: return "OPL3 FM";
        case SoundCard::SoundBlaster: return "Sound Blaster";
        case SoundCard::SoundBlasterPro1: return "Sound Blaster Pro 1";
        case SoundCard::SoundBlasterPro: return "Sound Blaster Pro";
        case SoundCard::SoundBlaster16: return "Sound Blaster 16";
        case SoundCard::Awe32: return "Sound Blaster AWE32";
        case SoundCard::GravisUltrasound: return "Gravis UltraSound";
        case SoundCard::GeneralMidi: return "General MIDI";
        case SoundCard::RolandMt32: return "Roland MT-32";
        default: return "";
    }
}

SoundSetup ReadSetupText(SetupFormat format, const std::string& text, const std::string& file) {
    switch (format) {
        case SetupFormat::MilesSound: return ReadMiles(text, file, false);
        case SetupFormat::MilesMusic: return ReadMiles(text, file, true);
        case SetupFormat::Hmi: return ReadHmi(text, file);
        case SetupFormat::Sierra: return ReadSierra(text, file);
        case SetupFormat::Dmx: return ReadDmx(text, file);
        case SetupFormat::Apogee: return ReadApogee(text, file);
    }
    return {};
}
