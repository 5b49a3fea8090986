// The flavours' names for the settings the launch writes.
#include "launch/DosBoxSettings.h"

namespace {

using S = DosBoxSetting;

// Per setting: its section and the line for 0.74, DOSBox-X and Staging; "%"
// stands for the value, '\n' separates two lines, "" writes nothing.
const struct {
    S setting;
    const char* section;
    const char* lines[3];
} kTable[] = {
    {S::FullScreen, "sdl", {"fullscreen=true", "fullscreen=true", "fullscreen=true"}},
    {S::Windowed, "sdl", {"fullscreen=false", "fullscreen=false", "fullscreen=false"}},
    {S::MachineSvga, "dosbox", {"machine=svga_s3", "machine=svga_s3", "machine=svga_s3"}},
    {S::MachineVga, "dosbox", {"machine=vgaonly", "machine=vgaonly", "machine=svga_paradise"}},
    {S::MachineMcga, "dosbox", {"machine=vgaonly", "machine=mcga", "machine=svga_paradise"}},
    {S::MachineEga, "dosbox", {"machine=ega", "machine=ega", "machine=ega"}},
    {S::MachineCga, "dosbox", {"machine=cga", "machine=cga", "machine=cga"}},
    {S::MachineTandy, "dosbox", {"machine=tandy", "machine=tandy", "machine=tandy"}},
    {S::NoSoundBlaster, "sblaster", {"sbtype=none", "sbtype=none", "sbtype=none"}},
    {S::SoundBlaster1, "sblaster", {"sbtype=sb1", "sbtype=sb1", "sbtype=sb1"}},
    {S::SoundBlaster2, "sblaster", {"sbtype=sb2", "sbtype=sb2", "sbtype=sb2"}},
    {S::SoundBlasterPro1, "sblaster", {"sbtype=sbpro1", "sbtype=sbpro1", "sbtype=sbpro1"}},
    {S::SoundBlasterPro2, "sblaster", {"sbtype=sbpro2", "sbtype=sbpro2", "sbtype=sbpro2"}},
    {S::SoundBlaster16, "sblaster", {"sbtype=sb16", "sbtype=sb16", "sbtype=sb16"}},
    {S::GameBlaster, "sblaster", {"sbtype=gb", "sbtype=gb", "sbtype=gb"}},
    {S::Opl2, "sblaster", {"oplmode=opl2", "oplmode=opl2", "oplmode=opl2"}},
    {S::Opl3, "sblaster", {"oplmode=opl3", "oplmode=opl3", "oplmode=opl3"}},
    {S::AdLibGold, "sblaster", {"oplmode=opl3", "oplmode=opl3gold", "oplmode=opl3gold"}},
    {S::Mpu401Intelligent, "midi", {"mpu401=intelligent", "mpu401=intelligent", "mpu401=intelligent"}},
    {S::NoMpu401, "midi", {"mpu401=none", "mpu401=none", "mpu401=none"}},
    {S::Mt32, "midi", {"", "mididevice=mt32", "mididevice=mt32"}},
    {S::Gus, "gus", {"gus=true", "gus=true", "gus=true"}},
    {S::Disney, "speaker", {"disney=true", "disney=true", "lpt_dac=disney"}},
    {S::TandySound, "speaker", {"tandy=on", "tandy=on", "tandy=on"}},
    {S::PcSpeaker, "speaker", {"pcspeaker=true", "pcspeaker=true", "pcspeaker=impulse"}},
    {S::SbBase, "sblaster", {"sbbase=%", "sbbase=%", "sbbase=%"}},
    {S::SbIrq, "sblaster", {"irq=%", "irq=%", "irq=%"}},
    {S::SbDma, "sblaster", {"dma=%", "dma=%", "dma=%"}},
    {S::SbHdma, "sblaster", {"hdma=%", "hdma=%", "hdma=%"}},
    // Staging's protected-mode speed follows cpu_cycles only when set to auto.
    {S::CpuCycles, "cpu", {"cycles=fixed %", "cycles=fixed %", "cpu_cycles=%\ncpu_cycles_protected=auto"}},
};

// 0x80 to 0x9F of code page 1252; the five it leaves out stay those control codes.
const unsigned short kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::vector<DosBoxLine> DosBoxSettingLines(DosBoxFlavour flavour, DosBoxSetting setting, const std::string& value) {
    std::vector<DosBoxLine> lines;
    for (const auto& row : kTable) {
        if (row.setting != setting) continue;
        std::string text = row.lines[static_cast<int>(flavour)];
        for (size_t at = 0; (at = text.find('%', at)) != std::string::npos; at += value.size())
            text.replace(at, 1, value);
        for (size_t start = 0; start < text.size();) {
            const size_t end = text.find('\n', start);
            lines.push_back({row.section, text.substr(start, end == std::string::npos ? end : end - start)});
            start = end == std::string::npos ? text.size() : end + 1;
        }
    }
    return lines;
}

std::string DosBoxArguments(DosBoxFlavour flavour, const std::string& configFile) {
    const char* before = flavour == DosBoxFlavour::Staging   ? ""
                         : flavour == DosBoxFlavour::DosBoxX ? "-userconf -nopromptfolder "
                                                             : "-userconf ";
    return before + std::string("-conf \"") + configFile + "\"";
}

bool ReadsConfigAsUtf8(DosBoxFlavour flavour) { return flavour == DosBoxFlavour::Staging; }

std::string Utf8FromCp1252(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        const unsigned code = c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}
