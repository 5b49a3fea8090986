// Finding the VDMSound sound emulator.
#include "launch/VdmSound.h"
#include "data/Files.h"
#include "data/RegistryKey.h"
#include <windows.h>

namespace {

constexpr char kVdmSoundKey[] = "Software\\Freeware\\VDMSound";
constexpr char kTipsValue[] = "TipsFile";
// VDMSound's own launcher: loads its driver with its settings, then runs the
// game given as the first argument.
constexpr char kLauncherBatch[] = "dosdrv.exe /i:VDMS.INI\nCall %1";

bool FromRegistry(VdmSoundInstall& out) {
    RegistryKey key;
    std::string value;
    // Whatever its type, the value is taken as text.
    if (!key.Open(HKEY_CURRENT_USER, kVdmSoundKey, KEY_READ, false) || !key.ReadString(kTipsValue, value, 260, true))
        return false;
    // The tips file lies in VDMSound's folder; a backslash at the very start
    // leaves no folder name.
    size_t slash = value.rfind('\\');
    if (slash == std::string::npos || slash == 0) return false;
    out.folder = value.substr(0, slash + 1);
    out.launchFile = out.folder + "VDMSRun.pif";
    out.available = true;
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
    WriteWholeFile(out.launchFile, kLauncherBatch, sizeof kLauncherBatch - 1);
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
