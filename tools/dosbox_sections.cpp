// Writes the DOSBox configurations that tools/dosbox_check.sh runs in the host's
// DOSBox: under Wine, each scenario's game folder with its DOS program, and its
// configuration made by MakeDosBoxAutoexec with the host's paths (as Wine's
// wine_get_unix_file_name gives them). scenarios.txt lists, a line each and
// separated by tabs: the scenario, "marker" (the game writes MARKER.TXT) or
// "screen" (DOSBox stays open and the screen is read), the host path of the
// file to read, and the texts that file must hold.
// The work folder is C:\QLCHECK (the texts to find name it); Wine's drive E:
// must lead to its CDFILES folder.
//   dosbox_sections.exe Z:\<build>\demo
#include "launch/DosBoxAutoexec.h"
#include "launch/DosBoxConfig.h"
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string g_work, g_programs, g_list;

// The host's path of a Windows path, or "".
std::string HostPath(const std::string& path) {
    typedef char*(CDECL * UnixName)(LPCWSTR);
    static const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR wide[MAX_PATH];
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return "";
    char* host = unixName(wide);
    if (!host) return "";
    std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

// |folder| and the folders above it, below the work folder.
void MakeFolder(const std::string& folder) {
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
}

// One of the DOS programs (REPORT, CDCHECK, CPUCOUNT) as |name| in |folder|.
void Put(const std::string& program, const std::string& folder, const std::string& name) {
    const std::string target = folder + "\\" + name;
    MakeFolder(target.substr(0, target.rfind('\\')));
    CopyFileA((g_programs + "\\" + program + ".COM").c_str(), target.c_str(), FALSE);
}

void Write(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

// A scenario: what DOSBox starts, the texts that the game's MARKER.TXT (or, with
// |screen|, the screen of a DOSBox kept open) must hold, the slow-down's value
// when one is set, and an [autoexec] of the player's own that runs before ours.
void Add(const std::string& name, const DosBoxRun& run, const std::vector<std::string>& expected, bool screen = false,
         const std::string& cycles = "", const std::string& before = "") {
    DosBoxAutoexecOptions options;
    options.keepOpen = screen;
    options.hostPath = [](const std::string& path) {
        return path[0] == 'Q' ? "/nonexistent/qlcheck/" : HostPath(path);  // Q: stands for a drive that fails
    };
    const DosBoxAutoexec autoexec = MakeDosBoxAutoexec(run, options);
    std::string text;
    for (const DosBoxLine& line : DosBoxSettingLines(DosBoxFlavour::Dosbox074, DosBoxSetting::CpuCycles, cycles))
        text += cycles.empty() ? "" : "[" + line.section + "]\r\n" + line.text + "\r\n";
    text += "[autoexec]\r\n";
    for (const std::string& line : autoexec.lines) text += line + "\r\n";
    if (autoexec.problem != DosBoxProblem::None) text = "refused: " + autoexec.field + "\r\n";
    Write(g_work + "\\" + name + ".conf", text);
    if (!before.empty()) Write(g_work + "\\" + name + ".before.conf", "[autoexec]\r\n" + before);
    std::string line = name + (screen ? "\tscreen\t" + HostPath(g_work + "\\TAIL\\MARKER.TXT")
                                      : "\tmarker\t" + HostPath(run.folder + "\\MARKER.TXT"));
    for (const std::string& e : expected) line += "\t" + e;
    g_list += line + "\n";
}

DosBoxRun Game(const std::string& folder, const std::string& program, const std::string& parameters = "") {
    DosBoxRun run;
    run.folder = folder;
    run.program = program;
    run.parameters = parameters;
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dosbox_sections.exe DOS_PROGRAMS_FOLDER\n");
        return 2;
    }
    g_work = "C:\\QLCHECK";
    g_programs = argv[1];
    MakeFolder(g_work);
    const std::string w = g_work;
    Put("REPORT", w + "\\TAIL", "REPORT.COM");
    // The tail run after a section that stopped, or kept DOSBox open: the screen into TAIL\MARKER.TXT.
    Write(w + "\\tail.conf",
          "[autoexec]\r\nmount Y \"" + HostPath(w + "\\TAIL") + "\" >NUL\r\nY:\r\nREPORT.COM /SCREEN\r\nexit\r\n");

    Put("REPORT", w + "\\PLAIN", "GAME.COM");
    Add("plain", Game(w + "\\PLAIN", "GAME.COM", "/a&b ^c;d=e"),
        {"Program: C:\\QLCHECK\\PLAIN\\GAME.COM", "Arguments: /a&b ^c;d=e", "Folder: C:\\QLCHECK\\PLAIN"});
    Add("own_c", Game(w + "\\PLAIN", "GAME.COM"), {"Program: C:\\QLCHECK\\PLAIN\\GAME.COM"}, false, "",
        "mount C \"" + HostPath(w + "\\TAIL") + "\"\r\nC:\r\n");
    Put("REPORT", w + "\\CDNAME", "CD.COM");
    Add("cd_com", Game(w + "\\CDNAME", "CD.COM"), {"Program: C:\\QLCHECK\\CDNAME\\CD.COM"});
    Put("REPORT", w + "\\SUBCD", "CD\\GAME.EXE");
    Add("cd_folder", Game(w + "\\SUBCD", "CD\\GAME.EXE", "x"),
        {"Program: C:\\QLCHECK\\SUBCD\\CD\\GAME.EXE", "Arguments: x", "Folder: C:\\QLCHECK\\SUBCD"});
    Put("REPORT", w + "\\BATCH", "SUB\\R.COM");
    Write(w + "\\BATCH\\DIR.BAT", "@echo off\r\n.\\SUB\\R.COM %1\r\n");
    Add("batch", Game(w + "\\BATCH", "DIR.BAT", "y"), {"Program: C:\\QLCHECK\\BATCH\\SUB\\R.COM", "Arguments: y"});
    Put("REPORT", w + "\\Tom & Jerry^2", "GAME.COM");
    Add("ampersand", Game(w + "\\Tom & Jerry^2", "GAME.COM"), {"Program: D:\\GAME.COM", "Folder: D:\\"});
    Put("REPORT", w + "\\A\xF1o", "GAME.COM");
    Add("accent", Game(w + "\\A\xF1o", "GAME.COM"), {"Program: D:\\GAME.COM", "Folder: D:\\"});
    // DOS folders of 64 and 65 characters ("\QLCHECK\..."): "cd", and a drive of its own.
    for (size_t length : {64, 65}) {
        std::string folder = "\\QLCHECK";
        while (length - folder.size() > 9)
            folder += length - folder.size() == 10 ? "\\DIR1" : "\\DIR" + std::to_string(10000 + folder.size());
        folder += "\\" + std::string(length - folder.size() - 1, 'L');
        Put("REPORT", "C:" + folder, "GAME.COM");
        Add("deep" + std::to_string(length), Game("C:" + folder, "GAME.COM"),
            {length == 64 ? "Folder: C:" + folder : "Folder: D:\\"});
    }
    // A folder on Z:, which is DOSBox's own drive.
    std::string onZ = "Z:" + HostPath(w + "\\ONZ");
    for (char& c : onZ)
        if (c == '/') c = '\\';
    Put("REPORT", w + "\\ONZ", "CD.COM");
    Add("on_z", Game(onZ, "CD.COM"), {"Program: C:\\CD.COM", "Folder: C:\\"});

    // Failures stop before the game, and DOSBox stays open with a line that says why.
    MakeFolder(w + "\\NOPROG");
    Add("no_program", Game(w + "\\NOPROG", "GAME.COM"),
        {"The game was not started: its program GAME.COM is missing in C:\\QLCHECK\\NOPROG."}, true);
    Add("no_folder", Game(w + "\\NOFOLDER", "GAME.COM"),
        {"The game was not started: its folder C:\\QLCHECK\\NOFOLDER is missing."}, true);
    Add("no_mount", Game("Q:\\GAMES", "GAME.COM"),
        {"The game was not started: DOSBox could not mount Q:\\ as drive Q:."}, true);

    // CD-ROMs: the files of two discs, made images by the script, and of Wine's drive E:.
    MakeFolder(w + "\\DISC1");
    MakeFolder(w + "\\DISC2");
    MakeFolder(w + "\\ISO");
    Write(w + "\\DISC1\\QUILLON.TXT", "Disc one of the check\r\n");
    Write(w + "\\DISC2\\QUILLON.TXT", "Disc two of the check\r\n");
    Write("E:\\QUILLON.TXT", "The CD drive of the check\r\n");
    Put("CDCHECK", "E:\\GAME", "CDCHECK.COM");
    Put("CDCHECK", w + "\\CDGAME", "CDCHECK.COM");
    DosBoxRun images = Game(w + "\\CDGAME", "CDCHECK.COM");
    images.cdRom.images = {w + "\\ISO\\DISC1.ISO", w + "\\ISO\\DISC 2.ISO"};
    Add("cd_images", images, {"CD-ROM: 1 drive(s), the first D:; D:\\QUILLON.TXT: Disc one of the check"});
    DosBoxRun drive = Game(w + "\\CDGAME", "CDCHECK.COM");
    drive.cdRom.drive = 'e';
    Add("cd_drive", drive, {"CD-ROM: 1 drive(s), the first E:; E:\\QUILLON.TXT: The CD drive of the check"});
    DosBoxRun onCd = Game("E:\\GAME", "CDCHECK.COM");
    onCd.folderOnCdDrive = true;
    Add("folder_on_cd", onCd, {"CD-ROM: 1 drive(s), the first E:; E:\\QUILLON.TXT: The CD drive of the check"}, true);

    // The slow-down: off, 0%, 50% and 100%, a real-mode game and a protected-mode one.
    Put("CPUCOUNT", w + "\\SPEED", "CPUCOUNT.COM");
    const struct {
        const char* name;
        bool on;
        unsigned period;
    } speeds[] = {{"off", false, 100}, {"0", true, 100}, {"50", true, 50}, {"100", true, 10}};
    for (const auto& speed : speeds)
        for (const char* mode : {"", "/P"})
            Add(std::string("speed_") + speed.name + (*mode ? "_pm" : ""), Game(w + "\\SPEED", "CPUCOUNT.COM", mode),
                {"loops per second"}, false, DosBoxCyclesSetting(speed.on, speed.period));

    Write(w + "\\scenarios.txt", g_list);
    return 0;
}
