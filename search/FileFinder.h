// The file search engine: walks a folder tree depth first and collects the
// entries whose names match a wildcard pattern and pass a chain of filters,
// reporting every step to one callback. No windows; runs on the caller's thread.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

// Filter bits of FileSearchOptions::filters. They are applied in the order
// attributes, size, write time, creation time, access time, content.
enum SearchFilter : uint32_t {
    FilterSize = 0x01,
    FilterWriteTime = 0x02,
    FilterCreationTime = 0x04,
    FilterAccessTime = 0x08,
    FilterAttributes = 0x10,
    FilterContent = 0x20,
};

// What the callback is told.
enum class SearchEvent : int32_t {
    Match = 0,            // an entry passed; its path is the last result
    Reject = 1,           // an entry (never "." or "..") failed a filter
    EnterFolder = 2,      // a folder's own entries are next; CurrentFolder() is set
    ContentProgress = 3,  // every tenth read of the content filter in one file
};

// One search request. Times are seconds since 1970 (UTC), as time() gives them.
struct FileSearchOptions {
    std::string startFolder;  // empty: the process's current folder
    std::string namePattern = "*.*";
    std::string contentText;
    bool recurse = false;
    uint32_t filters = 0;
    uint64_t minSize = 0;  // inclusive bounds of FilterSize
    uint64_t maxSize = 0;
    int64_t earliestCreation;  // inclusive bounds of the time filters; all
    int64_t latestCreation;    // default to the moment of construction
    int64_t earliestWrite;
    int64_t latestWrite;
    int64_t earliestAccess;
    int64_t latestAccess;
    uint32_t attributeMask = 0;  // FilterAttributes: passes when attributes & mask

    FileSearchOptions();
};

class FileFinder {
public:
    using Callback = void (*)(FileFinder& finder, int32_t event, INT_PTR user);

    FileFinder() = default;
    virtual ~FileFinder() = default;
    FileFinder(const FileFinder&) = delete;
    FileFinder& operator=(const FileFinder&) = delete;

    // Replaces any earlier callback and user value.
    void SetCallback(Callback callback, INT_PTR user);
    // Walks the tree and returns the number of results, those of earlier
    // searches on this finder included: results are never cleared. Must not be
    // called again while a search runs on this finder.
    int32_t Search(const FileSearchOptions& options);
    // Asks the running search to end; safe to call from inside the callback.
    // A stop asked for while no search runs is forgotten by the next search.
    void Stop() { _stop = true; }
    bool StopRequested() const { return _stop; }

    int Count() const { return static_cast<int>(_results.size()); }
    // Forgets the results of earlier searches and gives their memory back.
    void ClearResults() { std::vector<std::string>().swap(_results); }
    // The path at |index|; empty for an index out of range.
    std::string Result(int index) const;
    // The folder whose entries are being examined, with its trailing "\".
    const std::string& CurrentFolder() const { return _currentFolder; }

    // The content filter on its own: true when |text| occurs in the file,
    // ignoring case and zero bytes. Sends ContentProgress through the callback.
    bool ContainsText(const std::string& path, const std::string& text);

private:
    void Walk(const std::string& folder, const FileSearchOptions& options);
    void WalkSubfolders(const std::string& folder, const FileSearchOptions& options);
    void ExamineEntries(const std::string& folder, const FileSearchOptions& options);
    bool Passes(const std::string& path, const WIN32_FIND_DATAA& entry, const FileSearchOptions& options);
    void Notify(SearchEvent event);

    std::vector<std::string> _results;
    bool _stop = false;
    Callback _callback = nullptr;
    INT_PTR _user = 0;
    std::string _currentFolder;
};

// |path| followed by "\" (or "/" when |forwardSlash|), unless it is empty or
// already ends in either separator.
std::string AppendSeparator(const std::string& path, bool forwardSlash);

// Helpers of the walk, shared with the tests.
namespace search_detail {
// A file time as seconds since 1970 (UTC).
int64_t FileTimeToSeconds(const FILETIME& time);
// The full 64-bit size of an enumerated entry.
uint64_t EntrySize(const WIN32_FIND_DATAA& entry);
// True when the walk enters this entry as a subfolder: a folder other than "."
// and "..", and not a reparse point (a junction may lead back up the tree).
bool IsSubfolderToEnter(const WIN32_FIND_DATAA& entry);
// True when a path of |length| characters fits a MAX_PATH buffer.
inline bool FitsMaxPath(size_t length) { return length < MAX_PATH; }
}  // namespace search_detail
