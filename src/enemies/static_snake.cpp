// The static snake never moves, touches or dies; its clock runs only while
// it is seen, so snakes met at different times animate out of step.
#include "enemies/static_snake.h"

#include "gfx/bitmap.h"
#include "gfx/sprite.h"

namespace {
constexpr int kClockStep = 2;
constexpr int kRestartClock = -180;
}  // namespace

void StaticSnake::process() {
    if (!onScreen()) return;
    bindTexture(kTexSnake);
    animClock += kClockStep;
    texU = 0;
    if (animClock > 40) texU = 0.332f;
    if (animClock > 60) texU = 0.668f;
    if (animClock > 80) texU = 0.332f;
    if (animClock > 100) {
        texU = 0;
        animClock = kRestartClock;
    }
    texV = 0.667f;
    drawWorldQuad(x - 5, y, x + 25, y + 30, {texU, texV, texU + 0.333f, texV + 0.333f}, dir);
}
