// Checks on the BMP bytes of a game's picture before Windows is given them.
#pragma once
#include <cstddef>
#include <vector>

// True when |bytes| hold a complete Windows bitmap file: the "BM" file header,
// a known info header, and a colour table and pixel data that lie wholly inside
// the bytes (run-length encoded pixels are walked to the end marker). Such a
// picture can be handed to LoadImageA; any other is shown as the default one.
bool IsUsableBitmap(const void* bytes, size_t size);

// Decodes the 8-bit run-length (BI_RLE8) pixels |data| of a width x height
// picture into bottom-up rows padded to 4 bytes; pixels the stream skips are
// colour 0. False, with |rows| empty, when a run leaves the picture, the stream
// ends without its end-of-bitmap marker or the picture is over 64 MiB.
bool DecodeRle8(const void* data, size_t size, int width, int height, std::vector<unsigned char>& rows);
