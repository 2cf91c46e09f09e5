// The BMP reader: every header field is untrusted input.
#include "gfx/bitmap.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/globals.h"
#include "gfx/draw.h"

const char* const kTextureFiles[kTextureCount] = {
    "blocks1a.bmp", "dorin3.bmp",      "enemy2.bmp", "enemy3.bmp",   "blocks2.bmp", "blocks3.bmp",
    "big.bmp",      "tiger.bmp",       "flares.bmp", "items.bmp",    "snake.bmp",   "tribe.bmp",
    "flies.bmp",    "background5.bmp", "font.bmp",   "ottologo4.bmp"};
const char* const kBackgroundPresent = "background5.bmp";
const char* const kBackgroundRuins = "background9.bmp";

namespace {

constexpr int kHeaderSize = 54;
constexpr int kWidthOffset = 18;
constexpr int kHeightOffset = 22;
constexpr int kBitsOffset = 28;

int32_t readLe32(const unsigned char* p) {
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                uint32_t(p[3]) << 24);
}

int readLe16(const unsigned char* p) {
    return p[0] | p[1] << 8;
}

void rejectFormat() {
    std::fputs("not a 24 bit/pixelimage, or is compressed!\n", stdout);
}

// The stream ends every load closed and in a good state, whatever happened.
bool finishLoad(bool ok) {
    if (g_bmpStream.is_open()) g_bmpStream.close();
    g_bmpStream.clear();
    return ok;
}

}  // namespace

bool Bitmap::loadBmp(const char* fileName) {
    g_bmpStream.clear();
    g_bmpStream.open(fileName, std::ios::in | std::ios::binary);
    if (!g_bmpStream.is_open()) {
        std::printf(" can't open file: %s\n", fileName);
        return finishLoad(false);
    }
    unsigned char header[kHeaderSize];
    g_bmpStream.read(reinterpret_cast<char*>(header), kHeaderSize);
    if (g_bmpStream.gcount() != kHeaderSize || readLe16(header + kBitsOffset) != 24) {
        rejectFormat();
        return finishLoad(false);
    }
    int32_t fileWidth = readLe32(header + kWidthOffset);
    int32_t fileHeight = readLe32(header + kHeightOffset);
    bool topDown = fileHeight < 0;
    int64_t rows = topDown ? -int64_t(fileHeight) : fileHeight;
    if (fileWidth < 1 || fileWidth > kMaxBitmapSide || rows < 1 || rows > kMaxBitmapSide) {
        rejectFormat();
        return finishLoad(false);
    }
    int w = fileWidth;
    int h = static_cast<int>(rows);
    size_t rowBytes = size_t(w) * 3;
    size_t stride = (rowBytes + 3) & ~size_t(3);
    // calloc: the pages of a picture that a short file never fills are not
    // even touched, and they read as transparent.
    auto* fresh = static_cast<unsigned char*>(std::calloc(size_t(w) * h, 4));
    auto* line = static_cast<unsigned char*>(std::calloc(stride, 1));
    if (!fresh || !line) {
        std::free(fresh);
        std::free(line);
        return finishLoad(false);
    }
    // Rows a short file does not hold stay zero: transparent.
    for (int fileRow = 0; fileRow < h && g_bmpStream; ++fileRow) {
        g_bmpStream.read(reinterpret_cast<char*>(line), stride);
        size_t got = static_cast<size_t>(g_bmpStream.gcount());
        int row = topDown ? h - 1 - fileRow : fileRow;
        unsigned char* out = fresh + size_t(row) * w * 4;
        for (int x = 0; x < w && size_t(x) * 3 + 3 <= got; ++x) {
            const unsigned char* bgr = line + x * 3;
            out[x * 4 + 0] = bgr[2];
            out[x * 4 + 1] = bgr[1];
            out[x * 4 + 2] = bgr[0];
            out[x * 4 + 3] = (bgr[0] | bgr[1] | bgr[2]) ? 255 : 0;
        }
    }
    std::free(line);
    std::free(pixels);
    pixels = fresh;
    width = w;
    height = h;
    return finishLoad(true);
}

void Bitmap::makeTexture(unsigned id) {
    uploadTexture(id, width, height, pixels);
}

namespace {
// The background the era shows, for a new window's fresh textures.
const char* s_backgroundFile = kTextureFiles[kTexBackground];
}  // namespace

void loadTextures() {
    for (unsigned id = 0; id < kTextureCount; ++id) {
        g_bitmap.loadBmp(id == kTexBackground ? s_backgroundFile : kTextureFiles[id]);
        g_bitmap.makeTexture(id);
    }
}

void reloadBackground(const char* fileName) {
    s_backgroundFile = fileName;
    g_bitmap.loadBmp(fileName);
    g_bitmap.makeTexture(kTexBackground);
}
