// The twelve levels the game ships: their checks, their built files, and a
// replay of each stored route through the real game frame.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/progress.h"
#include "app/screens.h"
#include "levels/alive_route.h"
#include "levels/level_codes.h"
#include "levels/level_set.h"
#include "levels/route.h"
#include "support/files.h"
#include "support/shipped.h"
#include "support/world.h"

namespace {

// The sources keep the rules, and the built level files are written from them.
TEST(ShippedLevelsTest, EveryLevelKeepsTheRulesAndIsBuiltFromItsSource) {
    std::vector<LevelFile> levels;
    std::string error;
    ASSERT_TRUE(readLevelSet(levelSourceFolder(), &levels, &error)) << error;
    ASSERT_EQ(levels.size(), static_cast<size_t>(kLevelCount));
    for (const std::string& problem : checkLevelSet(levels)) ADD_FAILURE() << problem;
    for (const LevelFile& level : levels) {
        std::filesystem::path built =
            std::filesystem::path(levelDataFolder()) / levelDataName(level.number);
        EXPECT_EQ(fileBytes(built), levelDataText(level.source.grid)) << built;
    }
}

// The ways play reaches a level, through the game's own menu, start and
// level exit.
enum class WayIn { Menu, Continue, Exit };

std::vector<WayIn> waysInto(int number) {
    std::vector<WayIn> ways;
    const int era = eraOfLevel(number);
    for (HandOver how : handOversOf(number)) {
        if (how == HandOver::Menu) {
            ways.push_back(WayIn::Menu);
            continue;
        }
        ways.push_back(WayIn::Exit);
        if (firstLevelOfEra(era) != number) ways.push_back(WayIn::Continue);
    }
    return ways;
}

// The era chosen on the menu, the menu left running behind, then Enter;
// continuing from the level where the era has got that far.
void enterFromMenu(int number, bool continuing) {
    const int era = eraOfLevel(number);
    g_era = era - 1;
    selectEra(+1);
    g_furthestLevel[era] = continuing ? number : 0;
    chooseContinue(continuing);
    g_onScreens = 1;
    for (int i = 0; i < kMenuFrames; ++i) screenFrame();
    startGame();
    g_furthestLevel[era] = 0;
}

// The hero under the exit of the level before, for one frame.
void enterThroughExit(int number) {
    g_levelNumber = number - 1;
    reloadLevel();
    for (int row = 1; row < kGridSize; ++row)
        for (int col = 0; col < kGridSize; ++col)
            if (g_level.grid[row][col] == kExit) {
                g_hero.x = col * kTileSize + kTileSize / 2;
                g_hero.y = (row - 1) * kTileSize;
            }
    playFrame();
}

// A route as stored; a file that does not read names itself in the failure.
Route storedRoute(const std::string& path) {
    Route route;
    std::string error;
    EXPECT_TRUE(readRoute(path, &route, &error)) << error;
    return route;
}

// The route, played through the game's frame, leaves by the exit on its last
// frame, so a hero who got faster or slower shows, and with no life lost.
void expectExitOnLastFrame(const Route& route) {
    RouteOutcome outcome = followRoute(route, playFrame);
    EXPECT_EQ(outcome.end, RouteEnd::Exited);
    EXPECT_EQ(outcome.frames, route.totalFrames());
    EXPECT_GE(g_lives, kStartLives);
}

using StoredRoutesTest = ShippedLevelTest;

// The stored route on the level loaded from its built file as a level exit
// does, its creatures cleared; then the alive route with its creatures, from
// every way in.
TEST_P(StoredRoutesTest, LeaveTheLevelByTheExitOnTheirLastFrame) {
    const int number = GetParam();
    g_levelNumber = number;
    g_level.load();
    g_enemies.clear();
    beginLevelRun();
    expectExitOnLastFrame(storedRoute(levelRoutePath(levelSourceFolder(), number)));
    if (number < kLevelCount) {
        EXPECT_EQ(g_levelNumber, number + 1);
    } else {
        EXPECT_EQ(g_completionTimer, 1);
        EXPECT_EQ(g_onScreens, 1);
    }
    const Route alive = storedRoute(levelAliveRoutePath(levelSourceFolder(), number));
    for (WayIn way : waysInto(number)) {
        SCOPED_TRACE(way == WayIn::Menu ? "menu" : way == WayIn::Exit ? "exit" : "continue");
        resetWorld();
        way == WayIn::Exit ? enterThroughExit(number)
                           : enterFromMenu(number, way == WayIn::Continue);
        ASSERT_EQ(g_levelNumber, number);
        ASSERT_EQ(g_onScreens, 0);
        ASSERT_NE(g_enemies.first, nullptr);
        expectExitOnLastFrame(alive);
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, StoredRoutesTest, ::testing::Range(1, kLevelCount + 1));

}  // namespace
