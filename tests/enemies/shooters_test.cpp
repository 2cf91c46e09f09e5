// Turrets and gunners: firing clocks, shot starts, probes and bursts.
#include <gtest/gtest.h>

#include "enemies/gunner.h"
#include "enemies/turret.h"
#include "shots/projectile.h"
#include "support/world.h"

namespace {

struct ShooterTest : ::testing::Test {
    void SetUp() override { resetWorld(); }
    void TearDown() override {
        resetWorld();
        g_level.load();
    }
    template <typename Kind>
    Kind* spawn(int code, int x, int y) {
        Kind* e = new Kind;
        g_enemies.append(e);
        e->x = x;
        e->y = y;
        e->code = code;
        return e;
    }
    static Projectile* lastShot() {
        return g_projectiles.last ? static_cast<Projectile*>(g_projectiles.last->entity) : nullptr;
    }
    static void frames(int n) {
        for (int i = 0; i < n; ++i) g_enemies.processAll();
    }
};

TEST_F(ShooterTest, TurretFiresEvery80FramesFromBesideItsCellEvenFarOffScreen) {
    Turret* right = spawn<Turret>(-25, 1500, 1500);
    right->dir = 1;
    Turret* left = spawn<Turret>(-24, 1000, 400);
    left->dir = -1;
    frames(79);
    EXPECT_EQ(countOf(g_projectiles), 0);
    frames(1);
    ASSERT_EQ(countOf(g_projectiles), 2);
    Projectile* a = static_cast<Projectile*>(g_projectiles.first->entity);
    Projectile* b = lastShot();
    EXPECT_EQ(a->state, Projectile::kEnemyShot);
    EXPECT_FLOAT_EQ(a->x, 1524);
    EXPECT_FLOAT_EQ(a->y, 1505);
    EXPECT_EQ(a->dir, 1);
    EXPECT_FLOAT_EQ(b->x, 996);
    EXPECT_EQ(b->dir, -1);
    frames(80);
    EXPECT_EQ(countOf(g_projectiles), 4);
    EXPECT_EQ(right->dying, 0);
}

TEST_F(ShooterTest, TurretDrawsItsOwnCellPerFacingAndGlows) {
    Turret* t = spawn<Turret>(-24, 100, 40);
    t->dir = -1;
    DrawCapture capture;
    frames(1);
    ASSERT_EQ(capture.calls.size(), 2u);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.s0, 0.8f);
    EXPECT_LT(capture.calls[0].tex.s0, capture.calls[0].tex.s1);  // not mirrored
    EXPECT_EQ(capture.calls[1].additive, 1);
    EXPECT_FLOAT_EQ(capture.calls[1].x0, 95);
}

TEST_F(ShooterTest, TurretIsHarmlessToTouchAndIsAWallToTheHero) {
    g_level.grid[5][5] = kTurretBlock;
    spawn<Turret>(-24, 100, 100);
    g_hero.x = 110;
    g_hero.y = 100;
    frames(10);
    EXPECT_EQ(g_hero.dying, 0);
    fillRow(4, 0, 20, 1);
    g_hero.x = 89;
    g_hero.pressRight();
    for (int i = 0; i < 10; ++i) g_hero.process();
    EXPECT_EQ(g_hero.x, 90);  // x + 10 reached the turret's cell
}

TEST_F(ShooterTest, GunnerFiresFromItsFeetTheWayItWalks) {
    fillRow(4, 0, 99, 1);
    Gunner* g = spawn<Gunner>(-15, 1000, 100);
    frames(80);
    Projectile* p = lastShot();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(countOf(g_projectiles), 1);
    EXPECT_EQ(p->dir, -1);             // dir +1 walks left and fires left
    EXPECT_FLOAT_EQ(p->x, g->x + 1 - 13);  // fired before the frame's step left
    EXPECT_FLOAT_EQ(p->y, 100);
    EXPECT_EQ(g->shotTimer, 0);
}

TEST_F(ShooterTest, GunnerTurnsAtTheFootOfALadderAndAtTheWorldsEdge) {
    fillRow(4, 0, 99, 1);
    g_level.grid[5][3] = 64;  // a ladder at x 60 to 80
    Gunner* g = spawn<Gunner>(-15, 100, 100);
    frames(40);
    EXPECT_GE(g->x, 88);
    clearGrid();
    fillRow(0, 0, 99, 1);
    Gunner* edge = spawn<Gunner>(-14, 1, 20);
    frames(1);
    EXPECT_EQ(edge->x, 0);
    frames(1);
    EXPECT_EQ(edge->x, -1);
    EXPECT_EQ(edge->dx, 1);  // x below 0 turns it
}

TEST_F(ShooterTest, GunnerFramesIgnoreTheFacing) {
    fillRow(4, 0, 99, 1);
    Gunner* g = spawn<Gunner>(-15, 109, 100);
    DrawCapture capture;
    frames(1);  // x 108: |108 mod 16| = 12 -> B
    g->dir = -1;
    g->dx = 1;
    g->x = 111;  // x 112: 0 -> A, mirrored
    frames(1);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.s0, 0.8f);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.t0, 0.2f);
    EXPECT_FLOAT_EQ(capture.calls[1].tex.s1, 0.6f);
}

TEST_F(ShooterTest, GunnerBurstsLongAndTheRingKindKeepsGrowing) {
    Gunner* plain = spawn<Gunner>(-15, 300, 100);
    Gunner* ring = spawn<Gunner>(-14, 600, 100);
    plain->dying = ring->dying = 1;
    int plainQuads = 0, ringQuads = 0;
    for (int i = 0; i < 40; ++i) {
        DrawCapture capture;
        frames(1);
        for (const DrawCall& c : capture.calls) (c.x0 + c.x1 < 900 ? plainQuads : ringQuads)++;
    }
    EXPECT_EQ(g_score, 80u);
    EXPECT_EQ(plainQuads, 9 * 3);
    EXPECT_EQ(ringQuads, 9 * 3 + 34);
    EXPECT_EQ(ring->deathTimer, 204);
}

}  // namespace
