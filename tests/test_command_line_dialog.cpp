// The command line setup dialog driven in-process: what it offers, the live
// command line, the selections it makes and Clear.
#include "FakeUi.h"
#include "TestEnv.h"
#include "dialogs/CommandLineDialog.h"
#include "res/CommandLineDialogRes.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

using Strings = std::vector<std::string>;

class CommandLineDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = MakeGame("Keen", "Apogee", "Platform", "C:\\KEEN", "KEEN.EXE");
        SetField(game.setup, "(Parameters)");
        SetField(game.soundNames[0], "Sound Blaster");
        SetField(game.soundParams[0], "-sb");
        SetField(game.soundNames[2], "Adlib");
        SetField(game.soundParams[2], "-adlib");
        SetField(game.soundNames[4], "ADLIB");
        SetField(game.soundParams[4], "-second");
        SetField(game.musicNames[7], "General MIDI");
        SetField(game.musicParams[7], "-gm");
        SetField(game.keyboardParam, "-kbd");
        SetField(game.joystickParam, "-joy");
        SetField(game.egaParam, "-ega");
        SetField(game.vgaParam, "-vga");
        SetField(game.customName, "Modem");
        SetField(game.customParam, "-modem");
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
    Strings Items(int list) const {
        Strings items;
        for (int i = 0; i < SendMessageA(Item(list), LB_GETCOUNT, 0, 0); ++i) {
            char text[260] = "";
            SendMessageA(Item(list), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }
    // Selects a list item as the user does: the list tells the dialog.
    void Pick(int list, int item) {
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
    ASSERT_TRUE(Open());
    EXPECT_EQ(win::WindowText(dialog->Handle()), "Parameters for Keen");
    Strings sound = Items(IDC_CL_SOUND);
    ASSERT_EQ(sound.size(), 3u) << "the empty entries are left out";
    EXPECT_EQ(lstrcmpiA(sound[0].c_str(), "adlib") + lstrcmpiA(sound[1].c_str(), "adlib"), 0);
    EXPECT_EQ(sound[2], "Sound Blaster");
    EXPECT_EQ(Items(IDC_CL_MUSIC), (Strings{"General MIDI"}));
    const std::pair<int, bool> enabled[] = {
        {IDC_CL_KEYBOARD, true}, {IDC_CL_MOUSE, false}, {IDC_CL_JOYSTICK, true}, {IDC_CL_VESA, false},
        {IDC_CL_VGA, true},      {IDC_CL_MCGA, false},  {IDC_CL_EGA, true},      {IDC_CL_CGA, false},
        {IDC_CL_TANDY, false},   {IDC_CL_CUSTOM, true},
    };
    for (const auto& [id, on] : enabled) EXPECT_EQ(Enabled(id), on) << id;
    EXPECT_TRUE(Ticked(IDC_CL_EGA)) << "display 4 is EGA";
    EXPECT_TRUE(Ticked(IDC_CL_KEYBOARD));
    EXPECT_EQ(win::WindowText(Item(IDC_CL_CUSTOM)), "Modem");
    EXPECT_EQ(Line(), "KEEN.EXE -ega -kbd ");

    // No Command, no custom device, and a display whose parameter was emptied.
    SetField(game.command, "");
    SetField(game.customName, "");
    SetField(game.egaParam, "");
    ASSERT_TRUE(Open());
    EXPECT_TRUE(Ticked(IDC_CL_EGA));
    EXPECT_FALSE(Enabled(IDC_CL_EGA));
    EXPECT_FALSE(Enabled(IDC_CL_CUSTOM));
    EXPECT_EQ(win::WindowText(Item(IDC_CL_CUSTOM)), "Custom Device");
    EXPECT_EQ(Line(), "(Executable) -kbd ");

    EXPECT_FALSE(Open(""));
    EXPECT_EQ(dialog->Result(), IDCANCEL);
}

TEST_F(CommandLineDialogTest, EveryClickChangesTheGameAndTheLine) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(Line(), "KEEN.EXE ");
    Click(IDC_CL_VGA);
    Click(IDC_CL_JOYSTICK);
    Click(IDC_CL_CUSTOM);
    Pick(IDC_CL_MUSIC, 0);
    Pick(IDC_CL_SOUND, 2);  // "Sound Blaster"
    EXPECT_EQ(dialog->game.selectedDisplay, 2);
    EXPECT_EQ(dialog->game.joystickOn, 1);
    EXPECT_EQ(dialog->game.customOn, 1);
    EXPECT_EQ(dialog->game.selectedMusic, 7);
    EXPECT_EQ(dialog->game.selectedSound, 0);
    EXPECT_EQ(Line(), "KEEN.EXE -vga -joy -sb -gm -modem ");

    // Equal names (in any case) select the lower entry, whichever item is picked.
    for (int item : {0, 1}) {
        Pick(IDC_CL_SOUND, item);
        EXPECT_EQ(dialog->game.selectedSound, 2) << item;
    }
    Click(IDC_CL_EGA);
    EXPECT_TRUE(Ticked(IDC_CL_EGA));
    EXPECT_FALSE(Ticked(IDC_CL_VGA));
    Click(IDC_CL_JOYSTICK);
    EXPECT_EQ(dialog->game.joystickOn, 0);
    EXPECT_EQ(Line(), "KEEN.EXE -ega -adlib -gm -modem ");

    Click(IDC_CL_CLEAR);
    EXPECT_EQ(Line(), "KEEN.EXE ") << "the program text and one space";
    const GameRecord& g = dialog->game;
    EXPECT_EQ((std::vector<int>{g.selectedDisplay, g.selectedSound, g.selectedMusic}), (std::vector<int>{-1, -1, -1}));
    EXPECT_EQ(g.keyboardOn + g.mouseOn + g.joystickOn + g.customOn, 0);
    EXPECT_EQ(SendMessageA(Item(IDC_CL_SOUND), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(Item(IDC_CL_MUSIC), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_FALSE(Ticked(IDC_CL_EGA));
}

TEST_F(CommandLineDialogTest, SelectionsOutlastTheCloseBox) {
    // A damaged game file: index 10 is one past the last entry (where the first
    // parameter lies), so nothing is selected.
    game.selectedSound = 10;
    SetField(game.soundParams[0], "Sound Blaster");
    for (INT_PTR button : {IDOK, IDCANCEL}) {
        ui.modalScripts.push_back([button](win::Dialog& d, HWND owner) -> INT_PTR {
            HWND h = d.Create(owner);
            if (!h) return IDCANCEL;
            EXPECT_EQ(SendMessageA(GetDlgItem(h, IDC_CL_SOUND), LB_GETCURSEL, 0, 0), LB_ERR);
            SendMessageA(GetDlgItem(h, IDC_CL_KEYBOARD), BM_CLICK, 0, 0);
            SendMessageA(h, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            return d.Result();
        });
        CommandLineResult r = AskCommandLine(nullptr, "Keen", game);
        EXPECT_EQ(r.closed, button == IDOK);
        EXPECT_EQ(r.game.keyboardOn, 1) << button;
    }
}

}  // namespace
