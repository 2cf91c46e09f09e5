// The held-state model that the keyboard and the gamepad feed.
#include "app/controls.h"

#include "hero/hero.h"

unsigned g_heldBy[kDirectionCount] = {};

namespace {
bool validDirection(int direction) {
    return direction >= 0 && direction < kDirectionCount;
}

void pressHero(int direction) {
    switch (direction) {
        case kDirLeft:
            g_hero.pressLeft();
            break;
        case kDirRight:
            g_hero.pressRight();
            break;
        case kDirUp:
            g_hero.pressUp();
            break;
        case kDirDown:
            g_hero.pressDown();
            break;
    }
}

void releaseHero(int direction) {
    switch (direction) {
        case kDirLeft:
            g_hero.releaseLeft();
            break;
        case kDirRight:
            g_hero.releaseRight();
            break;
        case kDirUp:
            g_hero.releaseUp();
            break;
        case kDirDown:
            g_hero.releaseDown();
            break;
    }
}
}  // namespace

bool directionHeld(int direction) {
    return validDirection(direction) && g_heldBy[direction] != 0;
}

void holdDirection(int direction, unsigned source) {
    if (!validDirection(direction) || (g_heldBy[direction] & source)) return;
    bool first = g_heldBy[direction] == 0;
    g_heldBy[direction] |= source;
    if (first) pressHero(direction);
}

void letGoDirection(int direction, unsigned source) {
    if (!validDirection(direction) || !(g_heldBy[direction] & source)) return;
    g_heldBy[direction] &= ~source;
    if (g_heldBy[direction] == 0) releaseHero(direction);
}

void letGoOfEverything() {
    for (int direction = 0; direction < kDirectionCount; ++direction) {
        if (g_heldBy[direction]) releaseHero(direction);
        g_heldBy[direction] = 0;
    }
    // With nothing held there is no step, whatever a screen left behind.
    g_hero.dx = 0;
}
