// Command lines and games from strangers as the launch sees them, and damaged pictures in the main window.
#include "BmpBuilder.h"
#include "DialogProbe.h"
#include "MainWindowFixture.h"
#include "MessageTexts.h"
#include "UiRows.h"
#include "win/Texts.h"
#include "data/Files.h"
#include "launch/CommandLine.h"
#include "mainwnd/LaunchSteps.h"
#include "res/resource.h"
#include <cstring>

namespace {

TEST(CommandLineTest, FullPathsDecideWhatIsTheListedFile) {
    TempFolder temp{"untrusted"};
    const std::string folder = temp.path, games = folder + "\\Games";
    CreateDirectoryA(games.c_str(), nullptr);
    CreateDirectoryA((folder + "\\outside").c_str(), nullptr);
    WriteGame(games + "\\Tank Duel.qgf", MakeGame("Tank Duel"));
    WriteGame(folder + "\\outside\\Tank Duel.qgf", MakeGame("Evil"));
    char shortName[MAX_PATH] = "";  // the 8.3 name is the same file, where the file system makes one
    GetShortPathNameA((games + "\\Tank Duel.qgf").c_str(), shortName, sizeof shortName);
    const std::pair<std::string, bool> cases[] = {
        {games + "\\Tank Duel.qgf", true},
        {games + "\\TANK DUEL.QGF", true},
        {folder + "\\outside\\..\\Games\\.\\Tank Duel.qgf", true},
        {"..\\Games\\Tank Duel.qgf", true},  // relative to the current folder, "outside"
        {std::strchr(shortName, '~') ? shortName : games + "\\Tank Duel.qgf", true},
        {folder + "\\outside\\Tank Duel.qgf", false},
        {games + "\\Tank Duel.qgf.qgf", false},
        {games + "\\Tank*.qgf", false}};
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    SetCurrentDirectoryA((folder + "\\outside").c_str());
    for (const auto& [path, listed] : cases) EXPECT_EQ(IsListedGameFile(path, folder, "Tank Duel"), listed) << path;
    SetCurrentDirectoryA(current);
}

TEST(CommandLineTest, FirstArgumentAndName) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"\"C:\\a b\\One.qgf\" \"C:\\Two.qgf\"", "C:\\a b\\One.qgf", "One"},  // two arguments
        {"  \"C:\\x.y\\.qgf\"  ", "C:\\x.y\\.qgf", ".qgf"},
        {"C:\\Games\\Star Maze.qgf  ", "C:\\Games\\Star Maze.qgf", "Star Maze"},
        {"Games/Lost.Kingdom.qgf", "Games/Lost.Kingdom.qgf", "Lost.Kingdom"},
        {"\"\"", "", ""}};
    for (const auto& [line, file, name] : cases)
        EXPECT_EQ((Strings{CommandLineGameFile(line), GameNameOfPath(CommandLineGameFile(line))}),
                  (Strings{file, name}))
            << line;
}

class UntrustedWindow : public MainWindowFixture {
protected:
    GameRecord Runnable(const std::string& title) {
        CreateDirectoryA(GameDir().c_str(), nullptr);
        WriteFileText(GameDir() + "\\PLAY.EXE", "MZ");
        return MakeGame(title, "p", "c", GameDir(), "PLAY.EXE");
    }
    std::string GameDir() const { return folder + "\\GAMEDIR"; }
};

// A picture the check refuses shows the default.
TEST_F(UntrustedWindow, DamagedPicturesShowTheDefaultAndTheGameStaysRunnable) {
    const std::pair<const char*, std::vector<char>> pictures[] = {{"A Header Only", HeaderWithoutPixels()},
                                                                  {"B Offset One", PixelsAtOffsetOne()},
                                                                  {"C Good", MakeBmp(40, 30, 200, 10, 10)}};
    for (const auto& [title, picture] : pictures) AddGame(MakeGame(title), picture);
    Start("\"" + folder + "\\Games\\C Good.qgX");  // a missing file, named with an unbalanced quote
    ASSERT_EQ(List().Count(), 3);
    for (int row = 0; row < 3; ++row) {
        List().Select(row);
        PumpMessages();
        EXPECT_TRUE(Enabled(IDC_RUNGAME)) << row << ": loaded and runnable";
        EXPECT_EQ(PreviewSize(), row < 2 ? std::make_pair(160, 100) : std::make_pair(40, 30)) << row;
    }
    EXPECT_EQ(MessageTexts(ui), Strings{"The game file cannot be found:\n" + folder + "\\Games\\C Good.qgX"});
}

TEST_F(UntrustedWindow, BatchSyntaxNeverReachesABatchFile) {
    CurrentGame current;
    current.record = Runnable("Smuggler");
    // What a batch or the interpreter would read stops the launch; a direct .exe gets its parameters as they are.
    const std::tuple<bool, const char*, const char*, const char*> cases[] = {
        {false, "PLAY.EXE", "/m\r\ncalc.exe", "Mouse parameter"},
        {true, "PLAY.EXE", "/m & calc.exe", "Mouse parameter"},
        {false, "PLAY.BAT", "%OS%", "Mouse parameter"},
        {false, "A&B.EXE", "/m=2 %x% & y", nullptr},
        {true, "A&B.BAT", nullptr, "Command"},
        {true, "A,B.EXE", nullptr, "Command"},
        {true, "G%OS%.BAT", "/sb:220,5,1", "Command"}};
    AppState state;
    for (const auto& [vdm, command, mouse, field] : cases) {
        SCOPED_TRACE(command);
        WriteFileText(GameDir() + "\\" + command, "x");
        state.vdm = {vdm, folder + "\\", folder + "\\VDMSRun.bat"};
        current.record.mouseOn = mouse != nullptr;
        SetField(current.record.setup, mouse ? "(Parameters)" : "");
        SetField(current.record.mouseParam, mouse ? mouse : "");
        SetField(current.record.command, command);
        ui.Clear();
        EXPECT_EQ(RunGame(nullptr, "Smuggler", current, state), field == nullptr);
        EXPECT_EQ(MessageTexts(ui), field ? Strings{Format(kUnsafeParameterMessage, field, field)} : Strings{});
        EXPECT_EQ(ui.Calls(UiCall::Execute).size(), field ? 0u : 1u);
        EXPECT_FALSE(FileExists(GameDir() + "\\Loader.bat"));
    }
}

TEST_F(UntrustedWindow, RunningAReadOnlyGameTellsWhyAChangeWasNotSaved) {
    AddGame(Runnable("Locked"), MakeBmp(3, 3, 1, 1, 1));
    const std::string path = GamePath("Locked");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<char> before = ReadFileBytes(path);
    Start();
    List().Select(0);
    PumpMessages();
    ui.Clear();
    Command(IDC_RUNGAME);  // nothing changed: no message
    EXPECT_TRUE(ui.Messages().empty() && ui.Calls(UiCall::Execute).size() == 1u);
    WriteFileText(GameDir() + "\\OTHER.EXE", "MZ");
    DeleteFileA((GameDir() + "\\PLAY.EXE").c_str());
    ui.fileAnswers.push_back(GameDir() + "\\OTHER.EXE");
    ui.Clear();
    Command(IDC_RUNGAME);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, Format(kReadOnlyGameMessage, path.c_str()));
    EXPECT_EQ(ReadFileBytes(path), before);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
