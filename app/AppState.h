// Application-wide state that start-up sets and every part of the program reads.
#pragma once
#include "app/Settings.h"
#include "launch/VdmSound.h"
#include <atomic>
#include <string>

// Where the program keeps its files and looks for the system's; empty fields
// take the real places (the executable's folder, the Windows folder, VDMSound's
// default folder).
struct AppFolders {
    std::string programFolder;
    std::string windowsFolder;
    std::string vdmSoundFolder;
};

struct AppState {
    std::string programFolder;  // the executable's folder, no trailing separator
    std::string gamesFolder;    // programFolder + "\Games"
    std::string dataIniPath;    // programFolder + "\Data.ini"
    std::string loaderIniPath;  // programFolder + "\Loader.ini"
    std::string windowsFolder;  // where _default.pif lives
    std::string vdmSoundFixedFolder = kVdmSoundFolder;  // where the fixed-folder lookup looks
    std::string commandLine;    // as given to the program
    bool commandLineLaunch = false;

    bool isNt = false;  // Windows NT family
    Settings settings;
    // Read by the slow-down timer on its own thread, so atomic.
    std::atomic<int> slowDownTweak{4};
    bool individualUpdating = false;  // the list repaints and shows each game while it fills
    int backgroundBitmap = 0;
    bool startupComplete = false;

    VdmSoundInstall vdm;      // found once at start-up
    std::string vdmSoundWeb;  // the VDMSound page, from Data.ini

    bool Spanish() const { return settings.spanish; }
};
