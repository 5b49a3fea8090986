// The file search engine on real folder trees: separators, event order, the
// filters, stopping, the content scan, junctions and over-long paths.
#include "TestEnv.h"
#include "search/FileFinder.h"
#include <gtest/gtest.h>
#include <winioctl.h>
#include <algorithm>
#include <cstring>

namespace {

using search_detail::IsSubfolderToEnter;

struct Event {
    SearchEvent kind;
    std::string text;  // the new result for Match, else the current folder
};

struct Recorder {
    std::vector<Event> events;
    int stopAtMatch = 0;  // stop at this Match (1 = the first); 0 never
    int matches = 0;

    static void Callback(FileFinder& finder, int32_t event, INT_PTR user) {
        auto* self = reinterpret_cast<Recorder*>(user);
        const auto kind = static_cast<SearchEvent>(event);
        self->events.push_back(
            {kind, kind == SearchEvent::Match ? finder.Result(finder.Count() - 1) : finder.CurrentFolder()});
        if (kind == SearchEvent::Match && ++self->matches == self->stopAtMatch) finder.Stop();
    }
    void Attach(FileFinder& finder) { finder.SetCallback(&Callback, reinterpret_cast<INT_PTR>(this)); }
    int CountOf(SearchEvent kind) const {
        return static_cast<int>(
            std::count_if(events.begin(), events.end(), [&](const Event& e) { return e.kind == kind; }));
    }
    int IndexOfEnter(const std::string& folder) const {
        for (size_t i = 0; i < events.size(); ++i)
            if (events[i].kind == SearchEvent::EnterFolder && events[i].text == folder) return static_cast<int>(i);
        return -1;
    }
};

class FileFinderTest : public ::testing::Test {
protected:
    void SetUp() override { root = MakeTempFolder("find"); }
    void TearDown() override { RemoveTree(root); }
    std::string Dir(const std::string& relative) {
        std::string path = root + "\\" + relative;
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }
    std::string File(const std::string& relative, const std::string& text = "data") {
        std::string path = root + "\\" + relative;
        WriteFileText(path, text);
        return path;
    }
    std::string root;
};

TEST(AppendSeparator, AddsOneBackslashOrSlashOnlyWhenMissing) {
    struct Case {
        const char* path;
        bool forward;
        const char* expected;
    } cases[] = {
        {"", false, ""},         {"", true, ""},         {"C:", false, "C:\\"},   {"C:", true, "C:/"},
        {"C:\\", false, "C:\\"}, {"C:\\", true, "C:\\"}, {"a/b/", false, "a/b/"}, {"C:\\Games", false, "C:\\Games\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(AppendSeparator(c.path, c.forward), c.expected) << c.path;
}

TEST_F(FileFinderTest, StartFolderOfADriveAndWithOrWithoutSeparator) {
    // A unique file in the root of drive C:, found from "C:" and from "C:\".
    const std::string name = "ql_rootprobe_" + std::to_string(GetCurrentProcessId()) + ".txt";
    WriteFileText("C:\\" + name, "x");
    File("inner.txt");
    struct Case {
        std::string start, pattern, expectedFolder, expectedResult;
    } cases[] = {
        {"C:", name, "C:\\", "C:\\" + name},
        {"C:\\", name, "C:\\", "C:\\" + name},
        {root, "inner.txt", root + "\\", root + "\\inner.txt"},
        {root + "\\", "inner.txt", root + "\\", root + "\\inner.txt"},
        {root + "/", "inner.txt", root + "/", root + "/inner.txt"},
    };
    for (const auto& c : cases) {
        FileFinder finder;
        Recorder rec;
        rec.Attach(finder);
        FileSearchOptions options;
        options.startFolder = c.start;
        options.namePattern = c.pattern;
        EXPECT_EQ(finder.Search(options), 1) << c.start;
        EXPECT_EQ(finder.Result(0), c.expectedResult) << c.start;
        EXPECT_EQ(finder.CurrentFolder(), c.expectedFolder) << c.start;
        ASSERT_EQ(rec.events.size(), 2u) << c.start;
        EXPECT_EQ(rec.events[0].kind, SearchEvent::EnterFolder) << c.start;
    }
    DeleteFileA(("C:\\" + name).c_str());
}

TEST_F(FileFinderTest, SubfoldersAreSearchedBeforeTheirAncestorsOwnEntries) {
    Dir("a");
    Dir("a\\deep");
    Dir("b");
    File("x.txt");
    File("a\\deep\\x.txt");
    File("b\\X.TXT");
    File("a\\other.txt");
    FileFinder finder;
    Recorder rec;
    rec.Attach(finder);
    FileSearchOptions options;
    options.startFolder = root;
    options.namePattern = "x.txt";
    options.recurse = true;
    EXPECT_EQ(finder.Search(options), 3);
    EXPECT_EQ(rec.CountOf(SearchEvent::EnterFolder), 4);
    EXPECT_EQ(rec.CountOf(SearchEvent::Reject), 0);
    const int enterRoot = rec.IndexOfEnter(root + "\\");
    const int enterA = rec.IndexOfEnter(root + "\\a\\");
    const int enterDeep = rec.IndexOfEnter(root + "\\a\\deep\\");
    const int enterB = rec.IndexOfEnter(root + "\\b\\");
    ASSERT_GE(enterDeep, 0);
    EXPECT_LT(enterDeep, enterA);
    EXPECT_LT(enterA, enterRoot);
    EXPECT_LT(enterB, enterRoot);
    EXPECT_EQ(enterRoot, static_cast<int>(rec.events.size()) - 2) << "the root's own entries come last";
    // Every match directly follows the EnterFolder of its folder.
    for (size_t i = 0; i < rec.events.size(); ++i) {
        if (rec.events[i].kind != SearchEvent::Match) continue;
        ASSERT_GT(i, 0u);
        EXPECT_EQ(rec.events[i - 1].kind, SearchEvent::EnterFolder);
        EXPECT_EQ(rec.events[i].text.substr(0, rec.events[i - 1].text.size()), rec.events[i - 1].text);
    }
}

TEST_F(FileFinderTest, OneFolderWithoutRecursionAndNoDotEntries) {
    Dir("sub");
    Dir("sub\\inner");
    File("file.txt");
    FileFinder finder;
    Recorder rec;
    rec.Attach(finder);
    FileSearchOptions options;
    options.startFolder = root;
    EXPECT_EQ(finder.Search(options), 2);
    EXPECT_EQ(rec.CountOf(SearchEvent::EnterFolder), 1);
    EXPECT_EQ(rec.CountOf(SearchEvent::Match), 2) << "no event for . and ..";
    EXPECT_EQ(rec.CountOf(SearchEvent::Reject), 0);
    std::vector<std::string> results = {finder.Result(0), finder.Result(1)};
    std::sort(results.begin(), results.end());
    EXPECT_EQ(results[0], root + "\\file.txt");
    EXPECT_EQ(results[1], root + "\\sub\\") << "a folder entry ends in a separator";
    EXPECT_EQ(finder.Result(2), "");
    EXPECT_EQ(finder.Result(-1), "");

    // A folder without subfolders and without a match: one EnterFolder only.
    FileFinder empty;
    Recorder none;
    none.Attach(empty);
    options.startFolder = root + "\\sub\\inner";
    options.namePattern = "*.exe";
    options.recurse = true;
    EXPECT_EQ(empty.Search(options), 0);
    ASSERT_EQ(none.events.size(), 1u);
    EXPECT_EQ(none.events[0].kind, SearchEvent::EnterFolder);
}

TEST_F(FileFinderTest, FiltersAcceptAndReject) {
    const std::string archived = File("archived.dat", std::string(100, 'a'));
    // Wine gives every file the archive attribute and no folder: the entry
    // without it is a folder (the file pass examines folders too).
    const std::string plain = Dir("plain.dat") + "\\";
    // 2001-09-09 01:46:40 UTC, one billion seconds after 1970.
    const int64_t billion = 1000000000;
    FILETIME stamp;
    const uint64_t ticks = (static_cast<uint64_t>(billion) + 11644473600ull) * 10000000ull;
    stamp.dwLowDateTime = static_cast<DWORD>(ticks);
    stamp.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    for (const std::string& path : {archived, plain.substr(0, plain.size() - 1)}) {
        HANDLE h =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        SetFileTime(h, &stamp, &stamp, &stamp);
        CloseHandle(h);
    }
    SetFileAttributesA(archived.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    // Size bounds; time bounds as offsets from the stamp, for every time
    // filter the case sets (the others keep their default, now).
    struct Case {
        const char* name;
        uint32_t filters, mask;
        uint64_t minSize, maxSize;
        int64_t earliest, latest;
        bool archivedPasses, plainPasses;
    } cases[] = {
        {"archive", FilterAttributes, 0x20, 0, 0, 0, 0, true, false},
        {"size exact", FilterSize, 0, 100, 100, 0, 0, true, false},
        {"size above", FilterSize, 0, 101, 200, 0, 0, false, false},
        {"size below", FilterSize, 0, 0, 99, 0, 0, false, true},
        {"write inside", FilterWriteTime, 0, 0, 0, 0, 0, true, true},
        {"write after", FilterWriteTime, 0, 0, 0, 1, 5, false, false},
        {"creation before", FilterCreationTime, 0, 0, 0, -10, -1, false, false},
        {"access inside", FilterAccessTime, 0, 0, 0, -5, 5, true, true},
        {"access after", FilterAccessTime, 0, 0, 0, 1, 5, false, false},
        {"archive and size", FilterAttributes | FilterSize, 0x20, 0, 1000, 0, 0, true, false},
    };
    for (const auto& c : cases) {
        FileFinder finder;
        Recorder rec;
        rec.Attach(finder);
        FileSearchOptions options;
        options.startFolder = root;
        options.namePattern = "*.dat";
        options.filters = c.filters;
        options.attributeMask = c.mask;
        options.minSize = c.minSize;
        options.maxSize = c.maxSize;
        options.earliestWrite = options.earliestCreation = options.earliestAccess = billion + c.earliest;
        options.latestWrite = options.latestCreation = options.latestAccess = billion + c.latest;
        finder.Search(options);
        std::vector<std::string> results;
        for (int i = 0; i < finder.Count(); ++i) results.push_back(finder.Result(i));
        auto has = [&](const std::string& p) { return std::find(results.begin(), results.end(), p) != results.end(); };
        EXPECT_EQ(has(archived), c.archivedPasses) << c.name;
        EXPECT_EQ(has(plain), c.plainPasses) << c.name;
        EXPECT_EQ(rec.CountOf(SearchEvent::Reject), 2 - finder.Count()) << c.name;
    }
}

TEST(FileFinderHelpers, SizeTimeAndWhichFoldersAreEntered) {
    WIN32_FIND_DATAA entry{};
    entry.nFileSizeLow = 5;
    entry.nFileSizeHigh = 1;
    EXPECT_EQ(search_detail::EntrySize(entry), 0x100000005ull) << "a file over 4 GB keeps its size";
    FILETIME epoch{0xD53E8000, 0x019DB1DE};  // 1970-01-01
    EXPECT_EQ(search_detail::FileTimeToSeconds(epoch), 0);

    struct Case {
        const char* name;
        DWORD attributes;
        bool entered;
    } cases[] = {
        {"games", FILE_ATTRIBUTE_DIRECTORY, true},
        {"hidden", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, true},
        {".", FILE_ATTRIBUTE_DIRECTORY, false},
        {"..", FILE_ATTRIBUTE_DIRECTORY, false},
        {"file.txt", FILE_ATTRIBUTE_ARCHIVE, false},
        {"junction", FILE_ATTRIBUTE_DIRECTORY | 0x400, false},
    };
    for (const auto& c : cases) {
        WIN32_FIND_DATAA e{};
        e.dwFileAttributes = c.attributes;
        std::strcpy(e.cFileName, c.name);
        EXPECT_EQ(IsSubfolderToEnter(e), c.entered) << c.name;
    }
}

TEST_F(FileFinderTest, CountsAccumulateAndAnEarlierStopIsForgotten) {
    File("one.txt");
    FileFinder finder;
    FileSearchOptions options;
    options.startFolder = root;
    options.namePattern = "one.txt";
    EXPECT_EQ(finder.Search(options), 1);
    finder.Stop();
    EXPECT_EQ(finder.Search(options), 2);
    EXPECT_EQ(finder.Count(), 2);
    EXPECT_EQ(finder.Result(1), root + "\\one.txt");
}

TEST_F(FileFinderTest, StopFromTheCallbackSendsOnlyTheAncestorsEnterFolder) {
    // A chain root\l1\l2\l3, two matching files in each folder.
    std::string folder = root;
    std::vector<std::string> folders = {root + "\\"};
    for (const char* level : {"l1", "l2", "l3"}) {
        folder += std::string("\\") + level;
        CreateDirectoryA(folder.c_str(), nullptr);
        folders.push_back(folder + "\\");
    }
    for (const std::string& f : folders) {
        WriteFileText(f + "f1.txt", "1");
        WriteFileText(f + "f2.txt", "2");
    }
    FileFinder finder;
    Recorder rec;
    rec.stopAtMatch = 1;
    rec.Attach(finder);
    FileSearchOptions options;
    options.startFolder = root;
    options.namePattern = "f?.txt";
    options.recurse = true;
    EXPECT_EQ(finder.Search(options), 1);
    ASSERT_EQ(rec.events.size(), 5u);
    EXPECT_EQ(rec.events[0].kind, SearchEvent::EnterFolder);
    EXPECT_EQ(rec.events[0].text, folders[3]);
    EXPECT_EQ(rec.events[1].kind, SearchEvent::Match);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rec.events[2 + i].kind, SearchEvent::EnterFolder);
        EXPECT_EQ(rec.events[2 + i].text, folders[2 - i]);
    }
    EXPECT_TRUE(finder.StopRequested());

    // Sibling folders after the stop are not entered, whichever came first.
    const std::string wide = Dir("wide");
    for (const char* sibling : {"s1", "s2", "s3", "s4", "s5"}) {
        Dir(std::string("wide\\") + sibling);
        File(std::string("wide\\") + sibling + "\\f1.txt");
    }
    FileFinder other;
    Recorder stopped;
    stopped.stopAtMatch = 1;
    stopped.Attach(other);
    options.startFolder = wide;
    EXPECT_EQ(other.Search(options), 1);
    ASSERT_EQ(stopped.events.size(), 3u);
    EXPECT_EQ(stopped.events[1].kind, SearchEvent::Match);
    EXPECT_EQ(stopped.events[2].kind, SearchEvent::EnterFolder);
    EXPECT_EQ(stopped.events[2].text, wide + "\\");
}

// Counts the ContentProgress events of one content scan.
struct ProgressCounter {
    int progress = 0;
    static void Callback(FileFinder&, int32_t event, INT_PTR user) {
        if (static_cast<SearchEvent>(event) == SearchEvent::ContentProgress)
            ++reinterpret_cast<ProgressCounter*>(user)->progress;
    }
};

TEST_F(FileFinderTest, ContentFilterSlidingWindow) {
    // Short texts read 128 - L new bytes per read; 2L - L for long ones.
    const std::string text = "Hello";
    const size_t chunk = 128 - text.size();
    const std::string longText(100, 'q');
    std::string straddle(chunk - 2, '.');
    straddle += "hElLo and more";
    std::string wide;
    for (char c : std::string("xxHELLOxx")) wide += std::string(1, c) + '\0';
    std::string longStraddle(150, '.');
    longStraddle.replace(60, 100, longText);
    struct Case {
        const char* name;
        std::string content, text;
        bool found;
    } cases[] = {
        {"at the start", "hello world", text, true},
        {"across two reads", straddle, text, true},
        {"zero bytes ignored", wide, text, true},
        {"exactly C bytes, absent", std::string(chunk, 'z'), text, false},
        {"exactly C bytes, at the end", std::string(chunk - 5, 'z') + "HELLO", text, true},
        {"empty text", "anything", "", false},
        {"a text of zero bytes only", "any\0thing", std::string(1, '\0'), false},
        {"long text across two reads", longStraddle, longText, true},
        {"long text cut short", std::string(99, 'q'), longText, false},
    };
    for (const auto& c : cases) {
        const std::string path = File("content.bin", c.content);
        FileFinder finder;
        EXPECT_EQ(finder.ContainsText(path, c.text), c.found) << c.name;
        FileSearchOptions options;
        options.startFolder = root;
        options.namePattern = "content.bin";
        options.filters = FilterContent;
        options.contentText = c.text;
        EXPECT_EQ(finder.Search(options), c.found ? 1 : 0) << c.name;
    }
    FileFinder finder;
    EXPECT_FALSE(finder.ContainsText(root + "\\missing.bin", text));
}

TEST_F(FileFinderTest, ContentProgressEveryTenthRead) {
    // A file of exactly n full reads takes one more read that returns nothing.
    const size_t chunk = 128 - 4;
    struct Case {
        size_t size;
        int progress;
    } cases[] = {{9 * chunk - 1, 0}, {9 * chunk, 1}, {19 * chunk - 1, 1}, {19 * chunk, 2}};
    for (const auto& c : cases) {
        const std::string path = File("big.bin", std::string(c.size, 'x'));
        FileFinder finder;
        ProgressCounter counter;
        finder.SetCallback(&ProgressCounter::Callback, reinterpret_cast<INT_PTR>(&counter));
        EXPECT_FALSE(finder.ContainsText(path, "abcd"));
        EXPECT_EQ(counter.progress, c.progress) << c.size;
    }
}

// A junction to |target| at |link| (an empty folder), as Windows 2000 makes them.
bool MakeJunction(const std::string& link, const std::string& target) {
    std::wstring substitute = L"\\??\\";
    for (char c : target) substitute += static_cast<wchar_t>(c);
    const size_t nameBytes = substitute.size() * sizeof(wchar_t);
    std::vector<BYTE> buffer(8 + 8 + nameBytes + 2 * sizeof(wchar_t), 0);
    auto put16 = [&](size_t at, size_t v) {
        const WORD w = static_cast<WORD>(v);
        std::memcpy(&buffer[at], &w, 2);
    };
    const DWORD tag = 0xA0000003;  // IO_REPARSE_TAG_MOUNT_POINT
    std::memcpy(&buffer[0], &tag, 4);
    put16(4, buffer.size() - 8);
    put16(8, 0);                             // substitute name offset
    put16(10, nameBytes);                    // substitute name length
    put16(12, nameBytes + sizeof(wchar_t));  // print name offset
    put16(14, 0);                            // print name length
    std::memcpy(&buffer[16], substitute.data(), nameBytes);
    if (!CreateDirectoryA(link.c_str(), nullptr)) return false;
    HANDLE h = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | 0x00200000 /* FILE_FLAG_OPEN_REPARSE_POINT */, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(h, 0x000900A4 /* FSCTL_SET_REPARSE_POINT */, buffer.data(),
                                    static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
    CloseHandle(h);
    return ok && (GetFileAttributesA(link.c_str()) & 0x400);
}

TEST_F(FileFinderTest, AJunctionLoopIsListedButNotEntered) {
    Dir("tree");
    File("tree\\game.exe");
    const std::string link = root + "\\tree\\loop";
    if (!MakeJunction(link, root)) {
        RemoveDirectoryA(link.c_str());
        GTEST_SKIP() << "this Wine cannot make junctions (FSCTL_SET_REPARSE_POINT)";
    }
    FileFinder finder;
    Recorder rec;
    rec.Attach(finder);
    FileSearchOptions options;
    options.startFolder = root;
    options.recurse = true;
    finder.Search(options);
    RemoveDirectoryA(link.c_str());  // before RemoveTree, which would follow it
    EXPECT_EQ(rec.CountOf(SearchEvent::EnterFolder), 2);
    std::vector<std::string> results;
    for (int i = 0; i < finder.Count(); ++i) results.push_back(finder.Result(i));
    EXPECT_NE(std::find(results.begin(), results.end(), link + "\\"), results.end()) << "listed like any entry";
}

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

TEST_F(FileFinderTest, PathsLongerThanMaxPathAreSkipped) {
    // A folder whose path with its separator is 250 characters long.
    std::string deep = root;
    const size_t need = 249 - root.size();
    const size_t parts = (need + 60) / 61;
    for (size_t i = 0; i < parts; ++i) {
        const size_t segment = need / parts + (i < need % parts ? 1 : 0);  // "\" and the name
        deep += "\\" + std::string(segment - 1, 'd');
        ASSERT_TRUE(CreateDirectoryW(Wide("\\\\?\\" + deep).c_str(), nullptr)) << deep.size();
    }
    ASSERT_EQ(deep.size() + 1, 250u);
    // "x.txt" fits (255); a 20-character name (270) does not; a subfolder whose
    // listing pattern would exceed MAX_PATH is not entered.
    WriteFileText(deep + "\\x.txt", "x");
    const std::string longName = deep + "\\abcdefghijklmno.txt";
    const std::string sub = deep + "\\sub567";
    auto makeFile = [](const std::string& path) {
        HANDLE h = CreateFileW(Wide("\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
        CloseHandle(h);
    };
    makeFile(longName);
    ASSERT_TRUE(CreateDirectoryW(Wide("\\\\?\\" + sub).c_str(), nullptr));
    makeFile(sub + "\\x.txt");

    FileFinder finder;
    Recorder rec;
    rec.Attach(finder);
    FileSearchOptions options;
    options.startFolder = root;
    options.namePattern = "*.txt";
    options.recurse = true;
    finder.Search(options);
    ASSERT_EQ(finder.Count(), 1);
    EXPECT_EQ(finder.Result(0), deep + "\\x.txt");
    EXPECT_EQ(rec.IndexOfEnter(sub + "\\"), -1);
    for (const Event& e : rec.events) EXPECT_LT(e.text.size(), static_cast<size_t>(MAX_PATH));

    DeleteFileW(Wide("\\\\?\\" + sub + "\\x.txt").c_str());
    RemoveDirectoryW(Wide("\\\\?\\" + sub).c_str());
    DeleteFileW(Wide("\\\\?\\" + longName).c_str());
}

}  // namespace
