// Desktop shortcuts to game files, saved through the shell link object.
#pragma once
#include <windows.h>
#include <string>

// The shortcut's file name for a game title: the title with every character
// that a file name cannot hold (\ / : * ? " < > | and control characters)
// replaced by '_', then ".qgf.lnk". A title that names a device (CON, PRN,
// AUX, NUL, COM1-9, LPT1-9) gets a leading '_', an empty one becomes "_".
std::string ShortcutFileName(const std::string& title);

// Saves a shortcut at |linkPath| that points to |target| (made a full path)
// with |description|. Initialises COM for the call. False on any failure.
bool SaveShellLink(const std::string& linkPath, const std::string& target, const std::string& description);

// The desktop folder of the user (CSIDL_DESKTOPDIRECTORY), not created when
// missing. SHGetSpecialFolderPathA is looked up when called: the shell of
// Windows 95 and NT 4 as they shipped lacks it (it came with Internet Explorer
// 4's desktop), and importing it would keep the program from starting there.
// Without it, the folder's item list is turned into a path instead.
bool DesktopFolderPath(HWND owner, std::string& path);
// The way without SHGetSpecialFolderPathA, on its own.
bool DesktopFolderFromItemList(HWND owner, std::string& path);
