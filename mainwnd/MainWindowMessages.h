// The main window's private messages and its message texts shared by its files.
#pragma once
#include <windows.h>

// Posted by a selection change or a click on the list: shows the selected game
// once, however many notifications one mouse click sends.
constexpr UINT kShowSelectedMessage = WM_APP + 1;
