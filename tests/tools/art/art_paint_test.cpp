// The drawing commands of the art sources, checked pixel by pixel on small canvases.
#include <gtest/gtest.h>

#include "art/paint.h"
#include "art/source.h"

namespace {

const Rgba kWhite = opaqueRgb(255, 255, 255);

Image paintOne(const std::string& body, int w, int h) {
    ArtLibrary lib;
    parseArtSource("t.txt",
                   "legend\n  w #ffffff\n  k #141018\nend\n"
                   "art bar 3 1\n|www|\nend\n"
                   "art t " +
                       std::to_string(w) + " " + std::to_string(h) + "\n" + body + "end\n",
                   lib);
    Painter painter(lib);
    return painter.art("t", {});
}

std::string mask(const Image& img) {
    std::string s;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) s += img.at(x, y).opaque() ? '#' : '.';
        s += '\n';
    }
    return s;
}

TEST(ArtPaint, OutlineRingsShapesWithoutTouchingThem) {
    const Image img = paintOne("rect 2 2 2 1 w\noutline k\n", 6, 5);
    EXPECT_EQ(mask(img), "......\n..##..\n.####.\n..##..\n......\n");
    EXPECT_EQ(img.at(2, 2), kWhite);
    EXPECT_EQ(img.at(1, 2), opaqueRgb(20, 16, 24));
}

TEST(ArtPaint, TrianglesFillTheSameWhicheverWayRound) {
    const Image a = paintOne("tri 0 0 8 0 0 8 w\n", 8, 8);
    const Image b = paintOne("tri 0 8 8 0 0 0 w\n", 8, 8);
    EXPECT_EQ(mask(a), mask(b));
    EXPECT_TRUE(a.at(0, 0).opaque());
    EXPECT_TRUE(a.at(3, 3).opaque());
    EXPECT_FALSE(a.at(5, 5).opaque());
}

TEST(ArtPaint, LayersTurnAndMirror) {
    EXPECT_EQ(mask(paintOne("layer bar 0 0 rot90\n", 3, 3)), "#..\n#..\n#..\n");
    EXPECT_EQ(mask(paintOne("layer bar 0 2\n", 3, 3)), "...\n...\n###\n");
    const Image turned = paintOne("layer bar 1 0 rot270\n", 3, 3);
    EXPECT_EQ(mask(turned), ".#.\n.#.\n.#.\n");
}

TEST(ArtPaint, BricksOffsetEveryOtherCourse) {
    const Image img = paintOne("fill w\nbricks 0 0 8 6 4 3 k\n", 8, 6);
    auto mortar = [&](int x, int y) { return img.at(x, y) == opaqueRgb(20, 16, 24); };
    for (int x = 0; x < 8; ++x) EXPECT_TRUE(mortar(x, 0) && mortar(x, 3));
    EXPECT_TRUE(mortar(0, 1) && mortar(4, 1));  // first course: joints at 0 and 4
    EXPECT_TRUE(mortar(2, 4) && mortar(6, 4));  // second course: shifted by half a brick
    EXPECT_FALSE(mortar(0, 4) || mortar(2, 1));
}

TEST(ArtPaint, GlowOverClearOnlyShowsAboveItsFloor) {
    const Image soft = paintOne("glow 10 10 10 #ffffff 1\n", 20, 20);
    const Image hard = paintOne("glow 10 10 10 #ffffff 1 128\n", 20, 20);
    int softCount = 0, hardCount = 0;
    for (int i = 0; i < 400; ++i) {
        softCount += soft.at(i % 20, i / 20).opaque();
        hardCount += hard.at(i % 20, i / 20).opaque();
    }
    EXPECT_GT(softCount, hardCount);
    EXPECT_GT(hardCount, 0);
    EXPECT_FALSE(soft.at(0, 0).opaque());             // outside the radius nothing is lit
    EXPECT_EQ(soft.at(10, 10).r, soft.at(10, 10).b);  // white light stays grey
}

TEST(ArtPaint, FittingScalesByNearestPixelAndMirrors) {
    Image src(2, 1);
    src.set(0, 0, kWhite);
    Image dst(6, 2);
    fitInto(src, dst, 0, 0, 6, 2);
    EXPECT_EQ(mask(dst), "###...\n###...\n");
    Image flipped(6, 2);
    fitInto(src, flipped, 0, 0, 6, 2, true);
    EXPECT_EQ(mask(flipped), "...###\n...###\n");
    Image none(6, 2);
    fitInto(src, none, 3, 0, 3, 2);  // an empty rectangle paints nothing
    EXPECT_EQ(mask(none), "......\n......\n");
}

}  // namespace
