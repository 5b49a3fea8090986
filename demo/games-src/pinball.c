/* Demo game "Pixel Pinball". */
#define DEMO_TITLE "Pixel Pinball"
#define DEMO_BACK RGB(20, 40, 20)
#define DEMO_FORE RGB(220, 220, 220)
#include "demo_game.h"
