// Whole frames, headless and rendered offscreen at 1024 by 768, each beside
// its baseline in the same run. Rendered frames run twice: the game's way and
// the reference way (g_plainDrawing) that every quad was once drawn in.
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
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

int crowdOf(int level) {
    g_levelNumber = level;
    reloadLevel();
    int n = 0;
    for (ListNode* node = g_enemies.first; node; node = node->next) ++n;
    for (ListNode* node = g_items.first; node; node = node->next) ++n;
    return n;
}

// Starts playing `level` with the background as the game shows it there:
// levels from 11 on have none.
void enterLevel(int level, bool background) {
    g_levelNumber = level;
    reloadLevel();
    g_projectiles.clear();
    g_hero = Hero();
    g_hero.invulnTimer = kProtectionFrames;
    g_hero.placeAtStart();
    g_backgroundOn = background;
    g_lives = kStartLives;
    g_onScreens = 0;
}

// The level with the most creatures and pick-ups.
int busiestLevel() {
    int busiest = 1, most = -1;
    for (int level = 1; level <= kLevels; ++level) {
        int crowd = crowdOf(level);
        if (crowd > most) most = crowd, busiest = level;
    }
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

// Runs right and left without a stop, out of harm's way: the camera moves
// every frame, and nothing drawn can be kept from the frame before.
void runHero(int frame) {
    constexpr int kLeg = 60;
    int step = frame % (2 * kLeg);
    if (step == 0 && frame > 0) g_hero.releaseLeft();
    if (step == 0) g_hero.pressRight();
    if (step == kLeg) g_hero.releaseRight(), g_hero.pressLeft();
    g_hero.invulnTimer = kProtectionFrames - 1;
}

void BM_HeadlessPlayFrame(benchmark::State& state) {
    int level = busiestLevel();
    enterLevel(level, true);
    state.counters["level"] = level;
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

// What a rendered row shows. Running, the camera moves every frame;
// standing, it stays put while the creatures move.
enum class Scene {
    Level12Running,
    Level12Standing,
    Level1Running,
    Level1Standing,
    Menu,
    Level12BackgroundRunning,
    OneLayer,
    Clear
};

// Far enough from the start that the camera follows every step both ways.
constexpr int kRunFromStart = 100;

void enterScene(Scene scene) {
    switch (scene) {
        case Scene::Level12Running:
        case Scene::Level12Standing:
            enterLevel(12, false);
            break;
        case Scene::Level1Running:
        case Scene::Level1Standing:
        case Scene::Menu:
            enterLevel(1, true);
            g_onScreens = scene == Scene::Menu;
            break;
        case Scene::Level12BackgroundRunning:
            enterLevel(12, true);
            break;
        case Scene::OneLayer:
        case Scene::Clear:
            emptyWorld();
            break;
    }
    bool running = scene == Scene::Level12Running || scene == Scene::Level1Running ||
                   scene == Scene::Level12BackgroundRunning;
    if (running) g_hero.x += kRunFromStart;
}

void drawScene(Scene scene, int frame) {
    clearScreen();
    switch (scene) {
        case Scene::Menu:
            screenFrame();
            break;
        case Scene::OneLayer:
            // The floor: one opaque picture over the whole view.
            bindTexture(kTexBackground);
            setColor(1, 1, 1, 1);
            blendNormal();
            drawQuad(0, 0, 300, 250, {0, 0, 1, 1});
            break;
        case Scene::Clear:
            break;
        case Scene::Level12Standing:
        case Scene::Level1Standing:
            g_hero.invulnTimer = kProtectionFrames - 1;
            playFrame();
            break;
        default:
            runHero(frame);
            playFrame();
    }
}

void BM_Rendered(benchmark::State& state, Scene scene, bool reference) {
    g_plainDrawing = reference;
    {
        OffscreenContext screen(kScreenWidth, kScreenHeight);
        if (!screen.ok()) {
            state.SkipWithError("no offscreen context");
            g_plainDrawing = 0;
            return;
        }
        loadTextures();
        buildFont();
        enterScene(scene);
        int frame = 0;
        for (auto _ : state) {
            drawScene(scene, frame++);
            screen.finish();
        }
    }
    g_plainDrawing = 0;
    state.SetItemsProcessed(state.iterations());
}

void registerRendered(const char* name, Scene scene) {
    // The software renderer draws on worker threads: wall time and the CPU of
    // the whole process are what count.
    for (bool reference : {true, false}) {
        std::string row = std::string("BM_Rendered/") + name + (reference ? "/reference" : "/game");
        benchmark::RegisterBenchmark(row.c_str(), BM_Rendered, scene, reference)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MeasureProcessCPUTime();
    }
}

BENCHMARK(BM_HeadlessPlayFrame);
BENCHMARK(BM_HeadlessEmptyFrame);
BENCHMARK(BM_HeadlessEmptyFrameWithGamepads);

}  // namespace

// Runs in the data folder, where the game's files are.
int main(int argc, char** argv) {
    std::filesystem::current_path(DORIAN_DATA_DIR);
    registerRendered("level12_running", Scene::Level12Running);
    registerRendered("level12_standing", Scene::Level12Standing);
    registerRendered("level01_running", Scene::Level1Running);
    registerRendered("level01_standing", Scene::Level1Standing);
    registerRendered("menu", Scene::Menu);
    registerRendered("level12_background_running", Scene::Level12BackgroundRunning);
    registerRendered("one_layer", Scene::OneLayer);
    registerRendered("clear", Scene::Clear);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
