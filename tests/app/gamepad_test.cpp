// Gamepads through SDL's virtual joystick, headless: the mapping of buttons
// and axes onto the game, and pads coming and going during play.
#include "app/gamepad.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "app/controls.h"
#include "app/frame.h"
#include "app/input.h"
#include "app/pause.h"
#include "app/screens.h"
#include "app/startup.h"
#include "shots/projectile.h"
#include "support/scratch.h"
#include "support/world.h"

namespace {

std::vector<int> s_quits;

// One thing done to a pad: a button down (1) or up (0), an axis moved, or
// something else done in between.
struct Step {
    enum Kind { kButton, kAxis, kCall } kind;
    int code = 0, value = 0;
    void (*call)() = nullptr;
};
const auto down = [](int button) { return Step{Step::kButton, button, 1}; };
const auto up = [](int button) { return Step{Step::kButton, button, 0}; };
const auto axis = [](int axis, int value) { return Step{Step::kAxis, axis, value}; };
const auto then = [](void (*call)()) { return Step{Step::kCall, 0, 0, call}; };
const Step kNextFrame = then([] {});  // the pads are polled after every step
// The right trigger, 0 (rest) to 32767 as the game sees it.
const auto pull = [](int value) {
    return Step{Step::kAxis, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, value * 2 - 32767};
};

// A game controller plugged in through SDL's virtual joystick. Each step
// reaches the game through pollGamepads, as one frame would take it.
struct VirtualPad {
    VirtualPad() {
        SDL_VirtualJoystickDesc desc = {};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        joystick = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
        apply(pull(0));
    }
    ~VirtualPad() { unplug(); }
    void apply(const Step& step) {
        if (step.kind == Step::kCall) step.call();
        if (step.kind == Step::kButton)
            SDL_JoystickSetVirtualButton(joystick, step.code, step.value);
        if (step.kind == Step::kAxis) SDL_JoystickSetVirtualAxis(joystick, step.code, step.value);
        pollGamepads();
    }
    void unplug() {
        if (!joystick) return;
        SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        pollGamepads();
    }
    SDL_Joystick* joystick;
};

struct GamepadTest : ::testing::Test {
    void SetUp() override {
        resetWorld();
        letGoOfEverything();
        fillRow(4, 0, 99, 1);  // the hero stands on this floor
        g_hero.screenX = 150, g_hero.screenY = 100;
        g_reticleX = 200, g_reticleY = 110;
        s_quits.clear();
        g_quitFromPad = [](int code) { s_quits.push_back(code); };
        openGamepads();
    }
    void TearDown() override {
        closeGamepads();
        g_quitFromPad = quitGame;
        g_paused = 0;
        if (scoreTableShown()) toggleScoreTable();
        letGoOfEverything();
        resetWorld();
    }
    ScratchFolder scratch;  // the menu's era changes look for level files here
};

using Held = std::array<unsigned, kDirectionCount>;  // left, right, up, down
Held held() {
    return {g_heldBy[0], g_heldBy[1], g_heldBy[2], g_heldBy[3]};
}

// What a row ends with; everything not named stays as play began.
struct Outcome {
    int dx = 0;
    Held held = {};
    int shots = 0, shooting = 0, effect = -1;  // effect: the last sound
    int paused = 0, onScreens = 0, era = 1;
    std::vector<int> quits = {};
};

struct Row {
    const char* name;
    bool onMenu;
    std::vector<Step> steps;
    Outcome expected;
};

constexpr int kRight = SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
constexpr int kJump = SDL_CONTROLLER_BUTTON_A;
constexpr int kStart = SDL_CONTROLLER_BUTTON_START;
constexpr int kBack = SDL_CONTROLLER_BUTTON_BACK;
constexpr int kStickX = SDL_CONTROLLER_AXIS_LEFTX;
constexpr int kStickY = SDL_CONTROLLER_AXIS_LEFTY;

TEST_F(GamepadTest, ButtonsAndAxesDriveTheGameAsTheKeysDo) {
    // clang-format off
    const std::vector<Row> rows = {
        {"d-pad, stick and d together make one step", false,
         {down(kRight), axis(kStickX, 30000), then([] { onKeyDown('d', 0, 0); })},
         {.dx = 1, .held = {0, kByPad | kByStick | kByLetter}}},
        {"stick eased back into the band keeps walking", false,
         {axis(kStickX, 20000), axis(kStickX, 12000)}, {.dx = 1, .held = {0, kByStick}}},
        {"stick below the band stops", false, {axis(kStickX, 20000), axis(kStickX, 5000)}, {}},
        {"stick wobbling in the band from the centre never walks", false,
         {axis(kStickX, 14000), axis(kStickX, 9000), axis(kStickX, 14000)}, {}},
        {"stick up jumps silently, as w does", false, {axis(kStickY, -30000)},
         {.held = {0, 0, kByStick}}},
        {"stick down ducks", false, {axis(kStickY, 30000)},
         {.held = {0, 0, 0, kByStick}}},
        {"south button jumps with the sound", false, {down(kJump)},
         {.held = {0, 0, kByPad}, .effect = kEffectJump}},
        {"west button and right shoulder fire the straight shot, let go ends the pose", false,
         {down(SDL_CONTROLLER_BUTTON_X), up(SDL_CONTROLLER_BUTTON_X),
          down(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER)},
         {.shots = 2, .shooting = 1, .effect = kEffectZap}},
        {"a trigger wobbling after the pull fires once", false,
         {pull(30000), pull(12000), pull(30000)},
         {.shots = 1, .shooting = 1, .effect = kEffectZap}},
        {"nothing walks or fires while paused", false,
         {down(kStart), down(kRight), down(SDL_CONTROLLER_BUTTON_X)}, {.paused = 1}},
        {"Start again resumes, the held d-pad walks on", false,
         {down(kStart), down(kRight), up(kStart), down(kStart), kNextFrame},
         {.dx = 1, .held = {0, kByPad}}},
        {"a respawn keeps the walk but not the jump", false,
         {down(kRight), down(kJump), then([] {
              g_lives = 2;
              g_hero.y = -100;  // fallen out of the level
              playFrame();
          })},
         {.dx = 1, .held = {0, kByPad}, .effect = kEffectJump}},
        {"Back in play does nothing", false, {down(kBack)}, {}},
        {"Back on the menu quits", true, {down(kBack)}, {.onScreens = 1, .quits = {0}}},
        {"Back on the best scores goes back to the menu", true,
         {then(toggleScoreTable), down(kBack), then([] { EXPECT_FALSE(scoreTableShown()); })},
         {.onScreens = 1}},
        {"d-pad down on the menu chooses the next era, walks nowhere", true,
         {down(SDL_CONTROLLER_BUTTON_DPAD_DOWN)}, {.onScreens = 1, .era = 2}},
        {"Start on the menu starts the game, the held d-pad walks", true,
         {down(kRight), down(kStart), kNextFrame}, {.dx = 1, .held = {0, kByPad}}},
    };
    // clang-format on
    for (const Row& row : rows) {
        TearDown();
        SetUp();
        g_onScreens = row.onMenu;
        VirtualPad pad;
        for (const Step& step : row.steps) pad.apply(step);
        const Outcome& e = row.expected;
        EXPECT_EQ(std::tuple(g_hero.dx, held(), countOf(g_projectiles), g_hero.shooting,
                             g_lastEffect, g_paused, g_onScreens, g_era, s_quits),
                  std::tuple(e.dx, e.held, e.shots, e.shooting, e.effect, e.paused, e.onScreens,
                             e.era, e.quits))
            << row.name;
    }
}

TEST_F(GamepadTest, TheRightStickAimsTheReticleAndTheTriggerFiresAtIt) {
    DrawCapture capture;
    VirtualPad pad;
    drawReticle();
    EXPECT_TRUE(capture.calls.empty()) << "shown before the pad is used";
    pad.apply(axis(SDL_CONTROLLER_AXIS_RIGHTX, 32767));
    pad.apply(axis(SDL_CONTROLLER_AXIS_RIGHTY, -32767));
    for (int i = 0; i < 100; ++i) pollGamepads();
    EXPECT_EQ(std::make_pair(g_reticleX, g_reticleY), std::make_pair(300.0f, 250.0f));
    pad.apply(axis(SDL_CONTROLLER_AXIS_RIGHTX, 3000));  // within the dead zone: it stays
    pad.apply(axis(SDL_CONTROLLER_AXIS_RIGHTY, 0));

    // Straight left of the muzzle (7 above the hero as drawn): the shot flies
    // left at full speed.
    g_reticleX = 50, g_reticleY = 107;
    pad.apply(pull(32767));
    ASSERT_EQ(countOf(g_projectiles), 1);
    const Projectile* shot = static_cast<const Projectile*>(g_projectiles.first->entity);
    EXPECT_FLOAT_EQ(shot->vx, -2.0f);
    drawReticle();
    ASSERT_EQ(capture.calls.size(), 1u);
    EXPECT_EQ(capture.calls[0].x0 + capture.calls[0].x1, 2 * 50.0f);
}

TEST_F(GamepadTest, PadsComeAndGoDuringPlayLosingNothingButWhatTheyHeld) {
    VirtualPad first;
    // The aimed shot's pose lasts while the trigger is held.
    for (Step step : {down(kRight), axis(kStickX, 30000), down(kJump), pull(32767)})
        first.apply(step);
    g_score = 1234;
    VirtualPad second;  // plugged in during play
    second.apply(down(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    EXPECT_EQ(g_hero.dx, 1);
    auto kept = [] {
        return std::make_tuple(g_score, g_hero.x, g_ammo, g_lives, countOf(g_projectiles), g_paused,
                               g_onScreens);
    };
    auto before = kept();

    first.unplug();
    EXPECT_EQ(held(), (Held{0, 0, 0, kByPad}));
    EXPECT_EQ(std::make_pair(g_hero.dx, g_hero.shooting), std::make_pair(0, 0));
    EXPECT_EQ(kept(), before);

    second.apply(up(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    second.apply(down(SDL_CONTROLLER_BUTTON_DPAD_LEFT));  // the pad left behind still plays
    EXPECT_EQ(g_hero.dx, -1);
    EXPECT_EQ(held()[kDirLeft], kByPad);
}

}  // namespace
