// Reading D-Fend Reloaded's profiles.
#include "import/DFendProfile.h"
#include "data/Files.h"
#include "data/Strings.h"
#include "import/Autoexec.h"
#include "import/ConfText.h"
#include "import/ImportPaths.h"

namespace {

constexpr size_t kMaxProfileBytes = 1u << 20;
constexpr size_t kMaxCaptures = 256;

std::string BaseName(const std::string& path) {
    const std::string name = LastStep(path);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// One entry of the mount list, "path;type;letter;...", made a drive.
bool MountEntry(const std::string& value, const std::string& dataFolder, Autoexec& autoexec) {
    const std::vector<std::string> fields = Split(value, ';');
    if (fields.size() < 3 || TrimBlanks(fields[2]).empty()) return false;
    const std::string type = LowerCase(TrimBlanks(fields[1]));
    DosDrive drive;
    if (type == "drive" || type == "floppy")
        drive.kind = DriveKind::Folder;
    else if (type == "cdrom")
        drive.kind = DriveKind::CdRom;
    else if (type == "cdromimage")
        drive.kind = DriveKind::CdImages;
    else
        return false;  // disk images, zip files: no folder the game can be run from
    if (drive.kind != DriveKind::CdImages) {
        drive.host = FullPath(fields[0], dataFolder);
    } else {
        for (const std::string& image : Split(fields[0], '$'))
            if (!TrimBlanks(image).empty()) drive.images.push_back(FullPath(image, dataFolder));
    }
    return autoexec.Mount(TrimBlanks(fields[2])[0], drive);
}

// The first BMP of the capture folder that passes the picture check.
void TakeCapture(const std::string& captures, const std::string& dataFolder, const std::string& profileName,
                 ImportedGame& game) {
    std::string folder;
    if (captures.empty())
        folder = dataFolder + "\\Capture\\" + profileName;
    else if (!WindowsPathOf(FullPath(captures, dataFolder), folder))
        return;
    const std::vector<std::string> pictures = FilesWithExtension(folder, ".bmp", kMaxCaptures);
    PictureFileStatus first = PictureFileStatus::Ok;
    for (const std::string& picture : pictures) {
        const PictureFileStatus status = ReadPictureFile(picture, game.picture);
        if (status == PictureFileStatus::Ok) return;
        if (first == PictureFileStatus::Ok) first = status;
    }
    if (!pictures.empty()) game.importNotes.push_back({ImportNoteKind::PictureNotTaken, pictures[0], first});
}

}  // namespace

std::string DFendUnescape(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size();) {
        if (value.compare(i, 8, "[13][10]") == 0) {
            out += "\r\n";
            i += 8;
        } else if (value.compare(i, 4, "[13]") == 0 || value.compare(i, 4, "[10]") == 0) {
            out += "\r\n";
            i += 4;
        } else if (value.compare(i, 4, "[61]") == 0) {
            out += '=';
            i += 4;
        } else {
            out += value[i++];
        }
    }
    return out;
}

ImportedGame ReadDFendProfile(const std::string& dataFolder, const std::string& profilePath) {
    ImportedGame game;
    game.source = profilePath;
    std::string text;
    const TextFileStatus status = ReadTextFile(profilePath, kMaxProfileBytes, text);
    if (status != TextFileStatus::Ok) {
        game.title = BaseName(profilePath);
        game.Note(NoteOf(status), profilePath);
        return game;
    }
    const ConfText conf = ParseConfText(text);
    auto get = [&](const char* section, const char* key) { return DFendUnescape(conf.Get(section, key)); };
    game.title = get("ExtraInfo", "Name");
    if (game.title.empty()) game.title = BaseName(profilePath);
    game.genre = get("ExtraInfo", "Genre");
    game.developer = get("ExtraInfo", "Developer");
    game.publisher = get("ExtraInfo", "Publisher");
    game.year = get("ExtraInfo", "Year");
    game.notes = get("ExtraInfo", "Notes");

    Autoexec autoexec(dataFolder);
    for (int i = 0; i < 10; ++i) {
        const std::string key = std::to_string(i), value = conf.Get("Extra", key);
        if (!TrimBlanks(value).empty() && !MountEntry(value, dataFolder, autoexec))
            game.unmapped.push_back(key + "=" + value);
    }
    const std::vector<std::string> lines = Split(get("Extra", "autoexec"), '\n');
    const std::string exe = get("Extra", "Exe");
    if (exe.empty() || get("Extra", "Overridegamestart") == "1") {
        // The profile's own commands start the game.
        autoexec.Run(lines);
        autoexec.FillProgram(game);
    } else {
        const ImportedPath program = FullPath(exe, dataFolder);
        game.folder = ParentOf(program);
        game.command = LastStep(program.text);
        game.parameters = get("Extra", "GameParameters");
        for (const std::string& line : lines)
            if (!TrimBlanks(line).empty()) game.unmapped.push_back(TrimBlanks(line));
    }
    autoexec.FillRest(game);
    const std::string setup = get("Extra", "Setup");
    if (!TrimBlanks(setup).empty()) game.setup = FullPath(setup, dataFolder);
    game.setupParameters = get("Extra", "SetupParameters");
    TakeDosBoxSettings(conf, true, game);
    TakeCapture(conf.Get("dosbox", "captures"), dataFolder, BaseName(profilePath), game);
    return game;
}

ImportSource ReadDFendProfiles(const std::string& path) {
    ImportSource source;
    std::vector<std::string> profiles;
    std::string data = path;
    if (FileExists(path)) {
        data = FolderOf(path);
        if (EqualNoCase(LastStep(data), "Confs")) data = FolderOf(data);
        profiles.push_back(path);
    } else if (FolderExists(path + "\\Confs")) {
        profiles = FilesWithExtension(path + "\\Confs", ".prof", kMaxImportGames, &source.unread);
    } else if (FolderExists(path) && EqualNoCase(LastStep(path), "Confs")) {
        data = FolderOf(path);
        profiles = FilesWithExtension(path, ".prof", kMaxImportGames, &source.unread);
    } else if (!FolderExists(path)) {
        return source;
    }
    source.status = profiles.empty() ? SourceStatus::Empty : SourceStatus::Ok;
    for (const std::string& profile : profiles) source.games.push_back(ReadDFendProfile(data, profile));
    return source;
}
