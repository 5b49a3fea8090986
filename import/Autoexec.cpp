// Following the mounts, drive changes and folder changes of an [autoexec].
#include "import/Autoexec.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include "import/ImportPaths.h"
#include <algorithm>
#include <cctype>

namespace {

// DOS itself takes 64 characters; a longer path is no folder a game runs in.
constexpr size_t kMaxDosPath = 255;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

std::vector<std::string> Steps(const std::string& path) {
    std::vector<std::string> steps;
    std::string step;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !IsSeparator(path[i])) {
            step += path[i];
        } else if (!step.empty()) {
            steps.push_back(step);
            step.clear();
        }
    }
    return steps;
}

// Commands of DOSBox's shell and programs of its own drive: a line that starts
// with one of them is not the game's program.
bool IsShellCommand(const std::string& command) {
    static const char* const kCommands[] = {
        "attrib", "boot",  "break", "choice", "config", "copy",   "date",    "del",      "dir",    "erase",  "for",
        "goto",   "if",    "intro", "keyb",   "label",  "lh",     "loadfix", "loadhigh", "ls",     "md",     "mem",
        "mixer",  "mkdir", "move",  "path",   "pause",  "prompt", "rd",      "ren",      "rename", "rescan", "rmdir",
        "set",    "shift", "subst", "time",   "type",   "ver",    "vol",     "xcopy"};
    if (!command.empty() && command[0] == ':') return true;  // a label
    for (const char* c : kCommands)
        if (command == c) return true;
    return false;
}

// Options of mount and imgmount that take a value.
bool TakesValue(const std::string& option) {
    static const char* const kOptions[] = {"-t", "-label", "-size", "-freesize", "-usecd", "-fs", "-ide"};
    for (const char* o : kOptions)
        if (option == o) return true;
    return false;
}

}  // namespace

Autoexec::Autoexec(std::string baseFolder) : _base(std::move(baseFolder)) {}

bool Autoexec::Mount(char letter, const DosDrive& drive) {
    letter = Upper(letter);
    if (letter < 'A' || letter > 'Y' || drive.kind == DriveKind::None) return false;
    const bool cd = drive.kind == DriveKind::CdRom || drive.kind == DriveKind::CdImages;
    if (cd && _cdRom && _cdRom != letter) return false;  // the game gets one CD-ROM drive
    _drives[static_cast<size_t>(letter - 'A')] = drive;
    _folders[static_cast<size_t>(letter - 'A')].clear();
    if (cd)
        _cdRom = letter;
    else if (_cdRom == letter)
        _cdRom = 0;
    return true;
}

void Autoexec::Run(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) Line(i, lines[i]);
}

void Autoexec::Line(size_t index, const std::string& raw) {
    std::string line = TrimBlanks(raw);
    while (!line.empty() && line[0] == '@') line = TrimBlanks(line.substr(1));
    if (line.empty() || line[0] == '#' || line.compare(0, 2, "::") == 0) return;
    std::vector<std::string> words = SplitWords(line);
    if (words.empty()) return;
    std::string command = LowerCase(words[0]);
    // "cd\games", "cd..": the command and its folder in one word.
    if (command.size() > 2 && command.compare(0, 2, "cd") == 0 && (IsSeparator(command[2]) || command[2] == '.')) {
        words.insert(words.begin() + 1, words[0].substr(2));
        command = "cd";
    }
    if (command == "rem" || command == "cls" || command == "exit" || command == "echo" ||
        command.compare(0, 5, "echo.") == 0)
        return;
    bool understood = false;
    if (command == "mount" || command == "imgmount") {
        understood = MountLine(words, command == "imgmount");
    } else if (command.size() == 2 && command[1] == ':' && words.size() == 1) {
        const char drive = Upper(command[0]);
        understood = drive == 'Z' || (drive >= 'A' && drive < 'Z' && DriveOf(drive).kind != DriveKind::None);
        if (understood) _drive = drive;
    } else if (command == "cd" || command == "chdir") {
        understood = words.size() == 1 || (words.size() == 2 && ChangeFolder(words[1]));
    } else if (command == "call") {
        understood = words.size() >= 2 && ProgramLine(index, raw, AfterFirstWord(line));
    } else if (!IsShellCommand(command)) {
        understood = ProgramLine(index, raw, line);
    }
    if (!understood) _unmapped.push_back({index, TrimBlanks(raw)});
}

// "mount X folder [-t cdrom|floppy|dir] [options]", "imgmount X image... -t iso|cdrom [options]".
bool Autoexec::MountLine(const std::vector<std::string>& words, bool image) {
    if (words.size() < 3) return false;
    std::string letter = words[1];
    if (letter.size() == 2 && letter[1] == ':') letter.pop_back();
    if (letter.size() != 1) return false;
    std::string type;
    std::vector<std::string> paths;
    for (size_t i = 2; i < words.size(); ++i) {
        const std::string word = LowerCase(words[i]);
        if (word.size() > 1 && word[0] == '-') {
            if (word == "-u") return false;  // an unmount
            if (word == "-t" && i + 1 < words.size()) type = LowerCase(words[i + 1]);
            if (TakesValue(word)) ++i;
        } else {
            paths.push_back(words[i]);
        }
    }
    DosDrive drive;
    if (paths.empty() || (!image && paths.size() > 1)) return false;
    if (image) {
        if (type != "iso" && type != "cdrom") return false;  // floppy and hard disk images are no folder
        drive.kind = DriveKind::CdImages;
        for (const std::string& path : paths) drive.images.push_back(FullPath(path, _base));
    } else {
        if (type.empty() || type == "dir" || type == "floppy")
            drive.kind = DriveKind::Folder;
        else if (type == "cdrom")
            drive.kind = DriveKind::CdRom;
        else
            return false;
        drive.host = FullPath(paths[0], _base);
    }
    return Mount(letter[0], drive);
}

bool Autoexec::Resolve(const std::string& dosPath, char& drive, std::string& steps) const {
    std::string path = dosPath;
    drive = _drive;
    if (HasDrive(path)) {
        drive = Upper(path[0]);
        path = path.substr(2);
    }
    std::vector<std::string> parts;
    if (path.empty() || !IsSeparator(path[0])) parts = Steps(_folders[static_cast<size_t>(drive - 'A')]);
    for (const std::string& step : Steps(path)) {
        if (step == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (step != ".") {
            parts.push_back(step);
        }
    }
    steps.clear();
    for (const std::string& part : parts) steps += (steps.empty() ? "" : "\\") + part;
    return steps.size() <= kMaxDosPath;
}

bool Autoexec::ChangeFolder(const std::string& target) {
    char drive = 0;
    std::string steps;
    if (!Resolve(target, drive, steps) || (drive != 'Z' && DriveOf(drive).kind == DriveKind::None)) return false;
    _folders[static_cast<size_t>(drive - 'A')] = steps;
    return true;
}

bool Autoexec::ProgramLine(size_t index, const std::string& raw, const std::string& line) {
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty()) return false;
    const std::string& program = words[0];
    const std::vector<std::string> named = Steps(HasDrive(program) ? program.substr(2) : program);
    if (named.empty()) return false;
    for (const std::string& step : named)
        if (step != "." && step != ".." && !IsDosName(step)) return false;
    Program p;
    if (!Resolve(program, p.drive, p.path) || p.path.empty() || p.drive == 'Z') return false;
    p.line = index;
    p.text = TrimBlanks(raw);
    p.workDrive = _drive;
    p.workFolder = _folders[static_cast<size_t>(_drive - 'A')];
    p.parameters = AfterFirstWord(line);
    _programs.push_back(p);
    return true;
}

bool Autoexec::HostPathOf(const std::string& dosPath, ImportedPath& host) const {
    char drive = 0;
    std::string steps;
    if (!Resolve(dosPath, drive, steps) || drive == 'Z') return false;
    const DosDrive& d = DriveOf(drive);
    if (d.kind != DriveKind::Folder && d.kind != DriveKind::CdRom) return false;
    host = JoinSteps(d.host, steps);
    return true;
}

void Autoexec::FillProgram(ImportedGame& game) const {
    auto isFolder = [&](char d) {
        return d >= 'A' && d < 'Z' && (DriveOf(d).kind == DriveKind::Folder || DriveOf(d).kind == DriveKind::CdRom);
    };
    if (_programs.empty()) {
        game.Note(ImportNoteKind::NoProgram);
        // The folder DOSBox is left in, or else the first drive's root.
        char drive = _drive;
        std::string folder = drive < 'Z' ? _folders[static_cast<size_t>(drive - 'A')] : std::string();
        for (char d = 'A'; !isFolder(drive) && d < 'Z'; ++d) {
            drive = d;
            folder.clear();
        }
        if (!isFolder(drive))
            game.Note(ImportNoteKind::NoFolder);
        else
            game.folder = JoinSteps(DriveOf(drive).host, folder);
        return;
    }
    const Program& p = _programs.back();
    if (!isFolder(p.drive)) {
        game.Note(ImportNoteKind::NoFolder, std::string(1, p.drive) + ":");
        return;
    }
    // The program in the folder DOSBox is in (or below it), or else in its own folder.
    std::string folder = p.workFolder, command;
    if (p.workDrive != p.drive || !RelativeTo("X:\\" + folder, "X:\\" + p.path, command)) {
        const size_t slash = p.path.find_last_of('\\');
        folder = slash == std::string::npos ? std::string() : p.path.substr(0, slash);
        command = p.path.substr(slash + 1);
    }
    game.folder = JoinSteps(DriveOf(p.drive).host, folder);
    game.command = command;
    game.parameters = p.parameters;
}

void Autoexec::FillRest(ImportedGame& game) const {
    if (_cdRom) {
        const DosDrive& cd = DriveOf(_cdRom);
        game.cdRom.letter = _cdRom;
        game.cdRom.kind = cd.kind == DriveKind::CdImages ? CdRomKind::Images : CdRomKind::Drive;
        game.cdRom.drive = cd.host;
        game.cdRom.images = cd.images;
    }
    std::vector<std::pair<size_t, std::string>> lines = _unmapped;
    for (size_t i = 0; i + 1 < _programs.size(); ++i) lines.push_back({_programs[i].line, _programs[i].text});
    std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& line : lines) game.unmapped.push_back(line.second);
}
