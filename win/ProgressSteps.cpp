// Progress shown in steps.
#include "win/ProgressSteps.h"

namespace win {

ProgressSteps::ProgressSteps(HWND bar, int total) : _bar(bar), _total(total), _lastTime(GetTickCount()) {
    RECT rc{};
    GetClientRect(bar, &rc);
    _width = rc.right > 0 ? rc.right : 1;
    _bar.SetRange(total);
    _bar.SetPos(0);
}

void ProgressSteps::Set(int position) {
    if (_total <= 0) return;
    const int pixel = static_cast<int>(static_cast<long long>(position) * _width / _total);
    const DWORD now = GetTickCount();
    if (pixel == _lastPixel || now - _lastTime < 40) return;
    _lastPixel = pixel;
    _lastTime = now;
    _bar.SetPos(position);
    UpdateWindow(_bar.Handle());
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

}  // namespace win
