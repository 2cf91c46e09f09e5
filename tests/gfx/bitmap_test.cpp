// The BMP reader against good, short and hostile files.
#include "gfx/bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/globals.h"
#include "support/scratch.h"

namespace {

struct BmpSpec {
    int32_t width = 2;
    int32_t height = 2;
    int bits = 24;
    std::vector<unsigned char> data;  // pixel bytes as stored, rows padded
};

void put16(std::string& s, int v) {
    s += char(v & 255);
    s += char((v >> 8) & 255);
}
void put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 255);
}

std::string bmpBytes(const BmpSpec& b) {
    std::string s = "BM";
    put32(s, 54 + b.data.size());
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, static_cast<uint32_t>(b.width));
    put32(s, static_cast<uint32_t>(b.height));
    put16(s, 1);
    put16(s, b.bits);
    for (int i = 0; i < 6; ++i) put32(s, 0);
    s.append(b.data.begin(), b.data.end());
    return s;
}

// Rows of `w` pixels in B, G, R order, each row padded to a multiple of 4.
std::vector<unsigned char> rows(int w, int h, std::vector<unsigned char> bgr) {
    std::vector<unsigned char> out;
    int stride = (w * 3 + 3) / 4 * 4;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w * 3; ++x) out.push_back(bgr[(y * w * 3 + x) % bgr.size()]);
        for (int pad = w * 3; pad < stride; ++pad) out.push_back(0xEE);  // padding is skipped
    }
    return out;
}

struct BitmapTest : ::testing::Test {
    // Loads a file and returns what it printed.
    std::string load(const std::string& name, bool* ok = nullptr) {
        testing::internal::CaptureStdout();
        bool result = bitmap.loadBmp(name.c_str());
        fflush(stdout);
        if (ok) *ok = result;
        return testing::internal::GetCapturedStdout();
    }
    void loadGood() {
        BmpSpec good;
        good.data = rows(2, 2, {10, 20, 30});
        writeFile("good.bmp", bmpBytes(good));
        ASSERT_EQ(load("good.bmp"), "");
    }
    // The previously loaded 2 by 2 picture is untouched.
    void expectGoodKept() {
        ASSERT_EQ(bitmap.width, 2);
        ASSERT_EQ(bitmap.height, 2);
        EXPECT_EQ(bitmap.pixels[0], 30);
        EXPECT_EQ(bitmap.pixels[3], 255);
    }
    ScratchFolder scratch;
    Bitmap bitmap;
};

TEST_F(BitmapTest, RowsArePaddedToFourBytesAndColoursTurnedAround) {
    BmpSpec b;
    b.width = 3;
    b.height = 2;
    // Bottom row: red, green, blue; top row: white, black, near-black.
    b.data = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0xEE, 0xEE, 0xEE,
              255, 255, 255, 0, 0, 0, 0, 0, 1, 0xEE, 0xEE, 0xEE};
    writeFile("a.bmp", bmpBytes(b));
    bool ok = false;
    EXPECT_EQ(load("a.bmp", &ok), "");
    ASSERT_TRUE(ok);
    ASSERT_EQ(bitmap.width, 3);
    ASSERT_EQ(bitmap.height, 2);
    const unsigned char* p = bitmap.pixels;
    EXPECT_EQ(std::vector<int>(p, p + 4), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(std::vector<int>(p + 4, p + 8), (std::vector<int>{0, 255, 0, 255}));
    EXPECT_EQ(std::vector<int>(p + 8, p + 12), (std::vector<int>{0, 0, 255, 255}));
    EXPECT_EQ(std::vector<int>(p + 12, p + 16), (std::vector<int>{255, 255, 255, 255}));
    EXPECT_EQ(p[16 + 3], 0);    // pure black is transparent
    EXPECT_EQ(p[20 + 0], 1);    // near-black is opaque
    EXPECT_EQ(p[20 + 3], 255);
}

TEST_F(BitmapTest, FourPixelRowsHaveNoPadding) {
    BmpSpec b;
    b.width = 4;
    b.height = 2;
    b.data = rows(4, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24});
    writeFile("a.bmp", bmpBytes(b));
    load("a.bmp");
    ASSERT_EQ(bitmap.width, 4);
    EXPECT_EQ(bitmap.pixels[4 * 4 + 0], 15);  // first pixel of the second row: bytes 13, 14, 15
}

TEST_F(BitmapTest, TopDownFilesAreStoredBottomRowFirst) {
    BmpSpec b;
    b.width = 1;
    b.height = -2;
    b.data = {0, 0, 200, 0, /* top row: red */ 0, 200, 0, 0 /* bottom row: green */};
    writeFile("a.bmp", bmpBytes(b));
    bool ok = false;
    load("a.bmp", &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.pixels[1], 200);  // bottom: green
    EXPECT_EQ(bitmap.pixels[4], 200);  // top: red
}

TEST_F(BitmapTest, MissingFileIsReportedAndKeepsThePicture) {
    loadGood();
    bool ok = true;
    EXPECT_EQ(load("blocks2.bmp", &ok), " can't open file: blocks2.bmp\n");
    EXPECT_FALSE(ok);
    expectGoodKept();
}

TEST_F(BitmapTest, BadHeadersAreRejectedWithTheFormatLine) {
    loadGood();
    std::vector<std::pair<std::string, std::string>> bad;
    BmpSpec b;
    b.data = rows(2, 2, {1, 2, 3});
    b.bits = 8;
    bad.push_back({"8 bits", bmpBytes(b)});
    b.bits = 32;
    bad.push_back({"32 bits", bmpBytes(b)});
    b.bits = 24;
    for (auto [w, h] : {std::pair{0, 2}, {2, 0}, {-2, 2}, {16385, 1}, {1, 16385}, {1, -16385},
                        {INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN}, {2, INT32_MIN}}) {
        b.width = w;
        b.height = h;
        bad.push_back({std::to_string(w) + "x" + std::to_string(h), bmpBytes(b)});
    }
    bad.push_back({"short header", bmpBytes(b).substr(0, 40)});
    bad.push_back({"empty", ""});
    for (const auto& [what, bytes] : bad) {
        writeFile("bad.bmp", bytes);
        bool ok = true;
        EXPECT_EQ(load("bad.bmp", &ok), "not a 24 bit/pixelimage, or is compressed!\n") << what;
        EXPECT_FALSE(ok) << what;
        expectGoodKept();
    }
}

TEST_F(BitmapTest, ShortPixelDataLeavesTheRestTransparentAndSucceeds) {
    BmpSpec b;
    b.width = 2;
    b.height = 3;
    b.data = rows(2, 3, {50, 60, 70});
    b.data.resize(8 + 3);  // one full row and one pixel of the next
    writeFile("a.bmp", bmpBytes(b));
    bool ok = false;
    EXPECT_EQ(load("a.bmp", &ok), "");
    ASSERT_TRUE(ok);
    EXPECT_EQ(bitmap.pixels[3], 255);
    EXPECT_EQ(bitmap.pixels[8 + 3], 255);   // second row, first pixel
    EXPECT_EQ(bitmap.pixels[12 + 3], 0);    // second row, second pixel: missing
    for (int i = 16; i < 24; ++i) EXPECT_EQ(bitmap.pixels[i], 0);
}

TEST_F(BitmapTest, OneBadFileNeverSpoilsTheNextLoad) {
    writeFile("bad.bmp", "BM");
    load("bad.bmp");
    load("nothing.bmp");
    BmpSpec b;
    b.width = 1;
    b.height = 1;
    b.data = {9, 9, 9, 0};
    writeFile("ok.bmp", bmpBytes(b));
    bool ok = false;
    EXPECT_EQ(load("ok.bmp", &ok), "");
    EXPECT_TRUE(ok);
    EXPECT_EQ(bitmap.width, 1);
    EXPECT_FALSE(g_bmpStream.is_open());
    EXPECT_TRUE(g_bmpStream.good());
}

TEST_F(BitmapTest, BackgroundReloadGoesThroughTheSharedBitmap) {
    BmpSpec b;
    b.width = 3;
    b.height = 1;
    b.data = rows(3, 1, {1, 2, 3});
    writeFile("background9.bmp", bmpBytes(b));
    reloadBackground(kBackgroundRuins);
    EXPECT_EQ(g_bitmap.width, 3);
}

}  // namespace
