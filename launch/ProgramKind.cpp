// Telling Windows programs from DOS programs.
#include "launch/ProgramKind.h"
#include "data/Strings.h"
#include <cstdint>
#include <cstdio>
#include <cstring>

bool IsWindowsProgram(const std::string& path) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return false;
    unsigned char header[0x40] = {};
    unsigned char signature[4] = {};
    bool pe = false;
    if (fread(header, 1, sizeof header, f) == sizeof header && header[0] == 'M' && header[1] == 'Z') {
        const uint32_t offset = header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 |
                                static_cast<uint32_t>(header[0x3F]) << 24;
        pe = offset < 0x10000000 && fseek(f, static_cast<long>(offset), SEEK_SET) == 0 &&
             fread(signature, 1, sizeof signature, f) == sizeof signature &&
             std::memcmp(signature, "PE\0\0", 4) == 0;
    }
    fclose(f);
    return pe;
}

ProgramKind KindOfProgram(const std::string& path) {
    if (IsWindowsProgram(path)) return ProgramKind::Windows;
    const size_t dot = path.rfind('.');
    const size_t slash = path.find_last_of("\\/");
    const std::string extension = dot == std::string::npos || (slash != std::string::npos && dot < slash)
                                      ? std::string()
                                      : path.substr(dot);
    for (const char* dos : {".com", ".exe", ".bat"})
        if (EqualNoCase(extension, dos)) return ProgramKind::Dos;
    return ProgramKind::Other;
}
