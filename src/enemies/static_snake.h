// The static snake: scenery in the enemy list that now and then flicks its tongue.
#pragma once
#include "enemies/enemy.h"

class StaticSnake : public Enemy {
   public:
    StaticSnake() {
        x = 40;
        y = 40;
    }
    void process() override;

    int animClock = 0;
};
