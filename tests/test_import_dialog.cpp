// The Loader.ini import dialog driven in-process: loading, counts, marking,
// converting, Reset, and the start-up mode's rename.
#include "FakeUi.h"
#include "TestEnv.h"
#include "data/GameFile.h"
#include "data/LoaderIni.h"
#include "dialogs/ImportDialog.h"
#include "res/ImportDialogRes.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>

namespace {

class ImportDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = MakeTempFolder("import");
        CreateDirectoryA((folder + "\\Games").c_str(), nullptr);
        CreateDirectoryA((folder + "\\Images").c_str(), nullptr);
        loaderIni = folder + "\\Loader.ini";
    }
    void TearDown() override {
        dialog.reset();
        RemoveTree(folder);
    }
    void Open(ImportMode mode) {
        dialog = std::make_unique<ImportDialog>(folder, mode);
        ASSERT_TRUE(dialog->Create(nullptr));
        list.Attach(Item(IDC_IMPORT_LIST));
    }
    // The menu mode's dialog with this INI file typed into the path.
    void OpenWith(const std::string& text) {
        WriteFileText(loaderIni, text);
        Open(ImportMode::Menu);
        SetWindowTextA(Item(IDC_IMPORT_PATH), loaderIni.c_str());
    }
    HWND Item(int id) const { return GetDlgItem(dialog->Handle(), id); }
    std::string Get(int id) const { return win::WindowText(Item(id)); }
    void Click(int id) { SendMessageA(dialog->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    std::vector<int> Images() const {
        std::vector<int> images;
        for (int row = 0; row < list.Count(); ++row) images.push_back(list.Image(row));
        return images;
    }
    int Row(const std::string& text) const { return list.Find(text); }
    bool GameExists(const std::string& name) const { return FileExists(GameFilePathFor(folder, name)); }
    GameRecord Game(const std::string& name) const {
        GameRecord g{};
        EXPECT_EQ(ReadGameRecord(GameFilePathFor(folder, name), g), GameFileStatus::Ok) << name;
        return g;
    }
    std::vector<std::string> GameFiles() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "\\Games\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
        std::sort(names.begin(), names.end());
        return names;
    }
    // A double click on a row, with the mouse where the list sees it.
    void DoubleClick(int row) {
        RECT r{};
        ListView_GetItemRect(list.Handle(), row, &r, LVIR_LABEL);
        POINT p{r.left + 4, (r.top + r.bottom) / 2};
        POINT screen = p;
        ClientToScreen(list.Handle(), &screen);
        SetCursorPos(screen.x, screen.y);
        PostMessageA(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PostMessageA(list.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        PumpMessages();
    }
    void PressSpace() {
        SendMessageA(list.Handle(), WM_KEYDOWN, VK_SPACE, 0);
        SendMessageA(list.Handle(), WM_KEYUP, VK_SPACE, 0);
    }

    FakeUi ui;
    std::string folder, loaderIni;
    std::unique_ptr<ImportDialog> dialog;
    win::ListView list;
};

TEST_F(ImportDialogTest, LoadsTheSectionsMarkedAndCountsDuplicates) {
    OpenWith("[Keen]\r\n[Doom]\r\n[keen]\r\n[DOOM]\r\n[Zork]\r\n");
    EXPECT_EQ(Get(IDC_IMPORT_FOUND), "5");
    EXPECT_EQ(Get(IDC_IMPORT_DUPLICATES), "2") << "names that differ only in case";
    EXPECT_EQ(Get(IDC_IMPORT_SELECTED), "5");
    EXPECT_EQ(Images(), std::vector<int>(5, ImportDialog::kMarked));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_IMPORT_CONVERT)));
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "...");

    SetWindowTextA(Item(IDC_IMPORT_PATH), (folder + "\\missing.ini").c_str());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(Get(IDC_IMPORT_FOUND), "0");
    EXPECT_EQ(Get(IDC_IMPORT_DUPLICATES), "0");
    EXPECT_EQ(Get(IDC_IMPORT_SELECTED), "0");
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_IMPORT_CONVERT)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_IMPORT_LIST)));

    // The browse button puts the chosen file in, which loads it.
    ui.fileAnswers.push_back(loaderIni);
    Click(IDC_IMPORT_BROWSE);
    EXPECT_EQ(Get(IDC_IMPORT_FOUND), "5");
    ASSERT_EQ(ui.Calls(UiCall::File).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::File)[0].text, "Please select the ini file to convert");
    EXPECT_EQ(ui.Calls(UiCall::File)[0].params, folder);
}

TEST_F(ImportDialogTest, DoubleClickAndSpaceToggleTheMark) {
    OpenWith("[Alpha]\r\n[Beta]\r\n[Gamma]\r\n");
    DoubleClick(Row("Beta"));
    EXPECT_EQ(list.Image(Row("Beta")), ImportDialog::kUnmarked);
    EXPECT_EQ(Get(IDC_IMPORT_SELECTED), "2");
    list.Select(Row("Gamma"));
    PressSpace();
    EXPECT_EQ(list.Image(Row("Gamma")), ImportDialog::kUnmarked);
    EXPECT_EQ(Get(IDC_IMPORT_SELECTED), "1");
    PressSpace();
    EXPECT_EQ(list.Image(Row("Gamma")), ImportDialog::kMarked);
    EXPECT_EQ(Get(IDC_IMPORT_SELECTED), "2");

    // Only the marked rows are converted.
    Click(IDC_IMPORT_CONVERT);
    EXPECT_TRUE(GameExists("Alpha"));
    EXPECT_FALSE(GameExists("Beta"));
    EXPECT_EQ(list.Image(Row("Beta")), ImportDialog::kUnmarked);
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "Converted: 2.  Failed: 0.  Already exists: 0");
}

TEST_F(ImportDialogTest, ConvertsThenResetsAndReportsExistingGames) {
    OpenWith(
        "[Quest: The *Best*]\r\nPublisher=Sierra\r\n[Keen]\r\nSelectedSound=gus\r\nSoundDevice03=GUS, /g\r\n"
        "[CON]\r\n[..]\r\n");
    Click(IDC_IMPORT_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "Converted: 2.  Failed: 2.  Already exists: 0");
    EXPECT_EQ(Get(IDC_IMPORT_CONVERT), "Reset");
    EXPECT_EQ(list.Image(Row("Keen")), ImportDialog::kConverted);
    EXPECT_EQ(list.Image(Row("CON")), ImportDialog::kNotConverted);
    GameRecord quest = Game("Quest- The -Best-");
    EXPECT_STREQ(quest.title, "Quest: The *Best*") << "the title keeps the colon and the stars";
    EXPECT_STREQ(quest.publisher, "Sierra");
    EXPECT_EQ(Game("Keen").selectedSound, 2);
    EXPECT_EQ(GameFiles(), (std::vector<std::string>{"Keen.qgf", "Quest- The -Best-.qgf"}));

    Click(IDC_IMPORT_CONVERT);  // Reset: everything marked again
    EXPECT_EQ(Get(IDC_IMPORT_CONVERT), "Convert");
    EXPECT_EQ(Images(), std::vector<int>(4, ImportDialog::kMarked));
    Click(IDC_IMPORT_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "Converted: 0.  Failed: 2.  Already exists: 2");
    EXPECT_EQ(list.Image(Row("Keen")), ImportDialog::kNotConverted);

    WriteFileText(loaderIni, "[Keen]\r\nPublisher=Apogee\r\n");
    SendMessageA(Item(IDC_IMPORT_OVERWRITE), BM_SETCHECK, BST_CHECKED, 0);
    Click(IDC_IMPORT_CONVERT);
    Click(IDC_IMPORT_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "Converted: 1.  Failed: 0.  Already exists: 0");
    EXPECT_STREQ(Game("Keen").publisher, "Apogee");
    EXPECT_TRUE(ui.Messages().empty());

    DeleteFileA(loaderIni.c_str());
    Click(IDC_IMPORT_CONVERT);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_IMPORT_CONVERT))) << "the reload finds no file";
    EXPECT_FALSE(dialog->Ended());
}

TEST_F(ImportDialogTest, ConvertingFromTheMenuNeverRenames) {
    OpenWith("[Keen]\r\n");
    Click(IDC_IMPORT_CONVERT);
    EXPECT_TRUE(GameExists("Keen"));
    EXPECT_TRUE(FileExists(loaderIni));
    EXPECT_FALSE(FileExists(folder + "\\Loader07.ini"));
    EXPECT_FALSE(dialog->Ended());
}

TEST_F(ImportDialogTest, StartupModeRenamesEvenWhenRowsFailAndCloses) {
    WriteFileText(loaderIni, "[Keen]\r\n[NUL]\r\n");
    Open(ImportMode::Startup);
    EXPECT_EQ(Get(IDC_IMPORT_PATH), loaderIni);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_IMPORT_PATH)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_IMPORT_BROWSE)));
    EXPECT_EQ(Get(IDC_IMPORT_FOUND), "2");
    Click(IDC_IMPORT_CONVERT);
    EXPECT_TRUE(dialog->Ended());
    EXPECT_TRUE(dialog->renamed);
    EXPECT_EQ(dialog->failed, 1);
    EXPECT_FALSE(FileExists(loaderIni));
    EXPECT_TRUE(FileExists(folder + "\\Loader07.ini"));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Loader.ini has been renamed to loader07.ini.");
    EXPECT_EQ(ui.Messages()[0].caption, "Completed");
    EXPECT_EQ(ui.Messages()[0].flags, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(ImportDialogTest, StartupModeReportsAFailedRenameAndStillCloses) {
    WriteFileText(loaderIni, "[Keen]\r\n");
    WriteFileText(folder + "\\Loader07.ini", "[Older]\r\n");
    Open(ImportMode::Startup);
    Click(IDC_IMPORT_CONVERT);
    EXPECT_TRUE(dialog->Ended());
    EXPECT_FALSE(dialog->renamed);
    EXPECT_TRUE(FileExists(loaderIni));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Failed to rename the loader.ini file!\n'Loader07.ini' may already exist!");
    EXPECT_EQ(ui.Messages()[0].caption, "Problem...");
}

TEST_F(ImportDialogTest, ShowsHowManySectionsCouldNotBeRead) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "[Game " + std::to_string(i) + "]\r\n";
    OpenWith(text);
    EXPECT_EQ(Get(IDC_IMPORT_FOUND), "260");
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "40 more sections could not be read.");
    Click(IDC_IMPORT_CONVERT);
    EXPECT_EQ(Get(IDC_IMPORT_STATUS), "Converted: 260.  Failed: 0.  Already exists: 0.  Not read: 40");
}

TEST_F(ImportDialogTest, AFileGoneBeforeConvertIsReported) {
    OpenWith("[Keen]\r\n");
    DeleteFileA(loaderIni.c_str());
    Click(IDC_IMPORT_CONVERT);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Could not initialize the INI file!");
    EXPECT_EQ(ui.Messages()[0].caption, "Error");
    EXPECT_EQ(Get(IDC_IMPORT_CONVERT), "Convert");
}

}  // namespace
