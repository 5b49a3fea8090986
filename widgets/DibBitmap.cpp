// Loading a bitmap resource into a DIB with its palette, and drawing it.
#include "widgets/DibBitmap.h"
#include "data/Bitmap.h"
#include "win/GdiGuards.h"
#include <cstring>
#include <new>
#include <optional>

namespace {

int ColourEntries(int bitCount) {
    switch (bitCount) {
        case 1: return 2;
        case 4: return 16;
        case 8: return 256;
        default: return 0;
    }
}

// The packed DIB of a bitmap resource when it is run-length encoded with 8 bits
// (its header, colour table and pixels), or null.
const BITMAPINFOHEADER* RunLengthResource(HINSTANCE module, int id, DWORD& size) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_BITMAP);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    size = found ? SizeofResource(module, found) : 0;
    if (!data || size < sizeof(BITMAPINFOHEADER)) return nullptr;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(data);
    return header->biSize >= sizeof(BITMAPINFOHEADER) && header->biCompression == BI_RLE8 ? header : nullptr;
}

}  // namespace

DibBitmap::~DibBitmap() { Release(); }

void DibBitmap::Release() {
    if (_palette) DeleteObject(_palette);
    _palette = nullptr;
    _bits.clear();
    _info.clear();
}

bool DibBitmap::LoadFromResource(HINSTANCE module, int id) {
    Release();
    // The large pictures are stored run-length encoded; not every Windows makes a
    // DIB section of those, so they are decoded here.
    DWORD size = 0;
    if (const BITMAPINFOHEADER* packed = RunLengthResource(module, id, size)) return LoadRunLength(*packed, size);

    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return false;
    win::GdiObject bitmapGuard(bitmap);

    BITMAP bm{};
    if (!GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    const int bitCount = bm.bmBitsPixel <= 8 ? bm.bmBitsPixel : 24;
    const int colours = ColourEntries(bitCount);
    const size_t rowBytes = ((static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bitCount) + 31) / 32) * 4;
    const size_t imageBytes = rowBytes * static_cast<size_t>(bm.bmHeight);

    try {
        _bits.assign(imageBytes, 0);
    } catch (const std::bad_alloc&) {
        OutputDebugStringA("could not allocate data storage\n");
        Release();
        return false;
    }
    try {
        _info.assign((sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)) / sizeof(DWORD), 0);
    } catch (const std::bad_alloc&) {
        OutputDebugStringA("could not allocate BITMAPINFO struct\n");
        Release();
        return false;
    }
    BITMAPINFOHEADER& header = *reinterpret_cast<BITMAPINFOHEADER*>(_info.data());
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(imageBytes);

    int rows = 0;
    {
        win::WindowDc desktop(GetDesktopWindow());
        rows = GetDIBits(desktop.Get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), _bits.data(),
                         reinterpret_cast<BITMAPINFO*>(_info.data()), DIB_RGB_COLORS);
    }
    if (rows < bm.bmHeight) {
        OutputDebugStringA("call to GetDIBits did not return full number of requested scan lines\n");
        Release();
        return false;
    }
    // GetDIBits may rewrite the header's fields; keep the ones we asked for.
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biCompression = BI_RGB;
    header.biClrUsed = 0;

    if (colours > 0) MakePalette(colours);
    return true;
}

void DibBitmap::MakePalette(int colours) {
    std::vector<DWORD> store((sizeof(LOGPALETTE) + colours * sizeof(PALETTEENTRY)) / sizeof(DWORD) + 1, 0);
    LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(store.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(colours);
    const RGBQUAD* table = Info()->bmiColors;
    for (int i = 0; i < colours; ++i) {
        logical->palPalEntry[i].peRed = table[i].rgbRed;
        logical->palPalEntry[i].peGreen = table[i].rgbGreen;
        logical->palPalEntry[i].peBlue = table[i].rgbBlue;
        logical->palPalEntry[i].peFlags = 0;
    }
    _palette = CreatePalette(logical);
}

bool DibBitmap::LoadRunLength(const BITMAPINFOHEADER& packed, DWORD size) {
    const DWORD used = packed.biClrUsed ? packed.biClrUsed : 256;
    const size_t tableBytes = static_cast<size_t>(used) * sizeof(RGBQUAD);
    if (packed.biBitCount != 8 || used > 256 || packed.biWidth <= 0 || packed.biHeight <= 0 ||
        packed.biSize > size || tableBytes > size - packed.biSize) {
        OutputDebugStringA("the run-length bitmap resource is damaged\n");
        return false;
    }
    const BYTE* table = reinterpret_cast<const BYTE*>(&packed) + packed.biSize;
    try {
        _info.assign((sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)) / sizeof(DWORD), 0);
        if (!DecodeRle8(table + tableBytes, size - packed.biSize - tableBytes, packed.biWidth, packed.biHeight,
                        _bits)) {
            OutputDebugStringA("the run-length bitmap resource is damaged\n");
            Release();
            return false;
        }
    } catch (const std::bad_alloc&) {
        OutputDebugStringA("could not allocate data storage\n");
        Release();
        return false;
    }
    BITMAPINFOHEADER& header = *reinterpret_cast<BITMAPINFOHEADER*>(_info.data());
    header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), packed.biWidth, packed.biHeight, 1, 8, BI_RGB,
                              static_cast<DWORD>(_bits.size()), 0, 0, 0, 0};
    std::memcpy(reinterpret_cast<BITMAPINFO*>(_info.data())->bmiColors, table, tableBytes);
    MakePalette(256);
    return true;
}

void DibBitmap::DrawStretched(HDC dc, const RECT& rect) const {
    if (!IsLoaded()) return;
    std::optional<win::RealizedPalette> palette;
    if (_palette) {
        palette.emplace(dc, _palette, false);
        SetStretchBltMode(dc, COLORONCOLOR);
    }
    StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0, Width(), Height(),
                  _bits.data(), Info(), DIB_RGB_COLORS, SRCCOPY);
}

void DibBitmap::DrawAt(HDC dc, int x, int y) const {
    RECT rect{x, y, x + Width(), y + Height()};
    DrawStretched(dc, rect);
}
