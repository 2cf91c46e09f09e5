// Quit signals: the first asks the frame loop to quit, a second one while the
// first is still pending (the game stuck in a load or an X call) ends the
// process at once. How the real game ends on each is an end-to-end test.
#include "platform/process.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(QuitSignalsDeathTest, TheFirstAsksToQuitASecondOneExitsAtOnce) {
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        EXPECT_EXIT(
            {
                installQuitSignals();
                raise(sig);
                if (g_quitSignal != sig) _exit(1);
                raise(SIGTERM);
                _exit(2);
            },
            testing::ExitedWithCode(kSignalExitBase + SIGTERM), "")
            << sig;
    }
}

}  // namespace
