// Text, level tiles and the HUD: what is drawn where, headless and offscreen.
#include "gfx/scene.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/font.h"
#include "gfx/offscreen.h"
#include "support/world_test.h"

namespace {

struct SceneTest : WorldTest {
    void SetUp() override {
        WorldTest::SetUp();
        buildFont();
    }
    void TearDown() override {
        blendNormal();
        WorldTest::TearDown();
    }
};

// The whole grid walked cell by cell, the way a frame would without the shortcut.
std::vector<DrawCall> drawEveryCell() {
    DrawCapture capture;
    for (int row = 0; row < kGridSize; ++row)
        for (int col = 0; col < kGridSize; ++col)
            if (g_level.grid[row][col] >= 0 && tileInView(row, col))
                drawTile(g_level.grid[row][col], row, col);
    return capture.calls;
}

// Which sheet and cell each tile code takes is checked against the art's own table.
TEST_F(SceneTest, TheStartShowsColumns0To14AndTheCameraMovesTilesTheOtherWay) {
    fillRow(0, 0, 99, 9);
    g_level.grid[1][3] = 200;  // past the water sheet's last row, drawn from it all the same
    DrawCapture capture;
    g_level.draw();
    ASSERT_EQ(capture.calls.size(), 16u);
    EXPECT_FLOAT_EQ(capture.calls[14].x0, 280);
    EXPECT_EQ(capture.calls[15].texture, kTexWater);
    g_scrollX = 250, g_scrollY = 10;
    capture.calls.clear();
    g_level.draw();
    EXPECT_FLOAT_EQ(capture.calls.at(0).x0, 0);  // column 5
    EXPECT_FLOAT_EQ(capture.calls.at(0).y0, -10);
}

TEST_F(SceneTest, ShortcutDrawsExactlyWhatAWalkOfEveryCellDraws) {
    std::mt19937 rng(7);
    for (auto& row : g_level.grid)
        for (int& cell : row) cell = rng() % 3 == 0 ? static_cast<int>(rng() % 140) : -1;
    const int edges[4][2] = {{150, 0}, {170, 20}, {-500, -500}, {2500, 2500}};
    for (int i = 0; i < 200; ++i) {
        g_scrollX = i < 4 ? edges[i][0] : static_cast<int>(rng() % 2400) - 200;
        g_scrollY = i < 4 ? edges[i][1] : static_cast<int>(rng() % 2400) - 200;
        std::vector<DrawCall> all = drawEveryCell();
        DrawCapture capture;
        g_level.draw();
        ASSERT_EQ(capture.calls.size(), all.size()) << g_scrollX << "," << g_scrollY;
        // Every field of every call, in the same order (a call has no padding).
        ASSERT_TRUE(all.empty() || std::memcmp(capture.calls.data(), all.data(),
                                               all.size() * sizeof(DrawCall)) == 0)
            << g_scrollX << "," << g_scrollY;
    }
}

TEST_F(SceneTest, HudShowsHeadsForLivesGlowsForShotsAndNothingForNone) {
    DrawCapture capture;
    drawHud();
    ASSERT_EQ(capture.calls.size(), 6u + 15u);
    EXPECT_FLOAT_EQ(capture.calls[5].x1, 70);
    EXPECT_FLOAT_EQ(capture.calls[0].tex.s0, 0.2f);
    EXPECT_EQ(capture.calls[6].additive, 1);
    EXPECT_FLOAT_EQ(capture.calls[6].color[0], 0.7f);
    EXPECT_FLOAT_EQ(capture.calls.back().x1, 290);
    g_lives = g_ammo = 0;
    blendNormal();
    bindTexture(kTexWater);
    drawHud();
    drawQuad(0, 0, 1, 1, {0, 0, 1, 1});
    EXPECT_EQ(capture.calls.back().texture, kTexWater);  // nothing bound, blending kept
    EXPECT_EQ(capture.calls.back().additive, 0);
}

// The score line as play draws it, on black with the built font: every
// glyph shows its letter inside its cell and keeps its outermost pixels dark,
// so no glyph shows a trace of its neighbours on the sheet. A control byte
// has no glyph and takes no room.
TEST_F(SceneTest, TextShowsEachGlyphInItsCellWithNoMarksAlongItsEdges) {
    constexpr int kScale = 3;  // pixels per view unit
    OffscreenContext ctx(300 * kScale, 250 * kScale);
    ASSERT_TRUE(ctx.ok());
    ASSERT_TRUE(g_bitmap.loadBmp(DORIAN_DATA_DIR "/font.bmp"));
    g_bitmap.makeTexture(kTexFont);
    clearScreen();
    blendAdditive();
    setColor(1, 1, 1, 1);
    const char* text = "SCORE: 0";
    printText(120, 240, "SCORE:\t 0\n");
    ctx.finish();
    auto lit = [&](int x, int y) {
        const unsigned char* p = ctx.pixel(x, y);
        return p[0] + p[1] + p[2] > 0;
    };
    const int size = kGlyphSize * kScale, y0 = 240 * kScale;
    for (int i = 0; text[i]; ++i) {
        const int x0 = (120 + kGlyphSize * i) * kScale;
        bool edge = false, inside = false;
        for (int d = 0; d < size; ++d) {
            edge |= lit(x0 + d, y0) || lit(x0 + d, y0 + size - 1) || lit(x0, y0 + d) ||
                    lit(x0 + size - 1, y0 + d);
            for (int e = 1; e < size - 1; ++e) inside |= lit(x0 + d, y0 + e);
        }
        EXPECT_FALSE(edge) << "glyph '" << text[i] << "'";
        EXPECT_EQ(inside, text[i] != ' ') << "glyph '" << text[i] << "'";
    }
}

}  // namespace
