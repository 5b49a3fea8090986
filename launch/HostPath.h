// The host system under Wine: whether this program runs there, and the host's
// name of a Windows path, for a DOSBox of the host (Z:\usr\bin\dosbox), which
// reads host paths in its configuration.
#pragma once
#include <string>

// True under Wine (ntdll exports wine_get_version), on any architecture.
bool RunsUnderWine();

// The host's path of |windowsPath| as Wine names it (kernel32's
// wine_get_unix_file_name, looked up at run time: "C:\GAMES" may become
// "/home/x/.wine/drive_c/GAMES", "Z:\usr\bin" is "/usr/bin"), in the host's
// encoding. Where that function is absent (Windows) the path stays as it is.
// False, with |hostPath| empty, where Wine cannot name it.
bool HostPathOf(const std::string& windowsPath, std::string& hostPath);
