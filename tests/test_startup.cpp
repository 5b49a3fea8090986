// Start-up and shut-down of the main window: the welcome, the controls and the
// file type, the checks of Data.ini and VDMS.INI, the single instance, the game
// run last, the default PIF, the closing steps, and adding a game.
#include "MainWindowFixture.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "res/AddGameDialogRes.h"
#include "res/GameSettingsDialogRes.h"
#include "res/resource.h"
#include <commctrl.h>

namespace {

const char kWelcomeText[] =
    "This is a one time message.\n\nIf you are running WinNT/2000/XP it is highly recommended that\n"
    "you download and install the latest version of the VDMSound\nsound emulator to ensure your DOS games run "
    "with sound.\nThe WebSite may be accessed via the Options -> VDMSound menu.\n\nPlease send your own QGF "
    "files to the author for the next release :)";

DWORD Setting(const char* name) {
    DWORD v = 0xDEADBEEF;
    ReadSettingValue(name, v);
    return v;
}

std::string ClassKeyValue(const char* key) {
    char buf[600] = "";
    LONG size = sizeof buf;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key, buf, &size) != ERROR_SUCCESS) return "<absent>";
    return buf;
}

std::vector<std::string> Headings(HWND list) {
    HWND header = ListView_GetHeader(list);
    std::vector<std::string> out;
    for (int i = 0; i < Header_GetItemCount(header); ++i) {
        char text[64] = "";
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        out.push_back(text);
    }
    return out;
}

class StartupTest : public MainWindowFixture {};

TEST_F(StartupTest, FirstStartWelcomesOnceAndStoresTheBackground) {
    ResetSettings();
    Start();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, kWelcomeText);
    EXPECT_EQ(ui.Messages()[0].caption, "Welcome to Quillon Loader");
    EXPECT_EQ(Setting("Background"), 3u);
    CloseWindow();
    Discard();
    ui.Clear();
    Start();
    EXPECT_TRUE(ui.Messages().empty()) << "the welcome message shows once";
}

TEST_F(StartupTest, ControlsColumnsAndFileType) {
    WriteSettingValue("ColumnWidth1", 77);
    Start();
    HWND list = List().Handle();
    EXPECT_EQ(Headings(list), (std::vector<std::string>{"Game", "Publisher", "Category", "Settings"}));
    EXPECT_EQ(List().ColumnWidth(0), 190);
    EXPECT_EQ(List().ColumnWidth(1), 77);
    DWORD ex = ListView_GetExtendedListViewStyle(list);
    EXPECT_EQ(ex & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES),
              static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES));
    ASSERT_TRUE(ListView_GetImageList(list, LVSIL_SMALL));
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_SMALL)), 8);

    HWND slider = GetDlgItem(Hwnd(), IDC_SLOWDOWN_SLIDER);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), 10);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), 110);
    for (int id : {IDC_RUNGAME, IDC_GAMESETTINGS, IDC_MODIFY, IDC_DOCS})
        EXPECT_TRUE(SendDlgItemMessageA(Hwnd(), id, BM_GETIMAGE, IMAGE_ICON, 0)) << id;
    HWND tooltip = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM out) -> BOOL {
            char cls[64] = "";
            GetClassNameA(h, cls, sizeof cls);
            if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0) *reinterpret_cast<HWND*>(out) = h;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tooltip));
    ASSERT_TRUE(tooltip);
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 4) << "Run Game, Game Settings, Modify and Docs";
    char about[64] = "";
    GetMenuStringA(GetSystemMenu(Hwnd(), FALSE), IDM_ABOUTBOX, about, sizeof about, MF_BYCOMMAND);
    EXPECT_STREQ(about, "&About QuillonLoader...");

    EXPECT_EQ(ClassKeyValue(".qgf"), "qgf_auto_file");
    EXPECT_EQ(ClassKeyValue("qgf_auto_file\\shell\\open\\command"), "\"" + folder + "\\Quillon.exe\" \"%1\"");
    EXPECT_EQ(ClassKeyValue("qgf_auto_file\\DefaultIcon"), folder + "\\Quillon.exe,5");
    Discard();

    WriteSettingValue("Language", 1);
    RemoveDirectoryA((folder + "\\Games").c_str());
    Start();
    EXPECT_EQ(Headings(List().Handle()), (std::vector<std::string>{"juego", "Distribuidora", "Categor\xED" "a", "Opciones"}));
    EXPECT_NE(GetFileAttributesA((folder + "\\Games").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << "created";
}

TEST_F(StartupTest, DataIniAndVdmsIniChecks) {
    AddGame(MakeGame("Listed"));
    DeleteFileA((folder + "\\Data.ini").c_str());
    Start();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Failed to load the Data.ini file!\nRecover the file or re-install Quillon Loader.");
    ASSERT_EQ(ui.Calls(UiCall::Exit).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Exit)[0].flags, 1u);
    EXPECT_TRUE(window->Ended());
    Discard();

    // VDMSound found in its folder: its VDMS.INI should be there too.
    const std::string vdm = folder + "\\NoVDMSound\\";
    CreateDirectoryA(vdm.c_str(), nullptr);
    WriteFileText(vdm + "LaunchPad.dll", "");
    WriteFileText(folder + "\\Data.ini", "[Misc]\r\nVDMSoundWeb=http://example.invalid/vdms\r\n");
    ui.Clear();
    Start();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text,
              "VDMSound is installed but VDMS.INI cannot be found.\n\nThe latest version of VDMSound can be "
              "downloaded at\nhttp://example.invalid/vdms");
    EXPECT_FALSE(window->Ended()) << "only a warning";
    Discard();
    WriteFileText(folder + "\\Data.ini", "[Categories]\r\n00=Action\r\n");
    ui.Clear();
    Start();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_NE(ui.Messages()[0].text.find("http://sourceforge.net/projects/vdmsound/"), std::string::npos)
        << "the built-in address";
    Discard();
    WriteFileText(vdm + "VDMS.INI", "[sb]\r\n");
    ui.Clear();
    Start();
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(StartupTest, ClosingStepsRunFromTheCloseBoxAndExitOnly) {
    Start();
    HWND h = Hwnd();
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PumpMessages();
    EXPECT_FALSE(window->Ended()) << "Escape does nothing";
    ListView_SetColumnWidth(List().Handle(), 0, 123);
    CloseWindow();
    EXPECT_TRUE(window->Ended());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(Setting("ColumnWidth0"), 123u);
    EXPECT_EQ(Setting("ColumnWidth3"), 145u);
    EXPECT_EQ(Setting("SlowDownTweak"), 4u) << "the tweak in use is stored";
    Discard();

    Start();
    ListView_SetColumnWidth(List().Handle(), 3, 99);
    Command(IDM_EXIT);
    EXPECT_TRUE(window->Ended());
    EXPECT_EQ(Setting("ColumnWidth3"), 99u);
}

TEST_F(StartupTest, ASecondCopyInTheSameProcessIsRefusedWithoutTouchingSettings) {
    ASSERT_TRUE(ClaimSingleInstance());
    ResetSettings();
    Start();
    EXPECT_TRUE(window->Ended());
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "Cannot run Quillon Loader, an instance is already running.");
    EXPECT_EQ(ui.Messages()[0].caption, "Quillon Loader 0.8c");
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Freeware\\QuillonLoader", 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(StartupTest, TheGameRunLastIsSelected) {
    AddGame(MakeGame("Alpha"));
    AddGame(MakeGame("Beta", "Pub", "Cat"));
    WriteSettingString("LastRun", "beta");
    Start();
    EXPECT_EQ(List().Selected(), 1);
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Beta");
    EXPECT_TRUE(Enabled(IDC_RUNGAME));
}

TEST_F(StartupTest, DefaultPifWhileRunningUnlessSwitchedOff) {
    const std::string windows = folder + "\\Windows";
    WriteFileText(windows + "\\_default.pif", "the user's own");
    Start();
    EXPECT_EQ(ReadFileBytes(windows + "\\_default.pif").size(), 2855u);
    CloseWindow();
    EXPECT_EQ(ReadFileBytes(windows + "\\_default.pif").size(), 14u) << "the user's put back";
    Discard();

    // The end of the Windows session closes nothing, but the closing steps run.
    Start();
    ASSERT_EQ(ReadFileBytes(windows + "\\_default.pif").size(), 2855u);
    ListView_SetColumnWidth(List().Handle(), 1, 66);
    SendMessageA(Hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ReadFileBytes(windows + "\\_default.pif").size(), 14u);
    EXPECT_EQ(Setting("ColumnWidth1"), 66u);
    Discard();

    DeleteFileA((windows + "\\_default.pif").c_str());
    DeleteFileA((windows + "\\_defaultpif.bak").c_str());
    WriteSettingValue("UseDefaultPif", 0);
    Start();
    EXPECT_EQ(GetFileAttributesA((windows + "\\_default.pif").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(StartupTest, AddNewGameFromTheMenuSelectsTheNewGame) {
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
    Command(IDM_ADDGAME);
    ASSERT_EQ(ui.Calls(UiCall::Modal).size(), 2u);
    EXPECT_EQ(ui.Calls(UiCall::Modal)[1].dialogId, IDD_GAMESETTINGS) << "no setup program: its settings are asked for";
    EXPECT_EQ(List().Count(), 2);
    ASSERT_NE(List().Selected(), -1);
    EXPECT_EQ(List().Text(List().Selected(), 0), "Brand New");
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Brand New");

    ui.modalScripts.push_back([](win::Dialog&, HWND) -> INT_PTR { return IDCANCEL; });
    Command(IDM_ADDGAME);
    EXPECT_EQ(List().Count(), 2);
}

}  // namespace
