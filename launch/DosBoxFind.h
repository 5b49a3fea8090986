// Finding an installed DOSBox (0.74, DOSBox-X, DOSBox Staging): the usual
// install folders in every Program Files folder, then the uninstall entries of
// the registry.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct UninstallKey {
    HKEY root = HKEY_LOCAL_MACHINE;
    std::string path;  // a key whose subkeys are uninstall entries
    REGSAM view = 0;   // KEY_WOW64_64KEY for the 64-bit view from a 32-bit program
};

struct DosBoxSearch {
    std::vector<std::string> programFilesFolders;
    std::vector<UninstallKey> uninstallKeys;
};

// This system's Program Files folders (the 32-bit and the 64-bit one where both
// exist) and its uninstall keys (the machine's in each view, and the user's).
DosBoxSearch SystemDosBoxSearch();

// In each Program Files folder, its folders whose names start with "DOSBox"
// (newest-looking name first) holding DOSBox.exe or dosbox-x.exe; then each
// uninstall entry whose DisplayName starts with "DOSBox": its DisplayIcon, or
// those programs in its InstallLocation or beside its UninstallString. Only a
// Windows program counts. Empty when there is none.
std::string FindDosBox(const DosBoxSearch& search);
