// Start-up and shut-down of the main window, and adding a game from its menu.
#include "MainWindowFixture.h"
#include "MessageTexts.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "res/AddGameDialogRes.h"
#include "res/GameSettingsDialogRes.h"
#include "res/resource.h"
#include <commctrl.h>

namespace {

using Strings = std::vector<std::string>;

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

Strings Headings(HWND list) {
    HWND header = ListView_GetHeader(list);
    Strings out;
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

class StartupTest : public MainWindowFixture {
protected:
    // A new window after the last one is dropped without its closing steps.
    void Restart() {
        Discard();
        ui.Clear();
        Start();
    }
};

TEST_F(StartupTest, FirstStartWelcomesOnceAndStoresTheBackground) {
    ResetSettings();
    Start();
    ASSERT_EQ(MessageTexts(ui),
              Strings{"This is a one time message.\n\nIf you are running WinNT/2000/XP it is highly recommended that\n"
                      "you download and install the latest version of the VDMSound\nsound emulator to ensure your DOS "
                      "games run with sound.\nThe WebSite may be accessed via the Options -> VDMSound menu.\n\n"
                      "Please send your own QGF files to the author for the next release :)"});
    EXPECT_EQ(ui.Messages()[0].caption, "Welcome to Quillon Loader");
    EXPECT_EQ(Setting("Background"), 3u);
    CloseWindow();
    Restart();
    EXPECT_TRUE(ui.Messages().empty()) << "the welcome message shows once";
}

TEST_F(StartupTest, ControlsColumnsAndFileType) {
    WriteSettingValue("ColumnWidth1", 77);
    Start();
    HWND list = List().Handle();
    EXPECT_EQ(Headings(list), (Strings{"Game", "Publisher", "Category", "Settings"}));
    EXPECT_EQ(std::make_pair(List().ColumnWidth(0), List().ColumnWidth(1)), std::make_pair(190, 77));
    const DWORD styles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;
    EXPECT_EQ(ListView_GetExtendedListViewStyle(list) & styles, styles);
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_SMALL)), 8);

    HWND slider = GetDlgItem(Hwnd(), IDC_SLOWDOWN_SLIDER);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), 10);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), 110);
    EXPECT_EQ(SendMessageA(slider, TBM_GETPOS, 0, 0), 10);
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
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 4) << "Run Game, Game Settings, Modify and Docs";
    char about[64] = "";
    GetMenuStringA(GetSystemMenu(Hwnd(), FALSE), IDM_ABOUTBOX, about, sizeof about, MF_BYCOMMAND);
    EXPECT_STREQ(about, "&About QuillonLoader...");

    EXPECT_EQ(ClassKeyValue(".qgf"), "qgf_auto_file");
    EXPECT_EQ(ClassKeyValue("qgf_auto_file\\shell\\open\\command"), "\"" + folder + "\\Quillon.exe\" \"%1\"");
    EXPECT_EQ(ClassKeyValue("qgf_auto_file\\DefaultIcon"), folder + "\\Quillon.exe,5");

    WriteSettingValue("Language", 1);
    RemoveDirectoryA((folder + "\\Games").c_str());
    Restart();
    EXPECT_EQ(Headings(List().Handle()), (Strings{"juego", "Distribuidora", "Categor\355a", "Opciones"}));
    EXPECT_NE(GetFileAttributesA((folder + "\\Games").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << "created";
}

TEST_F(StartupTest, DataIniAndVdmsIniChecks) {
    AddGame(MakeGame("Listed"));
    DeleteFileA((folder + "\\Data.ini").c_str());
    Start();
    EXPECT_EQ(MessageTexts(ui),
              Strings{"Failed to load the Data.ini file!\nRecover the file or re-install Quillon Loader."});
    ASSERT_EQ(ui.Calls(UiCall::Exit).size(), 1u);
    EXPECT_EQ(ui.Calls(UiCall::Exit)[0].flags, 1u);
    EXPECT_TRUE(window->Ended());

    // VDMSound found in its folder: its VDMS.INI should be there too (only a warning).
    const std::string vdm = folder + "\\NoVDMSound\\";
    const std::string missing =
        "VDMSound is installed but VDMS.INI cannot be found.\n\nThe latest version of VDMSound can be downloaded at\n";
    CreateDirectoryA(vdm.c_str(), nullptr);
    WriteFileText(vdm + "LaunchPad.dll", "");
    const struct {
        const char *dataIni, *vdmsIni;
        Strings said;
    } cases[] = {
        {"[Misc]\r\nVDMSoundWeb=http://example.invalid/vdms\r\n", nullptr, {missing + "http://example.invalid/vdms"}},
        {"[Categories]\r\n00=Action\r\n", nullptr, {missing + "http://sourceforge.net/projects/vdmsound/"}},
        {"[Categories]\r\n00=Action\r\n", "[sb]\r\n", {}},
    };
    for (const auto& c : cases) {
        WriteFileText(folder + "\\Data.ini", c.dataIni);
        if (c.vdmsIni) WriteFileText(vdm + "VDMS.INI", c.vdmsIni);
        Restart();
        EXPECT_EQ(MessageTexts(ui), c.said);
        EXPECT_FALSE(window->Ended());
    }
}

// The closing steps store the column widths and the tweak, and put the user's
// default PIF back; they run from the close box, Exit and the end of the Windows
// session (which closes nothing), not from Escape.
TEST_F(StartupTest, ClosingStepsAndTheDefaultPif) {
    const std::string pif = folder + "\\Windows\\_default.pif";
    WriteFileText(pif, "the user's own");
    Start();
    EXPECT_EQ(ReadFileBytes(pif).size(), 2855u);
    HWND h = Hwnd();
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PumpMessages();
    EXPECT_FALSE(window->Ended()) << "Escape does nothing";
    ListView_SetColumnWidth(List().Handle(), 0, 123);
    CloseWindow();
    EXPECT_TRUE(window->Ended());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(ReadFileBytes(pif).size(), 14u) << "the user's put back";
    EXPECT_EQ(Setting("ColumnWidth0"), 123u);
    EXPECT_EQ(Setting("ColumnWidth3"), 145u);
    EXPECT_EQ(Setting("SlowDownTweak"), 4u) << "the tweak in use is stored";

    Restart();
    ASSERT_EQ(ReadFileBytes(pif).size(), 2855u);
    ListView_SetColumnWidth(List().Handle(), 1, 66);
    SendMessageA(Hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ReadFileBytes(pif).size(), 14u);
    EXPECT_EQ(Setting("ColumnWidth1"), 66u);

    Restart();
    ListView_SetColumnWidth(List().Handle(), 3, 99);
    Command(IDM_EXIT);
    EXPECT_TRUE(window->Ended());
    EXPECT_EQ(Setting("ColumnWidth3"), 99u);

    DeleteFileA(pif.c_str());
    DeleteFileA((folder + "\\Windows\\_defaultpif.bak").c_str());
    WriteSettingValue("UseDefaultPif", 0);
    Restart();
    EXPECT_EQ(GetFileAttributesA(pif.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(StartupTest, ASecondCopyInTheSameProcessIsRefusedWithoutTouchingSettings) {
    ASSERT_TRUE(ClaimSingleInstance());
    ResetSettings();
    Start();
    EXPECT_TRUE(window->Ended());
    ASSERT_EQ(MessageTexts(ui), Strings{"Cannot run Quillon Loader, an instance is already running."});
    EXPECT_EQ(ui.Messages()[0].caption, "Quillon Loader 0.8c");
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Freeware\\QuillonLoader", 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(StartupTest, TheGameRunLastIsSelectedThenAnAddedGame) {
    AddGame(MakeGame("Alpha"));
    AddGame(MakeGame("Beta", "Pub", "Cat"));
    WriteSettingString("LastRun", "beta");
    Start();
    EXPECT_EQ(List().Selected(), 1);
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Beta");
    EXPECT_TRUE(Enabled(IDC_RUNGAME));

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
    EXPECT_EQ(List().Count(), 3);
    ASSERT_NE(List().Selected(), -1);
    EXPECT_EQ(List().Text(List().Selected(), 0), "Brand New");
    EXPECT_EQ(Caption(), "Quillon Loader 0.8c - Brand New");

    Command(IDM_ADDGAME);  // cancelled
    EXPECT_EQ(List().Count(), 3);
}

}  // namespace
