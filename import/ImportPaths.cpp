// Paths, words and files of an import.
#include "import/ImportPaths.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include "import/Xml.h"
#include <windows.h>
#include <algorithm>
#include <cctype>

namespace {

bool IsWindowsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// |prefix| and the steps of |rest| with "." and ".." resolved (never above the prefix).
std::string Normalised(const std::string& prefix, const std::string& rest, PathStyle style) {
    const char separator = style == PathStyle::Host ? '/' : '\\';
    std::vector<std::string> steps;
    std::string step;
    for (size_t i = 0; i <= rest.size(); ++i) {
        const bool end = i == rest.size() || rest[i] == '/' || (style == PathStyle::Windows && rest[i] == '\\');
        if (!end) {
            step += rest[i];
            continue;
        }
        if (step == "..") {
            if (!steps.empty()) steps.pop_back();
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        step.clear();
    }
    std::string out = prefix;
    for (const std::string& s : steps) {
        if (!out.empty() && out.back() != separator) out += separator;
        out += s;
    }
    return out;
}

}  // namespace

PathStyle StyleOf(const std::string& path) {
    return !path.empty() && (path[0] == '/' || path[0] == '~') ? PathStyle::Host : PathStyle::Windows;
}

ImportedPath FullPath(const std::string& written, const std::string& base) {
    const std::string path = TrimBlanks(written);
    ImportedPath full;
    full.style = StyleOf(path);
    if (full.style == PathStyle::Host) {
        const size_t skip = path[0] == '~' ? 1 : 0;
        full.text = Normalised(skip ? "~/" : "/", path.substr(skip), PathStyle::Host);
        if (full.text == "~/") full.text = "~";
        return full;
    }
    if (path.size() >= 2 && IsWindowsSeparator(path[0]) && IsWindowsSeparator(path[1])) {
        full.text = Normalised("\\\\", path.substr(2), PathStyle::Windows);
    } else if (HasDrive(path)) {
        const char drive[4] = {static_cast<char>(std::toupper(static_cast<unsigned char>(path[0]))), ':', '\\', 0};
        full.text = Normalised(drive, path.substr(2), PathStyle::Windows);
    } else if (!path.empty() && IsWindowsSeparator(path[0])) {
        full.text = Normalised(HasDrive(base) ? base.substr(0, 2) + "\\" : "\\", path, PathStyle::Windows);
    } else if (!base.empty()) {
        return FullPath(base + "\\" + path, "");
    } else {
        full.text = Normalised("", path, PathStyle::Windows);
    }
    return full;
}

ImportedPath JoinSteps(const ImportedPath& path, const std::string& dosSteps) {
    ImportedPath joined = path;
    const char separator = path.style == PathStyle::Host ? '/' : '\\';
    std::string step;
    for (size_t i = 0; i <= dosSteps.size(); ++i) {
        if (i < dosSteps.size() && !IsWindowsSeparator(dosSteps[i])) {
            step += dosSteps[i];
            continue;
        }
        if (!step.empty()) {
            if (joined.text.empty() || joined.text.back() != separator) joined.text += separator;
            joined.text += step;
        }
        step.clear();
    }
    return joined;
}

ImportedPath ParentOf(const ImportedPath& path) {
    ImportedPath parent = path;
    const size_t at = path.style == PathStyle::Host ? path.text.find_last_of('/') : path.text.find_last_of("\\/");
    if (at == std::string::npos) return {{}, path.style};
    // The root keeps its separator: "C:\", "/".
    const bool root = at == 0 || (at == 2 && HasDrive(path.text));
    parent.text = path.text.substr(0, root ? at + 1 : at);
    return parent;
}

std::string LastStep(const std::string& path) {
    const size_t at = path.find_last_of("\\/");
    return at == std::string::npos ? path : path.substr(at + 1);
}

bool WindowsPathOf(const ImportedPath& path, std::string& windows) {
    windows.clear();
    if (path.style == PathStyle::Windows) {
        windows = path.text;
        return !windows.empty();
    }
    std::string host = path.text;
    if (!host.empty() && host[0] == '~') {
        char home[MAX_PATH] = "";
        const DWORD n = GetEnvironmentVariableA("HOME", home, sizeof home);
        if (n == 0 || n >= sizeof home || home[0] != '/') return false;
        host = home + host.substr(1);
    }
    // Wine's own: the DOS path of a host path, from the process heap.
    using ToDos = WCHAR*(CDECL*)(const char*);
    const auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_dos_file_name")));
    if (!toDos || host.empty() || host[0] != '/') return false;
    WCHAR* wide = toDos(host.c_str());
    if (!wide) return false;
    char buffer[MAX_PATH * 2] = "";
    const int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, buffer, sizeof buffer, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, wide);
    if (n <= 0) return false;
    windows = buffer;
    if (windows.rfind("\\\\?\\", 0) == 0) windows.erase(0, 4);
    return !windows.empty();
}

bool RelativeTo(const std::string& folder, const std::string& path, std::string& relative) {
    std::string base = folder;
    while (!base.empty() && IsWindowsSeparator(base.back())) base.pop_back();
    if (base.empty() || path.size() <= base.size() + 1 || !IsWindowsSeparator(path[base.size()]) ||
        !EqualNoCase(path.substr(0, base.size()), base))
        return false;
    relative = path.substr(base.size() + 1);
    return true;
}

std::vector<std::string> SplitWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

std::string AfterFirstWord(const std::string& line) {
    size_t i = line.find_first_not_of(" \t");
    bool quoted = false;
    for (; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (!quoted && (line[i] == ' ' || line[i] == '\t'))
            break;
    }
    return i >= line.size() ? std::string() : TrimBlanks(line.substr(i));
}

std::string TrimBlanks(const std::string& text) {
    const size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

std::string LowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

TextFileStatus ReadTextFile(const std::string& path, size_t maxBytes, std::string& text) {
    text.clear();
    if (path.empty() || HasDeviceStep(path)) return TextFileStatus::CannotRead;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return TextFileStatus::CannotRead;
    TextFileStatus status = TextFileStatus::CannotRead;
    DWORD high = 0;
    const DWORD low = GetFileSize(h, &high);
    if (GetFileType(h) == FILE_TYPE_DISK && !(low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)) {
        if (high != 0 || low > maxBytes) {
            status = TextFileStatus::TooLarge;
        } else {
            text.resize(low);
            DWORD got = 0;
            if (low == 0 || (ReadFile(h, &text[0], low, &got, nullptr) && got == low)) status = TextFileStatus::Ok;
        }
    }
    CloseHandle(h);
    if (status != TextFileStatus::Ok) text.clear();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text = Utf8ToCodePage1252(text.substr(3));
    return status;
}

ImportNoteKind NoteOf(TextFileStatus status) {
    return status == TextFileStatus::TooLarge ? ImportNoteKind::TooLarge : ImportNoteKind::CannotRead;
}

std::vector<std::string> FilesWithExtension(const std::string& folder, const std::string& extension, size_t maxFiles,
                                            int* more) {
    std::vector<std::string> files;
    int over = 0;
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name.size() <= extension.size() ||
                !EqualNoCase(name.substr(name.size() - extension.size()), extension) || IsDosDeviceName(name))
                continue;
            if (files.size() < maxFiles)
                files.push_back(folder + "\\" + name);
            else
                ++over;
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    std::sort(files.begin(), files.end(), LessNoCase);
    if (more) *more = over;
    return files;
}
