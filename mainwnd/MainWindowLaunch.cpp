// The main window's ways of running a game: the Run Game button, the double
// click, the menu and the command line.
#include "win/Texts.h"
#include "data/Files.h"
#include "data/GameFolder.h"
#include "data/Strings.h"
#include "launch/CommandLine.h"
#include "mainwnd/LaunchSteps.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include "win/WaitCursor.h"

// A launch runs the game of the row it names. A selection loads its game through
// a posted request, and a double click or Run Game may come before it is handled:
// the row's game is loaded here first whenever the current game is another one.
bool MainWindow::LaunchRow(int row) {
    if (row == -1) return false;
    const std::string title = _list.Text(row, 0);
    if (!EqualNoCase(_game.path, GameFilePath(_state.programFolder, title))) {
        ShowSelectedGame(row);
        _showClicked = false;  // the waiting request finds the row shown
    }
    if (!_game.loaded) return false;  // not loaded: already reported, nothing to run
    return RunGame(Handle(), title, _game, _state);
}

void MainWindow::RunAndSave(int row) {
    if (row == -1) return;
    LaunchRow(row);
    bool saved = false;
    {
        win::WaitCursor wait;
        saved = SaveGameFile(_game);  // only a loaded game is written, never a read-only file
    }
    if (!saved && _game.loaded && IsReadOnlyFile(_game.path))
        win::Ui().ShowMessage(Handle(), Format(kReadOnlyGameMessage, _game.path.c_str()), kAppName,
                              MB_OK | MB_ICONEXCLAMATION);
    _shownStamp = FileStamp(_game.path);
    UpdateRowImage(row);
}

// The program was started with a game file: find its row, load it and run it.
// Only the listed game file in the Games folder itself is run, never a file of
// the same name elsewhere.
void MainWindow::LaunchFromCommandLine() {
    const std::string path = CommandLineGameFile(_state.commandLine);
    const std::string name = GameNameOfPath(path);
    const int row = IsDosDeviceName(path) ? -1 : _list.Find(name);
    if (row != -1 && !FileExists(path)) {
        win::Ui().ShowMessage(Handle(), Format("The game file cannot be found:\n%s", path.c_str()), kAppName,
                              MB_OK | MB_ICONSTOP);
        return;
    }
    if (row == -1 || !IsListedGameFile(path, _state.programFolder, _list.Text(row, 0))) {
        win::Ui().ShowMessage(Handle(),
                              "Cannot find the QGF in the game list!\n\nPlease move the QGF file to the folder\n"
                              "'C:\\Program Files\\Quillon Loader\\Games\\'\nand use a desktop shortcut to the QGF "
                              "instead.",
                              name, MB_OK | MB_ICONSTOP);
        return;
    }
    _list.Select(row);
    SetFocus(_list.Handle());
    _game = CurrentGame();
    _game.path = GameFilePath(_state.programFolder, _list.Text(row, 0));
    _game.loaded = ReadGameRecord(_game.path, _game.record) == GameFileStatus::Ok;
    _shownRow = row;
    _shownStamp = FileStamp(_game.path);
    OnCurrentGameChanged();
    if (!_game.loaded) {
        win::Ui().ShowMessage(Handle(), "The QGF file appears to be corrupted.\nPlease re-create it.", path,
                              MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    RunAndSave(row);
}
