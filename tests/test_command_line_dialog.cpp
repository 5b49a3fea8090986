// The command line setup dialog driven in-process: what it offers, the live
// command line, the selections it makes and Clear.
#include "DialogItems.h"
#include "TestEnv.h"
#include "dialogs/CommandLineDialog.h"
#include "res/CommandLineDialogRes.h"
#include <memory>

namespace {

class CommandLineDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = MakeGame("Keen", "Apogee", "Platform", "C:\\KEEN", "KEEN.EXE");
        const std::pair<char*, const char*> fields[] = {
            {game.setup, "(Parameters)"},     {game.soundNames[0], "Sound Blaster"},
            {game.soundParams[0], "-sb"},     {game.soundNames[2], "Adlib"},
            {game.soundParams[2], "-adlib"},  {game.soundNames[4], "ADLIB"},
            {game.soundParams[4], "-second"}, {game.musicNames[7], "General MIDI"},
            {game.musicParams[7], "-gm"},     {game.keyboardParam, "-kbd"},
            {game.joystickParam, "-joy"},     {game.egaParam, "-ega"},
            {game.vgaParam, "-vga"},          {game.customName, "Modem"},
            {game.customParam, "-modem"}};
        for (const auto& [field, text] : fields) lstrcpyA(field, text);  // all shorter than a parameter field
    }
    HWND Open(const std::string& title = "Keen") {
        dialog = std::make_unique<CommandLineDialog>();
        dialog->title = title;
        dialog->game = game;
        return dialog->Create(nullptr);
    }
    HWND Item(int id) const { return GetDlgItem(dialog->Handle(), id); }
    std::string Line() const { return win::WindowText(Item(IDC_CL_COMMANDLINE), 400); }
    void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    bool Ticked(int id) const { return IsDlgButtonChecked(dialog->Handle(), id) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != 0; }
    LRESULT Selected(int list) const { return SendMessageA(Item(list), LB_GETCURSEL, 0, 0); }
    void Pick(int list, int item) {  // as the user does: the list tells the dialog
        SendMessageA(Item(list), LB_SETCURSEL, item, 0);
        SendMessageA(dialog->Handle(), WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(list)));
    }

    FakeUi ui;
    GameRecord game;
    std::unique_ptr<CommandLineDialog> dialog;
};

TEST_F(CommandLineDialogTest, OpensWithWhatTheGameOffers) {
    game.selectedDisplay = 4;
    game.keyboardOn = 1;
    game.selectedSound = 10;  // damaged: one past the last entry, where the first parameter lies
    SetField(game.soundParams[0], "Sound Blaster");
    ASSERT_TRUE(Open());
    EXPECT_EQ(win::WindowText(dialog->Handle()), "Parameters for Keen");
    Strings sound = BoxItems(Item(IDC_CL_SOUND));
    ASSERT_EQ(sound.size(), 3u) << "the empty entries are left out";
    EXPECT_EQ(lstrcmpiA(sound[0].c_str(), "adlib") + lstrcmpiA(sound[1].c_str(), "adlib"), 0);
    EXPECT_EQ(sound[2], "Sound Blaster");
    EXPECT_EQ(Selected(IDC_CL_SOUND), LB_ERR);
    EXPECT_EQ(BoxItems(Item(IDC_CL_MUSIC)), (Strings{"General MIDI"}));
    const int buttons[] = {IDC_CL_KEYBOARD, IDC_CL_MOUSE, IDC_CL_JOYSTICK, IDC_CL_VESA,  IDC_CL_VGA,
                           IDC_CL_MCGA,     IDC_CL_EGA,   IDC_CL_CGA,      IDC_CL_TANDY, IDC_CL_CUSTOM};
    std::vector<bool> enabled;
    for (int id : buttons) enabled.push_back(Enabled(id));
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, true, false, true, false, true, false, false, true}));
    EXPECT_TRUE(Ticked(IDC_CL_EGA) && Ticked(IDC_CL_KEYBOARD)) << "display 4 is EGA";
    EXPECT_EQ(win::WindowText(Item(IDC_CL_CUSTOM)), "Modem");
    EXPECT_EQ(Line(), "KEEN.EXE -ega -kbd ");

    // No Command, no custom device, and a display whose parameter was emptied.
    for (char* field : {game.command, game.customName, game.egaParam}) field[0] = '\0';
    ASSERT_TRUE(Open());
    EXPECT_TRUE(Ticked(IDC_CL_EGA));
    EXPECT_FALSE(Enabled(IDC_CL_EGA) || Enabled(IDC_CL_CUSTOM));
    EXPECT_EQ(win::WindowText(Item(IDC_CL_CUSTOM)), "Custom Device");
    EXPECT_EQ(Line(), "(Executable) -kbd ");

    EXPECT_FALSE(Open(""));
    EXPECT_EQ(dialog->Result(), IDCANCEL);
}

TEST_F(CommandLineDialogTest, EveryClickChangesTheGameAndTheLine) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(Line(), "KEEN.EXE ");
    for (int id : {IDC_CL_VGA, IDC_CL_JOYSTICK, IDC_CL_CUSTOM}) Click(id);
    Pick(IDC_CL_MUSIC, 0);
    Pick(IDC_CL_SOUND, 2);  // "Sound Blaster"
    const GameRecord& g = dialog->game;
    EXPECT_EQ((std::vector<int>{g.selectedDisplay, g.joystickOn, g.customOn, g.selectedMusic, g.selectedSound}),
              (std::vector<int>{2, 1, 1, 7, 0}));
    EXPECT_EQ(Line(), "KEEN.EXE -vga -joy -sb -gm -modem ");

    for (int item : {0, 1}) {  // equal names in any case select the lower entry
        Pick(IDC_CL_SOUND, item);
        EXPECT_EQ(std::make_pair(g.selectedSound, Selected(IDC_CL_SOUND)), std::make_pair(2, LRESULT{0})) << item;
    }
    Click(IDC_CL_EGA);
    EXPECT_FALSE(Ticked(IDC_CL_VGA));
    Click(IDC_CL_JOYSTICK);
    EXPECT_EQ(g.joystickOn, 0);
    EXPECT_EQ(Line(), "KEEN.EXE -ega -adlib -gm -modem ");

    Click(IDC_CL_CLEAR);
    EXPECT_EQ(Line(), "KEEN.EXE ") << "the program text and one space";
    EXPECT_EQ((std::vector<int>{g.selectedDisplay, g.selectedSound, g.selectedMusic,
                                g.keyboardOn + g.mouseOn + g.joystickOn + g.customOn}),
              (std::vector<int>{-1, -1, -1, 0}));
    EXPECT_EQ(Selected(IDC_CL_SOUND) + Selected(IDC_CL_MUSIC), 2 * LB_ERR);
    EXPECT_FALSE(Ticked(IDC_CL_EGA));
}

}  // namespace
