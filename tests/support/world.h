// Test helpers: a clean world with an empty grid and a fresh hero.
#pragma once
#include <algorithm>
#include <iterator>
#include <vector>

#include "app/globals.h"
#include "app/progress.h"
#include "audio/audio.h"
#include "enemies/enemy.h"
#include "gfx/draw.h"
#include "hero/hero.h"
#include "world/level.h"

inline void clearGrid() {
    for (auto& row : g_level.grid)
        for (int& cell : row) cell = kEmpty;
}

inline void fillRow(int row, int from, int to, int code) {
    for (int col = from; col <= to; ++col) g_level.grid[row][col] = code;
}

// Play state with nothing in the lists, an empty grid and an unprotected hero.
inline void resetWorld() {
    g_drawLog = nullptr;
    g_projectiles.clear();
    g_enemies.clear();
    g_items.clear();
    clearGrid();
    g_onScreens = 0;
    g_lives = 6;
    g_ammo = 5;
    g_score = 0;
    g_levelNumber = 1;
    g_era = 1;
    g_startX = 100;
    g_startY = 100;
    g_backgroundOn = 1;
    g_musicOn = 1;
    g_completionTimer = 0;
    g_storyPage = 0;
    g_fullRun = 0;
    std::fill(std::begin(g_furthestLevel), std::end(g_furthestLevel), 0);
    g_scrollX = 150;
    g_scrollY = 0;
    g_playingSong = -1;
    g_lastEffect = -1;
    g_effectCount = 0;
    g_hero = Hero();
    g_hero.invulnTimer = kProtectionFrames;
}

inline void enemyFrames(int n) {
    for (int i = 0; i < n; ++i) g_enemies.processAll();
}

// Counts the entries of a list.
inline int countOf(const EntityList& list) {
    int n = 0;
    for (ListNode* node = list.first; node; node = node->next) ++n;
    return n;
}

// The links agree both ways and end at first and last, and no walk is left open.
inline bool listSound(const EntityList& list) {
    ListNode* prev = nullptr;
    for (ListNode* node = list.first; node; prev = node, node = node->next)
        if (node->prev != prev) return false;
    return list.last == prev && list.cursor == nullptr;
}

// Collects what a piece of code draws.
struct DrawCapture {
    DrawCapture() { g_drawLog = &calls; }
    ~DrawCapture() { g_drawLog = nullptr; }
    std::vector<DrawCall> calls;
};
