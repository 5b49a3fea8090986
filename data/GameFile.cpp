// Game file reading and writing.
#include "data/GameFile.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE* f) const { fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File OpenFile(const std::string& path, const char* mode) { return File(fopen(path.c_str(), mode)); }

bool ReadWholeFile(const std::string& path, std::vector<char>& bytes) {
    File f = OpenFile(path, "rb");
    if (!f) return false;
    if (fseek(f.get(), 0, SEEK_END) != 0) return false;
    long length = ftell(f.get());
    if (length < 0 || fseek(f.get(), 0, SEEK_SET) != 0) return false;
    bytes.assign(static_cast<size_t>(length), '\0');
    return length == 0 || fread(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
}

}  // namespace

GameFileStatus ReadGameRecord(const std::string& path, GameRecord& record) {
    File f = OpenFile(path, "rb");
    if (!f) {
        OutputDebugStringA("Could not open the qgf file!");
        return GameFileStatus::CannotOpen;
    }
    if (fread(&record, 1, sizeof record, f.get()) != sizeof record) {
        OutputDebugStringA("Could not read the qgf file!");
        return GameFileStatus::TooShort;
    }
    if (std::memcmp(record.magic, kGameMagic, sizeof record.magic) != 0 || record.reserved != 0 ||
        record.version != kGameFormatVersion) {
        OutputDebugStringA("Corrupted qgf file!");
        return GameFileStatus::Corrupt;
    }
    return GameFileStatus::Ok;
}

bool ReadGamePicture(const std::string& path, uint32_t size, std::vector<char>& picture) {
    File f = OpenFile(path, "rb");
    if (!f || fseek(f.get(), static_cast<long>(kGameRecordSize), SEEK_SET) != 0) return false;
    try {
        picture.assign(size, '\0');
    } catch (const std::bad_alloc&) {
        return false;
    }
    return fread(picture.data(), 1, size, f.get()) == size;
}

bool ReplaceFileContent(const std::string& target, const std::vector<std::pair<const void*, size_t>>& parts) {
    const std::string fresh = target + ".new";
    const std::string old = target + ".old";
    if (old.size() >= MAX_PATH) {
        OutputDebugStringA("Game file path too long to save safely");
        return false;
    }
    {
        SetFileAttributesA(fresh.c_str(), FILE_ATTRIBUTE_NORMAL);
        FILE* f = fopen(fresh.c_str(), "wb");
        if (!f) return false;
        bool ok = true;
        for (const auto& part : parts)
            if (part.second && fwrite(part.first, 1, part.second, f) != part.second) ok = false;
        if (fclose(f) != 0) ok = false;  // a full disk shows here at the latest
        if (!ok) {
            DeleteFileA(fresh.c_str());
            return false;
        }
    }
    // MoveFileEx and ReplaceFile are missing on Windows 9x: two renames, and the
    // old file goes back if the second one fails.
    SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(old.c_str());
    const bool hadTarget = GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (hadTarget && !MoveFileA(target.c_str(), old.c_str())) {
        DeleteFileA(fresh.c_str());
        return false;
    }
    if (!MoveFileA(fresh.c_str(), target.c_str())) {
        if (hadTarget) MoveFileA(old.c_str(), target.c_str());
        DeleteFileA(fresh.c_str());
        return false;
    }
    if (hadTarget) DeleteFileA(old.c_str());
    return true;
}

bool SaveGameFile(const CurrentGame& game) {
    if (!game.loaded) return false;
    OutputDebugStringA("Saving the game file...");
    std::vector<char> picture;
    if (game.record.pictureSize != 0) {
        // Keep the picture bytes that follow the record, as far as they go.
        std::vector<char> whole;
        if (!ReadWholeFile(game.path, whole)) return false;
        if (whole.size() > kGameRecordSize) {
            size_t n = std::min<size_t>(whole.size() - kGameRecordSize, game.record.pictureSize);
            picture.assign(whole.begin() + kGameRecordSize, whole.begin() + kGameRecordSize + n);
        }
    }
    return ReplaceFileContent(game.path, {{&game.record, sizeof game.record}, {picture.data(), picture.size()}});
}

bool CreateBlankGameFile(const std::string& path) {
    const GameRecord blank = BlankGameRecord();
    File f = OpenFile(path, "wb");
    if (!f) return false;
    if (fwrite(&blank, 1, sizeof blank, f.get()) != sizeof blank) return false;
    return fclose(f.release()) == 0;
}

bool EmbedPicture(const std::string& gamePath, const std::string& bitmapPath) {
    if (!FileExists(gamePath) || !FileExists(bitmapPath)) return false;
    std::vector<char> bitmap;
    if (!ReadWholeFile(bitmapPath, bitmap)) return false;
    GameRecord record;
    {
        File f = OpenFile(gamePath, "rb");
        if (!f || fread(&record, 1, sizeof record, f.get()) != sizeof record) return false;
    }
    if (record.reserved != 0 || record.version != kGameFormatVersion) return false;
    record.pictureSize = static_cast<uint32_t>(bitmap.size());
    return ReplaceFileContent(gamePath, {{&record, sizeof record}, {bitmap.data(), bitmap.size()}});
}
