// Application-wide state that start-up sets and every part of the program reads.
#pragma once
#include "launch/LaunchPlan.h"
#include "state/Settings.h"
#include <atomic>
#include <string>

// Where the program keeps its files and looks for the system's; empty fields
// take the real places (the executable's folder, the Windows folder, VDMSound's
// default folder).
struct AppFolders {
    std::string programFolder;
    std::string windowsFolder;
    std::string vdmSoundFolder;
    // DOSBox: when set, the only folder that the start-up search looks in (no
    // registry), and where launches write their configuration files.
    std::string dosBoxSearchFolder;
    std::string dosBoxConfigFolder;
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

    bool windowsRunsDos = true;      // the system runs DOS programs itself (asked at start-up)
    std::string dosBoxConfigFolder;  // where DOSBox launches write their configuration
    SoundBlasterPorts vdmsBlaster;   // VDMSound's Sound Blaster, when its VDMS.INI was read
    bool slowDownOn = false;         // the CPU slow-down box and its period, for DOSBox's speed
    unsigned slowDownPeriod = 110;

    // What a launch plan takes of the system (PlanLaunchNow adds what the disk says).
    LaunchFacts Facts() const {
        LaunchFacts facts;
        facts.isNt = isNt;
        facts.vdm = vdm;
        DosBoxFacts& dosBox = facts.dosBox;
        dosBox.mode = DosBoxModeOf(static_cast<unsigned long>(settings.dosBoxMode));
        dosBox.windowsRunsDos = windowsRunsDos;
        dosBox.program = settings.dosBoxPath;
        dosBox.configFolder = dosBoxConfigFolder;
        dosBox.options.screen = static_cast<DosBoxScreen>(settings.dosBoxScreen);
        dosBox.options.keepOpen = settings.dosBoxKeepOpen;
        dosBox.options.slowDown = slowDownOn;
        dosBox.options.slowDownPeriod = slowDownPeriod;
        dosBox.options.blaster = vdmsBlaster;
        return facts;
    }
};
