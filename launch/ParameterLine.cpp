// Composition of the parameter line.
#include "launch/ParameterLine.h"

std::string ComposeParameterLine(const GameRecord& game) {
    const char* candidates[7] = {};
    candidates[0] = SelectedDisplayParameter(game);
    if (game.keyboardOn) candidates[1] = game.keyboardParam;
    if (game.mouseOn) candidates[2] = game.mouseParam;
    if (game.joystickOn) candidates[3] = game.joystickParam;
    if (game.selectedSound >= 0 && game.selectedSound < static_cast<int32_t>(kDeviceSlots))
        candidates[4] = game.soundParams[game.selectedSound];
    if (game.selectedMusic >= 0 && game.selectedMusic < static_cast<int32_t>(kDeviceSlots))
        candidates[5] = game.musicParams[game.selectedMusic];
    if (game.customOn) candidates[6] = game.customParam;

    std::string line;
    for (const char* c : candidates) {
        if (!c || !c[0]) continue;
        // A parameter field holds at most 31 characters; never read past it.
        size_t n = 0;
        while (n < kParamSize && c[n]) ++n;
        line.append(c, n);
        line += ' ';
    }
    return line;
}
