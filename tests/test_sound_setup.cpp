// The game's own sound setup files: each reader, their order, bounded reading, and what DOSBox makes of them.
#include "DialogProbe.h"
#include "launch/SoundSetupDosBox.h"
#include "launch/SoundSetupReaders.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

using Files = std::vector<std::pair<std::string, std::string>>;

// What FindSoundSetup finds in a folder holding these files ("SUB\\NAME" makes the subfolder).
SoundSetup FoundIn(const Files& files) {
    TempFolder temp("sound");
    for (const auto& [name, text] : files) {
        for (size_t at = name.find('\\'); at != std::string::npos; at = name.find('\\', at + 1))
            CreateDirectoryA((temp.path + "\\" + name.substr(0, at)).c_str(), nullptr);
        WriteFileText(temp.path + "\\" + name, text);
    }
    return FindSoundSetup(temp.path + "\\");
}
std::string TextIn(const Files& files) { return SoundSetupText(FoundIn(files)); }

// The sources of the key names and codes:
// - Miles: the AIL 3 driver files (SB16.DIG, SBPRO.DIG, ULTRA.DIG, MPU401.MDI, MT32MPU.MDI, ...) as the Miles
//   driver list names them, and "KEY value" lines with IO_ADDR in hexadecimal and -1 for "ask BLASTER", as
//   AIL_read_INI takes them.
// - HMI: the device IDs of HMI's sos.h and sosm.h, and the [DIGITAL] and [MIDI] keys that the released Witchaven
//   source reads from HMISET.CFG ("0x" for hexadecimal).
// - DMX: the snd_* keys of the released Doom, Heretic and Hexen sources (m_misc.c; Hexen writes -1 for unset) and
//   the card numbers of their cardenum_t (6 to 8 are the MPU-401 setups: WaveBlaster, Sound Canvas, General MIDI).
// - Apogee and Build: the [Sound Setup] keys of the released Duke Nukem 3D source (CONFIG.C), the soundcardnames
//   of Apogee's SNDCARDS.H (13 is NumSoundCards: none) and the fx_BLASTER_Types of FX_MAN.H.
// - Sierra: the soundDrv and audioDrv keys of SCI's RESOURCE.CFG and its driver files (ADL.DRV, MT32.DRV,
//   GENMIDI.DRV, SNDBLAST.DRV, STD.DRV, TANDY.DRV, AUDBLAST.DRV, ...).
TEST(SoundSetup, EachFormatAsItsDocumentationLaysItOut) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"DIG.INI",
         "; DIG.INI\r\nDEVICE Creative Labs Sound Blaster 16\r\ndriver sb16.dig\r\nIO_ADDR 220; hex\r\n"
         "IRQ 5\r\nDMA_8_bit 1\r\nDMA_16_BIT 5\r\n",
         "DIG.INI: Sound Blaster 16, 220, IRQ 5, DMA 1, high DMA 5"},
        {"dig.ini", "DRIVER\tSBPRO.DIG\nIO_ADDR\t-1\nIRQ\t-1\nDMA_8_bit\t-1\n", "DIG.INI: Sound Blaster Pro"},
        {"DIG.INI", "DRIVER C:\\GAME\\SOUND\\FOO.DIG\nIO_ADDR 2a0\nIRQ x7\n", "DIG.INI: FOO.DIG, 2A0"},
        {"DIG.INI", "DRIVER None", "DIG.INI: no sound"},
        {"DIG.INI", "IO_ADDR 220\nIRQ 5\n; DRIVER SB16.DIG\n", "not found"},
        {"MDI.INI", "DRIVER MT32MPU.MDI\nIO_ADDR 330\nIRQ 9\n", "MDI.INI: music Roland MT-32, 330"},
        {"HMISET.CFG",
         "[DIGITAL]\r\nDeviceName=Gravis UltraSound\r\nDeviceID=0xe024\r\nDevicePort=0x260\r\nDeviceDMA=7\r\n"
         "DeviceIRQ=11\r\n[MIDI]\r\nDeviceID=0xA001\r\nDevicePort=0x330\r\n",
         "HMISET.CFG: Gravis UltraSound, 260, IRQ 11, DMA 7; music General MIDI, 330"},
        {"hmiset.cfg", "[digital]\nDeviceDMA = 5\nDeviceID = 57368\nDevicePort = 544\nDeviceIRQ = 7\n",
         "HMISET.CFG: Sound Blaster 16, 220, IRQ 7, high DMA 5"},
        {"HMISET.CFG", "DeviceID=0xE016\n[MIDI]\nDeviceID=0xa0ff\n[DIGITAL]\nDeviceID=0xE003\n",
         "HMISET.CFG: Pro Audio Spectrum; music device 0xA0FF"},
        {"DEFAULT.CFG",
         "mouse_sensitivity\t\t5\nsnd_musicdevice\t\t8\nsnd_sfxdevice\t\t3\nsnd_sbport\t\t544\n"
         "snd_sbirq\t\t7\nsnd_sbdma\t\t1\nsnd_mport\t\t816\n",
         "DEFAULT.CFG: Sound Blaster, 220, IRQ 7, DMA 1; music General MIDI, 330"},
        {"HEXEN.CFG", "snd_sfxdevice 5\nSND_MUSICDEVICE 7\nsnd_sbport 0x220\nsnd_sbirq -1\nsnd_mport -1\n",
         "HEXEN.CFG: Gravis UltraSound; music Sound Canvas"},
        {"HERETIC.CFG", "snd_sfxdevice 0\nsnd_musicdevice 2\nsnd_mport 816\n", "HERETIC.CFG: no sound; music AdLib"},
        {"DEFAULT.CFG", "key_right 77\n", "not found"},
        {"DUKE3D.CFG",
         "[Setup]\r\nSetupVersion = \"1.3D\"\r\n[Sound Setup]\r\nFXDevice = 0\r\nMusicDevice = 4\r\n"
         "MidiPort = 0x330\r\nBlasterAddress = 0x220\r\nBlasterType = 6\r\nBlasterInterrupt = 5\r\n"
         "BlasterDma8 = 1\r\nBlasterDma16 = 5\r\n",
         "DUKE3D.CFG: Sound Blaster 16, 220, IRQ 5, DMA 1, high DMA 5; music General MIDI, 330"},
        {"rott.cfg", "[sound setup]\nfxdevice = 0\nBlasterType = 2\nMusicDevice = 0\nBlasterAddress = 544\n",
         "rott.cfg: Sound Blaster Pro 1, 220; music Sound Blaster Pro 1"},
        {"BLOOD.CFG", "[Sound Setup]\nFXDevice = 9\nMusicDevice = -1\nBlasterAddress = 0x220\nMidiPort = 0x330\n",
         "BLOOD.CFG: Gravis UltraSound; no music"},
        {"X.CFG", "[Sound Setup]\nFXDevice = 7\nMusicDevice = 7\n", "X.CFG: device 7; music WaveBlaster"},
        {"GAME.CFG", "[Screen Setup]\nFXDevice = 9\n", "not found"},
        {"RESOURCE.CFG", "videoDrv = VGA320.DRV\r\nsoundDrv = MT32.DRV\r\naudioDrv = AUDBLAST.DRV\r\njoyDrv = NO\r\n",
         "RESOURCE.CFG: Sound Blaster; music Roland MT-32"},
        {"resource.cfg", "SOUNDDRV=genmidi.drv\naudiodrv\tAUDPRO.DRV\n",
         "RESOURCE.CFG: Pro Audio Spectrum; music General MIDI"},
    };
    for (const auto& [file, text, found] : rows) EXPECT_EQ(TextIn({{file, text}}), found) << file << ": " << text;
}

TEST(SoundSetup, FilesInTheirOrderEachPartFromTheFirstThatNamesIt) {
    const std::string dig = "DRIVER SBPRO.DIG\n", mdi = "DRIVER ADLIB.MDI\n", hmi = "[MIDI]\nDeviceID=0xA004\n";
    const std::pair<Files, const char*> rows[] = {
        {{{"DIG.INI", dig}, {"SOUND\\HMISET.CFG", hmi}},
         "DIG.INI: Sound Blaster Pro; SOUND\\HMISET.CFG: music Roland MT-32"},
        {{{"MDI.INI", mdi}, {"HMISET.CFG", hmi}, {"DEFAULT.CFG", "snd_sfxdevice 5\nsnd_musicdevice 8"}},
         "DEFAULT.CFG: Gravis UltraSound; MDI.INI: music AdLib"},
        {{{"B\\DIG.INI", dig}, {"A\\RESOURCE.CFG", "audioDrv = AUDBLAST.DRV"}}, "A\\RESOURCE.CFG: Sound Blaster"},
        {{{"Z.CFG", "[Sound Setup]\nFXDevice = 12"}, {"B.CFG", "[Sound Setup]\nFXDevice = 10"}, {"A.CFG", "[Setup]"}},
         "B.CFG: Disney Sound Source"},
        {{{"SUB\\X.CFG", "[Sound Setup]\nMusicDevice = 3"}, {"DEFAULT.CFG", "snd_sfxdevice 1"}},
         "DEFAULT.CFG: PC speaker; SUB\\X.CFG: music AdLib"},
        {{{"README.TXT", dig}, {"SOUND\\DEEP\\DIG.INI", dig}}, "not found"},
    };
    for (const auto& [files, found] : rows) EXPECT_EQ(TextIn(files), found) << found;
    const SoundSetup s = FoundIn({{"SOUND\\DIG.INI", "; a comment\r\n\r\nDRIVER SB16.DIG\r\nIRQ 7\r\n"},
                                  {"MDI.INI", "IO_ADDR 330\nDRIVER MPU401.MDI\n"}});
    EXPECT_EQ((std::vector<std::string>{s.sound.file, std::to_string(s.sound.line), std::to_string(s.irq.line),
                                        s.music.file, std::to_string(s.music.line), std::to_string(s.midiPort.line)}),
              (std::vector<std::string>{"SOUND\\DIG.INI", "3", "4", "MDI.INI", "2", "1"}));
}

TEST(SoundSetup, ReadingIsBounded) {
    TempFolder temp("big");
    WriteSparseFile(temp.path + "\\DEFAULT.CFG", "snd_sfxdevice 3\nsnd_sbirq 5\n", 1 << 30);
    EXPECT_EQ(SoundSetupText(FindSoundSetup(temp.path)), "DEFAULT.CFG: Sound Blaster, IRQ 5");
    EXPECT_EQ(TextIn({{"DIG.INI", std::string(32 * 1024 - 16, 'x') + "\nDRIVER SB16.DIG\n"}}),
              "DIG.INI: Sound Blaster 16");
    EXPECT_EQ(TextIn({{"DIG.INI", std::string(32 * 1024, ';') + "\nDRIVER SB16.DIG\n"}}), "not found");
    EXPECT_EQ(TextIn({{"DIG.INI", std::string("DRIVER SB16.DIG\0\0\0\xff\n", 20) + "IRQ 99999999999\nIRQ 0x\n"}}),
              "DIG.INI: Sound Blaster 16");
}

// A game whose selected parameter sets name a Gravis UltraSound for sound and General MIDI for music, on VGA.
GameRecord WordsGame() {
    GameRecord g = MakeGame("Game", "p", "c", "C:\\GAMES\\X", "GAME.EXE");
    SetField(g.setup, "(Parameters)");
    SetField(g.soundNames[0], "Gravis UltraSound");
    SetField(g.musicNames[0], "General MIDI");
    g.selectedSound = g.selectedMusic = 0;
    g.selectedDisplay = 2;
    return g;
}

// A setup as DIG.INI and MDI.INI name it: sound card, port, IRQ, DMA, high DMA; music card, MIDI port.
SoundSetup Chose(SoundCard sound, std::vector<int> values = {}, SoundCard music = SoundCard::NotSet, int midi = -1) {
    SoundSetup s;
    s.sound = {sound, SoundCardName(sound), "DIG.INI", 1};
    s.music = {music, SoundCardName(music), "MDI.INI", 1};
    SetupValue* v[] = {&s.port, &s.irq, &s.dma, &s.highDma};
    for (size_t i = 0; i < values.size(); ++i) v[i]->value = values[i];
    s.midiPort.value = midi;
    return s;
}

// The hardware as one line: the settings it sets, in a fixed order.
std::string Hw(const DosBoxHardware& hw) {
    std::string s;
    for (auto [name, value] : {std::pair{"machine=", hw.machine}, {"sbtype=", hw.sbtype}, {"sbbase=", hw.blaster.base},
                               {"irq=", hw.blaster.irq}, {"dma=", hw.blaster.dma}, {"hdma=", hw.blaster.hdma},
                               {"oplmode=", hw.oplmode}, {"mpu401=", hw.mpu401}, {"midi=", hw.midi},
                               {"gusbase=", hw.gusbase}, {"gusirq=", hw.gusirq}, {"gusdma=", hw.gusdma}})
        if (!value.empty()) s += (s.empty() ? "" : " ") + std::string(name) + value;
    for (auto [on, name] :
         {std::pair{hw.gus, " gus"}, {hw.disney, " disney"}, {hw.tandy, " tandy"}, {hw.pcspeaker, " speaker"}})
        if (on) s += name;
    return s;
}

TEST(SoundSetupDosBox, TheFilesWinOverTheParameterSetsWhereDosBoxEmulatesWhatTheyChose) {
    using C = SoundCard;
    const std::pair<SoundSetup, const char*> rows[] = {
        {{}, "machine=svga_s3 mpu401=intelligent gus"},
        {Chose(C::SoundBlasterPro, {0x240, 5, 3}),
         "machine=svga_s3 sbtype=sbpro2 sbbase=240 irq=5 dma=3 mpu401=intelligent"},
        {Chose(C::GravisUltrasound, {0x2C0, 11, -1, 7}),
         "machine=svga_s3 mpu401=intelligent gusbase=2c0 gusirq=11 gusdma=7 gus"},
        {Chose(C::SoundBlaster16, {0x210, 2, 0, 4}), "machine=svga_s3 sbtype=sb16 dma=0 mpu401=intelligent"},
        {Chose(C::SoundBlaster, {0x300, 12, 7, 6}, C::None),
         "machine=svga_s3 sbtype=sb2 sbbase=300 irq=12 dma=7 hdma=6 mpu401=none"},
        {Chose(C::None, {}, C::RolandMt32), "machine=svga_s3 sbtype=none mpu401=intelligent midi=mt32"},
        {Chose(C::Unsupported, {0x220}, C::SoundBlasterPro1), "machine=svga_s3 oplmode=dualopl2 gus"},
        {Chose(C::Awe32, {0x220, 3, 1, 5}, C::Awe32),
         "machine=svga_s3 sbtype=sb16 sbbase=220 irq=3 dma=1 hdma=5 mpu401=intelligent"},
        {Chose(C::Unknown, {}, C::SoundBlaster), "machine=svga_s3 oplmode=opl2 gus"},
        {Chose(C::AdLib, {}, C::Opl3), "machine=svga_s3 oplmode=opl3"},
        {Chose(C::SoundBlasterPro1, {}, C::SoundBlaster16), "machine=svga_s3 sbtype=sbpro1 oplmode=opl3"},
        {Chose(C::DisneySoundSource, {0x220}, C::Tandy), "machine=svga_s3 disney tandy"},
        {Chose(C::PcSpeaker, {}, C::GeneralMidi), "machine=svga_s3 mpu401=intelligent midi=gm speaker"},
    };
    for (const auto& [setup, hw] : rows) EXPECT_EQ(Hw(HardwareOf(WordsGame(), setup)), hw) << hw;
    GameRecord plain = WordsGame();
    SetField(plain.setup, "");
    EXPECT_EQ(Hw(HardwareOf(plain, Chose(C::SoundBlaster, {0x220, 7, 1}, C::GravisUltrasound))),
              "sbtype=sb2 sbbase=220 irq=7 dma=1 gus")
        << "a game without parameter sets";
}

// First wins: the game's own DOSBox lines, its setup files, its parameter words and VDMSound's ports.
TEST(SoundSetupDosBox, TheGamesLinesThenItsFilesThenTheWordsThenNothingWritten) {
    const SoundSetup none, sbPro = Chose(SoundCard::SoundBlasterPro, {0x240, 5, 3}, SoundCard::None),
                           gus = Chose(SoundCard::GravisUltrasound, {0x260, 11, 1});
    const struct {
        bool words, vdms;  // WordsGame's parameter sets or none; VDMSound's ports 220, 7, 1, 5 or none
        const SoundSetup& files;
        std::string lines;   // the game's own DOSBox lines as stored, '\n'-separated
        const char* config;  // the settings written, a line each
    } rows[] = {
        {false, false, none, "", ""},
        {false, true, none, "", "[sblaster] sbbase=220 irq=7 dma=1 hdma=5"},
        {true, true, none, "", "[dosbox] machine=svga_s3 [midi] mpu401=intelligent [sblaster] sbbase=220 irq=7 dma=1 hdma=5 "
                               "[gus] gus=true"},
        {true, true, sbPro, "", "[dosbox] machine=svga_s3 [midi] mpu401=none [sblaster] sbtype=sbpro2 sbbase=240 irq=5 dma=3 "
                                "hdma=5"},
        {true, false, gus, "", "[dosbox] machine=svga_s3 [midi] mpu401=intelligent [gus] gus=true gusbase=260 gusirq=11 "
                               "gusdma=1"},
        {true, true, sbPro, "SBLASTER.IRQ = 10\ndosbox.memsize=32\ngus.gus=true",
         "[dosbox] machine=svga_s3 memsize=32 [midi] mpu401=none [sblaster] sbtype=sbpro2 sbbase=240 dma=3 hdma=5 IRQ=10 "
         "[gus] gus=true"},
        {false, false, none, "cpu.cycles=1\nautoexec.mount=c\n[autoexec]\nsdl.x=%PATH%", "[cpu] cycles=1"},
    };
    for (const auto& r : rows) {
        GameRecord g = WordsGame();
        if (!r.words) SetField(g.setup, "");
        const std::string entry = "DBXL" + std::string{static_cast<char>(r.lines.size()), 0} + r.lines;
        if (!r.lines.empty()) std::memcpy(g.reservedArea, entry.data(), entry.size());
        DosBoxOptions options;
        if (r.vdms) options.blaster = {"220", "7", "1", "5"};
        std::string text = MakeDosBoxConfig(g, "GAME.EXE", "Command", false, options, &r.files).text;
        text = text.substr(text.find("\r\n") + 2, text.find("[autoexec]") - text.find("\r\n") - 2);
        for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " ");
        EXPECT_EQ(text, r.config + std::string(*r.config ? " " : "")) << r.lines;
    }
}

TEST(SoundSetupDosBox, OneLineSaysWhereTheFilesDisagree) {
    using C = SoundCard;
    const std::pair<SoundSetup, const char*> rows[] = {
        {Chose(C::GravisUltrasound, {0x240, 9, 3}, C::GeneralMidi, 0x330), ""},
        {Chose(C::SoundBlasterPro, {0x240, 5, 3}),
         "DIG.INI chose Sound Blaster Pro, but the selected sound device is \"Gravis UltraSound\": the game starts "
         "with what DIG.INI chose."},
        {ReadSetupText(SetupFormat::MilesSound, "DRIVER PROAUDIO.DIG", "SOUND\\DIG.INI"),
         "SOUND\\DIG.INI chose Pro Audio Spectrum, which DOSBox does not offer: choose another in the game's setup "
         "program."},
        {Chose(C::SoundBlaster16, {0x220, 2}, C::GeneralMidi),
         "DIG.INI chose IRQ 2 for the Sound Blaster 16, which DOSBox"},
        {Chose(C::SoundBlaster, {0x210, 5}), "chose port 210 for the Sound Blaster,"},
        {Chose(C::GravisUltrasound, {0x240, 5, -1, 4}), "chose DMA 4 for the Gravis UltraSound,"},
        {Chose(C::SoundBlaster16, {0x220, 5, 1, 2}), "chose high DMA 2 for"},
        {Chose(C::NotSet, {}, C::RolandMt32, 0x300), "MDI.INI chose MIDI port 300, which"},
        {Chose(C::NotSet, {}, C::Awe32), "MDI.INI chose Sound Blaster AWE32 for the music, which"},
        {Chose(C::Unknown, {}, C::AdLib), "MDI.INI chose AdLib, but the selected music device is \"General MIDI\""},
        {Chose(C::None), "DIG.INI chose no sound, but the selected sound device"},
        {Chose(C::Unknown, {0x210}, C::RolandMt32), ""},
    };
    for (const auto& [setup, part] : rows) {
        const std::string line = SoundSetupMismatch(WordsGame(), setup);
        EXPECT_TRUE(*part ? line.find(part) != std::string::npos : line.empty()) << part << " | " << line;
    }
    GameRecord plain = WordsGame();
    SetField(plain.musicNames[0], "AdLib");
    EXPECT_EQ(SoundSetupMismatch(plain, Chose(C::Unknown, {}, C::Opl3)), "") << "FM music in both";
    SetField(plain.setup, "");
    EXPECT_EQ(SoundSetupMismatch(plain, Chose(C::SoundBlasterPro, {0x240, 5, 3}, C::AdLib)), "") << "no parameter sets";
}

}  // namespace
