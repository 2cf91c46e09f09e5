// Frame pacing against a scripted clock: the deadline, sleeping and wrap-around.
#include "app/pacing.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
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

// A short frame sleeps most of the rest, and no longer; a long one, or one
// long past its start, does not wait; the clock may wrap past INT_MAX.
TEST(PacingTest, EachFrameEndsFourteenAfterTheLastUnlessItIsAlreadyLate) {
    const unsigned wrap = INT_MAX - 5;
    // The last frame's end, now, the new end and the first sleep (0: none).
    const std::tuple<unsigned, unsigned, unsigned, int> cases[] = {
        {0, 3, 14, 11000 - kSpinMicros},
        {0, 13, 14, 0},  // too close to sleep: spins
        {0, 20, 20, 0},
        {100, 5000, 5000, 0},
        {wrap, wrap + 2, wrap + 14, 12000 - kSpinMicros}};
    for (auto [last, nowMs, end, firstSleep] : cases) {
        g_nowUs = nowMs * 1000LL;
        g_sleeps.clear();
        EXPECT_EQ(unsigned(waitForFrameEnd(int(last), fakeNow, fakeSleep)), end) << nowMs;
        EXPECT_EQ(g_sleeps.empty() ? 0 : g_sleeps[0], firstSleep) << nowMs;
        EXPECT_LT(g_nowUs, end * 1000LL + 100) << nowMs;
    }
}

}  // namespace
