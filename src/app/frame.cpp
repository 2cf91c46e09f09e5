// One frame of play or of the screens around it.
#include "app/frame.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/banners.h"
#include "app/gamepad.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/pacing.h"
#include "app/pause.h"
#include "app/scores.h"
#include "app/screens.h"
#include "app/startup.h"
#include "gfx/draw.h"
#include "gfx/font.h"
#include "gfx/scene.h"
#include "hero/hero.h"
#include "world/level.h"

namespace {
constexpr int kScoreX = 120;
constexpr int kScoreY = 240;

constexpr int kGameOverTableTop = 115;

// The place of the score this game entered in the table, shown in colour
// under "GAME OVER!".
int s_newRank = -1;

// What a frame of play may have brought: a respawn, a new level, the end
// of a game.
void afterPlay(int livesBefore, int levelBefore) {
    // A respawned hero starts from what the keyboard really holds.
    if (g_lives < livesBefore && g_lives >= 1) regainControls();
    if (g_lives < 1 && livesBefore >= 1) s_newRank = recordScore(g_score, g_levelNumber);
    bool completed = g_onScreens == 1 && g_completionTimer == 1;
    if (completed) recordScore(g_score, g_levelNumber);
    if (g_levelNumber != levelBefore && !completed) beginLevel(g_levelNumber);
}

void presentFrame() {
    flushDrawing();
    if (g_drawingOn) glutSwapBuffers();
}
}  // namespace

void updateCamera(int heroX, int heroY) {
    g_scrollX = heroX > 149 ? heroX : 150;
    g_scrollY = heroY > 99 ? heroY - 100 : 0;
}

void advanceWorld(bool heroPlays) {
    drawScenery();
    g_items.processAll();
    g_enemies.processAll();
    if (heroPlays) g_hero.process();
    blendAdditive();
    g_projectiles.processAll();
    blendNormal();
}

void playFrame() {
    int livesBefore = g_lives, levelBefore = g_levelNumber;
    updateCamera(g_hero.x, g_hero.y);
    pushMatrix();
    advanceWorld(true);
    afterPlay(livesBefore, levelBefore);
    pauseIfAsked();
    paceFrame();
    setColor(1, 1, 1, 1);
    drawHud();
    std::snprintf(g_scoreText, sizeof g_scoreText, "SCORE: %lu",
                  static_cast<unsigned long>(g_score));
    drawScoreLine();
    if (g_lives < 1) drawScoreTable(kGameOverTableTop, s_newRank);
    drawReticle();
    drawBanners(false);
    popMatrix();
}

void drawScoreLine() {
    blendAdditive();
    setColor(1, 1, 1, 1);
    printText(kScoreX, kScoreY, g_scoreText);
}

void screenFrame() {
    drawScreen();
    // Held to the same minimum as play, so that without vertical sync the
    // screens do not race.
    paceFrame();
}

void runFrame() {
    checkQuitSignal();
    switchScreenIfRequested();
    watchWindowChanges();
    pollGamepads();
    clearScreen();
    if (g_onScreens == 1) {
        dropPause();
        screenFrame();
    } else if (g_paused) {
        pausedFrame();
    } else {
        playFrame();
    }
    presentFrame();
}
