// Start-up and shut-down of the main window: settings, folders, file type,
// controls, the single instance and the closing steps.
#include "MainWindowFixture.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"
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

// The column headings of a list view.
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

TEST_F(StartupTest, FirstStartWritesEverySettingAndWelcomesOnce) {
    ResetSettings();
    Start();
    ASSERT_TRUE(window->Handle());
    auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, kWelcomeText);
    EXPECT_EQ(messages[0].caption, "Welcome to Quillon Loader");
    EXPECT_EQ(Setting("Language"), 0u);
    EXPECT_EQ(Setting("SlowDownTweak"), 0u);
    EXPECT_EQ(Setting("FirstRun"), 0u);
    EXPECT_EQ(Setting("ConfirmDelete"), 1u);
    EXPECT_EQ(Setting("ReloadVerify"), 1u);
    EXPECT_EQ(Setting("ReloadEffects"), 0u);
    EXPECT_EQ(Setting("Background"), 3u);
    EXPECT_EQ(Setting("UseDefaultPif"), 1u);
    EXPECT_EQ(Setting("ColumnWidth0"), 0xDEADBEEFu) << "default widths are not written at start";
    EXPECT_EQ(window->State().slowDownTweak, 4) << "an absent tweak is stored as 0 but 4 is used";
    EXPECT_EQ(window->State().backgroundBitmap, IDB_BACK_GREY);
    EXPECT_FALSE(window->State().spanish);
    EXPECT_TRUE(window->State().reloadVerify);

    CloseWindow();
    window.reset();
    ReleaseSingleInstance();
    ui.Clear();
    Start();
    EXPECT_TRUE(ui.Messages().empty()) << "the welcome message shows once";
}

TEST_F(StartupTest, StoredSettingsAreUsedAndSomeRewritten) {
    WriteSettingValue("ConfirmDelete", 0);
    WriteSettingValue("SlowDownTweak", 9);
    WriteSettingValue("ReloadVerify", 0);
    WriteSettingValue("Language", 1);
    WriteSettingValue("ColumnWidth1", 77);
    WriteSettingValue("ColumnWidth3", 33);
    Start();
    EXPECT_EQ(Setting("ConfirmDelete"), 1u);
    EXPECT_EQ(window->State().slowDownTweak, 9);
    EXPECT_FALSE(window->State().reloadVerify);
    EXPECT_TRUE(window->State().spanish);
    EXPECT_EQ(window->List().ColumnWidth(0), 190);
    EXPECT_EQ(window->List().ColumnWidth(1), 77);
    EXPECT_EQ(window->List().ColumnWidth(2), 100);
    EXPECT_EQ(window->List().ColumnWidth(3), 33);
}

TEST_F(StartupTest, BackgroundChoice) {
    WriteSettingValue("Background", 7);
    Start();
    EXPECT_EQ(window->State().backgroundBitmap, IDB_BACK_ALT);
    EXPECT_EQ(Setting("Background"), 2u);
    CloseWindow();
    window.reset();
    ReleaseSingleInstance();

    // A stored colour is used, except for the occasional alternative picture.
    const int bitmaps[4] = {IDB_BACK_RED, IDB_BACK_GREEN, IDB_BACK_BLUE, IDB_BACK_GREY};
    for (DWORD colour = 0; colour < 4; ++colour) {
        WriteSettingValue("Background", colour);
        Start();
        int chosen = window->State().backgroundBitmap;
        EXPECT_TRUE(chosen == bitmaps[colour] || chosen == IDB_BACK_ALT) << colour;
        EXPECT_EQ(Setting("Background"), chosen == IDB_BACK_ALT ? 2u : colour);
        window.reset();
        ReleaseSingleInstance();
    }
}

TEST_F(StartupTest, ColumnsControlsAndFileType) {
    Start();
    HWND list = window->List().Handle();
    EXPECT_EQ(Headings(list), (std::vector<std::string>{"Game", "Publisher", "Category", "Settings"}));
    DWORD ex = ListView_GetExtendedListViewStyle(list);
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(ex & LVS_EX_SUBITEMIMAGES);
    HIMAGELIST images = ListView_GetImageList(list, LVSIL_SMALL);
    ASSERT_TRUE(images);
    EXPECT_EQ(ImageList_GetImageCount(images), 8);

    HWND slider = GetDlgItem(window->Handle(), IDC_SLOWDOWN_SLIDER);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), 10);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), 110);
    EXPECT_EQ(SendMessageA(slider, TBM_GETPOS, 0, 0), 10);
    for (int id : {IDC_RUNGAME, IDC_GAMESETTINGS, IDC_MODIFY, IDC_DOCS})
        EXPECT_TRUE(SendDlgItemMessageA(window->Handle(), id, BM_GETIMAGE, IMAGE_ICON, 0)) << id;

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

    HMENU sys = GetSystemMenu(window->Handle(), FALSE);
    char about[64] = "";
    GetMenuStringA(sys, IDM_ABOUTBOX, about, sizeof about, MF_BYCOMMAND);
    EXPECT_STREQ(about, "&About QuillonLoader...");

    EXPECT_EQ(ClassKeyValue(".qgf"), "qgf_auto_file");
    EXPECT_EQ(ClassKeyValue("qgf_auto_file\\shell\\open\\command"), "\"" + folder + "\\Quillon.exe\" \"%1\"");
    EXPECT_EQ(ClassKeyValue("qgf_auto_file\\DefaultIcon"), folder + "\\Quillon.exe,5");
}

TEST_F(StartupTest, SpanishColumnHeadings) {
    WriteSettingValue("Language", 1);
    Start();
    EXPECT_EQ(Headings(window->List().Handle()), (std::vector<std::string>{"juego", "Distribuidora",
                                                                           "Categor\xED"
                                                                           "a",
                                                                           "Opciones"}));
}

TEST_F(StartupTest, GamesFolderIsCreated) {
    RemoveDirectoryA((folder + "\\Games").c_str());
    Start();
    EXPECT_NE(GetFileAttributesA((folder + "\\Games").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(window->State().gamesFolder, folder + "\\Games");
    EXPECT_EQ(window->State().dataIniPath, folder + "\\Data.ini");
}

TEST_F(StartupTest, EnterAndEscapeDoNotEndTheProgramButTheCloseBoxRunsTheClosingSteps) {
    Start();
    HWND h = window->Handle();
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(h));
    EXPECT_FALSE(window->Ended());

    ListView_SetColumnWidth(window->List().Handle(), 0, 123);
    ListView_SetColumnWidth(window->List().Handle(), 2, 55);
    window->State().slowDownTweak = 6;
    window->State().spanish = true;
    CloseWindow();
    EXPECT_TRUE(window->Ended());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(Setting("ColumnWidth0"), 123u);
    EXPECT_EQ(Setting("ColumnWidth1"), 85u);
    EXPECT_EQ(Setting("ColumnWidth2"), 55u);
    EXPECT_EQ(Setting("ColumnWidth3"), 145u);
    EXPECT_EQ(Setting("SlowDownTweak"), 6u);
    EXPECT_EQ(Setting("Language"), 1u);
}

TEST_F(StartupTest, ExitMenuClosesThroughTheClosingSteps) {
    Start();
    ListView_SetColumnWidth(window->List().Handle(), 3, 99);
    SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    PumpMessages();
    EXPECT_TRUE(window->Ended());
    EXPECT_EQ(Setting("ColumnWidth3"), 99u);
}

TEST_F(StartupTest, ASecondCopyInTheSameProcessIsRefusedWithoutTouchingSettings) {
    ASSERT_TRUE(ClaimSingleInstance());
    ResetSettings();
    Start();
    EXPECT_TRUE(window->Ended());
    EXPECT_FALSE(IsWindow(window->Handle()));
    auto messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Cannot run Quillon Loader, an instance is already running.");
    EXPECT_EQ(messages[0].caption, "Quillon Loader 0.8c");
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Freeware\\QuillonLoader", 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(StartupTest, LastRunGameIsSelectedAtStart) {
    AddGame(MakeGame("Alpha"));
    AddGame(MakeGame("Beta", "Pub", "Cat"));
    AddGame(MakeGame("Gamma"));
    WriteSettingString("LastRun", "beta");
    Start();
    EXPECT_EQ(window->GetSelectedRow(), 1);
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Beta");
    EXPECT_TRUE(window->Game().loaded);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window->Handle(), IDC_RUNGAME)));
}

}  // namespace

namespace {

TEST_F(StartupTest, DefaultPifIsInstalledWhileRunningAndTheUsersPutBackAtClose) {
    const std::string windows = folder + "\\Windows";
    CreateDirectoryA(windows.c_str(), nullptr);
    WriteFileText(windows + "\\_default.pif", "the user's own");
    Start();
    EXPECT_EQ(ReadFileBytes(windows + "\\_default.pif").size(), 2855u);
    EXPECT_EQ(ReadFileBytes(windows + "\\_defaultpif.bak"),
              std::vector<char>({'t', 'h', 'e', ' ', 'u', 's', 'e', 'r', '\'', 's', ' ', 'o', 'w', 'n'}));
    CloseWindow();
    EXPECT_EQ(ReadFileBytes(windows + "\\_default.pif"), ReadFileBytes(windows + "\\_defaultpif.bak"));
}

TEST_F(StartupTest, UseDefaultPifZeroLeavesTheWindowsFolderAlone) {
    WriteSettingValue("UseDefaultPif", 0);
    const std::string windows = folder + "\\Windows";
    CreateDirectoryA(windows.c_str(), nullptr);
    Start();
    EXPECT_FALSE(window->State().useDefaultPif);
    EXPECT_EQ(GetFileAttributesA((windows + "\\_default.pif").c_str()), INVALID_FILE_ATTRIBUTES);
    CloseWindow();
    EXPECT_EQ(GetFileAttributesA((windows + "\\_default.pif").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Setting("UseDefaultPif"), 0u);
}

}  // namespace
