// Catalogue import helpers: a game list that records the batch's calls, and a folder's files.
#pragma once
#include "data/LoaderIni.h"
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>

struct ListRecorder final : BatchListener {
    int cleared = 0;
    std::vector<std::string> added;
    void ListCleared() override { ++cleared; }
    void GameAdded(const std::string& fileName) override { added.push_back(fileName); }
};

// Every file below |folder|, as sorted paths relative to it ("\Games\Keen.qgf").
inline std::vector<std::string> FilesBelow(const std::string& folder, const std::string& sub = "") {
    std::vector<std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + sub + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        const std::string name = sub + "\\" + fd.cFileName;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            out.push_back(name);
        } else if (lstrcmpA(fd.cFileName, ".") && lstrcmpA(fd.cFileName, "..")) {
            for (auto& inner : FilesBelow(folder, name)) out.push_back(inner);
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(out.begin(), out.end());
    return out;
}

// The short (8.3) base name of an existing file ("KEEN~0HY"); empty when there is none.
inline std::string ShortBaseName(const std::string& path) {
    char shortPath[MAX_PATH] = "";
    if (!GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath)) return {};
    std::string name = shortPath;
    name = name.substr(name.find_last_of('\\') + 1);
    name = name.substr(0, name.find('.'));
    return name.find('~') == std::string::npos ? std::string() : name;
}
