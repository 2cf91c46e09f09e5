// A tribesman walks its ledge; the clubber (-29) stops to swing at a hero in
// reach, the thrower (-30) stops to throw at a hero anywhere ahead on screen.
#include "enemies/tribesman.h"

#include <cstdlib>

#include "app/globals.h"
#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "hero/hero.h"
#include "shots/projectile.h"
#include "world/level.h"

namespace {
constexpr int kClubber = -29;
constexpr int kThrower = -30;
constexpr int kThrowCycle = 80;
constexpr int kThrowAt = 60;
constexpr int kSwingFrames = 45;
constexpr int kClubReach = 30;
constexpr unsigned kScore = 30;
constexpr int kBurstStep = 2;
constexpr int kBurstLimit = 28;
constexpr Colour kBurstColour = {0, 0.8f, 0.8f, 0.6f};
constexpr float kCellW = 0.25f;
constexpr float kCellH = 0.248f;

// The sheet and row each code walks with.
struct Walk {
    unsigned texture;
    float row;
};
Walk walkOf(int code) {
    switch (code) {
        case -29:
            return {kTexTribe, 0.5f};
        case -30:
            return {kTexFlies, 0.0f};
        case -31:
            return {kTexTribe, 0.0f};  // the fourth tribesman has the sheet's free row
        default:
            return {kTexTribe, 0.75f};
    }
}
}  // namespace

void Tribesman::process() {
    if (dying) {
        flareBurst(kScore, kBurstStep, kBurstLimit, kBurstColour);
        return;
    }
    step();
    if (noFooting(groundUnder(x, y))) turn();
    if (dx != 0 && isWall(tileAhead(10))) turn();  // a standing attacker holds its ground
    if (!onScreen()) return;
    if (code == kThrower) throwAtHero();
    if (code == kClubber) clubHero();
    if (!attacking) drawWalking();
    touchHero(15, 15, 1, 23);
}

bool Tribesman::levelWithHero() const {
    return y - 1 < g_hero.y && g_hero.y < y + 23;
}

bool Tribesman::onGround() const {
    return !noFooting(groundUnder(x, y));
}

void Tribesman::stopAttacking() {
    if (dx == 0) dx = -dir;  // walk on the way it faces
    attacking = 0;
    attackClock = 0;
}

void Tribesman::throwAtHero() {
    bool facing = (x < g_hero.x && dir == -1) || (g_hero.x < x && dir == 1);
    if (!levelWithHero() || !facing || !onGround()) {
        stopAttacking();
        return;
    }
    attacking = 1;
    dx = 0;
    attackClock += 1;
    if (attackClock % kThrowAt == 0) fire(Projectile::kThrownShot, x - 13 * dir, y + 5, -dir);
    if (attackClock == kThrowCycle) attackClock = 0;
    int c = attackClock % kThrowCycle;
    float s0 = c < 40 ? 0.0f : c < 50 ? 0.25f : c < 60 ? 0.5f : 0.75f;
    drawPose(kTexFlies, 0.25f, s0, 12, 12);
}

void Tribesman::clubHero() {
    bool facing = (x < g_hero.x && dir == -1 && x > g_hero.x - kClubReach) ||
                  (g_hero.x < x && dir == 1 && x < g_hero.x + kClubReach);
    if (g_onScreens == 1 || !levelWithHero() || !facing || !onGround()) {
        stopAttacking();
        return;
    }
    attacking = 1;
    dx = 0;
    attackClock += 1;
    if (attackClock == kSwingFrames) {
        if (g_hero.dying != 1 && g_hero.invulnTimer > 100) g_hero.hit();
        attackClock = 0;
    }
    int c = attackClock % kSwingFrames;
    if (c < 30) {
        drawPose(kTexTribe, 0.25f, 0.0f, 12, 12);
    } else if (c < 40) {
        drawPose(kTexTribe, 0.25f, 0.25f, 12, 12);
    } else {
        drawPose(kTexTribe, 0.25f, 0.75f, 22, 2);  // the blow lands ten units forward
    }
}

// Four frames over every 30 units of travel, in sheet order either way.
void Tribesman::drawWalking() {
    Walk walk = walkOf(code);
    texV = walk.row;
    int m = std::abs(x % 30);
    int frame = m < 7 ? 3 : m < 15 ? 2 : m < 22 ? 1 : 0;
    if (dir < 0) frame = 3 - frame;
    drawPose(walk.texture, texV, frame * kCellW, 12, 12);
}

// A pose reaching `front` units ahead of the centre and `back` units behind;
// dir +1 faces left, as the sheet stores it.
void Tribesman::drawPose(unsigned texture, float rowV, float s0, int front, int back) {
    bindTexture(texture);
    TexRect cell = {s0, rowV, s0 + kCellW, rowV + kCellH};
    if (dir > 0) {
        drawWorldQuad(x - front, y, x + back, y + 25, cell, 1);
    } else {
        drawWorldQuad(x - back, y, x + front, y + 25, cell, -1);
    }
}
