// A pick-up waiting on its cell, collected by the hero, then a short sparkle.
#include "shots/item.h"

#include "app/globals.h"
#include "audio/audio.h"
#include "gfx/bitmap.h"
#include "gfx/scene.h"
#include "gfx/sprite.h"
#include "hero/hero.h"

namespace {
constexpr unsigned kItemScore = 100;
constexpr int kSheetCells = 6;
constexpr float kCell = 0.1667f;
constexpr int kCodeToCell = 128;
constexpr int kSparkleStep = 2;
constexpr int kSparkleEnd = 20;
}  // namespace

Item* spawnItem(int code, int x, int y) {
    Item* item = new Item;
    g_items.append(item);
    item->x = x;
    item->y = y;
    item->code = code;
    return item;
}

// The same window that gates enemies; off screen an item waits, sparkle and all.
bool Item::onScreen() const {
    return inViewWindow(x, y);
}

void Item::process() {
    if (!onScreen()) return;
    if (!collected) {
        drawAndOffer();
    } else {
        sparkle();
    }
}

void Item::drawAndOffer() {
    cell = code + kCodeToCell;
    cellRow = cell / kSheetCells;
    cellCol = cell % kSheetCells;
    bindTexture(kTexItems);
    drawWorldQuad(x, y, x + 20, y + 20,
                  {cellCol * kCell, cellRow * kCell, (cellCol + 1) * kCell, (cellRow + 1) * kCell});
    blendNormal();
    const Hero& h = g_hero;
    if (h.x > x && h.x < x + 25 && h.y > y - 1 && h.y < y + 20) {
        playEffect(kEffectPickup);
        g_score += kItemScore;
        collected = 1;
        if (code == kExtraLifeCode) g_lives += 1;
    }
}

void Item::sparkle() {
    if (sparkleTimer < kSparkleEnd) {
        sparkleTimer += kSparkleStep;
        bindTexture(kTexFlares);
        blendAdditive();
        setColor(0.9f, 0.7f, 0.3f, 0.7f);
        drawWorldSquare(x + 10, y + 3, 2 + sparkleTimer, {0.25f, 0.75f, 0.5f, 1.0f});
        setColor(1, 1, 1, 1);
        bindTexture(kTexItems);
    }
    blendNormal();
}
