// The BMP and PNG writers of the art generator.
#include <gtest/gtest.h>
#include <zlib.h>

#include "art/bmp.h"
#include "art/png.h"

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
uint32_t little32(const std::string& s, size_t at) {
    return uint8_t(s[at]) | uint8_t(s[at + 1]) << 8 | uint8_t(s[at + 2]) << 16 |
           uint32_t(uint8_t(s[at + 3])) << 24;
}

TEST(BmpWriter, RowsArePaddedBottomFirstAndBlackStaysOpaqueOnlyWhenDrawn) {
    Image img(3, 2);  // 9 bytes of colour per row, padded to 12
    img.set(0, 0, opaqueRgb(255, 0, 0));
    img.set(1, 0, opaqueRgb(0, 0, 0));  // opaque black must not turn see-through
    img.set(2, 1, opaqueRgb(10, 20, 30));
    const std::string bmp = encodeBmp(img);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    // The plain header the game reads: pixels straight after it, 24 bits, uncompressed.
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(uint8_t(bmp[28]), 24);
    EXPECT_EQ(
        (std::vector{little32(bmp, 2), little32(bmp, 10), little32(bmp, 14), little32(bmp, 18),
                     little32(bmp, 22), little32(bmp, 30), little32(bmp, 34)}),
        (std::vector<uint32_t>{78, 54, 40, 3, 2, 0, 24}));
    // The bottom row first, each pixel in B, G, R order, each row padded.
    EXPECT_EQ(bmp.substr(54), std::string("\0\0\0\0\0\0\x1e\x14\x0a\0\0\0"
                                          "\0\0\xff\x01\x01\x01\0\0\0\0\0\0",
                                          24));
}

TEST(PngWriter, CompressedDataInflatesToTheOriginal) {
    std::string raw;
    for (int i = 0; i < 70000; ++i) raw += char(i % 7 == 0 ? i % 251 : 'a' + i % 3);
    raw += std::string(1000, 'z');  // long runs reach the longest match
    for (const std::string& s : {raw, std::string(), std::string("x"), std::string("abcabcabc")})
        EXPECT_EQ(inflated(zlibCompress(s), s.size()), s);
    EXPECT_LT(zlibCompress(raw).size(), raw.size() / 3);
}

TEST(PngWriter, ChunksCarryTheSizeAValidCrcAndThePixels) {
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
