// The game settings dialog.
#include "dialogs/GameSettingsDialog.h"
#include "win/Texts.h"
#include "data/CriteriaData.h"
#include "data/Files.h"
#include "dialogs/DosBoxSettingsDialog.h"
#include "launch/GameSetup.h"
#include "launch/ProgramKind.h"
#include "launch/SoundSetupDosBox.h"
#include "res/GameSettingsDialogRes.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/UserInterface.h"
#include <commdlg.h>
#include <iterator>
#include <vector>

namespace {

const int kDeviceCombos[kDeviceSlots] = {IDC_GS_DEVICE_1, IDC_GS_DEVICE_2, IDC_GS_DEVICE_3, IDC_GS_DEVICE_4,
                                         IDC_GS_DEVICE_5, IDC_GS_DEVICE_6, IDC_GS_DEVICE_7, IDC_GS_DEVICE_8,
                                         IDC_GS_DEVICE_9, IDC_GS_DEVICE_10};
const int kDeviceParams[kDeviceSlots] = {IDC_GS_PARAM_1, IDC_GS_PARAM_2, IDC_GS_PARAM_3, IDC_GS_PARAM_4,
                                         IDC_GS_PARAM_5, IDC_GS_PARAM_6, IDC_GS_PARAM_7, IDC_GS_PARAM_8,
                                         IDC_GS_PARAM_9, IDC_GS_PARAM_10};
const int kInputEdits[] = {IDC_GS_KEYBOARD, IDC_GS_MOUSE, IDC_GS_JOYSTICK};
const int kOtherParamEdits[] = {IDC_GS_VESA, IDC_GS_VGA,   IDC_GS_MCGA,        IDC_GS_EGA,
                                IDC_GS_CGA,  IDC_GS_TANDY, IDC_GS_CUSTOM_NAME, IDC_GS_CUSTOM_PARAM};
const int kBrowseButtons[] = {IDC_GS_BROWSE_SETUP, IDC_GS_BROWSE_CONFIG};

constexpr char kHelpCaption[] = "Error executing game";

// The 32-byte fields that the dialog edits, by control.
struct ParamField {
    int control;
    char (GameRecord::*field)[kParamSize];
};
const ParamField kParamFields[] = {
    {IDC_GS_KEYBOARD, &GameRecord::keyboardParam},
    {IDC_GS_MOUSE, &GameRecord::mouseParam},
    {IDC_GS_JOYSTICK, &GameRecord::joystickParam},
    {IDC_GS_VESA, &GameRecord::vesaParam},
    {IDC_GS_VGA, &GameRecord::vgaParam},
    {IDC_GS_MCGA, &GameRecord::mcgaParam},
    {IDC_GS_EGA, &GameRecord::egaParam},
    {IDC_GS_CGA, &GameRecord::cgaParam},
    {IDC_GS_TANDY, &GameRecord::tandyParam},
    {IDC_GS_CUSTOM_NAME, &GameRecord::customName},
    {IDC_GS_CUSTOM_PARAM, &GameRecord::customParam},
};

// A parameter field's text: at most 31 characters, even in a file whose field
// lacks its terminator.
std::string ParamText(const char (&field)[kParamSize]) {
    return FieldText(field).substr(0, GameSettingsDialog::kParamChars);
}

int TextLength(HWND control) { return GetWindowTextLengthA(control); }

}  // namespace

GameSettingsDialog::GameSettingsDialog(const IniFile& dataIni) : SkinnedDialog(IDD_GAMESETTINGS), _dataIni(dataIni) {}

GameSettingsDialog::~GameSettingsDialog() {
    // A modeless dialog still open: close it while its buttons' icon is there.
    if (Handle()) DestroyWindow(Handle());
}

bool GameSettingsDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    SetButtonIcon(IDI_BROWSE, kBrowseButtons);

    // The edits take no more than the game's fields hold, so nothing is cut later.
    for (size_t i = 0; i < kDeviceSlots; ++i) {
        win::ComboBox(Item(kDeviceCombos[i])).LimitText(kTextSize - 1);
        LimitText(kDeviceParams[i], kParamChars);
    }
    for (const auto& p : kParamFields) LimitText(p.control, kParamChars);
    LimitText(IDC_GS_CONFIG, kConfigChars);
    LimitText(IDC_GS_SETUP, kTextSize - 1);
    LimitText(IDC_GS_HELP_COMMAND, kHelpCommandChars);

    _music = false;
    SetChecked(IDC_GS_KIND_SOUND, true);
    SetChecked(IDC_GS_KIND_MUSIC, false);

    SetItemText(IDC_GS_HELP_COMMAND, "-help");
    const bool canExecute = game.path[0] != '\0' && game.command[0] != '\0';
    EnableItem(IDC_GS_HELP_COMMAND, canExecute);
    EnableItem(IDC_GS_EXECUTE, canExecute);

    if (title.empty()) {
        End(IDCANCEL);
        return true;
    }
    SetWindowTextA(Handle(), Format("Modify Settings for %s", title.c_str()).c_str());
    ShowFields();
    FillDeviceRows();

    int mode = kNoSetup;
    switch (SetupModeOf(game)) {
        case SetupMode::NotConfigured:
        case SetupMode::WithinGame:
            SetItemText(IDC_GS_CONFIG, FieldText(game.configFile).substr(0, kConfigChars));
            if (game.path[0] != '\0') SetItemText(IDC_GS_SETUP, SuggestSetupProgram(FieldText(game.path)));
            break;
        case SetupMode::Parameters: mode = kParameters; break;
        case SetupMode::Program:
            mode = kSetupProgram;
            SetItemText(IDC_GS_SETUP, FieldText(game.setup));
            break;
    }
    ApplyMode(mode);

    win::ComboBox runWith(Item(IDC_GS_RUN_WITH));
    for (const char* choice : {"Default", "Windows", "DOSBox"}) runWith.Add(choice);
    runWith.Select(static_cast<int>(GameRunWith(game)));
    // A DOS game's own setup files may have chosen other sound than its parameter sets.
    if (IsDosGame(game))
        SetItemText(IDC_GS_SOUND_MISMATCH, SoundSetupMismatch(game, FindSoundSetup(FieldText(game.path))));
    return true;
}

void GameSettingsDialog::ShowFields() {
    for (size_t i = 0; i < kDeviceSlots; ++i) {
        _names[0][i] = FieldText(game.soundNames[i]);
        _params[0][i] = ParamText(game.soundParams[i]);
        _names[1][i] = FieldText(game.musicNames[i]);
        _params[1][i] = ParamText(game.musicParams[i]);
    }
    for (const auto& p : kParamFields) SetItemText(p.control, ParamText(game.*p.field));
}

void GameSettingsDialog::FillDeviceRows() {
    const auto devices =
        ReadCriteriaList(_dataIni, _music ? CriteriaList::MusicDevices : CriteriaList::SoundDevices, kOfferedDevices);
    const int kind = _music ? 1 : 0;
    for (size_t i = 0; i < kDeviceSlots; ++i) {
        win::ComboBox combo(Item(kDeviceCombos[i]));
        combo.Clear();
        for (const auto& device : devices) combo.Add(device);
        SetItemText(kDeviceCombos[i], _names[kind][i]);
        SetItemText(kDeviceParams[i], _params[kind][i]);
    }
}

// The rows as shown go back into the working copies of the kind shown.
void GameSettingsDialog::ReadDeviceRows() {
    const int kind = _music ? 1 : 0;
    for (size_t i = 0; i < kDeviceSlots; ++i) {
        _names[kind][i] = ItemText(kDeviceCombos[i], kTextSize - 1);
        _params[kind][i] = ItemText(kDeviceParams[i], kTextSize - 1);
    }
}

void GameSettingsDialog::SwitchKind(bool music) {
    if (music == _music) return;
    ReadDeviceRows();
    _music = music;
    FillDeviceRows();
    SetChecked(IDC_GS_KIND_SOUND, !music);
    SetChecked(IDC_GS_KIND_MUSIC, music);
}

void GameSettingsDialog::ApplyMode(int mode) {
    _mode = mode;
    SetChecked(IDC_GS_MODE_NONE, mode == kNoSetup);
    SetChecked(IDC_GS_MODE_PROGRAM, mode == kSetupProgram);
    SetChecked(IDC_GS_MODE_PARAMETERS, mode == kParameters);
    EnableItem(IDC_GS_CONFIG, mode == kNoSetup);
    EnableItem(IDC_GS_BROWSE_CONFIG, mode == kNoSetup);
    EnableItem(IDC_GS_SETUP, mode == kSetupProgram);
    EnableItem(IDC_GS_BROWSE_SETUP, mode == kSetupProgram);
    const bool parameters = mode == kParameters;
    for (size_t i = 0; i < kDeviceSlots; ++i) {
        EnableItem(kDeviceCombos[i], parameters);
        EnableItem(kDeviceParams[i], parameters);
    }
    EnableItem(IDC_GS_KIND_SOUND, parameters);
    EnableItem(IDC_GS_KIND_MUSIC, parameters);
    for (int id : kInputEdits) {
        EnableItem(id, parameters);
        SetReadOnly(id, !parameters);
    }
    for (int id : kOtherParamEdits) EnableItem(id, parameters);
}

void GameSettingsDialog::OnCommand(int id, int code, HWND /*ctl*/) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_GS_MODE_NONE: ApplyMode(kNoSetup); break;
        case IDC_GS_MODE_PROGRAM: ApplyMode(kSetupProgram); break;
        case IDC_GS_MODE_PARAMETERS: ApplyMode(kParameters); break;
        case IDC_GS_KIND_SOUND: SwitchKind(false); break;
        case IDC_GS_KIND_MUSIC: SwitchKind(true); break;
        case IDC_GS_BROWSE_SETUP:
            Browse(IDC_GS_SETUP, Tr(TextId::ExecutablesFilter, Language::English),
                   Tr(TextId::SelectSetupFile, Language::English));
            break;
        case IDC_GS_BROWSE_CONFIG:
            Browse(IDC_GS_CONFIG, "All Files (*.*)|*.*||", "Please select the config file to delete...");
            break;
        case IDC_GS_EXECUTE: ExecuteHelp(); break;
        case IDC_GS_DOSBOX: {
            // Its own dialog changes the game's DOSBox entries only; Cancel here drops them too.
            const DosBoxSettingsResult dosBox = AskDosBoxSettings(Handle(), title, game);
            if (dosBox.accepted) game = dosBox.game;
            break;
        }
        default: break;
    }
}

// The chosen file's folder becomes the game's Path at once, in memory: it stays
// even when the dialog is cancelled.
void GameSettingsDialog::Browse(int target, const char* filter, const char* dialogTitle) {
    win::OpenFileRequest request;
    request.owner = Handle();
    request.title = dialogTitle;
    request.filter = filter;
    const std::string path = FieldText(game.path);
    request.initialDir = !path.empty() && FolderExists(path) ? path : "C:\\";
    request.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_SHOWHELP;
    std::string chosen;
    if (!win::Ui().PickFile(request, chosen)) return;
    SetField(game.path, FolderPart(chosen).c_str());
    SetItemText(target, NamePart(chosen));
}

// Writes "Commands.bat" (the program with the help command, then "pause") into
// the game folder and runs it, so the player can read the game's help output.
// A program path that a batch file would read as commands, or a folder that
// takes no file, runs the program itself with the help command instead.
void GameSettingsDialog::ExecuteHelp() {
    const std::string help = ItemText(IDC_GS_HELP_COMMAND, kHelpCommandChars);
    const std::string path = FieldText(game.path);
    const std::string command = FieldText(game.command);
    switch (CheckHelpCommand(command, help)) {
        case HelpCommandProblem::None: break;
        case HelpCommandProblem::UnsafeCommand:
            win::Ui().ShowMessage(Handle(),
                                  Format("The game command must be a program in the game folder:\n%s\n\nNothing has "
                                         "been run.",
                                         command.c_str()),
                                  kHelpCaption, MB_OK | MB_ICONSTOP);
            return;
        case HelpCommandProblem::UnsafeHelp:
            win::Ui().ShowMessage(Handle(), "The help command must be one line.\n\nNothing has been run.", kHelpCaption,
                                  MB_OK | MB_ICONSTOP);
            return;
    }
    const bool batch =
        FitsCommandsBatch(path, command) && WriteCommandsBatch(path, CommandsBatchContent(path, command, help));
    const std::string program = batch ? std::string(kCommandsBatch) : command;
    if (win::Ui().Execute(Handle(), "open", program, batch ? "" : help, path, SW_SHOWNORMAL) > 32) return;
    const std::string named = batch ? JoinFolder(path, program) : program;
    win::Ui().ShowMessage(Handle(), Format(Tr(TextId::CouldNotOpen, Language::English), named.c_str()), kHelpCaption,
                          MB_OK | MB_ICONSTOP);
}

bool GameSettingsDialog::Refuse(int control, const std::string& text) {
    win::Ui().ShowMessage(Handle(), text, kAppName, MB_OK | MB_ICONSTOP);
    SetFocus(Item(control));
    SelectText(control);
    return false;
}

// A parameter holds at most 31 characters. The edits take no more, but text put
// there otherwise is refused rather than cut.
bool GameSettingsDialog::CheckLengths() {
    const int other = _music ? 0 : 1;
    for (const auto& param : _params[other])
        if (param.size() > kParamChars) {
            SwitchKind(!_music);
            break;
        }
    std::vector<int> edits(std::begin(kDeviceParams), std::end(kDeviceParams));
    for (const auto& p : kParamFields) edits.push_back(p.control);
    for (int id : edits)
        if (TextLength(Item(id)) > static_cast<int>(kParamChars))
            return Refuse(id, Format("This entry holds more than %d characters, which the game file cannot "
                                     "store:\n%s\n\nPlease shorten it.",
                                     static_cast<int>(kParamChars), ItemText(id, kTextSize - 1).c_str()));
    return true;
}

bool GameSettingsDialog::OnOK() {
    std::string setup;
    std::string config = FieldText(game.configFile);
    switch (_mode) {
        case kNoSetup:
            config = ItemText(IDC_GS_CONFIG, kConfigChars);
            if (!config.empty() && !IsNameInsideFolder(config))
                return Refuse(IDC_GS_CONFIG,
                              "The config file must be a file in the game folder or one of its subfolders: no "
                              "drive, no leading \\, no .. step and no device name (CON, NUL, COM1...).\n\nPlease "
                              "enter its name, or choose it with the \"->\" button.");
            break;
        case kSetupProgram:
            setup = ItemText(IDC_GS_SETUP);
            if (setup.empty()) {
                win::Ui().ShowMessage(Handle(),
                                      "You have selected to use the games setup file,\nbut no filename has been "
                                      "specified.\n\nPlease enter the games setup executable.",
                                      kAppName, MB_OK);
                SetFocus(Item(IDC_GS_SETUP));
                return false;
            }
            // The setup program may be run through VDMSound's batch file.
            if (CheckSetupName(setup, true) != SetupNameProblem::None)
                return Refuse(IDC_GS_SETUP,
                              "The setup program must be a file in the game folder or one of its subfolders: no "
                              "drive, no leading \\, no .. step, no device name and none of & | < > ^ % \" ; , "
                              "=.\n\nPlease enter its name, or choose it with the \"->\" button.");
            break;
        default: setup = kParametersMarker; break;
    }
    if (!CheckLengths()) return false;

    SetField(game.setup, setup.c_str());
    SetField(game.configFile, config.c_str());
    for (const auto& p : kParamFields) SetField(game.*p.field, ItemText(p.control, kParamChars).c_str());
    ReadDeviceRows();
    for (size_t i = 0; i < kDeviceSlots; ++i) {
        StoreDeviceEntry(game, false, i, _names[0][i], _params[0][i]);
        StoreDeviceEntry(game, true, i, _names[1][i], _params[1][i]);
    }
    const int runWith = win::ComboBox(Item(IDC_GS_RUN_WITH)).Selected();
    SetGameRunWith(game, runWith == 1 ? RunWith::Windows : runWith == 2 ? RunWith::DosBox : RunWith::Default);
    return true;
}

GameSettingsResult AskGameSettings(HWND owner, const std::string& title, const GameRecord& game,
                                   const IniFile& dataIni) {
    GameSettingsDialog dialog(dataIni);
    dialog.title = title;
    dialog.game = game;
    GameSettingsResult result;
    result.accepted = win::Ui().RunModal(dialog, owner) == IDOK;
    result.game = dialog.game;
    return result;
}
