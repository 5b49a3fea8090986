// The time from Run Game to the started process: a DOS game handed to DOSBox
// (DOSBox's flavour told, the game's own setup files read, its DOSBox program,
// CD image and DOSBox lines taken from its record, the configuration made and
// written, DOSBox created) against a Windows program handed to the shell.
// Goal: the DOSBox launch takes at most 1.5 times the shell launch. Both start
// a copy of this program, which ends at once when it runs under another name.
#include "BenchClock.h"
#include "data/GameExtras.h"
#include "mainwnd/LaunchSteps.h"
#include "state/Settings.h"
#include <cstdio>
#include <string>

namespace {

std::string ThisProgram() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

GameRecord GameIn(const std::string& folder, const char* program) {
    GameRecord g = BlankGameRecord();
    SetField(g.title, "Bench Game");
    SetField(g.path, folder.c_str());
    SetField(g.command, program);
    g.options = 0;
    return g;
}

// Median milliseconds of |runs| launches of the game, after two to warm up.
double LaunchMs(CurrentGame& game, AppState& state, int runs) {
    std::vector<double> times;
    for (int i = -2; i < runs; ++i) {
        const double start = Now();
        RunGame(nullptr, "Bench Game", game, state);
        if (i >= 0) times.push_back((Now() - start) * 1000.0);
        Sleep(30);  // let the started copy end
    }
    return Median(times);
}

}  // namespace

int main() {
    const std::string self = ThisProgram();
    if (self.substr(self.rfind('\\') + 1).find("bench_dosbox_launch") == std::string::npos) return 0;  // a started copy

    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string root = std::string(temp) + "ql_bench_dosbox";
    for (const char* folder : {"", "\\WINGAME", "\\DOSGAME", "\\DOSBox"})
        CreateDirectoryA((root + folder).c_str(), nullptr);
    CopyFileA(self.c_str(), (root + "\\WINGAME\\GAME.EXE").c_str(), FALSE);
    CopyFileA(self.c_str(), (root + "\\DOSBox\\DOSBox.exe").c_str(), FALSE);
    for (auto [name, text] : {std::pair{"GAME.COM", "\xB8\x00\x4C\xCD\x21"},  // mov ax, 4C00h; int 21h
                              {"DIG.INI", "DEVICE Sound Blaster 16\nDRIVER SB16.DIG\nIO_ADDR 220\nIRQ 5\nDMA_8_bit 1\n"},
                              {"MDI.INI", "DRIVER MPU401.MDI\nIO_ADDR 330\n"}})
        if (FILE* f = fopen((root + "\\DOSGAME\\" + name).c_str(), "wb")) {
            fputs(text, f);
            fclose(f);
        }
    SetSettingsKey("Freeware", "QuillonLoaderBench");

    AppState state;
    state.windowsRunsDos = false;
    state.settings.dosBoxPath = root + "\\DOSBox\\DOSBox.exe";
    state.dosBoxConfigFolder = root + "\\Conf";
    CurrentGame windows, dos;
    windows.record = GameIn(root + "\\WINGAME", "GAME.EXE");
    dos.record = GameIn(root + "\\DOSGAME", "GAME.COM");
    GameExtras extras;
    extras.dosBoxProgram = root + "\\DOSBox\\DOSBox.exe";
    extras.cdRom = {CdRomKind::Images, 0, {root + "\\DISC1.ISO", root + "\\DISC2.ISO"}};
    extras.extraLines = {"cpu.cycles=12000", "dosbox.memsize=32", "sblaster.irq=7"};
    WriteGameExtras(dos.record, extras);
    const int runs = 40;
    const double shell = LaunchMs(windows, state, runs);
    const double dosBox = LaunchMs(dos, state, runs);
    std::printf("Run Game to a started process, median of %d launches\n", runs);
    std::printf("%-44s %8.2f ms\n", "shell launch of a Windows program", shell);
    std::printf("%-44s %8.2f ms\n", "DOSBox launch of a DOS game (config + start)", dosBox);
    std::printf("%-44s %8.2f (goal: at most 1.50)\n", "ratio", shell > 0 ? dosBox / shell : 0.0);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Freeware\\QuillonLoaderBench");
    return 0;
}
