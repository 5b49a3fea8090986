// The command line setup dialog.
#include "dialogs/CommandLineDialog.h"
#include "win/Texts.h"
#include "launch/ParameterLine.h"
#include "res/CommandLineDialogRes.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/UserInterface.h"

namespace {

// The display radios by Selected display: 1 VESA, 2 VGA, 3 MCGA, 4 EGA, 5 CGA, 6 TANDY.
const int kDisplayRadios[] = {IDC_CL_VESA, IDC_CL_VGA, IDC_CL_MCGA, IDC_CL_EGA, IDC_CL_CGA, IDC_CL_TANDY};

// True when the display numbered |display| has a parameter.
bool HasDisplayParameter(const GameRecord& game, int display) {
    GameRecord probe = game;
    probe.selectedDisplay = display;
    const char* param = SelectedDisplayParameter(probe);
    return param && param[0] != '\0';
}

bool ValidDevice(int32_t index) { return index >= 0 && index < static_cast<int32_t>(kDeviceSlots); }

}  // namespace

CommandLineDialog::CommandLineDialog() : SkinnedDialog(IDD_COMMANDLINE) {}

std::string CommandLineDialog::CommandLine() const { return _program + " " + ComposeParameterLine(game); }

bool CommandLineDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    if (title.empty()) {
        End(IDCANCEL);
        return true;
    }
    SetWindowTextA(Handle(), Format("Parameters for %s", title.c_str()).c_str());
    _program = game.command[0] ? FieldText(game.command) : "(Executable)";

    win::ListBox sounds(Item(IDC_CL_SOUND)), music(Item(IDC_CL_MUSIC));
    for (size_t i = 0; i < kDeviceSlots; ++i) {
        if (game.soundNames[i][0]) sounds.Add(FieldText(game.soundNames[i]));
        if (game.musicNames[i][0]) music.Add(FieldText(game.musicNames[i]));
    }
    EnableItem(IDC_CL_KEYBOARD, game.keyboardParam[0] != '\0');
    EnableItem(IDC_CL_MOUSE, game.mouseParam[0] != '\0');
    EnableItem(IDC_CL_JOYSTICK, game.joystickParam[0] != '\0');
    for (int display = 1; display <= 6; ++display)
        EnableItem(kDisplayRadios[display - 1], HasDisplayParameter(game, display));
    if (game.customName[0]) {
        EnableItem(IDC_CL_CUSTOM, true);
        SetItemText(IDC_CL_CUSTOM, FieldText(game.customName).substr(0, kParamSize - 1));
    } else {
        EnableItem(IDC_CL_CUSTOM, false);
    }
    Refresh();
    return true;
}

void CommandLineDialog::SelectListItem(int list, int32_t selected, const char (*names)[kTextSize]) {
    win::ListBox box(Item(list));
    box.Select(ValidDevice(selected) && names[selected][0] ? box.FindExact(FieldText(names[selected])) : -1);
}

void CommandLineDialog::Refresh() {
    for (int display = 1; display <= 6; ++display)
        SetChecked(kDisplayRadios[display - 1], game.selectedDisplay == display);
    SetChecked(IDC_CL_KEYBOARD, game.keyboardOn != 0);
    SetChecked(IDC_CL_MOUSE, game.mouseOn != 0);
    SetChecked(IDC_CL_JOYSTICK, game.joystickOn != 0);
    SetChecked(IDC_CL_CUSTOM, game.customOn != 0);
    SelectListItem(IDC_CL_SOUND, game.selectedSound, game.soundNames);
    SelectListItem(IDC_CL_MUSIC, game.selectedMusic, game.musicNames);
    HWND edit = Item(IDC_CL_COMMANDLINE);
    SetWindowTextA(edit, CommandLine().c_str());
    // Hidden and shown once, so that it repaints over the skinned background.
    ShowWindow(edit, SW_HIDE);
    ShowWindow(edit, SW_SHOW);
}

// The list's item names a device entry: the first entry of that name (without
// regard to case) becomes the selection.
void CommandLineDialog::SelectDevice(bool music) {
    const win::ListBox list(Item(music ? IDC_CL_MUSIC : IDC_CL_SOUND));
    const int row = list.Selected();
    if (row < 0) return;
    const std::string text = list.Text(row);
    for (size_t i = 0; i < kDeviceSlots; ++i) {
        if (!EqualNoCase(FieldText(music ? game.musicNames[i] : game.soundNames[i]), text)) continue;
        (music ? game.selectedMusic : game.selectedSound) = static_cast<int32_t>(i);
        Refresh();
        return;
    }
}

void CommandLineDialog::Clear() {
    game.selectedDisplay = -1;
    game.selectedSound = -1;
    game.selectedMusic = -1;
    game.keyboardOn = game.mouseOn = game.joystickOn = game.customOn = 0;
    Refresh();
}

void CommandLineDialog::OnCommand(int id, int code, HWND /*ctl*/) {
    if ((id == IDC_CL_SOUND || id == IDC_CL_MUSIC) && code == LBN_SELCHANGE) {
        SelectDevice(id == IDC_CL_MUSIC);
        return;
    }
    if (code != BN_CLICKED) return;
    for (int display = 1; display <= 6; ++display)
        if (id == kDisplayRadios[display - 1]) {
            game.selectedDisplay = display;
            Refresh();
            return;
        }
    switch (id) {
        case IDC_CL_KEYBOARD: game.keyboardOn = IsChecked(id) ? 1 : 0; break;
        case IDC_CL_MOUSE: game.mouseOn = IsChecked(id) ? 1 : 0; break;
        case IDC_CL_JOYSTICK: game.joystickOn = IsChecked(id) ? 1 : 0; break;
        case IDC_CL_CUSTOM: game.customOn = IsChecked(id) ? 1 : 0; break;
        case IDC_CL_CLEAR: Clear(); return;
        default: return;
    }
    Refresh();
}

CommandLineResult AskCommandLine(HWND owner, const std::string& title, const GameRecord& game) {
    CommandLineDialog dialog;
    dialog.title = title;
    dialog.game = game;
    CommandLineResult result;
    result.closed = win::Ui().RunModal(dialog, owner) == IDOK;
    result.game = dialog.game;
    return result;
}
