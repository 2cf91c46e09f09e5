// Headless cost of drawing the level: the visible-window walk against a walk
// over all 10000 cells, in the same run.
#include <benchmark/benchmark.h>

#include <random>

#include "app/globals.h"
#include "gfx/scene.h"
#include "world/level.h"

namespace {

void fillLevel() {
    std::mt19937 rng(3);
    for (auto& row : g_level.grid)
        for (int& cell : row) cell = rng() % 2 ? static_cast<int>(rng() % 140) : -1;
    g_scrollX = 1000;
    g_scrollY = 900;
}

void BM_LevelDrawVisibleWindow(benchmark::State& state) {
    fillLevel();
    for (auto _ : state) {
        g_level.draw();
        benchmark::ClobberMemory();
    }
}

void BM_LevelDrawEveryCell(benchmark::State& state) {
    fillLevel();
    for (auto _ : state) {
        for (int row = 0; row < kGridSize; ++row)
            for (int col = 0; col < kGridSize; ++col) {
                int code = g_level.at(row, col);
                if (code >= 0 && tileInView(row, col)) drawTile(code, row, col);
            }
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_LevelDrawVisibleWindow);
BENCHMARK(BM_LevelDrawEveryCell);

}  // namespace

BENCHMARK_MAIN();
