// The current game: the game the user selected in the list, loaded from its
// file when selected, and what shows it (caption, preview, buttons, menu items).
#include "win/Texts.h"
#include "data/Files.h"
#include "data/GameFile.h"
#include "data/GameFolder.h"
#include "dialogs/PictureMessages.h"
#include "launch/GameRows.h"
#include "mainwnd/MainWindow.h"
#include "mainwnd/MainWindowMessages.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include <vector>

void MainWindow::EnableGameCommands(bool on) {
    for (int id : {IDC_RUNGAME, IDC_GAMESETTINGS, IDC_MODIFY, IDC_DOCS}) EnableItem(id, on);
    HMENU menu = GetMenu(Handle());
    for (int id : {IDM_RUNGAME, IDM_DELETEGAME})
        EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

// A selection change and the click that caused it come as two notifications:
// both ask, the game is shown once.
// A click always shows the game again (a damaged file is reported again); a
// selection change that the program itself already showed does not.
void MainWindow::RequestShowSelected(bool click) {
    _showClicked = _showClicked || click;
    if (_showPending) return;
    _showPending = true;
    PostMessageA(Handle(), kShowSelectedMessage, 0, 0);
}

void MainWindow::OnShowSelectedRequest() {
    const bool click = _showClicked;
    _showPending = false;
    _showClicked = false;
    if (!click && _list.Selected() == _shownRow && _shownRow != -1) return;
    ShowSelectedGame();
}

void MainWindow::ShowSelectedGame(int row) {
    if (!_state.startupComplete) return;
    if (row == -1) row = _list.Selected();
    if (row == -1) {
        ClearCurrentGame();
        return;
    }
    _shownRow = row;
    if (!_filling) _list.EnsureVisible(row);
    EnableGameCommands(true);

    const std::string text = _list.Text(row, 0, 260);
    if (text.empty()) return;
    StoreSetting(setting::kLastRun, text);
    const std::string fileName = text + ".qgf";
    _game = CurrentGame();
    _game.path = GameFilePath(_state.programFolder, text);
    _shownStamp = FileStamp(_game.path);
    _game.loaded = ReadGameRecord(_game.path, _game.record) == GameFileStatus::Ok;
    OnCurrentGameChanged();
    if (!_game.loaded)
        win::Ui().ShowMessage(Handle(), "Failed to load the game file.\nPlease re-create it.", fileName, MB_OK);
}

// Each fill of the list clears the current game: a display that shows no game
// already is left as it is (clearing the details bar again costs each fill).
void MainWindow::ClearCurrentGame() {
    const bool alreadyClear = _noGameShown && _shownRow == -1;
    _game = CurrentGame();
    _shownRow = -1;
    _shownStamp = 0;
    if (!alreadyClear) OnCurrentGameChanged();
}

// Everything that shows the current game follows it from here.
void MainWindow::OnCurrentGameChanged() {
    const bool shown = _shownRow != -1;
    _noGameShown = !shown;
    _details.ShowGame(shown && _game.loaded ? &_game : nullptr);
    if (!shown || !_game.loaded) {
        SetWindowTextA(Handle(), kAppTitle);
        // A game that failed to load cannot be run or changed.
        EnableGameCommands(false);
        ShowDefaultPicture();
        return;
    }
    EnableGameCommands(true);
    SetWindowTextA(Handle(), Format("%s - %s", kAppTitle, FieldText(_game.record.title).c_str()).c_str());
    ShowPicture(_game.path, _game.record);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

DetailsBar::Host MainWindow::DetailsHost() {
    DetailsBar::Host host;
    host.selectedTitle = [this] {
        const int row = GetSelectedRow();
        return row < 0 ? std::string() : _list.Text(row, 0, 260);
    };
    host.refreshRow = [this] { RefreshSelectedRow(); };
    host.showPicture = [this](HBITMAP bitmap) {
        if (bitmap)
            SetPreview(bitmap, false);
        else
            ShowDefaultPicture();
    };
    return host;
}

// After an edit of the details bar: the row shows the saved game, and the file
// as it is now counts as read (a repaint need not load it again). The row's
// text stays: it names the game file, which a new title does not rename.
void MainWindow::RefreshSelectedRow() {
    _shownStamp = FileStamp(_game.path);
    const int row = GetSelectedRow();
    if (row < 0 || row >= static_cast<int>(_rows.size()) || !_game.loaded) return;
    GameRowData& data = _rows[static_cast<size_t>(row)];
    SetGameRow(data, GameFileStatus::Ok, _game.record, _state.settings.reloadVerify);
    RowStatusImage(data);
    _list.RedrawRow(row);
}

// On a repaint: the selection went away, or the shown game's file changed.
void MainWindow::ReloadIfChanged() {
    const int selected = _list.Selected();
    if (selected == -1) {
        // The game count of a fill stays in the caption until a game is chosen.
        if (_shownRow != -1) ClearCurrentGame();
        return;
    }
    if (_showPending) return;
    if (selected != _shownRow || (!_game.path.empty() && FileStamp(_game.path) != _shownStamp))
        ShowSelectedGame(selected);
}

// The picture embedded in a game file, or the default one when it has none or
// it cannot be shown.
void MainWindow::ShowPicture(const std::string& path, const GameRecord& record) {
    std::vector<char> picture;
    if (record.pictureSize == 0 || !ReadGamePicture(path, record.pictureSize, picture)) {
        ShowDefaultPicture();
        return;
    }
    // A damaged picture never reaches LoadImageA: the default picture shows instead.
    HBITMAP bitmap = PreviewFromPicture(picture);
    if (!bitmap) {
        OutputDebugStringA("qgf - Loadimage..FAILED.");
        ShowDefaultPicture();
    } else {
        SetPreview(bitmap, false);
    }
    RedrawWindow(Item(IDC_PICTURE), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void MainWindow::ShowDefaultPicture() {
    if (_preview.Get() && _previewIsDefault) return;  // already shown: no need to load it again
    SetPreview(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_DEFAULTGAME),
                                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)),
               true);
}

void MainWindow::SetPreview(HBITMAP bitmap, bool isDefault) {
    // The control shows the bitmap until the next one replaces it: only then is
    // the old one deleted.
    SetItemBitmap(IDC_PICTURE, bitmap);
    _preview.Reset(bitmap);
    _previewIsDefault = isDefault;
}
