// Writing or removing one string value, as the launch does for the
// compatibility layer of a game's program.
#pragma once
#include <windows.h>

// Where Windows XP keeps the compatibility mode of each program (value name:
// the program's path, data: the layer names).
constexpr char kLayersKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";

enum class RegistryWrite {
    Done,       // the value was set or deleted (or that was tried: its own failure is not reported)
    Skipped,    // valueName or data null or empty: nothing done
    KeyFailed,  // the key could not be created
};

// Creates root\keyPath when needed, then sets valueName to data (REG_SZ), or
// deletes the value when data is "DELETE" in any case.
RegistryWrite WriteOrDeleteRegistryString(HKEY root, const char* keyPath, const char* valueName, const char* data);
