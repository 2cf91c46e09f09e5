// Swimmers: fish that patrol the water, and the leaper that jumps out of it.
#pragma once
#include "enemies/enemy.h"

class Swimmer : public Enemy {
   public:
    void process() override;

   private:
    void swim();
    void leap();
};
