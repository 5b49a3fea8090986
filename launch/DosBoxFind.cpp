// The start-up search for DOSBox.
#include "launch/DosBoxFind.h"
#include "data/RegistryKey.h"
#include "data/Strings.h"
#include "launch/LaunchRoute.h"
#include "launch/ProgramKind.h"
#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

const char* const kProgramNames[] = {"DOSBox.exe", "dosbox-x.exe"};
constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::string ProgramIn(const std::string& folder) {
    if (folder.empty()) return {};
    const std::string base = folder.back() == '\\' ? folder : folder + "\\";
    for (const char* name : kProgramNames)
        if (IsWindowsProgram(base + name)) return base + name;
    return {};
}

bool StartsWithDosBox(const std::string& text) { return text.size() >= 6 && EqualNoCase(text.substr(0, 6), "DOSBox"); }

std::string Unquoted(std::string text) {
    while (!text.empty() && text.front() == ' ') text.erase(0, 1);
    if (!text.empty() && text.front() == '"') {
        const size_t end = text.find('"', 1);
        return text.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    }
    return text;
}

// "C:\DOSBox\DOSBox.exe,0" names the program; the number picks its icon.
std::string IconProgram(const std::string& icon) {
    std::string path = Unquoted(icon);
    const size_t comma = path.rfind(',');
    if (comma != std::string::npos &&
        path.find_first_not_of("-0123456789 ", comma + 1) == std::string::npos)
        path.erase(comma);
    return IsWindowsProgram(path) ? path : std::string();
}

std::string FromProgramFiles(const std::string& programFiles) {
    std::vector<std::string> folders;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((programFiles + "\\DOSBox*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return {};
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) folders.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) { return LessNoCase(b, a); });
    for (const auto& folder : folders) {
        const std::string found = ProgramIn(programFiles + "\\" + folder);
        if (!found.empty()) return found;
    }
    return {};
}

std::string FromUninstallEntry(const UninstallKey& where, const std::string& entry) {
    RegistryKey key;
    if (!key.Open(where.root, where.path + "\\" + entry, KEY_READ | where.view, false)) return {};
    std::string name, icon, location, uninstaller;
    if (!key.ReadString("DisplayName", name) || !StartsWithDosBox(name)) return {};
    if (key.ReadString("DisplayIcon", icon)) {
        const std::string found = IconProgram(icon);
        if (!found.empty()) return found;
    }
    if (key.ReadString("InstallLocation", location)) {
        const std::string found = ProgramIn(Unquoted(location));
        if (!found.empty()) return found;
    }
    if (key.ReadString("UninstallString", uninstaller)) {
        const std::string path = Unquoted(uninstaller);
        const size_t slash = path.rfind('\\');
        if (slash != std::string::npos) return ProgramIn(path.substr(0, slash));
    }
    return {};
}

std::string FromUninstallKey(const UninstallKey& where) {
    RegistryKey key;
    if (!key.Open(where.root, where.path, KEY_READ | where.view, false)) return {};
    std::string entry;
    for (DWORD i = 0; key.SubkeyName(i, entry); ++i) {
        const std::string found = FromUninstallEntry(where, entry);
        if (!found.empty()) return found;
    }
    return {};
}

void AddFolder(std::vector<std::string>& folders, std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    if (folder.empty()) return;
    for (const auto& f : folders)
        if (EqualNoCase(f, folder)) return;
    folders.push_back(folder);
}

}  // namespace

DosBoxSearch SystemDosBoxSearch() {
    DosBoxSearch search;
    for (const char* variable : {"ProgramFiles", "ProgramW6432", "ProgramFiles(x86)"})
        if (const char* value = std::getenv(variable)) AddFolder(search.programFilesFolders, value);
    RegistryKey windows;
    if (windows.Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", KEY_READ, false)) {
        for (const char* name : {"ProgramFilesDir", "ProgramFilesDir (x86)"}) {
            std::string folder;
            if (windows.ReadString(name, folder)) AddFolder(search.programFilesFolders, folder);
        }
    }
    AddFolder(search.programFilesFolders, "C:\\Program Files");
    search.uninstallKeys.push_back({HKEY_LOCAL_MACHINE, kUninstall, 0});
    // A 32-bit program on 64-bit Windows sees the 32-bit entries; the 64-bit
    // ones need their own view, which older Windows does not know.
    if (!WindowsRunsDosPrograms() && sizeof(void*) == 4)
        search.uninstallKeys.push_back({HKEY_LOCAL_MACHINE, kUninstall, KEY_WOW64_64KEY});
    search.uninstallKeys.push_back({HKEY_CURRENT_USER, kUninstall, 0});
    return search;
}

std::string FindDosBox(const DosBoxSearch& search) {
    for (const auto& folder : search.programFilesFolders) {
        const std::string found = FromProgramFiles(folder);
        if (!found.empty()) return found;
    }
    for (const auto& key : search.uninstallKeys) {
        const std::string found = FromUninstallKey(key);
        if (!found.empty()) return found;
    }
    return {};
}
