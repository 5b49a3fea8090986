// The end-to-end run: drives an installed Quillon.exe from outside, as a player would. Every window it
// opens is shot to SHOTS_FOLDER as NN-name.png; one line per step; exit code 0 only when all passed.
//   e2e_driver PROGRAM_FOLDER SHOTS_FOLDER OLD_CATALOGUE (a Loader.ini; the demo programs lie in C:\DemoGames)
//   e2e_driver --setup-without-runtime SETUP SHOTS_FOLDER
//   e2e_driver --dosbox PROGRAM_FOLDER SHOTS_FOLDER DOS_GAMES ON_Z (see DriveDosBox)
#include "Remote.h"
#include "CatalogueTools.h"
#include "ProcessTools.h"
#include "TestEnv.h"
#include "data/Files.h"
#include "data/GameExtras.h"
#include "data/RegistryKey.h"
#include "res/resource.h"
#include "res/AddGameDialogRes.h"
#include "res/DosBoxSettingsDialogRes.h"
#include "res/GameSettingsDialogRes.h"
#include "res/ImportDialogRes.h"
#include "res/ImportGamesDialogRes.h"
#include "res/TextInputDialogRes.h"
#include <cstdio>
#include <cstdlib>

using namespace e2e;

namespace {

using Strings = std::vector<std::string>;
const DWORD kWait = 30000;
const char* const kSettingsKey = "Software\\Freeware\\QuillonLoader";

std::string g_program, g_shots;
int g_shot = 0, g_failures = 0;
Remote* g_remote = nullptr;
HWND g_main = nullptr, g_list = nullptr;  // the running program's main window and game list

struct Stop {};  // a failed Require: the run ends, and the program with it

void Shot(const std::string& name) {
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\%02d-%s.png", g_shots.c_str(), ++g_shot, name.c_str());
    Sleep(400);  // let the window paint
    if (!Screenshot(path)) printf("  (no screenshot %s)\n", path);
}

void Check(bool ok, const std::string& what) {
    printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    fflush(stdout);
    if (ok) return;
    ++g_failures;
    if (g_remote)
        for (HWND w : g_remote->Windows())
            printf("  window: caption '%s' text '%s'\n", Text(w).c_str(), MessageBoxText(w).c_str());
    Shot("failure");
}

// A step that cannot go on without the one before.
void Require(bool ok, const std::string& what) {
    Check(ok, what);
    if (!ok) throw Stop();
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A value under HKEY_LOCAL_MACHINE\<key> (or HKEY_CLASSES_ROOT\<key>'s default).
std::string ReadText(HKEY root, const char* key, const char* name = nullptr) {
    RegistryKey k;
    std::string value;
    if (k.Open(root, key, KEY_READ, false)) k.ReadString(name, value, 1024);
    return value;
}

void CheckLastRun(const std::string& title, const std::string& what) {
    const std::string lastRun = ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, "LastRun");
    Check(lastRun == title, what + ": '" + lastRun + "'");
}

std::string Joined(const Strings& texts) {
    std::string all;
    for (const auto& t : texts) all += (all.empty() ? "" : ", ") + t;
    return all;
}

HWND Opens(const std::string& caption, int control, const std::string& what) {
    HWND dialog = g_remote->WaitForDialog(caption, control, kWait);
    Require(dialog != nullptr, what);
    return dialog;
}

void Closes(HWND dialog, const std::string& what) {
    Require(WaitUntil([&] { return !IsWindow(dialog); }), what + " closes");
}
void Close(HWND dialog, int button, const std::string& what) {
    Click(dialog, button);
    Closes(dialog, what);
}

// A button of the main window clicked, or a menu command posted as the menu does.
void Do(int id) { GetDlgItem(g_main, id) ? Click(g_main, id) : Command(g_main, id); }

// A dialog of the program (a message box too) appears, says |textPart|, is shot and closes with |button|.
void Answer(const std::string& caption, int button, const std::string& shot, const std::string& textPart = "") {
    HWND box = Opens(caption, button, "the dialog '" + caption + "' opens");
    if (!textPart.empty()) Check(Has(MessageBoxText(box), textPart), "'" + caption + "' says '" + textPart + "'");
    Shot(shot);
    Close(box, button, "the dialog '" + caption + "'");
}

int Row(const std::string& title) { return g_remote->FindRow(g_list, title); }
int Rows() { return g_remote->RowCount(g_list); }
std::string Cell(int row, int column) { return g_remote->CellText(g_list, row, column); }
bool Shows(const std::string& title, const std::string& publisher, const std::string& category) {
    const int row = Row(title);
    return row != -1 && Cell(row, 1) == publisher && Cell(row, 2) == category;
}

int SelectGame(const std::string& title) {
    const int row = Row(title);
    Require(g_remote->SelectRow(g_list, row), "'" + title + "' is selected");
    Sleep(500);
    return row;
}

// Runs |title|; whether its |marker| file came, holding |expected|.
bool Runs(const std::string& title, const std::string& marker, const std::string& expected) {
    DeleteFileA(marker.c_str());
    SelectGame(title);
    Do(IDC_RUNGAME);
    return WaitUntil([&] { return FileExists(marker) && Has(FileText(marker), expected); });
}

// One start of a program (the installed Quillon.exe unless |exe| is given), driven while the object lives.
struct Start {
    explicit Start(const std::string& what, const std::string& exe = "")
        : run(exe.empty() ? g_program + "\\Quillon.exe" : exe, "", exe.empty() ? g_program : ""), remote(run.Pid()) {
        Require(run.Started(), what);
        g_remote = &remote;
    }
    ~Start() { g_remote = nullptr; }
    void MainWindow(const std::string& what = "the main window opens") {
        Require((g_main = remote.WaitForMainWindow(kWait)) != nullptr, what);
        g_list = GetDlgItem(g_main, IDC_GAMELIST);
    }
    void Exit() {
        Command(g_main, IDM_EXIT);
        const DWORD code = run.WaitExit(kWait);
        Require(code != STILL_ACTIVE, "the program ends on File > Exit");
        Check(code == 0, "its exit code is 0 (" + std::to_string(code) + ")");
    }
    ProgramRun run;
    Remote remote;
};

void StepListRows() {
    const Strings samples = {"Blaster Pro", "Cave Runner", "Lost Kingdom", "Pixel Pinball", "Rainbow",
                             "Sound Check", "Star Maze",   "Tank Duel",    "Ultra Check"};
    Require(WaitUntil([&] { return Rows() == static_cast<int>(samples.size()); }),
            "the list shows the nine sample games");
    Strings titles = g_remote->Column(g_list, 0);
    std::sort(titles.begin(), titles.end());
    Check(titles == samples, "the rows are the sample games: " + Joined(titles));
    Check(Shows("Tank Duel", "Quillon Demo Works", "Action"), "the row 'Tank Duel' shows its publisher and category");
    const std::string parameters = Cell(Row("Tank Duel"), 3);
    Check(Has(parameters, "/vga"), "the row 'Tank Duel' shows its parameters: '" + parameters + "'");
}

void StepRunGame() {
    const std::string marker = "C:\\DemoGames\\TankDuel\\RANLAST.TXT";
    Require(Runs("Tank Duel", marker, ""), "the demo game starts and writes its marker");
    Sleep(300);
    const std::string ran = FileText(marker);
    Check(Has(ran, "/vga") && Has(ran, "/sb16"), "the game got its device parameters");
    Check(Has(ran, "C:\\DemoGames\\TankDuel"), "the game ran in its own folder");
    HWND game = nullptr;
    Check(WaitUntil([&] { return (game = FindWindowA("QuillonDemoGame", "Tank Duel")) != nullptr; }),
          "the game's window is open");
    Shot("demo-game");
    if (game) PostMessageA(game, WM_CLOSE, 0, 0);
    CheckLastRun("Tank Duel", "LastRun names the game that ran");
}

void StepAddGame() {
    const int before = Rows();
    Do(IDM_ADDGAME);
    HWND dialog = Opens("Quillon Loader - Add a new game (QGF File)", IDC_ADD_TITLE, "the add-game dialog opens");
    Shot("add-game");
    const std::pair<int, std::string> fields[] = {
        {IDC_ADD_TITLE, "Night Patrol"},   {IDC_ADD_PUBLISHER, "Quillon Demo Works"},
        {IDC_ADD_CATEGORY, "Arcade"},      {IDC_ADD_PATH, "C:\\DemoGames\\StarMaze"},
        {IDC_ADD_COMMAND, "STARMAZE.EXE"}, {IDC_ADD_PICTURE, g_program + "\\Images\\StarMaze.bmp"}};
    for (const auto& field : fields) SetItemText(dialog, field.first, field.second);
    Shot("add-game-filled");
    Close(dialog, IDOK, "the add-game dialog");
    // Without a setup program in the game's folder, its settings are asked for next.
    Answer("Modify Settings for Night Patrol", IDCANCEL, "game-settings");
    Check(WaitUntil([&] { return Rows() == before + 1; }), "the list has one row more");
    Check(Shows("Night Patrol", "Quillon Demo Works", "Arcade"), "the new game's row shows its publisher and category");
    Check(Row("Night Patrol") != -1 && g_remote->SelectedRow(g_list) == Row("Night Patrol"),
          "the new game is selected");
    // The record is 11164 bytes; the picture follows it.
    Check(FileText(g_program + "\\Games\\Night Patrol.qgf").size() > 11164,
          "its game file holds the record and the picture");
    Shot("main-after-add");
}

HWND DetailsTree() { return GetDlgItem(GetDlgItem(g_main, IDC_DETAILSBAR), IDC_DETAILS_TREE); }
HTREEITEM TreeNext(UINT how, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(DetailsTree(), TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
}

// The details bar's "Sound setup" row of Blaster Pro, whose own DIG.INI chose a Sound Blaster Pro.
void StepSoundSetupRow() {
    SelectGame("Blaster Pro");
    HWND tree = DetailsTree();
    HTREEITEM header = TreeNext(TVGN_ROOT, nullptr);
    while (header && g_remote->TreeItemText(tree, header) != "Sound setup") header = TreeNext(TVGN_NEXT, header);
    Require(header != nullptr, "a DOS game's details show a 'Sound setup' row");
    const HTREEITEM value = TreeNext(TVGN_CHILD, header);
    const std::string text = g_remote->TreeItemText(tree, value);
    Check(text == "DIG.INI: Sound Blaster Pro, 240, IRQ 5, DMA 3", "the row tells what DIG.INI chose: " + text);
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(value));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(value));
    Shot("details-bar-sound-setup");
    for (int i = 0; i < 2; ++i) SendMessageA(tree, WM_HSCROLL, SB_PAGERIGHT, 0);  // the rest of the line
    Shot("details-bar-sound-setup-end");
    for (int i = 0; i < 2; ++i) SendMessageA(tree, WM_HSCROLL, SB_PAGELEFT, 0);
}

// Blaster Pro's game settings say where its DIG.INI disagrees with its parameter set; its DOSBox
// settings open from there. Both are cancelled: the game file stays as it was.
void StepDosBoxSettings() {
    const std::string file = g_program + "\\Games\\Blaster Pro.qgf", before = FileText(file);
    Do(IDC_MODIFY);
    HWND settings =
        Opens("Modify Settings for Blaster Pro", IDC_GS_SOUND_MISMATCH, "Modify opens Blaster Pro's game settings");
    const std::string line = ItemText(settings, IDC_GS_SOUND_MISMATCH);
    Check(line.rfind("DIG.INI chose Sound Blaster Pro, but the selected sound device is \"Gravis UltraSound\"", 0) == 0,
          "the settings say where DIG.INI disagrees: " + line);
    Shot("game-settings-sound-mismatch");
    Click(settings, IDC_GS_DOSBOX);
    HWND dosBox = Opens("DOSBox Settings for Blaster Pro", IDC_DBX_LINES, "the DOSBox settings of the game open");
    SetItemText(dosBox, IDC_DBX_LINES, "cpu.cycles=12000\r\ndosbox.memsize=32");
    Shot("dosbox-settings");
    Close(dosBox, IDCANCEL, "the DOSBox settings");
    Close(settings, IDCANCEL, "the game settings");
    Check(!before.empty() && FileText(file) == before, "cancelled, the game file is unchanged");
}

// The controls of the two import dialogs: the count of entries found, Convert and the status.
struct ImportIds {
    int found, convert, status;
};
const ImportIds kLoaderIni{IDC_IMPORT_FOUND, IDC_IMPORT_CONVERT, IDC_IMPORT_STATUS};
const ImportIds kLibrary{IDC_IMPORTGAMES_FOUND, IDC_IMPORTGAMES_CONVERT, IDC_IMPORTGAMES_STATUS};

// The import dialog lists |count| entries (any when 0), is shot and converts; its status once done.
std::string Convert(HWND dialog, const ImportIds& ids, const std::string& listed, const std::string& shot,
                    int count = 0) {
    const bool found = WaitUntil([&] {
        const int n = atoi(ItemText(dialog, ids.found).c_str());
        return count ? n == count : n > 0;
    });
    Require(found, listed + " are listed: " + ItemText(dialog, ids.found));
    Shot(shot);
    Click(dialog, ids.convert);
    const bool ended = WaitUntil([&] { return ItemText(dialog, ids.status).rfind("Converted:", 0) == 0; });
    Require(ended, "the conversion ends: " + ItemText(dialog, ids.status));
    return ItemText(dialog, ids.status);
}

void StepImport(const std::string& catalogue) {
    const int before = Rows();
    Do(IDM_IMPORT);
    HWND dialog = Opens("Import Loader.ini", IDC_IMPORT_PATH, "the import dialog opens");
    SetItemText(dialog, IDC_IMPORT_PATH, catalogue);
    const int converted = atoi(Convert(dialog, kLoaderIni, "the catalogue's sections", "import").c_str() + 10);
    Check(converted > 0, "games were converted");
    Shot("import-done");
    Close(dialog, IDOK, "the import dialog");
    Check(WaitUntil([&] { return Rows() == before + converted; }), "the list has a row for each converted game");
    Shot("main-after-import");
}

// Other launchers' libraries pointing at the DOS demo games: DOSBox configuration files (one game on a
// Sound Blaster Pro 2 at IRQ 5 with its own cycles, one on a VGA machine) and a D-Fend Reloaded data
// folder (profiles in Confs, a capture picture in Capture\<profile>).
void WriteSampleLibraries(const std::string& root) {
    const std::string dosbox = root + "\\DOSBox", dfend = root + "\\DFend";
    for (const std::string& folder :
         {root, dosbox, dfend, dfend + "\\Confs", dfend + "\\Capture", dfend + "\\Capture\\Star Maze"})
        CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileText(
        dosbox + "\\Blaster Pro Check.conf",
        "[sdl]\r\nfullscreen=false\r\n[cpu]\r\ncycles=fixed 8000\r\n[sblaster]\r\nsbtype=sbpro2\r\nirq=5\r\n"
        "[autoexec]\r\n@echo off\r\nmount c \"C:\\DemoGames\\Sound Check\"\r\nc:\r\nSOUNDCHK.COM /imported\r\n"
        "exit\r\n");
    WriteFileText(
        dosbox + "\\Rainbow Again.conf",
        "[dosbox]\r\nmachine=vgaonly\r\n[autoexec]\r\nmount c C:\\DemoGames\r\nc:\r\ncd RAINBOW\r\nRAINBOW\r\n");
    WriteFileText(
        dfend + "\\Confs\\Star Maze.prof",
        "[Extra]\r\nExe=C:\\DemoGames\\StarMaze\\STARMAZE.EXE\r\n0=C:\\DemoGames\\StarMaze;Drive;C;False;;\r\n"
        "[ExtraInfo]\r\nName=Star Maze: Director's Cut\r\nGenre=Arcade\r\nDeveloper=Quillon Demo Works\r\n"
        "Year=1993\r\n[sblaster]\r\nsbtype=sb16\r\n");
    WriteFileText(dfend + "\\Confs\\Cave.prof",
                  "[Extra]\r\nExe=C:\\DemoGames\\CaveRun\\CAVERUN.EXE\r\nGameParameters=/fast\r\n"
                  "0=C:\\DemoGames\\CaveRun;Drive;C;False;;\r\n[ExtraInfo]\r\nName=Cave Runner Classic\r\n"
                  "Publisher=Quillon Demo Works\r\nGenre=Action\r\n");
    CopyFileA((g_program + "\\Images\\StarMaze.bmp").c_str(), (dfend + "\\Capture\\Star Maze\\shot0001.bmp").c_str(),
              FALSE);
}

// File > Import games: the library of |kind| (0 DOSBox, 1 D-Fend Reloaded) at |path| comes in whole.
void ImportLibrary(int kind, const std::string& path, int games, const std::string& shot) {
    Do(IDM_IMPORTGAMES);
    HWND dialog = Opens("Import Games", IDC_IMPORTGAMES_PATH, "the dialog to import games opens");
    HWND kinds = GetDlgItem(dialog, IDC_IMPORTGAMES_KIND);
    SendMessageA(kinds, CB_SETCURSEL, static_cast<WPARAM>(kind), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_IMPORTGAMES_KIND, CBN_SELCHANGE), reinterpret_cast<LPARAM>(kinds));
    SetItemText(dialog, IDC_IMPORTGAMES_PATH, path);
    Click(dialog, IDC_IMPORTGAMES_READ);
    const std::string status = Convert(dialog, kLibrary, "the games of " + path, shot, games);
    Check(status == "Converted: " + std::to_string(games) + ".  Failed: 0.  Already exists: 0",
          "every game of " + path + " is converted: " + status);
    Shot(shot + "-done");
    Close(dialog, IDOK, "the dialog to import games");
}

void StepImportLibraries() {
    WriteSampleLibraries("C:\\Imports");
    const int before = Rows();
    ImportLibrary(0, "C:\\Imports\\DOSBox", 2, "import-dosbox");
    ImportLibrary(1, "C:\\Imports\\DFend", 2, "import-dfend");
    Check(WaitUntil([&] { return Rows() == before + 4; }), "the list has the four games");
    Check(Shows("Star Maze- Director's Cut", "Quillon Demo Works", "Arcade"),
          "a title that cannot name a file is made one; the profile's developer and genre show");
    Check(FileText(g_program + "\\Games\\Star Maze- Director's Cut.qgf").size() > 11164,
          "the capture picture is embedded in its game file");
    SelectGame("Star Maze- Director's Cut");
    Shot("main-after-import-games");
}

// The imported game runs in DOSBox and finds the card its configuration chose (a Pro 2: type T4).
void StepRunImportedGame() {
    const std::string marker = "C:\\DemoGames\\Sound Check\\MARKER.TXT";
    Require(Runs("Blaster Pro Check", marker, "BLASTER"), "the imported game runs in DOSBox and writes its marker");
    Shot("dosbox-imported-game");
    const std::string ran = FileText(marker);
    Check(Has(ran, "Arguments: /imported\r\n"), "it got the parameters of its configuration: " + ran);
    Check(Has(ran, " T4\r\n"), "BLASTER tells of the Sound Blaster Pro 2 it was imported with");
    Sleep(6000);  // the game ends after about four seconds, and DOSBox with it
}

// The other dialogs, opened as a player would and closed unchanged (the game named first selected);
// then the error-locating dialog of a game whose folder is missing.
void StepOtherDialogs() {
    const struct {
        const char* select;
        int command;
        const char* caption;
        int close;
        const char* shot;
    } dialogs[] = {{"Tank Duel", IDC_GAMESETTINGS, "Parameters for Tank Duel", IDOK, "command-line-setup"},
                   {nullptr, IDM_PREFERENCES, "Preferences", IDOK, "preferences"},
                   {nullptr, IDM_MANAGEENTRIES, "Data INI Entries", IDOK, "manage-entries"},
                   {nullptr, IDM_ADDGAMESINI, "Add Games - INI style", IDOK, "add-games-ini-style"},
                   // That dialog fills the list again, which leaves no game selected.
                   {"Tank Duel", IDM_SEARCHGAME, "Game Search - Tank Duel", IDCANCEL, "game-search"},
                   {nullptr, IDM_ABOUT, "About QuillonLoader", IDOK, "about"},
                   {"Lost Kingdom", IDC_RUNGAME, "Error locating game", IDCANCEL, "error-locating-game"}};
    for (const auto& d : dialogs) {
        if (d.select) SelectGame(d.select);
        Do(d.command);
        Answer(d.caption, d.close, d.shot);
    }
}

// Game List > Delete selected game: asked, the row and the file go.
void StepDeleteGame() {
    SelectGame("Night Patrol");
    const int before = Rows();
    Do(IDM_DELETEGAME);
    HWND confirm = Opens("Confirm Deletion", IDYES, "the deletion is asked for");
    Check(Has(MessageBoxText(confirm), "Night Patrol"), "the question names the game");
    Shot("confirm-delete");
    Click(confirm, IDYES);
    Check(WaitUntil([&] { return Rows() == before - 1; }), "the row is gone");
    Check(Row("Night Patrol") == -1, "'Night Patrol' is no longer listed");
    Check(!FileExists(g_program + "\\Games\\Night Patrol.qgf"), "its game file is deleted");
}

// The start-up import of the Loader.ini beside the program: its games exist; it is kept as Loader07.ini.
void StepStartupImport() {
    HWND dialog = Opens("Import Loader.ini", IDC_IMPORT_PATH, "the import dialog opens at start-up");
    Check(ItemText(dialog, IDC_IMPORT_PATH) == g_program + "\\Loader.ini",
          "it imports the Loader.ini beside the program");
    // The dialog closes after the closing message: its status is read first.
    const std::string status = Convert(dialog, kLoaderIni, "the catalogue's sections", "startup-import");
    Answer("Completed", IDOK, "startup-import-done", "renamed to loader07.ini");
    Check(status.rfind("Converted: 0.", 0) == 0 && Has(status, "Already exists: 5"),
          "every game of the catalogue exists already: " + status);
    if (!WaitUntil([&] { return !IsWindow(dialog); }, 3000)) Click(dialog, IDOK);
    Closes(dialog, "the import dialog");
    Check(!FileExists(g_program + "\\Loader.ini") && FileExists(g_program + "\\Loader07.ini"),
          "the catalogue is kept as Loader07.ini");
}

// Puts up or takes away a VDMSound installation in C:\VDMSound: a tips file named in the registry, VDMS.INI.
bool FakeVdmSound(bool present) {
    const char* key = "Software\\Freeware\\VDMSound";
    if (!present) {
        DeleteRegistryTree(HKEY_CURRENT_USER, key);
        RemoveTree("C:\\VDMSound");
        return !FolderExists("C:\\VDMSound");
    }
    CreateDirectoryA("C:\\VDMSound", nullptr);
    WriteFileText("C:\\VDMSound\\VDMS.INI",
                  "[SB Controller.config]\r\nversion = 4.15\r\nport = 0x220\r\nIRQ = 7\r\nDMA8 = 1\r\nDMA16 = 5\r\n"
                  "[AdLib Controller.config]\r\nport = 0x388\r\nsampleRate = 11025\r\n"
                  "[MPU401 Controller.config]\r\nport = 0x330\r\nIRQ = 2\r\n");
    RegistryKey k;
    return k.Open(HKEY_CURRENT_USER, key, KEY_WRITE, true) && k.WriteString("TipsFile", "C:\\VDMSound\\Tips.txt") &&
           FileExists("C:\\VDMSound\\VDMS.INI");
}

void CheckRegistry() {
    // The first start uses the slow-down tweak 4 while it writes 0; closing stores the tweak in use.
    const std::pair<const char*, DWORD> values[] = {{"FirstRun", 0},      {"ConfirmDelete", 1}, {"ReloadVerify", 1},
                                                    {"ReloadEffects", 0}, {"UseDefaultPif", 1}, {"Language", 0},
                                                    {"SlowDownTweak", 4}, {"Background", 3},    {"MaxGames", 512}};
    HKEY probe = nullptr;
    DWORD count = 0;
    const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &probe);
    if (opened == ERROR_SUCCESS) {
        RegQueryInfoKeyA(probe, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                         nullptr);
        RegCloseKey(probe);
    }
    Check(opened == ERROR_SUCCESS,
          "the settings key opens (error " + std::to_string(opened) + ", " + std::to_string(count) + " values)");
    RegistryKey settings;
    settings.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ, false);
    for (const auto& e : values) {
        DWORD value = 12345;
        const bool read = settings.ReadDword(e.first, value);
        Check(read && value == e.second, std::string("setting ") + e.first + " = " + std::to_string(e.second) +
                                             (read ? " (is " + std::to_string(value) + ")" : " (missing)"));
    }
    for (int i = 0; i < 4; ++i) {
        const std::string name = "ColumnWidth" + std::to_string(i);
        DWORD width = 0;
        const bool read = settings.ReadDword(name.c_str(), width);
        Check(read && width > 0 && width < 2000, "closing stored " + name + " (" + std::to_string(width) + ")");
    }
    // The game file association: {key under HKEY_CLASSES_ROOT, its default value, what that means}.
    const std::string exe = g_program + "\\Quillon.exe";
    const std::string classes[][3] = {
        {".qgf", "qgf_auto_file", ".qgf files are game files: "},
        {"qgf_auto_file\\shell\\open\\command", "\"" + exe + "\" \"%1\"", "a game file opens with this program: "},
        {"qgf_auto_file\\DefaultIcon", exe + ",5", "game files show the program's icon: "}};
    for (const auto& c : classes) {
        const std::string value = ReadText(HKEY_CLASSES_ROOT, c[0].c_str());
        Check(value == c[1], c[2] + value);
    }
}

// The installer built to find no C run-time library (Windows 95 as shipped) says so and stops with code 3.
void SetupWithoutRuntime(const std::string& setup) {
    Start run("the setup starts: " + setup, setup);
    g_shot = -1;  // its shot comes before the program's
    Answer("Quillon Loader 0.8c Setup", IDOK, "setup-without-msvcrt",
           "Please install Internet Explorer 4.0 or later, or Microsoft's Visual C++ 6.0 run-time package "
           "(VCREDIST.EXE): either brings MSVCRT.DLL. Then run this setup again.");
    const DWORD code = run.run.WaitExit(kWait);
    Check(code == 3, "the setup stops with exit code 3: " + std::to_string(code));
}

void DriveProgram(const std::string& catalogue) {
    Strings rows;
    {
        // First start: the one-time welcome, then the sample games.
        Start first("Quillon.exe starts from " + g_program);
        Answer("Welcome to Quillon Loader", IDOK, "welcome", "This is a one time message.");
        first.MainWindow();
        StepListRows();
        Shot("main");
        for (void (*step)() : {StepRunGame, StepAddGame, StepSoundSetupRow, StepDosBoxSettings})
            step();
        StepImport(catalogue);
        for (void (*step)() : {StepImportLibraries, StepRunImportedGame, StepOtherDialogs, StepDeleteGame}) step();
        rows = g_remote->Column(g_list, 0);
        first.Exit();
    }

    // What the run left behind.
    CheckRegistry();
    Strings files;
    for (const auto& row : rows) files.push_back("\\" + row + ".qgf");
    std::sort(files.begin(), files.end());
    Check(FilesBelow(g_program + "\\Games") == files,
          "the Games folder holds exactly the listed games: " + Joined(rows));

    // Second start, with the old catalogue beside the program and VDMSound put up.
    Require(FakeVdmSound(true), "a VDMSound installation is there for the second start");
    Require(CopyFileA(catalogue.c_str(), (g_program + "\\Loader.ini").c_str(), FALSE) != 0,
            "an old Loader.ini lies beside the program");
    {
        Start second("Quillon.exe starts again");
        Answer("Found v0.7 Loader.ini file", IDYES, "import-offer", "Would you like to import the games");
        StepStartupImport();
        second.MainWindow("the main window opens again");
        Check(WaitUntil([&] { return Rows() == static_cast<int>(rows.size()); }),
              "the list shows the same games again");
        Check(second.remote.WaitForDialog("Welcome to Quillon Loader", 0, 1000) == nullptr,
              "no welcome on the second start");
        // The game selected last is selected again; a deleted one leaves no row selected.
        const std::string lastRun = ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, "LastRun");
        Check(!lastRun.empty(), "LastRun is stored");
        const bool listed = std::count(rows.begin(), rows.end(), lastRun) > 0;
        WaitUntil([&] { return g_remote->SelectedRow(g_list) != -1; }, listed ? kWait : 500);
        const int selected = g_remote->SelectedRow(g_list);
        Check(listed ? selected != -1 && Cell(selected, 0) == lastRun : selected == -1,
              "the game selected last ('" + lastRun + "') is selected" + (listed ? "" : ": deleted, none is"));
        Shot("second-start");
        Do(IDM_VDMSSETTINGS);
        Answer("Global VDMSound Emulation Settings", IDCANCEL, "vdmsound-settings");
        second.Exit();
    }
    Check(FakeVdmSound(false), "the VDMSound installation is taken away again");
}

// ---- DOS games in Debian's DOSBox (Z:\usr\bin\dosbox, found at the first start) ----------------
// Wine does not wait for host programs: a host script writes its output into a file that appears when it
// has ended. run_e2e.sh gives the run a HOME of its own, where DOSBox keeps the player's configuration.

// Runs |script| in the host's shell to its end; its output ("" when it did not end in time).
std::string HostScript(const std::string& script, DWORD ms = kWait) {
    static int count = 0;
    const std::string base = g_shots + "\\host-" + std::to_string(++count);
    WriteFileText(base + ".sh", "exec 2>&1\n" + script);
    std::string sh;
    if (!HostPathOf(base + ".sh", sh)) return "";
    WriteOnHost("/bin/sh '" + sh + "' >", base + ".out", ms);
    const std::string output = FileText(base + ".out");
    DeleteFileA((base + ".sh").c_str());
    DeleteFileA((base + ".out").c_str());
    return output;
}

// The host's dosbox processes of this run (those with its HOME), one a line.
const char kOurDosBoxes[] =
    "ours() { for p in $(pgrep -x dosbox); do tr '\\0' '\\n' 2>/dev/null </proc/$p/environ | "
    "grep -qxF \"HOME=$HOME\" && echo $p; done; }\n";

bool DosBoxRuns() { return !HostScript(std::string(kOurDosBoxes) + "ours").empty(); }

// True once no DOSBox of this run is left (|ms| at most).
bool DosBoxesEnded(DWORD ms = kWait) {
    const std::string left =
        HostScript(std::string(kOurDosBoxes) + "n=0; while [ -n \"$(ours)\" ] && [ $n -lt " + std::to_string(ms / 100) +
                       " ]; do sleep 0.1; n=$((n+1)); done; ours; echo end",
                   ms + 5000);
    return left == "end\n";
}

// Runs |title| and waits for MARKER.TXT in |folder| to hold |expected|, then for DOSBox to end; the marker.
std::string RunDosGame(const std::string& title, const std::string& folder, const std::string& expected,
                       const std::string& shot = "") {
    const std::string marker = folder + "\\MARKER.TXT";
    const bool found = Runs(title, marker, expected);
    if (!shot.empty()) Shot(shot);
    Check(found, "'" + title + "' runs in DOSBox: " + expected + (found ? "" : " (marker: " + FileText(marker) + ")"));
    Check(DosBoxesEnded(), "DOSBox ends after '" + title + "'");
    return FileText(marker);
}

// The slow-down box cleared, or ticked with the slider at |percent|.
void SetSlowDown(int percent) {
    HWND box = GetDlgItem(g_main, IDC_SLOWDOWN);
    auto ticked = [box] { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; };
    if (ticked()) {
        Click(g_main, IDC_SLOWDOWN);
        Require(WaitUntil([&] { return !ticked(); }), "the slow-down box is cleared");
    }
    if (percent < 0) return;
    SendMessageA(GetDlgItem(g_main, IDC_SLOWDOWN_SLIDER), TBM_SETPOS, TRUE, 10 + percent);
    Click(g_main, IDC_SLOWDOWN);
    Require(WaitUntil(ticked), "the slow-down box is ticked at " + std::to_string(percent) + "%");
    Sleep(300);
}

// The slow-down at off, 0%, 50% and 100%: CPUCOUNT.COM's loops per second fall (no time: the machine is shared).
void StepDosBoxSlowDown(const std::string& folder) {
    long loops[4] = {};
    const int percents[4] = {-1, 0, 50, 100};
    for (int i = 0; i < 4; ++i) {
        SetSlowDown(percents[i]);
        const std::string ran = RunDosGame("Speed Count", folder, "loops per second");
        const size_t at = ran.find(": ");
        loops[i] = at == std::string::npos ? 0 : atol(ran.c_str() + at + 2);
    }
    SetSlowDown(-1);
    printf("  slow-down in DOSBox, loops per second: off %ld, 0%% %ld, 50%% %ld, 100%% %ld\n", loops[0], loops[1],
           loops[2], loops[3]);
    Check(loops[0] > 0 && loops[1] * 10 > loops[0] * 7 && loops[1] * 7 < loops[0] * 10, "0% runs as fast as off");
    Check(loops[2] * 10 < loops[1] * 8 && loops[3] * 10 < loops[2] * 8, "50% runs slower than 0%, 100% slower still");
}

// The player's own DOSBox configuration (in the run's HOME) mounts C: in its [autoexec]: the game starts.
void StepDosBoxOwnConfig(const std::string& dosGames) {
    // Wine keeps HOME from Windows programs; the host's shell knows it.
    std::string own = "Z:" + HostScript("printf %s \"$HOME\"") + "/.dosbox/dosbox-0.74-3.conf";
    std::replace(own.begin(), own.end(), '/', '\\');
    const std::string before = FileText(own);
    Require(Has(before, "[autoexec]"), "DOSBox made the player's configuration " + own);
    std::string mountable;
    HostPathOf(dosGames + "\\CDNAME", mountable);
    WriteFileText(own, before + "mount C \"" + mountable + "\"\r\nC:\r\n");
    RunDosGame("Own Mount", dosGames + "\\OWNC", "Program: C:\\DOSRUNS\\OWNC\\GAME.COM");
    WriteFileText(own, before);
}

// A program DOSBox cannot find (Wine's short name of a long one; DOSBox has its own): DOSBox stays open
// and says what is missing; the test closes it.
void StepDosBoxMissingProgram() {
    SelectGame("Gone Program");
    Do(IDC_RUNGAME);
    Require(WaitUntil(DosBoxRuns), "DOSBox starts for 'Gone Program'");
    Sleep(4000);
    Shot("dosbox-missing-program");
    Check(DosBoxRuns(), "DOSBox stays open when the game's program is missing");
    HostScript(std::string(kOurDosBoxes) + "for p in $(ours); do kill $p; done");
    Check(DosBoxesEnded(10000), "DOSBox is closed by the test");
}

// The DOS games, in a third start: the samples, then the games below, each checked by its marker.
void DriveDosBox(const std::string& dosGames, const std::string& onZ) {
    const std::string found = ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, "DOSBoxPath");
    Check(found == "Z:\\usr\\bin\\dosbox", "the host's DOSBox was found at the first start: " + found);
    char shortName[MAX_PATH] = "";
    GetShortPathNameA((dosGames + "\\NOPROG\\Long name game.com").c_str(), shortName, sizeof shortName);
    const std::string gone = strrchr(shortName, '\\') ? strrchr(shortName, '\\') + 1 : "";
    Require(Has(gone, "~"), "Wine gave the long name a short one: " + gone);
    // The games written, {title, folder, program, what it writes into its marker (none: run apart)}, run in this order.
    const std::string games[][4] = {
        {"Disc Check", dosGames + "\\CDGAME", "CDCHECK.COM",
         "CD-ROM: 1 drive(s), the first D:; D:\\QUILLON.TXT: Disc one of the end-to-end test"},
        {"Named CD", dosGames + "\\CDNAME", "CD.COM", "Program: C:\\DOSRUNS\\CDNAME\\CD.COM"},
        {"Tom & Jerry", dosGames + "\\TOM & JERRY", "GAME.COM", "Program: D:\\GAME.COM"},
        {"Deep Path", dosGames + "\\DEEPPATH\\LEVEL001\\LEVEL002\\LEVEL003\\LEVEL004\\LEVEL005\\LEVEL006\\GAME",
         "GAME.COM", "Folder: D:\\\r\n"},
        {"On Drive Z", onZ, "GAME.COM", "Program: C:\\GAME.COM"},
        {"Speed Count", dosGames + "\\SPEED", "CPUCOUNT.COM", ""},
        {"Own Mount", dosGames + "\\OWNC", "GAME.COM", ""},
        {"Gone Program", dosGames + "\\NOPROG", gone, ""}};
    GameExtras disc;
    disc.cdRom = {CdRomKind::Images, 0, {dosGames + "\\ISO\\DISC1.ISO"}};
    for (const auto& g : games) {
        GameRecord game = MakeGame(g[0], "Quillon Demo Works", "DOSBox", g[1], g[2]);
        WriteGameExtras(game, g[0] == "Disc Check" ? disc : GameExtras{});
        WriteGame(g_program + "\\Games\\" + g[0] + ".qgf", game);
    }

    Start run("Quillon.exe starts for the DOS games");
    run.MainWindow();
    Require(WaitUntil([&] { return Row("Gone Program") != -1; }), "the DOS games are listed");
    SelectGame("Rainbow");
    Do(IDC_RUNGAME);
    Require(WaitUntil(DosBoxRuns), "Rainbow starts DOSBox");
    Sleep(2500);
    Shot("dosbox-rainbow");
    Check(DosBoxesEnded(), "Rainbow ends after a few seconds, and DOSBox with it");
    const std::string sound =
        RunDosGame("Sound Check", "C:\\DemoGames\\Sound Check", "BLASTER=A220 I7 D1 H5 T6\r\n", "dosbox-sound-check");
    Check(Has(sound, "Arguments: /vga /sb16 /mpu\r\n"), "Sound Check got its parameters");
    Check(Has(sound, "Folder: D:\\\r\n"), "it ran in its own folder, mounted as D:");
    // The game's own setup files decide, not its parameter set (Gravis for Blaster Pro, none for Ultra Check).
    RunDosGame("Blaster Pro", "C:\\DemoGames\\BlastPro", "BLASTER=A240 I5 D3 T4\r\n");
    RunDosGame("Ultra Check", "C:\\DemoGames\\UltraChk", "ULTRASND=260,7,7,11,11\r\n");
    for (const auto& g : games)
        if (!g[3].empty()) RunDosGame(g[0], g[1], g[3], g[0] == "Disc Check" ? "dosbox-cd-image" : "");
    StepDosBoxSlowDown(dosGames + "\\SPEED");
    StepDosBoxOwnConfig(dosGames);
    StepDosBoxMissingProgram();
    CheckLastRun("Gone Program", "LastRun names the DOS game run last");
    run.Exit();
}

}  // namespace

int main(int argc, char** argv) {
    const bool setup = argc == 4 && std::string(argv[1]) == "--setup-without-runtime";
    const bool dosBox = argc == 6 && std::string(argv[1]) == "--dosbox";
    if (!setup && !dosBox && argc != 4) {
        fprintf(stderr, "usage: e2e_driver PROGRAM_FOLDER SHOTS_FOLDER OLD_CATALOGUE\n");
        return 2;
    }
    g_program = dosBox ? argv[2] : argv[1];
    g_shots = setup || dosBox ? argv[3] : argv[2];
    CreateDirectoryA(g_shots.c_str(), nullptr);
    try {
        if (setup)
            SetupWithoutRuntime(argv[2]);
        else if (dosBox)
            g_shot = 69, DriveDosBox(argv[4], argv[5]);  // its shots after the program's
        else
            DriveProgram(argv[3]);
    } catch (const Stop&) {
    }
    printf("%s: %d failure(s)\n", g_failures ? "FAILED" : "PASSED", g_failures);
    return g_failures ? 1 : 0;
}
