// The player's keys and mouse, in play and on the screens.
#include "app/input.h"

#include <GL/freeglut.h>

#include <cmath>

#include "app/display.h"
#include "app/globals.h"
#include "app/screens.h"
#include "app/startup.h"
#include "audio/audio.h"
#include "hero/hero.h"
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

void toggleBackground() {
    g_backgroundOn = 1 - g_backgroundOn;
    if (g_levelNumber > 10) g_backgroundOn = 0;  // the last era has no picture
}

void toggleMusic() {
    stopAllSongs();
    if (g_musicOn) {
        g_musicOn = 0;
    } else {
        g_musicOn = 1;
        playSong(songOfLevel(g_levelNumber));
    }
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
void fireAimedShot(int windowX, int windowY) {
    if (!g_hero.canFire()) return;
    g_hero.shooting = 1;
    if (g_ammo <= 0) return;
    float px, py;
    windowToView(windowX, windowY, &px, &py);
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

// The up arrow sounds the jump it starts; w jumps silently.
void pressUpWithSound() {
    if (!g_hero.swimming && !isLadder(g_level.at(g_hero.row, g_hero.col)) && !g_hero.airborne)
        playEffect(kEffectJump);
    g_hero.pressUp();
}
}  // namespace

void onKeyDown(unsigned char key, int, int) {
    if (key == kEscape) quitGame(0);
    if (!inPlay()) {
        if (key != kEnter) return;
        if (g_storyPage) {
            g_storyPage = 0;
        } else {
            startGame();
        }
        return;
    }
    switch (key) {
        case 'a':
            g_hero.pressLeft();
            break;
        case 'd':
            g_hero.pressRight();
            break;
        case 'w':
            g_hero.pressUp();
            break;
        case 's':
            g_hero.pressDown();
            break;
        case 'b':
            toggleBackground();
            break;
        case 'm':
            toggleMusic();
            break;
        case ' ':
            fireStraightShot();
            break;
        default:
            break;
    }
}

void onKeyUp(unsigned char key, int, int) {
    if (key == ' ') g_hero.shooting = 0;
    if (!inPlay()) return;
    switch (key) {
        case 'a':
            g_hero.releaseLeft();
            break;
        case 'd':
            g_hero.releaseRight();
            break;
        case 'w':
            g_hero.releaseUp();
            break;
        case 's':
            g_hero.releaseDown();
            break;
        default:
            break;
    }
}

void onSpecialDown(int key, int, int) {
    if (!inPlay()) {
        if (key == GLUT_KEY_UP) selectEra(-1);
        if (key == GLUT_KEY_DOWN) selectEra(+1);
        return;
    }
    switch (key) {
        case GLUT_KEY_LEFT:
            g_hero.pressLeft();
            break;
        case GLUT_KEY_RIGHT:
            g_hero.pressRight();
            break;
        case GLUT_KEY_UP:
            pressUpWithSound();
            break;
        case GLUT_KEY_DOWN:
            g_hero.pressDown();
            break;
        default:
            break;
    }
}

void onSpecialUp(int key, int, int) {
    if (!inPlay()) return;
    switch (key) {
        case GLUT_KEY_LEFT:
            g_hero.releaseLeft();
            break;
        case GLUT_KEY_RIGHT:
            g_hero.releaseRight();
            break;
        case GLUT_KEY_UP:
            g_hero.releaseUp();
            break;
        case GLUT_KEY_DOWN:
            g_hero.releaseDown();
            break;
        default:
            break;
    }
}

void onMouse(int button, int state, int x, int y) {
    if (button != GLUT_LEFT_BUTTON) return;
    if (state == GLUT_UP) {
        g_hero.shooting = 0;
    } else if (inPlay()) {
        fireAimedShot(x, y);
    }
}
