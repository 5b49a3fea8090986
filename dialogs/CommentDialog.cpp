// The comment dialog.
#include "dialogs/CommentDialog.h"
#include "res/CommentDialogRes.h"
#include "res/resource.h"
#include "win/UserInterface.h"

CommentDialog::CommentDialog() : win::Dialog(IDD_COMMENT) {}

bool CommentDialog::OnInit() {
    LimitText(IDC_COMMENT_TEXT, kLimit);
    SetItemText(IDC_COMMENT_TEXT, comment);
    SetFocus(Item(IDC_COMMENT_TEXT));
    return false;  // the focus is set
}

bool CommentDialog::OnOK() {
    // Line breaks stay as the edit keeps them: CR LF.
    comment = ItemText(IDC_COMMENT_TEXT, kMaxChars);
    return true;
}

std::optional<std::string> AskComment(HWND owner, const std::string& comment) {
    CommentDialog dialog;
    dialog.comment = comment;
    if (win::Ui().RunModal(dialog, owner) != IDOK) return std::nullopt;
    return dialog.comment;
}
