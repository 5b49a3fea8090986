// A progress bar moved through a long piece of work without slowing it: only
// when its filled part grows by a pixel, and at most every 40 ms (painting it
// at each of thousands of positions costs more than the work it shows).
#pragma once
#include "win/Controls.h"

namespace win {

class ProgressSteps {
public:
    // The bar's range becomes 0 to |total| (at most 65535), its position 0.
    ProgressSteps(HWND bar, int total);
    // Paints the bar at |position| when the step is due. The thread also shows
    // Windows that it still answers, so that the window is not taken for hung
    // in a conversion of many seconds.
    void Set(int position);

private:
    ProgressBar _bar;
    int _total;
    int _width = 1;
    int _lastPixel = 0;
    DWORD _lastTime;
};

}  // namespace win
