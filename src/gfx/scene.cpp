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

namespace {
// The background, left unfilled inside `hidden`.
void drawBackgroundAround(float alpha, const std::vector<QuadRect>& hidden) {
    bindTexture(kTexBackground);
    setColor(1, 1, 1, alpha);
    if (g_backgroundOn) drawQuadBehind(0, 0, kViewWidth, kViewHeight, {0, 0, 1, 1}, hidden);
}
}  // namespace

void drawBackground(float alpha) {
    drawBackgroundAround(alpha, {});
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

namespace {

// The cells around the view: every cell Level::draw may draw lies inside.
struct CellRange {
    int firstRow, lastRow, firstCol, lastCol;
};

CellRange cellsAroundView() {
    return {std::max(0, floorDiv(g_scrollY - kTileSize, kTileSize)),
            std::min(kGridSize - 1, floorDiv(g_scrollY + 250, kTileSize)),
            std::max(0, floorDiv(g_scrollX - 170, kTileSize)),
            std::min(kGridSize - 1, floorDiv(g_scrollX + 150, kTileSize))};
}

bool tileShown(int row, int col) {
    return g_level.at(row, col) >= 0 && tileInView(row, col);
}

// Whether the tile Level::draw draws at (row, col), in opaque white with
// normal blending, hides everything beneath it.
bool tileHides(int row, int col) {
    if (!tileShown(row, col)) return false;
    unsigned texture;
    int cell;
    tileSource(g_level.at(row, col), &texture, &cell);
    return texelsOpaque(texture, tileRect(cell));
}

// Adds the view rectangle of cells [firstCol, endCol) of `row`, joined to the
// rectangle of the row below when it spans the same columns.
void addHidingRun(std::vector<QuadRect>* areas, int row, int firstCol, int endCol) {
    QuadRect run = {viewX(firstCol * kTileSize), viewY(row * kTileSize), viewX(endCol * kTileSize),
                    viewY((row + 1) * kTileSize)};
    for (QuadRect& below : *areas) {
        if (below.x0 == run.x0 && below.x1 == run.x1 && below.y1 == run.y0) {
            below.y1 = run.y1;
            return;
        }
    }
    areas->push_back(run);
}

// The parts of the view that the level's opaque tiles will cover.
std::vector<QuadRect> hiddenByTiles() {
    std::vector<QuadRect> areas;
    CellRange cells = cellsAroundView();
    for (int row = cells.firstRow; row <= cells.lastRow; ++row) {
        int runStart = -1;
        for (int col = cells.firstCol; col <= cells.lastCol + 1; ++col) {
            bool hides = col <= cells.lastCol && tileHides(row, col);
            if (hides && runStart < 0) runStart = col;
            if (!hides && runStart >= 0) {
                addHidingRun(&areas, row, runStart, col);
                runStart = -1;
            }
        }
    }
    return areas;
}

}  // namespace

// Only the cells around the view are visited, in the same row-major order a
// walk over the whole grid would draw them.
void Level::draw() {
    QuadBatch batch;
    CellRange cells = cellsAroundView();
    for (int row = cells.firstRow; row <= cells.lastRow; ++row)
        for (int col = cells.firstCol; col <= cells.lastCol; ++col)
            if (at(row, col) >= 0 && tileInView(row, col)) drawTile(at(row, col), row, col);
}

namespace {
// Everything the scenery's pixels depend on besides the textures and the view.
std::vector<double> sceneryKey() {
    CellRange cells = cellsAroundView();
    std::vector<double> key = {double(g_scrollX), double(g_scrollY), double(g_backgroundOn),
                               double(cells.firstRow), double(cells.firstCol)};
    for (int row = cells.firstRow; row <= cells.lastRow; ++row)
        for (int col = cells.firstCol; col <= cells.lastCol; ++col)
            key.push_back(g_level.at(row, col));
    return key;
}
}  // namespace

// Where opaque tiles cover the background it is not filled at all: on busy
// levels they hide nearly all of it. While the camera stands still the whole
// scenery comes out the same, and is put back from a copy.
void drawScenery() {
    SteadyLayer layer(sceneryKey());
    drawBackgroundAround(1, hiddenByTiles());
    setColor(1, 1, 1, 1);
    blendNormal();
    g_level.draw();
}

void drawHud() {
    QuadBatch batch;
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
