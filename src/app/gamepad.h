// Gamepads through SDL's game-controller layer: they feed the same held-state
// model, shots and screens as the keyboard and mouse.
#pragma once

// Starts SDL's game-controller support; pads already plugged in and those
// plugged in later open by themselves. Without it the game has no gamepad.
void openGamepads();
// Closes every pad and the subsystem.
void closeGamepads();
// Once a frame: takes what the pads did since the last frame, follows pads
// coming and going, and moves the reticle.
void pollGamepads();
// The reticle the right stick aims, while a pad is in use; one call a frame
// of play.
void drawReticle();

// Where the right stick aims the trigger's shot, in view units.
extern float g_reticleX;
extern float g_reticleY;
// What Back does on the menu; the tests catch it instead of quitting.
extern void (*g_quitFromPad)(int exitCode);
