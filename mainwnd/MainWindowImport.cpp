// The main window's ways into the old catalogue: the start-up offer to import
// Loader.ini, and the Game List menu's "Import Loader.ini" and "Add new games
// (INI style)".
#include "data/Files.h"
#include "dialogs/ImportDialog.h"
#include "dialogs/IniStyleAddDialog.h"
#include "launch/GameRows.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include <commctrl.h>
#include <functional>

namespace {

// The batch conversion's view of the main window: its game list and progress bar.
class GameListFeed final : public BatchListener {
public:
    using AddRow = std::function<void(const std::string&)>;
    GameListFeed(HWND window, AddRow addRow) : _window(window), _addRow(std::move(addRow)) {}
    void ListCleared() override { ListView_DeleteAllItems(GetDlgItem(_window, IDC_GAMELIST)); }
    void ProgressRange(int maximum) override { Send(PBM_SETRANGE, 0, MAKELPARAM(0, maximum)); }
    void Progress(int position) override { Send(PBM_SETPOS, static_cast<WPARAM>(position), 0); }
    void GameAdded(const std::string& fileName) override { _addRow(fileName); }

private:
    void Send(UINT msg, WPARAM wp, LPARAM lp) { SendDlgItemMessageA(_window, IDC_PROGRESS, msg, wp, lp); }
    HWND _window;
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
    GameListFeed feed(Handle(), [this](const std::string& fileName) {
        InsertRow(_list.Count(), ReadGameRow(_state.gamesFolder, fileName, _state.settings.reloadVerify));
    });
    AskAddGamesIniStyle(Handle(), _state.programFolder, feed);
    FillGameList();
}
