// The INI-style add-games dialog, and the main window's ways into the old
// catalogue: the start-up offer, Import Loader.ini and the INI-style add.
#include "CatalogueTools.h"
#include "DialogItems.h"
#include "DialogProbe.h"
#include "MainWindowFixture.h"
#include "data/GameFile.h"
#include "dialogs/ImportDialog.h"
#include "dialogs/IniStyleAddDialog.h"
#include "res/ImportDialogRes.h"
#include "res/IniStyleAddDialogRes.h"
#include <functional>

namespace {

class IniStyleDialogTest : public ::testing::Test {
protected:
    void SetUp() override { CreateDirectoryA((folder + "\\Games").c_str(), nullptr); }
    void Open() {
        dialog = std::make_unique<IniStyleAddDialog>(folder, list);
        ASSERT_TRUE(dialog->Create(nullptr));
    }
    HWND Item(int id) const { return GetDlgItem(dialog->Handle(), id); }
    std::string Get(int id) const { return win::WindowText(Item(id), 4096); }
    void Add(const std::string& text) {
        SetWindowTextA(Item(IDC_INISTYLE_TEXT), text.c_str());
        Press(*dialog, IDC_INISTYLE_ADD);
    }
    GameRecord Game(const std::string& name) const {
        GameRecord g{};
        EXPECT_EQ(ReadGameRecord(GameFilePath(folder, name), g), GameFileStatus::Ok) << name;
        return g;
    }

    FakeUi ui;
    ListRecorder list;
    TempFolder temp{"inistyle"};
    const std::string folder = temp.path;
    std::unique_ptr<IniStyleAddDialog> dialog;
};

TEST_F(IniStyleDialogTest, OpensWithTheTemplateReadyForTheName) {
    Open();
    EXPECT_EQ(Get(IDC_INISTYLE_TEXT), IniStyleAddDialog::kEntryTemplate);
    DWORD start = 0, end = 0;
    SendMessageA(Item(IDC_INISTYLE_TEXT), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD{1}, DWORD{3}));
    EXPECT_EQ(Get(IDC_INISTYLE_IMAGES), folder) << "no Images folder: the program folder";

    CreateDirectoryA((folder + "\\Images").c_str(), nullptr);
    Open();
    EXPECT_EQ(Get(IDC_INISTYLE_IMAGES), folder + "\\Images");
    ui.folderAnswers.push_back(folder + "\\Pics");
    Press(*dialog, IDC_INISTYLE_SETFOLDER);
    EXPECT_EQ(Get(IDC_INISTYLE_IMAGES), folder + "\\Pics");
    EXPECT_EQ(ui.Calls(UiCall::Folder).at(0).text, "Select the images folder...");
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
    SetWindowTextA(Item(IDC_INISTYLE_IMAGES), (folder + "\\Pics").c_str());
    std::string typed = IniStyleAddDialog::kEntryTemplate;
    typed.replace(1, 2, "Keen");
    typed.replace(typed.find("Picture=") + 8, 0, "keen.bmp");
    Add(typed + "[Old]\r\nPublisher=Changed\r\n[Doom]\r\nVDMSound=0\r\n[" + alias + "]\r\n");

    EXPECT_EQ(list.cleared, 1);
    EXPECT_EQ(list.added, (std::vector<std::string>{"Keen.qgf", "Doom.qgf"}));
    EXPECT_EQ(dialog->added, 2);
    EXPECT_EQ(Game("Keen").pictureSize, bmp.size()) << "from the folder the dialog names";
    EXPECT_STREQ(Game("Old").publisher, "Untouched");
    EXPECT_STREQ(Game("Keen Dreams Deluxe").title, "Deluxe");
    // An existing game is not reported; the short name of another game's file is.
    ExpectOneMessage(ui,
                     "These games were not converted: their name is the short name of another game file, which was "
                     "kept as it is:\n" +
                         alias + " (Keen Dreams Deluxe.qgf)",
                     "Quillon Loader");
    EXPECT_EQ(Get(IDC_INISTYLE_TEXT), IniStyleAddDialog::kEntryTemplate);
    EXPECT_FALSE(FileExists(dialog->TempFilePath()));
}

TEST_F(IniStyleDialogTest, TextWithoutSectionsAndAnUnwritableTemporaryFileAreReported) {
    Open();
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

TEST_F(LoaderIniCommandsTest, StartupOffersTheImportOnlyWhenLoaderIniIsThere) {
    Start();
    EXPECT_TRUE(ui.Messages().empty());
    Discard();

    WriteFileText(folder + "\\Loader.ini", "[Keen]\r\n");
    Start();  // answered No
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(std::make_pair(ui.Messages()[0].caption, ui.Messages()[0].flags),
              std::make_pair(std::string("Found v0.7 Loader.ini file"), unsigned(MB_YESNO | MB_ICONQUESTION)));
    EXPECT_TRUE(ui.Calls(UiCall::Modal).empty());
    Discard();

    ui.messageAnswers.push_back(IDYES);
    Script([](HWND h) { PressIn(h, IDC_IMPORT_CONVERT); });
    Start();
    EXPECT_EQ(ui.Calls(UiCall::Modal).at(0).dialogId, IDD_IMPORT);
    EXPECT_TRUE(FileExists(folder + "\\Loader07.ini")) << "the start-up mode renames";
    EXPECT_NE(List().Find("Keen"), -1) << "imported before the list is filled";
}

TEST_F(LoaderIniCommandsTest, ImportFromTheMenuAndClosingTheIniStyleDialogAnyWayRefillTheList) {
    AddGame(MakeGame("Listed"));
    const std::string ini = folder + "\\Loader.ini";
    WriteFileText(ini, "[Keen]\r\n");
    Start();
    Script([ini](HWND h) {
        SetDlgItemTextA(h, IDC_IMPORT_PATH, ini.c_str());
        PressIn(h, IDC_IMPORT_CONVERT);
        PressIn(h, IDCANCEL);
    });
    Command(IDM_IMPORT);
    EXPECT_NE(List().Find("Keen"), -1);
    EXPECT_TRUE(FileExists(ini)) << "the menu mode never renames";

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
    EXPECT_EQ(List().Count(), 4);
}

}  // namespace
