// Loading level files: spawn-code rewrites, start markers and damaged files.
#include "world/level.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <sstream>
#include <string>
#include <vector>

#include "app/globals.h"
#include "support/scratch.h"

namespace {

// A level's 10000 numbers, bottom row first, all empty unless set.
struct LevelText {
    std::vector<std::string> cells = std::vector<std::string>(kGridSize * kGridSize, "-1");
    void set(int row, int col, int code) { cells[row * kGridSize + col] = std::to_string(code); }
    std::string str(size_t count = kGridSize * kGridSize) const {
        std::ostringstream out;
        for (size_t i = 0; i < count && i < cells.size(); ++i) out << cells[i] << (i % 100 == 99 ? "\n" : " ");
        return out.str();
    }
};

struct LevelTest : ::testing::Test {
    void SetUp() override {
        g_levelNumber = 7;
        g_startX = 100;
        g_startY = 100;
    }
    void TearDown() override {
        g_levelNumber = 1;
        g_startX = g_startY = 100;
        g_enemies.clear();
        g_items.clear();
    }
    void load(const std::string& text) {
        writeFile("level7.dat", text);
        g_level.load();
    }
    ScratchFolder scratch;
};

TEST_F(LevelTest, SpawnCodesLeaveTheirCellsAsTheCreatureNeeds) {
    struct Case {
        int code, cellAfter;
    } cases[] = {
        {-100, -1}, {-91, -1}, {-128, -1},  // pick-ups
        {-10, 129}, {-9, 129}, {-12, 129}, {-35, 129}, {-50, 129}, {-90, 129},  // swimmers
        {-24, 24},  {-25, 24},                                                  // turrets
        {-2, -1},   {-8, -1},  {-13, -1},  {-19, -1}, {-22, -1}, {-27, -1}, {-34, -1},
        {0, 0},     {63, 63},  {104, 104}, {200, 200}, {-1, -1},
    };
    LevelText text;
    int col = 0;
    for (const Case& c : cases) text.set(3, col++, c.code);
    load(text.str());
    col = 0;
    for (const Case& c : cases) EXPECT_EQ(g_level.grid[3][col++], c.cellAfter) << "code " << c.code;
    EXPECT_EQ(g_startX, 100);  // no marker: the start stays
    EXPECT_EQ(g_startY, 100);
}

TEST_F(LevelTest, TheLastStartMarkerSetsTheStartOneRowBelowIt) {
    LevelText text;
    text.set(2, 3, 95);
    text.set(5, 7, 95);
    load(text.str());
    EXPECT_EQ(g_startX, 140);
    EXPECT_EQ(g_startY, 80);
    EXPECT_EQ(g_level.grid[5][7], 95);
    EXPECT_EQ(g_level.grid[2][3], 95);
}

TEST_F(LevelTest, FirstRowOfTheFileIsTheBottomOfTheLevel) {
    load("5 6 7");
    EXPECT_EQ(g_level.grid[0][0], 5);
    EXPECT_EQ(g_level.grid[0][2], 7);
    EXPECT_EQ(g_level.grid[0][3], -1);
    EXPECT_EQ(g_level.grid[1][0], -1);
}

TEST_F(LevelTest, ReadingStopsForGoodAtTheFirstBadToken) {
    load("1 2 x 3 4");
    EXPECT_EQ(g_level.grid[0][1], 2);
    EXPECT_EQ(g_level.grid[0][2], -1);
    EXPECT_EQ(g_level.grid[0][3], -1);
    load("1 2abc 3");  // "%d" takes the 2 and then fails on the letters
    EXPECT_EQ(g_level.grid[0][1], 2);
    EXPECT_EQ(g_level.grid[0][2], -1);
    load("+7 -\n5");
    EXPECT_EQ(g_level.grid[0][0], 7);
    EXPECT_EQ(g_level.grid[0][1], -1);
    EXPECT_EQ(g_level.grid[0][2], -1);
}

TEST_F(LevelTest, NumbersOutsideIntRangeCountAsFailedReads) {
    load("3 4294967391 95 95");  // would wrap to 95 if read as int
    EXPECT_EQ(g_level.grid[0][0], 3);
    EXPECT_EQ(g_level.grid[0][1], -1);
    EXPECT_EQ(g_level.grid[0][2], -1);
    EXPECT_EQ(g_startX, 100);
    load("2147483647 -2147483648 99999999999999999999999999 1");
    EXPECT_EQ(g_level.grid[0][0], 2147483647);
    EXPECT_EQ(g_level.grid[0][1], -1);  // the lowest int is a pick-up code
    EXPECT_EQ(g_level.grid[0][2], -1);
    EXPECT_EQ(g_level.grid[0][3], -1);
}

TEST_F(LevelTest, MissingFileLoadsAnEmptyLevelAndKeepsTheStart) {
    load("1 2 3");
    g_levelNumber = 12;  // no such file here
    g_level.load();
    EXPECT_STREQ(g_level.fileName, "level12.dat");
    for (int row = 0; row < kGridSize; ++row)
        for (int col = 0; col < kGridSize; ++col) ASSERT_EQ(g_level.grid[row][col], -1);
    EXPECT_EQ(g_startX, 100);
}

TEST_F(LevelTest, LoadingTwiceGivesTheSameGrid) {
    LevelText text;
    for (int i = 0; i < 300; ++i) text.set(i / 100, i % 100, (i * 37) % 140 - 10);
    text.set(4, 4, 95);
    load(text.str());
    std::vector<int> first(&g_level.grid[0][0], &g_level.grid[0][0] + kGridSize * kGridSize);
    g_level.load();
    std::vector<int> second(&g_level.grid[0][0], &g_level.grid[0][0] + kGridSize * kGridSize);
    EXPECT_EQ(first, second);
}

TEST_F(LevelTest, ReadsOutsideTheGridAreEmpty) {
    LevelText text;
    text.set(0, 0, 7);
    text.set(99, 99, 8);
    load(text.str());
    EXPECT_EQ(g_level.at(0, 0), 7);
    EXPECT_EQ(g_level.at(99, 99), 8);
    for (auto [row, col] : {std::pair{-1, 0}, {0, -1}, {100, 0}, {0, 100}, {-1000000, 5},
                            {5, 1000000}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}})
        EXPECT_EQ(g_level.at(row, col), -1) << row << "," << col;
}

}  // namespace
