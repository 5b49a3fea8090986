// The counted system beep.
#include "win/Beep.h"

namespace win {
namespace {
BeepRecord g_beeps;
}

void Beep(UINT type) {
    ++g_beeps.count;
    g_beeps.last = type;
    MessageBeep(type);
}

const BeepRecord& Beeps() { return g_beeps; }

}  // namespace win
