// Pick-ups: 100 points each, and one kind brings an extra life.
#pragma once
#include "world/entity.h"

constexpr int kExtraLifeCode = -122;

class Item;
// Creates a pick-up from spawn `code`, hands it to g_items and puts it at (x, y).
Item* spawnItem(int code, int x, int y);

class Item : public Entity {
   public:
    void process() override;

    int collected = 0;
    int sparkleTimer = 0;
    int x = 100;  // left edge
    int y = 200;  // bottom edge
    int cell = 0;
    int cellRow = 0;
    int cellCol = 0;
    int code = 0;

   private:
    bool onScreen() const;
    void drawAndOffer();
    void sparkle();
};
