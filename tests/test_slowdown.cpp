// The slow-down timer: its period, starting and stopping, and the busy work of one tick.
#include "launch/SlowDown.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Waits up to five seconds for |count| more ticks.
bool TicksGoOn(const SlowDown& slow, unsigned long long count = 3) {
    const unsigned long long target = slow.Ticks() + count;
    for (int waited = 0; waited < 5000 && slow.Ticks() < target; waited += 10) Sleep(10);
    return slow.Ticks() >= target;
}

// True when no tick arrives for forty periods of 10 ms.
bool StaysStill(const SlowDown& slow) {
    Sleep(50);  // a tick under way when the timer stopped may still be counted
    const unsigned long long before = slow.Ticks();
    Sleep(400);
    return slow.Ticks() == before;
}

TEST(SlowDown, PeriodKeepsTheLowSixteenBitsWithinTenTo110) {
    std::atomic<int> tweak{1};
    SlowDown slow(tweak);
    EXPECT_EQ(slow.Period(), 110u);
    const std::pair<unsigned, unsigned> cases[] = {{5, 10},
                                                   {200, 110},
                                                   {0x10032, 50},
                                                   {0xFFFF0005u, 10},
                                                   {11, 11},
                                                   {109, 109},
                                                   {SlowDown::PeriodForSlider(110), 10},
                                                   {SlowDown::PeriodForSlider(10), 100}};
    for (const auto& [value, period] : cases) {
        EXPECT_TRUE(slow.SetPeriod(value)) << value;
        EXPECT_EQ(slow.Period(), period) << value;
    }
    Sleep(150);
    EXPECT_TRUE(!slow.Running() && slow.Ticks() == 0u) << "stopped, a new period is only stored";
}

TEST(SlowDown, StartsStopsAndRestartsWithoutALeftOverTimer) {
    std::atomic<int> tweak{0};  // tweak 0 still ticks
    SlowDown slow(tweak);
    EXPECT_TRUE(slow.Stop()) << "stopping what never ran";
    ASSERT_TRUE(slow.Start());
    ASSERT_TRUE(slow.SetPeriod(10)) << "a new period restarts the running timer";
    EXPECT_TRUE(slow.Running());
    EXPECT_TRUE(TicksGoOn(slow, 5));
    EXPECT_TRUE(slow.SetPeriod(10 + 0x10000)) << "the same period leaves it alone";
    tweak.store(3);
    EXPECT_TRUE(TicksGoOn(slow));
    ASSERT_TRUE(slow.Start()) << "a second start replaces the timer";
    EXPECT_TRUE(TicksGoOn(slow));
    // Had an older timer been left running, ticks would go on after this.
    ASSERT_TRUE(slow.Stop());
    EXPECT_TRUE(!slow.Running() && StaysStill(slow));
    EXPECT_TRUE(slow.Stop());
    ASSERT_TRUE(slow.Start());
    EXPECT_TRUE(TicksGoOn(slow));
    EXPECT_EQ(slow.Period(), 10u);
}

TEST(SlowDown, DestroyingARunningTimerStopsIt) {
    std::atomic<int> tweak{1};
    alignas(SlowDown) unsigned char storage[sizeof(SlowDown)];
    SlowDown* slow = new (storage) SlowDown(tweak);
    ASSERT_TRUE(slow->SetPeriod(10));
    ASSERT_TRUE(slow->Start());
    ASSERT_TRUE(TicksGoOn(*slow, 2));
    slow->~SlowDown();
    // A tick after this would count into (and read its tweak from) the overwritten memory.
    std::memset(storage, 0x5A, sizeof storage);
    Sleep(300);
    for (size_t i = 0; i < sizeof storage; ++i) ASSERT_EQ(storage[i], 0x5A) << "byte " << i;
}

// True when BusyWork(tweak) moves this thread's generator on by exactly |draws| numbers.
bool DrawsExactly(int tweak, long long draws) {
    std::srand(12345);
    for (long long i = 0; i < draws; ++i) std::rand();
    const int expected[3] = {std::rand(), std::rand(), std::rand()};
    std::srand(12345);
    SlowDown::BusyWork(tweak);
    const int actual[3] = {std::rand(), std::rand(), std::rand()};
    return std::equal(expected, expected + 3, actual);
}

TEST(SlowDown, BusyWorkDrawsTweakNumbersPerRoundAtLeastOne) {
    const long long rounds = SlowDown::kBusyRounds;
    const std::pair<int, long long> cases[] = {
        {1, rounds}, {4, 4 * rounds}, {10, 10 * rounds}, {0, rounds}, {-7, rounds}};
    for (const auto& [tweak, draws] : cases) EXPECT_TRUE(DrawsExactly(tweak, draws)) << tweak;
    EXPECT_FALSE(DrawsExactly(4, 4 * rounds - 1)) << "the check itself tells counts apart";
}

TEST(SlowDown, SliderLabelShowsThePercentage) {
    const std::pair<int, const char*> labels[] = {{10, " = 0%"}, {37, " = 27%"}, {60, " = 50%"}, {110, " = 100%"}};
    for (const auto& [position, label] : labels) EXPECT_EQ(SlowDown::LabelForSlider(position), label);
}

}  // namespace
