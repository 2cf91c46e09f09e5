// Every enemy kind: its patrol, its touch, its shots and its death burst.
#include "enemies/enemy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "enemies/bystander.h"
#include "enemies/creeper.h"
#include "enemies/flyer.h"
#include "enemies/giant.h"
#include "enemies/gunner.h"
#include "enemies/hopper.h"
#include "enemies/snake.h"
#include "enemies/static_snake.h"
#include "enemies/strider.h"
#include "enemies/swimmer.h"
#include "enemies/tiger.h"
#include "enemies/tribesman.h"
#include "enemies/turret.h"
#include "shots/projectile.h"
#include "support/world_test.h"

namespace {

using Maker = Enemy* (*)(int code, int x, int y);
template <typename Kind>
Enemy* make(int code, int x, int y) {
    return spawnEnemy<Kind>(code, x, y);
}

// Tiles `code` on `row` from column `from` to `to`.
struct Fill {
    int row, from, to, code;
};
const Fill kFloor = {4, 0, 99, 1};  // ground under y 100 everywhere

struct EnemyTest : WorldTest {
    static void heroAt(int x, int y) {
        g_hero = Hero();
        g_hero.invulnTimer = kProtectionFrames;
        g_hero.x = x, g_hero.y = y;
    }
};

TEST_F(EnemyTest, EachKindPatrolsItsOwnRange) {
    const std::vector<Fill> kPool = {
        {0, 0, 20, 1}, {1, 0, 20, 129}, {2, 0, 20, 129}, {3, 0, 20, 129}};
    const struct {
        Maker make;
        int code, x, y;
        std::vector<Fill> tiles;
        int frames, minX, maxX, minY, maxY;
    } cases[] = {
        // The walker turns with its centre one unit over a gap, and at a wall face.
        {make<Enemy>, -5, 110, 100, {{4, 5, 9, 1}}, 250, 99, 200, 100, 100},
        {make<Enemy>, -5, 110, 100, {{4, 5, 9, 1}, {5, 7, 7, 1}}, 100, 99, 132, 100, 100},
        // Over a ladder whose own cell is cluttered it turns every frame.
        {make<Enemy>, -5, 411, 100, {{4, 20, 20, 64}, {5, 20, 20, 70}}, 9, 410, 411, 100, 100},
        {make<Enemy>, -5, -40, 100, {}, 11, -41, -40, 100, 100},  // beyond the grid
        {make<Snake>, -32, 150, 100, {{4, 5, 9, 1}}, 300, 106, 207, 100, 100},
        {make<Giant>, -17, 130, 100, {kFloor, {5, 3, 3, 1}}, 60, 104, 138, 100, 100},
        {make<Tiger>, -19, 200, 100, {{4, 5, 14, 1}}, 200, 98, 300, 100, 100},
        {make<Strider>, -21, 1, 100, {kFloor}, 3, -1, 1, 100, 100},
        {make<Gunner>, -14, 100, 100, {kFloor, {5, 3, 3, 64}}, 60, 87, 134, 100, 100},
        {make<Creeper>, -18, 500, 100, {kFloor}, 110, 481, 500, 100, 100},
        {make<Hopper>, -22, 400, 100, {kFloor}, 120, 320, 400, 100, 120},
        {make<Bystander>, -23, 200, 100, {}, 300, 19, 200, 100, 100},
        {make<Flyer>, -33, 100, 150, {}, 200, 19, 138, 150, 150},
        {make<Swimmer>, -10, 110, 100, {{5, 2, 2, 64}}, 60, 67, 110, 100, 100},
        {make<Swimmer>, -11, 110, 60, kPool, 400, 110, 110, 31, 153},  // leaps out of the water
        {make<Turret>, -24, 100, 40, {kFloor}, 100, 100, 100, 40, 40},
        {make<StaticSnake>, -27, 100, 100, {kFloor}, 100, 100, 100, 100, 100},
    };
    for (const auto& c : cases) {
        resetWorld();
        for (const Fill& f : c.tiles) fillRow(f.row, f.from, f.to, f.code);
        Enemy* e = c.make(c.code, c.x, c.y);
        int minX = e->x, maxX = e->x, minY = e->y, maxY = e->y;
        for (int i = 0; i < c.frames; ++i) {
            enemyFrames(1);
            minX = std::min(minX, e->x), maxX = std::max(maxX, e->x);
            minY = std::min(minY, e->y), maxY = std::max(maxY, e->y);
        }
        EXPECT_EQ(std::vector({minX, maxX, minY, maxY}),
                  std::vector({c.minX, c.maxX, c.minY, c.maxY}))
            << "code " << c.code << " from " << c.x;
        EXPECT_TRUE(c.code == -11 || e->dir == -e->dx) << c.code;  // faces the way it walks
    }
}

TEST_F(EnemyTest, ABurstPaysItsScoreOnceAndLastsItsFrames) {
    const struct {
        Maker make;
        int code;
        unsigned score;
        size_t quads;  // flares per frame times the burst's frames, plus any ring
    } cases[] = {
        {make<Enemy>, -3, 10, 12 * 3},       {make<Strider>, -21, 10, 12 * 3},
        {make<Creeper>, -18, 15, 10 * 2},    {make<Flyer>, -33, 20, 10 * 2},
        {make<Snake>, -32, 20, 16 * 3},      {make<Hopper>, -22, 25, 9 * 2},
        {make<Tribesman>, -30, 30, 14 * 3},  {make<Gunner>, -15, 40, 9 * 3},
        {make<Gunner>, -14, 40, 9 * 3 + 34}, {make<Giant>, -17, 50, 11 * 2},
        {make<Giant>, -16, 50, 11 * 2 + 34}, {make<Tiger>, -19, 75, 12 * 3},
    };
    for (const auto& c : cases) {
        resetWorld();
        Enemy* e = c.make(c.code, 100, 100);
        e->dying = 1;
        DrawCapture capture;
        enemyFrames(300);
        EXPECT_EQ(g_score, c.score) << c.code;
        EXPECT_EQ(capture.calls.size(), c.quads) << c.code;
        EXPECT_EQ(capture.calls.at(0).additive, 1) << c.code;
        EXPECT_TRUE(c.code != -3 || capture.calls.back().y1 == 100 + 24 + 10);  // the last flare
        reviveEnemies();  // stands again and pays again when shot anew
        EXPECT_EQ(e->dying + e->deathTimer, 0);
        EXPECT_EQ(e->y, c.code == -33 ? 105 : 100) << "only a fly's death shifts it, for good";
        e->dying = 1;
        enemyFrames(1);
        EXPECT_EQ(g_score, 2 * c.score) << c.code;
    }
}

TEST_F(EnemyTest, PicturesFollowXFacingCodeAndKind) {
    fillRow(4, 0, 20, 1);
    Enemy* e = spawnEnemy<Enemy>(-8, 108, 100);
    spawnEnemy<Turret>(-24, 200, 40)->dir = -1;
    spawnEnemy<Swimmer>(-10, 200, 200);
    Enemy* burst = spawnEnemy<Enemy>(-3, 100, 100);
    burst->dying = 1;
    DrawCapture capture;
    enemyFrames(1);  // x 107, dir +1: |107 mod 16| = 11: frame B as stored
    ASSERT_EQ(capture.calls.size(), 1u + 2 + 1 + 3);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.s0, 0.6f);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.t1, 0.199f);
    EXPECT_FLOAT_EQ(capture.calls[0].x0, 97);
    EXPECT_FLOAT_EQ(capture.calls[1].tex.s0, 0.8f);  // the turret's own cell, not mirrored
    EXPECT_LT(capture.calls[1].tex.s0, capture.calls[1].tex.s1);
    EXPECT_EQ(capture.calls[2].additive, 1);           // its glow
    EXPECT_FLOAT_EQ(capture.calls[3].color[0], 0.7f);  // a swimmer is tinted even in the air
    EXPECT_FLOAT_EQ(capture.calls[4].color[0], 0.8f);  // -3 bursts red
    capture.calls.clear();
    e->x = 105, e->dir = -1, e->dx = 1;
    enemyFrames(1);  // x 106, dir -1: 10 > 8: frame A, mirrored (the rest is the hero's case)
    EXPECT_FLOAT_EQ(capture.calls.at(0).tex.s1, 0.4f);
}

TEST_F(EnemyTest, TouchBoxesAreOpenAndSpareTheProtectedHero) {
    fillRow(4, 0, 20, 1);
    Enemy* e = spawnEnemy<Enemy>(-5, 100, 100);
    auto touchedAt = [&](int hx, int hy, int invuln) {
        heroAt(hx, hy);
        g_hero.invulnTimer = invuln;
        e->x = 101, e->dx = -1;
        enemyFrames(1);
        return g_hero.dying == 1;
    };
    const struct {
        int hx, hy, invuln;
        bool touched;
    } cases[] = {{100, 100, 100, false}, {112, 100, 101, false}, {88, 100, 101, false},
                 {100, 99, 101, false},  {100, 120, 101, false}, {111, 119, 101, true}};
    for (const auto& c : cases)
        EXPECT_EQ(touchedAt(c.hx, c.hy, c.invuln), c.touched) << c.hx << "," << c.hy;
    EXPECT_EQ(g_lastEffect, kEffectWaa);
    EXPECT_FLOAT_EQ(g_hero.vy, 5.0f);
    g_scrollX = 1000;  // off screen: no touch
    EXPECT_FALSE(touchedAt(100, 100, 101));
    resetWorld();
    fillRow(4, 0, 20, 1);
    spawnEnemy<Snake>(-32, 151, 100);  // strikes tall
    heroAt(169, 129);
    enemyFrames(1);
    EXPECT_EQ(g_hero.dying, 1);
    Hopper* resting = spawnEnemy<Hopper>(-22, 200, 116);  // 16 above the hero's feet
    resting->hopClock = 50;
    heroAt(200, 100);
    g_hero.ducking = 1;
    enemyFrames(1);
    EXPECT_EQ(g_hero.dying, 0);  // crouched, only y + 8 counts
    g_hero.ducking = 0;
    enemyFrames(1);
    EXPECT_EQ(g_hero.dying, 1);
}

TEST_F(EnemyTest, ShootersFireOnTheirClockFromTheirOwnMuzzle) {
    const struct {
        Maker make;
        int code, x, y, dir, heroX;
        int first;  // the frame of the first shot; the next comes 80 frames later
        float shotX, shotY;
        int shotDir, state;
    } cases[] = {
        {make<Turret>, -25, 1500, 1500, 1, 0, 80, 1524, 1505, 1, Projectile::kEnemyShot},
        {make<Turret>, -24, 100, 40, -1, 0, 80, 96, 45, -1, Projectile::kEnemyShot},
        // Fired before the frame's step, from the feet; dir +1 walks and fires left.
        {make<Gunner>, -15, 1000, 100, 1, 0, 80, 1000 - 79 - 13, 100, -1, Projectile::kEnemyShot},
        // Only at a hero level with it, ahead and on screen.
        {make<Tribesman>, -30, 200, 100, 1, 80, 60, 186, 105, -1, Projectile::kThrownShot},
    };
    for (const auto& c : cases) {
        resetWorld();
        fillRow(4, 0, 99, 1);
        heroAt(c.heroX, 100);
        c.make(c.code, c.x, c.y)->dir = c.dir;
        enemyFrames(c.first - 1);
        EXPECT_EQ(countOf(g_projectiles), 0) << c.code;
        enemyFrames(1);
        ASSERT_EQ(countOf(g_projectiles), 1) << c.code;
        const Projectile& p = *static_cast<Projectile*>(g_projectiles.first->entity);
        EXPECT_EQ(std::tuple(p.x, p.y, p.dir, p.state),
                  std::tuple(c.shotX, c.shotY, c.shotDir, c.state))
            << c.code;
        g_projectiles.clear();
        enemyFrames(79);
        EXPECT_EQ(countOf(g_projectiles), 0) << c.code;
        enemyFrames(1);
        EXPECT_EQ(countOf(g_projectiles), 1) << c.code;
    }
}

TEST_F(EnemyTest, ClubberStrikesOnThe45thFrameOfItsSwing) {
    fillRow(4, 0, 99, 1);
    Tribesman* t = spawnEnemy<Tribesman>(-29, 200, 100);
    heroAt(176, 100);  // 24 units ahead (dir +1 faces left), level with it
    enemyFrames(44);
    EXPECT_EQ(t->attacking, 1);
    EXPECT_EQ(g_hero.dying, 0);
    enemyFrames(1);
    EXPECT_EQ(g_hero.dying, 1);
    heroAt(165, 100);  // out of reach
    enemyFrames(1);
    EXPECT_EQ(t->attacking, 0);
    EXPECT_EQ(t->dx, -1);
}

// Hit boxes by code are the shots' business; these kinds take a hit, a touch or
// the screen their own way.
TEST_F(EnemyTest, SwimmersSwimOnWhenHitBystandersNeverTouchStaticSnakesMoveOnlyWhenSeen) {
    Swimmer* fish = spawnEnemy<Swimmer>(-10, 250, 100);
    fireProjectile(Projectile::kHeroShot, 250, 100, 1)->vx = 0;
    g_projectiles.processAll();
    int x = fish->x;
    spawnEnemy<Bystander>(-23, 120, 100);
    StaticSnake* seen = spawnEnemy<StaticSnake>(-27, 200, 100);
    StaticSnake* unseen = spawnEnemy<StaticSnake>(-26, 900, 100);
    heroAt(115, 100);
    enemyFrames(51);
    EXPECT_EQ(fish->dying, 1);
    EXPECT_NE(fish->x, x);
    EXPECT_EQ(g_hero.dying, 0);
    EXPECT_EQ(seen->animClock, -180);
    EXPECT_EQ(unseen->animClock, 0);
}

TEST_F(EnemyTest, ALeaperWithoutAFloorSinksNoFurtherThanTheClamp) {
    Enemy* l = spawnEnemy<Swimmer>(-11, 110, 60);
    for (int i = 0; i < 1400000; ++i) g_enemies.processAll();
    EXPECT_GE(l->y, -1000000);
}

}  // namespace
