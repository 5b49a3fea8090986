// The texts of the messages shown so far, in order.
#pragma once
#include "FakeUi.h"

inline std::vector<std::string> MessageTexts(const FakeUi& ui) {
    std::vector<std::string> out;
    for (const UiCall& c : ui.Messages()) out.push_back(c.text);
    return out;
}
