// Registry access for the program's settings.
#include "state/Settings.h"
#include "data/GameFolder.h"
#include "data/RegistryKey.h"
#include "launch/LaunchRoute.h"
#include <cstring>

namespace {

std::string g_keyPath = std::string("Software\\") + kCompanyKey + "\\" + kApplicationKey;

bool OpenSettingsKey(RegistryKey& key) { return key.Open(HKEY_LOCAL_MACHINE, g_keyPath, KEY_READ | KEY_WRITE, true); }

// Reads a value, or writes |firstStart| when it is absent; true when it was there.
bool ReadOrInit(const char* name, DWORD& value, DWORD firstStart) {
    if (ReadSettingValue(name, value)) return true;
    WriteSettingValue(name, firstStart);
    return false;
}

}  // namespace

bool SetSettingsKey(const char* company, const char* application) {
    if (!company || !application || !*company || !*application) return false;
    if (std::strlen(company) > 64 || std::strlen(application) > 64) return false;
    g_keyPath = std::string("Software\\") + company + "\\" + application;
    RegistryKey key;
    return OpenSettingsKey(key);
}

const std::string& SettingsKeyPath() { return g_keyPath; }

bool ReadSettingValue(const char* name, DWORD& value) {
    RegistryKey key;
    return OpenSettingsKey(key) && key.ReadDword(name, value);
}

bool WriteSettingValue(const char* name, DWORD value) {
    RegistryKey key;
    return OpenSettingsKey(key) && key.WriteDword(name, value);
}

bool ReadSettingString(const char* name, std::string& text) {
    text.clear();
    RegistryKey key;
    return OpenSettingsKey(key) && key.ReadString(name, text, 260);
}

SettingWrite WriteSettingString(const char* name, const std::string& text) {
    RegistryKey key;
    if (!OpenSettingsKey(key)) {
        // Try again with plain access: the value may still be writable.
        if (key.Open(HKEY_LOCAL_MACHINE, g_keyPath, KEY_WRITE, false)) key.WriteString(name, text);
        return SettingWrite::KeyFailed;
    }
    return key.WriteString(name, text) ? SettingWrite::Written : SettingWrite::Failed;
}

void Settings::Load() {
    DWORD value = 0;
    ReadOrInit(setting::kReloadEffects, value, 0);
    reloadVerify = ReadOrInit(setting::kReloadVerify, value, 1) ? value != 0 : true;
    WriteSettingValue(setting::kConfirmDelete, 1);
    confirmDelete = true;
    firstStart = !ReadOrInit(setting::kFirstRun, value, 0);
    slowDownTweak = ReadOrInit(setting::kSlowDownTweak, value, 0) ? static_cast<int>(value) : 4;
    spanish = ReadOrInit(setting::kLanguage, value, 0) ? value != 0 : false;
    useDefaultPif = ReadOrInit(setting::kUseDefaultPif, value, 1) ? value != 0 : true;
    // Any unknown stored choice counts as 4.
    storedBackground =
        ReadSettingValue(setting::kBackground, value) ? static_cast<int>(value > 4 ? 4 : value) : kNoBackground;
    dosBoxMode = static_cast<int>(
        DosBoxModeOf(ReadSettingValue(setting::kDosBoxMode, value) ? value : static_cast<DWORD>(DosBoxMode::WhereNeeded)));
    ReadSettingString(setting::kDosBoxPath, dosBoxPath);
    if (ReadSettingValue(setting::kDosBoxScreen, value))
        dosBoxScreen = value <= 2 ? static_cast<int>(value) : 0;
    else
        dosBoxScreen = ReadSettingValue(setting::kDosBoxFullScreen, value) && value != 0 ? 2 : 0;
    dosBoxKeepOpen = ReadSettingValue(setting::kDosBoxKeepOpen, value) && value != 0;
    maxGames = ReadSettingValue(setting::kMaxGames, value) ? ClampMaxGames(value) : kDefaultMaxGames;
    for (int i = 0; i < 4; ++i)
        columnWidths[i] = ReadSettingValue(setting::kColumnWidth[i], value) ? static_cast<int>(value)
                                                                            : kDefaultColumnWidths[i];
}

bool Settings::Save() const {
    for (int i = 0; i < 4; ++i) WriteSettingValue(setting::kColumnWidth[i], static_cast<DWORD>(columnWidths[i]));
    WriteSettingValue(setting::kSlowDownTweak, static_cast<DWORD>(slowDownTweak));
    WriteSettingValue(setting::kLanguage, spanish ? 1 : 0);
    WriteSettingValue(setting::kDosBoxMode, static_cast<DWORD>(dosBoxMode));
    const SettingWrite path = WriteSettingString(setting::kDosBoxPath, dosBoxPath);
    WriteSettingValue(setting::kDosBoxScreen, static_cast<DWORD>(dosBoxScreen));
    RegistryKey key;
    if (OpenSettingsKey(key)) key.DeleteValue(setting::kDosBoxFullScreen);
    WriteSettingValue(setting::kDosBoxKeepOpen, dosBoxKeepOpen ? 1 : 0);
    WriteSettingValue(setting::kMaxGames, static_cast<DWORD>(maxGames));
    return path != SettingWrite::KeyFailed;
}
