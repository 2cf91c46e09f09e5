// The drawing helper: extension names, and what it renders offscreen.
#include "gfx/draw.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/offscreen.h"

namespace {

TEST(Extensions, MatchWholeNamesOnly) {
    const char* list = "GLX_ARB_create_context GLX_EXT_swap_control_tear GLX_MESA_swap_control";
    EXPECT_TRUE(hasExtension(list, "GLX_MESA_swap_control"));
    EXPECT_FALSE(hasExtension(list, "GLX_EXT_swap_control") || hasExtension(list, "swap_control") ||
                 hasExtension(nullptr, "GLX_MESA_swap_control"));
    EXPECT_EQ(requestVsync(), nullptr);  // headless: nothing to ask
}

TEST(Offscreen, QuadsLandWhereTheViewSaysWithBlackTexelsLeftOut) {
    {
        OffscreenContext ctx(300, 250);  // one pixel per view unit
        ASSERT_TRUE(ctx.ok());
        std::vector<unsigned char> tex = {255, 0, 0, 255, 0, 0, 0, 0};  // red, then clear
        uploadTexture(3, 2, 1, tex.data());
        clearScreen();
        bindTexture(3);
        drawQuad(100, 50, 140, 70, {0, 0, 1, 1});
        drawQuad(200, 50, 240, 70, {0, 0, 1, 1}, -1);
        ctx.finish();
        EXPECT_GT(ctx.pixel(105, 60)[0], 200);
        EXPECT_LT(ctx.pixel(136, 60)[0], 30);
        EXPECT_EQ(ctx.pixel(90, 60)[0], 0);
        EXPECT_LT(ctx.pixel(204, 60)[0], 30);  // mirrored: the red texel on the right
        EXPECT_GT(ctx.pixel(236, 60)[0], 200);
    }
    EXPECT_EQ(g_drawingOn, 0);  // headless again once the context ends
}

}  // namespace
