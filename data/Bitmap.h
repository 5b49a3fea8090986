// Checks on the BMP bytes of a game's picture before Windows is given them.
#pragma once
#include <cstddef>

// True when |bytes| hold a complete Windows bitmap file: the "BM" file header,
// a known info header, and a colour table and pixel data that lie wholly inside
// the bytes (run-length encoded pixels are walked to the end marker). Such a
// picture can be handed to LoadImageA; any other is shown as the default one.
bool IsUsableBitmap(const void* bytes, size_t size);
