// Every global object lives here, in the order they must be built: C++ fixes
// the construction order only within one file.
#include "app/globals.h"

#include "app/pacing.h"
#include "gfx/bitmap.h"
#include "hero/hero.h"
#include "world/level.h"

uint32_t g_score = 0;
int g_lives = 6;
int g_ammo = 5;
int g_startX = 100;
int g_startY = 100;
int g_levelNumber = 1;
int g_era = 1;
int g_backgroundOn = 1;
int g_musicOn = 1;
int g_onScreens = 1;
int g_completionTimer = 0;
int g_fullRun = 0;
int g_storyPage = 0;
int g_scrollX = 0;
int g_scrollY = 0;
char g_scoreText[32] = "";

// 1. The scratch picture the BMP reader reads into.
Bitmap g_bitmap;
// 2. The time of program start.
int g_lastFrameTime = readElapsedTime();
// 3. The entity lists, before anything spawns into them.
EntityList g_projectiles;
EntityList g_enemies;
EntityList g_items;
// 4. The level, whose loading fills the lists and sets the start position.
Level g_level;
// 5. The hero, who takes that position.
Hero g_hero;
