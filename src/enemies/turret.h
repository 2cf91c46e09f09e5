// The turret: a gun set into a wall that fires straight ahead every 80 frames.
#pragma once
#include "enemies/enemy.h"

class Turret : public Enemy {
   public:
    Turret() {
        x = 0;
        y = 40;
    }
    void process() override;

    int shotClock = 0;
};
