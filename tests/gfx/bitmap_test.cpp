// The BMP reader against good, short and hostile files.
#include "gfx/bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "support/scratch.h"

namespace {

// A BMP file: the file header, an info header of `infoSize` bytes with the
// given fields (any bytes past the first 40 are junk the reader must skip),
// `gap` junk bytes, then `data` as is.
std::string bmp(int32_t width, int32_t height, std::vector<unsigned char> data, int bits = 24,
                uint32_t infoSize = 40, uint32_t gap = 0) {
    std::string s = "BM";
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 255);
    };
    uint32_t offset = 14 + infoSize + gap;
    put(offset + data.size(), 4), put(0, 4), put(offset, 4), put(infoSize, 4);
    put(static_cast<uint32_t>(width), 4), put(static_cast<uint32_t>(height), 4);
    put(1, 2), put(bits, 2);
    for (int i = 0; i < 6; ++i) put(0, 4);
    if (s.size() < offset) s.resize(offset, '\xab');
    return s + std::string(data.begin(), data.end());
}

struct BitmapTest : ::testing::Test {
    // Loads a file and returns what it printed.
    std::string load(const std::string& bytes, bool* ok = nullptr) {
        writeFile("a.bmp", bytes);
        testing::internal::CaptureStdout();
        bool result = bitmap.loadBmp("a.bmp");
        if (ok) *ok = result;
        return testing::internal::GetCapturedStdout();
    }
    std::vector<int> pixel(int i) const {
        return {bitmap.pixels + i * 4, bitmap.pixels + i * 4 + 4};
    }
    ScratchFolder scratch;
    Bitmap bitmap;
};

TEST_F(BitmapTest, RowsArePaddedStoredBottomFirstAndColoursTurnedAroundWithBlackTransparent) {
    // 3 by 2, stride 12: bottom row red, green, blue; top row white, black, near-black.
    bool ok = false;
    EXPECT_EQ(load(bmp(3, 2, {0,   0,   255, 0, 255, 0, 255, 0, 0, 9, 9, 9,
                              255, 255, 255, 0, 0,   0, 0,   0, 1, 9, 9, 9}),
                   &ok),
              "");
    ASSERT_TRUE(ok);
    EXPECT_EQ(pixel(0), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(pixel(2), (std::vector<int>{0, 0, 255, 255}));
    EXPECT_EQ(pixel(3), (std::vector<int>{255, 255, 255, 255}));
    EXPECT_EQ(pixel(4)[3], 0);                           // pure black
    EXPECT_EQ(pixel(5)[3], 255);                         // near-black
    load(bmp(4, 2, std::vector<unsigned char>(24, 7)));  // no padding at 4 pixels
    EXPECT_EQ(bitmap.width, 4);
    load(bmp(1, -2, {0, 0, 200, 0, 0, 200, 0, 0}));  // top-down: red on top, then green
    ASSERT_EQ(bitmap.height, 2);
    EXPECT_EQ(std::make_pair(pixel(0)[1], pixel(1)[0]), std::make_pair(200, 200));
}

// Also: the last row's padding may be left out.
TEST_F(BitmapTest, LargerHeadersAndGapsBeforeThePixelsReadTheSamePicture) {
    std::vector<unsigned char> data = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 0, 0, 0, 0, 0};
    load(bmp(2, 2, data));
    std::vector<unsigned char> plain(bitmap.pixels, bitmap.pixels + 16);
    for (auto [infoSize, gap, cut] :
         {std::tuple{108u, 0u, 0}, {124u, 0u, 0}, {40u, 1u, 0}, {124u, 70u, 0}, {40u, 0u, 2}}) {
        std::string file = bmp(2, 2, data, 24, infoSize, gap);
        EXPECT_EQ(load(file.substr(0, file.size() - cut)), "");  // every refusal says so
        EXPECT_EQ(std::vector<unsigned char>(bitmap.pixels, bitmap.pixels + 16), plain)
            << infoSize << " " << gap;
    }
}

TEST_F(BitmapTest, EveryFailureKeepsThePictureAndSaysWhy) {
    const std::vector<unsigned char> pixels(16, 5);
    std::string good = bmp(2, 2, pixels), offsetInHeader = good;
    offsetInHeader[10] = 50;
    load(good);
    unsigned char* before = bitmap.pixels;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(bitmap.loadBmp("missing.bmp"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " can't open file: missing.bmp\n");
    // Other depths, nothing, a cut header, not a BMP, a pixel short, a 54-byte lie,
    // info headers too short and too long, the pixels inside the header; then
    // widths and heights of none, negative, over 16384 either way, and the extremes.
    std::vector<std::string> bad = {
        bmp(2, 2, {}, 8),      bmp(2, 2, {}, 32),         "",
        good.substr(0, 40),    "XY" + good.substr(2),     good.substr(0, good.size() - 3),
        bmp(16384, 16384, {}), bmp(2, 2, pixels, 24, 12), bmp(2, 2, pixels, 24, 200),
        offsetInHeader};
    // clang-format off
    const int32_t sizes[][2] = {{0, 2}, {2, 0}, {-2, 2}, {16385, 1}, {1, -16385},
                                {INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN}};
    // clang-format on
    for (auto [w, h] : sizes) bad.push_back(bmp(w, h, {1, 2, 3}));
    for (const std::string& bytes : bad) {
        bool ok = true;
        EXPECT_EQ(load(bytes, &ok), "not a 24 bit/pixelimage, or is compressed!\n");
        EXPECT_FALSE(ok);
        EXPECT_EQ(bitmap.pixels, before);
        EXPECT_EQ(bitmap.width, 2);
    }
}

}  // namespace
