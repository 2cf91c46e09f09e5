// The BMP and PNG writers of the art generator.
#include <gtest/gtest.h>
#include <zlib.h>

#include "art/bmp.h"
#include "art/png.h"
#include "gfx/bitmap.h"
#include "support/scratch.h"

namespace {

// The stream unpacked by the system's zlib, which checks its header and checksum too; "?" on
// any fault.
std::string inflated(const std::string& z, size_t size) {
    std::string out(size + 1, '\0');
    uLongf got = out.size();
    const int status = uncompress(reinterpret_cast<Bytef*>(out.data()), &got,
                                  reinterpret_cast<const Bytef*>(z.data()), z.size());
    return status == Z_OK ? out.substr(0, got) : "?";
}

// The RGB bytes of PNG lines of `width` bytes each, undoing the two filters our writer
// uses: 1 adds the pixel to the left, 2 the one above.
std::string unfiltered(const std::string& lines, size_t width) {
    std::string out;
    for (size_t y = 0; y * (width + 1) < lines.size(); ++y) {
        const char filter = lines[y * (width + 1)];
        for (size_t x = 0; x < width; ++x) {
            const char left = x >= 3 ? out[out.size() - 3] : 0;
            const char above = y > 0 ? out[out.size() - width] : 0;
            const char base = filter == 1 ? left : filter == 2 ? above : 0;
            out += char(lines[y * (width + 1) + 1 + x] + base);
        }
    }
    return out;
}

uint32_t big32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) << 24 | uint8_t(s[at + 1]) << 16 | uint8_t(s[at + 2]) << 8 |
           uint8_t(s[at + 3]);
}

// Read back by the game's own reader, which takes only plain 24-bit uncompressed pictures.
TEST(BmpWriter, TheGameReadsEveryPixelBackAndBlackStaysOpaqueOnlyWhenDrawn) {
    Image img(3, 2);  // 9 bytes of colour per row, padded to 12
    img.set(0, 0, opaqueRgb(255, 0, 0));
    img.set(1, 0, opaqueRgb(0, 0, 0));  // opaque black must not turn see-through
    img.set(2, 1, opaqueRgb(10, 20, 30));
    ScratchFolder folder;
    const std::string bmp = encodeBmp(img);
    writeFile("t.bmp", bmp);
    Bitmap read;
    ASSERT_TRUE(read.loadBmp("t.bmp"));
    EXPECT_EQ(std::make_tuple(bmp.size(), read.width, read.height), std::make_tuple(78u, 3, 2));
    // RGBA, the bottom row first.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(read.pixels), 24),
              std::string("\0\0\0\0\0\0\0\0\x0a\x14\x1e\xff"
                          "\xff\0\0\xff\x01\x01\x01\xff\0\0\0\0",
                          24));
}

// The deflate stream inflates to the original, and the chunks carry their size, a
// valid CRC and the pixels.
TEST(PngWriter, ChunksCarryTheSizeAValidCrcAndPixelsThatInflateToTheOriginal) {
    std::string raw;
    for (int i = 0; i < 70000; ++i) raw += char(i % 7 == 0 ? i % 251 : 'a' + i % 3);
    raw += std::string(1000, 'z');  // long runs reach the longest match
    for (const std::string& s : {raw, std::string(), std::string("x"), std::string("abcabcabc")})
        EXPECT_EQ(inflated(zlibCompress(s), s.size()), s);
    EXPECT_LT(zlibCompress(raw).size(), raw.size() / 3);
    Image img(5, 3);
    img.set(4, 2, opaqueRgb(1, 2, 3));
    const std::string png = encodePng(img, opaqueRgb(9, 9, 9));
    ASSERT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    // See-through pixels are written in the given colour.
    std::string rgb(45, '\x09');
    rgb.replace(42, 3, "\x01\x02\x03");
    size_t at = 8;
    std::vector<std::string> types;
    while (at + 12 <= png.size()) {
        const uint32_t len = big32(png, at);
        const std::string chunk = png.substr(at + 4, 4 + len);
        types.push_back(chunk.substr(0, 4));
        EXPECT_EQ(big32(png, at + 8 + len),
                  ::crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), chunk.size()))
            << types.back();
        if (types.back() == "IHDR") {
            EXPECT_EQ(std::pair(big32(png, at + 8), big32(png, at + 12)), std::pair(5u, 3u));
        }
        if (types.back() == "IDAT") {
            EXPECT_EQ(unfiltered(inflated(chunk.substr(4), 48), 15), rgb);
        }
        at += 12 + len;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(at, png.size());
}

}  // namespace
