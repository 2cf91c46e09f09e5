// Drawing in world units: the quads every creature, shot and pick-up uses.
#pragma once
#include "gfx/draw.h"

// A quad given in world units, placed in the view by the camera.
void drawWorldQuad(float x0, float y0, float x1, float y1, const TexRect& tex, int facing = 1);
// A square of half size `half` centred on world (cx, cy).
void drawWorldSquare(float cx, float cy, float half, const TexRect& tex);
// The glow ring cell of the flare sheet.
constexpr TexRect kFlareRing = {0.25f, 0.49f, 0.51f, 0.75f};
// The three flare cells of a death burst, one over the other.
void drawFlareBurst(float x0, float y0, float x1, float y1);
// The smaller burst of two flare cells.
void drawFlarePair(float x0, float y0, float x1, float y1);
// Two-frame walk cycles change picture every 8 units of x: whether frame B shows.
bool walkFrameB(int x, int dir);
// Frame A or B of a walk cycle, by x and facing.
const TexRect& walkFrame(const TexRect& a, const TexRect& b, int x, int dir);
