// The tiger: the fast patroller, two units a frame.
#pragma once
#include "enemies/enemy.h"

class Tiger : public Enemy {
   public:
    Tiger() {
        x = 150;
        y = 100;
    }
    void process() override;
};
