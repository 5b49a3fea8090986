// The game's own sound setup laid over DOSBox's hardware, and its mismatches.
#include "launch/SoundSetupDosBox.h"
#include "data/Strings.h"
#include "launch/ParameterLine.h"
#include <iterator>

namespace {

// What DOSBox 0.74 offers for sbbase and gusbase, irq and gusirq, dma, hdma and
// gusdma; its MPU-401 answers at 330 only.
const int kPorts[] = {0x220, 0x240, 0x260, 0x280, 0x2A0, 0x2C0, 0x2E0, 0x300};
const int kIrqs[] = {3, 5, 7, 9, 10, 11, 12};
const int kDmas[] = {0, 1, 3, 5, 6, 7};
constexpr int kMidiPort = 0x330;

template <size_t N>
bool Offers(const int (&values)[N], int value) {
    for (int v : values)
        if (v == value) return true;
    return false;
}

// The value as DOSBox writes it, or empty when it is not set or not offered.
template <size_t N>
std::string Setting(const int (&values)[N], const SetupValue& value, const char* format) {
    return value.value >= 0 && Offers(values, value.value) ? Format(format, value.value) : std::string();
}

bool IsBlaster(SoundCard card) {
    return card == SoundCard::SoundBlaster || card == SoundCard::SoundBlasterPro1 ||
           card == SoundCard::SoundBlasterPro || card == SoundCard::SoundBlaster16 || card == SoundCard::Awe32;
}
bool IsMidi(SoundCard card) { return card == SoundCard::GeneralMidi || card == SoundCard::RolandMt32; }

// True for a device that DOSBox emulates as a sound (or a music) device.
bool Emulated(SoundCard card, bool music) {
    switch (card) {
        case SoundCard::None:
        case SoundCard::PcSpeaker:
        case SoundCard::Tandy:
        case SoundCard::DisneySoundSource:
        case SoundCard::AdLib:
        case SoundCard::Opl3:
        case SoundCard::SoundBlaster:
        case SoundCard::SoundBlasterPro1:
        case SoundCard::SoundBlasterPro:
        case SoundCard::SoundBlaster16:
        case SoundCard::GravisUltrasound: return true;
        case SoundCard::Awe32: return !music;
        case SoundCard::GeneralMidi:
        case SoundCard::RolandMt32: return music;
        default: return false;
    }
}

// The Gravis has one DMA channel: an 8-bit one, or else a 16-bit one.
const SetupValue& GusDma(const SoundSetup& s) { return s.dma.value >= 0 ? s.dma : s.highDma; }

void ApplyFlag(SoundCard card, DosBoxHardware& hw) {
    if (card == SoundCard::GravisUltrasound) hw.gus = true;
    if (card == SoundCard::DisneySoundSource) hw.disney = true;
    if (card == SoundCard::Tandy) hw.tandy = true;
    if (card == SoundCard::PcSpeaker) hw.pcspeaker = true;
}

void ApplySound(const SoundSetup& s, DosBoxHardware& hw) {
    switch (s.sound.card) {
        case SoundCard::None: hw.sbtype = "none"; break;
        case SoundCard::SoundBlaster: hw.sbtype = "sb2"; break;
        case SoundCard::SoundBlasterPro1: hw.sbtype = "sbpro1"; break;
        case SoundCard::SoundBlasterPro: hw.sbtype = "sbpro2"; break;
        case SoundCard::SoundBlaster16:
        case SoundCard::Awe32: hw.sbtype = "sb16"; break;
        case SoundCard::AdLib: hw.oplmode = "opl2"; break;
        case SoundCard::Opl3: hw.oplmode = "opl3"; break;
        default: ApplyFlag(s.sound.card, hw); break;
    }
    if (IsBlaster(s.sound.card)) {
        hw.blaster.base = Setting(kPorts, s.port, "%x");
        hw.blaster.irq = Setting(kIrqs, s.irq, "%d");
        hw.blaster.dma = Setting(kDmas, s.dma, "%d");
        hw.blaster.hdma = Setting(kDmas, s.highDma, "%d");
    } else if (s.sound.card == SoundCard::GravisUltrasound) {
        hw.gusbase = Setting(kPorts, s.port, "%x");
        hw.gusirq = Setting(kIrqs, s.irq, "%d");
        hw.gusdma = Setting(kDmas, GusDma(s), "%d");
    }
}

void ApplyMusic(const SoundSetup& s, DosBoxHardware& hw) {
    switch (s.music.card) {
        case SoundCard::None: hw.mpu401 = "none"; break;
        case SoundCard::AdLib:
        case SoundCard::SoundBlaster: hw.oplmode = "opl2"; break;
        case SoundCard::SoundBlasterPro1: hw.oplmode = "dualopl2"; break;
        case SoundCard::SoundBlasterPro:
        case SoundCard::SoundBlaster16:
        case SoundCard::Opl3: hw.oplmode = "opl3"; break;
        case SoundCard::GeneralMidi: hw.mpu401 = "intelligent", hw.midi = "gm"; break;
        case SoundCard::RolandMt32: hw.mpu401 = "intelligent", hw.midi = "mt32"; break;
        default: ApplyFlag(s.music.card, hw); break;
    }
}

// The kinds of device that a parameter set and a setup file may disagree on.
enum class Kind { Unknown, None, Blaster, Gravis, Fm, Midi, Disney, Tandy, Speaker };

Kind KindOf(const DosBoxHardware& hw) {
    if (hw.sbtype == "none" || hw.mpu401 == "none") return Kind::None;
    if (!hw.sbtype.empty()) return Kind::Blaster;
    if (hw.gus) return Kind::Gravis;
    if (!hw.mpu401.empty()) return Kind::Midi;
    if (!hw.oplmode.empty()) return Kind::Fm;
    return hw.disney ? Kind::Disney : hw.tandy ? Kind::Tandy : hw.pcspeaker ? Kind::Speaker : Kind::Unknown;
}

Kind KindOf(SoundCard card, bool music) {
    if (!Emulated(card, music)) return Kind::Unknown;
    if (card == SoundCard::AdLib || card == SoundCard::Opl3 || (music && IsBlaster(card))) return Kind::Fm;
    switch (card) {
        case SoundCard::None: return Kind::None;
        case SoundCard::GravisUltrasound: return Kind::Gravis;
        case SoundCard::DisneySoundSource: return Kind::Disney;
        case SoundCard::Tandy: return Kind::Tandy;
        case SoundCard::PcSpeaker: return Kind::Speaker;
        default: return IsMidi(card) ? Kind::Midi : Kind::Blaster;
    }
}

// The selected parameter set's device name, with control characters blanked.
std::string SelectedName(const GameRecord& game, bool music) {
    const int32_t i = music ? game.selectedMusic : game.selectedSound;
    if (i < 0 || i >= static_cast<int32_t>(kDeviceSlots)) return {};
    std::string name = FieldText(music ? game.musicNames[i] : game.soundNames[i]);
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 32 || c == 127) c = ' ';
    return name;
}

const char* const kNotOffered = ", which DOSBox does not offer: choose another in the game's setup program.";

// A port, IRQ or DMA of the sound device that DOSBox does not offer, or empty.
std::string SettingNotOffered(const SoundSetup& s) {
    const SetupDevice& d = s.sound;
    const bool gus = d.card == SoundCard::GravisUltrasound;
    if (!IsBlaster(d.card) && !gus) return {};
    const char* file = d.file.c_str();
    const char* name = d.name.c_str();
    if (s.port.value >= 0 && !Offers(kPorts, s.port.value))
        return Format("%s chose port %X for the %s%s", file, s.port.value, name, kNotOffered);
    if (s.irq.value >= 0 && !Offers(kIrqs, s.irq.value))
        return Format("%s chose IRQ %d for the %s%s", file, s.irq.value, name, kNotOffered);
    const SetupValue& dma = gus ? GusDma(s) : s.dma;
    if (dma.value >= 0 && !Offers(kDmas, dma.value))
        return Format("%s chose DMA %d for the %s%s", file, dma.value, name, kNotOffered);
    if (!gus && s.highDma.value >= 0 && !Offers(kDmas, s.highDma.value))
        return Format("%s chose high DMA %d for the %s%s", file, s.highDma.value, name, kNotOffered);
    return {};
}

}  // namespace

DosBoxHardware HardwareOf(const GameRecord& game, const SoundSetup& setup) {
    GameRecord words = game;
    const bool sound = Emulated(setup.sound.card, false), music = Emulated(setup.music.card, true);
    if (sound) words.selectedSound = -1;
    if (music) words.selectedMusic = -1;
    DosBoxHardware hw = HardwareOf(words);
    if (sound) ApplySound(setup, hw);
    if (music) ApplyMusic(setup, hw);
    return hw;
}

std::string SoundSetupMismatch(const GameRecord& game, const SoundSetup& setup) {
    for (const bool music : {false, true}) {
        const SetupDevice& d = music ? setup.music : setup.sound;
        if (d.card == SoundCard::Unsupported || (d.card == SoundCard::Awe32 && music))
            return Format("%s chose %s%s%s", d.file.c_str(), d.name.c_str(), music ? " for the music" : "",
                          kNotOffered);
    }
    std::string line = SettingNotOffered(setup);
    if (!line.empty()) return line;
    if (IsMidi(setup.music.card) && setup.midiPort.value >= 0 && setup.midiPort.value != kMidiPort)
        return Format("%s chose MIDI port %X%s", setup.music.file.c_str(), setup.midiPort.value, kNotOffered);
    if (!UsesParameterSets(game)) return {};
    for (const bool music : {false, true}) {
        const SetupDevice& d = music ? setup.music : setup.sound;
        GameRecord selected = game;
        (music ? selected.selectedSound : selected.selectedMusic) = -1;
        const Kind words = KindOf(HardwareOf(selected)), files = KindOf(d.card, music);
        if (words != Kind::Unknown && files != Kind::Unknown && words != files)
            return Format("%s chose %s, but the selected %s device is \"%s\": the game starts with what %s chose.",
                          d.file.c_str(), d.card != SoundCard::None ? d.name.c_str() : music ? "no music" : "no sound",
                          music ? "music" : "sound", SelectedName(game, music).c_str(), d.file.c_str());
    }
    return {};
}
