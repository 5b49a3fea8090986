// Bitmap file images for tests.
#include "BmpBuilder.h"
#include <cstring>

std::vector<char> BuildBmp(const BmpSpec& s) {
    const bool core = s.infoSize == 12;
    const uint32_t masks = (s.compression == 3 && s.infoSize == 40) ? 12 : 0;
    uint32_t entries = s.colorsUsed ? s.colorsUsed : (s.bitCount <= 8 ? 1u << s.bitCount : 0);
    const uint32_t table = entries * (core ? 3 : 4);
    const uint32_t stride = (static_cast<uint32_t>(s.width) * s.bitCount + 31) / 32 * 4;
    const uint32_t rows = static_cast<uint32_t>(s.height < 0 ? -s.height : s.height);
    std::vector<unsigned char> bits = s.bits;
    if (bits.empty() && s.compression != 1 && s.compression != 2) bits.assign(stride * rows, 0x5A);
    const uint32_t natural = 14 + s.infoSize + masks + table;
    const uint32_t offset = s.bitsOffset ? s.bitsOffset : natural;
    std::vector<char> out(natural, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&out[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&out[at], &v, 2); };
    put16(0, 0x4D42);  // "BM"
    put32(2, natural + static_cast<uint32_t>(bits.size()));
    put32(10, offset);
    put32(14, s.infoSize);
    if (core) {
        put16(18, static_cast<uint16_t>(s.width));
        put16(20, static_cast<uint16_t>(s.height));
        put16(22, 1);
        put16(24, s.bitCount);
    } else {
        put32(18, static_cast<uint32_t>(s.width));
        put32(22, static_cast<uint32_t>(s.height));
        put16(26, 1);
        put16(28, s.bitCount);
        put32(30, s.compression);
        put32(34, static_cast<uint32_t>(bits.size()));
        put32(46, s.colorsUsed);
        if (s.compression == 3) {
            const uint32_t rgb[3] = {s.bitCount == 16 ? 0xF800u : 0xFF0000u, s.bitCount == 16 ? 0x07E0u : 0xFF00u,
                                     s.bitCount == 16 ? 0x001Fu : 0xFFu};
            for (int i = 0; i < 3; ++i) put32(14 + 40 + 4 * i, rgb[i]);
        }
    }
    for (uint32_t i = 0; i < table; ++i) out[14 + s.infoSize + masks + i] = static_cast<char>(i * 7);
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

std::vector<char> HeaderWithoutPixels() {
    std::vector<char> b = BuildBmp(BmpSpec(100, 100));
    b.resize(54);
    return b;
}

std::vector<char> PixelsAtOffsetOne() {
    BmpSpec s(9, 10, 8);
    s.bitsOffset = 1;
    return BuildBmp(s);
}
