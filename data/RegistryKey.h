// One open registry key, closed when the object goes; values read and written
// as DWORDs or strings. A failed read leaves the caller's value untouched.
#pragma once
#include <windows.h>
#include <string>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens root\path, creating it when |create| is set; false when it cannot.
    bool Open(HKEY root, const std::string& path, REGSAM access, bool create);
    void Close();
    bool IsOpen() const { return _key != nullptr; }

    // A REG_DWORD value; false when absent or of another type or size.
    bool ReadDword(const char* name, DWORD& value) const;
    // A string value of at most |maxBytes| bytes, cut to |maxBytes| - 1
    // characters; REG_SZ or REG_EXPAND_SZ unless |anyType| (then the bytes are
    // taken as text).
    bool ReadString(const char* name, std::string& value, size_t maxBytes = MAX_PATH, bool anyType = false) const;
    bool WriteDword(const char* name, DWORD value);
    // null |name|: the key's default value.
    bool WriteString(const char* name, const std::string& value);
    bool DeleteValue(const char* name);
    // The name of subkey |index| (from 0); false past the last one.
    bool SubkeyName(DWORD index, std::string& name) const;

private:
    HKEY _key = nullptr;
};
