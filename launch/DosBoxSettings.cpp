// The flavours' names for the settings the launch writes.
#include "launch/DosBoxSettings.h"

namespace {

using S = DosBoxSetting;

// Per setting: its section and the line for 0.74, DOSBox-X and Staging; "%"
// stands for the value, "%1" and "%2" for its first and second word, '\n'
// separates two lines, "" writes nothing.
const struct {
    S setting;
    const char* section;
    const char* lines[3];
} kTable[] = {
    {S::FullScreen, "sdl", {"fullscreen=true", "fullscreen=true", "fullscreen=true"}},
    {S::Windowed, "sdl", {"fullscreen=false", "fullscreen=false", "fullscreen=false"}},
    {S::MachineSvga, "dosbox", {"machine=svga_s3", "machine=svga_s3", "machine=svga_s3"}},
    {S::MachineVga, "dosbox", {"machine=vgaonly", "machine=vgaonly", "machine=svga_paradise"}},
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
    {S::DualOpl2, "sblaster", {"oplmode=dualopl2", "oplmode=dualopl2", "oplmode=dualopl2"}},
    {S::AdLibGold, "sblaster", {"oplmode=opl3", "oplmode=opl3gold", "oplmode=opl3gold"}},
    {S::Mpu401Intelligent, "midi", {"mpu401=intelligent", "mpu401=intelligent", "mpu401=intelligent"}},
    {S::NoMpu401, "midi", {"mpu401=none", "mpu401=none", "mpu401=none"}},
    {S::Mt32, "midi", {"", "mididevice=mt32", "mididevice=mt32"}},
    {S::Gus, "gus", {"gus=true", "gus=true", "gus=true"}},
    {S::GusBase, "gus", {"gusbase=%", "gusbase=%", "gusbase=%"}},
    {S::GusIrq, "gus", {"gusirq=%", "gusirq=%", "gusirq=%"}},
    {S::GusDma, "gus", {"gusdma=%", "gusdma=%", "gusdma=%"}},
    {S::Disney, "speaker", {"disney=true", "disney=true", "lpt_dac=disney"}},
    {S::TandySound, "speaker", {"tandy=on", "tandy=on", "tandy=on"}},
    {S::PcSpeaker, "speaker", {"pcspeaker=true", "pcspeaker=true", "pcspeaker=impulse"}},
    {S::SbBase, "sblaster", {"sbbase=%", "sbbase=%", "sbbase=%"}},
    {S::SbIrq, "sblaster", {"irq=%", "irq=%", "irq=%"}},
    {S::SbDma, "sblaster", {"dma=%", "dma=%", "dma=%"}},
    {S::SbHdma, "sblaster", {"hdma=%", "hdma=%", "hdma=%"}},
    // "auto": DOSBox tells real mode from protected mode itself.
    {S::CpuCycles, "cpu", {"cycles=auto %1 limit %2", "cycles=auto %1 limit %2", "cpu_cycles=%1\ncpu_cycles_protected=%2"}},
};

// Where a flavour takes fewer values than 0.74 offers: the values it takes.
const struct {
    S setting;
    DosBoxFlavour flavour;
    const char* values;
} kOffered[] = {
    {S::GusBase, DosBoxFlavour::Staging, " 210 220 230 240 250 260 "},
    {S::GusIrq, DosBoxFlavour::Staging, " 2 3 5 7 11 12 15 "},
    {S::GusDma, DosBoxFlavour::Staging, " 1 3 5 6 7 "},
};

}  // namespace

std::vector<DosBoxLine> DosBoxSettingLines(DosBoxFlavour flavour, DosBoxSetting setting, const std::string& value) {
    std::vector<DosBoxLine> lines;
    for (const auto& offered : kOffered)
        if (offered.setting == setting && offered.flavour == flavour &&
            std::string(offered.values).find(" " + value + " ") == std::string::npos)
            return lines;
    for (const auto& row : kTable) {
        if (row.setting != setting) continue;
        const size_t blank = value.find(' ');
        const std::string words[3] = {value, value.substr(0, blank),
                                      blank == std::string::npos ? std::string() : value.substr(blank + 1)};
        std::string text;
        for (const char* c = row.lines[static_cast<int>(flavour)]; *c; ++c) {
            if (*c != '%') {
                text += *c;
                continue;
            }
            const int word = c[1] == '1' || c[1] == '2' ? *++c - '0' : 0;
            text += words[word];
        }
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
