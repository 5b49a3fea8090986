// The program's settings in the registry, under
// HKEY_LOCAL_MACHINE\Software\<company>\<application>: the value helpers and
// the one structure that start-up loads and the closing steps save.
#pragma once
#include "data/GameFolder.h"
#include <windows.h>
#include <string>

constexpr char kCompanyKey[] = "Freeware";
constexpr char kApplicationKey[] = "QuillonLoader";

// Chooses the settings key; each name may have at most 64 characters.
bool SetSettingsKey(const char* company, const char* application);
// "Software\Freeware\QuillonLoader" once set.
const std::string& SettingsKeyPath();

// Each creates the key when it does not exist.
bool ReadSettingValue(const char* name, DWORD& value);
bool WriteSettingValue(const char* name, DWORD value);
// Reads at most 259 characters into |text|; false (and |text| empty) when absent.
bool ReadSettingString(const char* name, std::string& text);

enum class SettingWrite {
    Written,
    Failed,     // the key opened, the value could not be written
    KeyFailed,  // the key could not be opened for reading and writing; the value
                // was still tried with write access alone. The player is told.
};
SettingWrite WriteSettingString(const char* name, const std::string& text);

// Registry value names.
namespace setting {
constexpr char kLanguage[] = "Language";
constexpr char kSlowDownTweak[] = "SlowDownTweak";
constexpr char kFirstRun[] = "FirstRun";
constexpr char kConfirmDelete[] = "ConfirmDelete";
constexpr char kReloadVerify[] = "ReloadVerify";
constexpr char kReloadEffects[] = "ReloadEffects";
constexpr char kBackground[] = "Background";
constexpr char kUseDefaultPif[] = "UseDefaultPif";
constexpr char kLastRun[] = "LastRun";
constexpr char kDosBoxMode[] = "DOSBoxMode";
constexpr char kDosBoxPath[] = "DOSBoxPath";
constexpr char kDosBoxScreen[] = "DOSBoxScreen";
constexpr char kDosBoxFullScreen[] = "DOSBoxFullScreen";  // before "DOSBoxScreen": 1 full screen
constexpr char kDosBoxKeepOpen[] = "DOSBoxKeepOpen";
constexpr char kMaxGames[] = "MaxGames";
constexpr const char* kColumnWidth[4] = {"ColumnWidth0", "ColumnWidth1", "ColumnWidth2", "ColumnWidth3"};
}  // namespace setting

struct Settings {
    static constexpr int kDefaultColumnWidths[4] = {190, 85, 100, 145};
    static constexpr int kNoBackground = -1;

    bool spanish = false;           // "Language" non-zero
    int slowDownTweak = 4;          // "SlowDownTweak"
    bool reloadVerify = true;       // "ReloadVerify"
    bool confirmDelete = true;      // always on: start-up writes 1
    bool useDefaultPif = true;      // "UseDefaultPif"
    int storedBackground = kNoBackground;  // "Background" as stored, kNoBackground when absent
    int columnWidths[4] = {190, 85, 100, 145};
    bool firstStart = false;        // "FirstRun" was absent (start-up then writes it)
    // DOSBox: "DOSBoxMode" (0 never, 1 only where Windows cannot run DOS
    // programs, 2 always; absent or anything else is 1), "DOSBoxPath" (the
    // program), "DOSBoxScreen" (DosBoxScreen: 0 DOSBox's own setting, 1
    // windowed, 2 full screen; anything else is 0; absent, an older
    // "DOSBoxFullScreen" other than 0 is full screen, and it is removed at the
    // next save) and "DOSBoxKeepOpen" (0 or absent: off).
    int dosBoxMode = 1;
    std::string dosBoxPath;
    int dosBoxScreen = 0;
    bool dosBoxKeepOpen = false;
    // "MaxGames": how many games the list shows at most (ClampMaxGames of the
    // stored value; absent: 512).
    int maxGames = kDefaultMaxGames;

    // Reads every value. A value that is absent keeps its default and is written
    // as the first start writes it ("SlowDownTweak" 0 and "Language" 0 although 4
    // and English are used, "ReloadEffects" 0, "ReloadVerify" 1, "FirstRun" 0,
    // "UseDefaultPif" 1); "ConfirmDelete" is always written 1. "Background" is
    // left to the start-up's choice.
    void Load();
    // What the closing steps store: the column widths, the slow-down strength,
    // the language, the DOSBox preferences and the maximum of games. False when the key could not be
    // opened for reading and writing for the DOSBox path, the one string among
    // them (the player is told then).
    bool Save() const;
};
