// The slow-down timer: its period, starting and stopping, ticking, and the busy
// work of one tick.
#include "launch/SlowDown.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Waits up to five seconds for the tick count to pass |count|.
bool TicksPass(const SlowDown& slow, unsigned long long count) {
    for (int waited = 0; waited < 5000; waited += 10) {
        if (slow.Ticks() > count) return true;
        Sleep(10);
    }
    return slow.Ticks() > count;
}

// True when no tick arrives for a while (ten periods of 10 ms and more).
bool StaysStill(const SlowDown& slow) {
    Sleep(50);  // a tick under way when the timer stopped may still be counted
    const unsigned long long before = slow.Ticks();
    Sleep(400);
    return slow.Ticks() == before;
}

TEST(SlowDownPeriod, LowSixteenBitsKeptWithinTenTo110) {
    std::atomic<int> tweak{1};
    SlowDown slow(tweak);
    EXPECT_EQ(slow.Period(), 110u);
    EXPECT_FALSE(slow.Running());

    const struct {
        unsigned value, period;
    } cases[] = {{5, 10},
                 {200, 110},
                 {0x10032, 50},
                 {0xFFFF0005u, 10},
                 {11, 11},
                 {109, 109},
                 {SlowDown::PeriodForSlider(110), 10},
                 {SlowDown::PeriodForSlider(60), 50},
                 {SlowDown::PeriodForSlider(10), 100}};
    for (const auto& c : cases) {
        EXPECT_TRUE(slow.SetPeriod(c.value)) << c.value;
        EXPECT_EQ(slow.Period(), c.period) << c.value;
    }
    // Stopped, a new period is only stored: nothing starts.
    EXPECT_FALSE(slow.Running());
    Sleep(150);
    EXPECT_EQ(slow.Ticks(), 0u);
}

TEST(SlowDownTimer, StartsTicksStopsAndRestarts) {
    std::atomic<int> tweak{1};
    SlowDown slow(tweak);
    EXPECT_TRUE(slow.Stop()) << "stopping what never ran";
    ASSERT_TRUE(slow.SetPeriod(10));
    ASSERT_TRUE(slow.Start());
    EXPECT_TRUE(slow.Running());
    EXPECT_TRUE(TicksPass(slow, 3));

    ASSERT_TRUE(slow.Stop());
    EXPECT_FALSE(slow.Running());
    EXPECT_TRUE(StaysStill(slow));
    EXPECT_TRUE(slow.Stop());
    EXPECT_FALSE(slow.Running());

    const unsigned long long stopped = slow.Ticks();
    ASSERT_TRUE(slow.Start());
    EXPECT_TRUE(slow.Running());
    EXPECT_TRUE(TicksPass(slow, stopped + 3));
    EXPECT_EQ(slow.Period(), 10u);
}

TEST(SlowDownTimer, NewPeriodWhileRunningRestartsTheTimer) {
    std::atomic<int> tweak{1};
    SlowDown slow(tweak);
    ASSERT_TRUE(slow.Start());
    EXPECT_EQ(slow.Period(), 110u);

    ASSERT_TRUE(slow.SetPeriod(10));
    EXPECT_TRUE(slow.Running());
    EXPECT_EQ(slow.Period(), 10u);
    EXPECT_TRUE(TicksPass(slow, 5));

    // The same period again leaves it alone.
    EXPECT_TRUE(slow.SetPeriod(10 + 0x10000));
    EXPECT_TRUE(slow.Running());
    const unsigned long long now = slow.Ticks();
    EXPECT_TRUE(TicksPass(slow, now + 3));

    ASSERT_TRUE(slow.Stop());
    EXPECT_TRUE(StaysStill(slow)) << "the timer of the old period is gone as well";
}

TEST(SlowDownTimer, StartWhileRunningReplacesTheTimer) {
    std::atomic<int> tweak{1};
    SlowDown slow(tweak);
    ASSERT_TRUE(slow.SetPeriod(10));
    ASSERT_TRUE(slow.Start());
    ASSERT_TRUE(TicksPass(slow, 2));
    ASSERT_TRUE(slow.Start());
    EXPECT_TRUE(slow.Running());
    const unsigned long long now = slow.Ticks();
    EXPECT_TRUE(TicksPass(slow, now + 3));

    // Had the first timer been left running, ticks would go on after this.
    ASSERT_TRUE(slow.Stop());
    EXPECT_TRUE(StaysStill(slow));
}

TEST(SlowDownTimer, DestroyingARunningTimerStopsIt) {
    std::atomic<int> tweak{1};
    alignas(SlowDown) unsigned char storage[sizeof(SlowDown)];
    SlowDown* slow = new (storage) SlowDown(tweak);
    ASSERT_TRUE(slow->SetPeriod(10));
    ASSERT_TRUE(slow->Start());
    ASSERT_TRUE(TicksPass(*slow, 2));
    slow->~SlowDown();

    // A tick after this would count into (and read its tweak from) the
    // overwritten memory.
    std::memset(storage, 0x5A, sizeof storage);
    Sleep(300);
    for (size_t i = 0; i < sizeof storage; ++i) ASSERT_EQ(storage[i], 0x5A) << "byte " << i;
}

TEST(SlowDownTimer, TweakIsReadAtEveryTickAndZeroStillTicks) {
    std::atomic<int> tweak{0};
    SlowDown slow(tweak);
    ASSERT_TRUE(slow.SetPeriod(10));
    ASSERT_TRUE(slow.Start());
    EXPECT_TRUE(TicksPass(slow, 3));
    tweak.store(3);
    const unsigned long long now = slow.Ticks();
    EXPECT_TRUE(TicksPass(slow, now + 2));
    EXPECT_TRUE(slow.Stop());
}

// True when BusyWork(tweak) moves this thread's generator on by exactly
// |draws| numbers: the three numbers after it are those after as many rand() calls.
bool DrawsExactly(int tweak, long long draws) {
    std::srand(12345);
    for (long long i = 0; i < draws; ++i) std::rand();
    const int expected[3] = {std::rand(), std::rand(), std::rand()};
    std::srand(12345);
    SlowDown::BusyWork(tweak);
    const int actual[3] = {std::rand(), std::rand(), std::rand()};
    return std::equal(expected, expected + 3, actual);
}

TEST(SlowDownBusyWork, DrawsTweakNumbersPerRoundAtLeastOne) {
    const long long rounds = SlowDown::kBusyRounds;
    EXPECT_TRUE(DrawsExactly(1, rounds));
    EXPECT_TRUE(DrawsExactly(4, 4 * rounds));
    EXPECT_TRUE(DrawsExactly(10, 10 * rounds));
    EXPECT_FALSE(DrawsExactly(4, 4 * rounds - 1)) << "the check itself tells counts apart";
    EXPECT_TRUE(DrawsExactly(0, rounds)) << "tweak 0 works like 1";
    EXPECT_TRUE(DrawsExactly(-7, rounds));
}

TEST(SlowDownSlider, LabelShowsThePercentage) {
    EXPECT_EQ(SlowDown::LabelForSlider(10), " = 0%");
    EXPECT_EQ(SlowDown::LabelForSlider(60), " = 50%");
    EXPECT_EQ(SlowDown::LabelForSlider(110), " = 100%");
    EXPECT_EQ(SlowDown::LabelForSlider(37), " = 27%");
}

}  // namespace
