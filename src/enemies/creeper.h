// The creeper: advances in ten-frame spurts once every hundred frames.
#pragma once
#include "enemies/enemy.h"

class Creeper : public Enemy {
   public:
    Creeper() {
        x = 150;
        y = 100;
    }
    void process() override;

    int crawlClock = 0;
};
