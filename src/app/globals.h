// The game's global state and its single-instance objects.
#pragma once
#include <cstdint>

#include "world/entity.h"

extern uint32_t g_score;
extern int g_lives;
extern int g_ammo;
extern int g_startX;
extern int g_startY;
extern int g_levelNumber;
extern int g_era;
extern int g_backgroundOn;
extern int g_musicOn;
extern int g_onScreens;
extern int g_completionTimer;
extern int g_fullRun;
extern int g_storyPage;
extern int g_scrollX;
extern int g_scrollY;
extern int g_lastFrameTime;
extern char g_scoreText[32];

extern EntityList g_projectiles;
extern EntityList g_enemies;
extern EntityList g_items;
