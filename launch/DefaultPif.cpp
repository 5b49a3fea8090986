// Installs our default DOS program information file while the program runs, and puts the user's back.
#include "launch/DefaultPif.h"
#include "data/Files.h"

#include <vector>

namespace {

const char kInstalledName[] = "_default.pif";
const char kBackupName[] = "_defaultpif.bak";

// Longest path the ANSI file functions accept, without the terminating NUL.
const size_t kMaxPathChars = MAX_PATH - 1;

bool EndsWithSeparator(const std::string& path) { return !path.empty() && (path.back() == '\\' || path.back() == '/'); }

std::string JoinPath(const std::string& folder, const char* name) {
    return EndsWithSeparator(folder) ? folder + name : folder + "\\" + name;
}

// Forms both paths; false when there is no folder or a path would be too long.
bool PifPaths(const std::string& windowsFolder, std::string& installed, std::string& backup) {
    if (windowsFolder.empty()) return false;
    installed = JoinPath(windowsFolder, kInstalledName);
    backup = JoinPath(windowsFolder, kBackupName);
    return installed.size() <= kMaxPathChars && backup.size() <= kMaxPathChars;
}

// Creates or truncates `path` and writes `size` bytes to it; false if the file
// cannot be opened.
bool WriteWholeFile(const std::string& path, const void* bytes, DWORD size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const BYTE* next = static_cast<const BYTE*>(bytes);
    DWORD left = size;
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(file, next, left, &written, nullptr) || written == 0) break;
        next += written;
        left -= written;
    }
    CloseHandle(file);
    return left == 0;
}

}  // namespace

void InstallDefaultPif(const std::string& windowsFolder, HMODULE module) {
    HRSRC info = FindResourceExA(module, QL_PIF_RESOURCE_TYPE, MAKEINTRESOURCEA(QL_PIF_RESOURCE_ID),
                                 MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    if (info == nullptr) return;
    const DWORD size = SizeofResource(module, info);
    HGLOBAL loaded = LoadResource(module, info);
    if (loaded == nullptr || size == 0) return;
    const void* bytes = LockResource(loaded);
    if (bytes == nullptr) return;

    std::string installed, backup;
    if (!PifPaths(windowsFolder, installed, backup)) return;

    // Keep the user's own file once; later runs must not back up our copy.
    // Without a _default.pif the copy simply fails.
    if (!FileExists(backup)) CopyFileA(installed.c_str(), backup.c_str(), FALSE);

    WriteWholeFile(installed, bytes, size);
}

void RestoreDefaultPif(const std::string& windowsFolder) {
    std::string installed, backup;
    if (!PifPaths(windowsFolder, installed, backup)) return;
    if (!FileExists(backup)) return;
    DeleteFileA(installed.c_str());
    CopyFileA(backup.c_str(), installed.c_str(), FALSE);
}

std::string WindowsFolder() {
    std::vector<char> buffer(MAX_PATH + 1);
    UINT length = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        // Too small: the return value is the size needed, NUL included.
        buffer.resize(length + 1);
        length = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length >= buffer.size()) return std::string();
    }
    std::string folder(buffer.data(), length);
    while (EndsWithSeparator(folder)) folder.pop_back();
    return folder;
}
