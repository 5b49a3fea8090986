// Game file reading and writing.
#include "data/GameFile.h"
#include "data/Bitmap.h"
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

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// Opens an existing disk file for reading; null for anything else (a device
// under a file's name, a pipe), whose reads might never end.
Handle OpenForReading(const std::string& path) {
    if (IsDosDeviceName(path)) return nullptr;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    Handle f(h);
    if (GetFileType(h) != FILE_TYPE_DISK) return nullptr;
    return f;
}

bool ReadExactly(HANDLE h, void* buffer, size_t size) {
    auto* p = static_cast<char*>(buffer);
    while (size) {
        const DWORD chunk = size > (1u << 24) ? (1u << 24) : static_cast<DWORD>(size);
        DWORD got = 0;
        if (!ReadFile(h, p, chunk, &got, nullptr) || got == 0) return false;
        p += got;
        size -= got;
    }
    return true;
}

// The whole file; false when it cannot be read or held.
bool ReadWholeFile(const std::string& path, std::vector<char>& bytes) noexcept {
    bytes.clear();
    Handle f = OpenForReading(path);
    if (!f) return false;
    DWORD high = 0;
    const DWORD low = GetFileSize(f.get(), &high);
    if ((low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0) return false;
    try {
        bytes.resize(low);
    } catch (const std::exception&) {
        return false;
    }
    return ReadExactly(f.get(), bytes.data(), bytes.size());
}

}  // namespace

GameFileStatus CheckGameRecord(const GameRecord& record) {
    if (std::memcmp(record.magic, kGameMagic, sizeof record.magic) != 0 || record.reserved != 0 ||
        record.version != kGameFormatVersion)
        return GameFileStatus::Corrupt;
    return GameFileStatus::Ok;
}

GameFileStatus ReadGameRecord(const std::string& path, GameRecord& record) {
    Handle f = OpenForReading(path);
    if (!f) {
        OutputDebugStringA("Could not open the qgf file!");
        return GameFileStatus::CannotOpen;
    }
    if (!ReadExactly(f.get(), &record, sizeof record)) {
        OutputDebugStringA("Could not read the qgf file!");
        return GameFileStatus::TooShort;
    }
    if (CheckGameRecord(record) != GameFileStatus::Ok) {
        OutputDebugStringA("Corrupted qgf file!");
        return GameFileStatus::Corrupt;
    }
    return GameFileStatus::Ok;
}

bool ReadGamePicture(const std::string& path, uint32_t size, std::vector<char>& picture) noexcept {
    picture.clear();
    Handle f = OpenForReading(path);
    if (!f) return false;
    // The recorded size is only a claim: never allocate more than the file holds.
    DWORD high = 0;
    const DWORD low = GetFileSize(f.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    const unsigned long long length = (static_cast<unsigned long long>(high) << 32) | low;
    if (length < kGameRecordSize || length - kGameRecordSize < size) return false;
    if (SetFilePointer(f.get(), static_cast<LONG>(kGameRecordSize), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    try {
        picture.resize(size);
    } catch (const std::exception&) {  // bad_alloc, or length_error past the vector's limit
        return false;
    }
    if (!ReadExactly(f.get(), picture.data(), size)) {
        picture.clear();
        return false;
    }
    return true;
}

bool ReplaceFileContent(const std::string& target, const std::vector<std::pair<const void*, size_t>>& parts) {
    const std::string fresh = target + ".new";
    const std::string old = target + ".old";
    if (old.size() >= MAX_PATH) {
        OutputDebugStringA("Game file path too long to save safely");
        return false;
    }
    // A read-only file is the owner's wish that it stays as it is; a device is no file.
    if (IsReadOnlyFile(target) || IsDosDeviceName(target)) return false;
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

bool SaveGameFile(const CurrentGame& game) noexcept {
    if (!game.loaded) return false;
    OutputDebugStringA("Saving the game file...");
    try {
        std::vector<char> whole;
        // A file that has gone is written anew, unless its picture was to be kept.
        if (!ReadWholeFile(game.path, whole) && (game.record.pictureSize != 0 || FileExists(game.path))) return false;
        // Keep the picture bytes that follow the record, as far as they go.
        std::vector<char> picture;
        if (game.record.pictureSize != 0 && whole.size() > kGameRecordSize) {
            size_t n = std::min<size_t>(whole.size() - kGameRecordSize, game.record.pictureSize);
            picture.assign(whole.begin() + kGameRecordSize, whole.begin() + kGameRecordSize + n);
        }
        // Nothing changed: nothing to write (a read-only game can still be run).
        if (whole.size() == kGameRecordSize + picture.size() &&
            std::memcmp(whole.data(), &game.record, kGameRecordSize) == 0 &&
            std::equal(picture.begin(), picture.end(), whole.begin() + kGameRecordSize))
            return true;
        return ReplaceFileContent(game.path, {{&game.record, sizeof game.record}, {picture.data(), picture.size()}});
    } catch (const std::exception&) {
        return false;
    }
}

bool CreateBlankGameFile(const std::string& path) {
    if (IsDosDeviceName(path)) return false;
    const GameRecord blank = BlankGameRecord();
    File f = OpenFile(path, "wb");
    if (!f) return false;
    if (fwrite(&blank, 1, sizeof blank, f.get()) != sizeof blank) return false;
    return fclose(f.release()) == 0;
}

PictureFileStatus ReadPictureFile(const std::string& path, std::vector<char>& bytes) noexcept {
    bytes.clear();
    if (HasDeviceStep(path)) return PictureFileStatus::CannotRead;
    Handle f = OpenForReading(path);
    if (!f) return PictureFileStatus::CannotRead;
    DWORD high = 0;
    const DWORD low = GetFileSize(f.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return PictureFileStatus::CannotRead;
    if ((static_cast<uint64_t>(high) << 32 | low) > kMaxPictureBytes) return PictureFileStatus::TooLarge;
    try {
        bytes.resize(low);
    } catch (const std::exception&) {
        return PictureFileStatus::CannotRead;
    }
    if (!ReadExactly(f.get(), bytes.data(), bytes.size())) {
        bytes.clear();
        return PictureFileStatus::CannotRead;
    }
    if (!IsUsableBitmap(bytes.data(), bytes.size())) {
        bytes.clear();
        return PictureFileStatus::NotABitmap;
    }
    return PictureFileStatus::Ok;
}

bool EmbedPictureBytes(const std::string& gamePath, const std::vector<char>& bitmap) noexcept {
    if (bitmap.size() > kMaxPictureBytes || !IsUsableBitmap(bitmap.data(), bitmap.size())) return false;
    if (!FileExists(gamePath) || IsReadOnlyFile(gamePath)) return false;
    GameRecord record;
    {
        Handle f = OpenForReading(gamePath);
        if (!f || !ReadExactly(f.get(), &record, sizeof record)) return false;
    }
    if (record.reserved != 0 || record.version != kGameFormatVersion) return false;
    record.pictureSize = static_cast<uint32_t>(bitmap.size());
    return ReplaceFileContent(gamePath, {{&record, sizeof record}, {bitmap.data(), bitmap.size()}});
}

bool EmbedPicture(const std::string& gamePath, const std::string& bitmapPath) noexcept {
    std::vector<char> bitmap;
    return ReadPictureFile(bitmapPath, bitmap) == PictureFileStatus::Ok && EmbedPictureBytes(gamePath, bitmap);
}
