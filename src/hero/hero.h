// OTTO, the hero: controls, movement through the tile grid, life and death.
#pragma once
#include "world/entity.h"

constexpr float kGravity = 0.15f;
constexpr float kJumpSpeed = 5.0f;
constexpr float kHitSpeed = 5.0f;  // the hop of a hero that is hit
constexpr int kProtectionFrames = 101;
constexpr int kNoFlash = 200;
constexpr int kStartLives = 6;
constexpr int kStartAmmo = 5;

class Hero : public Entity {
   public:
    Hero();
    void process() override;

    // The player's controls; the arrow and letter keys share them.
    void pressLeft();
    void releaseLeft();
    void pressRight();
    void releaseRight();
    void pressUp();
    void releaseUp();
    void pressDown();
    void releaseDown();

    // Whether a shot may start now.
    bool canFire() const;
    // An enemy or an enemy shot hits the hero; the hitter checks protection.
    void hit();
    // Puts the hero at the start of a freshly loaded level.
    void placeAtStart();

    int screenX = 0;  // where the hero is drawn in the view
    int screenY = 0;
    int airborne = 0;  // jumping, falling or swimming freely
    int ducking = 0;
    int shooting = 0;
    int x;  // world x of the centre
    int y;  // world y of the feet
    int gameOverTimer = 0;
    int swimming = 0;
    int dying = 0;
    int deathFrame = 0;
    int climbing = 0;  // kOffLadder, kClimbDown, kHold or kClimbUp
    float swimY = 0.0f;
    int upHeld = 0;
    int downHeld = 0;
    int swimFrame = 0;
    int invulnTimer = 0;  // frames since the last (re)spawn, up to 101
    int checkpointFlash = kNoFlash;

    enum Climb { kOffLadder = 0, kClimbDown = 1, kHold = 2, kClimbUp = 3 };

   private:
    void deathFall();
    void loseLife(bool afterDeathFall);
    void enterWater();
    void walk();
    void moveVertically();
    void touchSpecialTiles();
    void land();
    void stopAtCeiling();
    void climbOrFall();
    bool waterBelow() const;
    bool onLadderCell() const;
    void reachCheckpoint();
    void exitLevel();
    void countProtection();
    void drawFlash();
    void drawSprite();
    void endFrame();
};

extern Hero g_hero;

// The tile classes the hero tells apart.
bool isBlock(int code);   // 0 to 63
bool isSolid(int code);   // below 64 and not empty
bool isLadder(int code);  // 64 to 79
bool isWater(int code);   // 128 to 138
// trunc(position + speed), summed in double and kept far inside int's range.
int moveBy(int position, double speed);
