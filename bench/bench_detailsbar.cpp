// Showing a game in the details bar, against reading its record: the bar is
// filled on every selection, so a fill must cost little beside the load.
// Run under Wine: wine bench_detailsbar.exe
#include "BenchClock.h"
#include "data/GameFile.h"
#include "mainwnd/DetailsBar.h"
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {



}  // namespace

int main() {
    InitCommonControls();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QlBenchHost";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, "QlBenchHost", "bench", WS_POPUP | WS_VISIBLE, 0, 0, 740, 460, nullptr, nullptr,
                                wc.hInstance, nullptr);

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string path = std::string(temp) + "ql_bench_details.qgf";
    GameRecord g = BlankGameRecord();
    SetField(g.title, "Commander Keen 4: Secret of the Oracle");
    SetField(g.webSite, "http://www.idsoftware.com");
    SetField(g.comment, "The best of the series.\r\nPlay it with the joystick.");
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(&g, 1, sizeof g, f);
    fclose(f);

    AppState state;
    CurrentGame game;
    DetailsBar bar(game, state, DetailsBar::Host{[] { return std::string("Keen"); }, [] {}, [](HBITMAP) {}});
    if (!bar.Create(host)) {
        std::printf("the details bar was not created\n");
        return 1;
    }
    const int n = 32, runs = 3;
    std::vector<double> load, show;
    for (int r = 0; r < runs; ++r) {
        double t0 = Now();
        for (int i = 0; i < n; ++i) ReadGameRecord(path, game.record);
        load.push_back(Now() - t0);
        game.loaded = true;
        t0 = Now();
        for (int i = 0; i < n; ++i) {
            // Two different games in turn: every shown text changes.
            SetField(game.record.title, i % 2 ? "Keen 4" : "Keen 5");
            SetField(game.record.publisher, i % 2 ? "Apogee" : "id Software");
            game.record.programSize = static_cast<uint32_t>(i);
            bar.ShowGame(&game);
        }
        show.push_back(Now() - t0);
    }
    std::printf("read %d records:            %8.1f ms\n", n, Median(load) * 1000);
    std::printf("show %d games in the bar:   %8.1f ms\n", n, Median(show) * 1000);
    std::printf("one show:                   %8.3f ms\n", Median(show) * 1000 / n);
    DestroyWindow(host);
    DeleteFileA(path.c_str());
    return 0;
}
