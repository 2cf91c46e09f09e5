// Level maps: every cell through the game's drawing and a mark on each creature.
#include "levels/level_map.h"

#include <gtest/gtest.h>

#include "levels/level_codes.h"
#include "levels/level_set.h"
#include "support/scratch.h"
#include "support/world.h"
#include "tools/levels/level_sketch.h"

namespace {

constexpr int kFullSize = 2000;  // one pixel per world unit

// The textures load from the data folder, as the map tool does.
TEST(LevelMapTest, MarksSitOnTheirCellsOverTheSky) {
    InFolder inData(levelDataFolder());
    resetWorld();
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
    auto atWorld = [&](int x, int y) { return map.at(x, kFullSize - 1 - y); };  // y up
    // The walker's cell is row 1, column 4: its mark is a box in the
    // walker's colour round the letter, over the cell's corner.
    const CreatureKind* walker = creatureKindOf(-2);
    Rgba mark = atWorld(4 * 20 - 2, 20 - 2);
    EXPECT_NEAR(mark.r, walker->r * 0.85f * 255, 8);
    EXPECT_NEAR(mark.g, walker->g * 0.85f * 255, 8);
    // Open air is the map's dark sky.
    Rgba air = atWorld(150, 70);
    EXPECT_TRUE(air.r < 40 && air.b < 60 && air.a == 255);
    // The renderer leaves the camera where it was.
    EXPECT_EQ(std::make_pair(g_scrollX, g_scrollY), std::make_pair(150, 0));
}

}  // namespace
