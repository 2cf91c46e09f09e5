// Writing 24-bit BMP files with the 54-byte header the game reads.
#include "art/bmp.h"

namespace {

constexpr int kHeaderSize = 54;
constexpr int kInfoSize = 40;
constexpr int kBitsPerPixel = 24;
constexpr int kPixelsPerMetre = 2835;  // 72 dpi, as image programs expect

void put16(std::string& out, int v) {
    out += char(v & 0xff);
    out += char((v >> 8) & 0xff);
}
void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xff);
}

int rowStride(int width) {
    return (width * 3 + 3) / 4 * 4;
}

}  // namespace

std::string encodeBmp(const Image& image) {
    const int w = image.width(), h = image.height();
    const int stride = rowStride(w);
    const uint32_t dataSize = uint32_t(stride) * h;
    std::string out;
    out.reserve(kHeaderSize + dataSize);
    out += "BM";
    put32(out, kHeaderSize + dataSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, kHeaderSize);
    put32(out, kInfoSize);
    put32(out, w);
    put32(out, h);
    put16(out, 1);
    put16(out, kBitsPerPixel);
    put32(out, 0);  // no compression
    put32(out, dataSize);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            Rgba c = image.at(x, y);
            if (!c.opaque())
                c = kClear;
            else if (c.r == 0 && c.g == 0 && c.b == 0)
                c = Rgba{1, 1, 1, 255};
            out += char(c.b);
            out += char(c.g);
            out += char(c.r);
        }
        out.append(size_t(stride - w * 3), '\0');
    }
    return out;
}
