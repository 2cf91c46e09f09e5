// The still parts of the picture: background and heads-up display.
#pragma once

// The background picture over the whole view, if switched on; a lower
// alpha dims it over the black of a cleared frame.
void drawBackground(float alpha = 1);
// The background in full, then the level's tiles over it in opaque white
// with normal blending.
void drawScenery();
// The on-screen window: a 20 by 20 thing whose lower-left corner is at
// world (x, y) overlaps the view. Tiles, pick-ups and enemies all use it.
bool inViewColumns(int x);
bool inViewRows(int y);
inline bool inViewWindow(int x, int y) {
    return inViewColumns(x) && inViewRows(y);
}
// Whether the tile at (row, col) overlaps the view at the current camera.
bool tileInView(int row, int col);
// Draws one tile of the level at its place in the view.
void drawTile(int code, int row, int col);
// Life icons top left, aimed-shot icons top right.
void drawHud();
// The view position of a world position under the current camera.
float viewX(float worldX);
float viewY(float worldY);
