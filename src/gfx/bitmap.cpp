// The BMP reader: every header field is untrusted input.
#include "gfx/bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "gfx/draw.h"
#include "platform/data_file.h"

const char* const kTextureFiles[kTextureCount] = {
    "blocks1a.bmp", "dorin3.bmp",      "enemy2.bmp", "enemy3.bmp",   "blocks2.bmp", "blocks3.bmp",
    "big.bmp",      "tiger.bmp",       "flares.bmp", "items.bmp",    "snake.bmp",   "tribe.bmp",
    "flies.bmp",    "background5.bmp", "font.bmp",   "ottologo4.bmp"};
const char* const kBackgroundPresent = "background5.bmp";
const char* const kBackgroundRuins = "background9.bmp";

namespace {

// The 14-byte file header, then an info header of at least 40 bytes; the
// larger ones that paint programs write (108, 124) only add fields after
// those we read.
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kHeaderSize = 54;
constexpr int kDataOffsetOffset = 10;
constexpr int kInfoSizeOffset = 14;
constexpr int kWidthOffset = 18;
constexpr int kHeightOffset = 22;
constexpr int kBitsOffset = 28;
constexpr uint32_t kMinInfoSize = 40;
constexpr uint32_t kMaxInfoSize = 124;

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

// Where the pixels lie in a file and how they are arranged.
struct Layout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    size_t offset = 0;  // of the first pixel row
    size_t stride = 0;  // bytes per row, padded to a multiple of 4
};

// Reads the header of a 24-bit picture and checks that the file really holds
// every row it claims (the last row's padding may be left out), so that a
// small file can never make us allocate for a huge picture.
bool readLayout(const unsigned char* file, size_t size, Layout* layout) {
    if (size < kHeaderSize || file[0] != 'B' || file[1] != 'M') return false;
    if (readLe16(file + kBitsOffset) != 24) return false;
    uint32_t infoSize = static_cast<uint32_t>(readLe32(file + kInfoSizeOffset));
    uint32_t offset = static_cast<uint32_t>(readLe32(file + kDataOffsetOffset));
    if (infoSize < kMinInfoSize || infoSize > kMaxInfoSize) return false;
    if (offset < kFileHeaderSize + infoSize) return false;
    int32_t fileWidth = readLe32(file + kWidthOffset);
    int32_t fileHeight = readLe32(file + kHeightOffset);
    int64_t rows = fileHeight < 0 ? -int64_t(fileHeight) : fileHeight;
    if (fileWidth < 1 || fileWidth > kMaxBitmapSide || rows < 1 || rows > kMaxBitmapSide)
        return false;
    size_t rowBytes = size_t(fileWidth) * 3;
    size_t stride = (rowBytes + 3) & ~size_t(3);
    if (uint64_t(offset) + stride * uint64_t(rows - 1) + rowBytes > size) return false;
    layout->width = fileWidth;
    layout->height = static_cast<int>(rows);
    layout->topDown = fileHeight < 0;
    layout->offset = offset;
    layout->stride = stride;
    return true;
}

}  // namespace

bool Bitmap::loadBmp(const char* fileName) {
    DataFile file = readDataFile(fileName, kMaxPictureBytes);
    if (file.status != DataFile::kRead) {
        std::printf(" can't open file: %s\n", fileName);
        return false;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(file.bytes.data());
    Layout layout;
    if (!readLayout(data, file.bytes.size(), &layout)) {
        rejectFormat();
        return false;
    }
    int w = layout.width;
    int h = layout.height;
    size_t size = size_t(w) * h * 4;
    // A picture that fits the memory of the one before reuses it: start-up
    // loads sixteen in a row, and fresh pages cost more than the copying.
    bool reuse = pixels && pixels == allocated_ && size <= capacity_;
    auto* target = reuse ? pixels : static_cast<unsigned char*>(std::malloc(size));
    if (!target) return false;
    for (int fileRow = 0; fileRow < h; ++fileRow) {
        const unsigned char* bgr = data + layout.offset + size_t(fileRow) * layout.stride;
        int row = layout.topDown ? h - 1 - fileRow : fileRow;
        unsigned char* out = target + size_t(row) * w * 4;
        for (int x = 0; x < w; ++x, bgr += 3, out += 4) {
            out[0] = bgr[2];
            out[1] = bgr[1];
            out[2] = bgr[0];
            out[3] = (bgr[0] | bgr[1] | bgr[2]) ? 255 : 0;  // pure black is transparent
        }
    }
    if (!reuse) {
        std::free(pixels);
        allocated_ = target;
        capacity_ = size;
    }
    pixels = target;
    width = w;
    height = h;
    return true;
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
