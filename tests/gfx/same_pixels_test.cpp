// The game's way of drawing against the reference way, byte for byte, on
// frames from every part of the game rendered offscreen at 1024 by 768.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/frame.h"
#include "app/input.h"
#include "app/pause.h"
#include "app/screens.h"
#include "enemies/enemy.h"
#include "gfx/bitmap.h"
#include "gfx/font.h"
#include "gfx/offscreen.h"
#include "gfx/scene.h"
#include "levels/level_map.h"
#include "levels/level_set.h"
#include "support/scratch.h"
#include "support/world.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kWorldPixels = 2000;  // a level map, one pixel per world unit
constexpr int kHeight = 768;
constexpr int kWarmUp = 8;  // pixels of the viewport while frames lead up to the compared ones
// The last frames of a case are compared: from the third on, the game puts
// back pixels it kept from the frames before.
constexpr int kComparedFrames = 3;
constexpr int kShootingFrames = 46;
constexpr int kWalkerCode = -2;
constexpr int kWalkerAhead = 2 * kTileSize;

using Picture = std::vector<unsigned char>;
using Named = std::pair<std::string, Picture>;  // "case, frame n" and its picture

// A frame of the game: how the world gets there, and what each frame does first.
struct FrameCase {
    std::string name;
    int era;     // 1 to 4: the menu of that era comes first
    bool play;   // Enter is pressed on the menu
    int frames;  // the last one is compared
    void (*input)(int frame);
    int level = 0;  // a later level of the era, entered at its start
};

void holdRight(int frame) {
    if (frame == 1) g_hero.pressRight();
}

bool burstInFlight() {
    for (ListNode* node = g_enemies.first; node; node = node->next)
        if (static_cast<Enemy*>(node->entity)->deathTimer > 0) return true;
    return false;
}

// Straight shots all along, an aimed one late; a walker put ahead bursts.
void shootAround(int frame) {
    holdRight(frame);
    if (frame == 1) spawnFromCode(kWalkerCode, g_hero.x + kWalkerAhead, g_hero.y);
    if (frame % 10 == 0) onKeyDown(' ', 0, 0), onKeyUp(' ', 0, 0);
    if (frame == kShootingFrames - 4) onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 900, 300);
    if (frame == kShootingFrames - 3) onMouse(GLUT_LEFT_BUTTON, GLUT_UP, 900, 300);
    if (frame == kShootingFrames) {
        EXPECT_TRUE(burstInFlight());
        EXPECT_TRUE(g_projectiles.first);
    }
}

void pauseLate(int frame) {
    holdRight(frame);
    if (frame == 100) pauseGame();
}

void lastLifeLost(int frame) {
    if (frame == 1) g_lives = 1, g_hero.hit();
}

// The completion screen of a level, or of the whole game when the run began at level 1.
void completed(int frame) {
    if (frame == 1) g_completionTimer = 1, g_onScreens = 1, g_fullRun = g_levelNumber == 1;
}

std::vector<FrameCase> frameCases() {
    std::vector<FrameCase> cases;
    for (int era = 1; era <= 4; ++era) {
        std::string prefix = "era" + std::to_string(era);
        cases.push_back({prefix + " menu", era, false, kComparedFrames, [](int) {}});
        cases.push_back({prefix + " first frame", era, true, 1, holdRight});
        cases.push_back({prefix + " frame 300", era, true, 300, holdRight});
    }
    // Era 4 starts on level 11; level 12 follows by the exit, as in the game.
    cases.push_back({"level 12 with shots and a burst", 4, true, kShootingFrames, shootAround, 12});
    cases.push_back({"title card, standing", 2, true, 40, [](int) {}});
    cases.push_back({"paused", 3, true, 102, pauseLate});
    cases.push_back({"game over", 1, true, 120, lastLifeLost});
    cases.push_back({"level completed", 4, true, 2, completed});
    cases.push_back({"game completed", 1, true, 2, completed});
    return cases;
}

void enterCase(const FrameCase& c) {
    resetWorld();
    g_paused = 0;
    g_onScreens = 1;
    g_era = c.era - 1;
    selectEra(1);
    if (c.level) g_levelNumber = c.level, reloadLevel(), g_hero.placeAtStart();
    if (c.play) startGame();
}

void runCaseFrame(const FrameCase& c, int frame) {
    c.input(frame);
    clearScreen();
    g_onScreens ? screenFrame() : g_paused ? pausedFrame() : playFrame();  // as runFrame does
}

// Every case drawn one way: the last frames of each case in full, those
// before to a tiny viewport, which is cheap and takes OpenGL through the same
// states as the game.
std::vector<Named> renderAll(bool reference) {
    g_plainDrawing = reference;
    std::vector<Named> pictures;
    OffscreenContext screen(kWidth, kHeight);
    EXPECT_TRUE(screen.ok());
    loadTextures();
    buildFont();
    for (const FrameCase& c : frameCases()) {
        enterCase(c);
        for (int frame = 1; frame <= c.frames; ++frame) {
            bool compared = frame > c.frames - kComparedFrames;
            setViewport(0, 0, compared ? kWidth : kWarmUp, compared ? kHeight : kWarmUp);
            runCaseFrame(c, frame);
            if (!compared) continue;
            screen.finish();
            pictures.push_back({c.name + ", frame " + std::to_string(frame), screen.pixels});
        }
    }
    return pictures;
}

// The pixels that differ, each as y * kWidth + x counted from the bottom left.
std::vector<int> differing(const Picture& a, const Picture& b) {
    std::vector<int> pixels;
    for (int i = 0; i < kWidth * kHeight; ++i)
        if (!std::equal(&a[i * 4], &a[i * 4 + 4], &b[i * 4])) pixels.push_back(i);
    return pixels;
}

int litPixels(const Picture& p) {
    int n = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) n += (p[i * 4] | p[i * 4 + 1] | p[i * 4 + 2]) != 0;
    return n;
}

struct SamePixelsTest : ::testing::Test {
    void SetUp() override {
        if (!std::filesystem::exists("level12.dat")) GTEST_SKIP() << "the data folder is not built";
    }
    void TearDown() override {
        g_plainDrawing = 0;
        g_paused = 0;
        resetWorld();
        g_level.load();
    }
    InFolder inData{DORIAN_DATA_DIR};
};

TEST_F(SamePixelsTest, EveryFrameIsByteForByteTheReference) {
    std::vector<Named> reference = renderAll(true), game = renderAll(false);
    EXPECT_EQ(g_drawingOn, 0);  // headless again once the context has ended
    ASSERT_EQ(game.size(), reference.size());
    for (size_t i = 0; i < game.size(); ++i) {
        SCOPED_TRACE(game[i].first);
        EXPECT_GT(litPixels(reference[i].second), kWidth * kHeight / 20);  // a real picture
        std::vector<int> d = differing(reference[i].second, game[i].second);
        EXPECT_EQ(d.size(), 0u) << "first at (" << d[0] % kWidth << ", " << d[0] / kWidth << ")";
    }
    // The comparison sees a single pixel one step off.
    Picture spoiled = game[0].second;
    spoiled[(300 * kWidth + 500) * 4 + 1] ^= 1;
    EXPECT_EQ(differing(reference[0].second, spoiled), std::vector<int>{300 * kWidth + 500});
}

// The level-map tool calls OpenGL itself between the helper's calls.
TEST_F(SamePixelsTest, LevelMapsAreByteForByteTheReference) {
    std::vector<LevelFile> levels;
    std::string error;
    ASSERT_TRUE(readLevelSet(levelSourceFolder(), &levels, &error)) << error;
    auto render = [&](bool reference) {
        g_plainDrawing = reference;
        LevelMapRenderer renderer;
        EXPECT_TRUE(renderer.ok());
        return std::vector<Image>{renderer.render(levels.back().source.grid, kWorldPixels,
                                                  {{100, 100}, {400, 120}}, "The last level"),
                                  renderer.renderKey(400)};
    };
    std::vector<Image> reference = render(true), game = render(false);
    for (size_t i = 0; i < game.size(); ++i) EXPECT_TRUE(game[i].pixels() == reference[i].pixels());
}

size_t fingerprint(const Picture& p) {
    return std::hash<std::string_view>{}({reinterpret_cast<const char*>(p.data()), p.size()});
}

// Puts the camera somewhere near a tile, at any offset.
void aimAtSomeTile(std::mt19937& rng) {
    int row, col;
    do {
        row = static_cast<int>(rng() % kGridSize), col = static_cast<int>(rng() % kGridSize);
    } while (g_level.at(row, col) < 0);
    g_scrollX = std::max(150, col * kTileSize + static_cast<int>(rng() % 200) - 100);
    g_scrollY = std::max(0, row * kTileSize - static_cast<int>(rng() % 200));
}

// Opaque tiles over the background on every level, with the camera anywhere,
// in the whole window and in a letterboxed view.
TEST_F(SamePixelsTest, SceneryAnywhereIsByteForByteTheReference) {
    constexpr int kCameras = 4;
    auto render = [](bool reference) {
        g_plainDrawing = reference;
        std::vector<size_t> prints;
        OffscreenContext screen(kWidth, kHeight);
        loadTextures();
        std::mt19937 rng(17);
        for (int level = 1; level <= 12; ++level) {
            g_levelNumber = level;
            reloadLevel();
            g_backgroundOn = 1;
            for (int i = 0; i < kCameras; ++i) {
                aimAtSomeTile(rng);
                // Odd cameras in a 4:3 view off the corner.
                i % 2 ? setViewport(13, 5, 997, 748) : setViewport(0, 0, kWidth, kHeight);
                clearScreen();
                drawScenery();
                screen.finish();
                prints.push_back(fingerprint(screen.pixels));
            }
        }
        return prints;
    };
    std::vector<size_t> reference = render(true), game = render(false);
    ASSERT_EQ(game.size(), reference.size());
    // Every camera shows another picture: nothing was left blank.
    EXPECT_EQ(std::set<size_t>(reference.begin(), reference.end()).size(), reference.size());
    for (size_t i = 0; i < game.size(); ++i)
        EXPECT_EQ(game[i], reference[i])
            << "level " << i / kCameras + 1 << ", camera " << i % kCameras;
}

}  // namespace
