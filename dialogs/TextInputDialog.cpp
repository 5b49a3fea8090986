// The text input dialog.
#include "dialogs/TextInputDialog.h"
#include "res/TextInputDialogRes.h"
#include "res/resource.h"
#include "win/UserInterface.h"

TextInputDialog::TextInputDialog() : SkinnedDialog(IDD_TEXTINPUT) {}

bool TextInputDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    LimitText(IDC_TEXTINPUT_VALUE, kMaxChars);
    if (!value.empty()) SetItemText(IDC_TEXTINPUT_VALUE, value);
    if (!prompt.empty()) SetItemText(IDC_TEXTINPUT_PROMPT, prompt);
    SetFocus(Item(IDC_TEXTINPUT_VALUE));
    return false;  // the focus is set
}

bool TextInputDialog::OnOK() {
    value = ItemText(IDC_TEXTINPUT_VALUE, kMaxChars);
    return true;
}

std::optional<std::string> AskText(HWND owner, const std::string& prompt, const std::string& initial) {
    TextInputDialog dialog;
    dialog.prompt = prompt;
    dialog.value = initial;
    if (win::Ui().RunModal(dialog, owner) != IDOK) return std::nullopt;
    return dialog.value;
}
