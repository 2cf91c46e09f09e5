// The picture rectangle and the pointer mapping, full screen and letterboxed.
#include "app/display.h"

#include <gtest/gtest.h>

namespace {

struct DisplayTest : ::testing::Test {
    void TearDown() override { g_picture = {0, 0, 1024, 768}; }
};

TEST_F(DisplayTest, FullScreenMapsExactlyAsTheFormula) {
    g_picture = fitPicture(1024, 768);
    float px, py;
    windowToView(683, 384, &px, &py);
    EXPECT_FLOAT_EQ(px, static_cast<float>(683 / 3.413));
    EXPECT_FLOAT_EQ(py, 125.0f);
}

TEST_F(DisplayTest, OtherWindowsGetACentredFourByThreePicture) {
    Picture wide = fitPicture(1920, 1080), tall = fitPicture(800, 1000), none = fitPicture(0, -5);
    EXPECT_EQ(wide.left, 240);
    EXPECT_EQ(wide.width, 1440);
    EXPECT_EQ(tall.top, 200);
    EXPECT_EQ(tall.height, 600);
    EXPECT_GE(none.width, 1);
    EXPECT_GE(none.height, 1);
}

TEST_F(DisplayTest, LetterboxedPointerMapsThroughThePicture) {
    g_picture = fitPicture(1920, 1080);
    float px, py;
    windowToView(240 + 512 * 1440 / 1024, 1080 - 384 * 1080 / 768, &px, &py);
    EXPECT_NEAR(px, 512 / 3.413, 0.01);  // the same spot as on the full screen
    EXPECT_NEAR(py, 125.0, 0.01);
    windowToView(10, 540, &px, &py);
    EXPECT_LT(px, 0.0f);  // the bars lie outside the view
}

}  // namespace
