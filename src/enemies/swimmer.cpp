// A swimmer crosses water and air alike, turning only at blocks and ladder
// feet; the leaper (-11) sinks, rises, leaps from the surface and falls back.
// Neither dies: a hit only marks them, and they swim on.
#include "enemies/swimmer.h"

#include <cstdlib>

#include "gfx/bitmap.h"
#include "gfx/scene.h"
#include "gfx/sprite.h"
#include "hero/hero.h"
#include "world/level.h"

namespace {
constexpr int kLeaper = -11;
constexpr int kWorldWidth = 2000;
constexpr float kLeapSpeed = 3.0f;
constexpr float kLeapGravity = 0.08f;
constexpr float kHeadDownSpeed = -1.5f;
constexpr Colour kUnderwater = {0.7f, 0.7f, 1.0f, 1.0f};

float rowOf(int code) {
    switch (code) {
        case -12:
            return 0.2f;
        case -11:
            return 0.4f;
        case -10:
            return 0.6f;
        default:
            return 0.8f;  // -9, and every other swimmer code
    }
}

// Three frames side by side, one per 8 units of `along`.
TexRect frameOf(float row, int along) {
    int m = std::abs(along % 24);
    float s0 = m < 8 ? 0.0f : m < 16 ? 0.2f : 0.4f;
    return {s0, row, s0 + 0.2f, row + 0.2f};
}

bool isSurfaceWater(int tile) {
    return tile >= 128 && tile <= 133;
}
}  // namespace

void Swimmer::process() {
    bindTexture(kTexEnemy3);
    setColor(kUnderwater.r, kUnderwater.g, kUnderwater.b, kUnderwater.a);
    if (code == kLeaper) {
        leap();
    } else {
        swim();
    }
    setColor(1, 1, 1, 1);
}

void Swimmer::swim() {
    x += dx;
    col = x / kTileSize;
    row = y / kTileSize;
    if (dx == 0 || isWall(tileAhead(8), 64)) turn();
    if (x < 0 || x > kWorldWidth) turn();
    if (!inViewColumns(x)) return;
    if (inViewRows(y)) {
        texU = 0;
        texV = rowOf(code);
        drawSprite(frameOf(texV, x), dir);
    }
    touchHero(12, 12, 1, 20);
}

void Swimmer::leap() {
    y = moveBy(y, dx);  // dx is the leaper's vertical step
    col = x / kTileSize;
    row = y / kTileSize;
    int ahead = g_level.at((dx < 0 ? y - 12 : y + 12) / kTileSize, col);
    if (dx == 0 || !noFooting(ahead)) turn();
    int own = g_level.at(row, col);
    if (own == kEmpty || (own >= 65 && own <= 126)) {
        setColor(1, 1, 1, 1);  // out of the water: untinted
        if (isSurfaceWater(groundUnder(x, y))) {
            if (dir == -1) {
                vy = kLeapSpeed;
            } else {
                dx = -1;
            }
        }
        vy -= kLeapGravity;
        y = moveBy(y, vy);
        if (vy < kHeadDownSpeed) dir = 1;
    }
    if (!inViewColumns(x)) return;
    if (inViewRows(y)) {
        texU = 0;
        texV = rowOf(code);
        TexRect cell = frameOf(texV, y);
        if (dir > 0) {
            // Head down: hanging below y, upside down.
            drawWorldQuad(x - 10, y - 20, x + 10, y, {cell.s0, cell.t1, cell.s1, cell.t0}, -1);
        } else {
            drawWorldQuad(x - 10, y, x + 10, y + 20, cell, -1);
        }
    }
    if (dir > 0) {
        touchHero(12, 12, 30, 0);
    } else {
        touchHero(12, 12, 15, 15);
    }
}
