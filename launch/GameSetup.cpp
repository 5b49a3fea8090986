// Running a game's setup: the window-free steps and checks.
#include "launch/GameSetup.h"
#include "data/Files.h"
#include <windows.h>
#include <cstdio>
#include <cstring>

namespace {

bool AnyItemExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

SetupMode SetupModeOf(const GameRecord& game) {
    if (game.setup[0] == '\0') return game.configFile[0] == '\0' ? SetupMode::NotConfigured : SetupMode::WithinGame;
    return UsesParameterSets(game) ? SetupMode::Parameters : SetupMode::Program;
}

SetupNameProblem CheckSetupName(const std::string& setup, bool viaVdmSound) {
    if (!IsNameInsideFolder(setup)) return SetupNameProblem::LeavesFolder;
    if ((viaVdmSound || ReachesCommandInterpreter(setup)) && HasBatchSyntax(setup))
        return SetupNameProblem::BatchSyntax;
    return SetupNameProblem::None;
}

std::string JoinFolder(const std::string& folder, const std::string& name) { return folder + "\\" + name; }

std::string FolderPart(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NamePart(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

ConfigMoveResult MoveConfigAside(const std::string& folder, const std::string& configName) {
    ConfigMoveResult result;
    if (!IsNameInsideFolder(configName)) {
        result.status = ConfigMove::LeavesFolder;
        return result;
    }
    const std::string source = JoinFolder(folder, configName);
    if (!FileExists(source)) {
        result.status = ConfigMove::Missing;
        return result;
    }
    // MoveFileA never replaces an existing file: a taken name fails and the
    // next one is tried.
    result.backupName = configName + ".bak";
    if (MoveFileA(source.c_str(), JoinFolder(folder, result.backupName).c_str())) {
        result.status = ConfigMove::Moved;
        return result;
    }
    result.status = ConfigMove::Failed;
    if (!AnyItemExists(JoinFolder(folder, result.backupName))) return result;
    for (int n = 2; n < 1000; ++n) {
        result.backupName = configName + "." + std::to_string(n) + ".bak";
        const std::string target = JoinFolder(folder, result.backupName);
        if (MoveFileA(source.c_str(), target.c_str())) {
            result.status = ConfigMove::MovedBesideOld;
            return result;
        }
        if (!AnyItemExists(target)) return result;
    }
    return result;
}

std::string SuggestSetupProgram(const std::string& folder) {
    struct Candidate {
        const char* file;
        const char* suggested;
    };
    static const Candidate kCandidates[] = {
        {"Install.bat", "INSTALL.BAT"}, {"setup.bat", "SETUP.BAT"},     {"Install.com", "INSTALL.COM"},
        {"setup.com", "SETUP.COM"},     {"Install.exe", "INSTALL.EXE"}, {"setup.exe", "SETUP.EXE"},
    };
    std::string found;
    for (const auto& c : kCandidates)
        if (FileExists(JoinFolder(folder, c.file))) found = c.suggested;
    return found;
}

HelpCommandProblem CheckHelpCommand(const std::string& command, const std::string& help) {
    if (!IsNameInsideFolder(command)) return HelpCommandProblem::UnsafeCommand;
    if (HasControlCharacter(help)) return HelpCommandProblem::UnsafeHelp;
    return HelpCommandProblem::None;
}

bool FitsCommandsBatch(const std::string& path, const std::string& command) {
    return !HasBatchSyntax(JoinFolder(path, command));
}

std::string CommandsBatchContent(const std::string& path, const std::string& command, const std::string& help) {
    return BatchWord(JoinFolder(path, command)) + " " + help + "\r\npause";
}

bool WriteCommandsBatch(const std::string& folder, const std::string& content) {
    FILE* f = fopen(JoinFolder(folder, kCommandsBatch).c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(content.data(), 1, content.size(), f) == content.size();
    return fclose(f) == 0 && ok;
}

void StoreDeviceEntry(GameRecord& game, bool music, size_t row, const std::string& name, const std::string& param) {
    if (row >= kDeviceSlots) return;
    char(&nameField)[kTextSize] = music ? game.musicNames[row] : game.soundNames[row];
    char(&paramField)[kParamSize] = music ? game.musicParams[row] : game.soundParams[row];
    SetField(nameField, name.c_str());
    SetField(paramField, param.c_str());
}
