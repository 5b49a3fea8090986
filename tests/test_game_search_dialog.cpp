// The game search dialog on real folder trees: the default choice, the start
// folder check, the rows, Stop and OK while a search runs, and what OK stores.
#include "FakeUi.h"
#include "TestEnv.h"
#include "dialogs/GameSearchDialog.h"
#include "res/GameSearchDialogRes.h"
#include "win/Beep.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

void Press(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
std::string Text(HWND dialog, int id) { return win::WindowText(GetDlgItem(dialog, id), 1024); }
win::ListView List(HWND dialog) { return win::ListView(GetDlgItem(dialog, IDC_SEARCH_LIST)); }

std::vector<std::string> Rows(HWND dialog) {
    win::ListView list = List(dialog);
    std::vector<std::string> rows;
    for (int i = 0; i < list.Count(); ++i) rows.push_back(list.Text(i, 0));
    return rows;
}

// Runs |action| on the dialog once, from inside the search, right after the
// first row has been inserted: it arrives through the callback's message pump.
class FirstRowHook {
public:
    FirstRowHook(HWND dialog, std::function<void(HWND)> action) : _dialog(dialog) {
        s_action = std::move(action);
        s_inserts = 0;
        s_old = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FirstRowHook::Proc)));
    }
    ~FirstRowHook() {
        if (IsWindow(_dialog)) SetWindowLongPtrA(_dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_old));
    }
    static int Inserts() { return s_inserts; }

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == LVN_INSERTITEM && ++s_inserts == 1)
            PostMessageA(h, WM_APP, 0, 0);
        if (msg == WM_APP) {
            s_action(h);
            return 0;
        }
        return CallWindowProcA(s_old, h, msg, wp, lp);
    }
    HWND _dialog;
    static inline WNDPROC s_old = nullptr;
    static inline int s_inserts = 0;
    static inline std::function<void(HWND)> s_action;
};

class GameSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = MakeTempFolder("gsearch");
        CreateDirectoryA((root + "\\Games").c_str(), nullptr);
        game.record = MakeGame("Keen", "Id", "Action", "C:\\Old\\Keen");
        SetField(game.record.programName, "KEEN.EXE");
        game.path = root + "\\Games\\Keen.qgf";
        WriteGame(game.path, game.record);
        game.loaded = true;
    }
    void TearDown() override { RemoveTree(root); }

    std::string Dir(const std::string& relative) {
        const std::string path = root + "\\" + relative;
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }
    void Put(const std::string& relative) {
        const std::string path = root + "\\" + relative;
        WriteFileText(path, "MZ");
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    }
    HWND Open(GameSearchDialog& dialog) {
        HWND h = dialog.Create(nullptr);
        if (h) SetDlgItemTextA(h, IDC_SEARCH_START, root.c_str());
        return h;
    }
    void ThreeFolders() {
        for (const char* d : {"a", "b", "c"}) {
            Dir(d);
            Put(std::string(d) + "\\KEEN.EXE");
        }
    }
    std::string StoredPath() {
        GameRecord r;
        EXPECT_EQ(ReadGameRecord(game.path, r), GameFileStatus::Ok);
        return FieldText(r.path);
    }

    FakeUi ui;
    std::string root;
    CurrentGame game;
};

TEST_F(GameSearchTest, AGameWithoutNamesIsNotSearched) {
    game.record = MakeGame("Nameless");
    GameSearchDialog dialog(game, "Nameless");
    EXPECT_EQ(dialog.Create(nullptr), nullptr);
    EXPECT_FALSE(dialog.folderChosen);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "There are no filenames to search for.");
    EXPECT_EQ(ui.Messages()[0].caption, "Cannot search");
    EXPECT_EQ(ui.Messages()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONSTOP));
}

TEST_F(GameSearchTest, DefaultChoiceAndUnavailableNames) {
    struct Case {
        const char *exe, *data, *doc, *cmd;
        int choice;
    } cases[] = {
        {"", "", "README.TXT", "", GameSearchDialog::kDocument},
        {"GAME.EXE", "GAME.DAT", "", "", GameSearchDialog::kDataFile},
        {"GAME.EXE", "", "README.TXT", "GO.BAT", GameSearchDialog::kExecutable},
        {"", "", "README.TXT", "GO.BAT", GameSearchDialog::kCommand},
        {"A", "B", "C", "D", GameSearchDialog::kDataFile},
    };
    const int radios[] = {IDC_SEARCH_CHOICE_EXE, IDC_SEARCH_CHOICE_DATA, IDC_SEARCH_CHOICE_DOC, IDC_SEARCH_CHOICE_CMD};
    const int edits[] = {IDC_SEARCH_NAME_EXE, IDC_SEARCH_NAME_DATA, IDC_SEARCH_NAME_DOC, IDC_SEARCH_NAME_CMD};
    const int states[] = {IDC_SEARCH_STATE_EXE, IDC_SEARCH_STATE_DATA, IDC_SEARCH_STATE_DOC, IDC_SEARCH_STATE_CMD};
    for (const auto& c : cases) {
        game.record = MakeGame("Game");
        SetField(game.record.programName, c.exe);
        SetField(game.record.dataName, c.data);
        SetField(game.record.document, c.doc);
        SetField(game.record.command, c.cmd);
        const char* names[] = {c.exe, c.data, c.doc, c.cmd};
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
}

TEST_F(GameSearchTest, SearchIsEnabledOnlyForAnExistingStartFolder) {
    Put("file.txt");
    GameSearchDialog dialog(game, "Keen");
    HWND h = dialog.Create(nullptr);
    ASSERT_TRUE(h);
    EXPECT_EQ(Text(h, IDC_SEARCH_START), "C:\\");
    EXPECT_EQ(win::WindowText(h), "Game Search - Keen");
    HWND search = GetDlgItem(h, IDC_SEARCH_GO);
    EXPECT_TRUE(IsWindowEnabled(search));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDOK)));
    struct Case {
        std::string text;
        bool enabled;
    } cases[] = {{root + "\\missing", false}, {root, true}, {"", false}, {root + "\\file.txt", false}, {"C:", true}};
    for (const auto& c : cases) {
        SetDlgItemTextA(h, IDC_SEARCH_START, c.text.c_str());
        EXPECT_EQ(IsWindowEnabled(search) != FALSE, c.enabled) << c.text;
    }
    // The browse button puts the chosen folder into the edit.
    ui.folderAnswers.push_back(root);
    Press(h, IDC_SEARCH_BROWSE);
    EXPECT_EQ(Text(h, IDC_SEARCH_START), root);
    ASSERT_EQ(ui.Calls(UiCall::Folder).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Folder)[0].text, "Quillon Loader");
}

TEST_F(GameSearchTest, OneRowPerFolderInAscendingOrderAndOkStoresTheFolder) {
    for (const char* d : {"c", "a", "a\\sub", "b", "b\\plain"}) Dir(d);
    Put("c\\KEEN.EXE");
    Put("a\\keen.exe");
    Put("a\\sub\\Keen.Exe");
    Put("b\\KEEN.EXE");
    // Wine reports every file with the archive attribute; a folder has none.
    Dir("b\\plain\\KEEN.EXE");
    Put("b\\other.exe");
    GameSearchDialog dialog(game, "Keen");
    HWND h = Open(dialog);
    ASSERT_TRUE(h);
    const int beeps = win::Beeps().count;
    Press(h, IDC_SEARCH_GO);
    EXPECT_EQ(Rows(h), (std::vector<std::string>{root + "\\a\\", root + "\\a\\sub\\", root + "\\b\\", root + "\\c\\"}));
    EXPECT_EQ(Text(h, IDC_SEARCH_STATUS), "Search completed. Please select a folder in the list and click OK...");
    EXPECT_EQ(Text(h, IDC_SEARCH_GO), "Search");
    EXPECT_EQ(Text(h, IDC_SEARCH_STATE_EXE), "...");
    EXPECT_EQ(win::Beeps().count, beeps + 1);
    EXPECT_EQ(win::Beeps().last, static_cast<UINT>(MB_ICONASTERISK));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDOK)));

    // OK without a row: a message, and the dialog stays.
    Press(h, IDOK);
    EXPECT_FALSE(dialog.Ended());
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Please select a folder in the list");
    EXPECT_EQ(ui.Messages()[0].caption, "Error");

    List(h).Select(2);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, IDOK)));
    Press(h, IDOK);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_TRUE(dialog.folderChosen);
    EXPECT_EQ(FieldText(game.record.path), root + "\\b");
    EXPECT_EQ(StoredPath(), root + "\\b");
}

TEST_F(GameSearchTest, AWildcardNameStillGivesOneRowPerFolder) {
    SetField(game.record.dataName, "*.DAT");
    Dir("data");
    Put("data\\ONE.DAT");
    Put("data\\TWO.DAT");
    Put("THREE.DAT");
    GameSearchDialog dialog(game, "Keen");
    HWND h = Open(dialog);
    ASSERT_TRUE(h);
    EXPECT_EQ(dialog.CurrentChoice(), GameSearchDialog::kDataFile);
    Press(h, IDC_SEARCH_GO);
    EXPECT_EQ(Rows(h), (std::vector<std::string>{root + "\\", root + "\\data\\"}));
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
    Press(h, IDC_SEARCH_GO);
    ASSERT_EQ(Rows(h).size(), 1u);
    // A double click without a row does nothing; with one it does what OK does.
    NMHDR click{GetDlgItem(h, IDC_SEARCH_LIST), IDC_SEARCH_LIST, static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(h, WM_NOTIFY, IDC_SEARCH_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_TRUE(ui.Messages().empty());
    RemoveTree(root + "\\gone");
    List(h).Select(0);
    SendMessageA(h, WM_NOTIFY, IDC_SEARCH_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_FALSE(dialog.Ended());
    EXPECT_FALSE(dialog.folderChosen);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_NE(ui.Messages()[0].text.find(root + "\\gone\\"), std::string::npos);
    EXPECT_EQ(FieldText(game.record.path), "C:\\Old\\Keen");
    EXPECT_EQ(StoredPath(), "C:\\Old\\Keen");
}

TEST_F(GameSearchTest, StopDuringASearchKeepsTheRows) {
    for (const char* d : {"a", "b", "c", "d"}) {
        Dir(d);
        Put(std::string(d) + "\\KEEN.EXE");
    }
    Put("KEEN.EXE");
    GameSearchDialog dialog(game, "Keen");
    HWND h = Open(dialog);
    ASSERT_TRUE(h);
    const int beeps = win::Beeps().count;
    {
        FirstRowHook hook(h, [](HWND d) {
            EXPECT_EQ(win::WindowText(GetDlgItem(d, IDC_SEARCH_GO)), "Stop");
            Press(d, IDC_SEARCH_GO);
        });
        Press(h, IDC_SEARCH_GO);
        EXPECT_EQ(FirstRowHook::Inserts(), 1);
    }
    EXPECT_FALSE(dialog.Searching());
    EXPECT_EQ(Rows(h).size(), 1u) << "the walk ended at the stop; the row found stays";
    EXPECT_EQ(Text(h, IDC_SEARCH_STATUS), "Search completed. Please select a folder in the list and click OK...");
    EXPECT_EQ(Text(h, IDC_SEARCH_GO), "Search");
    EXPECT_EQ(win::Beeps().count, beeps + 1);
    EXPECT_FALSE(dialog.Ended());
}

TEST_F(GameSearchTest, OkWithoutARowDuringASearchStopsItAndKeepsTheDialog) {
    ThreeFolders();
    GameSearchDialog dialog(game, "Keen");
    HWND h = Open(dialog);
    ASSERT_TRUE(h);
    {
        FirstRowHook hook(h, [](HWND d) { Press(d, IDOK); });
        Press(h, IDC_SEARCH_GO);
    }
    EXPECT_EQ(Rows(h).size(), 1u) << "the search ended at OK";
    EXPECT_FALSE(dialog.Ended());
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Please select a folder in the list");
    EXPECT_EQ(Text(h, IDC_SEARCH_GO), "Search");
}

TEST_F(GameSearchTest, OkDuringASearchStopsItAndStoresTheSelectedRow) {
    ThreeFolders();
    GameSearchDialog dialog(game, "Keen");
    HWND h = Open(dialog);
    ASSERT_TRUE(h);
    std::string chosen;
    FirstRowHook hook(h, [&](HWND d) {
        List(d).Select(0);
        chosen = List(d).Text(0, 0);
        Press(d, IDOK);
    });
    Press(h, IDC_SEARCH_GO);
    EXPECT_EQ(FirstRowHook::Inserts(), 1) << "no row after the stop";
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_TRUE(dialog.folderChosen);
    ASSERT_FALSE(chosen.empty());
    EXPECT_EQ(StoredPath() + "\\", chosen);
}

TEST_F(GameSearchTest, AMatchInTheDriveRootIsStoredAsDriveAndColon) {
    const std::string name = "QLPROBE" + std::to_string(GetCurrentProcessId() % 10000) + ".EXE";
    const std::string probe = "C:\\" + name;
    WriteFileText(probe, "MZ");
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    SetField(game.record.programName, name.c_str());
    GameSearchDialog dialog(game, "Keen");
    HWND h = dialog.Create(nullptr);
    ASSERT_TRUE(h);
    Press(h, IDC_SEARCH_GO);  // from the initial "C:\"
    DeleteFileA(probe.c_str());
    ASSERT_EQ(Rows(h), std::vector<std::string>{"C:\\"});
    List(h).Select(0);
    Press(h, IDOK);
    EXPECT_TRUE(dialog.folderChosen);
    EXPECT_EQ(StoredPath(), "C:");
}

TEST_F(GameSearchTest, AskGameSearchReportsTheChoiceAndCancelChangesNothing) {
    Dir("here");
    Put("here\\KEEN.EXE");
    // Searches from the test folder, selects the first row and presses |button|.
    auto script = [this](int button) {
        return [this, button](win::Dialog& d, HWND owner) {
            HWND h = d.Create(owner);
            SetDlgItemTextA(h, IDC_SEARCH_START, root.c_str());
            Press(h, IDC_SEARCH_GO);
            List(h).Select(0);
            Press(h, button);
            return d.Result();
        };
    };
    ui.modalScripts.push_back(script(IDOK));
    EXPECT_TRUE(AskGameSearch(nullptr, game, "Keen"));
    ASSERT_EQ(ui.Calls(UiCall::Modal).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Modal)[0].dialogId, IDD_GAMESEARCH);
    EXPECT_EQ(StoredPath(), root + "\\here");

    ui.modalScripts.push_back(script(IDCANCEL));
    SetField(game.record.path, "C:\\Before");
    EXPECT_FALSE(AskGameSearch(nullptr, game, "Keen"));
    EXPECT_EQ(FieldText(game.record.path), "C:\\Before");
}

}  // namespace
