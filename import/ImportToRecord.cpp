// Making a game record of an imported game.
#include "import/ImportToRecord.h"
#include "data/Files.h"
#include "data/NewGame.h"
#include "import/ImportDevices.h"
#include "import/ImportExtras.h"
#include "import/ImportPaths.h"
#include <windows.h>
#include <cstring>

bool StopsImport(ImportNoteKind kind) {
    switch (kind) {
        case ImportNoteKind::CannotRead:
        case ImportNoteKind::TooLarge:
        case ImportNoteKind::NoFolder:
        case ImportNoteKind::HostPath:
        case ImportNoteKind::UnusableFolder:
        case ImportNoteKind::NoName: return true;
        default: return false;
    }
}

bool ImportedGame::Stopped() const {
    for (const ImportNote& note : importNotes)
        if (StopsImport(note.kind)) return true;
    return false;
}

std::string DosNameInFolder(const std::string& folder, const std::string& name, bool findExtension) {
    if (!IsNameInsideFolder(name)) return {};
    std::string path = folder, dosName;
    if (!path.empty() && path.back() == '\\') path.pop_back();
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos) end = name.size();
        std::string step = name.substr(start, end - start);
        path += "\\" + step;
        if (!IsDosName(step)) {
            char shortPath[MAX_PATH] = "";
            const DWORD n = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
            step = n > 0 && n < sizeof shortPath ? LastStep(shortPath) : std::string();
            if (!IsDosName(step)) return {};
        }
        if (end == name.size() && findExtension && step.find('.') == std::string::npos) {
            for (const char* extension : {".COM", ".EXE", ".BAT"}) {
                if (FileExists(path + extension)) {
                    step += extension;
                    break;
                }
            }
        }
        dosName += (dosName.empty() ? "" : "\\") + step;
        start = end + 1;
    }
    return dosName;
}

namespace {

// The game's folder as the record keeps it; empty (and a note) when there is none it can keep.
std::string RecordFolder(const ImportedGame& game, std::vector<ImportNote>& notes) {
    std::string folder;
    if (game.folder.text.empty())
        notes.push_back({ImportNoteKind::NoFolder, ""});
    else if (!WindowsPathOf(game.folder, folder))
        notes.push_back({ImportNoteKind::HostPath, game.folder.text});
    else if (HasControlCharacter(folder))
        notes.push_back({ImportNoteKind::UnusableFolder, folder});
    if (HasControlCharacter(folder)) return {};
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

// The developer (when not the publisher), the year and the notes, a line each.
std::string Comment(const ImportedGame& game, const std::string& publisher) {
    std::string comment;
    auto line = [&](const std::string& text) {
        if (!text.empty()) comment += (comment.empty() ? "" : "\r\n") + text;
    };
    if (!game.developer.empty() && game.developer != publisher) line("Developer: " + game.developer);
    if (!game.year.empty()) line("Year: " + game.year);
    line(game.notes);
    return comment;
}

}  // namespace

ImportedRecord MakeImportedRecord(const ImportedGame& game, const std::string& programFolder) {
    ImportedRecord out;
    out.notes = game.importNotes;
    auto note = [&](ImportNoteKind kind, const std::string& detail) { out.notes.push_back({kind, detail}); };
    if (game.Stopped()) return out;
    out.fileName = GameFileNameFor(game.title, programFolder);
    if (out.fileName.empty()) {
        note(ImportNoteKind::NoName, game.title);
        return out;
    }
    const std::string folder = RecordFolder(game, out.notes);
    if (folder.empty()) return out;
    const bool folderExists = FolderExists(folder);
    if (!folderExists) note(ImportNoteKind::FolderMissing, folder);

    std::string command;
    if (!game.command.empty()) {
        command = DosNameInFolder(folder, game.command, true);
        if (command.empty()) note(ImportNoteKind::ProgramNotDosName, game.command);
    }
    GameRecord devices = BlankGameRecord();
    std::vector<ImportNote> notChosen;  // their values are kept as DOSBox lines
    const bool chosen = ChooseDevices(game.dosBox, devices, notChosen);
    const std::string parameters = TrimBlanks(game.parameters);
    const bool withParameters = !parameters.empty() && parameters.size() < kParamSize && !HasCommandSyntax(parameters);
    if (!parameters.empty() && !withParameters) note(ImportNoteKind::ParametersNotKept, parameters);

    // One Setup field: the parameters need it; a setup program comes before devices alone.
    std::string setup, setupPath, relative;
    if (!game.setup.text.empty()) {
        if (WindowsPathOf(game.setup, setupPath) && RelativeTo(folder, setupPath, relative))
            setup = DosNameInFolder(folder, relative, false);
        if (setup.empty()) note(ImportNoteKind::SetupNotKept, game.setup.text);
    }
    if (!game.setupParameters.empty()) note(ImportNoteKind::SetupParametersNotKept, game.setupParameters);
    if (setup.empty() && !withParameters && folderExists) setup = FindSetupProgram(folder);
    if (withParameters && !setup.empty()) note(ImportNoteKind::SetupOverParameters, setup);
    if (chosen && !withParameters && !setup.empty()) note(ImportNoteKind::DevicesNotInEffect, setup);
    if (withParameters || (chosen && setup.empty())) setup = kParametersMarker;

    NewGameFields fields;
    fields.title = game.title;
    fields.publisher = game.publisher.empty() ? game.developer : game.publisher;
    fields.category = game.genre;
    fields.path = folder;
    fields.command = command;
    GameRecord& record = out.record;
    record = NewGameRecord(fields, setup);
    std::memcpy(record.soundNames[0], devices.soundNames[0], sizeof record.soundNames[0]);
    std::memcpy(record.musicNames[0], devices.musicNames[0], sizeof record.musicNames[0]);
    record.selectedSound = devices.selectedSound;
    record.selectedMusic = devices.selectedMusic;
    record.selectedDisplay = devices.selectedDisplay;
    if (withParameters) {
        SetField(record.customName, "Parameters");
        SetField(record.customParam, parameters.c_str());
        record.customOn = 1;
    }
    const std::string comment = Comment(game, fields.publisher);
    if (!comment.empty()) SetField(record.comment, comment.c_str());
    SetGameRunWith(record, RunWith::DosBox);
    StoreImportedExtras(game.cdRom, ImportedDosBoxLines(game, notChosen), record, out.notes);
    out.ok = true;
    return out;
}
