// The preferences dialog: what it shows, the slider and its label, the verify
// box written and used at once, and the tweak surviving into the next start.
#include "MainWindowFixture.h"
#include "app/Settings.h"
#include "dialogs/PreferencesDialog.h"
#include "res/PreferencesDialogRes.h"
#include <gtest/gtest.h>

namespace {

HWND ItemOf(win::Dialog& dialog, int id) { return GetDlgItem(dialog.Handle(), id); }

bool Shown(HWND control) { return (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

void Click(win::Dialog& dialog, int id) { SendMessageA(ItemOf(dialog, id), BM_CLICK, 0, 0); }

void SliderKey(win::Dialog& dialog, UINT key) {
    HWND slider = ItemOf(dialog, IDC_PREF_TWEAK);
    SendMessageA(slider, WM_KEYDOWN, key, 0);
    SendMessageA(slider, WM_KEYUP, key, 0);
}

DWORD StoredReloadVerify() {
    DWORD value = 99;  // unread
    ReadSettingValue(setting::kReloadVerify, value);
    return value;
}

class PreferencesTest : public MainWindowFixture {};

TEST_F(PreferencesTest, OpeningShowsTheCurrentPreferences) {
    for (const Preferences& current : {Preferences{true, 4, false, true, false, 0, "", true, false},
                                       Preferences{false, 10, true, false, true, 2, "C:\\DOSBox\\DOSBox.exe", false, true}}) {
        PreferencesDialog dialog;
        dialog.values = current;
        ASSERT_TRUE(dialog.Create(nullptr));
        EXPECT_EQ(SendMessageA(ItemOf(dialog, IDC_PREF_TWEAK), TBM_GETPOS, 0, 0), current.slowDownTweak);
        EXPECT_EQ(win::WindowText(ItemOf(dialog, IDC_PREF_TWEAK_VALUE)), "= " + std::to_string(current.slowDownTweak));
        const std::pair<int, bool> boxes[] = {{IDC_PREF_VERIFY, current.verifyOnReload},
                                              {IDC_PREF_INDIVIDUAL, current.individualUpdating},
                                              {IDC_PREF_CONFIRMDELETE, current.confirmDelete},
                                              {IDC_PREF_SPANISH, current.spanish},
                                              {IDC_PREF_DOSBOX_FULLSCREEN, current.dosBoxFullScreen},
                                              {IDC_PREF_DOSBOX_KEEPOPEN, current.dosBoxKeepOpen}};
        for (const auto& [box, checked] : boxes) {
            EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), box) == BST_CHECKED, checked) << box;
            EXPECT_EQ(Shown(ItemOf(dialog, box)), box == IDC_PREF_VERIFY || box > IDC_PREF_DOSBOX_PATH) << box;
        }
        EXPECT_EQ(SendMessageA(ItemOf(dialog, IDC_PREF_DOSBOX_MODE), CB_GETCURSEL, 0, 0), current.dosBoxMode);
        EXPECT_EQ(win::WindowText(ItemOf(dialog, IDC_PREF_DOSBOX_PATH)), current.dosBoxPath);
        EXPECT_TRUE(Shown(ItemOf(dialog, IDC_PREF_EMS)) && !IsWindowEnabled(ItemOf(dialog, IDC_PREF_EMS)));
    }
}

TEST_F(PreferencesTest, TheSliderSetsTheTweakAtOnceAndEscapeKeepsIt) {
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
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(dialog.values.slowDownTweak, 7) << "Escape undoes nothing";
}

TEST_F(PreferencesTest, VerifyOnReloadIsWrittenAndUsedAtOnce) {
    AddGame(MakeGame("Listed", "p", "c", folder, "none.exe"));
    Start();
    ASSERT_EQ(List().Image(0), 2) << "verified";
    DWORD storedWhileOpen = 99;
    ui.modalScripts.push_back([&](win::Dialog& d, HWND owner) -> INT_PTR {
        EXPECT_EQ(d.TemplateId(), IDD_PREFERENCES);
        d.Create(owner);
        EXPECT_TRUE(IsDlgButtonChecked(d.Handle(), IDC_PREF_VERIFY));
        Click(d, IDC_PREF_VERIFY);
        storedWhileOpen = StoredReloadVerify();
        d.End(IDOK);
        return IDOK;
    });
    Command(IDM_PREFERENCES);
    EXPECT_EQ(storedWhileOpen + StoredReloadVerify(), 0u) << "written before the dialog closed";
    Command(IDM_REFRESH);
    EXPECT_EQ(List().Image(0), 7) << "used at once";
}

TEST_F(PreferencesTest, TheTweakIsStoredAtCloseAndUsedAtTheNextStart) {
    Start();
    int shown = -1;
    auto moveToEnd = [&shown](win::Dialog& d, HWND owner) -> INT_PTR {
        d.Create(owner);
        ShowWindow(d.Handle(), SW_SHOWNOACTIVATE);
        shown = static_cast<int>(SendMessageA(ItemOf(d, IDC_PREF_TWEAK), TBM_GETPOS, 0, 0));
        SliderKey(d, VK_END);
        d.End(IDOK);
        return IDOK;
    };
    ui.modalScripts.push_back(moveToEnd);
    Command(IDM_PREFERENCES);
    EXPECT_EQ(shown, 4) << "the tweak in use";

    CloseWindow();
    DWORD stored = 0;
    EXPECT_TRUE(ReadSettingValue(setting::kSlowDownTweak, stored) && stored == 10u) << stored;
    Discard();
    Start();
    ui.modalScripts.push_back(moveToEnd);
    Command(IDM_PREFERENCES);
    EXPECT_EQ(shown, 10) << "used at the next start";
}

}  // namespace

namespace {

std::string ThisProgram() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// DOSBox: found at start-up when the one set is gone, shown, refused when it
// is not a program, chosen with the browse button, and stored at close.
TEST_F(PreferencesTest, DosBoxIsFoundCheckedChosenAndStoredAtClose) {
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
    std::string shown;
    bool keptOpen = false;
    ui.fileAnswers.push_back(ThisProgram());
    ui.modalScripts.push_back([&](win::Dialog& d, HWND owner) -> INT_PTR {
        d.Create(owner);
        shown = win::WindowText(ItemOf(d, IDC_PREF_DOSBOX_PATH));
        SendMessageA(ItemOf(d, IDC_PREF_DOSBOX_MODE), CB_SETCURSEL, 2, 0);
        SetWindowTextA(ItemOf(d, IDC_PREF_DOSBOX_PATH), notAProgram.c_str());
        Click(d, IDC_PREF_DOSBOX_FULLSCREEN);
        Click(d, IDC_PREF_DOSBOX_KEEPOPEN);
        SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        keptOpen = !d.Ended();
        Click(d, IDC_PREF_DOSBOX_BROWSE);
        SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return IDOK;
    });
    Command(IDM_PREFERENCES);
    EXPECT_EQ(shown, found);
    EXPECT_TRUE(keptOpen) << "not a Windows program: refused, also on Escape";
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text.substr(0, 55), "This is not a Windows program, so it cannot be DOSBox:\n");
    EXPECT_EQ(ui.Calls(UiCall::File).at(0).params, folder) << "the browser starts in the folder typed";

    CloseWindow();
    DWORD mode = 0, fullScreen = 0, keepOpen = 0;
    EXPECT_TRUE(ReadSettingValue(setting::kDosBoxMode, mode) && ReadSettingValue(setting::kDosBoxFullScreen, fullScreen) &&
                ReadSettingValue(setting::kDosBoxKeepOpen, keepOpen) && ReadSettingString(setting::kDosBoxPath, stored));
    EXPECT_EQ((std::vector<std::string>{std::to_string(mode), std::to_string(fullScreen), std::to_string(keepOpen), stored}),
              (std::vector<std::string>{"2", "1", "1", ThisProgram()}));
}

}  // namespace
