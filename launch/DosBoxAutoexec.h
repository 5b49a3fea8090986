// The [autoexec] section of a DOSBox launch: the commands that mount the
// game's drives (its folder, its CD-ROM) and start its program in its folder.
// Before the program starts, every step is checked inside DOSBox: a drive that
// did not mount, a folder or a program that is missing stops there with a line
// that says so, and DOSBox stays open; only a program that started and ended
// closes DOSBox. A pure function of plain values: what a flavour of DOSBox or
// its host needs comes in as a choice.
#pragma once
#include <functional>
#include <string>
#include <vector>

enum class DosBoxProblem {
    None,
    UnsafeText,  // a line break, another control character or one of | < > % "
    NotDosName,  // the program is not a DOS name (eight characters, a dot and three) in the folder
    NoDrive,     // a path does not start with a drive letter, or has no path on DOSBox's host
};

// The game's CD-ROM: none (no drive and no images), a CD drive of this computer
// ('E'), or disc images (.iso, .cue; the first disc first, the next one by
// DOSBox's key for it, Ctrl+F4).
struct DosBoxCdRom {
    char drive = 0;
    std::vector<std::string> images;
};

// What DOSBox starts.
struct DosBoxRun {
    std::string folder;                    // the game's folder, "C:\GAMES\X"
    bool folderOnCdDrive = false;          // it lies on a CD drive (IsOnCdDrive)
    std::string program;                   // in the folder: "GAME.EXE", "BIN\START.BAT"
    std::string programField = "Command";  // the program's field, named when it is refused
    std::string parameters;                // its arguments
    DosBoxCdRom cdRom;
};

// What differs between DOSBox flavours and their hosts, as plain choices.
struct DosBoxAutoexecOptions {
    bool keepOpen = false;  // no "exit" after the program: DOSBox stays at its prompt
    bool utf8 = false;      // DOSBox reads its configuration as UTF-8 (Staging), not as code page 1252 (0.74, DOSBox-X)
    // A Windows path as DOSBox's host names it (the host's own DOSBox under
    // Wine), already in the host's encoding; empty when it has none. Unset:
    // DOSBox runs on Windows and takes the paths as they are.
    std::function<std::string(const std::string&)> hostPath;
};

struct DosBoxAutoexec {
    std::vector<std::string> lines;  // the section's lines after "[autoexec]"; none when refused
    DosBoxProblem problem = DosBoxProblem::None;
    std::string field;  // "Path", the program's field, "parameters" or "CD-ROM"
};

// The game's drive is mounted as itself, so that paths stored at its
// installation resolve, and the program starts from its folder with "cd". A
// folder that DOS cannot enter (a step that is not an ASCII DOS name, or a path
// longer than DOS keeps) becomes a drive of its own, and so does every folder
// on Z:, which is DOSBox's own drive. A CD drive or images get the letter of
// the drive, or the first free one from D:. Texts reach the section only when
// they pass HasDosBoxSyntax (data/NameRules.h).
DosBoxAutoexec MakeDosBoxAutoexec(const DosBoxRun& run, const DosBoxAutoexecOptions& options);

// True when |path| starts with the letter of a CD-ROM drive of this computer.
bool IsOnCdDrive(const std::string& path);
