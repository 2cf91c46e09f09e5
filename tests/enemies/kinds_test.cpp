// Each enemy kind's own rules: clocks, shots, probes, boxes, cells and bursts.
#include <gtest/gtest.h>

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
#include "support/world.h"

namespace {

struct KindTest : ::testing::Test {
    void SetUp() override {
        resetWorld();
        fillRow(4, 0, 99, 1);
    }
    void TearDown() override {
        resetWorld();
        g_level.load();
    }
    static Projectile* shot(int i) {
        ListNode* n = g_projectiles.first;
        while (n && i--) n = n->next;
        return n ? static_cast<Projectile*>(n->entity) : nullptr;
    }
    static void heroAt(int x, int y) {
        g_hero = Hero();
        g_hero.invulnTimer = kProtectionFrames;
        g_hero.x = x, g_hero.y = y;
    }
    // Fires a still hero shot at (x, y) and lets it hit.
    static void shootAt(float x, float y) {
        fireProjectile(Projectile::kHeroShot, x, y, 1)->vx = 0;
        g_projectiles.processAll();
    }
};

TEST_F(KindTest, TurretsFireEvery80FramesFromBesideTheirCellAndNeverDie) {
    spawnEnemy<Turret>(-25, 1500, 1500)->dir = 1;  // far off screen: fires all the same
    spawnEnemy<Turret>(-24, 100, 40)->dir = -1;
    DrawCapture capture;
    enemyFrames(79);
    EXPECT_EQ(countOf(g_projectiles), 0);
    enemyFrames(1);
    ASSERT_EQ(countOf(g_projectiles), 2);
    EXPECT_FLOAT_EQ(shot(0)->x, 1524);
    EXPECT_FLOAT_EQ(shot(0)->y, 1505);
    EXPECT_FLOAT_EQ(shot(1)->x, 96);
    EXPECT_EQ(shot(1)->dir, -1);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.s0, 0.8f);  // its own cell, not mirrored
    EXPECT_LT(capture.calls[0].tex.s0, capture.calls[0].tex.s1);
    EXPECT_EQ(capture.calls[1].additive, 1);  // the glow
    heroAt(110, 40);
    shootAt(110, 45);
    enemyFrames(1);
    EXPECT_EQ(g_hero.dying, 0);
    EXPECT_EQ(g_score, 0u);
}

TEST_F(KindTest, GunnerFiresFromItsFeetAndTheFootOfALadderTurnsIt) {
    Gunner* g = spawnEnemy<Gunner>(-15, 1000, 100);
    enemyFrames(80);
    ASSERT_EQ(countOf(g_projectiles), 1);
    EXPECT_EQ(shot(0)->dir, -1);                 // dir +1 walks and fires left
    EXPECT_FLOAT_EQ(shot(0)->x, g->x + 1 - 13);  // fired before the frame's step
    EXPECT_FLOAT_EQ(shot(0)->y, 100);
    g_level.grid[5][3] = 64;
    Gunner* boxed = spawnEnemy<Gunner>(-14, 100, 100);
    enemyFrames(40);
    EXPECT_GE(boxed->x, 88);
    boxed->dying = 1;
    DrawCapture capture;
    enemyFrames(40);
    EXPECT_EQ(g_score, 40u);
    EXPECT_EQ(capture.calls.size(), 9u * 3 + 34);  // flares for 9 frames, the ring for all 34
}

TEST_F(KindTest, ClubberStrikesOnThe45thFrameOfItsSwing) {
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

TEST_F(KindTest, ThrowerThrowsOnceEvery80FramesFromAboveItsFeet) {
    Tribesman* t = spawnEnemy<Tribesman>(-30, 200, 100);
    heroAt(80, 100);
    enemyFrames(59);
    EXPECT_EQ(countOf(g_projectiles), 0);
    enemyFrames(1);
    ASSERT_EQ(countOf(g_projectiles), 1);
    EXPECT_EQ(shot(0)->state, Projectile::kThrownShot);
    EXPECT_FLOAT_EQ(shot(0)->x, t->x - 13);
    EXPECT_FLOAT_EQ(shot(0)->y, 105);
    enemyFrames(80);
    EXPECT_EQ(countOf(g_projectiles), 2);
    t->dying = 1;
    enemyFrames(20);
    EXPECT_EQ(g_score, 30u);
}

TEST_F(KindTest, TigerRunsOnEvenPositionsAndIsHitOnlyLow) {
    Tiger* t = spawnEnemy<Tiger>(-19, 200, 100);
    for (int i = 0; i < 50; ++i) {
        enemyFrames(1);
        ASSERT_EQ(t->x % 2, 0);
    }
    shootAt(t->x - 5, 110);
    EXPECT_EQ(t->dying, 0);
    shootAt(t->x - 15, 109);
    EXPECT_EQ(t->dying, 1);
}

TEST_F(KindTest, SnakeFeelsTheGroundBehindItsCentreAndStrikesTall) {
    clearGrid();
    fillRow(4, 5, 9, 1);  // ground x 100 to 200
    Snake* s = spawnEnemy<Snake>(-32, 150, 100);
    int minX = 1000, maxX = 0;
    for (int i = 0; i < 300; ++i, minX = std::min(minX, s->x), maxX = std::max(maxX, s->x))
        enemyFrames(1);
    EXPECT_EQ(minX, 106);  // x - 7 over the gap: it turns with its centre on the ground
    EXPECT_EQ(maxX, 207);
    s->x = 151, s->dx = -1;
    heroAt(169, 129);
    enemyFrames(1);
    EXPECT_EQ(g_hero.dying, 1);
}

TEST_F(KindTest, HopperHopsATileAndLandsEightyUnitsOn) {
    Hopper* h = spawnEnemy<Hopper>(-22, 400, 100);
    h->baseY = 100;
    int peak = 0;
    for (int i = 0; i < 40; ++i, peak = std::max(peak, h->y)) enemyFrames(1);
    EXPECT_EQ(peak, 120);
    EXPECT_EQ(h->y, 100);
    EXPECT_EQ(h->x, 320);
    enemyFrames(80);
    EXPECT_EQ(h->x, 320);                            // rests
    Hopper* above = spawnEnemy<Hopper>(-22, 200, 116);  // 16 above the hero's feet
    above->baseY = 100;
    above->hopClock = 50;
    heroAt(200, 100);
    g_hero.ducking = 1;
    enemyFrames(1);
    EXPECT_EQ(g_hero.dying, 0);  // crouched, only y + 8 counts
    g_hero.ducking = 0;
    enemyFrames(1);
    EXPECT_EQ(g_hero.dying, 1);
}

TEST_F(KindTest, CreeperSpurtsNineteenUnitsInItsFirst110Frames) {
    Creeper* c = spawnEnemy<Creeper>(-18, 500, 100);
    enemyFrames(110);
    EXPECT_EQ(c->x, 481);
}

TEST_F(KindTest, SwimmersCrossAirTurnAtLadderFeetAndNeverDie) {
    clearGrid();
    g_level.grid[5][2] = 64;
    Swimmer* fish = spawnEnemy<Swimmer>(-10, 110, 100);
    DrawCapture capture;
    enemyFrames(60);
    EXPECT_GE(fish->x, 68);
    EXPECT_FLOAT_EQ(capture.calls[0].color[0], 0.7f);  // tinted even in the air
    shootAt(fish->x, 100);
    EXPECT_EQ(fish->dying, 1);
    int x = fish->x;
    enemyFrames(5);
    EXPECT_NE(fish->x, x);
}

TEST_F(KindTest, LeaperLeapsFromItsPoolAndSinksSafelyWithoutAFloor) {
    clearGrid();
    fillRow(0, 0, 20, 1);
    for (int row = 1; row <= 3; ++row) fillRow(row, 0, 20, 129);  // water up to y 80
    Swimmer* l = spawnEnemy<Swimmer>(-11, 110, 60);
    int lowest = 1000, highest = 0;
    for (int i = 0; i < 400;
         ++i, lowest = std::min(lowest, l->y), highest = std::max(highest, l->y))
        enemyFrames(1);
    EXPECT_EQ(lowest, 31);
    EXPECT_GT(highest, 100);  // out above the surface
    clearGrid();
    for (int i = 0; i < 1400000; ++i) g_enemies.processAll();
    EXPECT_GE(l->y, -1000000);  // clamped far below the world
}

TEST_F(KindTest, GiantProbesAsymmetricallyAndBurstsByCode) {
    g_level.grid[5][3] = 1;  // a wall face at x 80
    Giant* g = spawnEnemy<Giant>(-17, 130, 100);
    enemyFrames(40);
    EXPECT_GE(g->x, 104);  // x - 25 stays out of the wall
    Giant* ring = spawnEnemy<Giant>(-16, 500, 100);
    g->dying = ring->dying = 1;
    DrawCapture capture;
    enemyFrames(40);
    EXPECT_EQ(g_score, 100u);
    EXPECT_EQ(capture.calls.size(), 2u * 11 * 2 + 34);
}

TEST_F(KindTest, FlyCrossesGapsAndKeepsItsDeathShiftAfterRevival) {
    clearGrid();
    Flyer* f = spawnEnemy<Flyer>(-33, 100, 150);
    enemyFrames(200);
    EXPECT_GE(f->x, 20);
    EXPECT_EQ(f->y, 150);
    f->dying = 1;
    enemyFrames(1);
    EXPECT_EQ(f->y, 155);
    reviveEnemies();
    EXPECT_EQ(f->y, 155);
}

TEST_F(KindTest, StriderTurnsOnlyPastTheWorldsSide) {
    Strider* s = spawnEnemy<Strider>(-21, 1, 100);
    enemyFrames(1);
    EXPECT_EQ(s->dx, -1);  // x 0 does not turn it
    enemyFrames(1);
    EXPECT_EQ(s->dx, 1);  // -1 does
}

TEST_F(KindTest, BystanderIgnoresGapsShotsAndTheHero) {
    clearGrid();
    Bystander* b = spawnEnemy<Bystander>(-23, 200, 100);
    heroAt(190, 100);
    for (int i = 0; i < 100; ++i) {
        if (i % 10 == 0) shootAt(b->x, 100);
        enemyFrames(1);
    }
    EXPECT_EQ(b->y, 100);
    EXPECT_EQ(b->x, 100);
    EXPECT_EQ(b->dying + g_hero.dying, 0);
}

TEST_F(KindTest, StaticSnakeAnimatesOnlyWhileSeen) {
    StaticSnake* seen = spawnEnemy<StaticSnake>(-27, 100, 100);
    StaticSnake* unseen = spawnEnemy<StaticSnake>(-26, 900, 100);
    enemyFrames(51);
    EXPECT_EQ(seen->animClock, -180);
    EXPECT_EQ(unseen->animClock, 0);
}

}  // namespace
