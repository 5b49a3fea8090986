// The error-locating dialog: a game's folder is missing; the user picks Search,
// Browse or No. It only asks; the caller searches or browses.
#pragma once
#include "widgets/SkinnedDialog.h"
#include <string>

enum class LocateAnswer { No = 0, Search = 1, Browse = 2 };

class LocateGameDialog final : public SkinnedDialog {
public:
    std::string title;                       // in: the game's title
    std::string folder;                      // in: the folder that was not found
    LocateAnswer answer = LocateAnswer::No;  // out

    LocateGameDialog();

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    bool OnOK() override;
};

// The message of the dialog for a missing folder.
std::string LocateMessage(const std::string& folder);

// Runs the dialog through the user-interface seam. Closing it any other way
// than with Search or Browse answers No.
LocateAnswer AskLocateGame(HWND owner, const std::string& title, const std::string& folder);
