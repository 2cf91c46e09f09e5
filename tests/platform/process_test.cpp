// The first quit signal asks the frame loop to quit; a second one while the
// first is pending (the game stuck in a load or an X call) exits at once.
#include "platform/process.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

void signalTwice(int first) {
    installQuitSignals();
    raise(first);
    if (g_quitSignal == first) raise(SIGTERM);
    _exit(1);
}

TEST(QuitSignalsDeathTest, TheFirstAsksToQuitASecondOneExitsAtOnce) {
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        EXPECT_EXIT(signalTwice(sig), testing::ExitedWithCode(kSignalExitBase + SIGTERM), "")
            << sig;
}

}  // namespace
