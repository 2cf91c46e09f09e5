// The drawing commands of the art sources, checked pixel by pixel on small canvases.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

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

const Rgba kInk = opaqueRgb(20, 16, 24);

// The picture as text: the legend's keys for its colours, '#' for others, '.' for clear.
std::string drawn(const Image& img) {
    std::string s;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const Rgba c = img.at(x, y);
            s += c == kWhite ? 'w' : c == kInk ? 'k' : c == kRose ? 'r' : c.opaque() ? '#' : '.';
        }
        s += '\n';
    }
    return s;
}

TEST(ArtPaint, ShapesOutlinesLayersAndBricksCoverWhatTheySay) {
    const struct {
        const char* body;
        int w, h;
        const char* drawn;
    } cases[] = {
        // The outline goes round the shape and leaves it alone.
        {"rect 2 2 2 1 w\noutline k\n", 6, 5, "......\n..kk..\n.kwwk.\n..kk..\n......\n"},
        {"tri 0 0 4 0 0 4 w\n", 4, 4, "wwww\nwww.\nww..\nw...\n"},
        {"tri 0 4 4 0 0 0 w\n", 4, 4, "wwww\nwww.\nww..\nw...\n"},  // either way round
        {"layer bar 0 0 rot90\n", 3, 3, "w..\nw..\nw..\n"},
        {"layer bar 1 0 rot270\n", 3, 3, ".w.\n.w.\n.w.\n"},
        {"layer bar 0 2\n", 3, 3, "...\n...\nwww\n"},
        {"layer dot 0 0\nlayer dot 3 0 flipx\n", 6, 2, "r.##.r\nrr..rr\n"},
        // A grid character of the legend's named colour; then the green becomes rose.
        {"layer dot 0 0\nreplace g r\n", 3, 2, "r.r\nrr.\n"},
        // Every other course is offset by half a brick.
        {"fill w\nbricks 0 0 8 6 4 3 k\n", 8, 6,
         "kkkkkkkk\nkwwwkwww\nkwwwkwww\nkkkkkkkk\nwwkwwwkw\nwwkwwwkw\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(drawn(paintOne(c.body, c.w, c.h)), c.drawn) << c.body;
}

TEST(ArtPaint, GlowOverClearOnlyShowsAboveItsFloor) {
    const Image soft = paintOne("glow 10 10 10 #ffffff 1\n", 20, 20);
    const Image hard = paintOne("glow 10 10 10 #ffffff 1 128\n", 20, 20);
    auto lit = [](const Image& img) {
        return std::count_if(img.pixels().begin(), img.pixels().end(), std::mem_fn(&Rgba::opaque));
    };
    EXPECT_GT(lit(soft), lit(hard));
    EXPECT_GT(lit(hard), 0);
    EXPECT_FALSE(soft.at(0, 0).opaque());             // outside the radius nothing is lit
    EXPECT_EQ(soft.at(10, 10).r, soft.at(10, 10).b);  // white light stays grey
}

TEST(ArtPaint, FittingScalesByNearestPixelAndMirrors) {
    Image src(2, 1);
    src.set(0, 0, kWhite);
    for (auto [x0, x1, flip, expected] :
         {std::tuple{0, 6, false, "www...\nwww...\n"},
          {0, 6, true, "...www\n...www\n"},
          {3, 3, false, "......\n......\n"}}) {  // an empty rectangle paints nothing
        Image dst(6, 2);
        fitInto(src, dst, x0, 0, x1, 2, flip);
        EXPECT_EQ(drawn(dst), expected);
    }
}

}  // namespace
