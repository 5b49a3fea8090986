// The rules for names and texts from a stranger: devices, steps out of a
// folder, drives, batch and command syntax, DOS names.
#include "Groups.h"
#include "data/NameRules.h"
#include <gtest/gtest.h>

namespace {

TEST(NameRules, DevicesWithOrWithoutExtensionAndFolder) {
    ExpectGroups<bool>({{true,
                         {"AUX.qgf", "com1.qgf", "C:\\Games\\LPT9.qgf", "con", "Nul.txt.qgf", "PRN .qgf", "clock$.qgf",
                          "CONIN$", "conout$.qgf", "COM\xB9.qgf", "Games/aux.qgf"}},
                        {false,
                         {"COM0.qgf", "COM10.qgf", "LPT.qgf", "AUXILIARY.qgf", "Tank Duel.qgf", "C:\\CON\\x.qgf",
                          "console.qgf", "", "NUL1.qgf", "comm1.qgf"}}},
                       IsDosDeviceName);
    ExpectGroups<bool>({{true, {"C:\\CON\\x.qgf", "A/nul/B", "com1"}}, {false, {"CONSOLE\\X", "", "A\\B"}}},
                       HasDeviceStep);
}

TEST(NameRules, NamesThatStayInsideTheirFolder) {
    const Groups<bool> inside = {
        {true, {"SETUP.EXE", "setup config.ini", "SUB\\SETUP.EXE", "DATA/GAME.CFG", "A.B.C", "..A", "X..Y\\Z"}},
        {false, {"", "..", ".. ", "...", ".", "..\\AUTOEXEC.BAT", "SUB\\..\\..\\X", "SUB\\.. \\X", "C:X.CFG",
                 "C:\\WINDOWS\\X.EXE", "\\X.EXE", "/X.EXE", "\\\\server\\share\\X", "A*.CFG", "A?.CFG", "A\"B",
                 "A<B", "A>B", "A|B", "LINE\nBREAK", "TAB\tX", "SUB\\\\X", "SUB\\", "CON", "AUX.cfg", "CONIN$",
                 "SUB\\NUL\\X", "SUB \\X", "X.", "X ", "FILE:STREAM"}}};
    ExpectGroups(inside, IsNameInsideFolder);
    ExpectGroups<bool>({{true, {"SETUP.EXE", "A B.CFG"}}, {false, {"SUB\\SETUP.EXE", "SUB/X.CFG", "..", "NUL"}}},
                       IsPlainFileName);
    ExpectGroups<bool>({{true, {"..", "A\\.. \\B", "A/./B", "..."}}, {false, {"..A", "A..B", "A\\B", ""}}},
                       HasDotStep);
    ExpectGroups<bool>({{true, {"C:", "x:\\y", "\\y", "/y", "a:b"}}, {false, {"a\\b", "", "a b"}}}, HasDriveOrRoot);
}

TEST(NameRules, BatchSyntaxAndWhatReachesTheShell) {
    ExpectGroups<bool>({{true,
                         {"A&B.BAT", "G%OS%.BAT", "C;x.BAT", "A,B", "A=B", "A|B", "A<B", "A>B", "A^B", "\"A",
                          "A\rB", "A\nB", "A\x1f", "A\x7f"}},
                        {false, {"", "SETUP.EXE", "GAME FOLDER\\X.EXE", "C:\\GAMES\\DOOM", "/vga /sb16", "-h:1"}}},
                       HasBatchSyntax);
    ExpectGroups<bool>({{true, {"SETUP.BAT", "GO.CMD", "KEEN.PIF", "README", "A.EXE.", "EXE", ""}},
                        {false, {"KEEN.EXE", "sub\\setup.exe", "GO.Com"}}},
                       ReachesCommandInterpreter);
    ExpectGroups<std::string>({{"\"MY GAME.EXE\"", {"MY GAME.EXE"}}, {"GAME.EXE", {"GAME.EXE"}}}, BatchWord);
    auto address = [](const std::string& text) {
        std::string out = "refused";
        return ToWebAddress(text, out) ? out : "refused";
    };
    ExpectGroups<std::string>({{"http://www.apogee.com", {"http://www.apogee.com", "www.apogee.com"}},
                               {"HTTPS://a.example/x?y=1", {"HTTPS://a.example/x?y=1"}},
                               {"refused", {"", "http://", "C:\\evil.bat", "..\\x.bat", "\\\\server\\x", "file:///C:/x",
                                            "javascript:x", "localhost", "http://a.example/\" -x", "http://a b",
                                            "http://a\n", "www.a.example/<x>"}}},
                              address);
    ExpectGroups<bool>({{true, {"A&B", "%PATH%", "A|B", "A<B", "A>B", "A^B", "\"A", "A\rB", "A\nB", "A\x7f"}},
                        {false, {"", "/vga /sb16", "-sb=220,7;x", "C:\\GAMES\\MY GAME", "/a=b,c"}}},
                       HasCommandSyntax);
    ExpectGroups<bool>({{true, {"GAME.EXE", "X", "12345678.123", "A-B_C~1.$$$", "SETUP.BAT"}},
                        {false, {"", "LONG NAME.EXE", "123456789.EXE", "GAME.EXEC", "A.B.C", ".EXE", "GAME.", "A+B",
                                 "A,B", "A;B", "A=B", "A[1]", "A\"B", "A*", "A?", "A\x01", "A\\B", "A:B"}}},
                       IsDosName);
}

}  // namespace
