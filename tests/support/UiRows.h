// A call the fake user interface recorded, as one row of text, so that one
// comparison checks every field that matters and prints them all on failure.
#pragma once
#include "FakeUi.h"
#include <string>
#include <vector>

using Strings = std::vector<std::string>;

// Text, caption (or verb or filter), flags (or show mode), parameters (or initial folder), folder.
inline Strings Row(const UiCall& call) {
    return {call.text, call.caption, std::to_string(call.flags), call.params, call.dir};
}
// A message as a row: its text, caption and flags.
inline Strings MessageRow(const std::string& text, const std::string& caption, unsigned flags) {
    return {text, caption, std::to_string(flags), "", ""};
}
