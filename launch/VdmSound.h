// Finding the VDMSound sound emulator, once at start-up.
#pragma once
#include <string>

struct VdmSoundInstall {
    bool available = false;
    std::string folder;      // always ends with one backslash
    std::string launchFile;  // what a game is started through
};

// Where FindVdmSound looks.
constexpr int kVdmSoundFromRegistry = 204;
constexpr int kVdmSoundFromFolder = 210;  // start-up's choice; any code but 204 means this

constexpr char kVdmSoundFolder[] = "C:\\Program Files\\VDMSound\\";

// Clears out.available, then tries the one source the mode names:
//  - the registry: the folder of HKCU\Software\Freeware\VDMSound "TipsFile",
//    launched through VDMSRun.pif there (not checked for);
//  - the fixed folder: it must hold LaunchPad.dll; VDMSRun.bat is (re)written
//    there and games are launched through it.
// True, with out filled in and available set, on success.
bool FindVdmSound(int mode, VdmSoundInstall& out, const std::string& fixedFolder = kVdmSoundFolder);

// The registry first, the fixed folder only when that fails.
bool FindVdmSoundAtStartup(VdmSoundInstall& out, const std::string& fixedFolder = kVdmSoundFolder);
