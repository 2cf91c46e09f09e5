// Tribesmen: small walkers; the clubber strikes up close, the thrower throws.
#pragma once
#include "enemies/enemy.h"

class Tribesman : public Enemy {
   public:
    Tribesman() {
        x = 240;
        y = 20;
    }
    void process() override;

    int attackClock = 0;
    int attacking = 0;

   private:
    bool levelWithHero() const;
    bool onGround() const;
    void stopAttacking();
    void throwAtHero();
    void clubHero();
    void drawWalking();
    void drawPose(unsigned texture, float rowV, float s0, int front, int back);
};
