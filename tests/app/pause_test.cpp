// Pause: the world stands still for as long as it lasts, and play goes on
// from the very next frame as if nothing had happened.
#include "app/pause.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/frame.h"
#include "app/input.h"
#include "enemies/enemy.h"
#include "shots/projectile.h"
#include "support/world.h"

namespace {

// Where everything is: the hero, then every creature and shot.
std::vector<float> worldState() {
    std::vector<float> state = {float(g_hero.x), float(g_hero.y), g_hero.vy,
                                float(g_hero.invulnTimer)};
    for (ListNode* n = g_enemies.first; n; n = n->next) {
        const Enemy* e = static_cast<const Enemy*>(n->entity);
        state.insert(state.end(), {float(e->x), float(e->y), e->vy, float(e->dir)});
    }
    for (ListNode* n = g_projectiles.first; n; n = n->next) {
        const Projectile* p = static_cast<const Projectile*>(n->entity);
        state.insert(state.end(), {p->x, p->y});
    }
    return state;
}

// A floor with two walkers; the hero jumps and fires, so that everything moves.
void startScene() {
    resetWorld();
    fillRow(4, 0, 99, 1);
    g_hero.x = 100, g_hero.y = 100;
    for (int x : {300, 500}) spawnFromCode(-5, x, 100);
    g_hero.pressRight();
    g_hero.pressUp();
    fireStraightShot();
}

struct PauseTest : ::testing::Test {
    void TearDown() override {
        g_paused = 0;
        resetWorld();
    }
};

TEST_F(PauseTest, PausedFramesChangeNothingAndPlayResumesOnTheNextFrame) {
    startScene();
    for (int i = 0; i < 40; ++i) runFrame();
    onKeyDown('p', 0, 0);
    runFrame();  // the frame under way ends and leaves its picture
    std::vector<float> atPause = worldState();
    for (int i = 0; i < 1000; ++i) {
        runFrame();
        ASSERT_EQ(worldState(), atPause) << "paused frame " << i;
    }
    onKeyDown('d', 0, 0);  // keys other than pause wait
    onKeyDown(' ', 0, 0);
    ASSERT_EQ(worldState(), atPause);
    onKeyDown('P', 0, 0);
    g_hero.pressRight();  // held through the pause, as a real keyboard would tell
    for (int i = 0; i < 60; ++i) runFrame();
    std::vector<float> resumed = worldState();

    startScene();
    for (int i = 0; i < 101; ++i) runFrame();
    EXPECT_EQ(resumed, worldState());
}

TEST_F(PauseTest, OnlyPlayPauses) {
    resetWorld();
    g_onScreens = 1;
    onKeyDown('p', 0, 0);
    EXPECT_EQ(g_paused, 0);
    g_onScreens = 0;
    pauseGame();
    g_onScreens = 1;  // a screen never shows paused
    runFrame();
    EXPECT_EQ(g_paused, 0);
}

}  // namespace
