// A plain top-level window that receives the folder bar's notifications, for
// the tests of the bar and of the details bar.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

class BarHost {
public:
    struct Note {
        WPARAM code;
        LPARAM value;          // lParam as it came
        LONG_PTR folder = -1;  // code 4: the record's folder and target
        LONG_PTR target = -1;
    };

    BarHost(int width = 240, int height = 320);
    ~BarHost();
    HWND Handle() const { return _hwnd; }

    std::vector<Note> notes;
    std::vector<Note> NotesWith(WPARAM code) const;
    LRESULT dragAnswer = 0;  // the answer to code 4
    // When set, answers every notification instead.
    std::function<LRESULT(WPARAM, LPARAM)> handler;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND _hwnd = nullptr;
};

// Posts a press at |down|, moves through |moves| and releases at |up|, all to
// |control| in its client coordinates, then lets the control's loop run.
void Drag(HWND control, POINT down, const std::vector<POINT>& moves, POINT up);
void Click(HWND control, POINT p);

// Copies what the screen shows of a window into a 24-bit BMP file; false on failure.
bool SaveWindowPicture(HWND hwnd, const std::string& path);
// The colour that the screen shows at a client point of a window.
COLORREF ScreenPixel(HWND hwnd, POINT client);
