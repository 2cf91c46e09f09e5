// Frame pacing: no frame ends less than 14 ms after the one before.
#pragma once

constexpr int kFrameMs = 14;
// The wait sleeps until this long before the deadline and spins the rest.
constexpr int kSpinMicros = 1500;

using ClockFn = int (*)();         // milliseconds
using SleepFn = void (*)(int us);  // microseconds

// Waits until at least kFrameMs have passed since `last` and returns the time
// read last. Times are compared by difference, so a wrapping clock is safe.
int waitForFrameEnd(int last, ClockFn now, SleepFn sleep);

// The game clock: GLUT's elapsed milliseconds.
int glutElapsedMs();
// A monotonic millisecond clock that needs no GLUT, for benchmarks.
int monotonicMs();
void sleepMicros(int us);

// Stores the game clock in g_lastFrameTime and returns it.
int readElapsedTime();

// 1 when frames are paced; 0 for headless simulation at full speed.
extern int g_pacingOn;
// Paces the current frame against g_lastFrameTime and updates it.
void paceFrame();
