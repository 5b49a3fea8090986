// The end-to-end run of the real program: starts an installed Quillon.exe as a
// player would, and drives it from outside through window messages.
//
//   e2e_driver PROGRAM_FOLDER SHOTS_FOLDER OLD_CATALOGUE
//   e2e_driver --setup-without-runtime SETUP SHOTS_FOLDER
//   e2e_driver --dosbox PROGRAM_FOLDER SHOTS_FOLDER DOS_GAMES ON_Z
//
// PROGRAM_FOLDER holds the installed Quillon.exe with the sample games, whose
// demo programs lie in C:\DemoGames; OLD_CATALOGUE is a Loader.ini to import.
// With --dosbox, DOS games run in the host's DOSBox (see DriveDosBox): the DOS
// programs lie in DOS_GAMES (C:\DOSRUNS) and ON_Z, a folder on drive Z:.
// Every window the program opens is written to SHOTS_FOLDER as NN-name.png.
// Prints one line per step; the exit code is 0 only when every step passed.
#include "Remote.h"
#include "CatalogueTools.h"
#include "ProcessTools.h"
#include "TestEnv.h"
#include "data/Files.h"
#include "data/GameExtras.h"
#include "data/RegistryKey.h"
#include "launch/HostPath.h"
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

const DWORD kWait = 30000;
const char* const kSettingsKey = "Software\\Freeware\\QuillonLoader";

std::string g_program;
std::string g_shots;
int g_shot = 0;
int g_failures = 0;
Remote* g_remote = nullptr;

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

// A value under HKEY_LOCAL_MACHINE\<key> (or HKEY_CLASSES_ROOT\<key>'s default).
std::string ReadText(HKEY root, const char* key, const char* name = nullptr) {
    RegistryKey k;
    std::string value;
    if (k.Open(root, key, KEY_READ, false)) k.ReadString(name, value, 1024);
    return value;
}

std::string FileText(const std::string& path) {
    const std::vector<char> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const auto& t : texts) all += (all.empty() ? "" : ", ") + t;
    return all;
}

void Closes(HWND dialog, const std::string& what) {
    Require(WaitUntil([&] { return !IsWindow(dialog); }, kWait), what + " closes");
}

// A dialog of the program (a message box too): it appears (after |command|, a
// button of the main window or a menu command, when given), says |textPart|,
// is shot and closes with |button|.
void Answer(const std::string& caption, const std::string& textPart, int button, const std::string& shot,
            HWND main = nullptr, int command = 0, bool isButton = false) {
    if (isButton)
        Click(main, command);
    else if (command)
        Command(main, command);
    HWND box = g_remote->WaitForDialog(caption, button, kWait);
    Require(box != nullptr, "the dialog '" + caption + "' opens");
    if (!textPart.empty())
        Check(MessageBoxText(box).find(textPart) != std::string::npos, "'" + caption + "' says '" + textPart + "'");
    Shot(shot);
    Click(box, button);
    Closes(box, "the dialog '" + caption + "'");
}

void OpenAndClose(HWND main, int command, bool isButton, const std::string& caption, int button,
                  const std::string& shot) {
    Answer(caption, "", button, shot, main, command, isButton);
}

int SelectGame(HWND list, const std::string& title) {
    const int row = g_remote->FindRow(list, title);
    Require(g_remote->SelectRow(list, row), "'" + title + "' is selected");
    Sleep(500);
    return row;
}

void StepListRows(HWND list) {
    const std::vector<std::string> samples = {"Blaster Pro", "Cave Runner", "Lost Kingdom", "Pixel Pinball", "Rainbow",
                                              "Sound Check", "Star Maze",   "Tank Duel",    "Ultra Check"};
    Require(WaitUntil([&] { return g_remote->RowCount(list) == static_cast<int>(samples.size()); }, kWait),
            "the list shows the nine sample games");
    std::vector<std::string> titles = g_remote->Column(list, 0);
    std::sort(titles.begin(), titles.end());
    Check(titles == samples, "the rows are the sample games: " + Joined(titles));
    const int tank = g_remote->FindRow(list, "Tank Duel");
    Check(g_remote->CellText(list, tank, 1) == "Quillon Demo Works" && g_remote->CellText(list, tank, 2) == "Action",
          "the row 'Tank Duel' shows its publisher and category");
    Check(g_remote->CellText(list, tank, 3).find("/vga") != std::string::npos,
          "the row 'Tank Duel' shows its parameters: '" + g_remote->CellText(list, tank, 3) + "'");
}

void StepRunGame(HWND main, HWND list) {
    const std::string marker = "C:\\DemoGames\\TankDuel\\RANLAST.TXT";
    DeleteFileA(marker.c_str());
    SelectGame(list, "Tank Duel");
    Click(main, IDC_RUNGAME);
    Require(WaitUntil([&] { return FileExists(marker); }, kWait), "the demo game starts and writes its marker");
    Sleep(300);
    const std::string ran = FileText(marker);
    Check(ran.find("/vga") != std::string::npos && ran.find("/sb16") != std::string::npos,
          "the game got its device parameters");
    Check(ran.find("C:\\DemoGames\\TankDuel") != std::string::npos, "the game ran in its own folder");
    HWND game = nullptr;
    WaitUntil([&] { return (game = FindWindowA("QuillonDemoGame", "Tank Duel")) != nullptr; }, kWait);
    Check(game != nullptr, "the game's window is open");
    Shot("demo-game");
    if (game) PostMessageA(game, WM_CLOSE, 0, 0);
    const std::string lastRun = ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, "LastRun");
    Check(lastRun == "Tank Duel", "LastRun names the game that ran: '" + lastRun + "'");
}

void StepAddGame(HWND main, HWND list) {
    const int before = g_remote->RowCount(list);
    Command(main, IDM_ADDGAME);
    HWND dialog = g_remote->WaitForDialog("Quillon Loader - Add a new game (QGF File)", IDC_ADD_TITLE, kWait);
    Require(dialog != nullptr, "the add-game dialog opens");
    Shot("add-game");
    const std::pair<int, std::string> fields[] = {{IDC_ADD_TITLE, "Night Patrol"},
                                                  {IDC_ADD_PUBLISHER, "Quillon Demo Works"},
                                                  {IDC_ADD_CATEGORY, "Arcade"},
                                                  {IDC_ADD_PATH, "C:\\DemoGames\\StarMaze"},
                                                  {IDC_ADD_COMMAND, "STARMAZE.EXE"},
                                                  {IDC_ADD_PICTURE, g_program + "\\Images\\StarMaze.bmp"}};
    for (const auto& field : fields) SetItemText(dialog, field.first, field.second);
    Shot("add-game-filled");
    Click(dialog, IDOK);
    Closes(dialog, "the add-game dialog");
    // Without a setup program in the game's folder, its settings are asked for next.
    Answer("Modify Settings for Night Patrol", "", IDCANCEL, "game-settings");
    Check(WaitUntil([&] { return g_remote->RowCount(list) == before + 1; }, kWait), "the list has one row more");
    const int row = g_remote->FindRow(list, "Night Patrol");
    Check(row != -1 && g_remote->CellText(list, row, 1) == "Quillon Demo Works" &&
              g_remote->CellText(list, row, 2) == "Arcade",
          "the new game's row shows its publisher and category");
    Check(row != -1 && g_remote->SelectedRow(list) == row, "the new game is selected");
    // The record is 11164 bytes; the picture follows it.
    Check(ReadFileBytes(g_program + "\\Games\\Night Patrol.qgf").size() > 11164,
          "its game file holds the record and the picture");
    Shot("main-after-add");
}

// Editing a field in the details bar: a double click on Star Maze's publisher
// asks for the new text; the row and the game file show it.
void StepEditDetailsBar(HWND main, HWND list) {
    const int row = SelectGame(list, "Star Maze");
    HWND tree = GetDlgItem(GetDlgItem(main, IDC_DETAILSBAR), IDC_DETAILS_TREE);
    Require(tree != nullptr, "the details bar shows its tree");
    // The second heading is "Publisher"; its one child holds the value.
    auto next = [tree](UINT how, HTREEITEM from) {
        return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
    };
    HTREEITEM value = next(TVGN_CHILD, next(TVGN_NEXT, next(TVGN_ROOT, nullptr)));
    RECT rect{};
    Require(value && g_remote->TreeItemRect(tree, value, rect), "the publisher's value item is there");
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(value));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        PostMessageA(tree, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    HWND ask = g_remote->WaitForDialog("", IDC_TEXTINPUT_VALUE, kWait);
    Require(ask != nullptr, "a double click on the publisher asks for the new one");
    SetItemText(ask, IDC_TEXTINPUT_VALUE, "Night Owl Software");
    Shot("details-bar-edit");
    Click(ask, IDOK);
    Check(WaitUntil([&] { return g_remote->CellText(list, row, 1) == "Night Owl Software"; }, kWait),
          "the row shows the new publisher");
    // The publisher field starts at byte 272 of the record.
    const std::string game = FileText(g_program + "\\Games\\Star Maze.qgf");
    const std::string stored = game.size() > 272 ? game.substr(272).c_str() : "";
    Check(stored == "Night Owl Software", "the game file holds the new publisher: '" + stored + "'");
    Shot("details-bar-edited");
}

// The details bar's "Sound setup" row of Blaster Pro, a DOS game whose own
// DIG.INI chose a Sound Blaster Pro: found among the tree's headers and shown,
// the start of its line and its end.
void StepSoundSetupRow(HWND main, HWND list) {
    SelectGame(list, "Blaster Pro");
    HWND tree = GetDlgItem(GetDlgItem(main, IDC_DETAILSBAR), IDC_DETAILS_TREE);
    auto next = [tree](UINT how, HTREEITEM from) {
        return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
    };
    HTREEITEM header = next(TVGN_ROOT, nullptr);
    while (header && g_remote->TreeItemText(tree, header) != "Sound setup") header = next(TVGN_NEXT, header);
    Require(header != nullptr, "a DOS game's details show a 'Sound setup' row");
    HTREEITEM value = next(TVGN_CHILD, header);
    const std::string text = g_remote->TreeItemText(tree, value);
    Check(text == "DIG.INI: Sound Blaster Pro, 240, IRQ 5, DMA 3", "the row tells what DIG.INI chose: " + text);
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(value));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(value));
    Shot("details-bar-sound-setup");
    for (int i = 0; i < 2; ++i) SendMessageA(tree, WM_HSCROLL, SB_PAGERIGHT, 0);  // the rest of the line
    Shot("details-bar-sound-setup-end");
    for (int i = 0; i < 2; ++i) SendMessageA(tree, WM_HSCROLL, SB_PAGELEFT, 0);
}

// Blaster Pro's game settings say where its DIG.INI disagrees with its
// parameter set; its DOSBox settings open from there. Both are cancelled: the
// game file stays as it was.
void StepDosBoxSettings(HWND main) {
    const std::string file = g_program + "\\Games\\Blaster Pro.qgf", before = FileText(file);
    Click(main, IDC_MODIFY);
    HWND settings = g_remote->WaitForDialog("Modify Settings for Blaster Pro", IDC_GS_SOUND_MISMATCH, kWait);
    Require(settings != nullptr, "Modify opens Blaster Pro's game settings");
    const std::string line = ItemText(settings, IDC_GS_SOUND_MISMATCH);
    Check(line.rfind("DIG.INI chose Sound Blaster Pro, but the selected sound device is \"Gravis UltraSound\"", 0) == 0,
          "the settings say where DIG.INI disagrees: " + line);
    Shot("game-settings-sound-mismatch");
    Click(settings, IDC_GS_DOSBOX);
    HWND dosBox = g_remote->WaitForDialog("DOSBox Settings for Blaster Pro", IDC_DBX_LINES, kWait);
    Require(dosBox != nullptr, "the DOSBox settings of the game open");
    SetItemText(dosBox, IDC_DBX_LINES, "cpu.cycles=12000\r\ndosbox.memsize=32");
    Shot("dosbox-settings");
    Click(dosBox, IDCANCEL);
    Closes(dosBox, "the DOSBox settings");
    Click(settings, IDCANCEL);
    Closes(settings, "the game settings");
    Check(!before.empty() && FileText(file) == before, "cancelled, the game file is unchanged");
}

// Starts an import of |catalogue| in the import dialog; the status once it is done.
std::string Convert(HWND dialog, const std::string& shot) {
    Require(WaitUntil([&] { return atoi(ItemText(dialog, IDC_IMPORT_FOUND).c_str()) > 0; }, kWait),
            "the catalogue's sections are listed: " + ItemText(dialog, IDC_IMPORT_FOUND));
    Shot(shot);
    Click(dialog, IDC_IMPORT_CONVERT);
    Require(WaitUntil([&] { return ItemText(dialog, IDC_IMPORT_STATUS).rfind("Converted:", 0) == 0; }, kWait),
            "the conversion ends: " + ItemText(dialog, IDC_IMPORT_STATUS));
    return ItemText(dialog, IDC_IMPORT_STATUS);
}

void StepImport(HWND main, HWND list, const std::string& catalogue) {
    const int before = g_remote->RowCount(list);
    Command(main, IDM_IMPORT);
    HWND dialog = g_remote->WaitForDialog("Import Loader.ini", IDC_IMPORT_PATH, kWait);
    Require(dialog != nullptr, "the import dialog opens");
    SetItemText(dialog, IDC_IMPORT_PATH, catalogue);
    const int converted = atoi(Convert(dialog, "import").c_str() + 10);
    Check(converted > 0, "games were converted");
    Shot("import-done");
    Click(dialog, IDOK);
    Closes(dialog, "the import dialog");
    Check(WaitUntil([&] { return g_remote->RowCount(list) == before + converted; }, kWait),
          "the list has a row for each converted game");
    Shot("main-after-import");
}

// The libraries of other launchers that a player brings, written as those
// launchers keep them and pointing at the real DOS demo games in C:\DemoGames:
// a folder of DOSBox configuration files (one game on a Sound Blaster Pro 2 at
// IRQ 5 with its own cycles, one on a VGA machine) and a D-Fend Reloaded data
// folder (its profiles in Confs, a capture picture in Capture\<profile>).
void WriteSampleLibraries(const std::string& root) {
    const std::string dosbox = root + "\\DOSBox", dfend = root + "\\DFend";
    for (const std::string& folder : {root, dosbox, dfend, dfend + "\\Confs", dfend + "\\Capture",
                                      dfend + "\\Capture\\Star Maze"})
        CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileText(dosbox + "\\Blaster Pro Check.conf",
                  "[sdl]\r\nfullscreen=false\r\n[cpu]\r\ncycles=fixed 8000\r\n[sblaster]\r\nsbtype=sbpro2\r\nirq=5\r\n"
                  "[autoexec]\r\n@echo off\r\nmount c \"C:\\DemoGames\\Sound Check\"\r\nc:\r\nSOUNDCHK.COM /imported\r\n"
                  "exit\r\n");
    WriteFileText(dosbox + "\\Rainbow Again.conf",
                  "[dosbox]\r\nmachine=vgaonly\r\n[autoexec]\r\nmount c C:\\DemoGames\r\nc:\r\ncd RAINBOW\r\nRAINBOW\r\n");
    WriteFileText(dfend + "\\Confs\\Star Maze.prof",
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

// File > Import games: the library of |kind| (0 DOSBox, 1 D-Fend Reloaded) at
// |path| is listed and converted; every game of it comes in.
void ImportLibrary(HWND main, int kind, const std::string& path, int games, const std::string& shot) {
    Command(main, IDM_IMPORTGAMES);
    HWND dialog = g_remote->WaitForDialog("Import Games", IDC_IMPORTGAMES_PATH, kWait);
    Require(dialog != nullptr, "the dialog to import games opens");
    HWND kinds = GetDlgItem(dialog, IDC_IMPORTGAMES_KIND);
    SendMessageA(kinds, CB_SETCURSEL, static_cast<WPARAM>(kind), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_IMPORTGAMES_KIND, CBN_SELCHANGE), reinterpret_cast<LPARAM>(kinds));
    SetItemText(dialog, IDC_IMPORTGAMES_PATH, path);
    Click(dialog, IDC_IMPORTGAMES_READ);
    Require(WaitUntil([&] { return atoi(ItemText(dialog, IDC_IMPORTGAMES_FOUND).c_str()) == games; }, kWait),
            "the games of " + path + " are listed: " + ItemText(dialog, IDC_IMPORTGAMES_FOUND));
    Shot(shot);
    Click(dialog, IDC_IMPORTGAMES_CONVERT);
    Require(WaitUntil([&] { return ItemText(dialog, IDC_IMPORTGAMES_STATUS).rfind("Converted:", 0) == 0; }, kWait),
            "the conversion ends: " + ItemText(dialog, IDC_IMPORTGAMES_STATUS));
    const std::string status = ItemText(dialog, IDC_IMPORTGAMES_STATUS);
    Check(status == "Converted: " + std::to_string(games) + ".  Failed: 0.  Already exists: 0",
          "every game of " + path + " is converted: " + status);
    Shot(shot + "-done");
    Click(dialog, IDOK);
    Closes(dialog, "the dialog to import games");
}

void StepImportLibraries(HWND main, HWND list) {
    WriteSampleLibraries("C:\\Imports");
    const int before = g_remote->RowCount(list);
    ImportLibrary(main, 0, "C:\\Imports\\DOSBox", 2, "import-dosbox");
    ImportLibrary(main, 1, "C:\\Imports\\DFend", 2, "import-dfend");
    Check(WaitUntil([&] { return g_remote->RowCount(list) == before + 4; }, kWait), "the list has the four games");
    const int star = g_remote->FindRow(list, "Star Maze- Director's Cut");
    Check(star != -1 && g_remote->CellText(list, star, 1) == "Quillon Demo Works" &&
              g_remote->CellText(list, star, 2) == "Arcade",
          "a title that cannot name a file is made one; the profile's developer and genre show");
    const std::string game = FileText(g_program + "\\Games\\Star Maze- Director's Cut.qgf");
    Check(game.size() > 11164, "the capture picture is embedded in its game file");
    SelectGame(list, "Star Maze- Director's Cut");
    Shot("main-after-import-games");
}

// The imported game on a Sound Blaster Pro 2 runs in DOSBox: the real DOS game
// gets its parameters and finds the card its configuration chose (type T4).
void StepRunImportedGame(HWND main, HWND list) {
    const std::string marker = "C:\\DemoGames\\Sound Check\\MARKER.TXT";
    DeleteFileA(marker.c_str());
    SelectGame(list, "Blaster Pro Check");
    Click(main, IDC_RUNGAME);
    Require(WaitUntil([&] { return FileText(marker).find("BLASTER") != std::string::npos; }, kWait),
            "the imported game runs in DOSBox and writes its marker");
    Shot("dosbox-imported-game");
    const std::string ran = FileText(marker);
    Check(ran.find("Arguments: /imported\r\n") != std::string::npos, "it got the parameters of its configuration: " + ran);
    Check(ran.find(" T4\r\n") != std::string::npos, "BLASTER tells of the Sound Blaster Pro 2 it was imported with");
    Sleep(6000);  // the game ends after about four seconds, and DOSBox with it
}

// A click as the mouse gives it, at client point (x, y).
void ClickAt(HWND window, int x, int y) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The details bar's third folder, "Comment": a click on its header (at the
// bottom of the bar, 22 pixels high) opens it; a click on its one item asks for
// the comment. Cancelled, the game stays as it is.
void StepCommentDialog(HWND main) {
    HWND bar = GetDlgItem(main, IDC_DETAILSBAR);
    Require(bar != nullptr, "the details bar's folders are there");
    const std::string file = g_program + "\\Games\\Tank Duel.qgf", before = FileText(file);
    RECT c{};
    GetClientRect(bar, &c);
    ClickAt(bar, c.right / 2, c.bottom - 11);
    Sleep(1500);  // the folders slide
    // Three headers on top now; the item's icon starts 5 pixels below them.
    ClickAt(bar, c.right / 2, 3 * 22 + 5 + 12);
    Answer("Enter the comment", "", IDCANCEL, "comment");
    Check(!before.empty() && FileText(file) == before, "cancelled, the game file is unchanged");
    ClickAt(bar, c.right / 2, 11);  // back to the first folder
    Sleep(1500);
}

// The dialogs the steps above do not open, each opened as a player would and
// closed unchanged; then the error-locating dialog of a game whose folder is missing.
void StepOtherDialogs(HWND main, HWND list) {
    SelectGame(list, "Tank Duel");
    OpenAndClose(main, IDC_GAMESETTINGS, true, "Parameters for Tank Duel", IDOK, "command-line-setup");
    OpenAndClose(main, IDM_PREFERENCES, false, "Preferences", IDOK, "preferences");
    OpenAndClose(main, IDM_MANAGEENTRIES, false, "Data INI Entries", IDOK, "manage-entries");
    OpenAndClose(main, IDM_ADDGAMESINI, false, "Add Games - INI style", IDOK, "add-games-ini-style");
    // That dialog fills the list again, which leaves no game selected.
    SelectGame(list, "Tank Duel");
    OpenAndClose(main, IDM_SEARCHGAME, false, "Game Search - Tank Duel", IDCANCEL, "game-search");
    OpenAndClose(main, IDM_ABOUT, false, "About QuillonLoader", IDOK, "about");
    StepCommentDialog(main);
    SelectGame(list, "Lost Kingdom");  // its folder is missing
    OpenAndClose(main, IDC_RUNGAME, true, "Error locating game", IDCANCEL, "error-locating-game");
}

// Game List > Delete selected game: asked, the row and the file go.
void StepDeleteGame(HWND main, HWND list) {
    SelectGame(list, "Night Patrol");
    const int before = g_remote->RowCount(list);
    Command(main, IDM_DELETEGAME);
    HWND confirm = g_remote->WaitForDialog("Confirm Deletion", IDYES, kWait);
    Require(confirm != nullptr, "the deletion is asked for");
    Check(MessageBoxText(confirm).find("Night Patrol") != std::string::npos, "the question names the game");
    Shot("confirm-delete");
    Click(confirm, IDYES);
    Check(WaitUntil([&] { return g_remote->RowCount(list) == before - 1; }, kWait), "the row is gone");
    Check(g_remote->FindRow(list, "Night Patrol") == -1, "'Night Patrol' is no longer listed");
    Check(!FileExists(g_program + "\\Games\\Night Patrol.qgf"), "its game file is deleted");
}

// The start-up import of the Loader.ini beside the program: its games are all
// in the list already, and the catalogue is kept as Loader07.ini.
void StepStartupImport() {
    HWND dialog = g_remote->WaitForDialog("Import Loader.ini", IDC_IMPORT_PATH, kWait);
    Require(dialog != nullptr, "the import dialog opens at start-up");
    Check(ItemText(dialog, IDC_IMPORT_PATH) == g_program + "\\Loader.ini", "it imports the Loader.ini beside the program");
    // The dialog closes after the closing message: its status is read first.
    const std::string status = Convert(dialog, "startup-import");
    Answer("Completed", "renamed to loader07.ini", IDOK, "startup-import-done");
    Check(status.rfind("Converted: 0.", 0) == 0 && status.find("Already exists: 5") != std::string::npos,
          "every game of the catalogue exists already: " + status);
    if (!WaitUntil([&] { return !IsWindow(dialog); }, 3000)) Click(dialog, IDOK);
    Closes(dialog, "the import dialog");
    Check(!FileExists(g_program + "\\Loader.ini") && FileExists(g_program + "\\Loader07.ini"),
          "the catalogue is kept as Loader07.ini");
}

void StepClose(HWND main, ProgramRun& run) {
    Command(main, IDM_EXIT);
    const DWORD code = run.WaitExit(kWait);
    Require(code != STILL_ACTIVE, "the program ends on File > Exit");
    Check(code == 0, "its exit code is 0 (" + std::to_string(code) + ")");
}

// Puts up or takes away a VDMSound installation in C:\VDMSound, as its
// installer leaves it: a tips file named in the registry, VDMS.INI beside it.
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
    // The first start uses the slow-down tweak 4 while it writes 0; closing
    // stores the tweak in use.
    const std::pair<const char*, DWORD> values[] = {{"FirstRun", 0},      {"ConfirmDelete", 1}, {"ReloadVerify", 1},
                                                    {"ReloadEffects", 0}, {"UseDefaultPif", 1}, {"Language", 0},
                                                    {"SlowDownTweak", 4}, {"Background", 3},    {"MaxGames", 512}};
    RegistryKey settings;
    settings.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ, false);
    HKEY probe = nullptr;
    const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &probe);
    DWORD valueCount = 0;
    if (opened == ERROR_SUCCESS)
        RegQueryInfoKeyA(probe, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount, nullptr, nullptr,
                         nullptr, nullptr);
    if (probe) RegCloseKey(probe);
    Check(opened == ERROR_SUCCESS, "the settings key opens (error " + std::to_string(opened) + ", " +
                                       std::to_string(valueCount) + " values)");
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
    const std::string exe = g_program + "\\Quillon.exe";
    const std::string type = ReadText(HKEY_CLASSES_ROOT, ".qgf");
    const std::string command = ReadText(HKEY_CLASSES_ROOT, "qgf_auto_file\\shell\\open\\command");
    const std::string icon = ReadText(HKEY_CLASSES_ROOT, "qgf_auto_file\\DefaultIcon");
    Check(type == "qgf_auto_file", ".qgf files are game files: " + type);
    Check(command == "\"" + exe + "\" \"%1\"", "a game file opens with this program: " + command);
    Check(icon == exe + ",5", "game files show the program's icon: " + icon);
}

// The installer built to find no C run-time library, as on Windows 95 as it first
// shipped: it says what to install and stops with exit code 3.
void SetupWithoutRuntime(const std::string& setup) {
    ProgramRun run(setup, "");
    Require(run.Started(), "the setup starts: " + setup);
    Remote remote(run.Pid());
    g_remote = &remote;
    g_shot = -1;  // its shot comes before the program's
    Answer("Quillon Loader 0.8c Setup",
           "Please install Internet Explorer 4.0 or later, or Microsoft's Visual C++ 6.0 run-time package "
           "(VCREDIST.EXE): either brings MSVCRT.DLL. Then run this setup again.",
           IDOK, "setup-without-msvcrt");
    const DWORD code = run.WaitExit(kWait);
    Check(code == 3, "the setup stops with exit code 3: " + std::to_string(code));
    g_remote = nullptr;
}

void DriveProgram(const std::string& catalogue) {
    // First start: the one-time welcome, then the sample games.
    ProgramRun first(g_program + "\\Quillon.exe", "", g_program);
    Require(first.Started(), "Quillon.exe starts from " + g_program);
    Remote program(first.Pid());
    g_remote = &program;
    Answer("Welcome to Quillon Loader", "This is a one time message.", IDOK, "welcome");
    HWND main = program.WaitForMainWindow(kWait);
    Require(main != nullptr, "the main window opens");
    HWND list = GetDlgItem(main, IDC_GAMELIST);
    StepListRows(list);
    Shot("main");
    StepRunGame(main, list);
    StepAddGame(main, list);
    StepEditDetailsBar(main, list);
    StepSoundSetupRow(main, list);
    StepDosBoxSettings(main);
    StepImport(main, list, catalogue);
    StepImportLibraries(main, list);
    StepRunImportedGame(main, list);
    StepOtherDialogs(main, list);
    StepDeleteGame(main, list);
    const std::vector<std::string> rows = program.Column(list, 0);
    StepClose(main, first);

    // What the run left behind.
    CheckRegistry();
    std::vector<std::string> files;
    for (const auto& row : rows) files.push_back("\\" + row + ".qgf");
    std::sort(files.begin(), files.end());
    Check(FilesBelow(g_program + "\\Games") == files, "the Games folder holds exactly the listed games: " + Joined(rows));

    // Second start, with the old catalogue beside the program and VDMSound put
    // up: no welcome, the offer to import it, the same games, the game selected
    // last selected again, the VDMSound settings.
    Require(FakeVdmSound(true), "a VDMSound installation is there for the second start");
    Require(CopyFileA(catalogue.c_str(), (g_program + "\\Loader.ini").c_str(), FALSE) != 0,
            "an old Loader.ini lies beside the program");
    ProgramRun second(g_program + "\\Quillon.exe", "", g_program);
    Require(second.Started(), "Quillon.exe starts again");
    Remote again(second.Pid());
    g_remote = &again;
    Answer("Found v0.7 Loader.ini file", "Would you like to import the games", IDYES, "import-offer");
    StepStartupImport();
    main = again.WaitForMainWindow(kWait);
    Require(main != nullptr, "the main window opens again");
    list = GetDlgItem(main, IDC_GAMELIST);
    Check(WaitUntil([&] { return again.RowCount(list) == static_cast<int>(rows.size()); }, kWait),
          "the list shows the same games again");
    Check(again.WaitForDialog("Welcome to Quillon Loader", 0, 1000) == nullptr, "no welcome on the second start");
    const std::string lastRun = ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, "LastRun");
    // The game selected last is selected again; a deleted one leaves no row selected.
    Check(!lastRun.empty(), "LastRun is stored");
    const bool listed = std::count(rows.begin(), rows.end(), lastRun) > 0;
    WaitUntil([&] { return again.SelectedRow(list) != -1; }, listed ? kWait : 500);
    const int selected = again.SelectedRow(list);
    Check(listed ? selected != -1 && again.CellText(list, selected, 0) == lastRun : selected == -1,
          "the game selected last ('" + lastRun + "') is selected" + (listed ? "" : ": deleted, none is"));
    Shot("second-start");
    OpenAndClose(main, IDM_VDMSSETTINGS, false, "Global VDMSound Emulation Settings", IDCANCEL, "vdmsound-settings");
    StepClose(main, second);
    g_remote = nullptr;
    Check(FakeVdmSound(false), "the VDMSound installation is taken away again");
}

// ---- DOS games in the host's DOSBox --------------------------------------
// Wine, like 64-bit Windows, cannot run DOS programs: the program hands them to
// DOSBox, here Debian's own (Z:\usr\bin\dosbox, found at the first start).
// Wine does not wait for host programs: a host shell script writes its output
// into a file that appears when the script has ended. run_e2e.sh gives the run
// a HOME of its own, where DOSBox keeps the player's own configuration.

// Runs |script| in the host's shell to its end; its output ("" when it did not end in time).
std::string HostScript(const std::string& script, DWORD ms = kWait) {
    static int count = 0;
    const std::string base = g_shots + "\\host-" + std::to_string(++count);
    WriteFileText(base + ".sh", script);
    std::string sh, out;
    if (!HostPathOf(base + ".sh", sh) || !HostPathOf(base + ".out", out)) return "";
    std::string command = "/bin/sh -c \"/bin/sh '" + sh + "' >'" + out + ".part' 2>&1; mv '" + out + ".part' '" + out + "'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return "";
    win::CloseProcessHandles(process);
    WaitUntil([&] { return FileExists(base + ".out"); }, ms);
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
    const std::string left = HostScript(std::string(kOurDosBoxes) + "n=0; while [ -n \"$(ours)\" ] && [ $n -lt " +
                                            std::to_string(ms / 100) + " ]; do sleep 0.1; n=$((n+1)); done; ours; echo end",
                                        ms + 5000);
    return left == "end\n";
}

// Runs |title| and waits for MARKER.TXT in |folder| to hold |expected|, then for DOSBox to end; the marker.
std::string RunDosGame(HWND main, HWND list, const std::string& title, const std::string& folder,
                       const std::string& expected, const std::string& shot = "") {
    const std::string marker = folder + "\\MARKER.TXT";
    DeleteFileA(marker.c_str());
    SelectGame(list, title);
    Click(main, IDC_RUNGAME);
    const bool found = WaitUntil([&] { return FileText(marker).find(expected) != std::string::npos; }, kWait);
    if (!shot.empty()) Shot(shot);
    Check(found, "'" + title + "' runs in DOSBox: " + expected + (found ? "" : " (marker: " + FileText(marker) + ")"));
    Check(DosBoxesEnded(), "DOSBox ends after '" + title + "'");
    return FileText(marker);
}

// A game file in the Games folder, for a DOS program in |folder|.
void PutDosGame(const std::string& title, const std::string& folder, const std::string& program,
                const GameExtras& extras = {}) {
    GameRecord game = MakeGame(title, "Quillon Demo Works", "DOSBox", folder, program);
    WriteGameExtras(game, extras);
    WriteGame(g_program + "\\Games\\" + title + ".qgf", game);
}

// The slow-down box cleared, or ticked with the slider at |percent|.
void SetSlowDown(HWND main, int percent) {
    HWND box = GetDlgItem(main, IDC_SLOWDOWN);
    auto ticked = [box] { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; };
    if (ticked()) {
        Click(main, IDC_SLOWDOWN);
        Require(WaitUntil([&] { return !ticked(); }, kWait), "the slow-down box is cleared");
    }
    if (percent < 0) return;
    SendMessageA(GetDlgItem(main, IDC_SLOWDOWN_SLIDER), TBM_SETPOS, TRUE, 10 + percent);
    Click(main, IDC_SLOWDOWN);
    Require(WaitUntil(ticked, kWait), "the slow-down box is ticked at " + std::to_string(percent) + "%");
    Sleep(300);
}

// The slow-down at off, 0%, 50% and 100%: CPUCOUNT.COM's loops per second fall
// with each step (never a time: the machine may be busy).
void StepDosBoxSlowDown(HWND main, HWND list, const std::string& folder) {
    long loops[4] = {};
    const int percents[4] = {-1, 0, 50, 100};
    for (int i = 0; i < 4; ++i) {
        SetSlowDown(main, percents[i]);
        const std::string ran = RunDosGame(main, list, "Speed Count", folder, "loops per second");
        const size_t at = ran.find(": ");
        loops[i] = at == std::string::npos ? 0 : atol(ran.c_str() + at + 2);
    }
    SetSlowDown(main, -1);
    printf("  slow-down in DOSBox, loops per second: off %ld, 0%% %ld, 50%% %ld, 100%% %ld\n", loops[0], loops[1],
           loops[2], loops[3]);
    Check(loops[0] > 0 && loops[1] * 10 > loops[0] * 7 && loops[1] * 7 < loops[0] * 10, "0% runs as fast as off");
    Check(loops[2] * 10 < loops[1] * 8 && loops[3] * 10 < loops[2] * 8, "50% runs slower than 0%, 100% slower still");
}

// The player's own DOSBox configuration, which DOSBox made in the run's HOME at
// its first start, mounts C: in its [autoexec]: the game starts all the same.
void StepDosBoxOwnConfig(HWND main, HWND list, const std::string& dosGames) {
    // Wine keeps HOME from Windows programs; the host's shell knows it.
    std::string own = "Z:" + HostScript("printf %s \"$HOME\"") + "/.dosbox/dosbox-0.74-3.conf";
    for (char& c : own)
        if (c == '/') c = '\\';
    const std::string before = FileText(own);
    Require(before.find("[autoexec]") != std::string::npos, "DOSBox made the player's configuration " + own);
    std::string mountable;
    HostPathOf(dosGames + "\\CDNAME", mountable);
    WriteFileText(own, before + "mount C \"" + mountable + "\"\r\nC:\r\n");
    RunDosGame(main, list, "Own Mount", dosGames + "\\OWNC", "Program: C:\\DOSRUNS\\OWNC\\GAME.COM");
    WriteFileText(own, before);
}

// A program that DOSBox cannot find (Windows knows it by the short name Wine
// gave its long name; DOSBox has short names of its own): DOSBox stays open and
// says what is missing; the test closes it.
void StepDosBoxMissingProgram(HWND main, HWND list) {
    SelectGame(list, "Gone Program");
    Click(main, IDC_RUNGAME);
    Require(WaitUntil(DosBoxRuns, kWait), "DOSBox starts for 'Gone Program'");
    Sleep(4000);
    Shot("dosbox-missing-program");
    Check(DosBoxRuns(), "DOSBox stays open when the game's program is missing");
    HostScript(std::string(kOurDosBoxes) + "for p in $(ours); do kill $p; done");
    Check(DosBoxesEnded(10000), "DOSBox is closed by the test");
}

// The DOS games, in a third start: the sample DOS games, then the games below
// (their files written first), each checked by the marker its program writes.
void DriveDosBox(const std::string& dosGames, const std::string& onZ) {
    const std::string found = ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, "DOSBoxPath");
    Check(found == "Z:\\usr\\bin\\dosbox", "the host's DOSBox was found at the first start: " + found);
    char shortName[MAX_PATH] = "";
    GetShortPathNameA((dosGames + "\\NOPROG\\Long name game.com").c_str(), shortName, sizeof shortName);
    const std::string gone = strrchr(shortName, '\\') ? strrchr(shortName, '\\') + 1 : "";
    Require(gone.find('~') != std::string::npos, "Wine gave the long name a short one: " + gone);
    GameExtras disc;
    disc.cdRom = {CdRomKind::Images, 0, {dosGames + "\\ISO\\DISC1.ISO"}};
    const std::string deep = dosGames + "\\DEEPPATH\\LEVEL001\\LEVEL002\\LEVEL003\\LEVEL004\\LEVEL005\\LEVEL006\\GAME";
    PutDosGame("Disc Check", dosGames + "\\CDGAME", "CDCHECK.COM", disc);
    PutDosGame("Speed Count", dosGames + "\\SPEED", "CPUCOUNT.COM");
    PutDosGame("Named CD", dosGames + "\\CDNAME", "CD.COM");
    PutDosGame("Tom & Jerry", dosGames + "\\TOM & JERRY", "GAME.COM");
    PutDosGame("Deep Path", deep, "GAME.COM");
    PutDosGame("On Drive Z", onZ, "GAME.COM");
    PutDosGame("Own Mount", dosGames + "\\OWNC", "GAME.COM");
    PutDosGame("Gone Program", dosGames + "\\NOPROG", gone);

    ProgramRun run(g_program + "\\Quillon.exe", "", g_program);
    Require(run.Started(), "Quillon.exe starts for the DOS games");
    Remote program(run.Pid());
    g_remote = &program;
    HWND main = program.WaitForMainWindow(kWait);
    Require(main != nullptr, "the main window opens");
    HWND list = GetDlgItem(main, IDC_GAMELIST);
    Require(WaitUntil([&] { return program.FindRow(list, "Gone Program") != -1; }, kWait), "the DOS games are listed");

    SelectGame(list, "Rainbow");
    Click(main, IDC_RUNGAME);
    Require(WaitUntil(DosBoxRuns, kWait), "Rainbow starts DOSBox");
    Sleep(2500);
    Shot("dosbox-rainbow");
    Check(DosBoxesEnded(), "Rainbow ends after a few seconds, and DOSBox with it");
    const std::string sound = RunDosGame(main, list, "Sound Check", "C:\\DemoGames\\Sound Check",
                                         "BLASTER=A220 I7 D1 H5 T6\r\n", "dosbox-sound-check");
    Check(sound.find("Arguments: /vga /sb16 /mpu\r\n") != std::string::npos, "Sound Check got its parameters");
    Check(sound.find("Folder: D:\\\r\n") != std::string::npos, "it ran in its own folder, mounted as D:");
    // The game's own setup files decide, not its parameter set (Gravis for Blaster Pro, none for Ultra Check).
    RunDosGame(main, list, "Blaster Pro", "C:\\DemoGames\\BlastPro", "BLASTER=A240 I5 D3 T4\r\n");
    RunDosGame(main, list, "Ultra Check", "C:\\DemoGames\\UltraChk", "ULTRASND=260,7,7,11,11\r\n");

    RunDosGame(main, list, "Disc Check", dosGames + "\\CDGAME",
               "CD-ROM: 1 drive(s), the first D:; D:\\QUILLON.TXT: Disc one of the end-to-end test", "dosbox-cd-image");
    RunDosGame(main, list, "Named CD", dosGames + "\\CDNAME", "Program: C:\\DOSRUNS\\CDNAME\\CD.COM");
    RunDosGame(main, list, "Tom & Jerry", dosGames + "\\TOM & JERRY", "Program: D:\\GAME.COM");
    RunDosGame(main, list, "Deep Path", deep, "Folder: D:\\\r\n");
    RunDosGame(main, list, "On Drive Z", onZ, "Program: C:\\GAME.COM");
    StepDosBoxSlowDown(main, list, dosGames + "\\SPEED");
    StepDosBoxOwnConfig(main, list, dosGames);
    StepDosBoxMissingProgram(main, list);
    const std::string lastRun = ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, "LastRun");
    Check(lastRun == "Gone Program", "LastRun names the DOS game run last: '" + lastRun + "'");
    StepClose(main, run);
    g_remote = nullptr;
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
