// Which way a game goes: to Windows (the shell, VDMSound, as always) or to
// DOSBox, from the "DOSBoxMode" preference, the game's "Run with" choice, the
// kind of its program and whether Windows can run DOS programs at all.
#pragma once
#include "data/GameRecord.h"
#include "launch/ProgramKind.h"

// "DOSBoxMode": 0 never, 1 only where Windows cannot run DOS programs, 2 always.
enum class DosBoxMode { Never = 0, WhereNeeded = 1, Always = 2 };
// A stored value outside 0 to 2 counts as WhereNeeded, as an absent one does.
DosBoxMode DosBoxModeOf(unsigned long stored);

enum class LaunchRoute { Windows, DosBox };

// A Windows program always goes to Windows, and so does a file that DOSBox
// cannot run. Otherwise the game's own choice wins; Default follows the mode.
LaunchRoute ChooseLaunchRoute(DosBoxMode mode, RunWith choice, bool windowsRunsDos, ProgramKind kind);

// False on 64-bit Windows (this program under WOW64, found by IsWow64Process,
// which Windows 95 lacks), under Wine, and always for a 64-bit build: none of
// them has the DOS subsystem.
bool WindowsRunsDosPrograms();
