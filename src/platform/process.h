// The process's footing on the system: standard streams that always lead
// somewhere, and signals that end the game through its quit path.
#pragma once
#include <csignal>

// A process ended by signal n exits with 128 + n, as the shells report it.
constexpr int kSignalExitBase = 128;

// Set by a signal that asks the game to quit (SIGINT, SIGTERM, SIGHUP,
// SIGQUIT); the frame loop quits at its next frame.
extern volatile sig_atomic_t g_quitSignal;

// First thing in main: points any closed descriptor 0 to 2 at /dev/null, so
// that the X connection can never take one and receive our diagnostics, and
// makes a reader that went away an error to write to instead of a death.
void prepareStandardStreams();

// Catches the signals that ask the game to quit and ignores those that would
// otherwise kill it for nothing. A second quit signal while the first is still
// pending (the game stuck in a load or an X call) ends the process at once.
void installQuitSignals();
