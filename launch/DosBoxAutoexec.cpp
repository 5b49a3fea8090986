// Making the [autoexec] section of a DOSBox launch.
#include "launch/DosBoxAutoexec.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include <windows.h>
#include <cctype>

namespace {

// DOS keeps at most 64 characters of the current folder ("\GAMES\X", its
// backslash included) and 79 of a path ("C:\GAMES\X\GAME.EXE"): DOSBox 0.74
// does not "cd" into a longer folder, nor start or create a file by a longer path.
constexpr size_t kDosFolderLength = 64;
constexpr size_t kDosPathLength = 79;

// Where a failing step goes: past the program, to the end of the section.
const char* const kStop = "qlstop";

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "X:" or "X:\..." with a letter X.
bool HasDriveLetter(const std::string& path) {
    return path.size() >= 2 && IsLetter(path[0]) && path[1] == ':' && (path.size() == 2 || path[2] == '\\');
}

bool IsAscii(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

// The steps of a path after its "X:\" (or of "X:\" followed by a relative name).
std::vector<std::string> Steps(const std::string& path) {
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

std::string Join(const std::vector<std::string>& steps) {
    std::string joined;
    for (const std::string& step : steps) joined += "\\" + step;
    return joined;
}

class Builder {
public:
    Builder(const DosBoxRun& run, const DosBoxAutoexecOptions& options) : _run(run), _options(options) {}

    DosBoxAutoexec Make();

private:
    struct Mount {
        char letter;
        std::vector<std::string> sources;  // Windows paths: one folder or drive, or disc images
        const char* type;                  // "" (a folder), " -t cdrom" or " -t iso" (images)
        const char* field;                 // the field a source comes from
    };

    bool Refuse(DosBoxProblem problem, const std::string& field) {
        _result.problem = problem;
        _result.field = field;
        return false;
    }
    bool Check();
    bool Source(const std::string& windowsPath, const std::string& field, std::string& source);
    char FreeLetter(char from) const;
    char Take(char letter) {
        _taken += letter;
        return letter;
    }
    // A text of the game file in the section's encoding.
    std::string Text(const std::string& text) const { return _options.utf8 ? Cp1252ToUtf8(text) : text; }
    void Line(const std::string& line) { _result.lines.push_back(line); }
    // Two lines: the message and the stop, when |probe| does not exist.
    void Unless(const std::string& probe, const std::string& message) {
        Line(Text("if not exist " + probe + " echo The game was not started: " + message));
        Line(Text("if not exist " + probe + " goto " + kStop));
    }

    const DosBoxRun& _run;
    const DosBoxAutoexecOptions& _options;
    DosBoxAutoexec _result;
    std::string _folder;  // without a trailing backslash, except a drive's root "C:\"
    std::string _dosProgram;
    std::string _parameters;
    std::string _taken;  // the letters in use
};

bool Builder::Check() {
    _folder = _run.folder;
    while (_folder.size() > 3 && _folder.back() == '\\') _folder.pop_back();
    if (HasDosBoxSyntax(_folder)) return Refuse(DosBoxProblem::UnsafeText, "Path");
    if (!HasDriveLetter(_folder)) return Refuse(DosBoxProblem::NoDrive, "Path");
    if (_folder.size() == 2) _folder += '\\';
    const std::string& field = _run.programField;
    if (HasDosBoxSyntax(_run.program)) return Refuse(DosBoxProblem::UnsafeText, field);
    if (!IsNameInsideFolder(_run.program)) return Refuse(DosBoxProblem::NotDosName, field);
    const std::vector<std::string> steps = Steps("X:\\" + _run.program);
    for (const std::string& step : steps)
        if (!IsDosName(step)) return Refuse(DosBoxProblem::NotDosName, field);
    _dosProgram = Join(steps).substr(1);
    _parameters = _run.parameters;
    if (HasDosBoxSyntax(_parameters)) return Refuse(DosBoxProblem::UnsafeText, "parameters");
    while (!_parameters.empty() && _parameters.back() == ' ') _parameters.pop_back();
    const DosBoxCdRom& cd = _run.cdRom;
    if (cd.drive != 0 && !IsLetter(cd.drive)) return Refuse(DosBoxProblem::NoDrive, "CD-ROM");
    for (const std::string& image : cd.images) {
        if (HasDosBoxSyntax(image)) return Refuse(DosBoxProblem::UnsafeText, "CD-ROM");
        if (!HasDriveLetter(image) || image.size() <= 3) return Refuse(DosBoxProblem::NoDrive, "CD-ROM");
    }
    return true;
}

// The path that DOSBox's mount takes for |windowsPath|.
bool Builder::Source(const std::string& windowsPath, const std::string& field, std::string& source) {
    if (!_options.hostPath) {
        source = Text(windowsPath);
        return true;
    }
    source = _options.hostPath(windowsPath);
    if (source.empty()) return Refuse(DosBoxProblem::NoDrive, field);
    if (HasDosBoxSyntax(source)) return Refuse(DosBoxProblem::UnsafeText, field);
    return true;
}

char Builder::FreeLetter(char from) const {
    for (char letter = from; letter < 'Z'; ++letter)
        if (_taken.find(letter) == std::string::npos) return letter;
    return 0;  // never: at most four letters are taken
}

DosBoxAutoexec Builder::Make() {
    if (!Check()) return _result;
    const DosBoxCdRom& cd = _run.cdRom;
    const char drive = Upper(_folder[0]);
    const char cdDrive = cd.drive ? Upper(cd.drive) : 0;
    const std::vector<std::string> steps = Steps(_folder);
    const std::string dosFolder = steps.empty() ? "\\" : Join(steps);
    const std::string dosProgram = std::string(1, drive) + ":" + (steps.empty() ? "" : dosFolder) + "\\" + _dosProgram;
    bool enterable = dosFolder.size() <= kDosFolderLength && dosProgram.size() <= kDosPathLength;
    for (const std::string& step : steps) enterable = enterable && IsDosName(step) && IsAscii(step);

    // Z: is DOSBox's own drive in every flavour: a game there only gets its folder.
    std::vector<Mount> mounts;
    const bool driveItself = drive != 'Z';
    const bool onCd = _run.folderOnCdDrive || cdDrive == drive;
    if (driveItself) mounts.push_back({Take(drive), {std::string(1, drive) + ":\\"}, onCd ? " -t cdrom" : "", "Path"});
    if (cdDrive && cdDrive != drive) {
        const char letter = cdDrive != 'Z' ? cdDrive : FreeLetter('D');
        mounts.push_back({Take(letter), {std::string(1, cdDrive) + ":\\"}, " -t cdrom", "CD-ROM"});
    }
    if (!cd.images.empty()) mounts.push_back({Take(FreeLetter('D')), cd.images, " -t iso", "CD-ROM"});
    const bool ownDrive = !enterable || !driveItself;
    if (ownDrive) mounts.push_back({Take(FreeLetter('C')), {_folder}, "", "Path"});

    Line("@echo off");
    // A letter that the player's own configuration mounted is freed first
    // (DOSBox Staging runs the player's [autoexec] before this one); quietly,
    // as DOSBox says so when the letter was free.
    for (const Mount& m : mounts) Line(Format("mount -u %c >NUL", m.letter));
    for (const Mount& m : mounts) {
        const bool images = std::string(m.type) == " -t iso";
        std::string line = (images ? "imgmount " : "mount ") + std::string(1, m.letter);
        for (const std::string& path : m.sources) {
            std::string source;
            if (!Source(path, m.field, source)) return {{}, _result.problem, _result.field};
            line += " \"" + source + "\"";
        }
        Line(line + m.type);
        Unless(std::string(1, m.letter) + ":\\*.*",
               Format("DOSBox could not mount %s as drive %c:.", m.sources.front().c_str(), m.letter));
    }

    const char gameLetter = ownDrive ? mounts.back().letter : drive;
    const std::string program = ownDrive ? std::string(1, gameLetter) + ":\\" + _dosProgram : dosProgram;
    if (!ownDrive && !steps.empty())
        Unless(std::string(1, drive) + ":" + dosFolder + "\\*.*", "its folder " + _folder + " is missing.");
    const bool hasExtension = _dosProgram.find('.', _dosProgram.find_last_of('\\') + 1) != std::string::npos;
    Unless(program + (hasExtension ? "" : ".*"), "its program " + _dosProgram + " is missing in " + _folder + ".");
    Line(Format("%c:", gameLetter));
    if (!ownDrive) Line("cd " + dosFolder);
    // ".\" keeps the shell from taking a program named like one of its own
    // commands (CD.COM, DIR\GAME.EXE) for that command; a batch file is
    // called, so that the lines after it still run.
    const bool batch = _dosProgram.size() > 4 && EqualNoCase(_dosProgram.substr(_dosProgram.size() - 4), ".bat");
    Line((batch ? "call .\\" : ".\\") + Text(_dosProgram) + (_parameters.empty() ? "" : " " + Text(_parameters)));
    if (!_options.keepOpen) Line("exit");
    Line(std::string(":") + kStop);
    return _result;
}

}  // namespace

DosBoxAutoexec MakeDosBoxAutoexec(const DosBoxRun& run, const DosBoxAutoexecOptions& options) {
    return Builder(run, options).Make();
}

bool IsOnCdDrive(const std::string& path) {
    if (!HasDriveLetter(path)) return false;
    const char root[4] = {path[0], ':', '\\', 0};
    return GetDriveTypeA(root) == DRIVE_CDROM;
}
