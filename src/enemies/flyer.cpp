// The fly beats its wings in six steps per 30 units and turns only at walls
// and the world's sides. Its death shifts it onto the middle of its body.
#include "enemies/flyer.h"

#include <cstdlib>

#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "world/level.h"

namespace {
constexpr int kLeftLimit = 20;
constexpr int kRightLimit = 2000;
constexpr unsigned kScore = 20;
constexpr int kBurstStep = 4;
constexpr int kBurstLimit = 40;
constexpr Colour kBurstColour = {0.6f, 0, 0.8f, 0.6f};
constexpr float kCell = 0.25f;

// Wing cells by the step of 5 units; facing left runs one step behind.
constexpr float kWingRight[6] = {0.25f, 0.5f, 0.75f, 0.5f, 0.25f, 0.0f};
constexpr float kWingLeft[6] = {0.0f, 0.25f, 0.5f, 0.75f, 0.5f, 0.25f};
}  // namespace

void Flyer::process() {
    bindTexture(kTexFlies);
    if (dying) {
        if (deathTimer == 0) {
            y += 5;
            x -= 2;
        }
        flareBurst(kScore, kBurstStep, kBurstLimit, kBurstColour, Flares::kPair);
        return;
    }
    step();
    if (isWall(tileAhead(8))) turn();
    if (x < kLeftLimit || x > kRightLimit) turn();
    if (!onScreen()) return;
    texV = code == -33 ? 0.75f : 0.5f;
    int step = std::abs(x % 30) / 5;
    float s0 = dir > 0 ? kWingRight[step] : kWingLeft[step];
    if (dir > 0) {
        drawWorldQuad(x - 12, y, x + 2, y + 25, {s0, texV, s0 + kCell, texV + kCell}, 1);
    } else {
        drawWorldQuad(x - 12, y, x + 2, y + 25, {s0, texV, s0 + kCell, texV + kCell}, -1);
    }
    touchHero(20, 20, 1, 20);
}
