// The main window's background picture, chosen at start-up from the stored hue.
#pragma once

struct BackgroundChoice {
    int bitmap;  // the bitmap resource to paint
    int store;   // the value to store as "Background", or -1 to leave it
};

// |stored|: the stored hue (0 red, 1 green, 2 blue, 3 grey, anything else
// unknown), or -1 when none is stored (grey, stored as 3). |draw| is a random
// number from 0 to 9: 8 and 9, and an unknown hue, give the alternative picture,
// stored as blue (2).
BackgroundChoice ChooseStartBackground(int stored, int draw);
