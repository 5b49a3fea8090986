// Creating a new game file.
#include "data/NewGame.h"
#include "data/Files.h"
#include "data/GameFile.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// Later entries win.
struct SetupProgram {
    const char* file;
    const char* stored;
};
constexpr SetupProgram kSetupPrograms[] = {
    {"Install.bat", "INSTALL.BAT"}, {"setup.bat", "SETUP.BAT"}, {"Install.exe", "INSTALL.EXE"},
    {"Install.com", "INSTALL.COM"}, {"setup.exe", "SETUP.EXE"}, {"SETUP.COM", "SETUP.COM"},
};

std::optional<uint32_t> FileSize(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
    std::fclose(f);
    if (size < 0) return std::nullopt;
    return static_cast<uint32_t>(size);
}

}  // namespace

TitleProblem CheckGameTitle(const std::string& title, const std::string& programFolder) {
    if (title.size() < 2) return TitleProblem::TooShort;
    switch (CheckGameFileName(title, programFolder)) {
        case GameNameProblem::None: break;
        case GameNameProblem::Empty:
        case GameNameProblem::PathStep:
        case GameNameProblem::NotAFileName: return TitleProblem::NotAFileName;
        case GameNameProblem::DeviceName: return TitleProblem::DeviceName;
        case GameNameProblem::TooLong: return TitleProblem::TooLong;
    }
    if (!OtherLongName(GameFilePath(programFolder, title)).empty()) return TitleProblem::OtherFileName;
    return TitleProblem::None;
}

std::string GameFileNameFor(const std::string& title, const std::string& programFolder) {
    std::string name;
    for (char c : title) {
        if (HasControlCharacter(std::string(1, c))) name += ' ';
        else if (c && std::strchr("\\/:*?\"<>|", c)) name += '-';
        else name += c;
    }
    auto tidy = [](std::string& text) {
        text.erase(0, std::min(text.size(), text.find_first_not_of(' ')));
        while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
    };
    tidy(name);
    if (name.empty()) name = "Untitled game";
    if (name.size() < 2) name += " game";
    if (IsDosDeviceName(name)) name = "Game " + name;
    const size_t room = kMaxGamePath - GameFilePath(programFolder, "").size();
    if (name.size() > room) {
        name.resize(room);
        tidy(name);
    }
    if (name.size() < 2 || CheckGameFileName(name, programFolder) != GameNameProblem::None) return {};
    return name;
}

GamePlaceCheck CheckGamePlace(const std::string& gamePath, bool overwrite) {
    GamePlaceCheck check;
    const DWORD attributes = GetFileAttributesA(gamePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return check;
    // A stranger's name replaces only a file of that very name, never one it
    // reaches through its short name.
    check.otherFile = OtherLongName(gamePath);
    if (!check.otherFile.empty()) check.place = GamePlace::OtherFile;
    else if (!overwrite) check.place = GamePlace::Exists;
    else if (attributes & FILE_ATTRIBUTE_DIRECTORY) check.place = GamePlace::Folder;
    else check.place = GamePlace::Replace;
    return check;
}

bool WriteGameAt(const std::string& gamePath, GamePlace place, const GameRecord& record,
                 const std::vector<char>& picture) {
    GameRecord withPicture = record;
    withPicture.pictureSize = static_cast<uint32_t>(picture.size());
    if (place == GamePlace::Replace)
        return ReplaceFileContent(gamePath, {{&withPicture, sizeof withPicture}, {picture.data(), picture.size()}});
    if (place != GamePlace::Free) return false;
    FILE* f = std::fopen(gamePath.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(&withPicture, 1, sizeof withPicture, f) == sizeof withPicture;
    if (ok && !picture.empty()) ok = std::fwrite(picture.data(), 1, picture.size(), f) == picture.size();
    if (std::fclose(f) != 0) ok = false;
    if (!ok) DeleteFileA(gamePath.c_str());
    return ok;
}

std::string FindSetupProgram(const std::string& folder) {
    std::string found;
    for (const auto& setup : kSetupPrograms)
        if (FileExists(folder + "\\" + setup.file)) found = setup.stored;
    return found;
}

GameRecord NewGameRecord(const NewGameFields& fields, const std::string& setup) {
    GameRecord record = BlankGameRecord();
    SetField(record.title, fields.title.c_str());
    SetField(record.publisher, fields.publisher.c_str());
    SetField(record.category, fields.category.c_str());
    SetField(record.path, fields.path.c_str());
    SetField(record.command, fields.command.c_str());
    SetField(record.setup, setup.c_str());
    SetField(record.document, fields.document.c_str());
    record.options = (fields.vdmSound ? kOptionVdmSound : 0) | (fields.win95 ? kOptionWin95 : 0);
    SetField(record.dataName, fields.dataFile.c_str());
    if (!fields.path.empty() && !fields.dataFile.empty())
        if (auto size = FileSize(fields.path + "\\" + fields.dataFile)) record.dataSize = *size;
    if (!fields.path.empty() && !fields.command.empty()) {
        if (auto size = FileSize(fields.path + "\\" + fields.command)) {
            record.programSize = *size;
            SetField(record.programName, fields.command.c_str());
        }
    }
    return record;
}

bool WriteNewGameFile(const std::string& gamePath, const GameRecord& record, const std::vector<char>& picture) {
    if (!OtherLongName(gamePath).empty()) return false;
    GameRecord withPicture = record;
    withPicture.pictureSize = static_cast<uint32_t>(picture.size());
    return ReplaceFileContent(gamePath, {{&withPicture, sizeof withPicture}, {picture.data(), picture.size()}});
}
