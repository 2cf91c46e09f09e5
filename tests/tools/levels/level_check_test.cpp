// Level sources (the legend, the map read top row first, broken sources), the level
// rules (start, exit, walls, codes, placement and the game's cast), and level maps.
#include "levels/level_check.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "levels/fair_start.h"
#include "levels/level_codes.h"
#include "levels/level_map.h"
#include "levels/level_set.h"
#include "support/scratch.h"
#include "support/world.h"
#include "tools/levels/level_sketch.h"

namespace {

std::string errorOf(const std::string& text) {
    LevelSource source;
    std::string error;
    EXPECT_FALSE(parseLevelSource(text, "bad.txt", &source, &error));
    return error;
}

std::string fullRows(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(kLevelSide, '.') + "\n";
    return text;
}

// The map reads top line first: its last line is row 0. The level file's
// order is pinned by the replays of the shipped levels from their built files.
TEST(LevelSourceTest, TheTopLineOfTheMapIsTheTopRowWhateverTheLineEndsAndComments) {
    std::string text = "; a comment\n\n" + sketchSource({"S.E", "#w$", "##T"}) + "\n; the end\n";
    text.replace(text.find("title sketch"), 12, "title  Docks  ");
    std::string windows;
    for (char c : text) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    LevelSource source;
    std::string error;
    ASSERT_TRUE(parseLevelSource(windows, "ok.txt", &source, &error)) << error;
    EXPECT_EQ(source.title, "Docks");
    EXPECT_EQ(std::make_tuple(source.grid.cells[0][2], source.grid.cells[1][1],
                              source.grid.cells[2][0], source.grid.cells[2][2]),
              std::make_tuple(-24, -2, 95, 104));
    EXPECT_EQ(source.grid.at(-1, 0), -1);
    EXPECT_EQ(source.grid.at(0, 100), -1);
}

TEST(LevelSourceTest, BrokenSourcesAreRefusedNamingTheFileAndLine) {
    const std::string header = "legend . -1\n";
    struct Case {
        std::string text, expected;
    } cases[] = {
        {header + "map\n" + fullRows(3) + std::string(99, '.') + "\n" + fullRows(96),
         "bad.txt:6: map row has 99 characters; every row needs 100"},
        {header + "map\n" + fullRows(1) + std::string(41, '.') + "x" + std::string(58, '.') + "\n" +
             fullRows(98),
         "bad.txt:4: unknown character 'x' at column 42"},
        {header + "map\n" + fullRows(1) + std::string(9, '.') + "\t" + std::string(90, '.') + "\n" +
             fullRows(98),
         "bad.txt:4: unknown character byte 0x9 at column 10"},
        {header + "map\n" + fullRows(60), "bad.txt:62: the map ends after 60 rows; it needs 100"},
        {header + "map\n" + fullRows(100) + "extra\n", "bad.txt:103: text after the last map row"},
        {header, "bad.txt:1: no \"map\" line"},
        {header + "legend . 3\nmap\n", "bad.txt:2: legend '.' is given twice"},
        {"legend x air\n", "bad.txt:1: legend 'x' has no integer code"},
        {"legend x 99999999999\n", "bad.txt:1: legend 'x' has no integer code"},
        {"legend xy 3\n", "bad.txt:1: a legend needs one visible character other than ';'"},
        {"legend\n", "bad.txt:1: a legend needs one visible character other than ';'"},
        {"colour red\n", "bad.txt:1: unknown line \"colour\" (expected title, legend or map)"},
    };
    for (const Case& c : cases) EXPECT_EQ(errorOf(c.text), c.expected);
    // Garbage is refused too, and a missing file named.
    std::string noise;
    for (int i = 0; i < 5000; ++i) noise += static_cast<char>((i * 7919) % 256);
    for (const std::string& text :
         {noise, "legend . -1\nmap\n" + noise, std::string("legend \0 3\n", 11), std::string()})
        errorOf(text);
    LevelSource source;
    std::string error;
    EXPECT_FALSE(readLevelSource("/nonexistent/level01.txt", &source, &error));
    EXPECT_EQ(error, "/nonexistent/level01.txt: cannot be opened");
}

std::string problemsOf(const LevelGrid& grid, bool arrivals = false) {
    std::vector<std::string> problems = checkLevel(grid);
    if (arrivals) checkFairArrivals(grid, &problems);
    std::string all;
    for (const std::string& p : problems) all += p + "\n";
    return all;
}

// A small sound level, the hero walking right to the exit under a pool, then
// one fault put into it at a time (cells[0] is its floor, cells[2] the hero's row).
TEST(LevelCheckTest, EachBrokenRuleIsNamedWithItsPlace) {
    const std::vector<std::string> sound = {
        "#.......~~~",
        "#S.....C..E",
        "#...$w.....",
        "###########",
    };
    const struct {
        const char* what;
        void (*edit)(LevelGrid& g);
        std::string problems;
    } cases[] = {
        {"sound", [](LevelGrid&) {}, ""},
        {"two starts", [](LevelGrid& g) { g.cells[2][4] = 95; },
         "there are 2 start markers; a level needs exactly one\n"},
        {"no start", [](LevelGrid& g) { g.cells[2][1] = -1; },
         "there are 0 start markers; a level needs exactly one\n"},
        {"a floating start", [](LevelGrid& g) { g.cells[3][3] = 95, g.cells[2][1] = -1; },
         "no ground two cells below the start marker at map line 97 column 4\n"},
        {"a buried start", [](LevelGrid& g) { g.cells[1][1] = 1; },
         "the hero would start inside a wall below the marker at map line 98 column 2\n"},
        {"no exit", [](LevelGrid& g) { g.cells[2][10] = -1; }, "there is no exit (code 104)\n"},
        {"no checkpoint", [](LevelGrid& g) { g.cells[2][7] = -1; },
         "there are 0 checkpoints; a level has one to three\n"},
        {"unknown codes",
         [](LevelGrid& g) { g.cells[1][6] = -92, g.cells[1][7] = 200, g.cells[1][8] = -40; },
         "unknown code -92 at map line 99 column 7\nunknown code 200 at map line 99 column 8\n"
         "unknown code -40 at map line 99 column 9\n"},
        {"a hole in the right wall leads along row 2",
         [](LevelGrid& g) {
             for (int col = 11; col < kLevelSide; ++col) g.cells[2][col] = -1;
         },
         "no wall on the right at row 2 column 99\n"},
        {"no roof",
         [](LevelGrid& g) {
             for (int row = 3; row < kLevelSide; ++row) g.cells[row][4] = -1;
         },
         "no roof at row 99 column 4\n"},
        {"in rock, and a turret in the right wall facing it (one facing in is fine)",
         [](LevelGrid& g) { g.cells[10][20] = -2, g.cells[1][11] = -24, g.cells[2][11] = -25; },
         "code -25 at map line 98 column 12 is outside the play area\n"
         "code -2 at map line 90 column 21 is outside the play area\n"},
        {"creatures where their way of moving fails (a tiger on the floor, a swimmer in the "
         "water, a fly in the air and a turret on the floor, a block of its own, are fine)",
         [](LevelGrid& g) {
             g.cells[1][3] = -19, g.cells[3][9] = -9, g.cells[3][2] = -33, g.cells[1][2] = -25;
             g.cells[2][8] = -2;                      // a walker in mid-air
             g.cells[1][6] = -16, g.cells[2][6] = 1;  // a giant under a block
             g.cells[1][9] = -10;                     // a swimmer on dry land
         },
         "the giant at map line 99 column 7 has no room above it\n"
         "the swimmer at map line 99 column 10 is not in water\n"
         "the walker at map line 98 column 9 has no ground under it\n"},
    };
    for (const auto& c : cases) {
        LevelGrid grid = sketchGrid(sound);
        c.edit(grid);
        EXPECT_EQ(problemsOf(grid), c.problems) << c.what;
    }
}

// Creatures kept three tiles from where the hero arrives, found by running
// them; spawn codes that would leave a hole in a back wall.
TEST(LevelCheckTest, CreaturesKeepClearOfArrivalsAndSpawnsLeaveNoHoles) {
    const struct {
        const char* what;
        std::vector<std::string> rows;
        std::string problems;
    } cases[] = {
        {"a walker where a respawn drops to",
         {"#S...C.............E#", "#...................#", "#####...............#",
          "#...................#", "#...................#", "#...................#",
          "#.........w.........#", "#####################"},
         "the walker at map line 99 column 11 comes within 3 tiles of the checkpoint at map line "
         "93 column 6 or of where a respawn there lands (map line 99 column 7)\n"},
        {"a hopper there hops up within reach",
         {"#S....C..........E#", "#.................#", "#########.........#",
          "#.................#", "#.................#", "#..p..............#",
          "###################"},
         "the hopper at map line 99 column 4 comes within 3 tiles of the start at map line 94 "
         "column 2\nthe hopper at map line 99 column 4 comes within 3 tiles of the checkpoint at "
         "map line 94 column 7 or of where a respawn there lands (map line 95 column 8)\n"},
        {"a respawn over a pit",
         {"#S..C..E#", "#.......#", "####..###"},
         "a respawn at the checkpoint at map line 98 column 5 dies or falls out of the world\n"},
        {"a start beacon and a pick-up in a back wall",
         {"#BBBBB.......#", "#BSB$B...C..E#", "#............#", "##############"},
         "code 95 at map line 98 column 3 leaves a hole in the back wall around it\ncode -100 at "
         "map line 98 column 5 leaves a hole in the back wall around it\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(problemsOf(sketchGrid(c.rows), true), c.problems) << c.what;
}

TEST(LevelCheckTest, TheGameNeedsEveryKindAndALifeInEveryEra) {
    // Every kind once, on levels 1 to 12, with an extra life in each era.
    std::vector<NumberedLevel> levels;
    for (int number = 1; number <= kLevelCount; ++number) levels.push_back({number, LevelGrid()});
    int col = 0;
    for (const CreatureKind& kind : creatureKinds()) levels[0].grid.cells[0][col++] = kind.codes[0];
    levels[0].grid.cells[1][0] = -100;
    for (int number : {1, 4, 8, 11}) levels[number - 1].grid.cells[2][0] = kCodeExtraLife;
    EXPECT_TRUE(checkGame(levels).empty());

    levels[0].grid.cells[0][3] = -1;  // the strider
    levels[7].grid.cells[2][0] = -1;  // the extra life of the prehistoric era
    levels[0].grid.cells[1][0] = -1;  // the only points pick-up
    EXPECT_EQ(checkGame(levels),
              (std::vector<std::string>{"no level has a strider", "no level has a points pick-up",
                                        "era 3 has no extra life (code -122)"}));
}

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
