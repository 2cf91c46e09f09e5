// The hero's sprite, chosen by movement mode, and the checkpoint flash.
#include <cstdlib>

#include "app/globals.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "gfx/sprite.h"
#include "hero/hero.h"

namespace {

// Two-frame pictures on the hero sheet (the climb is on the second enemy sheet).
struct Frames {
    TexRect a, b;
};
constexpr TexRect kDeathA = {0.8f, 0.2f, 1.0f, 0.4f};
constexpr TexRect kDeathB = {0.8f, 0.4f, 1.0f, 0.6f};
constexpr TexRect kJump = {0.4f, 0.6f, 0.6f, 0.79f};
constexpr Frames kClimb = {{0.0f, 0.0f, 0.2f, 0.2f}, {0.2f, 0.0f, 0.4f, 0.2f}};
constexpr Frames kDuck = {{0.0f, 0.6f, 0.2f, 0.799f}, {0.2f, 0.6f, 0.4f, 0.799f}};
constexpr Frames kShoot = {{0.4f, 0.8f, 0.6f, 1.0f}, {0.6f, 0.8f, 0.8f, 1.0f}};
constexpr Frames kStand = {{0.0f, 0.8f, 0.2f, 1.0f}, {0.2f, 0.8f, 0.4f, 1.0f}};
constexpr TexRect kFlashGlow = {0.25f, 0.5f, 0.51f, 0.75f};
constexpr int kFlashGrowth = 10;
constexpr int kSwimCycle = 70;

const TexRect& byX(const Frames& f, int x, int dir) {
    return walkFrame(f.a, f.b, x, dir);
}

}  // namespace

void Hero::drawFlash() {
    if (checkpointFlash >= kNoFlash) return;
    checkpointFlash += kFlashGrowth;
    bindTexture(kTexFlares);
    blendAdditive();
    setColor(0, 0, 1, 0.7f);
    drawWorldSquare(g_startX, g_startY + 30, 30 + checkpointFlash, kFlashGlow);
    setColor(1, 1, 1, 1);
    blendNormal();
    bindTexture(kTexHero);
}

void Hero::drawSprite() {
    float x0 = screenX - 10, x1 = screenX + 10, y0 = screenY, y1 = screenY + 20;
    if (dying) {
        drawQuad(x0, y0, x1, y1, deathFrame < 5 ? kDeathA : kDeathB);
    } else if (airborne && !swimming) {
        drawQuad(x0, y0, x1, y1, kJump, dir);
    } else if (climbing != kOffLadder) {
        bindTexture(kTexEnemy2);
        drawQuad(x0, y0, x1, y1, std::abs(y % 16) < 8 ? kClimb.a : kClimb.b);
    } else if (ducking) {
        drawQuad(x0, y0, x1, y1, byX(kDuck, x, dir), dir);
    } else if (swimming) {
        swimFrame += 1;
        setColor(0.7f, 0.7f, 1.0f, 1.0f);
        drawQuad(x0, y0, x1, y1,
                 std::abs(swimFrame % kSwimCycle) < kSwimCycle / 2 ? kDuck.a : kDuck.b, dir);
        setColor(1, 1, 1, 1);
    } else if (shooting) {
        drawQuad(x0, y0, x1, y1, byX(kShoot, x, dir), dir);
    } else {
        drawQuad(x0, y0, x1, y1, byX(kStand, x, dir), dir);
    }
}
