// Level maps: every cell through the game's drawing and a mark on each creature.
#include "levels/level_map.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "levels/level_codes.h"
#include "levels/level_set.h"
#include "support/world.h"
#include "tools/levels/level_sketch.h"

namespace {

constexpr int kFullSize = 2000;  // one pixel per world unit

// The textures load from the data folder, as the map tool does.
struct LevelMapTest : ::testing::Test {
    void SetUp() override {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(levelDataFolder());
        resetWorld();
    }
    void TearDown() override { std::filesystem::current_path(previous); }
    std::filesystem::path previous;
};

// A pixel of a picture by world position, y up.
Rgba atWorld(const Image& map, int x, int y) {
    return map.at(x, kFullSize - 1 - y);
}

TEST_F(LevelMapTest, MarksSitOnTheirCellsOverTheSky) {
    LevelGrid grid = sketchGrid({
        "#........#",
        "#.S....E.#",
        "#...w....#",
        "##########",
    });
    LevelMapRenderer renderer;
    ASSERT_TRUE(renderer.ok());
    Image map = renderer.render(grid, kFullSize);
    ASSERT_EQ(map.width(), kFullSize);
    // The walker's cell is row 1, column 4: its mark is a box in the
    // walker's colour round the letter, over the cell's corner.
    const CreatureKind* walker = creatureKindOf(-2);
    Rgba mark = atWorld(map, 4 * 20 - 2, 20 - 2);
    EXPECT_NEAR(mark.r, walker->r * 0.85f * 255, 8);
    EXPECT_NEAR(mark.g, walker->g * 0.85f * 255, 8);
    // Open air is the map's dark sky.
    Rgba air = atWorld(map, 150, 70);
    EXPECT_LT(air.r, 40);
    EXPECT_LT(air.b, 60);
    EXPECT_EQ(air.a, 255);
    // The renderer leaves the camera where it was.
    EXPECT_EQ(g_scrollX, 150);
    EXPECT_EQ(g_scrollY, 0);
}

TEST_F(LevelMapTest, SmallMapsAverageTheWorld) {
    LevelGrid grid = sketchGrid({"#.S..E.#", "#......#", "########"});
    LevelMapRenderer renderer;
    ASSERT_TRUE(renderer.ok());
    Image small = renderer.render(grid, 100);
    ASSERT_EQ(small.width(), 100);
    ASSERT_EQ(small.height(), 100);
    Image key = renderer.renderKey(200);
    EXPECT_EQ(key.width(), 200);
    EXPECT_GT(key.height(), 200);
}

}  // namespace
