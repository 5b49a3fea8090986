// Finding an installed or unzipped DOSBox (0.74, DOSBox-X, DOSBox Staging): the
// "DOSBox..." folders of the Program Files folders and of the places where a
// player unzips a portable copy, and the uninstall entries of the registry.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct UninstallKey {
    HKEY root = HKEY_LOCAL_MACHINE;
    std::string path;  // a key whose subkeys are uninstall entries
    REGSAM view = 0;   // KEY_WOW64_64KEY or KEY_WOW64_32KEY: the other view of a 64-bit Windows
};

struct DosBoxSearch {
    std::vector<std::string> programFilesFolders;
    std::vector<std::string> portableFolders;  // searched as the Program Files folders are
    std::vector<UninstallKey> uninstallKeys;
    std::vector<std::string> hostPrograms;     // under Wine: the host's own DOSBox programs, where they may be
};

// This system's Program Files folders (the 32-bit and the 64-bit one where both
// exist); as portable places, |programFolder| (empty: this executable's folder)
// and the folder that holds it, and the root of each fixed drive and its GAMES
// folder ("C:\DOSBox-X", "D:\GAMES\DOSBox"); and the uninstall keys: the
// machine's in each view of a 64-bit Windows (a 32-bit build asks for the 64-bit
// view there, a 64-bit build for the 32-bit one; 32-bit Windows, which has
// one view, is never asked), and the user's. Under Wine, the host's
// Z:\usr\bin and Z:\usr\local\bin dosbox-staging, dosbox-x and dosbox.
DosBoxSearch SystemDosBoxSearch(const std::string& programFolder = {});

// Every DOSBox found: in each folder, its folders whose names start with
// "DOSBox" holding DOSBox.exe or dosbox-x.exe; and each uninstall entry whose
// DisplayName starts with "DOSBox": its DisplayIcon, or those programs in its
// InstallLocation or beside its UninstallString. Only a Windows program counts,
// and of |hostPrograms| a program of the host.
// Of them the best: DOSBox Staging, then DOSBox-X, then 0.74 (IdentifyDosBox);
// within one flavour the newest by the version in its folder's name
// ("DOSBox-0.74-3" after "DOSBox-0.74", "v0.82.0" after "v0.81.2"), then the
// first found. Empty when there is none.
std::string FindDosBox(const DosBoxSearch& search);
