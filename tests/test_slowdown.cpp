// The slow-down timer: its period, starting and stopping.
#include "launch/SlowDown.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <new>

namespace {

// Waits up to five seconds for |count| more ticks.
bool TicksGoOn(const SlowDown& slow, unsigned long long count = 3) {
    const unsigned long long target = slow.Ticks() + count;
    for (int waited = 0; waited < 5000 && slow.Ticks() < target; waited += 10) Sleep(10);
    return slow.Ticks() >= target;
}

TEST(SlowDown, PeriodStartsStopsAndRestartsWithoutALeftOverTimer) {
    std::atomic<int> tweak{0};  // tweak 0 still ticks
    SlowDown slow(tweak);
    EXPECT_EQ(slow.Period(), 110u);
    const std::pair<unsigned, unsigned> cases[] = {
        {5, 10}, {200, 110}, {0x10032, 50}, {0xFFFF0005u, 10}, {11, 11}, {109, 109},  // the low 16 bits, within bounds
        {SlowDown::PeriodForSlider(110), 10}, {SlowDown::PeriodForSlider(10), 100}};
    for (const auto& [value, period] : cases) {
        EXPECT_TRUE(slow.SetPeriod(value)) << value;
        EXPECT_EQ(slow.Period(), period) << value;
    }
    Sleep(150);
    EXPECT_TRUE(!slow.Running() && slow.Ticks() == 0u) << "stopped, a new period is only stored";
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
    Sleep(50);  // a tick under way when the timer stopped may still be counted
    const unsigned long long before = slow.Ticks();
    Sleep(400);  // forty periods without a tick
    EXPECT_TRUE(!slow.Running() && slow.Ticks() == before);
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

}  // namespace
