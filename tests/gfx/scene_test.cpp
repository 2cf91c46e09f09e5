// Text, level tiles and the HUD: what is drawn where, headless and offscreen.
#include "gfx/scene.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "app/globals.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "gfx/font.h"
#include "gfx/offscreen.h"
#include "world/level.h"

namespace {

struct SceneTest : ::testing::Test {
    void SetUp() override {
        saved = g_level.grid[0][0];
        for (auto& row : g_level.grid)
            for (int& cell : row) cell = -1;
        g_drawLog = &log;
        buildFont();
    }
    void TearDown() override {
        g_drawLog = nullptr;
        g_level.load();
        g_scrollX = g_scrollY = 0;
        g_lives = 6;
        g_ammo = 5;
        blendNormal();
        setColor(1, 1, 1, 1);
    }
    // The whole grid walked cell by cell, the way the frame would without the shortcut.
    std::vector<DrawCall> drawEveryCell() {
        std::vector<DrawCall> all;
        g_drawLog = &all;
        for (int row = 0; row < kGridSize; ++row)
            for (int col = 0; col < kGridSize; ++col)
                if (g_level.grid[row][col] >= 0 && tileInView(row, col))
                    drawTile(g_level.grid[row][col], row, col);
        g_drawLog = &log;
        return all;
    }
    int saved;
    std::vector<DrawCall> log;
};

bool sameCall(const DrawCall& a, const DrawCall& b) {
    return a.texture == b.texture && a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 &&
           a.y1 == b.y1 && a.tex.s0 == b.tex.s0 && a.tex.t0 == b.tex.t0;
}

TEST_F(SceneTest, GlyphRectanglesStartWithTheSpaceAtTheTopLeft) {
    EXPECT_FLOAT_EQ(g_glyphs[0].s0, 0);
    EXPECT_FLOAT_EQ(g_glyphs[0].t1, 1);
    const TexRect& a = g_glyphs['A' - 32];
    EXPECT_FLOAT_EQ(a.s0, 0.0625f);
    EXPECT_FLOAT_EQ(a.s1, 0.125f);
    EXPECT_FLOAT_EQ(a.t0, 0.8125f);
    EXPECT_FLOAT_EQ(a.t1, 0.875f);
}

TEST_F(SceneTest, TextAdvancesFiveUnitsAGlyphAndSkipsControlBytes) {
    printText(120, 240, "SCORE: 120");
    ASSERT_EQ(log.size(), 10u);
    EXPECT_EQ(log.front().texture, kTexFont);
    EXPECT_FLOAT_EQ(log.front().x0, 120);
    EXPECT_FLOAT_EQ(log.back().x1, 170);
    EXPECT_FLOAT_EQ(log.back().y0, 240);
    EXPECT_FLOAT_EQ(log.back().y1, 245);
    log.clear();
    printText(0, 0, "A\tB\n");
    ASSERT_EQ(log.size(), 2u);
    EXPECT_FLOAT_EQ(log[1].x0, 5);
    log.clear();
    printText(0, 0, "");
    EXPECT_TRUE(log.empty());
    printText(0, 0, "\xff");  // high bytes have cells too
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(SceneTest, LevelAtTheStartShowsColumnsZeroToFourteen) {
    for (int col = 0; col < kGridSize; ++col) g_level.grid[0][col] = 1;
    g_scrollX = 150;
    g_scrollY = 0;
    g_level.draw();
    ASSERT_EQ(log.size(), 15u);
    EXPECT_FLOAT_EQ(log.front().x0, 0);
    EXPECT_FLOAT_EQ(log.back().x0, 280);
    EXPECT_FLOAT_EQ(log.back().x1, 300);
}

TEST_F(SceneTest, TileCodesPickTheirSheetAndInsetCell) {
    g_level.grid[1][1] = 9;    // blocks, cell (1, 1)
    g_level.grid[1][2] = 104;  // ladders and scenery, cell 40
    g_level.grid[1][3] = 200;  // water sheet, row 9: past the sheet's edge
    g_scrollX = 150;
    g_level.draw();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].texture, kTexBlocks);
    EXPECT_FLOAT_EQ(log[0].tex.s0, 1.02f / 8);
    EXPECT_FLOAT_EQ(log[0].tex.t1, 1.98f / 8);
    EXPECT_EQ(log[1].texture, kTexLadders);
    EXPECT_FLOAT_EQ(log[1].tex.t0, 5.02f / 8);
    EXPECT_EQ(log[2].texture, kTexWater);
    EXPECT_FLOAT_EQ(log[2].tex.t0, 9.02f / 8);
}

TEST_F(SceneTest, ShortcutDrawsExactlyWhatAWalkOfEveryCellDraws) {
    std::mt19937 rng(7);
    for (auto& row : g_level.grid)
        for (int& cell : row) cell = rng() % 3 == 0 ? static_cast<int>(rng() % 140) : -1;
    const int scrolls[][2] = {{150, 0}, {151, 1}, {1999, 1999}, {-500, -500}, {2500, 2500},
                              {170, 20}, {169, 19}, {1000, 977}};
    for (auto [sx, sy] : scrolls) {
        g_scrollX = sx;
        g_scrollY = sy;
        log.clear();
        g_level.draw();
        std::vector<DrawCall> all = drawEveryCell();
        ASSERT_EQ(log.size(), all.size()) << sx << "," << sy;
        for (size_t i = 0; i < all.size(); ++i) ASSERT_TRUE(sameCall(log[i], all[i]));
    }
    for (int i = 0; i < 200; ++i) {
        g_scrollX = static_cast<int>(rng() % 2400) - 200;
        g_scrollY = static_cast<int>(rng() % 2400) - 200;
        log.clear();
        g_level.draw();
        ASSERT_EQ(log.size(), drawEveryCell().size()) << g_scrollX << "," << g_scrollY;
    }
}

TEST_F(SceneTest, HudShowsALifeHeadPerLifeAndThreeGlowsPerShot) {
    g_lives = 6;
    g_ammo = 5;
    drawHud();
    ASSERT_EQ(log.size(), 6u + 15u);
    EXPECT_EQ(log[0].texture, kTexHero);
    EXPECT_FLOAT_EQ(log[0].x0, 10);
    EXPECT_FLOAT_EQ(log[5].x1, 70);
    EXPECT_FLOAT_EQ(log[0].tex.s0, 0.2f);
    EXPECT_EQ(log[6].texture, kTexFlares);
    EXPECT_EQ(log[6].additive, 1);
    EXPECT_FLOAT_EQ(log[6].color[0], 0.7f);
    EXPECT_FLOAT_EQ(log[8].color[1], 1.0f);
    EXPECT_FLOAT_EQ(log[6].x0, 210);
    EXPECT_FLOAT_EQ(log.back().x1, 290);
}

TEST_F(SceneTest, EmptyHudDrawsNothingAndKeepsBlending) {
    g_lives = 0;
    g_ammo = 0;
    bindTexture(kTexWater);
    drawHud();
    EXPECT_TRUE(log.empty());
    drawQuad(0, 0, 1, 1, {0, 0, 1, 1});
    EXPECT_EQ(log[0].texture, kTexWater);  // nothing was bound
    EXPECT_EQ(log[0].additive, 0);
}

TEST_F(SceneTest, BackgroundCoversTheViewOnlyWhenSwitchedOn) {
    g_backgroundOn = 1;
    drawBackground();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].texture, kTexBackground);
    EXPECT_FLOAT_EQ(log[0].x1, 300);
    EXPECT_FLOAT_EQ(log[0].y1, 250);
    g_backgroundOn = 0;
    drawBackground();
    EXPECT_EQ(log.size(), 1u);
    g_backgroundOn = 1;
}

// An 8 by 8 sheet of flat colours, one per cell: red grows with the column,
// green with the row, so a pixel tells which cell it came from.
std::vector<unsigned char> colourSheet(int cellPixels) {
    int side = 8 * cellPixels;
    std::vector<unsigned char> rgba(side * side * 4);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            unsigned char* p = &rgba[(y * side + x) * 4];
            p[0] = 30 + 28 * (x / cellPixels);
            p[1] = 30 + 28 * (y / cellPixels);
            p[2] = 99;
            p[3] = 255;
        }
    return rgba;
}

TEST_F(SceneTest, OffscreenTilesLandWhereTheCameraPutsThem) {
    OffscreenContext ctx(300, 250);  // one pixel per view unit
    ASSERT_TRUE(ctx.ok());
    std::vector<unsigned char> sheet = colourSheet(8);
    uploadTexture(kTexBlocks, 64, 64, sheet.data());
    g_level.grid[2][10] = 9;   // sheet column 1, row 1
    g_level.grid[3][12] = 22;  // sheet column 6, row 2
    g_scrollX = 250;           // column 10 (x 200) lands at view x 100
    g_scrollY = 20;            // row 2 (y 40) lands at view y 20
    clearScreen();
    g_level.draw();
    ctx.finish();
    const unsigned char* a = ctx.pixel(110, 30);
    EXPECT_NEAR(a[0], 30 + 28, 2);
    EXPECT_NEAR(a[1], 30 + 28, 2);
    EXPECT_EQ(a[2], 99);
    const unsigned char* b = ctx.pixel(150, 50);  // column 12, row 3: view x 140..160, y 40..60
    EXPECT_NEAR(b[0], 30 + 28 * 6, 2);
    EXPECT_NEAR(b[1], 30 + 28 * 2, 2);
    EXPECT_EQ(ctx.pixel(90, 30)[2], 0);   // left of the first tile: empty
    EXPECT_EQ(ctx.pixel(110, 45)[2], 0);  // above it: empty
}

}  // namespace
