// Search engine benchmark: FileFinder against the system's own tools on a
// generated tree of 50,000 files in 5,050 folders, and the content filter over
// 50 MB against findstr and find. Also the longest gap between two callbacks of the walk,
// which bounds how long the search dialog goes without pumping its messages.
//
// Usage: bench_search [folder]   (default C:\ql_bench; the trees are made once)
#include "BenchClock.h"
#include "search/FileFinder.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kTopFolders = 50;
constexpr int kSubFolders = 100;  // per top folder: 5,000 leaves
constexpr int kFilesPerLeaf = 10;
constexpr int kContentFiles = 50;
constexpr size_t kContentFileSize = 1 << 20;  // 50 files of 1 MB
constexpr char kTarget[] = "TARGET.EXE";
constexpr char kNeedle[] = "needle in the haystack";


bool WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Leaves 7/7, 23/61 and 49/99 hold the target: three matches.
bool HoldsTarget(int top, int sub) {
    return (top == 7 && sub == 7) || (top == 23 && sub == 61) || (top == 49 && sub == 99);
}

bool MakeTree(const std::string& root) {
    const std::string marker = root + "\\complete.txt";
    if (Exists(marker)) return true;
    std::printf("making the tree of %d files in %s ...\n", kTopFolders * kSubFolders * kFilesPerLeaf, root.c_str());
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string body(64, 'x');
    for (int top = 0; top < kTopFolders; ++top) {
        const std::string topPath = root + "\\top" + std::to_string(top);
        CreateDirectoryA(topPath.c_str(), nullptr);
        for (int sub = 0; sub < kSubFolders; ++sub) {
            const std::string leaf = topPath + "\\leaf" + std::to_string(sub);
            CreateDirectoryA(leaf.c_str(), nullptr);
            for (int i = 0; i < kFilesPerLeaf; ++i) {
                const std::string name =
                    (i == 0 && HoldsTarget(top, sub)) ? kTarget : "FILE" + std::to_string(i) + ".DAT";
                if (!WriteBytes(leaf + "\\" + name, body)) return false;
            }
        }
    }
    return WriteBytes(marker, "done");
}

// 50 files of 1 MB of text; the needle, in capitals, near the end of every tenth.
bool MakeContent(const std::string& root) {
    const std::string marker = root + "\\complete.txt";
    if (Exists(marker)) return true;
    std::printf("making %d content files of %zu bytes in %s ...\n", kContentFiles, kContentFileSize, root.c_str());
    CreateDirectoryA(root.c_str(), nullptr);
    std::string text;
    text.reserve(kContentFileSize);
    unsigned seed = 12345;
    while (text.size() < kContentFileSize) {
        seed = seed * 1103515245u + 12345u;
        const unsigned r = (seed >> 16) % 40;
        text += r < 6 ? ' ' : (r < 7 ? '\n' : static_cast<char>('a' + r % 26));
    }
    for (int i = 0; i < kContentFiles; ++i) {
        std::string bytes = text;
        if (i % 10 == 9) bytes.replace(bytes.size() - 100, sizeof kNeedle - 1, "NEEDLE IN THE HAYSTACK");
        if (!WriteBytes(root + "\\text" + std::to_string(i) + ".txt", bytes)) return false;
    }
    return WriteBytes(marker, "done");
}

// Runs a command line, its output into |outFile|; the seconds it took, or -1.
double RunTool(const std::string& commandLine, const std::string& outFile) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE out = CreateFileA(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return -1;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const double start = Now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(out);
        return -1;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    const double took = Now() - start;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(out);
    return took;
}

int CountLines(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return -1;
    int lines = 0;
    for (int c; (c = std::fgetc(f)) != EOF;)
        if (c == '\n') ++lines;
    std::fclose(f);
    return lines;
}

// What the search dialog does after each event, without a window: look at the
// queue. Also records the longest time between two events.
struct PumpingCallback {
    double last = 0;
    double longestGap = 0;
    long events = 0;
    static void Event(FileFinder&, int32_t, INT_PTR user) {
        auto* self = reinterpret_cast<PumpingCallback*>(user);
        const double now = Now();
        self->longestGap = std::max(self->longestGap, now - self->last);
        self->last = now;
        ++self->events;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
};

double TimeFinder(const FileSearchOptions& options, int& found, PumpingCallback* pump) {
    FileFinder finder;
    if (pump) {
        pump->last = Now();
        finder.SetCallback(&PumpingCallback::Event, reinterpret_cast<INT_PTR>(pump));
    }
    const double start = Now();
    found = finder.Search(options);
    const double took = Now() - start;
    if (pump) pump->longestGap = std::max(pump->longestGap, Now() - pump->last);
    return took;
}

void Report(const char* what, double ours, double theirs) {
    std::printf("%-44s FileFinder %7.3f s   system %7.3f s   ratio %5.2f\n", what, ours, theirs,
                theirs > 0 ? ours / theirs : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string base = argc > 1 ? argv[1] : "C:\\ql_bench";
    CreateDirectoryA(base.c_str(), nullptr);
    const std::string tree = base + "\\tree";
    const std::string content = base + "\\content";
    if (!MakeTree(tree) || !MakeContent(content)) {
        std::printf("could not make the trees under %s\n", base.c_str());
        return 1;
    }
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string outFile = std::string(temp) + "ql_bench_out.txt";

    // Warm the caches once with each tool, then take the best of three.
    FileSearchOptions walk;
    walk.startFolder = tree;
    walk.namePattern = kTarget;
    walk.recurse = true;
    walk.filters = FilterAttributes;
    walk.attributeMask = FILE_ATTRIBUTE_ARCHIVE;
    const std::string dir = "cmd /c dir /s /b " + tree + "\\" + kTarget;
    int found = 0;
    TimeFinder(walk, found, nullptr);
    RunTool(dir, outFile);
    double ours = 1e9, pumped = 1e9, theirs = 1e9;
    PumpingCallback pump;
    for (int run = 0; run < 3; ++run) {
        ours = std::min(ours, TimeFinder(walk, found, nullptr));
        pumped = std::min(pumped, TimeFinder(walk, found, &pump));
        theirs = std::min(theirs, RunTool(dir, outFile));
    }
    std::printf("tree: %d files in %d folders; FileFinder found %d, dir listed %d\n",
                kTopFolders * kSubFolders * kFilesPerLeaf, kTopFolders * (kSubFolders + 1) + 1, found,
                CountLines(outFile));
    Report("find one name (archive filter) vs dir /s /b", ours, theirs);
    Report("  the same with the dialog's pump per event", pumped, theirs);
    std::printf("  longest time between two callbacks: %.1f ms over %ld events\n", pump.longestGap * 1000.0,
                pump.events / 3);

    FileSearchOptions scan;
    scan.startFolder = content;
    scan.namePattern = "*.txt";
    scan.recurse = true;
    scan.filters = FilterContent;
    scan.contentText = "needle in the";
    const std::string findstr = "findstr /s /i /m \"needle in the\" " + content + "\\*.txt";
    TimeFinder(scan, found, nullptr);
    RunTool(findstr, outFile);
    ours = theirs = 1e9;
    for (int run = 0; run < 3; ++run) {
        ours = std::min(ours, TimeFinder(scan, found, nullptr));
        theirs = std::min(theirs, RunTool(findstr, outFile));
    }
    std::printf("content: %d files, %zu MB; FileFinder found %d, findstr listed %d\n", kContentFiles,
                kContentFiles * kContentFileSize >> 20, found, CountLines(outFile));
    Report("content over 50 MB vs findstr /s /i", ours, theirs);
    if (CountLines(outFile) <= 0 && found > 0)
        std::printf("  findstr printed nothing: this system's findstr does not search (Wine 8 has a stub)\n");

    // find: case-sensitive and without /s, given every file by name.
    std::string find = "find \"NEEDLE IN THE\"";
    for (int i = 0; i < kContentFiles; ++i) find += " " + content + "\\text" + std::to_string(i) + ".txt";
    RunTool(find, outFile);
    theirs = 1e9;
    for (int run = 0; run < 3; ++run) theirs = std::min(theirs, RunTool(find, outFile));
    Report("content over 50 MB vs find (case-sensitive)", ours, theirs);
    return 0;
}
