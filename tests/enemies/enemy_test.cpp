// The basic walker and the mechanics every enemy shares.
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
    Enemy* spawn(int code, int x, int y) {
        Enemy* e = new Enemy;
        g_enemies.append(e);
        e->x = x;
        e->y = y;
        e->code = code;
        return e;
    }
    static void frames(int n) {
        for (int i = 0; i < n; ++i) g_enemies.processAll();
    }
};

TEST_F(WalkerTest, StepsOneUnitOverTheEdgeAndTurnsBack) {
    fillRow(4, 5, 9, 1);  // ground from x 100 to 200
    Enemy* e = spawn(-5, 110, 100);
    EXPECT_EQ(e->dx, -1);
    EXPECT_EQ(e->dir, 1);
    int minX = e->x;
    for (int i = 0; i < 30; ++i) {
        g_enemies.processAll();
        minX = std::min(minX, e->x);
    }
    EXPECT_EQ(minX, 99);  // its centre one unit over the gap
    EXPECT_EQ(e->dx, 1);
    EXPECT_EQ(e->dir, -1);  // dir always opposite to dx
    frames(200);
    EXPECT_GE(e->x, 99);
    EXPECT_LE(e->x, 200);
}

TEST_F(WalkerTest, TurnsAtWallsAndTremblesWithoutGround) {
    fillRow(4, 0, 20, 1);
    g_level.grid[5][3] = 1;  // a wall at x 60 to 80
    Enemy* e = spawn(-5, 100, 100);
    frames(40);
    EXPECT_GE(e->x, 88);  // x - 8 never enters the wall's cell
    Enemy* lost = spawn(-5, 700, 300);  // nothing under it at all
    g_enemies.processAll();
    int x1 = lost->x;
    g_enemies.processAll();
    int x2 = lost->x;
    g_enemies.processAll();
    EXPECT_NE(x1, x2);
    EXPECT_EQ(lost->x, x1);
}

TEST_F(WalkerTest, OnALadderWithSomethingInItsOwnCellItTurnsEveryFrame) {
    g_level.grid[4][5] = 64;  // ladder under it
    g_level.grid[5][5] = 70;  // and a ladder in its own cell
    Enemy* e = spawn(-5, 110, 100);
    g_enemies.processAll();
    EXPECT_EQ(e->dx, 1);
    g_enemies.processAll();
    EXPECT_EQ(e->dx, -1);
}

TEST_F(WalkerTest, WalkFramesAndFacingFollowXAndItsCode) {
    fillRow(4, 0, 20, 1);
    Enemy* e = spawn(-8, 108, 100);  // will be at 107 after a step left
    DrawCapture capture;
    g_enemies.processAll();  // x 107, dir +1: |107 mod 16| = 11 -> frame B
    ASSERT_EQ(capture.calls.size(), 1u);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.s0, 0.6f);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.t0, 0.0f);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.t1, 0.199f);
    EXPECT_FLOAT_EQ(capture.calls[0].x0, 107 - 10 + 150 - 150);
    e->x = 105;
    e->dir = -1;
    e->dx = 1;  // x 106 next: |106 mod 16| = 10 > 8 -> frame A, mirrored
    g_enemies.processAll();
    EXPECT_FLOAT_EQ(capture.calls[1].tex.s1, 0.4f);
    EXPECT_FLOAT_EQ(capture.calls[1].tex.s0, 0.6f);
    e->x = 103;  // 104: m = 8 -> frame B either way
    g_enemies.processAll();
    EXPECT_FLOAT_EQ(capture.calls[2].tex.s1, 0.6f);
}

TEST_F(WalkerTest, TouchBoxIsOpenAndProtectionLastsThrough100) {
    fillRow(4, 0, 20, 1);
    Enemy* e = spawn(-5, 100, 100);
    auto touchedAt = [&](int hx, int hy, int invuln) {
        g_hero = Hero();
        g_hero.x = hx;
        g_hero.y = hy;
        g_hero.invulnTimer = invuln;
        e->x = 101;  // steps back to 100 this frame
        e->dx = -1;
        g_enemies.processAll();
        return g_hero.dying == 1;
    };
    EXPECT_TRUE(touchedAt(100, 100, 101));
    EXPECT_EQ(g_lastEffect, kEffectWaa);
    EXPECT_FLOAT_EQ(g_hero.vy, 5.0f);
    EXPECT_FALSE(touchedAt(100, 100, 100));
    EXPECT_TRUE(touchedAt(111, 100, 101));
    EXPECT_FALSE(touchedAt(112, 100, 101));
    EXPECT_FALSE(touchedAt(88, 100, 101));
    EXPECT_FALSE(touchedAt(100, 99, 101));
    EXPECT_FALSE(touchedAt(100, 120, 101));
    EXPECT_TRUE(touchedAt(100, 119, 101));
    g_scrollX = 1000;  // off screen: no touch
    EXPECT_FALSE(touchedAt(100, 100, 101));
}

TEST_F(WalkerTest, BurstPaysTenOnceLastsTwelveFramesAndRevivalPaysAgain) {
    fillRow(4, 0, 20, 1);
    Enemy* e = spawn(-3, 100, 100);
    e->dying = 1;
    DrawCapture capture;
    frames(20);
    EXPECT_EQ(g_score, 10u);
    EXPECT_EQ(e->deathTimer, 24);
    ASSERT_EQ(capture.calls.size(), 12u * 3);
    EXPECT_FLOAT_EQ(capture.calls[0].color[0], 0.8f);  // code -3 bursts red
    EXPECT_EQ(capture.calls[0].additive, 1);
    EXPECT_FLOAT_EQ(capture.calls.back().x0, 100 - 24);
    EXPECT_FLOAT_EQ(capture.calls.back().y1, 100 + 24 + 10);
    g_hero.x = 100;  // a dying walker touches nothing
    g_hero.y = 100;
    reviveEnemies();
    EXPECT_EQ(e->dying, 0);
    EXPECT_EQ(e->deathTimer, 0);
    e->dying = 1;
    frames(1);
    EXPECT_EQ(g_score, 20u);
}

TEST_F(WalkerTest, ReadsBeyondTheGridAreSafe) {
    Enemy* e = spawn(-5, -40, 100);
    frames(10);
    Enemy* far = spawn(-5, 2030, 1990);
    frames(10);
    EXPECT_NE(e->x, 0);
    EXPECT_NE(far->x, 0);
}

}  // namespace
