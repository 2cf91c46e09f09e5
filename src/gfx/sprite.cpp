// World-space quads, flare bursts and the walk-cycle frame rule.
#include "gfx/sprite.h"

#include <cstdlib>

#include "gfx/scene.h"

void drawWorldQuad(float x0, float y0, float x1, float y1, const TexRect& tex, int facing) {
    drawQuad(viewX(x0), viewY(y0), viewX(x1), viewY(y1), tex, facing);
}

void drawWorldSquare(float cx, float cy, float half, const TexRect& tex) {
    drawWorldQuad(cx - half, cy - half, cx + half, cy + half, tex);
}

void drawFlareBurst(float x0, float y0, float x1, float y1) {
    drawWorldQuad(x0, y0, x1, y1, {0.0f, 0.75f, 0.25f, 1.0f});
    drawWorldQuad(x0, y0, x1, y1, {0.25f, 0.75f, 0.5f, 1.0f});
    drawWorldQuad(x0, y0, x1, y1, {0.5f, 0.75f, 0.75f, 1.0f});
}

void drawFlarePair(float x0, float y0, float x1, float y1) {
    drawWorldQuad(x0, y0, x1, y1, {0.25f, 0.75f, 0.5f, 1.0f});
    drawWorldQuad(x0, y0, x1, y1, {0.0f, 0.5f, 0.25f, 0.75f});
}

bool walkFrameB(int x, int dir) {
    int m = std::abs(x % 16);
    return dir < 0 ? m <= 8 : m >= 8;
}

const TexRect& walkFrame(const TexRect& a, const TexRect& b, int x, int dir) {
    return walkFrameB(x, dir) ? b : a;
}
