// The picture rectangle and the pointer mapping, in every window shape.
#include "app/display.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "app/input.h"
#include "shots/projectile.h"
#include "support/world.h"

namespace {

std::array<int, 4> sides(const Picture& p) {
    return {p.left, p.top, p.width, p.height};
}

// Full screen on a screen that is not 4:3 (a real mode switch that lands
// elsewhere, or a full-screen window): the picture is letterboxed and a shot
// aimed 45 degrees up from the gun flies that way.
TEST(DisplayTest, EveryWindowShapeLetterboxesAndAimsTrue) {
    const struct {
        int width, height;
        Picture picture;
    } shapes[] = {{1024, 768, {0, 0, 1024, 768}},
                  {1280, 1024, {0, 32, 1280, 960}},
                  {1920, 1080, {240, 0, 1440, 1080}},
                  {800, 1000, {0, 200, 800, 600}}};
    float px, py;
    for (const auto& s : shapes) {
        onReshape(s.width, s.height);
        EXPECT_EQ(sides(g_picture), sides(s.picture)) << s.width;
        // The window pixel of the view point 100 units ahead of the muzzle and 100 above it.
        resetWorld();
        g_hero.screenX = 100;
        g_hero.screenY = 100;
        float viewX = 100 + 12 + 100, viewY = 100 + 7 + 100;
        int x = g_picture.left + static_cast<int>(std::lround(viewX * g_picture.width / 300.0));
        int y = g_picture.top + g_picture.height -
                static_cast<int>(std::lround(viewY * g_picture.height / 250.0));
        onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
        const Projectile* shot = static_cast<const Projectile*>(g_projectiles.last->entity);
        EXPECT_NEAR(std::atan2(shot->vy, shot->vx), M_PI / 4, 0.02) << s.width << "x" << s.height;
    }
    Picture none = fitPicture(0, -5);
    EXPECT_TRUE(none.width >= 1 && none.height >= 1);
    // The full 1024 by 768 screen maps by the game's own factor.
    g_picture = fitPicture(1024, 768);
    windowToView(683, 384, &px, &py);
    EXPECT_FLOAT_EQ(px, static_cast<float>(683 / 3.413));
    EXPECT_FLOAT_EQ(py, 125.0f);
    resetWorld();
}

}  // namespace
