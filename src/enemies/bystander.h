// The bystander: a harmless passer-by that cannot be hurt.
#pragma once
#include "enemies/enemy.h"

class Bystander : public Enemy {
   public:
    void process() override;
};
