// The gunner walks like the walker, fires from its feet whether seen or not,
// and dies in a long burst; the -14 kind leaves an expanding ring as well.
#include "enemies/gunner.h"

#include <cstdlib>

#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "shots/projectile.h"
#include "world/level.h"

namespace {
constexpr int kShotInterval = 80;
constexpr unsigned kScore = 40;
constexpr int kBurstStep = 6;
constexpr int kBurstLimit = 200;
constexpr int kFlareFrames = 60;  // the flares show while the timer is below this
constexpr int kRingCode = -14;
constexpr int kWorldWidth = 2000;
constexpr Colour kWhite = {1, 1, 1, 1};
}  // namespace

void Gunner::process() {
    bindTexture(kTexEnemy3);
    if (dying) {
        burst();
        return;
    }
    if (++shotTimer % kShotInterval == 0) {
        fire(Projectile::kEnemyShot, x - 13 * dir, y, -dir);
        shotTimer = 0;
    }
    step();
    walkerProbes(64);  // the foot of a ladder stops a gunner too
    if (x < 0 || x > kWorldWidth) turn();
    if (!onScreen()) return;
    texU = 0.6f;
    texV = code == kRingCode ? 0.0f : 0.2f;
    bool frameB = std::abs(x % 16) >= 8;
    float s0 = frameB ? texU + 0.2f : texU;
    drawSprite({s0, texV, s0 + 0.2f, texV + 0.2f}, dir);
    touchHero(12, 12, 1, 20);
}

void Gunner::burst() {
    int d = advanceBurst(kScore, kBurstStep, kBurstLimit);
    if (!d) return;
    beginBurst(kWhite);
    if (d < kFlareFrames) {
        int h = d / 2;
        if (code == kRingCode) {
            setColor(0, 0.8f, 0.8f, 0.6f);
        } else {
            setColor(0.8f, 0, 0.8f, 0.5f);
        }
        drawFlareBurst(x - h, y - h, x + h, y + h + 10);
    }
    if (code == kRingCode) {
        setColor(0.8f, 0, 0.8f, 0.8f);
        drawWorldQuad(x - d, y - d, x + d, y + d + 10, kFlareRing);
    }
    endBurst();
}
