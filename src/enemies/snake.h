// The snake: a large crawler that probes far ahead.
#pragma once
#include "enemies/enemy.h"

class Snake : public Enemy {
   public:
    void process() override;
};
