// The details bar's fill, edits, links, comment, shortcut and Docs button; the tree view wrapper.
#include "BarHost.h"
#include "BmpBuilder.h"
#include "FakeUi.h"
#include "TestEnv.h"
#include "data/Files.h"
#include "data/GameExtras.h"
#include "dialogs/CommentDialog.h"
#include "dialogs/PictureMessages.h"
#include "dialogs/TextInputDialog.h"
#include "mainwnd/DesktopShortcut.h"
#include "mainwnd/DetailsBar.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/TreeView.h"
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

class DetailsBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* sub : {"\\Games", "\\Desktop", "\\KEEN"}) CreateDirectoryA((folder + sub).c_str(), nullptr);
        state.programFolder = folder;
        state.gamesFolder = folder + "\\Games";
        GameRecord& g = game.record = MakeGame("Commander Keen", "Apogee", "Platform", folder + "\\KEEN", "keen.exe");
        SetField(g.programName, "keen.exe");
        g.programSize = 1234;
        SetField(g.dataName, "levels.dat");
        SetField(g.webSite, "http://www.apogee.com");
        SetField(g.comment, "Vorticons!");
        g.options = 1;
        game.path = state.gamesFolder + "\\Commander Keen.qgf";
        WriteGame(game.path, g);
        game.loaded = true;
        host.handler = [this](WPARAM code, LPARAM lp) { return bar.OnBarNotify(code, lp); };
        ASSERT_TRUE(bar.Create(host.Handle()));
        bar.desktopFolder = folder + "\\Desktop";
        PumpMessages();
    }

    GameRecord Stored() const {
        GameRecord r{};
        EXPECT_EQ(ReadGameRecord(game.path, r), GameFileStatus::Ok);
        return r;
    }
    // The next text input or comment dialog's answer.
    void Type(const std::string& text, bool comment = false) {
        ui.modalScripts.push_back([text, comment](win::Dialog& d, HWND) -> INT_PTR {
            (comment ? static_cast<CommentDialog&>(d).comment : static_cast<TextInputDialog&>(d).value) = text;
            return IDOK;
        });
    }
    void ClickItem(int folderIndex, int item) {
        bar.Bar().SetSelFolder(folderIndex);
        bar.OnBarNotify(OutBar::kItemClicked, item);
    }
    HTREEITEM TreeSelection() const { return win::TreeView(bar.Tree()).Selected(); }
    // The messages and shell opens so far, then forgets them.
    Strings Said() {
        Strings out;
        for (const UiCall& c : ui.calls)
            if (c.kind == UiCall::Message || c.kind == UiCall::Execute)
                out.push_back((c.kind == UiCall::Execute ? "open " : "") + c.text);
        ui.Clear();
        return out;
    }
    std::string Values() const {
        std::string all;
        for (int code : {0, 16, 32, 48, 49, 64, 80, 96, 97, 112, 113, 128, 144, 160, 192, 176})
            all += bar.ValueText(code) + "|";
        return all;
    }

    // The headers between Run With and Web Site with their values.
    std::string DosRows() const {
        const win::TreeView tree(bar.Tree());
        HTREEITEM h = tree.Root();
        while (h && tree.Text(h) != "Run With") h = TreeView_GetNextSibling(bar.Tree(), h);
        std::string all;
        while (h && (h = TreeView_GetNextSibling(bar.Tree(), h)) && tree.Text(h) != "Web Site")
            all += tree.Text(h) + ": " + tree.Text(TreeView_GetChild(bar.Tree(), h)) + "|";
        return all;
    }

    FakeUi ui;
    TempFolder temp{"details"};
    const std::string& folder = temp.path;
    AppState state;
    CurrentGame game;
    int refreshed = 0, previews = 0;
    std::string selectedTitle = "Commander Keen";
    BarHost host{740, 460};
    DetailsBar bar{
        game, state,
        DetailsBar::Host{[this] { return selectedTitle; }, [this] { ++refreshed; },
                         [this](HBITMAP preview) { previews += preview != nullptr, DeleteObject(preview); }}};
};

TEST_F(DetailsBarTest, PlaceholdersThenTheFillsFormats) {
    EXPECT_EQ(Values(),
              "game|Sierra|Adventure|C:\\|Open Folder|sierra.exe|readme.txt||0|File: resource.001|Size: "
              "0|None|No|No|Default||");
    bar.ShowGame(&game);
    EXPECT_EQ(Values(),
              "Commander Keen|Apogee|Platform|" + folder +
                  "\\KEEN|Open Folder|keen.exe||File: keen.exe|Size: 1234|File: levels.dat|Size: 0|None|Yes|No|"
                  "Default|http://www.apogee.com|");
    EXPECT_TRUE(IsWindowEnabled(bar.Bar().Handle()));
    RECT at{}, want = DetailsBar::BarRect(host.Handle());
    GetWindowRect(bar.Bar().Handle(), &at), MapWindowPoints(nullptr, host.Handle(), reinterpret_cast<POINT*>(&at), 2);
    EXPECT_EQ(std::make_pair(at.left, at.top), std::make_pair(want.left, want.top)) << "the bar at its place";
    const auto& folders = bar.Bar().State().folders;
    EXPECT_EQ(std::tie(folders[1].items[1].label, folders[2].items[0].label),
              std::make_tuple("http://www.apogee.com", "Vorticons!"));
    EXPECT_EQ(win::WindowText(host.Handle()), "Quillon Loader 0.8c - Commander Keen");
    game.record.options = 4;  // 4 or more: the two toggles stay as they were
    game.record.pictureSize = 10;
    game.record.dataSize = 9;
    SetGameRunWith(game.record, RunWith::DosBox);
    bar.ShowGame(&game);
    EXPECT_EQ(Values().substr(Values().find("|Size: 9|")), "|Size: 9|Embedded|Yes|No|DOSBox|http://www.apogee.com|");
    bar.Bar().SetSelFolder(2);
    bar.ShowGame(nullptr);
    EXPECT_EQ(std::make_tuple(bar.ValueText(DetailsBar::kTitle), IsWindowEnabled(bar.Bar().Handle()),
                              bar.Bar().GetSelFolder(), win::WindowText(host.Handle())),
              std::make_tuple("game", FALSE, 0, "Quillon Loader 0.8c"));
}

// A DOS game's rows follow Run With; a Windows game has none.
TEST_F(DetailsBarTest, DosGamesShowTheirDosBoxRows) {
    const std::string keen = folder + "\\KEEN\\keen.exe", dig = folder + "\\KEEN\\DIG.INI";
    const std::string prefs = "DOSBox program: As in Preferences|CD-ROM: ";
    const std::tuple<char, GameExtras, bool, std::string> games[] = {  // 'D' DOS, 'W' Windows, '-' no Path
        {'D', {}, true, prefs + "None|Sound setup: DIG.INI: Sound Blaster 16, 220, IRQ 5, DMA 1|"},
        {'W', {}, true, ""},
        {'D', {"C:\\DOSBOX\\DOSBox.exe", {CdRomKind::Drive, 'E', {}}, {}}, false,
         "DOSBox program: C:\\DOSBOX\\DOSBox.exe|CD-ROM: Drive E:|Sound setup: not found|"},
        {'-', {}, true, ""},
        {'D', {"", {CdRomKind::Images, 0, {"C:\\A.ISO", "C:\\B.CUE"}}, {}}, false,
         prefs + "C:\\A.ISO; C:\\B.CUE|Sound setup: not found|"}};
    const GameRecord plain = game.record;
    for (const auto& [kind, extras, digIni, rows] : games) {
        kind == 'W' ? (void)CopyFileA(ThisProgram().c_str(), keen.c_str(), FALSE) : WriteFileText(keen, "x");
        digIni ? WriteFileText(dig, "DRIVER SB16.DIG\nIO_ADDR 220\nIRQ 5\nDMA_8_bit 1\n")
               : (void)DeleteFileA(dig.c_str());
        game.record = plain;
        if (kind == '-') SetField(game.record.path, "");
        WriteGameExtras(game.record, extras);
        bar.ShowGame(&game);
        EXPECT_EQ(DosRows(), rows);
    }
    bar.ShowGame(nullptr);
    EXPECT_EQ(DosRows(), "");
}

TEST_F(DetailsBarTest, WebSiteNeedsAnAddress) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "No Web Site has been set."},
        {"www.apogee.com", "open http://www.apogee.com"},
        {"http://a.example/\" -x", "Could not open the web site:\nhttp://a.example/\" -x"},
        {"hTTp://", "No Web Site has been set."}};
    for (auto [web, said] : cases) {
        SetField(game.record.webSite, web);
        ClickItem(1, 1);
        EXPECT_TRUE(*said != 'N' || ui.calls.at(0).caption == "Cannot load WebSite") << web;
        EXPECT_EQ(Said(), Strings{said}) << web;
    }
    // An unset site shows where to set it; without a selected row the links do nothing.
    EXPECT_EQ(bar.Bar().GetSelFolder(), 0);
    EXPECT_EQ(TreeSelection(), bar.ValueItem(DetailsBar::kWebSite));
    selectedTitle.clear();
    ClickItem(1, 1);
    ClickItem(1, 0);
    EXPECT_TRUE(ui.calls.empty());
}

// A title edit keeps the file's name; a save that fails keeps the old values.
TEST_F(DetailsBarTest, EditsSaveFirstAndAFailedSaveKeepsTheOldValue) {
    bar.ShowGame(&game);
    const std::string path = game.path;
    Type("Keen: Goodbye, Galaxy!");
    bar.EditField(DetailsBar::kTitle);
    EXPECT_EQ(ui.Calls(UiCall::Modal).at(0).dialogId, IDD_TEXTINPUT);
    EXPECT_EQ(std::tie(game.path, refreshed), std::make_tuple(path, 1));
    for (const std::string& shown :
         {FieldText(Stored().title), bar.ValueText(DetailsBar::kTitle), win::WindowText(host.Handle())})
        EXPECT_EQ(shown, "Keen: Goodbye, Galaxy!");
    Type("id Software");
    bar.EditField(DetailsBar::kPublisher);
    EXPECT_EQ(FieldText(Stored().publisher), "id Software");
    EXPECT_EQ(win::WindowText(host.Handle()), "Keen: Goodbye, Galaxy!") << "no caption change";
    ui.Clear();
    game.path = folder + "\\Gone\\Commander Keen.qgf";  // its folder has vanished
    Type("Sierra On-Line");
    bar.EditField(DetailsBar::kPublisher);
    bar.EditField(DetailsBar::kWin95);
    Type("lost", true);
    ClickItem(2, 0);
    EXPECT_EQ(bar.Bar().GetItemText(0), "Vorticons!");
    const auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_NE(messages[0].text.find("not stored"), std::string::npos);
    EXPECT_EQ(std::make_tuple(FieldText(game.record.publisher), game.record.options, refreshed),
              std::make_tuple("id Software", 1, 2));
    EXPECT_EQ(bar.ValueText(DetailsBar::kPublisher) + bar.ValueText(DetailsBar::kWin95), "id SoftwareNo");
}

TEST_F(DetailsBarTest, HeadersSizesAndOutOfRangeOptionsDoNothing) {
    const std::vector<char> before = ReadFileBytes(game.path);
    game.record.options = 4;
    for (int code : {255, 97, 113, 1, 200, int(DetailsBar::kVdmSound), int(DetailsBar::kWin95)}) bar.EditField(code);
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(std::make_pair(ReadFileBytes(game.path), game.record.options), std::make_pair(before, 4));
    game.record.options = 1;
    bar.EditField(DetailsBar::kWin95);
    EXPECT_EQ(Stored().options, 3);
    bar.EditField(DetailsBar::kVdmSound);
    EXPECT_EQ(Stored().options, 2);
    EXPECT_EQ(bar.ValueText(DetailsBar::kWin95) + bar.ValueText(DetailsBar::kVdmSound), "YesNo");
}

TEST_F(DetailsBarTest, FileFieldsTakeTheNameAndTheSize) {
    const std::string exe = folder + "\\KEEN\\BIN\\keen4e.exe";
    CreateDirectoryA((folder + "\\KEEN\\BIN").c_str(), nullptr);
    WriteFileBytes(exe, std::vector<char>(321, 'x'));
    ui.fileAnswers = {exe, exe, std::string("C:\\readme.txt")};
    bar.EditField(DetailsBar::kProgram);
    EXPECT_EQ(std::make_pair(FieldText(Stored().programName), Stored().programSize),
              std::make_pair(std::string("keen4e.exe"), 321u));
    EXPECT_NE(Values().find("|keen4e.exe|321|"), std::string::npos) << Values();
    bar.EditField(DetailsBar::kCommand);
    EXPECT_EQ(FieldText(Stored().command) + "|" + FieldText(Stored().path), "keen4e.exe|" + folder + "\\KEEN\\BIN");
    EXPECT_EQ(bar.ValueText(DetailsBar::kSoundSetup), "not found") << "now a DOS game";
    WriteFileText(folder + "\\KEEN\\BIN\\DEFAULT.CFG", "snd_sfxdevice 3\nsnd_sbirq 5\n");
    ui.folderAnswers.push_back(folder + "\\KEEN\\BIN");
    bar.EditField(DetailsBar::kPath);
    EXPECT_EQ(bar.ValueText(DetailsBar::kSoundSetup), "DEFAULT.CFG: Sound Blaster, IRQ 5") << "read again";
    SetField(game.record.path, "Q:\\nowhere");
    bar.EditField(DetailsBar::kDocument);
    EXPECT_EQ(FieldText(Stored().document), "readme.txt");
    const auto asked = ui.Calls(UiCall::File);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(std::make_tuple(asked[0].text, asked[0].params, asked[2].params),
              std::make_tuple("Please select the executable...", folder + "\\KEEN", "C:\\"))
        << "starts in the game's Path; a missing Path starts in C:\\";
}

// Damaged pictures are told and change nothing; a good one is embedded, shown and kept by later saves.
TEST_F(DetailsBarTest, PictureIsCheckedThenEmbeddedAndLaterSavesKeepIt) {
    const std::vector<char> before = ReadFileBytes(game.path);
    for (const auto& bytes : {HeaderWithoutPixels(), PixelsAtOffsetOne()}) {
        WriteFileBytes(folder + "\\bad.bmp", bytes);
        ui.fileAnswers.push_back(folder + "\\bad.bmp");
        bar.EditField(DetailsBar::kPicture);
        EXPECT_EQ(Said(),
                  Strings{PictureLoadMessage(folder + "\\bad.bmp", PictureFileStatus::NotABitmap, Language::English)});
    }
    EXPECT_EQ(std::make_tuple(ReadFileBytes(game.path), bar.ValueText(DetailsBar::kPicture), previews),
              std::make_tuple(before, "None", 0));
    const std::vector<char> bmp = MakeBmp(8, 8, 0, 200, 0);
    WriteFileBytes(folder + "\\new.bmp", bmp);
    ui.fileAnswers.push_back(folder + "\\new.bmp");
    bar.EditField(DetailsBar::kPicture);
    EXPECT_EQ(ui.Calls(UiCall::File)[0].params, folder + "\\Images");
    EXPECT_EQ(std::make_tuple(bar.ValueText(DetailsBar::kPicture), previews), std::make_tuple("Embedded", 1));
    Type("Apogee Software");
    bar.EditField(DetailsBar::kPublisher);
    const std::vector<char> bytes = ReadFileBytes(game.path);
    ASSERT_EQ(bytes.size(), kGameRecordSize + bmp.size());
    EXPECT_EQ(std::vector<char>(bytes.begin() + kGameRecordSize, bytes.end()), bmp);
    EXPECT_EQ(Stored().pictureSize, bmp.size());
}

TEST_F(DetailsBarTest, CommentAndDoubleClickGoThroughTheBar) {
    Type("Two\r\nlines", true);
    ClickItem(2, 0);
    EXPECT_EQ(FieldText(Stored().comment) + "|" + bar.Bar().GetItemText(0), "Two\r\nlines|Two\r\nlines");
    // A double click in the tree reaches the bar's owner as code 6.
    bar.ShowField(DetailsBar::kCategory);
    Type("Puzzle");
    NMHDR hdr{bar.Tree(), IDC_DETAILS_TREE, static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(bar.Bar().Handle(), WM_NOTIFY, IDC_DETAILS_TREE, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(FieldText(Stored().category), "Puzzle");
    EXPECT_EQ(bar.OnBarNotify(OutBar::kItemDragged, 0), 1) << "items may be dragged";
}

// The shortcut's name is made from the title: a hostile one stays on the desktop.
TEST_F(DetailsBarTest, ShortcutIsTheTitlePlusQgfLnkAndOpensTheGame) {
    selectedTitle = "..\\..\\Games\\x:*?\"<>|/\x07";
    ClickItem(1, 0);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].caption, selectedTitle);
    EXPECT_EQ(Said(), Strings{"Created Desktop Shortcut"});
    const std::vector<char> link = ReadFileBytes(folder + "\\Desktop\\.._.._Games_x_________.qgf.lnk");
    EXPECT_NE(std::string(link.begin(), link.end()).find(game.path), std::string::npos) << "the link's target";
    const std::pair<const char*, const char*> names[] = {
        {"Star Maze", "Star Maze.qgf.lnk"}, {"CON", "_CON.qgf.lnk"}, {"lpt1", "_lpt1.qgf.lnk"},
        {"COM10", "COM10.qgf.lnk"},         {"", "_.qgf.lnk"},       {"a\tb", "a_b.qgf.lnk"},
        {"Caf\xE9", "Caf\xE9.qgf.lnk"}};
    for (auto [title, name] : names) EXPECT_EQ(ShortcutFileName(title), name) << title;
}

TEST_F(DetailsBarTest, DocsButton) {
    SetField(game.record.path, (folder + "\\Moved").c_str());
    bar.OpenDocument();
    EXPECT_EQ(Said(), Strings{"The game path is invalid.\nPlease locate the game first."});
    EXPECT_EQ(TreeSelection(), bar.ValueItem(DetailsBar::kPath));
    // An empty Document is asked for (cancelled the first time), stored and opened.
    const std::string keen = folder + "\\KEEN\\";
    SetField(game.record.path, (folder + "\\KEEN").c_str());
    for (const char* file : {"KEEN.TXT", "..\\outside.bat"}) WriteFileText(keen + file, "help");
    bar.OpenDocument();
    ui.fileAnswers.push_back(keen + "KEEN.TXT");
    bar.OpenDocument();
    EXPECT_EQ(std::make_tuple(FieldText(Stored().document), refreshed), std::make_tuple("KEEN.TXT", 1));
    EXPECT_EQ(Said(), Strings{"open " + keen + "KEEN.TXT"});
    SetField(game.record.document, "MANUAL.DOC");  // only an existing file inside the game folder is opened
    bar.OpenDocument();
    EXPECT_EQ(Said(), Strings{"The document " + keen + "MANUAL.DOC\ncould not be found."});
    SetField(game.record.document, "..\\outside.bat");  // the name rules have their own test
    bar.OpenDocument();
    const Strings said = Said();
    EXPECT_TRUE(said.size() == 1 && said[0].rfind("The document '..\\outside.bat'\nis not a file in", 0) == 0);
    EXPECT_EQ(TreeSelection(), bar.ValueItem(DetailsBar::kDocument));
    SetField(game.record.document, "KEEN.TXT");
    bar.ShowField(DetailsBar::kTitle);
    ui.shellResults.push_back(2);  // the shell fails to open it
    bar.OpenDocument();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONSTOP));
    EXPECT_EQ(TreeSelection(), bar.ValueItem(DetailsBar::kDocument));
}

TEST(TreeView, AddsInOrderExpandsSelectsAndReads) {
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 300, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    HWND hwnd = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0, 0, 200, 300, frame,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(hwnd);
    win::TreeView tree(hwnd);
    HTREEITEM a = tree.Add(TVI_ROOT, "A", 0, 10);
    HTREEITEM a2 = (tree.Add(a, "A1", 1, 11), tree.Add(a, "A2", 1, 12));
    tree.Add(tree.Add(TVI_ROOT, "B", 0, 20), "B1", 1, 21);
    tree.Expand(a);
    std::string shown;  // the items a reader sees, from the top
    for (HTREEITEM item = tree.Root(); item; item = TreeView_GetNextVisible(hwnd, item)) shown += tree.Text(item) + " ";
    EXPECT_EQ(shown, "A A1 A2 B ");
    LPARAM param = -1;
    EXPECT_FALSE(tree.Param(tree.Selected(), param));
    tree.Select(a2);
    EXPECT_TRUE(tree.Param(tree.Selected(), param));
    EXPECT_EQ(std::make_tuple(param, tree.Text(a2, 1), tree.Text(nullptr)), std::make_tuple(LPARAM{12}, "A", ""));
    DestroyWindow(frame);
}

}  // namespace
