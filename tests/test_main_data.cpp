// The main window and its data: the Data.ini check at start-up, the VDMS.INI
// check, the background picture, and adding a game from the menu.
#include "MainWindowFixture.h"
#include "app/Settings.h"
#include "dialogs/AddGameDialog.h"
#include "res/AddGameDialogRes.h"
#include "res/resource.h"

namespace {

class MainDataTest : public MainWindowFixture {};

TEST_F(MainDataTest, MissingDataIniEndsTheStartWithStatusOne) {
    AddGame(MakeGame("Listed"));
    DeleteFileA((folder + "\\Data.ini").c_str());
    Start();
    auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Failed to load the Data.ini file!\nRecover the file or re-install Quillon Loader.");
    EXPECT_EQ(messages[0].caption, "Quillon Loader");
    auto exits = ui.Calls(UiCall::Exit);
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(exits[0].flags, 1u);
    EXPECT_TRUE(window->Ended());
    EXPECT_FALSE(window->State().startupComplete);
}

TEST_F(MainDataTest, VdmSoundPageAddressComesFromDataIniOrTheBuiltInOne) {
    WriteFileText(folder + "\\Data.ini", "[Misc]\r\nVDMSoundWeb=http://example.invalid/vdms\r\n");
    Start();
    EXPECT_EQ(window->State().vdmSoundWeb, "http://example.invalid/vdms");
    Discard();
    WriteFileText(folder + "\\Data.ini", "[Categories]\r\n00=Action\r\n");
    Start();
    EXPECT_FALSE(window->State().vdmSoundWeb.empty());
    EXPECT_NE(window->State().vdmSoundWeb, "http://example.invalid/vdms");
}

TEST_F(MainDataTest, VdmsIniMustBeBesideAFoundVdmSound) {
    const std::string vdm = folder + "\\VDMSound\\";
    CreateDirectoryA(vdm.c_str(), nullptr);
    WriteFileText(vdm + "LaunchPad.dll", "");
    WriteFileText(folder + "\\Data.ini", "[Misc]\r\nVDMSoundWeb=http://example.invalid/vdms\r\n");
    beforeStart = [&](AppState& state) { state.vdmSoundFixedFolder = vdm; };
    Start();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text,
              "VDMSound is installed but VDMS.INI cannot be found.\n\nThe latest version of VDMSound can be "
              "downloaded at\nhttp://example.invalid/vdms");
    EXPECT_EQ(ui.Messages()[0].caption, "Quillon Loader");
    EXPECT_TRUE(window->State().startupComplete) << "only a warning";
    Discard();

    ui.Clear();
    WriteFileText(vdm + "VDMS.INI", "[sb]\r\n");
    Start();
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(MainDataTest, BackgroundPictureIsStretchedOverTheWindow) {
    const struct {
        DWORD stored;
        int bitmap;
        int width;
    } hues[] = {{0, IDB_BACK_RED, 500}, {1, IDB_BACK_GREEN, 500}, {2, IDB_BACK_BLUE, 500}, {3, IDB_BACK_GREY, 600}};
    for (const auto& hue : hues) {
        WriteSettingValue("Background", hue.stored);
        Start();
        int chosen = window->State().backgroundBitmap;
        EXPECT_TRUE(chosen == hue.bitmap || chosen == IDB_BACK_ALT);
        EXPECT_TRUE(window->Background().IsLoaded());
        EXPECT_EQ(window->Background().Width(), chosen == IDB_BACK_GREY ? 600 : 500);
        EXPECT_EQ(window->DrawMode(), SkinnedDialog::kStretch);
        // The slider keeps its own background; the check box shows the picture.
        HDC dc = CreateCompatibleDC(nullptr);
        HBRUSH checkBrush = reinterpret_cast<HBRUSH>(
            SendMessageA(window->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(GetDlgItem(window->Handle(), IDC_SLOWDOWN))));
        EXPECT_EQ(checkBrush, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
        HBRUSH sliderBrush = reinterpret_cast<HBRUSH>(
            SendMessageA(window->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(GetDlgItem(window->Handle(), IDC_SLOWDOWN_SLIDER))));
        EXPECT_NE(sliderBrush, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
        DeleteDC(dc);
        Discard();
    }
}

TEST_F(MainDataTest, AddNewGameFromTheMenuSelectsTheNewGame) {
    AddGame(MakeGame("Existing"));
    Start();
    ui.modalScripts.push_back([](win::Dialog& dialog, HWND owner) -> INT_PTR {
        EXPECT_EQ(dialog.TemplateId(), IDD_ADDGAME);
        HWND h = dialog.Create(owner);
        if (!h) return IDCANCEL;
        SetDlgItemTextA(h, IDC_ADD_TITLE, "Brand New");
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(h, IDOK)));
        return dialog.Result();
    });
    SendMessageA(window->Handle(), WM_COMMAND, IDM_ADDGAME, 0);
    PumpMessages();
    ASSERT_EQ(ui.Calls(UiCall::Modal).size(), 1u);
    EXPECT_EQ(window->List().Count(), 2);
    int row = window->GetSelectedRow();
    ASSERT_NE(row, -1);
    EXPECT_EQ(window->List().Text(row, 0), "Brand New");
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Brand New");
    EXPECT_TRUE(window->Game().loaded);

    // Cancelled: nothing changes.
    ui.modalScripts.push_back([](win::Dialog&, HWND) -> INT_PTR { return IDCANCEL; });
    SendMessageA(window->Handle(), WM_COMMAND, IDM_ADDGAME, 0);
    EXPECT_EQ(window->List().Count(), 2);
}

}  // namespace
