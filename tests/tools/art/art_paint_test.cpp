// The drawing commands of the art sources, checked pixel by pixel on small canvases.
#include <gtest/gtest.h>

#include "art/paint.h"
#include "art/source.h"

namespace {

const Rgba kWhite = opaqueRgb(255, 255, 255);
const Rgba kRose = opaqueRgb(200, 10, 20);

// Paints `body` as art t of w by h, beside a named colour, a legend and two small arts.
Image paintOne(const std::string& body, int w, int h) {
    ArtLibrary lib;
    parseArtSource("t.txt",
                   "color rose 200 10 20\n"
                   "legend\n  w #ffffff\n  k #141018\n  r rose\n  g #00ff00\nend\n"
                   "art bar 3 1\n|www|\nend\n"
                   "art dot 3 2\n|r.g|\n|rr.|\nend\n"
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

TEST(ArtPaint, ShapesOutlinesAndLayersCoverWhatTheySay) {
    const struct {
        const char* body;
        int w, h;
        const char* mask;
    } cases[] = {
        {"rect 2 2 2 1 w\noutline k\n", 6, 5, "......\n..##..\n.####.\n..##..\n......\n"},
        {"tri 0 0 4 0 0 4 w\n", 4, 4, "####\n###.\n##..\n#...\n"},
        {"tri 0 4 4 0 0 0 w\n", 4, 4, "####\n###.\n##..\n#...\n"},  // either way round
        {"layer bar 0 0 rot90\n", 3, 3, "#..\n#..\n#..\n"},
        {"layer bar 1 0 rot270\n", 3, 3, ".#.\n.#.\n.#.\n"},
        {"layer bar 0 2\n", 3, 3, "...\n...\n###\n"},
        {"layer dot 0 0\nlayer dot 3 0 flipx\n", 6, 2, "#.##.#\n##..##\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(mask(paintOne(c.body, c.w, c.h)), c.mask) << c.body;
    const Image outlined = paintOne(cases[0].body, 6, 5);
    EXPECT_EQ(outlined.at(2, 2), kWhite);  // the outline leaves the shape alone
    EXPECT_EQ(outlined.at(1, 2), opaqueRgb(20, 16, 24));
    const Image replaced = paintOne("layer dot 0 0\nreplace g r\n", 3, 2);
    EXPECT_EQ(replaced.at(0, 0), kRose);  // a grid character of the legend's named colour
    EXPECT_EQ(replaced.at(2, 0), kRose);  // the green became rose
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
    for (auto [x0, x1, flip, expected] :
         {std::tuple{0, 6, false, "###...\n###...\n"},
          {0, 6, true, "...###\n...###\n"},
          {3, 3, false, "......\n......\n"}}) {  // an empty rectangle paints nothing
        Image dst(6, 2);
        fitInto(src, dst, x0, 0, x1, 2, flip);
        EXPECT_EQ(mask(dst), expected);
    }
}

}  // namespace
