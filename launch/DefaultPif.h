// Puts our own _default.pif into the Windows folder for DOS games and puts the user's back.
#pragma once

#include <windows.h>

#include <string>

// Resource type and identifier of the embedded default PIF (res/default.pif).
#define QL_PIF_RESOURCE_TYPE "PIFFILE"
#define QL_PIF_RESOURCE_ID 182

// Writes the PIF embedded in `module` over windowsFolder\_default.pif. The
// first time, the file found there is copied to windowsFolder\_defaultpif.bak;
// an existing backup is never replaced. Fails silently.
void InstallDefaultPif(const std::string& windowsFolder, HMODULE module);

// Copies windowsFolder\_defaultpif.bak back over windowsFolder\_default.pif.
// Does nothing when there is no backup; the backup itself is kept.
void RestoreDefaultPif(const std::string& windowsFolder);

// The Windows folder without a trailing backslash ("C:\WINDOWS"), or "" if
// Windows cannot tell.
std::string WindowsFolder();
