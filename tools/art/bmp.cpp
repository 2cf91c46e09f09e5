// Writing and reading 24-bit BMP files with the 54-byte header the game reads.
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
uint32_t get32(const std::string& in, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(in[at + i]);
    return v;
}
int get16(const std::string& in, size_t at) {
    return uint8_t(in[at]) | (uint8_t(in[at + 1]) << 8);
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

bool decodeBmp(const std::string& bytes, Image& out) {
    if (bytes.size() < kHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const int32_t w = int32_t(get32(bytes, 18)), h = int32_t(get32(bytes, 22));
    if (get16(bytes, 28) != kBitsPerPixel || get32(bytes, 30) != 0) return false;
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384) return false;
    const size_t offset = get32(bytes, 10);
    const size_t stride = rowStride(w);
    if (offset < kHeaderSize || bytes.size() < offset + stride * h) return false;
    Image image(w, h);
    for (int row = 0; row < h; ++row) {
        const size_t base = offset + stride * row;
        for (int x = 0; x < w; ++x) {
            const uint8_t b = bytes[base + 3 * x], g = bytes[base + 3 * x + 1],
                          r = bytes[base + 3 * x + 2];
            const bool black = r == 0 && g == 0 && b == 0;
            image.set(x, h - 1 - row, black ? kClear : opaqueRgb(r, g, b));
        }
    }
    out = std::move(image);
    return true;
}
