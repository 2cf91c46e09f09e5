// Start-up of the game: GLUT, the screen, callbacks and the one-time set-up.
#pragma once

struct Options;

// Runs the game; returns only if GLUT's main loop ever does.
int runGame(const Options& options);
// One-time OpenGL state, textures, font, sound effects and music.
void initGraphics();
// Leaves game mode, so the desktop gets its resolution back, and exits.
[[noreturn]] void quitGame(int exitCode);

// Quits if a signal asked for it.
void checkQuitSignal();

// F11: asks to switch between a window and full screen before the next frame.
void requestScreenSwitch();
// Switches if it was asked for; GLUT must not be inside a callback of the
// window that may be replaced.
void switchScreenIfRequested();
// 1 while the game shows full screen (game mode or a full-screen window).
extern int g_fullScreen;
