// Pausing play by key, by gamepad, or when the window loses the keyboard.
#include "app/pause.h"

#include <cstdio>

#include "app/banners.h"
#include "app/controls.h"
#include "app/frame.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/pacing.h"
#include "app/settings.h"
#include "audio/audio.h"
#include "gfx/draw.h"
#include "gfx/font.h"
#include "gfx/scene.h"
#include "platform/x11_keys.h"
#include "world/level.h"

int g_paused = 0;

namespace {
constexpr float kDimmed = 0.3f;
constexpr int kTitleX = 135;
constexpr int kTitleY = 140;
constexpr int kHelpX = 90;
constexpr int kHelpY = 125;

// The frame being played when the pause came has yet to end and leave its
// picture for the paused ones.
bool s_lastFrameDue = false;
}  // namespace

void pauseGame() {
    if (g_paused || g_onScreens == 1) return;
    g_paused = 1;
    s_lastFrameDue = true;
    pauseMusic();
}

void pauseIfAsked() {
    if (!s_lastFrameDue) return;
    s_lastFrameDue = false;
    keepPicture();
    letGoOfEverything();
}

void resumeGame() {
    s_lastFrameDue = false;
    if (!g_paused) return;
    g_paused = 0;
    resumeMusic();
    regainControls();
}

void dropPause() {
    s_lastFrameDue = false;
    g_paused = 0;
}

void togglePause() {
    if (g_paused) {
        resumeGame();
    } else {
        pauseGame();
    }
}

// Nothing advances; the pacing still runs, so nothing catches up afterwards.
void pausedFrame() {
    if (s_lastFrameDue) {
        playFrame();
        return;
    }
    pushMatrix();
    blendNormal();
    if (!putBackPicture(kDimmed)) {
        drawBackground(kDimmed);
        setColor(1, 1, 1, kDimmed);
        g_level.draw();
    }
    setColor(1, 1, 1, 1);
    paceFrame();
    drawHud();
    drawScoreLine();
    printText(kTitleX, kTitleY, "PAUSED");
    char help[48];
    std::snprintf(help, sizeof help, "%c: resume   Escape: quit", foldKey(g_settings.keys.pause));
    printText(kHelpX, kHelpY, help);
    drawBanners(true);
    blendNormal();
    popMatrix();
}

void watchWindowChanges() {
    for (WindowChange change; (change = nextWindowChange()) != kWindowUnchanged;) {
        if (change == kFocusLost || change == kWindowHidden) {
            letGoOfEverything();
            pauseGame();
        } else if (change == kPauseKey) {
            togglePause();
        }
    }
}
