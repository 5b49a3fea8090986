// The start-up offer and the menu commands of the old catalogue.
#include "mainwnd/LoaderIniCommands.h"
#include "data/Files.h"
#include "dialogs/ImportDialog.h"
#include "dialogs/IniStyleAddDialog.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include <commctrl.h>

namespace {

// The batch conversion's view of the main window: its game list and progress bar.
class GameListFeed final : public BatchListener {
public:
    explicit GameListFeed(MainWindow& window) : _window(window) {}
    void ListCleared() override { _window.List().DeleteAll(); }
    void ProgressRange(int maximum) override { Send(PBM_SETRANGE, 0, MAKELPARAM(0, maximum)); }
    void Progress(int position) override { Send(PBM_SETPOS, static_cast<WPARAM>(position), 0); }
    void GameAdded(const std::string& fileName) override { _window.InsertGameRow(fileName); }

private:
    void Send(UINT msg, WPARAM wp, LPARAM lp) { SendDlgItemMessageA(_window.Handle(), IDC_PROGRESS, msg, wp, lp); }
    MainWindow& _window;
};

}  // namespace

void OfferLoaderIniImport(MainWindow& window) {
    const AppState& state = window.State();
    if (!FileExists(state.loaderIniPath)) return;
    if (win::Ui().ShowMessage(window.Handle(),
                              "Found a superceded Loader.ini file.\nWould you like to import the games \nin the "
                              "Loader.ini file to the new QGF format?",
                              "Found v0.7 Loader.ini file", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    AskImportLoaderIni(window.Handle(), state.programFolder, ImportMode::Startup);
}

void ImportLoaderIni(MainWindow& window) {
    AskImportLoaderIni(window.Handle(), window.State().programFolder, ImportMode::Menu);
    window.RefreshGameList();
}

void AddGamesIniStyle(MainWindow& window) {
    GameListFeed feed(window);
    AskAddGamesIniStyle(window.Handle(), window.State().programFolder, feed);
    window.FillGameList();
}
