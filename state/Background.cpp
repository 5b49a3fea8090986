// Choosing the main window's background.
#include "state/Background.h"
#include "res/resource.h"

BackgroundChoice ChooseStartBackground(int stored, int draw) {
    static const int kBitmaps[4] = {IDB_BACK_RED, IDB_BACK_GREEN, IDB_BACK_BLUE, IDB_BACK_GREY};
    if (stored < 0) return {IDB_BACK_GREY, 3};
    // Now and then, and whenever the stored choice is unknown, the alternative.
    if (draw >= 8 || stored > 3) return {IDB_BACK_ALT, 2};
    return {kBitmaps[stored], -1};
}
