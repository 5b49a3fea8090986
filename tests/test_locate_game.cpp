// The error-locating dialog, the missing-folder step of a launch that uses it,
// and the "Search for selected game" command.
#include "DialogItems.h"
#include "DialogProbe.h"
#include "dialogs/LocateGameDialog.h"
#include "dialogs/MovedGame.h"
#include "res/GameSearchDialogRes.h"
#include "res/LocateGameDialogRes.h"
#include "win/ListView.h"

namespace {

TEST(LocateGameDialog, EachWayOutGivesItsAnswerAndTheTextsShowTheGame) {
    const std::pair<int, LocateAnswer> cases[] = {{IDC_LOCATE_SEARCH, LocateAnswer::Search},
                                                  {IDC_LOCATE_BROWSE, LocateAnswer::Browse},
                                                  {IDCANCEL, LocateAnswer::No},
                                                  {IDOK, LocateAnswer::No},
                                                  {SC_CLOSE, LocateAnswer::No}};  // SC_CLOSE: the close box
    for (const auto& [id, answer] : cases) {
        LocateGameDialog dialog;
        dialog.title = "Commander Keen";
        dialog.folder = "C:\\" + std::string(256, 'f');  // 259 characters
        HWND h = dialog.Create(nullptr);
        ASSERT_TRUE(h);
        EXPECT_EQ(win::WindowText(h), "Error locating game");
        EXPECT_EQ(win::WindowText(GetDlgItem(h, IDC_LOCATE_TITLE)), "Commander Keen");
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

class MovedGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        game.record = MakeGame("Keen", "Id", "Action", "C:\\Old\\Keen", "KEEN.EXE");
        game.path = root + "\\Keen.qgf";
        WriteGame(game.path, game.record);
        game.loaded = true;
    }
    std::optional<std::string> Locate(bool spanish = false) {
        return LocateMovedGame(nullptr, "Keen", game, spanish, commandLine);
    }
    FakeUi ui;
    TempFolder temp{"moved"};
    const std::string root = temp.path;
    CurrentGame game;
    bool commandLine = false;
};

TEST_F(MovedGameTest, ACommandLineLaunchOnlyReportsTheMissingFolderOnce) {
    commandLine = true;
    EXPECT_EQ(Locate(), std::nullopt);
    EXPECT_FALSE(commandLine);
    ExpectOneMessage(ui, "Cannot find the location of Keen.\nPlease locate its path...", "Game run error");
    EXPECT_EQ(ui.Messages().at(0).flags, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(ui.Calls(UiCall::Modal).empty());

    ui.Clear();  // the next launch asks
    ui.modalScripts.push_back(Answer(IDD_LOCATEGAME, IDCANCEL));
    EXPECT_EQ(Locate(), std::nullopt);
    EXPECT_EQ(std::make_pair(ui.Calls(UiCall::Modal).size(), ui.Messages().size()),
              std::make_pair(size_t{1}, size_t{0}));
}

TEST_F(MovedGameTest, BrowseAnswers) {
    struct Case {
        const char* name;
        bool spanish;
        std::optional<std::string> picked, result;
        const char* path;
    } cases[] = {{"picked", false, std::string("D:\\New\\Keen"), std::string("D:\\New\\Keen"), "D:\\New\\Keen"},
                 {"cancelled", false, std::nullopt, std::nullopt, "C:\\Old\\Keen"},
                 {"no file-system path", true, std::string(""), std::string("C:\\Old\\Keen"), "C:\\Old\\Keen"}};
    for (const auto& c : cases) {
        SetField(game.record.path, "C:\\Old\\Keen");
        ui.Clear();
        ui.modalScripts.push_back(Answer(IDD_LOCATEGAME, IDC_LOCATE_BROWSE));
        ui.folderAnswers.push_back(c.picked);
        EXPECT_EQ(Locate(c.spanish), c.result) << c.name;
        EXPECT_EQ(FieldText(game.record.path), c.path) << c.name;
        EXPECT_EQ(ui.Calls(UiCall::Folder).at(0).text,
                  c.spanish ? "Seleccionar la ruta del juego..." : "Select the game path...");
    }
}

TEST_F(MovedGameTest, NoOrACancelledSearchStopsTheLaunchAndAFoundFolderIsStored) {
    const std::string moved = root + "\\NewKeen";
    CreateDirectoryA(moved.c_str(), nullptr);
    WriteFileText(moved + "\\KEEN.EXE", "MZ");
    ui.modalScripts.push_back(Answer(IDD_LOCATEGAME, IDCANCEL));
    EXPECT_EQ(Locate(), std::nullopt);
    ui.modalScripts.push_back(Answer(IDD_LOCATEGAME, IDC_LOCATE_SEARCH));
    ui.modalScripts.push_back(Answer(IDD_GAMESEARCH, IDCANCEL, root));
    EXPECT_EQ(Locate(), std::nullopt);
    EXPECT_EQ(FieldText(game.record.path), "C:\\Old\\Keen");

    ui.modalScripts.push_back(Answer(IDD_LOCATEGAME, IDC_LOCATE_SEARCH));
    ui.modalScripts.push_back(Answer(IDD_GAMESEARCH, IDOK, root));
    EXPECT_EQ(Locate(), moved);
    EXPECT_EQ(ui.Calls(UiCall::Modal).size(), 5u);
    EXPECT_TRUE(ui.Calls(UiCall::Folder).empty());
    EXPECT_EQ(FieldText(game.record.path), moved);
    GameRecord saved;
    ASSERT_EQ(ReadGameRecord(game.path, saved), GameFileStatus::Ok);
    EXPECT_EQ(FieldText(saved.path), moved);
}

TEST_F(MovedGameTest, SearchForSelectedGame) {
    struct Case {
        int row;
        const char* title;
        bool spanish, ran;
        const char* message;
    } cases[] = {{-1, "", false, false, "Please select a game in the list first"},
                 {-1, "Keen", true, false, "Por favor seleccione un juego de la lista primero"},
                 {0, "", false, false, nullptr},
                 {3, "Keen", false, true, nullptr}};
    for (const auto& c : cases) {
        ui.Clear();
        EXPECT_EQ(SearchForSelectedGame(nullptr, c.row, c.title, game, c.spanish), c.ran) << c.row << c.title;
        std::vector<int> opened;
        for (const UiCall& call : ui.Calls(UiCall::Modal)) opened.push_back(call.dialogId);
        EXPECT_EQ(opened, c.ran ? std::vector<int>{IDD_GAMESEARCH} : std::vector<int>{});
        if (c.message) {
            ExpectOneMessage(ui, c.message, "Quillon Loader");
        } else {
            EXPECT_TRUE(ui.Messages().empty());
        }
    }
}

}  // namespace
