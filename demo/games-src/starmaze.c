/* Demo game "Star Maze". */
#define DEMO_TITLE "Star Maze"
#define DEMO_BACK RGB(10, 10, 40)
#define DEMO_FORE RGB(120, 200, 255)
#include "demo_game.h"
