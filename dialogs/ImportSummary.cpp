// The import's summary texts.
#include "dialogs/ImportSummary.h"
#include "data/Strings.h"
#include "dialogs/PictureMessages.h"

std::string ImportNoteText(const ImportNote& note) {
    const char* d = note.detail.c_str();
    switch (note.kind) {
        case ImportNoteKind::CannotRead: return Format("%s cannot be read", d);
        case ImportNoteKind::TooLarge: return Format("%s is too large for a game's settings", d);
        case ImportNoteKind::NoFolder:
            return note.detail.empty() ? "no folder is mounted for it"
                                       : Format("its program's drive %s holds no folder", d);
        case ImportNoteKind::HostPath: return Format("its folder %s is a path that this Windows cannot reach", d);
        case ImportNoteKind::UnusableFolder: return Format("its folder %s holds a control character", d);
        case ImportNoteKind::NoName: return "its title cannot name a game file";
        case ImportNoteKind::NoProgram: return "it starts no program: the game has no Command";
        case ImportNoteKind::ProgramNotDosName:
            return Format("its program %s has no 8.3 name in the folder: the game has no Command", d);
        case ImportNoteKind::ParametersNotKept:
            return Format("its parameters \"%s\" are not kept: more than 31 characters, or & | < > ^ %% or \"", d);
        case ImportNoteKind::SetupNotKept:
            return Format("its setup program %s is not kept: it has no 8.3 name inside the game's folder", d);
        case ImportNoteKind::SetupOverParameters:
            return Format("its setup program %s is not kept: the Setup field holds the parameters", d);
        case ImportNoteKind::DevicesNotInEffect:
            return Format("its device choices apply once it uses parameter sets: Setup names %s", d);
        case ImportNoteKind::SetupParametersNotKept:
            return Format("the setup program's parameters \"%s\" are not kept", d);
        case ImportNoteKind::ValueNotChosen: return Format("%s is not among the device choices", d);
        case ImportNoteKind::PictureNotTaken: {
            std::string why = PictureProblem(note.picture, Language::English);  // "The file ... ."
            if (!why.empty()) {
                why[0] = static_cast<char>(why[0] - 'A' + 'a');
                why.pop_back();
            }
            return Format("the picture %s is not taken: %s", d, why.c_str());
        }
        case ImportNoteKind::ConfigNotRead:
            return Format("its DOSBox configuration %s cannot be read from the export", d);
        case ImportNoteKind::FolderMissing: return Format("its folder %s does not exist", d);
        case ImportNoteKind::CdRomNotKept:
            return Format("its CD-ROM %s is not kept: a game keeps a CD drive of this computer, or .iso and .cue "
                          "images",
                          d);
        case ImportNoteKind::ExtraLineRefused:
            return Format("its DOSBox line %s is not kept: only settings of DOSBox's own sections, without [ ] # "
                          "or %%, are",
                          d);
        case ImportNoteKind::NoRoomForLines: return Format("no room in its game file for the DOSBox lines %s", d);
    }
    return {};
}

std::string ImportSummaryText(const ImportBatchResult& result, size_t maxGames, size_t maxChars) {
    std::string text =
        Format("Converted: %d.  Failed: %d.  Already exists: %d", result.converted, result.failed, result.existing);
    size_t shown = 0, more = 0;
    for (const ImportGameResult& game : result.games) {
        if (game.notes.empty() && game.unmapped.empty() && game.otherFile.empty()) continue;
        if (more > 0 || shown == maxGames) {
            ++more;
            continue;
        }
        const char* outcome = game.outcome == ImportOutcome::Converted ? "converted"
                              : game.outcome == ImportOutcome::Exists  ? "already exists"
                                                                       : "not converted";
        std::string paragraph = Format("\n\n%s (%s):", game.title.c_str(), outcome);
        if (!game.otherFile.empty())
            paragraph +=
                Format("\n- its name is the short name of the game file %s, which is kept", game.otherFile.c_str());
        for (const ImportNote& note : game.notes) paragraph += "\n- " + ImportNoteText(note) + ".";
        for (const std::string& line : game.unmapped) paragraph += "\n- not understood: " + line;
        if (text.size() + paragraph.size() > maxChars) {
            ++more;
            continue;
        }
        ++shown;
        text += paragraph;
    }
    if (more) text += Format("\n\n... and %d more.", static_cast<int>(more));
    return text;
}
