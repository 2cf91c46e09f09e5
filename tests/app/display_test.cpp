// The picture rectangle and the pointer mapping, in every window shape.
#include "app/display.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/input.h"
#include "shots/projectile.h"
#include "support/world.h"

namespace {

struct DisplayTest : ::testing::Test {
    void TearDown() override {
        g_picture = {0, 0, 1024, 768};
        resetWorld();
    }
};

TEST_F(DisplayTest, FullScreenMapsExactlyAsTheFormula) {
    g_picture = fitPicture(1024, 768);
    float px, py;
    windowToView(683, 384, &px, &py);
    EXPECT_FLOAT_EQ(px, static_cast<float>(683 / 3.413));
    EXPECT_FLOAT_EQ(py, 125.0f);
}

// Full screen on a screen that is not 4:3 (a real mode switch that lands
// elsewhere, or a full-screen window): the picture is letterboxed and a shot
// aimed level with the gun flies level.
TEST_F(DisplayTest, EveryWindowShapeLetterboxesAndAimsTrue) {
    struct Shape {
        int width, height;
        Picture picture;
    };
    const Shape shapes[] = {{1024, 768, {0, 0, 1024, 768}},
                            {1280, 1024, {0, 32, 1280, 960}},
                            {1920, 1080, {240, 0, 1440, 1080}},
                            {800, 1000, {0, 200, 800, 600}}};
    for (const Shape& s : shapes) {
        onReshape(s.width, s.height);
        EXPECT_EQ(g_picture.left, s.picture.left) << s.width;
        EXPECT_EQ(g_picture.top, s.picture.top) << s.width;
        EXPECT_EQ(g_picture.width, s.picture.width) << s.width;
        EXPECT_EQ(g_picture.height, s.picture.height) << s.width;
        // The window pixel of the view point 100 units ahead of the muzzle, level with it.
        resetWorld();
        g_hero.screenX = 100;
        g_hero.screenY = 100;
        float viewX = 100 + 12 + 100, viewY = 100 + 7;
        int x = g_picture.left + static_cast<int>(std::lround(viewX * g_picture.width / 300.0));
        int y = g_picture.top + g_picture.height -
                static_cast<int>(std::lround(viewY * g_picture.height / 250.0));
        float px, py;
        windowToView(x, y, &px, &py);
        fireAimedShotAt(px, py);
        const Projectile* shot = static_cast<const Projectile*>(g_projectiles.last->entity);
        EXPECT_LT(std::fabs(std::atan2(shot->vy, shot->vx)), 0.02) << s.width << "x" << s.height;
    }
    Picture none = fitPicture(0, -5);
    EXPECT_GE(none.width, 1);
    EXPECT_GE(none.height, 1);
    onReshape(1920, 1080);
    float px, py;
    windowToView(10, 540, &px, &py);
    EXPECT_LT(px, 0.0f);  // the bars lie outside the view
}

}  // namespace
