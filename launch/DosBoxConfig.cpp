// Making the DOSBox configuration of a launch.
#include "launch/DosBoxConfig.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include "launch/ParameterLine.h"
#include "launch/SoundSetupDosBox.h"
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
    bool Blaster() const { return Contains("blaster") || Has("sb") || Has("sbpro"); }
    bool Awe() const { return Has("awe"); }
    bool Pro() const { return Has("pro") || Has("sbpro"); }
    bool Gus() const { return Contains("gravis") || Contains("ultrasound") || Has("gus"); }
    bool Disney() const { return Contains("disney") || Contains("soundsource"); }
    bool Tandy() const { return Contains("tandy"); }
    bool Speaker() const { return Contains("speaker"); }
    bool AdLib() const { return Contains("adlib"); }
    bool Midi() const {
        return Contains("midi") || Contains("mpu") || Contains("mt32") || Contains("roland") || Contains("canvas") ||
               Contains("lapc") || Has("gm") || Contains("sc55");
    }
};

std::string SelectedName(const char (&names)[kDeviceSlots][kTextSize], int32_t selected) {
    if (selected < 0 || selected >= static_cast<int32_t>(kDeviceSlots)) return {};
    return FieldText(names[selected]);
}

void MatchSound(const Words& w, DosBoxHardware& hw) {
    if (w.None()) hw.sbtype = "none";
    else if (w.Awe() || (w.Blaster() && w.Has("16"))) hw.sbtype = "sb16";
    else if (w.Blaster() && w.Pro()) hw.sbtype = "sbpro2";
    else if (w.Blaster()) hw.sbtype = "sb2";
    else if (w.Gus()) hw.gus = true;
    else if (w.Disney()) hw.disney = true;
    else if (w.Tandy()) hw.tandy = true;
    else if (w.Speaker()) hw.pcspeaker = true;
    else if (w.AdLib()) hw.oplmode = "opl2";
}

void MatchMusic(const Words& w, DosBoxHardware& hw) {
    if (w.None()) hw.mpu401 = "none";
    else if (w.Gus()) hw.gus = true;
    else if (w.Midi()) hw.mpu401 = "intelligent";
    else if (w.AdLib()) hw.oplmode = "opl2";
    else if (w.Blaster() || w.Has("fm")) {
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
    if (!slowDown || DosBoxCycleLimit(slowDownPeriod) == 0) return "auto";
    return Format("auto %d limit %d", DosBoxCycles(slowDownPeriod), DosBoxCycleLimit(slowDownPeriod));
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
    DosBoxRun run;
    run.folder = FieldText(game.path);
    run.folderOnCdDrive = IsOnCdDrive(run.folder);
    run.program = program;
    run.programField = programField;
    if (withParameters && UsesParameterSets(game)) run.parameters = ComposeParameterLine(game);
    DosBoxAutoexecOptions autoexecOptions;
    autoexecOptions.keepOpen = options.keepOpen;
    const DosBoxAutoexec autoexec = MakeDosBoxAutoexec(run, autoexecOptions);
    if (autoexec.problem != DosBoxProblem::None) {
        config.problem = autoexec.problem;
        config.field = autoexec.field;
        return config;
    }

    std::string title = FieldText(game.title);
    for (char& c : title)
        if (HasControlCharacter(std::string(1, c))) c = ' ';
    std::string& text = config.text;
    Line(text, "# Quillon Loader's configuration for one start of " + title);
    Line(text, "[sdl]");
    Line(text, options.fullScreen ? "fullscreen=true" : "fullscreen=false");
    // The game's setup files over its parameter sets over DOSBox's defaults (the
    // game's own DOSBox lines, written last, will win over all of them).
    const DosBoxHardware hw = found ? HardwareOf(game, *found) : HardwareOf(game);
    if (!hw.machine.empty()) {
        Line(text, "[dosbox]");
        Line(text, "machine=" + hw.machine);
    }
    Line(text, "[cpu]");
    Line(text, "cycles=" + DosBoxCyclesSetting(options.slowDown, options.slowDownPeriod));
    if (!hw.mpu401.empty()) {
        Line(text, "[midi]");
        Line(text, "mpu401=" + hw.mpu401);
    }
    SoundBlasterPorts sb = options.blaster;
    for (auto [mine, files] : {std::pair{&sb.base, hw.blaster.base}, {&sb.irq, hw.blaster.irq},
                               {&sb.dma, hw.blaster.dma}, {&sb.hdma, hw.blaster.hdma}})
        if (!files.empty()) *mine = files;
    if (!hw.sbtype.empty() || !hw.oplmode.empty() || !sb.base.empty() || !sb.irq.empty() || !sb.dma.empty() ||
        !sb.hdma.empty()) {
        Line(text, "[sblaster]");
        if (!hw.sbtype.empty()) Line(text, "sbtype=" + hw.sbtype);
        if (!sb.base.empty()) Line(text, "sbbase=" + sb.base);
        if (!sb.irq.empty()) Line(text, "irq=" + sb.irq);
        if (!sb.dma.empty()) Line(text, "dma=" + sb.dma);
        if (!sb.hdma.empty()) Line(text, "hdma=" + sb.hdma);
        if (!hw.oplmode.empty()) Line(text, "oplmode=" + hw.oplmode);
    }
    if (hw.gus) {
        Line(text, "[gus]");
        Line(text, "gus=true");
        if (!hw.gusbase.empty()) Line(text, "gusbase=" + hw.gusbase);
        if (!hw.gusirq.empty()) Line(text, "gusirq=" + hw.gusirq);
        if (!hw.gusdma.empty()) Line(text, "gusdma=" + hw.gusdma);
    }
    if (hw.pcspeaker || hw.tandy || hw.disney) {
        Line(text, "[speaker]");
        if (hw.pcspeaker) Line(text, "pcspeaker=true");
        if (hw.tandy) Line(text, "tandy=on");
        if (hw.disney) Line(text, "disney=true");
    }

    Line(text, "[autoexec]");
    for (const std::string& line : autoexec.lines) Line(text, line);
    return config;
}
