// The bystander strolls along its row at its spawn height, over gaps as on
// ground, turning only at walls and the world's sides; it touches no one.
#include "enemies/bystander.h"

#include <cstdlib>

#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "world/level.h"

namespace {
constexpr int kLeftLimit = 20;
constexpr int kRightLimit = 2000;
constexpr float kColumnS[4] = {0.0f, 0.333f, 0.666f, 1.0f};
}  // namespace

void Bystander::process() {
    bindTexture(kTexEnemy2);
    step();
    if (isWall(tileAhead(8))) turn();
    if (x < kLeftLimit || x > kRightLimit) turn();
    if (!onScreen()) return;
    texU = 0;
    texV = 0.8f;
    // Seven cells, three to a row from the top, one per 10 units.
    int cell = std::abs(x % 70) / 10;
    float t0 = texV - 0.2f * (cell / 3);
    drawSprite({texU + kColumnS[cell % 3], t0, texU + kColumnS[cell % 3 + 1], t0 + 0.2f}, dir);
}
