// The folder bar's state, geometry and painting: plain functions of a device
// context, a client rectangle and the state, so that they run on any DC.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

namespace outbar {

// Flags given at creation.
constexpr DWORD kSmallIcons = 0x1;       // icon left, label right; clear: icon above a centred label
constexpr DWORD kDragItems = 0x80;       // items may be dragged to another position
constexpr DWORD kAnimate = 0x100;        // the change of folder slides
constexpr DWORD kSelectedFrame = 0x200;  // the last clicked item gets a sunken frame

struct Item {
    std::string label;
    int image = -1;
    DWORD value = 0;
};

struct Folder {
    std::string name;
    DWORD value = 0;
    HWND child = nullptr;  // shown instead of items; not owned
    HIMAGELIST largeImages = nullptr;
    HIMAGELIST smallImages = nullptr;
    std::vector<Item> items;
};

struct State {
    COLORREF background = RGB(32, 32, 64);
    COLORREF frame = GetSysColor(COLOR_BACKGROUND);
    COLORREF text = GetSysColor(COLOR_WINDOW);
    COLORREF face = GetSysColor(COLOR_3DFACE);
    COLORREF highlight = GetSysColor(COLOR_3DHILIGHT);
    COLORREF darkShadow = GetSysColor(COLOR_3DDKSHADOW);
    int headerHeight = 22;
    int smallLabelGap = 4;
    int largeLabelGap = 3;
    int smallSpacing = 10;
    int largeSpacing = 8;
    int marginX = 5;
    int marginY = 5;

    bool upShown = false, downShown = false;
    bool upPressed = false, downPressed = false;
    RECT upRect{}, downRect{};

    int selectedItem = -1;
    int blinkPhase = 0;
    DWORD flags = kDragItems | kSelectedFrame;
    std::vector<Folder> folders;
    int hotFolder = -1;
    int firstVisible = 0;
    int hotItem = -1;
    bool hotPressed = false;
    int openFolder = 0;
    HIMAGELIST largeImages = nullptr;  // shared by the folders without their own; not owned
    HIMAGELIST smallImages = nullptr;
    int pressedFolder = -1;  // header drawn pressed during a press

    bool SmallView() const { return (flags & kSmallIcons) != 0; }
    bool ValidFolder(int f) const { return f >= 0 && f < static_cast<int>(folders.size()); }
    const Folder* Open() const { return ValidFolder(openFolder) ? &folders[openFolder] : nullptr; }
    int OpenItemCount() const { return Open() ? static_cast<int>(Open()->items.size()) : 0; }
    bool OpenHasChild() const { return Open() && Open()->child; }
};

// Where a point lies.
enum class Hit { Nothing, UpArrow, DownArrow, Folder, Item };
struct HitResult {
    Hit kind = Hit::Nothing;
    int index = -1;
};

// Geometry (client rectangle |c|).
RECT HeaderRect(const State& s, const RECT& c, int folder);
// The item area of the open folder, or of |folder| when given.
RECT ItemArea(const State& s, const RECT& c, int folder = -1);
HIMAGELIST ImagesOf(const State& s, int folder);
SIZE ItemSize(HDC dc, const State& s, const RECT& area, int folder, int item);
// Rectangle of an item of |folder|, scrolled by |firstVisible|.
RECT ItemRect(HDC dc, const State& s, const RECT& c, int folder, int item, int firstVisible);
RECT IconRect(HDC dc, const State& s, const RECT& c, int item);
RECT LabelRect(HDC dc, const State& s, const RECT& c, int item);
HitResult HitTest(HDC dc, const State& s, const RECT& c, POINT p);
// True when the open folder's last item ends below the item area.
bool LastItemBelow(HDC dc, const State& s, const RECT& c);
// The insertion position (0 to the item count) nearest to |y|.
int DropPosition(HDC dc, const State& s, const RECT& c, int y);

// Painting.
void Paint(HDC dc, const RECT& c, State& s);
void DrawHeader(HDC dc, const RECT& r, const State& s, const std::string& name, bool pressed);
// The hover edges of a header: raised when |hot|, back to normal otherwise.
void DrawHeaderHot(HDC dc, const RECT& r, const State& s, bool hot);
enum class IconFrame { Erase, Raised, Sunken };
void DrawIconFrame(HDC dc, const State& s, const RECT& c, int item, IconFrame kind);
// Items of |folder| over the background colour, into |area|.
void DrawItems(HDC dc, const State& s, const RECT& area, int folder, int firstVisible);
// The icon of an item shifted by (dx, dy), the area around it cleared first.
void DrawShiftedIcon(HDC dc, const State& s, const RECT& c, int item, int dx, int dy);
// The insertion mark of position |pos| (0 to the item count).
void DrawInsertMark(HDC dc, const State& s, const RECT& c, int pos, HPEN pen);
RECT InsertMarkRect(HDC dc, const State& s, const RECT& c, int pos);

}  // namespace outbar
