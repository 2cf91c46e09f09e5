// The drawing helper: extension names, and drawing offscreen then headless again.
#include "gfx/draw.h"

#include <gtest/gtest.h>

#include "gfx/offscreen.h"

namespace {

TEST(Extensions, MatchWholeNamesOnly) {
    const char* list = "GLX_ARB_create_context GLX_EXT_swap_control_tear GLX_MESA_swap_control";
    EXPECT_TRUE(hasExtension(list, "GLX_MESA_swap_control"));
    EXPECT_FALSE(hasExtension(list, "GLX_EXT_swap_control") || hasExtension(list, "swap_control") ||
                 hasExtension(nullptr, "GLX_MESA_swap_control"));
    EXPECT_EQ(requestVsync(), nullptr);  // headless: nothing to ask
}

// Where quads land and how their texels show is left to the score-line and
// byte-for-byte pixel tests, and mirroring to the sprites' own tests.
TEST(Offscreen, DrawingIsHeadlessAgainOnceTheContextEnds) {
    EXPECT_TRUE(OffscreenContext(8, 8).ok());
    EXPECT_EQ(g_drawingOn, 0);
}

}  // namespace
