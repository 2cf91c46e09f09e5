// The BMP and PNG writers of the art generator, and the generated pictures read back
// from the data folder the way the game reads them.
#include <gtest/gtest.h>
#include <zlib.h>

#include <map>

#include "art/art_paths.h"
#include "art/bmp.h"
#include "art/cells.h"
#include "art/generator.h"
#include "art/png.h"
#include "gfx/bitmap.h"
#include "gfx/font.h"
#include "gfx/scene.h"
#include "support/files.h"
#include "support/scratch.h"
#include "support/world.h"

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
    // The fields the game skips: the file's size, no compression, the pixels' size.
    EXPECT_EQ(bmp.substr(2, 4) + bmp.substr(30, 8),
              std::string("\x4e\0\0\0\0\0\0\0\x18\0\0\0", 12));
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

constexpr float kLogoCutOff = 20.0f / 90.0f;  // the menu cuts the top of the logo off

// The built picture as the game holds it: RGBA, bottom row first, black see-through.
const Bitmap& bitmap(const std::string& file) {
    static std::map<std::string, Bitmap> loaded;
    Bitmap& b = loaded[file];
    if (!b.pixels && !b.loadBmp((DORIAN_DATA_DIR "/" + file).c_str())) ADD_FAILURE() << file;
    return b;
}

int alphaAt(const Bitmap& b, int x, int rowFromBottom) {
    return b.pixels[(size_t(rowFromBottom) * b.width + x) * 4 + 3];
}

// The cell's pixels as drawn, top row first.
std::string pixelsOf(const Cell& cell) {
    const Bitmap& b = bitmap(cell.sheet);
    const PixelRect r = drawnPixels(cell, b.width, b.height);
    std::string out;
    for (int y = r.y0; y < r.y1; ++y)
        out.append(reinterpret_cast<const char*>(b.pixels) +
                       (size_t(b.height - 1 - y) * b.width + r.x0) * 4,
                   size_t(r.width()) * 4);
    return out;
}

// Linear filtering must never pull a neighbour's colour into a sprite: a sprite keeps
// a see-through ring inside its rectangle.
TEST(GamePictures, EveryDrawnCellHasArtAndEverySpriteAClearRing) {
    for (const Cell& cell : gameCells()) {
        const Bitmap& b = bitmap(cell.sheet);
        const PixelRect r = drawnPixels(cell, b.width, b.height);
        int visible = 0, ring = 0;
        for (int y = r.y0; y < r.y1; ++y)
            for (int x = r.x0; x < r.x1; ++x) {
                const int alpha = alphaAt(b, x, b.height - 1 - y);
                visible += alpha != 0;
                bool edge = x == r.x0 || x == r.x1 - 1 || y == r.y0 || y == r.y1 - 1;
                ring += edge && alpha != 0;
            }
        EXPECT_GT(visible, 0) << cell.name;
        EXPECT_TRUE(cell.kind != CellKind::Sprite || ring == 0) << cell.name << " touches its edge";
    }
}

TEST(GamePictures, AnimationFramesDifferFromTheFrameBefore) {
    std::map<std::string, std::vector<const Cell*>> animations;
    for (const Cell& cell : gameCells())
        if (!cell.animation.empty()) animations[cell.animation].push_back(&cell);
    EXPECT_GE(animations.size(), 30u);
    for (const auto& [name, frames] : animations) {
        ASSERT_GE(frames.size(), 2u) << name;
        for (size_t i = 0; i < frames.size(); ++i) {
            const Cell& a = *frames[i];
            const Cell& b = *frames[(i + 1) % frames.size()];
            EXPECT_NE(pixelsOf(a), pixelsOf(b)) << a.name << " and " << b.name << " look the same";
        }
    }
}

TEST(GamePictures, BackgroundsCoverTheViewAndTheLogoKeepsBelowTheCut) {
    for (const char* file : {"background5.bmp", "background9.bmp"}) {
        const Bitmap& b = bitmap(file);
        int clear = 0;
        for (int i = 0; i < b.width * b.height; ++i) clear += b.pixels[i * 4 + 3] == 0;
        EXPECT_EQ(clear, 0) << file << " would show black holes";
    }
    const Bitmap& logo = bitmap("ottologo4.bmp");
    const int firstHidden = int(logo.height * (1.0f - kLogoCutOff));
    int hidden = 0, shown = 0;
    for (int y = 0; y < logo.height; ++y)
        for (int x = 0; x < logo.width; ++x)
            (y >= firstHidden ? hidden : shown) += alphaAt(logo, x, y) != 0;
    EXPECT_EQ(hidden, 0) << "logo pixels in the part the menu cuts off";
    EXPECT_GT(shown, logo.width * logo.height / 20);
}

TEST(ArtGeneration, GivesTheBuiltBytesEveryTimeWithoutWarnings) {
    const GeneratedArt art = generatePictures(loadArtFolder(artSourceFolder()));
    for (const std::string& w : art.warnings) ADD_FAILURE() << w;
    ASSERT_EQ(art.pictures.size(), sheetSizes().size());
    for (const Picture& p : art.pictures)
        EXPECT_EQ(encodeBmp(p.image), fileBytes(DORIAN_DATA_DIR "/" + p.file)) << p.file;
}

// Glyphs and tiles are where the game's font and level drawing take them from.
TEST(ArtTable, GlyphAndTileCellsSitWhereTheGameLooks) {
    buildFont();
    int glyphs = 0, tiles = 0;
    for (const Cell& cell : gameCells()) {
        TexRect expected;
        unsigned texture;
        if (cell.kind == CellKind::Glyph) {
            expected = g_glyphs[std::stoi(cell.name.substr(6)) - ' '], texture = kTexFont;
            ++glyphs;
        } else if (cell.kind == CellKind::Tile) {
            DrawCapture capture;
            drawTile(std::stoi(cell.name.substr(5)), 0, 0);
            expected = capture.calls.at(0).tex, texture = capture.calls.at(0).texture;
            ++tiles;
        } else {
            continue;
        }
        EXPECT_EQ(cell.sheet, kTextureFiles[texture]) << cell.name;
        EXPECT_EQ(std::vector({cell.s0, cell.t0, cell.s1, cell.t1}),
                  std::vector({expected.s0, expected.t0, expected.s1, expected.t1}))
            << cell.name;
    }
    EXPECT_EQ(glyphs, 94);
    EXPECT_EQ(tiles, 139);
    // A tile is painted over its whole grid cell, so that the inset never reaches a seam.
    const PixelRect p = paintPixels(*findCell("tile.104"), 480, 480);
    EXPECT_EQ(std::vector({p.x0, p.y0, p.x1, p.y1}),
              std::vector({0, 480 - 6 * 60, 60, 480 - 5 * 60}));
}

}  // namespace
