// Quillon Loader's entry point: the main window, run until it closes.
#include "mainwnd/MainWindow.h"
#include <windows.h>
#include <commctrl.h>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    InitCommonControls();  // present in every comctl32, unlike InitCommonControlsEx
    // The command line as the shell gives it: a game file path, maybe quoted.
    std::string args = commandLine ? commandLine : "";
    while (!args.empty() && args.back() == ' ') args.pop_back();
    MainWindow window(args);
    return window.Run();
}
