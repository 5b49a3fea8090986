// Writing the configuration file of a DOSBox launch.
#include "launch/DosBoxFiles.h"
#include "data/Files.h"
#include "data/Strings.h"
#include <windows.h>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace {

// The numbers of the "launch<n>.conf" files in the folder.
std::vector<unsigned long> LaunchNumbers(const std::string& folder) {
    std::vector<unsigned long> numbers;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\launch*.conf").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return numbers;
    do {
        const std::string name = data.cFileName;
        if (name.size() < 12 || name.size() > 20 || !EqualNoCase(name.substr(name.size() - 5), ".conf")) continue;
        const std::string digits = name.substr(6, name.size() - 11);
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
            numbers.push_back(std::strtoul(digits.c_str(), nullptr, 10));
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::string LaunchFile(const std::string& folder, unsigned long n) {
    return folder + "\\launch" + std::to_string(n) + ".conf";
}

}  // namespace

std::string DosBoxConfigFolder() {
    char temp[MAX_PATH] = "";
    const DWORD n = GetTempPathA(sizeof temp, temp);
    std::string folder = n > 0 && n < sizeof temp ? temp : "C:\\";
    if (folder.back() != '\\') folder += '\\';
    return folder + "Quillon Loader\\DOSBox";
}

std::string WriteDosBoxConfig(const std::string& folder, const std::string& text) {
    const size_t slash = folder.rfind('\\');
    if (slash != std::string::npos) CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<unsigned long> numbers = LaunchNumbers(folder);
    const unsigned long next = numbers.empty() ? 1 : numbers.back() + 1;
    const std::string path = LaunchFile(folder, next);
    if (!WriteWholeFile(path, text.data(), text.size())) return {};
    numbers.push_back(next);
    for (size_t i = 0; i + kKeptDosBoxConfigs < numbers.size(); ++i)
        DeleteFileA(LaunchFile(folder, numbers[i]).c_str());
    return path;
}
