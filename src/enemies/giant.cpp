// The giant patrols with probes at its own width (25 units behind, 15 ahead
// when walking right) and kills on a wide box; the -16 kind leaves a ring.
#include "enemies/giant.h"

#include <cstdlib>

#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "world/level.h"

namespace {
constexpr int kRingCode = -16;
constexpr unsigned kScore = 50;
constexpr int kBurstStep = 6;
constexpr int kBurstLimit = 200;
constexpr int kFlareFrames = 70;
constexpr Colour kAdditiveWhite = {1, 1, 1, 1};

// Code -16 strides in two frames from the top third of the sheet, as stored
// facing right; the others in four frames from the lower two thirds.
constexpr TexRect kStride[2] = {{0.0f, 0.68f, 0.5f, 1.0f}, {0.5f, 0.68f, 1.0f, 1.0f}};
constexpr TexRect kStomp[4] = {
    {0.5f, 0.0f, 1.0f, 0.318f},
    {0.0f, 0.0f, 0.5f, 0.318f},
    {0.5f, 0.32f, 1.0f, 0.678f},
    {0.0f, 0.32f, 0.5f, 0.678f},
};

// The other half of the same row, for the mirrored facing.
TexRect otherHalf(const TexRect& r) {
    return r.s0 == 0.0f ? TexRect{0.5f, r.t0, 1.0f, r.t1} : TexRect{0.0f, r.t0, 0.5f, r.t1};
}

TexRect frameOf(int code, int x, int dir) {
    if (code == kRingCode) {
        int m = std::abs(x % 30);
        if (dir > 0) return kStride[m < 15 ? 0 : 1];
        return kStride[m <= 15 ? 1 : 0];
    }
    const TexRect& cell = kStomp[std::abs(x % 40) / 10];
    return dir > 0 ? cell : otherHalf(cell);
}
}  // namespace

void Giant::process() {
    bindTexture(kTexGiant);
    if (dying) {
        burst();
        return;
    }
    step();
    if (noFooting(groundUnder(x, y))) turn();
    if (isWall(tileAhead(25, 15))) turn();
    if (!onScreen()) return;
    drawWorldQuad(x - 30, y, x + 20, y + 40, frameOf(code, x, dir), dir);
    touchHero(20, 20, 1, 30);
}

void Giant::burst() {
    int d = advanceBurst(kScore, kBurstStep, kBurstLimit);
    if (!d) return;
    beginBurst(kAdditiveWhite);
    float x0 = x - 10 - d, y0 = y + 10 - d, x1 = x - 10 + d, y1 = y + 20 + d;
    if (d < kFlareFrames) {
        setColor(0.8f, 0, 0, 0.6f);
        drawFlarePair(x0, y0, x1, y1);
    }
    if (code == kRingCode) {
        setColor(0.8f, 0, 0.8f, 0.6f);
        drawWorldQuad(x0, y0, x1, y1, kFlareRing);
    }
    endBurst();
}
