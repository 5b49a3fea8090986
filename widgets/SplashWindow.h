// The splash picture (bitmap 140) shown centred over the main window for about
// a second while the program starts.
#pragma once
#include <windows.h>

// Start-up turns the splash off when it must not show; it is on otherwise.
void SetSplashEnabled(bool enabled);
bool SplashEnabled();

// Shows bitmap 140 of |resources| (null: the executable) in a borderless
// window owned by |parent| and centred over it. It destroys itself at the
// first tick of its one-second timer, once messages are processed, and then
// repaints |parent| at once. Does nothing when the splash is off or one is
// already shown; without the bitmap nothing shows and nothing is reported.
void ShowSplashWindow(HWND parent, HINSTANCE resources = nullptr);

// The splash window now shown, or null.
HWND CurrentSplashWindow();
