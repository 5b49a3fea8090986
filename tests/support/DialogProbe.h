// Helpers for tests that drive a dialog in-process and read back the files it writes.
#pragma once
#include "TestEnv.h"
#include "win/Dialog.h"
#include <string>

inline std::string FileText(const std::string& path) {
    const std::vector<char> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
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
