// The creeper spurts ten units, rests ninety frames, and animates with the
// cycle rather than with its position. All creepers of a level move in step.
#include "enemies/creeper.h"

#include <cstdlib>

#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "world/level.h"

namespace {
constexpr int kCycle = 100;
constexpr int kSpurtFrames = 10;
constexpr unsigned kScore = 15;
constexpr int kBurstStep = 4;
constexpr int kBurstLimit = 40;
constexpr Colour kBurstColour = {0, 0.8f, 0, 0.4f};

constexpr TexRect kLeft = {0.6f, 0.6f, 0.8f, 0.798f};
constexpr TexRect kRight = {0.8f, 0.6f, 1.0f, 0.798f};
constexpr TexRect kCurl = {0.6f, 0.8f, 0.8f, 0.998f};
constexpr TexRect kRest = {0.8f, 0.8f, 1.0f, 0.998f};

// During the spurt the two facings use each other's cells.
const TexRect& cellOf(int r, int dir) {
    if (r < 10) return dir > 0 ? kRight : kLeft;
    if (r < 20) return dir > 0 ? kLeft : kRight;
    return r < 30 ? kCurl : kRest;
}
}  // namespace

void Creeper::process() {
    bindTexture(kTexEnemy3);
    if (dying) {
        flareBurst(kScore, kBurstStep, kBurstLimit, kBurstColour, Flares::kPair);
        return;
    }
    crawlClock += 1;
    if (crawlClock % kCycle < kSpurtFrames) x += dx;
    col = x / kTileSize;
    row = y / kTileSize;
    if (noFooting(groundUnder(x, y))) turn();
    if (isWall(tileAhead(8))) turn();
    if (!onScreen()) return;
    drawSprite(cellOf(std::abs(crawlClock % kCycle), dir), dir);
    touchHero(12, 12, 1, 20);
}
