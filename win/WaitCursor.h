// Shows the hourglass for the life of the object.
#pragma once
#include <windows.h>

namespace win {

class WaitCursor {
public:
    WaitCursor() : _previous(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(_previous ? _previous : LoadCursorA(nullptr, IDC_ARROW)); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR _previous;
};

}  // namespace win
