// Pause: the world stands still while the player is away.
#pragma once

// 1 while play is paused; never set on the screens around play.
extern int g_paused;

// Stops the world and the music and lets go of every held direction.
void pauseGame();
// Play goes on from the very next frame, with the keys really held.
void resumeGame();
void togglePause();
// A paused frame: the still level, dimmed, with "PAUSED" and how to go on.
void pausedFrame();
// Focus lost or window hidden: held keys are forgotten and play pauses.
void watchWindowChanges();
