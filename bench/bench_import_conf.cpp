// Importing a folder of 1,000 DOSBox configuration files: reading them into
// game descriptions, then writing the game files, each game's folder holding
// its program (and every other one a setup program); and the import dialog,
// shown, listing them. Best of three rounds.
// Run under Wine: wine bench_import_conf.exe
#include "BenchClock.h"
#include "data/GameFolder.h"
#include "import/DosBoxConf.h"
#include "import/ImportBatch.h"
#include "dialogs/ImportGamesDialog.h"
#include "res/ImportGamesDialogRes.h"
#include <commctrl.h>
#include <windows.h>
#include <cstdio>
#include <string>

namespace {

constexpr int kGames = 1000;
constexpr int kRounds = 3;

void Write(const std::string& path, const std::string& text) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return;
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

// A configuration as DOSBox users keep them: a few sections of their own and
// an autoexec that mounts the game's folder and starts it.
std::string Conf(const std::string& root, int i) {
    char text[1024];
    snprintf(text, sizeof text,
             "# Game %d\r\n[sdl]\r\nfullscreen=false\r\noutput=opengl\r\n[dosbox]\r\nmachine=svga_s3\r\nmemsize=16\r\n"
             "[cpu]\r\ncore=auto\r\ncycles=%d\r\n[mixer]\r\nrate=44100\r\n[sblaster]\r\nsbtype=sb16\r\nsbbase=220\r\n"
             "irq=7\r\ndma=1\r\nhdma=5\r\n[gus]\r\ngus=%s\r\n[midi]\r\nmpu401=intelligent\r\nmididevice=default\r\n"
             "[autoexec]\r\n@echo off\r\nmount c \"%s\\games\"\r\nimgmount d \"%s\\cd\\game%d.iso\" -t iso\r\nc:\r\n"
             "cd G%04d\r\nGAME.EXE -level %d\r\nexit\r\n",
             i, 3000 + i, i % 3 ? "false" : "true", root.c_str(), root.c_str(), i, i, i % 10);
    return text;
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string root = std::string(temp) + "ql_bench_import";
    const std::string program = root + "\\Program", confs = root + "\\confs";
    for (const std::string& folder : {root, program, program + "\\Games", confs, root + "\\games"})
        CreateDirectoryA(folder.c_str(), nullptr);
    char name[64];
    for (int i = 0; i < kGames; ++i) {
        snprintf(name, sizeof name, "\\games\\G%04d", i);
        CreateDirectoryA((root + name).c_str(), nullptr);
        Write(root + name + "\\GAME.EXE", std::string(4096, 'x'));
        if (i % 2) Write(root + name + "\\SETUP.EXE", "setup");
        snprintf(name, sizeof name, "\\Game number %04d.conf", i);
        Write(confs + name, Conf(root, i));
    }

    double bestRead = 1e9, bestWrite = 1e9;
    int converted = 0;
    BatchListener quiet;
    for (int round = 0; round < kRounds; ++round) {
        for (int i = 0; i < kGames; ++i) {
            snprintf(name, sizeof name, "Game number %04d", i);
            DeleteFileA(GameFilePath(program, name).c_str());
        }
        const double t0 = Now();
        const ImportSource source = ReadDosBoxConfs(confs);
        const double t1 = Now();
        const ImportBatchResult result = ConvertImportedGames(source.games, program, false, quiet);
        const double t2 = Now();
        bestRead = std::min(bestRead, t1 - t0);
        bestWrite = std::min(bestWrite, t2 - t1);
        converted = result.converted;
    }

    // The dialog on screen lists them: "List games" until the list is painted.
    InitCommonControls();
    double bestList = 1e9;
    {
        ImportGamesDialog dialog(program);
        HWND h = dialog.Create(nullptr);
        ShowWindow(h, SW_SHOWNOACTIVATE);
        SetDlgItemTextA(h, IDC_IMPORTGAMES_PATH, confs.c_str());
        for (int round = 0; round < kRounds; ++round) {
            const double t0 = Now();
            SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_IMPORTGAMES_READ, BN_CLICKED), 0);
            UpdateWindow(h);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            bestList = std::min(bestList, Now() - t0);
        }
    }

    for (int i = 0; i < kGames; ++i) {
        snprintf(name, sizeof name, "Game number %04d", i);
        DeleteFileA(GameFilePath(program, name).c_str());
        snprintf(name, sizeof name, "\\Game number %04d.conf", i);
        DeleteFileA((confs + name).c_str());
        snprintf(name, sizeof name, "\\games\\G%04d", i);
        DeleteFileA((root + name + "\\GAME.EXE").c_str());
        DeleteFileA((root + name + "\\SETUP.EXE").c_str());
        RemoveDirectoryA((root + name).c_str());
    }
    for (const std::string& folder : {root + "\\games", confs, program + "\\Games", program, root})
        RemoveDirectoryA(folder.c_str());

    printf("Games converted:                  %d of %d\n", converted, kGames);
    printf("Configurations read:              %.1f ms (%.3f ms per game)\n", bestRead * 1000, bestRead * 1000 / kGames);
    printf("Game files written:               %.1f ms (%.3f ms per game)\n", bestWrite * 1000,
           bestWrite * 1000 / kGames);
    printf("Import per game:                  %.3f ms\n", (bestRead + bestWrite) * 1000 / kGames);
    printf("The dialog lists them:            %.1f ms (the reading above and %.1f ms of its own)\n",
           bestList * 1000, (bestList - bestRead) * 1000);
    return converted == kGames ? 0 : 1;
}
