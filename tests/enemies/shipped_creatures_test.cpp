// Every creature of the shipped levels, left to itself for 10,000 frames,
// stays in the world, and every one that walks really gets somewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "enemies/enemy.h"
#include "support/shipped.h"

namespace {

constexpr int kFrames = 10000;
constexpr int kWorldSize = 2000;
constexpr int kMinimumTravel = 10;
constexpr int kLeaper = -11;  // travels up and down; everything else left and right

using ShippedCreatures = ShippedLevelTest;

TEST_P(ShippedCreatures, StayInTheWorldAndDoNotTrembleFromTheirSpawn) {
    if (!loadLevel()) GTEST_SKIP() << "level " << GetParam() << " is not built";
    // Nobody on screen and the hero out of reach: the creatures just live.
    g_scrollX = g_scrollY = -100000;
    g_hero.x = g_hero.y = -50000;
    auto along = [](const Enemy* e) { return e->code == kLeaper ? e->y : e->x; };
    std::vector<Enemy*> enemies;
    std::vector<int> low, high;
    for (ListNode* n = g_enemies.first; n; n = n->next) {
        enemies.push_back(static_cast<Enemy*>(n->entity));
        low.push_back(along(enemies.back())), high.push_back(along(enemies.back()));
    }
    ASSERT_FALSE(enemies.empty());
    for (int frame = 0; frame < kFrames; ++frame) {
        g_enemies.processAll();
        g_projectiles.processAll();
        for (size_t i = 0; i < enemies.size(); ++i) {
            const Enemy* e = enemies[i];
            ASSERT_TRUE(e->x >= 0 && e->x <= kWorldSize && e->y >= 0 && e->y <= kWorldSize)
                << "code " << e->code << " left the world at (" << e->x << ", " << e->y << ")";
            low[i] = std::min(low[i], along(e)), high[i] = std::max(high[i], along(e));
        }
    }
    // Turrets and static snakes (-27 to -24) stand where they were placed.
    for (size_t i = 0; i < enemies.size(); ++i)
        EXPECT_TRUE((enemies[i]->code >= -27 && enemies[i]->code <= -24) ||
                    high[i] - low[i] >= kMinimumTravel)
            << "code " << enemies[i]->code << " trembles near (" << enemies[i]->x << ", "
            << enemies[i]->y << ") on level " << g_levelNumber;
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedCreatures, ::testing::Range(1, 13));

}  // namespace
