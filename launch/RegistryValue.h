// Writing or removing one string value, as the launch does for the
// compatibility layer of a game's program.
#pragma once
#include <windows.h>

// Where Windows XP keeps the compatibility mode of each program (value name:
// the program's path, data: the layer names).
constexpr char kLayersKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";

// Creates root\keyPath when needed, then sets valueName to data (REG_SZ), or
// deletes the value when data is "DELETE" in any case. False, with nothing
// done, when valueName or data is null or empty; false after telling the user
// when the key cannot be created. True once the value was set or deleted (or
// that was tried: its own failure is not reported).
bool WriteOrDeleteRegistryString(HKEY root, const char* keyPath, const char* valueName, const char* data);
