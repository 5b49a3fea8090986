// Listing the Games folder.
#include "data/GameFolder.h"
#include "data/Files.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include <windows.h>
#include <algorithm>

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
