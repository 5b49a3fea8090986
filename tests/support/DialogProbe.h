// Helpers for tests that drive a dialog in-process and read back the files it writes.
#pragma once
#include "DialogItems.h"
#include "TestEnv.h"
#include "data/GameFile.h"
#include "win/Dialog.h"
#include <memory>
#include <string>

// The game record in a file; one that does not load fails the test.
inline GameRecord GameAt(const std::string& path) {
    GameRecord g{};
    EXPECT_EQ(ReadGameRecord(path, g), GameFileStatus::Ok) << path;
    return g;
}

inline HWND ItemOf(const win::Dialog& dialog, int id) { return GetDlgItem(dialog.Handle(), id); }
inline std::string ItemText(const win::Dialog& dialog, int id) { return win::WindowText(ItemOf(dialog, id)); }
inline bool Checked(const win::Dialog& dialog, int id) {
    return IsDlgButtonChecked(dialog.Handle(), id) == BST_CHECKED;
}

// A button pressed, as the dialog's own command.
inline void Press(const win::Dialog& dialog, int id) {
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// The dialog fixture: a fake user, a private folder and the dialog under test,
// made by Make (fields may be set then) and shown modeless by Open.
template <class D>
class DialogTest : public ::testing::Test {
protected:
    template <class... Args>
    D& Make(Args&&... args) {
        dialog = std::make_unique<D>(std::forward<Args>(args)...);
        return *dialog;
    }
    template <class... Args>
    HWND Open(Args&&... args) {
        return Make(std::forward<Args>(args)...).Create(nullptr);
    }
    HWND Item(int id) const { return GetDlgItem(dialog->Handle(), id); }
    void Set(int id, const std::string& text) { SetWindowTextA(Item(id), text.c_str()); }
    std::string Get(int id) const { return win::WindowText(Item(id), 4096); }
    void Click(int id) { Press(*dialog, id); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Ticked(int id) const { return Checked(*dialog, id); }
    Strings Rows(int id) const { return BoxItems(Item(id)); }

    FakeUi ui;
    TempFolder temp{"dialog"};
    const std::string folder = temp.path;
    std::unique_ptr<D> dialog;
};
