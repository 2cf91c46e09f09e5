// The hopper: jumps a tile high every 120 frames and rests in between.
#pragma once
#include "enemies/enemy.h"

class Hopper : public Enemy {
   public:
    Hopper() {
        x = 150;
        y = 100;
        texU = 0.4f;
        texV = 0.0f;
    }
    void process() override;

    int baseY = 100;  // the ground line all its probes use
    int hopClock = 0;

   private:
    void hop();
    bool touchesHero() const;
};
