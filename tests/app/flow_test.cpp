// Game flow through the real frame function and input callbacks, headless:
// the screens, pause (the world stands still for as long as it lasts, and
// play goes on from the very next frame as if nothing had happened), and
// shooting, with the picture and pointer in every window shape.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "app/display.h"
#include "app/frame.h"
#include "app/input.h"
#include "app/pause.h"
#include "enemies/enemy.h"
#include "shots/projectile.h"
#include "support/scratch.h"
#include "support/world.h"

namespace {

constexpr unsigned char kEnter = 13;

// Level files whose start markers sit at a column that tells the levels apart.
struct FlowTest : ::testing::Test {
    void SetUp() override {
        resetWorld();
        for (int level = 1; level <= 12; ++level)
            writeFile("level" + std::to_string(level) + ".dat", levelFile([&](int row, int col) {
                          if (row == 5 && (col == 30 || col == 40)) return col == 30 ? -5 : -100;
                          return row == 4 ? 1 : row == 6 && col == level ? 95 : -1;
                      }));
        g_onScreens = 1;
        g_level.load();
        g_hero = Hero();
    }
    void TearDown() override {
        g_paused = 0;
        resetWorld();
        g_onScreens = 1;
        g_level.load();
    }
    static void frames(int n) {
        for (int i = 0; i < n; ++i) runFrame();
    }
    ScratchFolder scratch;
};

TEST_F(FlowTest, MenuToPlayToGameOverAndBack) {
    EXPECT_EQ(g_hero.x, 20);  // level 1's start, taken when the hero was built
    frames(5);                // the menu: the level lives, the hero does not move
    EXPECT_EQ(g_hero.x, 20);
    g_hero.dying = 1, g_hero.vy = 3;  // touched behind the menu by a walker
    onKeyDown(kEnter, 0, 0);
    // No game starts inside a death fall.
    EXPECT_EQ(std::make_tuple(g_onScreens, g_hero.dying, g_hero.vy, g_fullRun),
              std::make_tuple(0, 0, 0.0f, 1));
    frames(1);
    ASSERT_EQ(g_hero.screenY, 100);
    g_lives = 1;
    g_hero.hit();
    int n = 0;
    while (g_onScreens == 0 && n < 1000) runFrame(), ++n;
    EXPECT_EQ(n, 87 + 201);   // the death fall, then "GAME OVER!" for 201 frames
    onKeyDown(kEnter, 0, 0);  // the hero is away from the start: level 1 anew
    EXPECT_EQ(std::make_tuple(g_onScreens, g_hero.x, g_hero.dying), std::make_tuple(0, 20, 0));
}

TEST_F(FlowTest, EraSelectionWrapsBothWaysWithLevelBackgroundAndSong) {
    playSong(0);
    testing::internal::CaptureStdout();
    auto menu = [] { return std::make_tuple(g_era, g_levelNumber, g_backgroundOn); };
    onSpecialDown(GLUT_KEY_UP, 0, 0);
    EXPECT_EQ(menu(), std::make_tuple(4, 11, 0));
    EXPECT_EQ(g_hero.x, 11 * 20);
    EXPECT_TRUE(isSongPlaying(0));  // the music waits for the game to start
    onSpecialDown(GLUT_KEY_DOWN, 0, 0);
    EXPECT_EQ(menu(), std::make_tuple(1, 1, 1));
    onSpecialDown(GLUT_KEY_DOWN, 0, 0);
    onSpecialDown(GLUT_KEY_DOWN, 0, 0);
    EXPECT_EQ(menu(), std::make_tuple(3, 8, 1));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " can't open file: background5.bmp\n can't open file: background9.bmp\n"
              " can't open file: background9.bmp\n");
    EXPECT_EQ(std::make_pair(countOf(g_enemies), countOf(g_items)), std::make_pair(1, 1));
    testing::internal::CaptureStdout();
    onKeyDown(kEnter, 0, 0);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(isSongPlaying(3));
    EXPECT_EQ(g_fullRun, 0);
}

TEST_F(FlowTest, CompletionScreenLastsAThousandFramesAndEnterPlaysAtOnce) {
    g_completionTimer = 1, g_fullRun = 0, g_hero.dx = 1, g_lives = 2, g_score = 77;
    frames(1000);
    EXPECT_EQ(std::make_tuple(g_completionTimer, g_hero.dx, g_lives, g_score),
              std::make_tuple(0, 0, 6, 0u));
    g_completionTimer = 500;
    onKeyDown(kEnter, 0, 0);
    EXPECT_EQ(std::make_pair(g_onScreens, g_completionTimer), std::make_pair(0, 500));
}

// Level 11 has no background to show.
TEST_F(FlowTest, BackgroundAndMusicToggles) {
    onKeyDown(kEnter, 0, 0);
    onKeyDown('b', 0, 0);
    EXPECT_EQ(g_backgroundOn, 0);
    g_levelNumber = 11;
    onKeyDown('b', 0, 0);
    EXPECT_EQ(g_backgroundOn, 0);
    g_levelNumber = 9;
    playSong(3);
    onKeyDown('m', 0, 0);
    EXPECT_EQ(g_musicOn, 0);
    EXPECT_FALSE(isSongPlaying(3));
    onKeyDown('m', 0, 0);
    EXPECT_TRUE(isSongPlaying(3));
    onKeyDown('B', 0, 0);  // Shift and Caps Lock make no difference
    EXPECT_EQ(g_backgroundOn, 1);
}

// Where everything is: the hero, then every creature and shot.
std::vector<float> worldState() {
    std::vector<float> state = {float(g_hero.x), float(g_hero.y), g_hero.vy,
                                float(g_hero.invulnTimer)};
    for (ListNode* n = g_enemies.first; n; n = n->next) {
        const Enemy* e = static_cast<const Enemy*>(n->entity);
        state.insert(state.end(), {float(e->x), float(e->y), e->vy, float(e->dir)});
    }
    for (ListNode* n = g_projectiles.first; n; n = n->next) {
        const Projectile* p = static_cast<const Projectile*>(n->entity);
        state.insert(state.end(), {p->x, p->y});
    }
    return state;
}

// A floor with two walkers; the hero jumps and fires, so that everything moves.
void startScene() {
    resetWorld();
    fillRow(4, 0, 99, 1);
    g_hero.x = 100, g_hero.y = 100;
    for (int x : {300, 500}) spawnFromCode(-5, x, 100);
    g_hero.pressRight();
    g_hero.pressUp();
    fireStraightShot();
}

TEST_F(FlowTest, PausedFramesChangeNothingAndPlayResumesOnTheNextFrame) {
    startScene();
    for (int i = 0; i < 40; ++i) runFrame();
    onKeyDown('p', 0, 0);
    runFrame();  // the frame under way ends and leaves its picture
    std::vector<float> atPause = worldState();
    for (int i = 0; i < 1000; ++i) {
        runFrame();
        ASSERT_EQ(worldState(), atPause) << "paused frame " << i;
    }
    onKeyDown('d', 0, 0);  // keys other than pause wait
    onKeyDown(' ', 0, 0);
    ASSERT_EQ(worldState(), atPause);
    onKeyDown('P', 0, 0);
    g_hero.pressRight();  // held through the pause, as a real keyboard would tell
    for (int i = 0; i < 60; ++i) runFrame();
    std::vector<float> resumed = worldState();

    startScene();
    for (int i = 0; i < 101; ++i) runFrame();
    EXPECT_EQ(resumed, worldState());
}

TEST_F(FlowTest, OnlyPlayPauses) {
    onKeyDown('p', 0, 0);
    EXPECT_EQ(g_paused, 0);
    g_onScreens = 0;
    pauseGame();
    g_onScreens = 1;  // a screen never shows paused
    runFrame();
    EXPECT_EQ(g_paused, 0);
}

// Play started with the hero at (150, 100) on the screen.
struct ShootingTest : FlowTest {
    void SetUp() override {
        FlowTest::SetUp();
        onKeyDown(kEnter, 0, 0);
        frames(1);
        g_hero.screenX = 150, g_hero.screenY = 100;
        g_picture = {0, 0, 1024, 768};
    }
    static Projectile* lastShot() {
        return g_projectiles.last ? static_cast<Projectile*>(g_projectiles.last->entity) : nullptr;
    }
};

TEST_F(ShootingTest, StraightShotIsFreeAndTheAimedShotFliesAtThePointerForAShot) {
    g_ammo = 1;
    onKeyDown(' ', 0, 0);
    ASSERT_NE(lastShot(), nullptr);
    EXPECT_EQ(std::make_tuple(lastShot()->x, lastShot()->vx, g_ammo),
              std::make_tuple(float(g_hero.x + 12), 2.0f, 1));
    onKeyUp(' ', 0, 0);
    EXPECT_EQ(g_hero.shooting, 0);
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 683, 384);
    EXPECT_EQ(std::make_pair(lastShot()->state, g_ammo),
              std::make_pair(int(Projectile::kAimedShot), 0));
    onMouse(GLUT_LEFT_BUTTON, GLUT_UP, 683, 384);
    EXPECT_EQ(g_hero.shooting, 0);

    g_ammo = 2;
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 384);  // left of the hero: turns first
    EXPECT_EQ(std::make_tuple(g_hero.dir, lastShot()->x),
              std::make_tuple(-1, float(g_hero.x - 12)));
    EXPECT_LT(lastShot()->vx, 0);
    // Window pixel (0, 768) is view (0, 0): aimed at the muzzle itself, straight ahead.
    g_hero.dir = 1, g_hero.screenX = -12, g_hero.screenY = -7;
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 768);
    EXPECT_EQ(std::make_tuple(lastShot()->vx, lastShot()->vy, g_ammo),
              std::make_tuple(2.0f, 0.0f, 0));
    onMouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 768);
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 768);  // no ammunition: the pose, but no shot
    EXPECT_EQ(std::make_pair(countOf(g_projectiles), g_hero.shooting), std::make_pair(4, 1));
}

std::array<int, 4> sides(const Picture& p) {
    return {p.left, p.top, p.width, p.height};
}

// Full screen on a screen that is not 4:3 (a real mode switch that lands
// elsewhere, or a full-screen window): the picture is letterboxed and a shot
// aimed 45 degrees up from the muzzle flies that way.
TEST_F(ShootingTest, EveryWindowShapeLetterboxesAndAimsTrue) {
    // The window, and the picture in it.
    const std::tuple<int, int, Picture> shapes[] = {{1024, 768, {0, 0, 1024, 768}},
                                                    {1280, 1024, {0, 32, 1280, 960}},
                                                    {1920, 1080, {240, 0, 1440, 1080}},
                                                    {800, 1000, {0, 200, 800, 600}}};
    for (const auto& [width, height, picture] : shapes) {
        onReshape(width, height);
        EXPECT_EQ(sides(g_picture), sides(picture)) << width;
        // The window pixel of the view point 100 units ahead of the muzzle and 100 above it.
        float viewX = 150 + 12 + 100, viewY = 100 + 7 + 100;
        int x = g_picture.left + static_cast<int>(std::lround(viewX * g_picture.width / 300.0));
        int y = g_picture.top + g_picture.height -
                static_cast<int>(std::lround(viewY * g_picture.height / 250.0));
        onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
        EXPECT_NEAR(std::atan2(lastShot()->vy, lastShot()->vx), M_PI / 4, 0.02)
            << width << "x" << height;
    }
    Picture none = fitPicture(0, -5);
    EXPECT_TRUE(none.width >= 1 && none.height >= 1);
    // The full 1024 by 768 screen maps by the game's own factor.
    g_picture = fitPicture(1024, 768);
    float px, py;
    windowToView(683, 384, &px, &py);
    EXPECT_FLOAT_EQ(px, static_cast<float>(683 / 3.413));
    EXPECT_FLOAT_EQ(py, 125.0f);
}

TEST_F(ShootingTest, NoShotWhileDuckingClimbingSwimmingDyingOrOnScreens) {
    // Whether the setting refuses both shots, pose included.
    auto refused = [&](void (*setUp)()) {
        g_hero = Hero();
        g_hero.invulnTimer = kProtectionFrames;
        setUp();
        int before = countOf(g_projectiles);
        onKeyDown(' ', 0, 0);
        onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 600, 300);
        return countOf(g_projectiles) == before && g_hero.shooting == 0;
    };
    for (void (*setUp)() :
         {+[] { g_hero.ducking = 1; }, +[] { g_hero.climbing = Hero::kHold; },
          +[] { g_hero.swimming = 1; }, +[] { g_hero.dying = 1; }, +[] { g_onScreens = 1; }})
        EXPECT_TRUE(refused(setUp));
    g_onScreens = 0;
    EXPECT_FALSE(refused([] {}));
}

}  // namespace
