// Reading a zip archive's central directory and single entries.
#include "import/Zip.h"
#include "data/NameRules.h"
#include "data/Strings.h"
#include "import/Inflate.h"
#include <windows.h>
#include <algorithm>

namespace {

constexpr uint32_t kEndSignature = 0x06054b50, kCentralSignature = 0x02014b50, kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22, kCentralSize = 46, kLocalSize = 30;
constexpr uint32_t kZip64 = 0xFFFFFFFF;

uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const unsigned char* p) { return U16(p) | static_cast<uint32_t>(U16(p + 2)) << 16; }

// The name with '/' between its steps; empty when it would leave the archive's
// tree or names no file a folder can hold (an empty step, a dot step, a device,
// a drive or stream colon, a control character, a root).
std::string InsideName(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.empty() || name[0] == '/' || name.find(':') != std::string::npos || HasControlCharacter(name)) return {};
    const std::string steps = name.back() == '/' ? name.substr(0, name.size() - 1) : name;
    if (steps.empty() || steps.find("//") != std::string::npos || HasDotStep(steps) || HasDeviceStep(steps)) return {};
    return name;
}

}  // namespace

struct ZipArchive::File {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~File() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

ZipArchive::ZipArchive() = default;
ZipArchive::~ZipArchive() = default;

bool ZipArchive::ReadAt(uint64_t offset, void* buffer, size_t size) const {
    if (offset > _fileSize || size > _fileSize - offset) return false;
    LONG high = static_cast<LONG>(offset >> 32);
    if (SetFilePointer(_file->handle, static_cast<LONG>(offset & 0xFFFFFFFF), &high, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return false;
    auto* p = static_cast<char*>(buffer);
    while (size) {
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 24));
        if (!ReadFile(_file->handle, p, chunk, &got, nullptr) || got == 0) return false;
        p += got;
        size -= got;
    }
    return true;
}

ZipStatus ZipArchive::Open(const std::string& path) {
    _entries.clear();
    _sorted.clear();
    _refused = 0;
    _file = std::make_unique<File>();
    if (HasDeviceStep(path)) return ZipStatus::CannotOpen;
    _file->handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (_file->handle == INVALID_HANDLE_VALUE || GetFileType(_file->handle) != FILE_TYPE_DISK)
        return ZipStatus::CannotOpen;
    DWORD high = 0;
    const DWORD low = GetFileSize(_file->handle, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return ZipStatus::CannotOpen;
    _fileSize = static_cast<uint64_t>(high) << 32 | low;

    // The end record closes the file, followed only by its comment (at most 65535 bytes).
    std::vector<unsigned char> tail(static_cast<size_t>(std::min<uint64_t>(_fileSize, kEndSize + 0xFFFF)));
    if (tail.size() < kEndSize) return ZipStatus::NotAZip;
    if (!ReadAt(_fileSize - tail.size(), tail.data(), tail.size())) return ZipStatus::CannotOpen;
    size_t end = tail.size() - kEndSize + 1;
    bool found = false;
    while (!found && end > 0) {
        --end;
        found = U32(&tail[end]) == kEndSignature && end + kEndSize + U16(&tail[end + 20]) <= tail.size();
    }
    if (!found) return ZipStatus::NotAZip;
    const unsigned char* e = &tail[end];
    const uint16_t count = U16(e + 10);
    const uint32_t directorySize = U32(e + 12), directoryOffset = U32(e + 16);
    if (U16(e + 4) != 0 || U16(e + 6) != 0 || U16(e + 8) != count) return ZipStatus::Unsupported;
    if (count == 0xFFFF || directorySize == kZip64 || directoryOffset == kZip64) return ZipStatus::Unsupported;
    const uint64_t endOffset = _fileSize - tail.size() + end;
    if (static_cast<uint64_t>(directoryOffset) + directorySize > endOffset) return ZipStatus::Damaged;
    if (directorySize > kMaxDirectoryBytes) return ZipStatus::TooLarge;
    _directoryOffset = directoryOffset;

    std::vector<unsigned char> directory(directorySize);
    if (!ReadAt(directoryOffset, directory.data(), directory.size())) return ZipStatus::Damaged;
    size_t at = 0;
    for (uint16_t k = 0; k < count; ++k) {
        if (directory.size() - at < kCentralSize || U32(&directory[at]) != kCentralSignature) return ZipStatus::Damaged;
        const unsigned char* c = &directory[at];
        const size_t nameLength = U16(c + 28), skip = kCentralSize + nameLength + U16(c + 30) + U16(c + 32);
        if (directory.size() - at < skip) return ZipStatus::Damaged;
        Entry entry;
        entry.flags = U16(c + 8);
        entry.method = U16(c + 10);
        entry.crc = U32(c + 16);
        entry.packedSize = U32(c + 20);
        entry.size = U32(c + 24);
        entry.localOffset = U32(c + 42);
        entry.name = InsideName(std::string(reinterpret_cast<const char*>(c + kCentralSize), nameLength));
        at += skip;
        if (entry.name.empty())
            ++_refused;
        else
            _entries.push_back(std::move(entry));
    }
    for (const Entry& entry : _entries) _sorted.push_back(&entry);
    std::stable_sort(_sorted.begin(), _sorted.end(),
                     [](const Entry* a, const Entry* b) { return LessNoCase(a->name, b->name); });
    return ZipStatus::Ok;
}

namespace {

std::string Slashed(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

}  // namespace

const ZipArchive::Entry* ZipArchive::Find(const std::string& name) const {
    const std::string wanted = Slashed(name);
    const auto at = std::lower_bound(_sorted.begin(), _sorted.end(), wanted,
                                     [](const Entry* e, const std::string& n) { return LessNoCase(e->name, n); });
    return at != _sorted.end() && EqualNoCase((*at)->name, wanted) ? *at : nullptr;
}

std::vector<const ZipArchive::Entry*> ZipArchive::EntriesUnder(const std::string& folder) const {
    std::string prefix = Slashed(folder);
    if (prefix.empty() || prefix.back() != '/') prefix += '/';
    std::vector<const Entry*> under;
    auto at = std::lower_bound(_sorted.begin(), _sorted.end(), prefix,
                               [](const Entry* e, const std::string& n) { return LessNoCase(e->name, n); });
    for (; at != _sorted.end() && EqualNoCase((*at)->name.substr(0, prefix.size()), prefix); ++at) under.push_back(*at);
    return under;
}

ZipStatus ZipArchive::Read(const std::string& name, size_t maxBytes, std::vector<char>& bytes) const {
    bytes.clear();
    const Entry* entry = Find(name);
    return entry ? Read(*entry, maxBytes, bytes) : ZipStatus::Missing;
}

ZipStatus ZipArchive::Read(const Entry& entry, size_t maxBytes, std::vector<char>& bytes) const {
    bytes.clear();
    if (!_file || _file->handle == INVALID_HANDLE_VALUE) return ZipStatus::CannotOpen;
    if ((entry.flags & 1) || (entry.method != 0 && entry.method != 8) || entry.packedSize == kZip64 ||
        entry.size == kZip64 || entry.localOffset == kZip64)
        return ZipStatus::Unsupported;
    if (entry.size > maxBytes) return ZipStatus::TooLarge;
    // Stored data is the entry itself; deflate makes no data much larger than it was.
    if (entry.method == 0 ? entry.packedSize != entry.size : entry.packedSize > entry.size + entry.size / 4 + 1024ull)
        return ZipStatus::Damaged;
    unsigned char local[kLocalSize];
    if (static_cast<uint64_t>(entry.localOffset) + kLocalSize > _directoryOffset ||
        !ReadAt(entry.localOffset, local, sizeof local) || U32(local) != kLocalSignature)
        return ZipStatus::Damaged;
    const uint64_t data = static_cast<uint64_t>(entry.localOffset) + kLocalSize + U16(local + 26) + U16(local + 28);
    if (data + entry.packedSize > _directoryOffset) return ZipStatus::Damaged;
    std::vector<unsigned char> packed(entry.packedSize);
    if (!ReadAt(data, packed.data(), packed.size())) return ZipStatus::Damaged;
    if (entry.method == 0) {
        bytes.assign(packed.begin(), packed.end());
    } else if (Inflate(packed.data(), packed.size(), entry.size, bytes) != InflateStatus::Ok) {
        return ZipStatus::Damaged;
    }
    if (Crc32(bytes.data(), bytes.size()) != entry.crc) {
        bytes.clear();
        return ZipStatus::Damaged;
    }
    return ZipStatus::Ok;
}

uint32_t Crc32(const void* data, size_t size) {
    static const struct Table {
        uint32_t value[256];
        Table() {
            for (uint32_t n = 0; n < 256; ++n) {
                uint32_t c = n;
                for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
                value[n] = c;
            }
        }
    } table;
    uint32_t crc = 0xFFFFFFFFu;
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) crc = table.value[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}
