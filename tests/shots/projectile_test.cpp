// Shots: flight, walls, the flight window, hits by spawn code and bursts.
#include "shots/projectile.h"

#include <gtest/gtest.h>

#include <limits>

#include "enemies/enemy.h"
#include "support/world_test.h"

namespace {

struct ShotTest : WorldTest {
    // An enemy that stands still and does nothing: shots only read its fields.
    struct Target : Enemy {
        void process() override {}
    };
    static Enemy* target(int code, int x, int y) { return spawnEnemy<Target>(code, x, y); }
    static void frames(int n) {
        for (int i = 0; i < n; ++i) g_projectiles.processAll();
    }
};

TEST_F(ShotTest, HeroShotIntoAWallSparksBurstsForNineFramesAndRemovesItself) {
    g_level.grid[5][8] = 1;  // x 160 to 180
    Projectile* p = fireProjectile(Projectile::kHeroShot, 150, 100, 1);
    int frame = 0;
    while (p->state == Projectile::kHeroShot && frame < 20) ++frame, frames(1);
    EXPECT_EQ(p->state, Projectile::kHeroBurst);
    EXPECT_FLOAT_EQ(p->x, 160);
    EXPECT_EQ(g_lastEffect, kEffectSpark);
    DrawCapture capture;
    frames(9);
    EXPECT_EQ(capture.calls.size(), 9u * 2);
    EXPECT_FLOAT_EQ(capture.calls.back().x1 - capture.calls.back().x0, 36);  // half size 18
    frames(2);  // the tenth frame marks it; the next walk removes it
    EXPECT_EQ(g_projectiles.first, nullptr);
}

// Also past the world's edges, where no tile may be read, and at positions
// that are not numbers.
TEST_F(ShotTest, LeavingTheFlightWindowEndsAShotSilently) {
    for (int row : {9, 10}) fillRow(row, 0, 99, 1);  // where a stray read of column -1 lands
    Projectile* aimed = fireProjectile(Projectile::kAimedShot, 340, 100, 1);
    Projectile* thrown = fireProjectile(Projectile::kThrownShot, -49, 100, -1);
    Projectile* left = fireProjectile(Projectile::kHeroShot, -30, 200, -1);
    left->vx = -2;
    Projectile* wild =
        fireProjectile(Projectile::kAimedShot, std::numeric_limits<float>::quiet_NaN(), 0, 1);
    Projectile* huge = fireProjectile(Projectile::kAimedShot, 3e38f, 3e38f, 1);
    frames(1);
    EXPECT_EQ(thrown->state, Projectile::kThrownEnded);
    EXPECT_EQ(wild->state, Projectile::kAimedBurst);
    EXPECT_EQ(huge->state, Projectile::kAimedBurst);
    EXPECT_EQ(left->state, Projectile::kHeroShot);  // x -32: no tile is read out there
    frames(4);
    EXPECT_EQ(aimed->state, Projectile::kAimedShot);  // x 350 = scrollX + 200 is still inside
    frames(1);
    EXPECT_EQ(aimed->state, Projectile::kAimedBurst);
    frames(9);
    EXPECT_EQ(left->state, Projectile::kHeroBurst);
    EXPECT_EQ(g_effectCount, 0u);
    frames(20);
    EXPECT_EQ(g_projectiles.first, nullptr);
}

// Two enemies in one place: a shot kills every one it overlaps.
TEST_F(ShotTest, HitBoxesFollowTheEnemysCode) {
    struct Case {
        int code;
        float dx, dy;
        bool killed;
    } cases[] = {
        {-5, 4.9f, 9.9f, true},   {-5, 5, 0, false},        {-5, 0, 10, false},
        {-16, -19.9f, 29, true},  {-17, 9.9f, -9.9f, true}, {-16, 10, 0, false},
        {-19, -19, 9, true},      {-19, -19, 10, false},    {-11, 0, 0, false},
        {-30, 7.9f, 19.9f, true}, {-30, 8, 0, false},       {-34, -7.9f, -9.9f, true},
        {-23, 0, 0, false},       {-26, 0, 0, false},       {-24, 27, 19, false},
    };
    for (const Case& c : cases) {
        for (int kind : {Projectile::kHeroShot, Projectile::kAimedShot}) {
            resetWorld();
            Enemy* a = target(c.code, 200, 100);
            Enemy* b = target(c.code, 200, 100);
            Projectile* p = fireProjectile(kind, 200 + c.dx, 100 + c.dy, 1);
            p->vx = 0;
            frames(1);
            EXPECT_EQ(a->dying + b->dying, c.killed ? 2 : 0)
                << c.code << " at " << c.dx << "," << c.dy;
            // A turret ends the shot silently, unharmed.
            bool ends = c.killed || c.code == -24;
            int burst =
                kind == Projectile::kHeroShot ? Projectile::kHeroBurst : Projectile::kAimedBurst;
            EXPECT_EQ(p->state, ends ? burst : kind) << c.code;
            EXPECT_EQ(g_effectCount, c.killed ? 2u : 0u) << c.code;
            EXPECT_TRUE(!c.killed || g_lastEffect == kEffectPop);
        }
    }
}

TEST_F(ShotTest, EnemyShotsPassOverADuckingOrProtectedHeroAndThroughEnemies) {
    g_hero.x = 200, g_hero.y = 100;
    target(-5, 200, 100);
    Projectile* p = fireProjectile(Projectile::kEnemyShot, 202, 105, -1);  // fired at y + 5
    g_hero.ducking = 1;
    frames(1);
    g_hero.ducking = 0, g_hero.invulnTimer = 100;
    frames(1);
    EXPECT_EQ(p->state, Projectile::kEnemyShot);
    EXPECT_EQ(g_hero.dying, 0);
    EXPECT_EQ(static_cast<Enemy*>(g_enemies.first->entity)->dying, 0);
    g_hero.invulnTimer = 101;
    frames(1);
    EXPECT_EQ(p->state, Projectile::kEnemyBurst);
    EXPECT_EQ(g_hero.dying, 1);
    EXPECT_EQ(g_lastEffect, kEffectWaa);
}

}  // namespace
