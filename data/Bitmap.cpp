// The picture check: file header, info header, colour table and pixels.
#include "data/Bitmap.h"
#include <cstdint>
#include <cstring>

namespace {

// A preview never needs more; bounds the memory a small RLE picture can ask for.
constexpr uint64_t kMaxDecodedBytes = 64ull << 20;

uint32_t U16(const unsigned char* p) { return p[0] | (p[1] << 8); }
uint32_t U32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// Walks a run-length stream of |n| bytes; true when every run stays inside the
// width x height picture and the stream ends with its end-of-bitmap marker. With
// |out| (8-bit streams only), the pixels are written into bottom-up rows of
// |stride| bytes as they are walked.
bool RleFits(const unsigned char* d, uint64_t n, uint64_t width, uint64_t height, bool fourBit,
             unsigned char* out = nullptr, uint64_t stride = 0) {
    uint64_t x = 0, y = 0, i = 0;
    while (i + 2 <= n) {
        const unsigned count = d[i], value = d[i + 1];
        i += 2;
        if (count) {  // a run of |count| pixels
            if (y >= height || x + count > width) return false;
            if (out) std::memset(out + y * stride + x, static_cast<int>(value), count);
            x += count;
        } else if (value == 0) {  // end of line
            x = 0;
            if (++y > height) return false;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // move right and up
            if (i + 2 > n) return false;
            x += d[i];
            y += d[i + 1];
            i += 2;
            if (x > width || y > height) return false;
        } else {  // |value| literal pixels, padded to a word
            uint64_t bytes = fourBit ? (value + 1) / 2 : value;
            bytes = (bytes + 1) & ~1ull;
            if (i + bytes > n || y >= height || x + value > width) return false;
            if (out) std::memcpy(out + y * stride + x, d + i, value);
            x += value;
            i += bytes;
        }
    }
    return false;
}

}  // namespace

bool IsUsableBitmap(const void* data, size_t size) {
    const auto* b = static_cast<const unsigned char*>(data);
    constexpr size_t kFileHeader = 14;
    if (!b || size < kFileHeader + 12 || b[0] != 'B' || b[1] != 'M') return false;
    const uint64_t total = size;
    const uint64_t bitsOffset = U32(b + 10);
    const unsigned char* info = b + kFileHeader;
    const uint32_t infoSize = U32(info);
    if (kFileHeader + static_cast<uint64_t>(infoSize) > total) return false;

    uint64_t width, height, bitCount, tableEntries, entrySize, masks = 0;
    uint32_t compression = kRgb, imageSize = 0;
    bool bottomUp = true;
    if (infoSize == 12) {  // BITMAPCOREHEADER: 16-bit sizes, RGB triples
        width = U16(info + 4);
        height = U16(info + 6);
        if (U16(info + 8) != 1) return false;
        bitCount = U16(info + 10);
        if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return false;
        tableEntries = bitCount <= 8 ? 1ull << bitCount : 0;
        entrySize = 3;
    } else if (infoSize == 40 || infoSize == 108 || infoSize == 124) {  // INFO, V4, V5: what Windows reads
        const int32_t w = static_cast<int32_t>(U32(info + 4));
        const int32_t h = static_cast<int32_t>(U32(info + 8));
        if (w <= 0 || h == 0) return false;
        width = static_cast<uint64_t>(w);
        bottomUp = h > 0;
        height = h > 0 ? static_cast<uint64_t>(h) : static_cast<uint64_t>(-static_cast<int64_t>(h));
        if (U16(info + 12) != 1) return false;
        bitCount = U16(info + 14);
        compression = U32(info + 16);
        imageSize = U32(info + 20);
        const uint64_t used = U32(info + 32);
        switch (compression) {
            case kRgb:
                if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
                    bitCount != 32)
                    return false;
                break;
            case kRle8:
                if (bitCount != 8 || !bottomUp) return false;
                break;
            case kRle4:
                if (bitCount != 4 || !bottomUp) return false;
                break;
            case kBitFields:
                if (bitCount != 16 && bitCount != 32) return false;
                if (infoSize == 40) masks = 12;  // the three masks follow the header
                break;
            default: return false;  // JPEG, PNG and the rest are not for LoadImageA here
        }
        const uint64_t maxEntries = bitCount <= 8 ? 1ull << bitCount : 256;
        if (used > maxEntries) return false;
        tableEntries = used ? used : (bitCount <= 8 ? 1ull << bitCount : 0);
        entrySize = 4;
        if (infoSize == 124) {
            // A profile named by the header must lie inside the bytes too.
            const uint32_t csType = U32(info + 56);
            if (csType == 0x4C494E4Bu || csType == 0x4D424544u) {  // 'LINK', 'MBED'
                const uint64_t profile = U32(info + 112), profileSize = U32(info + 116);
                if (kFileHeader + profile + profileSize > total) return false;
            }
        }
    } else {
        return false;
    }
    // Bounded sides keep every size below from overflowing 64 bits.
    if (width == 0 || height == 0 || width > (1u << 24) || height > (1u << 24)) return false;

    const uint64_t stride = (width * bitCount + 31) / 32 * 4;
    if (stride * height > kMaxDecodedBytes) return false;
    const uint64_t tableEnd = kFileHeader + infoSize + masks + tableEntries * entrySize;
    if (tableEnd > total || bitsOffset < tableEnd || bitsOffset > total) return false;
    const uint64_t available = total - bitsOffset;
    if (compression == kRle8 || compression == kRle4) {
        if (imageSize == 0 || imageSize > available) return false;
        return RleFits(b + bitsOffset, imageSize, width, height, compression == kRle4);
    }
    return stride * height <= available;
}

bool DecodeRle8(const void* data, size_t size, int width, int height, std::vector<unsigned char>& rows) {
    rows.clear();
    if (!data || width <= 0 || height <= 0 || width > (1 << 24) || height > (1 << 24)) return false;
    const uint64_t stride = (static_cast<uint64_t>(width) + 3) / 4 * 4;
    if (stride * static_cast<uint64_t>(height) > kMaxDecodedBytes) return false;
    rows.assign(static_cast<size_t>(stride * static_cast<uint64_t>(height)), 0);
    if (RleFits(static_cast<const unsigned char*>(data), size, static_cast<uint64_t>(width),
                static_cast<uint64_t>(height), false, rows.data(), stride))
        return true;
    rows.clear();
    return false;
}
