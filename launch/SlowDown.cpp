// The CPU slow-down timer.
#include "launch/SlowDown.h"
#include <mmsystem.h>
#include <cstdio>
#include <cstdlib>

bool SlowDown::Start() {
    if (_running) Stop();
    if (timeBeginPeriod(_period) != TIMERR_NOERROR) return false;
    const MMRESULT id = timeSetEvent(_period, kResolution, OnTick, reinterpret_cast<DWORD_PTR>(this), TIME_PERIODIC);
    if (id == 0) {
        // Give the timer resolution back: nothing of ours is running to need it,
        // and the system must not stay changed by a timer that never started.
        timeEndPeriod(_period);
        return false;
    }
    _timerId = id;
    _running = true;
    return true;
}

bool SlowDown::Stop() {
    if (!_running) return true;
    timeKillEvent(_timerId);
    // A tick already under way on the timer thread still uses this object:
    // let it finish before the caller may destroy or restart us.
    while (_inTick.load() != 0) Sleep(1);
    if (timeEndPeriod(_period) != TIMERR_NOERROR) return false;
    _running = false;
    return true;
}

bool SlowDown::SetPeriod(unsigned value) {
    unsigned period = value & 0xFFFFu;
    if (period < kMinPeriod) period = kMinPeriod;
    if (period > kMaxPeriod) period = kMaxPeriod;
    if (period == _period) return true;
    if (!_running) {
        _period = period;
        return true;
    }
    Stop();
    _period = period;
    return Start();
}

void CALLBACK SlowDown::OnTick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    SlowDown* self = reinterpret_cast<SlowDown*>(user);
    self->_inTick.fetch_add(1);
    // The preferences dialog changes the tweak on the UI thread; any recent
    // value will do here.
    BusyWork(self->_tweak.load(std::memory_order_relaxed));
    self->_ticks.fetch_add(1);
    self->_inTick.fetch_sub(1);
}

void SlowDown::BusyWork(int tweak) {
    // The numbers are thrown away; the sink only keeps the compiler from
    // dropping the calls.
    volatile unsigned sink = 0;
    for (int round = 0; round < kBusyRounds; ++round) {
        int draws = tweak;
        do {
            sink = sink + static_cast<unsigned>(std::rand());
        } while (--draws > 0);
    }
}

std::string SlowDown::LabelForSlider(int position) {
    char text[32];
    std::snprintf(text, sizeof text, " = %d%%", position - 10);
    return text;
}
