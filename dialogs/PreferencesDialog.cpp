// The preferences dialog.
#include "dialogs/PreferencesDialog.h"
#include "app/Settings.h"
#include "app/Texts.h"
#include "res/PreferencesDialogRes.h"
#include "res/resource.h"
#include "win/UserInterface.h"

namespace {

// The one registry setting this dialog writes itself.
void StoreReloadVerify(bool on) { WriteSettingValue(setting::kReloadVerify, on ? 1 : 0); }

}  // namespace

PreferencesDialog::PreferencesDialog() : SkinnedDialog(IDD_PREFERENCES) {}

bool PreferencesDialog::OnInit() {
    SetBackground(IDB_DIALOGTILE, kTile);
    SetChecked(IDC_PREF_VERIFY, values.verifyOnReload);
    SetChecked(IDC_PREF_INDIVIDUAL, values.individualUpdating);
    SetChecked(IDC_PREF_CONFIRMDELETE, values.confirmDelete);
    SetChecked(IDC_PREF_SPANISH, values.spanish);
    HWND slider = Item(IDC_PREF_TWEAK);
    SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, kMaxTweak));
    SendMessageA(slider, TBM_SETPOS, TRUE, values.slowDownTweak);
    ShowTweak(static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0)));
    return true;
}

void PreferencesDialog::OnCommand(int id, int code, HWND) {
    if (id == IDC_PREF_VERIFY && code == BN_CLICKED) OnVerifyClicked();
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
    const int tweak = static_cast<int>(SendMessageA(Item(IDC_PREF_TWEAK), TBM_GETPOS, 0, 0));
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
    StoreReloadVerify(values.verifyOnReload);
}

Preferences AskPreferences(HWND owner, const Preferences& current, std::function<void(int)> tweakChanged) {
    PreferencesDialog dialog;
    dialog.values = current;
    dialog.tweakChanged = std::move(tweakChanged);
    win::Ui().RunModal(dialog, owner);
    return dialog.values;
}
