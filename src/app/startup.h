// Start-up of the game: GLUT, the screen, callbacks and the one-time set-up.
#pragma once

// Runs the game; returns only if GLUT's main loop ever does.
int runGame(int argc, char** argv);
// One-time OpenGL state, textures, font, sound effects and music.
void initGraphics();
// Leaves game mode, so the desktop gets its resolution back, and exits.
[[noreturn]] void quitGame(int exitCode);

// Quits if a signal asked for it.
void checkQuitSignal();

// Set by SIGINT or SIGTERM; the next frame quits.
extern volatile int g_quitSignal;
