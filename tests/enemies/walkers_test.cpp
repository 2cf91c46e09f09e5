// Tribesmen, tiger, snake and hopper: the walking kinds with their own rules.
#include <gtest/gtest.h>

#include "enemies/hopper.h"
#include "enemies/snake.h"
#include "enemies/tiger.h"
#include "enemies/tribesman.h"
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
    static void heroAt(int x, int y) {
        g_hero.x = x;
        g_hero.y = y;
    }
};

TEST_F(KindTest, ClubberStopsAndStrikesOnTheFortyFifthFrame) {
    Tribesman* t = spawn<Tribesman>(-29, 200, 100);
    heroAt(175, 100);  // 25 units ahead (dir +1 faces left), level with it
    g_hero.invulnTimer = 0;  // protected from the touch, but not for the whole swing
    frames(1);
    EXPECT_EQ(t->attacking, 1);
    EXPECT_EQ(t->dx, 0);
    g_hero.invulnTimer = kProtectionFrames;
    heroAt(176, 100);
    frames(43);
    EXPECT_EQ(g_hero.dying, 0);
    frames(1);
    EXPECT_EQ(g_hero.dying, 1);
    EXPECT_EQ(t->attackClock, 0);
}

TEST_F(KindTest, ClubberIgnoresAHeroOutOfReachOrBehindIt) {
    Tribesman* t = spawn<Tribesman>(-29, 200, 100);
    heroAt(165, 100);  // 35 units: out of reach
    frames(1);
    EXPECT_EQ(t->attacking, 0);
    heroAt(230, 100);  // behind
    frames(1);
    EXPECT_EQ(t->attacking, 0);
    g_onScreens = 1;  // never on the menu
    heroAt(180, 100);
    frames(1);
    EXPECT_EQ(t->attacking, 0);
}

TEST_F(KindTest, ThrowerThrowsOnTheSixtiethFrameOfEachEightyFromAboveItsFeet) {
    Tribesman* t = spawn<Tribesman>(-30, 200, 100);
    heroAt(80, 100);  // far ahead on screen
    frames(59);
    EXPECT_EQ(countOf(g_projectiles), 0);
    frames(1);
    ASSERT_EQ(countOf(g_projectiles), 1);
    Projectile* p = static_cast<Projectile*>(g_projectiles.first->entity);
    EXPECT_EQ(p->state, Projectile::kThrownShot);
    EXPECT_FLOAT_EQ(p->x, t->x - 13);
    EXPECT_FLOAT_EQ(p->y, 105);
    EXPECT_EQ(p->dir, -1);
    frames(80);
    EXPECT_EQ(countOf(g_projectiles), 2);
    heroAt(300, 100);  // now behind it: it walks on
    frames(1);
    EXPECT_EQ(t->attacking, 0);
    EXPECT_EQ(t->dx, -1);
}

TEST_F(KindTest, TribesmenWalkFourFramesAndTouchWithAWiderBox) {
    Tribesman* t = spawn<Tribesman>(-28, 231, 100);
    heroAt(500, 300);
    DrawCapture capture;
    for (int i = 0; i < 30; ++i) frames(1);
    std::vector<float> cells;
    for (const DrawCall& c : capture.calls)
        if (cells.empty() || cells.back() != c.tex.s0) cells.push_back(c.tex.s0);
    EXPECT_EQ(cells, (std::vector<float>{0.25f, 0.5f, 0.75f, 0.0f, 0.25f}));  // x 230 down to 201
    EXPECT_FLOAT_EQ(capture.calls[0].x1 - capture.calls[0].x0, 24);
    heroAt(t->x - 14 - 1, 100);
    frames(1);
    EXPECT_EQ(g_hero.dying, 1);
}

TEST_F(KindTest, TribesmanBurstPaysThirtyOverFourteenFrames) {
    Tribesman* t = spawn<Tribesman>(-31, 200, 100);
    t->dying = 1;
    DrawCapture capture;
    frames(20);
    EXPECT_EQ(g_score, 30u);
    EXPECT_EQ(capture.calls.size(), 14u * 3);
}

TEST_F(KindTest, TigerRunsOnEvenPositionsWithALowHitBox) {
    Tiger* t = spawn<Tiger>(-19, 200, 100);
    for (int i = 0; i < 50; ++i) {
        frames(1);
        EXPECT_EQ(t->x % 2, 0);
    }
    Projectile* high = fireProjectile(Projectile::kHeroShot, t->x - 5, 110, 1);
    high->vx = 0;
    g_projectiles.processAll();
    EXPECT_EQ(t->dying, 0);  // y + 10 is above its box
    Projectile* low = fireProjectile(Projectile::kHeroShot, t->x - 15, 109, 1);
    low->vx = 0;
    g_projectiles.processAll();
    EXPECT_EQ(t->dying, 1);
    frames(15);
    EXPECT_EQ(g_score, 75u);
}

TEST_F(KindTest, TigerCycleShowsSixCellsPerSixtyUnits) {
    Tiger* t = spawn<Tiger>(-19, 100, 100);
    t->dir = -1;
    t->dx = 1;
    DrawCapture capture;
    frames(30);  // 60 units to the right
    std::vector<float> t0s;
    for (const DrawCall& c : capture.calls)
        if (t0s.empty() || t0s.back() != c.tex.t0 + c.tex.s0) t0s.push_back(c.tex.t0 + c.tex.s0);
    EXPECT_EQ(t0s.size(), 7u);
    EXPECT_LT(capture.calls[0].tex.s0, capture.calls[0].tex.s1);  // running right: as stored
}

TEST_F(KindTest, SnakeFeelsTheGroundBehindItsCentreAndWallsFifteenAhead) {
    clearGrid();
    fillRow(4, 5, 9, 1);  // ground x 100 to 200
    Snake* s = spawn<Snake>(-32, 150, 100);
    int minX = 1000, maxX = 0;
    for (int i = 0; i < 300; ++i) {
        frames(1);
        minX = std::min(minX, s->x);
        maxX = std::max(maxX, s->x);
    }
    EXPECT_EQ(minX, 106);  // x - 7 over the gap at 99: turned with its centre over ground
    EXPECT_EQ(maxX, 207);  // walking right it passes the end by 7
    clearGrid();
    fillRow(4, 0, 20, 1);
    g_level.grid[5][10] = 1;  // a wall face at x 200
    Snake* w = spawn<Snake>(-32, 180, 100);
    w->dir = -1;
    w->dx = 1;
    frames(10);
    EXPECT_LE(w->x, 185);
}

TEST_F(KindTest, SnakeTouchBoxIsWideTallAndOpen) {
    Snake* s = spawn<Snake>(-32, 201, 100);
    auto touched = [&](int hx, int hy) {
        g_hero = Hero();
        g_hero.invulnTimer = kProtectionFrames;
        heroAt(hx, hy);
        s->x = 201;
        s->dx = -1;
        frames(1);
        return g_hero.dying == 1;
    };
    EXPECT_TRUE(touched(219, 129));
    EXPECT_TRUE(touched(181, 100));
    EXPECT_FALSE(touched(220, 100));
    EXPECT_FALSE(touched(180, 100));
    EXPECT_FALSE(touched(200, 130));
    EXPECT_FALSE(touched(200, 99));
}

TEST_F(KindTest, HopperLandsBackAtItsHeightEightyUnitsOn) {
    Hopper* h = spawn<Hopper>(-22, 400, 100);
    h->baseY = 100;
    std::vector<int> rises;
    int lastY = h->y;
    for (int i = 0; i < 40; ++i) {
        frames(1);
        rises.push_back(h->y - lastY);
        lastY = h->y;
    }
    std::vector<int> expected;
    for (int step : {2, 1, 0, -1, -2})
        for (int i = 0; i < (step == 2 || step == -2 ? 5 : 10); ++i) expected.push_back(step);
    EXPECT_EQ(rises, expected);
    EXPECT_EQ(h->y, 100);
    EXPECT_EQ(h->x, 320);
    frames(80);
    EXPECT_EQ(h->x, 320);  // resting
    EXPECT_EQ(h->hopClock, 120);
}

TEST_F(KindTest, HopperTouchFollowsTheHerosCrouch) {
    Hopper* h = spawn<Hopper>(-22, 200, 116);  // its lower edge 16 above the hero's feet
    h->baseY = 100;
    h->hopClock = 50;  // resting
    heroAt(200, 100);
    g_hero.ducking = 1;
    frames(1);
    EXPECT_EQ(g_hero.dying, 0);  // crouched: only y + 8 counts
    g_hero.ducking = 0;
    frames(1);
    EXPECT_EQ(g_hero.dying, 1);  // standing: y + 16 reaches it
}

TEST_F(KindTest, HopperTurnsEveryFrameWithoutGroundAndAtTheSideLimits) {
    clearGrid();
    Hopper* h = spawn<Hopper>(-22, 400, 100);
    h->baseY = 100;
    h->hopClock = 50;
    frames(1);
    int d1 = h->dir;
    frames(1);
    EXPECT_EQ(h->dir, -d1);
}

}  // namespace
