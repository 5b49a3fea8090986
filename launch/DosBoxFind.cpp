// The start-up search for DOSBox.
#include "launch/DosBoxFind.h"
#include "data/RegistryKey.h"
#include "data/Strings.h"
#include "launch/DosBoxFlavour.h"
#include "launch/HostPath.h"
#include "launch/LaunchRoute.h"
#include "launch/ProgramKind.h"
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

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

void FromFolder(const std::string& parent, std::vector<std::string>& found) {
    const std::string base = !parent.empty() && parent.back() == '\\' ? parent : parent + "\\";
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((base + "DOSBox*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const std::string program = ProgramIn(base + data.cFileName);
        if (!program.empty()) found.push_back(program);
    } while (FindNextFileA(find, &data));
    FindClose(find);
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

void FromUninstallKey(const UninstallKey& where, std::vector<std::string>& found) {
    RegistryKey key;
    if (!key.Open(where.root, where.path, KEY_READ | where.view, false)) return;
    std::string entry;
    for (DWORD i = 0; key.SubkeyName(i, entry); ++i) {
        const std::string program = FromUninstallEntry(where, entry);
        if (!program.empty()) found.push_back(program);
    }
}

void AddFolder(std::vector<std::string>& folders, std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    if (folder.empty()) return;
    for (const auto& f : folders)
        if (EqualNoCase(f, folder)) return;
    folders.push_back(folder);
}

std::string ParentOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The name of the folder that holds |program|.
std::string FolderName(const std::string& program) {
    const std::string folder = ParentOf(program);
    const size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? folder : folder.substr(slash + 1);
}

// The numbers of a version in a folder's name: each run of digits that stands
// after a non-letter or after a "v" that does ("DOSBox-0.74-3": 0 74 3,
// "dosbox-staging-windows-x64-v0.82.0": 0 82 0; the 64 of "x64" is no version).
std::vector<unsigned long> VersionIn(const std::string& name) {
    auto letter = [&name](size_t i) { return std::isalpha(static_cast<unsigned char>(name[i])) != 0; };
    std::vector<unsigned long> numbers;
    for (size_t i = 0; i < name.size();) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end]))) ++end;
        const bool afterV = i >= 1 && (name[i - 1] == 'v' || name[i - 1] == 'V') && (i < 2 || !letter(i - 2));
        if (i == 0 || !letter(i - 1) || afterV)
            numbers.push_back(std::strtoul(name.substr(i, std::min<size_t>(end - i, 9)).c_str(), nullptr, 10));
        i = end;
    }
    return numbers;
}

// Staging first, then DOSBox-X, then 0.74.
int FlavourRank(DosBoxFlavour flavour) {
    return flavour == DosBoxFlavour::Staging ? 0 : flavour == DosBoxFlavour::DosBoxX ? 1 : 2;
}

}  // namespace

DosBoxSearch SystemDosBoxSearch(const std::string& programFolder) {
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

    std::string own = programFolder;
    if (own.empty()) {
        char path[MAX_PATH] = "";
        if (GetModuleFileNameA(nullptr, path, sizeof path) < sizeof path) own = ParentOf(path);
    }
    AddFolder(search.portableFolders, own);
    AddFolder(search.portableFolders, ParentOf(own));
    char drives[128] = "";
    const DWORD length = GetLogicalDriveStringsA(sizeof drives, drives);
    for (const char* drive = drives; length < sizeof drives && *drive; drive += std::strlen(drive) + 1) {
        if (GetDriveTypeA(drive) != DRIVE_FIXED) continue;
        AddFolder(search.portableFolders, drive);
        AddFolder(search.portableFolders, std::string(drive) + "GAMES");
    }

    search.uninstallKeys.push_back({HKEY_LOCAL_MACHINE, kUninstall, 0});
    // Only a 64-bit Windows has a second view, and there the flags are known.
    if (sizeof(void*) == 8)
        search.uninstallKeys.push_back({HKEY_LOCAL_MACHINE, kUninstall, KEY_WOW64_32KEY});
    else if (!WindowsRunsDosPrograms())
        search.uninstallKeys.push_back({HKEY_LOCAL_MACHINE, kUninstall, KEY_WOW64_64KEY});
    search.uninstallKeys.push_back({HKEY_CURRENT_USER, kUninstall, 0});
    if (RunsUnderWine())
        for (const char* folder : {"Z:\\usr\\bin\\", "Z:\\usr\\local\\bin\\"})
            for (const char* name : {"dosbox-staging", "dosbox-x", "dosbox"}) search.hostPrograms.push_back(folder + std::string(name));
    return search;
}

std::string FindDosBox(const DosBoxSearch& search) {
    std::vector<std::string> found;
    for (const auto* folders : {&search.programFilesFolders, &search.portableFolders})
        for (const auto& folder : *folders) FromFolder(folder, found);
    for (const auto& key : search.uninstallKeys) FromUninstallKey(key, found);
    for (const auto& program : search.hostPrograms)
        if (IsHostProgram(program)) found.push_back(program);
    struct Candidate {
        std::string program;
        int rank;
        std::vector<unsigned long> version;
    };
    std::vector<Candidate> candidates;
    for (const auto& program : found) {
        bool again = false;
        for (const auto& c : candidates) again = again || EqualNoCase(c.program, program);
        if (!again)
            candidates.push_back({program, FlavourRank(IdentifyDosBox(program).flavour), VersionIn(FolderName(program))});
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.rank != b.rank ? a.rank < b.rank : a.version > b.version;
    });
    return candidates.empty() ? std::string() : candidates.front().program;
}
