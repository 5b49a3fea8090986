// Writing or removing one string value.
#include "launch/RegistryValue.h"
#include "app/Texts.h"
#include "win/UserInterface.h"
#include <cstring>

bool WriteOrDeleteRegistryString(HKEY root, const char* keyPath, const char* valueName, const char* data) {
    if (!valueName || !*valueName || !data || !*data) return false;
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        // Told, but not fatal: the game is still launched, just without the setting.
        win::Ui().ShowMessage(nullptr, "Failed RegCreateKeyEx", kAppName, MB_OK);
        return false;
    }
    if (_stricmp(data, "DELETE") == 0)
        RegDeleteValueA(key, valueName);
    else
        RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                       static_cast<DWORD>(std::strlen(data) + 1));
    RegCloseKey(key);
    return true;
}
