// What kind of program a game's Command names, from its first bytes: Windows
// programs run only on Windows, DOS programs also in DOSBox.
#pragma once
#include "data/GameRecord.h"
#include <string>

enum class ProgramKind {
    Windows,  // a PE image: "MZ" whose header offset (at 0x3C) points at "PE\0\0"
    Dos,      // a .COM, .EXE or .BAT that is not a PE image
    Host,     // an ELF image: a program of the host system, which only Wine can start
    Other,    // anything else (a .PIF, a document, a missing file): the shell's to open
};

ProgramKind KindOfProgram(const std::string& path);

// True for a PE image (a Windows program) that can be read.
bool IsWindowsProgram(const std::string& path);

// True for an ELF image ("\x7F" "ELF"): a Linux program, as Wine shows the host's
// files (Z:\usr\bin\dosbox).
bool IsHostProgram(const std::string& path);

// A program that may serve as DOSBox: a Windows program, or, where this program
// runs under Wine, a host program (the host's own DOSBox).
bool IsDosBoxProgram(const std::string& path, bool underWine);

// A game whose Command, in its Path, is a DOS program (KindOfProgram): the games
// whose DOSBox settings and sound setup the windows show. A game without a Path
// or a Command is none.
bool IsDosGame(const GameRecord& game);
