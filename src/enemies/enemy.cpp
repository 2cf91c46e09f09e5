// The shared enemy mechanics and the basic walker that patrols its platform.
#include "enemies/enemy.h"

#include "app/globals.h"
#include "gfx/bitmap.h"
#include "gfx/scene.h"
#include "gfx/sprite.h"
#include "hero/hero.h"
#include "shots/projectile.h"
#include "world/level.h"

namespace {
constexpr unsigned kWalkerScore = 10;
constexpr int kWalkerBurstStep = 2;
constexpr int kWalkerBurstLimit = 24;
constexpr float kCellSize = 0.2f;
constexpr float kCellHeight = 0.199f;

// Each walker code owns two neighbouring cells of the hero sheet.
struct WalkerLook {
    float u, v;
    Colour burst;
};
WalkerLook walkerLook(int code) {
    constexpr Colour kBlue = {0, 0, 0.8f, 0.6f}, kSand = {0.9f, 0.7f, 0.4f, 0.6f},
                     kRed = {0.8f, 0, 0, 0.6f}, kGold = {0.9f, 0.7f, 0.3f, 0.6f};
    switch (code) {
        case -8:
            return {0.4f, 0.0f, kBlue};
        case -7:
            return {0.0f, 0.0f, kSand};
        case -6:
            return {0.4f, 0.2f, kBlue};
        case -5:
            return {0.0f, 0.2f, kRed};
        case -4:
            return {0.4f, 0.4f, kBlue};
        case -3:
            return {0.0f, 0.4f, kRed};
        default:
            return {0.6f, 0.6f, kGold};
    }
}
}  // namespace

int Enemy::groundUnder(int probeX, int feetY) {
    return g_level.at((feetY - 1) / kTileSize, probeX / kTileSize);
}

int Enemy::tileAhead(int leftReach, int rightReach) const {
    return g_level.at(row, (dx < 0 ? x - leftReach : x + rightReach) / kTileSize);
}

void Enemy::fire(int state, int sx, int sy, int shotDir) {
    fireProjectile(state, static_cast<float>(sx), static_cast<float>(sy), shotDir);
}

bool Enemy::onScreen() const {
    return inViewWindow(x, y);
}

void Enemy::touchHero(int left, int right, int below, int above) const {
    const Hero& h = g_hero;
    if (x + right > h.x && x - left < h.x && y - below < h.y && y + above > h.y && h.dying != 1 &&
        h.invulnTimer > 100)
        g_hero.hit();
}

void Enemy::drawSprite(const TexRect& cell, int facing) const {
    drawWorldQuad(x - 10, y, x + 10, y + 20, cell, facing);
}

int Enemy::advanceBurst(unsigned score, int step, int limit) {
    if (deathTimer >= limit) return 0;
    if (deathTimer == 0) g_score += score;
    deathTimer += step;
    return deathTimer;
}

void Enemy::step(int speed) {
    x += speed * dx;
    col = x / kTileSize;
    row = y / kTileSize;
}

void Enemy::flareBurst(unsigned score, int stepSize, int limit, const Colour& colour,
                       Flares flares) {
    int d = advanceBurst(score, stepSize, limit);
    if (!d) return;
    beginBurst(colour);
    if (flares == Flares::kPair) {
        drawFlarePair(x - d, y - d, x + d, y + d + 10);
    } else {
        drawFlareBurst(x - d, y - d, x + d, y + d + 10);
    }
    endBurst();
}

void Enemy::beginBurst(const Colour& colour) {
    bindTexture(kTexFlares);
    blendAdditive();
    setColor(colour.r, colour.g, colour.b, colour.a);
}

void Enemy::endBurst() {
    blendNormal();
    setColor(1, 1, 1, 1);
}

void Enemy::process() {
    bindTexture(kTexHero);
    if (dying) {
        walkerBurst();
        return;
    }
    walk();
    if (!onScreen()) return;
    drawWalker();
    touchHero(12, 12, 1, 20);
}

// Turns where the ground ends, on a ladder whose cell is taken, and at walls.
void Enemy::walkerProbes(int highestBlock) {
    int ground = groundUnder(x, y);
    if (noFooting(ground)) {
        turn();
    } else if (ground > 63) {
        int here = g_level.at(row, col);
        if (here >= 0 && here <= 79) turn();
    }
    if (isWall(tileAhead(8), highestBlock)) turn();
}

// One unit a frame.
void Enemy::walk() {
    step();
    walkerProbes();
}

void Enemy::drawWalker() {
    WalkerLook look = walkerLook(code);
    texU = look.u;
    texV = look.v;
    TexRect a = {texU, texV, texU + kCellSize, texV + kCellHeight};
    TexRect b = {texU + kCellSize, texV, texU + 2 * kCellSize, texV + kCellHeight};
    drawSprite(walkFrame(a, b, x, dir), dir);
}

void Enemy::walkerBurst() {
    flareBurst(kWalkerScore, kWalkerBurstStep, kWalkerBurstLimit, walkerLook(code).burst);
}

void reviveEnemies() {
    for (ListNode* n = g_enemies.first; n; n = n->next) {
        Enemy* e = static_cast<Enemy*>(n->entity);
        e->dying = 0;
        e->deathTimer = 0;
    }
}
