// Choosing between Windows and DOSBox.
#include "launch/LaunchRoute.h"
#include "launch/HostPath.h"
#include <windows.h>

DosBoxMode DosBoxModeOf(unsigned long stored) {
    if (stored == 0) return DosBoxMode::Never;
    if (stored == 2) return DosBoxMode::Always;
    return DosBoxMode::WhereNeeded;
}

LaunchRoute ChooseLaunchRoute(DosBoxMode mode, RunWith choice, bool windowsRunsDos, ProgramKind kind) {
    if (kind != ProgramKind::Dos) return LaunchRoute::Windows;
    switch (choice) {
        case RunWith::Windows: return LaunchRoute::Windows;
        case RunWith::DosBox: return LaunchRoute::DosBox;
        case RunWith::Default: break;
    }
    switch (mode) {
        case DosBoxMode::Never: return LaunchRoute::Windows;
        case DosBoxMode::Always: return LaunchRoute::DosBox;
        case DosBoxMode::WhereNeeded: break;
    }
    return windowsRunsDos ? LaunchRoute::Windows : LaunchRoute::DosBox;
}

bool WindowsRunsDosPrograms() {
#if defined(_WIN64)
    return false;
#else
    if (RunsUnderWine()) return false;
    using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64 =
        reinterpret_cast<IsWow64Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    if (isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64) return false;
    return true;
#endif
}
