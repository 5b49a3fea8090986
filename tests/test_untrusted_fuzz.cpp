// Random game files, damaged sound setup files and damaged or hostile libraries of other launchers, each input
// from the seed and its index. --fuzz-seconds=N (0: no limit), --fuzz-iterations=N, --fuzz-seed=S, --fuzz-index=I.
#include "BmpBuilder.h"
#include "CatalogueTools.h"
#include "ImportSamples.h"
#include "TestEnv.h"
#include "data/Bitmap.h"
#include "data/GameExtras.h"
#include "data/GameFile.h"
#include "data/GameFolder.h"
#include "import/DbglExport.h"
#include "import/DFendProfile.h"
#include "import/DosBoxConf.h"
#include "import/Inflate.h"
#include "import/ImportToRecord.h"
#include "import/Xml.h"
#include "data/Strings.h"
#include "launch/DosBoxConfig.h"
#include "launch/GameSetup.h"
#include "launch/LaunchPlan.h"
#include "launch/ParameterLine.h"
#include "launch/SoundSetupDosBox.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr unsigned kFileEvery = 32;               // every 32nd input also goes through the files
constexpr unsigned kSetupEvery = 16;              // every 16th input also writes sound setup files
constexpr unsigned kLoadPercent = 10;             // pictures that pass the check go to LoadImageA
constexpr unsigned long long kAll = ULLONG_MAX;   // no --fuzz-index
constexpr unsigned long long kCiSeed = 20261207;  // CI runs the same inputs every time

struct Options {
    unsigned long long seed = kCiSeed, iterations = ULLONG_MAX, seconds = 4, only = kAll;
};

Options ReadOptions() {
    const std::string args = GetCommandLineA();
    auto read = [&](const char* name, unsigned long long& value) {
        const size_t at = args.find(name);
        if (at != std::string::npos) value = std::strtoull(args.c_str() + at + std::strlen(name), nullptr, 0);
        return at != std::string::npos;
    };
    Options o;
    read("--fuzz-seed=", o.seed);
    const bool iterations = read("--fuzz-iterations=", o.iterations);
    if (!read("--fuzz-seconds=", o.seconds) && iterations) o.seconds = 0;
    read("--fuzz-index=", o.only);
    return o;
}

// SplitMix64: one generator per input, seeded by the run's seed and the index.
class Rng {
public:
    Rng(unsigned long long seed, unsigned long long index) : _state(seed ^ (index * 0x9E3779B97F4A7C15ull)) { Next(); }
    unsigned long long Next() {
        unsigned long long z = (_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t Below(size_t n) { return n ? static_cast<uint32_t>(Next() % n) : 0; }
    bool Chance(uint32_t percent) { return Below(100) < percent; }
    template <typename T, size_t N>
    T Pick(const T (&values)[N]) {
        return values[Below(N)];
    }

private:
    unsigned long long _state;
};

const uint32_t kInteresting[] = {0, 1, 2, 3, 4, 7, 8, 12, 14, 16, 24, 32, 40, 54, 64, 108, 124, 255, 256, 4096, 0x7FFF,
                                 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFF0, 0xFFFFFFFF, 0xFFFFFFFE,
                                 0x40000000, 0x3FFFFFFF, 0x01000000};
const int32_t kIndexes[] = {-1, 0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, INT_MIN, INT_MAX, -2};

// Text in a fixed field: often short, sometimes filling the field without a terminator.
void RandomText(Rng& r, char* field, size_t size, const char* alphabet) {
    if (!r.Chance(30)) return;
    const size_t len = r.Chance(20) ? size : r.Below(size);
    std::memset(field, 0, size);
    for (size_t i = 0; i < len; ++i) field[i] = alphabet[r.Below(std::strlen(alphabet))];
}

// Reserved-area entries: ours with good and refused values, unknown ones, bad tags and lengths, random bytes.
void RandomEntries(Rng& r, char (&area)[756]) {
    if (!r.Chance(40)) return;
    static const char* const kTags[] = {"DBOX", "CDRM", "DBXL", "ZZ_9", "RUN_", "db\x01x", "\0\0\0\x01"};
    static const char* const kData[] = {"C:\\DB\\DOSBox.exe", "De", "D1", "Ia.iso\nC:\\b.CUE", "Ix.exe", "I",
                                        "cpu.cycles=1\nautoexec.x=1", "sdl.fullscreen=true", "", "a\r\nb",
                                        "dos.ems=false\n\ncpu.core=normal"};
    size_t at = 0;
    for (uint32_t i = 0, n = 1 + r.Below(6); i < n && at + 6 <= sizeof area; ++i) {
        std::string data = r.Pick(kData);
        if (r.Chance(20)) data.assign(r.Below(r.Chance(20) ? 900 : 60), static_cast<char>(r.Next()));
        const uint32_t length = r.Chance(10) ? r.Pick(kInteresting) & 0xFFFF : static_cast<uint32_t>(data.size());
        std::memcpy(area + at, r.Pick(kTags), 4);
        area[at + 4] = static_cast<char>(length & 0xFF);
        area[at + 5] = static_cast<char>(length >> 8 & 0xFF);
        at += 6;
        const size_t fits = std::min(data.size(), sizeof area - at);
        std::memcpy(area + at, data.data(), fits);
        at += fits;
    }
    if (r.Chance(5)) area[r.Below(sizeof area)] = static_cast<char>(r.Next());
}

GameRecord RandomRecord(Rng& r) {
    static const char kParamChars[] = "/-:=,.0123456789abcdeMSB \"%^&|<>\r\n\t\x7f\x01";
    static const char kTextChars[] = "abcXYZ 019\\.:()&|<>%^;,=\"\r\n\xE9\xFF";
    GameRecord g = BlankGameRecord();
    for (char* t : {g.title, g.path, g.command, g.setup}) RandomText(r, t, kTextSize, kTextChars);
    if (r.Chance(30)) SetField(g.command, (FieldText(g.command).substr(0, 200) + ".EXE").c_str());
    RandomText(r, g.comment, sizeof g.comment, kTextChars);
    if (r.Chance(60)) SetField(g.setup, r.Chance(50) ? "(Parameters)" : "(pArAmEtErS)");
    for (char* p : {g.keyboardParam, g.mouseParam, g.joystickParam, g.customParam, g.vesaParam, g.vgaParam, g.egaParam,
                    g.mcgaParam, g.cgaParam, g.tandyParam})
        RandomText(r, p, kParamSize, kParamChars);
    for (auto& p : g.soundParams) RandomText(r, p, kParamSize, kParamChars);
    for (auto& p : g.musicParams) RandomText(r, p, kParamSize, kParamChars);
    for (int32_t* i : {&g.selectedSound, &g.selectedMusic, &g.selectedDisplay})
        *i = r.Chance(90) ? r.Pick(kIndexes) : static_cast<int32_t>(r.Next());
    for (int32_t* on : {&g.keyboardOn, &g.mouseOn, &g.joystickOn, &g.customOn})
        *on = static_cast<int32_t>(r.Chance(10) ? r.Next() : r.Below(2));
    g.options = static_cast<int32_t>(r.Chance(90) ? r.Below(4) : r.Next());
    RandomEntries(r, g.reservedArea);
    if (r.Chance(5)) g.version = static_cast<uint16_t>(r.Below(10));
    if (r.Chance(3)) g.reserved = 1;
    if (r.Chance(3)) g.magic[r.Below(8)] ^= 0x20;
    return g;
}

// A run-length stream, mostly well formed: runs, padded literals, moves, line ends.
std::vector<unsigned char> RandomRle(Rng& r, int width, int height, bool fourBit) {
    std::vector<unsigned char> s;
    for (int y = 0; y < height && s.size() < 4000; ++y) {
        for (int x = 0; x < width && r.Chance(85);) {
            const int left = std::min(width - x, 255);
            if (r.Chance(50) || left < 3) {
                const int n = 1 + static_cast<int>(r.Below(left));
                s.insert(s.end(), {static_cast<unsigned char>(n), static_cast<unsigned char>(r.Next())});
                x += n;
            } else {
                const int n = 3 + static_cast<int>(r.Below(left - 2));
                s.insert(s.end(), {0, static_cast<unsigned char>(n)});
                const int bytes = fourBit ? (n + 1) / 2 : n;
                for (int i = 0; i < (bytes + 1) / 2 * 2; ++i) s.push_back(static_cast<unsigned char>(r.Next()));
                x += n;
            }
        }
        if (r.Chance(5))
            s.insert(s.end(), {0, 2, static_cast<unsigned char>(r.Below(4)), static_cast<unsigned char>(r.Below(2))});
        s.insert(s.end(), {0, 0});
    }
    s.insert(s.end(), {0, 1});
    return s;
}

std::vector<char> RandomBitmap(Rng& r) {
    if (r.Chance(8)) {  // junk that starts like a bitmap
        std::vector<char> junk(r.Below(300));
        for (char& c : junk) c = static_cast<char>(r.Next());
        if (junk.size() >= 2) junk[0] = 'B', junk[1] = 'M';
        return junk;
    }
    static const uint32_t kInfo[] = {12, 40, 40, 40, 52, 56, 108, 124};
    static const uint16_t kBits[] = {1, 4, 8, 16, 24, 32};
    BmpSpec s(1 + static_cast<int32_t>(r.Below(r.Chance(10) ? 300 : 40)), 1 + static_cast<int32_t>(r.Below(40)),
              r.Pick(kBits), 0, r.Pick(kInfo));
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

// Damage of the kinds that crashed the picture display: odd header fields, flipped bytes, the end cut off.
void Damage(Rng& r, std::vector<char>& b) {
    static const uint32_t kFields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46, 50, 70, 126, 130};
    for (uint32_t i = 0, rounds = r.Below(4); i < rounds && !b.empty(); ++i) {
        switch (r.Below(4)) {
            case 0: {
                const uint32_t at = r.Pick(kFields), v = r.Chance(70) ? r.Pick(kInteresting) : uint32_t(r.Next());
                if (at + 4 <= b.size()) std::memcpy(&b[at], &v, 4);
            } break;
            case 1: b[r.Below(std::min<size_t>(b.size(), 140))] ^= static_cast<char>(1 << r.Below(8)); break;
            case 2: b[r.Below(b.size())] = static_cast<char>(r.Next()); break;
            default: b.resize(r.Below(b.size() + 1)); break;
        }
    }
}

// A copy of |n| bytes ending where a no-access page starts: a read past the data ends the process.
const char* BeforeNoAccessPage(const void* data, size_t n) {
    constexpr size_t kSize = 4 << 20;
    static char* const base = [] {
        auto* b = static_cast<char*>(VirtualAlloc(nullptr, kSize + 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(b + kSize, 4096, PAGE_NOACCESS, &old);
        return b;
    }();
    n = std::min(n, kSize);
    if (n) std::memcpy(base + kSize - n, data, n);
    return base + kSize - n;
}

// A sample of each setup file format, damaged or replaced by the fuzzer.
const char* const kSetupSamples[][2] = {
    {"DIG.INI", "DRIVER SB16.DIG\r\nIO_ADDR 220\r\nIRQ 5\r\nDMA_8_bit 1\r\nDMA_16_bit 5\r\n"},
    {"MDI.INI", "DRIVER MT32MPU.MDI\nIO_ADDR 330\n"},
    {"HMISET.CFG", "[DIGITAL]\nDeviceID=0xe024\nDevicePort=0x240\nDeviceDMA=3\nDeviceIRQ=5\n[MIDI]\nDeviceID=0xa001\n"},
    {"DEFAULT.CFG", "snd_sfxdevice 3\nsnd_musicdevice 8\nsnd_sbport 544\nsnd_sbirq 7\nsnd_sbdma 1\nsnd_mport 816\n"},
    {"GAME.CFG",
     "[Sound Setup]\nFXDevice = 0\nMusicDevice = 4\nBlasterAddress = 0x220\nBlasterType = 6\n"
     "BlasterInterrupt = 5\nBlasterDma8 = 1\nBlasterDma16 = 5\nMidiPort = 0x330\n"},
    {"RESOURCE.CFG", "soundDrv = MT32.DRV\naudioDrv = AUDBLAST.DRV\n"},
};
const char* const kSetupJunk[] = {
    "-1", "0x", "0xFFFFFFFF", "99999999999",   "=",      "[",       "]",   "\r", "\n", " ", ";",
    "\t", "-",  "\xff",       "[Sound Setup]", "[MIDI]", "DRIVER ", "0xe0"};

std::string RandomSetupText(Rng& r, const char* sample) {
    std::string text = sample;
    if (r.Chance(15)) {
        text.resize(r.Below(700));
        for (char& c : text) c = static_cast<char>(r.Next());
    }
    for (uint32_t i = 0, rounds = r.Below(6); i < rounds; ++i) {
        const size_t at = r.Below(text.size() + 1);
        switch (r.Below(4)) {
            case 0: text.insert(at, r.Pick(kSetupJunk)); break;
            case 1: text.insert(at, std::string(1 + r.Below(8), '\0')); break;
            case 2: if (at < text.size()) text[at] = static_cast<char>(r.Next()); break;
            default: text.resize(at); break;
        }
    }
    if (r.Chance(3)) text.insert(0, std::string(30000 + r.Below(10000), r.Chance(50) ? 'x' : '\n'));  // past the cap
    return text;
}

// Every file below |folder| with its bytes: what a reader must leave as it was.
std::string FolderState(const std::string& folder) {
    std::string state;
    for (const std::string& file : FilesBelow(folder)) state += file + "\n" + FileText(folder + file) + "\n";
    return state;
}

// Every setting line holds a value that DOSBox 0.74 offers, or is one of the game's own lines.
bool SoundLinesOffered(const std::string& config, const GameRecord& game) {
    std::string offered = " gus=true pcspeaker=true tandy=on disney=true mpu401=intelligent mpu401=none ";
    for (const char* v : {"svga_s3", "vgaonly", "ega", "cga", "tandy"}) offered += std::string("machine=") + v + " ";
    for (const std::string& own : ReadGameExtras(game).extras.extraLines) {
        ExtraLine line;
        if (CheckExtraLine(own, &line) == ExtraLinePart::None) offered += line.key + "=" + line.value + " ";
    }
    for (const char* v : {"sb2", "sbpro1", "sbpro2", "sb16", "none"}) offered += std::string("sbtype=") + v + " ";
    for (const char* v : {"opl2", "dualopl2", "opl3"}) offered += std::string("oplmode=") + v + " ";
    for (const char* v : {"220", "240", "260", "280", "2a0", "2c0", "2e0", "300"})
        offered += std::string("sbbase=") + v + " gusbase=" + v + " ";
    for (const char* v : {"3", "5", "7", "9", "10", "11", "12"})
        offered += std::string("irq=") + v + " gusirq=" + v + " ";
    for (const char* v : {"0", "1", "3", "5", "6", "7"})
        offered += std::string("dma=") + v + " hdma=" + v + " gusdma=" + v + " ";
    if (config.empty()) return true;  // refused: nothing written
    const size_t to = config.find("[autoexec]");
    for (size_t at = config.find("\r\n") + 2; at < to;) {
        const size_t end = config.find("\r\n", at);
        if (end == std::string::npos) return false;
        const std::string line = config.substr(at, end - at);
        if (line[0] != '[' && offered.find(" " + line + " ") == std::string::npos) return false;
        at = end + 2;
    }
    return true;
}

// The current input, for the crash report.
unsigned long long g_seed = 0, g_index = 0;

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* e) {
    std::fprintf(stderr, "\nFUZZ CRASH: exception 0x%08lX at input --fuzz-seed=%llu --fuzz-index=%llu\n",
                 e && e->ExceptionRecord ? e->ExceptionRecord->ExceptionCode : 0ul, g_seed, g_index);
    std::fflush(stderr);
    return EXCEPTION_CONTINUE_SEARCH;
}

// The inputs the options ask for, run until the first finding (the clock read every |every| inputs).
class FuzzerBase {
public:
    explicit FuzzerBase(const Options& o) : _o(o) {
        g_seed = o.seed;
        SetUnhandledExceptionFilter(ReportCrash);
    }
    virtual ~FuzzerBase() = default;
    double Run(unsigned every) {  // the seconds taken
        const DWORD start = GetTickCount();
        const unsigned long long first = _o.only != kAll ? _o.only : 0;
        const unsigned long long end = _o.only != kAll ? first + 1 : _o.iterations;
        for (unsigned long long index = first; index < end && failure.empty(); ++index) {
            Rng r(_o.seed, g_index = index);
            RunInput(index, r), ++inputs;
            if (index % every == 0 && _o.seconds && GetTickCount() - start >= _o.seconds * 1000) break;
        }
        return (GetTickCount() - start) / 1000.0;
    }
    std::string failure;
    unsigned long long inputs = 0;

protected:
    virtual void RunInput(unsigned long long index, Rng& r) = 0;
    void Fail(const std::string& what) {
        if (failure.empty())
            failure = what + " (reproduce with --fuzz-seed=" + std::to_string(_o.seed) +
                      " --fuzz-index=" + std::to_string(g_index) + ")";
    }
    Options _o;
};

// A batch file word: no batch syntax, quotes only as one pair around a word with a blank.
bool ReadsCleanly(const std::string& text, bool word) {
    std::string bare = text;
    bare.erase(std::remove(bare.begin(), bare.end(), '"'), bare.end());
    const size_t quotes = text.size() - bare.size(), blank = bare.find(' ') != std::string::npos;
    return (word ? quotes == 2 * blank : quotes == 0 || quotes == 2 * blank) &&
           !(word ? HasBatchSyntax(bare) : HasCommandSyntax(bare));
}

class Fuzzer : public FuzzerBase {
public:
    explicit Fuzzer(const Options& o)
        : FuzzerBase(o), _folder(MakeTempFolder("fuzz")), _game(_folder + "\\g.qgf"), _bitmap(_folder + "\\p.bmp") {}
    ~Fuzzer() { RemoveTree(_folder); }
    unsigned long long fileRounds = 0, setupRounds = 0, accepted = 0, loaded = 0;
    void RunInput(unsigned long long index, Rng& r) override {
        GameRecord record = RandomRecord(r);
        std::vector<char> picture;
        if (r.Chance(85)) picture = RandomBitmap(r);
        if (r.Chance(60)) Damage(r, picture);
        record.pictureSize = static_cast<uint32_t>(picture.size());
        if (r.Chance(15)) record.pictureSize = r.Chance(70) ? r.Pick(kInteresting) : static_cast<uint32_t>(r.Next());
        if (r.Chance(10)) record.pictureSize = static_cast<uint32_t>(picture.size()) + r.Below(9) - 4;
        std::vector<char> file(sizeof record + picture.size());
        std::memcpy(file.data(), &record, sizeof record);
        std::copy(picture.begin(), picture.end(), file.begin() + sizeof record);
        if (r.Chance(5)) file.resize(r.Below(file.size() + 1));
        CheckInMemory(record, file, r);
        if (_o.only != kAll || index % kFileEvery == 0) FileRound(file, r);
        if (_o.only != kAll || index % kSetupEvery == 0) SetupRound(record, r);
    }
    void CheckInMemory(const GameRecord& record, const std::vector<char>& file, Rng& r) {
        const auto* g = reinterpret_cast<const GameRecord*>(BeforeNoAccessPage(&record, sizeof record));
        CheckGameRecord(*g);
        const std::string line = ComposeParameterLine(*g);
        if (UnsafeParameterField(*g, HasCommandSyntax).empty() == HasCommandSyntax(line))
            Fail("the parameter check and the line disagree: " + line);
        if (line.size() > 7 * kParamSize) Fail("parameter line too long");
        LaunchFacts facts;
        facts.vdm = {true, "C:\\V\\", "C:\\V\\VDMSRun.bat"};
        const WindowsLaunch run = *PlanLaunch(*g, LaunchTarget::Game, facts).InWindows();
        const bool loader = run.kind == LaunchKind::VdmSoundBatch;
        if (run.unsafeField.empty() && run.kind != LaunchKind::Direct &&
            !ReadsCleanly(loader ? run.batchLine : run.params, !loader))
            Fail("batch syntax reached VDMSound's batch file: " + run.params + run.batchLine);
        const std::string setup = FieldText(g->setup);
        GameRecord viaVdmSound = *g;
        viaVdmSound.options = 1;
        if (CheckSetupName(setup, true) == SetupNameProblem::None &&
            !ReadsCleanly(PlanLaunch(viaVdmSound, LaunchTarget::Setup, facts).InWindows()->params, true))
            Fail("a setup name reached VDMSound's batch file with batch syntax: " + setup);
        FieldText(g->title), FieldText(g->comment), FieldText(g->dataName), UsesParameterSets(*g);
        CheckEntries(*g);
        const size_t available = file.size() > sizeof record ? file.size() - sizeof record : 0;
        const size_t n = std::min<size_t>({available, record.pictureSize, 4 << 20});
        const char* bytes = BeforeNoAccessPage(file.data() + sizeof record, n);
        if (!IsUsableBitmap(bytes, n)) return;
        ++accepted;
        if (!r.Chance(kLoadPercent) && _o.only == kAll) return;
        WriteFileBytes(_folder + "\\~_quil_~.bmp", std::vector<char>(bytes, bytes + n));
        HANDLE bmp = LoadImageA(nullptr, (_folder + "\\~_quil_~.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                                LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        if (bmp) ++loaded, DeleteObject(bmp);
    }
    // A stranger's entries are written back as read: a damaged list only after its cut.
    void CheckEntries(const GameRecord& g) {
        const ExtrasRead read = ReadGameExtras(g);
        GameRecord copy = g;
        ExtrasWrite written = WriteGameExtras(copy, read.extras);
        if (read.status == ExtrasStatus::Damaged) {
            if (written.problem != ExtrasProblem::Damaged || std::memcmp(&copy, &g, sizeof g) != 0)
                Fail("an entry write went over a damaged list");
            if (!CutDamagedExtras(copy)) Fail("a damaged list was not cut");
            written = WriteGameExtras(copy, read.extras);
        }
        const GameRecord once = copy;
        const ExtrasRead again = ReadGameExtras(copy);
        if (written.problem != ExtrasProblem::None || again.status != ExtrasStatus::Ok ||
            !(again.extras == read.extras))
            Fail("entries read from a game file were not written back as read");
        if (WriteGameExtras(copy, again.extras).problem != ExtrasProblem::None ||
            std::memcmp(&copy, &once, sizeof once))
            Fail("writing the same entries twice gave other bytes");
    }
    void FileRound(const std::vector<char>& file, Rng& r) {
        ++fileRounds;
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
        CurrentGame game{record, _game, true};
        if (r.Chance(80)) SetField(game.record.comment, ("saved " + std::to_string(r.Next())).c_str());
        std::vector<char> want(file.begin(), file.begin() + sizeof record + std::min<size_t>(held, record.pictureSize));
        std::memcpy(want.data(), &game.record, sizeof game.record);
        if (!SaveGameFile(game) || ReadFileBytes(_game) != want) Fail("a save failed or wrote other bytes");
        const std::vector<char> before = ReadFileBytes(_game);
        const std::vector<char> bitmap = r.Chance(80) ? RandomBitmap(r) : std::vector<char>(r.Below(64), 'x');
        WriteFileBytes(_bitmap, bitmap);
        const bool ok = EmbedPicture(_game, _bitmap);
        std::memcpy(&record, before.data(), sizeof record);
        record.pictureSize = static_cast<uint32_t>(bitmap.size());
        want.assign(reinterpret_cast<char*>(&record), reinterpret_cast<char*>(&record) + sizeof record);
        want.insert(want.end(), bitmap.begin(), bitmap.end());
        if (ok != IsUsableBitmap(bitmap.data(), bitmap.size()))
            Fail("an embed took a damaged picture or refused a good one");
        if (ReadFileBytes(_game) != (ok ? want : before)) Fail("an embed wrote other bytes");
        for (const char* left : {".new", ".old"})
            if (FileExists(_game + left)) Fail(std::string("a write left X.qgf") + left + " behind");
    }
    // Setup files are read, never changed, and only values DOSBox offers reach its configuration.
    void SetupRound(GameRecord game, Rng& r) {
        ++setupRounds;
        const std::string folder = _folder + "\\game";
        RemoveTree(folder);
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "\\SOUND").c_str(), nullptr);
        for (uint32_t i = 0, n = 1 + r.Below(3); i < n; ++i) {
            const auto& sample = kSetupSamples[r.Below(std::size(kSetupSamples))];
            WriteFileText(folder + (r.Chance(30) ? "\\SOUND\\" : "\\") + sample[0], RandomSetupText(r, sample[1]));
        }
        const std::string before = FolderState(folder);
        const SoundSetup setup = FindSoundSetup(folder);
        const std::string text = SoundSetupText(setup), line = SoundSetupMismatch(game, setup);
        if (text.empty() || HasControlCharacter(text) || HasControlCharacter(line))
            Fail("a sound setup's text is not one line: " + text + " | " + line);
        for (const SetupValue* v : {&setup.port, &setup.irq, &setup.dma, &setup.highDma, &setup.midiPort})
            if (v->value < -1 || v->value > 0xFFFF) Fail("a sound setup's value is out of range");
        SetField(game.path, "C:\\GAMES\\X");
        const std::string config = MakeDosBoxConfig(game, "GAME.EXE", "Command", false, {}, &setup).text;
        if (!SoundLinesOffered(config, game)) Fail("a sound setting that DOSBox does not offer: " + config);
        if (FolderState(folder) != before) Fail("reading the sound setup changed the game's folder");
    }
    std::string _folder, _game, _bitmap;
};

TEST(GameFileFuzz, RandomGameFilesNeverCrashLoseDataOrLeaveFilesBehind) {
    const Options o = ReadOptions();
    Fuzzer fuzzer(o);
    const double seconds = fuzzer.Run(256);
    std::printf(
        "fuzz: %llu inputs in %.1f s; %llu file rounds; %llu setup rounds; %llu pictures passed the "
        "check, %llu loaded by LoadImageA\n",
        fuzzer.inputs, seconds, fuzzer.fileRounds, fuzzer.setupRounds, fuzzer.accepted, fuzzer.loaded);
    EXPECT_EQ(fuzzer.failure, "");
    EXPECT_GT(fuzzer.fileRounds, 0u);
    EXPECT_GT(fuzzer.setupRounds, 0u);
}

// Other launchers' libraries. Seeds, damaged by Mutate.
const char kConf[] =
    "[sblaster]\nsbtype=sb16\nirq=5\n[gus]\ngus=true\n[dosbox]\nmachine=ega\n[autoexec]\n@echo off\nmount c \"C:\\G\"\n"
    "mount d D:\\ -t cdrom\nimgmount e a.iso \"b c.cue\" -t iso\nc:\ncd keen\\sub\ncd..\ncall GO.BAT\nkeen4e.exe /p\n";
const char kProfile[] =
    "[Extra]\nExe=.\\VirtualHD\\KEEN\\KEEN4E.EXE\nGameParameters=/p\nSetup=.\\VirtualHD\\KEEN\\SETUP.EXE\n"
    "autoexec=C:[13][10]cd KEEN[13][10]KEEN4E.EXE\n0=.\\VirtualHD;Drive;C;False;;\n"
    "1=.\\a.iso$.\\b.iso;CDROMIMAGE;D;;;\n"
    "[ExtraInfo]\nName=Keen[61]4\nNotes=a[13][10]b\n[sblaster]\nsbtype=sbpro2\n[dosbox]\ncaptures=.\\Capture\n";
const char kXml[] =
    "<?xml version=\"1.0\"?><document><profile><title>K &amp; &#233;</title><setup>C:\\S.EXE</setup>"
    "<config-file><raw>p/1.conf</raw></config-file><meta-info a='1'><notes><![CDATA[x]]></notes></meta-info>"
    "</profile><!-- c --></document>";
// clang-format off
const char* const kTokens[] = {"\r\n", "\n[autoexec]\n", "mount c ", "imgmount d a.iso -t iso\n", "\"", "..\\",
                               " -t cdrom", "cd ..\n", "C:", "/home/x", "~", "CON\\", "<a>", "</a>", "&#", "&amp;",
                               "]]>", "<![CDATA[", "<!--", "<!DOCTYPE", "[13][10]", "[61]", ";", "$", "=", "[",
                               "\xFF", "\x01", "\x7F", "PK\x05\x06", "PK\x03\x04", "PK\x01\x02"};
// clang-format on

std::string Mutate(Rng& r, std::string s) {
    for (uint32_t i = 0, rounds = 1 + r.Below(8); i < rounds; ++i) {
        const size_t at = r.Below(s.size() + 1);
        switch (r.Below(6)) {
            case 0: if (!s.empty()) s[r.Below(s.size())] = static_cast<char>(r.Next()); break;
            case 1: s.insert(at, r.Pick(kTokens)); break;
            case 2: s.erase(at, r.Below(64)); break;
            case 3: if (s.size() < (256u << 10)) s.insert(at, s.substr(r.Below(s.size() + 1), r.Below(4096))); break;
            case 4: s.resize(at); break;
            default: s.insert(at, std::string(r.Below(2000), static_cast<char>(r.Next()))); break;
        }
    }
    return s;
}

bool AllDosNames(const std::string& path) {
    size_t start = 0;
    for (size_t end; (end = path.find('\\', start)) != std::string::npos; start = end + 1)
        if (!IsDosName(path.substr(start, end - start))) return false;
    return IsDosName(path.substr(start));
}

int Depth(const XmlElement& e) {
    int deepest = 0;
    for (const XmlElement& child : e.children) deepest = std::max(deepest, Depth(child));
    return deepest + 1;
}

class ImportFuzzer : public FuzzerBase {
public:
    explicit ImportFuzzer(const Options& o) : FuzzerBase(o), _folder(MakeTempFolder("importfuzz")) {
        for (const char* sub : {"\\Program", "\\Program\\Games", "\\Data", "\\Data\\Confs", "\\Data\\Capture"})
            CreateDirectoryA((_folder + sub).c_str(), nullptr);
        const std::vector<char> zip = MakeZip({StoredItem("profiles.xml", kXml), DeflatedItem("p/1.conf", _samples[3]),
                                               DeflatedItem("x", _samples[0]), StoredItem("../x", "y")});
        _zip.assign(zip.begin(), zip.end());
    }
    ~ImportFuzzer() { RemoveTree(_folder); }
    void RunInput(unsigned long long index, Rng& r) override {
        switch (index % 5) {
            case 0: {
                ImportedGame game;
                ApplyDosBoxConf(Mutate(r, kConf), _folder, game);
                if (r.Chance(25)) CheckRecord(game);
            } break;
            case 1: {
                const std::string path = _folder + "\\Data\\Confs\\f.prof";
                WriteFileText(path, Mutate(r, kProfile));
                const ImportedGame game = ReadDFendProfile(_folder + "\\Data", path);
                if (!game.picture.empty() && !IsUsableBitmap(game.picture.data(), game.picture.size()))
                    Fail("a capture that is no picture was taken");
                if (r.Chance(25)) CheckRecord(game);
            } break;
            case 2: {
                const std::string text = Mutate(r, kXml);
                const XmlDocument doc = ParseXml(text.data(), text.size());
                if ((doc.status == XmlStatus::Ok) == doc.root.name.empty() || Depth(doc.root) > kMaxXmlDepth + 1)
                    Fail("an XML document gave an impossible tree");
            } break;
            case 3: Zip(r); break;
            default: {
                const DeflateSample& sample = _samples[r.Below(_samples.size() - 1)];
                const std::string packed = Mutate(r, std::string(sample.packed.begin(), sample.packed.end()));
                const size_t size = r.Chance(50) ? sample.text.size() : r.Below(1 << 17);
                std::vector<char> out;
                const InflateStatus status =
                    Inflate(reinterpret_cast<const unsigned char*>(packed.data()), packed.size(), size, out);
                if (out.size() != (status == InflateStatus::Ok ? size : 0)) Fail("inflate gave a wrong size");
                break;
            }
        }
    }
    // Files made hostile on purpose: 1 GB, a zip bomb, lying sizes, deep and wide XML, endless autoexecs.
    void Hostile() {
        const std::string big = _folder + "\\big.conf", zipPath = _folder + "\\bomb.zip";
        WriteSparseFile(big, "", 1 << 30);
        const ImportedGame game = ReadDosBoxConf(big);
        ZipArchive zip;
        if (game.importNotes.empty() || game.importNotes[0].kind != ImportNoteKind::TooLarge ||
            ReadDFendProfile(_folder, big).importNotes.at(0).kind != ImportNoteKind::TooLarge ||
            zip.Open(big) != ZipStatus::NotAZip)
            Fail("a 1 GB file was not refused");
        const std::pair<uint32_t, SourceStatus> bombs[] = {
            {65536, SourceStatus::Damaged}, {100, SourceStatus::Damaged}, {0xFFFFFFF0, SourceStatus::TooLarge}};
        for (const auto& [declared, status] : bombs) {
            ZipItem item = DeflatedItem("profiles.xml", _samples[5]);
            item.size = declared;
            WriteFileBytes(zipPath, MakeZip({item}));
            if (ReadDbglExport(zipPath).status != status) Fail("a zip bomb was not refused");
        }
        const std::string deep = std::string(200000, '<') + "a>";
        std::string wide = "<r>", opened;
        for (size_t i = 0; i <= kMaxXmlElements; ++i) wide += "<a/>";
        for (int i = 0; i < 100000; ++i) opened += "<a>";
        const std::pair<std::string, XmlStatus> documents[] = {
            {deep, XmlStatus::Damaged},
            {opened, XmlStatus::TooLarge},
            {wide + "</r>", XmlStatus::TooLarge},
            {"<!DOCTYPE r [<!ENTITY a \"&b;&b;\"><!ENTITY b \"&a;&a;\">]><r>&a;</r>", XmlStatus::HasDtd}};
        for (const auto& [text, status] : documents)
            if (ParseXml(text.data(), text.size()).status != status) Fail("a hostile XML document was not refused");
        std::string endless = "[autoexec]\nmount c C:\\x\nc:\n";
        for (int i = 0; i < 50000; ++i) endless += "cd a\\b\\..\\c\ncall SELF.BAT\ncd ..\n";
        endless += "cd \\\nGO.EXE " + std::string(500000, 'p') + "\n";
        ImportedGame looped;
        ApplyDosBoxConf(endless, _folder, looped);
        if (looped.command != "GO.EXE" || looped.unmapped.size() < 50000) Fail("a long autoexec was misread");
    }

private:
    // An imported record: a Games file name, a clean folder, 8.3 programs, no command syntax.
    void CheckRecord(const ImportedGame& game) {
        const std::string program = _folder + "\\Program";
        const ImportedRecord made = MakeImportedRecord(game, program);
        if (!made.ok) return;
        const GameRecord& g = made.record;
        const std::string path = FieldText(g.path), command = FieldText(g.command), setup = FieldText(g.setup);
        if (CheckGameFileName(made.fileName, program) != GameNameProblem::None || HasControlCharacter(path) ||
            (!command.empty() && !AllDosNames(command)) || HasCommandSyntax(FieldText(g.customParam)) ||
            (!setup.empty() && !UsesParameterSets(g) && !AllDosNames(setup)))
            Fail("an imported record broke a rule: " + made.fileName + " | " + path + " | " + command + " | " + setup);
        if (ReadGameExtras(g).status != ExtrasStatus::Ok) Fail("an imported record's DOSBox entries break their rules");
    }
    void Zip(Rng& r) {
        const std::string path = _folder + "\\f.zip";
        WriteFileText(path, Mutate(r, _zip));
        ZipArchive zip;
        if (zip.Open(path) != ZipStatus::Ok) return;
        for (const ZipArchive::Entry& entry : zip.Entries()) {
            std::vector<char> out;
            if (zip.Read(entry, 1 << 16, out) == ZipStatus::Ok &&
                (out.size() != entry.size || Crc32(out.data(), out.size()) != entry.crc))
                Fail("a zip entry read other bytes than its directory says");
        }
        if (r.Chance(20)) ReadDbglExport(path);
    }
    std::string _folder;
    const std::vector<DeflateSample> _samples = DeflateSamples();
    std::string _zip;
};

TEST(ImportFuzz, DamagedAndHostileLibrariesNeverCrashHangOrBreakTheRules) {
    const Options o = ReadOptions();
    ImportFuzzer fuzzer(o);
    if (o.only == kAll) fuzzer.Hostile();
    const double seconds = fuzzer.Run(64);
    std::printf("import fuzz: %llu inputs in %.1f s\n", fuzzer.inputs, seconds);
    EXPECT_EQ(fuzzer.failure, "");
    EXPECT_GT(fuzzer.inputs, 0u);
}

}  // namespace
