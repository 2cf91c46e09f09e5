// The player's gamepads: d-pad and sticks, buttons and triggers, in play and on the menu.
#include "app/gamepad.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/controls.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/pause.h"
#include "app/screens.h"
#include "app/startup.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "gfx/sprite.h"
#include "hero/hero.h"

float g_reticleX = 200;  // a little ahead of the hero at the start of a level
float g_reticleY = 110;
void (*g_quitFromPad)(int exitCode) = quitGame;

namespace {
constexpr unsigned char kEnterKey = 13;
// The left stick walks once past kStickPress and stops only below
// kStickRelease, so a thumb resting near the edge never makes it chatter.
constexpr int kStickPress = 16000;
constexpr int kStickRelease = 10000;
// The right trigger fires once past kTriggerPress and again only after
// falling below kTriggerRelease.
constexpr int kTriggerPress = 20000;
constexpr int kTriggerRelease = 8000;
// The right stick moves the reticle up to kReticleSpeed view units a frame,
// nothing within its dead zone.
constexpr int kAimDeadZone = 8000;
constexpr float kReticleSpeed = 4.0f;
constexpr float kAxisMax = 32767.0f;
constexpr float kViewWidth = 300;
constexpr float kViewHeight = 250;
constexpr float kReticleHalf = 6;
constexpr float kReticleColour[4] = {0.6f, 1.0f, 0.6f, 0.6f};
constexpr unsigned kPadSources[] = {kByPad, kByStick};

struct Pad {
    SDL_GameController* controller;
    SDL_JoystickID id;
    bool dpad[kDirectionCount];
    bool jump;
    int stickX, stickY;  // -1, 0 or +1; y as on screen, +1 down
    unsigned shotButtons;
    bool trigger;
    int aimX, aimY;  // the right stick
};

bool s_open = false;
bool s_inUse = false;  // a pad is connected and has been touched
std::vector<Pad> s_pads;
// The sources the pads hold for each direction, whether or not play took them.
unsigned s_wanted[kDirectionCount] = {};

bool playing() {
    return g_onScreens != 1 && !g_paused;
}

Pad* padOf(SDL_JoystickID id) {
    for (Pad& pad : s_pads)
        if (pad.id == id) return &pad;
    return nullptr;
}

// -1, 0 or +1 for a stick axis, given where it was.
int stickSide(int side, int value) {
    if (side != 0 && value * side >= kStickRelease) return side;
    if (value >= kStickPress) return 1;
    if (value <= -kStickPress) return -1;
    return 0;
}

unsigned padSources(const Pad& pad, int direction) {
    unsigned sources = 0;
    if (pad.dpad[direction] || (direction == kDirUp && pad.jump)) sources |= kByPad;
    bool stickHolds[kDirectionCount] = {pad.stickX == -1, pad.stickX == 1, pad.stickY == -1,
                                        pad.stickY == 1};
    if (stickHolds[direction]) sources |= kByStick;
    return sources;
}

// The d-pad and the jump button sound the jump as the up arrow does; the
// stick jumps silently, as w does.
void holdFromPad(int direction, unsigned source) {
    if (source == kByPad) {
        holdSoundingJump(direction, source);
    } else {
        holdDirection(direction, source);
    }
}

// Passes on what changed in the pads' directions: presses in play only,
// releases always.
void feedDirections() {
    for (int direction = 0; direction < kDirectionCount; ++direction) {
        unsigned now = 0;
        for (const Pad& pad : s_pads) now |= padSources(pad, direction);
        unsigned pressed = now & ~s_wanted[direction];
        unsigned released = s_wanted[direction] & ~now;
        s_wanted[direction] = now;
        for (unsigned source : kPadSources) {
            if (released & source) letGoDirection(direction, source);
            if ((pressed & source) && playing()) holdFromPad(direction, source);
        }
    }
}

// After a pause, a respawn or a new game the pads keep walking where they
// are held, as the keyboard does; a held jump does not jump again.
void regainWalking() {
    if (!playing()) return;
    for (int direction : {kDirLeft, kDirRight})
        for (unsigned source : kPadSources)
            if ((s_wanted[direction] & source) && !(g_heldBy[direction] & source))
                holdDirection(direction, source);
}

void pressStart() {
    if (g_onScreens == 1) {
        onKeyDown(kEnterKey, 0, 0);  // Start does on a screen what Enter does
    } else {
        togglePause();
    }
}

// Back leaves the best scores for the menu, and the menu for the desktop.
void pressBack() {
    bool onMenu = g_onScreens == 1 && g_completionTimer <= 0 && !g_storyPage;
    if (!onMenu) return;
    if (scoreTableShown()) {
        toggleScoreTable();
    } else {
        g_quitFromPad(0);
    }
}

void shotButton(Pad& pad, int button, bool down) {
    unsigned bit = 1u << button;
    pad.shotButtons = down ? pad.shotButtons | bit : pad.shotButtons & ~bit;
    if (!down) {
        g_hero.shooting = 0;
    } else if (playing()) {
        fireStraightShot();
    }
}

int dpadDirection(int button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return kDirLeft;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return kDirRight;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return kDirUp;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return kDirDown;
        default:
            return -1;
    }
}

void onButton(Pad& pad, int button, bool down) {
    if (down) s_inUse = true;
    if (int direction = dpadDirection(button); direction >= 0) {
        pad.dpad[direction] = down;
        if (down && g_onScreens == 1) steerScreens(direction);
        feedDirections();
        return;
    }
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A:
            pad.jump = down;
            feedDirections();
            break;
        case SDL_CONTROLLER_BUTTON_X:
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
            shotButton(pad, button, down);
            break;
        case SDL_CONTROLLER_BUTTON_START:
            if (down) pressStart();
            break;
        case SDL_CONTROLLER_BUTTON_BACK:
            if (down) pressBack();
            break;
    }
}

void onTrigger(Pad& pad, int value) {
    bool pulled = value >= (pad.trigger ? kTriggerRelease : kTriggerPress);
    if (pulled == pad.trigger) return;
    pad.trigger = pulled;
    if (!pulled) {
        g_hero.shooting = 0;
    } else if (playing()) {
        fireAimedShotAt(g_reticleX, g_reticleY);
    }
}

void onAxis(Pad& pad, int axis, int value) {
    if (std::abs(value) >= kAimDeadZone) s_inUse = true;
    switch (axis) {
        case SDL_CONTROLLER_AXIS_LEFTX:
            pad.stickX = stickSide(pad.stickX, value);
            feedDirections();
            break;
        case SDL_CONTROLLER_AXIS_LEFTY:
            pad.stickY = stickSide(pad.stickY, value);
            feedDirections();
            break;
        case SDL_CONTROLLER_AXIS_RIGHTX:
            pad.aimX = value;
            break;
        case SDL_CONTROLLER_AXIS_RIGHTY:
            pad.aimY = value;
            break;
        case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
            onTrigger(pad, value);
            break;
    }
}

void connect(int deviceIndex) {
    if (padOf(SDL_JoystickGetDeviceInstanceID(deviceIndex))) return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) return;
    Pad pad = {};
    pad.controller = controller;
    pad.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    s_pads.push_back(pad);
}

// A pad that goes lets go of what it held; nothing else changes.
void disconnect(SDL_JoystickID id) {
    Pad* pad = padOf(id);
    if (!pad) return;
    if (pad->shotButtons || pad->trigger) g_hero.shooting = 0;
    SDL_GameControllerClose(pad->controller);
    s_pads.erase(s_pads.begin() + (pad - s_pads.data()));
    feedDirections();
    if (s_pads.empty()) s_inUse = false;
}

void onEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            connect(event.cdevice.which);
            return;
        case SDL_CONTROLLERDEVICEREMOVED:
            disconnect(event.cdevice.which);
            return;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (Pad* pad = padOf(event.cbutton.which))
                onButton(*pad, event.cbutton.button, event.cbutton.state == SDL_PRESSED);
            return;
        case SDL_CONTROLLERAXISMOTION:
            if (Pad* pad = padOf(event.caxis.which))
                onAxis(*pad, event.caxis.axis, event.caxis.value);
            return;
    }
}

float aimStep(int value) {
    return std::abs(value) < kAimDeadZone ? 0 : value / kAxisMax * kReticleSpeed;
}

void moveReticle() {
    if (!playing()) return;
    for (const Pad& pad : s_pads) {
        g_reticleX = std::clamp(g_reticleX + aimStep(pad.aimX), 0.0f, kViewWidth);
        g_reticleY = std::clamp(g_reticleY - aimStep(pad.aimY), 0.0f, kViewHeight);
    }
}
}  // namespace

void openGamepads() {
    if (s_open) return;
    // Ctrl+C and the like stay the game's own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "dorian: no gamepad support: %s\n", SDL_GetError());
        return;
    }
    s_open = true;
}

void closeGamepads() {
    if (!s_open) return;
    while (!s_pads.empty()) disconnect(s_pads.back().id);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    s_open = false;
}

void pollGamepads() {
    if (!s_open) return;
    // The queue holds only what SDL itself reports (GLUT has the window), so
    // it is emptied here.
    for (SDL_Event event; SDL_PollEvent(&event);) onEvent(event);
    regainWalking();
    moveReticle();
}

void drawReticle() {
    if (!s_inUse) return;
    blendAdditive();
    bindTexture(kTexFlares);
    setColor(kReticleColour[0], kReticleColour[1], kReticleColour[2], kReticleColour[3]);
    drawQuad(g_reticleX - kReticleHalf, g_reticleY - kReticleHalf, g_reticleX + kReticleHalf,
             g_reticleY + kReticleHalf, kFlareRing);
    setColor(1, 1, 1, 1);
    blendNormal();
}
