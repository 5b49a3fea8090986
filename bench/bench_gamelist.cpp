// Filling the game list from 512 game files with 160 x 100 pictures, with the
// window shown and painted as a player sees it: sorted by name and by category (a
// click on the Game or Category heading), and F5 with a game shown, against the same 512 records
// read raw in a tight loop; and the time from start-up to a painted window with
// 512 games and with none.
// Run under Wine: wine bench_gamelist.exe
#include "BenchClock.h"
#include "data/GameFile.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "state/Settings.h"
#include "state/SingleInstance.h"
#include "win/UserInterface.h"
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
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

}  // namespace

int main() {
    InitCommonControls();
    SilentUi ui;
    win::SetUi(&ui);

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string base = std::string(temp) + "ql_bench_" + std::to_string(GetCurrentProcessId());
    const std::string folder = base + "_512", empty = base + "_0";
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
    const std::vector<char> picture = Picture();
    std::vector<std::string> files;
    for (int i = 0; i < 512; ++i) {
        GameRecord g = BlankGameRecord();
        std::string title = "Game " + std::to_string(100000 + (i * 7919) % 512);
        SetField(g.title, title.c_str());
        SetField(g.category, categories[i % 8]);
        SetField(g.path, folder.c_str());
        SetField(g.command, "GAME.EXE");
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

    const int runs = 5;
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
    ListView_SetItemState(GetDlgItem(h, IDC_GAMELIST), 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Pump();

    std::vector<double> byName, byCategory, refresh, raw;
    for (int r = 0; r < runs; ++r) {
        double t0 = Now();
        ClickHeading(h, 0);
        UpdateWindow(h);
        Pump();
        byName.push_back(Now() - t0);
        t0 = Now();
        ClickHeading(h, 2);
        UpdateWindow(h);
        Pump();
        byCategory.push_back(Now() - t0);
        // F5 with a game selected: the fill, then that game shown again.
        ListView_SetItemState(GetDlgItem(h, IDC_GAMELIST), 3, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        Pump();
        t0 = Now();
        SendMessageA(h, WM_COMMAND, IDM_REFRESH, 0);
        UpdateWindow(h);
        Pump();
        refresh.push_back(Now() - t0);
        t0 = Now();
        size_t ok = 0;
        for (const auto& path : files) {
            GameRecord g;
            FILE* f = fopen(path.c_str(), "rb");
            if (f && fread(&g, 1, sizeof g, f) == sizeof g) ++ok;
            if (f) fclose(f);
        }
        raw.push_back(Now() - t0);
        if (ok != files.size()) std::printf("raw read failed\n");
    }
    const double name = Median(byName), category = Median(byCategory), rawTime = Median(raw);
    std::printf("rows listed:                %d\n", ListView_GetItemCount(GetDlgItem(h, IDC_GAMELIST)));
    std::printf("fill sorted by name:        %8.1f ms\n", name * 1000);
    std::printf("fill sorted by category:    %8.1f ms\n", category * 1000);
    std::printf("raw read of 512 records:    %8.1f ms\n", rawTime * 1000);
    std::printf("name fill / raw read:       %8.1f x\n", name / rawTime);
    std::printf("category fill / raw read:   %8.1f x\n", category / rawTime);
    std::printf("category fill / name fill:  %8.2f x\n", category / name);
    std::printf("refresh (F5) with a game shown: %8.1f ms\n", Median(refresh) * 1000);
    std::printf("start-up to a painted window, 512 games: %8.1f ms\n", Median(startFull) * 1000);
    std::printf("start-up to a painted window, no games:  %8.1f ms\n", Median(startEmpty) * 1000);

    SendMessageA(h, WM_CLOSE, 0, 0);
    Pump();
    window.reset();
    win::SetUi(nullptr);
    RemoveFolder(folder, files);
    RemoveFolder(empty, {});
    return 0;
}
