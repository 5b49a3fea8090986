// Bitmap file images for the picture-check tests: any header size, bit depth,
// compression and colour table, with the pixel bytes given or zero-filled.
#pragma once
#include <cstdint>
#include <vector>

struct BmpSpec {
    int32_t width = 8;
    int32_t height = 8;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t infoSize = 40;
    uint32_t colorsUsed = 0;
    uint32_t bitsOffset = 0;          // 0: right after the header and colour table
    std::vector<unsigned char> bits;  // empty: stride x height zero bytes
};

// The whole file: 14-byte file header, info header, masks, colour table, pixels.
std::vector<char> BuildBmp(const BmpSpec& spec);
