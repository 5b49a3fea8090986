// The import of other launchers' libraries.
#include "dialogs/ImportGamesDialog.h"
#include "data/Files.h"
#include "data/Strings.h"
#include "dialogs/ImportSummary.h"
#include "import/DFendProfile.h"
#include "import/DbglExport.h"
#include "import/DosBoxConf.h"
#include "import/ImportBatch.h"
#include "import/ImportPaths.h"
#include "res/ImportGamesDialogRes.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/ProgressSteps.h"
#include "win/UserInterface.h"
#include "win/WaitCursor.h"
#include <commdlg.h>
#include <algorithm>
#include <memory>

namespace {

struct KindTexts {
    const char* choice;      // in the list of sources
    const char* filter;      // of the file browser
    const char* folderTitle; // of the folder browser
};

const KindTexts kKinds[] = {
    {"DOSBox configuration files (a .conf file, or a folder of them)", "DOSBox configuration (*.conf)|*.conf||",
     "Please select the folder of the DOSBox configuration files"},
    {"D-Fend Reloaded (its data folder, its Confs folder or a .prof file)",
     "D-Fend Reloaded profile (*.prof)|*.prof||", "Please select D-Fend Reloaded's data folder"},
    {"DBGL export (a .zip file)", "DBGL export (*.zip)|*.zip||",
     "Please select DBGL's games folder (its dosroot), where the export's folders are"},
};

std::string Number(int n) { return Format("%d", n); }

// What the list says when a source gave no games.
std::string SourceText(SourceStatus status) {
    switch (status) {
        case SourceStatus::Ok:
            return "Double-click a game, or select it and press the space bar, to mark or unmark it. Convert makes "
                   "a game file of each marked game.";
        case SourceStatus::NotFound: return "There is no such file or folder.";
        case SourceStatus::Empty: return "No games to import there.";
        case SourceStatus::Damaged: return "The export is damaged: its list of games cannot be read.";
        case SourceStatus::Unsupported: return "The export is packed in a way that is not read.";
        case SourceStatus::TooLarge: return "The export's list of games is larger than an import reads.";
    }
    return {};
}

// Games whose title equals an earlier one's without regard to case (|order|: by title).
int CountDuplicates(const std::vector<ImportedGame>& games, const std::vector<size_t>& order) {
    int duplicates = 0;
    for (size_t i = 1; i < order.size(); ++i)
        if (EqualNoCase(games[order[i]].title, games[order[i - 1]].title)) ++duplicates;
    return duplicates;
}

// The conversion's progress on the dialog's bar.
class ConversionProgress final : public BatchListener {
public:
    explicit ConversionProgress(HWND bar) : _bar(bar) {}
    void ProgressRange(int maximum) override { _steps = std::make_unique<win::ProgressSteps>(_bar, maximum); }
    void Progress(int position) override {
        if (_steps) _steps->Set(position);
    }

private:
    HWND _bar;
    std::unique_ptr<win::ProgressSteps> _steps;
};

}  // namespace

ImportGamesDialog::ImportGamesDialog(std::string programFolder)
    : SkinnedDialog(IDD_IMPORTGAMES), _programFolder(std::move(programFolder)) {}

ImportGamesDialog::~ImportGamesDialog() {
    if (Handle()) DestroyWindow(Handle());
}

bool ImportGamesDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    win::ComboBox kinds(Item(IDC_IMPORTGAMES_KIND));
    for (const KindTexts& kind : kKinds) kinds.Add(kind.choice);
    kinds.Select(0);
    LimitText(IDC_IMPORTGAMES_PATH, MAX_PATH - 1);
    LimitText(IDC_IMPORTGAMES_DOSROOT, MAX_PATH - 1);
    _list.Attach(Item(IDC_IMPORTGAMES_LIST));
    _list.InsertColumn(0, "Game", 150);
    _list.InsertColumn(1, "Program", 250);
    _list.InsertColumn(2, "From", 140);
    // The list view owns the image list and destroys it with itself.
    HIMAGELIST images = ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ROWIMAGES), 16, 1,
                                             RGB(255, 255, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (images) ListView_SetImageList(_list.Handle(), images, LVSIL_SMALL);
    ListView_SetExtendedListViewStyle(_list.Handle(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    ShowKind();
    FillList();
    SetFocus(Item(IDC_IMPORTGAMES_PATH));
    return false;  // the focus is set
}

void ImportGamesDialog::OnCommand(int id, int code, HWND) {
    if (id == IDC_IMPORTGAMES_KIND && code == CBN_SELCHANGE) {
        ShowKind();
        if (!ItemText(IDC_IMPORTGAMES_PATH).empty()) ReadSource();
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_IMPORTGAMES_FILE: Browse(false); break;
        case IDC_IMPORTGAMES_FOLDER: Browse(true); break;
        case IDC_IMPORTGAMES_READ: ReadSource(); break;
        case IDC_IMPORTGAMES_ALL: MarkAll(true); break;
        case IDC_IMPORTGAMES_NONE: MarkAll(false); break;
        case IDC_IMPORTGAMES_CONVERT: Convert(); break;
        default: break;
    }
}

LRESULT ImportGamesDialog::OnNotify(int id, NMHDR& hdr) {
    if (id != IDC_IMPORTGAMES_LIST) return 0;
    switch (hdr.code) {
        case LVN_GETDISPINFOA: ShowRowPart(reinterpret_cast<NMLVDISPINFOA&>(hdr).item); break;
        case LVN_DELETEALLITEMS: return TRUE;  // no notification per row
        case NM_DBLCLK: ToggleMark(RowAt(GetMessagePos())); break;
        case LVN_KEYDOWN:
            if (reinterpret_cast<NMLVKEYDOWN&>(hdr).wVKey == VK_SPACE) ToggleMark(_list.Selected());
            break;
        default: break;
    }
    return 0;
}

void ImportGamesDialog::OnDestroy() { _list.DeleteAll(); }

LibraryKind ImportGamesDialog::Kind() const {
    const int kind = win::ComboBox(Item(IDC_IMPORTGAMES_KIND)).Selected();
    return kind == 1 ? LibraryKind::DFendReloaded : kind == 2 ? LibraryKind::DbglExport : LibraryKind::DosBoxConfs;
}

// DBGL's games folder is asked for only with an export; its folder button picks it.
void ImportGamesDialog::ShowKind() { EnableItem(IDC_IMPORTGAMES_DOSROOT, Kind() == LibraryKind::DbglExport); }

// The row under a point of the screen, -1 for none.
int ImportGamesDialog::RowAt(DWORD screenPos) const {
    LVHITTESTINFO hit{};
    hit.pt.x = static_cast<short>(LOWORD(screenPos));
    hit.pt.y = static_cast<short>(HIWORD(screenPos));
    ScreenToClient(_list.Handle(), &hit.pt);
    return ListView_HitTest(_list.Handle(), &hit);
}

void ImportGamesDialog::Browse(bool folder) {
    const KindTexts& texts = kKinds[static_cast<int>(Kind())];
    const bool dosRoot = folder && Kind() == LibraryKind::DbglExport;
    const int target = dosRoot ? IDC_IMPORTGAMES_DOSROOT : IDC_IMPORTGAMES_PATH;
    std::string chosen;
    if (folder) {
        if (!win::Ui().PickFolder(Handle(), texts.folderTitle, chosen)) return;
    } else {
        win::OpenFileRequest request;
        request.owner = Handle();
        request.title = "Please select the file to import";
        request.filter = texts.filter;
        request.initialDir = ItemText(IDC_IMPORTGAMES_PATH);
        request.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
        if (!win::Ui().PickFile(request, chosen)) return;
    }
    SetItemText(target, chosen);
    if (!ItemText(IDC_IMPORTGAMES_PATH).empty()) ReadSource();
}

// Reads the games of the chosen source into the list, every one marked.
void ImportGamesDialog::ReadSource() {
    const std::string path = ItemText(IDC_IMPORTGAMES_PATH, MAX_PATH - 1);
    ImportSource source;
    {
        win::WaitCursor wait;
        ShowStatus("Reading...");
        switch (Kind()) {
            case LibraryKind::DosBoxConfs: source = ReadDosBoxConfs(path); break;
            case LibraryKind::DFendReloaded: source = ReadDFendProfiles(path); break;
            case LibraryKind::DbglExport:
                source = ReadDbglExport(path, ItemText(IDC_IMPORTGAMES_DOSROOT, MAX_PATH - 1));
                break;
        }
    }
    _games = std::move(source.games);
    _unread = source.unread;
    _order.resize(_games.size());
    for (size_t i = 0; i < _order.size(); ++i) _order[i] = i;
    std::stable_sort(_order.begin(), _order.end(),
                     [this](size_t a, size_t b) { return LessNoCase(_games[a].title, _games[b].title); });
    FillList();
    SetItemText(IDC_IMPORTGAMES_SUMMARY, SourceText(source.status));
    if (_unread > 0) ShowStatus(Format("%d more games could not be read: an import reads at most %d.", _unread,
                                       static_cast<int>(kMaxImportGames)));
}

// One row per game, in the order of their titles, with the list's drawing held
// until all are in (a list view that sorts each row itself is slow with thousands).
void ImportGamesDialog::FillList() {
    const int count = static_cast<int>(_order.size());
    _list.DeleteAll();
    {
        win::NoRedraw hold(_list.Handle());
        _list.Reserve(count);
        for (int row = 0; row < count; ++row) {
            const int inserted = _list.InsertRow(row, _games[_order[static_cast<size_t>(row)]].title, kMarked);
            _list.SetTextCallback(inserted, 1);
            _list.SetTextCallback(inserted, 2);
        }
    }
    const bool any = count > 0;
    SetItemText(IDC_IMPORTGAMES_FOUND, Number(count));
    SetItemText(IDC_IMPORTGAMES_DUPLICATES, Number(CountDuplicates(_games, _order)));
    ShowSelectedCount();
    for (int id : {IDC_IMPORTGAMES_CONVERT, IDC_IMPORTGAMES_LIST, IDC_IMPORTGAMES_ALL, IDC_IMPORTGAMES_NONE})
        EnableItem(id, any);
    ShowStatus("...");
    win::ProgressBar(Item(IDC_IMPORTGAMES_PROGRESS)).SetPos(0);
    _loaded = true;
    SetItemText(IDC_IMPORTGAMES_CONVERT, "Convert");
}

// The Program column: the folder and the program as found; From: the file read.
void ImportGamesDialog::ShowRowPart(LVITEMA& item) const {
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    if (item.iItem < 0 || item.iItem >= static_cast<int>(_order.size())) return;
    const ImportedGame& game = _games[_order[static_cast<size_t>(item.iItem)]];
    std::string text;
    if (item.iSubItem == 1) {
        text = game.folder.text;
        if (!game.command.empty()) text += (text.empty() ? "" : "\\") + game.command;
    } else if (item.iSubItem == 2) {
        text = LastStep(game.source);
    }
    lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
}

void ImportGamesDialog::MarkAll(bool on) {
    if (!_loaded) return;
    for (int row = 0; row < _list.Count(); ++row) _list.SetImage(row, on ? kMarked : kUnmarked);
    ShowSelectedCount();
}

void ImportGamesDialog::ToggleMark(int row) {
    if (!_loaded || row < 0 || row >= _list.Count()) return;
    _list.SetImage(row, _list.Image(row) == kMarked ? kUnmarked : kMarked);
    ShowSelectedCount();
}

void ImportGamesDialog::ShowSelectedCount() {
    SetItemText(IDC_IMPORTGAMES_SELECTED, Number(_list.CountImage(kMarked)));
}

void ImportGamesDialog::ShowStatus(const std::string& text) {
    SetItemText(IDC_IMPORTGAMES_STATUS, text);
    RepaintControl(Item(IDC_IMPORTGAMES_STATUS));
}

// Converts the marked games; after it the button reads Reset, which reads the
// source again.
void ImportGamesDialog::Convert() {
    if (!_loaded) {
        ReadSource();
        return;
    }
    // The games are converted in the order they were read; row k shows game _order[k].
    const size_t rows = _order.size();
    std::vector<bool> chosen(_games.size(), false);
    for (size_t row = 0; row < rows; ++row) chosen[_order[row]] = _list.Image(static_cast<int>(row)) == kMarked;
    ImportBatchResult result;
    {
        win::WaitCursor wait;
        ShowStatus("Converting...");
        ConversionProgress progress(Item(IDC_IMPORTGAMES_PROGRESS));
        result =
            ConvertImportedGames(_games, _programFolder, IsChecked(IDC_IMPORTGAMES_OVERWRITE), progress, &chosen);
    }
    std::vector<size_t> rowOf(_games.size());
    for (size_t row = 0; row < rows; ++row) rowOf[_order[row]] = row;
    size_t k = 0;
    for (size_t game = 0; game < _games.size(); ++game) {
        if (!chosen[game]) continue;
        const bool done = k < result.games.size() && result.games[k++].outcome == ImportOutcome::Converted;
        _list.SetImage(static_cast<int>(rowOf[game]), done ? kConverted : kNotConverted);
    }
    converted += result.converted;
    std::string status =
        Format("Converted: %d.  Failed: %d.  Already exists: %d", result.converted, result.failed, result.existing);
    if (_unread > 0) status += Format(".  Not read: %d", _unread);
    ShowStatus(status);
    std::string summary = ImportSummaryText(result, static_cast<size_t>(-1), kSummaryChars);
    // The edit box breaks lines at CR LF only.
    for (size_t at = 0; (at = summary.find('\n', at)) != std::string::npos; at += 2) summary.insert(at, "\r");
    SetItemText(IDC_IMPORTGAMES_SUMMARY, summary);
    SetItemText(IDC_IMPORTGAMES_CONVERT, "Reset");
    _loaded = false;
}

int AskImportGames(HWND owner, const std::string& programFolder) {
    ImportGamesDialog dialog(programFolder);
    win::Ui().RunModal(dialog, owner);
    return dialog.converted;
}
