// The program's settings in the registry, under
// HKEY_LOCAL_MACHINE\Software\<company>\<application>.
#pragma once
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
// Reads at most 260 bytes into |buffer| (emptied first); false when absent.
bool ReadSettingString(const char* name, char (&buffer)[260]);
// Shows "Failed RegCreateKeyEx" when the key cannot be opened, and still tries.
bool WriteSettingString(const char* name, const char* text);

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
constexpr const char* kColumnWidth[4] = {"ColumnWidth0", "ColumnWidth1", "ColumnWidth2", "ColumnWidth3"};
}  // namespace setting
