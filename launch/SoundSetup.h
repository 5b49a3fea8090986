// What a DOS game's own setup program chose for its sound, read from the files
// that the sound libraries of the time keep in the game's folder: Miles'
// DIG.INI and MDI.INI, HMI's HMISET.CFG, Sierra's RESOURCE.CFG, the DEFAULT.CFG
// (HERETIC.CFG, HEXEN.CFG) of id's DMX games, and the [Sound Setup] of the .CFG
// files of Apogee's and the Build engine's games. Window-free; the game's
// folder is only read, never written.
#pragma once
#include <string>

// The devices those files name, as far as DOSBox is concerned.
enum class SoundCard {
    NotSet,  // no file names a device
    None,    // the game chose no sound (or no music)
    PcSpeaker,
    Tandy,
    DisneySoundSource,
    AdLib,
    Opl3,  // FM music on an OPL3 of whatever card
    SoundBlaster,
    SoundBlasterPro1,  // the first Pro: two OPL2 chips
    SoundBlasterPro,   // a Pro, or the Pro 2 (one OPL3)
    SoundBlaster16,
    Awe32,  // a Sound Blaster 16 for sound; its wavetable music DOSBox lacks
    GravisUltrasound,
    GeneralMidi,  // an MPU-401 with a General MIDI synthesiser (Sound Canvas, WaveBlaster)
    RolandMt32,   // an MPU-401 with an MT-32: its music is not General MIDI
    Unsupported,  // a documented device that DOSBox does not emulate
    Unknown,      // a code or driver that no documentation names
};

// A device as one file names it.
struct SetupDevice {
    SoundCard card = SoundCard::NotSet;
    std::string name;  // as the player reads it: "Sound Blaster 16", "Pro Audio Spectrum", "device 0xE0FF"
    std::string file;  // relative to the game's folder: "DIG.INI", "SOUND\DIG.INI"
    int line = 0;      // of the device's key, 1 for the first line
};

// A number from the same file as its device.
struct SetupValue {
    int value = -1;  // -1: not set (Miles' -1, "take it from BLASTER", included)
    int line = 0;
};

struct SoundSetup {
    SetupDevice sound;                   // digital sound: effects and speech
    SetupValue port, irq, dma, highDma;  // of the sound device
    SetupDevice music;                   // music
    SetupValue midiPort;                 // of the music device
    bool Found() const { return sound.card != SoundCard::NotSet || music.card != SoundCard::NotSet; }
};

// The sound setup of the game in |gameFolder|. The game's own folder is read
// before its subfolders (one level, in name order, a bounded number); within a
// folder the files are taken in this order: DIG.INI, MDI.INI, HMISET.CFG,
// RESOURCE.CFG, DEFAULT.CFG, HERETIC.CFG, HEXEN.CFG, then other .CFG files with
// a [Sound Setup] section in name order. The sound device, with its port, IRQ
// and DMAs, comes from the first of them that names one; the music device,
// with its MIDI port, likewise (so DIG.INI gives the sound and MDI.INI the
// music). Each file is read up to its first 32 KiB; device names are never
// opened; at most 4096 folder entries are looked at in all (a file past them,
// in a folder of thousands, is not found).
SoundSetup FindSoundSetup(const std::string& gameFolder);

// One line for the details bar: "DIG.INI: Sound Blaster 16, 220, IRQ 5, DMA 1;
// MDI.INI: music General MIDI, 330", or "not found".
std::string SoundSetupText(const SoundSetup& setup);
