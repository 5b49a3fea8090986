// A plain top-level window that receives the folder bar's notifications, and
// the mouse helpers of the bar's tests.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

class BarHost {
public:
    BarHost(int width = 240, int height = 320);
    ~BarHost();
    HWND Handle() const { return _hwnd; }
    // The notifications since the last call, as "code:value" each ("4:folder>target"
    // for a drag), separated by spaces.
    std::string Said();

    LRESULT dragAnswer = 0;                          // the answer to code 4
    std::function<LRESULT(WPARAM, LPARAM)> handler;  // when set, answers every notification

private:
    std::string _said;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND _hwnd = nullptr;
};

// Posts a press at |down|, moves through |moves| and a release at |up| to
// |control| (client coordinates), then lets the control's loop run.
void Drag(HWND control, POINT down, const std::vector<POINT>& moves, POINT up);
inline void Click(HWND control, POINT p) { Drag(control, p, {}, p); }
