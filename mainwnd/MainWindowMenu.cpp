// The main window's menu commands that open files and pages in the shell, the
// background hues, the criteria file, VDMSound, help, and deleting a game.
#include "data/Files.h"
#include "data/GameFolder.h"
#include "data/NameRules.h"
#include "dialogs/CriteriaPrompts.h"
#include "dialogs/MovedGame.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "state/Settings.h"
#include "win/Texts.h"
#include "win/UserInterface.h"
#include "win/WaitCursor.h"
#include <cstdlib>

namespace {

constexpr char kAuthorWeb[] = "http://www.farstep.net/quillon/";

struct Hue {
    int command, bitmap, stored;
};
constexpr Hue kHues[] = {{IDM_BACK_RED, IDB_BACK_RED, 0},
                         {IDM_BACK_GREEN, IDB_BACK_GREEN, 1},
                         {IDM_BACK_BLUE, IDB_BACK_BLUE, 2},
                         {IDM_BACK_GREY, IDB_BACK_GREY, 3}};

}  // namespace

bool MainWindow::OnMenuCommand(int id) {
    for (const Hue& hue : kHues)
        if (id == hue.command) {
            SetBackgroundHue(hue.stored);
            return true;
        }
    switch (id) {
        case IDM_GAMESFOLDER: OnGamesFolder(); return true;
        case IDM_WEBSITE: OnVisitWebSite(); return true;
        case IDM_EDITDATAINI: OnEditDataIni(); return true;
        case IDM_RELOADDATA: OnReloadData(); return true;
        case IDM_EDITVDMSINI: OnEditVdmsIni(); return true;
        case IDM_VDMSHELP: OnVdmSoundHelp(); return true;
        case IDM_VDMSWEB: OnVisitVdmSoundWeb(); return true;
        case IDM_DELETEGAME: OnDeleteGame(); return true;
        case IDM_SEARCHGAME: OnSearchGame(); return true;
        case IDM_HELPTOPICS: OnHelpTopics(); return true;
        default: return false;
    }
}

// Hands a file or address to the shell; false (after the message) on failure.
bool MainWindow::OpenInShell(const std::string& file, const std::string& failure, const std::string& dir, int show) {
    if (win::Ui().Execute(Handle(), "open", file, "", dir, show) > 32) return true;
    win::Ui().ShowMessage(Handle(), failure, kAppName, MB_OK);
    return false;
}

void MainWindow::OnGamesFolder() {
    OpenInShell(_state.gamesFolder, Format(Tr(TextId::GamesFolderFailed), _state.gamesFolder.c_str()));
}

void MainWindow::OnVisitWebSite() { OpenInShell(kAuthorWeb, Format(Tr(TextId::AuthorWebFailed), kAuthorWeb)); }

void MainWindow::OnEditDataIni() { OpenInShell(_state.dataIniPath, Tr(TextId::DataIniNotOpened)); }

void MainWindow::OnReloadData() {
    win::WaitCursor wait;
    ReloadDataIni();
    Sleep(250);
}

// The criteria file is read again: its lists and the VDMSound page address.
void MainWindow::ReloadDataIni() {
    if (OpenDataIni(_dataIni, _state.dataIniPath, Handle())) _state.vdmSoundWeb = ReadVdmSoundWeb(_dataIni);
}

// False, after telling the player where VDMSound is to be had, when it was not found.
bool MainWindow::RequireVdmSound(TextId missing) {
    if (_state.vdm.available) return true;
    win::Ui().ShowMessage(Handle(), Format(Tr(missing), _state.vdmSoundWeb.c_str()), kAppName, MB_OK);
    return false;
}

void MainWindow::OnEditVdmsIni() {
    if (!RequireVdmSound(TextId::VdmSoundMissingForEdit)) return;
    OpenInShell(_state.vdm.folder + "Vdms.ini", Format(Tr(TextId::VdmsIniNotOpened), _state.vdm.folder.c_str()));
}

void MainWindow::OnVdmSoundHelp() {
    if (!RequireVdmSound(TextId::VdmSoundMissing)) return;
    OpenInShell(_state.vdm.folder + "VDMConfig.hlp", Format(Tr(TextId::VdmHelpNotOpened), _state.vdm.folder.c_str()));
}

// The address comes from Data.ini: only a web address reaches the shell.
void MainWindow::OnVisitVdmSoundWeb() {
    const std::string failure = Format(Tr(TextId::VdmSoundWebFailed), _state.vdmSoundWeb.c_str());
    std::string address;
    if (!ToWebAddress(_state.vdmSoundWeb, address))
        win::Ui().ShowMessage(Handle(), failure, kAppName, MB_OK);
    else
        OpenInShell(address, failure);
}

void MainWindow::OnSearchGame() {
    const int row = GetSelectedRow();
    const std::string title = row == -1 ? std::string() : _list.Text(row, 0, 260);
    if (SearchForSelectedGame(Handle(), row, title, _game)) {
        RefreshSelectedRow();
        OnCurrentGameChanged();
    }
}

void MainWindow::OnHelpTopics() {
    OpenInShell("Quillon.chm", "Could not run the help file!", _state.programFolder, SW_SHOWMAXIMIZED);
}

// Red, green, blue or grey: painted at once and stored.
void MainWindow::SetBackgroundHue(int stored) {
    for (const Hue& hue : kHues) {
        if (hue.stored != stored) continue;
        _state.backgroundBitmap = hue.bitmap;
        SetBackground(hue.bitmap, kStretch);
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        _details.Bar().Refresh();
        WriteSettingValue(setting::kBackground, static_cast<DWORD>(stored));
    }
}

void MainWindow::OnRandomBackground() { SetBackgroundHue(std::rand() % 4); }

// The game file goes to the Recycle Bin after the player's Yes, so a slip of the
// Delete key loses nothing; a file that cannot go is reported and its row stays.
void MainWindow::OnDeleteGame() {
    const int row = GetSelectedRow();
    if (row == -1) {
        win::Ui().ShowMessage(Handle(), Tr(TextId::SelectGameFirst), kAppName, MB_OK);
        return;
    }
    const std::string name = _list.Text(row, 0, 260);
    if (name.empty()) return;
    if (_state.settings.confirmDelete &&
        win::Ui().ShowMessage(Handle(), Format(Tr(TextId::ConfirmDelete), name.c_str()),
                              Tr(TextId::ConfirmDeleteCaption), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const std::string path = GameFilePath(_state.programFolder, name);
    if (!MoveToRecycleBin(path)) {
        win::Ui().ShowMessage(Handle(), Format(Tr(TextId::DeleteFailed), path.c_str()), kAppName,
                              MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    FillGameList();
}
