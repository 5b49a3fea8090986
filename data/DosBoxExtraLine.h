// A player's own DOSBox setting for one game: one "section.key=value" line
// ("cpu.cycles=12000", "dosbox.memsize=32"), written into the game's DOSBox
// configuration after ours so that it wins. It comes from a game file, so it is
// a stranger's text: only a setting of a known section, with a plain key and a
// value that cannot start a section, a comment or a line of its own, passes.
#pragma once
#include <string>

// Which part of a line is wrong; None for a line that passes.
enum class ExtraLinePart {
    None,
    Form,     // not "section.key=value"
    Section,  // not one of the sections below (never [autoexec])
    Key,      // not letters, digits and '_' (dots inside, as in DOSBox-X's "mt32.romdir")
    Value,    // a line break or another control character, or one of [ ] # %
};

struct ExtraLine {
    std::string section;  // in lower case, as DOSBox names it
    std::string key;
    std::string value;  // blanks around it removed; may be empty
};

// The sections a line may name: those of every flavour ([sdl] [dosbox] [render]
// [cpu] [mixer] [midi] [sblaster] [gus] [speaker] [joystick] [serial] [dos]
// [ipx]), DOSBox-X's [video] and [pci], and DOSBox Staging's [voodoo] [mouse]
// [mt32] [fluidsynth]. Blanks around the '=' and around the line are allowed.
// On None, |parsed| (when given) gets the line's parts.
ExtraLinePart CheckExtraLine(const std::string& line, ExtraLine* parsed = nullptr);
