// What opaque quads hide: texel opacity and the pixels left around holes.
#include "gfx/coverage.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

TEST(TexelsOpaque, OnlyRectanglesWhoseFilteredTexelsAreAllOpaque) {
    constexpr int kSide = 70;  // one clear texel at (40, 10) of an opaque picture
    std::vector<unsigned char> rgba(kSide * kSide * 4, 255);
    rgba[(10 * kSide + 40) * 4 + 3] = 0;
    recordTexels(3, kSide, kSide, rgba.data());
    std::vector<unsigned char> solid(4 * 4 * 4, 255);
    recordTexels(5, 4, 4, solid.data());
    recordTexels(6, 0, 0, nullptr);  // a failed first load: an empty picture
    const float t = 1.0f / kSide;    // one texel
    const std::tuple<unsigned, TexRect, bool> cases[] = {
        {3, {0, 0, 1, 1}, false},
        {3, {0, 20 * t, 1, 1}, true},               // rows above the clear texel
        {3, {0, 0, 38 * t, 1}, true},               // columns left of it, with a texel to spare
        {3, {0, 0, 40 * t, 1}, false},              // filtering reaches into it
        {3, {41.8f * t, 0, 1, 20 * t}, true},       // right of it
        {3, {41.6f * t, 0, 1, 20 * t}, false},      // too close on the right
        {3, {38 * t, 0, 0, 1}, true},               // mirrored: edges either way
        {3, {40 * t, 12 * t, 41 * t, 5}, true},     // beyond the top: the top row
        {3, {40 * t, -3, 41 * t, 9.2f * t}, true},  // beyond the bottom: the bottom row
        {5, {0.3f, 0.3f, 0.6f, 0.6f}, true},        // a picture without clear texels
        {6, {0, 0, 1, 1}, false},
        {9, {0, 0, 1, 1}, false},  // never uploaded
    };
    for (const auto& [id, tex, opaque] : cases)
        EXPECT_EQ(texelsOpaque(id, tex), opaque)
            << id << ": " << tex.s0 << " " << tex.t0 << " " << tex.s1 << " " << tex.t1;
    forgetTexels();
    EXPECT_FALSE(texelsOpaque(5, {0, 0, 1, 1}));
}

TEST(PixelsSurelyInside, CentresClearOfTheEdges) {
    EXPECT_EQ(pixelsSurelyInside(0, 0, 10, 4), (PixelRect{0, 0, 10, 4}));
    // A centre on the edge itself may fall either way: left out.
    EXPECT_EQ(pixelsSurelyInside(2.5, 0, 7.5, 4), (PixelRect{3, 0, 7, 4}));
    EXPECT_EQ(pixelsSurelyInside(2.4, 0.6, 7.6, 3.4), (PixelRect{2, 1, 8, 3}));
    EXPECT_TRUE(pixelsSurelyInside(3.2, 0, 3.4, 4).empty());
    EXPECT_EQ(pixelsTouching(2.5, 0, 7.5, 4), (PixelRect{1, -1, 9, 5}));
}

// Every pixel of the area outside the holes lies in exactly one part, and no
// pixel inside a hole in any.
TEST(UncoveredParts, CoverTheRestOfTheAreaOnceInFewRectangles) {
    const PixelRect area = {0, 0, 40, 30};
    struct Case {
        std::vector<PixelRect> holes;
        size_t mostParts;
    } cases[] = {
        {{}, 1},
        {{{10, 10, 20, 20}}, 4},
        {{{0, 0, 40, 30}}, 0},
        {{{-5, -5, 50, 10}, {-5, 20, 50, 40}}, 1},                   // a band across the middle
        {{{10, 10, 20, 20}, {15, 5, 30, 15}, {20, 10, 25, 20}}, 8},  // overlapping
        {{{0, 0, 10, 30}, {10, 0, 20, 30}}, 1},                      // side by side
        {{{100, 100, 110, 110}, {5, 5, 5, 9}}, 1},                   // outside, and empty
    };
    for (const Case& c : cases) {
        std::vector<PixelRect> parts = uncoveredParts(area, c.holes);
        EXPECT_LE(parts.size(), c.mostParts);
        for (int y = area.y0; y < area.y1; ++y)
            for (int x = area.x0; x < area.x1; ++x) {
                int inHoles = 0, inParts = 0;
                for (const PixelRect& h : c.holes)
                    inHoles += x >= h.x0 && x < h.x1 && y >= h.y0 && y < h.y1;
                for (const PixelRect& p : parts)
                    inParts += x >= p.x0 && x < p.x1 && y >= p.y0 && y < p.y1;
                ASSERT_EQ(inParts, inHoles ? 0 : 1)
                    << "pixel " << x << "," << y << ", holes " << c.holes.size();
            }
    }
    EXPECT_TRUE(uncoveredParts({5, 5, 5, 9}, {}).empty());
}

}  // namespace
