// The [autoexec] of a DOSBox configuration read as DOSBox would run it, as far
// as an import needs: the drives its mount and imgmount lines make, the drive
// and folder its "X:" and cd lines change to, and the program it starts. Lines
// it does not understand are kept as written; comments, "@echo off", "cls" and
// "exit" are known and dropped.
#pragma once
#include "import/ImportedGame.h"
#include <array>
#include <string>
#include <vector>

enum class DriveKind { None, Folder, CdRom, CdImages };

struct DosDrive {
    DriveKind kind = DriveKind::None;
    ImportedPath host;                 // Folder, CdRom: what was mounted
    std::vector<ImportedPath> images;  // CdImages
};

class Autoexec {
public:
    // Relative host paths are taken from |baseFolder|.
    explicit Autoexec(std::string baseFolder);

    // A drive made before the lines run (D-Fend Reloaded's mount list); the
    // first CD-ROM drive is the game's CD-ROM. False for a letter DOSBox
    // keeps for itself (Z) or none at all.
    bool Mount(char letter, const DosDrive& drive);
    void Run(const std::vector<std::string>& lines);

    // The host path of a DOS path ("C:\KEEN\SETUP.EXE", "\GO.BAT", "KEEN")
    // on a mounted folder, from the drive and folder current at the end.
    bool HostPathOf(const std::string& dosPath, ImportedPath& host) const;

    // The game's folder (the host folder of the program's working folder),
    // Command and parameters, with a note when there is no program or no folder.
    void FillProgram(ImportedGame& game) const;
    // The game's CD-ROM and the lines that were not understood (program lines
    // that a later one replaced among them), in their order.
    void FillRest(ImportedGame& game) const;

private:
    struct Program {
        size_t line = 0;
        std::string text;        // the line as written
        char workDrive = 'Z';    // the drive and folder DOSBox is in
        std::string workFolder;  // "GAMES\KEEN"
        char drive = 'Z';        // the program's drive
        std::string path;        // its DOS path from that drive's root ("GAMES\KEEN\KEEN4E.EXE")
        std::string parameters;
    };

    void Line(size_t index, const std::string& raw);
    bool MountLine(const std::vector<std::string>& words, bool image);
    bool ChangeFolder(const std::string& target);
    bool ProgramLine(size_t index, const std::string& raw, const std::string& line);
    // A DOS path's drive and its steps from the root, from the current state.
    bool Resolve(const std::string& dosPath, char& drive, std::string& steps) const;
    const DosDrive& DriveOf(char letter) const { return _drives[static_cast<size_t>(letter - 'A')]; }

    std::string _base;
    std::array<DosDrive, 26> _drives;
    std::array<std::string, 26> _folders;  // the current folder of each drive
    char _drive = 'Z';
    char _cdRom = 0;  // the first CD-ROM drive
    std::vector<Program> _programs;
    std::vector<std::pair<size_t, std::string>> _unmapped;
};
