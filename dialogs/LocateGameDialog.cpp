// The error-locating dialog.
#include "dialogs/LocateGameDialog.h"
#include "win/Texts.h"
#include "res/LocateGameDialogRes.h"
#include "res/resource.h"
#include "win/UserInterface.h"

namespace {
constexpr size_t kMaxChars = 259;  // title and folder, as the game fields hold them
}

LocateGameDialog::LocateGameDialog() : SkinnedDialog(IDD_LOCATEGAME) {}

std::string LocateMessage(const std::string& folder) {
    return Format("Could not locate...\n%s\n\nWould you like to locate the correct folder?",
                  folder.substr(0, kMaxChars).c_str());
}

bool LocateGameDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    SetItemText(IDC_LOCATE_TITLE, title.substr(0, kMaxChars));
    SetItemText(IDC_LOCATE_MESSAGE, LocateMessage(folder));
    answer = LocateAnswer::No;
    SetFocus(Item(IDC_LOCATE_SEARCH));
    return false;  // the focus is set
}

void LocateGameDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_LOCATE_SEARCH:
            answer = LocateAnswer::Search;
            End(IDCANCEL);
            break;
        case IDC_LOCATE_BROWSE:
            answer = LocateAnswer::Browse;
            End(IDCANCEL);
            break;
        default: break;
    }
}

// Every way out ends the dialog as cancelled; only the answer carries meaning.
bool LocateGameDialog::OnOK() {
    End(IDCANCEL);
    return false;
}

LocateAnswer AskLocateGame(HWND owner, const std::string& title, const std::string& folder) {
    LocateGameDialog dialog;
    dialog.title = title;
    dialog.folder = folder;
    win::Ui().RunModal(dialog, owner);
    return dialog.answer;
}
