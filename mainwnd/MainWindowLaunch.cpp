// The main window's ways of running a game (button, double click, menu, command
// line) and the CPU slow-down controls.
#include "mainwnd/MainWindow.h"
#include "app/Texts.h"
#include "launch/CommandLine.h"
#include "launch/LaunchGame.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include <commctrl.h>

bool MainWindow::LaunchGame(int row) {
    if (row == -1) return false;
    LaunchRequest request;
    request.owner = Handle();
    request.title = _list.Text(row, 0);
    request.game = &_game;
    request.state = &_state;
    return ::LaunchGame(request);
}

void MainWindow::RunAndSave(int row) {
    if (row == -1) return;
    LaunchGame(row);
    // Only a loaded game is written, and never a read-only game file.
    if (!SaveGameFile(_game) && _game.loaded && IsReadOnlyFile(_game.path))
        win::Ui().ShowMessage(Handle(), Format(kReadOnlyGameMessage, _game.path.c_str()), kAppName,
                              MB_OK | MB_ICONEXCLAMATION);
    _list.SetImage(row, VerifyGameRow(row));
}

void MainWindow::OnRunGameMenu() {
    int row = GetSelectedRow();
    if (row == -1) {
        win::Ui().ShowMessage(Handle(), Tr(_state.spanish, "No game is selected.", "No seleccionado Juego."), kAppName,
                              MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    LaunchGame(row);
}

// The program was started with a game file: find its row, load it and run it.
// Only the listed game file in the Games folder itself is run, never a file of
// the same name elsewhere.
void MainWindow::LaunchFromCommandLine() {
    const std::string path = CommandLineGameFile(_state.commandLine);
    const std::string name = GameNameOfPath(path);
    int row = IsDosDeviceName(path) ? -1 : _list.Find(name);
    if (row != -1 && !FileExists(path)) {
        win::Ui().ShowMessage(Handle(), Format("The game file cannot be found:\n%s", path.c_str()), kAppName,
                              MB_OK | MB_ICONSTOP);
        return;
    }
    if (row == -1 || !IsListedGameFile(path, _state.gamesFolder, _list.Text(row, 0))) {
        win::Ui().ShowMessage(Handle(),
                              "Cannot find the QGF in the game list!\n\nPlease move the QGF file to the folder\n"
                              "'C:\\Program Files\\Quillon Loader\\Games\\'\nand use a desktop shortcut to the QGF "
                              "instead.",
                              name, MB_OK | MB_ICONSTOP);
        return;
    }
    _list.Select(row);
    SetFocus(_list.Handle());
    if (!LoadGameFile(ListedGameFilePath(_state.gamesFolder, _list.Text(row, 0)), true)) {
        win::Ui().ShowMessage(Handle(), "The QGF file appears to be corrupted.\nPlease re-create it.", path,
                              MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    RunAndSave(row);
}

void MainWindow::OnSlowDownClicked() {
    _slowDownEnabled = IsChecked(IDC_SLOWDOWN);
    if (_slowDownEnabled) {
        int position = static_cast<int>(SendDlgItemMessageA(Handle(), IDC_SLOWDOWN_SLIDER, TBM_GETPOS, 0, 0));
        _slowDown.SetPeriod(SlowDown::PeriodForSlider(position));
        _slowDown.Start();
    } else {
        _slowDown.Stop();
    }
}

void MainWindow::OnSlowDownReleased() {
    int position = static_cast<int>(SendDlgItemMessageA(Handle(), IDC_SLOWDOWN_SLIDER, TBM_GETPOS, 0, 0));
    if (_slowDownEnabled) _slowDown.SetPeriod(SlowDown::PeriodForSlider(position));
    // Hidden while it changes, so that it repaints over the background.
    HWND label = Item(IDC_SLOWDOWN_LABEL);
    ShowWindow(label, SW_HIDE);
    SetWindowTextA(label, SlowDown::LabelForSlider(position).c_str());
    ShowWindow(label, SW_SHOW);
}
