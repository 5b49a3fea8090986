// The game search dialog on real folder trees: the default choice, the start
// folder check, the rows, Stop and OK while a search runs, and what OK stores.
#include "DialogItems.h"
#include "DialogProbe.h"
#include "dialogs/GameSearchDialog.h"
#include "res/GameSearchDialogRes.h"
#include "win/Beep.h"
#include <functional>

namespace {

constexpr char kFound[] = "Search completed. Please select a folder in the list and click OK...";

void Press(HWND dialog, int id) { PressIn(dialog, id); }
std::string Text(HWND dialog, int id) { return win::WindowText(GetDlgItem(dialog, id), 1024); }
win::ListView List(HWND dialog) { return win::ListView(GetDlgItem(dialog, IDC_SEARCH_LIST)); }
void DoubleClick(HWND dialog) {
    NMHDR click{GetDlgItem(dialog, IDC_SEARCH_LIST), IDC_SEARCH_LIST, static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(dialog, WM_NOTIFY, IDC_SEARCH_LIST, reinterpret_cast<LPARAM>(&click));
}

Strings Rows(HWND dialog) {
    Strings rows;
    for (int i = 0; i < List(dialog).Count(); ++i) rows.push_back(List(dialog).Text(i, 0));
    return rows;
}

// Presses Search and runs |action| once from inside the search, right after the
// first row is in: it arrives through the callback's message pump.
std::function<void(HWND)> s_action;
WNDPROC s_oldProc;
int s_inserts;
LRESULT CALLBACK AfterFirstRow(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == LVN_INSERTITEM && ++s_inserts == 1)
        PostMessageA(h, WM_APP, 0, 0);
    if (msg != WM_APP) return CallWindowProcA(s_oldProc, h, msg, wp, lp);
    s_action(h);
    return 0;
}
void SearchWithAction(HWND dialog, std::function<void(HWND)> action) {
    s_action = std::move(action);
    s_inserts = 0;
    s_oldProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfterFirstRow)));
    Press(dialog, IDC_SEARCH_GO);
    if (IsWindow(dialog)) SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_oldProc));
}

class GameSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        game.record = MakeGame("Keen", "Id", "Action", "C:\\Old\\Keen");
        SetField(game.record.programName, "KEEN.EXE");
        game.path = root + "\\Keen.qgf";
        WriteGame(game.path, game.record);
        game.loaded = true;
    }
    void Dir(const std::string& relative) { CreateDirectoryA((root + "\\" + relative).c_str(), nullptr); }
    void Put(const std::string& path) {  // relative to the test folder, or absolute
        const std::string full = path[1] == ':' ? path : root + "\\" + path;
        WriteFileText(full, "MZ");
    }
    // Opens the dialog on the test folder (or leaves the initial start folder).
    HWND Open(GameSearchDialog& dialog, bool fromRoot = true) {
        HWND h = dialog.Create(nullptr);
        if (h && fromRoot) SetDlgItemTextA(h, IDC_SEARCH_START, root.c_str());
        return h;
    }
    std::string StoredPath() {
        GameRecord r;
        EXPECT_EQ(ReadGameRecord(game.path, r), GameFileStatus::Ok);
        return FieldText(r.path);
    }
    void ExpectStop(const std::string& text, const std::string& caption) {
        ExpectOneMessage(ui, text, caption);
        EXPECT_EQ(ui.Messages().empty() ? 0 : ui.Messages()[0].flags & MB_ICONMASK, unsigned(MB_ICONSTOP));
    }

    FakeUi ui;
    TempFolder temp{"gsearch"};
    const std::string root = temp.path;
    CurrentGame game;
};

TEST_F(GameSearchTest, DefaultChoiceUnavailableNamesAndAGameWithoutNames) {
    struct Case {
        const char *exe, *data, *doc, *cmd;
        int choice;
    } cases[] = {{"", "", "README.TXT", "", GameSearchDialog::kDocument},
                 {"GAME.EXE", "GAME.DAT", "", "", GameSearchDialog::kDataFile},
                 {"GAME.EXE", "", "README.TXT", "GO.BAT", GameSearchDialog::kExecutable},
                 {"", "", "README.TXT", "GO.BAT", GameSearchDialog::kCommand},
                 {"A", "B", "C", "D", GameSearchDialog::kDataFile}};
    const int radios[] = {IDC_SEARCH_CHOICE_EXE, IDC_SEARCH_CHOICE_DATA, IDC_SEARCH_CHOICE_DOC, IDC_SEARCH_CHOICE_CMD};
    const int edits[] = {IDC_SEARCH_NAME_EXE, IDC_SEARCH_NAME_DATA, IDC_SEARCH_NAME_DOC, IDC_SEARCH_NAME_CMD};
    const int states[] = {IDC_SEARCH_STATE_EXE, IDC_SEARCH_STATE_DATA, IDC_SEARCH_STATE_DOC, IDC_SEARCH_STATE_CMD};
    for (const auto& c : cases) {
        const char* names[] = {c.exe, c.data, c.doc, c.cmd};
        game.record = MakeGame("Game", "p", "c", "C:\\", c.cmd);
        for (const auto& [field, text] :
             {std::pair{game.record.programName, c.exe}, {game.record.dataName, c.data}, {game.record.document, c.doc}})
            lstrcpyA(field, text);
        GameSearchDialog dialog(game, "Game");
        HWND h = dialog.Create(nullptr);
        ASSERT_TRUE(h);
        EXPECT_EQ(dialog.CurrentChoice(), c.choice) << c.exe << c.data << c.doc << c.cmd;
        for (int i = 0; i < 4; ++i) {
            const bool named = names[i][0] != '\0';
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(h, radios[i])) != FALSE, named) << i;
            EXPECT_EQ(IsDlgButtonChecked(h, radios[i]) == BST_CHECKED, i + 1 == c.choice) << i;
            EXPECT_EQ(Text(h, edits[i]), names[i]);
            EXPECT_EQ(Text(h, states[i]), named ? "..." : "N/A");
        }
    }
    EXPECT_TRUE(ui.Messages().empty());

    game.record = MakeGame("Nameless");
    GameSearchDialog dialog(game, "Nameless");
    EXPECT_FALSE(dialog.Create(nullptr) || dialog.folderChosen);
    ExpectStop("There are no filenames to search for.", "Cannot search");
}

TEST_F(GameSearchTest, TheStartFolderAndAMatchInTheDriveRoot) {
    const std::string name = "QLPROBE" + std::to_string(GetCurrentProcessId() % 10000) + ".EXE";
    Put("C:\\" + name);
    SetField(game.record.programName, name.c_str());
    Put("file.txt");
    GameSearchDialog dialog(game, "Keen");
    HWND h = Open(dialog, false);
    ASSERT_TRUE(h);
    EXPECT_EQ((Strings{win::WindowText(h), Text(h, IDC_SEARCH_START)}), (Strings{"Game Search - Keen", "C:\\"}));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDOK)));
    Press(h, IDC_SEARCH_GO);  // from the initial "C:\", stored as "C:"
    DeleteFileA(("C:\\" + name).c_str());
    ASSERT_EQ(Rows(h), Strings{"C:\\"});

    // Search is enabled for an existing folder or file, never a device; Browse fills the edit.
    const std::pair<std::string, bool> cases[] = {{root + "\\missing", false}, {root, true}, {"", false},
                                                  {root + "\\file.txt", true}, {"C:", true}, {root + "\\NUL", false}};
    for (const auto& [text, enabled] : cases) {
        SetDlgItemTextA(h, IDC_SEARCH_START, text.c_str());
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(h, IDC_SEARCH_GO)) != FALSE, enabled) << text;
    }
    ui.folderAnswers.push_back(root);
    Press(h, IDC_SEARCH_BROWSE);
    EXPECT_EQ(Text(h, IDC_SEARCH_START), root);
    EXPECT_EQ(ui.Calls(UiCall::Folder).at(0).text, "Quillon Loader");

    List(h).Select(0);
    Press(h, IDOK);
    EXPECT_TRUE(dialog.folderChosen);
    EXPECT_EQ(StoredPath(), "C:");
}

TEST_F(GameSearchTest, OneRowPerFolderInAscendingOrderAndOkStoresTheFolder) {
    // The data file name (the default choice) is a wildcard: b holds two matches.
    SetField(game.record.dataName, "K*.EXE");
    for (const char* d : {"c", "a", "a\\sub", "b", "b\\plain"}) Dir(d);
    for (const char* f :
         {"c\\KEEN.EXE", "a\\keen.exe", "a\\sub\\Keen.Exe", "b\\KEEN.EXE", "b\\KEEN2.EXE", "b\\other.exe"})
        Put(f);
    Dir("b\\plain\\KEEN.EXE");  // Wine gives every file the archive attribute, a folder none
    // More folders, made out of order, whose order ignores case.
    const char* more[] = {"Delta", "alpha2", "a0", "Gamma", "bravo", "d9", "Charlie", "d10", "ALPHA", "echo"};
    for (const char* d : more) {
        Dir(std::string("c\\") + d);
        Put(std::string("c\\") + d + "\\KEEN.EXE");
    }
    Strings expected = {root + "\\a\\", root + "\\a\\sub\\", root + "\\b\\", root + "\\c\\"};
    for (const char* d : {"a0", "ALPHA", "alpha2", "bravo", "Charlie", "d10", "d9", "Delta", "echo", "Gamma"})
        expected.push_back(root + "\\c\\" + d + "\\");
    GameSearchDialog dialog(game, "Keen");
    HWND h = Open(dialog);
    ASSERT_TRUE(h);
    const int beeps = win::Beeps().count;
    // A second search shows the same rows; the finder keeps only its 15 paths.
    for (int search = 1; search <= 2; ++search) {
        Press(h, IDC_SEARCH_GO);
        EXPECT_EQ(Rows(h), expected) << search;
        EXPECT_EQ(dialog.KeptResults(), 15) << search;
        EXPECT_TRUE(GetWindowLongA(List(h).Handle(), GWL_STYLE) & WS_VSCROLL) << "drawn again: 15 rows scroll";
    }
    EXPECT_EQ((Strings{Text(h, IDC_SEARCH_STATUS), Text(h, IDC_SEARCH_GO), Text(h, IDC_SEARCH_STATE_DATA)}),
              (Strings{kFound, "Search", "..."}));
    EXPECT_EQ(std::make_pair(win::Beeps().count, win::Beeps().last), std::make_pair(beeps + 2, UINT(MB_ICONASTERISK)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDOK)));

    Press(h, IDOK);  // no row: a message, and the dialog stays
    EXPECT_FALSE(dialog.Ended());
    ExpectStop("Please select a folder in the list", "Error");

    List(h).Select(2);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, IDOK)));
    Press(h, IDOK);
    EXPECT_TRUE(dialog.Result() == IDOK && dialog.folderChosen);
    EXPECT_EQ((Strings{game.record.path, StoredPath()}), (Strings{root + "\\b", root + "\\b"}));
}

TEST_F(GameSearchTest, NothingFoundAndAVanishedFolderIsNotStored) {
    GameSearchDialog dialog(game, "Keen");
    HWND h = Open(dialog);
    ASSERT_TRUE(h);
    Press(h, IDC_SEARCH_GO);
    EXPECT_TRUE(Rows(h).empty());
    EXPECT_EQ(Text(h, IDC_SEARCH_STATUS), "Search completed. Could not find an occurance!");

    Dir("gone");
    Put("gone\\KEEN.EXE");
    for (int search = 1; search <= 2; ++search) {  // the same single folder again
        Press(h, IDC_SEARCH_GO);
        ASSERT_EQ(Rows(h).size(), 1u) << search;
    }
    DoubleClick(h);  // without a row: nothing
    EXPECT_TRUE(ui.Messages().empty());
    RemoveTree(root + "\\gone");
    List(h).Select(0);
    DoubleClick(h);  // with one, what OK does
    EXPECT_FALSE(dialog.Ended() || dialog.folderChosen);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_NE(ui.Messages()[0].text.find(root + "\\gone\\"), std::string::npos);
    EXPECT_EQ((Strings{game.record.path, StoredPath()}), (Strings{"C:\\Old\\Keen", "C:\\Old\\Keen"}));
}

TEST_F(GameSearchTest, StopOrOkDuringASearchEndsItAndKeepsTheRows) {
    for (const std::string d : {"a", "b", "c", "d"}) {
        Dir(d);
        Put(d + "\\KEEN.EXE");
    }
    Put("KEEN.EXE");
    enum Action { kStop, kOk, kCancel, kSelectAndOk };
    for (const Action action : {kStop, kOk, kCancel, kSelectAndOk}) {
        ui.Clear();
        GameSearchDialog dialog(game, "Keen");
        HWND h = Open(dialog);
        ASSERT_TRUE(h);
        const int beeps = win::Beeps().count;
        std::string chosen;
        SearchWithAction(h, [&](HWND d) {
            EXPECT_EQ(Text(d, IDC_SEARCH_GO), "Stop");
            if (action == kSelectAndOk) List(d).Select(0);
            chosen = List(d).Text(0, 0);
            Press(d, action == kStop ? IDC_SEARCH_GO : action == kCancel ? IDCANCEL : IDOK);
        });
        EXPECT_EQ(s_inserts, 1) << action << ": no row after the stop";
        EXPECT_FALSE(dialog.Searching());
        EXPECT_EQ(win::Beeps().count, beeps + 1) << action << ": the completion beeps, the dialog ended or not";
        const bool ended = action >= kCancel, chose = action == kSelectAndOk;
        EXPECT_TRUE(dialog.Ended() == ended && dialog.folderChosen == chose) << action;
        if (ended) {
            EXPECT_EQ(StoredPath() + "\\", chose ? chosen : "C:\\Old\\Keen\\") << action;
            continue;
        }
        EXPECT_EQ(Rows(h), Strings{chosen}) << action;
        EXPECT_EQ((Strings{Text(h, IDC_SEARCH_STATUS), Text(h, IDC_SEARCH_GO)}), (Strings{kFound, "Search"})) << action;
        if (action == kOk) ExpectStop("Please select a folder in the list", "Error");
    }
}

}  // namespace
