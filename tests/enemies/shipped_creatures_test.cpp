// Every creature of the shipped levels, left to itself for 10,000 frames,
// stays in the world, and every one that walks really gets somewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "enemies/enemy.h"
#include "support/shipped.h"

namespace {

constexpr int kFrames = 10000;
constexpr int kWorldSize = 2000;
constexpr int kMinimumTravel = 10;

// Kinds that stand where they were placed: turrets and static snakes.
bool staysPut(int code) {
    return code == -24 || code == -25 || code == -26 || code == -27;
}

// The leaper (-11) travels up and down; everything else left and right.
bool travelsVertically(int code) {
    return code == -11;
}

struct Track {
    Enemy* enemy;
    int low, high;
};

using ShippedCreatures = ShippedLevelTest;

TEST_P(ShippedCreatures, StayInTheWorldAndDoNotTrembleFromTheirSpawn) {
    if (!loadLevel()) GTEST_SKIP() << "level " << GetParam() << " is not built";
    // Nobody on screen and the hero out of reach: the creatures just live.
    g_scrollX = g_scrollY = -100000;
    g_hero.x = g_hero.y = -50000;
    std::vector<Track> tracks;
    for (ListNode* n = g_enemies.first; n; n = n->next) {
        Enemy* e = static_cast<Enemy*>(n->entity);
        int along = travelsVertically(e->code) ? e->y : e->x;
        tracks.push_back({e, along, along});
    }
    ASSERT_FALSE(tracks.empty());
    for (int frame = 0; frame < kFrames; ++frame) {
        g_enemies.processAll();
        g_projectiles.processAll();
        for (Track& t : tracks) {
            const Enemy& e = *t.enemy;
            ASSERT_TRUE(e.x >= 0 && e.x <= kWorldSize && e.y >= 0 && e.y <= kWorldSize)
                << "code " << e.code << " left the world at (" << e.x << ", " << e.y << ")";
            int along = travelsVertically(e.code) ? e.y : e.x;
            t.low = std::min(t.low, along);
            t.high = std::max(t.high, along);
        }
    }
    for (const Track& t : tracks) {
        if (staysPut(t.enemy->code)) continue;
        EXPECT_GE(t.high - t.low, kMinimumTravel)
            << "code " << t.enemy->code << " trembles near (" << t.enemy->x << ", " << t.enemy->y
            << ") on level " << g_levelNumber;
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedCreatures, ::testing::Range(1, 13));

}  // namespace
