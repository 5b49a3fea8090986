// The folder bar: a stack of folder headers with the open folder's items (or
// its child window) between them. Reports to its owner with WM_USER + 1.
#pragma once
#include "widgets/OutBarModel.h"
#include "win/GdiGuards.h"
#include <functional>
#include <string>

class OutBar {
public:
    // The notification message; wParam holds one of the codes below.
    static constexpr UINT kNotifyMessage = WM_USER + 1;
    static constexpr WPARAM kItemClicked = 1;   // lParam: the item's index in the open folder
    static constexpr WPARAM kItemDragged = 4;   // lParam: DragInfo*; non-zero answer moves the item
    static constexpr WPARAM kFolderOpened = 5;  // lParam: the folder's index
    static constexpr WPARAM kChildNotify = 6;   // lParam: ChildNotifyInfo*
    static constexpr UINT_PTR kHoverTimer = 1, kArrowTimer = 2, kBlinkTimer = 3;

    // Pointer-sized fields: 32 bits on i686, and room for an address on x86_64.
    struct DragInfo {
        LONG_PTR unused1 = 0, unused2 = 0;
        LONG_PTR folder = 0;  // the open folder
        LONG_PTR target = 0;  // the insertion position, 0 to the item count
    };
    struct ChildNotifyInfo {
        LONG_PTR unused[4] = {};
        LONG_PTR controlId = 0;  // id of the child that notified
        NMHDR* header = nullptr;
    };

    OutBar();
    ~OutBar();
    OutBar(const OutBar&) = delete;
    OutBar& operator=(const OutBar&) = delete;

    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD flags);
    HWND Handle() const { return _hwnd; }
    // Receiver of the notifications; without one the parent gets them.
    void SetOwner(HWND owner) { _owner = owner; }

    // which: 1 small, 2 large. Returns the previous list. The list stays the caller's.
    HIMAGELIST SetImageList(HIMAGELIST list, int which);
    int AddFolder(const std::string& name, DWORD value);
    int AddFolderWithChild(const std::string& name, HWND child, DWORD value);
    // A position below 0 or past the end appends; an invalid folder does nothing and gives 0.
    int InsertItem(int folder, int position, const std::string& label, int image, DWORD value);
    void SetSmallIconView(bool on);
    void SetSelFolder(int folder);
    int GetSelFolder() const { return _state.openFolder; }
    void SetBlinkDelay(int ms);
    void SetItemText(int folder, int item, const std::string& text);
    void SetOpenFolderItemText(int item, const std::string& text);
    // Empty when the index is out of range.
    std::string GetItemText(int item) const;
    void Refresh();

    // Pause between slide frames; below 0 the folder change does not slide.
    int animationDelay = 10;
    // Called after each slide frame has been drawn, with the frame's number.
    std::function<void(int)> onSlideFrame;

    const outbar::State& State() const { return _state; }
    int ItemCount(int folder) const;
    // Frames drawn by the last folder change (0: it did not slide).
    int SlideFrames() const { return _slideFrames; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    RECT Client() const;
    LRESULT Notify(WPARAM code, LPARAM lp);
    void Repaint(const RECT* r = nullptr);

    void OnPaint();
    void OnMouseMove(POINT p);
    void OnLButtonDown(POINT p);
    void OnTimer(UINT_PTR id);
    void OnSize();
    bool OnSetCursor();
    void SetHotFolder(int folder);
    void SetHotItem(int item, bool pressed);
    void Blink();

    // The press loops (OutBarPress.cpp). TrackPress runs until the button is
    // released (true, with the point), Escape is pressed or the capture is lost.
    bool TrackPress(const std::function<void(POINT)>& onMove, const std::function<void()>& onArrowTick, POINT& release);
    void PressFolder(int folder);
    void PressItem(int item);
    void PressArrow(bool up);
    void ScrollBy(int delta);
    void ShowInsertMark(int position);
    void MoveItem(int from, int to);

    // The slide animation (OutBarSlide.cpp).
    void Slide(int from, int to);
    void PaintContent(HDC dc, const RECT& r, int folder);

    HWND _hwnd = nullptr;
    HWND _owner = nullptr;
    outbar::State _state;
    int _blinkDelay = 0;
    int _slideFrames = 0;
    int _mark = -1;  // insertion mark on screen, -1: none
    HCURSOR _handCursor = nullptr;
    HCURSOR _dragCursor = nullptr;
    HCURSOR _noDropCursor = nullptr;
    win::GdiObject _markPen;
};
