// The basic walker and the mechanics every enemy kind shares.
#include "enemies/enemy.h"

#include <gtest/gtest.h>

#include "support/world.h"

namespace {

struct WalkerTest : ::testing::Test {
    void SetUp() override { resetWorld(); }
    void TearDown() override {
        resetWorld();
        g_level.load();
    }
};

TEST_F(WalkerTest, TurnsOneUnitPastTheEdgeAtWallsAndOnLadderClutter) {
    fillRow(4, 5, 9, 1);  // ground from x 100 to 200
    Enemy* e = spawnEnemy<Enemy>(-5, 110, 100);
    int minX = e->x;
    for (int i = 0; i < 30; ++i, minX = std::min(minX, e->x)) enemyFrames(1);
    EXPECT_EQ(minX, 99);  // its centre one unit over the gap
    EXPECT_EQ(e->dir, -e->dx);
    g_level.grid[5][7] = 1;  // a wall face at x 140
    enemyFrames(60);
    EXPECT_LE(e->x, 132);
    clearGrid();
    g_level.grid[4][20] = 64;  // a ladder under it and a ladder in its own cell
    g_level.grid[5][20] = 70;
    Enemy* stuck = spawnEnemy<Enemy>(-5, 411, 100);
    enemyFrames(1);
    int dx = stuck->dx;
    enemyFrames(1);
    EXPECT_EQ(stuck->dx, -dx);  // turns every frame
}

TEST_F(WalkerTest, FramesFollowXFacingAndCode) {
    fillRow(4, 0, 20, 1);
    Enemy* e = spawnEnemy<Enemy>(-8, 108, 100);
    DrawCapture capture;
    enemyFrames(1);  // x 107, dir +1: |107 mod 16| = 11: frame B as stored
    e->x = 105, e->dir = -1, e->dx = 1;
    enemyFrames(1);  // x 106, dir -1: 10 > 8: frame A mirrored
    e->x = 103;
    enemyFrames(1);  // x 104: m = 8 shows B either way
    ASSERT_EQ(capture.calls.size(), 3u);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.s0, 0.6f);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.t1, 0.199f);
    EXPECT_FLOAT_EQ(capture.calls[0].x0, 97);
    EXPECT_FLOAT_EQ(capture.calls[1].tex.s1, 0.4f);
    EXPECT_FLOAT_EQ(capture.calls[2].tex.s1, 0.6f);
}

TEST_F(WalkerTest, TouchBoxIsOpenAndProtectionLastsThrough100) {
    fillRow(4, 0, 20, 1);
    Enemy* e = spawnEnemy<Enemy>(-5, 100, 100);
    auto touchedAt = [&](int hx, int hy, int invuln) {
        g_hero = Hero();
        g_hero.x = hx, g_hero.y = hy, g_hero.invulnTimer = invuln;
        e->x = 101, e->dx = -1;
        enemyFrames(1);
        return g_hero.dying == 1;
    };
    EXPECT_TRUE(touchedAt(111, 119, 101));
    EXPECT_EQ(g_lastEffect, kEffectWaa);
    EXPECT_FLOAT_EQ(g_hero.vy, 5.0f);
    EXPECT_FALSE(touchedAt(100, 100, 100));
    EXPECT_FALSE(touchedAt(112, 100, 101));
    EXPECT_FALSE(touchedAt(88, 100, 101));
    EXPECT_FALSE(touchedAt(100, 99, 101));
    EXPECT_FALSE(touchedAt(100, 120, 101));
    g_scrollX = 1000;  // off screen: no touch
    EXPECT_FALSE(touchedAt(100, 100, 101));
}

TEST_F(WalkerTest, BurstPaysOnceAndARevivedWalkerPaysAgain) {
    Enemy* e = spawnEnemy<Enemy>(-3, 100, 100);
    e->dying = 1;
    DrawCapture capture;
    enemyFrames(20);
    EXPECT_EQ(g_score, 10u);
    ASSERT_EQ(capture.calls.size(), 12u * 3);
    EXPECT_FLOAT_EQ(capture.calls[0].color[0], 0.8f);  // -3 bursts red, additively
    EXPECT_EQ(capture.calls[0].additive, 1);
    EXPECT_FLOAT_EQ(capture.calls.back().y1, 100 + 24 + 10);
    reviveEnemies();
    EXPECT_EQ(e->dying + e->deathTimer, 0);
    e->dying = 1;
    enemyFrames(1);
    EXPECT_EQ(g_score, 20u);
}

TEST_F(WalkerTest, ProbesBeyondTheGridAreSafe) {
    Enemy* left = spawnEnemy<Enemy>(-5, -40, 100);
    Enemy* far = spawnEnemy<Enemy>(-5, 2030, 1990);
    enemyFrames(11);
    EXPECT_EQ(left->x, -41);  // nothing to stand on out there: it turns every frame
    EXPECT_EQ(far->x, 2029);
}

}  // namespace
