// The dialogs that the Options and Help menus open: the criteria lists, the
// preferences, VDMSound's settings and the About box.
#include "dialogs/AboutDialog.h"
#include "dialogs/ManageEntriesDialog.h"
#include "dialogs/PreferencesDialog.h"
#include "dialogs/VdmSoundDialog.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"

bool MainWindow::OnDialogCommand(int id) {
    switch (id) {
        case IDM_MANAGEENTRIES: OnManageEntries(); return true;
        case IDM_PREFERENCES: OnPreferences(); return true;
        case IDM_VDMSSETTINGS: OnVdmSoundSettings(); return true;
        case IDM_ABOUT: ShowAboutBox(Handle()); return true;
        default: return false;
    }
}

// Closed with Close, the dialog has read Data.ini again.
void MainWindow::OnManageEntries() {
    if (!AskManageEntries(Handle(), _dataIni, _state.dataIniPath, _state.settings.confirmDelete)) return;
    _state.vdmSoundWeb = ReadVdmSoundWeb(_dataIni);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void MainWindow::OnPreferences() {
    Preferences current;
    current.verifyOnReload = _state.settings.reloadVerify;
    current.slowDownTweak = _state.slowDownTweak;
    current.individualUpdating = _state.individualUpdating;
    current.confirmDelete = _state.settings.confirmDelete;
    Settings& settings = _state.settings;
    current.dosBoxMode = settings.dosBoxMode;
    current.dosBoxPath = settings.dosBoxPath;
    current.dosBoxScreen = settings.dosBoxScreen;
    current.dosBoxKeepOpen = settings.dosBoxKeepOpen;
    current.maxGames = settings.maxGames;
    // A running slow-down follows the slider at once; "ReloadVerify" is stored
    // at each click of its box.
    const Preferences chosen = AskPreferences(
        Handle(), current, [this](int tweak) { _state.slowDownTweak = tweak; },
        [](bool verify) { WriteSettingValue(setting::kReloadVerify, verify ? 1 : 0); });
    settings.reloadVerify = chosen.verifyOnReload;
    _state.slowDownTweak = chosen.slowDownTweak;
    settings.slowDownTweak = chosen.slowDownTweak;
    settings.dosBoxMode = chosen.dosBoxMode;
    settings.dosBoxPath = chosen.dosBoxPath;
    settings.dosBoxScreen = chosen.dosBoxScreen;
    settings.dosBoxKeepOpen = chosen.dosBoxKeepOpen;
    // A new maximum shows at once: more games, or fewer.
    if (chosen.maxGames != settings.maxGames) {
        settings.maxGames = chosen.maxGames;
        RefreshGameList();
    }
}

void MainWindow::OnVdmSoundSettings() {
    if (!RequireVdmSound(TextId::VdmSoundMissing)) return;
    if (!AskVdmSoundSettings(Handle(), _state.vdm.available, _vdmsIni)) return;
    _state.vdmsBlaster = ReadVdmsSoundBlaster(_vdmsIni);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
