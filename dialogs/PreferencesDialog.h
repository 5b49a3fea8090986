// The preferences: verify games when the list is reloaded, the most games the
// list shows, the CPU slow-down tweak, and DOSBox (when games go to it, its
// program and the flavour recognised in it, full screen or not, and whether it
// stays open after the game). There is no Cancel: Escape keeps the changes as
// OK does.
#pragma once
#include "data/GameFolder.h"
#include "launch/DosBoxFlavour.h"
#include "widgets/SkinnedDialog.h"
#include <functional>

struct Preferences {
    bool verifyOnReload = true;
    int slowDownTweak = 4;  // 0 to 10 on the slider
    // Shown nowhere: the template keeps hidden, disabled boxes for them (and
    // for the language of the messages).
    bool individualUpdating = false;
    bool confirmDelete = true;
    // "DOSBoxMode" 0 to 2, "DOSBoxPath" (empty: looked for at start-up),
    // "DOSBoxScreen" 0 to 2 (DosBoxScreen), "DOSBoxKeepOpen".
    int dosBoxMode = 1;
    std::string dosBoxPath;
    int dosBoxScreen = 0;
    bool dosBoxKeepOpen = false;
    int maxGames = kDefaultMaxGames;  // "MaxGames", 512 to 20,000
};

class PreferencesDialog final : public SkinnedDialog {
public:
    static constexpr int kMaxTweak = 10;

    Preferences values;  // in: the current preferences; out: as the dialog leaves them
    // Called with each new slider position as it happens, so that a running
    // slow-down follows at once. May be empty.
    std::function<void(int)> tweakChanged;
    // Called at each click of "Verify games on reload.", which is stored at once.
    std::function<void(bool)> verifyChanged;

    PreferencesDialog();

private:
    bool OnInit() override;
    void OnCommand(int id, int code, HWND ctl) override;
    LRESULT OnNotify(int id, NMHDR& hdr) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
    bool OnOK() override { return TakeMaxGames() && TakeDosBox(); }
    bool OnCancel() override { return TakeMaxGames() && TakeDosBox(); }

    void TakeSliderPosition();
    void ShowTweak(int tweak);
    void OnVerifyClicked();
    void BrowseDosBox();
    void ShowFlavour();
    bool TakeDosBox();
    bool TakeMaxGames();

    std::string _shownTweak;
};

// The line under the DOSBox program: which flavour it is and how that was told.
std::string FlavourText(const DosBoxIdentity& identity);

// Runs the dialog through the user-interface seam and returns the preferences
// as it leaves them: OK and Escape both keep every change (a maximum of games
// outside 512 to 20,000, and a DOSBox program that is no Windows program, nor
// under Wine a program of the host, are refused first). |verifyChanged| gets each
// click of the verify box; the caller stores the rest when the program closes.
Preferences AskPreferences(HWND owner, const Preferences& current, std::function<void(int)> tweakChanged = {},
                           std::function<void(bool)> verifyChanged = {});
