// Reading the command line's game file and matching it against the list.
#include "launch/CommandLine.h"
#include "data/Files.h"
#include "data/GameFolder.h"

std::string CommandLineGameFile(const std::string& commandLine) {
    size_t start = commandLine.find_first_not_of(' ');
    if (start == std::string::npos) return {};
    if (commandLine[start] == '"') {
        size_t close = commandLine.find('"', start + 1);
        return commandLine.substr(start + 1, close == std::string::npos ? std::string::npos : close - start - 1);
    }
    size_t end = commandLine.find_last_not_of(' ');
    return commandLine.substr(start, end - start + 1);
}

std::string GameNameOfPath(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

bool IsListedGameFile(const std::string& path, const std::string& programFolder, const std::string& name) {
    if (name.empty() || IsDosDeviceName(path)) return false;
    return SamePath(path, GameFilePath(programFolder, name));
}
