// Creeper, swimmers, giant, flies, strider, bystander and static snake.
#include <gtest/gtest.h>

#include "enemies/bystander.h"
#include "enemies/creeper.h"
#include "enemies/flyer.h"
#include "enemies/giant.h"
#include "enemies/static_snake.h"
#include "enemies/strider.h"
#include "enemies/swimmer.h"
#include "shots/projectile.h"
#include "support/world.h"

namespace {

struct WanderTest : ::testing::Test {
    void SetUp() override {
        resetWorld();
        fillRow(4, 0, 99, 1);
    }
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
    static void frames(int n) {
        for (int i = 0; i < n; ++i) g_enemies.processAll();
    }
};

TEST_F(WanderTest, CreeperMovesNineteenUnitsInItsFirst110Frames) {
    Creeper* c = spawn<Creeper>(-18, 500, 100);
    frames(110);
    EXPECT_EQ(c->x, 481);
    frames(100);
    EXPECT_EQ(c->x, 471);
}

TEST_F(WanderTest, CreeperCellsFollowItsClockAndSwapDuringTheSpurt) {
    Creeper* c = spawn<Creeper>(-18, 150, 100);
    DrawCapture capture;
    frames(35);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.s0, 0.8f);   // r 1: facing +1, the right cell
    EXPECT_FLOAT_EQ(capture.calls[12].tex.s0, 0.6f);  // r 13
    EXPECT_FLOAT_EQ(capture.calls[22].tex.t0, 0.8f);  // r 23: curled
    EXPECT_FLOAT_EQ(capture.calls[33].tex.s0, 0.8f);  // r 34: resting
    EXPECT_FLOAT_EQ(capture.calls[33].tex.t0, 0.8f);
    c->dying = 1;
    frames(12);
    EXPECT_EQ(g_score, 15u);
}

TEST_F(WanderTest, SwimmerCrossesAirButTurnsAtBlocksLadderFeetAndTheWorldsEnd) {
    clearGrid();
    g_level.grid[5][2] = 64;  // a ladder foot at x 40 to 60
    Swimmer* s = spawn<Swimmer>(-10, 110, 100);
    frames(60);
    EXPECT_GE(s->x, 68);
    g_level.grid[5][2] = 65;  // other ladder tiles let it pass
    s->x = 70;
    s->dx = -1;
    s->dir = 1;
    frames(40);
    EXPECT_LT(s->x, 40);
    Swimmer* edge = spawn<Swimmer>(-9, 1, 500);
    frames(3);
    EXPECT_GE(edge->x, -1);
}

TEST_F(WanderTest, SwimmersAreTintedAndTouchEvenWhenVerticallyOffScreen) {
    clearGrid();
    Swimmer* s = spawn<Swimmer>(-12, 150, 100);
    DrawCapture capture;
    frames(1);
    ASSERT_EQ(capture.calls.size(), 1u);
    EXPECT_FLOAT_EQ(capture.calls[0].color[0], 0.7f);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.t0, 0.2f);
    s->y = 400;  // above the view
    g_hero.x = 149;
    g_hero.y = 400;
    frames(1);
    EXPECT_EQ(capture.calls.size(), 1u);
    EXPECT_EQ(g_hero.dying, 1);
}

TEST_F(WanderTest, SwimmersTakeAShotButNeverDie) {
    clearGrid();
    Swimmer* fish = spawn<Swimmer>(-9, 150, 100);
    Swimmer* leaper = spawn<Swimmer>(-11, 250, 100);
    Projectile* a = fireProjectile(Projectile::kHeroShot, 149, 100, 1);
    a->vx = 0;
    Projectile* b = fireProjectile(Projectile::kHeroShot, 250, leaper->y, 1);
    b->vx = 0;
    g_projectiles.processAll();
    EXPECT_EQ(fish->dying, 1);
    EXPECT_EQ(leaper->dying, 0);
    int x = fish->x;
    frames(5);
    EXPECT_NE(fish->x, x);  // swims on regardless
}

// A pool three tiles deep (rows 1 to 3) over rock, with air above.
void digPool() {
    clearGrid();
    fillRow(0, 0, 20, 1);
    for (int row = 1; row <= 3; ++row) fillRow(row, 0, 20, 129);
}

TEST_F(WanderTest, LeaperSinksRisesLeapsFromTheSurfaceAndFallsBack) {
    digPool();
    Swimmer* l = spawn<Swimmer>(-11, 110, 60);
    int lowest = 1000, highest = -1000, leaps = 0;
    bool wasHeadDown = false;
    for (int i = 0; i < 400; ++i) {
        frames(1);
        lowest = std::min(lowest, l->y);
        highest = std::max(highest, l->y);
        if (l->dir == 1 && !wasHeadDown && l->y > 80) ++leaps;
        wasHeadDown = l->dir == 1;
    }
    EXPECT_EQ(lowest, 31);    // turns while the tile 12 below is rock
    EXPECT_GT(highest, 100);  // out of the water, above the surface at 80
    EXPECT_LT(highest, 200);
    EXPECT_GE(leaps, 1);
}

TEST_F(WanderTest, LeaperTouchBoxHangsBelowItWhileHeadDown) {
    digPool();
    Swimmer* l = spawn<Swimmer>(-11, 150, 60);
    g_hero.x = 150;
    g_hero.y = l->y - 1 - 25;  // 25 under it: inside the head-down box
    l->dir = 1;
    l->dx = -1;
    frames(1);
    EXPECT_EQ(g_hero.dying, 1);
}

TEST_F(WanderTest, LeaperWithoutAFloorSinksSafelyForever) {
    clearGrid();
    Swimmer* l = spawn<Swimmer>(-11, 150, 60);
    for (int i = 0; i < 200000; ++i) g_enemies.processAll();
    EXPECT_LT(l->y, -100000);
    for (int i = 0; i < 1200000; ++i) g_enemies.processAll();
    EXPECT_GE(l->y, -1000000);  // clamped far below the world, never wrapping
}

TEST_F(WanderTest, GiantProbesAsymmetricallyAndHasAWideBox) {
    g_level.grid[5][3] = 1;  // a wall face at x 80
    Giant* g = spawn<Giant>(-17, 130, 100);
    frames(40);
    EXPECT_EQ(g->dx, 1);  // turned when x - 25 reached 79
    int minX = g->x;
    EXPECT_GE(minX, 104);
    g->x = 170;
    g->dir = 1;
    g->dx = -1;
    g_level.grid[5][3] = -1;
    g_level.grid[5][10] = 1;  // a wall face at x 200 on the right
    g->dx = 1;
    g->dir = -1;
    frames(40);
    EXPECT_LE(g->x, 185);  // x + 15 stays out of it
    g_hero.x = g->x + 19;
    g_hero.y = 129;
    g->dx = 0;  // stand still for the check
    frames(1);
    EXPECT_EQ(g_hero.dying, 1);
}

TEST_F(WanderTest, GiantFramesAndBurstByCode) {
    Giant* g = spawn<Giant>(-16, 16, 100);  // m = 15 after a step left
    g->x = 16;
    DrawCapture capture;
    frames(1);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.s0, 0.5f);
    g->dir = -1;
    g->dx = 1;
    g->x = 14;  // 15 again, facing the other way: still the right-hand frame
    frames(1);
    EXPECT_FLOAT_EQ(capture.calls[1].tex.s1, 0.5f);
    EXPECT_FLOAT_EQ(capture.calls[1].tex.s0, 1.0f);
    capture.calls.clear();
    g->dying = 1;
    frames(40);
    EXPECT_EQ(g_score, 50u);
    EXPECT_EQ(capture.calls.size(), 11u * 2 + 34);  // red flares for 11 frames, the ring for 34
}

TEST_F(WanderTest, FlyCrossesGapsAndKeepsItsDeathShiftAfterRevival) {
    clearGrid();
    Flyer* f = spawn<Flyer>(-33, 100, 150);
    frames(200);
    EXPECT_GE(f->x, 20);  // turned only at the world's side
    EXPECT_EQ(f->y, 150);
    f->dying = 1;
    int x = f->x;
    frames(1);
    EXPECT_EQ(f->y, 155);
    EXPECT_EQ(f->x, x - 2);
    EXPECT_EQ(g_score, 20u);
    reviveEnemies();
    EXPECT_EQ(f->y, 155);
}

TEST_F(WanderTest, FlyWingCellsAndWideBox) {
    Flyer* f = spawn<Flyer>(-34, 151, 100);
    DrawCapture capture;
    frames(1);  // x 150: m 0, facing +1 -> 0.25
    EXPECT_FLOAT_EQ(capture.calls[0].tex.s0, 0.25f);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.t0, 0.5f);
    EXPECT_FLOAT_EQ(capture.calls[0].x0, 138);
    EXPECT_FLOAT_EQ(capture.calls[0].x1, 152);
    g_hero.x = f->x - 1 + 19;
    g_hero.y = 100;
    frames(1);
    EXPECT_EQ(g_hero.dying, 1);
}

TEST_F(WanderTest, StriderKeepsInsideTheWorldAndIgnoresLadders) {
    Strider* s = spawn<Strider>(-21, 1, 100);
    frames(1);
    EXPECT_EQ(s->x, 0);
    EXPECT_EQ(s->dx, -1);  // x 0 does not turn it
    frames(1);
    EXPECT_EQ(s->dx, 1);   // -1 does
    g_level.grid[4][20] = 64;
    g_level.grid[5][20] = 70;
    Strider* l = spawn<Strider>(-13, 411, 100);
    frames(3);
    EXPECT_EQ(l->dx, -1);
    l->dying = 1;
    DrawCapture capture;
    frames(1);
    const DrawCall& burst = capture.calls.back();
    EXPECT_EQ(burst.additive, 1);
    EXPECT_FLOAT_EQ(burst.color[0], 0.8f);  // -13 bursts violet
    EXPECT_FLOAT_EQ(burst.color[1], 0.0f);
    EXPECT_FLOAT_EQ(burst.color[2], 0.8f);
}

TEST_F(WanderTest, BystanderWalksOverGapsHarmlessAndUnhurt) {
    clearGrid();
    Bystander* b = spawn<Bystander>(-23, 200, 100);
    g_hero.x = 190;
    g_hero.y = 100;
    Projectile* p = fireProjectile(Projectile::kHeroShot, 195, 100, 1);
    p->vx = 0;
    for (int i = 0; i < 100; ++i) {
        frames(1);
        g_projectiles.processAll();
    }
    EXPECT_EQ(b->y, 100);
    EXPECT_EQ(g_hero.dying, 0);
    EXPECT_EQ(b->dying, 0);
    EXPECT_EQ(b->x, 100);
    b->x = 21;
    frames(1);
    EXPECT_EQ(b->dx, -1);  // 20 does not turn it
    frames(1);
    EXPECT_EQ(b->dx, 1);
}

TEST_F(WanderTest, BystanderShowsSevenCellsPerSeventyUnits) {
    clearGrid();
    Bystander* b = spawn<Bystander>(-23, 141, 100);
    DrawCapture capture;
    frames(70);
    std::vector<std::pair<float, float>> cells;
    for (const DrawCall& c : capture.calls) {
        std::pair<float, float> cell{std::min(c.tex.s0, c.tex.s1), c.tex.t0};
        if (cells.empty() || cells.back() != cell) cells.push_back(cell);
    }
    EXPECT_EQ(cells.size(), 8u);  // seven, then the first again
    EXPECT_EQ(b->x, 71);
}

TEST_F(WanderTest, StaticSnakeAnimatesOnlyWhileSeen) {
    StaticSnake* seen = spawn<StaticSnake>(-27, 100, 100);
    seen->dir = 1;
    StaticSnake* unseen = spawn<StaticSnake>(-26, 900, 100);
    unseen->dir = -1;
    DrawCapture capture;
    frames(21);
    EXPECT_EQ(seen->animClock, 42);
    EXPECT_EQ(unseen->animClock, 0);
    EXPECT_FLOAT_EQ(capture.calls.back().tex.s0, 0.332f);
    EXPECT_FLOAT_EQ(capture.calls.back().x0, 95);
    EXPECT_FLOAT_EQ(capture.calls.back().x1, 125);
    frames(30);
    EXPECT_EQ(seen->animClock, -180);
    g_hero.x = 105;
    g_hero.y = 100;
    frames(5);
    EXPECT_EQ(g_hero.dying, 0);
}

}  // namespace
