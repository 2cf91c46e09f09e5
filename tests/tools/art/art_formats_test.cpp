// The BMP and PNG writers of the art generator.
#include <gtest/gtest.h>

#include <stdexcept>

#include "art/bmp.h"
#include "art/png.h"

namespace {

// A small inflater for the one kind of block our deflate writes (fixed Huffman codes).
class FixedInflater {
   public:
    explicit FixedInflater(const std::string& in) : in_(in) {}

    std::string run() {
        std::string out;
        if (bits(1) != 1 || bits(2) != 1) throw std::runtime_error("not one fixed block");
        for (;;) {
            const int sym = literal();
            if (sym < 256) {
                out += char(sym);
            } else if (sym == 256) {
                return out;
            } else {
                static const int base[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                           15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                           67, 83, 99, 115, 131, 163, 195, 227, 258};
                static const int extra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                            2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
                const int len = base[sym - 257] + int(bits(extra[sym - 257]));
                const int d = int(reversed(5));
                const int dbase = d < 4 ? d + 1 : ((2 + (d & 1)) << ((d - 2) / 2)) + 1;
                const int dist = dbase + int(bits(d < 4 ? 0 : (d - 2) / 2));
                if (dist > int(out.size())) throw std::runtime_error("distance before the start");
                for (int i = 0; i < len; ++i) out += out[out.size() - dist];
            }
        }
    }

   private:
    uint32_t bits(int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) v |= bit() << i;
        return v;
    }
    uint32_t reversed(int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) v = (v << 1) | bit();
        return v;
    }
    uint32_t bit() {
        if (pos_ / 8 >= in_.size()) throw std::runtime_error("ran past the end");
        const uint32_t b = (uint8_t(in_[pos_ / 8]) >> (pos_ % 8)) & 1;
        ++pos_;
        return b;
    }
    int literal() {
        int code = int(reversed(7));
        if (code <= 0x17) return 256 + code;
        code = (code << 1) | int(bit());
        if (code >= 0x30 && code <= 0xBF) return code - 0x30;
        if (code >= 0xC0 && code <= 0xC7) return 280 + code - 0xC0;
        code = (code << 1) | int(bit());
        return 144 + code - 0x190;
    }
    const std::string& in_;
    size_t pos_ = 0;
};

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
    // The bottom row (image row 1) comes first: (2,1) is its third pixel, in B, G, R order.
    EXPECT_EQ(uint8_t(bmp[54 + 6]), 30);
    EXPECT_EQ(uint8_t(bmp[54 + 8]), 10);
    EXPECT_EQ(bmp.substr(54 + 9, 3), std::string(3, '\0'));  // padding
    EXPECT_EQ(uint8_t(bmp[66 + 2]), 255);                    // (0,0) red
    EXPECT_EQ(uint8_t(bmp[66 + 3]), 1);                      // (1,0) near-black

    Image back;
    ASSERT_TRUE(decodeBmp(bmp, back));
    EXPECT_EQ(back.at(0, 0), opaqueRgb(255, 0, 0));
    EXPECT_EQ(back.at(1, 0), opaqueRgb(1, 1, 1));
    EXPECT_FALSE(back.at(2, 0).opaque());
    EXPECT_EQ(back.at(2, 1), opaqueRgb(10, 20, 30));
    EXPECT_FALSE(decodeBmp(bmp.substr(0, 60), back));
    EXPECT_FALSE(decodeBmp("BM", back));
}

TEST(PngWriter, ChecksumsMatchTheirDefinitions) {
    EXPECT_EQ(crc32Of("IEND"), 0xAE426082u);
    EXPECT_EQ(crc32Of("123456789"), 0xCBF43926u);
    EXPECT_EQ(adler32Of("Wikipedia"), 0x11E60398u);
    EXPECT_EQ(adler32Of(""), 1u);
}

TEST(PngWriter, CompressedDataInflatesToTheOriginal) {
    std::string raw;
    for (int i = 0; i < 70000; ++i) raw += char(i % 7 == 0 ? i % 251 : 'a' + i % 3);
    raw += std::string(1000, 'z');  // long runs reach the longest match
    for (const std::string& s : {raw, std::string(), std::string("x"), std::string("abcabcabc")}) {
        const std::string z = zlibCompress(s);
        ASSERT_GE(z.size(), 6u);
        EXPECT_EQ(z.substr(0, 2), "\x78\x01");
        EXPECT_EQ(FixedInflater(z.substr(2, z.size() - 6)).run(), s);
        EXPECT_EQ(big32(z, z.size() - 4), adler32Of(s));
    }
    EXPECT_LT(zlibCompress(raw).size(), raw.size() / 3);
}

TEST(PngWriter, ChunksCarryTheSizeAndAValidCrc) {
    Image img(5, 3);
    img.set(4, 2, opaqueRgb(1, 2, 3));
    const std::string png = encodePng(img, opaqueRgb(9, 9, 9));
    ASSERT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    size_t at = 8;
    std::vector<std::string> types;
    while (at + 12 <= png.size()) {
        const uint32_t len = big32(png, at);
        types.push_back(png.substr(at + 4, 4));
        EXPECT_EQ(big32(png, at + 8 + len), crc32Of(png.substr(at + 4, 4 + len))) << types.back();
        if (types.back() == "IHDR") {
            EXPECT_EQ(big32(png, at + 8), 5u);
            EXPECT_EQ(big32(png, at + 12), 3u);
        }
        if (types.back() == "IDAT") {
            const std::string lines = FixedInflater(png.substr(at + 10, len - 6)).run();
            ASSERT_EQ(lines.size(), 3u * (1 + 5 * 3));  // a filter byte and 5 RGB pixels per line
        }
        at += 12 + len;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(at, png.size());
}

}  // namespace
