// Bitmap file images for the picture-check tests: any header, depth, compression and colour table.
#pragma once
#include <cstdint>
#include <vector>

struct BmpSpec {
    BmpSpec(int32_t w = 8, int32_t h = 8, uint16_t bits = 24, uint32_t compress = 0, uint32_t info = 40,
            uint32_t used = 0)
        : width(w), height(h), bitCount(bits), compression(compress), infoSize(info), colorsUsed(used) {}
    int32_t width, height;
    uint16_t bitCount;
    uint32_t compression, infoSize, colorsUsed;
    uint32_t bitsOffset = 0;          // 0: right after the header and colour table
    std::vector<unsigned char> bits;  // empty: stride x height filler bytes
};

// The whole file: 14-byte file header, info header, masks, colour table, pixels.
std::vector<char> BuildBmp(const BmpSpec& spec);

// Pictures that crashed the display: a 100 x 100 24-bit header without pixels, pixels at offset 1.
std::vector<char> HeaderWithoutPixels();
std::vector<char> PixelsAtOffsetOne();
