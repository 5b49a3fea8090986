// File and folder existence through the file attributes, whole-file writes,
// device names and full paths.
#include "data/Files.h"
#include "data/Strings.h"
#include <windows.h>
#include <shellapi.h>
#include <cstdio>
#include <cstring>

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    // Windows says no to an empty path; Wine takes it for the current folder.
    if (path.empty()) return false;
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

bool IsReadOnlyFile(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY) && (a & FILE_ATTRIBUTE_READONLY);
}

std::string FullLongPath(const std::string& path) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return {};
    char full[MAX_PATH * 2] = "";
    DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return {};
    std::string in = full;
    // Keep the root ("C:\" or "\\server\share\") as it is; spell out each part below it.
    size_t start = 0;
    if (in.size() >= 3 && in[1] == ':' && in[2] == '\\') {
        start = 3;
    } else if (in.rfind("\\\\", 0) == 0) {
        size_t server = in.find('\\', 2);
        size_t share = server == std::string::npos ? std::string::npos : in.find('\\', server + 1);
        if (share == std::string::npos) return in;
        start = share + 1;
    }
    std::string out = in.substr(0, start);
    while (start < in.size()) {
        size_t end = in.find('\\', start);
        std::string part = in.substr(start, end == std::string::npos ? std::string::npos : end - start);
        WIN32_FIND_DATAA fd;
        HANDLE h = part.empty() ? INVALID_HANDLE_VALUE : FindFirstFileA((out + part).c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            FindClose(h);
            part = fd.cFileName;
        }
        out += part;
        if (end == std::string::npos) break;
        out += '\\';
        start = end + 1;
    }
    return out;
}

bool SamePath(const std::string& a, const std::string& b) {
    const std::string fa = FullLongPath(a);
    return !fa.empty() && EqualNoCase(fa, FullLongPath(b));
}

std::string OtherLongName(const std::string& path) {
    if (path.find_first_of("*?") != std::string::npos) return {};  // wildcards would match other names
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(path.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return {};
    FindClose(h);
    const size_t slash = path.find_last_of("\\/");
    const std::string own = slash == std::string::npos ? path : path.substr(slash + 1);
    return EqualNoCase(own, fd.cFileName) ? std::string() : std::string(fd.cFileName);
}
