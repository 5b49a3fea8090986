// The depth-first walk, the filters and the content scan of the file search engine.
#include "search/FileFinder.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#ifndef FILE_ATTRIBUTE_REPARSE_POINT
#define FILE_ATTRIBUTE_REPARSE_POINT 0x400
#endif

namespace search_detail {

int64_t FileTimeToSeconds(const FILETIME& time) {
    // FILETIME counts 100 ns steps since 1601; 11644473600 s lie between 1601 and 1970.
    const int64_t ticks = static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return ticks / 10000000 - INT64_C(11644473600);
}

uint64_t EntrySize(const WIN32_FIND_DATAA& entry) {
    return (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

bool IsSubfolderToEnter(const WIN32_FIND_DATAA& entry) {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return false;
    return std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0;
}

}  // namespace search_detail

using namespace search_detail;

namespace {

bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

bool InRange(int64_t value, int64_t low, int64_t high) { return low <= value && value <= high; }

// Upper-case form of every byte in the Windows code page, built once.
const unsigned char* UpperTable() {
    static const auto table = [] {
        struct Table {
            unsigned char map[256];
        } t;
        for (int i = 0; i < 256; ++i) t.map[i] = static_cast<unsigned char>(i);
        CharUpperBuffA(reinterpret_cast<char*>(t.map + 1), 255);  // byte 0 is never looked up
        return t;
    }();
    return table.map;
}

// Closes the enumeration however the loop ends.
class FindHandle {
public:
    FindHandle(const std::string& pattern, WIN32_FIND_DATAA& entry) : _h(FindFirstFileA(pattern.c_str(), &entry)) {}
    ~FindHandle() {
        if (_h != INVALID_HANDLE_VALUE) FindClose(_h);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return _h != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& entry) { return FindNextFileA(_h, &entry) != FALSE; }

private:
    HANDLE _h;
};

}  // namespace

FileSearchOptions::FileSearchOptions() {
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    earliestCreation = latestCreation = now;
    earliestWrite = latestWrite = now;
    earliestAccess = latestAccess = now;
}

std::string AppendSeparator(const std::string& path, bool forwardSlash) {
    if (path.empty() || path.back() == '\\' || path.back() == '/') return path;
    return path + (forwardSlash ? '/' : '\\');
}

void FileFinder::SetCallback(Callback callback, INT_PTR user) {
    _callback = callback;
    _user = user;
}

std::string FileFinder::Result(int index) const {
    if (index < 0 || index >= Count()) return {};
    return _results[static_cast<size_t>(index)];
}

int32_t FileFinder::Search(const FileSearchOptions& options) {
    _stop = false;
    Walk(AppendSeparator(options.startFolder, false), options);
    return Count();
}

void FileFinder::Notify(SearchEvent event) {
    if (_callback) _callback(*this, static_cast<int32_t>(event), _user);
}

// |folder| is empty or ends in a separator. Subfolders first, then the folder's
// own entries, so deeper matches are reported before those of their ancestors.
void FileFinder::Walk(const std::string& folder, const FileSearchOptions& options) {
    if (options.recurse) WalkSubfolders(folder, options);
    _currentFolder = folder;
    Notify(SearchEvent::EnterFolder);
    ExamineEntries(folder, options);
}

void FileFinder::WalkSubfolders(const std::string& folder, const FileSearchOptions& options) {
    const std::string pattern = folder + "*.*";
    if (!FitsMaxPath(pattern.size())) return;
    WIN32_FIND_DATAA entry;
    FindHandle find(pattern, entry);
    if (!find.Valid()) return;  // missing or unreadable: a folder without entries
    do {
        if (_stop) return;
        if (!IsSubfolderToEnter(entry)) continue;
        // A folder whose own listing pattern would not fit MAX_PATH is skipped
        // whole: a cut path could name another folder.
        const std::string subfolder = folder + entry.cFileName + "\\";
        if (FitsMaxPath(subfolder.size() + 3)) Walk(subfolder, options);
    } while (find.Next(entry));
}

void FileFinder::ExamineEntries(const std::string& folder, const FileSearchOptions& options) {
    const std::string pattern = folder + options.namePattern;
    if (!FitsMaxPath(pattern.size())) return;
    WIN32_FIND_DATAA entry;
    FindHandle find(pattern, entry);
    if (!find.Valid()) return;
    do {
        if (_stop) return;
        if (IsDotEntry(entry.cFileName)) continue;
        std::string path = folder + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) path += '\\';
        if (!FitsMaxPath(path.size())) continue;  // never cut, never reported
        const bool accepted = Passes(path, entry, options);
        // A stop asked for while the content was read leaves the entry undecided.
        if (_stop) return;
        if (accepted) _results.push_back(path);
        Notify(accepted ? SearchEvent::Match : SearchEvent::Reject);
    } while (find.Next(entry));
}

bool FileFinder::Passes(const std::string& path, const WIN32_FIND_DATAA& entry, const FileSearchOptions& o) {
    const uint32_t f = o.filters;
    if ((f & FilterAttributes) && !(entry.dwFileAttributes & o.attributeMask)) return false;
    if ((f & FilterSize) && !(o.minSize <= EntrySize(entry) && EntrySize(entry) <= o.maxSize)) return false;
    if ((f & FilterWriteTime) && !InRange(FileTimeToSeconds(entry.ftLastWriteTime), o.earliestWrite, o.latestWrite))
        return false;
    if ((f & FilterCreationTime) &&
        !InRange(FileTimeToSeconds(entry.ftCreationTime), o.earliestCreation, o.latestCreation))
        return false;
    if ((f & FilterAccessTime) && !InRange(FileTimeToSeconds(entry.ftLastAccessTime), o.earliestAccess, o.latestAccess))
        return false;
    if ((f & FilterContent) && !ContainsText(path, o.contentText)) return false;
    return true;
}

// The file is read through a window of W = max(128, 2L) bytes for a text of L
// bytes: L bytes carried over from the previous read (spaces before the first)
// and up to C = W - L new ones, so a text that straddles two reads is found.
bool FileFinder::ContainsText(const std::string& path, const std::string& text) {
    const unsigned char* upper = UpperTable();
    std::string needle;
    for (unsigned char c : text)
        if (c) needle += static_cast<char>(upper[c]);
    if (needle.empty()) return false;  // an empty text is found nowhere
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    const size_t carried = text.size();
    const size_t windowSize = std::max<size_t>(128, 2 * carried);
    const size_t chunk = windowSize - carried;
    std::vector<char> window(windowSize, ' ');
    std::vector<char> clean(windowSize);
    bool found = false;
    int reads = 0;
    for (;;) {
        const size_t got = std::fread(window.data() + carried, 1, chunk, file);
        // Zero bytes are dropped, so plain text inside binary or wide text is found.
        size_t length = 0;
        for (size_t i = 0; i < carried + got; ++i) {
            const unsigned char c = static_cast<unsigned char>(window[i]);
            if (c) clean[length++] = static_cast<char>(upper[c]);
        }
        found = std::search(clean.begin(), clean.begin() + static_cast<std::ptrdiff_t>(length), needle.begin(),
                            needle.end()) != clean.begin() + static_cast<std::ptrdiff_t>(length);
        if (_callback && ++reads == 10) {
            reads = 0;
            Notify(SearchEvent::ContentProgress);
        }
        if (found || got < chunk || _stop) break;
        std::memmove(window.data(), window.data() + chunk, carried);
    }
    std::fclose(file);
    return found;
}
