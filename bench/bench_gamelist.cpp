// Filling the game list from 512 game files with 160 x 100 pictures, sorted by
// name and by category, against the same 512 records read raw in a tight loop.
// Run under Wine: wine bench_gamelist.exe
#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "data/GameFile.h"
#include "mainwnd/MainWindow.h"
#include "win/UserInterface.h"
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
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
    INT_PTR RunModal(win::Dialog&, HWND) override { return IDCANCEL; }
    void ExitProcess(UINT) override {}
};

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

std::vector<char> Picture() {
    const int w = 160, h = 100, stride = w * 3;
    std::vector<char> bmp(54 + stride * h, 0);
    uint32_t v;
    bmp[0] = 'B';
    bmp[1] = 'M';
    v = static_cast<uint32_t>(bmp.size());
    memcpy(&bmp[2], &v, 4);
    v = 54;
    memcpy(&bmp[10], &v, 4);
    v = 40;
    memcpy(&bmp[14], &v, 4);
    v = w;
    memcpy(&bmp[18], &v, 4);
    v = h;
    memcpy(&bmp[22], &v, 4);
    uint16_t s = 1;
    memcpy(&bmp[26], &s, 2);
    s = 24;
    memcpy(&bmp[28], &s, 2);
    for (size_t i = 54; i < bmp.size(); ++i) bmp[i] = static_cast<char>(i * 7);
    return bmp;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    InitCommonControls();
    SilentUi ui;
    win::SetUi(&ui);

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "ql_bench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\Games").c_str(), nullptr);
    if (FILE* ini = fopen((folder + "\\Data.ini").c_str(), "wb")) {
        fputs("[Categories]\r\n00=Action\r\n", ini);
        fclose(ini);
    }
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
    ReleaseSingleInstance();
    MainWindow window("", folder);
    if (!window.Create(nullptr)) {
        std::printf("the main window did not start\n");
        return 1;
    }

    const int runs = 5;
    std::vector<double> byName, byCategory, raw;
    for (int r = 0; r < runs; ++r) {
        double t0 = Now();
        window.SortBy(0);
        byName.push_back(Now() - t0);
        t0 = Now();
        window.SortBy(2);
        byCategory.push_back(Now() - t0);
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
    std::printf("rows listed:                %d\n", window.List().Count());
    std::printf("fill sorted by name:        %8.1f ms\n", name * 1000);
    std::printf("fill sorted by category:    %8.1f ms\n", category * 1000);
    std::printf("raw read of 512 records:    %8.1f ms\n", rawTime * 1000);
    std::printf("name fill / raw read:       %8.1f x\n", name / rawTime);
    std::printf("category fill / raw read:   %8.1f x\n", category / rawTime);
    std::printf("category fill / name fill:  %8.2f x\n", category / name);

    window.Close();
    win::SetUi(nullptr);
    for (const auto& path : files) DeleteFileA(path.c_str());
    RemoveDirectoryA((folder + "\\Games").c_str());
    DeleteFileA((folder + "\\Data.ini").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
