// The giant: a big walker, 50 by 40, easy to hit and worth 50.
#pragma once
#include "enemies/enemy.h"

class Giant : public Enemy {
   public:
    void process() override;

   private:
    void burst();
};
