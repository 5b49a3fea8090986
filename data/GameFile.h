// Reading and writing game files (.qgf): the record, then the picture's BMP bytes.
#pragma once
#include "data/Files.h"
#include "data/GameRecord.h"
#include <string>
#include <vector>

// The game held in memory: its record, the file it came from, and whether that
// file loaded. Only a loaded game is ever saved.
struct CurrentGame {
    GameRecord record = BlankGameRecord();
    std::string path;
    bool loaded = false;
};

enum class GameFileStatus { Ok, CannotOpen, TooShort, Corrupt };

// The checks on a record in memory: magic, reserved word 0, version 7.
GameFileStatus CheckGameRecord(const GameRecord& record);

// Reads and checks the record of a game file (magic, reserved word 0, version 7).
// Failures write their diagnostic to the debugger output.
GameFileStatus ReadGameRecord(const std::string& path, GameRecord& record);

// Reads the |size| picture bytes that follow the record; false when fewer are
// there (then nothing is allocated) or they cannot be held.
bool ReadGamePicture(const std::string& path, uint32_t size, std::vector<char>& picture) noexcept;

// Writes the game back to the file it came from, keeping its picture. The new
// content goes beside the file and replaces it only when complete. A game whose
// file already holds that content is not written (true); a read-only game file
// is never changed (false: IsReadOnlyFile tells why).
bool SaveGameFile(const CurrentGame& game) noexcept;

// Creates or truncates the file and writes a blank record.
bool CreateBlankGameFile(const std::string& path);

// The largest picture file that is embedded in a game file. A preview of
// 160 x 100 pixels takes 47 KiB at 24 bits; the pictures players use stay far
// below this.
constexpr uint64_t kMaxPictureBytes = 4ull << 20;

enum class PictureFileStatus { Ok, CannotRead, TooLarge, NotABitmap };

// Reads a picture file for embedding: a disk file (no device in any step of the
// path) of at most kMaxPictureBytes, its size taken in 64 bits, whose bytes pass
// IsUsableBitmap. On any other status |bytes| is empty.
PictureFileStatus ReadPictureFile(const std::string& path, std::vector<char>& bytes) noexcept;

// Stores |bitmap| as the picture of a game file, replacing any picture it had;
// bytes that fail IsUsableBitmap or exceed kMaxPictureBytes are refused. On
// failure the game file is left as it was; a read-only game file is never changed.
bool EmbedPictureBytes(const std::string& gamePath, const std::vector<char>& bitmap) noexcept;
// ReadPictureFile, then EmbedPictureBytes.
bool EmbedPicture(const std::string& gamePath, const std::string& bitmapPath) noexcept;

// Writes |parts| one after the other into a new file beside |target|, then puts
// it in place of |target|. On any failure |target| stays as it was and neither
// "X.new" nor "X.old" is left behind; a read-only |target| is refused.
bool ReplaceFileContent(const std::string& target, const std::vector<std::pair<const void*, size_t>>& parts);
