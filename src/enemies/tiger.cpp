// The tiger runs its ledge at double speed with a six-frame run cycle; its
// touch and hit boxes are lower than its 40 by 30 picture.
#include "enemies/tiger.h"

#include <cstdlib>

#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "world/level.h"

namespace {
constexpr int kSpeed = 2;
constexpr unsigned kScore = 75;
constexpr int kBurstStep = 3;
constexpr int kBurstLimit = 36;
constexpr Colour kBurstColour = {0.8f, 0.8f, 0, 0.5f};

// The run cycle as the sheet stores it (running right), one cell per 10 units.
constexpr TexRect kRun[6] = {
    {0.0f, 0.666f, 0.5f, 1.0f},   {0.5f, 0.666f, 1.0f, 1.0f}, {0.0f, 0.333f, 0.5f, 0.666f},
    {0.5f, 0.333f, 1.0f, 0.666f}, {0.0f, 0.0f, 0.5f, 0.333f}, {0.5f, 0.0f, 1.0f, 0.333f},
};
}  // namespace

void Tiger::process() {
    bindTexture(kTexTiger);
    if (dying) {
        int d = advanceBurst(kScore, kBurstStep, kBurstLimit);
        if (!d) return;
        beginBurst(kBurstColour);
        drawWorldQuad(x - d, y - d, x + d, y + d + 10, {0.0f, 0.75f, 0.25f, 1.0f});
        drawWorldQuad(x - d, y - d, x + d, y + d + 10, {0.25f, 0.75f, 0.5f, 1.0f});
        drawWorldQuad(x - d, y - d, x + d, y + d + 10, {0.0f, 0.5f, 0.25f, 0.75f});
        endBurst();
        return;
    }
    step(kSpeed);
    if (noFooting(groundUnder(x, y))) turn();
    if (isWall(tileAhead(8))) turn();
    if (!onScreen()) return;
    int step = std::abs(x % 60) / 10;
    // Running left the cycle plays backwards through mirrored cells.
    const TexRect& cell = dir < 0 ? kRun[step] : kRun[5 - step];
    drawWorldQuad(x - 20, y, x + 20, y + 30, cell, -dir);
    touchHero(12, 12, 1, 20);
}
