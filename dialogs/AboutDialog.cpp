// The About box.
#include "dialogs/AboutDialog.h"
#include "res/AboutDialogRes.h"
#include "win/Texts.h"
#include "win/UserInterface.h"

std::optional<WindowsVersion> QueryWindowsVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return std::nullopt;
    WindowsVersion version;
    version.platform = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.servicePack = info.szCSDVersion;
    return version;
}

std::string WindowsName(const WindowsVersion& version) {
    if (version.platform == VER_PLATFORM_WIN32_WINDOWS) {
        // 4.0 is 95, 4.10 is 98 (build 2222 and later: the Second Edition), 4.90 is Me.
        switch (version.minor) {
            case 0: return "95";
            case 10: return LOWORD(version.build) >= 2222 ? "98SE" : "98";
            case 90: return "Me";
            default: return "";
        }
    }
    if (version.platform == VER_PLATFORM_WIN32_NT) {
        if (version.major < 4) return "";
        if (version.major == 4) return "NT";
        switch (version.minor) {
            case 0: return "2000";
            case 1: return "XP";
            case 2: return "XP+";
            default: return "XP (?)";
        }
    }
    return "3.1";
}

std::string WindowsVersionLine(const WindowsVersion& version) {
    // The Windows 9x family keeps the major and minor version in the build's high word.
    const DWORD build = version.platform == VER_PLATFORM_WIN32_WINDOWS ? LOWORD(version.build) : version.build;
    return Format("Windows %s v%lu.%lu Build %lu %s", WindowsName(version).c_str(),
                  static_cast<unsigned long>(version.major), static_cast<unsigned long>(version.minor),
                  static_cast<unsigned long>(build), version.servicePack.c_str());
}

AboutDialog::AboutDialog() : win::Dialog(IDD_ABOUTBOX) {}

bool AboutDialog::OnInit() {
    if (windows) SetItemText(IDC_ABOUT_WINDOWS, WindowsVersionLine(*windows));
    return true;
}

void ShowAboutBox(HWND owner) {
    AboutDialog dialog;
    dialog.windows = QueryWindowsVersion();
    win::Ui().RunModal(dialog, owner);
}
