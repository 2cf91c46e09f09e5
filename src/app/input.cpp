// The player's keys and mouse, in play and on the screens.
#include "app/input.h"

#include <GL/freeglut.h>
#include <X11/keysym.h>

#include <cmath>
#include <cstdio>

#include "app/banners.h"
#include "app/controls.h"
#include "app/display.h"
#include "app/globals.h"
#include "app/pause.h"
#include "app/screens.h"
#include "app/settings.h"
#include "app/startup.h"
#include "audio/audio.h"
#include "hero/hero.h"
#include "platform/x11_keys.h"
#include "shots/projectile.h"
#include "world/level.h"

namespace {
constexpr unsigned char kEscape = 27;
constexpr unsigned char kEnter = 13;
constexpr float kShotSpeed = 2.0f;
constexpr int kMuzzleAhead = 12;  // the shot starts this far in front of the hero
constexpr int kMuzzleHeight = 7;  // and aims from this far above its feet
constexpr float kAimScale = 10.0f;

bool inPlay() {
    return g_onScreens != 1;
}

// The direction a key is bound to, or -1.
int directionOfKey(unsigned char key) {
    const KeyBindings& keys = g_settings.keys;
    unsigned char folded = foldKey(key);
    if (folded == foldKey(keys.left)) return kDirLeft;
    if (folded == foldKey(keys.right)) return kDirRight;
    if (folded == foldKey(keys.up)) return kDirUp;
    if (folded == foldKey(keys.down)) return kDirDown;
    return -1;
}

int directionOfArrow(int key) {
    switch (key) {
        case GLUT_KEY_LEFT:
            return kDirLeft;
        case GLUT_KEY_RIGHT:
            return kDirRight;
        case GLUT_KEY_UP:
            return kDirUp;
        case GLUT_KEY_DOWN:
            return kDirDown;
        default:
            return -1;
    }
}

bool isKey(unsigned char key, unsigned char bound) {
    return foldKey(key) == foldKey(bound);
}

void toggleBackground() {
    g_backgroundOn = 1 - g_backgroundOn;
    if (g_levelNumber > 10) {
        g_backgroundOn = 0;  // the last era has no picture, whatever the player likes
        return;
    }
    g_settings.backgroundOn = g_backgroundOn;
    saveSettings();
}

void toggleMusic() {
    stopAllSongs();
    if (g_musicOn) {
        g_musicOn = 0;
    } else {
        g_musicOn = 1;
        playSong(songOfLevel(g_levelNumber));
    }
    g_settings.musicOn = g_musicOn;
    saveSettings();
}

// - and + (the keypad's too) step both volumes together.
int volumeStepOf(unsigned char key) {
    if (key == '-' || key == '_') return -1;
    if (key == '+' || key == '=') return +1;
    return 0;
}

int clampVolume(int volume) {
    return volume < 0 ? 0 : volume > kMaxVolume ? kMaxVolume : volume;
}

void changeVolume(int step) {
    g_musicVolume = g_settings.musicVolume = clampVolume(g_musicVolume + step);
    g_effectsVolume = g_settings.effectsVolume = clampVolume(g_effectsVolume + step);
    applyVolumes();
    saveSettings();
    char notice[40];
    std::snprintf(notice, sizeof notice, "MUSIC %d   EFFECTS %d", g_musicVolume, g_effectsVolume);
    showNotice(notice);
}

void onScreenKey(unsigned char key) {
    bool onMenu = g_completionTimer <= 0 && !g_storyPage;
    if (onMenu && (foldKey(key) == 'h' || (key == kEnter && scoreTableShown()))) {
        toggleScoreTable();
        return;
    }
    if (key != kEnter) return;
    if (g_storyPage) {
        g_storyPage = 0;
    } else {
        startGame();
    }
}
}  // namespace

void holdSoundingJump(int direction, unsigned source) {
    bool startsJump = direction == kDirUp && !directionHeld(kDirUp) && !g_hero.swimming &&
                      !isLadder(g_level.at(g_hero.row, g_hero.col)) && !g_hero.airborne;
    if (startsJump) playEffect(kEffectJump);
    holdDirection(direction, source);
}

void steerScreens(int direction) {
    if (direction == kDirUp) selectEra(-1);
    if (direction == kDirDown) selectEra(+1);
    if (direction == kDirRight) chooseContinue(true);
    if (direction == kDirLeft) chooseContinue(false);
}

unsigned char foldKey(unsigned char key) {
    return key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key;
}

void fireStraightShot() {
    if (!g_hero.canFire()) return;
    playEffect(kEffectZap);
    g_hero.shooting = 1;
    Projectile* p = fireProjectile(Projectile::kHeroShot, g_hero.x + kMuzzleAhead * g_hero.dir,
                                   g_hero.y, g_hero.dir);
    p->vx = kShotSpeed * g_hero.dir;
}

// Aimed from the muzzle as drawn, fired from the hero's world position.
void fireAimedShotAt(float px, float py) {
    if (!g_hero.canFire()) return;
    g_hero.shooting = 1;
    if (g_ammo <= 0) return;
    float vx = (px - (g_hero.screenX + kMuzzleAhead * g_hero.dir)) / kAimScale;
    float vy = (py - (g_hero.screenY + kMuzzleHeight)) / kAimScale;
    g_hero.dir = vx < 0 ? -1 : 1;
    playEffect(kEffectZap);
    Projectile* p = fireProjectile(Projectile::kAimedShot, g_hero.x + kMuzzleAhead * g_hero.dir,
                                   g_hero.y, g_hero.dir);
    float len = std::sqrt(vx * vx + vy * vy);
    if (len > 0 && std::isfinite(len)) {
        p->vx = kShotSpeed / len * vx;
        p->vy = kShotSpeed / len * vy;
    } else {
        // Aimed at the muzzle itself: straight ahead.
        p->vx = kShotSpeed * g_hero.dir;
        p->vy = 0;
    }
    g_ammo -= 1;
}

void regainControls() {
    letGoOfEverything();
    if (!inPlay()) return;
    // A walking key still down keeps the hero walking; a held jump key does
    // not jump again by itself.
    const KeyBindings& keys = g_settings.keys;
    if (keyIsDown(keys.left)) holdDirection(kDirLeft, kByLetter);
    if (keyIsDown(keys.right)) holdDirection(kDirRight, kByLetter);
    if (arrowIsDown(XK_Left)) holdDirection(kDirLeft, kByArrow);
    if (arrowIsDown(XK_Right)) holdDirection(kDirRight, kByArrow);
}

void onKeyDown(unsigned char key, int, int) {
    if (key == kEscape) quitGame(0);
    if (int step = volumeStepOf(key)) {
        changeVolume(step);
        return;
    }
    if (!inPlay()) {
        onScreenKey(key);
        return;
    }
    const KeyBindings& keys = g_settings.keys;
    if (isKey(key, keys.pause)) {
        togglePause();
        return;
    }
    if (g_paused) return;
    int direction = directionOfKey(key);
    if (direction >= 0) {
        holdDirection(direction, kByLetter);
    } else if (isKey(key, keys.background)) {
        toggleBackground();
    } else if (isKey(key, keys.music)) {
        toggleMusic();
    } else if (isKey(key, keys.shot)) {
        fireStraightShot();
    }
}

void onKeyUp(unsigned char key, int, int) {
    if (isKey(key, g_settings.keys.shot)) g_hero.shooting = 0;
    if (!inPlay()) return;
    int direction = directionOfKey(key);
    if (direction >= 0) letGoDirection(direction, kByLetter);
}

void onSpecialDown(int key, int, int) {
    if (key == GLUT_KEY_F11) {
        requestScreenSwitch();
        return;
    }
    int direction = directionOfArrow(key);
    if (direction < 0) return;
    if (!inPlay()) {
        steerScreens(direction);
    } else if (!g_paused) {
        holdSoundingJump(direction, kByArrow);
    }
}

void onSpecialUp(int key, int, int) {
    if (!inPlay()) return;
    int direction = directionOfArrow(key);
    if (direction >= 0) letGoDirection(direction, kByArrow);
}

void onMouse(int button, int state, int x, int y) {
    if (button != GLUT_LEFT_BUTTON) return;
    if (state == GLUT_UP) {
        g_hero.shooting = 0;
    } else if (inPlay() && !g_paused) {
        float px, py;
        windowToView(x, y, &px, &py);
        fireAimedShotAt(px, py);
    }
}
