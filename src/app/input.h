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
// Holds `direction` for `source`, with the jump sound when an up press really
// starts a jump: the up arrow and the pad's jump sound it, w and the stick
// jump silently.
void holdSoundingJump(int direction, unsigned source);
// The arrows and the d-pad on the screens: up and down choose the era, right
// and left whether to continue from the furthest level.
void steerScreens(int direction);
// A letter as the bindings compare it: Shift and Caps Lock make no difference.
unsigned char foldKey(unsigned char key);
// Lets go of every direction and takes up again the walking keys that are
// still down on the keyboard itself, where the platform can tell.
void regainControls();
