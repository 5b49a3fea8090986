// Wine's names for the host's files.
#include "launch/HostPath.h"
#include <windows.h>
#include <vector>

bool RunsUnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

bool HostPathOf(const std::string& windowsPath, std::string& hostPath) {
    using UnixNameFn = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    hostPath.clear();
    if (!unixName) {
        hostPath = windowsPath;
        return true;
    }
    const int n = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    if (windowsPath.empty() || n <= 0) return false;
    std::vector<wchar_t> wide(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), n);
    char* name = unixName(wide.data());
    if (!name) return false;
    hostPath = name;
    HeapFree(GetProcessHeap(), 0, name);
    return true;
}
