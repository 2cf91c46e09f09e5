// The frame function: one call is one frame of the game.
#pragma once

// GLUT's display and idle callback: advances and draws one frame.
void runFrame();
// The parts of a frame, for headless stepping and tests.
void playFrame();
// The score line as play shows it, added over the picture.
void drawScoreLine();
void screenFrame();
// Draws the background and the level, then advances and draws the pick-ups,
// the enemies, the hero if it plays, and the shots.
void advanceWorld(bool heroPlays);
// Sets g_scrollX and g_scrollY from the hero's position.
void updateCamera(int heroX, int heroY);
