// The main window's commands: one handler per menu item, button and control.
#include "win/Texts.h"
#include "data/Files.h"
#include "dialogs/AddGameDialog.h"
#include "mainwnd/GameSetupCommands.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/UserInterface.h"
#include "win/WaitCursor.h"

void MainWindow::OnCommand(int id, int /*code*/, HWND /*ctl*/) {
    switch (id) {
        case IDM_EXIT: PostMessageA(Handle(), WM_CLOSE, 0, 0); break;
        case IDM_REFRESH: RefreshGameList(); break;
        case IDM_VERIFYALL: VerifyAllGames(); break;
        case IDM_RUNGAME: OnRunGameMenu(); break;
        case IDM_ADDGAME: OnAddGame(); break;
        case IDM_IMPORT: OnImportLoaderIni(); break;
        case IDM_IMPORTGAMES: OnImportGames(); break;
        case IDM_ADDGAMESINI: OnAddGamesIniStyle(); break;
        case IDC_RUNGAME: RunAndSave(GetSelectedRow()); break;
        case IDC_GAMESETTINGS: OnGameSetup(false); break;
        case IDC_MODIFY: OnGameSetup(true); break;
        case IDC_DOCS: _details.OpenDocument(); break;
        case IDC_SLOWDOWN: OnSlowDownClicked(); break;
        case IDC_SAVEGAME: OnSaveGame(); break;
        default:
            if (!OnMenuCommand(id)) OnDialogCommand(id);
            break;
    }
}

void MainWindow::OnRunGameMenu() {
    const int row = GetSelectedRow();
    if (row == -1) {
        win::Ui().ShowMessage(Handle(), Tr(TextId::NoGameSelected), kAppName, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    LaunchRow(row);
}

void MainWindow::OnAddGame() {
    const auto added = AskAddGame(Handle(), _state.programFolder, _dataIni);
    if (!added) return;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RefreshGameList();
    const int row = _list.Find(added->title);
    if (row == -1) return;
    _list.Select(row);
    SetFocus(_list.Handle());
    ShowSelectedGame(row);
    // Without a setup program in its folder, the new game's settings are asked for.
    if (added->noSetup && _game.loaded) OnGameSetup(true);
}

// The Game Settings button (and the list's right double click) runs the game's
// setup; the Modify button edits its settings.
void MainWindow::OnGameSetup(bool modify) {
    const int row = GetSelectedRow();
    GameSetupContext context;
    context.owner = Handle();
    context.title = row == -1 ? std::string() : _list.Text(row, 0, 260);
    context.game = &_game;
    context.dataIni = &_dataIni;
    context.facts = _state.Facts();
    context.showPathItem = [this] { _details.ShowField(DetailsBar::kPath); };
    const GameSetupOutcome outcome = modify ? ModifyGameSettings(context) : RunGameSetup(context);
    // The file now holds what was saved (RefreshSelectedRow takes its stamp): a
    // repaint must not read it back over what is still only in memory.
    if (outcome.refreshRow)
        RefreshSelectedRow();
    else
        _shownStamp = FileStamp(_game.path);
    OnCurrentGameChanged();
}

void MainWindow::OnSaveGame() {
    if (GetSelectedRow() == -1) return;
    win::WaitCursor wait;
    SaveGameFile(_game);
}

void MainWindow::OnSlowDownClicked() {
    _slowDownEnabled = IsChecked(IDC_SLOWDOWN);
    if (_slowDownEnabled) {
        const int position = win::Trackbar(Item(IDC_SLOWDOWN_SLIDER)).Pos();
        _slowDown.SetPeriod(SlowDown::PeriodForSlider(position));
        _slowDown.Start();
    } else {
        _slowDown.Stop();
    }
    _state.slowDownOn = _slowDownEnabled;
    _state.slowDownPeriod = _slowDown.Period();
}

void MainWindow::OnSlowDownReleased() {
    const int position = win::Trackbar(Item(IDC_SLOWDOWN_SLIDER)).Pos();
    if (_slowDownEnabled) _slowDown.SetPeriod(SlowDown::PeriodForSlider(position));
    _state.slowDownPeriod = _slowDown.Period();
    // Hidden while it changes, so that it repaints over the background.
    HWND label = Item(IDC_SLOWDOWN_LABEL);
    ShowWindow(label, SW_HIDE);
    SetWindowTextA(label, SlowDown::LabelForSlider(position).c_str());
    ShowWindow(label, SW_SHOW);
}
