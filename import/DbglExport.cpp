// Reading DBGL's exports.
#include "import/DbglExport.h"
#include "data/Bitmap.h"
#include "data/Strings.h"
#include "import/DosBoxConf.h"
#include "import/ImportPaths.h"
#include "import/Xml.h"
#include "import/Zip.h"
#include <algorithm>

namespace {

SourceStatus StatusOf(ZipStatus status) {
    switch (status) {
        case ZipStatus::Ok: return SourceStatus::Ok;
        case ZipStatus::CannotOpen: return SourceStatus::NotFound;
        case ZipStatus::Missing: return SourceStatus::Empty;
        case ZipStatus::Unsupported: return SourceStatus::Unsupported;
        case ZipStatus::TooLarge: return SourceStatus::TooLarge;
        case ZipStatus::NotAZip:
        case ZipStatus::Damaged: break;
    }
    return SourceStatus::Damaged;
}

SourceStatus StatusOf(XmlStatus status) {
    switch (status) {
        case XmlStatus::Ok: return SourceStatus::Ok;
        case XmlStatus::HasDtd: return SourceStatus::Unsupported;
        case XmlStatus::TooLarge: return SourceStatus::TooLarge;
        case XmlStatus::Damaged: break;
    }
    return SourceStatus::Damaged;
}

bool Inside(const ImportedPath& folder, const ImportedPath& path) {
    std::string relative;
    return folder.style == path.style && RelativeTo(folder.text, path.text, relative);
}

// The first BMP in the export's capture folder that passes the picture check.
void TakeCapture(const ZipArchive& zip, const std::string& folder, ImportedGame& game) {
    std::vector<const ZipArchive::Entry*> pictures;
    for (const ZipArchive::Entry* entry : zip.EntriesUnder(folder))
        if (entry->name.size() > 4 && EqualNoCase(entry->name.substr(entry->name.size() - 4), ".bmp"))
            pictures.push_back(entry);
    PictureFileStatus first = PictureFileStatus::Ok;
    for (const ZipArchive::Entry* entry : pictures) {
        const ZipStatus status = zip.Read(*entry, kMaxPictureBytes, game.picture);
        PictureFileStatus why = PictureFileStatus::CannotRead;
        if (status == ZipStatus::TooLarge) why = PictureFileStatus::TooLarge;
        if (status == ZipStatus::Ok)
            why = IsUsableBitmap(game.picture.data(), game.picture.size()) ? PictureFileStatus::Ok
                                                                           : PictureFileStatus::NotABitmap;
        if (why == PictureFileStatus::Ok) return;
        game.picture.clear();
        if (first == PictureFileStatus::Ok) first = why;
    }
    if (!pictures.empty()) game.importNotes.push_back({ImportNoteKind::PictureNotTaken, pictures[0]->name, first});
}

ImportedGame ReadProfile(const ZipArchive& zip, const XmlElement& profile, const std::string& zipPath,
                         const std::string& dosRoot) {
    ImportedGame game;
    game.source = zipPath;
    game.title = profile.Text("title");
    game.developer = profile.Text("meta-info/developer");
    game.publisher = profile.Text("meta-info/publisher");
    game.year = profile.Text("meta-info/year");
    game.genre = profile.Text("meta-info/genre");
    game.notes = profile.Text("meta-info/notes");

    Autoexec autoexec(dosRoot);
    const std::string config = profile.Text("config-file/raw");
    std::vector<char> text;
    if (zip.Read(config, kMaxConfBytes, text) == ZipStatus::Ok)
        autoexec = ApplyDosBoxConf(std::string(text.begin(), text.end()), dosRoot, game);
    else
        game.Note(ImportNoteKind::ConfigNotRead, config);
    // DBGL's own record of the game's folder, where the configuration gives none.
    const std::string gameDir = profile.Text("game-dir/raw");
    if (game.folder.text.empty() && !gameDir.empty()) {
        game.folder = FullPath(gameDir, dosRoot);
        game.importNotes.erase(std::remove_if(game.importNotes.begin(), game.importNotes.end(),
                                              [](const ImportNote& n) { return n.kind == ImportNoteKind::NoFolder; }),
                               game.importNotes.end());
    }
    if (game.folder.text.empty() && !game.Stopped()) game.Note(ImportNoteKind::NoFolder);

    // The setup program: a DOS path on the configuration's drives, or a path from the DOS root.
    const std::string setup = profile.Text("setup");
    if (!setup.empty()) {
        ImportedPath onDrive;
        const bool dos = autoexec.HostPathOf(setup, onDrive) && Inside(game.folder, onDrive);
        game.setup = dos ? onDrive : FullPath(setup, dosRoot);
    }
    game.setupParameters = profile.Text("setup-parameters");
    const std::string captures = profile.Text("captures/raw");
    if (!captures.empty()) TakeCapture(zip, captures, game);
    return game;
}

}  // namespace

ImportSource ReadDbglExport(const std::string& zipPath, const std::string& dosRoot) {
    ImportSource source;
    ZipArchive zip;
    std::vector<char> bytes;
    ZipStatus status = zip.Open(zipPath);
    if (status == ZipStatus::Ok) status = zip.Read("profiles.xml", kMaxProfilesXmlBytes, bytes);
    source.status = StatusOf(status);
    if (source.status != SourceStatus::Ok) return source;
    const XmlDocument document = ParseXml(bytes.data(), bytes.size());
    source.status = StatusOf(document.status);
    if (source.status == SourceStatus::Ok && document.root.name != "document") source.status = SourceStatus::Damaged;
    if (source.status != SourceStatus::Ok) return source;
    const size_t slash = zipPath.find_last_of("\\/");
    const std::string root = !dosRoot.empty() ? dosRoot : slash == std::string::npos ? "" : zipPath.substr(0, slash);
    for (const XmlElement& profile : document.root.children) {
        if (profile.name != "profile") continue;
        if (source.games.size() < kMaxImportGames)
            source.games.push_back(ReadProfile(zip, profile, zipPath, root));
        else
            ++source.unread;
    }
    if (source.games.empty()) source.status = SourceStatus::Empty;
    return source;
}
