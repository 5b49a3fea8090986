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

// "X:" or "X:\..." with a letter X.
bool HasDriveLetter(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           (path.size() == 2 || path[2] == '\\');
}

std::vector<std::string> FolderSteps(const std::string& path) {
    std::vector<std::string> steps;
    std::string step;
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            if (!step.empty()) steps.push_back(step);
            step.clear();
        } else {
            step += path[i];
        }
    }
    return steps;
}

void Line(std::string& text, const std::string& line) { text += line + "\r\n"; }

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
    if (slowDownPeriod > 110) slowDownPeriod = 110;
    if (slowDownPeriod < 10) slowDownPeriod = 10;
    const double strength = (110 - slowDownPeriod) / 100.0;
    return static_cast<int>(std::lround(20000.0 * std::pow(300.0 / 20000.0, strength) / 10.0)) * 10;
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
    auto refuse = [&](DosBoxProblem problem, const std::string& field) {
        config.problem = problem;
        config.field = field;
        return config;
    };
    std::string folder = FieldText(game.path);
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    if (HasCommandSyntax(folder)) return refuse(DosBoxProblem::UnsafeText, "Path");
    if (!HasDriveLetter(folder)) return refuse(DosBoxProblem::NoDrive, "Path");
    if (HasCommandSyntax(program)) return refuse(DosBoxProblem::UnsafeText, programField);
    if (!IsNameInsideFolder(program)) return refuse(DosBoxProblem::NotDosName, programField);
    std::string dosProgram;
    for (const std::string& step : FolderSteps("X:\\" + program)) {
        if (!IsDosName(step)) return refuse(DosBoxProblem::NotDosName, programField);
        dosProgram += (dosProgram.empty() ? "" : "\\") + step;
    }
    std::string parameters = withParameters && UsesParameterSets(game) ? ComposeParameterLine(game) : std::string();
    if (HasCommandSyntax(parameters)) return refuse(DosBoxProblem::UnsafeText, "parameters");
    while (!parameters.empty() && parameters.back() == ' ') parameters.pop_back();

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
    Line(text, options.slowDown ? Format("cycles=fixed %d", DosBoxCycles(options.slowDownPeriod)) : "cycles=auto");
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

    // The game's drive is mounted as itself, so that paths stored at its
    // installation resolve. DOSBox changes only into 8.3 folder names: a folder
    // with a longer name (or a blank) is mounted as a drive of its own.
    const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(folder[0])));
    const std::vector<std::string> steps = FolderSteps(folder);
    bool dosFolder = true;
    for (const auto& step : steps) dosFolder = dosFolder && IsDosName(step);
    Line(text, "[autoexec]");
    Line(text, "@echo off");
    Line(text, Format("mount %c \"%c:\\\"", drive, drive));
    if (dosFolder) {
        Line(text, Format("%c:", drive));
        std::string cd = "cd \\";
        for (size_t i = 0; i < steps.size(); ++i) cd += (i ? "\\" : "") + steps[i];
        Line(text, cd);
    } else {
        const char own = drive == 'D' ? 'E' : 'D';
        Line(text, Format("mount %c \"%s\"", own, folder.c_str()));
        Line(text, Format("%c:", own));
    }
    // A batch file is called, so that the lines after it still run.
    const bool batch = dosProgram.size() > 4 && EqualNoCase(dosProgram.substr(dosProgram.size() - 4), ".bat");
    Line(text, (batch ? "call " : "") + dosProgram + (parameters.empty() ? "" : " " + parameters));
    if (!options.keepOpen) Line(text, "exit");
    return config;
}
