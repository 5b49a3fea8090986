// The main window's ways of running a game: the Run Game button, the double
// click, the menu and the command line.
#include "app/Texts.h"
#include "mainwnd/LaunchSteps.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include "win/WaitCursor.h"

bool MainWindow::LaunchRow(int row) {
    if (row == -1) return false;
    return RunGame(Handle(), _list.Text(row, 0), _game.record, _state);
}

void MainWindow::RunAndSave(int row) {
    if (row == -1) return;
    LaunchRow(row);
    {
        win::WaitCursor wait;
        SaveGameFile(_game);  // only a loaded game is written
    }
    _shownStamp = FileStamp(_game.path);
    UpdateRowImage(row);
}

// The program was started with a game file: find its row, load it and run it.
void MainWindow::LaunchFromCommandLine() {
    std::string path = _state.commandLine;
    if (!path.empty() && path[0] == '"') path = path.size() >= 2 ? path.substr(1, path.size() - 2) : std::string();
    const size_t slash = path.rfind('\\');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);

    const int row = _list.Find(name);
    if (row == -1) {
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
    _game.path = path;
    _game.loaded = ReadGameRecord(path, _game.record) == GameFileStatus::Ok;
    _shownRow = row;
    _shownStamp = FileStamp(path);
    OnCurrentGameChanged();
    if (!_game.loaded) {
        win::Ui().ShowMessage(Handle(), "The QGF file appears to be corrupted.\nPlease re-create it.", path,
                              MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    RunAndSave(row);
}
