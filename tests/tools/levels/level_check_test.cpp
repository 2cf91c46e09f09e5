// The level rules: start, exit, walls, codes, placement and the game's cast.
#include "levels/level_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "levels/fair_start.h"
#include "levels/level_codes.h"
#include "tools/levels/level_sketch.h"

namespace {

// A small sound level: the hero walks right to the exit.
std::vector<std::string> soundRows() {
    return {
        "#..........",
        "#S.....C..E",
        "#...$w.....",
        "###########",
    };
}

std::string problemsOf(const std::vector<std::string>& rows) {
    std::string all;
    for (const std::string& p : checkLevel(sketchGrid(rows))) all += p + "\n";
    return all;
}

TEST(LevelCheckTest, ASoundLevelHasNoProblems) {
    EXPECT_EQ(problemsOf(soundRows()), "");
}

TEST(LevelCheckTest, StartMarkersNeedOneMarkerWithGroundTwoCellsBelow) {
    std::vector<std::string> two = soundRows();
    two[1][4] = 'S';
    EXPECT_EQ(problemsOf(two), "there are 2 start markers; a level needs exactly one\n");

    std::vector<std::string> none = soundRows();
    none[1][1] = '.';
    EXPECT_EQ(problemsOf(none), "there are 0 start markers; a level needs exactly one\n");

    std::vector<std::string> floating = soundRows();
    floating[0][3] = 'S';
    floating[1][1] = '.';
    EXPECT_EQ(problemsOf(floating),
              "no ground two cells below the start marker at map line 97 column 4\n");

    std::vector<std::string> buried = soundRows();
    buried[2][1] = '#';
    EXPECT_EQ(problemsOf(buried),
              "the hero would start inside a wall below the marker at map line 98 column 2\n");
}

TEST(LevelCheckTest, ExitsCheckpointsAndCodesAreCounted) {
    std::vector<std::string> noExit = soundRows();
    noExit[1][10] = '.';
    EXPECT_EQ(problemsOf(noExit), "there is no exit (code 104)\n");

    std::vector<std::string> noCheckpoint = soundRows();
    noCheckpoint[1][7] = '.';
    EXPECT_EQ(problemsOf(noCheckpoint), "there are 0 checkpoints; a level has one to three\n");

    LevelGrid grid = sketchGrid(soundRows());
    grid.cells[1][6] = -92;  // no picture on the item sheet
    grid.cells[1][7] = 200;  // no tile picture
    grid.cells[1][8] = -40;  // a swimmer without a sprite
    std::vector<std::string> problems = checkLevel(grid);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0], "unknown code -92 at map line 99 column 7");
    EXPECT_EQ(problems[1], "unknown code 200 at map line 99 column 8");
}

TEST(LevelCheckTest, ThePlayAreaIsWalledInExceptBelow) {
    LevelGrid open = sketchGrid(soundRows());
    // A hole in the right wall leads to a corridor along row 2.
    for (int col = 11; col < kLevelSide; ++col) open.cells[2][col] = -1;
    std::vector<std::string> problems = checkLevel(open);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "no wall on the right at row 2 column 99");

    LevelGrid roofless = sketchGrid(soundRows());
    for (int row = 3; row < kLevelSide; ++row) roofless.cells[row][4] = -1;
    problems = checkLevel(roofless);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "no roof at row 99 column 4");

    std::vector<std::string> pit = soundRows();
    pit[3][6] = '.';  // a hole in the floor falls out of the world: allowed
    EXPECT_EQ(problemsOf(pit), "");
}

TEST(LevelCheckTest, CreaturesAndTurretsMustFaceThePlayArea) {
    LevelGrid grid = sketchGrid(soundRows());
    grid.cells[10][20] = -2;  // inside solid rock
    grid.cells[1][11] = -24;  // in the right wall, facing left into the level
    grid.cells[2][11] = -25;  // in the right wall, facing right into rock
    std::vector<std::string> problems = checkLevel(grid);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "code -25 at map line 98 column 12 is outside the play area");
    EXPECT_EQ(problems[1], "code -2 at map line 90 column 21 is outside the play area");
}

TEST(LevelCheckTest, CreaturesLiveWhereTheirWayOfMovingWorks) {
    LevelGrid grid = sketchGrid({
        "#.........~~~#",
        "#.........~~~#",
        "#S.....C....E#",
        "#............#",
        "##############",
    });
    grid.cells[1][3] = -19;   // a tiger on the floor: fine
    grid.cells[2][4] = -2;    // a walker in mid-air
    grid.cells[1][5] = -16;   // a giant on the floor...
    grid.cells[2][5] = 1;     // ...under a block
    grid.cells[4][11] = -9;   // a swimmer in the water: fine
    grid.cells[1][9] = -10;   // a swimmer on dry land
    grid.cells[3][8] = -33;   // a fly in the air: fine
    grid.cells[1][13] = -24;  // a turret in the right wall: fine
    grid.cells[1][2] = -25;   // a turret on the floor is a block of its own: fine
    std::vector<std::string> problems = checkLevel(grid);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0], "the giant at map line 99 column 6 has no room above it");
    EXPECT_EQ(problems[1], "the swimmer at map line 99 column 10 is not in water");
    EXPECT_EQ(problems[2], "the walker at map line 98 column 5 has no ground under it");
}

// Creatures kept three tiles from where the hero arrives, found by running
// them; spawn codes that would leave a hole in a back wall.
TEST(LevelCheckTest, CreaturesKeepClearOfArrivalsAndSpawnsLeaveNoHoles) {
    const struct {
        const char* what;
        std::vector<std::string> rows;
        std::string problems;
    } cases[] = {
        {"a walker on the start's floor",
         {"#S.............C...E#", "#...w...............#", "#########.###########"},
         "the walker at map line 99 column 5 comes within 3 tiles of the start at map line 98 "
         "column 2\n"},
        {"a walker by the checkpoint",
         {"#S.............C...E#", "#...............w...#", "#########.###########"},
         "the walker at map line 99 column 17 comes within 3 tiles of the checkpoint at map line "
         "98 column 16 or of where a respawn there lands (map line 99 column 17)\n"},
        {"a walker where a respawn drops to",
         {"#S...C.............E#", "#...................#", "#####...............#",
          "#...................#", "#...................#", "#...................#",
          "#.........w.........#", "#####################"},
         "the walker at map line 99 column 11 comes within 3 tiles of the checkpoint at map line "
         "93 column 6 or of where a respawn there lands (map line 99 column 7)\n"},
        {"a walker four rows down",
         {"#S....C..........E#", "#.................#", "#########.........#",
          "#.................#", "#.................#", "#..w..............#",
          "###################"},
         ""},
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
        {"a start beacon under a slot",
         {"#B.BBB.......#", "#BSB.B...C..E#", "#............#", "##############"},
         ""},
    };
    for (const auto& c : cases) {
        LevelGrid grid = sketchGrid(c.rows);
        std::vector<std::string> problems = checkLevel(grid);
        checkFairArrivals(grid, &problems);
        std::string all;
        for (const std::string& p : problems) all += p + "\n";
        EXPECT_EQ(all, c.problems) << c.what;
    }
}

// Every kind once, on levels 1 to 12, with an extra life in each era.
std::vector<NumberedLevel> fullCast() {
    std::vector<NumberedLevel> levels;
    for (int number = 1; number <= kLevelCount; ++number) levels.push_back({number, LevelGrid()});
    int col = 0;
    for (const CreatureKind& kind : creatureKinds()) levels[0].grid.cells[0][col++] = kind.codes[0];
    levels[0].grid.cells[1][0] = -100;
    for (int number : {1, 4, 8, 11}) levels[number - 1].grid.cells[2][0] = kCodeExtraLife;
    return levels;
}

TEST(LevelCheckTest, TheGameNeedsEveryKindAndALifeInEveryEra) {
    std::vector<NumberedLevel> levels = fullCast();
    EXPECT_TRUE(checkGame(levels).empty());

    levels[0].grid.cells[0][3] = -1;  // the strider
    levels[7].grid.cells[2][0] = -1;  // the extra life of the prehistoric era
    levels[0].grid.cells[1][0] = -1;  // the only points pick-up
    std::vector<std::string> problems = checkGame(levels);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0], "no level has a strider");
    EXPECT_EQ(problems[1], "no level has a points pick-up");
    EXPECT_EQ(problems[2], "era 3 has no extra life (code -122)");
}

TEST(LevelCheckTest, LevelsBelongToTheirEras) {
    const int eras[] = {1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 4, 4};
    for (int number = 1; number <= kLevelCount; ++number)
        EXPECT_EQ(eraOfLevel(number), eras[number - 1]) << "level " << number;
}

}  // namespace
