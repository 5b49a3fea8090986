// The main window's ways into the old catalogue and other launchers' libraries:
// the start-up offer to import Loader.ini, the Game List menu's "Import
// Loader.ini" and "Add new games (INI style)", and "Import games".
#include "data/Files.h"
#include "dialogs/ImportDialog.h"
#include "dialogs/ImportGamesDialog.h"
#include "dialogs/IniStyleAddDialog.h"
#include "launch/GameRows.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/UserInterface.h"
#include <functional>

namespace {

// The batch conversion's view of the main window: its game list and progress bar.
class GameListFeed final : public BatchListener {
public:
    using Action = std::function<void(const std::string&)>;
    GameListFeed(win::ProgressBar progress, std::function<void()> clear, Action addRow)
        : _progress(progress), _clear(std::move(clear)), _addRow(std::move(addRow)) {}
    void ListCleared() override { _clear(); }
    void ProgressRange(int maximum) override { _progress.SetRange(maximum); }
    void Progress(int position) override { _progress.SetPos(position); }
    void GameAdded(const std::string& fileName) override { _addRow(fileName); }

private:
    win::ProgressBar _progress;
    std::function<void()> _clear;
    Action _addRow;
};

}  // namespace

void MainWindow::OfferLoaderIniImport() {
    if (!FileExists(_state.loaderIniPath)) return;
    if (win::Ui().ShowMessage(Handle(),
                              "Found a superceded Loader.ini file.\nWould you like to import the games \nin the "
                              "Loader.ini file to the new QGF format?",
                              "Found v0.7 Loader.ini file", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    AskImportLoaderIni(Handle(), _state.programFolder, ImportMode::Startup);
}

void MainWindow::OnImportLoaderIni() {
    AskImportLoaderIni(Handle(), _state.programFolder, ImportMode::Menu);
    RefreshGameList();
}

// DOSBox configurations, D-Fend Reloaded and DBGL: the list shows what came in.
void MainWindow::OnImportGames() {
    AskImportGames(Handle(), _state.programFolder);
    RefreshGameList();
}

void MainWindow::OnAddGamesIniStyle() {
    // Each game added shows as a row at once; the list is filled again however
    // the dialog closes.
    GameListFeed feed(win::ProgressBar(Item(IDC_PROGRESS)), [this] { ClearRows(); },
                      [this](const std::string& fileName) {
                          AppendRow(ReadGameRow(_state.gamesFolder, fileName, _state.settings.reloadVerify));
                      });
    AskAddGamesIniStyle(Handle(), _state.programFolder, feed);
    FillGameList();
}
