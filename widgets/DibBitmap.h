// A device-independent copy of a bitmap resource, with a palette for images of
// 256 colours or fewer, drawn stretched into a rectangle or at its own size.
#pragma once
#include <windows.h>
#include <vector>

class DibBitmap {
public:
    DibBitmap() = default;
    virtual ~DibBitmap();
    DibBitmap(const DibBitmap&) = delete;
    DibBitmap& operator=(const DibBitmap&) = delete;

    // Replaces the content with the bitmap resource |id| of |module|. On failure
    // the object is empty and a diagnostic goes to the debugger output.
    bool LoadFromResource(HINSTANCE module, int id);
    void Release();

    bool IsLoaded() const { return !_bits.empty(); }
    int Width() const { return IsLoaded() ? Header().biWidth : 0; }
    int Height() const { return IsLoaded() ? Header().biHeight : 0; }
    int BitCount() const { return IsLoaded() ? Header().biBitCount : 0; }
    // Null unless the bit count is 8 or less.
    HPALETTE Palette() const { return _palette; }

    // The whole bitmap stretched into |rect|.
    virtual void DrawStretched(HDC dc, const RECT& rect) const;
    // The whole bitmap at its own size with its top-left corner at (x, y).
    virtual void DrawAt(HDC dc, int x, int y) const;

private:
    const BITMAPINFOHEADER& Header() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(_info.data()); }
    // Decodes an 8-bit run-length resource of |size| bytes starting with |packed|.
    bool LoadRunLength(const BITMAPINFOHEADER& packed, DWORD size);
    void MakePalette(int colours);
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(_info.data()); }

    // BITMAPINFOHEADER followed by room for 256 colour entries. Stored as
    // DWORDs to keep the header aligned.
    std::vector<DWORD> _info;
    // Bottom-up rows, each padded to a multiple of 4 bytes.
    std::vector<BYTE> _bits;
    HPALETTE _palette = nullptr;
};
