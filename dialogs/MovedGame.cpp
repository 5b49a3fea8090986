// The missing-folder step of a launch and the search menu command.
#include "dialogs/MovedGame.h"
#include "win/Texts.h"
#include "dialogs/GameSearchDialog.h"
#include "dialogs/LocateGameDialog.h"
#include "win/UserInterface.h"

std::optional<std::string> LocateMovedGame(HWND owner, const std::string& title, CurrentGame& game,
                                           bool& commandLineLaunch) {
    if (commandLineLaunch) {
        commandLineLaunch = false;
        win::Ui().ShowMessage(owner,
                              Format("Cannot find the location of %s.\nPlease locate its path...", title.c_str()),
                              "Game run error", MB_OK | MB_ICONSTOP);
        return std::nullopt;
    }
    std::string folder = FieldText(game.record.path);
    switch (AskLocateGame(owner, title, folder)) {
        case LocateAnswer::Browse: {
            std::string chosen;
            if (!win::Ui().PickFolder(owner, Tr(TextId::SelectGamePath), chosen)) return std::nullopt;
            if (!chosen.empty()) {
                folder = chosen;
                SetField(game.record.path, folder.c_str());
            }
            return folder;
        }
        case LocateAnswer::Search:
            if (!AskGameSearch(owner, game, title)) return std::nullopt;
            return FieldText(game.record.path);
        case LocateAnswer::No: break;
    }
    return std::nullopt;
}

bool SearchForSelectedGame(HWND owner, int row, const std::string& title, CurrentGame& game) {
    if (row < 0) {
        win::Ui().ShowMessage(owner, Tr(TextId::SelectGameFirst), kAppName, MB_OK);
        return false;
    }
    if (title.empty()) return false;
    AskGameSearch(owner, game, title.substr(0, 259));
    return true;
}
