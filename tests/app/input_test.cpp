// The held-state model: key sequences that once left the hero walking alone.
#include "app/input.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/controls.h"
#include "app/frame.h"
#include "app/screens.h"
#include "support/world.h"

namespace {

constexpr unsigned char kEnter = 13;

struct InputTest : ::testing::Test {
    void SetUp() override {
        resetWorld();
        letGoOfEverything();
    }
    void TearDown() override {
        letGoOfEverything();
        resetWorld();
    }
};

struct Sequence {
    const char* name;
    std::function<void()> keys;
    int dx;  // the hero's step afterwards
};

TEST_F(InputTest, EveryDirectionIsHeldOrNotWhateverFeedsIt) {
    const std::vector<Sequence> sequences = {
        {"d, Shift, d released as D, Shift",
         [] {
             onKeyDown('d', 0, 0);
             onKeyUp('D', 0, 0);
         },
         0},
        {"Caps Lock: D down, d up",
         [] {
             onKeyDown('D', 0, 0);
             onKeyUp('d', 0, 0);
         },
         0},
        {"a and Left together walk at one step",
         [] {
             onKeyDown('a', 0, 0);
             onSpecialDown(GLUT_KEY_LEFT, 0, 0);
         },
         -1},
        {"d and Right: releasing one keeps walking",
         [] {
             onKeyDown('d', 0, 0);
             onSpecialDown(GLUT_KEY_RIGHT, 0, 0);
             onKeyUp('d', 0, 0);
         },
         1},
        {"releases of keys never pressed in play",
         [] {
             onKeyUp('a', 0, 0);
             onSpecialUp(GLUT_KEY_LEFT, 0, 0);
             onKeyUp('a', 0, 0);
         },
         0},
        {"a held on the menu, Enter, a released",
         [] {
             g_onScreens = 1;
             onKeyDown('a', 0, 0);
             onSpecialDown(GLUT_KEY_LEFT, 0, 0);
             onKeyDown(kEnter, 0, 0);
             onKeyUp('a', 0, 0);
             onSpecialUp(GLUT_KEY_LEFT, 0, 0);
         },
         0},
        {"a held when play ends, released on the menu, next game",
         [] {
             onKeyDown('a', 0, 0);
             g_onScreens = 1;
             onKeyUp('a', 0, 0);
             onKeyDown(kEnter, 0, 0);
         },
         0},
        {"d held when the window loses the keyboard, released elsewhere",
         [] {
             onKeyDown('d', 0, 0);
             letGoOfEverything();
             onKeyDown('a', 0, 0);
             onKeyUp('a', 0, 0);
         },
         0},
    };
    for (const Sequence& s : sequences) {
        SetUp();
        s.keys();
        EXPECT_EQ(g_hero.dx, s.dx) << s.name;
        EXPECT_EQ(g_onScreens, 0) << s.name;
    }
}

TEST_F(InputTest, ARespawnForgetsTheHeldKeys) {
    g_lives = 2;
    onKeyDown('d', 0, 0);
    onKeyDown('s', 0, 0);
    g_hero.y = -100;  // fallen out of the level
    playFrame();
    EXPECT_EQ(g_lives, 1);
    EXPECT_EQ(g_hero.dx, 0);
    EXPECT_EQ(g_hero.ducking, 0);
    EXPECT_FALSE(directionHeld(kDirRight) || directionHeld(kDirDown));
    onKeyUp('d', 0, 0);  // the release after the respawn changes nothing
    EXPECT_EQ(g_hero.dx, 0);
}

}  // namespace
