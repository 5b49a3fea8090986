// Finding a game's sound setup files, and saying what they chose.
#include "launch/SoundSetup.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include "launch/SoundSetupReaders.h"
#include <windows.h>
#include <algorithm>
#include <iterator>
#include <vector>

namespace {

constexpr DWORD kReadCap = 32 * 1024;   // such files are a few hundred bytes; the rest is never read
constexpr int kMaxEntries = 4096;       // folder entries looked at, all folders together
constexpr size_t kMaxSubfolders = 32;   // subfolders read, in name order
constexpr size_t kMaxOtherConfigs = 8;  // other .CFG files read per folder, in name order

const struct {
    const char* name;
    SetupFormat format;
} kNamedFiles[] = {
    {"DIG.INI", SetupFormat::MilesSound},  {"MDI.INI", SetupFormat::MilesMusic}, {"HMISET.CFG", SetupFormat::Hmi},
    {"RESOURCE.CFG", SetupFormat::Sierra}, {"DEFAULT.CFG", SetupFormat::Dmx},    {"HERETIC.CFG", SetupFormat::Dmx},
    {"HEXEN.CFG", SetupFormat::Dmx},
};

// Which of kNamedFiles |name| is, or -1.
int NamedFile(const std::string& name) {
    for (size_t i = 0; i < std::size(kNamedFiles); ++i)
        if (EqualNoCase(name, kNamedFiles[i].name)) return static_cast<int>(i);
    return -1;
}

// The first kReadCap bytes of a disk file. Anything else (a device under a
// file's name, a folder, a pipe) is never read: false.
bool ReadStart(const std::string& path, std::string& text) {
    text.clear();
    if (path.size() >= MAX_PATH || HasDeviceStep(path)) return false;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = GetFileType(h) == FILE_TYPE_DISK;
    if (ok) {
        DWORD got = 0;
        text.resize(kReadCap);
        ok = ReadFile(h, &text[0], kReadCap, &got, nullptr) != 0;
        text.resize(ok ? got : 0);
    }
    CloseHandle(h);
    return ok;
}

struct Listing {
    std::string named[std::size(kNamedFiles)];  // as they are spelt in the folder, or empty
    std::vector<std::string> folders, configs;  // subfolders; other .CFG files
};

// What |folder| holds, the lists in name order, looking at no more entries
// than |budget| allows (and spending them): files are found in the listing,
// never looked up by name, which under Wine reads the whole folder each time.
// Junctions, device names and names that would leave the folder are passed
// over.
Listing List(const std::string& folder, int& budget) {
    Listing listing;
    WIN32_FIND_DATAA data;
    HANDLE find = budget > 0 ? FindFirstFileA((folder + "\\*").c_str(), &data) : INVALID_HANDLE_VALUE;
    if (find == INVALID_HANDLE_VALUE) return listing;
    do {
        const std::string name = data.cFileName;
        if (!IsPlainFileName(name)) continue;
        const int named = NamedFile(name);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) listing.folders.push_back(name);
        } else if (named >= 0) {
            listing.named[named] = name;
        } else if (name.size() > 4 && EqualNoCase(name.substr(name.size() - 4), ".cfg")) {
            listing.configs.push_back(name);
        }
    } while (--budget > 0 && FindNextFileA(find, &data));
    FindClose(find);
    std::sort(listing.folders.begin(), listing.folders.end(), LessNoCase);
    std::sort(listing.configs.begin(), listing.configs.end(), LessNoCase);
    return listing;
}

bool Complete(const SoundSetup& found) {
    return found.sound.card != SoundCard::NotSet && found.music.card != SoundCard::NotSet;
}

// Takes the parts of one file's setup that no earlier file named.
void Take(SoundSetup& found, const SoundSetup& file) {
    if (found.sound.card == SoundCard::NotSet && file.sound.card != SoundCard::NotSet) {
        found.sound = file.sound;
        found.port = file.port;
        found.irq = file.irq;
        found.dma = file.dma;
        found.highDma = file.highDma;
    }
    if (found.music.card == SoundCard::NotSet && file.music.card != SoundCard::NotSet) {
        found.music = file.music;
        found.midiPort = file.midiPort;
    }
}

void ReadOne(const std::string& folder, const std::string& name, SetupFormat format, const std::string& shown,
             SoundSetup& found) {
    std::string text;
    if (!name.empty() && !Complete(found) && ReadStart(folder + "\\" + name, text))
        Take(found, ReadSetupText(format, text, shown));
}

// The files of one folder, in their order; |shownFolder| is the folder as the
// details bar names it ("" or "SOUND\\").
void ReadFolder(const std::string& folder, const std::string& shownFolder, const Listing& listing, SoundSetup& found) {
    for (size_t i = 0; i < std::size(kNamedFiles); ++i)
        ReadOne(folder, listing.named[i], kNamedFiles[i].format, shownFolder + kNamedFiles[i].name, found);
    for (size_t i = 0; i < listing.configs.size() && i < kMaxOtherConfigs; ++i)
        ReadOne(folder, listing.configs[i], SetupFormat::Apogee, shownFolder + listing.configs[i], found);
}

}  // namespace

SoundSetup FindSoundSetup(const std::string& gameFolder) {
    SoundSetup found;
    std::string root = gameFolder;
    while (!root.empty() && (root.back() == '\\' || root.back() == '/')) root.pop_back();
    if (root.empty()) return found;
    int budget = kMaxEntries;
    const Listing top = List(root, budget);
    ReadFolder(root, "", top, found);
    for (size_t i = 0; i < top.folders.size() && i < kMaxSubfolders && !Complete(found); ++i) {
        const std::string folder = root + "\\" + top.folders[i];
        ReadFolder(folder, top.folders[i] + "\\", List(folder, budget), found);
    }
    return found;
}

std::string SoundSetupText(const SoundSetup& setup) {
    if (!setup.Found()) return "not found";
    std::string text;
    const bool sound = setup.sound.card != SoundCard::NotSet, music = setup.music.card != SoundCard::NotSet;
    if (sound) {
        text = setup.sound.file + ": " + (setup.sound.card == SoundCard::None ? "no sound" : setup.sound.name);
        if (setup.port.value >= 0) text += Format(", %X", setup.port.value);
        if (setup.irq.value >= 0) text += Format(", IRQ %d", setup.irq.value);
        if (setup.dma.value >= 0) text += Format(", DMA %d", setup.dma.value);
        if (setup.highDma.value >= 0) text += Format(", high DMA %d", setup.highDma.value);
    }
    if (music) {
        if (sound) text += "; ";
        if (!sound || setup.music.file != setup.sound.file) text += setup.music.file + ": ";
        text += setup.music.card == SoundCard::None ? "no music" : "music " + setup.music.name;
        if (setup.midiPort.value >= 0) text += Format(", %X", setup.midiPort.value);
    }
    return text;
}
