// The game list: one row per game file of the games folder, read once per fill,
// its row images, sorting, and the list's notifications.
#include "win/Texts.h"
#include "data/GameFolder.h"
#include "launch/GameRows.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/UserInterface.h"
#include "win/WaitCursor.h"
#include <vector>

namespace {

// Moves a progress bar only when its filled part grows by a pixel, and at most
// every 40 ms: painting it at each of 512 positions costs more than the work it
// shows.
class ProgressSteps {
public:
    ProgressSteps(HWND bar, int total) : _bar(bar), _total(total) {
        RECT rc{};
        GetClientRect(bar, &rc);
        _width = rc.right > 0 ? rc.right : 1;
        _bar.SetRange(total);
        _bar.SetPos(0);
    }
    void Set(int position) {
        if (_total <= 0) return;
        const int pixel = static_cast<int>(static_cast<long long>(position) * _width / _total);
        const DWORD now = GetTickCount();
        if (pixel == _lastPixel || now - _lastTime < 40) return;
        _lastPixel = pixel;
        _lastTime = now;
        _bar.SetPos(position);
        UpdateWindow(_bar.Handle());
    }

private:
    win::ProgressBar _bar;
    int _total;
    int _width = 1;
    int _lastPixel = 0;
    DWORD _lastTime = GetTickCount();
};

}  // namespace

void MainWindow::FillGameList() {
    win::WaitCursor wait;
    _filling = true;
    EnableGameCommands(false);
    // The list redraws once at the end, unless the player wants to see it grow.
    win::NoRedraw quiet(_state.individualUpdating ? nullptr : _list.Handle());
    _list.DeleteAll();
    ClearCurrentGame();

    const GameFolderListing listing = ListGameFiles(_state.gamesFolder, _options.maxGames);
    ProgressSteps progress(Item(IDC_PROGRESS), static_cast<int>(listing.files.size()));
    if (listing.counted > _options.maxGames) {
        win::Ui().ShowMessage(Handle(), Format(Tr(TextId::TooManyGames), listing.counted, _options.maxGames), kAppName,
                              MB_OK);
    }
    std::vector<GameRowData> rows;
    rows.reserve(listing.files.size());
    for (const auto& file : listing.files)
        rows.push_back(ReadGameRow(_state.gamesFolder, file, _state.settings.reloadVerify));
    OrderGameRows(rows, _sortColumn);
    for (size_t i = 0; i < rows.size(); ++i) {
        progress.Set(static_cast<int>(i));
        InsertRow(static_cast<int>(i), rows[i]);
    }
    const int count = _list.Count();
    SetWindowTextA(Handle(),
                   Format(Tr(count == 1 ? TextId::GameCountOne : TextId::GameCountMany), kAppTitle, count).c_str());
    win::ProgressBar(Item(IDC_PROGRESS)).SetPos(0);
    _filling = false;
}

void MainWindow::InsertRow(int index, const GameRowData& row) {
    const int inserted = _list.InsertRow(index, row.name);
    if (!row.loaded) win::Ui().ShowMessage(Handle(), Format("Failed to load:\n%s", row.file.c_str()), "Error", MB_OK);
    if (row.loaded) {
        _list.SetText(inserted, 1, row.publisher);
        _list.SetText(inserted, 2, row.category);
    }
    _list.SetImage(inserted, row.image);
    _list.SetText(inserted, 3, row.settings);
    if (_state.individualUpdating) {
        UpdateWindow(Handle());
        GameRecord picture{};
        picture.pictureSize = row.pictureSize;
        ShowPicture(_state.gamesFolder + "\\" + row.file, picture);
    }
}

void MainWindow::UpdateRowImage(int row) {
    if (row < 0) return;
    const std::string name = _list.Text(row, 0, 260);
    GameRecord record;
    StatusImage image = kImageNoFolder;
    if (!name.empty() && ReadGameRecord(GameFilePath(_state.programFolder, name), record) == GameFileStatus::Ok)
        image = GameStatusImage(record);
    _list.SetImage(row, image);
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
    ProgressSteps progress(Item(IDC_PROGRESS), count);
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

void MainWindow::OnListNotify(NMHDR& hdr) {
    switch (hdr.code) {
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
}
