// The generated pictures, read back from the data folder the way the game reads them.
#include <gtest/gtest.h>

#include <map>

#include "art/art_paths.h"
#include "art/bmp.h"
#include "art/cells.h"
#include "art/generator.h"
#include "gfx/bitmap.h"
#include "gfx/font.h"
#include "gfx/scene.h"
#include "support/files.h"
#include "support/world.h"

namespace {

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
