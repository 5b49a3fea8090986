// Telling Windows programs from DOS programs and host programs.
#include "launch/ProgramKind.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include <windows.h>
#include <cstdint>
#include <cstring>

namespace {

// Reads |size| bytes at |offset| of a disk file; false for a device, a pipe or
// anything shorter, whose reads might never end or come back short.
bool ReadAt(const std::string& path, uint32_t offset, void* bytes, DWORD size) {
    if (path.empty() || HasDeviceStep(path)) return false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD got = 0;
    const bool read = GetFileType(file) == FILE_TYPE_DISK &&
                      SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == offset &&
                      ReadFile(file, bytes, size, &got, nullptr) && got == size;
    CloseHandle(file);
    return read;
}

}  // namespace

bool IsWindowsProgram(const std::string& path) {
    unsigned char header[0x40] = {};
    unsigned char signature[4] = {};
    if (!ReadAt(path, 0, header, sizeof header) || header[0] != 'M' || header[1] != 'Z') return false;
    const uint32_t offset =
        header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 | static_cast<uint32_t>(header[0x3F]) << 24;
    return offset < 0x10000000 && ReadAt(path, offset, signature, sizeof signature) &&
           std::memcmp(signature, "PE\0\0", 4) == 0;
}

bool IsHostProgram(const std::string& path) {
    char magic[4] = {};
    return ReadAt(path, 0, magic, sizeof magic) && std::memcmp(magic,
                                                               "\x7F"
                                                               "ELF",
                                                               4) == 0;
}

bool IsDosBoxProgram(const std::string& path, bool underWine) {
    return IsWindowsProgram(path) || (underWine && IsHostProgram(path));
}

ProgramKind KindOfProgram(const std::string& path) {
    if (IsWindowsProgram(path)) return ProgramKind::Windows;
    if (IsHostProgram(path)) return ProgramKind::Host;
    const size_t dot = path.rfind('.');
    const size_t slash = path.find_last_of("\\/");
    const std::string extension =
        dot == std::string::npos || (slash != std::string::npos && dot < slash) ? std::string() : path.substr(dot);
    for (const char* dos : {".com", ".exe", ".bat"})
        if (EqualNoCase(extension, dos)) return ProgramKind::Dos;
    return ProgramKind::Other;
}

bool IsDosGame(const GameRecord& game) {
    const std::string path = FieldText(game.path), command = FieldText(game.command);
    return !path.empty() && !command.empty() && KindOfProgram(path + "\\" + command) == ProgramKind::Dos;
}
