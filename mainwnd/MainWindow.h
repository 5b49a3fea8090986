// The main window: the game list, the selected game's picture and buttons, the
// CPU slow-down controls. It owns the program's shared state for the whole run.
// Split by concern: MainWindow.cpp (messages and painting), MainWindowStartup.cpp
// (start-up and shut-down), GameList.cpp (the list's rows), SelectedGame.cpp (the
// current game and its display), MainWindowCommands.cpp (menu and buttons),
// MainWindowMenu.cpp (shell, background, VDMSound, delete), MainWindowLaunch.cpp
// (running games), MainWindowImport.cpp (old catalogues, other launchers).
#pragma once
#include "data/GameFile.h"
#include "data/IniFile.h"
#include "launch/GameRows.h"
#include "launch/SlowDown.h"
#include "mainwnd/DetailsBar.h"
#include "state/AppState.h"
#include "widgets/SkinnedDialog.h"
#include "win/GdiGuards.h"
#include "win/ListView.h"
#include "win/Texts.h"
#include <string>
#include <vector>

// Where a main window keeps its files; empty folders take the real places.
struct MainWindowOptions {
    AppFolders folders;
};

class MainWindow : public SkinnedDialog {
public:
    MainWindow(std::string commandLine, MainWindowOptions options = {});

    // Runs the window with the program's own message loop (keyboard shortcuts
    // need to see keys before the dialog manager does); returns the exit code.
    int Run();
    // Runs the closing steps and closes the window.
    void Close();
    // The closing steps alone, once per run (the settings stored, the slow-down
    // stopped, the user's default PIF put back).
    void RunClosingSteps();
    // The keys of the main window and its controls, seen before the dialog
    // manager: every message loop that hosts the window passes its messages
    // here first. True when the key was used up here (a title's letters typed
    // into the list); otherwise the message goes on.
    bool PreTranslate(MSG& msg);

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    LRESULT OnNotify(int id, NMHDR& hdr) override;
    bool OnOK() override { return false; }      // never ends the program (Enter runs the game)
    bool OnCancel() override { return false; }  // Escape does nothing
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
    void OnDestroy() override;
    void Paint();

    // Start-up and shut-down (MainWindowStartup.cpp).
    bool InitStartup();
    void SetUpWindowDecorations();
    bool SetUpFolders();
    void ChooseBackground();
    void RegisterFileType();
    void SetUpTooltips();
    void SetUpList();
    void CheckVdmsIni();
    void FindDosBoxAtStartup();
    void SelectLastRun();

    // The game list (GameList.cpp): _rows[i] is what row i shows.
    void FillGameList();
    void ClearRows();
    void AppendRow(GameRowData row);
    void ShowRow(int row, const std::string* shown, bool reused);
    void ShowRowPart(LVITEMA& item);
    void RefreshGameList();
    void VerifyAllGames();
    void UpdateRowImage(int row);
    void SortBy(int column);
    LRESULT OnListNotify(NMHDR& hdr);
    bool TypeIntoList(char c, DWORD time);
    int GetSelectedRow() const { return _list.Selected(); }

    // The details bar's view of the main window.
    DetailsBar::Host DetailsHost();
    void RefreshSelectedRow();

    // The current game (SelectedGame.cpp): loaded when the user selects a game.
    void ShowSelectedGame(int row = -1);
    void RequestShowSelected(bool click);
    void OnShowSelectedRequest();
    void ClearCurrentGame();
    void OnCurrentGameChanged();
    void ReloadIfChanged();
    void ShowPicture(const std::string& path, const GameRecord& record);
    void ShowDefaultPicture();
    void SetPreview(HBITMAP bitmap, bool isDefault);
    void EnableGameCommands(bool on);

    // Commands (MainWindowCommands.cpp).
    void OnRunGameMenu();
    void OnAddGame();
    void OnSaveGame();
    void OnGameSetup(bool modify);
    void OnSlowDownClicked();
    void OnSlowDownReleased();

    // The menu (MainWindowMenu.cpp); false for a command it does not know.
    bool OnMenuCommand(int id);
    bool OpenInShell(const std::string& file, const std::string& failure, const std::string& dir = {},
                     int show = SW_SHOWNORMAL);
    void OnGamesFolder();
    void OnVisitWebSite();
    void OnEditDataIni();
    void OnReloadData();
    void ReloadDataIni();
    bool RequireVdmSound(TextId missing);
    void OnEditVdmsIni();
    void OnVdmSoundHelp();
    void OnVisitVdmSoundWeb();
    void OnHelpTopics();
    void SetBackgroundHue(int stored);
    void OnRandomBackground();
    void OnDeleteGame();
    void OnSearchGame();

    // The dialogs of the Options and Help menus (MainWindowDialogs.cpp).
    bool OnDialogCommand(int id);
    void OnManageEntries();
    void OnPreferences();
    void OnVdmSoundSettings();

    // The old catalogue and other launchers' libraries (MainWindowImport.cpp).
    void OfferLoaderIniImport();
    void OnImportLoaderIni();
    void OnImportGames();
    void OnAddGamesIniStyle();

    // Running games (MainWindowLaunch.cpp).
    bool LaunchRow(int row);
    void RunAndSave(int row);
    void LaunchFromCommandLine();

    AppState _state;
    MainWindowOptions _options;
    CurrentGame _game;
    int _shownRow = -1;                      // the row whose game the current game is
    unsigned long long _shownStamp = 0;      // its file's size and time when it was read
    bool _showPending = false;               // a selection change waits to be shown
    bool _showClicked = false;               // and a click asked for it
    bool _noGameShown = false;               // caption, picture, buttons and details bar show no game
    bool _filling = false;                   // the list is being filled or verified
    DetailsBar _details{_game, _state, DetailsHost()};
    IniFile _dataIni;
    IniFile _vdmsIni;  // VDMSound's settings, open when VDMSound was found with them
    SlowDown _slowDown{_state.slowDownTweak};
    bool _slowDownEnabled = false;
    win::ListView _list;
    std::vector<GameRowData> _rows;
    std::string _typed;      // the letters typed into the list so far
    DWORD _typedTime = 0;    // when the last of them came
    HWND _tooltip = nullptr;
    HIMAGELIST _rowImages = nullptr;
    HICON _icon = nullptr;
    win::GdiObject _preview;  // the bitmap the preview shows
    bool _previewIsDefault = false;
    int _sortColumn = 0;
    bool _closing = false;
};
