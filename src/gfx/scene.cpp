// Background, level tiles and the heads-up display.
#include "gfx/scene.h"

#include <algorithm>

#include "app/globals.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "world/level.h"

namespace {

constexpr float kViewWidth = 300;
constexpr float kViewHeight = 250;
constexpr int kSheetCells = 8;
// Texture rectangles stay this far inside their cell, so neighbours never bleed in.
constexpr float kTileInset = 0.02f;

int floorDiv(int a, int b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// The tile sheet and cell a tile code is drawn from.
void tileSource(int code, unsigned* texture, int* cell) {
    if (code >= kFirstWater) {
        *texture = kTexWater;
        *cell = code - kFirstWater;
    } else if (code < kFirstLadder) {
        *texture = kTexBlocks;
        *cell = code;
    } else {
        *texture = kTexLadders;
        *cell = code - kFirstLadder;
    }
}

TexRect tileRect(int cell) {
    float c = cell % kSheetCells;
    float r = cell / kSheetCells;
    return {(c + kTileInset) / kSheetCells, (r + kTileInset) / kSheetCells,
            (c + 1 - kTileInset) / kSheetCells, (r + 1 - kTileInset) / kSheetCells};
}

}  // namespace

float viewX(float worldX) {
    return worldX + 150 - g_scrollX;
}
float viewY(float worldY) {
    return worldY - g_scrollY;
}

void drawBackground(float alpha) {
    bindTexture(kTexBackground);
    setColor(1, 1, 1, alpha);
    if (g_backgroundOn) drawQuad(0, 0, kViewWidth, kViewHeight, {0, 0, 1, 1});
}

bool inViewColumns(int x) {
    return x < g_scrollX + 150 && x > g_scrollX - 170;
}
bool inViewRows(int y) {
    return y < g_scrollY + 250 && y > g_scrollY - kTileSize;
}

bool tileInView(int row, int col) {
    return inViewWindow(col * kTileSize, row * kTileSize);
}

void drawTile(int code, int row, int col) {
    unsigned texture;
    int cell;
    tileSource(code, &texture, &cell);
    bindTexture(texture);
    float x = viewX(col * kTileSize);
    float y = viewY(row * kTileSize);
    drawQuad(x, y, x + kTileSize, y + kTileSize, tileRect(cell));
}

// Only the cells around the view are visited, in the same row-major order a
// walk over the whole grid would draw them.
void Level::draw() {
    int firstCol = std::max(0, floorDiv(g_scrollX - 170, kTileSize));
    int lastCol = std::min(kGridSize - 1, floorDiv(g_scrollX + 150, kTileSize));
    int firstRow = std::max(0, floorDiv(g_scrollY - kTileSize, kTileSize));
    int lastRow = std::min(kGridSize - 1, floorDiv(g_scrollY + 250, kTileSize));
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int col = firstCol; col <= lastCol; ++col) {
            int code = at(row, col);
            if (code >= 0 && tileInView(row, col)) drawTile(code, row, col);
        }
    }
}

void drawHud() {
    if (g_lives >= 1) {
        bindTexture(kTexHero);
        for (int i = 1; i <= g_lives; ++i)
            drawQuad(10 * i, 238, 10 * i + 10, 248, {0.2f, 0.8f, 0.4f, 1.0f});
    }
    if (g_ammo >= 1) {
        bindTexture(kTexFlares);
        blendAdditive();
        for (int i = 1; i <= g_ammo; ++i) {
            float x0 = 15 * i + 195, x1 = 15 * i + 215;
            setColor(0.7f, 0, 0.7f, 0.6f);
            drawQuad(x0, 233, x1, 253, {0, 0.75f, 0.25f, 1});
            drawQuad(x0, 233, x1, 253, {0.25f, 0.75f, 0.5f, 1});
            setColor(1, 1, 1, 1);
            drawQuad(x0, 233, x1, 253, {0.5f, 0.75f, 0.75f, 1});
        }
    }
}
