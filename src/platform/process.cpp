// Standard streams and signals.
#include "platform/process.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

volatile sig_atomic_t g_quitSignal = 0;

namespace {
constexpr int kQuitSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
// Nobody sends these to a game on purpose; their default action would end it
// without restoring the desktop.
constexpr int kIgnoredSignals[] = {SIGUSR1, SIGUSR2, SIGALRM};

void onQuitSignal(int sig) {
    if (g_quitSignal) _exit(kSignalExitBase + sig);
    g_quitSignal = sig;
}
}  // namespace

void prepareStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // open() takes the lowest free number: this very one.
        int opened = open("/dev/null", O_RDWR);
        if (opened > 2) close(opened);
    }
    signal(SIGPIPE, SIG_IGN);
}

void installQuitSignals() {
    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    for (int sig : kQuitSignals) sigaddset(&action.sa_mask, sig);
    for (int sig : kQuitSignals) sigaction(sig, &action, nullptr);
    for (int sig : kIgnoredSignals) signal(sig, SIG_IGN);
}
