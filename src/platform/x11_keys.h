// The keyboard's real state and the game window's focus, asked of the X server.
#pragma once

// Whether a key is down on the keyboard right now: a printable character key
// (any case) or an X key symbol such as XK_Left. False without a display.
bool keyIsDown(unsigned char key);
bool arrowIsDown(unsigned long keysym);

// kPauseKey: the keyboard's Pause key, which GLUT does not pass on.
enum WindowChange {
    kWindowUnchanged,
    kFocusLost,
    kFocusGained,
    kWindowHidden,
    kWindowShown,
    kPauseKey
};
// Starts watching the current game window on a connection of our own, so
// that GLUT's own event handling is untouched. Call again for a new window.
void watchGameWindow();
// The next change seen since the last call, or kWindowUnchanged.
WindowChange nextWindowChange();
