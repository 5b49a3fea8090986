// Application-wide state that start-up sets and every part of the program reads.
#pragma once
#include "launch/VdmSound.h"
#include <atomic>
#include <string>

struct AppState {
    std::string programFolder;  // the executable's folder, no trailing separator
    std::string gamesFolder;    // programFolder + "\Games"
    std::string dataIniPath;    // programFolder + "\Data.ini"
    std::string loaderIniPath;  // programFolder + "\Loader.ini"
    std::string windowsFolder;  // where _default.pif lives; empty: the system's
    std::string commandLine;    // as given to the program
    bool commandLineLaunch = false;

    bool isNt = false;     // Windows NT family
    bool spanish = false;  // Spanish messages
    bool useDefaultPif = true;
    // Read by the slow-down timer on its own thread, so atomic.
    std::atomic<int> slowDownTweak{4};
    bool reloadVerify = true;
    bool confirmDelete = true;
    bool individualUpdating = false;
    int background = 3;  // 0 red, 1 green, 2 blue, 3 grey
    int backgroundBitmap = 0;
    bool startupComplete = false;

    VdmSoundInstall vdm;                                // found once at start-up
    std::string vdmSoundWeb;                            // the VDMSound page, from Data.ini
    std::string vdmSoundFixedFolder = kVdmSoundFolder;  // where the fixed-folder lookup looks
};
