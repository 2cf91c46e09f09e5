// Frame pacing against a scripted clock: the deadline, sleeping and wrap-around.
#include "app/pacing.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// A fake clock in microseconds; each read costs 10 us, sleeping moves it on.
long long g_nowUs = 0;
std::vector<int> g_sleeps;

int fakeNow() {
    int ms = static_cast<int>(static_cast<unsigned>(g_nowUs / 1000));
    g_nowUs += 10;
    return ms;
}
void fakeSleep(int us) {
    g_sleeps.push_back(us);
    g_nowUs += us;
}

struct PacingTest : ::testing::Test {
    void SetUp() override {
        g_nowUs = 0;
        g_sleeps.clear();
    }
};

TEST_F(PacingTest, ShortFrameSleepsMostOfTheRestAndEndsFourteenAfterTheLast) {
    g_nowUs = 3000;  // the frame took 3 ms
    EXPECT_EQ(waitForFrameEnd(0, fakeNow, fakeSleep), 14);
    EXPECT_LT(g_nowUs, 14100);
    ASSERT_FALSE(g_sleeps.empty());
    EXPECT_EQ(g_sleeps[0], 11000 - kSpinMicros);
}

TEST_F(PacingTest, LongFrameOrLongPastStartDoesNotWait) {
    g_nowUs = 20000;
    EXPECT_EQ(waitForFrameEnd(0, fakeNow, fakeSleep), 20);
    g_nowUs = 5'000'000;
    EXPECT_EQ(waitForFrameEnd(100, fakeNow, fakeSleep), 5000);
    EXPECT_TRUE(g_sleeps.empty());
}

TEST_F(PacingTest, ClockWrappingPastIntMaxStillWaitsFourteenMilliseconds) {
    int last = INT_MAX - 5;
    g_nowUs = (static_cast<long long>(static_cast<unsigned>(last)) + 2) * 1000;
    int end = waitForFrameEnd(last, fakeNow, fakeSleep);
    EXPECT_EQ(static_cast<unsigned>(end) - static_cast<unsigned>(last), 14u);
}

TEST_F(PacingTest, EveryFrameOfAPacedRunLastsFourteenMilliseconds) {
    int last = 0;
    for (int frame = 0; frame < 200; ++frame) {
        g_nowUs += (frame * 7919) % 13000;  // 0 to 13 ms of work
        int end = waitForFrameEnd(last, fakeNow, fakeSleep);
        ASSERT_GE(end - last, kFrameMs);
        ASSERT_LE(end - last, kFrameMs + 1);
        last = end;
    }
}

}  // namespace
