// The hero, frame by frame on small hand-made grids, with drawing off.
#include "hero/hero.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/globals.h"
#include "audio/audio.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "support/scratch.h"
#include "world/level.h"

namespace {

constexpr int kBlock = 1;
constexpr int kLadder = 64;
constexpr int kWater = 129;

struct HeroTest : ::testing::Test {
    void SetUp() override {
        clearGrid();
        g_onScreens = 0;
        g_lives = 6;
        g_ammo = 5;
        g_score = 0;
        g_levelNumber = 1;
        g_startX = 100;
        g_startY = 100;
        g_backgroundOn = 1;
        g_completionTimer = 0;
        g_hero = Hero();
        g_hero.invulnTimer = kProtectionFrames;
    }
    void TearDown() override {
        g_drawLog = nullptr;
        g_levelNumber = 1;
        g_onScreens = 1;
        g_level.load();
        g_hero = Hero();
        g_playingSong = -1;
    }
    static void clearGrid() {
        for (auto& row : g_level.grid)
            for (int& cell : row) cell = kEmpty;
    }
    // Paints a row of tiles from column `from` to `to`.
    static void fill(int row, int from, int to, int code) {
        for (int col = from; col <= to; ++col) g_level.grid[row][col] = code;
    }
    static void floorAt(int row) { fill(row, 0, 99, kBlock); }
    // Puts the hero at rest at (x, y) and lets one frame settle its cell.
    void standAt(int x, int y) {
        g_hero.x = x;
        g_hero.y = y;
        frames(1);
    }
    static void frames(int n) {
        for (int i = 0; i < n; ++i) g_hero.process();
    }
    // Runs frames until `done` holds, returning how many it took (or -1).
    template <typename Done>
    static int framesUntil(Done done, int limit = 1000) {
        for (int i = 1; i <= limit; ++i) {
            g_hero.process();
            if (done()) return i;
        }
        return -1;
    }
};

TEST_F(HeroTest, JumpFromRestPeaksAt64AfterTwentySixFramesAndLandsOnFrame59) {
    floorAt(4);
    standAt(100, 100);
    ASSERT_EQ(g_hero.airborne, 0);
    g_hero.pressUp();
    g_hero.releaseUp();
    int peak = 0, peakFrame = 0, landFrame = 0;
    for (int frame = 1; frame <= 80 && !landFrame; ++frame) {
        g_hero.process();
        if (g_hero.y > peak) peak = g_hero.y, peakFrame = frame;
        if (!g_hero.airborne) landFrame = frame;
    }
    EXPECT_EQ(peak, 164);
    EXPECT_EQ(peakFrame, 26);
    EXPECT_EQ(landFrame, 59);
    EXPECT_EQ(g_hero.y, 100);

    // Holding up does not make the jump higher.
    g_hero.pressUp();
    peak = 0;
    for (int frame = 1; frame <= 59; ++frame) {
        g_hero.process();
        peak = std::max(peak, g_hero.y);
    }
    EXPECT_EQ(peak, 164);
}

TEST_F(HeroTest, WallsStopWalkingAtTheFeetAndChestButNotAtHeadHeight) {
    floorAt(4);
    g_level.grid[5][8] = kBlock;  // a wall at the feet, x 160 to 180
    standAt(140, 100);
    g_hero.pressRight();
    frames(30);
    EXPECT_EQ(g_hero.x, 150);  // x + 10 reached the wall's cell at 160
    g_hero.releaseRight();

    clearGrid();
    floorAt(4);
    g_level.grid[5][8] = kEmpty;
    g_level.grid[6][8] = kBlock;  // y 120 to 140: the chest point y + 14 = 114 misses it
    standAt(140, 100);
    g_hero.pressRight();
    frames(5);
    EXPECT_EQ(g_hero.x, 145);  // a block only at head height does not stop the hero
    g_hero.releaseRight();

    standAt(140, 106);  // now y + 14 = 120 reaches the block
    g_hero.y = 106;
    g_hero.airborne = 0;
    g_hero.vy = 0;
    g_hero.x = 149;
    g_hero.pressRight();
    g_hero.process();
    EXPECT_EQ(g_hero.x, 150);
    g_hero.process();
    EXPECT_EQ(g_hero.x, 150);
}

TEST_F(HeroTest, WalkingOffALedgeDropsSlowlyThenFaster) {
    fill(4, 0, 5, kBlock);  // ground up to x 120
    standAt(127, 100);      // x - 8 = 119 still over the ground
    g_hero.pressRight();
    g_hero.process();       // x 128: both feet over air
    EXPECT_EQ(g_hero.airborne, 1);
    EXPECT_FLOAT_EQ(g_hero.vy, -0.5f);
    EXPECT_EQ(g_hero.y, 100);
    g_hero.process();
    EXPECT_EQ(g_hero.y, 99);  // vy -0.65 truncated

    g_hero.releaseRight();
    standAt(127, 100);
    g_hero.airborne = 0;
    g_hero.vy = 0;
    g_hero.y = 100;
    g_hero.x = 128;
    g_hero.pressDown();
    g_hero.process();
    EXPECT_FLOAT_EQ(g_hero.vy, -1.0f);
}

TEST_F(HeroTest, LeftEdgeOfTheWorldHoldsTheHeroAtNineteenOrEighteen) {
    floorAt(4);
    standAt(20, 100);
    g_hero.pressLeft();
    frames(10);
    EXPECT_EQ(g_hero.x, 19);
    g_hero.x = 21;
    g_hero.pressLeft();  // both left keys: speed 2
    frames(10);
    EXPECT_EQ(g_hero.dx, -2);
    EXPECT_EQ(g_hero.x, 19);
    g_hero.x = 20;
    frames(10);
    EXPECT_EQ(g_hero.x, 18);
}

TEST_F(HeroTest, RisingIntoABlockStopsTheRiseWithoutMovingTheHero) {
    floorAt(4);
    g_level.grid[7][5] = kBlock;  // y 140 to 160 over x 100 to 120
    standAt(110, 100);
    g_hero.pressUp();
    int stopped = framesUntil([] { return g_hero.vy <= 0; });
    EXPECT_GT(stopped, 0);
    EXPECT_FLOAT_EQ(g_hero.vy, 0.0f);
    EXPECT_LT(g_hero.y + 15, 160);
    EXPECT_GE(g_hero.y + 15, 140);
    framesUntil([] { return !g_hero.airborne; });
    EXPECT_EQ(g_hero.y, 100);
}

TEST_F(HeroTest, LandsOnABlockTopAndOnALadderTop) {
    fill(2, 4, 6, kBlock);  // a ledge whose top is at y 60
    g_hero.x = 110;
    g_hero.y = 90;
    g_hero.airborne = 1;
    framesUntil([] { return !g_hero.airborne; });
    EXPECT_EQ(g_hero.y, 60);

    clearGrid();
    fill(0, 5, 5, kLadder);
    fill(1, 5, 5, kLadder);  // a ladder whose top is at y 40
    g_hero.x = 110;
    g_hero.y = 80;
    g_hero.airborne = 1;
    g_hero.vy = 0;
    framesUntil([] { return !g_hero.airborne; });
    EXPECT_EQ(g_hero.y, 40);
    frames(20);  // and it stays there
    EXPECT_EQ(g_hero.y, 40);
    EXPECT_EQ(g_hero.airborne, 0);
}

TEST_F(HeroTest, ClimbsUpHoldsClimbsDownAndStepsOffAtTheTop) {
    floorAt(4);
    for (int row = 5; row <= 8; ++row) g_level.grid[row][5] = kLadder;  // y 100 to 180
    fill(8, 6, 9, kBlock);                                              // a ledge at the top
    standAt(110, 100);
    g_hero.pressUp();
    EXPECT_EQ(g_hero.climbing, Hero::kClimbUp);
    frames(10);
    EXPECT_EQ(g_hero.y, 110);  // one unit a frame
    g_hero.releaseUp();
    EXPECT_EQ(g_hero.climbing, Hero::kHold);
    frames(10);
    EXPECT_EQ(g_hero.y, 110);
    g_hero.pressDown();
    frames(5);
    EXPECT_EQ(g_hero.y, 105);
    g_hero.releaseDown();
    g_hero.pressUp();
    int off = framesUntil([] { return g_hero.climbing == Hero::kOffLadder; }, 200);
    EXPECT_GT(off, 0);
    EXPECT_EQ(g_hero.y, 181);  // one unit out of the ladder's top cell
    g_hero.releaseUp();
    frames(30);
    EXPECT_EQ(g_hero.y, 180);  // standing on the ladder top
    g_hero.pressDown();        // and down again from there
    EXPECT_EQ(g_hero.climbing, Hero::kClimbDown);
    frames(3);
    EXPECT_EQ(g_hero.y, 177);
}

TEST_F(HeroTest, EntersWaterSinksSlowlyAndRisesWithUpHeld) {
    floorAt(0);
    for (int row = 1; row <= 10; ++row) fill(row, 3, 8, kWater);  // a pool from y 20 to 220
    g_hero.x = 110;
    g_hero.y = 230;
    g_hero.col = 5;
    g_hero.airborne = 1;
    framesUntil([] { return g_hero.swimming == 1; });
    EXPECT_FLOAT_EQ(g_hero.vy, -0.5f);
    int y0 = g_hero.y;
    frames(10);
    EXPECT_EQ(g_hero.y, y0 - 5);  // half a unit a frame, the fraction kept in swimY
    frames(30);
    g_hero.pressUp();
    int y1 = g_hero.y;
    frames(10);
    EXPECT_EQ(g_hero.y, y1 + 10);
    g_hero.releaseUp();
    EXPECT_FLOAT_EQ(g_hero.vy, -0.5f);
    g_hero.pressDown();
    EXPECT_FLOAT_EQ(g_hero.vy, -1.0f);
    g_hero.releaseDown();
    EXPECT_FLOAT_EQ(g_hero.vy, -0.5f);
    EXPECT_FALSE(g_hero.canFire());
}

TEST_F(HeroTest, DeadlyTilesKillEvenDuringSpawnProtection) {
    floorAt(4);
    g_level.grid[5][5] = kDeadlyLow;
    standAt(50, 100);
    g_hero.invulnTimer = 0;
    g_hero.x = 110;
    g_hero.process();
    EXPECT_EQ(g_hero.dying, 1);
    EXPECT_FLOAT_EQ(g_hero.vy, 5.0f);
    EXPECT_EQ(g_lastEffect, kEffectWaa);
    EXPECT_FALSE(g_hero.canFire());
}

TEST_F(HeroTest, DeathFallPeaksAt164AndLosesTheLifeOnThe88thFrame) {
    floorAt(4);
    standAt(200, 100);
    g_hero.screenX = 150;
    g_hero.screenY = 100;
    g_hero.hit();
    int peak = 0, frame = 0;
    while (g_lives == 6 && frame < 200) {
        ++frame;
        g_hero.process();
        peak = std::max(peak, g_hero.screenY);
    }
    EXPECT_EQ(peak, 164);
    EXPECT_EQ(frame, 88);
    EXPECT_EQ(g_lives, 5);
    // Respawned at the start, protected, with full ammunition.
    EXPECT_EQ(g_hero.x, g_startX);
    EXPECT_EQ(g_hero.y, g_startY);
    EXPECT_EQ(g_hero.screenX, 150);
    EXPECT_EQ(g_hero.dying, 0);
    EXPECT_EQ(g_hero.invulnTimer, 0);
    EXPECT_EQ(g_ammo, 5);
}

TEST_F(HeroTest, DeathPictureDriftsRightAndIsNeverMirrored) {
    std::vector<DrawCall> log;
    g_hero.dir = -1;
    g_hero.screenX = 150;
    g_hero.screenY = 100;
    g_hero.hit();
    g_drawLog = &log;
    frames(6);
    g_drawLog = nullptr;
    ASSERT_EQ(log.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_FLOAT_EQ(log[i].x0, 150 + i + 1 - 10);
        EXPECT_LT(log[i].tex.s0, log[i].tex.s1);
    }
    EXPECT_FLOAT_EQ(log[3].tex.t0, 0.2f);  // frames 1 to 4: picture A
    EXPECT_FLOAT_EQ(log[4].tex.t0, 0.4f);  // from frame 5: picture B
}

TEST_F(HeroTest, CheckpointMovesTheRespawnOneColumnRightAndFlashesOnce) {
    floorAt(4);
    g_level.grid[6][7] = kCheckpoint;  // the cell above the body at column 7
    standAt(130, 100);
    g_hero.x = 150;
    g_hero.process();
    EXPECT_EQ(g_startX, 160);
    EXPECT_EQ(g_startY, 100);
    EXPECT_EQ(g_hero.checkpointFlash, 10);
    frames(19);
    EXPECT_EQ(g_hero.checkpointFlash, kNoFlash);
    frames(5);
    EXPECT_EQ(g_hero.checkpointFlash, kNoFlash);  // the same checkpoint does not flash again

    // Then a fall into a pit: back one column right of it, still falling.
    g_level.grid[4][20] = kEmpty;
    g_hero.x = 410;
    g_hero.y = -11;
    g_hero.airborne = 1;
    g_hero.vy = -7.5f;
    g_hero.process();
    EXPECT_EQ(g_lives, 5);
    EXPECT_EQ(g_hero.x, 160);
    EXPECT_EQ(g_hero.y, 100);
    EXPECT_EQ(g_hero.screenX, 100);
    EXPECT_FLOAT_EQ(g_hero.vy, -7.5f);
    EXPECT_EQ(g_hero.airborne, 1);
}

TEST_F(HeroTest, GameOverShowsItsTextFor201FramesThenTheMenu) {
    g_lives = 1;
    g_hero.y = -50;
    g_hero.airborne = 1;
    g_hero.vy = -3;
    g_score = 1234;
    g_ammo = 2;
    std::vector<DrawCall> log;
    g_drawLog = &log;
    int frames = framesUntil([] { return g_onScreens == 1; });
    g_drawLog = nullptr;
    EXPECT_EQ(frames, 201);
    EXPECT_EQ(log.size(), 201u * 10);  // "GAME OVER!" every frame, no hero
    EXPECT_EQ(g_lives, 6);
    EXPECT_EQ(g_score, 0u);
    EXPECT_EQ(g_ammo, 2);  // falling out keeps the ammunition
    EXPECT_EQ(g_hero.gameOverTimer, 0);
}

struct LevelExitTest : HeroTest {
    ScratchFolder scratch;
    void writeLevel(int number) {
        std::string cells;
        for (int i = 0; i < kGridSize * kGridSize; ++i) cells += (i == 3 * 100 + 9 ? "95 " : "1 ");
        writeFile("level" + std::to_string(number) + ".dat", cells);
    }
    void stepIntoExit() {
        floorAt(4);
        g_level.grid[6][5] = kExit;
        standAt(110, 100);
    }
};

TEST_F(LevelExitTest, ExitOfLevelThreeStartsTheSecondEraWithItsSongAndBackground) {
    writeLevel(4);
    g_levelNumber = 3;
    g_playingSong = -1;  // music switched off
    testing::internal::CaptureStdout();
    stepIntoExit();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(g_levelNumber, 4);
    EXPECT_TRUE(isSongPlaying(1));
    EXPECT_EQ(out, " can't open file: background9.bmp\n");
    EXPECT_EQ(g_startX, 180);
    EXPECT_EQ(g_startY, 40);
    EXPECT_EQ(g_hero.x, 180);
    EXPECT_EQ(g_hero.screenX, 100);
    EXPECT_EQ(g_hero.invulnTimer, 1);  // reset, then counted in the same frame
}

TEST_F(LevelExitTest, ExitToLevelElevenSwitchesTheBackgroundOff) {
    writeLevel(11);
    g_levelNumber = 10;
    stepIntoExit();
    EXPECT_EQ(g_levelNumber, 11);
    EXPECT_TRUE(isSongPlaying(2));
    EXPECT_EQ(g_backgroundOn, 0);
}

TEST_F(LevelExitTest, ExitOfLevelTwelveCompletesTheGame) {
    g_levelNumber = 12;
    stepIntoExit();
    EXPECT_EQ(g_levelNumber, 12);
    EXPECT_EQ(g_completionTimer, 1);
    EXPECT_EQ(g_onScreens, 1);
}

struct SpriteTest : HeroTest {
    DrawCall spriteOf() {
        std::vector<DrawCall> log;
        g_drawLog = &log;
        g_hero.process();
        g_drawLog = nullptr;
        EXPECT_FALSE(log.empty());
        return log.empty() ? DrawCall{} : log.back();
    }
};

TEST_F(SpriteTest, WalkFramesFollowXAndTheFacing) {
    floorAt(4);
    standAt(96, 100);
    for (int x = 96; x < 120; ++x) {
        g_hero.x = x;
        DrawCall d = spriteOf();
        float expected = (x >= 104 && x < 112) ? 0.2f : 0.0f;
        EXPECT_FLOAT_EQ(std::min(d.tex.s0, d.tex.s1), expected) << "x " << x;
        EXPECT_LT(d.tex.s0, d.tex.s1);  // facing right: as stored
    }
    g_hero.dir = -1;
    g_hero.x = 104;  // m = 8: picture B facing left
    DrawCall d = spriteOf();
    EXPECT_GT(d.tex.s0, d.tex.s1);
    EXPECT_FLOAT_EQ(d.tex.s1, 0.2f);
    g_hero.x = 105;
    EXPECT_FLOAT_EQ(spriteOf().tex.s1, 0.0f);
}

TEST_F(SpriteTest, EachModeShowsItsPicture) {
    floorAt(4);
    standAt(100, 100);
    g_hero.shooting = 1;
    EXPECT_FLOAT_EQ(spriteOf().tex.s0, 0.4f);
    g_hero.shooting = 0;
    g_hero.ducking = 1;
    EXPECT_FLOAT_EQ(spriteOf().tex.t1, 0.799f);
    g_hero.ducking = 0;
    g_hero.airborne = 1;
    g_hero.y = 150;
    g_hero.climbing = Hero::kClimbUp;  // a jump from a ladder shows the jump
    DrawCall jump = spriteOf();
    EXPECT_EQ(jump.texture, kTexHero);
    EXPECT_FLOAT_EQ(jump.tex.t1, 0.79f);
    g_hero.airborne = 0;
    g_hero.vy = 0;
    g_hero.y = 100;
    for (int row = 5; row <= 6; ++row) g_level.grid[row][5] = kLadder;
    g_hero.climbing = Hero::kHold;
    DrawCall climb = spriteOf();
    EXPECT_EQ(climb.texture, kTexEnemy2);
    EXPECT_FLOAT_EQ(climb.tex.t0, 0.0f);
}

TEST_F(SpriteTest, SwimmingIsTintedBlueAndAnimatesByItsOwnClock) {
    for (int row = 0; row <= 6; ++row) fill(row, 0, 20, kWater);
    g_hero.x = 100;
    g_hero.y = 60;
    g_hero.col = 5;
    g_hero.pressUp();
    g_hero.process();
    ASSERT_EQ(g_hero.swimming, 1);
    g_hero.swimFrame = 33;
    DrawCall a = spriteOf();  // frame counter 34
    DrawCall b = spriteOf();  // 35
    EXPECT_FLOAT_EQ(a.color[0], 0.7f);
    EXPECT_FLOAT_EQ(a.color[2], 1.0f);
    EXPECT_FLOAT_EQ(a.tex.s0, 0.0f);
    EXPECT_FLOAT_EQ(b.tex.s0, 0.2f);
}

TEST_F(SpriteTest, AfterARespawnTheHeroBlinksNineOffTenOn) {
    floorAt(4);
    standAt(100, 100);
    g_hero.invulnTimer = 0;
    std::string pattern;
    for (int i = 0; i < 104; ++i) pattern += spriteOf().color[3] == 0.0f ? '-' : '#';
    std::string expected = std::string(9, '-');
    for (int block = 0; block < 5; ++block) expected += std::string(10, '#') + std::string(10, '-');
    expected = expected.substr(0, 101) + "###";
    EXPECT_EQ(pattern.substr(0, 99), expected.substr(0, 99));
    EXPECT_EQ(pattern.substr(99), "--###");
}

}  // namespace
