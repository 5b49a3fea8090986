// Shows one of the program's windows for the help file's screenshots (run by
// tools/take_help_shots.sh under Wine):
//   help_shots WINDOW RECTFILE [PROGRAMFOLDER]
// Once the window is painted, its screen rectangle "left top width height" goes
// to RECTFILE; the window stays open until RECTFILE is deleted (30 s at most).
// WINDOW is a dialog name below, or "find:TEXT" for the top-level window of a
// running program whose caption starts with TEXT (the main window).
#include "data/GameFile.h"
#include "data/IniFile.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/AddGameDialog.h"
#include "dialogs/CommandLineDialog.h"
#include "dialogs/CommentDialog.h"
#include "dialogs/DosBoxSettingsDialog.h"
#include "dialogs/GameSettingsDialog.h"
#include "dialogs/ImportDialog.h"
#include "dialogs/ImportGamesDialog.h"
#include "dialogs/LocateGameDialog.h"
#include "dialogs/ManageEntriesDialog.h"
#include "dialogs/PreferencesDialog.h"
#include "dialogs/TextInputDialog.h"
#include "dialogs/VdmSoundDialog.h"
#include "res/AddGameDialogRes.h"
#include "res/ImportGamesDialogRes.h"
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(20);
    }
}

struct Found {
    const char* prefix;
    HWND hwnd;
};

BOOL CALLBACK MatchCaption(HWND hwnd, LPARAM param) {
    Found* found = reinterpret_cast<Found*>(param);
    char caption[260] = "";
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (IsWindowVisible(hwnd) && strncmp(caption, found->prefix, strlen(found->prefix)) == 0) {
        found->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

void SetText(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

// The add-game dialog as a player fills it in for one of the demo games.
void FillAddGame(HWND dialog, const std::string& programFolder) {
    SetText(dialog, IDC_ADD_TITLE, "Star Maze");
    SetText(dialog, IDC_ADD_PUBLISHER, "Quillon Demo Works");
    SetText(dialog, IDC_ADD_CATEGORY, "Arcade");
    SetText(dialog, IDC_ADD_PATH, "C:\\DemoGames\\StarMaze");
    SetText(dialog, IDC_ADD_COMMAND, "STARMAZE.EXE");
    SetText(dialog, IDC_ADD_DOCUMENT, "README.TXT");
    SetText(dialog, IDC_ADD_PICTURE, "StarMaze.bmp");
    HANDLE picture = LoadImageA(nullptr, (programFolder + "\\Images\\StarMaze.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                                LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (picture) SendDlgItemMessageA(dialog, IDC_ADD_PREVIEW, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)picture);
}

bool WriteRect(HWND hwnd, const char* path) {
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return false;
    FILE* f = fopen(path, "w");
    if (!f) return false;
    fprintf(f, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: help_shots WINDOW RECTFILE [PROGRAMFOLDER]\n");
        return 2;
    }
    InitCommonControls();
    const std::string window = argv[1];
    const char* rectFile = argv[2];
    const std::string programFolder = argc > 3 ? argv[3] : "C:\\Quillon Loader";
    IniFile dataIni;
    dataIni.Open(programFolder + "\\Data.ini");
    std::unique_ptr<win::Dialog> dialog;
    HWND hwnd = nullptr;
    if (window.rfind("find:", 0) == 0) {
        Found found{argv[1] + 5, nullptr};
        for (int tries = 0; tries < 100 && !found.hwnd; ++tries) {
            EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&found));
            if (!found.hwnd) Sleep(100);
        }
        hwnd = found.hwnd;
    } else if (window == "add_game") {
        auto add = std::make_unique<AddGameDialog>(programFolder, dataIni);
        if (add->Create(nullptr)) FillAddGame(add->Handle(), programFolder);
        dialog = std::move(add);
    } else if (window == "text_input") {
        auto text = std::make_unique<TextInputDialog>();
        text->prompt = "Enter the Publisher";
        text->value = "Quillon Demo Works";
        dialog = std::move(text);
        dialog->Create(nullptr);
    } else if (window == "game_settings" || window == "command_line" || window == "dosbox_settings") {
        // Tank Duel of the demo library, with its device parameters; Blaster
        // Pro, whose DIG.INI disagrees with them, for the game settings.
        const std::string title = window == "command_line" ? "Tank Duel" : "Blaster Pro";
        CurrentGame game;
        game.path = programFolder + "\\Games\\" + title + ".qgf";
        game.loaded = ReadGameRecord(game.path, game.record) == GameFileStatus::Ok;
        if (window == "game_settings") {
            auto settings = std::make_unique<GameSettingsDialog>(dataIni);
            settings->title = title;
            settings->game = game.record;
            dialog = std::move(settings);
        } else if (window == "dosbox_settings") {
            GameExtras extras;
            extras.dosBoxProgram = "C:\\Program Files\\DOSBox-X\\dosbox-x.exe";
            extras.cdRom = {CdRomKind::Images, 0, {"C:\\ISO\\Blaster Pro 1.cue", "C:\\ISO\\Blaster Pro 2.cue"}};
            extras.extraLines = {"cpu.cycles=12000", "dosbox.memsize=32"};
            WriteGameExtras(game.record, extras);
            auto dosBox = std::make_unique<DosBoxSettingsDialog>();
            dosBox->title = title;
            dosBox->game = game.record;
            dialog = std::move(dosBox);
        } else {
            auto line = std::make_unique<CommandLineDialog>();
            line->title = "Tank Duel";
            line->game = game.record;
            dialog = std::move(line);
        }
        dialog->Create(nullptr);
    } else if (window == "manage_entries") {
        dialog = std::make_unique<ManageEntriesDialog>(dataIni, true);
        dialog->Create(nullptr);
    } else if (window == "preferences") {
        auto preferences = std::make_unique<PreferencesDialog>();
        preferences->values.dosBoxPath = "C:\\Program Files\\DOSBox-0.74-3\\DOSBox.exe";
        dialog = std::move(preferences);
        dialog->Create(nullptr);
    } else if (window == "about") {
        auto about = std::make_unique<AboutDialog>();
        about->windows = WindowsVersion{VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 2"};
        dialog = std::move(about);
        dialog->Create(nullptr);
    } else if (window == "locate_game") {
        auto locate = std::make_unique<LocateGameDialog>();
        locate->title = "Lost Kingdom";
        locate->folder = "C:\\Sierra\\KINGDOM";
        dialog = std::move(locate);
        dialog->Create(nullptr);
    } else if (window == "import") {
        dialog = std::make_unique<ImportDialog>(programFolder, ImportMode::Menu);
        dialog->Create(nullptr);
    } else if (window == "import_games") {
        // The DOSBox configurations that take_help_shots.sh puts in C:\DOSBox Games.
        dialog = std::make_unique<ImportGamesDialog>(programFolder);
        if (dialog->Create(nullptr)) {
            SetText(dialog->Handle(), IDC_IMPORTGAMES_PATH, "C:\\DOSBox Games");
            SendMessageA(dialog->Handle(), WM_COMMAND, MAKEWPARAM(IDC_IMPORTGAMES_READ, BN_CLICKED), 0);
        }
    } else if (window == "vdmsound") {
        static IniFile vdms;
        vdms.Open(programFolder + "\\VDMS.INI");
        dialog = std::make_unique<VdmSoundDialog>(vdms);
        dialog->Create(nullptr);
    } else if (window == "comment") {
        auto comment = std::make_unique<CommentDialog>();
        comment->comment = "Finished level 12 on 3 March.\r\nThe secret room is behind the waterfall.";
        dialog = std::move(comment);
        dialog->Create(nullptr);
    }
    if (dialog) hwnd = dialog->Handle();
    if (!hwnd) {
        fprintf(stderr, "help_shots: no window for %s\n", argv[1]);
        return 1;
    }
    if (dialog) {
        // In the middle of the screen, as a modal dialog over the main window would be.
        RECT r;
        GetWindowRect(hwnd, &r);
        int w = r.right - r.left, h = r.bottom - r.top;
        SetWindowPos(hwnd, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2,
                     0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(hwnd);
    }
    Pump(1500);
    if (!WriteRect(hwnd, rectFile)) return 1;
    for (int waited = 0; waited < 30000 && GetFileAttributesA(rectFile) != INVALID_FILE_ATTRIBUTES; waited += 100)
        Pump(100);
    return 0;
}
