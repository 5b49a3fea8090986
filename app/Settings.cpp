// Registry access for the program's settings.
#include "app/Settings.h"
#include "app/Texts.h"
#include "win/UserInterface.h"
#include <cstring>

namespace {

std::string g_keyPath = std::string("Software\\") + kCompanyKey + "\\" + kApplicationKey;

HKEY OpenSettingsKey() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, g_keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

bool SetSettingsKey(const char* company, const char* application) {
    if (!company || !application || !*company || !*application) return false;
    if (std::strlen(company) > 64 || std::strlen(application) > 64) return false;
    g_keyPath = std::string("Software\\") + company + "\\" + application;
    HKEY key = OpenSettingsKey();
    if (!key) return false;
    RegCloseKey(key);
    return true;
}

const std::string& SettingsKeyPath() { return g_keyPath; }

bool ReadSettingValue(const char* name, DWORD& value) {
    HKEY key = OpenSettingsKey();
    if (!key) return false;
    DWORD type = 0, data = 0, size = sizeof data;
    LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) return false;
    value = data;
    return true;
}

bool WriteSettingValue(const char* name, DWORD value) {
    HKEY key = OpenSettingsKey();
    if (!key) return false;
    LONG r = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

bool ReadSettingString(const char* name, char (&buffer)[260]) {
    std::memset(buffer, 0, sizeof buffer);
    HKEY key = OpenSettingsKey();
    if (!key) return false;
    DWORD type = 0, size = sizeof buffer - 1;
    LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        std::memset(buffer, 0, sizeof buffer);
        return false;
    }
    return true;
}

bool WriteSettingString(const char* name, const char* text) {
    HKEY key = OpenSettingsKey();
    if (!key) {
        win::Ui().ShowMessage(nullptr, "Failed RegCreateKeyEx", kAppName, MB_OK);
        // Try again with plain access: the value may still be writable.
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_keyPath.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS) return false;
    }
    const char* t = text ? text : "";
    LONG r =
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(t), static_cast<DWORD>(std::strlen(t) + 1));
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}
