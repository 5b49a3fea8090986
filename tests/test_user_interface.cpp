// The real seam: Windows' own dialogs, answered from a second thread as a player would, and the shell.
#include "TestEnv.h"
#include "win/UserInterface.h"
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <functional>
#include <thread>

namespace {

// A player: waits (ten seconds at most) for the dialog with |caption|, then answers it.
std::thread Player(const std::string& caption, std::function<void(HWND)> answer) {
    return std::thread([caption, answer] {
        for (int i = 0; i < 200; ++i, Sleep(50))
            if (HWND dialog = FindWindowA("#32770", caption.c_str())) return answer(dialog);
    });
}

TEST(RealSeam, TheMessageBoxShowsTheTextAndGivesTheButtonPressed) {
    std::string shown;
    std::thread player = Player("Quillon seam box", [&](HWND box) {
        char text[64] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static text
        shown = text;
        PostMessageA(box, WM_COMMAND, IDNO, 0);
    });
    EXPECT_EQ(win::Ui().ShowMessage(nullptr, "Delete it?", "Quillon seam box", MB_YESNO), IDNO);
    player.join();
    EXPECT_EQ(shown, "Delete it?");
}

// The file dialog gives the full path or nothing; the shell's failure comes back as its number.
TEST(RealSeam, TheFileDialogAndTheShell) {
    TempFolder temp("seam");
    WriteFileText(temp.path + "\\GAME.EXE", "MZ");
    win::OpenFileRequest request;
    request.title = "Quillon seam pick";
    request.filter = "Programs (*.exe)|*.exe||";
    request.initialDir = temp.path;
    for (const int button : {IDOK, IDCANCEL}) {
        std::thread player = Player(request.title, [button](HWND dialog) {
            Sleep(300);  // the dialog fills its list first
            for (const int field : {edt1, cmb13}) SetDlgItemTextA(dialog, field, "GAME.EXE");
            PostMessageA(dialog, WM_COMMAND, button, 0);
        });
        std::string path = "unchanged";
        const bool picked = win::Ui().PickFile(request, path);
        player.join();
        EXPECT_EQ(picked, button == IDOK);
        EXPECT_STRCASEEQ(path.c_str(), button == IDOK ? (temp.path + "\\GAME.EXE").c_str() : "unchanged");
    }
    EXPECT_LE(win::Ui().Execute(nullptr, "open", temp.path + "\\NONE.TXT", "", temp.path, SW_HIDE), 32);
}

}  // namespace
