// Converting a 500-section Loader.ini into game files, against writing the
// same 500 game files directly from records built in memory.
// Run under Wine: wine bench_loader_ini.exe
#include "BenchClock.h"
#include "data/GameFile.h"
#include "data/LoaderIni.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSections = 500;
constexpr int kRounds = 3;


std::string Text(const char* format, int i) {
    char buf[64];
    snprintf(buf, sizeof buf, format, i);
    return buf;
}

// A 160 x 100 24-bit picture, the size the program asks for.
std::vector<char> Picture() {
    const uint32_t w = 160, h = 100, size = 54 + w * 3 * h;
    std::vector<char> bmp(size, 0);
    auto put = [&](size_t at, uint32_t v, size_t n) { memcpy(&bmp[at], &v, n); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, w, 4);
    put(22, h, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (size_t i = 54; i < bmp.size(); ++i) bmp[i] = static_cast<char>(i * 7);
    return bmp;
}

std::string Catalogue() {
    std::string text;
    for (int i = 0; i < kSections; ++i) {
        text += Text("[Game %03d]\r\n", i);
        text += Text("Publisher=Publisher %d\r\nCategory=Action\r\n", i);
        text += Text("Path=C:\\GAMES\\G%d\r\nCommand=GAME.EXE\r\nSetup=(Parameters)\r\nPicture=game.bmp\r\n", i);
        text += "SelectedDisplay=VGA\r\nDisplayVGA=/vga\r\nDisplayEGA=/ega\r\nVDMSound=1\r\n";
        text += "SoundDevice01=Sound Blaster, /sb\r\nSoundDevice02=Gravis Ultrasound, /gus\r\n";
        text += "SelectedSound=Gravis Ultrasound\r\nMusicDevice01=AdLib, /adlib\r\nSelectedMusic=AdLib\r\n";
    }
    return text;
}

// The record that the conversion builds for section i.
GameRecord Record(int i, uint32_t pictureSize) {
    GameRecord g = BlankGameRecord();
    SetField(g.title, Text("Game %03d", i).c_str());
    SetField(g.publisher, Text("Publisher %d", i).c_str());
    SetField(g.category, "Action");
    SetField(g.path, Text("C:\\GAMES\\G%d", i).c_str());
    SetField(g.command, "GAME.EXE");
    SetField(g.setup, "(Parameters)");
    SetField(g.vgaParam, "/vga");
    SetField(g.egaParam, "/ega");
    g.selectedDisplay = 2;
    SetField(g.soundNames[0], "Sound Blaster");
    SetField(g.soundParams[0], "/sb");
    SetField(g.soundNames[1], "Gravis Ultrasound");
    SetField(g.soundParams[1], "/gus");
    g.selectedSound = 1;
    SetField(g.musicNames[0], "AdLib");
    SetField(g.musicParams[0], "/adlib");
    g.selectedMusic = 0;
    g.pictureSize = pictureSize;
    return g;
}

void ClearGames(const std::string& program) {
    for (int i = 0; i < kSections; ++i) DeleteFileA(GameFilePath(program, Text("Game %03d", i)).c_str());
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string program = std::string(temp) + "ql_bench_loaderini";
    CreateDirectoryA(program.c_str(), nullptr);
    CreateDirectoryA((program + "\\Games").c_str(), nullptr);
    CreateDirectoryA((program + "\\Images").c_str(), nullptr);
    const std::vector<char> picture = Picture();
    const std::string iniPath = program + "\\Loader.ini";
    const std::string text = Catalogue();
    FILE* f = fopen(iniPath.c_str(), "wb");
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
    f = fopen((program + "\\Images\\game.bmp").c_str(), "wb");
    fwrite(picture.data(), 1, picture.size(), f);
    fclose(f);

    double bestConvert = 1e9, bestDirect = 1e9;
    int converted = 0;
    for (int round = 0; round < kRounds; ++round) {
        ClearGames(program);
        double t0 = Now();
        IniFile ini;
        ini.Open(iniPath);
        converted = 0;
        for (int i = 0; i < kSections; ++i) {
            const std::string name = Text("Game %03d", i);
            if (ConvertSectionToGame(ini, name, name, program, program + "\\Images", false).outcome ==
                SectionOutcome::Converted)
                ++converted;
        }
        bestConvert = std::min(bestConvert, Now() - t0);

        ClearGames(program);
        t0 = Now();
        for (int i = 0; i < kSections; ++i) {
            const GameRecord g = Record(i, static_cast<uint32_t>(picture.size()));
            FILE* out = fopen(GameFilePath(program, Text("Game %03d", i)).c_str(), "wb");
            if (!out) continue;
            fwrite(&g, 1, sizeof g, out);
            fwrite(picture.data(), 1, picture.size(), out);
            fclose(out);
        }
        bestDirect = std::min(bestDirect, Now() - t0);
    }
    ClearGames(program);
    DeleteFileA(iniPath.c_str());
    DeleteFileA((program + "\\Images\\game.bmp").c_str());
    RemoveDirectoryA((program + "\\Images").c_str());
    RemoveDirectoryA((program + "\\Games").c_str());
    RemoveDirectoryA(program.c_str());

    printf("Sections converted:               %d of %d\n", converted, kSections);
    printf("Conversion of the Loader.ini:     %.1f ms\n", bestConvert * 1000);
    printf("Game files written directly:      %.1f ms\n", bestDirect * 1000);
    printf("Ratio:                            %.2f (goal: 3 or less)\n", bestConvert / bestDirect);
    return converted == kSections ? 0 : 1;
}
