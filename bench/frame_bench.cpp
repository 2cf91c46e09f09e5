// A whole frame of play on the busiest shipped level, headless and rendered
// offscreen at 1024 by 768, each beside its baseline in the same run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/frame.h"
#include "app/gamepad.h"
#include "app/globals.h"
#include "audio/audio.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "gfx/font.h"
#include "gfx/offscreen.h"
#include "hero/hero.h"
#include "world/level.h"

namespace {

constexpr int kLevels = 12;

int crowdOf(int level) {
    g_levelNumber = level;
    reloadLevel();
    int n = 0;
    for (ListNode* node = g_enemies.first; node; node = node->next) ++n;
    for (ListNode* node = g_items.first; node; node = node->next) ++n;
    return n;
}

// Loads the level with the most creatures and pick-ups and starts playing it.
int enterBusiestLevel() {
    int busiest = 1, most = -1;
    for (int level = 1; level <= kLevels; ++level) {
        int crowd = crowdOf(level);
        if (crowd > most) most = crowd, busiest = level;
    }
    g_levelNumber = busiest;
    reloadLevel();
    g_hero = Hero();
    g_hero.invulnTimer = kProtectionFrames;
    g_hero.placeAtStart();
    g_onScreens = 0;
    return busiest;
}

void emptyWorld() {
    g_enemies.clear();
    g_items.clear();
    g_projectiles.clear();
    for (auto& row : g_level.grid)
        for (int& cell : row) cell = kEmpty;
    g_hero = Hero();
    g_onScreens = 0;
}

// Keeps the hero alive and busy: walking to and fro and shooting.
void steerHero(int frame) {
    if (frame % 200 == 0) g_hero.pressRight();
    if (frame % 200 == 100) g_hero.releaseRight();
    if (g_hero.dying || g_onScreens || g_lives < 3) {
        g_lives = 6;
        g_onScreens = 0;
        g_hero.dying = 0;
        g_hero.placeAtStart();
    }
}

void BM_HeadlessPlayFrame(benchmark::State& state) {
    state.counters["level"] = enterBusiestLevel();
    int frame = 0;
    for (auto _ : state) {
        steerHero(frame++);
        runFrame();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_HeadlessEmptyFrame(benchmark::State& state) {
    emptyWorld();
    for (auto _ : state) runFrame();
    state.SetItemsProcessed(state.iterations());
}

// The same with SDL's game-controller support on and no pad plugged in:
// what every frame pays for looking.
void BM_HeadlessEmptyFrameWithGamepads(benchmark::State& state) {
    emptyWorld();
    openGamepads();
    for (auto _ : state) runFrame();
    closeGamepads();
    state.SetItemsProcessed(state.iterations());
}

void BM_RenderedPlayFrame(benchmark::State& state) {
    OffscreenContext screen(1024, 768);
    if (!screen.ok()) {
        state.SkipWithError("no offscreen context");
        return;
    }
    loadTextures();
    buildFont();
    state.counters["level"] = enterBusiestLevel();
    int frame = 0;
    for (auto _ : state) {
        steerHero(frame++);
        clearScreen();
        playFrame();
        screen.finish();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_RenderedEmptyFrame(benchmark::State& state) {
    OffscreenContext screen(1024, 768);
    if (!screen.ok()) {
        state.SkipWithError("no offscreen context");
        return;
    }
    for (auto _ : state) {
        clearScreen();
        screen.finish();
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_HeadlessPlayFrame);
BENCHMARK(BM_HeadlessEmptyFrame);
BENCHMARK(BM_HeadlessEmptyFrameWithGamepads);
// The software renderer draws on worker threads: wall time is what counts.
BENCHMARK(BM_RenderedPlayFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderedEmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

// Runs in the data folder, where the game's files are.
int main(int argc, char** argv) {
    std::filesystem::current_path(DORIAN_DATA_DIR);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
