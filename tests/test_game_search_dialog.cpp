// The game search dialog on real folder trees, the locate dialog, a launch's missing-folder step and
// the "Search for selected game" command.
#include "DialogProbe.h"
#include "MessageTexts.h"
#include "UiRows.h"
#include "dialogs/GameSearchDialog.h"
#include "dialogs/LocateGameDialog.h"
#include "dialogs/MovedGame.h"
#include "res/GameSearchDialogRes.h"
#include "res/LocateGameDialogRes.h"
#include "win/Beep.h"
#include "win/Texts.h"
#include <array>
#include <functional>

namespace {

constexpr char kFound[] = "Search completed. Please select a folder in the list and click OK...";

win::ListView List(HWND dialog) { return win::ListView(GetDlgItem(dialog, IDC_SEARCH_LIST)); }
Strings Found(HWND dialog) {
    Strings rows;
    for (int i = 0; i < List(dialog).Count(); ++i) rows.push_back(List(dialog).Text(i, 0));
    return rows;
}

TEST(LocateGameDialog, EachWayOutGivesItsAnswerAndTheTextsShowTheGame) {
    for (const auto& [id, answer] :  // SC_CLOSE: the close box
         {std::pair{IDC_LOCATE_SEARCH, LocateAnswer::Search}, {IDC_LOCATE_BROWSE, LocateAnswer::Browse},
          {IDCANCEL, LocateAnswer::No}, {IDOK, LocateAnswer::No}, {SC_CLOSE, LocateAnswer::No}}) {
        LocateGameDialog dialog;
        dialog.title = "Commander Keen";
        dialog.folder = "C:\\" + std::string(256, 'f');  // 259 characters
        HWND h = dialog.Create(nullptr);
        ASSERT_TRUE(h);
        EXPECT_EQ(win::WindowText(GetDlgItem(h, IDC_LOCATE_MESSAGE), 1024),
                  "Could not locate...\n" + dialog.folder + "\n\nWould you like to locate the correct folder?");
        SendMessageA(h, id == SC_CLOSE ? WM_SYSCOMMAND : WM_COMMAND,
                     id == SC_CLOSE ? SC_CLOSE : MAKEWPARAM(id, BN_CLICKED), 0);
        PumpMessages();
        EXPECT_TRUE(dialog.Ended() && dialog.answer == answer) << id;
    }
}

// Answers the next dialog with |button|, after a search from |start| when it is not empty.
FakeUi::ModalScript Answer(int dialogId, int button, const std::string& start = "") {
    return [=](win::Dialog& d, HWND owner) {
        EXPECT_EQ(d.TemplateId(), dialogId);
        HWND h = d.Create(owner);
        if (!start.empty()) {
            SetDlgItemTextA(h, IDC_SEARCH_START, start.c_str());
            PressIn(h, IDC_SEARCH_GO);
            win::ListView(GetDlgItem(h, IDC_SEARCH_LIST)).Select(0);
        }
        PressIn(h, button);
        return d.Result();
    };
}

// Presses Search and runs |action| from inside the search (its message pump) after the first row.
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
    PressIn(dialog, IDC_SEARCH_GO);
    if (IsWindow(dialog)) SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_oldProc));
}

class GameSearchTest : public DialogTest<GameSearchDialog> {
protected:
    void SetUp() override {
        game.record = MakeGame("Keen", "Id", "Action", "C:\\Old\\Keen");
        SetField(game.record.programName, "KEEN.EXE");
        game.path = root + "\\Keen.qgf";
        WriteGame(game.path, game.record);
        game.loaded = true;
    }
    void Dir(const std::string& relative) { CreateDirectoryA((root + "\\" + relative).c_str(), nullptr); }
    void Put(const std::string& path) { WriteFileText(path[1] == ':' ? path : root + "\\" + path, "MZ"); }
    HWND Open(bool fromRoot = true, const std::string& title = "Keen") {
        HWND h = DialogTest::Open(game, title);
        if (h && fromRoot) Set(IDC_SEARCH_START, root);
        return h;
    }
    void DoubleClick() {
        NMHDR click{Item(IDC_SEARCH_LIST), IDC_SEARCH_LIST, static_cast<UINT>(NM_DBLCLK)};
        SendMessageA(dialog->Handle(), WM_NOTIFY, IDC_SEARCH_LIST, reinterpret_cast<LPARAM>(&click));
    }
    std::string StoredPath() { return FieldText(GameAt(game.path).path); }
    void ExpectStop(const std::string& text, const std::string& caption) {
        ASSERT_EQ(ui.Messages().size(), 1u);
        EXPECT_EQ(Row(ui.Messages()[0]), MessageRow(text, caption, MB_OK | MB_ICONSTOP));
    }
    void ExpectNoSelectionStop() { ExpectStop("Please select a folder in the list", "Error"); }
    std::optional<std::string> Locate() { return LocateMovedGame(nullptr, "Keen", game, commandLine); }
    const std::string root = folder;
    CurrentGame game;
    bool commandLine = false;
};

TEST_F(GameSearchTest, DefaultChoiceUnavailableNamesAndAGameWithoutNames) {
    using D = GameSearchDialog;
    // The program, data file, document and command names, and the choice they give.
    const std::pair<std::array<const char*, 4>, int> cases[] = {
        {{"", "", "README.TXT", ""}, D::kDocument},
        {{"GAME.EXE", "GAME.DAT", "", ""}, D::kDataFile},
        {{"GAME.EXE", "", "README.TXT", "GO.BAT"}, D::kExecutable},
        {{"", "", "README.TXT", "GO.BAT"}, D::kCommand}};
    const int radios[] = {IDC_SEARCH_CHOICE_EXE, IDC_SEARCH_CHOICE_DATA, IDC_SEARCH_CHOICE_DOC, IDC_SEARCH_CHOICE_CMD};
    const int states[] = {IDC_SEARCH_STATE_EXE, IDC_SEARCH_STATE_DATA, IDC_SEARCH_STATE_DOC, IDC_SEARCH_STATE_CMD};
    for (const auto& [names, choice] : cases) {
        game.record = MakeGame("Game", "p", "c", "C:\\", names[3]);
        SetField(game.record.programName, names[0]);
        SetField(game.record.dataName, names[1]);
        SetField(game.record.document, names[2]);
        ASSERT_TRUE(Open(false, "Game"));
        EXPECT_EQ(dialog->CurrentChoice(), choice) << names[0] << names[1] << names[2] << names[3];
        for (int i = 0; i < 4; ++i) {
            const bool named = names[i][0] != '\0';
            EXPECT_EQ((std::make_tuple(Enabled(radios[i]), Ticked(radios[i]), Get(states[i]))),
                      std::make_tuple(named, i + 1 == choice, std::string(named ? "..." : "N/A")))
                << i;
        }
    }
    EXPECT_TRUE(ui.Messages().empty());
    game.record = MakeGame("Nameless");
    EXPECT_FALSE(Open(false, "Nameless") || dialog->folderChosen);
    ExpectStop("There are no filenames to search for.", "Cannot search");
}

TEST_F(GameSearchTest, TheStartFolderAndAMatchInTheDriveRoot) {
    const std::string name = "QLPROBE" + std::to_string(GetCurrentProcessId() % 10000) + ".EXE";
    Put("C:\\" + name);
    SetField(game.record.programName, name.c_str());
    Put("file.txt");
    HWND h = Open(false);
    ASSERT_TRUE(h);
    EXPECT_EQ((Strings{win::WindowText(h), Get(IDC_SEARCH_START)}), (Strings{"Game Search - Keen", "C:\\"}));
    EXPECT_FALSE(IsWindowEnabled(Item(IDOK)));
    Click(IDC_SEARCH_GO);  // from the initial "C:\", stored as "C:"
    DeleteFileA(("C:\\" + name).c_str());
    ASSERT_EQ(Found(h), Strings{"C:\\"});
    // Search is enabled for an existing folder or file, never a device; Browse fills the edit.
    const std::pair<std::string, bool> cases[] = {{root + "\\missing", false}, {root, true}, {"", false},
                                                  {root + "\\file.txt", true}, {"C:", true}, {root + "\\NUL", false}};
    for (const auto& [text, enabled] : cases) {
        SetDlgItemTextA(h, IDC_SEARCH_START, text.c_str());
        EXPECT_EQ(IsWindowEnabled(Item(IDC_SEARCH_GO)) != FALSE, enabled) << text;
    }
    ui.folderAnswers.push_back(root);
    Click(IDC_SEARCH_BROWSE);
    EXPECT_EQ(Get(IDC_SEARCH_START), root);
    List(h).Select(0);
    Click(IDOK);
    EXPECT_TRUE(dialog->folderChosen);
    EXPECT_EQ(StoredPath(), "C:");
}

TEST_F(GameSearchTest, OneRowPerFolderInAscendingOrderAndOkStoresAFolderThatIsThere) {
    SetField(game.record.dataName, "K*.EXE");  // the default choice, a wildcard
    HWND h = Open();
    ASSERT_TRUE(h);
    Click(IDC_SEARCH_GO);
    EXPECT_TRUE(Found(h).empty());
    EXPECT_EQ(Get(IDC_SEARCH_STATUS), "Search completed. Could not find an occurance!");
    for (const char* d : {"c", "a", "a\\sub", "b", "b\\plain"}) Dir(d);
    for (const char* f :  // b holds two matches
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
    // A second search shows the same rows; the finder keeps only its 15 paths.
    for (int search = 1; search <= 2; ++search) {
        Click(IDC_SEARCH_GO);
        EXPECT_EQ(Found(h), expected) << search;
        EXPECT_EQ(dialog->KeptResults(), 15) << search;
    }
    EXPECT_EQ((Strings{Get(IDC_SEARCH_STATUS), Get(IDC_SEARCH_GO), Get(IDC_SEARCH_STATE_DATA)}),
              (Strings{kFound, "Search", "..."}));
    EXPECT_FALSE(IsWindowEnabled(Item(IDOK)));
    DoubleClick();  // without a row: nothing (OK without a row is the stop test's)
    RemoveTree(root + "\\a\\sub");
    List(h).Select(1);
    EXPECT_TRUE(IsWindowEnabled(Item(IDOK)));
    DoubleClick();  // what OK does: a folder gone since is not stored
    EXPECT_FALSE(dialog->Ended() || dialog->folderChosen);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_NE(ui.Messages()[0].text.find(root + "\\a\\sub\\"), std::string::npos);
    EXPECT_EQ((Strings{game.record.path, StoredPath()}), (Strings{"C:\\Old\\Keen", "C:\\Old\\Keen"}));
    List(h).Select(2);
    Click(IDOK);
    EXPECT_TRUE(dialog->Result() == IDOK && dialog->folderChosen);
    EXPECT_EQ((Strings{game.record.path, StoredPath()}), (Strings{root + "\\b", root + "\\b"}));
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
        HWND h = Open();
        ASSERT_TRUE(h);
        const int beeps = win::Beeps().count;
        std::string chosen;
        SearchWithAction(h, [&](HWND d) {
            EXPECT_EQ(Get(IDC_SEARCH_GO), "Stop");
            if (action == kSelectAndOk) List(d).Select(0);
            chosen = List(d).Text(0, 0);
            PressIn(d, action == kStop ? IDC_SEARCH_GO : action == kCancel ? IDCANCEL : IDOK);
        });
        EXPECT_EQ(s_inserts, 1) << action << ": no row after the stop";
        EXPECT_FALSE(dialog->Searching());
        EXPECT_EQ(win::Beeps().count, beeps + 1) << action << ": the completion beeps, the dialog ended or not";
        const bool ended = action >= kCancel, chose = action == kSelectAndOk;
        EXPECT_TRUE(dialog->Ended() == ended && dialog->folderChosen == chose) << action;
        if (ended) {
            EXPECT_EQ(StoredPath() + "\\", chose ? chosen : "C:\\Old\\Keen\\") << action;
            continue;
        }
        EXPECT_EQ(Found(h), Strings{chosen}) << action;
        EXPECT_EQ((Strings{Get(IDC_SEARCH_STATUS), Get(IDC_SEARCH_GO)}), (Strings{kFound, "Search"})) << action;
        if (action == kOk) ExpectNoSelectionStop();
    }
}

// From the command line a missing folder is told; else asked: No and a cancelled search stop, a find is stored.
TEST_F(GameSearchTest, LocateMovedGameAsksUnlessFromTheCommandLineAndStoresAFoundFolder) {
    commandLine = true;
    EXPECT_EQ(Locate(), std::nullopt);
    EXPECT_FALSE(commandLine);
    ExpectStop("Cannot find the location of Keen.\nPlease locate its path...", "Game run error");
    EXPECT_TRUE(ui.Calls(UiCall::Modal).empty());
    ui.Clear();
    const std::string moved = root + "\\NewKeen";
    Dir("NewKeen");
    Put("NewKeen\\KEEN.EXE");
    ui.modalScripts = {Answer(IDD_LOCATEGAME, IDCANCEL), Answer(IDD_LOCATEGAME, IDC_LOCATE_SEARCH),
                       Answer(IDD_GAMESEARCH, IDCANCEL, root), Answer(IDD_LOCATEGAME, IDC_LOCATE_SEARCH),
                       Answer(IDD_GAMESEARCH, IDOK, root)};
    EXPECT_EQ(Locate(), std::nullopt);
    EXPECT_EQ(Locate(), std::nullopt);
    EXPECT_EQ(FieldText(game.record.path), "C:\\Old\\Keen");
    EXPECT_EQ(Locate(), moved);
    EXPECT_TRUE(ui.Calls(UiCall::Folder).empty() && ui.Messages().empty());
    EXPECT_EQ((Strings{FieldText(game.record.path), StoredPath()}), (Strings{moved, moved}));
    // Browse: a folder picked, a cancelled browse, and an answer that is no file-system path.
    const std::pair<std::optional<std::string>, std::optional<std::string>> browsed[] = {
        {"D:\\New\\Keen", "D:\\New\\Keen"}, {std::nullopt, std::nullopt}, {"", "C:\\Old\\Keen"}};
    for (const auto& [picked, result] : browsed) {
        SetField(game.record.path, "C:\\Old\\Keen");
        ui.modalScripts.push_back(Answer(IDD_LOCATEGAME, IDC_LOCATE_BROWSE));
        ui.folderAnswers.push_back(picked);
        EXPECT_EQ(Locate(), result);
        EXPECT_EQ(FieldText(game.record.path), result.value_or("C:\\Old\\Keen"));
    }
}

TEST_F(GameSearchTest, SearchForSelectedGame) {
    // The row, the title, the language, whether the search opens, the message (in English: the menu test's).
    const std::tuple<int, const char*, Language, bool, const char*> cases[] = {
        {-1, "Keen", Language::Spanish, false, "Por favor seleccione un juego de la lista primero"},
        {0, "", Language::English, false, nullptr},
        {3, "Keen", Language::English, true, nullptr}};
    for (const auto& [row, title, language, ran, message] : cases) {
        ui.Clear();
        SetLanguage(language);
        EXPECT_EQ(SearchForSelectedGame(nullptr, row, title, game), ran) << row << title;
        SetLanguage(Language::English);
        EXPECT_EQ(ui.Calls(UiCall::Modal).size(), ran ? 1u : 0u) << row;
        EXPECT_EQ(MessageTexts(ui), message ? Strings{message} : Strings{});
    }
}

}  // namespace
