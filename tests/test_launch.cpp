// Running games: the launch steps, and the ways to start one.
#include "MainWindowFixture.h"
#include "MessageTexts.h"
#include "UiRows.h"
#include "DialogProbe.h"
#include "data/Files.h"
#include "data/GameExtras.h"
#include "data/RegistryKey.h"
#include "launch/RegistryValue.h"
#include "mainwnd/LaunchSteps.h"
#include "res/LocateGameDialogRes.h"
#include "res/resource.h"
#include "win/UserInterface.h"
#include "state/Settings.h"
#include "win/Texts.h"
#include <commctrl.h>
#include <commdlg.h>

namespace {

class LaunchTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        gameDir = folder + "\\GAMEDIR";
        CreateDirectoryA(gameDir.c_str(), nullptr);
        WriteFileText(gameDir + "\\PLAY.EXE", "MZ");
        SetCurrentDirectoryA(folder.c_str());
    }
    void TearDown() override {
        SetCurrentDirectoryA("C:\\");
        MainWindowFixture::TearDown();
    }
    GameRecord Game(const std::string& title, const std::string& command = "PLAY.EXE") {
        return MakeGame(title, "p", "c", gameDir, command);
    }
    bool Run(GameRecord& g) {
        CurrentGame current;
        current.record = g;
        const bool ran = RunGame(nullptr, FieldText(g.title), current, state);
        g = current.record;
        return ran;
    }
    AppState state;
    std::string gameDir;
};

// The shell gets the program, or VDMSound's launch file with Loader.bat; failures are told.
TEST_F(LaunchTest, ShellGetsThePlanAndFailuresAreReported) {
    GameRecord g = Game("Broken");
    SetField(g.setup, "(Parameters)");
    g.selectedDisplay = 2;
    SetField(g.vgaParam, "-vga");
    ui.shellResults = {42, 32};  // 32 and below: the shell failed
    ASSERT_TRUE(Run(g));
    EXPECT_TRUE(Run(g)) << "a failed shell call still counts as a launch";
    EXPECT_EQ(Row(ui.calls.at(0)), (Strings{"PLAY.EXE", "open", std::to_string(SW_SHOWNORMAL), " -vga ", gameDir}));
    ASSERT_EQ(ui.calls.size(), 3u);
    EXPECT_EQ(Row(ui.calls[2]),
              MessageRow("Could not open PLAY.EXE\nPlease verify the settings.", "Broken.qgf", MB_ICONSTOP));
    EXPECT_EQ(LastRun(), "Broken");
    state.vdm = {true, folder + "\\VDMS\\", folder + "\\VDMS\\VDMSRun.pif"};
    g.options = 1;
    ui.Clear();
    ASSERT_TRUE(Run(g));
    EXPECT_EQ((Strings{ui.calls.at(0).text, ui.calls[0].params}), (Strings{state.vdm.launchFile, "Loader.bat"}));
    EXPECT_EQ(FileText(gameDir + "\\Loader.bat"), "@PLAY.EXE  -vga ");
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_EQ(std::string(cwd), gameDir);
    SetField(g.command, "GONE.EXE");
    ui.fileAnswers.push_back(gameDir + "\\GONE.EXE");  // picked, and gone before the start
    ui.Clear();
    EXPECT_FALSE(Run(g));
    EXPECT_EQ(MessageTexts(ui), Strings{Format(Tr(TextId::CouldNotExecuteGame), (gameDir + "\\GONE.EXE").c_str())});
    SetField(g.command, "PLAY.EXE");
    DeleteFileA((gameDir + "\\Loader.bat").c_str());
    CreateDirectoryA((gameDir + "\\Loader.bat").c_str(), nullptr);  // in the way
    ui.Clear();
    EXPECT_FALSE(Run(g));
    ASSERT_EQ(ui.calls.size(), 1u) << "a message, and nothing run";
    EXPECT_EQ(ui.calls[0].text.rfind("Using VDMSound with setup parameters requires a temporary batch file", 0), 0u);
}

// The locating dialog's own steps are test_locate_game's.
TEST_F(LaunchTest, MissingFolderAndProgramAreAskedFor) {
    GameRecord g = MakeGame("Moved", "p", "c", folder + "\\GONE", "");
    WriteSettingString("LastRun", "before");
    EXPECT_FALSE(Run(g)) << "the error-locating dialog, closed";
    EXPECT_EQ(LastRun(), "before");
    ui.modalScripts.push_back([](win::Dialog& d, HWND owner) {  // the locating dialog's Browse
        if (d.Create(owner)) SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(IDC_LOCATE_BROWSE, BN_CLICKED), 0);
        PumpMessages();
        return d.Result();
    });
    ui.folderAnswers.push_back(gameDir);
    EXPECT_FALSE(Run(g)) << "an empty Command always asks; cancelled";
    EXPECT_EQ(FieldText(g.path), gameDir);
    EXPECT_EQ(LastRun(), "Moved") << "written before the program check";
    EXPECT_EQ(ui.Calls(UiCall::File).at(0).params, gameDir) << "the picker opens in the folder";
    const std::string other = folder + "\\OTHER";
    CreateDirectoryA(other.c_str(), nullptr);
    WriteFileText(other + "\\RUN.COM", "x");
    ui.fileAnswers.push_back(other + "\\RUN.COM");
    EXPECT_TRUE(Run(g));
    EXPECT_EQ(FieldText(g.path), other) << "a program in another folder moves the Path";
    EXPECT_EQ(FieldText(g.command), "RUN.COM");
    EXPECT_EQ(ui.Calls(UiCall::Execute).back().dir, other);
}

// Where Windows cannot run DOS programs, a DOS game goes to DOSBox; Loader.bat and the layer stay out.
TEST_F(LaunchTest, DosGamesGoToDosBoxWhereWindowsCannotRunThem) {
    state.isNt = true;
    state.vdm = {true, folder + "\\VDMS\\", folder + "\\VDMS\\VDMSRun.pif"};
    state.windowsRunsDos = false;
    state.dosBoxConfigFolder = folder + "\\Conf";
    GameRecord g = Game("Dos");
    SetField(g.setup, "(Parameters)");
    g.selectedDisplay = 2;
    SetField(g.vgaParam, "-vga");
    g.options = 1;  // VDMSound, no layer: Windows would remove the layer value written here
    state.settings.dosBoxPath = folder + "\\gone\\DOSBox.exe";
    WriteOrDeleteRegistryString(HKEY_CURRENT_USER, kLayersKey, (gameDir + "\\PLAY.EXE").c_str(), "WIN95");
    EXPECT_FALSE(Run(g));
    ASSERT_EQ(ui.calls.size(), 1u) << "DOSBox not found: told, nothing started";
    EXPECT_EQ(ui.calls[0].text.rfind("This game runs in DOSBox, but DOSBox was not found.", 0), 0u);
    const std::string dosBoxFolder = folder + "\\DOSBox 0.74\\", dosBox = dosBoxFolder + "DOSBox.exe";
    CreateDirectoryA(dosBoxFolder.c_str(), nullptr);
    WriteFileText(dosBox, "MZ");
    state.settings.dosBoxPath = dosBox;
    state.settings.dosBoxScreen = 1;
    WriteSettingString("LastRun", "before");
    ui.Clear();
    ASSERT_TRUE(Run(g));
    const std::string conf = folder + "\\Conf\\launch1.conf";
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(Row(ui.calls[0]),
              (Strings{dosBox, "", "0", "\"" + dosBox + "\" -userconf -conf \"" + conf + "\"", dosBoxFolder}));
    const std::string text = FileText(conf);
    EXPECT_NE(text.find("\r\n[sdl]\r\nfullscreen=false\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nmount D \"" + gameDir + "\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nD:\r\n.\\PLAY.EXE -vga\r\nexit\r\n"), std::string::npos) << text;
    EXPECT_EQ(LastRun(), "Dos");
    EXPECT_FALSE(FileExists(gameDir + "\\Loader.bat"));
    RegistryKey layers;
    std::string layer = "?";
    if (layers.Open(HKEY_CURRENT_USER, kLayersKey, KEY_READ, false))
        layers.ReadString((gameDir + "\\PLAY.EXE").c_str(), layer);
    EXPECT_EQ(layer, "WIN95") << "the layer is Windows' own: untouched";
    ui.Clear();
    ui.startResults.push_back(false);
    EXPECT_TRUE(Run(g));
    ASSERT_EQ(ui.calls.size(), 2u);
    EXPECT_EQ(Row(ui.calls[1]), MessageRow(Format(Tr(TextId::CouldNotOpen), dosBox.c_str()), "Dos.qgf", MB_ICONSTOP));
    const std::string staging = folder + "\\DOSBox Staging\\dosbox.exe";
    CreateDirectoryA((folder + "\\DOSBox Staging").c_str(), nullptr);
    CopyFileA(ThisProgram().c_str(), staging.c_str(), FALSE);
    WriteFileText(gameDir + "\\DIG.INI", "DRIVER SBPRO.DIG\r\nIO_ADDR 240\r\n");
    GameExtras own;
    own.dosBoxProgram = folder + "\\Tools\\other.exe";
    CreateDirectoryA((folder + "\\Tools").c_str(), nullptr);
    CopyFileA(ThisProgram().c_str(), own.dosBoxProgram.c_str(), FALSE);
    ASSERT_EQ(WriteGameExtras(g, own).problem, ExtrasProblem::None);
    ui.Clear();
    EXPECT_FALSE(Run(g));
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0].text.rfind("This game was not started: the DOSBox program it names,\n" + own.dosBoxProgram +
                                      "\nis not DOSBox", 0),
              0u);
    own.dosBoxProgram = staging;
    own.cdRom = {CdRomKind::Images, 0, {"C:\\CD\\A.ISO"}};
    ASSERT_EQ(WriteGameExtras(g, own).problem, ExtrasProblem::None);
    ui.Clear();
    ASSERT_TRUE(Run(g));
    const std::string conf2 = folder + "\\Conf\\launch3.conf", text2 = FileText(conf2);
    EXPECT_EQ(ui.calls.at(0).params, "\"" + staging + "\" -conf \"" + conf2 + "\"");
    EXPECT_NE(text2.find("[sblaster]\r\nsbtype=sbpro2\r\nsbbase=240\r\n"), std::string::npos) << text2;
    EXPECT_NE(text2.find("\r\nimgmount D \"C:\\CD\\A.ISO\" -t iso\r\n"), std::string::npos) << text2;
    SetGameRunWith(g, RunWith::Windows);
    ui.Clear();
    ASSERT_TRUE(Run(g));
    EXPECT_EQ(ui.Calls(UiCall::Execute).size(), 1u);
}

TEST_F(LaunchTest, EntryPointsRunAndSaveOrNot) {
    AddGame(Game("A menu", ""));
    AddGame(Game("B button", ""));
    AddGame(Game("C double", ""));
    Start();
    Command(IDM_RUNGAME);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(Row(ui.Messages()[0]), MessageRow("No game is selected.", "Quillon Loader", MB_ICONEXCLAMATION));
    const std::string play = gameDir + "\\PLAY.EXE";
    ui.fileAnswers = {play, play, play};
    ClickRow(0);
    Command(IDM_RUNGAME);
    ClickRow(1);
    SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_RUNGAME, BN_CLICKED), 0);
    PumpMessages();
    DoubleClickRow(2);
    EXPECT_EQ(ui.Calls(UiCall::Execute).size(), 3u);
    Strings saved;
    for (const char* title : {"A menu", "B button", "C double"}) {
        GameRecord g{};
        ReadGameRecord(GamePath(title), g);
        saved.push_back(FieldText(g.command));
    }
    EXPECT_EQ(saved, (Strings{"", "PLAY.EXE", "PLAY.EXE"})) << "the menu leaves the choice unsaved";
    EXPECT_EQ(List().Image(2), 0) << "the row's image is recomputed";
    ClickRow(1);
    ui.Clear();
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        MSG msg{List().Handle(), WM_KEYDOWN, key, 0, 0, {0, 0}};
        IsDialogMessageA(Hwnd(), &msg);
        PumpMessages();
    }
    EXPECT_EQ(ui.Calls(UiCall::Execute).size(), 1u);
    EXPECT_TRUE(IsWindow(Hwnd()) && !window->Ended());
}

// A row selected and run at once, before the window has shown its game: the row's own game runs.
TEST_F(LaunchTest, ALaunchRunsTheRowItNamesBeforeItsSelectionIsShown) {
    WriteFileText(gameDir + "\\DOSMARK.COM", "x");
    WriteFileText(gameDir + "\\marker.exe", "MZ");
    AddGame(Game("Alpha", "DOSMARK.COM"));
    AddGame(Game("Beta", "marker.exe"));
    WriteFileText(GamePath("Gamma"), "damaged");
    Start();
    enum Trigger { DoubleClick, Button, Menu };
    const struct {
        int row;
        bool clicked;  // the click of the selection came too
        Trigger trigger;
        Strings calls;  // executed files and message texts
    } cases[] = {{1, false, DoubleClick, {"marker.exe"}},
                 {1, false, Button, {"marker.exe"}},
                 {1, true, Menu, {"marker.exe"}},
                 {2, true, DoubleClick, {"Failed to load the game file.\nPlease re-create it."}}};  // told once
    for (const auto& c : cases) {
        ClickRow(0);
        ui.Clear();
        List().Select(c.row);
        NMHDR nm{List().Handle(), IDC_GAMELIST, static_cast<UINT>(NM_CLICK)};
        if (c.clicked) SendMessageA(Hwnd(), WM_NOTIFY, IDC_GAMELIST, reinterpret_cast<LPARAM>(&nm));
        nm.code = static_cast<UINT>(NM_DBLCLK);
        if (c.trigger == DoubleClick) SendMessageA(Hwnd(), WM_NOTIFY, IDC_GAMELIST, reinterpret_cast<LPARAM>(&nm));
        if (c.trigger != DoubleClick)
            SendMessageA(Hwnd(), WM_COMMAND, c.trigger == Button ? IDC_RUNGAME : IDM_RUNGAME, 0);
        PumpMessages();
        Strings calls;
        for (const auto& call : ui.calls) calls.push_back(call.text);
        EXPECT_EQ(calls, c.calls) << "row " << c.row << ", trigger " << c.trigger;
    }
}

// Only the listed file in Games runs from the command line: not a namesake elsewhere, nor a device.
TEST_F(LaunchTest, CommandLineRunsOnlyTheListedGameFile) {
    AddGame(Game("Other"));
    AddGame(Game("Chosen Game"));
    const std::string outside = folder + "\\outside", device = "\\\\?\\" + folder + "\\Games\\";
    CreateDirectoryA(outside.c_str(), nullptr);
    WriteGame(outside + "\\Chosen Game.qgf", Game("Outsider"));
    for (const char* name : {"AUX.qgf", "COM1.qgf"}) WriteFileText(device + name, "");  // files, not devices
    const struct {
        std::string line, caption;  // caption: of the refusal, none when the game runs
    } cases[] = {{"\"" + GamePath("Chosen Game") + "\"", ""},
                 {"\"C:\\Elsewhere\\Unknown.qgf\"", "Unknown"},
                 {"\"" + outside + "\\Chosen Game.qgf\"", "Chosen Game"},
                 {"\"" + GamePath("COM1") + "\"", "COM1"},
                 {"abc", ""}};  // three characters or fewer are no command line
    for (const auto& c : cases) {
        ui.Clear();
        Start(c.line);
        EXPECT_EQ(List().Count(), 2) << c.line;
        const bool runs = c.caption.empty() && c.line != "abc";
        EXPECT_EQ(ui.Calls(UiCall::Execute).size(), runs ? 1u : 0u) << c.line;
        EXPECT_TRUE(!runs || List().Text(List().Selected(), 0) == "Chosen Game") << "the row is selected";
        Strings captions;
        for (const auto& m : ui.Messages())
            captions.push_back(m.caption + (m.text.rfind("Cannot find the QGF in the game list!", 0) == 0 ? "" : "?"));
        EXPECT_EQ(captions, c.caption.empty() ? Strings{} : Strings{c.caption}) << c.line;
        Discard();
    }
    for (const char* name : {"AUX.qgf", "COM1.qgf"}) DeleteFileA((device + name).c_str());
}

// The slider's label, and the slow-down that a DOS game gets in DOSBox as its speed.
TEST_F(LaunchTest, SlowDownLabelFollowsTheSliderAndBecomesDosBoxsSpeed) {
    WriteSettingValue("DOSBoxMode", 2);
    WriteSettingString("DOSBoxPath", gameDir + "\\PLAY.EXE");  // an existing file stands for DOSBox
    WriteSettingValue("DOSBoxFullScreen", 1);
    AddGame(Game("Slow", "PLAY.EXE"));
    Start();
    HWND slider = GetDlgItem(Hwnd(), IDC_SLOWDOWN_SLIDER);
    auto release = [&](int position) {
        SendMessageA(slider, TBM_SETPOS, TRUE, position);
        NMHDR nm{slider, IDC_SLOWDOWN_SLIDER, static_cast<UINT>(NM_RELEASEDCAPTURE)};
        SendMessageA(Hwnd(), WM_NOTIFY, IDC_SLOWDOWN_SLIDER, reinterpret_cast<LPARAM>(&nm));
    };
    auto label = [&] { return win::WindowText(GetDlgItem(Hwnd(), IDC_SLOWDOWN_LABEL)); };
    release(60);
    EXPECT_EQ(label(), " = 50%");
    CheckDlgButton(Hwnd(), IDC_SLOWDOWN, BST_CHECKED);
    SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SLOWDOWN, BN_CLICKED), 0);
    release(110);
    EXPECT_EQ(label(), " = 100%");
    DoubleClickRow(0);
    const std::string conf = FileText(folder + "\\Temp\\DOSBox\\launch1.conf");
    EXPECT_NE(conf.find("fullscreen=true\r\n[cpu]\r\ncycles=auto 300 limit 3000\r\n"), std::string::npos) << conf;
    const std::string end = "\r\nexit\r\n:qlstop\r\n";
    EXPECT_EQ(conf.rfind(end), conf.size() - end.size()) << "not kept open";
}

}  // namespace

// Under Wine a host program starts without usable handles: only a Windows process's two are closed.
TEST(ProcessHandles, OnlyThoseOfAWindowsProcessAreClosed) {
    DWORD flags = 0;
    HANDLE ours = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    win::CloseProcessHandles(PROCESS_INFORMATION{nullptr, ours, 1, 0});
    EXPECT_TRUE(GetHandleInformation(ours, &flags));
    CloseHandle(ours);
    HANDLE process = CreateEventA(nullptr, TRUE, FALSE, nullptr), thread = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    win::CloseProcessHandles(PROCESS_INFORMATION{process, thread, 2, 2});
    EXPECT_FALSE(GetHandleInformation(process, &flags));
    EXPECT_FALSE(GetHandleInformation(thread, &flags));
}
