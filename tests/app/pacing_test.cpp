// Frame pacing against a scripted clock: the deadline, sleeping and wrap-around.
#include "app/pacing.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// A fake clock in microseconds that moves only when slept on or read.
long long g_nowUs = 0;
long long g_costPerReadUs = 0;  // how far each read moves the clock
std::vector<int> g_sleeps;

int fakeNow() {
    int ms = static_cast<int>(static_cast<unsigned>(g_nowUs / 1000));
    g_nowUs += g_costPerReadUs;
    return ms;
}
void fakeSleep(int us) {
    g_sleeps.push_back(us);
    g_nowUs += us;
}

struct PacingTest : ::testing::Test {
    void SetUp() override {
        g_nowUs = 0;
        g_costPerReadUs = 10;
        g_sleeps.clear();
    }
};

TEST_F(PacingTest, ShortFrameWaitsUntilFourteenMillisecondsAfterTheLast) {
    g_nowUs = 3000;  // the frame took 3 ms
    int end = waitForFrameEnd(0, fakeNow, fakeSleep);
    EXPECT_EQ(end, 14);
    EXPECT_GE(g_nowUs, 14000);
    EXPECT_LT(g_nowUs, 14100);
}

TEST_F(PacingTest, SleepsMostOfTheWaitAndSpinsOnlyTheLastStretch) {
    g_nowUs = 3000;
    waitForFrameEnd(0, fakeNow, fakeSleep);
    ASSERT_FALSE(g_sleeps.empty());
    EXPECT_EQ(g_sleeps[0], 11000 - kSpinMicros);
    long long slept = 0;
    for (int us : g_sleeps) slept += us;
    // At most the spin stretch plus a millisecond of clock granularity is left to spinning.
    EXPECT_GE(slept, 11000 - kSpinMicros - 1000);
    for (int us : g_sleeps) EXPECT_GT(us, 0);
}

TEST_F(PacingTest, LongFrameDoesNotWaitAndReturnsTheTimeRead) {
    g_nowUs = 20000;
    EXPECT_EQ(waitForFrameEnd(0, fakeNow, fakeSleep), 20);
    EXPECT_TRUE(g_sleeps.empty());
}

TEST_F(PacingTest, FirstFrameAgainstALongPastStartDoesNotWait) {
    g_nowUs = 5'000'000;
    EXPECT_EQ(waitForFrameEnd(100, fakeNow, fakeSleep), 5000);
    EXPECT_TRUE(g_sleeps.empty());
}

TEST_F(PacingTest, ClockWrappingPastIntMaxStillWaitsFourteenMilliseconds) {
    int last = INT_MAX - 5;
    // The clock reads last + 2 now and wraps to negative values on the way.
    g_nowUs = (static_cast<long long>(static_cast<unsigned>(last)) + 2) * 1000;
    int end = waitForFrameEnd(last, fakeNow, fakeSleep);
    EXPECT_EQ(static_cast<unsigned>(end) - static_cast<unsigned>(last), 14u);
    EXPECT_LT(end, 0);
}

TEST_F(PacingTest, EveryFrameOfAPacedRunLastsAtLeastFourteenMilliseconds) {
    int last = 0;
    for (int frame = 0; frame < 200; ++frame) {
        g_nowUs += (frame * 7919) % 13000;  // frames of 0 to 13 ms of work
        int end = waitForFrameEnd(last, fakeNow, fakeSleep);
        EXPECT_GE(end - last, kFrameMs);
        EXPECT_LE(end - last, kFrameMs + 1);
        last = end;
    }
}

}  // namespace
