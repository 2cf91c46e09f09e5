// The snake crawls its ledge at one unit a frame, feeling the ground 7 units
// behind its centre and walls 15 units ahead, and strikes with a tall box.
#include "enemies/snake.h"

#include <cstdlib>

#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "world/level.h"

namespace {
constexpr unsigned kScore = 20;
constexpr int kBurstStep = 2;
constexpr int kBurstLimit = 32;
constexpr Colour kBurstColour = {0.1f, 0.8f, 0.1f, 0.6f};

// The crawl cycle facing right as stored, one cell per 10 units.
constexpr TexRect kCrawl[4] = {
    {0.5f, 0.0f, 1.0f, 0.318f},
    {0.0f, 0.0f, 0.5f, 0.318f},
    {0.5f, 0.32f, 1.0f, 0.658f},
    {0.0f, 0.32f, 0.5f, 0.658f},
};
}  // namespace

void Snake::process() {
    bindTexture(kTexSnake);
    if (dying) {
        flareBurst(kScore, kBurstStep, kBurstLimit, kBurstColour);
        return;
    }
    step();
    if (noFooting(groundUnder(x - 7, y))) turn();
    if (dx == 0 || isWall(tileAhead(15))) turn();
    if (!onScreen()) return;
    const TexRect& cell = kCrawl[std::abs(x % 40) / 10];
    // Facing left shows the other half of each row, mirrored.
    TexRect left = {cell.s0 == 0.0f ? 0.5f : 0.0f, cell.t0, cell.s0 == 0.0f ? 1.0f : 0.5f, cell.t1};
    if (dir > 0) {
        drawWorldQuad(x - 30, y, x + 20, y + 40, cell, 1);
    } else {
        drawWorldQuad(x - 30, y, x + 20, y + 40, left, -1);
    }
    touchHero(20, 20, 1, 30);
}
