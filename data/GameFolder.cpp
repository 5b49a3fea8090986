// Listing the Games folder.
#include "data/GameFolder.h"
#include "data/Files.h"
#include "data/Strings.h"
#include <windows.h>
#include <algorithm>
#include <cstring>

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
        if (name[i] == '.' && name.size() - i - 1 >= 3 && _strnicmp(name.c_str() + i + 1, "qgf", 3) == 0) {
            name.resize(i);
            break;
        }
    }
    return name;
}
