// Randomized game files against the code that reads, checks and writes them:
// the record and picture checks on bytes that end at a no-access page, the
// parameter line, reading from disk, and saving and embedding on copies with
// failed saves injected (a locked file, a read-only file, "X.new" a folder).
//
// Every input comes from the seed and its index alone. Switches:
//   --fuzz-seconds=N     run for N seconds (default 20; 0: no time limit)
//   --fuzz-iterations=N  stop after N inputs (default: no limit)
//   --fuzz-seed=S        the seed (default: from the clock; always printed)
//   --fuzz-index=I       run input I only, to reproduce a finding
//   --fuzz-file-every=N  every Nth input also goes through the files (default 32)
//   --fuzz-load-percent=P  pictures that pass the check go to LoadImageA (default 10)
#include "BmpBuilder.h"
#include "TestEnv.h"
#include "data/Bitmap.h"
#include "data/GameFile.h"
#include "launch/ParameterLine.h"
#include <gtest/gtest.h>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Options {
    unsigned long long seed = 0;
    unsigned long long iterations = ULLONG_MAX;
    unsigned long long seconds = 20;
    long long only = -1;
    unsigned long long fileEvery = 32;
    unsigned long long loadPercent = 10;
};

bool Switch(const std::string& args, const char* name, unsigned long long& value) {
    size_t at = args.find(name);
    if (at == std::string::npos) return false;
    value = std::strtoull(args.c_str() + at + std::strlen(name), nullptr, 0);
    return true;
}

Options ReadOptions() {
    const std::string args = GetCommandLineA();
    Options o;
    o.seed = (static_cast<unsigned long long>(GetTickCount()) << 20) ^ GetCurrentProcessId();
    Switch(args, "--fuzz-seed=", o.seed);
    const bool iterations = Switch(args, "--fuzz-iterations=", o.iterations);
    if (!Switch(args, "--fuzz-seconds=", o.seconds) && iterations) o.seconds = 0;
    unsigned long long index = 0;
    if (Switch(args, "--fuzz-index=", index)) o.only = static_cast<long long>(index);
    Switch(args, "--fuzz-file-every=", o.fileEvery);
    Switch(args, "--fuzz-load-percent=", o.loadPercent);
    if (o.fileEvery == 0) o.fileEvery = 1;
    return o;
}

// SplitMix64: one generator per input, seeded by the run's seed and the index.
class Rng {
public:
    Rng(unsigned long long seed, unsigned long long index) : _s(seed ^ (index * 0x9E3779B97F4A7C15ull)) { Next(); }
    unsigned long long Next() {
        unsigned long long z = (_s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t Below(uint32_t n) { return n ? static_cast<uint32_t>(Next() % n) : 0; }
    bool Chance(uint32_t percent) { return Below(100) < percent; }
    template <size_t N>
    auto Pick(const uint32_t (&values)[N]) {
        return values[Below(N)];
    }

private:
    unsigned long long _s;
};

const uint32_t kInteresting[] = {0,          1,          2,          3,          4,          7,          8,
                                 12,         14,         16,         24,         32,         40,         54,
                                 64,         108,        124,        255,        256,        4096,       0x7FFF,
                                 0x8000,     0xFFFF,     0x10000,    0x7FFFFFFF, 0x80000000, 0xFFFFFFF0, 0xFFFFFFFF,
                                 0xFFFFFFFE, 0x40000000, 0x3FFFFFFF, 0x01000000};

// Text in a fixed field: often short, sometimes filling the field without a terminator.
template <size_t N>
void RandomText(Rng& r, char (&field)[N], const char* alphabet) {
    if (!r.Chance(30)) return;
    const size_t len = r.Chance(20) ? N : r.Below(N);
    const size_t n = std::strlen(alphabet);
    std::memset(field, 0, N);
    for (size_t i = 0; i < len; ++i) field[i] = alphabet[r.Below(static_cast<uint32_t>(n))];
}

constexpr char kParamChars[] = "/-:=,.0123456789abcdeMSB \"%^&|<>\r\n\t\x7f\x01";
constexpr char kTextChars[] = "abcXYZ 019\\.:()&|<>\r\n\xE9\xFF";

int32_t RandomIndex(Rng& r) {
    static const int32_t kValues[] = {-1, 0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, INT_MIN, INT_MAX, -2};
    return r.Chance(90) ? kValues[r.Below(sizeof kValues / sizeof kValues[0])] : static_cast<int32_t>(r.Next());
}

GameRecord RandomRecord(Rng& r) {
    GameRecord g = BlankGameRecord();
    RandomText(r, g.title, kTextChars);
    RandomText(r, g.path, kTextChars);
    RandomText(r, g.command, kTextChars);
    RandomText(r, g.comment, kTextChars);
    if (r.Chance(60)) SetField(g.setup, r.Chance(50) ? "(Parameters)" : "(pArAmEtErS)");
    for (auto* p : {g.keyboardParam, g.mouseParam, g.joystickParam, g.customParam, g.vesaParam, g.vgaParam, g.egaParam,
                    g.mcgaParam, g.cgaParam, g.tandyParam}) {
        RandomText(r, *reinterpret_cast<char(*)[kParamSize]>(p), kParamChars);
    }
    for (auto& p : g.soundParams) RandomText(r, p, kParamChars);
    for (auto& p : g.musicParams) RandomText(r, p, kParamChars);
    g.selectedSound = RandomIndex(r);
    g.selectedMusic = RandomIndex(r);
    g.selectedDisplay = RandomIndex(r);
    for (int32_t* on : {&g.keyboardOn, &g.mouseOn, &g.joystickOn, &g.customOn})
        *on = r.Chance(10) ? static_cast<int32_t>(r.Next()) : static_cast<int32_t>(r.Below(2));
    g.options = static_cast<int32_t>(r.Chance(90) ? r.Below(4) : r.Next());
    if (r.Chance(5)) g.version = static_cast<uint16_t>(r.Below(10));
    if (r.Chance(3)) g.reserved = 1;
    if (r.Chance(3)) g.magic[r.Below(8)] ^= 0x20;
    return g;
}

// A run-length stream, mostly well formed.
std::vector<unsigned char> RandomRle(Rng& r, int width, int height, bool fourBit) {
    std::vector<unsigned char> s;
    for (int y = 0; y < height && s.size() < 4000; ++y) {
        int x = 0;
        while (x < width && r.Chance(85)) {
            const int left = width - x;
            if (r.Chance(50)) {
                int n = 1 + static_cast<int>(r.Below(static_cast<uint32_t>(std::min(left, 255))));
                s.push_back(static_cast<unsigned char>(n));
                s.push_back(static_cast<unsigned char>(r.Next()));
                x += n;
            } else if (left >= 3) {
                int n = 3 + static_cast<int>(r.Below(static_cast<uint32_t>(std::min(left, 255) - 2)));
                s.push_back(0);
                s.push_back(static_cast<unsigned char>(n));
                int bytes = fourBit ? (n + 1) / 2 : n;
                for (int i = 0; i < (bytes + 1) / 2 * 2; ++i) s.push_back(static_cast<unsigned char>(r.Next()));
                x += n;
            } else {
                break;
            }
        }
        if (r.Chance(5)) {
            s.insert(s.end(), {0, 2, static_cast<unsigned char>(r.Below(4)), static_cast<unsigned char>(r.Below(2))});
        }
        s.push_back(0);
        s.push_back(0);
    }
    s.push_back(0);
    s.push_back(1);
    return s;
}

std::vector<char> RandomBitmap(Rng& r) {
    if (r.Chance(8)) {  // junk that starts like a bitmap
        std::vector<char> junk(r.Below(300));
        for (char& c : junk) c = static_cast<char>(r.Next());
        if (junk.size() >= 2) junk[0] = 'B', junk[1] = 'M';
        return junk;
    }
    BmpSpec s;
    static const uint32_t kInfo[] = {12, 40, 40, 40, 52, 56, 108, 124};
    static const uint32_t kBits[] = {1, 4, 8, 16, 24, 32};
    s.infoSize = r.Pick(kInfo);
    s.bitCount = static_cast<uint16_t>(r.Pick(kBits));
    s.width = 1 + static_cast<int32_t>(r.Below(r.Chance(10) ? 300 : 40));
    s.height = 1 + static_cast<int32_t>(r.Below(40));
    if (s.infoSize == 12) {
        if (s.bitCount == 16 || s.bitCount == 32) s.bitCount = 24;
    } else {
        if (r.Chance(20)) s.height = -s.height;
        const uint32_t kind = r.Below(6);
        if (kind == 0 && (s.bitCount == 16 || s.bitCount == 32)) s.compression = 3;
        if (kind == 1 && s.height > 0) s.bitCount = 8, s.compression = 1;
        if (kind == 2 && s.height > 0) s.bitCount = 4, s.compression = 2;
        if (s.bitCount <= 8 && r.Chance(30)) s.colorsUsed = r.Below((1u << s.bitCount) + 1);
    }
    if (s.compression == 1 || s.compression == 2) s.bits = RandomRle(r, s.width, s.height, s.compression == 2);
    return BuildBmp(s);
}

// Damage of the kinds that crashed the picture display: header fields set to
// odd values, bytes flipped, the end cut off.
void Damage(Rng& r, std::vector<char>& b) {
    const uint32_t rounds = r.Below(4);
    for (uint32_t i = 0; i < rounds && !b.empty(); ++i) {
        switch (r.Below(4)) {
            case 0: {  // a header field
                static const uint32_t kFields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46, 50, 70, 126, 130};
                uint32_t at = r.Pick(kFields);
                uint32_t v = r.Chance(70) ? r.Pick(kInteresting) : static_cast<uint32_t>(r.Next());
                if (at + 4 <= b.size()) std::memcpy(&b[at], &v, 4);
                break;
            }
            case 1:
                b[r.Below(static_cast<uint32_t>(std::min<size_t>(b.size(), 140)))] ^=
                    static_cast<char>(1 << r.Below(8));
                break;
            case 2: b[r.Below(static_cast<uint32_t>(b.size()))] = static_cast<char>(r.Next()); break;
            default: b.resize(r.Below(static_cast<uint32_t>(b.size() + 1))); break;
        }
    }
}

// Memory whose last usable byte is followed by a no-access page: a read past
// the data ends the process at once.
class GuardedBuffer {
public:
    static constexpr size_t kSize = 4 << 20;
    GuardedBuffer() {
        _base = static_cast<char*>(VirtualAlloc(nullptr, kSize + 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        if (_base) VirtualProtect(_base + kSize, 4096, PAGE_NOACCESS, &old);
    }
    ~GuardedBuffer() {
        if (_base) VirtualFree(_base, 0, MEM_RELEASE);
    }
    bool Ok() const { return _base != nullptr; }
    // A copy of |n| bytes that ends right at the no-access page.
    char* Place(const void* data, size_t n) {
        char* at = _base + kSize - n;
        if (n) std::memcpy(at, data, n);
        return at;
    }

private:
    char* _base = nullptr;
};

struct Stats {
    unsigned long long inputs = 0, fileRounds = 0, saves = 0, savesInjected = 0, embeds = 0, embedsInjected = 0,
                       accepted = 0, loaded = 0, acceptedNotLoaded = 0, refusedParams = 0;
};

// The current input, for the crash report.
unsigned long long g_seed = 0, g_index = 0;

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* e) {
    std::fprintf(stderr, "\nFUZZ CRASH: exception 0x%08lX at input --fuzz-seed=%llu --fuzz-index=%llu\n",
                 e && e->ExceptionRecord ? e->ExceptionRecord->ExceptionCode : 0ul, g_seed, g_index);
    std::fflush(stderr);
    return EXCEPTION_CONTINUE_SEARCH;
}

class Fuzzer {
public:
    Fuzzer(const Options& o) : _o(o) {
        _folder = MakeTempFolder("fuzz");
        _game = _folder + "\\g.qgf";
        _bitmap = _folder + "\\p.bmp";
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        _picture = _folder + "\\~_quil_~.bmp";
    }
    ~Fuzzer() {
        Cleanup();
        RemoveTree(_folder);
    }

    std::string failure;  // the first finding, with how to reproduce it
    Stats stats;

    void Fail(const std::string& what) {
        if (!failure.empty()) return;
        failure = what + " (reproduce with --fuzz-seed=" + std::to_string(_o.seed) +
                  " --fuzz-index=" + std::to_string(g_index) + ")";
    }

    void RunInput(unsigned long long index) {
        g_index = index;
        Rng r(_o.seed, index);
        ++stats.inputs;
        GameRecord record = RandomRecord(r);
        std::vector<char> picture;
        if (r.Chance(85)) picture = RandomBitmap(r);
        if (r.Chance(60)) Damage(r, picture);
        record.pictureSize = static_cast<uint32_t>(picture.size());
        if (r.Chance(15)) record.pictureSize = r.Chance(70) ? r.Pick(kInteresting) : static_cast<uint32_t>(r.Next());
        if (r.Chance(10)) record.pictureSize = static_cast<uint32_t>(picture.size()) + r.Below(9) - 4;

        std::vector<char> file(sizeof record + picture.size());
        std::memcpy(file.data(), &record, sizeof record);
        if (!picture.empty()) std::memcpy(file.data() + sizeof record, picture.data(), picture.size());
        if (r.Chance(5)) file.resize(r.Below(static_cast<uint32_t>(file.size() + 1)));

        CheckInMemory(record, file, r);
        if (_o.only >= 0 || index % _o.fileEvery == 0) FileRound(file, r);
    }

private:
    // The record and the picture as they would lie in a buffer of the file's size.
    void CheckInMemory(const GameRecord& record, const std::vector<char>& file, Rng& r) {
        const auto* g = reinterpret_cast<const GameRecord*>(_guard.Place(&record, sizeof record));
        CheckGameRecord(*g);
        const std::string line = ComposeParameterLine(*g);
        const std::string unsafe = UnsafeParameterField(*g);
        if (unsafe.empty() != IsSafeCommandText(line)) Fail("the parameter check and the line disagree: " + line);
        if (line.size() > 7 * kParamSize) Fail("parameter line too long");
        if (!unsafe.empty()) ++stats.refusedParams;
        FieldText(g->title), FieldText(g->comment), FieldText(g->dataName), UsesParameterSets(*g);

        // The picture bytes as a reader of the file gets them.
        const size_t available = file.size() > sizeof(GameRecord) ? file.size() - sizeof(GameRecord) : 0;
        const size_t n = std::min<size_t>({available, record.pictureSize, GuardedBuffer::kSize});
        const char* bytes = _guard.Place(file.data() + sizeof(GameRecord), n);
        if (!IsUsableBitmap(bytes, n)) return;
        ++stats.accepted;
        if (r.Chance(static_cast<uint32_t>(_o.loadPercent)) || _o.only >= 0) LoadPicture(bytes, n);
    }

    // What the main window does with a picture that passed the check.
    void LoadPicture(const char* bytes, size_t n) {
        WriteFileBytes(_picture, std::vector<char>(bytes, bytes + n));
        HBITMAP bmp = static_cast<HBITMAP>(
            LoadImageA(nullptr, _picture.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        if (bmp) {
            ++stats.loaded;
            DeleteObject(bmp);
        } else {
            ++stats.acceptedNotLoaded;
        }
    }

    enum Injection { kNone, kLockedAll, kLockedWrite, kReadOnly, kNewIsFolder, kInjections };

    HANDLE Inject(Injection what) {
        switch (what) {
            case kLockedAll:  // nobody may read, write or move it
                return CreateFileA(_game.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            case kLockedWrite:  // readable, but neither writable nor movable
                return CreateFileA(_game.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            case kReadOnly: SetFileAttributesA(_game.c_str(), FILE_ATTRIBUTE_READONLY); break;
            case kNewIsFolder: CreateDirectoryA((_game + ".new").c_str(), nullptr); break;
            default: break;
        }
        return INVALID_HANDLE_VALUE;
    }

    void Cleanup() {
        SetFileAttributesA(_game.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA((_game + ".new").c_str());
        for (const std::string& f : {_game + ".new", _game + ".old"}) {
            SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(f.c_str());
        }
    }

    bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    void CheckLeftovers(Injection injected, const char* op) {
        if (Exists(_game + ".old")) Fail(std::string(op) + " left X.qgf.old behind");
        if (injected != kNewIsFolder && Exists(_game + ".new")) Fail(std::string(op) + " left X.qgf.new behind");
    }

    void FileRound(const std::vector<char>& file, Rng& r) {
        ++stats.fileRounds;
        Cleanup();
        WriteFileBytes(_game, file);
        GameRecord record;
        const GameFileStatus status = ReadGameRecord(_game, record);
        GameFileStatus expected = GameFileStatus::TooShort;
        if (file.size() >= sizeof record) {
            GameRecord copy;
            std::memcpy(&copy, file.data(), sizeof copy);
            expected = CheckGameRecord(copy);
        }
        if (status != expected) Fail("ReadGameRecord gave an unexpected status");
        if (status != GameFileStatus::Ok) return;

        std::vector<char> picture;
        const bool read = ReadGamePicture(_game, record.pictureSize, picture);
        const size_t held = file.size() - sizeof record;
        if (read != (held >= record.pictureSize)) Fail("ReadGamePicture disagrees with the file's length");
        if (read && !std::equal(picture.begin(), picture.end(), file.begin() + sizeof record))
            Fail("ReadGamePicture read other bytes");

        Save(record, file, r);
        Embed(r);
    }

    void Save(const GameRecord& record, const std::vector<char>& file, Rng& r) {
        ++stats.saves;
        CurrentGame game;
        game.record = record;
        game.path = _game;
        game.loaded = true;
        const bool change = r.Chance(80);
        if (change) SetField(game.record.comment, ("saved " + std::to_string(r.Next())).c_str());
        const auto injected = static_cast<Injection>(r.Chance(50) ? r.Below(kInjections) : 0u);
        if (injected != kNone) ++stats.savesInjected;
        HANDLE lock = Inject(injected);
        const bool ok = SaveGameFile(game);
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
        const std::vector<char> after = ReadFileBytes(_game);
        if (injected == kReadOnly && !IsReadOnlyFile(_game)) Fail("a save dropped the read-only attribute");
        CheckLeftovers(injected, "a save");
        if (ok) {
            std::vector<char> want(reinterpret_cast<const char*>(&game.record),
                                   reinterpret_cast<const char*>(&game.record) + sizeof game.record);
            const size_t held = file.size() - sizeof record;
            if (record.pictureSize)
                want.insert(want.end(), file.begin() + sizeof record,
                            file.begin() + sizeof record + std::min<size_t>(held, record.pictureSize));
            if (after != want) Fail("a save wrote other bytes");
            if (injected != kNone && change) Fail("a save succeeded against an injected failure");
        } else {
            if (after != file) Fail("a failed save changed the file");
            if (injected == kNone) Fail("a save failed without a cause");
        }
    }

    void Embed(Rng& r) {
        ++stats.embeds;
        Cleanup();
        const std::vector<char> before = ReadFileBytes(_game);
        std::vector<char> bitmap = r.Chance(80) ? RandomBitmap(r) : std::vector<char>(r.Below(64), 'x');
        WriteFileBytes(_bitmap, bitmap);
        const auto injected = static_cast<Injection>(r.Chance(50) ? r.Below(kInjections) : 0u);
        if (injected != kNone) ++stats.embedsInjected;
        HANDLE lock = Inject(injected);
        const bool ok = EmbedPicture(_game, _bitmap);
        if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
        const std::vector<char> after = ReadFileBytes(_game);
        CheckLeftovers(injected, "an embed");
        GameRecord record;
        std::memcpy(&record, before.data(), sizeof record);
        const bool embeddable = record.reserved == 0 && record.version == kGameFormatVersion;
        if (ok) {
            if (injected != kNone) Fail("an embed succeeded against an injected failure");
            record.pictureSize = static_cast<uint32_t>(bitmap.size());
            std::vector<char> want(reinterpret_cast<const char*>(&record),
                                   reinterpret_cast<const char*>(&record) + sizeof record);
            want.insert(want.end(), bitmap.begin(), bitmap.end());
            if (after != want) Fail("an embed wrote other bytes");
        } else {
            if (after != before) Fail("a failed embed changed the file");
            if (injected == kNone && embeddable) Fail("an embed failed without a cause");
        }
    }

    Options _o;
    GuardedBuffer _guard;
    std::string _folder, _game, _bitmap, _picture;
};

TEST(GameFileFuzz, RandomGameFilesNeverCrashLoseDataOrLeaveFilesBehind) {
    const Options o = ReadOptions();
    g_seed = o.seed;
    std::printf("fuzz seed %llu (run again with --fuzz-seed=%llu)\n", o.seed, o.seed);
    std::fflush(stdout);
    SetUnhandledExceptionFilter(ReportCrash);
    Fuzzer fuzzer(o);
    const DWORD start = GetTickCount();
    unsigned long long index = o.only >= 0 ? static_cast<unsigned long long>(o.only) : 0;
    const unsigned long long end = o.only >= 0 ? index + 1 : o.iterations;
    for (; index < end && fuzzer.failure.empty(); ++index) {
        fuzzer.RunInput(index);
        if ((index & 255) == 0 && o.seconds && GetTickCount() - start >= o.seconds * 1000) {
            ++index;
            break;
        }
        if (index && index % 100000 == 0) {
            std::printf("fuzz: %llu inputs\n", index);
            std::fflush(stdout);
        }
    }
    const Stats& s = fuzzer.stats;
    std::printf(
        "fuzz: %llu inputs in %.1f s; %llu file rounds, %llu saves (%llu with an injected failure), %llu embeds "
        "(%llu injected); %llu pictures passed the check, %llu of them loaded by LoadImageA (%llu refused by it); "
        "%llu parameter lines refused\n",
        s.inputs, (GetTickCount() - start) / 1000.0, s.fileRounds, s.saves, s.savesInjected, s.embeds, s.embedsInjected,
        s.accepted, s.loaded, s.acceptedNotLoaded, s.refusedParams);
    EXPECT_EQ(fuzzer.failure, "");
    EXPECT_GT(s.inputs, 0u);
}

}  // namespace
