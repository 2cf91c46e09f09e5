// The drawing helper: what it records headless and what it renders offscreen.
#include "gfx/draw.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/offscreen.h"

namespace {

TEST(Extensions, MatchWholeNamesOnly) {
    const char* list = "GLX_ARB_create_context GLX_EXT_swap_control_tear GLX_MESA_swap_control";
    EXPECT_TRUE(hasExtension(list, "GLX_MESA_swap_control"));
    EXPECT_TRUE(hasExtension(list, "GLX_ARB_create_context"));
    EXPECT_FALSE(hasExtension(list, "GLX_EXT_swap_control"));
    EXPECT_FALSE(hasExtension(list, "GLX_SGI_swap_control"));
    EXPECT_FALSE(hasExtension(list, "swap_control"));
    EXPECT_FALSE(hasExtension(nullptr, "GLX_MESA_swap_control"));
    EXPECT_FALSE(hasExtension(list, ""));
    EXPECT_TRUE(hasExtension("GLX_SGI_swap_control", "GLX_SGI_swap_control"));
}

TEST(Headless, VsyncIsNotRequestedWithoutDrawing) {
    ASSERT_EQ(g_drawingOn, 0);
    EXPECT_EQ(requestVsync(), nullptr);
}

TEST(Headless, QuadsAreRecordedWithTheStateTheyWereDrawnIn) {
    std::vector<DrawCall> log;
    g_drawLog = &log;
    bindTexture(8);
    setColor(0.7f, 0, 0.7f, 0.6f);
    blendAdditive();
    drawQuad(10, 20, 30, 40, {0, 0.75f, 0.25f, 1});
    blendNormal();
    setColor(1, 1, 1, 1);
    drawQuad(0, 0, 5, 5, {0.2f, 0.8f, 0.4f, 1.0f}, -1);
    g_drawLog = nullptr;

    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].texture, 8u);
    EXPECT_EQ(log[0].additive, 1);
    EXPECT_FLOAT_EQ(log[0].color[3], 0.6f);
    EXPECT_FLOAT_EQ(log[0].x1, 30);
    EXPECT_FLOAT_EQ(log[0].tex.s0, 0);
    EXPECT_EQ(log[1].additive, 0);
    // Facing left swaps the s coordinates of the quad's edges.
    EXPECT_FLOAT_EQ(log[1].tex.s0, 0.4f);
    EXPECT_FLOAT_EQ(log[1].tex.s1, 0.2f);
    EXPECT_FLOAT_EQ(log[1].tex.t0, 0.8f);
}

// A 2 by 1 texture: red on the left, pure black (transparent) on the right.
std::vector<unsigned char> redAndClear() { return {255, 0, 0, 255, 0, 0, 0, 0}; }

TEST(Offscreen, QuadLandsWhereTheViewSaysWithBlackTexelsLeftOut) {
    OffscreenContext ctx(300, 250);  // one pixel per view unit
    ASSERT_TRUE(ctx.ok());
    std::vector<unsigned char> tex = redAndClear();
    uploadTexture(3, 2, 1, tex.data());
    clearScreen();
    bindTexture(3);
    setColor(1, 1, 1, 1);
    drawQuad(100, 50, 140, 70, {0, 0, 1, 1});
    ctx.finish();

    const unsigned char* inside = ctx.pixel(105, 60);
    EXPECT_GT(inside[0], 200);
    EXPECT_LT(inside[1], 30);
    const unsigned char* transparentHalf = ctx.pixel(136, 60);
    EXPECT_LT(transparentHalf[0], 30);
    const unsigned char* outside = ctx.pixel(90, 60);
    EXPECT_EQ(outside[0], 0);
    const unsigned char* above = ctx.pixel(105, 75);
    EXPECT_EQ(above[0], 0);
}

TEST(Offscreen, MirroredQuadPutsTheOpaqueTexelOnTheOtherSide) {
    OffscreenContext ctx(300, 250);
    ASSERT_TRUE(ctx.ok());
    std::vector<unsigned char> tex = redAndClear();
    uploadTexture(3, 2, 1, tex.data());
    clearScreen();
    bindTexture(3);
    drawQuad(100, 50, 140, 70, {0, 0, 1, 1}, -1);
    ctx.finish();
    EXPECT_LT(ctx.pixel(104, 60)[0], 30);
    EXPECT_GT(ctx.pixel(136, 60)[0], 200);
}

TEST(Offscreen, HeadlessAgainAfterTheContextEnds) {
    {
        OffscreenContext ctx(16, 16);
        EXPECT_EQ(g_drawingOn, 1);
    }
    EXPECT_EQ(g_drawingOn, 0);
}

}  // namespace
