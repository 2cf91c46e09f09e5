// Headless hero frames per second on a bumpy level, drawing off.
#include <benchmark/benchmark.h>

#include "app/globals.h"
#include "hero/hero.h"
#include "world/level.h"

namespace {

// Ground with steps, pits bridged by ladders and a pool, walled left and right.
void buildLevel() {
    for (auto& row : g_level.grid)
        for (int& cell : row) cell = kEmpty;
    for (int col = 0; col < kGridSize; ++col) {
        int height = 3 + (col / 7) % 4;
        for (int row = 0; row < height; ++row) g_level.grid[row][col] = 1;
        if (col % 11 == 5) g_level.grid[height][col] = kFirstLadder;
        if (col % 17 == 9) g_level.grid[height - 1][col] = kSwimmerWater;
    }
    for (int row = 0; row < kGridSize; ++row) g_level.grid[row][0] = g_level.grid[row][99] = 1;
}

void BM_HeroFrame(benchmark::State& state) {
    buildLevel();
    g_onScreens = 0;
    g_hero = Hero();
    g_hero.x = 40;
    g_hero.y = 140;
    g_hero.pressRight();
    int frame = 0;
    for (auto _ : state) {
        g_hero.process();
        if (++frame % 40 == 0) g_hero.pressUp();
        if (frame % 40 == 1) g_hero.releaseUp();
        if (g_hero.x > 1900 || g_hero.dying || g_lives < 6) {
            g_hero = Hero();
            g_hero.pressRight();
            g_hero.x = 40;
            g_hero.y = 140;
            g_lives = 6;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_HeroFrame);

}  // namespace

BENCHMARK_MAIN();
