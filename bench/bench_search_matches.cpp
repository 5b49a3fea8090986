// The game search dialog when much matches.
// 1. Time: a tree in which each of N leaf folders holds "TARGET.EXE" is searched
//    in R rounds, each by the engine alone (no callback), by the engine with a
//    callback that only looks at the message queue after every event (the
//    dialog's pump without a dialog) and by the dialog on screen. The summary
//    compares the best times of the three.
// 2. Memory: five dialog searches for "F*.DAT" in a tree of 100,000 such files
//    in 100 folders, with the working set and private bytes after each: what an
//    earlier search leaves behind shows as growth.
//
// Usage: bench_search_matches [N] [R] [folder]   (20000, 3 and C:\ql_bench; the
//        trees are made once)
#include "BenchClock.h"
#include "data/GameFile.h"
#include "dialogs/GameSearchDialog.h"
#include "res/GameSearchDialogRes.h"
#include "search/FileFinder.h"
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kPerFolder = 100;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Touch(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    return f && std::fputs("MZ", f) >= 0 && std::fclose(f) == 0;
}

// root\tNNN\lNN\TARGET.EXE, |count| leaves in all.
bool MakeLeaves(const std::string& root, int count) {
    if (Exists(root + "\\complete.txt")) return true;
    std::printf("making %d folders holding TARGET.EXE in %s ...\n", count, root.c_str());
    CreateDirectoryA(root.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        const std::string top = root + "\\t" + std::to_string(i / kPerFolder);
        if (i % kPerFolder == 0) CreateDirectoryA(top.c_str(), nullptr);
        const std::string leaf = top + "\\l" + std::to_string(i % kPerFolder);
        if (!CreateDirectoryA(leaf.c_str(), nullptr) || !Touch(leaf + "\\TARGET.EXE")) return false;
    }
    return Touch(root + "\\complete.txt");
}

// root\dNN\FNNNN.DAT: 100 folders of 1,000 files.
bool MakeFiles(const std::string& root) {
    if (Exists(root + "\\complete.txt")) return true;
    std::printf("making 100,000 files in %s ...\n", root.c_str());
    CreateDirectoryA(root.c_str(), nullptr);
    for (int d = 0; d < 100; ++d) {
        const std::string folder = root + "\\d" + std::to_string(d);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (int f = 0; f < 1000; ++f)
            if (!Touch(folder + "\\F" + std::to_string(f) + ".DAT")) return false;
    }
    return Touch(root + "\\complete.txt");
}

// The dialog's pump after every event, without the dialog.
void PumpOnly(FileFinder&, int32_t, INT_PTR) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

double TimeEngine(const FileSearchOptions& options, bool pump, int& found) {
    FileFinder finder;
    if (pump) finder.SetCallback(&PumpOnly, 0);
    const double start = Now();
    found = finder.Search(options);
    return Now() - start;
}

std::string Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return "";
    char text[80];
    std::snprintf(text, sizeof text, "working set %6.1f MB, private %6.1f MB", counters.WorkingSetSize / 1048576.0,
                  counters.PagefileUsage / 1048576.0);
    return text;
}

// The dialog on screen, as a player sees it, searching for |name| from |start|.
class ShownDialog {
public:
    ShownDialog(const char* name, const std::string& start) : _dialog(_game, "Many matches") {
        SetField(_game.record.programName, name);  // not loaded: nothing is written
        _h = _dialog.Create(nullptr);
        ShowWindow(_h, SW_SHOW);
        SetDlgItemTextA(_h, IDC_SEARCH_START, start.c_str());
        UpdateWindow(_h);
    }
    ~ShownDialog() { DestroyWindow(_h); }
    // Presses Search; the seconds until the search and its completion are done.
    double Search() {
        const double start = Now();
        SendMessageA(_h, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_GO, BN_CLICKED), 0);
        return Now() - start;
    }
    int Rows() const { return static_cast<int>(SendDlgItemMessageA(_h, IDC_SEARCH_LIST, LVM_GETITEMCOUNT, 0, 0)); }

private:
    CurrentGame _game;
    GameSearchDialog _dialog;
    HWND _h;
};

}  // namespace

int main(int argc, char** argv) {
    const int leaves = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string base = argc > 3 ? argv[3] : "C:\\ql_bench";
    CreateDirectoryA(base.c_str(), nullptr);
    const std::string leafTree = base + "\\matches" + std::to_string(leaves), fileTree = base + "\\files100000";
    if (!MakeLeaves(leafTree, leaves) || !MakeFiles(fileTree)) {
        std::printf("could not make the trees under %s\n", base.c_str());
        return 1;
    }
    InitCommonControls();

    // The dialog's own request: the name, every subfolder, the archive filter.
    FileSearchOptions options;
    options.startFolder = leafTree;
    options.namePattern = "TARGET.EXE";
    options.recurse = true;
    options.filters = FilterAttributes;
    options.attributeMask = FILE_ATTRIBUTE_ARCHIVE;
    FileFinder().Search(options);  // warms the caches
    std::printf("time: %d folders holding TARGET.EXE under %s\n", leaves, leafTree.c_str());
    double engine = 1e9, pumped = 1e9, shown = 1e9;
    {
        ShownDialog dialog("TARGET.EXE", leafTree);
        for (int round = 1; round <= rounds; ++round) {
            int found = 0, foundPumped = 0;
            const double e = TimeEngine(options, false, found), p = TimeEngine(options, true, foundPumped);
            const double d = dialog.Search();
            std::printf("round %d: engine %8.3f s (%d matches)  with the pump %8.3f s (%d)  dialog %8.3f s (%d rows)\n",
                        round, e, found, p, foundPumped, d, dialog.Rows());
            engine = std::min(engine, e);
            pumped = std::min(pumped, p);
            shown = std::min(shown, d);
        }
    }
    std::printf("best of %d: engine %.3f s, with the pump %.3f s, dialog %.3f s\n", rounds, engine, pumped, shown);
    std::printf("dialog / engine %.2f, dialog / engine with the pump %.2f\n", shown / engine, shown / pumped);

    std::printf("memory: five searches for F*.DAT, 100,000 files in 100 folders under %s\n", fileTree.c_str());
    ShownDialog dialog("F*.DAT", fileTree);
    std::printf("before the first:  %s\n", Memory().c_str());
    for (int run = 1; run <= 5; ++run) {
        const double took = dialog.Search();
        std::printf("after search %d:    %s   (%d rows, %.3f s)\n", run, Memory().c_str(), dialog.Rows(), took);
    }
    return 0;
}
