// Reading DOSBox configuration files.
#include "import/DosBoxConf.h"
#include "data/Files.h"
#include "import/ConfText.h"
#include "import/ImportPaths.h"

namespace {

// The file's name without its last extension.
std::string TitleOf(const std::string& path) {
    const std::string name = LastStep(path);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

Autoexec ApplyDosBoxConf(const std::string& text, const std::string& baseFolder, ImportedGame& game) {
    const ConfText conf = ParseConfText(text);
    Autoexec autoexec(baseFolder);
    autoexec.Run(conf.autoexec);
    autoexec.FillProgram(game);
    autoexec.FillRest(game);
    TakeDosBoxSettings(conf, false, game);
    return autoexec;
}

ImportedGame ReadDosBoxConf(const std::string& path) {
    ImportedGame game;
    game.source = path;
    game.title = TitleOf(path);
    std::string text;
    const TextFileStatus status = ReadTextFile(path, kMaxConfBytes, text);
    if (status != TextFileStatus::Ok)
        game.Note(NoteOf(status), path);
    else
        ApplyDosBoxConf(text, FolderOf(path), game);
    return game;
}

ImportSource ReadDosBoxConfs(const std::string& fileOrFolder) {
    ImportSource source;
    std::vector<std::string> files;
    if (FolderExists(fileOrFolder))
        files = FilesWithExtension(fileOrFolder, ".conf", kMaxImportGames, &source.unread);
    else if (FileExists(fileOrFolder))
        files.push_back(fileOrFolder);
    else
        return source;
    source.status = files.empty() ? SourceStatus::Empty : SourceStatus::Ok;
    for (const std::string& file : files) source.games.push_back(ReadDosBoxConf(file));
    return source;
}
