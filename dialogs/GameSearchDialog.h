// The game search dialog: looks for one of the current game's file names under
// a start folder, lists the folders where it was found, and stores the chosen
// one as the game's Path (saving the game file).
#pragma once
#include "data/GameFile.h"
#include "search/FileFinder.h"
#include "widgets/SkinnedDialog.h"
#include "win/ListView.h"
#include <string>
#include <vector>

class GameSearchDialog final : public SkinnedDialog {
public:
    // Which of the game's names is searched for; 0 while none is possible.
    enum Choice { kNone = 0, kExecutable = 1, kDataFile = 2, kDocument = 3, kCommand = 4 };

    // Out: true only when the dialog was closed by OK or a double click on a row.
    bool folderChosen = false;

    // |game| is the current game: its names are read, and on OK its Path is
    // set and the game saved. |gameTitle| only names the window.
    GameSearchDialog(CurrentGame& game, std::string gameTitle);

    int CurrentChoice() const { return _choice; }
    bool Searching() const { return _searching; }
    // Paths the finder holds: those of the last search only.
    int KeptResults() const { return _finder.Count(); }

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    LRESULT OnNotify(int id, NMHDR& hdr) override;
    bool OnOK() override;
    bool OnCancel() override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
    void OnDestroy() override;

    static void FinderEvent(FileFinder& finder, int32_t event, INT_PTR user);
    void PumpMessages();
    void AddFolderRow(const std::string& folder);
    void ShowNewRows(bool now);
    int RowPosition(const std::string& folder) const;
    void ShowSearchedFolder(const std::string& folder);
    void SearchOrStop();
    void Complete();
    void BrowseStartFolder();
    void Choose(int choice);
    void UpdateSearchButton();
    void ShowNameStates();
    void SetStaticText(int id, const std::string& text);

    CurrentGame& _game;
    std::string _gameTitle;
    std::string _names[4];  // Executable, Data File, Document, Command
    int _choice = kNone;
    bool _searching = false;
    DWORD _lastStatusTick = 0;
    DWORD _lastRowsTick = 0;
    std::string _lastFolder;            // of the last match
    std::vector<std::string> _newRows;  // found, not yet in the list
    FileFinder _finder;
    win::ListView _list;
};

// Runs the dialog through the user-interface seam. True when the user chose a
// folder: it is then the game's Path and the game file is saved.
bool AskGameSearch(HWND owner, CurrentGame& game, const std::string& gameTitle);
