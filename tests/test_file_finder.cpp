// The file search engine on real folder trees.
#include "DialogProbe.h"
#include "search/FileFinder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>

namespace {

// Every event of one search as text: "enter FOLDER", "match PATH", "reject", "progress".
struct Recorder {
    Strings events;
    int stopAtMatch = 0;  // stop at this Match (1 = the first); 0 never
    int matches = 0;
    static void Callback(FileFinder& f, int32_t event, INT_PTR user) {
        auto* self = reinterpret_cast<Recorder*>(user);
        switch (static_cast<SearchEvent>(event)) {
            case SearchEvent::Match:
                self->events.push_back("match " + f.Result(f.Count() - 1));
                if (++self->matches == self->stopAtMatch) f.Stop();
                break;
            case SearchEvent::EnterFolder: self->events.push_back("enter " + f.CurrentFolder()); break;
            case SearchEvent::Reject: self->events.push_back("reject"); break;
            case SearchEvent::ContentProgress: self->events.push_back("progress"); break;
        }
    }
    int CountOf(const std::string& prefix) const {
        return static_cast<int>(
            std::count_if(events.begin(), events.end(), [&](const std::string& e) { return e.rfind(prefix, 0) == 0; }));
    }
    int IndexOf(const std::string& event) const {
        const auto it = std::find(events.begin(), events.end(), event);
        return it == events.end() ? -1 : static_cast<int>(it - events.begin());
    }
};

FileSearchOptions Options(const std::string& start, const std::string& pattern = "*.*", bool recurse = false) {
    FileSearchOptions o;
    o.startFolder = start, o.namePattern = pattern, o.recurse = recurse;
    return o;
}

Recorder Find(FileFinder& finder, const FileSearchOptions& options, int stopAtMatch = 0) {
    Recorder rec{{}, stopAtMatch};
    finder.SetCallback(&Recorder::Callback, reinterpret_cast<INT_PTR>(&rec));
    finder.Search(options);
    finder.SetCallback(nullptr, 0);
    return rec;
}

Strings Results(const FileFinder& finder) {
    Strings results;
    for (int i = 0; i < finder.Count(); ++i) results.push_back(finder.Result(i));
    std::sort(results.begin(), results.end());
    return results;
}

std::wstring Long(const std::string& s) { return L"\\\\?\\" + std::wstring(s.begin(), s.end()); }

class FileFinderTest : public ::testing::Test {
protected:
    std::string Dir(const std::string& relative) {
        CreateDirectoryA((root + "\\" + relative).c_str(), nullptr);
        return root + "\\" + relative;
    }
    std::string File(const std::string& relative, const std::string& text = "data") {
        WriteFileText(root + "\\" + relative, text);
        return root + "\\" + relative;
    }
    TempFolder temp{"find"};
    const std::string root = temp.path;
};

TEST_F(FileFinderTest, SubfoldersAreSearchedBeforeTheirAncestorsOwnEntries) {
    for (const char* d : {"a", "a\\deep", "b"}) Dir(d);
    for (const char* f : {"x.txt", "a\\deep\\x.txt", "b\\X.TXT", "a\\other.txt"}) File(f);
    FileFinder finder;
    const Recorder rec = Find(finder, Options(root, "x.txt", true));
    EXPECT_EQ((std::vector<int>{finder.Count(), rec.CountOf("enter"), rec.CountOf("reject")}),
              (std::vector<int>{3, 4, 0}));
    const int root_ = rec.IndexOf("enter " + root + "\\"), a = rec.IndexOf("enter " + root + "\\a\\"),
              deep = rec.IndexOf("enter " + root + "\\a\\deep\\"), b = rec.IndexOf("enter " + root + "\\b\\");
    ASSERT_GE(deep, 0);
    EXPECT_TRUE(deep < a && a < root_ && b < root_) << deep << " " << a << " " << b << " " << root_;
    EXPECT_EQ(rec.events.back(), "match " + root + "\\x.txt");
    EXPECT_EQ(rec.events[deep + 1], "match " + root + "\\a\\deep\\x.txt");
}

TEST_F(FileFinderTest, OneFolderWithoutRecursionNoDotEntriesAndAccumulatedCounts) {
    Dir("sub");
    Dir("sub\\inner");
    File("file.txt");
    FileFinder finder;
    const Recorder rec = Find(finder, Options(root));
    EXPECT_EQ(rec.events.size(), 3u) << "one folder entered, no event for . and ..";
    EXPECT_EQ(Results(finder), (Strings{root + "\\file.txt", root + "\\sub\\"}));
    EXPECT_EQ(finder.Result(2) + finder.Result(-1), "");
    finder.Stop();
    EXPECT_EQ(finder.Search(Options(root, "file.txt")), 3);
    EXPECT_EQ(finder.Result(2), root + "\\file.txt");
    FileFinder empty;  // a start folder's own separator is kept, not doubled
    EXPECT_EQ(Find(empty, Options(root + "\\sub\\inner\\", "*.exe", true)).events,
              Strings{"enter " + root + "\\sub\\inner\\"});
}

TEST_F(FileFinderTest, FiltersAcceptAndReject) {
    const std::string archived = File("archived.dat", std::string(100, 'a'));
    // Wine gives every file the archive attribute and no folder: the entry without it is a folder.
    const std::string plain = Dir("plain.dat");
    const int64_t billion = 1000000000;  // 2001-09-09 01:46:40 UTC
    const uint64_t ticks = (billion + 11644473600ull) * 10000000ull;
    const FILETIME stamp{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    for (const std::string& path : {archived, plain}) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, 0);
        ASSERT_TRUE(SetFileTime(h, &stamp, &stamp, &stamp) && CloseHandle(h));
    }
    SetFileAttributesA(archived.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    // Filters, attribute mask, size and time bounds, and which pass: "A" the archived file, "P" the plain one.
    const std::tuple<uint32_t, uint32_t, uint64_t, uint64_t, int64_t, int64_t, const char*> cases[] = {
        {FilterAttributes, FILE_ATTRIBUTE_ARCHIVE, 0, 0, 0, 0, "A"},
        {FilterSize, 0, 100, 100, 0, 0, "A"},
        {FilterSize, 0, 101, 200, 0, 0, ""},
        {FilterSize, 0, 0, 99, 0, 0, "P"},
        {FilterWriteTime, 0, 0, 0, -1, 0, "AP"},
        {FilterWriteTime, 0, 0, 0, 1, 5, ""},
        {FilterCreationTime, 0, 0, 0, -10, -1, ""},
        {FilterCreationTime, 0, 0, 0, 0, 1, "AP"},
        {FilterAccessTime, 0, 0, 0, -5, 5, "AP"},
        {FilterAccessTime, 0, 0, 0, 1, 5, ""},
        {FilterAttributes | FilterSize, FILE_ATTRIBUTE_ARCHIVE, 0, 1000, 0, 0, "A"},
    };
    for (const auto& [filters, mask, minSize, maxSize, earliest, latest, passing] : cases) {
        FileSearchOptions o = Options(root, "*.dat");
        o.filters = filters, o.attributeMask = mask, o.minSize = minSize, o.maxSize = maxSize;
        o.earliestWrite = o.earliestCreation = o.earliestAccess = billion + earliest;
        o.latestWrite = o.latestCreation = o.latestAccess = billion + latest;
        FileFinder finder;
        const Recorder rec = Find(finder, o);
        Strings expected;
        if (std::strchr(passing, 'A')) expected.push_back(archived);
        if (std::strchr(passing, 'P')) expected.push_back(plain + "\\");
        EXPECT_EQ(Results(finder), expected) << filters << " " << minSize << "-" << maxSize << " " << earliest;
        EXPECT_EQ(rec.CountOf("reject"), 2 - finder.Count()) << filters;
    }
}

TEST(FileFinderHelpers, LargeSizesAndWhichFoldersAreEntered) {
    WIN32_FIND_DATAA entry{};
    entry.nFileSizeLow = 5;
    entry.nFileSizeHigh = 1;
    EXPECT_EQ(search_detail::EntrySize(entry), 0x100000005ull) << "a file over 4 GB keeps its size";
    // A junction may lead back up the tree: listed, never entered (Wine cannot make one).
    std::strcpy(entry.cFileName, "games");
    for (const auto& [attributes, entered] :
         {std::pair<DWORD, bool>{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN, true},
          {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, false},
          {FILE_ATTRIBUTE_ARCHIVE, false}}) {
        entry.dwFileAttributes = attributes;
        EXPECT_EQ(search_detail::IsSubfolderToEnter(entry), entered) << attributes;
    }
}

TEST_F(FileFinderTest, StopFromTheCallbackSendsOnlyTheAncestorsEnterFolder) {
    Strings folders = {root + "\\"};
    for (const char* level : {"l1", "l1\\l2", "l1\\l2\\l3"}) folders.push_back(Dir(level) + "\\");
    for (const std::string& f : folders) {
        WriteFileText(f + "f1.txt", "1");
        WriteFileText(f + "f2.txt", "2");
    }
    FileFinder finder;
    Recorder rec = Find(finder, Options(root, "f?.txt", true), 1);
    ASSERT_EQ(rec.events.size(), 5u);
    rec.events[1].resize(std::min(rec.events[1].size(), 6 + folders[3].size()));
    EXPECT_EQ(rec.events, (Strings{"enter " + folders[3], "match " + folders[3], "enter " + folders[2],
                                   "enter " + folders[1], "enter " + folders[0]}));
    EXPECT_TRUE(finder.Count() == 1 && finder.StopRequested());
    const std::string wide = Dir("wide");
    for (const std::string sibling : {"s1", "s2", "s3", "s4", "s5"}) {
        Dir("wide\\" + sibling);
        File("wide\\" + sibling + "\\f1.txt");
    }
    FileFinder other;
    const Recorder stopped = Find(other, Options(wide, "f?.txt", true), 1);
    ASSERT_EQ(stopped.events.size(), 3u);
    EXPECT_EQ(stopped.CountOf("match"), 1);
    EXPECT_EQ(stopped.events[2], "enter " + wide + "\\");
}

TEST_F(FileFinderTest, ContentFilterSlidingWindow) {
    // Short texts read 128 - L new bytes per read; 2L - L for long ones.
    const std::string text = "Hello", longText(100, 'q');
    const size_t chunk = 128 - text.size();
    std::string wide, longStraddle(150, '.');
    for (char c : std::string("xxHELLOxx")) wide += std::string(1, c) + '\0';
    longStraddle.replace(60, 100, longText);
    const std::tuple<const char*, std::string, std::string, bool> cases[] = {
        {"at the start", "hello world", text, true},
        {"across two reads", std::string(chunk - 2, '.') + "hElLo and more", text, true},
        {"zero bytes ignored", wide, text, true},
        {"exactly C bytes, absent", std::string(chunk, 'z'), text, false},
        {"exactly C bytes, at the end", std::string(chunk - 5, 'z') + "HELLO", text, true},
        {"empty text", "anything", "", false},
        {"a text of zero bytes only", "any\0thing", std::string(1, '\0'), false},
        {"long text across two reads", longStraddle, longText, true},
        {"long text cut short", std::string(99, 'q'), longText, false},
    };
    FileFinder finder;
    for (const auto& [name, content, wanted, found] : cases) {
        const std::string path = File("content.bin", content);
        EXPECT_EQ(finder.ContainsText(path, wanted), found) << name;
        FileSearchOptions o = Options(root, "content.bin");
        o.filters = FilterContent, o.contentText = wanted;
        FileFinder search;
        EXPECT_EQ(search.Search(o), found ? 1 : 0) << name;
    }
    EXPECT_FALSE(finder.ContainsText(root + "\\missing.bin", text));
    // Progress every tenth read; a file of exactly n full reads takes one more, empty, read.
    const size_t chunk4 = 128 - 4;
    for (const auto& [size, expected] :
         {std::pair<size_t, int>{9 * chunk4 - 1, 0}, {9 * chunk4, 1}, {19 * chunk4 - 1, 1}, {19 * chunk4, 2}}) {
        Recorder rec;
        finder.SetCallback(&Recorder::Callback, reinterpret_cast<INT_PTR>(&rec));
        EXPECT_FALSE(finder.ContainsText(File("big.bin", std::string(size, 'x')), "abcd"));
        EXPECT_EQ(rec.CountOf("progress"), expected) << size;
    }
    finder.SetCallback(nullptr, 0);
}

TEST_F(FileFinderTest, PathsLongerThanMaxPathAreSkipped) {
    std::string deep = root;
    const size_t need = 249 - root.size(), parts = (need + 60) / 61;
    for (size_t i = 0; i < parts; ++i) {
        deep += "\\" + std::string(need / parts + (i < need % parts ? 1 : 0) - 1, 'd');
        ASSERT_TRUE(CreateDirectoryW(Long(deep).c_str(), nullptr)) << deep.size();
    }
    ASSERT_EQ(deep.size() + 1, 250u);
    // "x.txt" fits (255), a 20-character name (270) does not; a too-long listing pattern is not entered.
    const std::string longName = deep + "\\abcdefghijklmno.txt", sub = deep + "\\sub567";
    ASSERT_TRUE(CreateDirectoryW(Long(sub).c_str(), nullptr));
    for (const std::string& path : {deep + "\\x.txt", longName, sub + "\\x.txt"}) {
        HANDLE h = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
        CloseHandle(h);
    }
    FileFinder finder;
    const Recorder rec = Find(finder, Options(root, "*.txt", true));
    EXPECT_EQ(Results(finder), Strings{deep + "\\x.txt"});
    EXPECT_EQ(rec.IndexOf("enter " + sub + "\\"), -1);
    for (const std::string& e : rec.events) EXPECT_LT(e.size() - 6, static_cast<size_t>(MAX_PATH)) << e;
    DeleteFileW(Long(sub + "\\x.txt").c_str());
    RemoveDirectoryW(Long(sub).c_str());
    DeleteFileW(Long(longName).c_str());
}

}  // namespace
