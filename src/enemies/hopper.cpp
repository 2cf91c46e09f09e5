// The hopper hops 80 units along its ground in 40 frames, then rests for 80.
// Its probes use the ground line it hops from, not its height in the air.
#include "enemies/hopper.h"

#include <cstdlib>

#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "hero/hero.h"
#include "world/level.h"

namespace {
constexpr int kCycle = 120;
constexpr int kAirborneFrames = 40;
constexpr float kHopSpeed = 2.5f;
constexpr float kHopGravity = 0.1f;
constexpr int kSpeed = 2;
constexpr int kWorldWidth = 2000;
constexpr unsigned kScore = 25;
constexpr int kBurstStep = 6;
constexpr int kBurstLimit = 50;
constexpr Colour kBurstColour = {0, 0.8f, 0, 0.6f};
}  // namespace

void Hopper::process() {
    bindTexture(kTexEnemy2);
    if (dying) {
        flareBurst(kScore, kBurstStep, kBurstLimit, kBurstColour, Flares::kPair);
        return;
    }
    hop();
    col = x / kTileSize;
    row = baseY / kTileSize;
    if (noFooting(groundUnder(x, baseY))) turn();
    if (isWall(tileAhead(8))) turn();
    if (x < 0 || x > kWorldWidth) turn();
    if (!onScreen()) return;
    int q = std::abs(hopClock % kCycle);
    float s0 = q < 40 ? texU : q < 100 ? texU + 0.4f : texU + 0.2f;
    drawSprite({s0, texV, s0 + 0.2f, texV + 0.2f}, dir);
    if (touchesHero() && g_hero.dying != 1 && g_hero.invulnTimer > 100) g_hero.hit();
}

void Hopper::hop() {
    int p = hopClock % kCycle;
    if (p == 0) vy = kHopSpeed;
    if (p < kAirborneFrames) {
        vy -= kHopGravity;
        y = moveBy(y, vy);
        x += kSpeed * dx;
    }
    hopClock += 1;
}

// Its box follows the hero's crouch: the feet, and a point 16 (ducking: 8) above.
bool Hopper::touchesHero() const {
    const Hero& h = g_hero;
    if (!(x + 12 > h.x && x - 12 < h.x)) return false;
    auto inside = [&](int hy) { return hy > y - 1 && hy < y + 20; };
    return inside(h.y) || inside(h.y + (h.ducking == 1 ? 8 : 16));
}
