// Finding the VDMSound sound emulator.
#include "launch/VdmSound.h"
#include "data/Files.h"
#include <windows.h>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kVdmSoundKey[] = "Software\\Freeware\\VDMSound";
constexpr char kTipsValue[] = "TipsFile";
// VDMSound's own launcher: loads its driver with its settings, then runs the
// game given as the first argument.
constexpr char kLauncherBatch[] = "dosdrv.exe /i:VDMS.INI\nCall %1";

bool FromRegistry(VdmSoundInstall& out) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kVdmSoundKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
    char value[260] = {};
    DWORD size = sizeof value;
    // Whatever its type, the value is taken as text.
    if (RegQueryValueExA(key, kTipsValue, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS) {
        RegCloseKey(key);
        return false;
    }
    value[sizeof value - 1] = '\0';

    // The tips file lies in VDMSound's folder; a backslash at the very start
    // leaves no folder name.
    size_t slash = 0;
    for (size_t i = std::strlen(value); i-- > 1;) {
        if (value[i] == '\\') {
            slash = i;
            break;
        }
    }
    if (slash == 0) {
        RegCloseKey(key);
        return false;
    }
    out.folder.assign(value, slash + 1);
    out.launchFile = out.folder + "VDMSRun.pif";
    out.available = true;
    RegCloseKey(key);
    return true;
}

bool FromFolder(const std::string& fixedFolder, VdmSoundInstall& out) {
    std::string folder = fixedFolder;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    if (!FileExists(folder + "LaunchPad.dll")) return false;

    out.folder = folder;
    out.launchFile = folder + "VDMSRun.bat";
    out.available = true;

    // Our launcher replaces whatever is there, even a read-only one. When it
    // cannot be written the old one (if any) is used.
    SetFileAttributesA(out.launchFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (FILE* f = std::fopen(out.launchFile.c_str(), "w+b")) {
        std::fwrite(kLauncherBatch, 1, sizeof kLauncherBatch - 1, f);
        std::fclose(f);
    }
    return true;
}

}  // namespace

bool FindVdmSound(int mode, VdmSoundInstall& out, const std::string& fixedFolder) {
    out.available = false;
    if (mode == kVdmSoundFromRegistry) return FromRegistry(out);
    return FromFolder(fixedFolder, out);
}

bool FindVdmSoundAtStartup(VdmSoundInstall& out, const std::string& fixedFolder) {
    if (FindVdmSound(kVdmSoundFromRegistry, out, fixedFolder)) return true;
    return FindVdmSound(kVdmSoundFromFolder, out, fixedFolder);
}
