// Listing the Games folder.
#include "data/GameFolder.h"
#include "data/Files.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include <windows.h>
#include <algorithm>

int ClampMaxGames(unsigned long stored) {
    if (stored < static_cast<unsigned long>(kDefaultMaxGames)) return kDefaultMaxGames;
    if (stored > static_cast<unsigned long>(kMostMaxGames)) return kMostMaxGames;
    return static_cast<int>(stored);
}

bool ParseMaxGames(const std::string& text, int& value) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const size_t last = text.find_last_not_of(' ');
    long number = 0;
    for (size_t i = first; i <= last; ++i) {
        if (text[i] < '0' || text[i] > '9' || number > kMostMaxGames) return false;
        number = number * 10 + (text[i] - '0');
    }
    if (number < kDefaultMaxGames || number > kMostMaxGames) return false;
    value = static_cast<int>(number);
    return true;
}

GameFolderListing ListGameFiles(const std::string& gamesFolder, int maxGames) {
    GameFolderListing listing;
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((gamesFolder + "\\*.qgf").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (IsDosDeviceName(fd.cFileName)) continue;  // a device, not a file: never opened
            ++listing.counted;
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                listing.files.size() < static_cast<size_t>(std::max(maxGames, 0)))
                listing.files.push_back(fd.cFileName);
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    std::sort(listing.files.begin(), listing.files.end(), LessNoCase);
    return listing;
}

std::string GameNameFromFile(const std::string& fileName) {
    std::string name = fileName;
    for (size_t i = name.size(); i-- > 1;) {
        if (name[i] == '.' && EqualNoCase(name.substr(i + 1, 3), "qgf")) {
            name.resize(i);
            break;
        }
    }
    return name;
}

std::string GamesFolderOf(const std::string& programFolder) { return programFolder + "\\Games"; }

std::string GameFilePath(const std::string& programFolder, const std::string& name) {
    return GamesFolderOf(programFolder) + "\\" + name + ".qgf";
}

GameNameProblem CheckGameFileName(const std::string& name, const std::string& programFolder) {
    if (name.find_first_not_of(' ') == std::string::npos) return GameNameProblem::Empty;
    if (name.find_first_of("\\/") != std::string::npos || HasDotStep(name)) return GameNameProblem::PathStep;
    if (HasControlCharacter(name) || name.find_first_of(":*?\"<>|") != std::string::npos || name.back() == '.' ||
        name.back() == ' ')
        return GameNameProblem::NotAFileName;
    if (IsDosDeviceName(name)) return GameNameProblem::DeviceName;
    if (GameFilePath(programFolder, name).size() > kMaxGamePath) return GameNameProblem::TooLong;
    return GameNameProblem::None;
}
