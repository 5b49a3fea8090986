// File and folder existence through the file attributes, and whole-file writes.
#include "data/Files.h"
#include <windows.h>
#include <shellapi.h>
#include <cstdio>

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteWholeFile(const std::string& path, const void* bytes, size_t size) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = size == 0 || std::fwrite(bytes, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

unsigned long long FileStamp(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(path.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    FindClose(h);
    return (static_cast<unsigned long long>(fd.ftLastWriteTime.dwHighDateTime) << 32 |
            fd.ftLastWriteTime.dwLowDateTime) ^
           (static_cast<unsigned long long>(fd.nFileSizeHigh) << 48 | fd.nFileSizeLow);
}

bool MoveToRecycleBin(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    // The shell would remove a read-only file after asking; the player's own
    // protection stands.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    std::string from = path;
    from.push_back('\0');  // the list of names ends with an empty one
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted && !FileExists(path);
}
