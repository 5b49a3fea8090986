// Filling the game list from N game files (512 unless given) with 160 x 100
// pictures, with the window shown and painted as a player sees it: sorted by
// name and by each other column (a click on its heading), and F5 with a game
// shown, against the same N records read raw in a tight loop; the time from
// start-up to a painted window with N games and with none; the memory the
// process holds; and typing a title's first letters into the list.
// Run under Wine: wine bench_gamelist.exe [N [RUNS]]   (N from 1 to 20000; the
// medians of RUNS runs, 5 unless given, 3 above 2,000 games)
#include "BenchClock.h"
#include "data/GameFile.h"
#include "data/GameFolder.h"
#include "launch/GameRows.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "state/Settings.h"
#include "state/SingleInstance.h"
#include "win/UserInterface.h"
#include <commctrl.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Answers every question with its first button; nothing waits for a person.
class SilentUi final : public win::UserInterface {
public:
    int ShowMessage(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
    bool PickFile(const win::OpenFileRequest&, std::string&) override { return false; }
    bool PickFolder(HWND, const std::string&, std::string&) override { return false; }
    INT_PTR Execute(HWND, const std::string&, const std::string&, const std::string&, const std::string&,
                    int) override {
        return 42;
    }
    bool StartProcess(const std::string&, const std::string&, const std::string&) override { return true; }
    INT_PTR RunModal(win::Dialog&, HWND) override { return IDCANCEL; }
    void ExitProcess(UINT) override {}
};


std::vector<char> Picture() {
    const int w = 160, h = 100, stride = w * 3;
    std::vector<char> bmp(54 + stride * h, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&bmp[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&bmp[at], &v, 2); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    put16(26, 1);
    put16(28, 24);
    for (size_t i = 54; i < bmp.size(); ++i) bmp[i] = static_cast<char>(i * 7);
    return bmp;
}


// Lets every waiting message (painting included) be handled.
void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// What the list sends its parent when a column heading is clicked.
void ClickHeading(HWND window, int column) {
    NMLISTVIEW nm{};
    nm.hdr.hwndFrom = GetDlgItem(window, IDC_GAMELIST);
    nm.hdr.idFrom = IDC_GAMELIST;
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = column;
    SendMessageA(window, WM_NOTIFY, IDC_GAMELIST, reinterpret_cast<LPARAM>(&nm));
}

// Starts the main window on |folder| and waits until it is shown and painted.
std::unique_ptr<MainWindow> StartWindow(const std::string& folder, double& seconds) {
    ReleaseSingleInstance();
    const double t0 = Now();
    MainWindowOptions options;
    options.folders.programFolder = folder;
    auto window = std::make_unique<MainWindow>("", options);
    HWND h = window->Create(nullptr);
    if (h) {
        ShowWindow(h, SW_SHOWNOACTIVATE);
        UpdateWindow(h);
        Pump();
    }
    seconds = Now() - t0;
    if (!h) return nullptr;
    return window;
}

void RemoveFolder(const std::string& folder, const std::vector<std::string>& files) {
    for (const auto& path : files) DeleteFileA(path.c_str());
    DeleteFileA((folder + "\\GAME.EXE").c_str());
    RemoveDirectoryA((folder + "\\Games").c_str());
    DeleteFileA((folder + "\\Data.ini").c_str());
    RemoveDirectoryA(folder.c_str());
}

// The process's memory now and at its peak.
std::string Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return "unknown";
    char text[120];
    std::snprintf(text, sizeof text, "working set %.1f MB (peak %.1f MB), private %.1f MB (peak %.1f MB)",
                  counters.WorkingSetSize / 1048576.0, counters.PeakWorkingSetSize / 1048576.0,
                  counters.PagefileUsage / 1048576.0, counters.PeakPagefileUsage / 1048576.0);
    return text;
}

// Types |text| into the list as a player does, each key through the window's
// own message loop, well inside the pause between two letters of one title;
// the time until the last key is handled.
double TypeInto(MainWindow& window, HWND list, const std::string& text) {
    SetFocus(list);
    const double t0 = Now();
    for (char c : text) {
        MSG msg{list, WM_CHAR, static_cast<unsigned char>(c), 1, GetTickCount(), {0, 0}};
        if (!window.PreTranslate(msg)) DispatchMessageA(&msg);
    }
    UpdateWindow(window.Handle());
    Pump();
    return Now() - t0;
}

std::string RowText(HWND list, int row) {
    char text[260] = "";
    ListView_GetItemText(list, row, 0, text, sizeof text);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 512;
    if (count < 1 || count > 20000 || (argc > 2 && std::atoi(argv[2]) < 1)) {
        std::printf("usage: bench_gamelist [N [RUNS]]   (N from 1 to 20000)\n");
        return 2;
    }
    InitCommonControls();
    SilentUi ui;
    win::SetUi(&ui);

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string base = std::string(temp) + "ql_bench_" + std::to_string(GetCurrentProcessId());
    const std::string folder = base + "_" + std::to_string(count), empty = base + "_0";
    for (const auto& f : {folder, empty}) {
        CreateDirectoryA(f.c_str(), nullptr);
        CreateDirectoryA((f + "\\Games").c_str(), nullptr);
        if (FILE* ini = fopen((f + "\\Data.ini").c_str(), "wb")) {
            fputs("[Categories]\r\n00=Action\r\n", ini);
            fclose(ini);
        }
    }
    // An installed library: every game's program is there.
    if (FILE* exe = fopen((folder + "\\GAME.EXE").c_str(), "wb")) fclose(exe);
    const char* categories[] = {"Action", "Adventure", "Arcade", "Puzzle", "Strategy", "Sports", "Racing", "RPG"};
    const char* publishers[] = {"Apogee", "id Software", "Sierra", "LucasArts", "Epic MegaGames", "Origin"};
    const std::vector<char> picture = Picture();
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) {
        GameRecord g = BlankGameRecord();
        // 7919 is a prime: the names come in an order unlike their sorted one.
        std::string title = "Game " + std::to_string(100000 + (static_cast<long long>(i) * 7919) % count);
        SetField(g.title, title.c_str());
        SetField(g.publisher, publishers[i % 6]);
        SetField(g.category, categories[i % 8]);
        SetField(g.path, folder.c_str());
        SetField(g.command, "GAME.EXE");
        if (i % 3 == 0) SetField(g.setup, "SETUP.EXE");
        g.pictureSize = static_cast<uint32_t>(picture.size());
        std::string path = folder + "\\Games\\" + title + ".qgf";
        FILE* f = fopen(path.c_str(), "wb");
        fwrite(&g, 1, sizeof g, f);
        fwrite(picture.data(), 1, picture.size(), f);
        fclose(f);
        files.push_back(path);
    }

    SetSettingsKey(kCompanyKey, kApplicationKey);
    WriteSettingValue("FirstRun", 0);
    WriteSettingValue("UseDefaultPif", 0);
    WriteSettingValue("MaxGames", static_cast<DWORD>(count < 512 ? 512 : count));

    const int runs = argc > 2 ? std::atoi(argv[2]) : count > 2000 ? 3 : 5;
    std::vector<double> startFull, startEmpty;
    for (int r = 0; r < runs; ++r) {
        double t = 0;
        StartWindow(empty, t);
        startEmpty.push_back(t);
        StartWindow(folder, t);
        startFull.push_back(t);
    }
    double ignored = 0;
    std::unique_ptr<MainWindow> window = StartWindow(folder, ignored);
    if (!window) {
        std::printf("the main window did not start\n");
        return 1;
    }
    HWND h = window->Handle();
    HWND list = GetDlgItem(h, IDC_GAMELIST);
    ListView_SetItemState(list, 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Pump();

    // The same records read raw, in a tight loop with the C library.
    auto rawRead = [&files] {
        const double t0 = Now();
        size_t ok = 0;
        for (const auto& path : files) {
            GameRecord g;
            FILE* f = fopen(path.c_str(), "rb");
            if (f && fread(&g, 1, sizeof g, f) == sizeof g) ++ok;
            if (f) fclose(f);
        }
        if (ok != files.size()) std::printf("raw read failed\n");
        return Now() - t0;
    };
    // Each fill against a raw read just before it: the machine's load changes
    // from one second to the next.
    std::vector<double> byColumn[4], ratio[4], refresh, raw, listed, rowsRead;
    for (int r = 0; r < runs; ++r) {
        for (int column : {0, 1, 2, 3}) {
            const double before = rawRead();
            raw.push_back(before);
            const double t0 = Now();
            ClickHeading(h, column);
            UpdateWindow(h);
            Pump();
            byColumn[column].push_back(Now() - t0);
            ratio[column].push_back(byColumn[column].back() / before);
        }
        // F5 with a game selected: the fill, then that game shown again.
        ClickHeading(h, 0);
        ListView_SetItemState(list, 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        Pump();
        double t0 = Now();
        SendMessageA(h, WM_COMMAND, IDM_REFRESH, 0);
        UpdateWindow(h);
        Pump();
        refresh.push_back(Now() - t0);
        // The parts of a fill without the window: the listing, and each file read into its row.
        t0 = Now();
        const GameFolderListing listing = ListGameFiles(folder + "\\Games", count);
        listed.push_back(Now() - t0);
        t0 = Now();
        ReadGameRows(folder + "\\Games", listing.files, true, {});
        rowsRead.push_back(Now() - t0);
    }
    const double name = Median(byColumn[0]);
    const char* headings[] = {"name", "publisher", "category", "settings"};
    std::printf("games:                          %d\n", count);
    std::printf("rows listed:                    %d\n", ListView_GetItemCount(list));
    std::printf("raw read of the records:        %8.1f ms\n", Median(raw) * 1000);
    std::printf("listing the Games folder:       %8.1f ms\n", Median(listed) * 1000);
    std::printf("every file read into its row:   %8.1f ms\n", Median(rowsRead) * 1000);
    for (int column = 0; column < 4; ++column) {
        const double t = Median(byColumn[column]);
        std::printf("fill sorted by %-10s       %8.1f ms  %5.2f x raw read (each against the read before it: %4.2f)"
                    "  %5.2f x name fill\n",
                    headings[column], t * 1000, t / Median(raw), Median(ratio[column]), t / name);
    }
    std::printf("refresh (F5) with a game shown: %8.1f ms\n", Median(refresh) * 1000);
    std::printf("start-up to a painted window, %d games: %8.1f ms\n", count, Median(startFull) * 1000);
    std::printf("start-up to a painted window, no games:  %8.1f ms\n", Median(startEmpty) * 1000);

    // Sorted by category, the name typed selects the game wherever its row is.
    ClickHeading(h, 2);
    Pump();
    const std::string wanted = "Game " + std::to_string(100000 + count - 1);
    const double typed = TypeInto(*window, list, wanted);
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    std::printf("typing \"%s\" (sorted by category): %8.1f ms, selects \"%s\"\n", wanted.c_str(), typed * 1000,
                row == -1 ? "nothing" : RowText(list, row).c_str());
    std::printf("memory: %s\n", Memory().c_str());

    SendMessageA(h, WM_CLOSE, 0, 0);
    Pump();
    window.reset();
    win::SetUi(nullptr);
    RemoveFolder(folder, files);
    RemoveFolder(empty, {});
    return 0;
}
