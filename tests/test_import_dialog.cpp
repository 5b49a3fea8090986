// The Loader.ini import, other launchers' libraries and the INI-style add, in-process and from the main window.
#include "CatalogueTools.h"
#include "DialogProbe.h"
#include "ImportSamples.h"
#include "MainWindowFixture.h"
#include "data/GameExtras.h"
#include "data/GameFile.h"
#include "dialogs/ImportDialog.h"
#include "dialogs/ImportGamesDialog.h"
#include "dialogs/IniStyleAddDialog.h"
#include "dialogs/PictureMessages.h"
#include "res/ImportDialogRes.h"
#include "res/ImportGamesDialogRes.h"
#include "res/IniStyleAddDialogRes.h"
#include <functional>

namespace {

// A double click on a row, with the mouse where the list sees it.
void DoubleClickRow(const win::ListView& list, int row) {
    RECT r{};
    ListView_GetItemRect(list.Handle(), row, &r, LVIR_LABEL);
    POINT p{r.left + 4, (r.top + r.bottom) / 2}, screen = p;
    ClientToScreen(list.Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageA(list.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    PumpMessages();
}
void PressSpace(HWND list) {
    SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(list, WM_KEYUP, VK_SPACE, 0);
}
std::vector<int> Images(const win::ListView& list) {
    std::vector<int> images;
    for (int row = 0; row < list.Count(); ++row) images.push_back(list.Image(row));
    return images;
}

class ImportDialogTest : public DialogTest<ImportDialog> {
protected:
    void SetUp() override {
        for (const char* sub : {"\\Games", "\\Images"}) CreateDirectoryA((folder + sub).c_str(), nullptr);
    }
    void Open(ImportMode mode, const std::string& text) {
        WriteFileText(loaderIni, text);
        ASSERT_TRUE(DialogTest::Open(folder, mode));
        list.Attach(Item(IDC_IMPORT_LIST));
        if (mode == ImportMode::Menu) Set(IDC_IMPORT_PATH, loaderIni);
    }
    Strings Counts() const { return {Get(IDC_IMPORT_FOUND), Get(IDC_IMPORT_DUPLICATES), Get(IDC_IMPORT_SELECTED)}; }
    int Image(const std::string& text) const { return list.Image(list.Find(text)); }
    GameRecord Game(const std::string& name) const { return GameAt(GameFilePath(folder, name)); }
    const std::string loaderIni = folder + "\\Loader.ini";
    win::ListView list;
};

TEST_F(ImportDialogTest, LoadsTheSectionsMarkedAndCountsDuplicatesAndUnreadOnes) {
    Open(ImportMode::Menu, "[Keen]\r\n[Doom]\r\n[keen]\r\n[DOOM]\r\n[Zork]\r\n");
    EXPECT_EQ(Counts(), (Strings{"5", "2", "5"})) << "duplicates differ only in case";
    EXPECT_TRUE(Enabled(IDC_IMPORT_CONVERT));
    Set(IDC_IMPORT_PATH, folder + "\\missing.ini");
    EXPECT_EQ(std::make_tuple(list.Count(), Counts(), Enabled(IDC_IMPORT_CONVERT)),
              std::make_tuple(0, Strings{"0", "0", "0"}, false));
    ui.fileAnswers.push_back(loaderIni);  // the browse button's choice loads
    Click(IDC_IMPORT_BROWSE);
    EXPECT_EQ(Get(IDC_IMPORT_FOUND), "5");
    EXPECT_EQ(ui.Calls(UiCall::File).at(0).params, folder);
    // Sections past the first 260 are counted, not read; a file gone before Convert is told.
    std::string text;
    for (int i = 0; i < 300; ++i) text += "[Game " + std::to_string(i) + "]\r\n";
    Open(ImportMode::Menu, text);
    EXPECT_EQ(Get(IDC_IMPORT_FOUND), "260");
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "40 more sections could not be read.");
    Click(IDC_IMPORT_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "Converted: 260.  Failed: 0.  Already exists: 0.  Not read: 40");
    Click(IDC_IMPORT_CONVERT);  // Reset
    DeleteFileA(loaderIni.c_str());
    Click(IDC_IMPORT_CONVERT);
    ExpectOneMessage(ui, "Could not initialize the INI file!", "Error");
    EXPECT_EQ(Get(IDC_IMPORT_CONVERT), "Convert");
}

TEST_F(ImportDialogTest, DoubleClickAndSpaceToggleTheMarkAndTheMenuNeverRenames) {
    Open(ImportMode::Menu, "[Alpha]\r\n[Beta]\r\n[Gamma]\r\n");
    DoubleClickRow(list, list.Find("Beta"));
    EXPECT_EQ(std::make_tuple(Image("Beta"), Get(IDC_IMPORT_SELECTED)), std::make_tuple(ImportDialog::kUnmarked, "2"));
    list.Select(list.Find("Gamma"));
    PressSpace(list.Handle());
    EXPECT_EQ(std::make_tuple(Image("Gamma"), Get(IDC_IMPORT_SELECTED)), std::make_tuple(ImportDialog::kUnmarked, "1"));
    PressSpace(list.Handle());
    EXPECT_EQ(Image("Gamma"), ImportDialog::kMarked);
    Click(IDC_IMPORT_CONVERT);  // only the marked rows
    EXPECT_EQ(FilesBelow(folder), (Strings{"\\Games\\Alpha.qgf", "\\Games\\Gamma.qgf", "\\Loader.ini"}))
        << "the menu never renames";
    EXPECT_EQ(Get(IDC_IMPORT_SELECTED), "2") << "the rows marked for the conversion";
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "Converted: 2.  Failed: 0.  Already exists: 0");
    EXPECT_FALSE(dialog->Ended());
}

TEST_F(ImportDialogTest, ConvertsThenResetsAndReportsExistingGames) {
    Open(ImportMode::Menu, "[Quest: The *Best*]\r\n[Keen]\r\n[CON]\r\n[..]\r\n");
    Click(IDC_IMPORT_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "Converted: 2.  Failed: 2.  Already exists: 0");
    EXPECT_EQ(Get(IDC_IMPORT_CONVERT), "Reset");
    HWND bar = Item(IDC_IMPORT_PROGRESS);
    EXPECT_EQ(std::make_pair(SendMessageA(bar, PBM_GETPOS, 0, 0), SendMessageA(bar, PBM_GETRANGE, FALSE, 0)),
              std::make_pair(LRESULT{4}, LRESULT{4}))
        << "one step per row, up to the last";
    EXPECT_EQ(std::make_pair(Image("Keen"), Image("CON")),
              std::make_pair(+ImportDialog::kConverted, +ImportDialog::kNotConverted));
    EXPECT_STREQ(Game("Quest- The -Best-").title, "Quest: The *Best*");
    EXPECT_EQ(FilesBelow(folder + "\\Games"), (Strings{"\\Keen.qgf", "\\Quest- The -Best-.qgf"}));
    Click(IDC_IMPORT_CONVERT);  // Reset: everything marked again
    EXPECT_EQ(Get(IDC_IMPORT_CONVERT), "Convert");
    EXPECT_EQ(Images(list), std::vector<int>(4, ImportDialog::kMarked));
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
    Click(IDC_IMPORT_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "Converted: 0.  Failed: 2.  Already exists: 2");
    EXPECT_EQ(Image("Keen"), ImportDialog::kNotConverted);
    WriteFileText(loaderIni, "[Keen]\r\nPublisher=Apogee\r\n");
    CheckDlgButton(dialog->Handle(), IDC_IMPORT_OVERWRITE, BST_CHECKED);
    Click(IDC_IMPORT_CONVERT);
    Click(IDC_IMPORT_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "Converted: 1.  Failed: 0.  Already exists: 0");
    EXPECT_STREQ(Game("Keen").publisher, "Apogee");
    EXPECT_TRUE(ui.Messages().empty());
}

// With Overwrite on, a name that is the short name of another game's file is named and left.
TEST_F(ImportDialogTest, ShortNamesOfOtherGamesAndPicturesNotTakenAreNamed) {
    const std::string deluxe = GameFilePath(folder, "Keen Dreams Deluxe");
    WriteGame(deluxe, MakeGame("Keen Dreams Deluxe"));
    const std::vector<char> kept = ReadFileBytes(deluxe);
    const std::string alias = ShortBaseName(deluxe);
    ASSERT_FALSE(alias.empty());
    WriteFileBytes(folder + "\\secret.bmp", MakeBmp(4, 4, 1, 2, 3));
    Open(ImportMode::Menu,
         "[" + alias + "]\r\nPublisher=Evil\r\n[Doom]\r\nPicture=..\\secret.bmp\r\n[Wolf]\r\nPicture=COM1\r\n");
    CheckDlgButton(dialog->Handle(), IDC_IMPORT_OVERWRITE, BST_CHECKED);
    Click(IDC_IMPORT_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "Converted: 2.  Failed: 0.  Already exists: 1");
    EXPECT_EQ(Image(alias), ImportDialog::kNotConverted);
    EXPECT_EQ(ReadFileBytes(deluxe), kept);
    EXPECT_EQ(Game("Doom").pictureSize, 0u);
    ExpectOneMessage(ui,
                     "These games were converted without their picture:\n"
                     "Doom: its Picture value leads outside the Images folder.\n"
                     "Wolf: its Picture value names a device.\n\nThese games were not converted: their name is the "
                     "short name of another game file, which was kept as it is:\n" +
                         alias + " (Keen Dreams Deluxe.qgf)",
                     "Import Loader.ini");
    const std::vector<GameNote> many(25, GameNote{"X", {SectionOutcome::Converted, PictureNote::TooLarge, ""}});
    std::string listed;
    for (int i = 0; i < 20; ++i) listed += "X: the picture file is larger than 4 MiB.\n";
    EXPECT_EQ(ConversionNotesText(many),
              "These games were converted without their picture:\n" + listed + "... and 5 more.");
}

TEST_F(ImportDialogTest, StartupModeRenamesEvenWhenRowsFailAndCloses) {
    Open(ImportMode::Startup, "[Keen]\r\n[NUL]\r\n");
    EXPECT_EQ(Get(IDC_IMPORT_PATH), loaderIni);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_IMPORT_PATH)) || IsWindowEnabled(Item(IDC_IMPORT_BROWSE)));
    Click(IDC_IMPORT_CONVERT);
    EXPECT_TRUE(dialog->Ended() && dialog->renamed && dialog->failed == 1);
    EXPECT_EQ(FilesBelow(folder), (Strings{"\\Games\\Keen.qgf", "\\Loader07.ini"}));
    ExpectOneMessage(ui, "Loader.ini has been renamed to loader07.ini.", "Completed");
    ui.Clear();  // again, with a Loader07.ini in the way
    Open(ImportMode::Startup, "[Keen]\r\n");
    Click(IDC_IMPORT_CONVERT);
    EXPECT_TRUE(dialog->Ended() && !dialog->renamed && FileExists(loaderIni));
    ExpectOneMessage(ui, "Failed to rename the loader.ini file!\n'Loader07.ini' may already exist!", "Problem...");
}

// Keen 4 with a Sound Blaster Pro 2 at IRQ 5, Doom with lines not understood or kept, one that starts nothing.
class ImportGamesTest : public DialogTest<ImportGamesDialog> {
protected:
    void SetUp() override {
        for (const std::string& sub : {folder + "\\Games", library, games, games + "\\KEEN", games + "\\DOOM"})
            CreateDirectoryA(sub.c_str(), nullptr);
        WriteFileText(games + "\\KEEN\\KEEN4E.EXE", "MZ");
        WriteFileText(games + "\\DOOM\\DOOM.EXE", "MZ");
        WriteFileText(library + "\\Keen 4.conf", "[sblaster]\r\nsbtype=sbpro2\r\nirq=5\r\n[autoexec]\r\nmount c \"" +
                                                     games + "\\KEEN\"\r\nc:\r\nKEEN4E.EXE /nowait\r\n");
        WriteFileText(library + "\\Doom.conf", "[ne2000]\r\nnicirq=10\r\n[autoexec]\r\nmount c \"" + games +
                                                   "\"\r\nc:\r\nkeyb gr\r\ncd DOOM\r\nDOOM.EXE\r\n");
        WriteFileText(library + "\\broken.conf", "[autoexec]\r\nexit\r\n");
        WriteFileText(library + "\\readme.txt", "not a configuration");
    }
    void Open() {
        ASSERT_TRUE(DialogTest::Open(folder));
        list.Attach(Item(IDC_IMPORTGAMES_LIST));
    }
    void List(LibraryKind kind, const std::string& path) {
        SendMessageA(Item(IDC_IMPORTGAMES_KIND), CB_SETCURSEL, static_cast<WPARAM>(kind), 0);
        Set(IDC_IMPORTGAMES_PATH, path);
        Click(IDC_IMPORTGAMES_READ);
    }
    Strings Counts() const {
        return {Get(IDC_IMPORTGAMES_FOUND), Get(IDC_IMPORTGAMES_DUPLICATES), Get(IDC_IMPORTGAMES_SELECTED)};
    }
    Strings Rows() const {  // title | columns | image
        Strings rows;
        for (int row = 0; row < list.Count(); ++row)
            rows.push_back(list.Text(row, 0) + " | " + list.Text(row, 1) + " | " + list.Text(row, 2) + " | " +
                           std::to_string(list.Image(row)));
        return rows;
    }
    void Kind(int kind) {  // a new kind reads the path again
        SendMessageA(Item(IDC_IMPORTGAMES_KIND), CB_SETCURSEL, kind, 0);
        SendMessageA(dialog->Handle(), WM_COMMAND, MAKEWPARAM(IDC_IMPORTGAMES_KIND, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(IDC_IMPORTGAMES_KIND)));
    }
    const std::string library = folder + "\\Library", games = folder + "\\DOS";
    win::ListView list;
};

TEST_F(ImportGamesTest, ConfigurationsAreListedMarkedConvertedAndSummarised) {
    Open();
    EXPECT_FALSE(Enabled(IDC_IMPORTGAMES_CONVERT) || Enabled(IDC_IMPORTGAMES_DOSROOT));
    List(LibraryKind::DosBoxConfs, library);
    EXPECT_EQ(Counts(), (Strings{"3", "0", "3"}));
    EXPECT_EQ(Rows(), (Strings{"broken |  | broken.conf | 3", "Doom | " + games + "\\DOOM\\DOOM.EXE | Doom.conf | 3",
                               "Keen 4 | " + games + "\\KEEN\\KEEN4E.EXE | Keen 4.conf | 3"}));
    list.Select(list.Find("Doom"));
    PressSpace(list.Handle());
    EXPECT_EQ(Get(IDC_IMPORTGAMES_SELECTED), "2");
    Click(IDC_IMPORTGAMES_NONE);
    EXPECT_EQ(Get(IDC_IMPORTGAMES_SELECTED), "0");
    Click(IDC_IMPORTGAMES_ALL);
    DoubleClickRow(list, list.Find("Doom"));
    Click(IDC_IMPORTGAMES_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORTGAMES_STATUS), "Converted: 1.  Failed: 1.  Already exists: 0");
    EXPECT_EQ(Images(list), (std::vector<int>{ImportGamesDialog::kNotConverted, ImportGamesDialog::kUnmarked,
                                              ImportGamesDialog::kConverted}));
    EXPECT_EQ(FilesBelow(folder + "\\Games"), Strings{"\\Keen 4.qgf"});
    const GameRecord keen = GameAt(GameFilePath(folder, "Keen 4"));
    EXPECT_EQ((Strings{keen.soundNames[0], keen.setup, keen.customParam}),
              (Strings{"Sound Blaster Pro 2", "(Parameters)", "/nowait"}));
    EXPECT_EQ(ReadGameExtras(keen).extras.extraLines, Strings{"sblaster.irq=5"});
    EXPECT_EQ(Get(IDC_IMPORTGAMES_SUMMARY).substr(0, 71),
              "Converted: 1.  Failed: 1.  Already exists: 0\r\n\r\nbroken (not converted):");
    Click(IDC_IMPORTGAMES_CONVERT);  // Reset: read again, every game marked
    EXPECT_EQ(Get(IDC_IMPORTGAMES_CONVERT), "Convert");
    EXPECT_EQ(Images(list), std::vector<int>(3, ImportGamesDialog::kMarked));
    Click(IDC_IMPORTGAMES_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORTGAMES_STATUS), "Converted: 1.  Failed: 1.  Already exists: 1");
    Click(IDC_IMPORTGAMES_CONVERT);
    CheckDlgButton(dialog->Handle(), IDC_IMPORTGAMES_OVERWRITE, BST_CHECKED);
    Click(IDC_IMPORTGAMES_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORTGAMES_STATUS), "Converted: 2.  Failed: 1.  Already exists: 0");
}

// D-Fend Reloaded, a DBGL export with its games folder, the browse buttons, empty sources.
TEST_F(ImportGamesTest, EverySourceKindIsReadFromWhereThePlayerPointsIt) {
    const std::string data = folder + "\\DFend";
    for (const std::string& sub : {data, data + "\\Confs"}) CreateDirectoryA(sub.c_str(), nullptr);
    WriteFileText(data + "\\Confs\\Keen.prof", "[Extra]\nExe=" + games + "\\KEEN\\KEEN4E.EXE\n0=" + games +
                                                   "\\KEEN;Drive;C;False;;\n[ExtraInfo]\nName=Keen: Goodbye*\n");
    WriteFileText(data + "\\Confs\\A.prof", "[ExtraInfo]\nName=Zork\n");
    WriteFileText(data + "\\Confs\\B.prof", "[ExtraInfo]\nName=zork\n");
    const std::string zip = folder + "\\export.zip";
    WriteFileBytes(zip, MakeZip({StoredItem("profiles.xml", "<document><profile><title>Second</title><game-dir><raw>"
                                                            "GAMES\\SECOND</raw></game-dir></profile></document>")}));
    Open();
    Set(IDC_IMPORTGAMES_PATH, data);
    Kind(1);
    EXPECT_EQ(Rows(), (Strings{"Keen: Goodbye* | " + games + "\\KEEN\\KEEN4E.EXE | Keen.prof | 3",
                               "Zork |  | A.prof | 3", "zork |  | B.prof | 3"}));
    EXPECT_EQ(Counts(), (Strings{"3", "1", "3"}));
    Click(IDC_IMPORTGAMES_CONVERT);
    EXPECT_EQ(Images(list), (std::vector<int>{ImportGamesDialog::kConverted, ImportGamesDialog::kNotConverted,
                                              ImportGamesDialog::kNotConverted}));
    EXPECT_STREQ(GameAt(GameFilePath(folder, "Keen- Goodbye-")).title, "Keen: Goodbye*");
    ui.fileAnswers.push_back(zip);
    ui.folderAnswers.push_back("D:\\dosroot");
    Kind(2);
    EXPECT_TRUE(Enabled(IDC_IMPORTGAMES_DOSROOT));
    Click(IDC_IMPORTGAMES_FILE);
    Click(IDC_IMPORTGAMES_FOLDER);  // with an export: DBGL's games folder
    EXPECT_EQ(ui.Calls(UiCall::File).at(0).params, data);
    EXPECT_EQ((Strings{Get(IDC_IMPORTGAMES_PATH), Get(IDC_IMPORTGAMES_DOSROOT)}), (Strings{zip, "D:\\dosroot"}));
    EXPECT_EQ(Rows(), Strings{"Second | D:\\dosroot\\GAMES\\SECOND | export.zip | 3"});
    const std::pair<LibraryKind, std::string> nothing[] = {{LibraryKind::DosBoxConfs, folder + "\\missing"},
                                                           {LibraryKind::DFendReloaded, games},
                                                           {LibraryKind::DbglExport, library + "\\Doom.conf"}};
    const Strings said = {"There is no such file or folder.", "No games to import there.",
                          "The export is damaged: its list of games cannot be read."};
    for (size_t i = 0; i < 3; ++i) {
        List(nothing[i].first, nothing[i].second);
        EXPECT_EQ(std::make_pair(list.Count(), Get(IDC_IMPORTGAMES_SUMMARY)), std::make_pair(0, said[i]));
        EXPECT_FALSE(Enabled(IDC_IMPORTGAMES_CONVERT));
    }
}

class IniStyleDialogTest : public DialogTest<IniStyleAddDialog> {
protected:
    void SetUp() override { CreateDirectoryA((folder + "\\Games").c_str(), nullptr); }
    void Open() { ASSERT_TRUE(DialogTest::Open(folder, list)); }
    void Add(const std::string& text) {
        Set(IDC_INISTYLE_TEXT, text);
        Click(IDC_INISTYLE_ADD);
    }
    GameRecord Game(const std::string& name) const { return GameAt(GameFilePath(folder, name)); }
    ListRecorder list;
};

TEST_F(IniStyleDialogTest, OpensWithTheTemplateAndReportsWhatItCannotAdd) {
    Open();
    EXPECT_EQ(Get(IDC_INISTYLE_TEXT), IniStyleAddDialog::kEntryTemplate);
    EXPECT_EQ(Get(IDC_INISTYLE_IMAGES), folder) << "no Images folder: the program folder";
    CreateDirectoryA((folder + "\\Images").c_str(), nullptr);
    Open();
    EXPECT_EQ(Get(IDC_INISTYLE_IMAGES), folder + "\\Images");
    ui.folderAnswers.push_back(folder + "\\Pics");
    Click(IDC_INISTYLE_SETFOLDER);
    EXPECT_EQ(Get(IDC_INISTYLE_IMAGES), folder + "\\Pics");
    // Text without sections and a temporary file that cannot be written are reported.
    ui.Clear();
    Add("Publisher=Nobody\r\nPath=C:\\\r\n");
    ExpectOneMessage(ui, "Ini file contains no game entries!", "Could not init the INI file");
    EXPECT_TRUE(list.added.empty());
    EXPECT_FALSE(FileExists(dialog->TempFilePath()));
    CreateDirectoryA(dialog->TempFilePath().c_str(), nullptr);
    Add("[Keen]\r\n");
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[1].text, "Could not create temporary file\n" + dialog->TempFilePath() + "!");
    EXPECT_EQ(list.cleared, 1);
}

TEST_F(IniStyleDialogTest, OneAddMakesSeveralGamesWithPicturesFromTheChosenFolder) {
    CreateDirectoryA((folder + "\\Pics").c_str(), nullptr);
    const std::vector<char> bmp = MakeBmp(3, 3, 0, 255, 0);
    WriteFileBytes(folder + "\\Pics\\keen.bmp", bmp);
    WriteGame(GameFilePath(folder, "Old"), MakeGame("Old", "Untouched"));
    WriteGame(GameFilePath(folder, "Keen Dreams Deluxe"), MakeGame("Deluxe"));
    const std::string alias = ShortBaseName(GameFilePath(folder, "Keen Dreams Deluxe"));
    ASSERT_FALSE(alias.empty());
    Open();
    Set(IDC_INISTYLE_IMAGES, folder + "\\Pics");
    std::string typed = IniStyleAddDialog::kEntryTemplate;
    typed.replace(1, 2, "Keen");
    typed.replace(typed.find("Picture=") + 8, 0, "keen.bmp");
    Add(typed + "[Old]\r\nPublisher=Changed\r\n[Doom]\r\nVDMSound=0\r\n[" + alias + "]\r\n");
    EXPECT_EQ(list.cleared, 1);
    EXPECT_EQ(list.added, (std::vector<std::string>{"Keen.qgf", "Doom.qgf"}));
    EXPECT_EQ(Game("Keen").pictureSize, bmp.size()) << "from the folder the dialog names";
    EXPECT_STREQ(Game("Old").publisher, "Untouched");
    EXPECT_STREQ(Game("Keen Dreams Deluxe").title, "Deluxe");
    // An existing game is not reported; the short name of another game's file is.
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_NE(ui.Messages()[0].text.find(":\n" + alias + " (Keen Dreams Deluxe.qgf)"), std::string::npos);
    EXPECT_EQ(ui.Messages()[0].caption, "Quillon Loader");
    EXPECT_EQ(Get(IDC_INISTYLE_TEXT), IniStyleAddDialog::kEntryTemplate);
    EXPECT_FALSE(FileExists(dialog->TempFilePath()));
}

class LoaderIniCommandsTest : public MainWindowFixture {
protected:
    // The next modal dialog is created and |act| works on it.
    void Script(std::function<void(HWND)> act) {
        ui.modalScripts.push_back([act](win::Dialog& dialog, HWND owner) -> INT_PTR {
            HWND h = dialog.Create(owner);
            if (!h) return IDCANCEL;
            act(h);
            return dialog.Result();
        });
    }
};

// (The import from the offer and the menu is the end-to-end test's.)
TEST_F(LoaderIniCommandsTest, StartupOfferAndTheIniStyleDialogClosedAnyWayRefillsTheList) {
    AddGame(MakeGame("Listed"));
    WriteFileText(folder + "\\Loader.ini", "[Keen]\r\n");
    Start();  // answered No
    EXPECT_EQ(ui.Messages().size(), 1u) << "the offer (its caption is the end-to-end test's)";
    EXPECT_TRUE(ui.Calls(UiCall::Modal).empty());
    for (int close : {IDCANCEL, IDOK}) {
        const std::string name = close == IDOK ? "Added On OK" : "Added On Escape";
        Script([name, close](HWND h) {
            SetDlgItemTextA(h, IDC_INISTYLE_TEXT, ("[" + name + "]\r\n").c_str());
            PressIn(h, IDC_INISTYLE_ADD);
            PressIn(h, close);
        });
        Command(IDM_ADDGAMESINI);
        EXPECT_NE(List().Find("Listed"), -1) << name;
        EXPECT_NE(List().Find(name), -1) << name;
    }
    EXPECT_EQ(List().Count(), 3);
    // Import games: what the dialog converted is listed once it closes.
    const std::string library = folder + "\\Library";
    CreateDirectoryA(library.c_str(), nullptr);
    WriteFileText(library + "\\Imported.conf", "[autoexec]\r\nmount c \"" + folder + "\"\r\nc:\r\nGAME.EXE\r\n");
    Script([library](HWND h) {
        SetDlgItemTextA(h, IDC_IMPORTGAMES_PATH, library.c_str());
        for (int button : {IDC_IMPORTGAMES_READ, IDC_IMPORTGAMES_CONVERT, IDOK}) PressIn(h, button);
    });
    Command(IDM_IMPORTGAMES);
    EXPECT_NE(List().Find("Imported"), -1);
}

}  // namespace
