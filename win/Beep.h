// The system beep (MessageBeep), counted so that tests can see a beep asked for.
#pragma once
#include <windows.h>

namespace win {

void Beep(UINT type);

struct BeepRecord {
    int count = 0;  // beeps asked for since the process started
    UINT last = 0;  // the type of the last one
};
const BeepRecord& Beeps();

}  // namespace win
