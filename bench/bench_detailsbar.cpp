// Showing a game in the details bar, against reading its record: the bar is
// filled on every selection, so a fill must cost little beside the load. A
// DOS game's fill also reads its sound setup files (its folder's listing and
// a DIG.INI here), and a change between a DOS and a Windows game adds or takes
// away the DOS game's rows.
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

// Shows |games| in turn, |n| times, |runs| times over; the median run in seconds.
double ShowInTurn(DetailsBar& bar, std::vector<CurrentGame>& games, int n, int runs) {
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const double t0 = Now();
        for (int i = 0; i < n; ++i) bar.ShowGame(&games[static_cast<size_t>(i) % games.size()]);
        times.push_back(Now() - t0);
    }
    return Median(times);
}

void WriteText(const std::string& path, const char* text) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return;
    fputs(text, f);
    fclose(f);
}

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

    // Two DOS games with their own DIG.INI, and a Windows game (this program).
    std::vector<CurrentGame> dos(2);
    for (size_t i = 0; i < dos.size(); ++i) {
        const std::string folder = std::string(temp) + "ql_bench_dos" + std::to_string(i);
        CreateDirectoryA(folder.c_str(), nullptr);
        WriteText(folder + "\\GAME.COM", "\xB4\x4C\xCD\x21");
        WriteText(folder + "\\DIG.INI",
                  "DEVICE Sound Blaster Pro\nDRIVER SBPRO.DIG\nIO_ADDR 240\nIRQ 5\nDMA_8_bit 3\n");
        dos[i].record = g;
        dos[i].loaded = true;
        SetField(dos[i].record.path, folder.c_str());
        SetField(dos[i].record.command, "GAME.COM");
    }
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::vector<CurrentGame> mixed = {dos[0], dos[0]};
    const std::string exe = self;
    SetField(mixed[1].record.path, exe.substr(0, exe.rfind('\\')).c_str());
    SetField(mixed[1].record.command, exe.substr(exe.rfind('\\') + 1).c_str());
    const double dosShow = ShowInTurn(bar, dos, n, runs), mixedShow = ShowInTurn(bar, mixed, n, runs);
    std::printf("one show of a DOS game:     %8.3f ms (its sound setup read)\n", dosShow * 1000 / n);
    std::printf("one show, DOS and Windows:  %8.3f ms (the DOS rows added or taken away)\n", mixedShow * 1000 / n);
    for (size_t i = 0; i < dos.size(); ++i) {
        const std::string folder = FieldText(dos[i].record.path);
        DeleteFileA((folder + "\\GAME.COM").c_str());
        DeleteFileA((folder + "\\DIG.INI").c_str());
        RemoveDirectoryA(folder.c_str());
    }
    DestroyWindow(host);
    DeleteFileA(path.c_str());
    return 0;
}
