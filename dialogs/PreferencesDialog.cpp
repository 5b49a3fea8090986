// The preferences dialog.
#include "dialogs/PreferencesDialog.h"
#include "win/Texts.h"
#include "data/Files.h"
#include "launch/HostPath.h"
#include "launch/ProgramKind.h"
#include "res/PreferencesDialogRes.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/UserInterface.h"
#include <commdlg.h>

namespace {

// The "DOSBoxMode" values in the order of the list.
const char* const kDosBoxModes[] = {"Never", "Where Windows cannot run them", "Always"};
// The "DOSBoxScreen" values in the order of the list.
const char* const kDosBoxScreens[] = {"DOSBox's own setting", "Windowed", "Full screen"};
const int kBrowseButtons[] = {IDC_PREF_DOSBOX_BROWSE};

}  // namespace

std::string FlavourText(const DosBoxIdentity& id) {
    const char* name = DosBoxFlavourName(id.flavour);
    switch (id.source) {
        case FlavourSource::VersionResource: return Format("Recognised: %s, by its version resource", name);
        case FlavourSource::FileName: return Format("Recognised: %s, by its file name", name);
        case FlavourSource::Unrecognised: break;
    }
    return Format("Not recognised: it gets the settings of %s", name);
}

PreferencesDialog::PreferencesDialog() : SkinnedDialog(IDD_PREFERENCES) {}

bool PreferencesDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    SetChecked(IDC_PREF_VERIFY, values.verifyOnReload);
    SetChecked(IDC_PREF_INDIVIDUAL, values.individualUpdating);
    SetChecked(IDC_PREF_CONFIRMDELETE, values.confirmDelete);
    SetChecked(IDC_PREF_SPANISH, CurrentLanguage() == Language::Spanish);
    win::Trackbar slider(Item(IDC_PREF_TWEAK));
    slider.SetRange(0, kMaxTweak);
    slider.SetPos(values.slowDownTweak);
    ShowTweak(slider.Pos());

    SetButtonIcon(IDI_BROWSE, kBrowseButtons);
    win::ComboBox modes(Item(IDC_PREF_DOSBOX_MODE));
    for (const char* mode : kDosBoxModes) modes.Add(mode);
    modes.Select(values.dosBoxMode >= 0 && values.dosBoxMode <= 2 ? values.dosBoxMode : 1);
    LimitText(IDC_PREF_DOSBOX_PATH, MAX_PATH - 1);
    SetItemText(IDC_PREF_DOSBOX_PATH, values.dosBoxPath);
    win::ComboBox screens(Item(IDC_PREF_DOSBOX_SCREEN));
    for (const char* screen : kDosBoxScreens) screens.Add(screen);
    screens.Select(values.dosBoxScreen >= 0 && values.dosBoxScreen <= 2 ? values.dosBoxScreen : 0);
    SetChecked(IDC_PREF_DOSBOX_KEEPOPEN, values.dosBoxKeepOpen);
    ShowFlavour();

    LimitText(IDC_PREF_MAXGAMES, 5);
    win::UpDown spin(Item(IDC_PREF_MAXGAMES_SPIN));
    spin.SetRange(kDefaultMaxGames, kMostMaxGames);
    // A click steps by a hundred, a held arrow by a thousand after two seconds.
    UDACCEL steps[] = {{0, 100}, {2, 1000}};
    spin.SetSteps(steps, 2);
    SetItemText(IDC_PREF_MAXGAMES, Format("%d", ClampMaxGames(static_cast<unsigned long>(values.maxGames))));
    return true;
}

void PreferencesDialog::OnCommand(int id, int code, HWND) {
    if (id == IDC_PREF_VERIFY && code == BN_CLICKED) OnVerifyClicked();
    if (id == IDC_PREF_DOSBOX_BROWSE && code == BN_CLICKED) BrowseDosBox();
    if (id == IDC_PREF_DOSBOX_PATH && code == EN_CHANGE) ShowFlavour();
}

LRESULT PreferencesDialog::OnNotify(int id, NMHDR& hdr) {
    // The slider is drawn on every move, dragging included.
    if (id == IDC_PREF_TWEAK && hdr.code == NM_CUSTOMDRAW) TakeSliderPosition();
    return CDRF_DODEFAULT;
}

bool PreferencesDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
    // Keyboard and mouse moves report themselves here too, before the redraw.
    if (msg == WM_HSCROLL && reinterpret_cast<HWND>(lp) == Item(IDC_PREF_TWEAK)) {
        TakeSliderPosition();
        result = 0;
        return true;
    }
    return SkinnedDialog::OnMessage(msg, wp, lp, result);
}

void PreferencesDialog::TakeSliderPosition() {
    const int tweak = win::Trackbar(Item(IDC_PREF_TWEAK)).Pos();
    ShowTweak(tweak);
    if (tweak == values.slowDownTweak) return;
    values.slowDownTweak = tweak;
    if (tweakChanged) tweakChanged(tweak);
}

void PreferencesDialog::ShowTweak(int tweak) {
    std::string text = Format("= %d", tweak);
    if (text == _shownTweak) return;
    _shownTweak = text;
    // Hidden while the text changes, so that the background under the
    // transparent label is painted again when it shows.
    HWND label = Item(IDC_PREF_TWEAK_VALUE);
    ShowWindow(label, SW_HIDE);
    SetWindowTextA(label, text.c_str());
    ShowWindow(label, SW_SHOW);
}

void PreferencesDialog::OnVerifyClicked() {
    values.verifyOnReload = IsChecked(IDC_PREF_VERIFY);
    if (verifyChanged) verifyChanged(values.verifyOnReload);
}

void PreferencesDialog::BrowseDosBox() {
    win::OpenFileRequest request;
    request.owner = Handle();
    request.title = "Please select the DOSBox program...";
    request.filter = "Programs (*.exe)|*.exe|All files (*.*)|*.*||";
    const std::string path = ItemText(IDC_PREF_DOSBOX_PATH, MAX_PATH - 1);
    request.initialDir = path.substr(0, path.find_last_of('\\') == std::string::npos ? 0 : path.find_last_of('\\'));
    request.flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    std::string chosen;
    if (win::Ui().PickFile(request, chosen)) SetItemText(IDC_PREF_DOSBOX_PATH, chosen);
}

// Which flavour the program in the box is, and how that was told; nothing for
// an empty box or a file that is not there.
void PreferencesDialog::ShowFlavour() {
    const std::string path = ItemText(IDC_PREF_DOSBOX_PATH, MAX_PATH - 1);
    const std::string text = !path.empty() && FileExists(path) ? FlavourText(IdentifyDosBox(path)) : "";
    HWND label = Item(IDC_PREF_DOSBOX_FLAVOUR);
    if (win::WindowText(label) == text) return;
    // Hidden while the text changes, as the slider's label.
    ShowWindow(label, SW_HIDE);
    SetWindowTextA(label, text.c_str());
    ShowWindow(label, SW_SHOW);
}

// The maximum of games as typed; anything but a number from 512 to 20,000
// keeps the dialog open.
bool PreferencesDialog::TakeMaxGames() {
    int maxGames = 0;
    if (!ParseMaxGames(ItemText(IDC_PREF_MAXGAMES, 16), maxGames)) {
        win::Ui().ShowMessage(Handle(),
                              Format("The list shows from %d to %d games. Please enter a number in that range.",
                                     kDefaultMaxGames, kMostMaxGames),
                              kAppName, MB_OK | MB_ICONSTOP);
        SetFocus(Item(IDC_PREF_MAXGAMES));
        return false;
    }
    values.maxGames = maxGames;
    return true;
}

// The DOSBox preferences as the controls hold them; a program that cannot be
// DOSBox keeps the dialog open.
bool PreferencesDialog::TakeDosBox() {
    const std::string path = ItemText(IDC_PREF_DOSBOX_PATH, MAX_PATH - 1);
    if (!path.empty() && !IsDosBoxProgram(path, RunsUnderWine())) {
        win::Ui().ShowMessage(Handle(),
                              Format("This is not a Windows program, so it cannot be DOSBox:\n%s\n\nPlease choose "
                                     "DOSBox's program (DOSBox.exe or dosbox-x.exe), or leave the box empty so that "
                                     "Quillon Loader looks for DOSBox when it starts.",
                                     path.c_str()),
                              kAppName, MB_OK | MB_ICONSTOP);
        SetFocus(Item(IDC_PREF_DOSBOX_PATH));
        return false;
    }
    const int mode = win::ComboBox(Item(IDC_PREF_DOSBOX_MODE)).Selected();
    values.dosBoxMode = mode >= 0 && mode <= 2 ? mode : 1;
    values.dosBoxPath = path;
    const int screen = win::ComboBox(Item(IDC_PREF_DOSBOX_SCREEN)).Selected();
    values.dosBoxScreen = screen >= 0 && screen <= 2 ? screen : 0;
    values.dosBoxKeepOpen = IsChecked(IDC_PREF_DOSBOX_KEEPOPEN);
    return true;
}

Preferences AskPreferences(HWND owner, const Preferences& current, std::function<void(int)> tweakChanged,
                           std::function<void(bool)> verifyChanged) {
    PreferencesDialog dialog;
    dialog.values = current;
    dialog.tweakChanged = std::move(tweakChanged);
    dialog.verifyChanged = std::move(verifyChanged);
    win::Ui().RunModal(dialog, owner);
    return dialog.values;
}
