// Shots in flight, the hero's and the enemies', and the bursts they leave.
#pragma once
#include "world/entity.h"

class Projectile : public Entity {
   public:
    enum State {
        kEnemyShot = 0,    // gunners and turrets
        kHeroShot = 1,     // the space key
        kHeroBurst = 3,    // blue
        kThrownShot = 4,   // the thrower's
        kThrownEnded = 5,  // removed next frame without a burst
        kEnemyBurst = 6,   // red
        kAimedShot = 7,    // the mouse
        kAimedBurst = 8,   // purple
    };

    void process() override;

    int state = kHeroShot;
    float x = 0.0f;
    float y = 0.0f;
    float vx = 2.0f;
    float vy = 0.0f;
    int burstTimer = 0;

   private:
    void move();
    void drawFlying() const;
    void drawThrown() const;
    void burst();
    // The state a flying shot ends in; `audible` plays the wall spark.
    void end(bool audible);
    bool outsideFlightWindow() const;
    void hitEnemies();
    void hitHero();
};

// Appends a new shot to the list of shots and returns it for its firer to aim.
Projectile* fireProjectile(int state, float x, float y, int dir);
