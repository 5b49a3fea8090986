// Writing imported games into the Games folder.
#include "import/ImportBatch.h"
#include "data/NewGame.h"
#include "data/Strings.h"
#include "import/ImportToRecord.h"
#include <set>

namespace {

using NameSet = std::set<std::string, bool (*)(const std::string&, const std::string&)>;

// |name|, or the first of "name (2)", "name (3)"... that this batch has not used.
std::string UnusedName(const std::string& name, const NameSet& used, const std::string& programFolder) {
    if (!used.count(name)) return name;
    for (int n = 2; n < 10000; ++n) {
        const std::string suffix = Format(" (%d)", n);
        std::string candidate = name;
        const size_t room = kMaxGamePath - GameFilePath(programFolder, suffix).size();
        if (candidate.size() > room) candidate.resize(room);
        candidate = GameFileNameFor(candidate + suffix, programFolder);
        if (!candidate.empty() && !used.count(candidate)) return candidate;
    }
    return {};
}

}  // namespace

ImportBatchResult ConvertImportedGames(const std::vector<ImportedGame>& games, const std::string& programFolder,
                                       bool overwrite, BatchListener& listener, const std::vector<bool>* chosen) {
    ImportBatchResult result;
    NameSet used(LessNoCase);
    auto isChosen = [chosen](size_t k) { return !chosen || (k < chosen->size() && (*chosen)[k]); };
    int total = 0, done = 0;
    for (size_t k = 0; k < games.size(); ++k) total += isChosen(k) ? 1 : 0;
    listener.ProgressRange(total);
    listener.Progress(0);
    for (size_t k = 0; k < games.size(); ++k) {
        if (!isChosen(k)) continue;
        listener.Progress(++done);
        const ImportedGame& game = games[k];
        const ImportedRecord made = MakeImportedRecord(game, programFolder);
        ImportGameResult r;
        r.title = game.title;
        r.notes = made.notes;
        r.unmapped = game.unmapped;
        const std::string name = made.ok ? UnusedName(made.fileName, used, programFolder) : std::string();
        if (made.ok && name.empty()) r.notes.push_back({ImportNoteKind::NoName, game.title});
        if (!name.empty()) {
            used.insert(name);
            r.fileName = name + ".qgf";
            const std::string path = GameFilePath(programFolder, name);
            const GamePlaceCheck place = CheckGamePlace(path, overwrite);
            r.otherFile = place.otherFile;
            if (place.place == GamePlace::Exists || place.place == GamePlace::OtherFile) {
                r.outcome = ImportOutcome::Exists;
            } else if (WriteGameAt(path, place.place, made.record, game.picture)) {
                r.outcome = ImportOutcome::Converted;
                listener.GameAdded(r.fileName);
            }
        }
        switch (r.outcome) {
            case ImportOutcome::Converted: ++result.converted; break;
            case ImportOutcome::Exists: ++result.existing; break;
            case ImportOutcome::Failed: ++result.failed; break;
        }
        result.games.push_back(std::move(r));
    }
    return result;
}
