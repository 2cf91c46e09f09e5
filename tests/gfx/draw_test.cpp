// The drawing helper: extension names. What it draws is checked offscreen by
// the score-line and byte-for-byte pixel tests, mirroring by the sprites' own tests.
#include "gfx/draw.h"

#include <gtest/gtest.h>

namespace {

TEST(Extensions, MatchWholeNamesOnly) {
    const char* list = "GLX_ARB_create_context GLX_EXT_swap_control_tear GLX_MESA_swap_control";
    EXPECT_TRUE(hasExtension(list, "GLX_MESA_swap_control"));
    EXPECT_FALSE(hasExtension(list, "GLX_EXT_swap_control") || hasExtension(list, "swap_control") ||
                 hasExtension(nullptr, "GLX_MESA_swap_control"));
    EXPECT_EQ(requestVsync(), nullptr);  // headless: nothing to ask
}

}  // namespace
