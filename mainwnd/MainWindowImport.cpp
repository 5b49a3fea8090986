// The main window's ways into the old catalogue: the start-up offer to import
// Loader.ini, and the Game List menu's "Import Loader.ini" and "Add new games
// (INI style)".
#include "data/Files.h"
#include "dialogs/ImportDialog.h"
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
    using AddRow = std::function<void(const std::string&)>;
    GameListFeed(win::ListView list, win::ProgressBar progress, AddRow addRow)
        : _list(list), _progress(progress), _addRow(std::move(addRow)) {}
    void ListCleared() override { _list.DeleteAll(); }
    void ProgressRange(int maximum) override { _progress.SetRange(maximum); }
    void Progress(int position) override { _progress.SetPos(position); }
    void GameAdded(const std::string& fileName) override { _addRow(fileName); }

private:
    win::ListView _list;
    win::ProgressBar _progress;
    AddRow _addRow;
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

void MainWindow::OnAddGamesIniStyle() {
    // Each game added shows as a row at once; the list is filled again however
    // the dialog closes.
    GameListFeed feed(_list, win::ProgressBar(Item(IDC_PROGRESS)), [this](const std::string& fileName) {
        InsertRow(_list.Count(), ReadGameRow(_state.gamesFolder, fileName, _state.settings.reloadVerify));
    });
    AskAddGamesIniStyle(Handle(), _state.programFolder, feed);
    FillGameList();
}
