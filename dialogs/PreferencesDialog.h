// The preferences: verify games when the list is reloaded, and the CPU
// slow-down tweak. Every change takes effect at once; there is no Cancel.
#pragma once
#include "widgets/SkinnedDialog.h"
#include <functional>

struct Preferences {
    bool verifyOnReload = true;
    int slowDownTweak = 4;  // 0 to 10 on the slider
    // Shown nowhere: the template keeps hidden, disabled boxes for them.
    bool individualUpdating = false;
    bool confirmDelete = true;
    bool spanish = false;
};

class PreferencesDialog final : public SkinnedDialog {
public:
    static constexpr int kMaxTweak = 10;

    Preferences values;  // in: the current preferences; out: as the dialog leaves them
    // Called with each new slider position as it happens, so that a running
    // slow-down follows at once. May be empty.
    std::function<void(int)> tweakChanged;

    PreferencesDialog();

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    LRESULT OnNotify(int id, NMHDR& hdr) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

    void TakeSliderPosition();
    void ShowTweak(int tweak);
    void OnVerifyClicked();

    std::string _shownTweak;
};

// Runs the dialog through the user-interface seam and returns the preferences
// as it leaves them: OK and Escape both keep every change. "ReloadVerify" is
// written to the registry at each click of its box; the tweak is only handed
// back (the caller stores it as "SlowDownTweak" when the program closes).
Preferences AskPreferences(HWND owner, const Preferences& current, std::function<void(int)> tweakChanged = {});
