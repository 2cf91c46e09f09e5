// The gunner: a patrolling soldier that fires ahead every 80 frames.
#pragma once
#include "enemies/enemy.h"

class Gunner : public Enemy {
   public:
    Gunner() {
        x = 150;
        y = 100;
    }
    void process() override;

    int shotTimer = 0;

   private:
    void burst();
};
