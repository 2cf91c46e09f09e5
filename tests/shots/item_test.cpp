// Pick-ups: the collection box, the extra life and the sparkle.
#include "shots/item.h"

#include <gtest/gtest.h>

#include "support/world_test.h"

namespace {

using ItemTest = WorldTest;

TEST_F(ItemTest, CollectedOnlyWithinItsOpenBox) {
    g_hero.dying = 1;  // the hero's state does not matter
    const struct {
        int hx, hy;
        bool collected;
    } cases[] = {{100, 100, false}, {101, 100, true}, {124, 100, true}, {125, 100, false},
                 {110, 99, false},  {110, 119, true}, {110, 120, false}};
    for (const auto& c : cases) {
        g_items.clear();
        Item* item = spawnItem(-100, 100, 100);
        g_hero.x = c.hx, g_hero.y = c.hy;
        g_items.processAll();
        EXPECT_EQ(item->collected == 1, c.collected) << c.hx << "," << c.hy;
    }
    EXPECT_EQ(g_lastEffect, kEffectPickup);
}

TEST_F(ItemTest, ExtraLifeIsDrawnFromItsCellAndPaysOnce) {
    spawnItem(kExtraLifeCode, 100, 100);  // cell 6: row 1, column 0
    g_hero.x = 500;
    DrawCapture capture;
    g_items.processAll();
    EXPECT_FLOAT_EQ(capture.calls.at(0).tex.s0, 0.0f);
    EXPECT_FLOAT_EQ(capture.calls.at(0).tex.t0, 0.1667f);
    g_hero.x = 110, g_hero.y = 100;
    g_items.processAll();
    g_items.processAll();
    EXPECT_EQ(g_lives, 7);
    EXPECT_EQ(g_score, 100u);
}

TEST_F(ItemTest, SparklePausesOffScreenAndResumes) {
    Item* item = spawnItem(-100, 100, 100);
    g_hero.x = 110, g_hero.y = 100;
    for (int i = 0; i < 3; ++i) g_items.processAll();
    EXPECT_EQ(item->sparkleTimer, 4);
    g_scrollX = 1000;
    g_items.processAll();
    EXPECT_EQ(item->sparkleTimer, 4);
    g_scrollX = 150;
    DrawCapture capture;
    for (int i = 0; i < 12; ++i) g_items.processAll();
    EXPECT_EQ(item->sparkleTimer, 20);
    EXPECT_EQ(capture.calls.size(), 8u);
    EXPECT_FLOAT_EQ(capture.calls.back().x1 - capture.calls.back().x0, 44);  // half size 22
}

}  // namespace
