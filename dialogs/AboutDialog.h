// The About box: the product, its version and the running Windows version.
#pragma once
#include "win/Dialog.h"
#include <optional>
#include <string>

// What GetVersionExA reports.
struct WindowsVersion {
    DWORD platform = 0;  // VER_PLATFORM_WIN32_WINDOWS (1) or VER_PLATFORM_WIN32_NT (2)
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;  // on the Windows 9x family only its low word is the build
    std::string servicePack;
};

// The running system's version; nullopt when Windows does not tell.
std::optional<WindowsVersion> QueryWindowsVersion();
// "95", "98", "98SE", "Me", "NT", "2000", "XP", "XP+", "XP (?)", "3.1", or empty.
std::string WindowsName(const WindowsVersion& version);
// "Windows XP v5.1 Build 2600 Service Pack 2".
std::string WindowsVersionLine(const WindowsVersion& version);

class AboutDialog final : public win::Dialog {
public:
    // In: the version to describe; nullopt keeps the template's text.
    std::optional<WindowsVersion> windows;

    AboutDialog();

private:
    bool OnInit() override;
};

// Shows the About box for the running system, through the user-interface seam.
void ShowAboutBox(HWND owner);
