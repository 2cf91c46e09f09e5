// Pause: the world stands still while the player is away.
#pragma once

// 1 while play is paused; never set on the screens around play.
extern int g_paused;

// Stops the music and the keys: play pauses. One last frame, played as the
// keys already held it, leaves its picture, dimmed, under the pause; then
// the world stops and every held direction is let go.
void pauseGame();
// Called by a play frame once its world is drawn: that frame was the last.
void pauseIfAsked();
// Play goes on from the very next frame, with the keys really held.
void resumeGame();
void togglePause();
// No pause, without touching music or keys: the screens around play.
void dropPause();
// A paused frame: the last picture of play, dimmed, with "PAUSED" and how to go on.
void pausedFrame();
// Focus lost or window hidden: held keys are forgotten and play pauses.
void watchWindowChanges();
