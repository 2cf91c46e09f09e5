// Routes: their text, their replay, and the search that finds them.
#include "levels/route.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/frame.h"
#include "levels/level_set.h"
#include "levels/route_search.h"
#include "support/world.h"
#include "tools/levels/level_sketch.h"

namespace {

TEST(RouteTextTest, RoutesSurviveTheirTextForm) {
    Route route;
    route.add(40, kKeyRight);
    route.add(8, kKeyRight);  // joins the run before
    route.add(12, kKeyRight | kKeyUp);
    route.add(0, kKeyLeft);  // nothing to add
    route.add(30, 0);
    route.add(5, kKeyLeft | kKeyDown);
    route.add(1, kKeyRight | kKeyFire);
    route.add(1, kKeyRight | kKeyFire);  // a second shot, so a run of its own
    std::string text = routeText(route, "a test");
    EXPECT_EQ(text, "; a test\n48 R\n12 RU\n30 -\n5 LD\n1 RF\n1 RF\n");
    Route back;
    std::string error;
    ASSERT_TRUE(parseRoute(text, "r", &back, &error)) << error;
    EXPECT_EQ(back.runs, route.runs);
    back.keepFirst(60 + 3);  // cuts into the third run
    EXPECT_EQ(routeText(back, "cut"), "; cut\n48 R\n12 RU\n3 -\n");
}

TEST(RouteTextTest, BrokenRoutesNameTheLine) {
    const char* broken[] = {"10 R\nR 10\n",         "10 R\n0 R\n",  "10 R\n5 X\n",
                            "10 R\n5 RR\n",         "10 R\n5 FF\n", "10 R\n5\n",
                            "10 R\n5 R R\n",        "10 R\n-5 R\n", "10 R\n100001 R\n",
                            "10 R\n99999999999 R\n"};
    for (const char* text : broken) {
        Route route;
        std::string error;
        EXPECT_FALSE(parseRoute(text, "r.route", &route, &error)) << text;
        EXPECT_EQ(error.substr(0, 10), "r.route:2:") << text;
    }
}

// Plays a route in the real frame with the sketch loaded, from its start.
RouteOutcome play(const std::vector<std::string>& rows, const Route& route) {
    resetWorld();
    installLevelWithoutCreatures(sketchGrid(rows));
    g_levelNumber = 12;  // the exit completes the game instead of loading a file
    beginLevelRun();
    return followRoute(route, playFrame);
}

// A start marker stands one row above the hero's body, as do checkpoints and exits.
const std::vector<std::string> kGapAndLadder = {
    "#....................#", "#................E...#", "#....................#",
    "#...........HH########", "#...........HH.......#", "#.S.....C...HH.......#",
    "#...........HH.......#", "######...#############",
};

// The search leaves the game as it found it; its routes exit on their last
// frame with no life lost, and it gives up when the exit is walled off.
TEST(RouteSearchTest, FindsAJumpAClimbAndAWayPastSpikesThatTheRealFramePlays) {
    const std::vector<std::string> spikes = {
        "#..........#", "#..........#", "#..........#",
        "#.S....C.E.#", "#...^^.....#", "############",
    };
    for (const std::vector<std::string>& rows : {kGapAndLadder, spikes}) {
        resetWorld();
        g_levelNumber = 5;
        g_startX = 123;
        SearchReport report = searchRoute(sketchGrid(rows));
        EXPECT_EQ(std::make_tuple(g_levelNumber, g_startX, g_completionTimer, g_onScreens),
                  std::make_tuple(5, 123, 0, 0));
        ASSERT_TRUE(report.found);
        RouteOutcome outcome = play(rows, report.route);
        EXPECT_EQ(outcome.end, RouteEnd::Exited);
        EXPECT_EQ(outcome.frames, report.route.totalFrames());
        EXPECT_EQ(g_lives, 6);
    }
    resetWorld();
    SearchReport report =
        searchRoute(sketchGrid({"#.......#..#", "#.S.C...#E.#", "#.......#..#", "############"}));
    EXPECT_FALSE(report.found);
    EXPECT_GT(report.expansions, 0);
}

// On level 3, dropping a needless key brings the exit a frame sooner: the
// route must end on that frame, not run on.
TEST(RouteSearchTest, ARouteEndsOnTheFrameItReachesTheExit) {
    std::vector<LevelFile> levels;
    std::string error;
    ASSERT_TRUE(readLevelSet(levelSourceFolder(), &levels, &error)) << error;
    const LevelGrid& grid = levels.at(2).source.grid;
    Route route = searchRoute(grid).route;
    EXPECT_TRUE(routeFinishesLevel(grid, route));
    route.keepFirst(route.totalFrames() - 1);
    EXPECT_FALSE(routeFinishesLevel(grid, route));
}

}  // namespace
