// A shot's flight: movement, tile and window checks, hits by spawn code, bursts.
#include "shots/projectile.h"

#include <cmath>

#include "app/globals.h"
#include "audio/audio.h"
#include "enemies/enemy.h"
#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "hero/hero.h"
#include "world/level.h"

namespace {
constexpr float kEnemyShotSpeed = 2.0f;
constexpr int kBurstStep = 2;
constexpr int kBurstEnd = 20;
constexpr double kFarOutside = 1e6;
constexpr float kAlpha = 0.6f;

// A grid index from a float position; far outside the grid when the
// position is not a usable number.
int cellIndex(double v) {
    double q = std::trunc(v / kTileSize);
    return std::fabs(q) < kFarOutside ? static_cast<int>(q) : -static_cast<int>(kFarOutside);
}

bool strictlyBetween(float v, float low, float high) {
    return v > low && v < high;
}
}  // namespace

Projectile* fireProjectile(int state, float x, float y, int dir) {
    Projectile* p = new Projectile;
    g_projectiles.append(p);
    p->state = state;
    p->x = x;
    p->y = y;
    p->dir = dir;
    return p;
}

void Projectile::process() {
    move();
    col = cellIndex(x);
    row = cellIndex(y + 5.0);
    if (state == kEnemyShot || state == kHeroShot || state == kAimedShot) drawFlying();
    if (state == kThrownShot) drawThrown();
    if (state == kThrownEnded) g_projectiles.cursor->dead = 1;
    if (state == kHeroBurst || state == kEnemyBurst || state == kAimedBurst) burst();
    if (isBlock(g_level.at(row, col))) {
        end(true);
        return;
    }
    if (outsideFlightWindow()) {
        end(false);
        return;
    }
    if (state == kHeroShot || state == kAimedShot) hitEnemies();
    if (state == kEnemyShot || state == kThrownShot) hitHero();
}

void Projectile::move() {
    if (state == kHeroShot || state == kAimedShot) {
        x += vx;
        y += vy;
    } else if (state == kEnemyShot || state == kThrownShot) {
        x += kEnemyShotSpeed * dir;
    }
}

void Projectile::drawFlying() const {
    bindTexture(kTexFlares);
    blendAdditive();
    if (state == kHeroShot) setColor(0, 0, 1, kAlpha);
    if (state == kEnemyShot) setColor(0.7f, 0, 0, kAlpha);
    if (state == kAimedShot) setColor(0.7f, 0, 0.7f, kAlpha);
    drawWorldQuad(x - 10, y - 3, x + 10, y + 17, {0.0f, 0.75f, 0.25f, 1.0f});
    drawWorldQuad(x - 10, y - 3, x + 10, y + 17, {0.25f, 0.75f, 0.5f, 1.0f});
    setColor(1, 1, 1, 1);
    TexRect core =
        state == kAimedShot ? TexRect{0.5f, 0.75f, 0.75f, 1.0f} : TexRect{0.75f, 0.75f, 1.0f, 1.0f};
    // The picture points left as stored.
    drawWorldQuad(x - 10, y - 3, x + 10, y + 17, core, -dir);
    blendNormal();
    setColor(1, 1, 1, 1);
}

// Drawn with whatever blending and colour are current.
void Projectile::drawThrown() const {
    bindTexture(kTexFlares);
    drawWorldQuad(x - 10, y - 3, x + 10, y + 17, {0.75f, 0.5f, 1.0f, 0.75f}, -dir);
}

void Projectile::burst() {
    burstTimer += kBurstStep;
    if (burstTimer >= kBurstEnd) {
        g_projectiles.cursor->dead = 1;
        return;
    }
    bindTexture(kTexFlares);
    blendAdditive();
    if (state == kEnemyBurst) setColor(1, 0, 0, 1);
    if (state == kAimedBurst) setColor(0.7f, 0, 0.7f, 0.7f);
    if (state == kHeroBurst) setColor(0, 0, 1, 1);
    drawWorldSquare(x, y + 7, burstTimer, {0.25f, 0.75f, 0.5f, 1.0f});
    setColor(1, 1, 1, kAlpha);
    drawWorldSquare(x, y + 7, burstTimer, {0.0f, 0.5f, 0.25f, 0.75f});
    blendNormal();
    setColor(1, 1, 1, 1);
}

void Projectile::end(bool audible) {
    switch (state) {
        case kEnemyShot:
            state = kEnemyBurst;
            break;
        case kThrownShot:
            state = kThrownEnded;
            break;
        case kHeroShot:
            state = kHeroBurst;
            if (audible) playEffect(kEffectSpark);
            break;
        case kAimedShot:
            state = kAimedBurst;
            if (audible) playEffect(kEffectSpark);
            break;
        default:
            break;
    }
}

// Shots fly on 50 units beyond the sides of the view and 75 above and below.
bool Projectile::outsideFlightWindow() const {
    bool inside =
        x <= g_scrollX + 200 && x >= g_scrollX - 200 && y <= g_scrollY + 325 && y >= g_scrollY - 75;
    return !inside;  // a position that is not a number is outside too
}

// One shot can kill every enemy it overlaps in the same frame.
void Projectile::hitEnemies() {
    const int burstState = state == kHeroShot ? kHeroBurst : kAimedBurst;
    for (ListNode* n = g_enemies.first; n; n = n->next) {
        Enemy* e = static_cast<Enemy*>(n->entity);
        const float ex = e->x, ey = e->y;
        bool kill = false, spent = false;
        if (e->code >= -34 && e->code <= -28) {
            kill = !e->dying && strictlyBetween(x, ex - 8, ex + 8) &&
                   strictlyBetween(y, ey - 10, ey + 20);
        } else if (e->code == -24 || e->code == -25) {
            spent = strictlyBetween(x, ex - 8, ex + 28) && strictlyBetween(y, ey - 10, ey + 20);
        } else if (e->code > -23 && !e->dying && strictlyBetween(x, ex - 20, ex + 10) &&
                   strictlyBetween(y, ey - 10, ey + 30)) {
            bool narrow =
                strictlyBetween(x, ex - 5, ex + 5) && strictlyBetween(y, ey - 10, ey + 10);
            if (e->code == -16 || e->code == -17)
                kill = true;
            else if (e->code == -19)
                kill = strictlyBetween(y, ey - 10, ey + 10);
            else if (e->code != -11)
                kill = narrow;
        }
        if (kill) {
            playEffect(kEffectPop);
            e->dying = 1;
        }
        if (kill || spent) state = burstState;
    }
}

void Projectile::hitHero() {
    Hero& h = g_hero;
    float top = h.ducking ? h.y + 5 : h.y + 6;
    if (!strictlyBetween(x, h.x - 5, h.x + 5) || !strictlyBetween(y, h.y - 6, top)) return;
    if (h.dying || h.invulnTimer <= 100) return;
    state = state == kEnemyShot ? kEnemyBurst : kThrownEnded;
    h.hit();
}
