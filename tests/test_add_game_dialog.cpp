// The add-game dialog in-process: its lists, the browse buttons and the game file ADD writes.
#include "BmpBuilder.h"
#include "CatalogueTools.h"
#include "DialogProbe.h"
#include "data/GameFile.h"
#include "data/NewGame.h"
#include "dialogs/AddGameDialog.h"
#include "dialogs/PictureMessages.h"
#include "res/AddGameDialogRes.h"
#include <algorithm>
#include <commdlg.h>

namespace {

constexpr char kDataIni[] =
    "[Categories]\n00=Platform\n01=Adventure\n05=Action\n"
    "[Publishers]\n00=Sierra\n02=Apogee\n11=id Software\n21=Too far\n";

class AddGameDialogTest : public DialogTest<AddGameDialog> {
protected:
    void SetUp() override {
        for (const char* sub : {"\\Games", "\\Images", "\\KEEN4"}) CreateDirectoryA((folder + sub).c_str(), nullptr);
        WriteFileText(folder + "\\Data.ini", kDataIni);
        ASSERT_TRUE(ini.Open(folder + "\\Data.ini"));
        ASSERT_TRUE(Open(folder, ini));
    }
    void TearDown() override { SetCurrentDirectoryA("C:\\"); }
    void Add(const std::string& title, const std::string& path = {}) {
        if (dialog->Ended()) Open(folder, ini);
        Set(IDC_ADD_TITLE, title);
        Set(IDC_ADD_PATH, path);
        Click(IDOK);
    }
    std::string GameFile(const std::string& title) const { return folder + "\\Games\\" + title + ".qgf"; }
    GameRecord Game(const std::string& title) const { return GameAt(GameFile(title)); }
    std::vector<char> Picture(const std::string& title) const {
        std::vector<char> bytes = ReadFileBytes(GameFile(title));
        return std::vector<char>(bytes.begin() + std::min(bytes.size(), kGameRecordSize), bytes.end());
    }
    LONG PreviewWidth() const {
        BITMAP bm{};
        GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(Item(IDC_ADD_PREVIEW), STM_GETIMAGE, IMAGE_BITMAP, 0)),
                   sizeof bm, &bm);
        return bm.bmWidth;
    }
    std::string LastMessage() const { return ui.Messages().empty() ? "" : ui.Messages().back().text; }
    const std::string gameDir = folder + "\\KEEN4";
    IniFile ini;
};

TEST_F(AddGameDialogTest, AddWritesTheFieldsIntoABlankGameFileOrCancels) {
    EXPECT_EQ(BoxItems(Item(IDC_ADD_CATEGORY)), (Strings{"Action", "Adventure", "Platform"}));
    EXPECT_EQ(BoxItems(Item(IDC_ADD_PUBLISHER)), (Strings{"Apogee", "id Software", "Sierra"}))
        << "the read stops once keys 12 to 20 are free";
    EXPECT_EQ(PreviewWidth(), 160) << "the default picture";
    WriteFileBytes(gameDir + "\\KEEN4E.EXE", std::vector<char>(1234, 'x'));
    WriteFileBytes(gameDir + "\\EGAGRAPH.CK4", std::vector<char>(567, 'd'));
    for (const auto& [id, text] : {std::pair{IDC_ADD_PUBLISHER, "Apogee"}, {IDC_ADD_CATEGORY, "Platform"},
                                   {IDC_ADD_COMMAND, "KEEN4E.EXE"}, {IDC_ADD_DOCUMENT, "README.TXT"},
                                   {IDC_ADD_DATAFILE, "EGAGRAPH.CK4"}})
        Set(id, text);
    CheckDlgButton(dialog->Handle(), IDC_ADD_WIN95, BST_UNCHECKED);  // both boxes start checked
    Add("Commander Keen 4", gameDir);
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(dialog->Result(), IDOK);
    EXPECT_EQ(dialog->added->title, "Commander Keen 4");
    GameRecord g = Game("Commander Keen 4");
    EXPECT_EQ(Picture("Commander Keen 4").size(), 0u);
    const Strings fields{FieldText(g.title),    FieldText(g.publisher), FieldText(g.category),
                         FieldText(g.path),     FieldText(g.command),   FieldText(g.setup),
                         FieldText(g.document), FieldText(g.dataName),  FieldText(g.programName)};
    EXPECT_EQ(fields, (Strings{"Commander Keen 4", "Apogee", "Platform", gameDir, "KEEN4E.EXE", "", "README.TXT",
                               "EGAGRAPH.CK4", "KEEN4E.EXE"}));
    EXPECT_EQ(std::make_tuple(g.options, g.programSize, g.dataSize), std::make_tuple(1, 1234u, 567u));
    EXPECT_EQ(FieldText(g.comment) + std::to_string(g.selectedDisplay), "no comment-1") << "the rest stays blank";
    // Files that do not open give no sizes and no program name; the texts stay.
    Open(folder, ini);
    Set(IDC_ADD_COMMAND, "GONE.EXE");
    Set(IDC_ADD_DATAFILE, "GONE.DAT");
    CheckDlgButton(dialog->Handle(), IDC_ADD_VDMSOUND, BST_UNCHECKED);
    Add("Missing Files", gameDir);
    g = Game("Missing Files");
    EXPECT_EQ(std::make_tuple(FieldText(g.command), FieldText(g.programName)), std::make_tuple("GONE.EXE", ""));
    EXPECT_EQ(std::make_pair(g.programSize + g.dataSize, g.options), std::make_pair(0u, 2)) << "Windows 95 only";
    // An existing game is replaced whole; a file that cannot be written cancels.
    WriteGame(GameFile("Doom"), MakeGame("Doom"), MakeBmp(8, 8, 1, 2, 3));
    Open(folder, ini);
    Set(IDC_ADD_PUBLISHER, "id Software");
    Add("Doom");
    EXPECT_EQ(FieldText(Game("Doom").publisher), "id Software");
    EXPECT_EQ(FilesBelow(folder + "\\Games"), (Strings{"\\Commander Keen 4.qgf", "\\Doom.qgf", "\\Missing Files.qgf"}))
        << "no file is left beside";
    EXPECT_TRUE(Picture("Doom").empty());
    RemoveTree(folder + "\\Games");
    Add("Nowhere");
    EXPECT_EQ(dialog->Result(), IDCANCEL);
    EXPECT_EQ(LastMessage(), "Failed to create the new QGF file!\n" + GameFile("Nowhere"));
}

TEST_F(AddGameDialogTest, SetupProgramPrecedence) {
    const std::pair<Strings, std::string> cases[] = {{{"INSTALL.BAT", "SETUP.BAT"}, "SETUP.BAT"},
                                                     {{"INSTALL.COM", "SETUP.EXE", "setup.com"}, "SETUP.COM"},
                                                     {{"SETUP.TXT"}, ""}};
    int n = 0;
    for (const auto& [files, stored] : cases) {
        std::string dir = folder + "\\G" + std::to_string(++n);
        CreateDirectoryA(dir.c_str(), nullptr);
        for (const auto& f : files) WriteFileText(dir + "\\" + f, "x");
        Add("Game " + std::to_string(n), dir);
        EXPECT_EQ(FieldText(Game("Game " + std::to_string(n)).setup), stored);
        EXPECT_EQ(dialog->added->noSetup, stored.empty()) << stored;
    }
    WriteFileText(folder + "\\SETUP.EXE", "x");
    Add("No Folder");
    EXPECT_TRUE(dialog->added->noSetup) << "no folder, no setup";
}

// After the spaces question, a title that cannot name a file in Games is refused and selected; nothing is written.
TEST_F(AddGameDialogTest, TitlesThatCannotNameAFileAreRefusedAfterTheSpacesQuestion) {
    EXPECT_TRUE(FindWindowExA(dialog->Handle(), nullptr, "Static",
                              "Please keep the game path in DOS format\n(8.3) with no spaces to ensure the game\ncan "
                              "load and save its files correctly."))
        << "the note keeps its line breaks";
    const std::string spaced = folder + "\\My Games";
    Add("XY", spaced);  // answered No
    EXPECT_EQ(LastMessage(),
              "The game path contains spaces which may cause\nproblems loading and saving its game "
              "files.\nContinue anyway?");
    EXPECT_EQ(ui.Messages().size(), 1u) << "No keeps the dialog open at once";
    WriteGame(GameFile("Keen Dreams Deluxe"), MakeGame("Deluxe"));
    const std::string alias = ShortBaseName(GameFile("Keen Dreams Deluxe"));
    ASSERT_FALSE(alias.empty());
    const std::string longest(kMaxGamePath - GameFile("").size(), 'a');
    const std::pair<std::string, std::string> refused[] = {
        {"X", "Please enter the 'Game Title'."},
        {"AC/DC", "The game title cannot be used as a file name:\nAC/DC\n"},
        {longest + "a", "The game title is too long to be used as a file name:\n"},
        {alias, "A game file already exists under this name:\n" + alias +
                    "\n\nIt is the short name of another game's file. Please enter another title."}};
    for (const auto& [title, start] : refused) {
        ui.Clear();
        ui.messageAnswers = {IDYES};
        Add(title, spaced);
        EXPECT_FALSE(dialog->Ended()) << title;
        EXPECT_EQ(LastMessage().rfind(start, 0), 0u) << LastMessage();
        DWORD from = 1, to = 0;
        SendMessageA(Item(IDC_ADD_TITLE), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(std::make_pair(from, to), std::make_pair(0ul, static_cast<DWORD>(title.size()))) << "selected";
    }
    EXPECT_EQ(FilesBelow(folder + "\\Games"), Strings{"\\Keen Dreams Deluxe.qgf"});
    EXPECT_EQ(FieldText(Game("Keen Dreams Deluxe").title), "Deluxe");
    EXPECT_EQ(FileText(folder + "\\Data.ini"), kDataIni);
    Add(longest);
    EXPECT_EQ(dialog->Result(), IDOK) << "the longest title that fits";
    Add("XY");
    EXPECT_EQ(dialog->Result(), IDOK) << "two characters are enough";
}

TEST_F(AddGameDialogTest, PicturesAreFoundWhateverTheCurrentFolder) {
    const std::vector<char> picked = MakeBmp(32, 20, 0, 0, 255), typed = MakeBmp(8, 8, 10, 20, 30);
    WriteFileBytes(gameDir + "\\shot.bmp", picked);
    WriteFileBytes(folder + "\\Images\\shot.bmp", MakeBmp(16, 10, 0, 255, 0));
    WriteFileBytes(folder + "\\Images\\typed.bmp", typed);
    WriteFileBytes(folder + "\\Images\\header.bmp", HeaderWithoutPixels());
    ui.fileAnswers = {gameDir + "\\shot.bmp", folder + "\\Images\\header.bmp"};
    Click(IDC_ADD_BROWSE_PICTURE);
    EXPECT_EQ(ui.Calls(UiCall::File)[0].params, folder + "\\Images") << "starts in Images";
    EXPECT_EQ(std::make_pair(Get(IDC_ADD_PICTURE), PreviewWidth()), std::make_pair(std::string("shot.bmp"), 32L));
    Click(IDC_ADD_BROWSE_PICTURE);  // a damaged picture never reaches LoadImageA and changes nothing
    EXPECT_EQ(LastMessage(), "Could not load bitmap '" + folder +
                                 "\\Images\\header.bmp'\n\nThe file is damaged or is not a Windows bitmap (BMP).");
    EXPECT_EQ(std::make_pair(Get(IDC_ADD_PICTURE), PreviewWidth()), std::make_pair(std::string("shot.bmp"), 32L));
    ui.Clear();
    SetCurrentDirectoryA(folder.c_str());
    Add("Picked");
    EXPECT_EQ(Picture("Picked"), picked) << "the picked file, not Images\\shot.bmp";
    EXPECT_EQ(Game("Picked").pictureSize, picked.size());
    Open(folder, ini);
    Set(IDC_ADD_PICTURE, "typed.bmp");
    SetCurrentDirectoryA(gameDir.c_str());
    Add("Typed");
    EXPECT_EQ(Picture("Typed"), typed) << "a typed name comes from Images";
    Open(folder, ini);
    Set(IDC_ADD_PICTURE, gameDir + "\\shot.bmp");
    Add("Full Path");
    EXPECT_EQ(Picture("Full Path"), picked) << "a typed full path is taken as it is";
    EXPECT_TRUE(ui.Messages().empty());
    // A typed name that does not give a picture: the game is added without one.
    Open(folder, ini);
    Set(IDC_ADD_PICTURE, "header.bmp");
    Add("Without");
    EXPECT_EQ(dialog->Result(), IDOK);
    EXPECT_EQ(LastMessage(), "Failed to embed the picture!\n" + folder + "\\Images\\header.bmp\n\n" +
                                 PictureProblem(PictureFileStatus::NotABitmap, Language::English));
    EXPECT_EQ(ReadFileBytes(GameFile("Without")).size(), kGameRecordSize);
}

TEST_F(AddGameDialogTest, BrowsesFillTheFieldsAndThePath) {
    ui.folderAnswers = {std::nullopt, std::string(), gameDir};
    for (int i = 0; i < 3; ++i) Click(IDC_ADD_BROWSE_PATH);
    EXPECT_EQ(Get(IDC_ADD_PATH), gameDir) << "only the third answer is a folder";
    for (const auto& [button, target] : {std::pair{IDC_ADD_BROWSE_COMMAND, IDC_ADD_COMMAND},
                                         {IDC_ADD_BROWSE_DOCUMENT, IDC_ADD_DOCUMENT},
                                         {IDC_ADD_BROWSE_DATAFILE, IDC_ADD_DATAFILE}}) {
        ui.Clear();
        Set(IDC_ADD_PATH, gameDir);
        ui.fileAnswers = {folder + "\\OTHER\\F" + std::to_string(button) + ".EXE"};
        Click(button);
        const UiCall pick = ui.Calls(UiCall::File).at(0);
        EXPECT_EQ(pick.params, gameDir);
        EXPECT_TRUE(pick.flags & OFN_NOCHANGEDIR);
        EXPECT_EQ(Get(target), "F" + std::to_string(button) + ".EXE");
        EXPECT_EQ(Get(IDC_ADD_PATH), folder + "\\OTHER") << "the pick's folder replaces the path";
    }
    for (const std::string& path : {std::string(), folder + "\\Nowhere"}) {
        ui.Clear();
        Set(IDC_ADD_PATH, path);
        Click(IDC_ADD_BROWSE_DATAFILE);
        EXPECT_EQ(ui.Calls(UiCall::File).at(0).params, "C:\\") << "'" << path << "'";
        EXPECT_EQ(Get(IDC_ADD_PATH), path) << "cancelled: nothing changes";
    }
}

}  // namespace
