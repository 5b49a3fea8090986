// The main window: the game list, the selected game's picture and buttons.
// It owns the program's shared state for the whole run.
#pragma once
#include "app/AppState.h"
#include "data/GameFile.h"
#include "data/IniFile.h"
#include "launch/SlowDown.h"
#include "widgets/SkinnedDialog.h"
#include "win/ListView.h"
#include <string>

class MainWindow : public SkinnedDialog {
public:
    static constexpr int kMaxGames = 512;
    static constexpr int kDefaultColumnWidths[4] = {190, 85, 100, 145};

    // |programFolder| empty: the executable's folder.
    explicit MainWindow(std::string commandLine, std::string programFolder = {});
    ~MainWindow() override;

    // Runs the window with the program's own message loop (keyboard shortcuts
    // need to see keys before the dialog manager does); returns the exit code.
    int Run();

    AppState& State() { return _state; }
    CurrentGame& Game() { return _game; }
    win::ListView& List() { return _list; }

    // The game list.
    bool FillGameList();
    void InsertGameRow(const std::string& fileName);
    void ShowSelectedGame(int row, bool showPicture);
    int VerifyGameRow(int row);
    void RefreshGameList();
    void VerifyAllGames();
    int GetSelectedRow() const { return _list.Selected(); }
    int SortColumn() const { return _sortColumn; }
    void SortBy(int column);
    // The text of the Settings column for the current game.
    std::string SettingsColumnText() const;

    // Loads a game file into the current game; shows its picture (or the default
    // picture) in the preview.
    bool LoadGameFile(const std::string& path, bool showPicture);
    void ShowDefaultPicture();
    HBITMAP PreviewBitmap() const { return _preview; }

    // The criteria data file, checked at start-up.
    IniFile& DataIni() { return _dataIni; }
    // Runs the add-game dialog; on OK the list is refreshed and the new game selected.
    void AddNewGame();

    // Runs the closing steps and closes the window.
    void Close();

    // Launching: the game of a row, and what the Run Game button and the
    // double click do (run, save, refresh the row's image).
    bool LaunchGame(int row);
    void RunAndSave(int row);
    SlowDown& CpuSlowDown() { return _slowDown; }

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    LRESULT OnNotify(int id, NMHDR& hdr) override;
    bool OnOK() override { return false; }      // Enter never ends the program
    bool OnCancel() override { return false; }  // nor does Escape
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
    void OnDestroy() override;
    bool PreTranslate(MSG& msg);

    // Start-up steps.
    bool InitStartup();
    void LoadSettings();
    void ChooseBackground();
    bool SetUpFolders();
    void RegisterFileType();
    void SetUpTooltips();
    void SetUpList();
    void SelectLastRun();
    void WriteClosingSettings();
    void LaunchFromCommandLine();
    void CheckVdmsIni();

    void OnRunGameMenu();
    void OnSlowDownClicked();
    void OnSlowDownReleased();

    void EnableGameCommands(bool on);
    void SetPreview(HBITMAP bitmap);
    void ReportLoadFailure(const std::string& path, const std::string& caption);
    void OnListNotify(NMHDR& hdr);
    void Paint();

    AppState _state;
    CurrentGame _game;
    IniFile _dataIni;
    SlowDown _slowDown{_state.slowDownTweak};
    bool _slowDownEnabled = false;
    win::ListView _list;
    HWND _tooltip = nullptr;
    HIMAGELIST _rowImages = nullptr;
    HICON _icon = nullptr;
    HBITMAP _preview = nullptr;  // the bitmap the preview shows, ours to delete
    bool _previewIsDefault = false;
    int _columnWidths[4] = {190, 85, 100, 145};
    int _rowCount = 0;
    int _sortColumn = 0;
    bool _busy = false;
    int _lastShownRow = -1;
    bool _closing = false;
    // The damaged game file whose load failure was last reported, and its size
    // and time then: repaints do not report it again while it stays unchanged.
    std::string _reportedFailure;
    unsigned long long _reportedStamp = 0;
    // Set by a selection change, taken by the click that caused it.
    bool _selectionShownByClick = false;
};
