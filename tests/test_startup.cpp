// Start-up and shut-down of the main window, the first start's welcome, adding a game, a second copy refused.
#include "MainWindowFixture.h"
#include "MessageTexts.h"
#include "res/AddGameDialogRes.h"
#include "res/GameSettingsDialogRes.h"
#include "res/resource.h"
#include "state/Settings.h"
#include "state/SingleInstance.h"
#include <commctrl.h>
#include <functional>

namespace {

using Strings = std::vector<std::string>;

Strings Headings(HWND list) {
    Strings out;
    char text[64] = "";
    LVCOLUMNA column{LVCF_TEXT, 0, 0, text, sizeof text, 0, 0, 0};
    for (int i = 0; ListView_GetColumn(list, i, &column); ++i) out.push_back(text);
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

TEST_F(StartupTest, ControlsAndColumns) {
    ResetSettings(), WriteSettingValue("ColumnWidth1", 77);  // a first start
    Start();
    EXPECT_EQ(ui.Messages().at(0).caption, "Welcome to Quillon Loader");
    HWND list = List().Handle();
    EXPECT_EQ(Headings(list), (Strings{"Game", "Publisher", "Category", "Settings"}));
    EXPECT_EQ(std::make_pair(List().ColumnWidth(0), List().ColumnWidth(1)), std::make_pair(190, 77));
    EXPECT_GT(GetMenuStringA(GetSystemMenu(Hwnd(), FALSE), IDM_ABOUTBOX, nullptr, 0, MF_BYCOMMAND), 0);
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
    const std::tuple<const char*, const char*, Strings> cases[] = {  // Data.ini, VDMS.INI, said
        {"[Misc]\r\nVDMSoundWeb=http://example.invalid/vdms\r\n", nullptr, {missing + "http://example.invalid/vdms"}},
        {"[Categories]\r\n00=Action\r\n", nullptr, {missing + "http://sourceforge.net/projects/vdmsound/"}},
        {"[Categories]\r\n00=Action\r\n", "[sb]\r\n", {}}};
    for (const auto& [dataIni, vdmsIni, said] : cases) {
        WriteFileText(folder + "\\Data.ini", dataIni);
        if (vdmsIni) WriteFileText(vdm + "VDMS.INI", vdmsIni);
        Restart();
        EXPECT_EQ(MessageTexts(ui), said);
        EXPECT_FALSE(window->Ended());
    }
}

// The closing steps store the column widths and put the user's default PIF back; they run from
// the close box, Exit and the end of the Windows session (which closes nothing), not from Escape.
TEST_F(StartupTest, ClosingStepsAndTheDefaultPif) {
    const std::string pif = folder + "\\Windows\\_default.pif";
    WriteFileText(pif, "the user's own");
    Start();
    SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PumpMessages();
    EXPECT_FALSE(window->Ended()) << "Escape does nothing";
    const std::tuple<int, DWORD, std::function<void()>> ways[] = {  // the close box, end of session, Exit
        {0, 123, [this] { CloseWindow(); }},
        {1, 66, [this] { SendMessageA(Hwnd(), WM_ENDSESSION, TRUE, 0); }},
        {3, 99, [this] { Command(IDM_EXIT); }}};
    for (const auto& [column, width, close] : ways) {
        if (column) Restart();
        ASSERT_EQ(ReadFileBytes(pif).size(), 2855u) << "the program's own while it runs";
        ListView_SetColumnWidth(List().Handle(), column, width);
        close();
        EXPECT_EQ(ReadFileBytes(pif).size(), 14u) << column << ": the user's put back";
        DWORD stored = 0;
        ReadSettingValue(("ColumnWidth" + std::to_string(column)).c_str(), stored);
        EXPECT_EQ(stored, width) << column;
        EXPECT_EQ(window->Ended(), column != 1) << column;
    }
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
    EXPECT_EQ(MessageTexts(ui), Strings{"Cannot run Quillon Loader, an instance is already running."});
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Freeware\\QuillonLoader", 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(StartupTest, TheGameRunLastIsSelectedThenAnAddedGame) {
    AddGame(MakeGame("Alpha"));
    AddGame(MakeGame("Beta", "Pub", "Cat"));
    WriteSettingString("LastRun", "beta");
    Start();
    EXPECT_EQ(std::make_tuple(List().Selected(), Caption(), Enabled(IDC_RUNGAME)),
              std::make_tuple(1, "Quillon Loader 0.8c - Beta", true));
    ui.modalScripts.push_back([](win::Dialog& dialog, HWND owner) -> INT_PTR {
        HWND h = dialog.Create(owner);
        if (!h) return IDCANCEL;
        SetDlgItemTextA(h, IDC_ADD_TITLE, "Brand New");
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(h, IDOK)));
        return dialog.Result();
    });
    Command(IDM_ADDGAME);
    ASSERT_EQ(ui.Calls(UiCall::Modal).size(), 2u);
    EXPECT_EQ(ui.Calls(UiCall::Modal)[1].dialogId, IDD_GAMESETTINGS) << "no setup program: its settings are asked for";
    EXPECT_EQ(std::make_tuple(List().Count(), List().Text(List().Selected(), 0), Caption()),
              std::make_tuple(3, "Brand New", "Quillon Loader 0.8c - Brand New"));
    Command(IDM_ADDGAME);  // cancelled
    EXPECT_EQ(List().Count(), 3);
}

// A quit while the window is open (the session ends) ends the loop at once; the closing steps still run.
MainWindow* g_looping = nullptr;
bool g_closedLate = false;
void CALLBACK QuitSoon(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    ListView_SetColumnWidth(GetDlgItem(g_looping->Handle(), IDC_GAMELIST), 0, 77);
    PostQuitMessage(0);
}
void CALLBACK CloseLate(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_closedLate = true;
    PostMessageA(g_looping->Handle(), WM_CLOSE, 0, 0);
}

TEST_F(StartupTest, AQuitEndsTheMessageLoopAndTheClosingStepsRun) {
    window = std::make_unique<MainWindow>("", Options());
    g_looping = window.get();
    const UINT_PTR quit = SetTimer(nullptr, 0, 100, &QuitSoon), late = SetTimer(nullptr, 0, 1500, &CloseLate);
    window->Run();
    KillTimer(nullptr, late);
    KillTimer(nullptr, quit);
    EXPECT_FALSE(g_closedLate) << "the quit was let pass";
    DWORD stored = 0;
    ReadSettingValue("ColumnWidth0", stored);
    EXPECT_EQ(stored, 77u);
}

}  // namespace
