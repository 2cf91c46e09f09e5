// The hero's life cycle: hits, the death fall, respawn, checkpoints, level exits.
#include <cmath>

#include "app/globals.h"
#include "audio/audio.h"
#include "enemies/enemy.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "gfx/font.h"
#include "hero/hero.h"
#include "world/level.h"

namespace {
constexpr int kDeathFallFloor = -80;  // view height below which the life is lost
constexpr int kDeathFrames = 10;
constexpr int kGameOverFrames = 200;
constexpr int kLastLevel = 12;

// The first level of an era brings its song and background, music on or off.
void enterEraOfLevel() {
    if (g_levelNumber == 4) {
        stopAllSongs();
        playSong(1);
        reloadBackground(kBackgroundRuins);
    } else if (g_levelNumber == 8) {
        stopAllSongs();
        playSong(3);
        reloadBackground(kBackgroundRuins);
    } else if (g_levelNumber == 11) {
        stopAllSongs();
        playSong(2);
        g_backgroundOn = 0;
    }
}
}  // namespace

void Hero::hit() {
    dying = 1;
    vy = kHitSpeed;
    playEffect(kEffectWaa);
}

void Hero::placeAtStart() {
    x = g_startX;
    y = g_startY;
    screenX = 100;
    screenY = 100;
    dying = 0;
    vy = 0;
    airborne = 0;
}

// The fall plays in view units only: the hero's world position and so the
// camera stay where it was hit.
void Hero::deathFall() {
    vy -= kGravity;
    screenY = moveBy(screenY, vy);
    if (screenY < kDeathFallFloor) {
        loseLife(true);
        return;
    }
    screenX += 1;
    deathFrame += 1;
    if (deathFrame > kDeathFrames) deathFrame = 0;
    drawSprite();
    endFrame();
}

void Hero::loseLife(bool afterDeathFall) {
    g_lives -= 1;
    if (g_lives >= 1) {
        x = g_startX;
        y = g_startY;
        dying = 0;
        invulnTimer = 0;
        g_ammo = kStartAmmo;
        reviveEnemies();
        if (afterDeathFall) {
            screenX = 150;
            screenY = 100;
            vy = 0;
            airborne = 0;
        } else {
            // Falling out keeps the speed: the hero drops in at the respawn point.
            screenX = 100;
            screenY = 100;
        }
        return;
    }
    // Game over: the same path runs every frame until the text has been shown long enough.
    printText(120, 130, "GAME OVER!");
    gameOverTimer += 1;
    if (gameOverTimer <= kGameOverFrames) return;
    g_onScreens = 1;
    g_lives = kStartLives;
    vy = 0;
    airborne = 0;
    gameOverTimer = 0;
    dying = 0;
    g_score = 0;
    if (afterDeathFall) {
        invulnTimer = 0;
        g_ammo = kStartAmmo;
    }
}

// The respawn point moves one column right of the checkpoint, at body height.
void Hero::reachCheckpoint() {
    int respawnX = (col + 1) * kTileSize;
    if (g_startX == respawnX) return;
    g_startX = respawnX;
    g_startY = row * kTileSize;
    checkpointFlash = 0;
}

void Hero::exitLevel() {
    if (g_levelNumber >= kLastLevel) {
        g_completionTimer = 1;
        g_onScreens = 1;
        return;
    }
    g_levelNumber += 1;
    enterEraOfLevel();
    reloadLevel();
    placeAtStart();
    invulnTimer = 0;
}
