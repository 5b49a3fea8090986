// The preferences dialog: what it shows, the slider, the verify box and the choices stored at close.
#include "MainWindowFixture.h"
#include "dialogs/PreferencesDialog.h"
#include "res/PreferencesDialogRes.h"
#include "state/Settings.h"
#include <gtest/gtest.h>

namespace {

HWND ItemOf(win::Dialog& dialog, int id) { return GetDlgItem(dialog.Handle(), id); }
void Click(win::Dialog& dialog, int id) { SendMessageA(ItemOf(dialog, id), BM_CLICK, 0, 0); }
void Send(win::Dialog& dialog, int id) { SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
int Tweak(win::Dialog& dialog) {
    return static_cast<int>(SendMessageA(ItemOf(dialog, IDC_PREF_TWEAK), TBM_GETPOS, 0, 0));
}
void SliderKey(win::Dialog& dialog, UINT key) {
    SendMessageA(ItemOf(dialog, IDC_PREF_TWEAK), WM_KEYDOWN, key, 0);
    SendMessageA(ItemOf(dialog, IDC_PREF_TWEAK), WM_KEYUP, key, 0);
}

class PreferencesTest : public MainWindowFixture {};

TEST_F(PreferencesTest, OpeningShowsTheCurrentPreferencesAndTheSliderSetsTheTweakAtOnce) {
    for (const auto& [current, language] :
         {std::pair{Preferences{true, 4, false, true, 0, "", 2, false}, Language::English},
          {Preferences{false, 10, true, false, 2, "C:\\DOSBox\\DOSBox.exe", 1, true, 20000}, Language::Spanish}}) {
        SetLanguage(language);
        PreferencesDialog dialog;
        dialog.values = current;
        ASSERT_TRUE(dialog.Create(nullptr));
        EXPECT_EQ(Tweak(dialog), current.slowDownTweak);
        EXPECT_EQ(win::WindowText(ItemOf(dialog, IDC_PREF_TWEAK_VALUE)), "= " + std::to_string(current.slowDownTweak));
        const std::pair<int, bool> boxes[] = {{IDC_PREF_VERIFY, current.verifyOnReload},
                                              {IDC_PREF_INDIVIDUAL, current.individualUpdating},
                                              {IDC_PREF_CONFIRMDELETE, current.confirmDelete},
                                              {IDC_PREF_SPANISH, language == Language::Spanish},
                                              {IDC_PREF_DOSBOX_KEEPOPEN, current.dosBoxKeepOpen}};
        for (const auto& [box, checked] : boxes)
            EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), box) == BST_CHECKED, checked) << box;
        EXPECT_EQ(SendMessageA(ItemOf(dialog, IDC_PREF_DOSBOX_MODE), CB_GETCURSEL, 0, 0), current.dosBoxMode);
        EXPECT_EQ(SendMessageA(ItemOf(dialog, IDC_PREF_DOSBOX_SCREEN), CB_GETCURSEL, 0, 0), current.dosBoxScreen);
        EXPECT_EQ(win::WindowText(ItemOf(dialog, IDC_PREF_DOSBOX_PATH)), current.dosBoxPath);
        EXPECT_EQ(win::WindowText(ItemOf(dialog, IDC_PREF_DOSBOX_FLAVOUR)), "") << "no program there";
        EXPECT_EQ(win::WindowText(ItemOf(dialog, IDC_PREF_MAXGAMES)), std::to_string(current.maxGames));
    }
    std::vector<int> reported;
    PreferencesDialog dialog;
    dialog.values.slowDownTweak = 4;
    dialog.tweakChanged = [&reported](int tweak) { reported.push_back(tweak); };
    ASSERT_TRUE(dialog.Create(nullptr));
    ShowWindow(dialog.Handle(), SW_SHOWNOACTIVATE);
    auto tweak = [&dialog] {
        return std::to_string(dialog.values.slowDownTweak) + win::WindowText(ItemOf(dialog, IDC_PREF_TWEAK_VALUE));
    };
    SliderKey(dialog, VK_END);
    SliderKey(dialog, VK_LEFT);
    EXPECT_EQ(tweak(), "9= 9");
    EXPECT_EQ(reported, (std::vector<int>{10, 9}));
    // A position set without a move notification is taken once the slider is drawn.
    UpdateWindow(dialog.Handle());
    SendMessageA(ItemOf(dialog, IDC_PREF_TWEAK), TBM_SETPOS, TRUE, 7);
    UpdateWindow(ItemOf(dialog, IDC_PREF_TWEAK));
    EXPECT_EQ(tweak(), "7= 7");
    Send(dialog, IDCANCEL);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(dialog.values.slowDownTweak, 7) << "Escape undoes nothing";
}

TEST_F(PreferencesTest, VerifyOnReloadIsWrittenAndUsedAtOnce) {
    AddGame(MakeGame("Listed", "p", "c", folder, "none.exe"));
    Start();
    ASSERT_EQ(List().Image(0), 2) << "verified";
    DWORD storedWhileOpen = 99, stored = 99;
    ui.modalScripts.push_back([&](win::Dialog& d, HWND owner) -> INT_PTR {
        d.Create(owner);
        EXPECT_TRUE(IsDlgButtonChecked(d.Handle(), IDC_PREF_VERIFY));
        Click(d, IDC_PREF_VERIFY);
        ReadSettingValue(setting::kReloadVerify, storedWhileOpen);
        d.End(IDOK);
        return IDOK;
    });
    Command(IDM_PREFERENCES);
    ReadSettingValue(setting::kReloadVerify, stored);
    EXPECT_EQ(storedWhileOpen + stored, 0u) << "written before the dialog closed";
    Command(IDM_REFRESH);
    EXPECT_EQ(List().Image(0), 7) << "used at once";
}

// DOSBox found at start-up when the one set is gone, refused when not a program, browsed
// (under Wine a host program too); the maximum of games checked and used at once; stored at close.
TEST_F(PreferencesTest, TheChoicesAreStoredAtClose) {
    const std::string found = folder + "\\Programs\\DOSBox-0.74-3\\DOSBox.exe";
    CreateDirectoryA((folder + "\\Programs").c_str(), nullptr);
    CreateDirectoryA((folder + "\\Programs\\DOSBox-0.74-3").c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), found.c_str(), FALSE));
    WriteSettingString(setting::kDosBoxPath, folder + "\\gone\\DOSBox.exe");
    Start();
    std::string stored;
    EXPECT_TRUE(ReadSettingString(setting::kDosBoxPath, stored) && stored == found) << stored;
    const std::string notAProgram = folder + "\\DOSBox.exe";
    WriteFileText(notAProgram, "MZ");
    std::string shown, flavours, maxShown;
    int tweakShown = -1;
    bool keptOpen = false, keptForTheMaximum = false;
    AddGame(MakeGame("Added Since"));  // shown once the new maximum fills the list again
    const std::string hostShell = "Z:\\bin\\sh";
    ui.fileAnswers.push_back(hostShell);
    ui.modalScripts.push_back([&](win::Dialog& d, HWND owner) -> INT_PTR {
        d.Create(owner);
        ShowWindow(d.Handle(), SW_SHOWNOACTIVATE);
        shown = win::WindowText(ItemOf(d, IDC_PREF_DOSBOX_PATH));
        flavours = win::WindowText(ItemOf(d, IDC_PREF_DOSBOX_FLAVOUR));
        tweakShown = Tweak(d);
        SliderKey(d, VK_END);
        SendMessageA(ItemOf(d, IDC_PREF_DOSBOX_MODE), CB_SETCURSEL, 2, 0);
        SendMessageA(ItemOf(d, IDC_PREF_DOSBOX_SCREEN), CB_SETCURSEL, 1, 0);
        SetWindowTextA(ItemOf(d, IDC_PREF_DOSBOX_PATH), notAProgram.c_str());
        Click(d, IDC_PREF_DOSBOX_KEEPOPEN);
        maxShown = win::WindowText(ItemOf(d, IDC_PREF_MAXGAMES));
        SetWindowTextA(ItemOf(d, IDC_PREF_MAXGAMES), "511");
        Send(d, IDOK);
        keptForTheMaximum = !d.Ended() && GetFocus() == ItemOf(d, IDC_PREF_MAXGAMES);
        SetWindowTextA(ItemOf(d, IDC_PREF_MAXGAMES), "600");
        Send(d, IDCANCEL);
        keptOpen = !d.Ended();
        Click(d, IDC_PREF_DOSBOX_BROWSE);
        flavours += "|" + win::WindowText(ItemOf(d, IDC_PREF_DOSBOX_FLAVOUR));
        Send(d, IDOK);
        return IDOK;
    });
    Command(IDM_PREFERENCES);
    EXPECT_EQ(std::make_pair(shown, tweakShown), std::make_pair(found, 4)) << "the path found and the tweak in use";
    EXPECT_EQ(flavours, "Recognised: DOSBox 0.74, by its file name|Not recognised: it gets the settings of DOSBox 0.74");
    EXPECT_EQ(FlavourText({DosBoxFlavour::Staging, FlavourSource::VersionResource}),
              "Recognised: DOSBox Staging, by its version resource");
    EXPECT_TRUE(keptOpen) << "not a Windows program: refused, also on Escape";
    EXPECT_EQ(maxShown, "512");
    EXPECT_TRUE(keptForTheMaximum);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].text, "The list shows from 512 to 20000 games. Please enter a number in that range.");
    EXPECT_EQ(ui.Messages()[1].text.substr(0, 55), "This is not a Windows program, so it cannot be DOSBox:\n");
    EXPECT_NE(List().Find("Added Since"), -1) << "a new maximum fills the list again";
    EXPECT_EQ(ui.Calls(UiCall::File).at(0).params, folder) << "the browser starts in the folder typed";
    CloseWindow();
    std::vector<DWORD> values;
    for (const char* name : {setting::kDosBoxMode, setting::kDosBoxScreen, setting::kDosBoxKeepOpen,
                             setting::kSlowDownTweak, setting::kMaxGames})
        EXPECT_TRUE(ReadSettingValue(name, values.emplace_back())) << name;
    EXPECT_EQ(values, (std::vector<DWORD>{2, 1, 1, 10, 600}));
    EXPECT_TRUE(ReadSettingString(setting::kDosBoxPath, stored) && stored == hostShell) << stored;
}

}  // namespace
