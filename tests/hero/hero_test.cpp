// The hero, frame by frame on small hand-made grids, with drawing off. Walls,
// ceilings, ladders and water are met by every stored route; these cases pin
// what the routes cannot see.
#include "hero/hero.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx/bitmap.h"
#include "support/scratch.h"
#include "support/world_test.h"

namespace {

constexpr int kLadder = 64;

// Each case starts on a floor whose top is at y 100.
struct HeroTest : WorldTest {
    void SetUp() override {
        WorldTest::SetUp();
        fillRow(4, 0, 99, 1);
    }
    static void frames(int n) {
        for (int i = 0; i < n; ++i) g_hero.process();
    }
    // Puts the hero at rest at (x, y) and lets one frame settle its cell.
    static void standAt(int x, int y = 100) {
        g_hero.x = x, g_hero.y = y, g_hero.airborne = 0, g_hero.vy = 0;
        frames(1);
    }
    // The last picture one frame draws: the hero's own.
    static DrawCall spriteOf() {
        DrawCapture capture;
        g_hero.process();
        return capture.calls.empty() ? DrawCall{} : capture.calls.back();
    }
};

TEST_F(HeroTest, JumpFromRestPeaksAt64AfterTwentySixFramesAndLandsOnFrame59) {
    standAt(100);
    for (bool holdUp : {false, true}) {
        g_hero.pressUp();
        if (!holdUp) g_hero.releaseUp();
        int peak = 0, peakFrame = 0, landFrame = 0;
        for (int frame = 1; frame <= 80 && !landFrame; ++frame) {
            g_hero.process();
            if (g_hero.y > peak) peak = g_hero.y, peakFrame = frame;
            if (!g_hero.airborne) landFrame = frame;
        }
        EXPECT_EQ(peak, 164);
        EXPECT_EQ(peakFrame, 26);
        EXPECT_EQ(landFrame, 59);
        g_hero.releaseUp();
    }
}

TEST_F(HeroTest, TheLeftEdgeHoldsBelowX20AtEitherSpeed) {
    for (int dx : {-1, -2}) {  // -2: both left keys held
        g_hero = Hero();
        standAt(20);
        g_hero.dx = dx;
        frames(10);
        EXPECT_EQ(g_hero.x, 20 + dx) << "dx " << dx;
    }
}

TEST_F(HeroTest, OffALedgeTheFallStartsAtHalfAUnitOrAWholeOneWithDownHeld) {
    fillRow(4, 6, 99, kEmpty);  // ground up to x 120
    for (bool down : {false, true}) {
        g_hero = Hero();
        standAt(127);
        g_hero.x = 128;  // both feet over air
        if (down) g_hero.pressDown();
        g_hero.process();
        EXPECT_EQ(g_hero.airborne, 1);
        EXPECT_FLOAT_EQ(g_hero.vy, down ? -1.0f : -0.5f);
        g_hero.process();
        EXPECT_EQ(g_hero.y, down ? 98 : 99);  // -1.15 and -0.65 truncated
    }
}

TEST_F(HeroTest, DeadlyTileKillsThroughProtectionAndTheFallPeaksAt164) {
    g_level.grid[5][5] = kDeadlyLow;
    standAt(50);
    g_hero.invulnTimer = 0;
    g_hero.screenX = 150, g_hero.screenY = 100, g_hero.x = 110;
    g_hero.process();
    EXPECT_EQ(g_hero.dying, 1);
    EXPECT_EQ(g_lastEffect, kEffectWaa);
    int peak = 0, frame = 0;
    while (g_lives == 6 && frame < 200)
        ++frame, g_hero.process(), peak = std::max(peak, g_hero.screenY);
    EXPECT_EQ(peak, 164);
    EXPECT_EQ(frame, 88);
    EXPECT_EQ(g_hero.x, g_startX);
    EXPECT_EQ(g_hero.screenX, 150);
    EXPECT_EQ(g_hero.invulnTimer + g_hero.dying, 0);
}

TEST_F(HeroTest, CheckpointMovesTheRespawnAndAFallKeepsItsSpeed) {
    g_level.grid[6][7] = kCheckpoint;  // above the body cell at column 7
    standAt(150);
    EXPECT_EQ(g_startX, 160);
    EXPECT_EQ(g_startY, 100);
    frames(25);
    EXPECT_EQ(g_hero.checkpointFlash, kNoFlash);  // flashed once, not again
    g_hero.x = 410, g_hero.y = -11, g_hero.airborne = 1, g_hero.vy = -7.5f;
    g_ammo = 1;
    g_hero.process();
    EXPECT_EQ(g_lives, 5);
    EXPECT_EQ(g_hero.x, 160);
    EXPECT_EQ(g_hero.screenX, 100);
    EXPECT_FLOAT_EQ(g_hero.vy, -7.5f);
    EXPECT_EQ(g_ammo, 5);
}

TEST_F(HeroTest, GameOverShowsItsTextFor201FramesThenTheMenu) {
    g_lives = 1;
    g_hero.y = -50, g_hero.airborne = 1, g_score = 1234;
    DrawCapture capture;
    int n = 0;
    while (g_onScreens != 1 && n < 1000) g_hero.process(), ++n;
    EXPECT_EQ(n, 201);
    EXPECT_EQ(capture.calls.size(), 201u * 10);  // "GAME OVER!" every frame, no hero
    EXPECT_EQ(g_lives, 6);
    EXPECT_EQ(g_score, 0u);
}

// Every level's exit, level 12's included, is taken by the replays of the stored routes.
TEST_F(HeroTest, TheExitToANewEraBringsItsSongBackgroundAndStart) {
    ScratchFolder scratch;
    writeFile("level4.dat",
              levelFile([](int row, int col) { return row == 3 && col == 9 ? 95 : 1; }));
    g_levelNumber = 3;
    g_musicOn = 0;
    g_level.grid[6][5] = kExit;
    testing::internal::CaptureStdout();
    standAt(110);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " can't open file: background9.bmp\n");
    EXPECT_EQ(g_levelNumber, 4);
    EXPECT_TRUE(isSongPlaying(1));  // even with the music switched off
    EXPECT_EQ(g_hero.x, 180);
    EXPECT_EQ(g_hero.screenX, 100);
}

TEST_F(HeroTest, SpriteFollowsXFacingAndMode) {
    standAt(96);
    for (int x = 96; x < 120; ++x) {
        g_hero.x = x;
        EXPECT_FLOAT_EQ(spriteOf().tex.s0, (x >= 104 && x < 112) ? 0.2f : 0.0f) << "x " << x;
    }
    g_hero.dir = -1;
    g_hero.x = 104;  // m = 8: frame B, mirrored
    EXPECT_FLOAT_EQ(spriteOf().tex.s1, 0.2f);
    g_hero.x = 105;
    EXPECT_FLOAT_EQ(spriteOf().tex.s1, 0.0f);
    g_hero.x = 100, g_hero.dir = 1, g_hero.shooting = 1;
    EXPECT_FLOAT_EQ(spriteOf().tex.s0, 0.4f);
    g_hero.shooting = 0, g_hero.ducking = 1;
    EXPECT_FLOAT_EQ(spriteOf().tex.t1, 0.799f);
    g_hero.ducking = 0, g_hero.airborne = 1, g_hero.y = 150, g_hero.climbing = Hero::kClimbUp;
    EXPECT_FLOAT_EQ(spriteOf().tex.t1, 0.79f);  // a jump from a ladder shows the jump
    for (int row = 5; row <= 6; ++row) g_level.grid[row][5] = kLadder;
    g_hero.airborne = 0, g_hero.vy = 0, g_hero.y = 100, g_hero.climbing = Hero::kHold;
    EXPECT_EQ(spriteOf().texture, kTexEnemy2);
}

TEST_F(HeroTest, AfterARespawnTheHeroBlinksNineOffTenOn) {
    standAt(100);
    g_hero.invulnTimer = 0;
    std::string pattern;
    for (int i = 0; i < 104; ++i) pattern += spriteOf().color[3] == 0.0f ? '-' : '#';
    std::string expected = std::string(9, '-');
    for (int block = 0; block < 5; ++block) expected += std::string(10, '#') + std::string(10, '-');
    EXPECT_EQ(pattern, expected.substr(0, 101) + "###");
}

}  // namespace
