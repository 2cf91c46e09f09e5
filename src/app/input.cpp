// The player's keys and mouse, in play and on the screens.
#include "app/input.h"

#include "app/startup.h"

namespace {
constexpr unsigned char kEscape = 27;
}  // namespace

void onKeyDown(unsigned char key, int, int) {
    if (key == kEscape) quitGame(0);
}

void onKeyUp(unsigned char, int, int) {}

void onSpecialDown(int, int, int) {}

void onSpecialUp(int, int, int) {}

void onMouse(int, int, int, int) {}
