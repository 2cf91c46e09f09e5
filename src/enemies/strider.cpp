// The strider walks like the basic walker, without the ladder clause, and
// keeps inside the world's sides; each colour has its own sheet row.
#include "enemies/strider.h"

#include <cstdlib>

#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "world/level.h"

namespace {
constexpr unsigned kScore = 10;
constexpr int kBurstStep = 2;
constexpr int kBurstLimit = 24;
constexpr int kWorldWidth = 2000;

struct Variant {
    float row;
    Colour burst;
};
Variant variantOf(int code) {
    if (code == -21) return {0.6f, {0.8f, 0, 0, 0.6f}};
    if (code == -20) return {0.2f, {0, 0.8f, 0, 0.6f}};
    return {0.0f, {0.8f, 0, 0.8f, 0.6f}};
}
}  // namespace

void Strider::process() {
    bindTexture(kTexEnemy3);
    if (dying) {
        flareBurst(kScore, kBurstStep, kBurstLimit, variantOf(code).burst);
        return;
    }
    step();
    if (noFooting(groundUnder(x, y))) turn();
    if (isWall(tileAhead(8))) turn();
    if (x < 0 || x > kWorldWidth) turn();
    if (!onScreen()) return;
    texU = 0;
    texV = variantOf(code).row;
    float s0 = texU + 0.2f * (std::abs(x % 24) / 8);
    drawSprite({s0, texV, s0 + 0.2f, texV + 0.2f}, dir);
    touchHero(12, 12, 1, 20);
}
