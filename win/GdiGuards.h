// Scope guards for GDI: an object deleted, a window DC released, a memory DC
// deleted, an object or palette put back into a DC, a DC's state restored, at
// the end of a scope.
#pragma once
#include <windows.h>

namespace win {

class GdiObject {
public:
    explicit GdiObject(HGDIOBJ object = nullptr) : _object(object) {}
    ~GdiObject() {
        if (_object) DeleteObject(_object);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    HGDIOBJ Get() const { return _object; }
    // Holds |object| from now on; the one held before is deleted unless it is the same.
    void Reset(HGDIOBJ object = nullptr) {
        if (_object && _object != object) DeleteObject(_object);
        _object = object;
    }
    HGDIOBJ Release() {
        HGDIOBJ o = _object;
        _object = nullptr;
        return o;
    }

private:
    HGDIOBJ _object;
};

class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : _hwnd(hwnd), _dc(GetDC(hwnd)) {}
    ~WindowDc() {
        if (_dc) ReleaseDC(_hwnd, _dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return _dc; }

private:
    HWND _hwnd;
    HDC _dc;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : _dc(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() {
        if (_dc) DeleteDC(_dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return _dc; }

private:
    HDC _dc;
};

// Selects an object into a DC and puts the previous one back.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : _dc(dc), _previous(SelectObject(dc, object)) {}
    ~Selected() {
        if (_previous) SelectObject(_dc, _previous);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC _dc;
    HGDIOBJ _previous;
};

// Saves a DC's state (clipping, origins, selections) and restores it.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : _dc(dc), _saved(SaveDC(dc)) {}
    ~SavedDc() {
        if (_saved) RestoreDC(_dc, _saved);
    }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC _dc;
    int _saved;
};

// Selects and realises a palette, and puts the previous one back.
class RealizedPalette {
public:
    RealizedPalette(HDC dc, HPALETTE palette, bool background)
        : _dc(dc), _previous(SelectPalette(dc, palette, background ? TRUE : FALSE)), _background(background) {
        _changed = RealizePalette(dc);
    }
    ~RealizedPalette() {
        if (_previous) SelectPalette(_dc, _previous, _background ? TRUE : FALSE);
    }
    RealizedPalette(const RealizedPalette&) = delete;
    RealizedPalette& operator=(const RealizedPalette&) = delete;
    // Entries that changed in the system palette; GDI_ERROR on failure.
    UINT Changed() const { return _changed; }

private:
    HDC _dc;
    HPALETTE _previous;
    bool _background;
    UINT _changed = 0;
};

}  // namespace win
