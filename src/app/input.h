// Keyboard and mouse: GLUT's callbacks, feeding the held-state model in play
// and driving the screens around it.
#pragma once

void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialDown(int key, int x, int y);
void onSpecialUp(int key, int x, int y);
void onMouse(int button, int state, int x, int y);

// The two shots, for every device that fires them. The aimed shot takes its
// target in view units.
void fireStraightShot();
void fireAimedShotAt(float viewX, float viewY);
// The jump sound, when the jump about to be pressed really starts one.
void soundJumpIfStarting();
// A letter as the bindings compare it: Shift and Caps Lock make no difference.
unsigned char foldKey(unsigned char key);
// Lets go of every direction and takes up again the walking keys that are
// still down on the keyboard itself, where the platform can tell.
void regainControls();
