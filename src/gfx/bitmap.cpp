// The BMP reader: every header field is untrusted input.
#include "gfx/bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// One row of the file, `got` bytes of it read, as RGBA; pure black is
// transparent, and pixels the file does not hold too.
void convertRow(const unsigned char* bgr, size_t got, int width, unsigned char* out) {
    int whole = static_cast<int>(std::min(got / 3, size_t(width)));
    for (int x = 0; x < whole; ++x, bgr += 3, out += 4) {
        out[0] = bgr[2];
        out[1] = bgr[1];
        out[2] = bgr[0];
        out[3] = (bgr[0] | bgr[1] | bgr[2]) ? 255 : 0;
    }
    std::memset(out, 0, size_t(width - whole) * 4);
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
    size_t bytes = size_t(w) * h * 4;
    // A picture that fits the memory of the one before reuses it: start-up
    // loads sixteen in a row, and fresh pages cost more than the copying. A
    // larger one gets calloc'd memory, whose pages a short file never fills
    // are not even touched.
    bool reuse = pixels && pixels == allocated_ && bytes <= capacity_;
    auto* target = reuse ? pixels : static_cast<unsigned char*>(std::calloc(bytes, 1));
    auto* line = static_cast<unsigned char*>(std::malloc(stride));
    if (!target || !line) {
        if (!reuse) std::free(target);
        std::free(line);
        return finishLoad(false);
    }
    int rowsRead = 0;
    for (; rowsRead < h && g_bmpStream; ++rowsRead) {
        g_bmpStream.read(reinterpret_cast<char*>(line), stride);
        size_t got = static_cast<size_t>(g_bmpStream.gcount());
        int row = topDown ? h - 1 - rowsRead : rowsRead;
        convertRow(line, got, w, target + size_t(row) * w * 4);
    }
    // Rows a short file does not hold are transparent.
    for (int fileRow = rowsRead; reuse && fileRow < h; ++fileRow) {
        int row = topDown ? h - 1 - fileRow : fileRow;
        std::memset(target + size_t(row) * w * 4, 0, size_t(w) * 4);
    }
    std::free(line);
    if (!reuse) {
        std::free(pixels);
        allocated_ = target;
        capacity_ = bytes;
    }
    pixels = target;
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
