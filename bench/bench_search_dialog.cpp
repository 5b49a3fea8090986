// Responsiveness of the game search dialog during a large search: the dialog
// runs modally, a thread timer starts a search for "TARGET.EXE" from the given
// folder, measures the longest gap between its 20 ms ticks while the search
// runs (ticks only arrive through the dialog's message pump), presses Stop and
// measures how long the search takes to end after it. Marker files tell a
// screenshot script when to shoot: "shot-searching.txt" during the search,
// "shot-stopped.txt" after the stop.
//
// Usage: bench_search_dialog [start folder] [marker folder]   (C:\ and C:\ql_bench)
#include "BenchClock.h"
#include "data/GameFile.h"
#include "dialogs/GameSearchDialog.h"
#include "res/GameSearchDialogRes.h"
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <string>

namespace {

std::string g_start = "C:\\";
std::string g_markers = "C:\\ql_bench";
GameSearchDialog* g_dialog = nullptr;
double g_searchStarted = 0, g_lastTick = 0, g_longestGap = 0, g_stopPressed = 0, g_stopped = 0;
bool g_shot = false, g_completedBeforeStop = false;
int g_ticks = 0;


void Marker(const char* name) {
    FILE* f = std::fopen((g_markers + "\\" + name).c_str(), "wb");
    if (f) std::fclose(f);
}

void Click(int id) { PostMessageA(g_dialog->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    const double now = Now();
    ++g_ticks;
    if (g_dialog->Searching() && g_stopPressed == 0) g_longestGap = std::max(g_longestGap, now - g_lastTick);
    g_lastTick = now;
    if (g_searchStarted == 0 && g_dialog->Searching()) g_searchStarted = now;
    if (g_searchStarted == 0) return;
    const double elapsed = now - g_searchStarted;
    if (!g_shot && elapsed > 0.6) {
        g_shot = true;
        Marker("shot-searching.txt");
    }
    if (g_stopPressed == 0 && elapsed > 1.4) {
        g_completedBeforeStop = !g_dialog->Searching();
        g_stopPressed = now;
        Click(IDC_SEARCH_GO);  // Stop
    }
    if (g_stopPressed != 0 && g_stopped == 0 && !g_dialog->Searching()) {
        g_stopped = now;
        Marker("shot-stopped.txt");
    }
    if (g_stopped != 0 && now - g_stopped > 1.5) {
        KillTimer(nullptr, timer);
        Click(IDCANCEL);
    }
}

void CALLBACK Begin(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    SetDlgItemTextA(g_dialog->Handle(), IDC_SEARCH_START, g_start.c_str());
    g_lastTick = Now();
    SetTimer(nullptr, 0, 20, &Tick);
    Click(IDC_SEARCH_GO);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) g_start = argv[1];
    if (argc > 2) g_markers = argv[2];
    InitCommonControls();
    CurrentGame game;  // not loaded: OK would change nothing on disk
    SetField(game.record.programName, "TARGET.EXE");
    GameSearchDialog dialog(game, "Responsiveness");
    g_dialog = &dialog;
    SetTimer(nullptr, 0, 300, &Begin);
    dialog.DoModal(nullptr);
    std::printf("search from %s\n", g_start.c_str());
    if (g_completedBeforeStop) std::printf("the search ended before Stop was pressed\n");
    std::printf("longest gap between 20 ms ticks while searching: %.1f ms (%d ticks)\n", g_longestGap * 1000.0,
                g_ticks);
    std::printf("from Stop to the end of the search: %.1f ms\n", (g_stopped - g_stopPressed) * 1000.0);
    return 0;
}
