// The game search dialog. The search runs inside the Search button's handler;
// the finder's callback pumps the thread's messages, so the window repaints and
// Stop, OK and Cancel work while it runs.
#include "dialogs/GameSearchDialog.h"
#include "win/Texts.h"
#include "data/Files.h"
#include "data/NameRules.h"
#include "res/GameSearchDialogRes.h"
#include "res/resource.h"
#include "win/Beep.h"
#include "win/Controls.h"
#include "win/UserInterface.h"

namespace {

// Per choice (1-4): radio button, name edit and status static.
struct NameControls {
    int radio, edit, state;
};
constexpr NameControls kControls[4] = {
    {IDC_SEARCH_CHOICE_EXE, IDC_SEARCH_NAME_EXE, IDC_SEARCH_STATE_EXE},
    {IDC_SEARCH_CHOICE_DATA, IDC_SEARCH_NAME_DATA, IDC_SEARCH_STATE_DATA},
    {IDC_SEARCH_CHOICE_DOC, IDC_SEARCH_NAME_DOC, IDC_SEARCH_STATE_DOC},
    {IDC_SEARCH_CHOICE_CMD, IDC_SEARCH_NAME_CMD, IDC_SEARCH_STATE_CMD},
};

// The status line shows the folder being searched at most this often: painting
// it for every folder of a large tree would cost more than the walk.
constexpr DWORD kStatusInterval = 50;  // ms
// New rows go into the list at most this often, all at once: a list view on
// screen redraws itself and its scroll bar for every row inserted, which costs
// far more than finding the row.
constexpr DWORD kRowsInterval = 400;  // ms

constexpr char kNotFound[] = "Search completed. Could not find an occurance!";
constexpr char kFound[] = "Search completed. Please select a folder in the list and click OK...";

}  // namespace

GameSearchDialog::GameSearchDialog(CurrentGame& game, std::string gameTitle)
    : SkinnedDialog(IDD_GAMESEARCH), _game(game), _gameTitle(std::move(gameTitle)) {}

bool GameSearchDialog::OnInit() {
    const GameRecord& r = _game.record;
    _names[0] = FieldText(r.programName);
    _names[1] = FieldText(r.dataName);
    _names[2] = FieldText(r.document);
    _names[3] = FieldText(r.command);
    // Document, Command, Executable, Data File: the last non-empty one wins.
    _choice = kNone;
    for (int choice : {kDocument, kCommand, kExecutable, kDataFile}) {
        if (_names[choice - 1].empty())
            EnableItem(kControls[choice - 1].radio, false);
        else
            _choice = choice;
    }
    if (_choice == kNone) {
        win::Ui().ShowMessage(GetWindow(Handle(), GW_OWNER), "There are no filenames to search for.", "Cannot search",
                              MB_OK | MB_ICONSTOP);
        End(IDCANCEL);
        return true;
    }
    SetBackground(IDB_DIALOGTILE, kTile);
    SetWindowTextA(Handle(), Format("Game Search - %s", _gameTitle.c_str()).c_str());
    SetButtonIcon(IDI_BROWSE, {IDC_SEARCH_BROWSE});
    EnableItem(IDOK, false);
    _searching = false;
    folderChosen = false;
    _finder.SetCallback(&GameSearchDialog::FinderEvent, reinterpret_cast<INT_PTR>(this));
    _list.Attach(Item(IDC_SEARCH_LIST));
    _list.InsertColumn(0, "In Folder", 370);
    SetItemText(IDC_SEARCH_START, "C:\\");  // checked by the edit's change notification
    UpdateSearchButton();
    for (int i = 0; i < 4; ++i) SetItemText(kControls[i].edit, _names[i]);
    ShowNameStates();
    Choose(_choice);
    return true;
}

void GameSearchDialog::OnCommand(int id, int code, HWND) {
    switch (id) {
        case IDC_SEARCH_START:
            if (code == EN_CHANGE) UpdateSearchButton();
            break;
        case IDC_SEARCH_BROWSE:
            if (code == BN_CLICKED) BrowseStartFolder();
            break;
        case IDC_SEARCH_GO:
            if (code == BN_CLICKED) SearchOrStop();
            break;
        case IDC_SEARCH_CHOICE_EXE:
        case IDC_SEARCH_CHOICE_DATA:
        case IDC_SEARCH_CHOICE_DOC:
        case IDC_SEARCH_CHOICE_CMD:
            if (code == BN_CLICKED) Choose(id - IDC_SEARCH_CHOICE_EXE + kExecutable);
            break;
        default: break;
    }
}

LRESULT GameSearchDialog::OnNotify(int id, NMHDR& hdr) {
    if (id != IDC_SEARCH_LIST) return 0;
    if (hdr.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(hdr);
        if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED)) EnableItem(IDOK, true);
    } else if (hdr.code == NM_DBLCLK) {
        if (_list.Selected() >= 0 && OnOK()) End(IDOK);
    }
    return 0;
}

bool GameSearchDialog::OnOK() {
    if (_searching) _finder.Stop();
    const int row = _list.Selected();
    if (row < 0) {
        win::Ui().ShowMessage(Handle(), "Please select a folder in the list", "Error", MB_OK | MB_ICONSTOP);
        return false;
    }
    std::string folder = _list.Text(row, 0, 259);
    // The folder may have gone since it was found: never store a missing one.
    if (!FolderExists(folder)) {
        win::Ui().ShowMessage(Handle(),
                              Format("The folder\n%s\nno longer exists. Please search again.", folder.c_str()), "Error",
                              MB_OK | MB_ICONSTOP);
        return false;
    }
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    SetField(_game.record.path, folder.c_str());
    if (_game.loaded && !SaveGameFile(_game))
        win::Ui().ShowMessage(Handle(), Format("Could not save the game file\n%s", _game.path.c_str()), "Error",
                              MB_OK | MB_ICONSTOP);
    folderChosen = true;
    return true;
}

bool GameSearchDialog::OnCancel() {
    if (_searching) _finder.Stop();
    folderChosen = false;
    return true;
}

bool GameSearchDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
    // Another window took the mouse or the dialog was disabled: a running search
    // ends (its completion follows when it unwinds). An idle dialog keeps its texts.
    if (msg == WM_CANCELMODE && _searching) _finder.Stop();
    return SkinnedDialog::OnMessage(msg, wp, lp, result);
}

void GameSearchDialog::OnDestroy() {
    if (_searching) _finder.Stop();
    SetItemIcon(IDC_SEARCH_BROWSE, nullptr);
}

void GameSearchDialog::FinderEvent(FileFinder& finder, int32_t event, INT_PTR user) {
    auto* self = reinterpret_cast<GameSearchDialog*>(user);
    switch (static_cast<SearchEvent>(event)) {
        case SearchEvent::Match: self->AddFolderRow(finder.CurrentFolder()); break;
        case SearchEvent::EnterFolder: self->ShowSearchedFolder(finder.CurrentFolder()); break;
        default: break;
    }
    self->ShowNewRows(false);
    self->PumpMessages();
}

void GameSearchDialog::PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit for the loop that owns it.
            _finder.Stop();
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (Handle() && IsDialogMessageA(Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void GameSearchDialog::AddFolderRow(const std::string& folder) {
    // One row per folder, even when two entries of one folder match. The walk
    // reports all matches of a folder while it is the current one, so only the
    // previous match's folder can be the same.
    if (folder == _lastFolder) return;
    _lastFolder = folder;
    _newRows.push_back(folder);
}

// Puts the rows found since the last call into the list, each at its place in
// ascending order, with the list's drawing held until all are in. Unless |now|,
// only when kRowsInterval has passed since the last time.
void GameSearchDialog::ShowNewRows(bool now) {
    if (_newRows.empty()) return;
    const DWORD tick = GetTickCount();
    if (!now && tick - _lastRowsTick < kRowsInterval) return;
    _lastRowsTick = tick;
    if (Handle()) {
        {
            win::NoRedraw hold(_list.Handle());
            for (const std::string& folder : _newRows) _list.InsertRow(RowPosition(folder), folder);
        }
        RedrawWindow(_list.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    _newRows.clear();
}

// The list is kept in ascending order without regard to case, as a sorted list
// view orders it, by a binary search: a sorted list view compares the new row
// with every row before its place.
int GameSearchDialog::RowPosition(const std::string& folder) const {
    int low = 0, high = _list.Count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (lstrcmpiA(_list.Text(middle, 0, MAX_PATH).c_str(), folder.c_str()) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void GameSearchDialog::ShowSearchedFolder(const std::string& folder) {
    if (!Handle()) return;
    const DWORD now = GetTickCount();
    if (now - _lastStatusTick < kStatusInterval) return;
    _lastStatusTick = now;
    if (ItemText(IDC_SEARCH_STATUS, MAX_PATH) != folder) SetStaticText(IDC_SEARCH_STATUS, folder);
}

void GameSearchDialog::SearchOrStop() {
    if (_searching) {
        _searching = false;
        _finder.Stop();
        SetItemText(IDC_SEARCH_GO, "Search");
        UpdateWindow(Handle());
        return;
    }
    EnableItem(IDOK, false);
    std::string start = ItemText(IDC_SEARCH_START, MAX_PATH);
    // "C:" alone is the drive, as the search engine reads it, not the current
    // folder on that drive as GetFullPathNameA would take it.
    if (start.size() == 2 && start[1] == ':') start += '\\';
    char full[MAX_PATH] = "";
    // Rows must name folders that stay valid whatever the current directory.
    const DWORD length = GetFullPathNameA(start.c_str(), sizeof full, full, nullptr);
    if (length > 0 && length < sizeof full) start = full;
    _list.DeleteAll();
    _lastFolder.clear();
    _finder.ClearResults();  // the rows hold what a player needs of an earlier search

    FileSearchOptions options;
    options.startFolder = start;
    options.namePattern = _names[_choice - 1];
    options.recurse = true;
    options.filters = FilterAttributes;
    options.attributeMask = FILE_ATTRIBUTE_ARCHIVE;

    SetStaticText(kControls[_choice - 1].state, "Searching");
    SetItemText(IDC_SEARCH_GO, "Stop");
    _searching = true;
    _lastStatusTick = GetTickCount() - kStatusInterval;
    _lastRowsTick = GetTickCount() - kRowsInterval;  // the first row shows at once
    _finder.Search(options);
    Complete();
    if (Handle())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void GameSearchDialog::Complete() {
    _searching = false;
    _finder.Stop();
    ShowNewRows(true);
    if (Handle()) {  // not destroyed while the search ran
        SetStaticText(IDC_SEARCH_STATUS, _list.Count() == 0 ? kNotFound : kFound);
        SetItemText(IDC_SEARCH_GO, "Search");
        UpdateSearchButton();
        ShowNameStates();
    }
    // Also when OK or Cancel ended the dialog during the search.
    win::Beep(MB_ICONASTERISK);
}

void GameSearchDialog::BrowseStartFolder() {
    std::string folder;
    if (win::Ui().PickFolder(Handle(), kAppName, folder) && !folder.empty()) SetItemText(IDC_SEARCH_START, folder);
}

void GameSearchDialog::Choose(int choice) {
    _choice = choice;
    CheckRadioButton(Handle(), IDC_SEARCH_CHOICE_EXE, IDC_SEARCH_CHOICE_CMD, kControls[choice - 1].radio);
}

void GameSearchDialog::UpdateSearchButton() {
    // While searching the button is Stop and must stay usable.
    if (_searching) return;
    // An existing file or folder; a device is neither and is never opened.
    const std::string start = ItemText(IDC_SEARCH_START, MAX_PATH);
    EnableItem(IDC_SEARCH_GO, !HasDeviceStep(start) && (FolderExists(start) || FileExists(start)));
}

void GameSearchDialog::ShowNameStates() {
    for (int i = 0; i < 4; ++i) SetStaticText(kControls[i].state, _names[i].empty() ? "N/A" : "...");
}

void GameSearchDialog::SetStaticText(int id, const std::string& text) {
    SetItemText(id, text);
    RepaintControl(Item(id));
}

bool AskGameSearch(HWND owner, CurrentGame& game, const std::string& gameTitle) {
    GameSearchDialog dialog(game, gameTitle);
    win::Ui().RunModal(dialog, owner);
    return dialog.folderChosen;
}
