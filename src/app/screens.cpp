// The welcome menu with the level alive behind it, the completion screen, the story.
#include "app/screens.h"

#include <cstdio>

#include "app/banners.h"
#include "app/frame.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/progress.h"
#include "app/scores.h"
#include "app/settings.h"
#include "audio/audio.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "gfx/font.h"
#include "gfx/scene.h"
#include "hero/hero.h"
#include "world/level.h"

namespace {
constexpr int kCompletionFrames = 1000;
constexpr float kDimmed = 0.3f;
constexpr int kContinueY = 105;
constexpr float kUnchosen = 0.5f;
constexpr int kTableLineGap = 7;

bool s_continueChosen = false;
bool s_showingScores = false;

struct Era {
    const char* name;
    int firstLevel;
    int song;
    const char* background;  // nullptr: no background picture
};
constexpr Era kEras[kEraCount] = {
    {"PRESENT DAY", 1, 0, "background5.bmp"},
    {"POST APOCALYPTIC", 4, 1, "background9.bmp"},
    {"PREHISTORIC", 8, 3, "background9.bmp"},
    {"FUTURISTIC", 11, 2, nullptr},
};

const Era& era(int number) {
    return kEras[(number >= 1 && number <= kEraCount ? number : 1) - 1];
}

// The era's first level, loaded afresh, with the hero at its start.
void loadFirstLevelOfEra() {
    g_levelNumber = era(g_era).firstLevel;
    reloadLevel();
    g_hero.placeAtStart();
}

// The level "continue" would start, or 0 when the era has no progress
// beyond its first level.
int continuableLevel() {
    int furthest = g_era >= 1 && g_era <= kEraCount ? g_furthestLevel[g_era] : 0;
    return furthest > era(g_era).firstLevel ? furthest : 0;
}

void printLines(int x, const char* const* lines, const int* ys, int count) {
    for (int i = 0; i < count; ++i) printText(x, ys[i], lines[i]);
}

void drawDimmedLevel() {
    setColor(1, 1, 1, kDimmed);
    g_level.draw();
    setColor(1, 1, 1, 1);
}
}  // namespace

int firstLevelOfEra(int number) {
    return era(number).firstLevel;
}
int songOfEra(int number) {
    return era(number).song;
}

int songOfLevel(int level) {
    if (level >= 11) return songOfEra(4);
    if (level >= 8) return songOfEra(3);
    if (level >= 4) return songOfEra(2);
    return songOfEra(1);
}

void selectEra(int step) {
    g_era += step;
    if (g_era < 1) g_era = kEraCount;
    if (g_era > kEraCount) g_era = 1;
    const Era& e = era(g_era);
    g_levelNumber = e.firstLevel;
    s_continueChosen = false;
    if (e.background) {
        reloadBackground(e.background);
        g_backgroundOn = g_settings.backgroundOn;
    } else {
        g_backgroundOn = 0;
    }
    reloadLevel();
    g_hero.placeAtStart();
}

void chooseContinue(bool chosen) {
    s_continueChosen = chosen && continuableLevel() > 0;
}

void startGame() {
    g_onScreens = 0;
    g_fullRun = g_era == 1 ? 1 : 0;
    s_showingScores = false;
    if (int level = s_continueChosen ? continuableLevel() : 0) {
        // Not from the era's start, so never the whole game in one go.
        g_fullRun = 0;
        g_levelNumber = level;
        reloadLevel();
        g_hero.placeAtStart();
    } else if (g_hero.x != g_startX || g_hero.y != g_startY) {
        loadFirstLevelOfEra();
    } else {
        // Kept level: still no game may begin inside a death fall from the menu.
        g_hero.dying = 0;
        g_hero.vy = 0;
        g_hero.airborne = 0;
    }
    s_continueChosen = false;
    // Keys pressed on the menu belong to the menu.
    regainControls();
    beginLevel(g_levelNumber);
    const Era& e = era(g_era);
    if (isSongPlaying(e.song)) return;
    stopAllSongs();
    playSong(e.song);
    if (e.background) {
        reloadBackground(e.background);
    } else {
        g_backgroundOn = 0;
    }
}

void beginLevel(int level) {
    showTitleCard(level);
    noteLevelReached(level);
}

void toggleScoreTable() {
    s_showingScores = !s_showingScores;
}

bool scoreTableShown() {
    return s_showingScores;
}

void drawScreen() {
    if (g_completionTimer > 0) {
        drawCompletionScreen();
    } else if (g_storyPage == 1) {
        drawStoryPage();
    } else if (s_showingScores) {
        drawScoreScreen();
    } else {
        drawWelcomeMenu();
    }
}

void drawScoreTable(int top, int highlight) {
    if (g_highScores.empty()) {
        printText(115, top, "NO SCORES YET");
        return;
    }
    for (int i = 0; i < static_cast<int>(g_highScores.size()); ++i) {
        const HighScore& entry = g_highScores[i];
        char line[64];
        std::snprintf(line, sizeof line, "%2d. %8lu  LEVEL %2d  %s", i + 1,
                      static_cast<unsigned long>(entry.score), entry.level, entry.date.c_str());
        if (i == highlight) setColor(1, 1, 0.4f, 1);
        printText(55, top - i * kTableLineGap, line);
        if (i == highlight) setColor(1, 1, 1, 1);
    }
}

// The level lives on, dimmed, behind the best scores.
void drawScoreScreen() {
    updateCamera(g_hero.x, g_hero.y);
    drawDimmedLevel();
    printText(120, 200, "BEST SCORES");
    drawScoreTable(185, -1);
    printText(85, 60, "PRESS ENTER OR H TO GO BACK");
}

// The level lives on behind the menu; the hero is absent.
void drawWelcomeMenu() {
    updateCamera(g_hero.x, g_hero.y);
    advanceWorld(false);
    setColor(1, 1, 1, 1);
    bindTexture(kTexLogo);
    drawQuad(110, 180, 190, 270, {0, 0, 1, 1});
    printText(80, 175, "WELCOME TO DORIAN HAZARDOUS");
    printText(100, 160, "SELECT ERA:");
    for (int i = 0; i < kEraCount; ++i) printText(110, 150 - 10 * i, kEras[i].name);
    int markerY = 160 - 10 * g_era;
    if (int level = continuableLevel()) {
        char line[40];
        std::snprintf(line, sizeof line, "CONTINUE FROM LEVEL %d", level);
        if (!s_continueChosen) setColor(1, 1, 1, kUnchosen);
        printText(110, kContinueY, line);
        setColor(1, 1, 1, 1);
        if (s_continueChosen) markerY = kContinueY;
    }
    bindTexture(kTexHero);
    drawQuad(97, markerY, 107, markerY + 10, {0.6f, 0.8f, 0.8f, 1.0f});
}

// The camera stays where play left it.
void drawCompletionScreen() {
    drawDimmedLevel();
    if (g_fullRun) {
        static const char* const lines[] = {"CONGRATULATIONS!",
                                            "YOU HAVE COMPLETED DORIAN HAZARDOUS"};
        static const int ys[] = {200, 190};
        printLines(25, lines, ys, 2);
    } else {
        static const char* const lines[] = {"CONGRATULATIONS!", "YOU HAVE COMPLETED LEVEL 12.",
                                            "HOWEVER, TO COMPLETE THE GAME PROPERLY",
                                            "YOU MUST COMPLETE LEVELS 1 TO 12",
                                            "IN ONE GAME, STARTING FROM LEVEL 1."};
        static const int ys[] = {200, 190, 180, 170, 160};
        printLines(40, lines, ys, 5);
    }
    g_completionTimer += 1;
    if (g_completionTimer > kCompletionFrames) {
        g_completionTimer = 0;
        g_hero.dx = 0;
        g_lives = kStartLives;
        g_score = 0;
    }
}

void drawStoryPage() {
    updateCamera(g_hero.x, g_hero.y);
    drawDimmedLevel();
    static const char* const lines[] = {"OTTO LEAPS INTO THE TELEPORTER AT THE END OF",
                                        "THE FAT GUY'S HEADQUARTERS AND FLICKS THE SWITCH,",
                                        "HOPING TO TRACK THE FAT GUY'S MOVEMENTS BACK,",
                                        "FORWARD OR EVEN SIDEWAYS THROUGH TIME...",
                                        "OTTO FINDS HIMSELF TRANSPORTED TO A STRANGE",
                                        "PARALLEL WORLD. SWAPPING HIS CAPE FOR MORE",
                                        "DISCREET CLOTHING, HE SETS OFF ON A QUEST TO",
                                        "DEFEAT THE FAT GUY AND TELEPORT HOME...",
                                        "PRESS ENTER"};
    static const int ys[] = {200, 190, 180, 170, 150, 140, 130, 120, 60};
    printLines(25, lines, ys, 9);
    bindTexture(kTexHero);
}
