// Sample inputs of the import tests and of the fuzz test: raw deflate streams
// and zip archives built from entries.
//
// The deflate streams were made once by the host's Python 3 zlib:
//   c = zlib.compressobj(level, zlib.DEFLATED, -15); c.compress(text) + c.flush()
// with level 9 (level 0 for "stored"); "two blocks" flushed with
// c.flush(zlib.Z_SYNC_FLUSH) after its first 11 bytes. zlib never copies from
// the first byte and always sends two distance codes, so "one distance code"
// was written bit by bit by a Python script after RFC 1951 (a dynamic block:
// 'a', then 10 bytes from distance 1) and checked with zlib.decompressobj(-15).
// The CRC-32 values are zlib.crc32(text).
#pragma once
#include "import/Zip.h"
#include <cstdint>
#include <string>
#include <vector>

struct DeflateSample {
    const char* what;
    std::vector<unsigned char> packed;
    std::string text;
    uint32_t crc;
};

// The text of the dynamic block: a small DOSBox configuration of 181 bytes.
inline std::string DynamicSampleText() {
    std::string text = "[sblaster]\r\nsbtype=sbpro2\r\n[autoexec]\r\nmount C \"KEEN\"\r\nC:\r\ncd KEEN7\r\n";
    for (int i = 0; i < 7; ++i) text += "KEEN" + std::to_string(i) + "E.EXE /p" + std::to_string(i) + "\r\n";
    return text;
}

inline std::vector<DeflateSample> DeflateSamples() {
    // 65,536 zero bytes in 78: a zip bomb in small.
    std::vector<unsigned char> zeros = {0xed, 0xc1, 0x01, 0x01, 0x00, 0x00, 0x00,
                                        0x80, 0x90, 0xfe, 0xaf, 0xee, 0x08, 0x0a};
    zeros.resize(77);
    zeros.push_back(0x6a);
    return {
        {"fixed codes",
         {0x0b, 0x2c, 0xcd, 0xcc, 0xc9, 0xc9, 0xcf, 0x53, 0x08, 0x44, 0xa3, 0x7d, 0xf2, 0x13, 0x53, 0x52, 0x8b, 0x00},
         "Quillon Quillon Quillon Loader",
         0x220435cc},
        {"stored",
         {0x01, 0x0c, 0x00, 0xf3, 0xff, 0x73, 0x74, 0x6f, 0x72, 0x65, 0x64, 0x20, 0x62, 0x6c, 0x6f, 0x63, 0x6b},
         "stored block",
         0x3d24a394},
        {"two blocks",
         {0x4a, 0xcb, 0x2c, 0x2a, 0x2e, 0x51, 0x28, 0x48, 0x2c, 0x2a, 0xd1, 0x01, 0x00,
          0x00, 0x00, 0xff, 0xff, 0x53, 0x28, 0xc9, 0x48, 0xcd, 0x03, 0x11, 0x0a, 0xc5,
          0xa9, 0xc9, 0xf9, 0x79, 0x29, 0x50, 0xd1, 0x34, 0xb8, 0x0a, 0x00},
         "first part, then the second part, first part",
         0x7388fc2a},
        {"dynamic codes",
         {0x35, 0xc9, 0x4d, 0x0a, 0x83, 0x30, 0x10, 0x40, 0xe1, 0xfd, 0xc0, 0xdc, 0x21, 0x78, 0x80, 0x6a, 0xe2,
          0x1f, 0x14, 0x5c, 0xc9, 0xac, 0x0a, 0xae, 0x05, 0xe9, 0xc2, 0xd8, 0xec, 0xb4, 0x09, 0x26, 0x82, 0xde,
          0xbe, 0x95, 0x61, 0x56, 0x8f, 0x8f, 0x37, 0x45, 0xbb, 0xce, 0x31, 0xb9, 0xfd, 0x8d, 0x10, 0x6d, 0xba,
          0x82, 0xeb, 0xa2, 0x0d, 0xbb, 0x37, 0x08, 0xd3, 0x7c, 0x24, 0xef, 0x4e, 0xb7, 0xfc, 0xd7, 0xe6, 0x8f,
          0x6f, 0x52, 0xbd, 0xca, 0x5e, 0x44, 0x43, 0x86, 0xd0, 0x3f, 0x11, 0x96, 0x8f, 0xba, 0xd5, 0x22, 0xdc,
          0x29, 0xe8, 0x41, 0x23, 0xa9, 0x3c, 0x14, 0x6c, 0x2d, 0xd6, 0x6c, 0x23, 0x36, 0xec, 0x52, 0x5c, 0xb2,
          0x2b, 0x71, 0xc5, 0xae, 0xc5, 0x35, 0xbb, 0x11, 0x37, 0x08, 0x3f},
         DynamicSampleText(),
         0xa1ea29c3},
        {"one distance code",
         {0x45, 0xc0, 0x21, 0x01, 0x00, 0x00, 0x00, 0x80, 0xa0, 0xad, 0xfc, 0x3f, 0x61, 0x14, 0x0b},
         std::string(11, 'a'),
         0x55465d92},
        {"zeros", zeros, std::string(65536, '\0'), 0},
    };
}

// One entry of a zip archive to build: its stored bytes (deflated or not).
struct ZipItem {
    std::string name;
    std::vector<char> packed;
    uint32_t size = 0, crc = 0;
    uint16_t method = 0, flags = 0;
};

inline ZipItem StoredItem(const std::string& name, const std::string& bytes) {
    return {name, std::vector<char>(bytes.begin(), bytes.end()), static_cast<uint32_t>(bytes.size()),
            Crc32(bytes.data(), bytes.size())};
}
inline ZipItem DeflatedItem(const std::string& name, const DeflateSample& sample) {
    return {name, std::vector<char>(sample.packed.begin(), sample.packed.end()),
            static_cast<uint32_t>(sample.text.size()), sample.crc, 8};
}

// A zip archive as APPNOTE lays it out: local headers with data, the central directory, the end record.
inline std::vector<char> MakeZip(const std::vector<ZipItem>& items) {
    std::vector<char> zip, directory;
    auto put = [](std::vector<char>& out, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
    };
    auto header = [&](std::vector<char>& out, const ZipItem& item) {
        put(out, item.flags, 2), put(out, item.method, 2), put(out, 0, 4), put(out, item.crc, 4);
        put(out, static_cast<uint32_t>(item.packed.size()), 4), put(out, item.size, 4);
        put(out, static_cast<uint32_t>(item.name.size()), 2), put(out, 0, 2);
    };
    for (const ZipItem& item : items) {
        put(directory, 0x02014b50, 4), put(directory, 20, 2), put(directory, 20, 2);
        header(directory, item);
        const std::string comment = "kept by " + item.name;  // each entry's file comment follows its name
        put(directory, static_cast<uint32_t>(comment.size()), 2), put(directory, 0, 2), put(directory, 0, 2);
        put(directory, 0, 4);
        put(directory, static_cast<uint32_t>(zip.size()), 4);
        directory.insert(directory.end(), item.name.begin(), item.name.end());
        directory.insert(directory.end(), comment.begin(), comment.end());
        put(zip, 0x04034b50, 4), put(zip, 20, 2);
        header(zip, item);
        zip.insert(zip.end(), item.name.begin(), item.name.end());
        zip.insert(zip.end(), item.packed.begin(), item.packed.end());
    }
    const uint32_t offset = static_cast<uint32_t>(zip.size());
    zip.insert(zip.end(), directory.begin(), directory.end());
    put(zip, 0x06054b50, 4), put(zip, 0, 4), put(zip, static_cast<uint32_t>(items.size()), 2);
    put(zip, static_cast<uint32_t>(items.size()), 2), put(zip, static_cast<uint32_t>(directory.size()), 4);
    put(zip, offset, 4), put(zip, 0, 2);
    return zip;
}
