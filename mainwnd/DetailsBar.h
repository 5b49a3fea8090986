// The details bar beside the game list: the selected game's fields in a tree,
// its links and its comment in a folder bar. Edits are saved at once.
#pragma once
#include "data/GameFile.h"
#include "state/AppState.h"
#include "widgets/OutBar.h"
#include "win/TreeView.h"
#include <functional>
#include <map>
#include <string>
#include <vector>

class DetailsBar {
public:
    // Folders, and the tree's field codes (the item value of each value item).
    enum Folder { kGeneral = 0, kLinks = 1, kComment = 2 };
    enum Field {
        kTitle = 0,
        kPublisher = 16,
        kCategory = 32,
        kPath = 48,
        kOpenFolder = 49,
        kCommand = 64,
        kDocument = 80,
        kProgram = 96,
        kProgramSize = 97,
        kDataFile = 112,
        kDataSize = 113,
        kPicture = 128,
        kVdmSound = 144,
        kWin95 = 160,
        kWebSite = 176,
        kRunWith = 192,  // shown only; the game settings dialog changes it
        // A DOS game's rows, shown only for one (after Run With): its own DOSBox
        // program, its CD-ROM and what its own sound setup files chose.
        kDosBoxProgram = 208,
        kCdRom = 224,
        kSoundSetup = 240,
        kHeader = 255
    };
    static constexpr RECT kRect = {548, 154, 713, 415};  // main-window client pixels
    // Large icons (no outbar::kSmallIcons), dragging, the slide, the selected frame.
    static constexpr DWORD kFlags = outbar::kDragItems | outbar::kAnimate | outbar::kSelectedFrame;
    static constexpr int kAnimationDelay = 15;
    static constexpr int kBlinkDelay = 200;

    // What the bar needs from the main window.
    struct Host {
        std::function<std::string()> selectedTitle;  // text of the selected row; empty: none
        std::function<void()> refreshRow;            // rewrite the selected row from the current game
        std::function<void(HBITMAP)> showPicture;    // show in the preview, taking the bitmap; null: default
    };

    // |game| is the main window's current game, which the edits change and save.
    DetailsBar(CurrentGame& game, const AppState& state, Host host);
    ~DetailsBar();
    DetailsBar(const DetailsBar&) = delete;
    DetailsBar& operator=(const DetailsBar&) = delete;

    // Where the bar goes in the main window's client area.
    static RECT BarRect(HWND mainWindow);
    // Builds the bar as child 102 of the main window, its owner.
    bool Create(HWND mainWindow);
    // Shows the game's fields, or, with null, the placeholders with the bar disabled.
    void ShowGame(const CurrentGame* game);
    // The answer to the bar's notification message (WM_USER + 1) to the main window.
    LRESULT OnBarNotify(WPARAM code, LPARAM lp);
    // The edit of one field, as a double click on its value item runs it.
    void EditField(int code);
    // The main window's Docs button.
    void OpenDocument();
    // Opens folder 0 and selects the field's value item.
    void ShowField(int code);

    OutBar& Bar() { return _bar; }
    HWND Tree() const { return _tree.Handle(); }
    HTREEITEM ValueItem(int code) const;
    std::string ValueText(int code) const;

    // Where shortcuts go; empty: the user's desktop folder, asked from the shell.
    std::string desktopFolder;

private:
    void ShowValues(const GameRecord& game);
    // The DOS game's rows, added or taken away with the kind of game; null: none.
    void ShowDosRows(const GameRecord* game);
    void BuildTree();
    void SetValue(int code, const std::string& text);
    void ItemAction(int item);
    void CreateDesktopShortcut();
    void VisitWebSite();
    void EditComment();
    // Saves the current game; on failure puts |before| back and tells the user.
    bool Commit(const GameRecord& before);
    void Refresh();
    void EditText(int code, const char* prompt, char (&field)[260]);
    void EditPath();
    void OpenFolder();
    void EditCommand();
    void EditDocument();
    void EditFile(int code);
    void EditPicture();
    void Toggle(int code, int32_t bit);
    std::string StartFolder(bool commandRule) const;
    bool Ask(const char* title, const std::string& filter, const std::string& dir, std::string& chosen) const;

    CurrentGame& _game;
    const AppState& _state;
    Host _host;
    HWND _main = nullptr;
    OutBar _bar;
    win::TreeView _tree;
    HIMAGELIST _small = nullptr;
    HIMAGELIST _large = nullptr;
    std::map<int, HTREEITEM> _values;
    HTREEITEM _dosRowsAfter = nullptr;   // the header the DOS game's rows follow
    std::vector<HTREEITEM> _dosHeaders;  // their headers while they are shown
    std::map<int, std::string> _shown;   // the text of each value item
};
