// The details bar: its placeholders and fill, the field edits, the links and
// comment actions, the desktop shortcut and the Docs button.
#include "BarHost.h"
#include "FakeUi.h"
#include "TestEnv.h"
#include "app/Texts.h"
#include "dialogs/CommentDialog.h"
#include "dialogs/TextInputDialog.h"
#include "mainwnd/DesktopShortcut.h"
#include "mainwnd/DetailsBar.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <cstdlib>

namespace {

class DetailsBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = MakeTempFolder("details");
        CreateDirectoryA((folder + "\\Games").c_str(), nullptr);
        CreateDirectoryA((folder + "\\Desktop").c_str(), nullptr);
        CreateDirectoryA((folder + "\\KEEN").c_str(), nullptr);
        state.programFolder = folder;
        state.gamesFolder = folder + "\\Games";
        GameRecord g = MakeGame("Commander Keen", "Apogee", "Platform", folder + "\\KEEN", "keen.exe");
        SetField(g.programName, "keen.exe");
        g.programSize = 1234;
        SetField(g.dataName, "levels.dat");
        SetField(g.webSite, "http://www.apogee.com");
        SetField(g.comment, "Vorticons!");
        g.options = 1;
        Load(g);
        host.handler = [this](WPARAM code, LPARAM lp) { return bar.OnBarNotify(code, lp); };
        ASSERT_TRUE(bar.Create(host.Handle()));
        bar.desktopFolder = folder + "\\Desktop";
        PumpMessages();
    }
    void TearDown() override { RemoveTree(folder); }

    void Load(const GameRecord& g, const std::vector<char>& picture = {}) {
        game.path = state.gamesFolder + "\\" + FieldText(g.title) + ".qgf";
        WriteGame(game.path, g, picture);
        game.record = g;
        game.record.pictureSize = static_cast<uint32_t>(picture.size());
        game.loaded = true;
    }
    GameRecord Stored() const {
        GameRecord r{};
        EXPECT_EQ(ReadGameRecord(game.path, r), GameFileStatus::Ok);
        return r;
    }
    // The text input dialog's next answer.
    void Type(const std::string& text) {
        ui.modalScripts.push_back([text](win::Dialog& d, HWND) -> INT_PTR {
            static_cast<TextInputDialog&>(d).value = text;
            return IDOK;
        });
    }
    void ClickItem(int folderIndex, int item) {
        bar.Bar().SetSelFolder(folderIndex);
        bar.OnBarNotify(CGfxOutBarCtrl::kItemClicked, item);
    }
    HTREEITEM TreeSelection() const {
        return reinterpret_cast<HTREEITEM>(SendMessageA(bar.Tree(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    }

    FakeUi ui;
    std::string folder;
    AppState state;
    CurrentGame game;
    int refreshed = 0;
    std::string selectedTitle = "Commander Keen";
    BarHost host{740, 460};
    DetailsBar bar{game, state,
                   DetailsBar::Host{[this] { return selectedTitle; }, [this] { ++refreshed; },
                                    [](HBITMAP b) {
                                        if (b) DeleteObject(b);
                                    }}};
};

TEST_F(DetailsBarTest, PlaceholdersThenTheFillsFormats) {
    const std::pair<int, const char*> placeholders[] = {
        {DetailsBar::kTitle, "game"},
        {DetailsBar::kPublisher, "Sierra"},
        {DetailsBar::kCategory, "Adventure"},
        {DetailsBar::kPath, "C:\\"},
        {DetailsBar::kOpenFolder, "Open Folder"},
        {DetailsBar::kCommand, "sierra.exe"},
        {DetailsBar::kDocument, "readme.txt"},
        {DetailsBar::kProgramSize, "0"},
        {DetailsBar::kDataFile, "File: resource.001"},
        {DetailsBar::kDataSize, "Size: 0"},
        {DetailsBar::kPicture, "None"},
        {DetailsBar::kVdmSound, "No"},
        {DetailsBar::kWebSite, ""},
    };
    for (auto [code, text] : placeholders) EXPECT_EQ(bar.ValueText(code), text) << code;
    RECT r;
    GetWindowRect(bar.Bar().Handle(), &r);
    MapWindowPoints(nullptr, host.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 548);
    EXPECT_EQ(r.bottom, 415);
    EXPECT_EQ(GetDlgCtrlID(bar.Bar().Handle()), 102);
    EXPECT_EQ(bar.Bar().GetSelFolder(), 0);

    bar.ShowGame(&game);
    const std::pair<int, const char*> filled[] = {
        {DetailsBar::kTitle, "Commander Keen"},   {DetailsBar::kProgram, "File: keen.exe"},
        {DetailsBar::kProgramSize, "Size: 1234"}, {DetailsBar::kDataFile, "File: levels.dat"},
        {DetailsBar::kDataSize, "Size: 0"},       {DetailsBar::kPicture, "None"},
        {DetailsBar::kVdmSound, "Yes"},           {DetailsBar::kWin95, "No"},
        {DetailsBar::kOpenFolder, "Open Folder"},
    };
    for (auto [code, text] : filled) EXPECT_EQ(bar.ValueText(code), text) << code;
    EXPECT_TRUE(IsWindowEnabled(bar.Bar().Handle()));
    EXPECT_EQ(bar.Bar().State().folders[1].items[1].label, "http://www.apogee.com");
    EXPECT_EQ(bar.Bar().State().folders[2].items[0].label, "Vorticons!");
    EXPECT_EQ(win::WindowText(host.Handle()), "Quillon Loader 0.8c - Commander Keen");

    // Options 4 or more leave the two toggles as they were.
    game.record.options = 6;
    game.record.pictureSize = 10;
    SetField(game.record.webSite, "");
    bar.ShowGame(&game);
    EXPECT_EQ(bar.ValueText(DetailsBar::kVdmSound), "Yes");
    EXPECT_EQ(bar.ValueText(DetailsBar::kWin95), "No");
    EXPECT_EQ(bar.ValueText(DetailsBar::kPicture), "Embedded");
    EXPECT_EQ(bar.Bar().State().folders[1].items[1].label, "") << "an empty web site: an empty label";

    bar.Bar().SetSelFolder(2);
    bar.ShowGame(nullptr);
    EXPECT_EQ(bar.ValueText(DetailsBar::kTitle), "game");
    EXPECT_FALSE(IsWindowEnabled(bar.Bar().Handle()));
    EXPECT_EQ(bar.Bar().GetSelFolder(), 0);
    EXPECT_EQ(win::WindowText(host.Handle()), "Quillon Loader 0.8c");
}

TEST_F(DetailsBarTest, WebSiteNeedsAnAddress) {
    struct Case {
        const char* web;
        const char* opened;  // null: nothing goes to the shell
        const char* message;
    } cases[] = {
        {"", nullptr, "No Web Site has been set."},
        {"hTTp://", nullptr, "No Web Site has been set."},
        {"HTTP://", nullptr, "No Web Site has been set."},
        {"http://www.idsoftware.com", "http://www.idsoftware.com", nullptr},
        {"www.apogee.com", "http://www.apogee.com", nullptr},
        {"C:\\WINDOWS\\format.com", nullptr, "Could not open the web site:\nC:\\WINDOWS\\format.com"},
    };
    for (const Case& c : cases) {
        ui.Clear();
        SetField(game.record.webSite, c.web);
        bar.Bar().SetSelFolder(1);
        ClickItem(1, 1);
        auto opened = ui.Calls(UiCall::Execute);
        auto messages = ui.Messages();
        if (c.opened) {
            ASSERT_EQ(opened.size(), 1u) << c.web;
            EXPECT_EQ(opened[0].text, c.opened);
            EXPECT_EQ(opened[0].caption, "open");
            EXPECT_TRUE(messages.empty());
        } else {
            EXPECT_TRUE(opened.empty()) << c.web;
            ASSERT_EQ(messages.size(), 1u) << c.web;
            EXPECT_EQ(messages[0].text, c.message);
        }
    }
    // An unset site shows where to set it.
    ui.Clear();
    SetField(game.record.webSite, "http://");
    ClickItem(1, 1);
    EXPECT_EQ(ui.Messages()[0].caption, "Cannot load WebSite");
    EXPECT_EQ(bar.Bar().GetSelFolder(), 0);
    EXPECT_EQ(TreeSelection(), bar.ValueItem(DetailsBar::kWebSite));
    // Without a selected row the links do nothing.
    ui.Clear();
    selectedTitle.clear();
    ClickItem(1, 1);
    ClickItem(1, 0);
    EXPECT_TRUE(ui.calls.empty());
}

TEST_F(DetailsBarTest, RenamingKeepsTheFileName) {
    bar.ShowGame(&game);
    const std::string path = game.path;
    Type("Keen: Goodbye, Galaxy!");
    bar.EditField(DetailsBar::kTitle);
    ASSERT_EQ(ui.Calls(UiCall::Modal).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Modal)[0].dialogId, IDD_TEXTINPUT);
    EXPECT_EQ(game.path, path);
    EXPECT_EQ(FieldText(Stored().title), "Keen: Goodbye, Galaxy!");
    EXPECT_EQ(bar.ValueText(DetailsBar::kTitle), "Keen: Goodbye, Galaxy!");
    EXPECT_EQ(win::WindowText(host.Handle()), "Keen: Goodbye, Galaxy!");
    EXPECT_EQ(refreshed, 1);

    Type("id Software");
    bar.EditField(DetailsBar::kPublisher);
    EXPECT_EQ(FieldText(Stored().publisher), "id Software");
    EXPECT_EQ(win::WindowText(host.Handle()), "Keen: Goodbye, Galaxy!") << "no caption change";
}

TEST_F(DetailsBarTest, HeadersSizesAndOutOfRangeOptionsDoNothing) {
    const std::vector<char> before = ReadFileBytes(game.path);
    for (int code : {255, 97, 113, 1, 200}) bar.EditField(code);
    game.record.options = 4;
    bar.EditField(DetailsBar::kVdmSound);
    bar.EditField(DetailsBar::kWin95);
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(ReadFileBytes(game.path), before);
    EXPECT_EQ(game.record.options, 4);

    game.record.options = 1;
    bar.EditField(DetailsBar::kWin95);
    EXPECT_EQ(Stored().options, 3);
    EXPECT_EQ(bar.ValueText(DetailsBar::kWin95), "Yes");
    bar.EditField(DetailsBar::kVdmSound);
    EXPECT_EQ(Stored().options, 2);
    EXPECT_EQ(bar.ValueText(DetailsBar::kVdmSound), "No");
}

TEST_F(DetailsBarTest, FailedSaveTellsTheUserAndKeepsTheOldValue) {
    bar.ShowGame(&game);
    game.path = folder + "\\Gone\\Commander Keen.qgf";  // its folder has vanished
    Type("Sierra On-Line");
    bar.EditField(DetailsBar::kPublisher);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_NE(ui.Messages()[0].text.find("not stored"), std::string::npos);
    EXPECT_EQ(FieldText(game.record.publisher), "Apogee");
    EXPECT_EQ(bar.ValueText(DetailsBar::kPublisher), "Apogee");
    EXPECT_EQ(refreshed, 0);

    ui.Clear();
    bar.EditField(DetailsBar::kWin95);
    EXPECT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(game.record.options, 1);
    EXPECT_EQ(bar.ValueText(DetailsBar::kWin95), "No");
}

TEST_F(DetailsBarTest, FileFieldsTakeTheNameAndTheSize) {
    WriteFileBytes(folder + "\\KEEN\\keen4e.exe", std::vector<char>(321, 'x'));
    ui.fileAnswers.push_back(folder + "\\KEEN\\keen4e.exe");
    bar.EditField(DetailsBar::kProgram);
    auto asked = ui.Calls(UiCall::File);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "Please select the executable...");
    EXPECT_EQ(asked[0].params, folder + "\\KEEN") << "starts in the game's Path";
    EXPECT_EQ(FieldText(Stored().programName), "keen4e.exe");
    EXPECT_EQ(Stored().programSize, 321u);
    EXPECT_EQ(bar.ValueText(DetailsBar::kProgram), "keen4e.exe");
    EXPECT_EQ(bar.ValueText(DetailsBar::kProgramSize), "321");

    ui.fileAnswers.push_back(folder + "\\KEEN\\keen4e.exe");
    bar.EditField(DetailsBar::kCommand);
    EXPECT_EQ(FieldText(Stored().command), "keen4e.exe");
    EXPECT_EQ(FieldText(Stored().path), folder + "\\KEEN");

    ui.fileAnswers.push_back(std::string("C:\\readme.txt"));
    SetField(game.record.path, "Q:\\nowhere");
    bar.EditField(DetailsBar::kDocument);
    EXPECT_EQ(ui.Calls(UiCall::File).back().params, "C:\\") << "a missing Path starts in C:\\";
    EXPECT_EQ(FieldText(Stored().document), "readme.txt");
}

TEST_F(DetailsBarTest, PictureIsEmbeddedAndLaterSavesKeepIt) {
    const std::vector<char> bmp = MakeBmp(8, 8, 0, 200, 0);
    WriteFileBytes(folder + "\\new.bmp", bmp);
    ui.fileAnswers.push_back(folder + "\\new.bmp");
    bar.EditField(DetailsBar::kPicture);
    EXPECT_EQ(ui.Calls(UiCall::File)[0].params, folder + "\\Images");
    EXPECT_EQ(bar.ValueText(DetailsBar::kPicture), "Embedded");
    Type("Apogee Software");
    bar.EditField(DetailsBar::kPublisher);
    const std::vector<char> bytes = ReadFileBytes(game.path);
    ASSERT_EQ(bytes.size(), kGameRecordSize + bmp.size()) << "the save after the embed keeps the picture";
    EXPECT_EQ(std::vector<char>(bytes.begin() + kGameRecordSize, bytes.end()), bmp);
    EXPECT_EQ(Stored().pictureSize, bmp.size());
}

TEST_F(DetailsBarTest, CommentAndDoubleClickGoThroughTheBar) {
    ui.modalScripts.push_back([](win::Dialog& d, HWND) -> INT_PTR {
        static_cast<CommentDialog&>(d).comment = "Two\r\nlines";
        return IDOK;
    });
    ClickItem(2, 0);
    EXPECT_EQ(FieldText(Stored().comment), "Two\r\nlines");
    EXPECT_EQ(bar.Bar().GetSelFolder(), 2);
    EXPECT_EQ(bar.Bar().GetItemText(0), "Two\r\nlines");

    // A double click in the tree reaches the bar's owner as code 6.
    bar.Bar().SetSelFolder(0);
    SendMessageA(bar.Tree(), TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(bar.ValueItem(DetailsBar::kCategory)));
    Type("Puzzle");
    NMHDR hdr{bar.Tree(), 1010, static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(bar.Bar().Handle(), WM_NOTIFY, 1010, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(FieldText(Stored().category), "Puzzle");
    EXPECT_EQ(bar.OnBarNotify(CGfxOutBarCtrl::kItemDragged, 0), 1) << "items may be dragged";
}

std::string LinkTarget(const std::string& link) {
    std::string target;
    CoInitialize(nullptr);
    IShellLinkA* shell = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shell))) &&
        SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
        char path[MAX_PATH] = "";
        if (SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(shell->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
    }
    if (file) file->Release();
    if (shell) shell->Release();
    CoUninitialize();
    return target;
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::string(fd.cFileName) != "." && std::string(fd.cFileName) != "..") names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

TEST_F(DetailsBarTest, ShortcutIsTheTitlePlusQgfLnkAndOpensTheGame) {
    ClickItem(1, 0);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Created Desktop Shortcut");
    EXPECT_EQ(ui.Messages()[0].caption, "Commander Keen");
    EXPECT_EQ(FilesIn(folder + "\\Desktop"), std::vector<std::string>{"Commander Keen.qgf.lnk"});
    EXPECT_EQ(_stricmp(LinkTarget(folder + "\\Desktop\\Commander Keen.qgf.lnk").c_str(), game.path.c_str()), 0)
        << LinkTarget(folder + "\\Desktop\\Commander Keen.qgf.lnk");
}

TEST_F(DetailsBarTest, HostileTitleStaysOnTheDesktop) {
    selectedTitle = "..\\..\\Games\\x:*?\"<>|/\x07";
    ClickItem(1, 0);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Created Desktop Shortcut");
    EXPECT_EQ(FilesIn(folder + "\\Desktop"), std::vector<std::string>{".._.._Games_x_________.qgf.lnk"});
    EXPECT_EQ(FilesIn(folder + "\\Games").size(), 1u) << "nothing beside the game file";

    const std::pair<const char*, const char*> names[] = {
        {"Star Maze", "Star Maze.qgf.lnk"}, {"CON", "_CON.qgf.lnk"}, {"lpt1", "_lpt1.qgf.lnk"},
        {"COM10", "COM10.qgf.lnk"},         {"", "_.qgf.lnk"},       {"a\tb", "a_b.qgf.lnk"},
        {"Caf\xE9", "Caf\xE9.qgf.lnk"},
    };
    for (auto [title, name] : names) EXPECT_EQ(ShortcutFileName(title), name) << title;
}

TEST_F(DetailsBarTest, DocsButton) {
    // A missing Path: the user is sent to it.
    SetField(game.record.path, (folder + "\\Moved").c_str());
    bar.OpenDocument();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "The game path is invalid.\nPlease locate the game first.");
    EXPECT_EQ(TreeSelection(), bar.ValueItem(DetailsBar::kPath));

    // An empty Document is asked for, stored and opened.
    ui.Clear();
    SetField(game.record.path, (folder + "\\KEEN").c_str());
    WriteFileText(folder + "\\KEEN\\KEEN.TXT", "help");
    bar.OpenDocument();  // cancelled
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty());
    ui.fileAnswers.push_back(folder + "\\KEEN\\KEEN.TXT");
    bar.OpenDocument();
    EXPECT_EQ(FieldText(Stored().document), "KEEN.TXT");
    EXPECT_EQ(refreshed, 1);
    ASSERT_EQ(ui.Calls(UiCall::Execute).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Execute)[0].text, folder + "\\KEEN\\KEEN.TXT");

    // A document that is not there.
    ui.Clear();
    SetField(game.record.document, "MANUAL.DOC");
    bar.OpenDocument();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "The document " + folder + "\\KEEN\\MANUAL.DOC\ncould not be found.");
    EXPECT_TRUE(ui.Calls(UiCall::Execute).empty());

    // The shell failing to open it.
    ui.Clear();
    SetField(game.record.document, "KEEN.TXT");
    ui.shellResults.push_back(2);
    bar.OpenDocument();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONSTOP));
    EXPECT_EQ(TreeSelection(), bar.ValueItem(DetailsBar::kDocument));
}

}  // namespace

namespace {

// What the screen shows: the open folder's header pressed into place, and the
// other headers where they belong, also in the middle of a slide. With
// QL_SHOT_DIR set, the pictures are also written there.
TEST_F(DetailsBarTest, ScreenShowsEachFolderAndTheSlide) {
    const char* dir = std::getenv("QL_SHOT_DIR");
    SetWindowPos(host.Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    bar.ShowGame(&game);
    HWND h = bar.Bar().Handle();
    RECT c;
    GetClientRect(h, &c);
    const COLORREF face = GetSysColor(COLOR_3DFACE), background = RGB(32, 32, 64);
    struct Case {
        int folder;
        int headerRows[3];
        int itemRow;  // a row of the item area, left edge
    } cases[] = {
        {0, {10, c.bottom - 33, c.bottom - 11}, -1},
        {1, {10, 32, c.bottom - 11}, c.bottom - 30},
        {2, {10, 32, 54}, c.bottom - 8},
    };
    bar.Bar().animationDelay = -1;  // the paint alone, not the last frame of a slide
    for (const Case& k : cases) {
        bar.Bar().SetSelFolder(k.folder);
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpMessages();
        for (int y : k.headerRows) EXPECT_EQ(ScreenPixel(h, {3, y}), face) << "folder " << k.folder << " row " << y;
        if (k.itemRow >= 0) {
            EXPECT_EQ(ScreenPixel(h, {3, k.itemRow}), background) << "folder " << k.folder;
        }
        if (dir) SaveWindowPicture(host.Handle(), Format("%s\\folder%d.bmp", dir, k.folder));
    }
    // Folder 2 is open: hovering the Links header raises its lower edge, and
    // hovering the comment item frames its icon.
    const int linksBottom = 2 * 22 - 2;
    const COLORREF frame = GetSysColor(COLOR_BACKGROUND), dark = GetSysColor(COLOR_3DDKSHADOW);
    EXPECT_EQ(ScreenPixel(h, {3, linksBottom}), frame);
    PostMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(40, 32));
    PumpMessages();
    EXPECT_EQ(ScreenPixel(h, {3, linksBottom}), dark);
    HDC dc = GetDC(h);
    RECT icon = outbar::IconRect(dc, bar.Bar().State(), c, 0);
    ReleaseDC(h, dc);
    PostMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM((icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2));
    PumpMessages();
    EXPECT_EQ(ScreenPixel(h, {3, linksBottom}), frame) << "the header is no longer hot";
    EXPECT_EQ(ScreenPixel(h, {icon.right, icon.bottom}), dark) << "raised frame around the icon";
    if (dir) SaveWindowPicture(host.Handle(), Format("%s\\hover.bmp", dir));

    int frames = 0;
    COLORREF midway = 0;
    bar.Bar().onSlideFrame = [&](int frame) {
        ++frames;
        if (frame != 4) return;
        midway = ScreenPixel(h, {3, c.bottom - 44 - 22 * 4 + 11});  // folder 1's rising header
        if (dir) SaveWindowPicture(host.Handle(), Format("%s\\slide.bmp", dir));
    };
    bar.Bar().SetSelFolder(0);
    bar.Bar().animationDelay = DetailsBar::kAnimationDelay;
    bar.Bar().SetSelFolder(1);
    EXPECT_GT(frames, 4);
    EXPECT_EQ(midway, face);
}

}  // namespace
