// Loading level files: spawn-code rewrites, start markers and damaged files.
#include "world/level.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/scratch.h"
#include "support/world_test.h"

namespace {

struct LevelTest : WorldTest {
    void SetUp() override {
        WorldTest::SetUp();
        g_levelNumber = 7;
    }
    void load(const std::string& text) {
        writeFile("level7.dat", text);
        g_level.load();
    }
    // Row 3 of an otherwise empty level holds `codes`.
    static std::string rowThree(const std::vector<int>& codes) {
        return levelFile([&](int row, int col) {
            return row == 3 && col < int(codes.size()) ? codes[col] : -1;
        });
    }
    ScratchFolder scratch;
};

TEST_F(LevelTest, SpawnCodesBecomeCreaturesAndPickUpsAndRewriteTheirCells) {
    std::vector<std::pair<int, int>> cases = {{-100, -1}, {-91, -1},  {-10, 129}, {-12, 129},
                                              {-35, 129}, {-90, 129}, {-24, 24},  {-25, 24},
                                              {-2, -1},   {-8, -1},   {-13, -1},  {-27, -1},
                                              {-34, -1},  {0, 0},     {104, 104}, {200, 200}};
    std::vector<int> codes;
    for (auto [code, cell] : cases) codes.push_back(code);
    load(rowThree(codes));
    for (size_t col = 0; col < cases.size(); ++col)
        EXPECT_EQ(g_level.grid[3][col], cases[col].second) << "code " << cases[col].first;
    EXPECT_EQ(countOf(g_items), 2);
    EXPECT_EQ(countOf(g_enemies), 11);
    EXPECT_EQ(g_startX, 100);  // no marker: the start stays
}

TEST_F(LevelTest, TheLastStartMarkerSetsTheStartOneRowBelowIt) {
    load(levelFile([](int row, int col) {
        return (row == 2 && col == 3) || (row == 5 && col == 7) ? 95 : -1;
    }));
    EXPECT_EQ(g_startX, 140);
    EXPECT_EQ(g_startY, 80);
    EXPECT_EQ(g_level.grid[5][7], 95);
}

// Also: reads outside the grid are empty.
TEST_F(LevelTest, ReadingStopsForGoodAtTheFirstBadOrOutOfRangeToken) {
    for (const char* text :
         {"1 2 x 3", "1 2abc 3", "+1 2 - 5", "1 2 4294967391 95", "1 2 99999999999999999999 3"}) {
        load(text);
        EXPECT_EQ(std::vector<int>(&g_level.grid[0][1], &g_level.grid[0][4]),
                  (std::vector<int>{2, -1, -1}))
            << text;
    }
    EXPECT_EQ(g_startX, 100);  // the wrapped 95 never became a start
    load("2147483647");
    EXPECT_EQ(g_level.at(0, 0), INT_MAX);
    for (auto [row, col] :
         {std::pair{-1, 0}, {0, -1}, {100, 0}, {0, 100}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}})
        EXPECT_EQ(g_level.at(row, col), -1);
}

TEST_F(LevelTest, MissingFileLoadsAnEmptyLevelAndLoadingTwiceGivesTheSameGrid) {
    load(rowThree({5, -5, -100, 95}));
    std::vector<int> first(&g_level.grid[0][0], &g_level.grid[0][0] + 10000);
    g_enemies.clear();
    g_items.clear();
    g_level.load();
    EXPECT_EQ(first, std::vector<int>(&g_level.grid[0][0], &g_level.grid[0][0] + 10000));
    g_levelNumber = 12;
    g_level.load();
    EXPECT_EQ(g_level.grid[3][0], -1);
    EXPECT_EQ(g_startX, 60);
}

}  // namespace
