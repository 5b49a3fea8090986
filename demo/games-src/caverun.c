/* Demo game "Cave Runner". */
#define DEMO_TITLE "Cave Runner"
#define DEMO_BACK RGB(40, 25, 10)
#define DEMO_FORE RGB(255, 160, 40)
#include "demo_game.h"
