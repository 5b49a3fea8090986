// Composition of the parameter line.
#include "launch/ParameterLine.h"

namespace {

struct Candidate {
    const char* field;  // null: not used
    const char* name;   // for messages
};

const char* DisplayName(int32_t selected) {
    static const char* const kNames[7] = {
        "", "VESA parameter", "VGA parameter", "MCGA parameter", "EGA parameter", "CGA parameter", "TANDY parameter"};
    return selected >= 1 && selected <= 6 ? kNames[selected] : "";
}

// The seven candidates in the order of the line.
void Candidates(const GameRecord& game, Candidate (&out)[7]) {
    out[0] = {SelectedDisplayParameter(game), DisplayName(game.selectedDisplay)};
    out[1] = {game.keyboardOn ? game.keyboardParam : nullptr, "Keyboard parameter"};
    out[2] = {game.mouseOn ? game.mouseParam : nullptr, "Mouse parameter"};
    out[3] = {game.joystickOn ? game.joystickParam : nullptr, "Joystick parameter"};
    out[4] = {nullptr, "Sound device parameter"};
    if (game.selectedSound >= 0 && game.selectedSound < static_cast<int32_t>(kDeviceSlots))
        out[4].field = game.soundParams[game.selectedSound];
    out[5] = {nullptr, "Music device parameter"};
    if (game.selectedMusic >= 0 && game.selectedMusic < static_cast<int32_t>(kDeviceSlots))
        out[5].field = game.musicParams[game.selectedMusic];
    out[6] = {game.customOn ? game.customParam : nullptr, "Custom device parameter"};
}

// A parameter field holds at most 31 characters; never read past it.
std::string ParameterText(const char* field) {
    size_t n = 0;
    while (n < kParamSize && field[n]) ++n;
    return std::string(field, n);
}

}  // namespace

std::string ComposeParameterLine(const GameRecord& game) {
    Candidate candidates[7];
    Candidates(game, candidates);
    std::string line;
    for (const Candidate& c : candidates) {
        if (!c.field || !c.field[0]) continue;
        line += ParameterText(c.field);
        line += ' ';
    }
    return line;
}

std::string UnsafeParameterField(const GameRecord& game, bool (*refused)(const std::string&)) {
    Candidate candidates[7];
    Candidates(game, candidates);
    for (const Candidate& c : candidates)
        if (c.field && refused(ParameterText(c.field))) return c.name;
    return {};
}
