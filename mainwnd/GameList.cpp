// The game list: one row per game file of the games folder, read once per fill,
// its row images, sorting, typing a title, and the list's notifications.
#include "win/Texts.h"
#include "data/GameFolder.h"
#include "launch/GameRows.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/ProgressSteps.h"
#include "win/UserInterface.h"
#include "win/WaitCursor.h"
#include <vector>

namespace {

// The longest pause between two letters of one title typed into the list.
constexpr DWORD kTypingPause = 1000;

}  // namespace

void MainWindow::FillGameList() {
    win::WaitCursor wait;
    _filling = true;
    EnableGameCommands(false);
    // The list redraws once at the end, unless the player wants to see it grow.
    win::NoRedraw quiet(_state.individualUpdating ? nullptr : _list.Handle());
    // The list's rows are used again, their texts and images coming from
    // _rows: deleting and inserting every row is most of a fill's own work
    // with thousands of games. None stays selected, as after a new list.
    if (_state.individualUpdating) _list.DeleteAll();
    _list.ClearSelection();
    const std::vector<GameRowData> previous = std::move(_rows);
    _rows.clear();
    const int kept = _list.Count();
    ClearCurrentGame();

    const int maxGames = _state.settings.maxGames;
    const GameFolderListing listing = ListGameFiles(_state.gamesFolder, maxGames);
    if (listing.counted > maxGames)
        win::Ui().ShowMessage(Handle(), Format(Tr(TextId::TooManyGames), listing.counted, maxGames), kAppName, MB_OK);
    // Reading the files is the long part: the progress bar follows it. Each
    // row then goes into the list with one message per column, its texts and
    // image asked for only when it shows.
    const int count = static_cast<int>(listing.files.size());
    win::ProgressSteps progress(Item(IDC_PROGRESS), count);
    _rows = ReadGameRows(_state.gamesFolder, listing.files, _state.settings.reloadVerify,
                         [&progress](int read) { progress.Set(read); });
    OrderGameRows(_rows, _sortColumn);
    for (int row = kept - 1; row >= count; --row) _list.DeleteRow(row);
    _list.Reserve(count);
    for (int row = 0; row < count; ++row) {
        const bool reused = row < kept;
        ShowRow(row, reused && static_cast<size_t>(row) < previous.size() ? &previous[static_cast<size_t>(row)].name
                                                                           : nullptr,
                reused);
    }
    if (kept > 0 && count > 0) _list.EnsureVisible(0);  // from the top, as a new list
    const int listed = _list.Count();
    SetWindowTextA(Handle(),
                   Format(Tr(listed == 1 ? TextId::GameCountOne : TextId::GameCountMany), kAppTitle, listed).c_str());
    win::ProgressBar(Item(IDC_PROGRESS)).SetPos(0);
    _filling = false;
}

void MainWindow::ClearRows() {
    _list.DeleteAll();
    _rows.clear();
}

void MainWindow::AppendRow(GameRowData row) {
    _rows.push_back(std::move(row));
    ShowRow(static_cast<int>(_rows.size()) - 1, nullptr, false);
}

// Shows _rows[row] as the list's row |row|: a new row, or the |reused| one,
// whose text changes unless it was |shown| already.
void MainWindow::ShowRow(int row, const std::string* shown, bool reused) {
    const GameRowData& added = _rows[static_cast<size_t>(row)];
    if (!added.loaded)
        win::Ui().ShowMessage(Handle(), Format("Failed to load:\n%s", added.file.c_str()), "Error", MB_OK);
    if (reused) {
        if (!shown || *shown != added.name) _list.SetText(row, 0, added.name);
    } else {
        const int inserted = _list.InsertRow(row, added.name, win::kImageCallback);
        for (int column = 1; column < 4; ++column) _list.SetTextCallback(inserted, column);
    }
    if (_state.individualUpdating) {
        _noGameShown = false;  // the preview shows the row's picture
        UpdateWindow(Handle());
        GameRecord picture{};
        picture.pictureSize = added.pictureSize;
        ShowPicture(_state.gamesFolder + "\\" + added.file, picture);
    }
}

// What the list asks for as it draws a row: the Publisher, Category and
// Settings texts and the status image, which is checked on the disk then.
void MainWindow::ShowRowPart(LVITEMA& item) {
    if (item.iItem < 0 || item.iItem >= static_cast<int>(_rows.size())) return;
    GameRowData& row = _rows[static_cast<size_t>(item.iItem)];
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        // A record that did not load shows its name and Settings only.
        const std::string none;
        const std::string* columns[] = {&row.name, row.loaded ? &row.publisher : &none,
                                        row.loaded ? &row.category : &none, &row.settings};
        if (item.iSubItem >= 0 && item.iSubItem < 4)
            lstrcpynA(item.pszText, columns[item.iSubItem]->c_str(), item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = RowStatusImage(row);
}

// A row read again from its file, its status image checked at once.
void MainWindow::UpdateRowImage(int row) {
    if (row < 0 || row >= static_cast<int>(_rows.size())) return;
    GameRowData& data = _rows[static_cast<size_t>(row)];
    GameRecord record;
    const GameFileStatus status = data.name.empty() ? GameFileStatus::CannotOpen
                                                    : ReadGameRecord(GameFilePath(_state.programFolder, data.name), record);
    SetGameRow(data, status, record, true);
    RowStatusImage(data);
    _list.RedrawRow(row);
}

void MainWindow::RefreshGameList() {
    const int selected = _list.Selected();
    const std::string text = selected == -1 ? std::string() : _list.Text(selected, 0, 260);
    FillGameList();
    if (text.empty()) return;
    const int row = _list.Find(text);
    if (row == -1) return;
    _list.Select(row);
    SetFocus(_list.Handle());
    ShowSelectedGame(row);
}

void MainWindow::VerifyAllGames() {
    win::WaitCursor wait;
    _filling = true;
    const int count = _list.Count();
    win::ProgressSteps progress(Item(IDC_PROGRESS), count);
    for (int row = 0; row < count; ++row) {
        progress.Set(row);
        UpdateRowImage(row);
    }
    win::ProgressBar(Item(IDC_PROGRESS)).SetPos(0);
    _filling = false;
    ShowSelectedGame();
}

void MainWindow::SortBy(int column) {
    _sortColumn = column;
    FillGameList();
}

// Typing a title's first letters selects its row. The list view's own search
// stops at a blank under Wine, and asks for every row's text: this one looks
// through the rows it holds.
bool MainWindow::TypeIntoList(char c, DWORD time) {
    if (static_cast<unsigned char>(c) < ' ' || c == '\x7F') {
        _typed.clear();
        return false;
    }
    if (time - _typedTime > kTypingPause) _typed.clear();
    if (_typed.empty() && c == ' ') return false;  // the list's own: it selects the focused row
    _typedTime = time;
    _typed += c;
    const int row = FindTypedRow(_rows, _typed, _list.Selected());
    if (row != -1 && row != _list.Selected()) {
        _list.Select(row);
        _list.EnsureVisible(row);
    }
    return true;
}

LRESULT MainWindow::OnListNotify(NMHDR& hdr) {
    switch (hdr.code) {
        case LVN_GETDISPINFOA: ShowRowPart(reinterpret_cast<NMLVDISPINFOA&>(hdr).item); break;
        case LVN_DELETEALLITEMS: return TRUE;  // no notification per row
        case NM_CLICK: RequestShowSelected(true); break;
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<NMLISTVIEW&>(hdr);
            if (!(change.uChanged & LVIF_STATE) || _filling) break;
            const int selected = _list.Selected();
            if (selected != -1 && selected != _shownRow) RequestShowSelected(false);
            break;
        }
        case NM_DBLCLK: RunAndSave(GetSelectedRow()); break;
        case NM_RDBLCLK: OnGameSetup(false); break;
        case LVN_COLUMNCLICK: SortBy(reinterpret_cast<NMLISTVIEW&>(hdr).iSubItem); break;
        default: break;
    }
    return 0;
}
