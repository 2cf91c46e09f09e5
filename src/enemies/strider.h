// The strider: a three-coloured walker with a three-frame stride.
#pragma once
#include "enemies/enemy.h"

class Strider : public Enemy {
   public:
    Strider() {
        x = 150;
        y = 100;
    }
    void process() override;
};
