// The end-to-end run of the real program: starts an installed Quillon.exe as a
// player would, and drives it from outside through window messages.
//
//   e2e_driver PROGRAM_FOLDER SHOTS_FOLDER OLD_CATALOGUE [--delete-wired]
//   e2e_driver --setup-without-runtime SETUP SHOTS_FOLDER
//
// PROGRAM_FOLDER holds the installed Quillon.exe with the sample games, whose
// demo programs lie in C:\DemoGames; OLD_CATALOGUE is a Loader.ini to import.
// Every window the program opens is written to SHOTS_FOLDER as NN-name.bmp.
// Prints one line per step; the exit code is 0 only when every step passed.
#include "Remote.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const DWORD kWait = 30000;
const int kGameList = 1000;
const int kRunGame = 1003;
const int kAddGame = 32779;
const int kDeleteGame = 32782;
const int kImport = 32799;
const int kExit = 32771;
const int kTextInputValue = 1001;  // the text input dialog's edit
const int kGameSettings = 1007;
const int kPreferences = 32781;
const int kManageEntries = 32789;
const int kVdmSoundSettings = 32788;
const int kAddGamesIniStyle = 32805;
const int kSearchGame = 32806;
const int kAbout = 32804;
const char* const kSettingsKey = "Software\\Freeware\\QuillonLoader";

std::string g_program;
std::string g_shots;
int g_shot = 0;
int g_failures = 0;
Remote* g_remote = nullptr;

void Shot(const std::string& name) {
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\%02d-%s.bmp", g_shots.c_str(), ++g_shot, name.c_str());
    Sleep(400);  // let the window paint
    if (!Screenshot(path)) printf("  (no screenshot %s)\n", path);
}

void DumpWindows() {
    if (!g_remote) return;
    for (const auto& w : g_remote->Windows())
        printf("  window: class '%s' caption '%s' text '%s'\n", w.className.c_str(), w.caption.c_str(),
               StaticTexts(w.handle).c_str());
}

void Check(bool ok, const std::string& what) {
    printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    fflush(stdout);
    if (ok) return;
    ++g_failures;
    DumpWindows();
    Shot("failure");
}

// A step that cannot go on without the one before: the run ends here.
void Require(bool ok, const std::string& what) {
    Check(ok, what);
    if (ok) return;
    if (g_remote && g_remote->Running()) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, g_remote->ProcessId());
        if (process) {
            TerminateProcess(process, 3);
            CloseHandle(process);
        }
    }
    exit(1);
}

bool ReadNumber(HKEY root, const char* key, const char* name, DWORD& value) {
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    DWORD type = 0, size = sizeof value;
    const bool ok =
        RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD;
    RegCloseKey(handle);
    return ok;
}

bool ReadText(HKEY root, const char* key, const char* name, std::string& value) {
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    char text[1024] = {};
    DWORD type = 0, size = sizeof text - 1;
    const bool ok =
        RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS &&
        type == REG_SZ;
    RegCloseKey(handle);
    value = text;
    return ok;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

long FileSize(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return -1;
    FindClose(find);
    return static_cast<long>(data.nFileSizeLow);
}

std::string ReadFileText(const std::string& path) {
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    fclose(f);
    return text;
}

std::set<std::string> GameFilesOnDisk() {
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((g_program + "\\Games\\*.qgf").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = data.cFileName;
        names.insert(name.substr(0, name.size() - 4));
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const auto& t : texts) all += (all.empty() ? "" : ", ") + t;
    return all;
}

PROCESS_INFORMATION StartProgram() {
    const std::string exe = g_program + "\\Quillon.exe";
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    Require(CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, g_program.c_str(),
                           &startup, &process) != 0,
            "Quillon.exe starts from " + g_program);
    return process;
}

// A message box of the program: shot, its text checked, answered.
void Answer(const std::string& caption, const std::string& textPart, int button, const std::string& shot) {
    HWND box = g_remote->WaitForDialog(caption, button, kWait);
    Require(box != nullptr, "message box '" + caption + "' appears");
    const std::string text = StaticTexts(box);
    Check(text.find(textPart) != std::string::npos, "message box '" + caption + "' says '" + textPart + "'");
    Shot(shot);
    Click(box, button);
    Require(WaitUntil([&] { return !IsWindow(box); }, kWait), "message box '" + caption + "' closes");
}

void StepListRows(HWND list) {
    const std::vector<std::string> samples = {"Cave Runner", "Lost Kingdom", "Pixel Pinball", "Rainbow",
                                              "Sound Check", "Star Maze",   "Tank Duel"};
    Require(WaitUntil([&] { return g_remote->RowCount(list) == static_cast<int>(samples.size()); }, kWait),
            "the list shows the seven sample games");
    std::vector<std::string> titles = g_remote->Column(list, 0);
    std::sort(titles.begin(), titles.end());
    Check(titles == samples, "the rows are the sample games: " + Joined(titles));
    const int tank = g_remote->FindRow(list, "Tank Duel");
    Check(tank != -1 && g_remote->CellText(list, tank, 1) == "Quillon Demo Works" &&
              g_remote->CellText(list, tank, 2) == "Action",
          "the row 'Tank Duel' shows its publisher and category");
    Check(tank != -1 && g_remote->CellText(list, tank, 3).find("/vga") != std::string::npos,
          "the row 'Tank Duel' shows its parameters: '" + g_remote->CellText(list, tank, 3) + "'");
}

void StepRunGame(HWND main, HWND list) {
    const std::string marker = "C:\\DemoGames\\TankDuel\\RANLAST.TXT";
    DeleteFileA(marker.c_str());
    const int row = g_remote->FindRow(list, "Tank Duel");
    Require(row != -1 && g_remote->SelectRow(list, row), "'Tank Duel' is selected");
    Sleep(500);
    Click(main, kRunGame);
    Require(WaitUntil([&] { return FileExists(marker); }, kWait), "the demo game starts and writes its marker");
    Sleep(300);
    const std::string ran = ReadFileText(marker);
    Check(ran.find("/vga") != std::string::npos && ran.find("/sb16") != std::string::npos,
          "the game got its device parameters");
    Check(ran.find("C:\\DemoGames\\TankDuel") != std::string::npos, "the game ran in its own folder");
    HWND game = nullptr;
    WaitUntil([&] { return (game = FindWindowA("QuillonDemoGame", "Tank Duel")) != nullptr; }, kWait);
    Check(game != nullptr, "the game's window is open");
    Shot("demo-game");
    if (game) PostMessageA(game, WM_CLOSE, 0, 0);
    std::string lastRun;
    const bool read = ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, "LastRun", lastRun);
    Check(read && lastRun == "Tank Duel", "LastRun names the game that ran: '" + lastRun + "'");
}

// A screenshot of the whole X display, DOSBox's own window included (it is no
// window of Wine's): the host's import, started as a host program.
void HostShot(const std::string& name) {
    typedef char*(CDECL * UnixNameFn)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char path[MAX_PATH];
    WCHAR wide[MAX_PATH];
    snprintf(path, sizeof path, "%s\\%02d-%s.png", g_shots.c_str(), ++g_shot, name.c_str());
    char* host = unixName && MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) ? unixName(wide) : nullptr;
    if (!host) {
        printf("  (no screenshot %s)\n", path);
        return;
    }
    std::string command = std::string("/usr/bin/import -window root \"") + host + "\"";
    HeapFree(GetProcessHeap(), 0, host);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    // Wine does not wait for a host program: the picture is there once it has a size.
    WaitUntil([&] { return FileSize(path) > 0; }, kWait);
    Sleep(500);
}

// The real DOS games go to DOSBox, which this Windows (Wine) needs for them:
// the program found the stand-in for DOSBox for Windows in Program Files at its
// start, and the stand-in runs the host's dosbox. Rainbow draws its VGA
// screen; Sound Check records its parameters, its folder (its own drive: the
// folder's name is longer than DOS allows) and BLASTER (T6: a Sound Blaster 16).
void StepRunDosGames(HWND main, HWND list, const std::string& standInLog) {
    std::string found;
    ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, "DOSBoxPath", found);
    Check(found == "C:\\Program Files\\DOSBox-0.74-3\\DOSBox.exe", "DOSBox was found at the start: " + found);
    auto run = [&](const char* title) {
        const int row = g_remote->FindRow(list, title);
        Require(row != -1 && g_remote->SelectRow(list, row), std::string("'") + title + "' is selected");
        Sleep(500);
        Click(main, kRunGame);
    };
    auto ended = [&](size_t runs) {
        size_t exits = 0;
        const std::string log = ReadFileText(standInLog);
        for (size_t at = log.find("exit "); at != std::string::npos; at = log.find("exit ", at + 1)) ++exits;
        return exits >= runs;
    };
    run("Rainbow");
    Require(WaitUntil([&] { return ReadFileText(standInLog).find("run ") != std::string::npos; }, kWait),
            "Rainbow starts DOSBox: " + ReadFileText(standInLog));
    Sleep(2500);
    HostShot("dosbox-rainbow");
    Check(WaitUntil([&] { return ended(1); }, kWait), "the game ends after a few seconds, and DOSBox with it");

    const std::string marker = "C:\\DemoGames\\Sound Check\\MARKER.TXT";
    DeleteFileA(marker.c_str());
    run("Sound Check");
    Require(WaitUntil([&] { return ReadFileText(marker).find("BLASTER") != std::string::npos; }, kWait),
            "Sound Check runs in DOSBox and writes its marker");
    Sleep(1000);
    HostShot("dosbox-sound-check");
    const std::string ran = ReadFileText(marker);
    Check(ran.find("Arguments: /vga /sb16 /mpu\r\n") != std::string::npos, "the game got its parameters: " + ran);
    Check(ran.find("Folder: D:\\\r\n") != std::string::npos, "the game ran in its own folder, mounted as D:");
    Check(ran.find("BLASTER=A220 I7 D1 H5 T6\r\n") != std::string::npos, "BLASTER tells of a Sound Blaster 16 (T6)");
    Check(WaitUntil([&] { return ended(2); }, kWait), "DOSBox ends on its own after the game");
    std::string lastRun;
    ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, "LastRun", lastRun);
    Check(lastRun == "Sound Check", "LastRun names the DOS game: '" + lastRun + "'");
}

void StepAddGame(HWND main, HWND list) {
    const int before = g_remote->RowCount(list);
    Command(main, kAddGame);
    HWND dialog = g_remote->WaitForDialog("Quillon Loader - Add a new game (QGF File)", 1001, kWait);
    Require(dialog != nullptr, "the add-game dialog opens");
    Shot("add-game");
    SetItemText(dialog, 1001, "Night Patrol");
    SetItemText(dialog, 1012, "Quillon Demo Works");
    SetItemText(dialog, 1013, "Arcade");
    SetItemText(dialog, 1003, "C:\\DemoGames\\StarMaze");
    SetItemText(dialog, 1002, "STARMAZE.EXE");
    SetItemText(dialog, 1004, g_program + "\\Images\\StarMaze.bmp");
    Shot("add-game-filled");
    Click(dialog, IDOK);
    Require(WaitUntil([&] { return !IsWindow(dialog); }, kWait), "the add-game dialog closes on ADD");
    // Without a setup program in the game's folder, its settings are asked for next.
    HWND settings = g_remote->WaitForDialog("Modify Settings for Night Patrol", 0, kWait);
    Check(settings != nullptr, "the new game's settings dialog follows");
    if (settings) {
        Shot("game-settings");
        Click(settings, IDCANCEL);
        Require(WaitUntil([&] { return !IsWindow(settings); }, kWait), "the settings dialog closes");
    }
    Check(WaitUntil([&] { return g_remote->RowCount(list) == before + 1; }, kWait), "the list has one row more");
    const int row = g_remote->FindRow(list, "Night Patrol");
    Check(row != -1 && g_remote->CellText(list, row, 1) == "Quillon Demo Works" &&
              g_remote->CellText(list, row, 2) == "Arcade",
          "the new game's row shows its publisher and category");
    Check(row != -1 && g_remote->SelectedRow(list) == row, "the new game is selected");
    // The record is 11164 bytes; the picture follows it.
    Check(FileSize(g_program + "\\Games\\Night Patrol.qgf") > 11164, "its game file holds the record and the picture");
    Shot("main-after-add");
}

int StepImport(HWND main, HWND list, const std::string& catalogue) {
    const int before = g_remote->RowCount(list);
    Command(main, kImport);
    HWND dialog = g_remote->WaitForDialog("Import Loader.ini", 1001, kWait);
    Require(dialog != nullptr, "the import dialog opens");
    SetItemText(dialog, 1001, catalogue);
    Require(WaitUntil([&] { return atoi(ItemText(dialog, 1004).c_str()) > 0; }, kWait),
            "the catalogue's sections are listed: " + ItemText(dialog, 1004));
    Shot("import");
    Click(dialog, 1003);
    Require(WaitUntil([&] { return ItemText(dialog, 1089).rfind("Converted:", 0) == 0; }, kWait),
            "the conversion ends: " + ItemText(dialog, 1089));
    const int converted = atoi(ItemText(dialog, 1089).c_str() + 10);
    Check(converted > 0, "games were converted");
    Shot("import-done");
    Click(dialog, IDOK);
    Require(WaitUntil([&] { return !IsWindow(dialog); }, kWait), "the import dialog closes");
    Check(WaitUntil([&] { return g_remote->RowCount(list) == before + converted; }, kWait),
          "the list has a row for each converted game");
    Shot("main-after-import");
    return converted;
}

// A child window of the main window by class: the details bar's tree, its folder bar.
HWND FindChild(HWND main, const char* className) {
    struct Search {
        const char* className;
        HWND found;
    } search{className, nullptr};
    EnumChildWindows(
        main,
        [](HWND h, LPARAM out) -> BOOL {
            auto* search = reinterpret_cast<Search*>(out);
            char name[64] = {};
            GetClassNameA(h, name, sizeof name);
            if (lstrcmpiA(name, search->className) != 0) return TRUE;
            search->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A click as the mouse gives it, at client point (x, y).
void ClickAt(HWND window, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

// The details bar's third folder, "Comment": a click on its header (at the
// bottom of the bar, 22 pixels high) opens it; a click on its one item asks for
// the comment. Cancelled, the game stays as it is.
void StepCommentDialog(HWND main) {
    HWND bar = FindChild(main, "GfxOutBarCtrl");
    Require(bar != nullptr, "the details bar's folders are there");
    const std::string file = g_program + "\\Games\\Tank Duel.qgf", before = ReadFileText(file);
    RECT c{};
    GetClientRect(bar, &c);
    ClickAt(bar, c.right / 2, c.bottom - 11);
    Sleep(1500);  // the folders slide
    // Three headers on top now; the item's icon starts 5 pixels below them.
    ClickAt(bar, c.right / 2, 3 * 22 + 5 + 12);
    HWND dialog = g_remote->WaitForDialog("Enter the comment", IDCANCEL, kWait);
    Check(dialog != nullptr, "the comment item asks for the comment");
    if (dialog) {
        Shot("comment");
        Click(dialog, IDCANCEL);
        Require(WaitUntil([&] { return !IsWindow(dialog); }, kWait), "the comment dialog closes");
        Check(!before.empty() && ReadFileText(file) == before, "cancelled, the game file is unchanged");
    }
    ClickAt(bar, c.right / 2, 11);  // back to the first folder
    Sleep(1500);
}

// A dialog that a command opens: it appears, is shot and closes with |button|.
void OpenAndClose(HWND main, int command, bool isButton, const std::string& caption, int button,
                  const std::string& shot) {
    if (isButton)
        Click(main, command);
    else
        Command(main, command);
    HWND dialog = g_remote->WaitForDialog(caption, button, kWait);
    Check(dialog != nullptr, "the dialog '" + caption + "' opens");
    if (!dialog) return;
    Shot(shot);
    Click(dialog, button);
    Require(WaitUntil([&] { return !IsWindow(dialog); }, kWait), "the dialog '" + caption + "' closes");
}

// The dialogs the steps above do not open, each opened as a player would and
// closed unchanged; then the error-locating dialog of a game whose folder is missing.
void StepOtherDialogs(HWND main, HWND list) {
    const int tank = g_remote->FindRow(list, "Tank Duel");
    Require(tank != -1 && g_remote->SelectRow(list, tank), "'Tank Duel' is selected");
    Sleep(500);
    OpenAndClose(main, kGameSettings, true, "Parameters for Tank Duel", IDOK, "command-line-setup");
    OpenAndClose(main, kPreferences, false, "Preferences", IDOK, "preferences");
    OpenAndClose(main, kManageEntries, false, "Data INI Entries", IDOK, "manage-entries");
    OpenAndClose(main, kAddGamesIniStyle, false, "Add Games - INI style", IDOK, "add-games-ini-style");
    // That dialog fills the list again, which leaves no game selected.
    Require(g_remote->SelectRow(list, g_remote->FindRow(list, "Tank Duel")), "'Tank Duel' is selected again");
    Sleep(500);
    OpenAndClose(main, kSearchGame, false, "Game Search - Tank Duel", IDCANCEL, "game-search");
    OpenAndClose(main, kAbout, false, "About QuillonLoader", IDOK, "about");
    StepCommentDialog(main);

    const int lost = g_remote->FindRow(list, "Lost Kingdom");
    Require(lost != -1 && g_remote->SelectRow(list, lost), "'Lost Kingdom' (its folder is missing) is selected");
    Sleep(500);
    OpenAndClose(main, kRunGame, true, "Error locating game", IDCANCEL, "error-locating-game");
}

// Deleting the selected game (Game List > Delete selected game). Until the
// main window handles the command, the step only checks that it still does
// not; the test script then passes --delete-wired.
void StepDeleteGame(HWND main, HWND list, bool wired) {
    const int row = g_remote->FindRow(list, "Night Patrol");
    Require(row != -1 && g_remote->SelectRow(list, row), "'Night Patrol' is selected for deletion");
    Sleep(500);
    const int before = g_remote->RowCount(list);
    Command(main, kDeleteGame);
    HWND confirm = g_remote->WaitForDialog("Confirm Deletion", IDYES, wired ? kWait : 3000);
    if (!wired) {
        Check(confirm == nullptr, "deleting a game is not wired yet (when it is, pass --delete-wired)");
        printf("skip deleting a game: not wired yet\n");
        if (confirm) Click(confirm, IDNO);
        return;
    }
    Require(confirm != nullptr, "the deletion is asked for");
    Check(StaticTexts(confirm).find("Night Patrol") != std::string::npos, "the question names the game");
    Shot("confirm-delete");
    Click(confirm, IDYES);
    Check(WaitUntil([&] { return g_remote->RowCount(list) == before - 1; }, kWait), "the row is gone");
    Check(g_remote->FindRow(list, "Night Patrol") == -1, "'Night Patrol' is no longer listed");
    Check(!FileExists(g_program + "\\Games\\Night Patrol.qgf"), "its game file is deleted");
}

// Editing a field in the details bar: a double click on Star Maze's publisher
// asks for the new text; the row and the game file show it.
void StepEditDetailsBar(HWND main, HWND list) {
    const int row = g_remote->FindRow(list, "Star Maze");
    Require(row != -1 && g_remote->SelectRow(list, row), "'Star Maze' is selected");
    Sleep(500);
    HWND tree = FindChild(main, WC_TREEVIEWA);
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
    PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tree, WM_LBUTTONUP, 0, at);
    PostMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(tree, WM_LBUTTONUP, 0, at);
    HWND ask = g_remote->WaitForDialog("", kTextInputValue, kWait);
    Require(ask != nullptr, "a double click on the publisher asks for the new one");
    SetItemText(ask, kTextInputValue, "Night Owl Software");
    Shot("details-bar-edit");
    Click(ask, IDOK);
    Check(WaitUntil([&] { return g_remote->CellText(list, row, 1) == "Night Owl Software"; }, kWait),
          "the row shows the new publisher");
    std::string stored;
    if (FILE* f = fopen((g_program + "\\Games\\Star Maze.qgf").c_str(), "rb")) {
        char publisher[260] = {};
        if (fseek(f, 272, SEEK_SET) == 0 && fread(publisher, 1, sizeof publisher - 1, f) > 0) stored = publisher;
        fclose(f);
    }
    Check(stored == "Night Owl Software", "the game file holds the new publisher: '" + stored + "'");
    Shot("details-bar-edited");
}

// The start-up import of the Loader.ini beside the program: its games are all
// in the list already, and the catalogue is kept as Loader07.ini.
void StepStartupImport() {
    HWND dialog = g_remote->WaitForDialog("Import Loader.ini", 1001, kWait);
    Require(dialog != nullptr, "the import dialog opens at start-up");
    Check(ItemText(dialog, 1001) == g_program + "\\Loader.ini", "it imports the Loader.ini beside the program");
    Require(WaitUntil([&] { return atoi(ItemText(dialog, 1004).c_str()) > 0; }, kWait),
            "the catalogue's sections are listed");
    Shot("startup-import");
    Click(dialog, 1003);
    // The dialog closes after the closing message: its status is read first.
    g_remote->WaitForDialog("Completed", IDOK, kWait);
    const std::string status = ItemText(dialog, 1089);
    Answer("Completed", "renamed to loader07.ini", IDOK, "startup-import-done");
    Check(status.rfind("Converted: 0.", 0) == 0 && status.find("Already exists: 5") != std::string::npos,
          "every game of the catalogue exists already: " + status);
    if (!WaitUntil([&] { return !IsWindow(dialog); }, 3000)) Click(dialog, IDOK);
    Require(WaitUntil([&] { return !IsWindow(dialog); }, kWait), "the import dialog closes");
    Check(!FileExists(g_program + "\\Loader.ini") && FileExists(g_program + "\\Loader07.ini"),
          "the catalogue is kept as Loader07.ini");
}

void StepClose(HWND main) {
    Command(main, kExit);
    DWORD code = 99;
    Require(g_remote->WaitForExit(kWait, code), "the program ends on File > Exit");
    Check(code == 0, "its exit code is 0 (" + std::to_string(code) + ")");
}

// Puts up or takes away a VDMSound installation in C:\\VDMSound.
bool FakeVdmSound(bool present) {
    const char* key = "Software\\Freeware\\VDMSound";
    const std::string ini = "C:\\VDMSound\\VDMS.INI";
    if (!present) {
        DeleteFileA(ini.c_str());
        RemoveDirectoryA("C:\\VDMSound");
        return RegDeleteKeyA(HKEY_CURRENT_USER, key) == ERROR_SUCCESS;
    }
    CreateDirectoryA("C:\\VDMSound", nullptr);
    FILE* f = fopen(ini.c_str(), "wb");
    if (!f) return false;
    fputs("[SB Controller.config]\r\nversion = 4.15\r\nport = 0x220\r\nIRQ = 7\r\nDMA8 = 1\r\nDMA16 = 5\r\n"
          "[AdLib Controller.config]\r\nport = 0x388\r\nsampleRate = 11025\r\n"
          "[MPU401 Controller.config]\r\nport = 0x330\r\nIRQ = 2\r\n",
          f);
    fclose(f);
    HKEY handle;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const char tips[] = "C:\\VDMSound\\Tips.txt";
    const bool ok = RegSetValueExA(handle, "TipsFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(tips), sizeof tips) ==
                    ERROR_SUCCESS;
    RegCloseKey(handle);
    return ok;
}

void CheckRegistry() {
    struct Expected {
        const char* name;
        DWORD value;
    };
    // The first start uses the slow-down tweak 4 while it writes 0; closing
    // stores the tweak in use.
    const Expected values[] = {{"FirstRun", 0},      {"ConfirmDelete", 1}, {"ReloadVerify", 1},  {"ReloadEffects", 0},
                               {"UseDefaultPif", 1}, {"Language", 0},      {"SlowDownTweak", 4}, {"Background", 3}};
    for (const auto& e : values) {
        DWORD value = 12345;
        const bool read = ReadNumber(HKEY_LOCAL_MACHINE, kSettingsKey, e.name, value);
        Check(read && value == e.value, std::string("setting ") + e.name + " = " + std::to_string(e.value) +
                                            (read ? " (is " + std::to_string(value) + ")" : " (missing)"));
    }
    for (int i = 0; i < 4; ++i) {
        const std::string name = "ColumnWidth" + std::to_string(i);
        DWORD width = 0;
        const bool read = ReadNumber(HKEY_LOCAL_MACHINE, kSettingsKey, name.c_str(), width);
        Check(read && width > 0 && width < 2000, "closing stored " + name + " (" + std::to_string(width) + ")");
    }
    std::string type, command, icon;
    const std::string exe = g_program + "\\Quillon.exe";
    ReadText(HKEY_CLASSES_ROOT, ".qgf", "", type);
    ReadText(HKEY_CLASSES_ROOT, "qgf_auto_file\\shell\\open\\command", "", command);
    ReadText(HKEY_CLASSES_ROOT, "qgf_auto_file\\DefaultIcon", "", icon);
    Check(type == "qgf_auto_file", ".qgf files are game files: " + type);
    Check(command == "\"" + exe + "\" \"%1\"", "a game file opens with this program: " + command);
    Check(icon == exe + ",5", "game files show the program's icon: " + icon);
}

// The installer built to find no C run-time library, as on Windows 95 as it first
// shipped: it says what to install and stops with exit code 3.
int SetupWithoutRuntime(const std::string& setup) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + setup + "\"";
    Require(CreateProcessA(setup.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process) != 0,
            "the setup starts: " + setup);
    Remote run(process);
    g_remote = &run;
    g_shot = -1;  // its shot comes before the program's
    Answer("Quillon Loader 0.8c Setup",
           "Please install Internet Explorer 4.0 or later, or Microsoft's Visual C++ 6.0 run-time package "
           "(VCREDIST.EXE): either brings MSVCRT.DLL. Then run this setup again.",
           IDOK, "setup-without-msvcrt");
    DWORD code = 0;
    const bool ended = run.WaitForExit(kWait, code);
    Check(ended && code == 3, "the setup stops with exit code 3: " + std::to_string(code));
    if (!ended) TerminateProcess(process.hProcess, 1);  // it went on to its pages
    return g_failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--setup-without-runtime") {
        g_shots = argv[3];
        return SetupWithoutRuntime(argv[2]);
    }
    if (argc < 4) {
        fprintf(stderr, "usage: e2e_driver PROGRAM_FOLDER SHOTS_FOLDER OLD_CATALOGUE [--delete-wired]\n");
        return 2;
    }
    g_program = argv[1];
    g_shots = argv[2];
    const std::string catalogue = argv[3];
    const bool deleteWired = argc > 4 && std::string(argv[4]) == "--delete-wired";
    CreateDirectoryA(g_shots.c_str(), nullptr);

    // First start: the one-time welcome, then the sample games.
    PROCESS_INFORMATION first = StartProgram();
    Remote program(first);
    g_remote = &program;
    Answer("Welcome to Quillon Loader", "This is a one time message.", IDOK, "welcome");
    HWND main = program.WaitForMainWindow(kWait);
    Require(main != nullptr, "the main window opens");
    HWND list = GetDlgItem(main, kGameList);
    StepListRows(list);
    Shot("main");
    StepRunGame(main, list);
    StepRunDosGames(main, list, "C:\\Program Files\\DOSBox-0.74-3\\standin.log");
    StepAddGame(main, list);
    StepEditDetailsBar(main, list);
    StepImport(main, list, catalogue);
    StepOtherDialogs(main, list);
    StepDeleteGame(main, list, deleteWired);
    std::vector<std::string> rows = program.Column(list, 0);
    StepClose(main);

    // What the run left behind.
    CheckRegistry();
    const std::set<std::string> listed(rows.begin(), rows.end());
    Check(GameFilesOnDisk() == listed, "the Games folder holds exactly the listed games: " + Joined(rows));

    // Second start, with the old catalogue beside the program: no welcome, the
    // offer to import it, the same games, the game selected last selected again.
    // VDMSound, as its installer leaves it (a tips file named in the registry,
    // VDMS.INI beside it), so that the second start finds it.
    Require(FakeVdmSound(true), "a VDMSound installation is there for the second start");
    const std::string besideExe = g_program + "\\Loader.ini";
    Require(CopyFileA(catalogue.c_str(), besideExe.c_str(), FALSE) != 0, "an old Loader.ini lies beside the program");
    PROCESS_INFORMATION second = StartProgram();
    Remote again(second);
    g_remote = &again;
    Answer("Found v0.7 Loader.ini file", "Would you like to import the games", IDYES, "import-offer");
    StepStartupImport();
    main = again.WaitForMainWindow(kWait);
    Require(main != nullptr, "the main window opens again");
    list = GetDlgItem(main, kGameList);
    Check(WaitUntil([&] { return again.RowCount(list) == static_cast<int>(rows.size()); }, kWait),
          "the list shows the same games again");
    Check(again.WaitForDialog("Welcome to Quillon Loader", 0, 1000) == nullptr, "no welcome on the second start");
    std::string lastRun;
    ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, "LastRun", lastRun);
    if (listed.count(lastRun)) {
        Check(WaitUntil([&] { return again.SelectedRow(list) != -1; }, kWait) &&
                  again.CellText(list, again.SelectedRow(list), 0) == lastRun,
              "the game selected last ('" + lastRun + "') is selected");
    } else {
        Sleep(500);
        Check(again.SelectedRow(list) == -1, "the game selected last ('" + lastRun + "') was deleted: no row is selected");
    }
    Shot("second-start");
    OpenAndClose(main, kVdmSoundSettings, false, "Global VDMSound Emulation Settings", IDCANCEL, "vdmsound-settings");
    StepClose(main);

    Check(FakeVdmSound(false), "the VDMSound installation is taken away again");
    printf("%s: %d failure(s)\n", g_failures ? "FAILED" : "PASSED", g_failures);
    return g_failures ? 1 : 0;
}
