// The game file record: 11164 bytes, stored in the file exactly as in memory
// (little-endian, naturally aligned, the same on i686 and x86_64).
#pragma once
#include <cstddef>
#include <cstdint>

constexpr size_t kTextSize = 260;
constexpr size_t kParamSize = 32;
constexpr size_t kDeviceSlots = 10;
constexpr size_t kGameRecordSize = 11164;
constexpr uint16_t kGameFormatVersion = 7;
constexpr char kGameMagic[8] = {'Q', 'U', 'I', 'L', 'G', 'A', 'M', 'E'};
constexpr char kParametersMarker[] = "(Parameters)";

// Options bits.
constexpr int32_t kOptionVdmSound = 1;
constexpr int32_t kOptionWin95 = 2;

struct GameRecord {
    char magic[8];
    uint16_t reserved;
    uint16_t version;
    char title[kTextSize];
    char publisher[kTextSize];
    char category[kTextSize];
    char path[kTextSize];
    char command[kTextSize];
    char setup[kTextSize];
    char document[kTextSize];
    char configFile[kTextSize];
    char reservedText[kTextSize];
    char comment[1024];
    char webSite[kTextSize];
    // 764 bytes that the format keeps free: older programs never read them and
    // copy them as loaded. The game's "Run with" choice takes their first eight
    // (tag "RUN_" and a value); a game that keeps the default leaves them zero.
    char runTag[4];
    int32_t runWith;
    char reservedArea[756];
    char soundNames[kDeviceSlots][kTextSize];
    char soundParams[kDeviceSlots][kParamSize];
    char musicNames[kDeviceSlots][kTextSize];
    char musicParams[kDeviceSlots][kParamSize];
    char keyboardParam[kParamSize];
    char mouseParam[kParamSize];
    char joystickParam[kParamSize];
    char customName[kParamSize];
    char customParam[kParamSize];
    char vesaParam[kParamSize];
    char vgaParam[kParamSize];
    char egaParam[kParamSize];
    char mcgaParam[kParamSize];
    char cgaParam[kParamSize];
    char tandyParam[kParamSize];
    int32_t selectedSound;
    int32_t selectedMusic;
    int32_t selectedDisplay;
    int32_t keyboardOn;
    int32_t mouseOn;
    int32_t joystickOn;
    int32_t customOn;
    int32_t options;
    uint32_t reservedDword;
    char programName[kTextSize];
    uint32_t programSize;
    char dataName[kTextSize];
    uint32_t dataSize;
    uint32_t pictureSize;
    char pictureTag[4];
};

static_assert(sizeof(GameRecord) == kGameRecordSize, "the game record is 11164 bytes");
static_assert(offsetof(GameRecord, title) == 12);
static_assert(offsetof(GameRecord, path) == 792);
static_assert(offsetof(GameRecord, setup) == 1312);
static_assert(offsetof(GameRecord, comment) == 2352);
static_assert(offsetof(GameRecord, webSite) == 3376);
static_assert(offsetof(GameRecord, runTag) == 3636);
static_assert(offsetof(GameRecord, runWith) == 3640);
static_assert(offsetof(GameRecord, reservedArea) == 3644);
static_assert(offsetof(GameRecord, soundNames) == 4400);
static_assert(offsetof(GameRecord, soundParams) == 7000);
static_assert(offsetof(GameRecord, musicNames) == 7320);
static_assert(offsetof(GameRecord, musicParams) == 9920);
static_assert(offsetof(GameRecord, keyboardParam) == 10240);
static_assert(offsetof(GameRecord, vesaParam) == 10400);
static_assert(offsetof(GameRecord, egaParam) == 10464);
static_assert(offsetof(GameRecord, mcgaParam) == 10496);
static_assert(offsetof(GameRecord, tandyParam) == 10560);
static_assert(offsetof(GameRecord, selectedSound) == 10592);
static_assert(offsetof(GameRecord, options) == 10620);
static_assert(offsetof(GameRecord, programName) == 10628);
static_assert(offsetof(GameRecord, programSize) == 10888);
static_assert(offsetof(GameRecord, dataName) == 10892);
static_assert(offsetof(GameRecord, dataSize) == 11152);
static_assert(offsetof(GameRecord, pictureSize) == 11156);
static_assert(offsetof(GameRecord, pictureTag) == 11160);

// The record of a blank game file: zeros, magic, version 7, "Unknown" title,
// publisher and category, path "C:\", "no comment", no selections, options 3.
GameRecord BlankGameRecord();

// Copies text into a fixed field, cut to fit and zero-filled.
template <size_t N>
void SetField(char (&field)[N], const char* text);

// The display parameter chosen by Selected display: 1 VESA, 2 VGA, 3 MCGA,
// 4 EGA, 5 CGA, 6 TANDY (stored VESA, VGA, EGA, MCGA, CGA, TANDY); null for
// any other value.
const char* SelectedDisplayParameter(const GameRecord& game);

// How the player wants a game run: as the preferences decide, by Windows
// itself, or in DOSBox.
enum class RunWith { Default = 0, Windows = 1, DosBox = 2 };
// The stored choice: tag "RUN_" with value 1 or 2; anything else is Default.
RunWith GameRunWith(const GameRecord& game);
// Stores the choice. Default clears a stored tag and value to zeros, and leaves
// the bytes as they are when no choice is stored.
void SetGameRunWith(GameRecord& game, RunWith choice);

// True when Setup holds the "(Parameters)" marker, in any case.
bool UsesParameterSets(const GameRecord& game);

// A fixed text field as a string, never reading past the field.
template <size_t N>
inline const char* FieldEnd(const char (&field)[N]) {
    for (size_t i = 0; i < N; ++i)
        if (!field[i]) return field + i;
    return field + N;
}

#include <cstring>
#include <string>

template <size_t N>
inline std::string FieldText(const char (&field)[N]) {
    return std::string(field, FieldEnd(field));
}

template <size_t N>
void SetField(char (&field)[N], const char* text) {
    std::memset(field, 0, N);
    if (text) std::strncpy(field, text, N - 1);
}
