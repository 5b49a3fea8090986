/* Demo game "Tank Duel". */
#define DEMO_TITLE "Tank Duel"
#define DEMO_BACK RGB(30, 50, 70)
#define DEMO_FORE RGB(120, 220, 90)
#include "demo_game.h"
