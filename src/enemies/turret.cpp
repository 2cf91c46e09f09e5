// The turret never moves, never dies and only hurts through its shots.
#include "enemies/turret.h"

#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "shots/projectile.h"

namespace {
constexpr int kShotInterval = 80;
constexpr Colour kGlow = {0, 0, 1, 0.9f};
}  // namespace

void Turret::process() {
    bindTexture(kTexEnemy3);
    if (++shotClock % kShotInterval == 0) {
        fire(Projectile::kEnemyShot, x + 14 * dir + 10, y + 5, dir);
        shotClock = 0;
    }
    if (!onScreen()) return;
    // Each facing has a cell of its own; neither is mirrored.
    texU = dir > 0 ? 0.6f : 0.8f;
    texV = 0.4f;
    drawWorldQuad(x, y, x + 20, y + 20, {texU, texV, texU + 0.2f, texV + 0.2f});
    beginBurst(kGlow);
    drawWorldQuad(x - 5, y - 5, x + 25, y + 25, kFlareRing);
    endBurst();
}
