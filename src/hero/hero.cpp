// The hero's controls and its frame: walking, jumping, climbing, swimming.
#include "hero/hero.h"

#include <cmath>

#include "app/globals.h"
#include "gfx/bitmap.h"
#include "gfx/draw.h"
#include "world/level.h"

namespace {
constexpr int kFallOutY = -10;
constexpr float kSinkSpeed = -0.5f;
constexpr float kDropSpeed = -1.0f;  // falling off a ledge with down held
constexpr float kSwimUpSpeed = 1.0f;
constexpr double kPositionLimit = 1e6;

int tile(int row, int col) {
    return g_level.at(row, col);
}
}  // namespace

bool isBlock(int code) {
    return code >= 0 && code <= 63;
}
bool isSolid(int code) {
    return code < kFirstLadder && code != kEmpty;
}
bool isLadder(int code) {
    return code >= kFirstLadder && code <= kLastLadder;
}
bool isWater(int code) {
    return code >= kFirstWater && code <= kLastWater;
}

int moveBy(int position, double speed) {
    double next = std::trunc(position + speed);
    if (!(next > -kPositionLimit)) return static_cast<int>(-kPositionLimit);
    if (next > kPositionLimit) return static_cast<int>(kPositionLimit);
    return static_cast<int>(next);
}

Hero::Hero() : x(g_startX), y(g_startY) {}

bool Hero::waterBelow() const {
    int row = (y - 1) / kTileSize;
    return isWater(tile(row, (x + 8) / kTileSize)) && isWater(tile(row, (x - 8) / kTileSize));
}

bool Hero::onLadderCell() const {
    return isLadder(tile(row, col));
}

void Hero::pressLeft() {
    dx -= 1;
    dir = -1;
}

void Hero::releaseLeft() {
    dx += 1;
}

void Hero::pressRight() {
    dx += 1;
    dir = 1;
}

void Hero::releaseRight() {
    dx -= 1;
}

void Hero::pressUp() {
    upHeld = 1;
    if (swimming) {
        if (!dying) {
            swimY = y;
            vy = kSwimUpSpeed;
        }
    } else if (!onLadderCell()) {
        if (!airborne) {
            vy = kJumpSpeed;
            airborne = 1;
        }
    } else {
        climbing = kClimbUp;
        vy = 0;
        airborne = 0;
    }
}

void Hero::releaseUp() {
    upHeld = 0;
    if (swimming) {
        if (!dying && waterBelow()) vy = kSinkSpeed;
    } else {
        climbing = (!onLadderCell() || climbing == kOffLadder) ? kOffLadder : kHold;
    }
}

void Hero::pressDown() {
    downHeld = 1;
    if (swimming) {
        if (!dying && waterBelow()) {
            swimY = y;
            vy = -kSwimUpSpeed;
        }
    } else if (onLadderCell() || isLadder(tile(row - 1, col))) {
        climbing = kClimbDown;
        vy = 0;
        airborne = 0;
    } else {
        ducking = 1;
    }
}

void Hero::releaseDown() {
    downHeld = 0;
    if (swimming) {
        if (!dying && waterBelow()) vy = kSinkSpeed;
    } else if (climbing == kOffLadder) {
        ducking = 0;
    } else {
        climbing = kHold;
    }
}

bool Hero::canFire() const {
    return !ducking && !dying && climbing == kOffLadder && !swimming && g_onScreens != 1;
}

void Hero::process() {
    bindTexture(kTexHero);
    if (dying) {
        deathFall();
        return;
    }
    if (y < kFallOutY) {
        loseLife(false);
        endFrame();
        return;
    }
    if (y <= 100) screenY = y;
    if (x <= 150) screenX = x;
    enterWater();
    walk();
    moveVertically();
    col = x / kTileSize;
    row = y / kTileSize;
    if (swimming && upHeld) vy = kSwimUpSpeed;
    touchSpecialTiles();
    if (airborne && vy < 0) land();
    if (vy > 0) stopAtCeiling();
    climbOrFall();
    countProtection();
    drawSprite();
    endFrame();
}

// The body cell is tested with the column of the previous frame.
void Hero::enterWater() {
    if (!isWater(tile(y / kTileSize, col))) {
        swimming = 0;
        return;
    }
    if (swimming) return;
    swimming = 1;
    climbing = kOffLadder;
    ducking = 0;
    swimY = y;
    if (waterBelow()) vy = kSinkSpeed;
}

// Blocked by a block at the feet or 14 units up on the leading side; a block
// only at head height does not stop the hero.
void Hero::walk() {
    int feet = y / kTileSize, chest = (y + 14) / kTileSize;
    if (dx > 0) {
        int ahead = (x + 10) / kTileSize;
        if (isSolid(tile(feet, ahead)) || isSolid(tile(chest, ahead))) return;
    } else if (dx < 0) {
        int ahead = (x - 10) / kTileSize;
        if (isSolid(tile(feet, ahead)) || isSolid(tile(chest, ahead))) return;
        if (x < kTileSize) return;  // the left edge of the world
    }
    x = moveBy(x, dx);
}

void Hero::moveVertically() {
    if (!airborne) {
        y = moveBy(y, vy);
    } else if (swimming) {
        swimY = static_cast<float>(static_cast<double>(swimY) + vy);
        y = moveBy(0, swimY);
    } else {
        vy -= kGravity;
        y = moveBy(y, vy);
    }
}

void Hero::touchSpecialTiles() {
    int here = tile(row, col);
    if (here == kDeadlyLow || here == kDeadlyHigh) hit();  // even while protected
    int above = tile(row + 1, col);
    if (above == kCheckpoint || above == kWaterCheckpoint) reachCheckpoint();
    drawFlash();
    if (tile(row + 1, col) == kExit) exitLevel();
}

// Lands on a block under either foot, or on the top cell of a ladder.
void Hero::land() {
    int top = (row + 1) * kTileSize;
    auto settle = [&] {
        airborne = 0;
        vy = 0;
        y = top;
    };
    if (isBlock(tile(row, (x + 8) / kTileSize))) settle();
    if (isBlock(tile(row, (x - 8) / kTileSize))) settle();
    if (isLadder(tile(row, col))) {
        int overLadder = tile((y + 18) / kTileSize, col);
        if (overLadder == kEmpty || overLadder > 80) settle();
    }
}

// A block over either side of the head stops the rise; gravity does the rest.
void Hero::stopAtCeiling() {
    int head = (y + 15) / kTileSize;
    if (isSolid(tile(head, (x + 8) / kTileSize))) vy = 0;
    if (isSolid(tile(head, (x - 8) / kTileSize))) vy = 0;
}

void Hero::climbOrFall() {
    int below = (y - 1) / kTileSize;
    if (climbing != kOffLadder) {
        int c = tile(row, col), b = tile(below, col);
        if ((c < 64 && b < 64) || (c > 80 && (b > 80 || b < 64))) {
            climbing = kOffLadder;
        } else if (climbing == kClimbUp) {
            if (!isBlock(tile((y + 16) / kTileSize, col))) y += 1;
        } else if (climbing == kClimbDown) {
            if (isLadder(b)) {
                y -= 1;
            } else {
                climbing = kOffLadder;
            }
        }
        return;
    }
    auto ladderTopAt = [&](int footX) {
        int c = footX / kTileSize;
        int over = tile(y / kTileSize, c);
        return isLadder(tile(below, c)) && (over == kEmpty || over > 79);
    };
    bool supported = isBlock(tile(below, (x - 8) / kTileSize)) ||
                     isBlock(tile(below, (x + 8) / kTileSize)) || ladderTopAt(x + 8) ||
                     ladderTopAt(x - 8);
    if (supported) return;
    airborne = 1;
    if (vy == 0 && !upHeld) vy = downHeld ? kDropSpeed : kSinkSpeed;
}

void Hero::countProtection() {
    if (invulnTimer >= kProtectionFrames) return;
    invulnTimer += 1;
    // Blink: invisible in every other ten frames.
    if ((invulnTimer / 10) % 2 == 0) {
        blendAdditive();
        setColor(1, 1, 1, 0);
    }
}

void Hero::endFrame() {
    blendNormal();
    setColor(1, 1, 1, 1);
}
