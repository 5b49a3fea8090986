// The rules for names and texts from a stranger: devices, folder steps, drives, batch syntax, DOS names.
#include "Groups.h"
#include "data/Files.h"
#include "data/GameFolder.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include <gtest/gtest.h>
#include <algorithm>

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
    ExpectGroups<bool>({{true, {"C:\\", "."}}, {false, {"", "C:\\no such folder"}}}, FolderExists);
}

// Every game title and every imported name passes this one rule.
TEST(NameRules, GameFileNames) {
    using P = GameNameProblem;
    const size_t room = kMaxGamePath - GameFilePath("C:\\Quillon", "").size();
    ExpectGroups<P>(
        {{P::None, {"XY", "X", "Console Wars", "COM10", "Episode 1.5", ". a", std::string(room, 'a')}},
         {P::Empty, {"", "   "}},
         {P::PathStep, {"..\\..\\evil", "sub/evil", "Doom\\II", "..", ". ."}},
         {P::NotAFileName,
          {"C:evil", "Why?", "Star*", "\"Q\"", "<T>", "a|b", "Dot at end.", "Space at end ", "Tab\there", "Del\x7f"}},
         {P::DeviceName, {"CON", "nul.txt", "Com1", "CLOCK$", "CONOUT$", "lpt9 .x"}},
         {P::TooLong, {std::string(room + 1, 'a')}}},
        [&](const std::string& name) { return CheckGameFileName(name, "C:\\Quillon"); });
    EXPECT_EQ(GameFilePath("C:\\Q", "Doom"), "C:\\Q\\Games\\Doom.qgf");
}

// Letters fold as Windows folds them in code page 1252; the order is that of the lower case.
TEST(NameRules, CaseFreeComparison) {
    ExpectGroups<bool>({{true, {"doom|DOOM", "Caf\xE9|CAF\xC9", "\x9a\xff|\x8a\x9f", "|"}},
                        {false, {"doom|doom ", "a|b", "\xE9|e", "ss|\xDF"}}},
                       [](const std::string& pair) {
                           const size_t bar = pair.find('|');
                           return EqualNoCase(pair.substr(0, bar), pair.substr(bar + 1));
                       });
    std::vector<std::string> names = {"zeta", "\xC9t\xE9", "Alpha", "alpha2", "_x", "ALPHA"};
    std::stable_sort(names.begin(), names.end(), LessNoCase);
    EXPECT_EQ(names, (std::vector<std::string>{"_x", "Alpha", "ALPHA", "alpha2", "zeta", "\xC9t\xE9"}));
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
                                            "javascript:x", "mailto:me@a.example", "localhost", "http://a.example/\" -x",
                                            "http://a b", "http://a\n", "www.a.example/<x>"}}},
                              address);
    ExpectGroups<bool>({{true, {"A&B", "%PATH%", "A|B", "A<B", "A>B", "A^B", "\"A", "A\rB", "A\nB", "A\x7f"}},
                        {false, {"", "/vga /sb16", "-sb=220,7;x", "C:\\GAMES\\MY GAME", "/a=b,c"}}},
                       HasCommandSyntax);
    ExpectGroups<bool>({{true, {"A|B", "A<B", "A>B", "%PATH%", "\"A", "A\r\nB", "A\x7f"}},
                        {false, {"", "Tom & Jerry^2", "C:\\My Games, More", "/a;b=c", "(1)"}}},
                       HasDosBoxSyntax);
    ExpectGroups<bool>({{true, {"GAME.EXE", "X", "12345678.123", "A-B_C~1.$$$", "SETUP.BAT"}},
                        {false, {"", "LONG NAME.EXE", "123456789.EXE", "GAME.EXEC", "A.B.C", ".EXE", "GAME.", "A+B",
                                 "A,B", "A;B", "A=B", "A[1]", "A\"B", "A*", "A?", "A\x01", "A\\B", "A:B"}}},
                       IsDosName);
}

}  // namespace
