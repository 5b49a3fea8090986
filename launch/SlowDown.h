// The CPU slow-down: a periodic multimedia timer that burns processor time at
// every tick, so that old games written for slow machines run at a playable
// speed. The shorter the period, the slower the game.
#pragma once
#include <windows.h>
#include <atomic>
#include <string>

class SlowDown {
public:
    static constexpr unsigned kMinPeriod = 10;   // ms
    static constexpr unsigned kMaxPeriod = 110;  // ms
    static constexpr unsigned kResolution = 10;  // ms
    static constexpr int kBusyRounds = 65000;

    // |tweak| is how many random numbers each busy round draws; it may be
    // changed at any time and is read at every tick.
    explicit SlowDown(const std::atomic<int>& tweak) : _tweak(tweak) {}
    ~SlowDown() { Stop(); }
    SlowDown(const SlowDown&) = delete;
    SlowDown& operator=(const SlowDown&) = delete;

    // Starts the timer with the current period (a running one is stopped
    // first). False when the system refuses the timer.
    bool Start();
    // Stops the timer; true when it is not running afterwards.
    bool Stop();
    // Takes the low 16 bits of |value|, kept within kMinPeriod..kMaxPeriod. A
    // running timer is restarted with the new period; the result is Start's.
    bool SetPeriod(unsigned value);

    unsigned Period() const { return _period; }
    bool Running() const { return _running; }
    // Ticks handled since construction.
    unsigned long long Ticks() const { return _ticks.load(); }

    // The work of one tick.
    static void BusyWork(int tweak);
    // The slider of the preferences runs from 10 (no slow-down) to 110 (most).
    static unsigned PeriodForSlider(int position) { return static_cast<unsigned>(110 - position); }
    static std::string LabelForSlider(int position);

private:
    // Runs on the multimedia timer's thread.
    static void CALLBACK OnTick(UINT id, UINT msg, DWORD_PTR user, DWORD_PTR, DWORD_PTR);

    const std::atomic<int>& _tweak;
    bool _running = false;
    unsigned _timerId = 0;
    unsigned _period = kMaxPeriod;
    std::atomic<unsigned long long> _ticks{0};
    std::atomic<int> _inTick{0};  // ticks being handled on the timer thread right now
};
