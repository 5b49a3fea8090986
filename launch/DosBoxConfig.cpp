// Making the DOSBox configuration of a launch.
#include "launch/DosBoxConfig.h"
#include "data/GameExtras.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include "launch/ParameterLine.h"
#include "launch/SoundSetupDosBox.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

namespace {

// A device name as its words: lower-case runs of letters or of digits ("SB16"
// gives "sb" and "16"), and all of them joined ("Ad Lib" gives "adlib").
struct Words {
    std::vector<std::string> tokens;
    std::string joined;

    explicit Words(const std::string& name) {
        std::string token;
        auto flush = [&] {
            if (!token.empty()) tokens.push_back(token);
            token.clear();
        };
        for (unsigned char c : name) {
            const bool letter = std::isalpha(c) != 0, digit = std::isdigit(c) != 0;
            if (!letter && !digit) {
                flush();
                continue;
            }
            if (!token.empty() && (std::isdigit(static_cast<unsigned char>(token.back())) != 0) != digit) flush();
            token += static_cast<char>(std::tolower(c));
            joined += static_cast<char>(std::tolower(c));
        }
        flush();
    }
    bool Has(const char* token) const {
        for (const auto& t : tokens)
            if (t == token) return true;
        return false;
    }
    bool Contains(const char* part) const { return joined.find(part) != std::string::npos; }

    bool None() const { return Has("none") || (Has("no") && (Has("sound") || Has("music") || Has("audio"))); }
    bool GameBlaster() const { return Contains("gameblaster") || Has("cms") || Contains("creativemusicsystem"); }
    bool Blaster() const { return Contains("blaster") || Has("sb") || Has("sbpro"); }
    bool Awe() const { return Has("awe"); }
    bool Pro() const { return Has("pro") || Has("sbpro"); }
    bool Gus() const { return Contains("gravis") || Contains("ultrasound") || Has("gus"); }
    bool Disney() const { return Contains("disney") || Contains("soundsource"); }
    bool Tandy() const { return Contains("tandy"); }
    bool Speaker() const { return Contains("speaker"); }
    bool AdLib() const { return Contains("adlib"); }
    bool AdLibGold() const { return Contains("adlibgold"); }
    bool GeneralMidi() const {
        return Contains("midi") || Contains("mpu") || Contains("canvas") || Has("gm") || Contains("sc55") ||
               Contains("scc1");
    }
    // Roland's MT-32 and its kin (LAPC-I, CM-32L); a Roland that is no Sound
    // Canvas or other General MIDI device is one too.
    bool Mt32() const {
        return Contains("mt32") || Contains("lapc") || Contains("cm32") ||
               (Contains("roland") && !Contains("canvas") && !Contains("sc55") && !Contains("scc1") &&
                !Contains("generalmidi") && !Has("gm"));
    }
};

std::string SelectedName(const char (&names)[kDeviceSlots][kTextSize], int32_t selected) {
    if (selected < 0 || selected >= static_cast<int32_t>(kDeviceSlots)) return {};
    return FieldText(names[selected]);
}

void MatchSound(const Words& w, DosBoxHardware& hw) {
    if (w.None()) hw.sbtype = "none";
    else if (w.GameBlaster()) hw.sbtype = "gb";
    else if (w.Awe() || (w.Blaster() && w.Has("16"))) hw.sbtype = "sb16";
    else if (w.Blaster() && w.Pro()) hw.sbtype = "sbpro2";
    else if (w.Blaster()) hw.sbtype = "sb2";
    else if (w.Gus()) hw.gus = true;
    else if (w.Disney()) hw.disney = true;
    else if (w.Tandy()) hw.tandy = true;
    else if (w.Speaker()) hw.pcspeaker = true;
    else if (w.AdLib()) hw.oplmode = w.AdLibGold() ? "opl3gold" : "opl2";
}

void MatchMusic(const Words& w, DosBoxHardware& hw) {
    if (w.None()) hw.mpu401 = "none";
    else if (w.Gus()) hw.gus = true;
    else if (w.Mt32()) hw.mpu401 = "intelligent", hw.midi = "mt32";
    else if (w.GeneralMidi()) hw.mpu401 = "intelligent";
    else if (w.AdLib()) hw.oplmode = w.AdLibGold() ? "opl3gold" : "opl2";
    else if (w.GameBlaster()) {
        if (hw.sbtype.empty()) hw.sbtype = "gb";
    } else if (w.Blaster() || w.Has("fm")) {
        // The FM music of a Sound Blaster 16 or Pro is an OPL3.
        const bool opl3 = w.Awe() || w.Has("16") || w.Pro() || hw.sbtype == "sb16" || hw.sbtype == "sbpro2";
        hw.oplmode = opl3 ? "opl3" : "opl2";
    } else if (w.Tandy()) hw.tandy = true;
    else if (w.Speaker()) hw.pcspeaker = true;
    else if (w.Disney()) hw.disney = true;
}

// A value of VDMS.INI that DOSBox offers too, or empty.
std::string Offered(std::string value, std::initializer_list<const char*> offered) {
    while (!value.empty() && value.front() == ' ') value.erase(0, 1);
    for (const char* o : offered)
        if (EqualNoCase(value, o)) return o;
    return {};
}

void Line(std::string& text, const std::string& line) { text += line + "\r\n"; }

using S = DosBoxSetting;
using Lines = std::vector<DosBoxLine>;

// The hardware's words (0.74's) and the setting each stands for.
struct Word {
    const char* word;
    DosBoxSetting setting;
};
const Word kMachines[] = {{"svga_s3", S::MachineSvga},
                          {"vgaonly", S::MachineVga},
                          {"ega", S::MachineEga},
                          {"cga", S::MachineCga},
                          {"tandy", S::MachineTandy}};
const Word kMpu401[] = {{"intelligent", S::Mpu401Intelligent}, {"none", S::NoMpu401}};
const Word kMidi[] = {{"mt32", S::Mt32}};
const Word kSbTypes[] = {{"none", S::NoSoundBlaster},       {"sb1", S::SoundBlaster1},
                         {"sb2", S::SoundBlaster2},         {"sbpro1", S::SoundBlasterPro1},
                         {"sbpro2", S::SoundBlasterPro2},   {"sb16", S::SoundBlaster16},
                         {"gb", S::GameBlaster}};
const Word kOplModes[] = {
    {"opl2", S::Opl2}, {"opl3", S::Opl3}, {"dualopl2", S::DualOpl2}, {"opl3gold", S::AdLibGold}};

class Writer {
public:
    explicit Writer(DosBoxFlavour flavour) : _flavour(flavour) {}
    void Add(DosBoxSetting setting, const std::string& value = {}) {
        for (DosBoxLine& line : DosBoxSettingLines(_flavour, setting, value)) lines.push_back(std::move(line));
    }
    // A setting with a value, when there is one.
    void AddValue(DosBoxSetting setting, const std::string& value) {
        if (!value.empty()) Add(setting, value);
    }
    template <size_t N>
    void AddWord(const Word (&words)[N], const std::string& word) {
        for (const Word& w : words)
            if (word == w.word) Add(w.setting);
    }

    Lines lines;

private:
    DosBoxFlavour _flavour;
};

// Our settings for the launch: only what the choices and the hardware ask for.
Lines SettingLines(const DosBoxOptions& options, const DosBoxHardware& hw) {
    Writer w(options.flavour);
    if (options.screen != DosBoxScreen::Own)
        w.Add(options.screen == DosBoxScreen::FullScreen ? S::FullScreen : S::Windowed);
    w.AddWord(kMachines, hw.machine);
    w.AddValue(S::CpuCycles, DosBoxCyclesSetting(options.slowDown, options.slowDownPeriod));
    w.AddWord(kMpu401, hw.mpu401);
    w.AddWord(kMidi, hw.midi);
    w.AddWord(kSbTypes, hw.sbtype);
    // The game's setup files over VDMSound's ports.
    SoundBlasterPorts sb = options.blaster;
    for (auto [mine, files] : {std::pair{&sb.base, hw.blaster.base}, {&sb.irq, hw.blaster.irq},
                               {&sb.dma, hw.blaster.dma}, {&sb.hdma, hw.blaster.hdma}})
        if (!files.empty()) *mine = files;
    w.AddValue(S::SbBase, sb.base);
    w.AddValue(S::SbIrq, sb.irq);
    w.AddValue(S::SbDma, sb.dma);
    w.AddValue(S::SbHdma, sb.hdma);
    w.AddWord(kOplModes, hw.oplmode);
    if (hw.gus) {
        w.Add(S::Gus);
        w.AddValue(S::GusBase, hw.gusbase);
        w.AddValue(S::GusIrq, hw.gusirq);
        w.AddValue(S::GusDma, hw.gusdma);
    }
    if (hw.pcspeaker) w.Add(S::PcSpeaker);
    if (hw.tandy) w.Add(S::TandySound);
    if (hw.disney) w.Add(S::Disney);
    return w.lines;
}

// The slow-down's strength: 0 at a period of 100 ms or more, 1 at 10 ms or less.
double SlowDownStrength(unsigned slowDownPeriod) {
    if (slowDownPeriod >= 100) return 0;
    if (slowDownPeriod <= 10) return 1;
    return (100 - slowDownPeriod) / 90.0;
}

}  // namespace

SoundBlasterPorts ReadVdmsSoundBlaster(const IniFile& vdmsIni) {
    const char* section = "SB Controller.config";
    SoundBlasterPorts ports;
    std::string port = vdmsIni.GetStringStripped(section, "port");
    while (!port.empty() && port.front() == ' ') port.erase(0, 1);
    if (port.size() > 2 && port[0] == '0' && (port[1] == 'x' || port[1] == 'X')) port.erase(0, 2);
    ports.base = Offered(port, {"220", "240", "260", "280", "2a0", "2c0", "2e0", "300"});
    ports.irq = Offered(vdmsIni.GetStringStripped(section, "IRQ"), {"3", "5", "7", "9", "10", "11", "12"});
    ports.dma = Offered(vdmsIni.GetStringStripped(section, "DMA8"), {"0", "1", "3"});
    ports.hdma = Offered(vdmsIni.GetStringStripped(section, "DMA16"), {"0", "1", "3", "5", "6", "7"});
    return ports;
}

int DosBoxCycles(unsigned slowDownPeriod) {
    return static_cast<int>(std::lround(3000.0 * std::pow(300.0 / 3000.0, SlowDownStrength(slowDownPeriod))));
}

int DosBoxCycleLimit(unsigned slowDownPeriod) {
    const double strength = SlowDownStrength(slowDownPeriod);
    return strength > 0 ? static_cast<int>(std::lround(100000.0 * std::pow(3000.0 / 100000.0, strength))) : 0;
}

std::string DosBoxCyclesSetting(bool slowDown, unsigned slowDownPeriod) {
    if (!slowDown || DosBoxCycleLimit(slowDownPeriod) == 0) return {};
    return Format("%d %d", DosBoxCycles(slowDownPeriod), DosBoxCycleLimit(slowDownPeriod));
}

DosBoxHardware HardwareOf(const GameRecord& game) {
    DosBoxHardware hw;
    if (!UsesParameterSets(game)) return hw;
    static const char* const kMachines[7] = {"", "svga_s3", "svga_s3", "vgaonly", "ega", "cga", "tandy"};
    if (game.selectedDisplay >= 1 && game.selectedDisplay <= 6) hw.machine = kMachines[game.selectedDisplay];
    const std::string sound = SelectedName(game.soundNames, game.selectedSound);
    if (!sound.empty()) MatchSound(Words(sound), hw);
    const std::string music = SelectedName(game.musicNames, game.selectedMusic);
    if (!music.empty()) MatchMusic(Words(music), hw);
    return hw;
}

DosBoxConfig MakeDosBoxConfig(const GameRecord& game, const std::string& program, const char* programField,
                              bool withParameters, const DosBoxOptions& options, const SoundSetup* found) {
    DosBoxConfig config;
    const GameExtras extras = ReadGameExtras(game).extras;
    DosBoxRun run;
    run.folder = FieldText(game.path);
    run.folderOnCdDrive = IsOnCdDrive(run.folder);
    run.program = program;
    run.programField = programField;
    if (withParameters && UsesParameterSets(game)) run.parameters = ComposeParameterLine(game);
    if (extras.cdRom.kind == CdRomKind::Drive) run.cdRom.drive = extras.cdRom.drive;
    if (extras.cdRom.kind == CdRomKind::Images) run.cdRom.images = extras.cdRom.images;
    DosBoxAutoexecOptions autoexecOptions;
    autoexecOptions.keepOpen = options.keepOpen;
    autoexecOptions.utf8 = ReadsConfigAsUtf8(options.flavour);
    autoexecOptions.hostPath = options.hostPath;
    const DosBoxAutoexec autoexec = MakeDosBoxAutoexec(run, autoexecOptions);
    if (autoexec.problem != DosBoxProblem::None) {
        config.problem = autoexec.problem;
        config.field = autoexec.field;
        return config;
    }

    Lines lines = SettingLines(options, found ? HardwareOf(game, *found) : HardwareOf(game));
    // The player's own lines for the game win: each takes the place of ours for its key.
    for (const std::string& text : extras.extraLines) {
        ExtraLine extra;
        if (CheckExtraLine(text, &extra) != ExtraLinePart::None) continue;
        const std::string key = extra.key + "=";
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [&](const DosBoxLine& l) {
                                       return l.section == extra.section &&
                                              EqualNoCase(l.text.substr(0, key.size()), key);
                                   }),
                    lines.end());
        lines.push_back({extra.section, key + extra.value});
    }

    std::string title = FieldText(game.title);
    for (char& c : title)
        if (HasControlCharacter(std::string(1, c))) c = ' ';
    std::string text;
    Line(text, "# Quillon Loader's configuration for one start of " + title);
    // Each section once, in the order of its first line.
    std::vector<std::string> sections;
    for (const DosBoxLine& line : lines)
        if (std::find(sections.begin(), sections.end(), line.section) == sections.end()) sections.push_back(line.section);
    for (const std::string& section : sections) {
        Line(text, "[" + section + "]");
        for (const DosBoxLine& line : lines)
            if (line.section == section) Line(text, line.text);
    }
    if (autoexecOptions.utf8) text = Cp1252ToUtf8(text);
    Line(text, "[autoexec]");
    for (const std::string& line : autoexec.lines) Line(text, line);
    config.text = text;
    return config;
}
