// The picture rectangle and the pointer mapping in game mode and letterboxed.
#include "app/display.h"

#include <gtest/gtest.h>

namespace {

struct DisplayTest : ::testing::Test {
    void TearDown() override { g_picture = {0, 0, 1024, 768}; }
};

TEST_F(DisplayTest, GameModeScreenMapsExactlyAsTheFormula) {
    g_picture = fitPicture(1024, 768);
    EXPECT_EQ(g_picture.left, 0);
    EXPECT_EQ(g_picture.top, 0);
    EXPECT_EQ(g_picture.width, 1024);
    EXPECT_EQ(g_picture.height, 768);
    float px, py;
    windowToView(683, 384, &px, &py);
    EXPECT_FLOAT_EQ(px, static_cast<float>(683 / 3.413));
    EXPECT_FLOAT_EQ(py, static_cast<float>((768 - 384) / 3.072));
    EXPECT_NEAR(px, 200.12f, 0.01f);
    EXPECT_FLOAT_EQ(py, 125.0f);
    windowToView(0, 768, &px, &py);
    EXPECT_FLOAT_EQ(px, 0.0f);
    EXPECT_FLOAT_EQ(py, 0.0f);
}

TEST_F(DisplayTest, WideWindowGetsBarsLeftAndRight) {
    Picture p = fitPicture(1920, 1080);
    EXPECT_EQ(p.width, 1440);
    EXPECT_EQ(p.height, 1080);
    EXPECT_EQ(p.left, 240);
    EXPECT_EQ(p.top, 0);
}

TEST_F(DisplayTest, TallWindowGetsBarsAboveAndBelow) {
    Picture p = fitPicture(800, 1000);
    EXPECT_EQ(p.width, 800);
    EXPECT_EQ(p.height, 600);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.top, 200);
}

TEST_F(DisplayTest, DegenerateWindowSizesGiveAUsablePicture) {
    Picture p = fitPicture(0, -5);
    EXPECT_GE(p.width, 1);
    EXPECT_GE(p.height, 1);
}

TEST_F(DisplayTest, LetterboxedPointerMapsThroughThePicture) {
    g_picture = fitPicture(1920, 1080);  // 1440 x 1080 at x 240
    float px, py;
    // The picture's corners are the view's corners.
    windowToView(240, 1080, &px, &py);
    EXPECT_NEAR(px, 0.0f, 1e-4);
    EXPECT_NEAR(py, 0.0f, 1e-4);
    windowToView(240 + 1440, 0, &px, &py);
    EXPECT_NEAR(px, 1024 / 3.413, 1e-3);
    EXPECT_NEAR(py, 768 / 3.072, 1e-3);
    // The same spot of the picture maps as it does on the game-mode screen.
    windowToView(240 + 512 * 1440 / 1024, 1080 - 384 * 1080 / 768, &px, &py);
    EXPECT_NEAR(px, 512 / 3.413, 0.01);
    EXPECT_NEAR(py, 125.0, 0.01);
    // The black bars map outside the view.
    windowToView(10, 540, &px, &py);
    EXPECT_LT(px, 0.0f);
}

}  // namespace
