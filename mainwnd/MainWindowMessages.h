// The main window's private messages and its message texts shared by its files.
#pragma once
#include <windows.h>
#include <string>

// Posted by a selection change or a click on the list: shows the selected game
// once, however many notifications one mouse click sends.
constexpr UINT kShowSelectedMessage = WM_APP + 1;

// "Failed RegCreateKeyEx": the settings key could not be opened for reading and
// writing. Told without an owner, as a setting may be written at any moment.
void TellSettingsKeyFailed();
// Writes a string setting, telling the player when its key could not be opened.
void StoreSetting(const char* name, const std::string& text);
