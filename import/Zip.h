// A zip archive (PKWARE's APPNOTE) read in place for the few entries an import
// needs: the central directory once, then one entry at a time into memory,
// stored or deflated. A stranger's archive: every offset and size is checked
// against the file, the directory and the caller's limit, the CRC-32 of what
// was read must match, names that would leave the archive's own tree (a "..",
// a root, a drive, a device) are never matched, and nothing is ever written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class ZipStatus {
    Ok,
    CannotOpen,   // no such file, a folder or a device
    NotAZip,      // no end of central directory record
    Unsupported,  // split over disks, ZIP64, encrypted, or neither stored nor deflated
    Damaged,      // offsets or sizes that do not fit, a bad header, data that does not inflate, a wrong CRC
    TooLarge,     // larger than the caller's limit (or the directory larger than kMaxDirectoryBytes)
    Missing,      // no entry of that name
};

class ZipArchive {
public:
    // The central directory is read whole; a larger one is refused.
    static constexpr uint32_t kMaxDirectoryBytes = 16u << 20;

    struct Entry {
        std::string name;  // with '/' between steps, as stored
        uint16_t flags = 0, method = 0;
        uint32_t crc = 0, packedSize = 0, size = 0, localOffset = 0;
    };

    ZipArchive();
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    ZipStatus Open(const std::string& path);
    // The entries whose names stay inside the archive, in directory order.
    const std::vector<Entry>& Entries() const { return _entries; }
    // Entries left out for their names.
    int RefusedNames() const { return _refused; }

    // The entry of that name (steps split by '/' or '\', letters in any case);
    // null when there is none.
    const Entry* Find(const std::string& name) const;
    // The entries whose names start with |folder| followed by '/' (any case),
    // sorted by name without regard to case.
    std::vector<const Entry*> EntriesUnder(const std::string& folder) const;
    // Reads the entry whole into |bytes| when it is at most |maxBytes| long;
    // on any other status |bytes| is empty.
    ZipStatus Read(const Entry& entry, size_t maxBytes, std::vector<char>& bytes) const;
    ZipStatus Read(const std::string& name, size_t maxBytes, std::vector<char>& bytes) const;

private:
    bool ReadAt(uint64_t offset, void* buffer, size_t size) const;

    struct File;
    std::unique_ptr<File> _file;
    uint64_t _fileSize = 0, _directoryOffset = 0;
    std::vector<Entry> _entries;
    std::vector<const Entry*> _sorted;  // by name, without regard to case
    int _refused = 0;
};

// The CRC-32 of zip archives (the polynomial 0xEDB88320, reflected).
uint32_t Crc32(const void* data, size_t size);
