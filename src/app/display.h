// Where the picture sits in the window, and pointer positions in view units.
#pragma once

// The 4:3 rectangle the 300 by 250 view fills, in window pixels from the top
// left. In game mode it is the whole 1024 by 768 screen.
struct Picture {
    int left, top, width, height;
};
extern Picture g_picture;

// The largest 4:3 rectangle centred in a window, the rest left black.
Picture fitPicture(int windowWidth, int windowHeight);
// Turns a window pixel into view units through g_picture; on the full
// 1024 by 768 screen px = x / 3.413 and py = (768 - y) / 3.072.
void windowToView(int x, int y, float* px, float* py);
// Reshape callback of the windowed fallback: letterbox the picture.
void onReshape(int width, int height);
