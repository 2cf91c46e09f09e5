// Random play on every shipped level, 100,000 headless frames each: nothing
// crashes, the lists stay consistent, shots stay bounded, positions stay sane.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "app/frame.h"
#include "app/input.h"
#include "enemies/enemy.h"
#include "shots/projectile.h"
#include "support/shipped.h"

namespace {

constexpr int kFrames = 100000;
constexpr int kMaxShots = 1000;
constexpr int kCheckEvery = 97;
constexpr int kFarOutside = 1000000;

bool sane(int v) {
    return v >= -kFarOutside && v <= kFarOutside;
}

// One random input: a key pressed or released, a click, or nothing.
void randomInput(std::mt19937& rng) {
    static const unsigned char kKeys[] = {'a', 'd', 'w', 's', ' ', 'b', 'm', 13};
    static const int kSpecial[] = {GLUT_KEY_LEFT, GLUT_KEY_RIGHT, GLUT_KEY_UP, GLUT_KEY_DOWN};
    const unsigned kind = rng() % 12;
    if (kind == 0) onKeyDown(kKeys[rng() % 8], 0, 0);
    if (kind == 1) onKeyUp(kKeys[rng() % 8], 0, 0);
    if (kind == 2) onSpecialDown(kSpecial[rng() % 4], 0, 0);
    if (kind == 3) onSpecialUp(kSpecial[rng() % 4], 0, 0);
    if (kind == 4)
        onMouse(GLUT_LEFT_BUTTON, rng() % 2 ? GLUT_DOWN : GLUT_UP, rng() % 1024, rng() % 768);
}

using Soak = ShippedLevelTest;

TEST_P(Soak, RandomPlayKeepsTheWorldSound) {
    if (!loadLevel()) GTEST_SKIP() << "level " << GetParam() << " is not built";
    g_hero.placeAtStart();
    std::mt19937 rng(1000 + GetParam());
    testing::internal::CaptureStdout();  // background reloads on level changes
    for (int frame = 0; frame < kFrames; ++frame) {
        if (rng() % 6 == 0) randomInput(rng);
        if (g_onScreens && rng() % 50 == 0) onKeyDown(13, 0, 0);  // back into play
        runFrame();
        if (frame % kCheckEvery) continue;
        ASSERT_LE(countOf(g_projectiles), kMaxShots) << "frame " << frame;
        ASSERT_TRUE(listSound(g_projectiles) && listSound(g_enemies) && listSound(g_items));
        ASSERT_TRUE(sane(g_hero.x) && sane(g_hero.y) && std::isfinite(g_hero.vy))
            << "frame " << frame;
        for (ListNode* n = g_projectiles.first; n; n = n->next) {
            const Projectile* p = static_cast<const Projectile*>(n->entity);
            ASSERT_TRUE(std::isfinite(p->x) && std::isfinite(p->y)) << "frame " << frame;
        }
        for (ListNode* n = g_enemies.first; n; n = n->next) {
            const Enemy* e = static_cast<const Enemy*>(n->entity);
            ASSERT_TRUE(sane(e->x) && sane(e->y)) << "code " << e->code << ", frame " << frame;
        }
    }
    testing::internal::GetCapturedStdout();
}

INSTANTIATE_TEST_SUITE_P(Levels, Soak, ::testing::Range(1, 13));

}  // namespace
