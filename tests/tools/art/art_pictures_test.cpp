// The generated pictures, read back the way the game reads them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "art/art_paths.h"
#include "art/bmp.h"
#include "art/cells.h"
#include "art/generator.h"
#include "gfx/bitmap.h"
#include "support/scratch.h"

namespace {

constexpr int kSamples = 24;                  // sample points per side when comparing two frames
constexpr float kLogoCutOff = 20.0f / 90.0f;  // the menu cuts the top of the logo off

const GeneratedArt& generatedArt() {
    static const GeneratedArt art = generatePictures(loadArtFolder(artSourceFolder()));
    return art;
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

uint32_t field32(const std::string& b, size_t at) {
    return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 | uint8_t(b[at + 2]) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

// The pictures as the game holds them: RGBA, bottom row first, black see-through.
class GamePictures : public ::testing::Test {
   protected:
    static void SetUpTestSuite() {
        ScratchFolder folder;
        std::string error;
        ASSERT_TRUE(writePictures(generatedArt(), folder.path.string(), error)) << error;
        for (const SheetSize& s : sheetSizes()) {
            files_[s.file] = readFile(folder.path / s.file);
            auto& bmp = bitmaps_[s.file];
            bmp = std::make_unique<Bitmap>();
            ASSERT_TRUE(bmp->loadBmp(s.file.c_str())) << s.file;
        }
    }
    static void TearDownTestSuite() {
        bitmaps_.clear();
        files_.clear();
    }

    static const Bitmap& bitmap(const std::string& file) { return *bitmaps_.at(file); }
    // Alpha at texture coordinates (s, t), t = 0 at the bottom, as the game samples.
    static int alphaAt(const Bitmap& b, int x, int rowFromBottom) {
        return b.pixels[(size_t(rowFromBottom) * b.width + x) * 4 + 3];
    }
    static bool anyVisible(const Cell& cell) {
        const Bitmap& b = bitmap(cell.sheet);
        const PixelRect r = drawnPixels(cell, b.width, b.height);
        for (int y = r.y0; y < r.y1; ++y)
            for (int x = r.x0; x < r.x1; ++x)
                if (alphaAt(b, x, b.height - 1 - y)) return true;
        return false;
    }
    // The cell's picture at fixed relative points, so cells of any size compare.
    static std::vector<uint32_t> samples(const Cell& cell) {
        const Bitmap& b = bitmap(cell.sheet);
        const PixelRect r = drawnPixels(cell, b.width, b.height);
        std::vector<uint32_t> out;
        for (int j = 0; j < kSamples; ++j)
            for (int i = 0; i < kSamples; ++i) {
                const int x = r.x0 + (2 * i + 1) * r.width() / (2 * kSamples);
                const int y = b.height - 1 - (r.y0 + (2 * j + 1) * r.height() / (2 * kSamples));
                const unsigned char* p = b.pixels + (size_t(y) * b.width + x) * 4;
                out.push_back(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24);
            }
        return out;
    }

    static std::map<std::string, std::string> files_;
    static std::map<std::string, std::unique_ptr<Bitmap>> bitmaps_;
};

std::map<std::string, std::string> GamePictures::files_;
std::map<std::string, std::unique_ptr<Bitmap>> GamePictures::bitmaps_;

TEST_F(GamePictures, EveryPictureReadsBackWithItsSizeAndAPlainHeader) {
    ASSERT_EQ(sheetSizes().size(), 17u);
    for (const SheetSize& s : sheetSizes()) {
        SCOPED_TRACE(s.file);
        const Bitmap& b = bitmap(s.file);
        EXPECT_EQ(b.width, s.width);
        EXPECT_EQ(b.height, s.height);
        const std::string& f = files_.at(s.file);
        const uint32_t stride = (s.width * 3 + 3) / 4 * 4;
        ASSERT_GE(f.size(), 54u);
        EXPECT_EQ(f.substr(0, 2), "BM");
        EXPECT_EQ(field32(f, 2), f.size());
        EXPECT_EQ(field32(f, 10), 54u);  // the game reads the pixels straight after the header
        EXPECT_EQ(field32(f, 14), 40u);
        EXPECT_EQ(uint8_t(f[28]), 24);
        EXPECT_EQ(field32(f, 30), 0u);  // uncompressed
        EXPECT_EQ(field32(f, 34), stride * s.height);
        EXPECT_EQ(f.size(), 54 + stride * s.height);
    }
}

TEST_F(GamePictures, EveryDrawnCellHasArtAndNoCellIsLeftOut) {
    for (const std::string& w : generatedArt().warnings) ADD_FAILURE() << w;
    for (const Cell& cell : gameCells()) EXPECT_TRUE(anyVisible(cell)) << cell.name;
}

TEST_F(GamePictures, AnimationFramesDifferFromTheFrameBefore) {
    std::map<std::string, std::vector<const Cell*>> animations;
    for (const Cell& cell : gameCells())
        if (!cell.animation.empty()) animations[cell.animation].push_back(&cell);
    EXPECT_GE(animations.size(), 30u);
    for (const auto& [name, frames] : animations) {
        ASSERT_GE(frames.size(), 2u) << name;
        for (size_t i = 0; i < frames.size(); ++i) {
            const Cell& a = *frames[i];
            const Cell& b = *frames[(i + 1) % frames.size()];
            EXPECT_NE(samples(a), samples(b)) << a.name << " and " << b.name << " look the same";
        }
    }
}

TEST_F(GamePictures, BackgroundsCoverTheViewAndTheLogoKeepsBelowTheCut) {
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

// Linear filtering must never pull a neighbour's colour into a sprite: the sprite keeps
// a see-through ring, and the text glyphs leave their cells' edges to the shadow.
TEST_F(GamePictures, SpritesKeepAClearRingAgainstTheirNeighbours) {
    for (const Cell& cell : gameCells()) {
        if (cell.kind != CellKind::Sprite) continue;
        const Bitmap& b = bitmap(cell.sheet);
        const PixelRect r = drawnPixels(cell, b.width, b.height);
        for (int x = r.x0; x < r.x1; ++x) {
            ASSERT_EQ(alphaAt(b, x, b.height - 1 - r.y0), 0) << cell.name;
            ASSERT_EQ(alphaAt(b, x, b.height - r.y1), 0) << cell.name;
        }
        for (int y = r.y0; y < r.y1; ++y) {
            ASSERT_EQ(alphaAt(b, r.x0, b.height - 1 - y), 0) << cell.name;
            ASSERT_EQ(alphaAt(b, r.x1 - 1, b.height - 1 - y), 0) << cell.name;
        }
    }
}

TEST(ArtGeneration, GivesTheSameBytesEveryTime) {
    const ArtLibrary lib = loadArtFolder(artSourceFolder());
    const GeneratedArt again = generatePictures(lib);
    ASSERT_EQ(again.pictures.size(), generatedArt().pictures.size());
    for (size_t i = 0; i < again.pictures.size(); ++i)
        EXPECT_EQ(encodeBmp(again.pictures[i].image), encodeBmp(generatedArt().pictures[i].image))
            << again.pictures[i].file;
}

TEST(ArtTable, GlyphAndTileCellsSitWhereTheGameLooks) {
    const Cell* a = findCell("glyph.65");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->sheet, "font.bmp");
    EXPECT_FLOAT_EQ(a->s0, 0.0625f);
    EXPECT_FLOAT_EQ(a->t0, 0.8125f);
    EXPECT_FLOAT_EQ(a->t1, 0.875f);
    const Cell* checkpoint = findCell("tile.135");
    ASSERT_NE(checkpoint, nullptr);
    EXPECT_EQ(checkpoint->sheet, "blocks3.bmp");
    EXPECT_FLOAT_EQ(checkpoint->s0, 7.02f / 8);
    EXPECT_FLOAT_EQ(checkpoint->t0, 0.02f / 8);
    const Cell* exit = findCell("tile.104");
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->sheet, "blocks2.bmp");
    EXPECT_FLOAT_EQ(exit->t0, 5.02f / 8);  // cell 40: column 0, row 5 from the bottom
    // A tile is painted over its whole grid cell, so that the inset never reaches a seam.
    const PixelRect p = paintPixels(*exit, 480, 480);
    EXPECT_EQ(p.x0, 0);
    EXPECT_EQ(p.y0, 480 - 6 * 60);
    EXPECT_EQ(p.height(), 60);
}

}  // namespace
