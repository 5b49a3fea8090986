// Registry key wrapper.
#include "data/RegistryKey.h"
#include <vector>

bool RegistryKey::Open(HKEY root, const std::string& path, REGSAM access, bool create) {
    Close();
    LONG r = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &_key,
                                      nullptr)
                    : RegOpenKeyExA(root, path.c_str(), 0, access, &_key);
    if (r != ERROR_SUCCESS) _key = nullptr;
    return _key != nullptr;
}

void RegistryKey::Close() {
    if (_key) RegCloseKey(_key);
    _key = nullptr;
}

bool RegistryKey::ReadDword(const char* name, DWORD& value) const {
    if (!_key) return false;
    DWORD type = 0, data = 0, size = sizeof data;
    if (RegQueryValueExA(_key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return false;
    value = data;
    return true;
}

bool RegistryKey::ReadString(const char* name, std::string& value, size_t maxBytes, bool anyType) const {
    if (!_key || maxBytes < 1) return false;
    std::vector<char> buffer(maxBytes, '\0');
    DWORD type = 0, size = static_cast<DWORD>(maxBytes);
    if (RegQueryValueExA(_key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return false;
    if (!anyType && type != REG_SZ && type != REG_EXPAND_SZ) return false;
    buffer[maxBytes - 1] = '\0';
    value = buffer.data();
    return true;
}

bool RegistryKey::WriteDword(const char* name, DWORD value) {
    return _key && RegSetValueExA(_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
                       ERROR_SUCCESS;
}

bool RegistryKey::WriteString(const char* name, const std::string& value) {
    return _key && RegSetValueExA(_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const char* name) { return _key && RegDeleteValueA(_key, name) == ERROR_SUCCESS; }

bool RegistryKey::SubkeyName(DWORD index, std::string& name) const {
    char buffer[256];
    DWORD size = sizeof buffer;
    if (!_key || RegEnumKeyExA(_key, index, buffer, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    name.assign(buffer, size);
    return true;
}
