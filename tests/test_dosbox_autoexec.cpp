// The [autoexec] of a DOSBox launch; each section here ran in DOSBox 0.74-3 (tools/dosbox_check.sh).
#include "data/Strings.h"
#include "launch/DosBoxAutoexec.h"
#include <windows.h>
#include <gtest/gtest.h>

namespace {

DosBoxRun Game(const std::string& folder, const std::string& program, const std::string& parameters = "") {
    DosBoxRun run;
    run.folder = folder, run.program = program, run.parameters = parameters;
    return run;
}

std::string Joined(const DosBoxAutoexec& a, bool checks) {
    std::string text;
    for (const std::string& line : a.lines)
        if (checks || (line.compare(0, 3, "if ") != 0 && line != "@echo off" && line != ":qlstop"))
            text += (text.empty() ? "" : checks ? "\n" : " | ") + line;
    return text;
}
// The whole section, one line under the other.
std::string Section(const DosBoxRun& run) { return Joined(MakeDosBoxAutoexec(run, {}), true); }
// What the section does when every check passes, in one line.
std::string Acts(const DosBoxRun& run) { return Joined(MakeDosBoxAutoexec(run, {}), false); }

TEST(DosBoxAutoexec, EveryStepIsCheckedBeforeTheGameAndOnlyTheGameClosesDosBox) {
    EXPECT_EQ(Section(Game("c:\\GAMES\\X\\", "GAME.EXE", "-vga=1,2 /sb16 ")),
              "@echo off\nmount -u C >NUL\nmount C \"C:\\\"\n"
              "if not exist C:\\*.* echo The game was not started: DOSBox could not mount C:\\ as drive C:.\n"
              "if not exist C:\\*.* goto qlstop\n"
              "if not exist C:\\GAMES\\X\\*.* echo The game was not started: its folder c:\\GAMES\\X is missing.\n"
              "if not exist C:\\GAMES\\X\\*.* goto qlstop\n"
              "if not exist C:\\GAMES\\X\\GAME.EXE echo The game was not started: its program GAME.EXE is missing in "
              "c:\\GAMES\\X.\nif not exist C:\\GAMES\\X\\GAME.EXE goto qlstop\n"
              "C:\ncd \\GAMES\\X\n.\\GAME.EXE -vga=1,2 /sb16\nexit\n:qlstop");
    EXPECT_EQ(Acts(Game("E:", "GO")), "mount -u E >NUL | mount E \"E:\\\" | E: | cd \\ | .\\GO | exit");
    EXPECT_EQ(MakeDosBoxAutoexec(Game("E:", "GO"), {}).lines[5],
              "if not exist E:\\GO.* echo The game was not started: its program GO is missing in E:\\.")
        << "a drive's root; a program without extension, as DOS finds GO.COM, GO.EXE or GO.BAT";
}

// A folder of 8.3 names whose DOS path ("\...") is |length| characters long.
std::string Deep(size_t length) {
    std::string folder;
    while (length - folder.size() > 9)
        folder += length - folder.size() == 10 ? "\\DIR1" : "\\DIR" + std::to_string(10000 + folder.size());
    return "C:" + folder + "\\" + std::string(length - folder.size() - 1, 'L');
}

TEST(DosBoxAutoexec, DriveLettersCdRomsAndFoldersThatDosCannotEnter) {
    auto cd = [](DosBoxRun run, char drive, std::vector<std::string> images, bool onCd = false) {
        run.cdRom.drive = drive;
        run.cdRom.images = std::move(images);
        run.folderOnCdDrive = onCd;
        return run;
    };
    const DosBoxRun game = Game("C:\\GAMES\\X", "GAME.EXE");
    const std::string plain = "C: | cd \\GAMES\\X | .\\GAME.EXE | exit";
    const std::string itself = "mount C \"C:\\\" | ";
    const struct {
        DosBoxRun run;
        std::string acts;
    } rows[] = {
        {Game("D:\\My Games\\Star Maze", "BIN\\START.BAT"),
         "mount -u D >NUL | mount -u C >NUL | mount D \"D:\\\" | mount C \"D:\\My Games\\Star Maze\" | C: | "
         "call .\\BIN\\START.BAT | exit"},
        // Z: is DOSBox's own drive: the folder gets the first free letter.
        {Game("Z:\\", "CD.COM"), "mount -u C >NUL | mount C \"Z:\\\" | C: | .\\CD.COM | exit"},
        {Game("z:\\GAMES\\X", "CD\\GAME.EXE"),
         "mount -u C >NUL | mount C \"z:\\GAMES\\X\" | C: | .\\CD\\GAME.EXE | exit"},
        // The game's CD-ROM: its drive at its letter, or its images at the first free letter from D:.
        {cd(game, 'e', {}), "mount -u C >NUL | mount -u E >NUL | " + itself + "mount E \"E:\\\" -t cdrom | " + plain},
        {cd(Game("D:\\GAMES\\X", "GAME.EXE"), 0, {"C:\\ISO\\DISC 1.ISO", "C:\\ISO\\DISC2.CUE"}),
         "mount -u D >NUL | mount -u E >NUL | mount D \"D:\\\" | "
         "imgmount E \"C:\\ISO\\DISC 1.ISO\" \"C:\\ISO\\DISC2.CUE\" -t iso | D: | cd \\GAMES\\X | .\\GAME.EXE | exit"},
        {cd(game, 'Z', {}), "mount -u C >NUL | mount -u D >NUL | " + itself + "mount D \"Z:\\\" -t cdrom | " + plain},
        {cd(game, 0, {}, true), "mount -u C >NUL | mount C \"C:\\\" -t cdrom | " + plain},
        {cd(game, 'C', {}), "mount -u C >NUL | mount C \"C:\\\" -t cdrom | " + plain},
        {cd(Game("C:\\Long Name", "GAME.EXE"), 'D', {"C:\\A.ISO"}),
         "mount -u C >NUL | mount -u D >NUL | mount -u E >NUL | mount -u F >NUL | " + itself +
             "mount D \"D:\\\" -t cdrom | imgmount E \"C:\\A.ISO\" -t iso | mount F \"C:\\Long Name\" | F: | "
             ".\\GAME.EXE | exit"},
        // DOS keeps 64 characters of a folder and 79 of a path; a longer one, and a name beyond ASCII, get a drive.
        {Game(Deep(64), "GAME.EXE"),
         "mount -u C >NUL | " + itself + "C: | cd " + Deep(64).substr(2) + " | .\\GAME.EXE | exit"},
        {Game(Deep(65), "GAME.EXE"),
         "mount -u C >NUL | mount -u D >NUL | " + itself + "mount D \"" + Deep(65) + "\" | D: | .\\GAME.EXE | exit"},
        {Game(Deep(60), "ABCDEFG\\ABCD.EXE"),
         "mount -u C >NUL | " + itself + "C: | cd " + Deep(60).substr(2) + " | .\\ABCDEFG\\ABCD.EXE | exit"},
        {Game(Deep(60), "ABCDEFGH\\ABCD.EXE"), "mount -u C >NUL | mount -u D >NUL | " + itself + "mount D \"" +
                                                   Deep(60) + "\" | D: | .\\ABCDEFGH\\ABCD.EXE | exit"},
        {Game("C:\\JUEGOS\\A\xD1O", "GAME.EXE"),
         "mount -u C >NUL | mount -u D >NUL | " + itself + "mount D \"C:\\JUEGOS\\A\xD1O\" | D: | .\\GAME.EXE | exit"},
        {Game("C:\\GAMES", "SET.EXE", "/a&b ^c"),
         "mount -u C >NUL | " + itself + "C: | cd \\GAMES | .\\SET.EXE /a&b ^c | exit"},
    };
    for (const auto& row : rows) EXPECT_EQ(Acts(row.run), row.acts) << row.run.folder << " " << row.run.program;
}

TEST(DosBoxAutoexec, ValuesThatCouldAddCommandsAreRefusedByField) {
    auto host = [](const std::string& path) { return path[0] == 'H' ? "" : path[0] == 'Q' ? "/q\"x" : "/h/" + path; };
    const struct {
        const char *folder, *program, *parameters;
        char cdDrive;
        const char* image;
        bool hostPaths;
        DosBoxProblem problem;
        const char* field;
    } rows[] = {
        {"C:\\GAMES\\X\r\nformat c:", "GAME.EXE", "", 0, nullptr, false, DosBoxProblem::UnsafeText, "Path"},
        {"C:\\GAMES%PATH%", "GAME.EXE", "", 0, nullptr, false, DosBoxProblem::UnsafeText, "Path"},
        {"GAMES\\X", "GAME.EXE", "", 0, nullptr, false, DosBoxProblem::NoDrive, "Path"},
        {"C:\\GAMES", "GAME.EXE>NUL", "", 0, nullptr, false, DosBoxProblem::UnsafeText, "Setup"},
        {"C:\\GAMES", "..\\X.EXE", "", 0, nullptr, false, DosBoxProblem::NotDosName, "Setup"},
        {"C:\\GAMES", "LONG NAME.EXE", "", 0, nullptr, false, DosBoxProblem::NotDosName, "Setup"},
        {"C:\\GAMES", "GAME.EXE", "/x|del", 0, nullptr, false, DosBoxProblem::UnsafeText, "parameters"},
        {"C:\\GAMES", "GAME.EXE", "", '1', nullptr, false, DosBoxProblem::NoDrive, "CD-ROM"},
        {"C:\\GAMES", "GAME.EXE", "", 0, "C:\\A\"B.ISO", false, DosBoxProblem::UnsafeText, "CD-ROM"},
        {"C:\\GAMES", "GAME.EXE", "", 0, "DISC.ISO", false, DosBoxProblem::NoDrive, "CD-ROM"},
        {"C:\\GAMES", "GAME.EXE", "", 0, "C:\\", false, DosBoxProblem::NoDrive, "CD-ROM"},
        {"H:\\GAMES", "GAME.EXE", "", 0, nullptr, true, DosBoxProblem::NoDrive, "Path"},
        {"Q:\\GAMES", "GAME.EXE", "", 0, nullptr, true, DosBoxProblem::UnsafeText, "Path"},
        {"C:\\GAMES", "GAME.EXE", "", 0, "H:\\A.ISO", true, DosBoxProblem::NoDrive, "CD-ROM"},
        {"C:\\GAMES", "GAME.EXE", "", 'Q', nullptr, true, DosBoxProblem::UnsafeText, "CD-ROM"},
        // DOSBox's shell has no & or ^.
        {"C:\\Tom & Jerry^2", "A&B^C.EXE", "/a;b=c,d&e^f", 'd', "C:\\ISO\\A&B.ISO", true, DosBoxProblem::None, ""},
    };
    for (const auto& r : rows) {
        DosBoxRun run = Game(r.folder, r.program, r.parameters);
        run.programField = "Setup";
        run.cdRom.drive = r.cdDrive;
        if (r.image) run.cdRom.images = {r.image};
        DosBoxAutoexecOptions options;
        if (r.hostPaths) options.hostPath = host;
        const DosBoxAutoexec a = MakeDosBoxAutoexec(run, options);
        EXPECT_EQ(std::make_pair(a.problem, a.field), std::make_pair(r.problem, std::string(r.field)))
            << r.folder << " | " << r.program << " | " << r.parameters;
        EXPECT_EQ(a.lines.empty(), r.problem != DosBoxProblem::None) << r.folder;
    }
}

TEST(DosBoxAutoexec, StagingReadsUtf8AndHostPathsKeepTheirOwnEncoding) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    wchar_t wide[256] = {};
    char windows[1024] = {};
    MultiByteToWideChar(1252, 0, all.c_str(), -1, wide, 256);
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, windows, sizeof windows, nullptr, nullptr);
    EXPECT_EQ(Cp1252ToUtf8(all), windows) << "as Windows converts code page 1252";
    const DosBoxRun run = Game("C:\\Juegos\\A\xF1o", "\xC9XITO.EXE");
    DosBoxAutoexecOptions utf8;
    utf8.utf8 = true;
    const DosBoxAutoexec staging = MakeDosBoxAutoexec(run, utf8);
    ASSERT_EQ(staging.lines.size(), 15u);
    EXPECT_EQ(staging.lines[6], "mount D \"C:\\Juegos\\A\xC3\xB1o\"");
    EXPECT_EQ(staging.lines[12], ".\\\xC3\x89XITO.EXE");
    EXPECT_EQ(staging.lines[9],
              "if not exist D:\\\xC3\x89XITO.EXE echo The game was not started: its program "
              "\xC3\x89XITO.EXE is missing in C:\\Juegos\\A\xC3\xB1o.");
    EXPECT_EQ(MakeDosBoxAutoexec(run, {}).lines[6], "mount D \"C:\\Juegos\\A\xF1o\"")
        << "0.74 and DOSBox-X: code page 1252";
    utf8.hostPath = [](const std::string& path) { return "/home/p/" + path.substr(3); };
    EXPECT_EQ(MakeDosBoxAutoexec(run, utf8).lines[6], "mount D \"/home/p/Juegos\\A\xF1o\"")
        << "a host path as the host gave it";
    EXPECT_FALSE(IsOnCdDrive("C:\\GAMES")) << "a fixed drive";
    EXPECT_FALSE(IsOnCdDrive("GAMES"));
}

}  // namespace
