// The fly: patrols the air at its spawn height, over gaps and ledges.
#pragma once
#include "enemies/enemy.h"

class Flyer : public Enemy {
   public:
    Flyer() {
        x = 120;
        y = 220;
    }
    void process() override;
};
