// Frame pacing that sleeps most of the wait instead of burning a core.
#include "app/pacing.h"

#include <GL/freeglut.h>
#include <time.h>

#include <chrono>

#include "app/globals.h"
#include "gfx/draw.h"

int g_pacingOn = 0;

int waitForFrameEnd(int last, ClockFn now, SleepFn sleep) {
    int t = now();
    for (;;) {
        unsigned elapsed = static_cast<unsigned>(t) - static_cast<unsigned>(last);
        if (elapsed >= static_cast<unsigned>(kFrameMs)) return t;
        int sleepUs = static_cast<int>(kFrameMs - elapsed) * 1000 - kSpinMicros;
        if (sleepUs > 0) sleep(sleepUs);
        t = now();
    }
}

int glutElapsedMs() {
    return glutGet(GLUT_ELAPSED_TIME);
}

int monotonicMs() {
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<int>(static_cast<unsigned>(ms));
}

void sleepMicros(int us) {
    timespec ts{us / 1000000, (us % 1000000) * 1000L};
    nanosleep(&ts, nullptr);
}

int readElapsedTime() {
    g_lastFrameTime = glutElapsedMs();
    return g_lastFrameTime;
}

void paceFrame() {
    // The picture so far goes to the renderer first: it is drawn during the wait.
    flushDrawing();
    if (g_pacingOn) g_lastFrameTime = waitForFrameEnd(g_lastFrameTime, glutElapsedMs, sleepMicros);
}
